// Values of expressions: operator grouping, the remainder rule, the function
// formulas and their domain errors.
#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

#include "relivo/evaluar.h"
#include "tests/support/evaluar_host.h"

namespace relivo {
namespace {

struct CasoValor {
    const char* texto;
    double x;  // value given to the variable x when the text uses it
    double esperado;
    int32_t error;  // 0, or the error number expected
};

class ValorTest : public ::testing::TestWithParam<CasoValor> {};

TEST_P(ValorTest, CalculaOFalla) {
    const CasoValor& c = GetParam();
    prueba::HostEvaluar host;
    Evaluar ev(&host);
    ev.Funcion(c.texto);
    if (ev.ExisteVariable("x")) ev.Valor("x", c.x);
    const double r = ev.Resultado();
    EXPECT_EQ(ev.NumeroError(), c.error) << c.texto << ": " << ev.Error();
    if (c.error == 0) {
        EXPECT_NEAR(r, c.esperado, 1e-12 * std::max(1.0, std::fabs(c.esperado))) << c.texto;
    } else {
        EXPECT_EQ(r, 0) << c.texto;
        EXPECT_EQ(host.eventos.size(), 1u) << c.texto;
    }
}

const double kPi = 3.14159265358979323846;

INSTANTIATE_TEST_SUITE_P(
    Operadores, ValorTest,
    ::testing::Values(CasoValor{"2*3+4", 0, 10, 0}, CasoValor{"2^3^2", 0, 64, 0},
                      CasoValor{"8/4/2", 0, 1, 0}, CasoValor{"7%4*2", 0, 7, 0},
                      CasoValor{"5.7%2", 0, 0, 0}, CasoValor{"-7%2", 0, -1, 0},
                      CasoValor{"x%3", -7, -1, 0}, CasoValor{"x%3", 2.5, 2, 0},
                      CasoValor{"10-x-3", 2, 5, 0}, CasoValor{"1E+20*x", 2, 2e20, 0},
                      CasoValor{"2e-3+x", 1, 1.002, 0}, CasoValor{"-x", 3, -3, 0},
                      CasoValor{"2x", 4, 8, 0}, CasoValor{"x y", 3, 0, 0x80040005 - 0x100000000},
                      CasoValor{"1/x", 0, 0, 11}, CasoValor{"sin(x)/x", 0, 0, 6},
                      CasoValor{"x^-1", 0, 0, 11}, CasoValor{"x^0.5", -8, 0, 5},
                      CasoValor{"x^2", 1e200, 0, 6}, CasoValor{"x*10^300*10^300", 1, 0, 6},
                      CasoValor{"5%x", 0.4, 0, 11}, CasoValor{"x%-1", -2147483648.0, 0, 6},
                      CasoValor{"x%2", 3e9, 0, 6}),
    [](const auto& info) { return "Caso" + std::to_string(info.index); });

INSTANTIATE_TEST_SUITE_P(
    Funciones, ValorTest,
    ::testing::Values(
        CasoValor{"pi", 0, kPi, 0}, CasoValor{"euler", 0, std::exp(1.0), 0},
        CasoValor{"int(x)", 2.5, 2, 0}, CasoValor{"int(x)", -0.5, 0, 0},
        CasoValor{"int(x)", 3.5, 4, 0}, CasoValor{"int(x)", -2.7, -3, 0},
        CasoValor{"int(x)", 40000, 0, 6}, CasoValor{"cur(x)", 8, 2, 0},
        CasoValor{"cur(x)", -8, 0, 5}, CasoValor{"arccot(x)", 0, kPi / 2, 0},
        CasoValor{"arccot(x)", 1, 3 * kPi / 4, 0}, CasoValor{"lgt(x)", 1000, 3, 0},
        CasoValor{"asin(x)", 1, 0, 11}, CasoValor{"asin(x)", 2, 0, 5},
        CasoValor{"acos(x)", -1, 0, 11}, CasoValor{"acos(x)", 0.5, kPi / 3, 0},
        CasoValor{"cot(x)", 0, 0, 11}, CasoValor{"csc(x)", 0, 0, 11}, CasoValor{"sec(x)", 0, 1, 0},
        CasoValor{"cothip(x)", 0, 0, 11}, CasoValor{"cschip(x)", 0, 0, 11},
        CasoValor{"tanhip(x)", 1000, 0, 6}, CasoValor{"sechip(x)", 1000, 0, 6},
        CasoValor{"sinh(x)", 1, std::sinh(1.0), 0}, CasoValor{"cosh(x)", 1, std::cosh(1.0), 0},
        CasoValor{"tanh(x)", 0.5, std::tanh(0.5), 0}, CasoValor{"asec(x)", 1, 0, 11},
        CasoValor{"asec(x)", 0.5, 0, 5},
        CasoValor{"asec(x)", 2, std::atan(2 / std::sqrt(3.0)) + kPi / 2, 0},
        CasoValor{"acsc(x)", -2, std::atan(-2 / std::sqrt(3.0)) - kPi, 0},
        CasoValor{"asinh(x)", 1, std::asinh(1.0), 0}, CasoValor{"acosh(x)", 2, std::acosh(2.0), 0},
        CasoValor{"acosh(x)", -1, 0, 5}, CasoValor{"atanh(x)", 1, 0, 11},
        CasoValor{"atanh(x)", -1, 0, 5}, CasoValor{"atanh(x)", 0.5, std::atanh(0.5), 0},
        CasoValor{"acoth(x)", 1, 0, 11}, CasoValor{"acoth(x)", 0.5, 0, 5},
        CasoValor{"asech(x)", 0, 0, 11}, CasoValor{"asech(x)", -0.5, 0, 5},
        CasoValor{"acsch(x)", 0, 0, 11}, CasoValor{"acsch(x)", 1, std::asinh(1.0), 0},
        CasoValor{"ln(x)", 0, 0, 5}, CasoValor{"log(x)", -1, 0, 5}, CasoValor{"sqr(x)", -1, 0, 5},
        CasoValor{"sqrt(x)", 9, 3, 0}, CasoValor{"exp(x)", 710, 0, 6},
        CasoValor{"abs(x)", -2, 2, 0}, CasoValor{"sgn(x)", -2, -1, 0},
        CasoValor{"sen(x)*cos(x)", 1, std::sin(1) * std::cos(1), 0}),
    [](const auto& info) { return "Caso" + std::to_string(info.index); });

TEST(ValorTest, RndDaNumerosNuevosEnCadaEvaluacion) {
    Evaluar ev;
    ev.Funcion("rnd*x");
    std::vector<double> vistos;
    for (int i = 1; i <= 50; ++i) {
        ev.Valor("x", 1.0 + i * 1e-9);
        const double r = ev.Resultado();
        EXPECT_GE(r, 0);
        EXPECT_LT(r, 1.0 + 1e-7);
        vistos.push_back(r);
    }
    std::sort(vistos.begin(), vistos.end());
    EXPECT_EQ(std::unique(vistos.begin(), vistos.end()), vistos.end());
}

}  // namespace
}  // namespace relivo
