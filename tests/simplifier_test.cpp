// The simplifier through Simplificador::Reducir with a pre-filled variable
// table, the display text read back by the host, the decimal separator, and
// the recursion guard on a small thread stack.
#include "evaluar/simplifier.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

#include "evaluar/canonical.h"
#include "evaluar/display.h"
#include "evaluar/variables.h"
#include "platform/numbers.h"
#include "relivo/evaluar.h"
#include "relivo/platform/error.h"
#include "tests/support/small_stack.h"

namespace relivo {
namespace {

// A table holding the names as given, variable 1 first.
TablaVariables Tabla(const std::vector<std::string>& nombres) {
    TablaVariables t;
    for (const std::string& n : nombres) t.Agregar(n);
    return t;
}

const std::vector<std::string> kXY = {"X", "Y"};

std::string Reducir(const std::string& texto, const std::vector<std::string>& variables = kXY) {
    const TablaVariables t = Tabla(variables);
    return Simplificador(t).Reducir(texto);
}

TEST(ReducirTest, TextoDemasiadoLargoDesborda) {
    const std::string largo(32768, '1');
    try {
        Reducir("(" + largo + ")");
        FAIL() << "sin error";
    } catch (const Fallo& f) {
        EXPECT_EQ(f.numero(), 6);
    }
}

// Reads a display text back the way Funcion [Let] does: Canonizar, Reducir,
// and the display text of the result again.
std::string LeerDeNuevo(const std::string& visible) {
    TablaVariables tabla;
    const std::string canonico = Canonizar(visible, tabla);
    return TextoMostrado(Simplificador(tabla).Reducir(canonico), tabla);
}

TEST(TextoMostradoTest, LosEjemplosSeLeenSinCambios) {
    const char* textos[] = {
        "L1L*_L1L", "_L1L^2+L2L", "2*(0-L1L^2-L2L)", "n(_L1L)",    "_5.25^L1L",
        "B(cL1L)",  "b(FL1L)",    "L1L^_2+1",        "L1L*_L1L%3", "r(_L1L)",
        "F(_2.5)",  "_a(L1L)^2",  "_5^3^L1L",        "0-3^L1L",    "(L1L*L2L)*(L1L*L2L)"};
    for (const char* t : textos) {
        const TablaVariables tabla = Tabla(kXY);
        const std::string visible = TextoMostrado(Simplificador(tabla).Reducir(t), tabla);
        EXPECT_EQ(LeerDeNuevo(visible), visible) << t;
    }
}

// With "," as the user's decimal separator every number the simplifier
// writes carries it, the exact values still match, and Canonizar reads the
// numbers back.
class SeparadorComaTest : public ::testing::Test {
protected:
    void SetUp() override { numeros::FijarSeparadorDecimal(','); }
    void TearDown() override { numeros::FijarSeparadorDecimal('\0'); }
};

TEST_F(SeparadorComaTest, LosNumerosEscritosLlevanLaComa) {
    EXPECT_EQ(Reducir("L1L/2"), "0,5*L1L");
    EXPECT_EQ(Reducir("J/2"), "0,5*J");
    EXPECT_EQ(Reducir("1.5+L1L"), "1,5+L1L");
    EXPECT_EQ(Reducir("1,5+1"), "2,5");
    EXPECT_EQ(Reducir("m1"), "0,5*J");
    EXPECT_EQ(Reducir("a(J/2)"), "1");
    EXPECT_EQ(Reducir("c(3*J/4)"), "_1");
    EXPECT_EQ(Reducir("2.5*L1L+L1L"), "3,5*L1L");
    EXPECT_EQ(Reducir("L1L^2.5*L1L"), "L1L^3,5");
    EXPECT_EQ(Reducir("1E-5+L1L"), "1E-05+L1L");
}

TEST_F(SeparadorComaTest, ElTextoMostradoSeLeeConElMismoValor) {
    const char* expresiones[] = {"x/2 + 1,5", "x^2.5*x", "asin(1)*x", "x*1e-5 + 0,25"};
    for (const char* e : expresiones) {
        Evaluar ev;
        ev.Funcion(e);
        ASSERT_EQ(ev.NumeroError(), 0) << e;
        ev.Valor(Variante("x"), 1.5);
        const double valor = ev.Resultado();
        const std::string visible = TextoMostrado(ev.TextoCanonico(), Tabla({"X"}));
        Evaluar otra;
        otra.Funcion(visible);
        ASSERT_EQ(otra.NumeroError(), 0) << visible;
        otra.Valor(Variante("x"), 1.5);
        EXPECT_DOUBLE_EQ(otra.Resultado(), valor) << e << " -> " << visible;
    }
}

std::string Anidar(const std::string& antes, const std::string& centro, const std::string& despues,
                   int veces) {
    std::string s;
    for (int i = 0; i < veces; ++i) s += antes;
    s += centro;
    for (int i = 0; i < veces; ++i) s += despues;
    return s;
}

TEST(ProfundidadTest, TextosMuyAnidadosTerminanConElError28) {
    const std::vector<std::string> textos = {
        Anidar("a(", "L1L", ")", 3000),    Anidar("L1L+(", "L2L", ")", 3000),
        Anidar("L1L*(", "L2L", ")", 3000), Anidar("L1L^(", "2", ")", 3000),
        Anidar("L1L%(", "L2L", ")", 3000), Anidar("_(", "L1L", ")", 3000),
        Anidar("a", "L1L", "", 5000),      Anidar("(L1L-(", "2", "))", 3000),
        Anidar("2*(L1L+", "1", ")", 3000), Anidar("(L1L+(L2L+", "1", "))", 2000),
    };
    for (const std::string& t : textos) {
        int numero = 0;
        prueba::EnPilaDe1MiB([&] {
            try {
                Reducir(t);
            } catch (const Fallo& f) {
                numero = f.numero();
            }
        });
        EXPECT_EQ(numero, errores::kPilaInsuficiente) << t.substr(0, 20);
    }
}

TEST(ProfundidadTest, ElTextoMostradoMuyAnidadoTerminaConElError28) {
    int numero = 0;
    prueba::EnPilaDe1MiB([&] {
        try {
            TextoMostrado(Anidar("a", "L1L", "", 5000), Tabla(kXY));
        } catch (const Fallo& f) {
            numero = f.numero();
        }
    });
    EXPECT_EQ(numero, errores::kPilaInsuficiente);
}

TEST(ProfundidadTest, FuncionMuyAnidadaPasaPorElCaminoDeError) {
    int32_t numero = 0;
    prueba::EnPilaDe1MiB([&] {
        Evaluar ev;
        ev.Funcion(Anidar("sin(", "x", ")", 2000));
        numero = ev.NumeroError();
    });
    EXPECT_EQ(numero, errores::kPilaInsuficiente);
}

// The deepest texts the guard lets through still fit in the small stack.
TEST(ProfundidadTest, ElAnidamientoAdmitidoCabeEnLaPila) {
    const std::pair<const char*, const char*> formas[] = {
        {"a(L1L+", ")"}, {"L1L*(1+", ")"}, {"(L1L-(L2L-", "))"}, {"L1L^(1+", ")"}, {"L1L%(1-", ")"},
        {"_(L1L*", ")"}, {"a", ""},
    };
    for (const auto& [antes, despues] : formas) {
        int admitidos = 0;
        for (int veces = 40;; veces += 2) {
            int numero = 0;
            prueba::EnPilaDe1MiB([&] {
                try {
                    Reducir(Anidar(antes, "L2L", despues, veces));
                } catch (const Fallo& f) {
                    numero = f.numero();
                }
            });
            if (numero != 0) {
                EXPECT_EQ(numero, errores::kPilaInsuficiente) << antes;
                break;
            }
            admitidos = veces;
        }
        EXPECT_GT(admitidos, 40) << antes;
    }
}

}  // namespace
}  // namespace relivo
