// Canonical expression text: the one internal spelling of an expression.
//
// Functions and constants are one-character codes ("a" Sin ... "J" Pi), a
// variable is "L" + index + "L", unary minus is "_", numbers use "." and
// "E+"/"E-", and there are no blanks.
#pragma once

#include <string>
#include <string_view>

#include "evaluar/function_table.h"
#include "evaluar/variables.h"

namespace relivo {

// Rewrites user text (or display text) into canonical text, adding the
// variables it meets to the table. Raises base + 4 for a character that has no
// rule and 6 for a text longer than 32,767 characters.
std::string Canonizar(std::string_view texto, TablaVariables& tabla);

// Rewrites canonical text into display text, reading the variable names of
// the table. Raises 9 for a variable index the table does not hold.
std::string TextoVisible(std::string_view canonico, const TablaVariables& tabla);

}  // namespace relivo
