// What the parts of the Windows drawing surface share: the checks of
// property values (380 for a value out of range) and the module that owns
// the surface's window classes.
#pragma once

#include <cmath>

#include "platform/colors.h"
#include "platform/error.h"
#include "platform/picture.h"
#include "platform/windows/win32.h"

namespace relivo::gdi {

[[noreturn]] inline void ValorNoValido() {
    throw Fallo::Plataforma(errores::kValorPropiedad);
}

inline void Exigir(bool condicion) {
    if (!condicion) ValorNoValido();
}

inline ColorOle ColorDePropiedad(ColorOle valor) {
    Exigir(ResolverColor(valor).has_value());
    return valor;
}

inline void ExigirImagen(const Imagen& imagen) {
    if (imagen.Ancho <= 0 || imagen.Alto <= 0) {
        Exigir(imagen.Pixeles.empty());
        return;
    }
    Exigir(static_cast<size_t>(imagen.Ancho) * static_cast<size_t>(imagen.Alto) ==
           imagen.Pixeles.size());
}

inline float TamanoDeFuente(float puntos) {
    Exigir(std::isfinite(puntos));
    return std::fmin(std::fmax(puntos, 1.0f), 2048.0f);
}

// The module (this file) the surface's window classes belong to.
HINSTANCE Instancia();

}  // namespace relivo::gdi
