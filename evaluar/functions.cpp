#include "evaluar/functions.h"

#include <random>

#include "evaluar/function_table.h"

namespace relivo {

double Aleatorio() {
    // Never reseeded: every process starts the same sequence.
    static std::minstd_rand generador;
    return static_cast<double>(generador() - std::minstd_rand::min()) /
           static_cast<double>(std::minstd_rand::max() - std::minstd_rand::min() + 1);
}

double ValorFuncion(char codigo, double x) {
    const DatosCodigo* d = BuscarCodigo(codigo);
    return d == nullptr ? 0 : d->valor(x);
}

}  // namespace relivo
