// The drawing surface of the Linux back end, driven by scripts: each
// tests/data/surface/NAME.txt is a list of calls on one surface, and what the
// calls answer (values read, errors, events) and the pictures they leave are
// compared with the reviewed recordings NAME.log and NAME.K.png.
//
// One call a line ("#" opens a comment; "-" leaves an optional argument out;
// a text runs to the end of the line and may hold "\xNN"):
//   new W H              a black surface of W x H pixels without a border, in
//                        pixels, with a white pen and fill and AutoRedraw on
//   plain                a surface as a host gets it (default size and values)
//   set NAME VALUE       a property by its name (Width and Height too)
//   get NAME             reads a property
//   font NAME SIZE       the Font property as a whole
//   picture NAME         Picture or MouseIcon set to the 3 x 2 test picture
//   Line X1 Y1 X2 Y2 [COLOR] [B|BF]
//   Circle X Y R [COLOR] [START] [END] [ASPECT]
//   PSet X Y [COLOR]     Point X Y              Cls        Refresh
//   PaintPicture X1 Y1 [W1 H1 X2 Y2 W2 H2 OPCODE]   (the test picture)
//   TextWidth TEXT       TextHeight TEXT
//   Polygon X Y X Y ...  the polygon fill through hDC
//   key CODE SHIFT ASCII    down|move|up BUTTON SHIFT PX PY    dblclick
//                        (script.h)
//   image                the persistent picture, compared with NAME.K.png
//   screen               what the window shows, compared with NAME.K.png
#include <gtest/gtest.h>
#include <png.h>

#include <sstream>
#include <string>
#include <vector>

#include "platform/linux/fonts.h"
#include "platform/png.h"
#include "relivo/platform/polygon.h"
#include "relivo/platform/surface.h"
#include "tests/support/raster_util.h"
#include "tests/support/script.h"

namespace relivo::prueba {
namespace {

const std::filesystem::path kCarpeta = std::filesystem::path(RELIVO_TEST_DATA) / "surface";

// Every event, with its arguments, into the log.
struct Oyente : EventosSuperficie {
    Guion* g = nullptr;
    void Click() override { g->Anotar("event Click"); }
    void DblClick() override { g->Anotar("event DblClick"); }
    void KeyDown(int16_t& k, int16_t& s) override { Evento("KeyDown", k, s); }
    void KeyPress(int16_t& a) override {
        Evento("KeyPress", a);
        if (a == 'q') a = 0;  // the host suppresses "q"
    }
    void KeyUp(int16_t& k, int16_t& s) override { Evento("KeyUp", k, s); }
    void MouseDown(int16_t& b, int16_t& s, float& x, float& y) override {
        Evento("MouseDown", b, s, x, y);
    }
    void MouseMove(int16_t& b, int16_t& s, float& x, float& y) override {
        Evento("MouseMove", b, s, x, y);
    }
    void MouseUp(int16_t& b, int16_t& s, float& x, float& y) override {
        Evento("MouseUp", b, s, x, y);
    }
    void Resize() override { g->Anotar("event Resize"); }
    template <class... T>
    void Evento(const char* nombre, const T&... args) {
        std::ostringstream s;
        s << "event " << nombre;
        ((s << ' ' << args), ...);
        g->Anotar(s.str());
    }
};

class GuionSuperficie : public ::testing::TestWithParam<std::string> {};

TEST_P(GuionSuperficie, DaLoGrabado) {
    Guion g(kCarpeta, GetParam());
    Oyente oyente;
    oyente.g = &g;
    std::unique_ptr<SuperficieDibujo> s;
    const Imagen prueba = ImagenDePrueba();
    g.Correr([&](const std::vector<std::string>& a, const std::string& linea) {
        const Argumentos x{a};
        const std::string& c = a[0];
        auto color = [&](size_t i) -> std::optional<ColorOle> { return x.Entero(i); };
        if (s && (Entrada(*s, a, g) || Comun(*s, a, linea, g))) return;
        if (c == "new" || c == "plain") {
            s = c == "new" ? SuperficiePixeles(std::atoi(a[1].c_str()), std::atoi(a[2].c_str()))
                           : CrearSuperficie();
            s->FijarEventos(&oyente);
        } else if (c == "set" && a[1] == "Width") {
            s->Width(x.F(2));
        } else if (c == "set" && a[1] == "Height") {
            s->Height(x.F(2));
        } else if (c == "set") {
            EXPECT_TRUE(FijarPropiedadSuperficie(*s, a[1], Argumentos::Resto(linea, 2))) << a[1];
        } else if (c == "picture") {
            EXPECT_TRUE(FijarPropiedadSuperficie(*s, a[1], "prueba"));
        } else if (c == "get") {
            g.Anotar(a[1] == "Width"    ? Texto(s->Width())
                     : a[1] == "Height" ? Texto(s->Height())
                                        : LeerPropiedadSuperficie(*s, a[1]).value_or("?"));
        } else if (c == "font") {
            Fuente fuente;
            fuente.Name = a[1];
            fuente.Size = x.F(2);
            s->Font(fuente);
        } else if (c == "Line") {
            const std::string forma = a.size() > 6 ? a[6] : "";
            s->Line(x.F(1), x.F(2), x.F(3), x.F(4), color(5),
                    forma == "BF"  ? FormaLinea::CajaRellena
                    : forma == "B" ? FormaLinea::Caja
                                   : FormaLinea::Segmento);
        } else if (c == "Circle") {
            s->Circle(x.F(1), x.F(2), x.F(3), color(4), x.Opcional(5), x.Opcional(6),
                      x.Opcional(7));
        } else if (c == "PSet") {
            s->PSet(x.F(1), x.F(2), color(3));
        } else if (c == "PaintPicture") {
            s->PaintPicture(prueba, x.F(1), x.F(2), x.Opcional(3), x.Opcional(4), x.Opcional(5),
                            x.Opcional(6), x.Opcional(7), x.Opcional(8), x.Entero(9));
        } else if (c == "Polygon") {
            std::vector<PuntoApi> p;
            for (size_t i = 1; i + 1 < a.size(); i += 2) {
                p.push_back({std::atoi(a[i].c_str()), std::atoi(a[i + 1].c_str())});
            }
            g.Anotar(Polygon(s->hDC(), p) ? "true" : "false");
        } else if (c == "image") {
            g.Foto(s->Image());
        } else if (c == "screen") {
            g.Foto(s->Pantalla());
        } else {
            ADD_FAILURE() << "unknown call " << c;
        }
    });
}

INSTANTIATE_TEST_SUITE_P(Datos, GuionSuperficie, ::testing::ValuesIn(Guiones(kCarpeta)),
                         [](const auto& info) { return info.param; });

// What the scripts cannot say: pictures that are not coherent, text cut by
// the edges, the handles, and PNG files with transparency or damaged. (PNG
// files written and read back are in every picture of the scripts and of
// the recorded corpus.)
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
    EXPECT_EQ(ConError([&] { s->PaintPicture(Imagen(1, 1), 0, 0); }), "");
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
}  // namespace relivo::prueba
