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
