// Evaluar through its public members: acceptance, the error path, variables
// and values, substitution.
#include "relivo/evaluar.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>

#include "tests/support/evaluar_host.h"

namespace relivo {
namespace {

using prueba::HostEvaluar;
using prueba::kBase;

struct CasoRechazo {
    std::string texto;
    int32_t numero;
    const char* mensaje;
};

class RechazoTest : public ::testing::TestWithParam<CasoRechazo> {};

TEST_P(RechazoTest, FallaPorElCaminoDeError) {
    const CasoRechazo& c = GetParam();
    HostEvaluar host;
    Evaluar ev(&host);
    ev.Funcion("x+1");
    ev.Funcion(c.texto);
    EXPECT_EQ(ev.NumeroError(), c.numero);
    if (c.mensaje != nullptr) {
        EXPECT_EQ(ev.Error(), c.mensaje);
    }
    ASSERT_EQ(host.eventos.size(), 1u);
    EXPECT_EQ(host.eventos[0].first, c.numero);
    EXPECT_EQ(host.eventos[0].second, ev.Error());
    // The failed expression leaves nothing behind.
    EXPECT_EQ(ev.Funcion(), "");
    EXPECT_EQ(ev.NumeroVariables(), 0);
    EXPECT_EQ(ev.Resultado(), 0);
    EXPECT_FALSE(ev.ExisteVariable("x"));
    EXPECT_EQ(host.eventos.size(), 1u) << "Resultado after a recorded error raises nothing";
}

INSTANTIATE_TEST_SUITE_P(
    Validacion, RechazoTest,
    ::testing::Values(
        CasoRechazo{"", kBase + 5, "No hay función por asignar."},
        CasoRechazo{"   ", kBase + 5, "No hay función por asignar."},
        CasoRechazo{")x(", kBase + 2, "Falta un paréntesis izquierdo."},
        CasoRechazo{")_(", kBase + 2, "Falta un paréntesis izquierdo."},
        CasoRechazo{"(x", kBase + 3, "Falta un paréntesis derecho."},
        CasoRechazo{"x)", kBase + 2, "Falta un paréntesis izquierdo."},
        CasoRechazo{"x$2", kBase + 4, "Existen caracteres no válidos dentro de la función."},
        CasoRechazo{"a,b", kBase + 4, nullptr}, CasoRechazo{"x=1", kBase + 4, nullptr},
        CasoRechazo{"a\xc3\xb1o", kBase + 4, nullptr}, CasoRechazo{"x_y", kBase + 4, nullptr},
        CasoRechazo{std::string("x\0y", 3), kBase + 4, nullptr},
        CasoRechazo{"\xff\xfe(", kBase + 4, nullptr},
        CasoRechazo{"\xe2\x82\xac", kBase + 4, nullptr},
        CasoRechazo{std::string(100000, 'x'), 6, "Desbordamiento"},
        CasoRechazo{"1/0", 11, "División por cero"}, CasoRechazo{"ln(0)", 5, nullptr},
        CasoRechazo{"exp(1000)", 6, nullptr}),
    [](const auto& info) { return "Caso" + std::to_string(info.index); });

TEST(EvaluarTest, ExpresionSinVariablesSeEvaluaEnSeguida) {
    HostEvaluar host;
    Evaluar ev(&host);
    ev.Funcion("2*3");
    EXPECT_EQ(ev.NumeroError(), 0);
    EXPECT_EQ(ev.NumeroVariables(), 0);
    EXPECT_EQ(ev.Resultado(), 6);
    EXPECT_TRUE(host.eventos.empty());
}

TEST(EvaluarTest, VariablesEnOrdenYEnumeracion) {
    HostEvaluar host;
    Evaluar ev(&host);
    ev.Funcion("x*y+1");
    ASSERT_EQ(ev.NumeroVariables(), 2);
    EXPECT_EQ(ev.Variable(0), "X");
    EXPECT_EQ(ev.Variable(0), "Y");
    EXPECT_EQ(ev.Variable(0), "X");
    EXPECT_EQ(ev.Variable(2), "Y");
    EXPECT_EQ(ev.IndiceVariable("x"), 1);
    EXPECT_EQ(ev.IndiceVariable("Y"), 2);
    EXPECT_TRUE(ev.ExisteVariable("x"));
    EXPECT_FALSE(ev.ExisteVariable("z"));
    EXPECT_TRUE(host.eventos.empty());
    EXPECT_EQ(ev.Variable(5), "");
    EXPECT_EQ(ev.Error(), "El índice está fuera del intervalo de variables.");
    EXPECT_EQ(ev.IndiceVariable("z"), 0);
    EXPECT_EQ(ev.Error(), "No existe la variable.");
    ev.Funcion("2+3");
    EXPECT_EQ(ev.Variable(1), "");
    EXPECT_EQ(ev.Error(), "No hay variables dentro de la función.");
    EXPECT_EQ(ev.NumeroError(), kBase + 6);
    EXPECT_EQ(host.eventos.size(), 3u);
}

TEST(EvaluarTest, ResultadoEsperaATodasLasVariables) {
    HostEvaluar host;
    Evaluar ev(&host);
    ev.Funcion("x*y");
    ev.Valor("x", 3);
    EXPECT_EQ(ev.Resultado(), 0);
    EXPECT_EQ(ev.NumeroError(), kBase + 5);
    EXPECT_EQ(ev.Error(), "La función no está definida o faltan variables por definir.");
    ev.Valor("y", 4);
    EXPECT_EQ(ev.NumeroError(), 0);
    EXPECT_EQ(ev.Resultado(), 12);
    ev.Valor(1, 5);
    EXPECT_EQ(ev.Resultado(), 20);
    EXPECT_EQ(ev.Valor("X"), 5);
    EXPECT_EQ(ev.Valor(1.5), 4) << "1.5 rounds to the second variable";
    EXPECT_EQ(ev.Valor("2"), 4) << "numeric text is an index";
    EXPECT_EQ(host.eventos.size(), 1u);
}

TEST(EvaluarTest, ValorFueraDeLaTabla) {
    HostEvaluar host;
    Evaluar ev(&host);
    ev.Funcion("x*y");
    struct {
        Variante v;
        int32_t numero;
    } casos[] = {{0, kBase + 6}, {3, kBase + 6}, {"z", kBase + 6}, {0.4, 9}, {-1, kBase + 6}};
    for (const auto& c : casos) {
        EXPECT_EQ(ev.Valor(c.v), 0);
        EXPECT_EQ(ev.NumeroError(), c.numero);
        EXPECT_EQ(ev.Error(), c.numero == 9 ? "El subíndice está fuera del intervalo"
                                            : "No existe la variable dentro de la función.");
    }
    ev.Valor(3, 1.0);
    EXPECT_EQ(ev.Error(), "No existe la variable.");
    ev.Valor(1e10, 1.0);
    EXPECT_EQ(ev.NumeroError(), 6);
    EXPECT_EQ(host.eventos.size(), 7u);
}

TEST(EvaluarTest, MismoValorDosVecesEvaluaUnaSola) {
    Evaluar ev;
    ev.Funcion("x+rnd");
    ev.Valor("x", 2);
    const double primero = ev.Resultado();
    ev.Valor("x", 2);
    EXPECT_EQ(ev.Resultado(), primero);
    ev.Valor("x", 3);
    EXPECT_NE(ev.Resultado(), primero + 1);
    EXPECT_GE(ev.Resultado(), 3);
    EXPECT_LT(ev.Resultado(), 4);
}

TEST(EvaluarTest, FalloDeEvaluacionDejaElResultadoSinValor) {
    HostEvaluar host;
    Evaluar ev(&host);
    ev.Funcion("1/x");
    ev.Valor("x", 2);
    EXPECT_EQ(ev.Resultado(), 0.5);
    ev.Valor("x", 0);
    EXPECT_EQ(ev.NumeroError(), 11);
    EXPECT_EQ(ev.Resultado(), 0);
    EXPECT_EQ(ev.Valor("x"), 0) << "the new value stays stored";
    ev.Valor("x", 4);
    EXPECT_EQ(ev.NumeroError(), 0);
    EXPECT_EQ(ev.Resultado(), 0.25);
    EXPECT_EQ(host.eventos.size(), 1u);
}

TEST(EvaluarTest, ValoresNoFinitosSeRechazan) {
    Evaluar ev;
    ev.Funcion("x");
    ev.Valor("x", INFINITY);
    EXPECT_EQ(ev.NumeroError(), 6);
    ev.Valor("x", NAN);
    EXPECT_EQ(ev.NumeroError(), 5);
    EXPECT_FALSE(std::isnan(ev.Resultado()));
}

TEST(EvaluarTest, SubstituirCambiaLaVariablePorUnaExpresion) {
    HostEvaluar host;
    Evaluar ev(&host);
    ev.Funcion("x+1");
    ev.Substituir("x", "2*t");
    EXPECT_EQ(ev.NumeroError(), 0);
    ASSERT_EQ(ev.NumeroVariables(), 1);
    EXPECT_EQ(ev.Variable(1), "T");
    EXPECT_EQ(ev.Resultado(), 0);
    EXPECT_EQ(ev.NumeroError(), kBase + 5);
    ev.Valor("t", 5);
    EXPECT_EQ(ev.Resultado(), 11);

    ev.Substituir(1, "3");
    EXPECT_EQ(ev.NumeroVariables(), 0);
    EXPECT_EQ(ev.Resultado(), 7);

    ev.Funcion("x+y");
    ev.Substituir("q", "1");
    EXPECT_EQ(ev.Error(), "No existe la variable.");
    ev.Substituir("x", 2.0);
    EXPECT_EQ(ev.NumeroError(), 13);
    ev.Substituir("x", "a$b");
    EXPECT_EQ(ev.NumeroError(), kBase + 4);
}

TEST(EvaluarTest, SubstituirNoBorraElErrorAnterior) {
    Evaluar ev;
    ev.Funcion("x");
    ev.Valor("x", NAN);
    ev.Substituir("x", "2");
    EXPECT_EQ(ev.NumeroError(), 5);
    EXPECT_EQ(ev.Resultado(), 0);
}

}  // namespace
}  // namespace relivo
