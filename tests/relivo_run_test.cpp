// Relivo's plot run: the order of its events, the sampling with automatic z
// range, the drawing, cancellation, re-entry and the host's Continuar.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <limits>
#include <string>
#include <vector>

#include "platform/linux/work_queue.h"
#include "tests/support/case_table.h"
#include "tests/support/relivo_setters.h"
#include "tests/support/relivo_test_host.h"

namespace relivo::prueba {
namespace {

const std::string kCancelado = "Cancelado por el usuario";
const ColorOle kRojo = RGB(255, 0, 0);

TEST(RelivoGraficar, UnaCeldaDaLaSecuenciaCompletaDeEventosYPoligonos) {
    Banco b;
    b.Preparar("x*y", -1, 1, -1, 1, 0, 0);
    b.Olvidar();
    b.r->Graficar();
    EXPECT_EQ(b.Eventos(), (std::vector<std::string>{
                               "Status(Procesando Superficie,0)",
                               "Status(Procesando Superficie,100)",
                               "Status(Graficando Puntos,0)",
                               "Status(Graficando Puntos,100)",
                               "Status(Graficación terminada,0)",
                               "TerminoGraficacion()",
                           }));
    // Three axes outlined in red, then the one cell outlined in black.
    ASSERT_EQ(b.poligonos.size(), 4u);
    for (int k = 0; k < 3; ++k) {
        EXPECT_EQ(b.poligonos[k].contorno, kRojo);
        EXPECT_EQ(b.poligonos[k].relleno, 0);
    }
    EXPECT_EQ(b.poligonos[3].relleno, RGB(255, 255, 128));
    EXPECT_EQ(b.poligonos[3].contorno, 0);
    // Drawing leaves its colours behind in the control's properties.
    EXPECT_EQ(b.r->ForeColor(), 0);
    EXPECT_EQ(b.r->FillStyle(), 0);
    EXPECT_EQ(b.r->FillColor(), RGB(255, 255, 128));
    EXPECT_EQ(b.r->ZMin(), -1);
    EXPECT_EQ(b.r->ZMax(), 1);
}

TEST(RelivoGraficar, LosPorcentajesVanDeCeroACienPorLinea) {
    Banco b;
    // Without y the sampling runs over x lines; with y over y lines.
    b.Preparar("x", 0, 1, 0, 1, 3, 1);
    b.Olvidar();
    b.r->Graficar();
    std::vector<std::string> esperado;
    for (int p : {0, 25, 50, 75, 100}) {
        esperado.push_back("Status(Procesando Superficie," + std::to_string(p) + ")");
    }
    for (int p : {0, 25, 50, 75, 100}) {
        esperado.push_back("Status(Graficando Puntos," + std::to_string(p) + ")");
    }
    esperado.push_back("Status(Graficación terminada,0)");
    esperado.push_back("TerminoGraficacion()");
    EXPECT_EQ(b.Eventos(), esperado);
    // 4 x 2 cells after the three axes; the last one at the highest indexes.
    ASSERT_EQ(b.poligonos.size(), 3u + 8u);
    EXPECT_EQ(b.poligonos.back().relleno, RGB(255, 255, 128));
    // Colours run along x in red and along y in green: the cells of the
    // first column, bottom and top, then the first cell of the second column.
    EXPECT_EQ(b.poligonos[3].relleno, RGB(64, 128, 128));
    EXPECT_EQ(b.poligonos[4].relleno, RGB(64, 255, 128));
    EXPECT_EQ(b.poligonos[5].relleno, RGB(128, 128, 128));
}

TEST(RelivoGraficar, DosLlamadasSinCambiosSoloAnuncianElFinal) {
    Banco b;
    b.Preparar("x+y", -1, 1, -1, 1, 2, 2);
    b.r->Graficar();
    const Imagen antes = b.r->Grafica();
    b.Olvidar();
    b.r->Graficar();
    EXPECT_EQ(b.Eventos(), (std::vector<std::string>{"Status(Graficación terminada,0)",
                                                     "TerminoGraficacion()"}));
    EXPECT_TRUE(b.poligonos.empty());
    EXPECT_EQ(b.r->Grafica(), antes);
}

// The automatic z range (tests/data/rango_z.tsv): ZMin/ZMax for a plot over
// x in [0, XMax] and a y range so narrow that y changes the values by next
// to nothing. A sample more than three typical steps away from the one before
// it is left out; the first step that is not 0 sets the typical step without
// widening the range.
class RangoAutomatico : public testing::TestWithParam<FilaTabla> {};

TEST_P(RangoAutomatico, DejaFueraLosSaltosDeMasDeTresPasosTipicos) {
    const FilaTabla& f = GetParam();
    Banco b;
    b.Preparar(f[0], 0, std::stod(f[1]), 0, 1e-9, static_cast<int16_t>(std::stoi(f[2])), 0);
    b.r->Graficar();
    EXPECT_NEAR(b.r->ZMin(), std::stod(f[3]), 1e-6);
    EXPECT_NEAR(b.r->ZMax(), std::stod(f[4]), 1e-6);
    EXPECT_EQ(b.Eventos().back(), "TerminoGraficacion()");
}

INSTANTIATE_TEST_SUITE_P(Datos, RangoAutomatico, testing::ValuesIn(LeerTabla("rango_z.tsv")),
                         [](const auto& i) { return "Linea" + std::to_string(i.param.linea); });

TEST(RelivoGraficar, ConRangoFijoLaEscalaAutomaticaNoTocaZ) {
    Banco b;
    b.Preparar("x*y", -1, 1, -1, 1, 4, 4);
    b.r->AutoEscalaZ(false);
    b.r->ZMin(-5);
    b.r->ZMax(7);
    b.r->Graficar();
    EXPECT_EQ(b.r->ZMin(), -5);
    EXPECT_EQ(b.r->ZMax(), 7);
    // Switching it off after a run keeps the range it found.
    Banco c;
    c.Preparar("x*y", -1, 1, -1, 1, 4, 4);
    c.r->Graficar();
    c.r->AutoEscalaZ(false);
    c.Olvidar();
    c.r->Graficar();
    EXPECT_EQ(c.Contar("Status(Procesando Superficie"), 0u);
    EXPECT_EQ(c.r->ZMin(), -1);
    EXPECT_EQ(c.r->ZMax(), 1);
}

TEST(RelivoGraficar, RangoXIgualSinContinuarNoDibujaNada) {
    Banco b;
    b.Preparar("x", -1, 1, -1, 1, 2, 2);
    b.r->XMax(-1);
    b.Olvidar();
    b.r->Graficar();
    const std::string texto = "La X máxima debe ser diferente de la X mínima";
    EXPECT_EQ(b.Eventos(), (std::vector<std::string>{"Status(Error: " + texto + ",0)",
                                                     "Error(-2147221501," + texto + ",false)"}));
    EXPECT_EQ(b.r->NumeroError(), -2147221501);
    EXPECT_TRUE(b.poligonos.empty());
}

TEST(RelivoGraficar, RangoXIgualContinuandoDibujaConLosLimitesIguales) {
    Banco b;
    b.Preparar("y", -1, 1, -1, 1, 2, 2);
    b.r->XMax(-1);
    b.Continuar(true);
    b.Olvidar();
    b.r->Graficar();
    // The cell colours divide by the empty width: each cell's failure is
    // reported, the run goes on and ends.
    EXPECT_EQ(b.Eventos().front(),
              "Status(Error: La X máxima debe ser diferente de la X mínima,0)");
    EXPECT_EQ(b.Eventos().back(), "TerminoGraficacion()");
    EXPECT_GE(b.Contar("Status(Procesando Superficie"), 1u);
}

TEST(RelivoGraficar, UnaVariableSinValorImpideMuestrear) {
    Banco b;
    b.Preparar("x*t", -1, 1, -1, 1, 2, 2);
    b.Olvidar();
    b.r->Graficar();
    const std::string texto = "La función no está definida o faltan variables por definir.";
    EXPECT_EQ(b.Eventos(), (std::vector<std::string>{"Status(Error: " + texto + ",0)",
                                                     "Error(-2147221499," + texto + ",false)"}));
    EXPECT_TRUE(b.poligonos.empty());
}

TEST(RelivoGraficar, UnErrorEnUnPuntoSinContinuarDejaLaMallaPorMuestrear) {
    Banco b;
    // x = 0 is the second point of the first y line: a division by zero.
    b.Preparar("y/x", -1, 1, -1, 1, 1, 1);
    b.Olvidar();
    b.r->Graficar();
    EXPECT_EQ(b.Eventos(), (std::vector<std::string>{"Status(Error: División por cero,0)",
                                                     "Error(11,División por cero,false)"}));
    EXPECT_TRUE(b.poligonos.empty());
    // The next run samples again from the start.
    b.Olvidar();
    b.r->Graficar();
    EXPECT_EQ(b.Eventos().front(), "Status(Error: División por cero,0)");
}

TEST(RelivoGraficar, UnErrorEnUnPuntoContinuandoDibujaLaMallaParcial) {
    Banco b;
    b.Preparar("y/x", -1, 1, -1, 1, 1, 1);
    b.Continuar(true);
    b.Olvidar();
    b.r->Graficar();
    EXPECT_EQ(b.Contar("Error("), 1u);
    EXPECT_EQ(b.Contar("Status(Procesando Superficie"), 0u);
    EXPECT_EQ(b.Contar("Status(Graficando Puntos"), 3u);
    EXPECT_EQ(b.poligonos.size(), 3u + 4u);
    EXPECT_EQ(b.Eventos().back(), "TerminoGraficacion()");
    // The partial grid counts as sampled.
    b.Olvidar();
    b.r->Graficar();
    EXPECT_EQ(b.Eventos(), (std::vector<std::string>{"Status(Graficación terminada,0)",
                                                     "TerminoGraficacion()"}));
}

// Cancelling from a Status handler: during the sampling or during drawing.
// tests/data/cancelar.tsv: a plot of x+y on 3 x 3 lines cancelled at the
// first Status event of a phase, with the host's Continuar answer.
class Cancelacion : public testing::TestWithParam<FilaTabla> {};

TEST_P(Cancelacion, TerminaLaFaseEnElSiguientePuntoOCelda) {
    Banco b;
    b.Preparar("x+y", -1, 1, -1, 1, 3, 3);
    const FilaTabla& f = GetParam();
    const bool continuar = f[1] == "1";
    b.Continuar(continuar);
    bool hecho = false;
    Relivo& r = *b.r;
    const std::string estado = f[0];
    b.AlStatus([&](const std::string& texto, int16_t) {
        if (!hecho && texto == estado) {
            hecho = true;
            r.Cancelar();
        }
    });
    b.r->Graficar();
    EXPECT_EQ(std::to_string(b.Contar("Error(-2147221502," + kCancelado + ",")), f[2]);
    EXPECT_EQ(std::to_string(b.Contar("Status(Error: " + kCancelado + ",0)")), f[2]);
    EXPECT_EQ(std::to_string(b.poligonos.size()), f[3]);
    EXPECT_EQ(b.Contar("TerminoGraficacion"), continuar ? 1u : 0u);
    EXPECT_EQ(b.r->NumeroError(), -2147221502);

    b.Olvidar();
    b.host.AlEvento("Status", {});
    b.r->Graficar();
    EXPECT_EQ(std::to_string(b.Contar("Status(Procesando Superficie")), f[4]);
    EXPECT_EQ(b.Eventos().back(), "TerminoGraficacion()");
}

INSTANTIATE_TEST_SUITE_P(Datos, Cancelacion, testing::ValuesIn(LeerTabla("cancelar.tsv")),
                         [](const auto& i) { return "Linea" + std::to_string(i.param.linea); });

TEST(RelivoGraficar, CancelarDesdeTrabajoPendienteSurteEfectoEnElSiguienteCeder) {
    Banco b;
    b.Preparar("x+y", -1, 1, -1, 1, 3, 3);
    Relivo& r = *b.r;
    EncolarTrabajo([&r] { r.Cancelar(); });
    b.r->Graficar();
    EXPECT_EQ(b.r->NumeroError(), -2147221502);
    EXPECT_EQ(b.Contar("Status(Procesando Superficie"), 0u);
}

TEST(RelivoGraficar, UnErrorAlDibujarDejaAutoRedrawEncendidoSalvoSiSeContinua) {
    for (bool continuar : {false, true}) {
        Banco b;
        b.Preparar("x+y", -1, 1, -1, 1, 3, 3);
        b.r->AutoRedraw(false);
        b.Continuar(continuar);
        Relivo& r = *b.r;
        b.AlStatus([&r](const std::string& texto, int16_t) {
            if (texto == "Graficando Puntos") r.Cancelar();
        });
        b.r->Graficar();
        EXPECT_EQ(b.r->AutoRedraw(), !continuar) << continuar;
    }
}

TEST(RelivoGraficar, GraficarDesdeUnManejadorDeStatusVuelveSinHacerNada) {
    Banco b;
    b.Preparar("x*y", -1, 1, -1, 1, 2, 2);
    Relivo& r = *b.r;
    size_t anidadas = 0;
    size_t eventosAntes = 0;
    size_t eventosDespues = 0;
    b.AlStatus([&](const std::string& texto, int16_t) {
        if (texto == "Procesando Superficie" && anidadas == 0) {
            ++anidadas;
            eventosAntes = b.host.Eventos().size();
            r.Graficar();
            eventosDespues = b.host.Eventos().size();
        }
    });
    b.r->Graficar();
    EXPECT_EQ(anidadas, 1u);
    EXPECT_EQ(eventosAntes, eventosDespues);
    EXPECT_EQ(b.Contar("TerminoGraficacion"), 1u);
    EXPECT_EQ(b.Contar("Status(Procesando Superficie"), 4u);
}

// The axis segments always reach the origin. With z identically 0 the z
// axis collapses onto the origin's pixel, which tells where the x axis starts.
struct CasoEje {
    const char* nombre;
    double xMin, xMax;
    bool empiezaEnOrigen;
    bool terminaEnOrigen;
};

class EjeX : public testing::TestWithParam<CasoEje> {};

TEST_P(EjeX, VaDelLimiteAlOrigenOEntreLosLimites) {
    Banco b;
    b.Preparar("0", GetParam().xMin, GetParam().xMax, -1, 1, 1, 1);
    b.r->Graficar();
    ASSERT_GE(b.poligonos.size(), 3u);
    const PuntoApi origen = b.poligonos[2].puntos[0];
    for (const PuntoApi& p : b.poligonos[2].puntos) EXPECT_EQ(p, origen);
    // Vertices P3, P4, P1, P2 of the segment a-b are a, b, a, b.
    const auto& eje = b.poligonos[0].puntos;
    ASSERT_EQ(eje.size(), 4u);
    EXPECT_EQ(eje[0], eje[2]);
    EXPECT_EQ(eje[1], eje[3]);
    EXPECT_EQ(eje[0] == origen, GetParam().empiezaEnOrigen);
    EXPECT_EQ(eje[1] == origen, GetParam().terminaEnOrigen);
    // x recedes to the lower left: a larger x lies left of and below a smaller one.
    const double da = GetParam().empiezaEnOrigen ? 0 : GetParam().xMin;
    const double db = GetParam().terminaEnOrigen ? 0 : GetParam().xMax;
    EXPECT_EQ(eje[1].x<eje[0].x, db> da);
    EXPECT_EQ(eje[1].y > eje[0].y, db > da);
}

INSTANTIATE_TEST_SUITE_P(Relivo, EjeX,
                         testing::Values(CasoEje{"Positivo", 1, 3, true, false},
                                         CasoEje{"Negativo", -3, -1, false, true},
                                         CasoEje{"DesdeCero", 0, 3, true, false},
                                         CasoEje{"Cruzando", -2, 3, false, false},
                                         CasoEje{"InvertidoCruzando", 3, -1, false, false},
                                         CasoEje{"InvertidoPositivo", 3, 1, true, false}),
                         [](const testing::TestParamInfo<CasoEje>& i) {
                             return std::string(i.param.nombre);
                         });

TEST(RelivoGraficar, UnRangoXInvertidoDejaElRojoEnCero) {
    Banco b;
    b.Preparar("x*y", 1, -1, -1, 1, 3, 3);
    b.r->Graficar();
    ASSERT_EQ(b.poligonos.size(), 3u + 16u);
    for (size_t k = 3; k < b.poligonos.size(); ++k) {
        EXPECT_EQ(b.poligonos[k].relleno & 0xFF, 0) << k;
    }
}

TEST(RelivoGraficar, CambiarSoloElAnguloRedibujaSinMuestrear) {
    Banco b;
    b.Preparar("x*y", -1, 1, -1, 1, 4, 4);
    b.r->Graficar();
    b.Olvidar();
    b.r->AnguloZ(30);
    b.r->Graficar();
    EXPECT_EQ(b.Contar("Status(Procesando Superficie"), 0u);
    EXPECT_EQ(b.Contar("Status(Graficando Puntos"), 6u);
    EXPECT_EQ(b.poligonos.size(), 3u + 25u);
}

// Hostile parameter values (tests/data/hostiles.tsv: setter calls): each ends
// in reported errors or a plot, never a crash, a hang or an exception, and the
// picture's coordinates stay finite.
class ValoresHostiles : public testing::TestWithParam<FilaTabla> {};

TEST_P(ValoresHostiles, TerminanEnErroresInformadosOEnUnaGrafica) {
    for (bool continuar : {false, true}) {
        Banco b;
        b.Preparar("sen(x)*cos(y)", -3, 3, -3, 3, 6, 6);
        b.r->AutoEscalaZ(false);
        b.r->ZMin(-1);
        b.r->ZMax(1);
        b.Continuar(continuar);
        FijarTodos(*b.r, GetParam()[0]);
        b.r->Graficar();
        const bool termino = b.Contar("TerminoGraficacion") == 1;
        EXPECT_TRUE(termino || b.Contar("Error(") > 0);
        if (continuar) {
            EXPECT_TRUE(termino);
        }
        EXPECT_TRUE(std::isfinite(b.r->ScaleWidth()));
        EXPECT_TRUE(std::isfinite(b.r->ScaleHeight()));
    }
}

INSTANTIATE_TEST_SUITE_P(Datos, ValoresHostiles, testing::ValuesIn(LeerTabla("hostiles.tsv")),
                         [](const auto& i) { return "Linea" + std::to_string(i.param.linea); });

TEST(RelivoGraficar, UnaMallaDeTreintaYDosMilLineasNoRevientaYSeCancela) {
    Banco b;
    b.Preparar("x*y", -1, 1, -1, 1, 32766, 32766);
    Relivo& r = *b.r;
    b.AlStatus([&r](const std::string& texto, int16_t) {
        if (texto == "Procesando Superficie") r.Cancelar();
    });
    b.r->Graficar();
    const int32_t n = b.r->NumeroError();
    EXPECT_TRUE(n == -2147221502 || n == 7) << n;
    EXPECT_EQ(b.Contar("TerminoGraficacion"), 0u);
}

}  // namespace
}  // namespace relivo::prueba
