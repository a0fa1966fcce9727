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

struct Caso {
    const char* texto;
    const char* esperado;
    std::vector<std::string> variables = kXY;
};

void PrintTo(const Caso& c, std::ostream* os) {
    *os << '"' << c.texto << '"';
}

std::string Reducir(const std::string& texto, const std::vector<std::string>& variables = kXY) {
    const TablaVariables t = Tabla(variables);
    return Simplificador(t).Reducir(texto);
}

class ReducirTest : public ::testing::TestWithParam<Caso> {};

TEST_P(ReducirTest, DaElTextoSimplificado) {
    const Caso& c = GetParam();
    EXPECT_EQ(Reducir(c.texto, c.variables), c.esperado);
}

INSTANTIATE_TEST_SUITE_P(
    Despachador, ReducirTest,
    ::testing::Values(Caso{"", "0"}, Caso{"   ", "0"}, Caso{"()", "0"}, Caso{"((7))", "7"},
                      Caso{"(2.50)", "2.5"}, Caso{"2", "2"}, Caso{"1.5E+3", "1500"},
                      Caso{"0.50", "0.5"}, Caso{"-5", "-5"}, Caso{"(2)+(3)", "5"},
                      Caso{"L2L", "L2L"}, Caso{"L2L*2", "2*L2L"}, Caso{"1E-5", "1E-05"},
                      Caso{"2E-3+1", "1.002"}, Caso{"-L1L", "-L1L"}, Caso{"_5", "_5"},
                      Caso{"2+3*4", "14"}, Caso{"2*3^2", "18"}, Caso{"L1L%L2L*2", "L1L%2*L2L"},
                      Caso{"_2^2", "4"}));

INSTANTIATE_TEST_SUITE_P(
    Suma, ReducirTest,
    ::testing::Values(Caso{"2+3", "5"}, Caso{"3-5", "-2"}, Caso{"L1L-L1L", "0"}, Caso{"8-2-1", "5"},
                      Caso{"L1L-2-3", "-5+L1L"}, Caso{"L1L+2+L1L", "2+2*L1L"},
                      Caso{"L1L*2+3-1+L1L*2", "2+4*L1L"}, Caso{"L2L-(L1L+2)", "-2-L1L+L2L"},
                      Caso{"-L1L+3", "3-L1L"}, Caso{"2-_3", "5"}, Caso{"1E-5+L1L", "1E-05+L1L"},
                      Caso{"L1L+2E-3", "0.002+L1L"}, Caso{"L1L%L2L+L1L%L2L", "2*(L1L%L2L)"},
                      Caso{"2++3", "5"}, Caso{"L1L+L2L", "L1L+L2L", {"b", "C"}},
                      Caso{"L2L+L1L", "L1L+L2L", {"b", "C"}}, Caso{"L2L+L1L", "L1L+L2L"},
                      Caso{"3*L2L+2*L1L", "2*L1L+3*L2L"}, Caso{"0.5*L1L+0.5*L1L", "L1L"},
                      Caso{"L1L-2*L1L", "-L1L"}, Caso{"2*L1L-L1L-L1L", "0"},
                      Caso{"_L1L*L2L+1", "1-L1L*L2L"},
                      // A unary minus before a power stays in the term: (-x)^2.
                      Caso{"_L1L^2+L2L", "(_L1L)^2+L2L"}, Caso{"_2^2+L1L", "4+L1L"},
                      // A "_" later inside a term negates only its own operand.
                      Caso{"L1L^_2+1", "1+L1L^(_2)"},
                      // A remainder term is not split at its leading number.
                      Caso{"2*L1L%3+L2L", "2*L1L%3+L2L"}, Caso{"L1L%3-L1L%3", "0"},
                      Caso{"L1L+(L2L-L1L)", "L2L"}, Caso{"1-(2-(3-L1L))", "2-L1L"}));

INSTANTIATE_TEST_SUITE_P(
    Residuo, ReducirTest,
    ::testing::Values(Caso{"7%0", "7%0"}, Caso{"7%3", "7%3"}, Caso{"L1L%(L2L%3)", "L1L%(L2L%3)"},
                      Caso{"(2+L1L)%3", "(2+L1L)%3"}, Caso{"(0-7)%3", "_7%3"},
                      Caso{"(_L1L%3)%L2L", "_(L1L%3)%L2L"}, Caso{"L2L%(_L1L%3)", "L2L%(_L1L%3)"},
                      // A negated operand that opens with a power is negated whole.
                      Caso{"L1L*_L1L%3", "_(L1L^2)%3"}, Caso{"L1L%(0-L2L)", "L1L%_L2L"},
                      Caso{"L1L%(1-L2L)", "L1L%(1-L2L)"}));

INSTANTIATE_TEST_SUITE_P(
    Producto, ReducirTest,
    ::testing::Values(Caso{"2*3", "6"}, Caso{"L1L*2", "2*L1L"}, Caso{"L1L/2", "0.5*L1L"},
                      Caso{"J/2", "0.5*J"}, Caso{"3*J/4", "0.75*J"}, Caso{"_J/2", "-0.5*J"},
                      Caso{"L1L*L1L", "L1L^2"}, Caso{"L1L^2*L1L", "L1L^3"}, Caso{"L1L/L1L", "1"},
                      Caso{"L1L/L1L^3", "1/L1L^2"}, Caso{"_L1L*2", "-2*L1L"},
                      Caso{"L1L*(-2)", "-2*L1L"}, Caso{"L1L*(-1)", "-L1L"}, Caso{"0*L1L", "0"},
                      Caso{"(L1L+1)*2", "2*(1+L1L)"}, Caso{"L1L/(2*L2L)", "0.5*L1L/L2L"},
                      Caso{"L1L*(2*L2L)", "2*L1L*L2L"}, Caso{"6/3", "2"}, Caso{"L1L*1", "L1L"},
                      Caso{"1*1", "1"}, Caso{"2/2", "1"}, Caso{"0/L1L", "0"}, Caso{"L1L*0", "0"},
                      Caso{"0*L1L/0", "0"}, Caso{"2*L1L*3", "6*L1L"}, Caso{"L1L*2/4", "0.5*L1L"},
                      Caso{"L1L^2/L1L^2", "1"}, Caso{"L1L*L1L*L1L", "L1L^3"},
                      Caso{"L1L^10*L1L^2", "L1L^12"}, Caso{"_L1L*_L2L", "L1L*L2L"},
                      Caso{"_L1L*L2L", "-L1L*L2L"}, Caso{"L1L*_L1L", "-L1L^2"},
                      Caso{"_L1L/L1L", "-1"}, Caso{"(L1L-1)*2", "2*(-1+L1L)"},
                      Caso{"2*(0-L1L-L2L)", "2*(-L1L-L2L)"}, Caso{"3*J/2", "1.5*J"},
                      Caso{"J/4", "0.25*J"}, Caso{"5*J/4", "1.25*J"}, Caso{"7*J/4", "1.75*J"},
                      Caso{"L2L*L1L", "L1L*L2L"}, Caso{"1/L1L", "1/L1L"}, Caso{"L1L*(_1)", "-L1L"},
                      // A nested product merges only once its parts stand inline.
                      Caso{"(L1L*L2L)*(L1L*L2L)", "L1L^2*L2L^2"}, Caso{"(L1L*L2L)/(L1L*L2L)", "1"},
                      Caso{"L1L/(L1L/L2L)", "L2L"}));

INSTANTIATE_TEST_SUITE_P(
    Potencia, ReducirTest,
    ::testing::Values(
        Caso{"2^3", "8"}, Caso{"2^3^2", "64"}, Caso{"L1L^1", "L1L"}, Caso{"L1L^0", "1"},
        Caso{"L1L^2^3", "L1L^6"}, Caso{"2^3^L1L", "8^L1L"}, Caso{"L1L^3^L2L", "L1L^L2L^3"},
        Caso{"L1L^(0-L2L)", "L1L^(_L2L)"}, Caso{"(L1L+1)^2", "(1+L1L)^2"}, Caso{"_2^2", "4"},
        Caso{"2^0.5", "1.4142135623731"}, Caso{"4^0.5^2", "4"}, Caso{"0^L1L", "0"},
        Caso{"0^(0-1)", "0"}, Caso{"L1L^L2L^0", "1"}, Caso{"2^(0-3)", "0.125"},
        Caso{"2^(0-L1L)^3", "8^(-L1L)"}, Caso{"2^3^(0-L1L)", "8^(_L1L)"}, Caso{"L1L^1^1", "L1L"},
        // The implementer's forms of a signed symbolic base and a negative product.
        Caso{"(0-L1L)^2", "(_L1L)^2"}, Caso{"L1L^_2", "L1L^(_2)"}, Caso{"L1L^(_2)^3", "L1L^_2^3"},
        // A negative numeric base keeps its sign inside the base.
        Caso{"_5.25^L1L", "(-5.25)^L1L"}, Caso{"_5^3^L1L", "(-125)^L1L"},
        // A zero product of the exponents gives 1.
        Caso{"L1L^_0", "1"}));

INSTANTIATE_TEST_SUITE_P(
    Funcion, ReducirTest,
    ::testing::Values(
        Caso{"aJ", "0"}, Caso{"b(0.5*J)", "0"}, Caso{"c(_(0.25*J))", "_1"}, Caso{"m1", "0.5*J"},
        Caso{"n(_1)", "J"}, Caso{"a(mL1L)", "L1L"}, Caso{"zK", "1"}, Caso{"y10", "1"},
        Caso{"a(_L1L)", "_aL1L"}, Caso{"e(-2)", "e2"}, Caso{"a2", "a2"}, Caso{"J", "J"},
        Caso{"B(2*2)", "B4"}, Caso{"K", "K"}, Caso{"D", "D"}, Caso{"a(J)", "0"}, Caso{"a(_J)", "0"},
        Caso{"a(0-J)", "0"}, Caso{"b(J)", "_1"}, Caso{"c(0.25*J)", "1"}, Caso{"c(1.75*J)", "_1"},
        Caso{"c(0.5*J)", "c(0.5*J)"}, Caso{"d(0.5*J)", "0"}, Caso{"m(-1)", "1.5*J"},
        Caso{"m(_1)", "1.5*J"}, Caso{"n(-1)", "J"}, Caso{"p0", "0.5*J"}, Caso{"o1", "o1"},
        Caso{"m(aL1L)", "L1L"}, Caso{"z(AL1L)", "L1L"}, Caso{"A(zL1L)", "L1L"},
        Caso{"a(mL1L*L2L)", "a(mL1L*L2L)"}, Caso{"a(m(L1L+1))", "(1+L1L)"}, Caso{"b(_L1L)", "bL1L"},
        Caso{"n(_L1L)", "n_L1L"}, Caso{"a(0-L1L+2)", "a(2-L1L)"}, Caso{"y1", "0"},
        Caso{"y100", "y100"}, Caso{"z1", "0"}, Caso{"A0", "1"}, Caso{"t1", "0"}, Caso{"_2", "_2"},
        Caso{"B0", "B0"}, Caso{"d0", "d0"}, Caso{"z0", "z0"}, Caso{"m2", "m2"},
        Caso{"_(L1L+1)", "_(1+L1L)"}, Caso{"_(0-2)", "_(-2)"}, Caso{"B(L1L-L1L)", "B(L1L-L1L)"},
        Caso{"a(_2)", "_a2"}, Caso{"a(-3*L1L)", "_a(3*L1L)"}, Caso{"a(J/2)", "1"},
        Caso{"a(_J/2)", "_1"}, Caso{"f(3*J/2)", "_1"}, Caso{"e(_J)", "_1"}, Caso{"h0", "1"},
        Caso{"k(_L1L)", "kL1L"},
        // Arccsc has no sign rule: its formula is not odd.
        Caso{"r(_L1L)", "r_L1L"}, Caso{"q(_L1L)", "_qL1L"}));

// The operand order follows the restarting scan: for each position whose key is
// not numeric, look from the last operand back for a numeric key or a key that
// sorts before it (ignoring case), swap, and start again from the last
// operand. Names that differ only in case have equal keys, so the order of
// such terms shows how ties are treated; the numbers are added in list order.
TEST(OrdenarTerminosTest, SigueElRecorridoQueReiniciaDesdeElFinal) {
    const std::vector<std::string> nombres = {"Ab", "AB", "aB", "ab", "Ac", "B", "b", "Ba"};
    auto minusculas = [](std::string t) {
        for (char& c : t) c = AMinuscula(c);
        return t;
    };
    uint32_t estado = 12345;
    auto azar = [&](uint32_t n) {
        estado = estado * 1103515245u + 12345u;
        return (estado >> 16) % n;
    };
    for (int prueba = 0; prueba < 400; ++prueba) {
        struct Operando {
            std::string texto;
            std::string clave;
            bool numerico;
        };
        std::vector<Operando> lista;
        std::vector<bool> usada(nombres.size(), false);
        const uint32_t n = 2 + azar(10);
        for (uint32_t i = 0; i < n; ++i) {
            const uint32_t v = azar(nombres.size() + 4);
            if (v >= nombres.size()) {
                const std::string numero = std::to_string(v - nombres.size() + 1) + ".1";
                lista.push_back({numero, numero, true});
            } else if (!usada[v]) {
                usada[v] = true;
                lista.push_back({"L" + std::to_string(v + 1) + "L", minusculas(nombres[v]), false});
            }
        }
        std::string texto;
        for (const Operando& o : lista) texto += (texto.empty() ? "" : "+") + o.texto;
        // The scan that starts again from the last operand after every swap.
        const size_t m = lista.size();
        for (size_t i = 0; i + 1 < m; ++i) {
            if (lista[i].numerico) continue;
            size_t k = m - 1;
            while (k > i) {
                if (lista[k].numerico || lista[i].clave > lista[k].clave) {
                    std::swap(lista[i], lista[k]);
                    k = m;
                }
                if (lista[i].numerico) break;
                --k;
            }
        }
        double total = 0;
        std::string terminos;
        for (const Operando& o : lista) {
            if (o.numerico) {
                total += numeros::ANumero(o.texto);
            } else {
                terminos += "+" + o.texto;
            }
        }
        std::string esperado = total != 0 ? numeros::FormaGeneral(total) + terminos
                                          : terminos.substr(terminos.empty() ? 0 : 1);
        if (esperado.empty()) esperado = "0";
        EXPECT_EQ(Reducir(texto, nombres), esperado) << texto;
    }
}

// Errors travel up from any depth of the reduction.
struct CasoError {
    const char* texto;
    int32_t numero;
};

class ReducirErrorTest : public ::testing::TestWithParam<CasoError> {};

TEST_P(ReducirErrorTest, LevantaElErrorDelPaso) {
    const CasoError& c = GetParam();
    try {
        Reducir(c.texto);
        FAIL() << "sin error";
    } catch (const Fallo& f) {
        EXPECT_EQ(f.numero(), c.numero);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Errores, ReducirErrorTest,
    ::testing::Values(CasoError{"L1L/0", 11}, CasoError{"2/0", 11}, CasoError{"a(2/0)", 11},
                      CasoError{"1+L1L/(L2L-L2L)", 11}, CasoError{"1E+300*1E+300", 6},
                      CasoError{"1E-200*1E-200/0*L1L", 11}, CasoError{"1E+308+1E+308", 6},
                      CasoError{"10^400", 6}, CasoError{"_8^(1/3)", 5},
                      CasoError{"L1L+L1L*2*L1L^L9L", 9}, CasoError{"L1", 6}));

TEST(ReducirTest, TextoDemasiadoLargoDesborda) {
    const std::string largo(32768, '1');
    try {
        Reducir("(" + largo + ")");
        FAIL() << "sin error";
    } catch (const Fallo& f) {
        EXPECT_EQ(f.numero(), 6);
    }
}

TEST(HayOperadorTest, CuentaSoloFueraDeParentesisYSinSignosDeExponente) {
    struct {
        const char* texto;
        const char* operadores;
        bool esperado;
    } casos[] = {
        {"(1+2)*3", "+-", false}, {"(1+2)*3", "*/", true}, {"2E-3", "+-", false},
        {"2E-3+1", "+-", true},   {"-L1L", "+-", true},    {"L1L%L2L*2", "%", true},
        {"a(L1L^2)", "^", false}, {")+(", "+", false},     {"2e-3", "+-", true},
    };
    for (const auto& c : casos) {
        EXPECT_EQ(HayOperador(c.texto, c.operadores), c.esperado) << c.texto;
    }
}

// The display text: TextoVisible's spelling, written so that it reads back
// with the same meaning.
struct CasoVisible {
    const char* canonico;
    const char* visible;
    std::vector<std::string> variables = kXY;
};

class TextoMostradoTest : public ::testing::TestWithParam<CasoVisible> {};

TEST_P(TextoMostradoTest, SeLeeConElMismoSentido) {
    const CasoVisible& c = GetParam();
    EXPECT_EQ(TextoMostrado(c.canonico, Tabla(c.variables)), c.visible);
}

INSTANTIATE_TEST_SUITE_P(
    Visible, TextoMostradoTest,
    ::testing::Values(CasoVisible{"CbL2L*aL1L+2*L1L", "CurCosY*SinX+2*X"},
                      CasoVisible{"L1LL2L", "X Y"}, CasoVisible{"_a(J)", "-Sin(Pi)"},
                      CasoVisible{"1E-05+L1L", "1E-05+X"},
                      // A sign before a power wraps the whole power chain.
                      CasoVisible{"-L1L^2", "-(X^2)"},
                      CasoVisible{"2*(-L1L^2-L2L)", "2*(-(X^2)-Y)"},
                      CasoVisible{"-aL1L^2", "-(SinX^2)"},
                      CasoVisible{"-L1L^L2L^3*L2L", "-(X^Y^3)*Y"}, CasoVisible{"-3^L1L", "-(3^X)"},
                      CasoVisible{"1-L1L^2", "1-X^2"}, CasoVisible{"(_L1L)^2+L2L", "(-X)^2+Y"},
                      CasoVisible{"_L1L^2", "-X^2"}, CasoVisible{"-L1L*L2L", "-X*Y"},
                      // A function code followed by "_" keeps the sign inside parentheses.
                      CasoVisible{"n_L1L", "Arccos(-X)"}, CasoVisible{"F_2.5", "Int(-2.5)"},
                      CasoVisible{"n_(L1L+1)", "Arccos(-(X+1))"},
                      CasoVisible{"n_L1L^2", "Arccos(-X)^2"}, CasoVisible{"r_L1L", "Arccsc(-X)"},
                      // Names that would run together into another spelling.
                      CasoVisible{"BcL1L", "Sqr(TanX)"}, CasoVisible{"bFL1L", "Cos(IntX)"},
                      CasoVisible{"aL1L", "Sin(H)", {"H"}}, CasoVisible{"aL1L", "SinX"},
                      CasoVisible{"BJ", "SqrPi"}, CasoVisible{"aL1L", "SinEc", {"Ec"}},
                      CasoVisible{"cL1L", "Tan(Hip)", {"Hip"}}, CasoVisible{"aaL1L", "SinSinX"}));

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

// What the host reads back through Funcion [Get] after Funcion [Let].
TEST(FuncionSimplificadaTest, ElHostLeeElTextoSimplificado) {
    struct {
        const char* texto;
        const char* visible;
        std::vector<std::string> variables;
    } casos[] = {
        {"sen(x)*cos(y) + 2x", "CosY*SinX+2*X", {"Y", "X"}},
        {"x*-x", "-(X^2)", {"X"}},
        {"arccos(-x)", "Arccos(-X)", {"X"}},
        {"2x%3+y", "2*X%3+Y", {"X", "Y"}},
        {"sqr(tan(x))", "Sqr(TanX)", {"X"}},
        {"cos(int(x))", "Cos(IntX)", {"X"}},
        {"sin(h)", "Sin(H)", {"H"}},
        {"-5.25^x", "(-5.25)^X", {"X"}},
        {"-x^2+y", "(-X)^2+Y", {"X", "Y"}},
        {"x^-2+1", "1+X^(-2)", {"X"}},
        {"x-x", "0", {}},
        {"x*0", "0", {}},
        // A "_" that negates only the first term of a sum keeps it inside.
        {"cos(x-(-(-y)))", "Cos(-Y+X)", {"Y", "X"}},
        {"sin(x-(-(-y)))", "Sin(-Y+X)", {"Y", "X"}},
        // A sign of a power's base after "-" stays with the base.
        {"-(y)*-(-(y))*-(-y)+1", "1-(-Y)^2*Y", {"Y"}},
    };
    for (const auto& c : casos) {
        Evaluar ev;
        ev.Funcion(c.texto);
        ASSERT_EQ(ev.NumeroError(), 0) << c.texto;
        EXPECT_EQ(ev.Funcion(), c.visible) << c.texto;
        ASSERT_EQ(ev.NumeroVariables(), static_cast<int16_t>(c.variables.size())) << c.texto;
        for (size_t i = 0; i < c.variables.size(); ++i) {
            EXPECT_EQ(ev.Variable(static_cast<int16_t>(i + 1)), c.variables[i]) << c.texto;
        }
    }
}

// A sign that negates only a part keeps to that part: a function of a sum
// whose first term is negated ("_L2L+L1L", -y + x) is the function of the
// whole sum, and a product that opens with a negated power's base
// ("_L1L^2*L1L", (-y)^2*y) is no negated product.
TEST(FuncionSimplificadaTest, UnSignoDelPrimerTerminoNoEsElDeLaSuma) {
    const double x = 0.5;
    const double y = 2;
    const struct {
        const char* texto;
        double valor;
    } casos[] = {
        {"cos(x-(-(-y)))", std::cos(x - y)},     {"sin(x-(-(-y)))", std::sin(x - y)},
        {"tan(-(-(-y))+x)", std::tan(x - y)},    {"sec(x-(-(-y)))", 1 / std::cos(x - y)},
        {"atan(-(-(-y))+x)", std::atan(x - y)},  {"sin(-(-(-y))+x*y)", std::sin(x * y - y)},
        {"-(y)*-(-(y))*-(-y)+x", x - y * y * y}, {"(-(y)*-(-(y))*-(-y))^3", -std::pow(y, 9)},
    };
    for (const auto& c : casos) {
        Evaluar ev;
        ev.Funcion(c.texto);
        ev.Valor(Variante("x"), x);
        ev.Valor(Variante("y"), y);
        ASSERT_EQ(ev.NumeroError(), 0) << c.texto;
        EXPECT_DOUBLE_EQ(ev.Resultado(), c.valor) << c.texto << " -> " << ev.Funcion();
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
