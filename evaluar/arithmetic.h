// Checked double arithmetic: every operation that would yield an infinity or
// a not-a-number raises its run-time error at once instead.
//   division by zero -> 11 (0/0 -> 6), overflow -> 6, invalid argument -> 5.
#pragma once

#include <cmath>

#include "relivo/platform/error.h"

namespace relivo::aritmetica {

[[noreturn]] void Fallar(int32_t numero);

// The error of a value that is not finite: an infinity is an overflow (6),
// a not-a-number an invalid operation (5).
[[noreturn]] inline void FallarNoFinito(double r) {
    Fallar(std::isnan(r) ? errores::kArgumentoNoValido : errores::kDesbordamiento);
}

inline double Comprobar(double r) {
    if (std::isfinite(r)) [[likely]]
        return r;
    FallarNoFinito(r);
}

inline double Sumar(double a, double b) {
    return Comprobar(a + b);
}
inline double Restar(double a, double b) {
    return Comprobar(a - b);
}
inline double Multiplicar(double a, double b) {
    return Comprobar(a * b);
}

inline double Dividir(double a, double b) {
    if (b == 0) [[unlikely]]
        Fallar(a == 0 ? errores::kDesbordamiento : errores::kDivisionPorCero);
    return Comprobar(a / b);
}

// a raised to b: 0 to a negative power -> 11; a negative base with a
// fractional exponent -> 5; a result beyond the double range -> 6.
double PotenciaGeneral(double a, double b);

// The square, the most common power, is exact as one product: the same
// double the power function gives.
inline double Potencia(double a, double b) {
    if (b == 2) return Comprobar(a * a);
    return PotenciaGeneral(a, b);
}

// Remainder of the 32-bit division of a by b, both rounded halves to even;
// the remainder has the sign of a.
double Residuo(double a, double b);

inline double Exp(double x) {
    return Comprobar(std::exp(x));
}
// x <= 0 -> 5
inline double Ln(double x) {
    if (!(x > 0)) Fallar(errores::kArgumentoNoValido);
    return Comprobar(std::log(x));
}
// x < 0 -> 5
inline double Raiz(double x) {
    if (x < 0) Fallar(errores::kArgumentoNoValido);
    return std::sqrt(x);
}
inline double Signo(double x) {
    return x > 0 ? 1.0 : (x < 0 ? -1.0 : 0.0);
}

// pi and pi/2, computed from the arctangent every time they are needed.
inline double Pi() {
    return 4 * std::atan(1.0);
}
inline double MedioPi() {
    return 2 * std::atan(1.0);
}

}  // namespace relivo::aritmetica
