// Polygon on a surface's device context: raster rules, fill and pen.
#include "relivo/platform/polygon.h"

#include <gtest/gtest.h>

#include <array>
#include <climits>
#include <random>
#include <string>
#include <vector>

#include "platform/linux/polygon_observer.h"
#include "relivo/platform/surface.h"
#include "tests/support/raster_util.h"

namespace relivo {
namespace {

using prueba::Contar;
using prueba::SuperficiePixeles;

constexpr ColorOle kBlanco = 0xFFFFFF;
constexpr ColorOle kRojo = RGB(255, 0, 0);
constexpr ColorOle kAzul = RGB(0, 0, 255);

using Cuad = std::array<PuntoApi, 4>;

// A surface that fills in xor with white and has no pen: a pixel painted
// twice goes back to black.
std::unique_ptr<SuperficieDibujo> SuperficieXor(int32_t ancho, int32_t alto) {
    auto s = SuperficiePixeles(ancho, alto);
    s->FillStyle(0);
    s->DrawStyle(5);
    s->DrawMode(7);
    return s;
}

// The pixels whose centre is strictly inside (or on a left/top edge of) a
// convex polygon given clockwise on screen, by a direct test of each centre.
std::vector<uint8_t> Referencia(const Cuad& q, int32_t ancho, int32_t alto) {
    std::vector<uint8_t> r(static_cast<size_t>(ancho) * alto, 0);
    for (int32_t y = 0; y < alto; ++y) {
        for (int32_t x = 0; x < ancho; ++x) {
            const int64_t cx = 2 * x + 1, cy = 2 * y + 1;  // doubled centre
            bool dentro = true;
            for (int i = 0; i < 4 && dentro; ++i) {
                const PuntoApi a = q[i], b = q[(i + 1) % 4];
                const int64_t ex = 2 * (b.x - a.x), ey = 2 * (b.y - a.y);
                const int64_t cruz = ex * (cy - 2 * a.y) - ey * (cx - 2 * a.x);
                if (cruz < 0) dentro = false;
                // On the edge: only a left edge (going up) or a top edge
                // (going right) keeps the pixel.
                if (cruz == 0 && !(ey < 0 || (ey == 0 && ex > 0))) dentro = false;
            }
            r[static_cast<size_t>(y) * ancho + x] = dentro;
        }
    }
    return r;
}

TEST(Poligono, RectanguloSinBordesDerechoNiInferior) {
    auto s = SuperficiePixeles(10, 10);
    s->FillStyle(0);
    s->DrawStyle(5);
    const Cuad q = {{{1, 1}, {5, 1}, {5, 4}, {1, 4}}};
    EXPECT_TRUE(Polygon(s->hDC(), q));
    const Imagen img = s->Image();
    EXPECT_EQ(Contar(img, kBlanco), 4 * 3);
    EXPECT_EQ(img.En(1, 1), kBlanco);
    EXPECT_EQ(img.En(4, 3), kBlanco);
    EXPECT_EQ(img.En(5, 1), 0);
    EXPECT_EQ(img.En(1, 4), 0);
}

// Convex quadrilaterals: the fill is the set of centres inside, with the
// left/top rule, whatever the orientation of the vertex list.
class ReglaTest : public ::testing::TestWithParam<Cuad> {};

TEST_P(ReglaTest, CoincideConLosCentros) {
    const Cuad q = GetParam();
    const std::vector<uint8_t> ref = Referencia(q, 40, 40);
    for (bool invertido : {false, true}) {
        auto s = SuperficieXor(40, 40);
        Cuad v = q;
        if (invertido) std::reverse(v.begin(), v.end());
        Polygon(s->hDC(), v);
        const Imagen img = s->Image();
        for (size_t i = 0; i < ref.size(); ++i) {
            ASSERT_EQ(img.Pixeles[i] == kBlanco, ref[i] == 1)
                << "pixel " << i % 40 << "," << i / 40 << (invertido ? " invertido" : "");
        }
    }
}

INSTANTIATE_TEST_SUITE_P(Tabla, ReglaTest,
                         ::testing::Values(Cuad{{{0, 0}, {10, 0}, {10, 10}, {0, 10}}},
                                           Cuad{{{5, 1}, {30, 4}, {27, 33}, {2, 20}}},
                                           Cuad{{{20, 0}, {39, 20}, {20, 39}, {0, 20}}},
                                           Cuad{{{3, 3}, {4, 3}, {37, 36}, {3, 36}}},
                                           Cuad{{{0, 0}, {1, 0}, {1, 39}, {0, 39}}},
                                           Cuad{{{7, 7}, {8, 9}, {7, 11}, {6, 9}}}));

// Two quadrilaterals sharing an edge paint the pixels of their union, each
// exactly once: in xor, the pair equals the union painted alone.
struct CasoPareja {
    const char* nombre;
    Cuad a, b, union_;
};

class ParejaTest : public ::testing::TestWithParam<CasoPareja> {};

TEST_P(ParejaTest, SinHuecosNiDoblePintado) {
    auto juntos = SuperficieXor(48, 48), sola = SuperficieXor(48, 48);
    Polygon(juntos->hDC(), GetParam().a);
    Polygon(juntos->hDC(), GetParam().b);
    Polygon(sola->hDC(), GetParam().union_);
    const Imagen i1 = juntos->Image(), i2 = sola->Image();
    EXPECT_GT(Contar(i2, kBlanco), 0);
    for (size_t i = 0; i < i1.Pixeles.size(); ++i) {
        ASSERT_EQ(i1.Pixeles[i], i2.Pixeles[i]) << "pixel " << i % 48 << "," << i / 48;
    }
}

INSTANTIATE_TEST_SUITE_P(
    Tabla, ParejaTest,
    ::testing::Values(CasoPareja{"vertical",
                                 {{{0, 0}, {20, 0}, {20, 30}, {0, 30}}},
                                 {{{20, 0}, {40, 0}, {40, 30}, {20, 30}}},
                                 {{{0, 0}, {40, 0}, {40, 30}, {0, 30}}}},
                      CasoPareja{"horizontal",
                                 {{{0, 0}, {40, 0}, {40, 13}, {0, 13}}},
                                 {{{0, 13}, {40, 13}, {40, 30}, {0, 30}}},
                                 {{{0, 0}, {40, 0}, {40, 30}, {0, 30}}}},
                      CasoPareja{"diagonal",
                                 {{{0, 0}, {30, 0}, {10, 40}, {0, 40}}},
                                 {{{30, 0}, {40, 0}, {40, 40}, {10, 40}}},
                                 {{{0, 0}, {40, 0}, {40, 40}, {0, 40}}}},
                      CasoPareja{"pendiente_suave",
                                 {{{1, 2}, {45, 2}, {45, 19}, {1, 24}}},
                                 {{{1, 24}, {45, 19}, {45, 44}, {1, 44}}},
                                 {{{1, 2}, {45, 2}, {45, 44}, {1, 44}}}},
                      // The shared edge runs through pixel centres, and one side splits
                      // it in two at a vertex on the line.
                      CasoPareja{"por_el_centro_de_pixeles",
                                 {{{0, 0}, {4, 0}, {44, 40}, {0, 40}}},
                                 {{{4, 0}, {44, 0}, {44, 40}, {24, 20}}},
                                 {{{0, 0}, {44, 0}, {44, 40}, {0, 40}}}},
                      CasoPareja{"fuera_de_la_superficie",
                                 {{{-100, -50}, {30, -50}, {10, 100}, {-100, 100}}},
                                 {{{30, -50}, {150, -50}, {150, 100}, {10, 100}}},
                                 {{{-100, -50}, {150, -50}, {150, 100}, {-100, 100}}}}),
    [](const auto& info) { return std::string(info.param.nombre); });

// A mesh of cells over a rectangle with jittered inner vertices (as the plot
// draws): every pixel of the rectangle is painted exactly once.
TEST(Poligono, MallaSinHuecosNiSolapes) {
    std::mt19937 azar(12345);
    for (int ronda = 0; ronda < 20; ++ronda) {
        const int n = 6, paso = 8, ancho = n * paso;
        std::uniform_int_distribution<int> d(-3, 3);
        PuntoApi v[n + 1][n + 1];
        for (int i = 0; i <= n; ++i) {
            for (int j = 0; j <= n; ++j) {
                const bool borde = i == 0 || j == 0 || i == n || j == n;
                v[i][j] = {i * paso + (borde ? 0 : d(azar)), j * paso + (borde ? 0 : d(azar))};
            }
        }
        auto s = SuperficieXor(ancho + 4, ancho + 4);
        for (int i = 1; i <= n; ++i) {
            for (int j = 1; j <= n; ++j) {
                // The plot's vertex order: P3, P4, P1, P2.
                const Cuad c = {{v[i][j], v[i][j - 1], v[i - 1][j - 1], v[i - 1][j]}};
                Polygon(s->hDC(), c);
            }
        }
        const Imagen img = s->Image();
        for (int y = 0; y < ancho + 4; ++y) {
            for (int x = 0; x < ancho + 4; ++x) {
                const bool dentro = x < ancho && y < ancho;
                ASSERT_EQ(img.En(x, y), dentro ? kBlanco : 0)
                    << "ronda " << ronda << " pixel " << x << "," << y;
            }
        }
    }
}

TEST(Poligono, RellenoYContornoConLaPlumaDeLaSuperficie) {
    auto s = SuperficiePixeles(20, 20);
    s->FillStyle(0);
    s->FillColor(kRojo);
    s->ForeColor(kAzul);
    const Cuad q = {{{2, 2}, {12, 2}, {12, 10}, {2, 10}}};
    Polygon(s->hDC(), q);
    const Imagen img = s->Image();
    EXPECT_EQ(img.En(6, 6), kRojo);
    // The outline covers every edge, the right and bottom ones included.
    EXPECT_EQ(img.En(2, 2), kAzul);
    EXPECT_EQ(img.En(12, 6), kAzul);
    EXPECT_EQ(img.En(6, 10), kAzul);
    EXPECT_EQ(img.En(12, 10), kAzul);
    EXPECT_EQ(img.En(13, 6), 0);
    EXPECT_EQ(Contar(img, kAzul), 2 * 11 + 2 * 7);
    EXPECT_EQ(Contar(img, kRojo), 9 * 7);
    // A wide pen: 3 pixels across the edge.
    s->Cls();
    s->DrawWidth(3);
    Polygon(s->hDC(), q);
    const Imagen ancha = s->Image();
    EXPECT_EQ(ancha.En(13, 6), kAzul);
    EXPECT_EQ(ancha.En(11, 6), kAzul);
    EXPECT_EQ(ancha.En(14, 6), 0);
    EXPECT_EQ(ancha.En(10, 6), kRojo);
}

TEST(Poligono, TramaYSinRelleno) {
    auto s = SuperficiePixeles(20, 20);
    s->DrawStyle(5);
    s->FillColor(kRojo);
    const Cuad q = {{{0, 0}, {16, 0}, {16, 16}, {0, 16}}};
    s->FillStyle(1);
    Polygon(s->hDC(), q);
    EXPECT_EQ(Contar(s->Image(), kRojo), 0);
    s->FillStyle(6);  // cross: every eighth row and column
    Polygon(s->hDC(), q);
    EXPECT_EQ(Contar(s->Image(), kRojo), 2 * 16 + 2 * 16 - 4);
}

TEST(Poligono, SegmentoDeEjes) {
    // The axes are drawn as a, b, a, b: no interior, only the outline.
    auto s = SuperficiePixeles(20, 20);
    s->FillStyle(0);
    s->FillColor(kAzul);
    s->ForeColor(kRojo);
    const Cuad q = {{{2, 3}, {12, 3}, {2, 3}, {12, 3}}};
    Polygon(s->hDC(), q);
    EXPECT_EQ(Contar(s->Image(), kRojo), 11);
    EXPECT_EQ(Contar(s->Image(), kAzul), 0);
}

TEST(Poligono, CoordenadasExtremas) {
    auto s = SuperficieXor(30, 20);
    const Cuad todo = {
        {{INT_MIN, INT_MIN}, {INT_MAX, INT_MIN}, {INT_MAX, INT_MAX}, {INT_MIN, INT_MAX}}};
    Polygon(s->hDC(), todo);
    EXPECT_EQ(Contar(s->Image(), kBlanco), 30 * 20);
    s->DrawStyle(0);
    s->DrawWidth(4);
    s->DrawMode(13);
    s->Cls();
    const Cuad lejos = {{{INT_MIN, 5}, {INT_MAX, 7}, {INT_MAX, INT_MIN}, {0, INT_MAX}}};
    Polygon(s->hDC(), lejos);  // must not hang or crash
    EXPECT_GT(Contar(s->Image(), kBlanco), 0);
}

TEST(Poligono, HandleDesconocidoYPocosPuntos) {
    auto s = SuperficiePixeles(10, 10);
    const Cuad q = {{{0, 0}, {5, 0}, {5, 5}, {0, 5}}};
    EXPECT_FALSE(Polygon(0, q));
    EXPECT_FALSE(Polygon(s->hWnd(), q));
    EXPECT_FALSE(Polygon(s->hDC(), std::span<const PuntoApi>(q.data(), 1)));
    int32_t viejo = 0;
    {
        auto otra = SuperficiePixeles(10, 10);
        viejo = otra->hDC();
    }
    EXPECT_FALSE(Polygon(viejo, q));  // a destroyed surface
    EXPECT_EQ(Contar(s->Image(), 0), 100);
}

TEST(Poligono, DestinoSegunAutoRedraw) {
    auto s = SuperficiePixeles(10, 10);
    s->FillStyle(0);
    const Cuad q = {{{0, 0}, {5, 0}, {5, 5}, {0, 5}}};
    Polygon(s->hDC(), q);
    EXPECT_EQ(s->Image().En(1, 1), kBlanco);
    EXPECT_EQ(s->Pantalla().En(1, 1), 0);
    s->Refresh();
    EXPECT_EQ(s->Pantalla().En(1, 1), kBlanco);
    s->AutoRedraw(false);
    const Cuad r = {{{6, 6}, {9, 6}, {9, 9}, {6, 9}}};
    Polygon(s->hDC(), r);
    EXPECT_EQ(s->Image().En(7, 7), 0);
    EXPECT_EQ(s->Pantalla().En(7, 7), kBlanco);
}

TEST(Poligono, ObservadorVeVerticesYColores) {
    auto s = SuperficiePixeles(10, 10);
    s->FillColor(RGB(1, 2, 3));
    s->ForeColor(RGB(4, 5, 6));
    std::vector<PuntoApi> vistos;
    ColorOle relleno = -1, contorno = -1;
    FijarObservadorPoligonos([&](const SuperficieDibujo& sup, std::span<const PuntoApi> p) {
        vistos.assign(p.begin(), p.end());
        relleno = sup.FillColor();
        contorno = sup.ForeColor();
    });
    const Cuad q = {{{1, 2}, {3, 4}, {5, 6}, {7, 8}}};
    Polygon(s->hDC(), q);
    FijarObservadorPoligonos({});
    EXPECT_EQ(vistos, std::vector<PuntoApi>(q.begin(), q.end()));
    EXPECT_EQ(relleno, RGB(1, 2, 3));
    EXPECT_EQ(contorno, RGB(4, 5, 6));
}

}  // namespace
}  // namespace relivo
