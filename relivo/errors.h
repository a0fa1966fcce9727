// Relivo's own errors: the user-error base 0x80040000 plus 2 to 5, and the
// design-time refusal of ZMax/ZMin.
#pragma once

#include <cstdint>

#include "platform/error.h"

namespace relivo {

inline constexpr int32_t kErrCancelado = errores::kBaseUsuario + 2;      // -2147221502
inline constexpr int32_t kErrXIguales = errores::kBaseUsuario + 3;       // -2147221501
inline constexpr int32_t kErrYIguales = errores::kBaseUsuario + 4;       // -2147221500
inline constexpr int32_t kErrIntervaloCero = errores::kBaseUsuario + 5;  // -2147221499
inline constexpr int32_t kErrTiempoDeDiseno = 382;

inline constexpr const char* kTextoCancelado = "Cancelado por el usuario";
inline constexpr const char* kTextoXIguales = "La X máxima debe ser diferente de la X mínima";
inline constexpr const char* kTextoYIguales = "La Y máxima debe ser diferente de la Y mínima";
inline constexpr const char* kTextoIntervaloCero = "El intervalo entre líneas no puede ser cero";
inline constexpr const char* kTextoTiempoDeDiseno =
    "Esta propiedad no está disponible en tiempo de diseño, a menos que la propiedad "
    "'AutoEscalaZ' tenga un valor 'Verdadero'";

}  // namespace relivo
