// Scan conversion of polygons with the raster rules of the platform: a
// pixel belongs to the polygon when its centre is inside (alternate rule);
// a centre exactly on an edge belongs to it only on a left or top edge.
// Exact integer arithmetic, so polygons that share an edge split its pixels
// without gap or overlap.
#pragma once

#include <cstdint>
#include <span>

#include "relivo/platform/polygon.h"

namespace relivo {

// A run of pixels [x0, x1) of row y.
struct TramoFila {
    int32_t y, x0, x1;
};

// The runs of the polygon, row by row from the top, clipped to
// [0, ancho) x [0, alto). The span stays valid until the next call (one
// thread: the host's).
std::span<const TramoFila> TramosPoligono(std::span<const PuntoApi> puntos, int32_t ancho,
                                          int32_t alto);

}  // namespace relivo
