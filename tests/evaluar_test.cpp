// Evaluar through its public members. The requests of
// tests/data/evaluar_casos.jsonl are in the recorded corpus
// (recorded_test.cpp); what a request cannot say (the readers of variables
// and values, values that are not finite) is in the scripts of
// tests/data/evaluar, and rnd is checked here.
#include "relivo/evaluar.h"

#include <gtest/gtest.h>

#include <cmath>
#include <set>
#include <string>
#include <vector>

#include "tests/support/check_script.h"
#include "tests/support/recording.h"
#include "tests/support/script.h"
#include "tests/support/watched_evaluar.h"

namespace relivo {
namespace {

const std::filesystem::path kCarpeta = std::filesystem::path(RELIVO_TEST_DATA) / "evaluar";

// The scripts of tests/data/evaluar: calls in the language of the Guion fuzz
// target, each checked against that target's model of the variable table,
// with what it answered and the Error event it raised logged and compared
// with the recording NAME.log.
class GuionEvaluar : public ::testing::TestWithParam<std::string> {};

TEST_P(GuionEvaluar, DaLoGrabado) {
    fuzz::AlRomper() = [](const std::string& mensaje) { ADD_FAILURE() << mensaje; };
    fuzz::guion::Guion llamadas;
    prueba::Guion g(kCarpeta, GetParam());
    g.Correr([&](const std::vector<std::string>&, const std::string& linea) {
        llamadas.Linea(linea);
        for (const std::string& l : prueba::Lineas(llamadas.respuesta)) g.Anotar(l);
    });
    fuzz::AlRomper() = nullptr;
}

INSTANTIATE_TEST_SUITE_P(Datos, GuionEvaluar, ::testing::ValuesIn(prueba::Guiones(kCarpeta)),
                         [](const auto& info) { return info.param; });

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

// A refused expression leaves no result, also once a call has cleared its
// error.
TEST(EvaluarTest, UnaFuncionRechazadaNoDejaResultado) {
    Evaluar ev;
    ev.Funcion("(x");
    ev.ValoresPorIndice({});
    EXPECT_EQ(ev.Resultado(), 0);
    EXPECT_EQ(ev.NumeroError(), -2147221499);
}

// Several values at once end as the same calls one by one do: the same
// values, ready flag, result and error number, with at most one Error
// event: the failure of the last call. Each list starts from the state the
// lists before it left, partly defined variables and failures included.
TEST(EvaluarTest, VariosValoresComoUnoAUno) {
    const double nan = std::nan(""), inf = INFINITY;
    const std::vector<std::vector<double>> listas = {
        {},  {2},       {2, 3},    {3, 3},  {2, 3},  {nan, 2}, {nan, 1},    {1, inf},     {0, 0},
        {1}, {1, 1, 1}, {5, 5, 5}, {-1, 4}, {4, -1}, {0.5, 2}, {2, 2, nan}, {3, 3, 3, 3}, {3, 3}};
    for (const char* f : {"x*y", "1/(x-y)", "log(x*y)+z", "x", "7", "y^x", "1/x"}) {
        fuzz::HostEvaluar eventos_uno, eventos_varios;
        Evaluar uno(&eventos_uno), varios(&eventos_varios);
        uno.Funcion(f);
        varios.Funcion(f);
        for (const std::vector<double>& valores : listas) {
            SCOPED_TRACE(std::string(f) + " after " + std::to_string(valores.size()) + " values");
            const size_t antes = eventos_uno.eventos.size();
            eventos_varios.eventos.clear();
            for (size_t k = 0; k < valores.size(); ++k) {
                uno.ValorPorIndice(static_cast<int16_t>(k + 1), valores[k]);
            }
            varios.ValoresPorIndice(valores);
            ASSERT_LE(eventos_varios.eventos.size(), 1u);
            EXPECT_EQ(eventos_varios.eventos.size(), varios.NumeroError() != 0 ? 1u : 0u);
            if (!eventos_varios.eventos.empty()) {
                ASSERT_GT(eventos_uno.eventos.size(), antes);
                EXPECT_EQ(eventos_varios.eventos[0], eventos_uno.eventos.back());
            }
            EXPECT_EQ(varios.NumeroError(), uno.NumeroError());
            if (uno.NumeroError() != 0) {
                EXPECT_EQ(varios.Error(), uno.Error());
            }
            for (int16_t i = 1; i <= uno.NumeroVariables(); ++i) {
                EXPECT_EQ(varios.Valor(Variante(i)), uno.Valor(Variante(i)));
            }
            const double resultado = uno.Resultado();
            EXPECT_EQ(varios.Resultado(), resultado);
            EXPECT_EQ(varios.NumeroError(), uno.NumeroError());
        }
    }
}

}  // namespace
}  // namespace relivo
