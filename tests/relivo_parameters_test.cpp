// Relivo's plot parameters: what each setter marks stale, its checks and
// the error report with the host's Continuar.
#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <limits>
#include <string>
#include <vector>

#include "tests/support/relivo_test_host.h"

namespace relivo::prueba {
namespace {

const std::string kX = "La X máxima debe ser diferente de la X mínima";
const std::string kY = "La Y máxima debe ser diferente de la Y mínima";
const std::string kIntervalo = "El intervalo entre líneas no puede ser cero";

// A control that has completed one plot, so that nothing is stale.
struct BancoDibujado : Banco {
    BancoDibujado() {
        Preparar("x*y", -1, 1, -2, 2, 3, 2);
        r->AutoEscalaZ(false);
        r->ZMin(-1);
        r->ZMax(2);
        r->Graficar();
        Olvidar();
    }
};

// Which phases the next run goes through after one setter call.
struct CasoFlags {
    const char* nombre;
    std::function<void(Relivo&)> cambiar;
    size_t procesando;  // "Procesando Superficie" events of the next run
    size_t graficando;  // "Graficando Puntos" events of the next run
};

class FlagsDeSetters : public testing::TestWithParam<CasoFlags> {};

TEST_P(FlagsDeSetters, ElSiguienteGraficarRepiteSoloLoQueQuedoViejo) {
    BancoDibujado b;
    GetParam().cambiar(*b.r);
    b.Olvidar();
    b.r->Graficar();
    EXPECT_EQ(b.Contar("Status(Procesando Superficie"), GetParam().procesando);
    EXPECT_EQ(b.Contar("Status(Graficando Puntos"), GetParam().graficando);
    ASSERT_FALSE(b.Eventos().empty());
    EXPECT_EQ(b.Eventos().back(), "TerminoGraficacion()");
}

INSTANTIATE_TEST_SUITE_P(
    Relivo, FlagsDeSetters,
    testing::Values(
        CasoFlags{"nada", [](Relivo&) {}, 0, 0},
        CasoFlags{"AnguloXIgual", [](Relivo& r) { r.AnguloX(0); }, 0, 0},
        CasoFlags{"AnguloXNuevo", [](Relivo& r) { r.AnguloX(10); }, 0, 5},
        CasoFlags{"AnguloZNuevo", [](Relivo& r) { r.AnguloZ(-30); }, 0, 5},
        CasoFlags{"ZMaxNuevo", [](Relivo& r) { r.ZMax(5); }, 0, 5},
        CasoFlags{"ZMinIgual", [](Relivo& r) { r.ZMin(-1); }, 0, 0},
        CasoFlags{"AutoEscalaZAVerdadero", [](Relivo& r) { r.AutoEscalaZ(true); }, 4, 5},
        CasoFlags{"AutoEscalaZIgual", [](Relivo& r) { r.AutoEscalaZ(false); }, 0, 0},
        CasoFlags{"XMaxNuevo", [](Relivo& r) { r.XMax(3); }, 4, 5},
        CasoFlags{"XMinIgual", [](Relivo& r) { r.XMin(-1); }, 0, 0},
        CasoFlags{"YMinNuevo", [](Relivo& r) { r.YMin(-3); }, 4, 5},
        CasoFlags{"LineasIguales", [](Relivo& r) { r.NumeroLineasX(3); }, 0, 0},
        CasoFlags{"LineasYNuevas", [](Relivo& r) { r.NumeroLineasY(1); }, 3, 5},
        CasoFlags{"FuncionComoSeMuestra", [](Relivo& r) { r.Funcion(r.Funcion()); }, 0, 0},
        CasoFlags{"FuncionQueSeMuestraDistinto", [](Relivo& r) { r.Funcion("x*y"); }, 4, 5},
        CasoFlags{"FuncionNueva", [](Relivo& r) { r.Funcion("x+y"); }, 4, 5},
        // A refused line count still marks both phases stale.
        CasoFlags{"LineasNegativasRechazadas", [](Relivo& r) { r.NumeroLineasX(-1); }, 4, 5}),
    [](const testing::TestParamInfo<CasoFlags>& i) { return std::string(i.param.nombre); });

TEST(RelivoParametros, LosAngulosSeDanEnGradosYVuelvenEnGrados) {
    Banco b;
    for (double g : {90.0, -45.0, 30.0, 720.0, 0.0}) {
        b.r->AnguloY(g);
        EXPECT_NEAR(b.r->AnguloY(), g, 1e-12 * std::max(1.0, std::fabs(g)));
    }
    EXPECT_TRUE(b.Eventos().empty());
}

TEST(RelivoParametros, ValoresInicialesDeUnControlNuevo) {
    Banco b;
    EXPECT_EQ(b.r->NumeroLineasX(), 0);
    EXPECT_EQ(b.r->NumeroLineasY(), 0);
    EXPECT_TRUE(b.r->AutoEscalaZ());
    EXPECT_EQ(b.r->XMin(), 0);
    EXPECT_EQ(b.r->XMax(), 0);
    EXPECT_EQ(b.r->ZMax(), 0);
    EXPECT_EQ(b.r->AnguloZ(), 0);
    EXPECT_EQ(b.r->Funcion(), "");
    EXPECT_EQ(b.r->NumeroError(), 0);
    EXPECT_EQ(b.r->Error(), "");
    // Empty ranges: the first run refuses to plot.
    b.r->Graficar();
    EXPECT_EQ(b.r->NumeroError(), -2147221501);
}

// A refused setter value: the events, what is stored, what each answer does.
struct CasoRechazo {
    const char* nombre;
    std::function<void(Relivo&)> fijar;
    bool continuar;
    std::vector<std::string> eventos;
    std::function<void(Relivo&)> comprobar;
};

class RechazosDeSetters : public testing::TestWithParam<CasoRechazo> {};

TEST_P(RechazosDeSetters, SeInformanConStatusYErrorYSeReanudanSiElAnfitrionQuiere) {
    Banco b;
    b.Preparar("x", -1, 1, -1, 1, 4, 4);
    b.Olvidar();
    b.Continuar(GetParam().continuar);
    GetParam().fijar(*b.r);
    EXPECT_EQ(b.Eventos(), GetParam().eventos);
    GetParam().comprobar(*b.r);
}

std::vector<std::string> Informe(int32_t numero, const std::string& texto, bool continuar) {
    return {"Status(Error: " + texto + ",0)", "Error(" + std::to_string(numero) + "," + texto +
                                                  "," + (continuar ? "true" : "false") + ")"};
}

std::vector<std::string> Dos(std::vector<std::string> a, const std::vector<std::string>& b) {
    a.insert(a.end(), b.begin(), b.end());
    return a;
}

INSTANTIATE_TEST_SUITE_P(
    Relivo, RechazosDeSetters,
    testing::Values(
        CasoRechazo{"LineasNegativas", [](Relivo& r) { r.NumeroLineasX(-1); }, false,
                    Informe(-2147221499, kIntervalo, false),
                    [](Relivo& r) {
                        EXPECT_EQ(r.NumeroLineasX(), 4);
                        EXPECT_EQ(r.NumeroError(), -2147221499);
                        EXPECT_EQ(r.Error(), kIntervalo);
                    }},
        CasoRechazo{"LineasNegativasContinuando", [](Relivo& r) { r.NumeroLineasY(-1); }, true,
                    Informe(-2147221499, kIntervalo, true),
                    [](Relivo& r) { EXPECT_EQ(r.NumeroLineasY(), -1); }},
        // n + 1 overflows a 16-bit integer: nothing is stored.
        CasoRechazo{"LineasDesbordadas", [](Relivo& r) { r.NumeroLineasX(32767); }, false,
                    Informe(6, "Desbordamiento", false),
                    [](Relivo& r) { EXPECT_EQ(r.NumeroLineasX(), 4); }},
        CasoRechazo{"LineasDesbordadasContinuando", [](Relivo& r) { r.NumeroLineasX(32767); }, true,
                    Dos(Informe(6, "Desbordamiento", true), Informe(6, "Desbordamiento", true)),
                    [](Relivo& r) { EXPECT_EQ(r.NumeroLineasX(), 4); }},
        CasoRechazo{"XMaxIgualAXMin", [](Relivo& r) { r.XMax(-1); }, false,
                    Informe(-2147221501, kX, false),
                    [](Relivo& r) {
                        EXPECT_EQ(r.XMax(), -1);
                        EXPECT_EQ(r.NumeroError(), -2147221501);
                    }},
        CasoRechazo{"XMinIgualAXMax", [](Relivo& r) { r.XMin(1); }, true,
                    Informe(-2147221501, kX, true), [](Relivo& r) { EXPECT_EQ(r.XMin(), 1); }},
        CasoRechazo{"YMinIgualAYMax", [](Relivo& r) { r.YMin(1); }, false,
                    Informe(-2147221500, kY, false), [](Relivo& r) { EXPECT_EQ(r.YMin(), 1); }},
        CasoRechazo{"YMaxIgualAYMin", [](Relivo& r) { r.YMax(-1); }, false,
                    Informe(-2147221500, kY, false), [](Relivo& r) { EXPECT_EQ(r.YMax(), -1); }},
        CasoRechazo{"FuncionRechazada", [](Relivo& r) { r.Funcion("(x"); }, false,
                    Informe(-2147221501, "Falta un paréntesis derecho.", false),
                    [](Relivo& r) {
                        EXPECT_EQ(r.NumeroError(), -2147221501);
                        EXPECT_EQ(r.Funcion(), "");
                    }},
        CasoRechazo{"FuncionVacia", [](Relivo& r) { r.Funcion("  "); }, false,
                    Informe(-2147221499, "No hay función por asignar.", false),
                    [](Relivo& r) { EXPECT_EQ(r.NumeroError(), -2147221499); }},
        // An angle beyond the double range: the conversion to radians fails;
        // resuming stores the 0 that the failed computation left.
        CasoRechazo{"AnguloInfinito",
                    [](Relivo& r) {
                        r.AnguloX(30);
                        r.AnguloX(std::numeric_limits<double>::infinity());
                    },
                    false, Informe(6, "Desbordamiento", false),
                    [](Relivo& r) { EXPECT_NEAR(r.AnguloX(), 30, 1e-12); }},
        CasoRechazo{"AnguloNoNumero",
                    [](Relivo& r) { r.AnguloZ(std::numeric_limits<double>::quiet_NaN()); }, false,
                    Informe(5, "Llamada a procedimiento o argumento no válidos", false),
                    [](Relivo& r) { EXPECT_EQ(r.AnguloZ(), 0); }},
        CasoRechazo{"AnguloInfinitoContinuando",
                    [](Relivo& r) {
                        r.AnguloX(30);
                        r.AnguloX(-std::numeric_limits<double>::infinity());
                    },
                    true, Informe(6, "Desbordamiento", true),
                    [](Relivo& r) { EXPECT_EQ(r.AnguloX(), 0); }},
        // A bound that is not finite is stored; the check after it fails.
        CasoRechazo{"XMaxInfinito",
                    [](Relivo& r) { r.XMax(std::numeric_limits<double>::infinity()); }, false,
                    Informe(6, "Desbordamiento", false),
                    [](Relivo& r) { EXPECT_TRUE(std::isinf(r.XMax())); }}),
    [](const testing::TestParamInfo<CasoRechazo>& i) { return std::string(i.param.nombre); });

TEST(RelivoParametros, ContinuarEsDeLaLlamadaYConservaLoQueDejoElAnfitrion) {
    Banco b;
    b.Preparar("x", -1, 1, -1, 1, 4, 4);
    b.Olvidar();
    // The handler answers true to the first report only; the second report
    // of the same call still arrives with the true it left.
    int llamadas = 0;
    b.host.AlEvento("Error", [&](std::span<ArgumentoEvento> a) {
        if (++llamadas == 1) a[2].Valor = true;
    });
    b.r->NumeroLineasX(32767);
    EXPECT_EQ(llamadas, 2);
    const auto& ev = b.host.Eventos();
    ASSERT_EQ(ev.size(), 4u);
    EXPECT_EQ(Texto(ev[3]), "Error(6,Desbordamiento,true)");
    // A new call starts with false again.
    b.Olvidar();
    llamadas = 1;
    b.r->NumeroLineasX(-1);
    EXPECT_EQ(b.Eventos().back(), "Error(-2147221499," + kIntervalo + ",false)");
}

TEST(RelivoParametros, ZEnTiempoDeDisenoConAutoEscalaFallaLaLlamadaSinEventos) {
    Banco b;
    b.host.FijarUserMode(false);
    for (auto fijar : {+[](Relivo& r) { r.ZMax(3); }, +[](Relivo& r) { r.ZMin(-3); }}) {
        try {
            fijar(*b.r);
            ADD_FAILURE() << "the setter should fail";
        } catch (const Fallo& f) {
            EXPECT_EQ(f.numero(), 382);
            EXPECT_EQ(f.texto(),
                      "Esta propiedad no está disponible en tiempo de diseño, a menos que la "
                      "propiedad 'AutoEscalaZ' tenga un valor 'Verdadero'");
        }
    }
    EXPECT_EQ(b.r->ZMax(), 0);
    EXPECT_EQ(b.r->ZMin(), 0);
    EXPECT_TRUE(b.Eventos().empty());
    EXPECT_EQ(b.r->NumeroError(), 0);
    // Without automatic scaling, and in run mode, the same calls store.
    b.r->AutoEscalaZ(false);
    b.r->ZMax(3);
    b.host.FijarUserMode(true);
    b.r->AutoEscalaZ(true);
    b.r->ZMin(-3);
    EXPECT_EQ(b.r->ZMax(), 3);
    EXPECT_EQ(b.r->ZMin(), -3);
    EXPECT_TRUE(b.Eventos().empty());
}

TEST(RelivoParametros, CancelarSinRunNoAfectaAlSiguiente) {
    Banco b;
    b.Preparar("x+y", -1, 1, -1, 1, 2, 2);
    b.r->Cancelar();
    b.r->Graficar();
    EXPECT_EQ(b.Eventos().back(), "TerminoGraficacion()");
    EXPECT_EQ(b.r->NumeroError(), 0);
}

}  // namespace
}  // namespace relivo::prueba
