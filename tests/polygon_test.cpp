// Polygon on a surface's device context. The scenes of tests/data/poligonos.tsv
// (raster rules, fill, pen, patterns, far coordinates) are drawn and compared
// with the reviewed pictures of tests/data/recorded/poligonos.txt; a scene
// may also have to equal another one (the same quadrilateral reversed, or a
// pair sharing an edge and their union, drawn in xor so that a pixel painted
// twice goes back to black). What the polygon observer sees is in the
// traces of the recorded corpus (tests/data/recorded).
#include "relivo/platform/polygon.h"

#include <gtest/gtest.h>

#include <map>
#include <random>
#include <sstream>
#include <string>
#include <vector>

#include "relivo/platform/surface.h"
#include "tests/support/case_table.h"
#include "tests/support/raster_util.h"
#include "tests/support/recording.h"

namespace relivo {
namespace {

using prueba::Contar;
using prueba::SuperficiePixeles;

constexpr ColorOle kBlanco = 0xFFFFFF;

// "x,y x,y ..." as points.
std::vector<PuntoApi> Puntos(const std::string& texto) {
    std::vector<PuntoApi> p;
    std::istringstream s(texto);
    for (std::string par; s >> par;) {
        p.push_back({std::stoi(par), std::stoi(par.substr(par.find(',') + 1))});
    }
    return p;
}

// One character a pixel: black, white, red, blue, anything else.
std::string Dibujo(const Imagen& img) {
    std::string r;
    for (int32_t y = 0; y < img.Alto; ++y) {
        for (int32_t x = 0; x < img.Ancho; ++x) {
            const ColorOle c = img.En(x, y);
            r += c == 0                ? '.'
                 : c == kBlanco        ? '#'
                 : c == RGB(255, 0, 0) ? 'R'
                 : c == RGB(0, 0, 255) ? 'A'
                                       : '?';
        }
        r += '\n';
    }
    return r;
}

// Name, width x height, properties "Nombre=valor,...", polygons separated by
// "|", and the scene whose picture this one must equal.
TEST(Poligono, EscenasComoGrabadas) {
    std::string todo;
    std::map<std::string, std::string> dibujos;
    for (const prueba::FilaTabla& f : prueba::LeerTabla("poligonos.tsv")) {
        const size_t x = f[1].find('x');
        auto s = SuperficiePixeles(std::stoi(f[1]), std::stoi(f[1].substr(x + 1)));
        for (const std::string& a : prueba::Nombres(f[2])) {
            const std::string n = a.substr(0, a.find('='));
            const int32_t v = std::stoi(a.substr(n.size() + 1));
            const auto v16 = static_cast<int16_t>(v);
            if (n == "FillStyle") s->FillStyle(v16);
            if (n == "DrawStyle") s->DrawStyle(v16);
            if (n == "DrawMode") s->DrawMode(v16);
            if (n == "DrawWidth") s->DrawWidth(v16);
            if (n == "FillColor") s->FillColor(v);
            if (n == "ForeColor") s->ForeColor(v);
        }
        std::istringstream poligonos(f[3]);
        for (std::string p; std::getline(poligonos, p, '|');) {
            EXPECT_TRUE(Polygon(s->hDC(), Puntos(p))) << f[0];
        }
        dibujos[f[0]] = Dibujo(s->Image());
        todo += "== " + f[0] + "\n" + dibujos[f[0]];
        if (!f[4].empty()) {
            EXPECT_EQ(dibujos[f[0]], dibujos.at(f[4])) << f[0] << " differs from " << f[4];
        }
    }
    prueba::Comparar(todo, std::string(RELIVO_TEST_DATA) + "/recorded/poligonos.txt");
}

// A mesh of cells over a rectangle with jittered inner vertices (as the plot
// draws, P3, P4, P1, P2): every pixel of the rectangle is painted exactly once.
TEST(Poligono, MallaSinHuecosNiSolapes) {
    std::mt19937 azar(12345);
    std::uniform_int_distribution<int> d(-3, 3);
    constexpr int n = 6, paso = 8, ancho = n * paso;
    for (int ronda = 0; ronda < 20; ++ronda) {
        PuntoApi v[n + 1][n + 1];
        for (int i = 0; i <= n; ++i) {
            for (int j = 0; j <= n; ++j) {
                const bool borde = i == 0 || j == 0 || i == n || j == n;
                v[i][j] = {i * paso + (borde ? 0 : d(azar)), j * paso + (borde ? 0 : d(azar))};
            }
        }
        auto s = SuperficiePixeles(ancho + 4, ancho + 4);
        s->FillStyle(0);
        s->DrawStyle(5);
        s->DrawMode(7);
        for (int i = 1; i <= n; ++i) {
            for (int j = 1; j <= n; ++j) {
                const PuntoApi c[] = {v[i][j], v[i][j - 1], v[i - 1][j - 1], v[i - 1][j]};
                Polygon(s->hDC(), c);
            }
        }
        const Imagen img = s->Image();
        for (int y = 0; y < ancho + 4; ++y) {
            for (int x = 0; x < ancho + 4; ++x) {
                ASSERT_EQ(img.En(x, y), x < ancho && y < ancho ? kBlanco : 0)
                    << "ronda " << ronda << " pixel " << x << "," << y;
            }
        }
    }
}

TEST(Poligono, HandleDesconocidoYPocosPuntos) {
    auto s = SuperficiePixeles(10, 10);
    const std::vector<PuntoApi> q = Puntos("0,0 5,0 5,5 0,5");
    int32_t viejo = SuperficiePixeles(10, 10)->hDC();  // a destroyed surface
    for (const int32_t h : {0, s->hWnd(), viejo}) EXPECT_FALSE(Polygon(h, q)) << h;
    EXPECT_FALSE(Polygon(s->hDC(), std::span<const PuntoApi>(q.data(), 1)));
    EXPECT_EQ(Contar(s->Image(), 0), 100);
}

TEST(Poligono, DestinoSegunAutoRedraw) {
    auto s = SuperficiePixeles(10, 10);
    s->FillStyle(0);
    Polygon(s->hDC(), Puntos("0,0 5,0 5,5 0,5"));
    EXPECT_EQ(s->Image().En(1, 1), kBlanco);
    EXPECT_EQ(s->Pantalla().En(1, 1), 0);
    s->Refresh();
    EXPECT_EQ(s->Pantalla().En(1, 1), kBlanco);
    s->AutoRedraw(false);
    Polygon(s->hDC(), Puntos("6,6 9,6 9,9 6,9"));
    EXPECT_EQ(s->Image().En(7, 7), 0);
    EXPECT_EQ(s->Pantalla().En(7, 7), kBlanco);
}

}  // namespace
}  // namespace relivo
