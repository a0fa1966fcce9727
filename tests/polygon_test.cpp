// Polygon on a surface's device context. The scenes of tests/data/poligonos.tsv
// (raster rules, fill, pen, patterns, far coordinates, meshes as the plot
// draws them) are drawn and compared with the reviewed pictures of
// tests/data/recorded/poligonos.txt, or else with another scene's picture
// (the same quadrilateral reversed; a pair sharing an edge, or a mesh, and
// their union, drawn in xor so that a pixel painted twice goes back to
// black). What the polygon observer sees is in the traces of the recorded
// corpus (tests/data/recorded).
//
// The outline and fill of Polygon in copy mode against the same polygon in
// merge mode (pen or picture). On a black picture the two paint the same
// pixels with the same colours, a pixel painted twice included, but only a
// copy pen may be written straight into the picture: every other draw mode
// collects the pixels first. So each picture of copy mode (and, without a
// fill, of xor mode, which must never paint a pixel twice) is compared with
// merge mode's, for polygons inside, at and across the picture's edges,
// with every pen style and width and with and without a fill.
#include "relivo/platform/polygon.h"

#include <gtest/gtest.h>

#include <map>
#include <sstream>
#include <string>
#include <vector>

#include "relivo/platform/surface.h"
#include "tests/support/raster_util.h"
#include "tests/support/recording.h"
#include "tests/support/script.h"

namespace relivo {
namespace {

using prueba::Dibujo;
using prueba::FijarPropiedadSuperficie;
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
            const size_t igual = a.find('=');
            EXPECT_TRUE(FijarPropiedadSuperficie(*s, a.substr(0, igual), a.substr(igual + 1))) << a;
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

constexpr int32_t kAncho = 12, kAlto = 10;

// Name and points of each figure (tests/data/contornos.tsv).
const std::vector<prueba::FilaTabla> kFiguras = prueba::LeerTabla("contornos.tsv");

// The pens: name, DrawStyle and DrawWidth (tests/data/plumas.tsv). Solid and
// inside-solid pens of one pixel may take the direct path; dashed, invisible
// and wide pens may not.
const std::vector<prueba::FilaTabla> kPlumas = prueba::LeerTabla("plumas.tsv");

// What the window shows of one figure after a Refresh (so the changed
// rectangle counts too), one character a pixel (the pen white, the fill
// red). Fill style 1 is no fill.
std::string Dibujar(const prueba::FilaTabla& f, const prueba::FilaTabla& p, int16_t fillStyle,
                    int16_t modo) {
    auto s = SuperficiePixeles(kAncho, kAlto);
    s->FillColor(RGB(255, 0, 0));
    s->FillStyle(fillStyle);
    s->DrawStyle(static_cast<int16_t>(std::stoi(p[1])));
    s->DrawWidth(static_cast<int16_t>(std::stoi(p[2])));
    s->DrawMode(modo);
    const std::vector<PuntoApi> puntos = Puntos(f[1]);
    EXPECT_EQ(Polygon(s->hDC(), puntos), puntos.size() >= 2);
    s->Refresh();
    return Dibujo(s->Pantalla());
}

TEST(ContornoPoligono, CopiaPintaLoMismoQueMezcla) {
    constexpr int16_t kCopia = 13, kMezcla = 15, kXor = 7;
    for (const prueba::FilaTabla& f : kFiguras) {
        for (const prueba::FilaTabla& p : kPlumas) {
            for (const int16_t relleno : {int16_t{1}, int16_t{0}, int16_t{6}}) {
                const std::string caso =
                    f[0] + ", " + p[0] + ", FillStyle " + std::to_string(relleno);
                const std::string mezcla = Dibujar(f, p, relleno, kMezcla);
                EXPECT_EQ(Dibujar(f, p, relleno, kCopia), mezcla) << caso;
                if (relleno == 1) {
                    EXPECT_EQ(Dibujar(f, p, relleno, kXor), mezcla) << caso;
                }
            }
        }
    }
}

// The comparison above is only as good as the pictures are full: a visible
// pen draws the figures that touch the picture.
TEST(ContornoPoligono, LaPlumaContinuaDibujaCadaFigura) {
    ASSERT_EQ(kFiguras.size(), 20u);
    for (const prueba::FilaTabla& f : kFiguras) {
        EXPECT_NE(Dibujar(f, kPlumas[0], 1, 13).find('#'), std::string::npos) << f[0];
    }
}

}  // namespace
}  // namespace relivo
