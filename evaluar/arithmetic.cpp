#include "evaluar/arithmetic.h"

#include <cstdint>

#include "platform/numbers.h"

namespace relivo::aritmetica {

void Fallar(int32_t numero) {
    throw Fallo::Plataforma(numero);
}

double PotenciaGeneral(double a, double b) {
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

}  // namespace relivo::aritmetica
