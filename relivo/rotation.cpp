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

void Rotacion::Aplicar(double& x, double& y, double& z) const {
    using ar::Multiplicar, ar::Restar, ar::Sumar;
    const double xr = Restar(Sumar(Multiplicar(Multiplicar(x, cosY), cosZ), Multiplicar(y, senZ)),
                             Multiplicar(senY, z));
    const double yr = Sumar(Restar(Multiplicar(Multiplicar(y, cosX), cosZ), Multiplicar(x, senZ)),
                            Multiplicar(senX, z));
    const double zr = Restar(Sumar(Multiplicar(Multiplicar(cosX, z), cosY), Multiplicar(x, senY)),
                             Multiplicar(y, senX));
    x = xr;
    y = yr;
    z = zr;
}

void Rotar(const EstadoRelivo& e, double& x, double& y, double& z) {
    Rotacion(e).Aplicar(x, y, z);
}

}  // namespace relivo
