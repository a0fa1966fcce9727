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
    // 2*pi as a float rounds up to 6.28318548; one float step more still
    // counts as 2*pi, so a 2*pi computed in single precision is accepted.
    constexpr double kLimite = 6.28318596f;
    ExigirArgumento(std::fabs(inicio0) <= kLimite && std::fabs(fin0) <= kLimite);

    // Radius is in horizontal units and is the larger radius.
    const double r = std::min(std::fabs(Radius * escala.PixelesPorUnidadX()), 1e7);
    const double inicio = std::fmin(std::fabs(inicio0), kDosPi);
    const double fin = std::fmin(std::fabs(fin0), kDosPi);
    double barrido = fin - inicio;
    if (barrido <= 0) barrido += kDosPi;
    return {.rx = r / std::max(aspecto, 1.0),
            .ry = r * std::min(aspecto, 1.0),
            .inicio = inicio,
            .fin = fin,
            .barrido = barrido,
            .pieInicio = inicio0 < 0,
            .pieFin = fin0 < 0,
            .completo = barrido >= kDosPi - 1e-9};
}

}  // namespace relivo
