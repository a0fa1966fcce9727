// The case tables of tests/data, each row a test checked by its table's
// step: text given to Funcion to its canonical text and variables, canonical
// text to its reduction, its display text or its plain spelling, and text
// given to Funcion to what the public members of Evaluar give back (values:
// tests/data/evaluar_casos.jsonl). A field "!N" stands for the error N. Long
// and deeply nested texts end in the error their row gives (0: accepted),
// never in a crash: the simplifier's guard ends nesting too deep with 28, a
// text too long overflows with 6 (the bounds that README.md states).
#include <gtest/gtest.h>

#include <cstdint>
#include <functional>
#include <iterator>
#include <map>
#include <string>
#include <vector>

#include "evaluar/canonical.h"
#include "evaluar/display.h"
#include "evaluar/simplifier.h"
#include "evaluar/variables.h"
#include "relivo/evaluar.h"
#include "relivo/platform/error.h"
#include "tests/support/check_funcion.h"
#include "tests/support/recording.h"
#include "tests/support/small_stack.h"

namespace relivo {
namespace {

using prueba::ConError;
using prueba::FilaTabla;

TablaVariables Tabla(const std::string& lista) {
    TablaVariables t;
    for (const std::string& n : prueba::Nombres(lista)) t.Agregar(n);
    return t;
}

std::string Nombres(const TablaVariables& t) {
    std::string r;
    for (int16_t i = 0; i < t.cuenta; ++i) r += (i ? "," : "") + t.nombres[i];
    return r;
}

// The deliberate simplifications by name, in the order of their bits.
std::string Deliberadas(uint16_t bits) {
    static const char* const kNombres[] = {"MultiplicadorCero", "Semejantes", "CocienteEnLinea",
                                           "ExponenteCero",     "BaseCero",   "CadenaDeExponentes",
                                           "Inversas",          "ValorExacto"};
    std::string r;
    for (size_t k = 0; k < std::size(kNombres); ++k) {
        if (bits & (1u << k)) r += (r.empty() ? "" : ",") + std::string(kNombres[k]);
    }
    return r;
}

// Canonical text, its reduction, the variables of the table, and the
// deliberate simplifications the reduction reports (the property test and
// the fuzzers forgive a changed value only for those).
void Reducir(const FilaTabla& f) {
    const TablaVariables tabla = Tabla(f[2]);
    Simplificador s(tabla);
    EXPECT_EQ(ConError([&] { return s.Reducir(f[0]); }), f[1]);
    EXPECT_EQ(Deliberadas(s.Deliberadas()), f[3]);
}

// Canonical text, its display text, the variables of the table.
void Mostrado(const FilaTabla& f) {
    EXPECT_EQ(ConError([&] { return TextoMostrado(f[0], Tabla(f[2])); }), f[1]);
}

// Text given to Funcion, its canonical text, the variables it names.
void Canonico(const FilaTabla& f) {
    TablaVariables tabla;
    EXPECT_EQ(ConError([&] { return Canonizar(f[0], tabla); }), f[1]);
    if (f[1][0] != '!') {
        EXPECT_EQ(Nombres(tabla), f[2]);
    }
}

// Canonical text, its plain spelling with the variables X and Y, and what
// Canonizar reads back from that spelling with the variables it names.
void Visible(const FilaTabla& f) {
    EXPECT_EQ(ConError([&] { return TextoVisible(f[0], Tabla("X,Y")); }), f[1]);
    if (f[1][0] == '!') return;
    TablaVariables tabla;
    EXPECT_EQ(Canonizar(f[1], tabla), f[2].empty() ? f[0] : f[2]);
    EXPECT_EQ(Nombres(tabla), f[3]);
}

// Funcion through the checks of the Funcion fuzz target (the error path, the
// variables, the value, the display text); gives the error number.
int32_t FuncionVigilada(const std::string& texto) {
    fuzz::AlRomper() = [](const std::string& mensaje) { ADD_FAILURE() << mensaje; };
    fuzz::funcion::Ejecutar(texto);
    fuzz::AlRomper() = nullptr;
    Evaluar ev;
    ev.Funcion(texto);
    return ev.NumeroError();
}

// Text given to Funcion, then either the text Funcion gives back and the
// variables in order, or "!N" and the message (when not empty) of a text that
// is refused. A refused text leaves no expression behind, not even the one
// that was there before.
void Funcion(const FilaTabla& f) {
    fuzz::HostEvaluar host;
    Evaluar ev(&host);
    ev.Funcion("x+1");
    ev.Funcion(f[0]);
    std::string nombres;
    for (int16_t i = 1; i <= ev.NumeroVariables(); ++i)
        nombres += (i > 1 ? "," : "") + ev.Variable(i);
    const int32_t numero = FuncionVigilada(f[0]);
    EXPECT_EQ(ev.NumeroError(), numero);
    EXPECT_EQ(numero != 0 ? "!" + std::to_string(numero) : ev.Funcion(), f[1]);
    if (numero == 0) {
        EXPECT_EQ(nombres, f[2]);
        EXPECT_TRUE(host.eventos.empty());
        return;
    }
    EXPECT_EQ(ev.Funcion() + nombres, "");
    ASSERT_EQ(host.eventos.size(), 1u);
    EXPECT_EQ(host.eventos[0], std::make_pair(numero, f[2].empty() ? ev.Error() : f[2]));
}

// Step, piece before, centre, piece after (each piece repeated n times), n,
// and the error on a 1 MiB stack, 0 when accepted.
void Anidamiento(const FilaTabla& f) {
    const int n = std::stoi(f[4]);
    std::string texto;
    for (int i = 0; i < 2 * n + 1; ++i) texto += i < n ? f[1] : i == n ? f[2] : f[3];
    int32_t numero = -1;
    prueba::EnPilaDe1MiB([&] {
        const TablaVariables xy = Tabla("X,Y");
        TablaVariables tabla;
        const std::string r = ConError([&] {
            if (f[0] == "Funcion") return "!" + std::to_string(FuncionVigilada(texto));
            if (f[0] == "Canonizar") return Canonizar(texto, tabla);
            return f[0] == "Reducir" ? Simplificador(xy).Reducir(texto) : TextoMostrado(texto, xy);
        });
        numero = r[0] == '!' ? std::stoi(r.substr(1)) : 0;
    });
    EXPECT_EQ(numero, std::stoi(f[5]));
}

const std::map<std::string, void (*)(const FilaTabla&)> kPasos = {
    {"reducir.tsv", Reducir}, {"mostrado.tsv", Mostrado}, {"canonizar.tsv", Canonico},
    {"visible.tsv", Visible}, {"funcion.tsv", Funcion},   {"anidamientos.tsv", Anidamiento}};

std::vector<FilaTabla> Filas() {
    std::vector<FilaTabla> filas;
    for (const auto& [tabla, paso] : kPasos) {
        const std::vector<FilaTabla> f = prueba::LeerTabla(tabla);
        filas.insert(filas.end(), f.begin(), f.end());
    }
    return filas;
}

class Tablas : public ::testing::TestWithParam<FilaTabla> {};

TEST_P(Tablas, CumpleSuFila) {
    SCOPED_TRACE(GetParam()[0]);
    kPasos.at(GetParam().archivo)(GetParam());
}

INSTANTIATE_TEST_SUITE_P(Datos, Tablas, ::testing::ValuesIn(Filas()), [](const auto& info) {
    const std::string& a = info.param.archivo;
    return a.substr(0, a.find('.')) + "_Linea" + std::to_string(info.param.linea);
});

}  // namespace
}  // namespace relivo
