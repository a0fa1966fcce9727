// The picture: three red axes, then one filled quadrilateral per grid cell,
// column by column, later cells painting over earlier ones.
#include "relivo/mesh.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstring>
#include <limits>
#include <string>
#include <vector>

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

// The blue of every cell.
const int16_t kAzul = numeros::AEntero16(numeros::AEntero32(255.0 / 2));

// A cell's component along one axis, kept with the coordinate and range it
// came from: the cells of a column share their red and those of a row their
// green. It is computed again whenever one of them differs in any bit (a
// host may change the range while the run yields).
class ComponenteGuardado {
public:
    int16_t De(double coordenada, double minimo, double maximo) {
        const std::array<double, 3> ahora{coordenada, minimo, maximo};
        if (std::memcmp(&ahora, &de_, sizeof de_) != 0) {
            valor_ = Componente(ar::Restar(coordenada, minimo), ar::Restar(maximo, minimo));
            de_ = ahora;
        }
        return valor_;
    }

private:
    // Not a number at first: no coordinate or range is, so the first call
    // computes.
    static constexpr double kNada = std::numeric_limits<double>::quiet_NaN();
    std::array<double, 3> de_{kNada, kNada, kNada};
    int16_t valor_ = 0;
};

}  // namespace

namespace {

// The colours of the next quadrilateral: its fill (components kept within
// 0..255) and, for an axis, the red pen.
void FijarColores(Control& c, int16_t R, int16_t G, int16_t B) {
    R = std::clamp<int16_t>(R, 0, 255);
    G = std::clamp<int16_t>(G, 0, 255);
    B = std::clamp<int16_t>(B, 0, 255);
    FijarFillStyle(c, 0);
    FijarFillColor(c, RGB(R, G, B));
    if (c.e.ModoEjes) FijarForeColor(c, RGB(255, 0, 0));
}

// The device pixel of a box point, rotated by the angles the state holds.
PixelProyectado Vertice(Control& c, double x, double y, double z) {
    if (!c.rotacion.De(c.e)) c.rotacion = Rotacion(c.e);
    c.rotacion.Aplicar(x, y, z);
    return Proyectar(c.e, x, y, z);
}

// Fills the quadrilateral of four device pixels, then puts the pen back.
void Cuadro(Control& c, std::array<PuntoApi, 4> vertices) {
    Polygon(c.PlanoInterno->hDC(), vertices);
    if (c.e.AutoRedrawGuardado) c.PlanoInterno->Refresh();
    if (c.e.ModoEjes) FijarForeColor(c, 0);
}

PuntoApi Punto(PixelProyectado p) {
    return {p.px, p.py};
}

}  // namespace

void DibujarCuadro(Control& c, double x1, double y1, double z1, double x2, double y2, double z2,
                   double x3, double y3, double z3, double x4, double y4, double z4, int16_t R,
                   int16_t G, int16_t B) {
    FijarColores(c, R, G, B);
    if (!c.rotacion.De(c.e)) c.rotacion = Rotacion(c.e);
    const Rotacion& rotacion = c.rotacion;
    rotacion.Aplicar(x1, y1, z1);
    rotacion.Aplicar(x2, y2, z2);
    rotacion.Aplicar(x3, y3, z3);
    rotacion.Aplicar(x4, y4, z4);
    const PixelProyectado p3 = Proyectar(c.e, x3, y3, z3);
    const PixelProyectado p4 = Proyectar(c.e, x4, y4, z4);
    const PixelProyectado p1 = Proyectar(c.e, x1, y1, z1);
    const PixelProyectado p2 = Proyectar(c.e, x2, y2, z2);
    Cuadro(c, {Punto(p3), Punto(p4), Punto(p1), Punto(p2)});
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

namespace {

// The projected pixels of the grid's vertices in the columns of the cells
// being drawn: each vertex is rotated and projected once, when the first
// cell that uses it is drawn. An entry is used again only when the point
// and everything the projection reads are exactly as when it was made (a
// host may change settings while the run yields), so the pixels are always
// those of a fresh projection.
class VerticesDeColumna {
public:
    explicit VerticesDeColumna(int32_t filas) : anterior_(filas), actual_(filas) {}

    // Moves on to the next column: the current one becomes the previous.
    void Avanzar() {
        std::swap(anterior_, actual_);
        for (Entrada& v : actual_) v.valida = false;
    }

    // Forgets every pixel when what the projection reads has changed since
    // the last cell.
    void Comprobar(const EstadoRelivo& e) {
        const Firma firma{e.AnguloX, e.AnguloY, e.AnguloZ, e.OrigenX,
                          e.OrigenY, e.FactorX, e.FactorY};
        if (Igual(firma, firma_)) return;
        for (Entrada& v : anterior_) v.valida = false;
        for (Entrada& v : actual_) v.valida = false;
        firma_ = firma;
    }

    // Vertex j of the previous (`previa`) or current column at (x, y, z).
    PuntoApi En(Control& c, bool previa, int32_t j, double x, double y, double z) {
        Entrada& v = (previa ? anterior_ : actual_)[static_cast<size_t>(j)];
        const std::array<double, 3> punto{x, y, z};
        if (!v.valida || !Igual(v.punto, punto)) {
            v.pixel = Punto(Vertice(c, x, y, z));
            v.punto = punto;
            v.valida = true;
        }
        return v.pixel;
    }

private:
    struct Firma {
        double angX, angY, angZ;
        float origenX, origenY;
        double factorX, factorY;
    };
    struct Entrada {
        std::array<double, 3> punto{};
        PuntoApi pixel;
        bool valida = false;
    };

    // Bit for bit: -0 and 0, or two NaNs, are told apart or not as the
    // bits say.
    template <class T>
    static bool Igual(const T& a, const T& b) {
        return std::memcmp(&a, &b, sizeof(T)) == 0;
    }

    std::vector<Entrada> anterior_, actual_;
    Firma firma_{};
};

}  // namespace

void GraficarPuntos(Control& c) {
    EstadoRelivo& e = c.e;
    const int32_t nX = numeros::AEntero32(e.IntervalosX);
    const int32_t nY = numeros::AEntero32(e.IntervalosY);
    // A grid left without rows (a refused setting, resumed) has no cells.
    VerticesDeColumna vertices(std::max(nY + 1, 0));
    ComponenteGuardado rojo;
    std::vector<ComponenteGuardado> verdes(static_cast<size_t>(std::max(nY + 1, 0)));
    double xAnterior = 0;
    for (int32_t i = 0; i <= nX; ++i) {
        const double x = CoordenadaX(e, i);
        double yAnterior = 0;
        for (int32_t j = 0; j <= nY; ++j) {
            const double y = CoordenadaY(e, j);
            if (i >= 1 && j >= 1) {
                const int16_t R = rojo.De(x, e.XMin, e.XMax);
                const int16_t G = verdes[static_cast<size_t>(j)].De(y, e.YMin, e.YMax);
                FijarColores(c, R, G, kAzul);
                vertices.Comprobar(e);
                const PuntoApi p1 =
                    vertices.En(c, true, j - 1, xAnterior, yAnterior, e.ValoresZ(i - 1, j - 1));
                const PuntoApi p2 = vertices.En(c, true, j, xAnterior, y, e.ValoresZ(i - 1, j));
                const PuntoApi p3 = vertices.En(c, false, j, x, y, e.ValoresZ(i, j));
                const PuntoApi p4 =
                    vertices.En(c, false, j - 1, x, yAnterior, e.ValoresZ(i, j - 1));
                Cuadro(c, {p3, p4, p1, p2});
                CederYComprobar(c);
            }
            yAnterior = y;
        }
        const double p = ar::Multiplicar(ar::Dividir(ar::Multiplicar(i, e.IntervalosY),
                                                     ar::Multiplicar(e.IntervalosY, e.IntervalosX)),
                                         100);
        ElevarStatus(c, kGraficando, std::min<int16_t>(100, numeros::AEntero16(p)));
        xAnterior = x;
        vertices.Avanzar();
    }
    c.PlanoInterno->Refresh();
}

}  // namespace relivo
