// Numeric values of the function codes and constants.
#pragma once

namespace relivo {

// Value of the code applied to x ("J", "K" and "D" ignore x). Any code that
// has no formula gives 0. Raises 5, 6 or 11 for arguments out of domain.
double ValorFuncion(char codigo, double x);

// The next number of the process-wide pseudo-random sequence, in [0, 1).
double Aleatorio();

}  // namespace relivo
