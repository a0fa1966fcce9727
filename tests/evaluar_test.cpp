// Evaluar through its public members: acceptance, the error path, variables
// and values, substitution.
#include "relivo/evaluar.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <string>
#include <vector>

#include "tests/support/evaluar_host.h"

namespace relivo {
namespace {

using prueba::HostEvaluar;
using prueba::kBase;

TEST(EvaluarTest, TextoDemasiadoLargoDesborda) {
    HostEvaluar host;
    Evaluar ev(&host);
    ev.Funcion(std::string(100000, 'x'));
    EXPECT_EQ(ev.NumeroError(), 6);
    EXPECT_EQ(ev.Error(), "Desbordamiento");
    EXPECT_EQ(ev.Funcion(), "");
    EXPECT_EQ(host.eventos.size(), 1u);
}

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
    EXPECT_EQ(ev.Valor(1), 5);
    EXPECT_EQ(ev.Valor(0.6), 5) << "0.6 rounds to the first variable";
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

TEST(EvaluarTest, RndDaNumerosNuevosEnCadaEvaluacion) {
    Evaluar ev;
    ev.Funcion("rnd*x");
    std::vector<double> vistos;
    for (int i = 1; i <= 50; ++i) {
        ev.Valor("x", 1.0 + i * 1e-9);
        const double r = ev.Resultado();
        EXPECT_GE(r, 0);
        EXPECT_LT(r, 1.0 + 1e-7);
        vistos.push_back(r);
    }
    std::sort(vistos.begin(), vistos.end());
    EXPECT_EQ(std::unique(vistos.begin(), vistos.end()), vistos.end());
}

}  // namespace
}  // namespace relivo
