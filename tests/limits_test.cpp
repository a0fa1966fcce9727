// The resource bounds that README.md states. Long and deeply nested texts
// (tests/data/anidamientos.tsv) end, on a 1 MiB host stack, in the error the
// table gives (0: accepted), never in a crash: the simplifier's guard ends
// nesting too deep with 28, a text too long overflows with 6. The largest
// grid, whose memory a host that cannot have it gets as error 7 "Memoria
// insuficiente" through the error path.
#include <gtest/gtest.h>
#include <sys/resource.h>

#include <cmath>
#include <cstdlib>
#include <string>

#include "evaluar/canonical.h"
#include "evaluar/display.h"
#include "evaluar/simplifier.h"
#include "evaluar/variables.h"
#include "relivo/evaluar.h"
#include "relivo/platform/error.h"
#include "tests/support/case_table.h"
#include "tests/support/evaluar_host.h"
#include "tests/support/repeated_text.h"
#include "tests/support/small_stack.h"

#if RELIVO_WITH_CONTROL
#include "platform/linux/host.h"
#include "relivo/relivo.h"
#endif

namespace relivo {
namespace {

// Funcion: accepted or refused through the error path; an accepted text
// evaluates to a finite value (or fails through the error path) and its
// display text is accepted again.
int32_t ProbarFuncion(const std::string& texto) {
    prueba::HostEvaluar host;
    Evaluar ev(&host);
    ev.Funcion(texto);
    const int32_t numero = ev.NumeroError();
    EXPECT_EQ(host.eventos.size(), numero == 0 ? 0u : 1u);
    if (numero != 0) return numero;
    Evaluar otra;
    otra.Funcion(ev.Funcion());
    EXPECT_EQ(otra.NumeroError(), 0) << "the display text";
    for (int16_t i = 1; i <= ev.NumeroVariables(); ++i) ev.Valor(i, 0.5);
    EXPECT_TRUE(std::isfinite(ev.Resultado()));
    EXPECT_EQ(host.eventos.size(), ev.NumeroError() == 0 ? 0u : 1u);
    return numero;
}

// The inner steps on canonical text, with the variables X and Y.
int32_t ProbarInterno(const std::string& objetivo, const std::string& texto) {
    TablaVariables tabla;
    try {
        if (objetivo == "Canonizar") return Canonizar(texto, tabla), 0;
        tabla.Agregar("X");
        tabla.Agregar("Y");
        if (objetivo == "Reducir") return Simplificador(tabla).Reducir(texto), 0;
        return TextoMostrado(texto, tabla), 0;
    } catch (const Fallo& f) {
        return f.numero();
    }
}

// Step, piece before, centre, piece after (each piece repeated n times), n,
// and the error.
TEST(Limites, AnidamientosYTextosLargos) {
    for (const prueba::FilaTabla& f : prueba::LeerTabla("anidamientos.tsv")) {
        const int n = std::stoi(f[4]);
        const std::string texto = prueba::Repetir(f[1], n) + f[2] + prueba::Repetir(f[3], n);
        int32_t numero = -1;
        prueba::EnPilaDe1MiB([&] {
            numero = f[0] == "Funcion" ? ProbarFuncion(texto) : ProbarInterno(f[0], texto);
        });
        EXPECT_EQ(numero, std::stoi(f[5])) << testing::PrintToString(f);
    }
}

#if RELIVO_WITH_CONTROL && !defined(__SANITIZE_ADDRESS__)
// The grid of 32,766 x 32,766 interior lines holds 32,768^2 doubles (8 GiB).
// In a process that may not have that much memory, the run reports error 7
// through Status and Error and the control plots afterwards.
// Runs in the child process of the death test and exits with 0 when every
// expectation holds.
[[noreturn]] void GraficarSinMemoria() {
    const rlimit limite{size_t{2} << 30, size_t{2} << 30};
    setrlimit(RLIMIT_AS, &limite);
    AnfitrionLinux host;
    Relivo r(host, 64, 48);
    r.Funcion("x*y");
    r.XMin(-1);
    r.XMax(1);
    r.YMin(-1);
    r.YMax(1);
    r.NumeroLineasX(32766);
    r.NumeroLineasY(32766);
    const bool grande = r.NumeroLineasX() == 32766 && r.NumeroLineasY() == 32766;
    host.OlvidarRegistros();
    r.Graficar();
    const auto& ev = host.Eventos();
    const bool siete = ev.size() == 2 && ev[0].Nombre == "Status" &&
                       ev[0].Argumentos[0].Valor.ATexto() == "Error: Memoria insuficiente" &&
                       ev[1].Nombre == "Error" && ev[1].Argumentos[0].Valor.AEntero32() == 7 &&
                       r.NumeroError() == 7;
    r.NumeroLineasX(8);
    r.NumeroLineasY(8);
    host.OlvidarRegistros();
    r.Graficar();
    const bool despues =
        !host.Eventos().empty() && host.Eventos().back().Nombre == "TerminoGraficacion";
    std::exit(grande && siete && despues ? 0 : 1);
}

TEST(Limites, RejillaMayorSinMemoriaEsElError7) {
    EXPECT_EXIT(GraficarSinMemoria(), ::testing::ExitedWithCode(0), "");
}
#endif

}  // namespace
}  // namespace relivo
