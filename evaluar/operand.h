// Small scans over canonical and simplified text shared by the reducers and
// the display text.
//
// An operand is a number, a variable reference, a constant, a function code
// with its operand, "_" with its operand, or a parenthesised group.
#pragma once

#include <cstddef>
#include <string_view>

#include "evaluar/lexical.h"

namespace relivo {

// End (one past the last character) of the operand that begins at `inicio`;
// `inicio` itself when no operand begins there.
size_t FinOperando(std::string_view texto, size_t inicio);

// True when the operand that begins at `inicio` is followed by "^".
bool ElevadoAPotencia(std::string_view texto, size_t inicio);

}  // namespace relivo
