// The property bag of the host's document: the keyed store in which a
// control saves its settings and from which it restores them.
#pragma once

#include <string_view>

#include "relivo/platform/variant.h"

namespace relivo {

class BolsaPropiedades {
public:
    virtual ~BolsaPropiedades() = default;

    // The value stored under `clave`, or `predeterminado` when there is none
    // (empty when no default is given).
    virtual VarianteHost Leer(std::string_view clave,
                              const VarianteHost& predeterminado = {}) const = 0;

    // Stores `valor` under `clave`; the bag may leave out a value equal to
    // `predeterminado` (an empty default is never left out).
    virtual void Escribir(std::string_view clave, const VarianteHost& valor,
                          const VarianteHost& predeterminado = {}) = 0;
};

}  // namespace relivo
