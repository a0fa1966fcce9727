// Canonical text: spellings, implicit products, signs, numbers and the
// display text that reads back.
#include "evaluar/canonical.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/numbers.h"
#include "relivo/platform/error.h"

namespace relivo {
namespace {

struct CasoCanonico {
    const char* entrada;
    const char* canonico;
    std::vector<std::string> variables;
};

class CanonizarTest : public ::testing::TestWithParam<CasoCanonico> {};

TEST_P(CanonizarTest, DaElTextoYLasVariables) {
    const CasoCanonico& c = GetParam();
    TablaVariables tabla;
    EXPECT_EQ(Canonizar(c.entrada, tabla), c.canonico) << c.entrada;
    ASSERT_EQ(tabla.cuenta, static_cast<int16_t>(c.variables.size())) << c.entrada;
    for (size_t i = 0; i < c.variables.size(); ++i) EXPECT_EQ(tabla.nombres[i], c.variables[i]);
}

INSTANTIATE_TEST_SUITE_P(
    Grafias, CanonizarTest,
    ::testing::Values(
        CasoCanonico{"SEN(X)", "a(L1L)", {"X"}}, CasoCanonico{"sin(x)", "a(L1L)", {"X"}},
        CasoCanonico{"senhip(x)", "g(L1L)", {"X"}}, CasoCanonico{"sinh(x)", "g(L1L)", {"X"}},
        CasoCanonico{"senh(x)", "g(L1L)", {"X"}}, CasoCanonico{"arcsen(x)", "m(L1L)", {"X"}},
        CasoCanonico{"angsin(x)", "m(L1L)", {"X"}}, CasoCanonico{"asin(x)", "m(L1L)", {"X"}},
        CasoCanonico{"arccosh(x)", "t(L1L)", {"X"}}, CasoCanonico{"arccosenh(x)", "t(L1L)", {"X"}},
        CasoCanonico{"abs(x)", "H(L1L)", {"X"}}, CasoCanonico{"sinx", "aL1L", {"X"}},
        CasoCanonico{"xsin", "L1L", {"Xsin"}}, CasoCanonico{"cosinh", "bL1L", {"H"}},
        CasoCanonico{"tnhip tnh tn", "iic", {}}, CasoCanonico{"sqrt sqr curt cur", "BBCC", {}},
        CasoCanonico{"lgt log ln exp euler rnd ran pi int sgn", "yzzAK*D*D*J*FG", {}},
        CasoCanonico{"arccotgthip acsch angtg", "vxo", {}}, CasoCanonico{"area", "L1L", {"Area"}},
        CasoCanonico{"x2", "L1L", {"X2"}}),
    [](const auto& info) { return "Caso" + std::to_string(info.index); });

INSTANTIATE_TEST_SUITE_P(
    NumerosYSignos, CanonizarTest,
    ::testing::Values(
        CasoCanonico{"2e+5", "2E+5", {}}, CasoCanonico{"2e-5", "2E-5", {}},
        CasoCanonico{"2e5", "2*L1L", {"E5"}}, CasoCanonico{"e", "K", {}},
        CasoCanonico{"2e", "2*K", {}}, CasoCanonico{"x e y", "L1L*K*L2L", {"X", "Y"}},
        CasoCanonico{"2e+05", "2E+5", {}}, CasoCanonico{"2pi", "2*J", {}},
        CasoCanonico{"pi x", "J*L1L", {"X"}}, CasoCanonico{"x y", "L1L*L2L", {"X", "Y"}},
        CasoCanonico{"2(x)", "2*(L1L)", {"X"}}, CasoCanonico{"2 (x)", "2*(L1L)", {"X"}},
        CasoCanonico{"(x)(y)", "(L1L)*(L2L)", {"X", "Y"}}, CasoCanonico{"rnd(5)", "D*(5)", {}},
        CasoCanonico{"007", "7", {}}, CasoCanonico{"0.5", "0.5", {}},
        CasoCanonico{"-x", "_L1L", {"X"}}, CasoCanonico{"--x", "L1L", {"X"}},
        CasoCanonico{"2--3", "2+3", {}}, CasoCanonico{"2+-3", "2-3", {}},
        CasoCanonico{"2-+3", "2-3", {}}, CasoCanonico{"2*-3", "2*_3", {}},
        CasoCanonico{"2-(-3)", "2-(_3)", {}}, CasoCanonico{"(-3)", "(-3)", {}},
        CasoCanonico{"2 -3", "2-3", {}}, CasoCanonico{"2*+3", "2+3", {}},
        CasoCanonico{"2x", "2*L1L", {"X"}}, CasoCanonico{"x^-2", "L1L^_2", {"X"}},
        CasoCanonico{"x y x", "L1L*L2L*L1L", {"X", "Y"}}),
    [](const auto& info) { return "Caso" + std::to_string(info.index); });

TEST(CanonizarTest, RechazaLoQueNoTieneRegla) {
    for (const char* texto : {"x_y", "a$b", "\xc3\xb1", "x=1"}) {
        TablaVariables tabla;
        try {
            Canonizar(texto, tabla);
            ADD_FAILURE() << texto;
        } catch (const Fallo& f) {
            EXPECT_EQ(f.numero(), errores::kBaseUsuario + 4) << texto;
        }
    }
}

TEST(CanonizarTest, TextoDemasiadoLargoDesborda) {
    TablaVariables tabla;
    try {
        Canonizar(std::string(32768, '1'), tabla);
        ADD_FAILURE();
    } catch (const Fallo& f) {
        EXPECT_EQ(f.numero(), errores::kDesbordamiento);
    }
}

TEST(CanonizarTest, SeparadorDelUsuario) {
    numeros::FijarSeparadorDecimal(',');
    TablaVariables tabla;
    EXPECT_EQ(Canonizar("2,5x", tabla), "2.5*L1L");
    numeros::FijarSeparadorDecimal('\0');
}

TEST(TextoVisibleTest, EscribeNombresYSeparaVariables) {
    TablaVariables tabla;
    tabla.Agregar("X");
    tabla.Agregar("Y");
    EXPECT_EQ(TextoVisible("L1LL2L", tabla), "X Y");
    EXPECT_EQ(TextoVisible("_a(J)", tabla), "-Sin(Pi)");
    EXPECT_EQ(TextoVisible("2E-5*vL2L+K*D", tabla), "2E-5*ArccothipY+Euler*Rnd");
    EXPECT_THROW(TextoVisible("L3L", tabla), Fallo);
}

TEST(TextoVisibleTest, CadaNombreVisibleSeLeeDeNuevoComoSuCodigo) {
    const std::string codigos = "abcdefghijklmnopqrstuvwxyzABCFGHJKD";
    for (char c : codigos) {
        TablaVariables tabla;
        const std::string canonico = std::string(1, c) + "(2)";
        const std::string visible = TextoVisible(canonico, tabla);
        const std::string esperado =
            (c == 'J' || c == 'K' || c == 'D') ? std::string(1, c) + "*(2)" : canonico;
        EXPECT_EQ(Canonizar(visible, tabla), esperado) << visible;
        EXPECT_EQ(tabla.cuenta, 0) << visible;
    }
}

}  // namespace
}  // namespace relivo
