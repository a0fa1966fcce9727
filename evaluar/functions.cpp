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

Formula FormulaDe(char codigo) {
    const DatosCodigo* d = BuscarCodigo(codigo);
    if (d == nullptr) return [](double) { return 0.0; };
    return d->valor;
}

}  // namespace relivo
