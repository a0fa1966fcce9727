// Texts replayed on a 1 MiB stack through the checks the fuzz targets
// (fuzz/) make: the inputs that the fuzzers found breaking an invariant, each
// row of tests/data/regresiones.tsv one finding with what was wrong; and
// every short text over a few tokens of the language through the checks of
// the Funcion and Reducir targets (acceptance, the variable table, the value,
// a display text that reads back with the same meaning), so that a corner
// case of degenerate input that the fuzzers find at random cannot come back
// unnoticed.
#include <gtest/gtest.h>

#include <iterator>
#include <map>
#include <string>
#include <string_view>
#include <vector>

#include "tests/support/check_funcion.h"
#include "tests/support/check_reducir.h"
#include "tests/support/check_script.h"
#include "tests/support/invariants.h"
#include "tests/support/recording.h"
#include "tests/support/small_stack.h"
#if RELIVO_WITH_CONTROL
#include "tests/support/check_graficar.h"
#include "tests/support/check_properties.h"
#endif

namespace relivo {
namespace {

void Fallar(const std::string& mensaje) {
    ADD_FAILURE() << mensaje;
}

// The fuzz targets by name.
const std::map<std::string, void (*)(std::string_view)> kObjetivos = {
    {"Funcion", fuzz::funcion::Ejecutar},   {"Guion", fuzz::guion::Ejecutar},
    {"Reducir", fuzz::reducir::Ejecutar},
#if RELIVO_WITH_CONTROL
    {"Graficar", fuzz::graficar::Ejecutar}, {"Propiedades", fuzz::propiedades::Ejecutar},
#endif
};

void Reproducir(const std::string& objetivo, const std::string& entrada) {
    const auto it = kObjetivos.find(objetivo);
    if (it == kObjetivos.end()) return Fallar("no fuzz target named " + objetivo);
    it->second(entrada);
}

// Target, what was wrong, input.
class Regresion : public ::testing::TestWithParam<prueba::FilaTabla> {};

TEST_P(Regresion, CumpleLasInvariantes) {
#if !RELIVO_WITH_CONTROL
    if (GetParam()[0] == "Graficar" || GetParam()[0] == "Propiedades") {
        GTEST_SKIP() << "built without the surface-plot control";
    }
#endif
    fuzz::AlRomper() = &Fallar;
    prueba::EnPilaDe1MiB([&] { Reproducir(GetParam()[0], GetParam()[2]); });
    fuzz::AlRomper() = nullptr;
}

INSTANTIATE_TEST_SUITE_P(Fuzz, Regresion, ::testing::ValuesIn(prueba::LeerTabla("regresiones.tsv")),
                         [](const auto& info) { return info.param[1]; });

// Target, tokens per text at most, and the tokens (tests/data/alfabetos.tsv).
const std::vector<prueba::FilaTabla> kAlfabetos = prueba::LeerTabla("alfabetos.tsv");

// One run: the texts of one alphabet that begin with one of its tokens, so
// that the runs share the processors.
struct Tanda {
    size_t alfabeto, primera;
};

class TextosCortos : public ::testing::TestWithParam<Tanda> {};

// All texts of 1 to `largo` tokens that begin with the run's first token.
TEST_P(TextosCortos, CumplenLasInvariantes) {
    const prueba::FilaTabla& a = kAlfabetos[GetParam().alfabeto];
    const std::vector<std::string> fichas = prueba::Nombres(a[2]);
    const int largo = std::stoi(a[1]);
    fuzz::AlRomper() = &Fallar;
    std::string texto(fichas[GetParam().primera]);
    std::string fallido;
    long probados = 0;
    auto probar = [&](auto&& self, int n) -> void {
        ++probados;
        Reproducir(a[0], texto);
        if (HasFailure()) fallido = texto;
        for (size_t i = 0; n < largo && fallido.empty() && i < fichas.size(); ++i) {
            const size_t antes = texto.size();
            texto.append(fichas[i]);
            self(self, n + 1);
            texto.resize(antes);
        }
    };
    probar(probar, 1);
    fuzz::AlRomper() = nullptr;
    EXPECT_TRUE(fallido.empty()) << "after " << probados << " texts, " << fuzz::Literal(fallido);
}

std::vector<Tanda> Tandas() {
    std::vector<Tanda> t;
    for (size_t a = 0; a < std::size(kAlfabetos); ++a) {
        for (size_t i = 0; i < prueba::Nombres(kAlfabetos[a][2]).size(); ++i) t.push_back({a, i});
    }
    return t;
}

INSTANTIATE_TEST_SUITE_P(Todos, TextosCortos, ::testing::ValuesIn(Tandas()), [](const auto& info) {
    return "Alfabeto" + std::to_string(info.param.alfabeto) + "_" +
           std::to_string(info.param.primera);
});

}  // namespace
}  // namespace relivo
