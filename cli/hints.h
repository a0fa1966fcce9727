// Lines of help that the command line adds after an engine message when it
// knows more than the message says. The engine's messages stay as they are.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace relivo::cli {

// For a text refused for an invalid character: which character and where
// ("Carácter no válido: «$», en la posición 2."), counting characters, not
// bytes. Empty when every character is accepted.
std::string AyudaCaracter(std::string_view expresion);

// "Faltan valores para: X, Y".
std::string AyudaFaltanValores(const std::vector<std::string>& nombres);

// For a value given to a variable the function does not hold: the variable
// as the user named it ("\"q\"", "número 7") and the variables the
// simplified function kept.
std::string AyudaVariable(std::string_view nombre, const std::vector<std::string>& conservadas);

// Prints a non-empty line of help on standard error.
void MostrarAyuda(const std::string& ayuda);

}  // namespace relivo::cli
