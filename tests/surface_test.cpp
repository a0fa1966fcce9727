// The drawing surface of the Linux back end, through its interface.
#include "relivo/platform/surface.h"

#include <gtest/gtest.h>

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

constexpr ColorOle kRojo = RGB(255, 0, 0);
constexpr ColorOle kAzul = RGB(0, 0, 255);
constexpr ColorOle kBlanco = 0xFFFFFF;
const float kNaN = std::nanf("");
const float kInf = INFINITY;

int32_t NumeroDeFallo(const std::function<void()>& f) {
    try {
        f();
    } catch (const Fallo& e) {
        return e.numero();
    }
    return 0;
}

// A numeric property by its name (a colour as its number, a boolean as 0 or 1).
template <class T>
double ComoNumero(const T& valor) {
    if constexpr (std::is_arithmetic_v<T>) {
        return static_cast<double>(valor);
    } else {
        throw std::invalid_argument("not a number");
    }
}

template <class T, class Asignar>
void DesdeNumero(double v, Asignar asignar) {
    if constexpr (std::is_arithmetic_v<T>) {
        asignar(static_cast<T>(v));
    } else {
        throw std::invalid_argument("not a number");
    }
}

double LeerPropiedad(const SuperficieDibujo& s, const std::string& nombre) {
#define RELIVO_LEER(Nombre, ...) \
    if (nombre == #Nombre) return ComoNumero(s.Nombre());
    RELIVO_PROPIEDADES_SUPERFICIE(RELIVO_LEER)
#undef RELIVO_LEER
    if (nombre == "Width") return s.Width();
    if (nombre == "Height") return s.Height();
    throw std::invalid_argument(nombre);
}

void FijarPropiedad(SuperficieDibujo& s, const std::string& nombre, double v) {
#define RELIVO_FIJAR(Nombre, Tipo, Clase, ...)                                       \
    RELIVO_SI_SE_ASIGNA(                                                             \
        Clase, if (nombre == #Nombre) {                                              \
            return DesdeNumero<tipos::Tipo::Valor>(v, [&](auto x) { s.Nombre(x); }); \
        })
    RELIVO_PROPIEDADES_SUPERFICIE(RELIVO_FIJAR)
#undef RELIVO_FIJAR
    if (nombre == "Width") return s.Width(static_cast<float>(v));
    if (nombre == "Height") return s.Height(static_cast<float>(v));
    throw std::invalid_argument(nombre);
}

// tests/data/superficie.tsv: on a new surface, a property, the value set
// (none: only read) and the value read back, or "!380" for a value refused
// with 380 that changes nothing.
class PropiedadTest : public ::testing::TestWithParam<prueba::FilaTabla> {};

TEST_P(PropiedadTest, SeLeeOSeRechaza) {
    const prueba::FilaTabla& f = GetParam();
    auto s = CrearSuperficie();
    const double antes = LeerPropiedad(*s, f[0]);
    if (f[2] != "!380") {
        if (!f[1].empty()) FijarPropiedad(*s, f[0], std::stod(f[1]));
        EXPECT_EQ(LeerPropiedad(*s, f[0]), std::stod(f[2])) << f[0];
        return;
    }
    try {
        FijarPropiedad(*s, f[0], std::stod(f[1]));
        ADD_FAILURE() << "sin error";
    } catch (const Fallo& e) {
        EXPECT_EQ(e.numero(), 380);
        EXPECT_EQ(e.texto(), "El valor de la propiedad no es válido");
    }
    const double despues = LeerPropiedad(*s, f[0]);
    EXPECT_TRUE(despues == antes || (std::isnan(antes) && std::isnan(despues))) << f[0];
}

INSTANTIATE_TEST_SUITE_P(Datos, PropiedadTest,
                         ::testing::ValuesIn(prueba::LeerTabla("superficie.tsv")),
                         [](const auto& i) { return "Linea" + std::to_string(i.param.linea); });

TEST(Superficie, ValoresIniciales) {
    auto s = CrearSuperficie();
    EXPECT_TRUE(s->Picture().Vacia());
    // The interior (inside the 2-pixel border) shows the button face.
    const Imagen img = s->Image();
    EXPECT_EQ(img.Ancho, 309);
    EXPECT_EQ(img.Alto, 229);
    EXPECT_EQ(Contar(img, *ResolverColor(colores_sistema::kCaraBoton)), 309 * 229);
    // A picture whose pixels do not match its size is refused.
    Imagen incoherente;
    incoherente.Ancho = 3;
    incoherente.Alto = 3;
    try {
        s->Picture(incoherente);
        ADD_FAILURE() << "sin error";
    } catch (const Fallo& e) {
        EXPECT_EQ(e.numero(), 380);
    }
    EXPECT_TRUE(s->Picture().Vacia());
}

TEST(Superficie, HandlesDistintos) {
    auto a = CrearSuperficie(), b = CrearSuperficie();
    EXPECT_NE(a->hDC(), 0);
    EXPECT_NE(a->hWnd(), 0);
    EXPECT_NE(a->hDC(), a->hWnd());
    EXPECT_NE(a->hDC(), b->hDC());
}

// Every scale mode gives the interior's size in its unit.
struct CasoEscala {
    int16_t modo;
    double ancho, alto;  // of an interior of 96 x 48 pixels
};

class EscalaTest : public ::testing::TestWithParam<CasoEscala> {};

TEST_P(EscalaTest, TamanoInteriorEnLaUnidad) {
    auto s = CrearSuperficie(100, 52);  // 96 x 48 inside the border
    s->ScaleLeft(7);
    s->ScaleMode(GetParam().modo);
    EXPECT_FLOAT_EQ(s->ScaleWidth(), GetParam().ancho);
    EXPECT_FLOAT_EQ(s->ScaleHeight(), GetParam().alto);
    EXPECT_EQ(s->ScaleLeft(), 0);
    EXPECT_EQ(s->ScaleTop(), 0);
}

INSTANTIATE_TEST_SUITE_P(Tabla, EscalaTest,
                         ::testing::Values(CasoEscala{1, 1440, 720}, CasoEscala{2, 72, 36},
                                           CasoEscala{3, 96, 48}, CasoEscala{4, 12, 3},
                                           CasoEscala{5, 1, 0.5}, CasoEscala{6, 25.4, 12.7},
                                           CasoEscala{7, 2.54, 1.27}));

TEST(Superficie, EscalaDeUsuario) {
    auto s = CrearSuperficie(104, 54);  // 100 x 50 inside
    s->ScaleWidth(10);
    EXPECT_EQ(s->ScaleMode(), 0);
    s->ScaleHeight(-10);  // y up
    s->ScaleTop(5);
    s->ScaleLeft(-5);
    s->BackColor(0);
    s->AutoRedraw(true);
    // (0, 0) is the middle of the interior.
    s->PSet(0, 0, kRojo);
    EXPECT_EQ(s->Image().En(50, 25), kRojo);
    EXPECT_EQ(s->Point(0, 0), kRojo);
    EXPECT_EQ(s->Point(-5, 5), 0);
    EXPECT_EQ(s->Point(6, 0), -1);  // outside
    // ScaleMode 0 keeps the user scale; a resize keeps it too.
    s->ScaleMode(0);
    EXPECT_EQ(s->ScaleWidth(), 10);
    s->Width(204);
    EXPECT_EQ(s->ScaleWidth(), 10);
    EXPECT_EQ(s->ScaleLeft(), -5);
}

TEST(Superficie, RedimensionarEnModoFijoRecalculaLaEscala) {
    auto s = CrearSuperficie(104, 54);
    s->ScaleMode(3);
    s->Width(204);
    s->Height(24);
    EXPECT_EQ(s->ScaleWidth(), 200);
    EXPECT_EQ(s->ScaleHeight(), 20);
    s->BorderStyle(0);
    EXPECT_EQ(s->ScaleWidth(), 204);
    EXPECT_EQ(s->Image().Ancho, 204);
}

struct Oyente : EventosSuperficie {
    std::vector<std::string> eventos;
    int16_t nuevoKeyAscii = -1;
    float x = 0, y = 0;
    void Click() override { eventos.push_back("Click"); }
    void DblClick() override { eventos.push_back("DblClick"); }
    void KeyDown(int16_t& k, int16_t&) override {
        eventos.push_back("KeyDown" + std::to_string(k));
    }
    void KeyPress(int16_t& k) override {
        eventos.push_back("KeyPress" + std::to_string(k));
        if (nuevoKeyAscii >= 0) k = nuevoKeyAscii;
    }
    void KeyUp(int16_t& k, int16_t&) override { eventos.push_back("KeyUp" + std::to_string(k)); }
    void MouseDown(int16_t& b, int16_t&, float& px, float& py) override {
        eventos.push_back("MouseDown" + std::to_string(b));
        x = px;
        y = py;
    }
    void MouseMove(int16_t&, int16_t&, float&, float&) override { eventos.push_back("MouseMove"); }
    void MouseUp(int16_t&, int16_t&, float&, float&) override { eventos.push_back("MouseUp"); }
    void Resize() override { eventos.push_back("Resize"); }
};

TEST(Superficie, EventosDeTecladoRatonYTamano) {
    auto s = CrearSuperficie(104, 54);
    Oyente o;
    s->FijarEventos(&o);
    EXPECT_EQ(s->Teclear(65, 0, 97), 97);
    o.nuevoKeyAscii = 0;  // the handler suppresses the key
    EXPECT_EQ(s->Teclear(66, 0, 98), 0);
    s->PulsarRaton(1, 0, 10, 4);
    s->MoverRaton(1, 0, 11, 4);
    s->SoltarRaton(1, 0, 11, 4);
    s->DobleClic();
    s->Width(104);  // same size: no event
    s->Width(120);
    s->Height(60);
    const std::vector<std::string> esperado = {
        "KeyDown65", "KeyPress97", "KeyUp65", "KeyDown66", "KeyPress98", "KeyUp66", "MouseDown1",
        "MouseMove", "MouseUp",    "Click",   "DblClick",  "Resize",     "Resize"};
    EXPECT_EQ(o.eventos, esperado);
    // Mouse positions arrive in twips (15 per pixel).
    EXPECT_EQ(o.x, 150);
    EXPECT_EQ(o.y, 60);
    // A click needs the release inside the interior, its edges included.
    const auto clics = [&](float px, float py) {
        o.eventos.clear();
        s->PulsarRaton(1, 0, 5, 5);
        s->SoltarRaton(1, 0, px, py);
        return std::count(o.eventos.begin(), o.eventos.end(), "Click");
    };
    s->ScaleMode(3);  // pixels
    const float ancho = s->ScaleWidth(), alto = s->ScaleHeight();
    EXPECT_EQ(clics(0, 0), 1);
    EXPECT_EQ(clics(ancho - 1, alto - 1), 1);
    EXPECT_EQ(clics(-1, 5), 0);
    EXPECT_EQ(clics(5, -1), 0);
    EXPECT_EQ(clics(ancho, 5), 0);
    EXPECT_EQ(clics(5, alto), 0);
    // A disabled surface raises nothing.
    o.eventos.clear();
    s->Enabled(false);
    EXPECT_EQ(s->Teclear(65, 0, 97), 0);
    s->PulsarRaton(1, 0, 1, 1);
    s->SoltarRaton(1, 0, 1, 1);
    EXPECT_TRUE(o.eventos.empty());
}

// The sixteen draw modes over a known pixel.
struct CasoModo {
    int16_t modo;
    int32_t esperado;  // pen 0x00FF0F over 0x0F33F0
};

class ModoTest : public ::testing::TestWithParam<CasoModo> {};

TEST_P(ModoTest, PixelResultante) {
    auto s = SuperficiePixeles(4, 4);
    s->BackColor(0x0F33F0);
    s->DrawMode(GetParam().modo);
    s->PSet(1, 1, 0x00FF0F);
    EXPECT_EQ(s->Point(1, 1), GetParam().esperado) << GetParam().modo;
    EXPECT_EQ(s->Point(2, 2), 0x0F33F0);
}

constexpr int32_t P = 0x00FF0F, D = 0x0F33F0, M = 0xFFFFFF;
INSTANTIATE_TEST_SUITE_P(Tabla, ModoTest,
                         ::testing::Values(CasoModo{1, 0}, CasoModo{2, ~(P | D) & M},
                                           CasoModo{3, ~P& D& M}, CasoModo{4, ~P& M},
                                           CasoModo{5, P & ~D& M}, CasoModo{6, ~D& M},
                                           CasoModo{7, P ^ D}, CasoModo{8, ~(P& D) & M},
                                           CasoModo{9, P& D}, CasoModo{10, ~(P ^ D) & M},
                                           CasoModo{11, D}, CasoModo{12, (~P | D) & M},
                                           CasoModo{13, P}, CasoModo{14, (P | ~D) & M},
                                           CasoModo{15, P | D}, CasoModo{16, M}));

TEST(Superficie, LineaSinPuntoFinalYPosicionActual) {
    auto s = SuperficiePixeles(20, 10);
    s->Line(0, 5, 10, 5);
    const Imagen img = s->Image();
    for (int x = 0; x < 10; ++x) EXPECT_EQ(img.En(x, 5), kBlanco) << x;
    EXPECT_EQ(img.En(10, 5), 0);
    EXPECT_EQ(Contar(img, kBlanco), 10);
    EXPECT_EQ(s->CurrentX(), 10);
    EXPECT_EQ(s->CurrentY(), 5);
    // Drawing twice in xor mode erases exactly.
    s->DrawMode(7);
    s->Line(0, 5, 10, 5);
    EXPECT_EQ(Contar(s->Image(), kBlanco), 0);
}

TEST(Superficie, CajasYCajaRellena) {
    auto s = SuperficiePixeles(20, 20);
    s->Line(2, 2, 6, 5, kRojo, FormaLinea::Caja);
    EXPECT_EQ(Contar(s->Image(), kRojo), 2 * 5 + 2 * 2);
    s->Cls();
    s->Line(2, 2, 6, 5, kRojo, FormaLinea::CajaRellena);
    EXPECT_EQ(Contar(s->Image(), kRojo), 5 * 4);
    EXPECT_EQ(s->Point(6, 5), kRojo);
}

// Dash patterns of a thin pen along a line of 48 pixels.
struct CasoEstilo {
    int16_t estilo;
    int64_t encendidos;
    std::vector<int> apagados;  // some pixels that stay off
};

class EstiloTest : public ::testing::TestWithParam<CasoEstilo> {};

TEST_P(EstiloTest, Patron) {
    auto s = SuperficiePixeles(60, 3);
    s->DrawStyle(GetParam().estilo);
    s->Line(0, 1, 48, 1);
    const Imagen img = s->Image();
    EXPECT_EQ(Contar(img, kBlanco), GetParam().encendidos);
    for (int x : GetParam().apagados) EXPECT_EQ(img.En(x, 1), 0) << x;
}

INSTANTIATE_TEST_SUITE_P(Tabla, EstiloTest,
                         ::testing::Values(CasoEstilo{0, 48, {48}}, CasoEstilo{1, 36, {18, 23}},
                                           CasoEstilo{2, 24, {3, 4, 5}},
                                           CasoEstilo{3, 24, {9, 14, 18, 23}},
                                           CasoEstilo{4, 30, {9, 11, 15, 21}},
                                           CasoEstilo{5, 0, {0}}, CasoEstilo{6, 48, {48}}));

TEST(Superficie, AnchoDePlumaDibujaUnDisco) {
    auto s = SuperficiePixeles(20, 20);
    s->DrawWidth(5);
    s->PSet(10, 10);
    const Imagen img = s->Image();
    // Pixels whose centre is within 2.5 of the centre of pixel (10, 10).
    EXPECT_EQ(Contar(img, kBlanco), 21);
    EXPECT_EQ(img.En(12, 10), kBlanco);
    EXPECT_EQ(img.En(13, 10), 0);
    EXPECT_EQ(img.En(10, 8), kBlanco);
    EXPECT_EQ(img.En(12, 12), 0);
}

TEST(Superficie, CirculoArcosYAspecto) {
    auto s = SuperficiePixeles(100, 100);
    s->Circle(50, 50, 20);
    EXPECT_EQ(s->Point(70, 50), kBlanco);
    EXPECT_EQ(s->Point(30, 50), kBlanco);
    EXPECT_EQ(s->Point(50, 30), kBlanco);
    EXPECT_EQ(s->Point(50, 50), 0);  // transparent fill
    EXPECT_EQ(s->CurrentX(), 50);

    s->Cls();
    s->Circle(50, 50, 20, kRojo, 0, static_cast<float>(std::numbers::pi / 2));
    EXPECT_EQ(s->Point(70, 50), kRojo);
    EXPECT_EQ(s->Point(50, 30), kRojo);
    EXPECT_EQ(s->Point(30, 50), 0);
    EXPECT_EQ(s->Point(50, 70), 0);

    s->Cls();
    s->Circle(50, 50, 20, kRojo, {}, {}, 0.5f);
    EXPECT_EQ(s->Point(70, 50), kRojo);
    EXPECT_EQ(s->Point(50, 40), kRojo);
    EXPECT_EQ(s->Point(50, 30), 0);

    s->Cls();
    s->Circle(50, 50, 20, kRojo, {}, {}, 2.0f);  // Radius is the vertical radius
    EXPECT_EQ(s->Point(50, 30), kRojo);
    EXPECT_EQ(s->Point(60, 50), kRojo);
}

TEST(Superficie, RellenoDeCirculosYPorciones) {
    auto s = SuperficiePixeles(100, 100);
    s->FillStyle(0);
    s->FillColor(kAzul);
    s->Circle(50, 50, 20, kRojo);
    EXPECT_EQ(s->Point(50, 50), kAzul);
    EXPECT_EQ(s->Point(60, 60), kAzul);
    EXPECT_EQ(s->Point(70, 50), kRojo);
    EXPECT_EQ(s->Point(75, 50), 0);
    EXPECT_EQ(s->Point(67, 33), 0);  // beside the circle, within its box
    // In twips the radius is scaled as well: 300 twips are 20 pixels.
    s->Cls();
    s->ScaleMode(1);
    s->Circle(750, 750, 300, kRojo);
    s->ScaleMode(3);
    EXPECT_EQ(s->Point(70, 50), kRojo);
    EXPECT_EQ(s->Point(75, 50), 0);
    EXPECT_EQ(s->Point(50, 69), kAzul);
    // A pie (both angles negative): the quadrant up and right is filled.
    s->Cls();
    s->Circle(50, 50, 20, kRojo, -0.0001f, -static_cast<float>(std::numbers::pi / 2));
    EXPECT_EQ(s->Point(58, 42), kAzul);
    EXPECT_EQ(s->Point(42, 58), 0);
    EXPECT_EQ(s->Point(60, 50), kRojo);  // the radius to angle 0
    // The quadrant up and left: the pixels right of the centre stay out.
    s->Cls();
    s->Circle(50, 50, 20, kRojo, -static_cast<float>(std::numbers::pi / 2),
              -static_cast<float>(std::numbers::pi));
    EXPECT_EQ(s->Point(42, 42), kAzul);
    EXPECT_EQ(s->Point(51, 50), 0);
    EXPECT_EQ(s->Point(51, 51), 0);
    // An arc with positive angles is not filled.
    s->Cls();
    s->Circle(50, 50, 20, kRojo, 0.0001f, static_cast<float>(std::numbers::pi / 2));
    EXPECT_EQ(s->Point(58, 42), 0);
}

// Fill styles inside a filled box drawn by Circle's fill: the hatch lines.
struct CasoTrama {
    int16_t estilo;
    std::vector<std::pair<int, int>> pintados, vacios;
};

class TramaTest : public ::testing::TestWithParam<CasoTrama> {};

TEST_P(TramaTest, Pixeles) {
    auto s = SuperficiePixeles(64, 64);
    s->DrawStyle(5);  // no outline
    s->FillStyle(GetParam().estilo);
    s->FillColor(kRojo);
    s->Circle(32, 32, 30);
    for (auto [x, y] : GetParam().pintados) EXPECT_EQ(s->Point(x, y), kRojo) << x << "," << y;
    for (auto [x, y] : GetParam().vacios) EXPECT_EQ(s->Point(x, y), 0) << x << "," << y;
}

INSTANTIATE_TEST_SUITE_P(Tabla, TramaTest,
                         ::testing::Values(CasoTrama{0, {{32, 32}, {33, 35}}, {{1, 1}}},
                                           CasoTrama{1, {}, {{32, 32}, {33, 35}}},
                                           CasoTrama{2, {{30, 32}, {33, 24}}, {{30, 33}, {31, 31}}},
                                           CasoTrama{3, {{32, 30}, {24, 33}}, {{33, 32}, {31, 31}}},
                                           CasoTrama{4, {{31, 32}, {32, 31}}, {{32, 32}, {33, 33}}},
                                           CasoTrama{5, {{32, 32}, {33, 33}}, {{31, 32}, {32, 31}}},
                                           CasoTrama{6, {{32, 30}, {30, 32}}, {{33, 33}, {31, 31}}},
                                           CasoTrama{
                                               7, {{32, 32}, {31, 32}}, {{33, 32}, {32, 34}}}));

TEST(Superficie, ArgumentosNoValidosDeMetodos) {
    auto s = SuperficiePixeles(10, 10);
    EXPECT_EQ(NumeroDeFallo([&] { s->PSet(kNaN, 1); }), 5);
    EXPECT_EQ(NumeroDeFallo([&] { s->Line(0, 0, kInf, 1); }), 5);
    EXPECT_EQ(NumeroDeFallo([&] { s->PSet(1, 1, 0x7F000000); }), 5);
    EXPECT_EQ(NumeroDeFallo([&] { s->Circle(5, 5, 3, {}, 7.0f); }), 5);
    EXPECT_EQ(NumeroDeFallo([&] { s->Point(kNaN, 0); }), 5);
    EXPECT_EQ(
        NumeroDeFallo([&] { s->PaintPicture(Imagen(2, 2), 0, 0, {}, {}, {}, {}, {}, {}, 1); }), 5);
    EXPECT_EQ(Contar(s->Image(), 0), 100);  // nothing was drawn
}

TEST(Superficie, FigurasLejanasYEnormesNoCuelgan) {
    auto s = SuperficiePixeles(50, 50);
    s->Line(-3e38f, -3e38f, 3e38f, 3e38f);
    s->DrawWidth(30);
    s->Line(-1e9f, 25, 1e9f, 25);
    s->FillStyle(0);
    s->Circle(25, 25, 1e30f);
    s->Circle(1e30f, 1e30f, 5);
    s->PSet(-1e30f, 0);
    EXPECT_EQ(s->Point(0, 0), kBlanco);
}

TEST(Superficie, AutoRedrawActivado) {
    auto s = SuperficiePixeles(10, 10);
    s->PSet(3, 3, kRojo);
    EXPECT_EQ(s->Image().En(3, 3), kRojo);
    EXPECT_EQ(s->Pantalla().En(3, 3), 0);  // not shown before Refresh
    s->Refresh();
    EXPECT_EQ(s->Pantalla().En(3, 3), kRojo);
    s->Cls();
    EXPECT_EQ(s->Image().En(3, 3), 0);
    EXPECT_EQ(s->CurrentX(), 0);
}

TEST(Superficie, AutoRedrawDesactivado) {
    auto s = SuperficiePixeles(10, 10);
    s->PSet(1, 1, kAzul);  // persistent
    s->AutoRedraw(false);
    s->PSet(3, 3, kRojo);  // window only
    EXPECT_EQ(s->Image().En(3, 3), 0);
    EXPECT_EQ(s->Pantalla().En(3, 3), kRojo);
    EXPECT_EQ(s->Point(3, 3), kRojo);
    // Refresh shows the persistent picture again; the rest is gone.
    s->Refresh();
    EXPECT_EQ(s->Pantalla().En(3, 3), 0);
    EXPECT_EQ(s->Pantalla().En(1, 1), kAzul);
    s->PSet(4, 4, kRojo);
    s->Cls();
    EXPECT_EQ(s->Pantalla().En(4, 4), 0);
    EXPECT_EQ(s->Image().En(1, 1), kAzul);
}

TEST(Superficie, BackColorBorraYFondoConPicture) {
    auto s = SuperficiePixeles(10, 10);
    s->PSet(3, 3, kRojo);
    s->BackColor(kAzul);
    EXPECT_EQ(Contar(s->Image(), kAzul), 100);
    Imagen fondo(2, 2, kRojo);
    s->Picture(fondo);
    s->PSet(5, 5, kBlanco);
    s->Cls();
    const Imagen img = s->Image();
    EXPECT_EQ(img.En(1, 1), kRojo);
    EXPECT_EQ(img.En(2, 2), kAzul);
    EXPECT_EQ(img.En(5, 5), kAzul);
    EXPECT_EQ(s->BackColor(), kAzul);
    // System colours resolve through the table.
    s->BackColor(colores_sistema::kVentana);
    EXPECT_EQ(s->Point(5, 5), kBlanco);
}

TEST(Superficie, RedimensionarConservaElDibujo) {
    auto s = SuperficiePixeles(10, 10);
    s->PSet(3, 3, kRojo);
    s->Width(20);
    const Imagen img = s->Image();
    EXPECT_EQ(img.Ancho, 20);
    EXPECT_EQ(img.En(3, 3), kRojo);
    EXPECT_EQ(img.En(15, 3), 0);
}

TEST(Superficie, PaintPictureCopiaEstiraReflejaYCombina) {
    auto s = SuperficiePixeles(20, 20);
    Imagen p(2, 1);
    p.En(0, 0) = kRojo;
    p.En(1, 0) = kAzul;
    s->PaintPicture(p, 3, 3);
    EXPECT_EQ(s->Point(3, 3), kRojo);
    EXPECT_EQ(s->Point(4, 3), kAzul);
    EXPECT_EQ(s->Point(5, 3), 0);
    s->PaintPicture(p, 0, 10, 4.0f, 2.0f);  // stretched
    EXPECT_EQ(s->Point(1, 11), kRojo);
    EXPECT_EQ(s->Point(2, 10), kAzul);
    EXPECT_EQ(s->Point(3, 11), kAzul);
    s->PaintPicture(p, 10, 0, -2.0f);  // mirrored to the left of x = 10
    EXPECT_EQ(s->Point(9, 0), kRojo);
    EXPECT_EQ(s->Point(8, 0), kAzul);
    s->PaintPicture(p, 3, 3, {}, {}, {}, {}, {}, {}, 0x00660046);  // xor over itself
    EXPECT_EQ(s->Point(3, 3), 0);
    EXPECT_EQ(s->Point(4, 3), 0);
    s->PaintPicture(p, 15, 15, {}, {}, 1.0f, 0.0f, 1.0f, 1.0f);  // the second pixel, once
    EXPECT_EQ(s->Point(15, 15), kAzul);
    EXPECT_EQ(s->Point(16, 15), 0);
    // In twips (15 per pixel) every position and size is scaled: the second
    // pixel of the picture stretched over 4 x 2 pixels at (12, 12).
    s->ScaleMode(1);
    s->PaintPicture(p, 180, 180, 60.0f, 30.0f, 15.0f, 0.0f, 15.0f, 15.0f);
    s->ScaleMode(3);
    EXPECT_EQ(s->Point(12, 12), kAzul);
    EXPECT_EQ(s->Point(15, 13), kAzul);
    EXPECT_EQ(s->Point(16, 13), 0);
    EXPECT_EQ(s->Point(12, 14), 0);
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
    const std::string ruta = ::testing::TempDir() + "superficie_test.png";
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
