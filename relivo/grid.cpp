#include "relivo/grid.h"

#include <limits>

#include "relivo/platform/error.h"

namespace relivo {

MatrizZ::MatrizZ(int32_t nX, int32_t nY) {
    if (nX < 0 || nY < 0) throw Fallo::Plataforma(errores::kSubindice);
    const std::size_t columnas = static_cast<std::size_t>(nX) + 1;
    const std::size_t filas = static_cast<std::size_t>(nY) + 1;
    if (filas > std::numeric_limits<std::size_t>::max() / sizeof(double) / columnas) {
        throw Fallo::Plataforma(errores::kMemoriaInsuficiente);
    }
    // calloc hands out fresh zero pages without writing them.
    datos_.reset(static_cast<double*>(std::calloc(columnas * filas, sizeof(double))));
    if (!datos_) throw Fallo::Plataforma(errores::kMemoriaInsuficiente);
    nX_ = nX;
    nY_ = nY;
}

void MatrizZ::FueraDeRango() {
    throw Fallo::Plataforma(errores::kSubindice);
}

}  // namespace relivo
