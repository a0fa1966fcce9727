#include "platform/surface_paint.h"

#include <algorithm>
#include <cmath>
#include <cstddef>

#include "platform/surface_checks.h"

namespace relivo {

std::optional<CopiaDeImagen> PlanearCopia(const EscalaEnPixeles& escala, double limite,
                                          const Imagen& Picture, float X1, float Y1,
                                          std::optional<float> Width1, std::optional<float> Height1,
                                          std::optional<float> X2, std::optional<float> Y2,
                                          std::optional<float> Width2, std::optional<float> Height2,
                                          std::optional<int32_t> Opcode) {
    CopiaDeImagen c;
    c.opcode = Opcode.value_or(0x00CC0020);
    ExigirArgumento(OpcodeConocido(c.opcode));
    ExigirArgumento(Picture.Ancho > 0 && Picture.Alto > 0 &&
                    Picture.Pixeles.size() ==
                        static_cast<size_t>(Picture.Ancho) * static_cast<size_t>(Picture.Alto));
    ExigirFinitos({X1, Y1, Width1.value_or(0.0f), Height1.value_or(0.0f), X2.value_or(0.0f),
                   Y2.value_or(0.0f), Width2.value_or(0.0f), Height2.value_or(0.0f)});
    const auto pixel = [limite](double v) {
        return std::nearbyint(std::clamp(v, -limite, limite));
    };
    const double fx = std::fabs(escala.PixelesPorUnidadX());
    const double fy = std::fabs(escala.PixelesPorUnidadY());
    c.dx = pixel(escala.AX(X1));
    c.dy = pixel(escala.AY(Y1));
    // The source part (default: the whole picture) and the destination size
    // (default: the source's size).
    c.sx = X2 ? pixel(*X2 * fx) : 0;
    c.sy = Y2 ? pixel(*Y2 * fy) : 0;
    c.sw = Width2 ? pixel(*Width2 * fx) : Picture.Ancho - c.sx;
    c.sh = Height2 ? pixel(*Height2 * fy) : Picture.Alto - c.sy;
    c.dw = Width1 ? pixel(*Width1 * escala.PixelesPorUnidadX()) : c.sw;
    c.dh = Height1 ? pixel(*Height1 * escala.PixelesPorUnidadY()) : c.sh;
    if (c.dw == 0 || c.dh == 0 || c.sw == 0 || c.sh == 0) return std::nullopt;
    return c;
}

}  // namespace relivo
