// The fitting of the drawing surface to the rotated plot box, and the
// 45-degree oblique projection to device pixels (y to the right, z up, x
// receding to the lower left).
#include "relivo/projection.h"

#include <cmath>
#include <limits>

#include "evaluar/arithmetic.h"
#include "platform/numbers.h"
#include "relivo/rotation.h"

namespace relivo {

namespace ar = aritmetica;

namespace {

// A double as single precision; beyond its range is an overflow.
float Sencillo(double v) {
    const float f = static_cast<float>(ar::Comprobar(v));
    if (!std::isfinite(f)) throw Fallo::Plataforma(errores::kDesbordamiento);
    return f;
}

// Length of the smallest interval that holds a, b and 0. When one of them
// is 0 the larger magnitude and the sum are the same.
double Extension0(double a, double b) {
    if (std::signbit(a) == std::signbit(b)) return std::fmax(std::fabs(a), std::fabs(b));
    return ar::Sumar(std::fabs(a), std::fabs(b));
}

}  // namespace

void PrepararPlano(Control& c) {
    EstadoRelivo& e = c.e;
    SuperficieDibujo& plano = *c.PlanoInterno;
    const double cs = Coseno45();
    const double sn = Seno45();

    double xa = e.XMin, ya = e.YMin, za = e.ZMin;
    Rotar(e, xa, ya, za);
    double xb = e.XMax, yb = e.YMax, zb = e.ZMax;
    Rotar(e, xb, yb, zb);

    e.OrigenX = Sencillo(ar::Restar(ar::Multiplicar(cs, xb), ya));
    e.OrigenY = Sencillo(ar::Sumar(ar::Multiplicar(-xa, sn), zb));
    if (e.OrigenX < 0) e.OrigenX = 0;
    if (e.OrigenY < 0) e.OrigenY = 0;

    const double extX = ar::Multiplicar(cs, Extension0(xb, xa));
    const double extY = Extension0(ya, yb);
    const double extZ = Extension0(zb, za);

    plano.ScaleHeight(Sencillo(ar::Multiplicar(ar::Sumar(extZ, extX), 1.05)));
    plano.ScaleWidth(Sencillo(ar::Multiplicar(ar::Sumar(extX, extY), 1.05)));

    // Equal units both ways: enlarge the one scale that is too small.
    const double h = plano.Height();
    const double w = plano.Width();
    const double sw = plano.ScaleWidth();
    const double sh = plano.ScaleHeight();
    if (Sencillo(ar::Multiplicar(ar::Dividir(sh, h), w)) > sw) {
        plano.ScaleWidth(Sencillo(
            ar::Multiplicar(ar::Dividir(plano.ScaleHeight(), plano.Height()), plano.Width())));
    } else {
        plano.ScaleHeight(Sencillo(
            ar::Multiplicar(ar::Dividir(plano.ScaleWidth(), plano.Width()), plano.Height())));
    }

    e.FactorX = ar::Dividir(plano.Width(), plano.ScaleWidth());
    e.FactorY = ar::Dividir(plano.Height(), plano.ScaleHeight());

    FijarAutoRedraw(c, true);
    plano.Cls();
    plano.Refresh();
}

namespace {

// Every operation checked: the first failing one raises its error.
PixelProyectado ProyectarComprobado(const EstadoRelivo& e, double x, double y, double z) {
    using ar::Multiplicar, ar::Restar, ar::Sumar;
    const double u = Sumar(Restar(e.OrigenX, Multiplicar(Coseno45(), x)), y);
    const double v = Restar(Sumar(Multiplicar(Seno45(), x), e.OrigenY), z);
    const int32_t px = numeros::AEntero32(
        Sumar(numeros::AEntero32(Multiplicar(u, e.FactorX)), Multiplicar(0.5, e.FactorX)));
    const int32_t py = numeros::AEntero32(
        Sumar(numeros::AEntero32(Multiplicar(v, e.FactorY)), Multiplicar(0.5, e.FactorY)));
    return {px, py};
}

// A device coordinate: the point scaled to pixels and rounded, plus half a
// pixel's scale, rounded again (halves to even). False when a rounding falls
// outside 32 bits or a value is not finite, which the comparisons refuse.
bool Coordenada(double escalado, double factor, int32_t& pixel) {
    const double r = std::nearbyint(escalado);
    if (!numeros::Cabe<int32_t>(r)) return false;
    const double s = std::nearbyint(r + 0.5 * factor);
    if (!numeros::Cabe<int32_t>(s)) return false;
    pixel = static_cast<int32_t>(s);
    return true;
}

}  // namespace

// The same operations unchecked first: an infinity or a not-a-number on the
// way ends in a coordinate the range test refuses, and then the projection
// is done again checked to raise the error of the first failing operation.
// Every vertex of a plot is projected here.
PixelProyectado Proyectar(const EstadoRelivo& e, double x, double y, double z) {
    const double u = e.OrigenX - Coseno45() * x + y;
    const double v = Seno45() * x + e.OrigenY - z;
    PixelProyectado p;
    if (Coordenada(u * e.FactorX, e.FactorX, p.px) && Coordenada(v * e.FactorY, e.FactorY, p.py))
        [[likely]]
        return p;
    return ProyectarComprobado(e, x, y, z);
}

}  // namespace relivo
