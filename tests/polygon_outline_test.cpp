// The outline and fill of Polygon in copy mode against the same polygon in
// merge mode (pen or picture). On a black picture the two paint the same
// pixels with the same colours, a pixel painted twice included, but only a
// copy pen may be written straight into the picture: every other draw mode
// collects the pixels first. So each picture of copy mode (and, without a
// fill, of xor mode, which must never paint a pixel twice) is compared with
// merge mode's, for polygons inside, at and across the picture's edges,
// with every pen style and width and with and without a fill.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "relivo/platform/polygon.h"
#include "relivo/platform/surface.h"
#include "tests/support/raster_util.h"

namespace relivo {
namespace {

constexpr int32_t kAncho = 12, kAlto = 10;

struct Figura {
    const char* nombre;
    std::vector<PuntoApi> puntos;
};

// Quadrilaterals as the plot draws them, of one to a few pixels, every
// slope, touching each side of the picture from inside or crossing it by a
// pixel; degenerate and self-crossing figures; figures far outside.
const std::vector<Figura> kFiguras = {
    {"celda_interior", {{5, 4}, {6, 4}, {6, 5}, {5, 5}}},
    {"celda_inclinada", {{4, 3}, {7, 4}, {6, 7}, {3, 5}}},
    {"celda_empinada", {{5, 1}, {6, 2}, {6, 8}, {5, 7}}},
    {"celda_tendida", {{1, 4}, {10, 5}, {10, 6}, {1, 5}}},
    {"orden_inverso", {{3, 5}, {6, 7}, {7, 4}, {4, 3}}},
    {"esquina_superior_izquierda", {{0, 0}, {2, 0}, {2, 1}, {0, 2}}},
    {"esquina_inferior_derecha", {{9, 7}, {11, 8}, {11, 9}, {10, 9}}},
    {"borde_izquierdo", {{0, 3}, {1, 2}, {2, 6}, {0, 6}}},
    {"borde_inferior", {{3, 9}, {5, 8}, {8, 9}, {6, 9}}},
    {"sale_por_la_derecha", {{9, 3}, {12, 4}, {11, 6}, {9, 6}}},
    {"sale_por_abajo", {{4, 8}, {6, 8}, {6, 10}, {4, 9}}},
    {"sale_por_arriba", {{4, -1}, {6, 0}, {6, 2}, {4, 2}}},
    {"sale_por_la_izquierda", {{-1, 4}, {2, 3}, {2, 6}, {0, 6}}},
    {"lejos_por_fuera", {{-5000, 2}, {7000, 3}, {7000, 90000}, {-5000, 7}}},
    {"un_punto", {{6, 6}, {6, 6}, {6, 6}, {6, 6}}},
    {"dos_puntos", {{2, 2}, {9, 6}}},
    {"ida_y_vuelta", {{2, 3}, {10, 3}, {2, 3}, {10, 3}}},
    {"triangulo", {{1, 8}, {6, 1}, {10, 8}}},
    {"pajarita", {{1, 1}, {10, 8}, {10, 1}, {1, 8}}},
    {"concava", {{1, 1}, {10, 1}, {5, 4}, {10, 8}, {1, 8}}},
};

struct EstiloPluma {
    const char* nombre;
    int16_t estilo, ancho;
};

// Solid and inside-solid pens of one pixel may take the direct path; dashed,
// invisible and wide pens may not.
const std::vector<EstiloPluma> kPlumas = {
    {"continua", 0, 1},  {"interior", 6, 1},   {"raya", 1, 1},
    {"punto", 2, 1},     {"raya_punto", 3, 1}, {"raya_punto_punto", 4, 1},
    {"invisible", 5, 1}, {"ancha", 0, 2},      {"ancha_interior", 6, 3},
};

// What the window shows of one figure after a Refresh (so the changed
// rectangle counts too), one character a pixel: black, white (the pen),
// red (the fill), anything else. Fill style 1 is no fill.
std::string Dibujar(const Figura& f, const EstiloPluma& p, int16_t fillStyle, int16_t modo) {
    auto s = prueba::SuperficiePixeles(kAncho, kAlto);
    s->FillColor(RGB(255, 0, 0));
    s->FillStyle(fillStyle);
    s->DrawStyle(p.estilo);
    s->DrawWidth(p.ancho);
    s->DrawMode(modo);
    EXPECT_EQ(Polygon(s->hDC(), f.puntos), f.puntos.size() >= 2);
    s->Refresh();
    const Imagen img = s->Pantalla();
    std::string r;
    for (int32_t y = 0; y < img.Alto; ++y) {
        for (int32_t x = 0; x < img.Ancho; ++x) {
            const ColorOle c = img.En(x, y);
            r += c == 0 ? '.' : c == 0xFFFFFF ? '#' : c == RGB(255, 0, 0) ? 'R' : '?';
        }
        r += '\n';
    }
    return r;
}

TEST(ContornoPoligono, CopiaPintaLoMismoQueMezcla) {
    constexpr int16_t kCopia = 13, kMezcla = 15, kXor = 7;
    for (const Figura& f : kFiguras) {
        for (const EstiloPluma& p : kPlumas) {
            for (const int16_t relleno : {int16_t{1}, int16_t{0}, int16_t{6}}) {
                const std::string caso = std::string(f.nombre) + ", " + p.nombre + ", FillStyle " +
                                         std::to_string(relleno);
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
    for (const Figura& f : kFiguras) {
        EXPECT_NE(Dibujar(f, kPlumas[0], 1, 13).find('#'), std::string::npos) << f.nombre;
    }
}

}  // namespace
}  // namespace relivo
