#include "platform/surface_scale.h"

#include <cmath>

#include "platform/surface_checks.h"

namespace relivo {

namespace {

// Units per device pixel of the scale modes 1..7, horizontally and vertically.
constexpr double kUnidadesX[8] = {0, 15, 0.75, 1, 1.0 / 8, 1.0 / 96, 25.4 / 96, 2.54 / 96};
constexpr double kUnidadesY[8] = {0, 15, 0.75, 1, 1.0 / 16, 1.0 / 96, 25.4 / 96, 2.54 / 96};

}  // namespace

// --- Setters.

void FijarScaleLeft(EscalaSuperficie& escala, float valor) {
    ExigirValor(std::isfinite(valor));
    escala.scaleLeft = valor;
    escala.scaleMode = 0;
}

void FijarScaleTop(EscalaSuperficie& escala, float valor) {
    ExigirValor(std::isfinite(valor));
    escala.scaleTop = valor;
    escala.scaleMode = 0;
}

void FijarScaleWidth(EscalaSuperficie& escala, float valor) {
    ExigirValor(std::isfinite(valor) && valor != 0);
    escala.scaleWidth = valor;
    escala.scaleMode = 0;
}

void FijarScaleHeight(EscalaSuperficie& escala, float valor) {
    ExigirValor(std::isfinite(valor) && valor != 0);
    escala.scaleHeight = valor;
    escala.scaleMode = 0;
}

void FijarScaleMode(EscalaSuperficie& escala, int16_t valor, int32_t anchoInterior,
                    int32_t altoInterior) {
    ExigirValor(valor >= 0 && valor <= 7);
    escala.scaleMode = valor;
    RecalcularEscala(escala, anchoInterior, altoInterior);
}

void RecalcularEscala(EscalaSuperficie& escala, int32_t anchoInterior, int32_t altoInterior) {
    if (escala.scaleMode == 0) return;
    escala.scaleLeft = 0;
    escala.scaleTop = 0;
    escala.scaleWidth = static_cast<float>(anchoInterior * kUnidadesX[escala.scaleMode]);
    escala.scaleHeight = static_cast<float>(altoInterior * kUnidadesY[escala.scaleMode]);
}

// --- Conversions.

double EscalaEnPixeles::PixelesPorUnidadX() const {
    if (escala_.scaleMode != 0) return 1 / kUnidadesX[escala_.scaleMode];
    return escala_.scaleWidth == 0 ? 0 : ancho_ / static_cast<double>(escala_.scaleWidth);
}

double EscalaEnPixeles::PixelesPorUnidadY() const {
    if (escala_.scaleMode != 0) return 1 / kUnidadesY[escala_.scaleMode];
    return escala_.scaleHeight == 0 ? 0 : alto_ / static_cast<double>(escala_.scaleHeight);
}

double EscalaEnPixeles::AX(float x) const {
    return (static_cast<double>(x) - escala_.scaleLeft) * PixelesPorUnidadX();
}

double EscalaEnPixeles::AY(float y) const {
    return (static_cast<double>(y) - escala_.scaleTop) * PixelesPorUnidadY();
}

float EscalaEnPixeles::EnEscalaX(float px) const {
    const double f = PixelesPorUnidadX();
    if (f == 0 || !std::isfinite(px)) return escala_.scaleLeft;
    return static_cast<float>(escala_.scaleLeft + px / f);
}

float EscalaEnPixeles::EnEscalaY(float py) const {
    const double f = PixelesPorUnidadY();
    if (f == 0 || !std::isfinite(py)) return escala_.scaleTop;
    return static_cast<float>(escala_.scaleTop + py / f);
}

}  // namespace relivo
