// Hostile input: any bytes, huge texts and deep nesting end in a value or in
// an error through the error path, on a 1 MiB stack, never in a crash.
#include <gtest/gtest.h>

#include <cmath>
#include <random>
#include <set>
#include <string>

#include "relivo/evaluar.h"
#include "tests/support/evaluar_host.h"
#include "tests/support/repeated_text.h"
#include "tests/support/small_stack.h"

namespace relivo {
namespace {

using prueba::Repetir;

struct CasoProfundo {
    const char* nombre;
    std::string texto;
};

class ProfundoTest : public ::testing::TestWithParam<CasoProfundo> {};

// Deep texts either evaluate or fail with "Espacio de pila insuficiente".
TEST_P(ProfundoTest, NoDesbordaLaPila) {
    const std::string texto = GetParam().texto;
    int32_t numero = -1;
    double resultado = NAN;
    size_t eventos = 0;
    prueba::EnPilaDe1MiB([&] {
        prueba::HostEvaluar host;
        Evaluar ev(&host);
        ev.Funcion(texto);
        if (ev.ExisteVariable("x")) ev.Valor("x", 0.5);
        resultado = ev.Resultado();
        numero = ev.NumeroError();
        eventos = host.eventos.size();
    });
    EXPECT_TRUE(numero == 0 || numero == 28 || numero == 6) << numero;
    EXPECT_TRUE(std::isfinite(resultado));
    EXPECT_EQ(eventos, numero == 0 ? 0u : 1u);
}

INSTANTIATE_TEST_SUITE_P(
    Anidamiento, ProfundoTest,
    ::testing::Values(CasoProfundo{"parentesis", Repetir("(", 10000) + "x" + Repetir(")", 10000)},
                      CasoProfundo{"funciones", Repetir("sin(", 10000) + "x" + Repetir(")", 10000)},
                      CasoProfundo{"mezcla", Repetir("(x+sin(", 3000) + "x" + Repetir("))", 3000)},
                      CasoProfundo{"potencias", Repetir("x^(", 8000) + "2" + Repetir(")", 8000)},
                      CasoProfundo{"signos", Repetir("-(", 8000) + "x" + Repetir(")", 8000)},
                      CasoProfundo{"suma_larga", "x" + Repetir("+x", 16000)},
                      CasoProfundo{"producto_largo", "x" + Repetir("*x", 16000)},
                      CasoProfundo{"variables",
                                   [] {
                                       std::string s = "a0";
                                       for (int i = 1; i < 5000; ++i) s += "+a" + std::to_string(i);
                                       return s;
                                   }()}),
    [](const auto& info) { return info.param.nombre; });

TEST(BytesTest, CualquierTextoTerminaEnValorOError) {
    std::mt19937 azar(12345);
    const std::string alfabeto = "xyz0123456789.+-*/%^() eEsincotalpr";
    const std::string raros = "_$,\xc3\xb1\x01\xff";
    const std::set<int32_t> permitidos = {0,  5,           6,           9,           11,         13,
                                          28, -2147221502, -2147221501, -2147221500, -2147221499};
    for (int i = 0; i < 3000; ++i) {
        std::string texto;
        const int largo = static_cast<int>(azar() % 40);
        for (int k = 0; k < largo; ++k) {
            const std::string& fuente = azar() % 50 == 0 ? raros : alfabeto;
            texto.push_back(fuente[azar() % fuente.size()]);
        }
        prueba::HostEvaluar host;
        Evaluar ev(&host);
        ev.Funcion(texto);
        for (int16_t v = 1; v <= ev.NumeroVariables(); ++v) ev.Valor(v, 0.25 * v);
        const double r = ev.Resultado();
        EXPECT_TRUE(std::isfinite(r)) << texto;
        EXPECT_TRUE(permitidos.count(ev.NumeroError())) << texto << " -> " << ev.NumeroError();
        // Whatever is accepted reads back as an accepted text.
        if (ev.NumeroError() == 0 && !ev.Funcion().empty()) {
            Evaluar otra;
            otra.Funcion(ev.Funcion());
            EXPECT_NE(otra.NumeroError(), -2147221500) << texto << " -> " << ev.Funcion();
        }
    }
}

}  // namespace
}  // namespace relivo
