#include "evaluar/arithmetic.h"

#include <cstdint>

#include "platform/numbers.h"

namespace relivo::aritmetica {

void Fallar(int32_t numero) {
    throw Fallo::Plataforma(numero);
}

double Potencia(double a, double b) {
    // The square is exact as one product, the same double the power function gives.
    if (b == 2) return Comprobar(a * a);
    if (a == 0 && b < 0) Fallar(errores::kDivisionPorCero);
    if (a < 0 && std::isfinite(b) && b != std::trunc(b)) Fallar(errores::kArgumentoNoValido);
    return Comprobar(std::pow(a, b));
}

double Residuo(double a, double b) {
    const int32_t l = numeros::AEntero32(a);
    const int32_t r = numeros::AEntero32(b);
    if (r == 0) Fallar(errores::kDivisionPorCero);
    if (l == INT32_MIN && r == -1) Fallar(errores::kDesbordamiento);
    return static_cast<double>(l % r);
}

double Exp(double x) {
    return Comprobar(std::exp(x));
}

double Ln(double x) {
    if (!(x > 0)) Fallar(errores::kArgumentoNoValido);
    return Comprobar(std::log(x));
}

double Raiz(double x) {
    if (x < 0) Fallar(errores::kArgumentoNoValido);
    return std::sqrt(x);
}

}  // namespace relivo::aritmetica
