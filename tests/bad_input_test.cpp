// Hostile input: any bytes end in a value or in an error through the error
// path, never in a crash (huge texts and deep nesting: limits_test.cpp).
#include <gtest/gtest.h>

#include <cmath>
#include <random>
#include <set>
#include <string>

#include "relivo/evaluar.h"
#include "tests/support/evaluar_host.h"

namespace relivo {
namespace {

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
