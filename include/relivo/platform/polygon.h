// Polygon fill on a device context.
//
// Fills the polygon with the surface's current FillColor and FillStyle
// (alternate rule) and outlines it with the surface's pen (ForeColor,
// DrawWidth, DrawStyle), both through the surface's DrawMode. Vertices are
// device pixels of the surface's interior. Raster rules: a pixel is filled
// when its centre lies inside; a centre exactly on an edge counts for the
// left and top edges only, so polygons that share an edge neither leave a
// gap nor paint a pixel twice. The outline covers the edges, vertices
// included. An unknown hDC or fewer than two points draws nothing and
// returns false.
#pragma once

#include <cstdint>
#include <span>

namespace relivo {

// A vertex in device pixels.
struct PuntoApi {
    int32_t x = 0;
    int32_t y = 0;
    bool operator==(const PuntoApi&) const = default;
};

bool Polygon(int32_t hDC, std::span<const PuntoApi> puntos);

}  // namespace relivo
