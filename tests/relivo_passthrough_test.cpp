// Relivo's members and events passed through to its drawing surface, and
// the control's resizing.
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "tests/support/relivo_test_host.h"

namespace relivo::prueba {
namespace {

// Each forwarded setter changes the surface and notifies the host by name.
struct CasoReenvio {
    const char* nombre;
    std::function<void(Relivo&)> fijar;
    std::function<bool(SuperficieDibujo&)> aplicado;
};

class Reenvio : public testing::TestWithParam<CasoReenvio> {};

TEST_P(Reenvio, LlegaALaSuperficieYAvisaDelCambio) {
    Banco b;
    GetParam().fijar(*b.r);
    EXPECT_TRUE(GetParam().aplicado(b.r->PlanoInterno()));
    EXPECT_EQ(b.host.PropiedadesCambiadas(), std::vector<std::string>{GetParam().nombre});
    EXPECT_TRUE(b.Eventos().empty());
}

INSTANTIATE_TEST_SUITE_P(
    Relivo, Reenvio,
    testing::Values(CasoReenvio{"BackColor", [](Relivo& r) { r.BackColor(RGB(1, 2, 3)); },
                                [](SuperficieDibujo& s) { return s.BackColor() == RGB(1, 2, 3); }},
                    CasoReenvio{"AutoRedraw", [](Relivo& r) { r.AutoRedraw(true); },
                                [](SuperficieDibujo& s) { return s.AutoRedraw(); }},
                    CasoReenvio{"DrawWidth", [](Relivo& r) { r.DrawWidth(4); },
                                [](SuperficieDibujo& s) { return s.DrawWidth() == 4; }},
                    CasoReenvio{"FillStyle", [](Relivo& r) { r.FillStyle(6); },
                                [](SuperficieDibujo& s) { return s.FillStyle() == 6; }},
                    CasoReenvio{"FontName", [](Relivo& r) { r.FontName("DejaVu Serif"); },
                                [](SuperficieDibujo& s) { return s.FontName() == "DejaVu Serif"; }},
                    CasoReenvio{"ScaleWidth", [](Relivo& r) { r.ScaleWidth(100); },
                                [](SuperficieDibujo& s) { return s.ScaleWidth() == 100; }},
                    CasoReenvio{"ToolTipText", [](Relivo& r) { r.ToolTipText("hola"); },
                                [](SuperficieDibujo& s) { return s.ToolTipText() == "hola"; }},
                    CasoReenvio{"WhatsThisHelpID", [](Relivo& r) { r.WhatsThisHelpID(7); },
                                [](SuperficieDibujo& s) { return s.WhatsThisHelpID() == 7; }},
                    CasoReenvio{"Picture",
                                [](Relivo& r) { r.Picture(Imagen(3, 3, RGB(0, 0, 255))); },
                                [](SuperficieDibujo& s) {
                                    return s.Picture() == Imagen(3, 3, RGB(0, 0, 255));
                                }}),
    [](const testing::TestParamInfo<CasoReenvio>& i) { return std::string(i.param.nombre); });

TEST(RelivoSuperficie, UnValorQueLaSuperficieRechazaFallaLaLlamadaSinEventos) {
    Banco b;
    try {
        b.r->FillStyle(99);
        ADD_FAILURE() << "the setter should fail";
    } catch (const Fallo& f) {
        EXPECT_EQ(f.numero(), 380);
    }
    EXPECT_TRUE(b.Eventos().empty());
    EXPECT_TRUE(b.host.PropiedadesCambiadas().empty());
    EXPECT_EQ(b.r->NumeroError(), 0);
}

TEST(RelivoSuperficie, GraficaEsLaMismaImagenQueImage) {
    Banco b;
    b.Preparar("x*y", -1, 1, -1, 1, 5, 5);
    b.r->Graficar();
    EXPECT_EQ(b.r->Grafica(), b.r->Image());
    EXPECT_FALSE(b.r->Grafica().Vacia());
}

TEST(RelivoSuperficie, LosEventosDeLaSuperficieLleganAlAnfitrionPorReferencia) {
    Banco b;
    b.host.AlEvento("KeyPress", [](std::span<ArgumentoEvento> a) { a[0].Valor = int16_t{0}; });
    EXPECT_EQ(b.r->PlanoInterno().Teclear(65, 0, 97), 0);
    b.host.AlEvento("KeyPress", {});
    EXPECT_EQ(b.r->PlanoInterno().Teclear(66, 0, 98), 98);
    b.r->PlanoInterno().PulsarRaton(1, 0, 10, 10);
    b.r->PlanoInterno().SoltarRaton(1, 0, 10, 10);
    b.r->PlanoInterno().DobleClic();
    std::vector<std::string> nombres;
    for (const auto& e : b.host.Eventos()) nombres.push_back(e.Nombre);
    EXPECT_EQ(nombres,
              (std::vector<std::string>{"KeyDown", "KeyPress", "KeyUp", "KeyDown", "KeyPress",
                                        "KeyUp", "MouseDown", "MouseUp", "Click", "DblClick"}));
    EXPECT_EQ(b.host.Eventos()[0].Id, 3);
    EXPECT_EQ(b.host.Eventos()[9].Id, 2);
}

TEST(RelivoSuperficie, RedimensionarNoVuelveADibujar) {
    Banco b;
    b.Preparar("x*y", -1, 1, -1, 1, 5, 5);
    b.r->Graficar();
    const Imagen antes = b.r->Grafica();
    b.Olvidar();
    b.r->Redimensionar(400, 300);
    // Width, then Height: the surface resizes twice.
    EXPECT_EQ(b.Eventos(), (std::vector<std::string>{"Resize()", "Resize()"}));
    EXPECT_EQ(b.r->PlanoInterno().Width(), 400);
    EXPECT_EQ(b.r->PlanoInterno().Height(), 300);
    b.Olvidar();
    b.r->Graficar();
    EXPECT_TRUE(b.poligonos.empty());
    EXPECT_EQ(b.Eventos(), (std::vector<std::string>{"Status(Graficación terminada,0)",
                                                     "TerminoGraficacion()"}));
    // What was drawn is still there.
    const Imagen despues = b.r->Grafica();
    int iguales = 0;
    for (int32_t y = 0; y < antes.Alto && y < despues.Alto; ++y) {
        for (int32_t x = 0; x < antes.Ancho && x < despues.Ancho; ++x) {
            iguales += antes.En(x, y) == despues.En(x, y);
        }
    }
    EXPECT_EQ(iguales, antes.Ancho * antes.Alto);
}

TEST(RelivoSuperficie, DibujarConLosMetodosReenviados) {
    Banco b;
    b.r->ScaleMode(3);
    b.r->Cls();
    b.r->PSet_(5, 5, RGB(255, 0, 0));
    EXPECT_EQ(b.r->Point(5, 5), RGB(255, 0, 0));
    b.r->Line_(0, 20, 50, 20, RGB(0, 0, 255));
    EXPECT_EQ(b.r->Point(10, 20), RGB(0, 0, 255));
    EXPECT_GT(b.r->TextWidth("Relivo"), 0);
    EXPECT_GT(b.r->TextHeight("Relivo"), 0);
    b.r->PopupMenu("Archivo");
    ASSERT_EQ(b.host.MenusPedidos().size(), 1u);
    EXPECT_EQ(b.host.MenusPedidos()[0].Menu, "Archivo");
}

}  // namespace
}  // namespace relivo::prueba
