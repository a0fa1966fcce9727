// Property test of the simplifier on thousands of generated expressions in
// x and y, as users type them and heavy with signs:
// - the value (or the failure) that Funcion gives equals the value of the
//   tree of the unsimplified canonical text, at several points, unless the
//   simplifier reports a deliberate value-changing rule (a multiplier "0"
//   ends a product, 0^0, inverse pairs, exact values, power chains, like
//   terms and bases collected); points where a tiny change of x and y moves
//   the value beyond the tolerance are not compared;
// - every expression passes the checks of the Funcion fuzz target first,
//   among them that the display text reads back with the same meaning.
// RELIVO_SEMILLA and RELIVO_CUANTAS in the environment explore other
// expressions than the suite's fixed set.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <string>
#include <vector>

#include "evaluar/canonical.h"
#include "relivo/evaluar.h"
#include "tests/support/check_funcion.h"
#include "tests/support/expression_generator.h"
#include "tests/support/recording.h"

namespace relivo {
namespace {

std::vector<std::string> Expresiones(int cuantas) {
    std::vector<uint64_t> semillas = {20240611, 77031};
    if (const char* s = std::getenv("RELIVO_SEMILLA")) semillas = {std::strtoull(s, nullptr, 10)};
    if (const char* c = std::getenv("RELIVO_CUANTAS")) cuantas = std::atoi(c);
    // First the expressions of tests/data/simplificador_fijas.tsv, which
    // exercise the places where a naive rewriting would change a value.
    std::vector<std::string> todas;
    for (const prueba::FilaTabla& f : prueba::LeerTabla("simplificador_fijas.tsv")) {
        todas.push_back(f[0]);
    }
    for (const uint64_t semilla : semillas) {
        prueba::GeneradorExpresiones generador(semilla);
        prueba::GeneradorExpresiones con_signos(semilla, true);
        for (int n = 0; n < cuantas; ++n) todas.push_back(generador.Generar(2));
        for (int n = 0; n < cuantas; ++n) todas.push_back(con_signos.Generar(2));
    }
    return todas;
}

TEST(PropiedadSimplificador, CumplenLasInvariantesYElValorNoCambia) {
    constexpr double kTolerancia = 1e-9;
    int expresiones = 0, con_permiso = 0;
    fuzz::AlRomper() = [](const std::string& mensaje) { ADD_FAILURE() << mensaje; };
    for (const std::string& texto : Expresiones(3000)) {
        fuzz::funcion::Ejecutar(texto);
        if (HasFailure()) {
            ADD_FAILURE() << "the failures above stop the run at " << fuzz::Literal(texto);
            break;
        }
        fuzz::EvaluarVigilado ev;
        ev.Funcion(texto);
        if (ev.Fallo()) continue;
        TablaVariables tabla;
        const std::string canonico = Canonizar(texto, tabla);
        std::vector<std::string> nombres;
        for (int16_t i = 1; i <= tabla.cuenta; ++i) nombres.push_back(tabla.Nombre(i));
        const std::vector<std::string> nombres_ev = fuzz::Nombres(ev);
        fuzz::Referencia ref(canonico, nombres);
        ++expresiones;
        bool permiso_usado = false;
        for (int p = 0; p < 5; ++p) {
            std::vector<double> valores;
            for (const std::string& n : nombres) valores.push_back(fuzz::ValorDe(n, p));
            const fuzz::Medida m = ref.En(valores);
            const fuzz::Salida s = fuzz::EnPunto(ev, nombres_ev, p);
            if (m.fallo || s.fallo) {
                // Two failures agree whatever their numbers: reordered
                // operands may meet a different failing operation first.
                if (m.fallo == s.fallo) continue;
            } else if (std::fabs(m.valor - s.valor) <=
                       kTolerancia * std::max({std::fabs(m.valor), std::fabs(s.valor), m.mayor})) {
                continue;
            }
            if (m.mayor > 1e150 || m.menor < 1e-150) continue;
            if (fuzz::MalCondicionado(ref, valores, m, kTolerancia)) continue;
            // Numbers folded to 15 significant digits move a failure that
            // hangs on an exact value: the simplified text fails a hair's
            // breadth away.
            if (m.fallo != s.fallo && (fuzz::EnPunto(ev, nombres_ev, p, 1e-12).fallo != s.fallo ||
                                       fuzz::EnPunto(ev, nombres_ev, p, -1e-12).fallo != s.fallo)) {
                continue;
            }
            const fuzz::Permiso permiso = fuzz::PermisoDe(tabla, canonico);
            permiso_usado = permiso == fuzz::kCambiaValor ||
                            (permiso == fuzz::kQuitaFallos && m.fallo && !s.fallo);
            if (permiso_usado) break;
            ADD_FAILURE() << "\"" << texto << "\" canonical \"" << canonico << "\" shown \""
                          << ev.ev().Funcion() << "\" at point " << p << ": " << fuzz::Describir(m)
                          << " became " << fuzz::Describir(s);
            break;
        }
        con_permiso += permiso_usado;
    }
    // The deliberate simplifications stay the exception: most expressions
    // keep their value at every point.
    EXPECT_GT(expresiones, 5000);
    EXPECT_LT(con_permiso * 5, expresiones);
    fuzz::AlRomper() = nullptr;
}

}  // namespace
}  // namespace relivo
