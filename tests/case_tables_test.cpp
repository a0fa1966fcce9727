// The case tables of tests/data, one runner per kind: text given to Funcion
// to its canonical text and variables, canonical text to its reduction and
// to its display text, and expressions to their values or errors through
// the public members of Evaluar.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <functional>
#include <string>
#include <vector>

#include "evaluar/canonical.h"
#include "evaluar/display.h"
#include "evaluar/simplifier.h"
#include "evaluar/variables.h"
#include "relivo/evaluar.h"
#include "relivo/platform/error.h"
#include "tests/support/case_table.h"
#include "tests/support/evaluar_host.h"

namespace relivo {
namespace {

using prueba::FilaTabla;

TablaVariables Tabla(const std::string& lista) {
    TablaVariables t;
    for (const std::string& n : prueba::Nombres(lista)) t.Agregar(n);
    return t;
}

// An expected field "!N" stands for the error number N.
std::string ConError(const std::function<std::string()>& paso) {
    try {
        return paso();
    } catch (const Fallo& f) {
        return "!" + std::to_string(f.numero());
    }
}

std::string NombreDeFila(const ::testing::TestParamInfo<FilaTabla>& info) {
    return "Linea" + std::to_string(info.param.linea);
}

// Canonical text, its reduction, the variables of the table.
class ReducirTabla : public ::testing::TestWithParam<FilaTabla> {};

TEST_P(ReducirTabla, DaLaReduccion) {
    const FilaTabla& f = GetParam();
    const TablaVariables tabla = Tabla(f[2]);
    EXPECT_EQ(ConError([&] { return Simplificador(tabla).Reducir(f[0]); }), f[1]) << f[0];
}

INSTANTIATE_TEST_SUITE_P(Datos, ReducirTabla, ::testing::ValuesIn(prueba::LeerTabla("reducir.tsv")),
                         NombreDeFila);

// Canonical text, its display text, the variables of the table.
class MostradoTabla : public ::testing::TestWithParam<FilaTabla> {};

TEST_P(MostradoTabla, DaElTextoMostrado) {
    const FilaTabla& f = GetParam();
    EXPECT_EQ(ConError([&] { return TextoMostrado(f[0], Tabla(f[2])); }), f[1]) << f[0];
}

INSTANTIATE_TEST_SUITE_P(Datos, MostradoTabla,
                         ::testing::ValuesIn(prueba::LeerTabla("mostrado.tsv")), NombreDeFila);

// Text given to Funcion, its canonical text (or "!N"), the variables it names.
class CanonizarTabla : public ::testing::TestWithParam<FilaTabla> {};

TEST_P(CanonizarTabla, DaElTextoYLasVariables) {
    const FilaTabla& f = GetParam();
    TablaVariables tabla;
    EXPECT_EQ(ConError([&] { return Canonizar(f[0], tabla); }), f[1]) << f[0];
    std::string nombres;
    for (int16_t i = 0; i < tabla.cuenta; ++i) nombres += (i ? "," : "") + tabla.nombres[i];
    if (f[1][0] != '!') {
        EXPECT_EQ(nombres, f[2]) << f[0];
    }
}

INSTANTIATE_TEST_SUITE_P(Datos, CanonizarTabla,
                         ::testing::ValuesIn(prueba::LeerTabla("canonizar.tsv")), NombreDeFila);

// Expression, the values of x and y (when it names them), its value or "!N". A
// failure goes through the error path once and leaves the result at 0.
class ValoresTabla : public ::testing::TestWithParam<FilaTabla> {};

TEST_P(ValoresTabla, CalculaOFalla) {
    const FilaTabla& f = GetParam();
    prueba::HostEvaluar host;
    Evaluar ev(&host);
    ev.Funcion(f[0]);
    const std::vector<std::string> valores = prueba::Nombres(f[1]);
    for (size_t i = 0; i < valores.size(); ++i) {
        const std::string nombre(1, "xy"[i]);
        if (ev.ExisteVariable(nombre)) ev.Valor(nombre, std::stod(valores[i]));
    }
    const double r = ev.Resultado();
    if (f[2][0] == '!') {
        EXPECT_EQ(std::to_string(ev.NumeroError()), f[2].substr(1)) << f[0];
        EXPECT_EQ(r, 0) << f[0];
        ASSERT_EQ(host.eventos.size(), 1u) << f[0];
        EXPECT_EQ(host.eventos[0].first, ev.NumeroError());
        EXPECT_EQ(host.eventos[0].second, ev.Error());
    } else {
        const double esperado = std::stod(f[2]);
        EXPECT_EQ(ev.NumeroError(), 0) << f[0] << ": " << ev.Error();
        EXPECT_NEAR(r, esperado, 1e-12 * std::max(1.0, std::fabs(esperado))) << f[0];
    }
}

INSTANTIATE_TEST_SUITE_P(Datos, ValoresTabla, ::testing::ValuesIn(prueba::LeerTabla("valores.tsv")),
                         NombreDeFila);

// Text given to Funcion, then either the text Funcion gives back and the
// variables in order, or "!N" and the message (when not empty) of a text that
// is refused. A refused text leaves no expression behind.
class FuncionTabla : public ::testing::TestWithParam<FilaTabla> {};

TEST_P(FuncionTabla, DaElTextoYLasVariablesOFalla) {
    const FilaTabla& f = GetParam();
    prueba::HostEvaluar host;
    Evaluar ev(&host);
    ev.Funcion("x+1");
    ev.Funcion(f[0]);
    if (f[1][0] != '!') {
        EXPECT_EQ(ev.NumeroError(), 0) << f[0] << ": " << ev.Error();
        EXPECT_EQ(ev.Funcion(), f[1]) << f[0];
        std::string nombres;
        for (int16_t i = 1; i <= ev.NumeroVariables(); ++i)
            nombres += (i > 1 ? "," : "") + ev.Variable(i);
        EXPECT_EQ(nombres, f[2]) << f[0];
        EXPECT_TRUE(host.eventos.empty()) << f[0];
        return;
    }
    EXPECT_EQ(std::to_string(ev.NumeroError()), f[1].substr(1)) << f[0];
    if (!f[2].empty()) {
        EXPECT_EQ(ev.Error(), f[2]) << f[0];
    }
    ASSERT_EQ(host.eventos.size(), 1u) << f[0];
    EXPECT_EQ(host.eventos[0].first, ev.NumeroError());
    EXPECT_EQ(host.eventos[0].second, ev.Error());
    EXPECT_EQ(ev.Funcion(), "");
    EXPECT_EQ(ev.NumeroVariables(), 0);
    EXPECT_EQ(ev.Resultado(), 0);
    EXPECT_FALSE(ev.ExisteVariable("x"));
    EXPECT_EQ(host.eventos.size(), 1u) << "Resultado after a recorded error raises nothing";
}

INSTANTIATE_TEST_SUITE_P(Datos, FuncionTabla, ::testing::ValuesIn(prueba::LeerTabla("funcion.tsv")),
                         NombreDeFila);

}  // namespace
}  // namespace relivo
