// Relivo's plot parameters: what each setter marks stale, its checks and
// the error report with the host's Continuar.
#include <gtest/gtest.h>

#include <cmath>
#include <sstream>
#include <string>
#include <vector>

#include "tests/support/case_table.h"
#include "tests/support/relivo_setters.h"
#include "tests/support/relivo_test_host.h"

namespace relivo::prueba {
namespace {

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

std::string NombreDeFila(const testing::TestParamInfo<FilaTabla>& i) {
    return "Linea" + std::to_string(i.param.linea);
}

// tests/data/setters_fases.tsv: after one plot of x*y with nothing stale,
// the setter calls of the row (property=value, separated by ";"), and the
// "Procesando Superficie" and "Graficando Puntos" events the next run gives.
class FasesDeSetters : public testing::TestWithParam<FilaTabla> {};

TEST_P(FasesDeSetters, ElSiguienteGraficarRepiteSoloLoQueQuedoViejo) {
    const FilaTabla& f = GetParam();
    BancoDibujado b;
    FijarTodos(*b.r, f[0]);
    b.Olvidar();
    b.r->Graficar();
    EXPECT_EQ(std::to_string(b.Contar("Status(Procesando Superficie")), f[1]);
    EXPECT_EQ(std::to_string(b.Contar("Status(Graficando Puntos")), f[2]);
    ASSERT_FALSE(b.Eventos().empty());
    EXPECT_EQ(b.Eventos().back(), "TerminoGraficacion()");
}

INSTANTIATE_TEST_SUITE_P(Datos, FasesDeSetters, testing::ValuesIn(LeerTabla("setters_fases.tsv")),
                         NombreDeFila);

// tests/data/setters_rechazos.tsv: on a control ready to plot x with 4 x 4
// lines, the setter calls of the row with the host's Continuar answer; the
// events they raise (separated by "|"), then property=value pairs read back.
class RechazosDeSetters : public testing::TestWithParam<FilaTabla> {};

TEST_P(RechazosDeSetters, SeInformanYSeReanudanSiElAnfitrionQuiere) {
    const FilaTabla& f = GetParam();
    Banco b;
    b.Preparar("x", -1, 1, -1, 1, 4, 4);
    b.Olvidar();
    b.Continuar(f[1] == "1");
    FijarTodos(*b.r, f[0]);
    std::string eventos;
    for (const std::string& e : b.Eventos()) eventos += (eventos.empty() ? "" : "|") + e;
    EXPECT_EQ(eventos, f[2]);
    std::istringstream partes(f[3]);
    for (std::string l; std::getline(partes, l, ';');) {
        const size_t igual = l.find('=');
        const std::string nombre = l.substr(0, igual);
        const std::string esperado = l.substr(igual + 1);
        if (nombre == "NumeroError") {
            EXPECT_EQ(std::to_string(b.r->NumeroError()), esperado);
        } else {
            EXPECT_EQ(Leer(*b.r, nombre), esperado) << nombre;
        }
    }
}

INSTANTIATE_TEST_SUITE_P(Datos, RechazosDeSetters,
                         testing::ValuesIn(LeerTabla("setters_rechazos.tsv")), NombreDeFila);

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
