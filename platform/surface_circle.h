// What Circle draws: the checks of its arguments and the shape of the
// ellipse or arc in device pixels, the same on every platform (the drawing
// itself is the back end's).
#pragma once

#include <optional>

#include "platform/surface_scale.h"

namespace relivo {

// An ellipse or an arc of it, centred on the point Circle was given.
struct ArcoDeCirculo {
    double rx, ry;  // radii in device pixels
    // Angles in radians, 0..2*pi, counter-clockwise: start, end, and the
    // sweep from start to end (0 < barrido <= 2*pi).
    double inicio, fin, barrido;
    bool pieInicio, pieFin;  // a radius drawn to the start / end
    bool completo;           // the whole ellipse
};

// Circle's arguments as surface.h tells them (the colour aside), checked (5
// for a coordinate, radius or aspect that is not finite, an angle beyond
// 2*pi) and converted with the scale.
ArcoDeCirculo PlanearArco(const EscalaEnPixeles& escala, float x, float y, float Radius,
                          std::optional<float> StartPos, std::optional<float> EndPos,
                          std::optional<float> Aspect);

}  // namespace relivo
