// Evaluar through its public members. The requests of
// tests/data/evaluar_casos.jsonl (Funcion, Substituir, then each Valor, and
// everything read back) go through `relivo evaluar --lote` and are compared
// with the reviewed answers of tests/data/recorded/evaluar_casos_out.jsonl;
// what a request cannot say (the readers of variables and values, values
// that are not finite, rnd) is checked here.
#include "relivo/evaluar.h"

#include <gtest/gtest.h>

#include <cmath>
#include <set>
#include <string>
#include <vector>

#include "tests/support/cli_run.h"
#include "tests/support/evaluar_host.h"
#include "tests/support/recording.h"

namespace relivo {
namespace {

using prueba::HostEvaluar;
using prueba::kBase;

TEST(EvaluarTest, CasosEnLoteComoGrabados) {
    const std::string datos = RELIVO_TEST_DATA;
    const std::string entrada = prueba::Leer(datos + "/evaluar_casos.jsonl");
    prueba::Comparar(prueba::CorrerCli({"evaluar", "--lote"}, entrada).salida,
                     datos + "/recorded/evaluar_casos_out.jsonl", prueba::Lineas(entrada));
}

TEST(EvaluarTest, VariablesEnOrdenYEnumeracion) {
    HostEvaluar host;
    Evaluar ev(&host);
    ev.Funcion("x*y+1");
    ASSERT_EQ(ev.NumeroVariables(), 2);
    // Variable(0) goes round the variables, one each call.
    for (const char* nombre : {"X", "Y", "X"}) EXPECT_EQ(ev.Variable(0), nombre);
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

// Reading a value: by name, or by an index that rounds (numeric text too).
TEST(EvaluarTest, LecturaDeValores) {
    HostEvaluar host;
    Evaluar ev(&host);
    ev.Funcion("x*y");
    ev.Valor("x", 5);
    ev.Valor("y", 4);
    const std::pair<Variante, double> leidos[] = {{"X", 5}, {1.5, 4}, {1, 5}, {0.6, 5}, {"2", 4}};
    for (const auto& [variable, valor] : leidos) EXPECT_EQ(ev.Valor(variable), valor);
    EXPECT_TRUE(host.eventos.empty());
    const std::pair<Variante, int32_t> fuera[] = {
        {0, kBase + 6}, {3, kBase + 6}, {"z", kBase + 6}, {0.4, 9}, {-1, kBase + 6}};
    for (const auto& [variable, numero] : fuera) {
        EXPECT_EQ(ev.Valor(variable), 0);
        EXPECT_EQ(ev.NumeroError(), numero);
        EXPECT_EQ(ev.Error(), numero == 9 ? "El subíndice está fuera del intervalo"
                                          : "No existe la variable dentro de la función.");
    }
    EXPECT_EQ(host.eventos.size(), 5u);
    // A value whose evaluation fails stays stored.
    ev.Funcion("1/x");
    ev.Valor("x", 2);
    ev.Valor("x", 0);
    EXPECT_EQ(ev.NumeroError(), 11);
    EXPECT_EQ(ev.Valor("x"), 0);
}

// A value that is not finite is refused, and Substituir keeps that error.
TEST(EvaluarTest, ValoresNoFinitosSeRechazan) {
    Evaluar ev;
    ev.Funcion("x");
    ev.Valor("x", INFINITY);
    EXPECT_EQ(ev.NumeroError(), 6);
    ev.Valor("x", NAN);
    EXPECT_EQ(ev.NumeroError(), 5);
    EXPECT_FALSE(std::isnan(ev.Resultado()));
    ev.Substituir("x", "2");
    EXPECT_EQ(ev.NumeroError(), 5);
    EXPECT_EQ(ev.Resultado(), 0);
}

// The same value twice evaluates once (rnd keeps its draw); each new value
// evaluates again with a new draw.
TEST(EvaluarTest, RndDaNumerosNuevosEnCadaEvaluacion) {
    Evaluar ev;
    ev.Funcion("rnd*x");
    ev.Valor("x", 1);
    const double primero = ev.Resultado();
    ev.Valor("x", 1);
    EXPECT_EQ(ev.Resultado(), primero);
    std::set<double> vistos;
    for (int i = 1; i <= 50; ++i) {
        ev.Valor("x", 1.0 + i * 1e-9);
        EXPECT_TRUE(ev.Resultado() >= 0 && ev.Resultado() < 1.0 + 1e-7) << ev.Resultado();
        vistos.insert(ev.Resultado());
    }
    EXPECT_EQ(vistos.size(), 50u);
}

}  // namespace
}  // namespace relivo
