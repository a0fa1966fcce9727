// Inputs that the fuzzers (fuzz/) found breaking an invariant, replayed on a
// 1 MiB stack through the same checks the fuzz targets make. Each row of
// tests/data/regresiones.tsv is one finding, with what was wrong.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/support/case_table.h"
#include "tests/support/check_funcion.h"
#include "tests/support/check_reducir.h"
#include "tests/support/check_script.h"
#include "tests/support/invariants.h"
#include "tests/support/small_stack.h"
#if RELIVO_WITH_CONTROL
#include "tests/support/check_graficar.h"
#include "tests/support/check_properties.h"
#endif

namespace relivo {
namespace {

std::vector<std::string>& Rupturas() {
    static std::vector<std::string> r;
    return r;
}

void Anotar(const std::string& mensaje) {
    Rupturas().push_back(mensaje);
}

void Reproducir(const std::string& objetivo, const std::string& entrada) {
    if (objetivo == "Funcion") {
        fuzz::funcion::Ejecutar(entrada);
    } else if (objetivo == "Guion") {
        fuzz::guion::Ejecutar(entrada);
    } else if (objetivo == "Reducir") {
        fuzz::reducir::Ejecutar(entrada);
#if RELIVO_WITH_CONTROL
    } else if (objetivo == "Graficar") {
        fuzz::graficar::Ejecutar(entrada);
    } else if (objetivo == "Propiedades") {
        fuzz::propiedades::Ejecutar(entrada);
#endif
    } else {
        Anotar("no fuzz target named " + objetivo);
    }
}

class Regresion : public ::testing::TestWithParam<prueba::FilaTabla> {};

TEST_P(Regresion, CumpleLasInvariantes) {
#if !RELIVO_WITH_CONTROL
    if (GetParam()[0] == "Graficar" || GetParam()[0] == "Propiedades") {
        GTEST_SKIP() << "built without the surface-plot control";
    }
#endif
    Rupturas().clear();
    fuzz::AlRomper() = &Anotar;
    prueba::EnPilaDe1MiB([&] { Reproducir(GetParam()[0], GetParam()[2]); });
    fuzz::AlRomper() = nullptr;
    EXPECT_TRUE(Rupturas().empty()) << Rupturas().front();
}

INSTANTIATE_TEST_SUITE_P(Fuzz, Regresion, ::testing::ValuesIn(prueba::LeerTabla("regresiones.tsv")),
                         [](const auto& info) { return info.param[1]; });

}  // namespace
}  // namespace relivo
