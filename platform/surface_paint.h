// Where PaintPicture copies a picture to, and from which part of it: the
// checks of its arguments and the geometry in device pixels, the same on
// every platform (the copy itself is the back end's).
#pragma once

#include <cstdint>
#include <optional>

#include "platform/surface_scale.h"
#include "relivo/platform/picture.h"

namespace relivo {

// A copy in whole device pixels: the destination corner in the interior and
// its size, the source corner in the picture and its size (a negative size
// mirrors), and the raster operation.
struct CopiaDeImagen {
    int32_t opcode = 0;
    double dx = 0, dy = 0, dw = 0, dh = 0;
    double sx = 0, sy = 0, sw = 0, sh = 0;
};

// PaintPicture's arguments as surface.h tells them, checked (5 for an
// unknown raster operation, no picture or a picture whose pixels do not
// match its size, a coordinate or size that is not finite) and converted
// with the scale: each device coordinate is rounded to the nearest pixel
// and kept within -limite..limite. Nothing when a size comes to 0 pixels.
std::optional<CopiaDeImagen> PlanearCopia(const EscalaEnPixeles& escala, double limite,
                                          const Imagen& Picture, float X1, float Y1,
                                          std::optional<float> Width1, std::optional<float> Height1,
                                          std::optional<float> X2, std::optional<float> Y2,
                                          std::optional<float> Width2, std::optional<float> Height2,
                                          std::optional<int32_t> Opcode);

}  // namespace relivo
