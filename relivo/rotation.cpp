#include "relivo/rotation.h"

#include <cmath>

#include "evaluar/arithmetic.h"

namespace relivo {

namespace ar = aritmetica;

Rotacion::Rotacion(const EstadoRelivo& e)
    : angX(e.AnguloX),
      angY(e.AnguloY),
      angZ(e.AnguloZ),
      cosX(std::cos(e.AnguloX)),
      senX(std::sin(e.AnguloX)),
      cosY(std::cos(e.AnguloY)),
      senY(std::sin(e.AnguloY)),
      cosZ(std::cos(e.AnguloZ)),
      senZ(std::sin(e.AnguloZ)) {}

namespace {

// The rotated point, every operation checked: the first one whose result is
// not finite raises its error.
void AplicarComprobado(const Rotacion& r, double& x, double& y, double& z) {
    using ar::Multiplicar, ar::Restar, ar::Sumar;
    const double xr =
        Restar(Sumar(Multiplicar(Multiplicar(x, r.cosY), r.cosZ), Multiplicar(y, r.senZ)),
               Multiplicar(r.senY, z));
    const double yr =
        Sumar(Restar(Multiplicar(Multiplicar(y, r.cosX), r.cosZ), Multiplicar(x, r.senZ)),
              Multiplicar(r.senX, z));
    const double zr =
        Restar(Sumar(Multiplicar(Multiplicar(r.cosX, z), r.cosY), Multiplicar(x, r.senY)),
               Multiplicar(y, r.senX));
    x = xr;
    y = yr;
    z = zr;
}

}  // namespace

// The same operations unchecked first: with no division, an infinity or a
// not-a-number on the way can only end in one that is not finite, so finite
// results are exactly the checked ones, and anything else is done again
// checked to raise the error the first failing operation gives. Every
// vertex of a plot is rotated here.
void Rotacion::Aplicar(double& x, double& y, double& z) const {
    const double xr = x * cosY * cosZ + y * senZ - senY * z;
    const double yr = y * cosX * cosZ - x * senZ + senX * z;
    const double zr = cosX * z * cosY + x * senY - y * senX;
    if (!std::isfinite(xr) || !std::isfinite(yr) || !std::isfinite(zr)) [[unlikely]] {
        AplicarComprobado(*this, x, y, z);
        return;
    }
    x = xr;
    y = yr;
    z = zr;
}

void Rotar(const EstadoRelivo& e, double& x, double& y, double& z) {
    Rotacion(e).Aplicar(x, y, z);
}

}  // namespace relivo
