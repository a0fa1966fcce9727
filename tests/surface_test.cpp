// The drawing surface of the Linux back end, through its interface: what
// the surface scripts (surface_script_test.cpp) cannot say.
#include "relivo/platform/surface.h"

#include <gtest/gtest.h>
#include <png.h>
#include <unistd.h>

#include <cstdio>
#include <string>
#include <vector>

#include "platform/linux/fonts.h"
#include "platform/png.h"
#include "relivo/platform/error.h"
#include "tests/support/raster_util.h"
#include "tests/support/recording.h"

namespace relivo {
namespace {

using prueba::ConError;

using prueba::SuperficiePixeles;

TEST(Superficie, ImagenIncoherenteSeRechaza) {
    auto s = CrearSuperficie();
    Imagen incoherente;
    incoherente.Ancho = 3;
    incoherente.Alto = 3;
    EXPECT_EQ(ConError([&] { s->Picture(incoherente); }), "!380");
    EXPECT_EQ(ConError([&] { s->MouseIcon(incoherente); }), "!380");
    EXPECT_TRUE(s->Picture().Vacia());
    for (const Imagen& sin_area : {Imagen(0, 2), Imagen(2, 0)}) {
        EXPECT_EQ(ConError([&] { s->PaintPicture(sin_area, 0, 0); }), "!5");
    }
}

// A line of text cut by the picture's edges keeps the part inside, the
// first row and column included.
TEST(Superficie, TextoCortadoPorLosBordes) {
    Imagen img(12, 12, 0);
    EscribirTexto(img, Fuente{}, "\u2588", -3, -6, 0xFFFFFF);
    EXPECT_NE(img.En(0, 0), 0);
    EXPECT_EQ(img.En(11, 11), 0);
}

TEST(Superficie, HandlesDistintos) {
    auto a = CrearSuperficie(), b = CrearSuperficie();
    EXPECT_NE(a->hDC(), 0);
    EXPECT_NE(a->hWnd(), 0);
    EXPECT_NE(a->hDC(), a->hWnd());
    EXPECT_NE(a->hDC(), b->hDC());
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

TEST(Superficie, PngConTransparenciaSobreNegro) {
    // Opaque red, and a wholly transparent grey-blue that reads as black.
    const uint8_t rgba[] = {255, 0, 0, 255, 10, 20, 30, 0};
    png_image png{};
    png.version = PNG_IMAGE_VERSION;
    png.width = 2;
    png.height = 1;
    png.format = PNG_FORMAT_RGBA;
    png_alloc_size_t n = 0;
    ASSERT_TRUE(png_image_write_to_memory(&png, nullptr, &n, 0, rgba, 0, nullptr));
    std::vector<uint8_t> datos(n);
    ASSERT_TRUE(png_image_write_to_memory(&png, datos.data(), &n, 0, rgba, 0, nullptr));
    EXPECT_EQ(DecodificarPng(datos).Pixeles, (std::vector<int32_t>{RGB(255, 0, 0), 0}));
}

TEST(Superficie, PngNoValido) {
    EXPECT_EQ(ConError([] { DecodificarPng({1, 2, 3}); }), "!321");
    EXPECT_EQ(ConError([] { DecodificarPng({}); }), "!321");
    std::vector<uint8_t> cortado = CodificarPng(Imagen(50, 50, 7));
    cortado.resize(cortado.size() / 2);
    EXPECT_EQ(ConError([&] { DecodificarPng(cortado); }), "!321");
    EXPECT_EQ(ConError([] { LeerPng("/no/existe/nada.png"); }), "!53");
    EXPECT_EQ(ConError([] { GuardarPng(Imagen(1, 1), "/no/existe/nada.png"); }), "!75");
}

}  // namespace
}  // namespace relivo
