// Small scans over canonical and simplified text shared by the reducers and
// the display text.
//
// An operand is a number, a variable reference, a constant, a function code
// with its operand, "_" with its operand, or a parenthesised group.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace relivo {

// End (one past the last character) of the operand that begins at `inicio`;
// `inicio` itself when no operand begins there.
size_t FinOperando(std::string_view texto, size_t inicio);

// True when the operand that begins at `inicio` is followed by "^".
bool ElevadoAPotencia(std::string_view texto, size_t inicio);

// A piece of a text cut at operators outside parentheses, with the operator
// before it ('\0' for the first piece).
struct Parte {
    std::string_view texto;
    char antes;
};

// The text cut at every character of `operadores` that stands outside
// parentheses, in order: "a*(b/c)/d" at "*/" gives "a", "*(b/c)", "/d".
std::vector<Parte> CortarFueraDeParentesis(std::string_view texto, std::string_view operadores);

// "(" + texto + ")".
std::string EntreParentesis(std::string_view texto);

// Raises 6 for a text longer than the 16-bit positions allow (32,767).
void ComprobarLargo(std::string_view texto);

}  // namespace relivo
