// The scale of a drawing surface: ScaleMode and the four scale properties
// (see surface.h for their meaning), their setters, and the conversions
// between scale units and device pixels of the interior.
#pragma once

#include <cstdint>

namespace relivo {

// The scale as the surface's properties show it. A new surface measures in
// twips.
struct EscalaSuperficie {
    int16_t scaleMode = 1;
    float scaleLeft = 0, scaleTop = 0, scaleWidth = 1, scaleHeight = 1;
};

// The setters raise 380 for a value that is not finite (ScaleWidth and
// ScaleHeight also for 0) and switch to user mode (0).
void FijarScaleLeft(EscalaSuperficie& escala, float valor);
void FijarScaleTop(EscalaSuperficie& escala, float valor);
void FijarScaleWidth(EscalaSuperficie& escala, float valor);
void FijarScaleHeight(EscalaSuperficie& escala, float valor);
// 0..7 (380 otherwise); a non-zero mode is recomputed for the interior.
void FijarScaleMode(EscalaSuperficie& escala, int16_t valor, int32_t anchoInterior,
                    int32_t altoInterior);
// In a non-zero mode: ScaleLeft and ScaleTop to 0, ScaleWidth and
// ScaleHeight from the interior size (device pixels). A user scale is kept.
void RecalcularEscala(EscalaSuperficie& escala, int32_t anchoInterior, int32_t altoInterior);

// The scale over an interior of the given size (device pixels); it reads
// the scale, which must outlive it.
class EscalaEnPixeles {
public:
    EscalaEnPixeles(const EscalaSuperficie& escala, int32_t anchoInterior, int32_t altoInterior)
        : escala_(escala), ancho_(anchoInterior), alto_(altoInterior) {}

    // Device pixels per scale unit (negative for a negative ScaleWidth or
    // ScaleHeight; 0 for a user scale over an interior with no pixels on
    // that side).
    double PixelesPorUnidadX() const;
    double PixelesPorUnidadY() const;
    // Scale units to device pixels of the interior (unrounded).
    double AX(float x) const;
    double AY(float y) const;
    // Device pixels to scale units (ScaleLeft/ScaleTop for a pixel that is
    // not finite or a scale without pixels).
    float EnEscalaX(float px) const;
    float EnEscalaY(float py) const;

    int32_t AnchoInterior() const { return ancho_; }
    int32_t AltoInterior() const { return alto_; }

private:
    const EscalaSuperficie& escala_;
    int32_t ancho_, alto_;
};

}  // namespace relivo
