#include "platform/surface_circle.h"

#include <algorithm>
#include <cmath>
#include <numbers>

#include "platform/surface_checks.h"

namespace relivo {

ArcoDeCirculo PlanearArco(const EscalaEnPixeles& escala, float x, float y, float Radius,
                          std::optional<float> StartPos, std::optional<float> EndPos,
                          std::optional<float> Aspect) {
    constexpr double kDosPi = 2 * std::numbers::pi;
    const double inicio0 = StartPos.value_or(0.0f),
                 fin0 = EndPos.value_or(static_cast<float>(kDosPi));
    const double aspecto = std::fabs(static_cast<double>(Aspect.value_or(1.0f)));
    ExigirFinitos({x, y, Radius, inicio0, fin0, aspecto});
    const double limite = kDosPi + 1e-6;
    ExigirArgumento(std::fabs(inicio0) <= limite && std::fabs(fin0) <= limite);

    ArcoDeCirculo a;
    // Radius is in horizontal units and is the larger radius.
    const double r = std::min(std::fabs(Radius * escala.PixelesPorUnidadX()), 1e7);
    a.rx = r / std::max(aspecto, 1.0);
    a.ry = r * std::min(aspecto, 1.0);
    a.pieInicio = inicio0 < 0;
    a.pieFin = fin0 < 0;
    a.inicio = std::fmin(std::fabs(inicio0), kDosPi);
    a.fin = std::fmin(std::fabs(fin0), kDosPi);
    a.barrido = a.fin - a.inicio;
    if (a.barrido <= 0) a.barrido += kDosPi;
    a.completo = a.barrido >= kDosPi - 1e-9;
    return a;
}

}  // namespace relivo
