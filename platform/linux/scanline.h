// Scan conversion of polygons with the raster rules of the platform: a
// pixel belongs to the polygon when its centre is inside (alternate rule);
// a centre exactly on an edge belongs to it only on a left or top edge.
// Exact integer arithmetic, so polygons that share an edge split its pixels
// without gap or overlap.
#pragma once

#include <cstdint>
#include <functional>
#include <span>

#include "relivo/platform/polygon.h"

namespace relivo {

// Calls `tramo(y, x0, x1)` for the pixels [x0, x1) of each row y of the
// polygon, clipped to [0, ancho) x [0, alto).
void RecorrerPoligono(std::span<const PuntoApi> puntos, int32_t ancho, int32_t alto,
                      const std::function<void(int32_t y, int32_t x0, int32_t x1)>& tramo);

}  // namespace relivo
