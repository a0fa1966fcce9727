// Numeric values of the function codes and constants.
#pragma once

#include "evaluar/function_table.h"

namespace relivo {

// The formula of a code; a code that has none gives 0.
Formula FormulaDe(char codigo);

// The next number of the process-wide pseudo-random sequence, in [0, 1).
double Aleatorio();

}  // namespace relivo
