// Acceptance check of an expression text before it is read.
#pragma once

#include <string_view>

namespace relivo {

// Refuses an empty or blank text (base + 5), a text of more than 32,767
// characters (6), a ")" without its "(" (base + 2), an invalid character
// (base + 4) and a "(" without its ")" (base + 3), whichever comes first.
void ValidarExpresion(std::string_view valor);

}  // namespace relivo
