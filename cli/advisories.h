// Advisories: notations that the expression language reads differently from
// school mathematics ("x**2", "-x^2", "2^3^2", "log10(100)" ...). The
// command line names them next to the result; the result does not change.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace relivo::cli {

// One short Spanish sentence for each surprising notation in the text, in
// the order they first occur, each kind once. None for a text that is not
// accepted (its error says enough).
std::vector<std::string> Avisos(std::string_view expresion);

// Prints each advisory on standard error as "Aviso: ...".
void MostrarAvisos(const std::vector<std::string>& avisos);

}  // namespace relivo::cli
