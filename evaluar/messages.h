// The messages of the Evaluar control: its own errors, the user-error base
// plus 2 to 6.
#pragma once

#include "relivo/platform/error.h"

namespace relivo::mensajes {

inline constexpr int32_t kBase = errores::kBaseUsuario;

inline constexpr Mensaje kFaltaIzquierdo{kBase + 2, "Falta un paréntesis izquierdo."};
inline constexpr Mensaje kFaltaDerecho{kBase + 3, "Falta un paréntesis derecho."};
inline constexpr Mensaje kCaracteresNoValidos{
    kBase + 4, "Existen caracteres no válidos dentro de la función."};
inline constexpr Mensaje kNoHayFuncion{kBase + 5, "No hay función por asignar."};
inline constexpr Mensaje kNoDefinida{kBase + 5,
                                     "La función no está definida o faltan variables por definir."};
inline constexpr Mensaje kNoExisteVariable{kBase + 6, "No existe la variable."};
inline constexpr Mensaje kNoExisteDentro{kBase + 6, "No existe la variable dentro de la función."};
inline constexpr Mensaje kNoHayVariables{kBase + 6, "No hay variables dentro de la función."};
inline constexpr Mensaje kIndiceFuera{kBase + 6,
                                      "El índice está fuera del intervalo de variables."};

}  // namespace relivo::mensajes
