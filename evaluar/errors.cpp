#include "evaluar/errors.h"

namespace relivo {

Fallo FalloEvaluar(MensajeEvaluar mensaje) {
    const int32_t base = errores::kBaseUsuario;
    switch (mensaje) {
        case kFaltaIzquierdo:
            return Fallo(base + 2, "Falta un paréntesis izquierdo.");
        case kFaltaDerecho:
            return Fallo(base + 3, "Falta un paréntesis derecho.");
        case kCaracteresNoValidos:
            return Fallo(base + 4, "Existen caracteres no válidos dentro de la función.");
        case kNoHayFuncion:
            return Fallo(base + 5, "No hay función por asignar.");
        case kNoDefinida:
            return Fallo(base + 5, "La función no está definida o faltan variables por definir.");
        case kNoExisteVariable:
            return Fallo(base + 6, "No existe la variable.");
        case kNoExisteDentro:
            return Fallo(base + 6, "No existe la variable dentro de la función.");
        case kNoHayVariables:
            return Fallo(base + 6, "No hay variables dentro de la función.");
        case kIndiceFuera:
            return Fallo(base + 6, "El índice está fuera del intervalo de variables.");
    }
    return Fallo::Plataforma(errores::kArgumentoNoValido);
}

}  // namespace relivo
