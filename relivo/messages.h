// The messages of the Relivo control: its own errors (the user-error base
// plus 2 to 5, and the design-time refusal of ZMax and ZMin) and the texts
// of its Status event.
#pragma once

#include "relivo/platform/error.h"

namespace relivo::mensajes {

inline constexpr Mensaje kCancelado{errores::kBaseUsuario + 2, "Cancelado por el usuario"};
inline constexpr Mensaje kXIguales{errores::kBaseUsuario + 3,
                                   "La X máxima debe ser diferente de la X mínima"};
inline constexpr Mensaje kYIguales{errores::kBaseUsuario + 4,
                                   "La Y máxima debe ser diferente de la Y mínima"};
inline constexpr Mensaje kIntervaloCero{errores::kBaseUsuario + 5,
                                        "El intervalo entre líneas no puede ser cero"};
inline constexpr Mensaje kTiempoDeDiseno{
    382,
    "Esta propiedad no está disponible en tiempo de diseño, a menos que la propiedad "
    "'AutoEscalaZ' tenga un valor 'Verdadero'"};

// Status texts: the two stages of a run, its end, and the prefix of a
// failure's text.
inline constexpr const char* kProcesando = "Procesando Superficie";
inline constexpr const char* kGraficando = "Graficando Puntos";
inline constexpr const char* kTerminada = "Graficación terminada";
inline constexpr const char* kPrefijoError = "Error: ";

}  // namespace relivo::mensajes
