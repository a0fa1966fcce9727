// Every short text over a few tokens of the language goes through the checks
// of the Funcion and Reducir fuzz targets: acceptance, the variable table,
// the value, and a display text that reads back with the same meaning. The
// fuzzers find the corner cases of degenerate input at random; these small
// texts are tried all, so that such a case cannot come back unnoticed.
#include <gtest/gtest.h>

#include <string>
#include <string_view>
#include <vector>

#include "tests/support/invariants.h"
#include "tests/support/check_funcion.h"
#include "tests/support/check_reducir.h"

namespace relivo {
namespace {

struct Alfabeto {
    const char* nombre;
    bool canonico;  // Reducir on canonical text, or Funcion on typed text
    std::vector<std::string_view> fichas;
    int largo;  // tokens per text, at most
};

std::string& PrimeraRuptura() {
    static std::string r;
    return r;
}

void Anotar(const std::string& mensaje) {
    if (PrimeraRuptura().empty()) PrimeraRuptura() = mensaje;
}

// One run: the texts of one alphabet that begin with one of its tokens, so
// that the runs share the processors.
struct Tanda {
    const Alfabeto* alfabeto;
    size_t primera;
};

class TextosCortos : public ::testing::TestWithParam<Tanda> {};

// All texts of 1 to `largo` tokens that begin with the run's first token.
TEST_P(TextosCortos, CumplenLasInvariantes) {
    const Alfabeto& a = *GetParam().alfabeto;
    PrimeraRuptura().clear();
    fuzz::AlRomper() = &Anotar;
    std::string texto(a.fichas[GetParam().primera]);
    std::string fallido;
    long probados = 0;
    auto probar = [&](auto&& self, int fichas) -> void {
        if (fichas > 0) {
            ++probados;
            if (a.canonico) {
                fuzz::reducir::Ejecutar(texto);
            } else {
                fuzz::funcion::Ejecutar(texto);
            }
            if (!PrimeraRuptura().empty() && fallido.empty()) fallido = texto;
        }
        if (fichas == a.largo || !fallido.empty()) return;
        for (std::string_view f : a.fichas) {
            const size_t n = texto.size();
            texto.append(f);
            self(self, fichas + 1);
            texto.resize(n);
        }
    };
    probar(probar, 1);
    fuzz::AlRomper() = nullptr;
    EXPECT_TRUE(fallido.empty()) << "after " << probados << " texts, " << fuzz::Literal(fallido)
                                 << ":\n"
                                 << PrimeraRuptura();
}

const Alfabeto kAlfabetos[] = {
    {"Signos", false, {"-", "(", ")", "x", "*", "/", "^", "2", "pi"}, 6},
    {"Funciones", false, {"-", "(", ")", "x", "+", "%", "sin", "asin", "0", "e"}, 5},
    {"Canonico", true, {"_", "(", ")", "L1L", "*", "/", "^", "-", "J", "2", "a"}, 5},
};

std::vector<Tanda> Tandas() {
    std::vector<Tanda> t;
    for (const Alfabeto& a : kAlfabetos) {
        for (size_t i = 0; i < a.fichas.size(); ++i) t.push_back({&a, i});
    }
    return t;
}

INSTANTIATE_TEST_SUITE_P(Todos, TextosCortos, ::testing::ValuesIn(Tandas()), [](const auto& info) {
    return std::string(info.param.alfabeto->nombre) + "_" + std::to_string(info.param.primera);
});

}  // namespace
}  // namespace relivo
