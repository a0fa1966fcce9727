// How far the simplification of a canonical text may move its value: the
// deliberate simplifications that the simplifier reports having applied.
#pragma once

#include <string_view>

#include "evaluar/simplifier.h"
#include "evaluar/variables.h"
#include "relivo/platform/error.h"

namespace relivo::prueba {

enum Permiso {
    kNada = 0,         // the value must stay
    kQuitaFallos = 1,  // a failure may become a value (what failed cancels or vanishes)
    kCambiaValor = 2,  // the value may change (0^0, inverse pairs, exact values, power chains)
};

inline Permiso PermisoDe(const TablaVariables& tabla, std::string_view canonico) {
    Simplificador s(tabla);
    try {
        s.Reducir(canonico);
    } catch (const Fallo&) {
        // A reduction that fails may fail because of what a deliberate
        // simplification computed: nothing can be told.
        return kCambiaValor;
    }
    if ((s.Deliberadas() & kCambianValor) != 0) return kCambiaValor;
    if ((s.Deliberadas() & kQuitanFallos) != 0) return kQuitaFallos;
    return kNada;
}

}  // namespace relivo::prueba
