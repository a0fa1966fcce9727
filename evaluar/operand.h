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

// True when the text opens with the sign of its first term: "-" (in
// simplified text, the sign of all that follows up to the next "+" or "-"),
// or "_" whose operand is not raised to a power ("_L1L^2" is (-x)^2: that
// "_" belongs to the base).
bool EmpiezaConSigno(std::string_view texto);

// True when the opening sign negates the whole text: it is the sign of the
// first term and no other term follows ("_L1L*L2L", but not "_L1L+L2L").
bool SignoDelTodo(std::string_view texto);

}  // namespace relivo
