// The resource bounds that README.md states: how deep an expression may nest
// before the simplifier's guard ends it with 28 through the error path (on a
// 1 MiB host stack), and the largest grid, whose memory a host that cannot
// have it gets as error 7 "Memoria insuficiente" through the error path.
#include <gtest/gtest.h>
#include <sys/resource.h>

#include <cstdlib>
#include <functional>
#include <string>

#include "relivo/evaluar.h"
#include "tests/support/evaluar_host.h"
#include "tests/support/repeated_text.h"
#include "tests/support/small_stack.h"

#if RELIVO_WITH_CONTROL
#include "platform/linux/host.h"
#include "platform/linux/work_queue.h"
#include "relivo/relivo.h"
#endif

namespace relivo {
namespace {

using prueba::Repetir;

struct Anidamiento {
    const char* nombre;
    std::function<std::string(int)> texto;
    int mas_profundo;  // the deepest nesting accepted
};

class Limites : public ::testing::TestWithParam<Anidamiento> {};

TEST_P(Limites, AnidamientoMasProfundoYElErrorMasAlla) {
    const Anidamiento& a = GetParam();
    for (const int n : {a.mas_profundo, a.mas_profundo + 1}) {
        int32_t numero = -1;
        size_t eventos = 0;
        std::string visible;
        int32_t numero_visible = -1;
        prueba::EnPilaDe1MiB([&] {
            prueba::HostEvaluar host;
            Evaluar ev(&host);
            ev.Funcion(a.texto(n));
            numero = ev.NumeroError();
            eventos = host.eventos.size();
            if (numero != 0) return;
            visible = ev.Funcion();
            Evaluar otra;
            otra.Funcion(visible);
            numero_visible = otra.NumeroError();
        });
        if (n == a.mas_profundo) {
            EXPECT_EQ(numero, 0) << n << " levels";
            EXPECT_EQ(numero_visible, 0) << "the display text of " << n << " levels";
        } else {
            EXPECT_EQ(numero, 28) << n << " levels";
            EXPECT_EQ(eventos, 1u);
        }
    }
}

INSTANTIATE_TEST_SUITE_P(
    Funcion, Limites,
    ::testing::Values(
        Anidamiento{"funciones", [](int n) { return Repetir("sin(", n) + "x" + Repetir(")", n); },
                    199},
        Anidamiento{"funciones_sin_parentesis", [](int n) { return Repetir("sin ", n) + "x"; },
                    199},
        Anidamiento{"signos", [](int n) { return Repetir("-(", n) + "x" + Repetir(")", n); }, 199},
        Anidamiento{"potencias", [](int n) { return Repetir("x^(", n) + "2" + Repetir(")", n); },
                    199},
        Anidamiento{"sumas", [](int n) { return Repetir("(x+", n) + "x" + Repetir(")", n); }, 199},
        Anidamiento{"restos", [](int n) { return Repetir("x%(", n) + "3" + Repetir(")", n); }, 199},
        Anidamiento{"productos_de_sumas",
                    [](int n) { return Repetir("y*(x+", n) + "x" + Repetir(")", n); }, 99}),
    [](const auto& info) { return std::string(info.param.nombre); });

// Parentheses alone are stripped in one pass: they nest as deep as the
// length allows.
TEST(Limites, ParentesisSoloLosLimitaLaLongitud) {
    prueba::EnPilaDe1MiB([] {
        Evaluar ev;
        ev.Funcion(Repetir("(", 16382) + "x" + Repetir(")", 16382));
        EXPECT_EQ(ev.NumeroError(), 0);
    });
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
