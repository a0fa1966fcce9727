// The drawing surface fitted to the plot box, and the projection. None of these procedures handles
// errors: a failure travels up to the public member that started the work.
#pragma once

#include <cstdint>

#include "relivo/control.h"

namespace relivo {

// Fits the surface's scale to the rotated box, sets OrigenX/OrigenY and
// FactorX/FactorY, switches AutoRedraw on and clears the surface.
void PrepararPlano(Control& c);

// Device pixel of a rotated point.
struct PixelProyectado {
    int32_t px = 0;
    int32_t py = 0;
};
PixelProyectado Proyectar(const EstadoRelivo& e, double x, double y, double z);

}  // namespace relivo
