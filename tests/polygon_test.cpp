// Polygon on a surface's device context. The scenes of tests/data/poligonos.tsv
// (raster rules, fill, pen, patterns, far coordinates, meshes as the plot
// draws them) are drawn and compared with the reviewed pictures of
// tests/data/recorded/poligonos.txt, or else with another scene's picture
// (the same quadrilateral reversed; a pair sharing an edge, or a mesh, and
// their union, drawn in xor so that a pixel painted twice goes back to
// black). What the polygon observer sees is in the traces of the recorded
// corpus (tests/data/recorded).
#include "relivo/platform/polygon.h"

#include <gtest/gtest.h>

#include <map>
#include <sstream>
#include <string>
#include <vector>

#include "relivo/platform/surface.h"
#include "tests/support/raster_util.h"
#include "tests/support/recording.h"

namespace relivo {
namespace {

using prueba::Dibujo;
using prueba::Puntos;
using prueba::SuperficiePixeles;

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
        if (f[4].empty()) {
            todo += "== " + f[0] + "\n" + dibujos[f[0]];
        } else {
            EXPECT_EQ(dibujos[f[0]], dibujos.at(f[4])) << f[0] << " differs from " << f[4];
        }
    }
    prueba::Comparar(todo, std::string(RELIVO_TEST_DATA) + "/recorded/poligonos.txt");
}

// An unknown or destroyed handle draws nothing (too few points, and where
// AutoRedraw draws: tests/data/surface/poligonos.txt).
TEST(Poligono, HandlesDesconocidosNoDibujan) {
    auto s = SuperficiePixeles(10, 10);
    int32_t viejo = SuperficiePixeles(10, 10)->hDC();  // a destroyed surface
    for (const int32_t h : {0, s->hWnd(), viejo}) {
        EXPECT_FALSE(Polygon(h, Puntos("0,0 5,0 5,5 0,5"))) << h;
    }
    EXPECT_EQ(s->Image().Pixeles, std::vector<int32_t>(100, 0));
}

}  // namespace
}  // namespace relivo
