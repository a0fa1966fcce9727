// The drawing surface of the Linux back end, through its interface.
#include "relivo/platform/surface.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <numbers>
#include <stdexcept>
#include <string>
#include <type_traits>
#include <vector>

#include "platform/png.h"
#include "relivo/platform/error.h"
#include "tests/support/case_table.h"
#include "tests/support/raster_util.h"

namespace relivo {
namespace {

using prueba::Contar;
using prueba::SuperficiePixeles;

int32_t NumeroDeFallo(const std::function<void()>& f) {
    try {
        f();
    } catch (const Fallo& e) {
        return e.numero();
    }
    return 0;
}

TEST(Superficie, ImagenIncoherenteSeRechaza) {
    auto s = CrearSuperficie();
    Imagen incoherente;
    incoherente.Ancho = 3;
    incoherente.Alto = 3;
    EXPECT_EQ(NumeroDeFallo([&] { s->Picture(incoherente); }), 380);
    EXPECT_EQ(NumeroDeFallo([&] { s->MouseIcon(incoherente); }), 380);
    EXPECT_TRUE(s->Picture().Vacia());
}

TEST(Superficie, HandlesDistintos) {
    auto a = CrearSuperficie(), b = CrearSuperficie();
    EXPECT_NE(a->hDC(), 0);
    EXPECT_NE(a->hWnd(), 0);
    EXPECT_NE(a->hDC(), a->hWnd());
    EXPECT_NE(a->hDC(), b->hDC());
}

TEST(Superficie, MedidasDeTexto) {
    auto s = SuperficiePixeles(100, 100);
    Fuente f;
    f.Name = "DejaVu Sans";
    f.Size = 12;
    s->Font(f);
    const float w = s->TextWidth("W"), h = s->TextHeight("W");
    EXPECT_GT(w, 5);
    EXPECT_LT(w, 30);
    EXPECT_GT(h, 10);
    EXPECT_LT(h, 30);
    EXPECT_EQ(s->TextWidth("WW"), 2 * w);
    EXPECT_EQ(s->TextWidth(""), 0);
    EXPECT_EQ(s->TextHeight(""), h);
    EXPECT_EQ(s->TextHeight("a\nb\r\nc"), 3 * h);
    EXPECT_EQ(s->TextWidth("WW\nW"), 2 * w);
    EXPECT_GT(s->TextWidth("iiii"), 0);
    EXPECT_LT(s->TextWidth("iiii"), s->TextWidth("WWWW"));
    const float normal = s->TextWidth("Superficie");
    s->FontBold(true);
    EXPECT_GT(s->TextWidth("Superficie"), normal);
    s->FontBold(false);
    s->FontSize(24);
    EXPECT_GT(s->TextWidth("W"), 1.5 * w);
    // An unknown family measures as DejaVu Sans.
    s->FontSize(12);
    const float dejavu = s->TextWidth("Relivo");
    s->FontName("No Existe Esta Familia");
    EXPECT_EQ(s->TextWidth("Relivo"), dejavu);
    s->FontName("");
    EXPECT_EQ(s->TextWidth("Relivo"), dejavu);
    s->FontName("DejaVu Sans");
    // Twips: 15 per pixel.
    const float px = s->TextWidth("Relivo");
    s->ScaleMode(1);
    EXPECT_FLOAT_EQ(s->TextWidth("Relivo"), 15 * px);
    // Text that is not UTF-8 is measured byte by byte.
    EXPECT_GT(s->TextWidth(std::string("\xff\xfe\x80", 3)), 0);
    // UTF-8 is one glyph per character: "ñ" is narrower than the two
    // Latin-1 glyphs of its bytes.
    EXPECT_LT(s->TextWidth("\xc3\xb1"), s->TextWidth("\xc3") + s->TextWidth("\xb1"));
    EXPECT_EQ(s->TextWidth("\xc3\xb1\xc3\xb1"), 2 * s->TextWidth("\xc3\xb1"));
    // An ASCII byte starts no sequence, even before a continuation byte.
    EXPECT_EQ(s->TextWidth("a\x80"), s->TextWidth("a") + s->TextWidth("\x80"));
}

TEST(Superficie, ImagenEnPngIdaYVuelta) {
    auto s = SuperficiePixeles(37, 21);
    s->FillStyle(0);
    s->FillColor(RGB(12, 200, 99));
    s->Circle(18, 10, 8, RGB(250, 1, 128));
    s->Line(0, 0, 36, 20, RGB(3, 4, 5));
    const Imagen img = s->Image();
    const std::string ruta =
        ::testing::TempDir() + "superficie_test_" + std::to_string(getpid()) + ".png";
    GuardarPng(img, ruta);
    EXPECT_EQ(LeerPng(ruta), img);
    std::remove(ruta.c_str());
    EXPECT_EQ(DecodificarPng(CodificarPng(img)), img);
}

TEST(Superficie, PngNoValido) {
    EXPECT_EQ(NumeroDeFallo([] { DecodificarPng({1, 2, 3}); }), 321);
    EXPECT_EQ(NumeroDeFallo([] { DecodificarPng({}); }), 321);
    std::vector<uint8_t> cortado = CodificarPng(Imagen(50, 50, 7));
    cortado.resize(cortado.size() / 2);
    EXPECT_EQ(NumeroDeFallo([&] { DecodificarPng(cortado); }), 321);
    EXPECT_EQ(NumeroDeFallo([] { LeerPng("/no/existe/nada.png"); }), 53);
    EXPECT_EQ(NumeroDeFallo([] { GuardarPng(Imagen(1, 1), "/no/existe/nada.png"); }), 75);
}

}  // namespace
}  // namespace relivo
