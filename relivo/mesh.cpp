// The picture: three red axes, then one filled quadrilateral per grid cell,
// column by column, later cells painting over earlier ones.
#include "relivo/mesh.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <string>

#include "evaluar/arithmetic.h"
#include "platform/numbers.h"
#include "relivo/messages.h"
#include "relivo/platform/polygon.h"
#include "relivo/projection.h"
#include "relivo/rotation.h"
#include "relivo/sampling.h"

namespace relivo {

namespace ar = aritmetica;

namespace {

// Built once: the status is raised after every cell.
const std::string kGraficando = mensajes::kGraficando;

// A segment from a to b, drawn as a degenerate quadrilateral whose red
// outline is all that shows.
struct Punto3 {
    double x, y, z;
};

void DibujarSegmento(Control& c, Punto3 a, Punto3 b) {
    DibujarCuadro(c, a.x, a.y, a.z, b.x, b.y, b.z, a.x, a.y, a.z, b.x, b.y, b.z, 0, 0, 0);
}

// The axis segment along one coordinate: it always reaches the origin.
std::array<double, 2> TramoDeEje(double minimo, double maximo) {
    if (minimo < 0 && maximo < 0) return {minimo, 0};
    if (minimo > 0 && maximo > 0) return {0, maximo};
    return {minimo, maximo};
}

// Colour component of a cell: I(d * 255 / |ancho|), passed on as 16-bit.
int16_t Componente(double d, double ancho) {
    return numeros::AEntero16(
        numeros::AEntero32(ar::Dividir(ar::Multiplicar(d, 255), std::fabs(ancho))));
}

}  // namespace

void DibujarCuadro(Control& c, double x1, double y1, double z1, double x2, double y2, double z2,
                   double x3, double y3, double z3, double x4, double y4, double z4, int16_t R,
                   int16_t G, int16_t B) {
    EstadoRelivo& e = c.e;
    if (R > 255) R = 255;
    if (G > 255) G = 255;
    if (B > 255) B = 255;
    if (R < 0) R = 0;
    if (G < 0) G = 0;
    if (B < 0) B = 0;

    FijarFillStyle(c, 0);
    FijarFillColor(c, RGB(R, G, B));
    if (e.ModoEjes) FijarForeColor(c, RGB(255, 0, 0));

    if (!c.rotacion.De(e)) c.rotacion = Rotacion(e);
    const Rotacion& rotacion = c.rotacion;
    rotacion.Aplicar(x1, y1, z1);
    rotacion.Aplicar(x2, y2, z2);
    rotacion.Aplicar(x3, y3, z3);
    rotacion.Aplicar(x4, y4, z4);

    const PixelProyectado p3 = Proyectar(e, x3, y3, z3);
    const PixelProyectado p4 = Proyectar(e, x4, y4, z4);
    const PixelProyectado p1 = Proyectar(e, x1, y1, z1);
    const PixelProyectado p2 = Proyectar(e, x2, y2, z2);
    const std::array<PuntoApi, 4> vertices{PuntoApi{p3.px, p3.py}, PuntoApi{p4.px, p4.py},
                                           PuntoApi{p1.px, p1.py}, PuntoApi{p2.px, p2.py}};
    Polygon(c.PlanoInterno->hDC(), vertices);

    if (e.AutoRedrawGuardado) c.PlanoInterno->Refresh();
    if (e.ModoEjes) FijarForeColor(c, 0);
}

void DibujarEjes(Control& c) {
    EstadoRelivo& e = c.e;
    e.ModoEjes = true;
    const auto x = TramoDeEje(e.XMin, e.XMax);
    DibujarSegmento(c, {x[0], 0, 0}, {x[1], 0, 0});
    const auto y = TramoDeEje(e.YMin, e.YMax);
    DibujarSegmento(c, {0, y[0], 0}, {0, y[1], 0});
    const auto z = TramoDeEje(e.ZMin, e.ZMax);
    DibujarSegmento(c, {0, 0, z[0]}, {0, 0, z[1]});
    e.ModoEjes = false;
}

void GraficarPuntos(Control& c) {
    EstadoRelivo& e = c.e;
    const int32_t nX = numeros::AEntero32(e.IntervalosX);
    const int32_t nY = numeros::AEntero32(e.IntervalosY);
    double xAnterior = 0;
    for (int32_t i = 0; i <= nX; ++i) {
        const double x = CoordenadaX(e, i);
        double yAnterior = 0;
        for (int32_t j = 0; j <= nY; ++j) {
            const double y = CoordenadaY(e, j);
            if (i >= 1 && j >= 1) {
                const int16_t R = Componente(ar::Restar(x, e.XMin), ar::Restar(e.XMax, e.XMin));
                const int16_t G = Componente(ar::Restar(y, e.YMin), ar::Restar(e.YMax, e.YMin));
                const int16_t B = numeros::AEntero16(numeros::AEntero32(255.0 / 2));
                DibujarCuadro(c, xAnterior, yAnterior, e.ValoresZ(i - 1, j - 1),  //
                              xAnterior, y, e.ValoresZ(i - 1, j),                 //
                              x, y, e.ValoresZ(i, j),                             //
                              x, yAnterior, e.ValoresZ(i, j - 1),                 //
                              R, G, B);
                CederYComprobar(c);
            }
            yAnterior = y;
        }
        const double p = ar::Multiplicar(ar::Dividir(ar::Multiplicar(i, e.IntervalosY),
                                                     ar::Multiplicar(e.IntervalosY, e.IntervalosX)),
                                         100);
        ElevarStatus(c, kGraficando, std::min<int16_t>(100, numeros::AEntero16(p)));
        xAnterior = x;
    }
    c.PlanoInterno->Refresh();
}

}  // namespace relivo
