// The per-instance state of an Evaluar control.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "evaluar/tree.h"
#include "evaluar/variables.h"

namespace relivo {

class EventosEvaluar;

struct EstadoEvaluar {
    std::string canonico;  // accepted expression in canonical text; "" when none
    TablaVariables variables;
    double resultado = 0;     // last computed value
    bool listo = false;       // resultado is valid for the expression and the values
    int32_t numeroError = 0;  // last error number; 0 = none
    std::string textoError;   // last error text
    std::unique_ptr<Tree> arbol;
    Programa programa;  // the tree compiled for evaluation
    EventosEvaluar* eventos = nullptr;
};

}  // namespace relivo
