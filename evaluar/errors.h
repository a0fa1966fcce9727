// Error numbers and messages of the Evaluar control.
#pragma once

#include "platform/error.h"

namespace relivo {

enum MensajeEvaluar {
    kFaltaIzquierdo,       // base + 2
    kFaltaDerecho,         // base + 3
    kCaracteresNoValidos,  // base + 4
    kNoHayFuncion,         // base + 5
    kNoDefinida,           // base + 5
    kNoExisteVariable,     // base + 6
    kNoExisteDentro,       // base + 6
    kNoHayVariables,       // base + 6
    kIndiceFuera,          // base + 6
};

// The error of the table with its number (base + offset) and message.
Fallo FalloEvaluar(MensajeEvaluar mensaje);

}  // namespace relivo
