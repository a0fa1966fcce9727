// Soak: one Evaluar instance takes thousands of generated expressions
// (Funcion, Substituir, Valor, Resultado), and one Relivo control draws
// hundreds of plots, while the memory in use stays flat: what the second
// half of the run adds over the first is bounded. Under the sanitizers the
// leak checker looks at what is left at the end.
#include <gtest/gtest.h>
#include <malloc.h>

#include <cmath>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "relivo/evaluar.h"
#include "tests/support/expression_generator.h"
#include "tests/support/recording.h"
#include "tests/support/watched_evaluar.h"

#if RELIVO_WITH_CONTROL
#include "platform/linux/host.h"
#include "relivo/relivo.h"
#endif

#if defined(__SANITIZE_ADDRESS__)
// From the sanitizer run-time's allocator interface (GCC ships no header for it).
extern "C" size_t __sanitizer_get_current_allocated_bytes();
#endif

namespace relivo {
namespace {

// Bytes the allocator has handed out and not yet taken back.
size_t MemoriaEnUso() {
#if defined(__SANITIZE_ADDRESS__)
    return __sanitizer_get_current_allocated_bytes();
#else
    return mallinfo2().uordblks;
#endif
}

// Runs the steps 0 to veces - 1 and checks that what the second half of the
// run adds over the first is bounded: a long-lived instance's buffers reach
// their largest size in the first half.
void SinCrecer(int veces, const std::function<void(int)>& paso) {
    size_t mitad = 0;
    for (int n = 0; n < veces; ++n) {
        if (n == veces / 2) mitad = MemoriaEnUso();
        paso(n);
    }
    const size_t fin = MemoriaEnUso();
    EXPECT_LE(fin, mitad + 256 * 1024)
        << "in use: " << mitad << " bytes halfway, " << fin << " at the end";
}

TEST(Resistencia, MilesDeExpresionesEnUnaInstancia) {
    prueba::GeneradorExpresiones generador(4242);
    fuzz::HostEvaluar host;
    Evaluar ev(&host);
    int aceptadas = 0;
    SinCrecer(2000, [&](int) {
        const std::string texto = generador.Generar(1 + static_cast<int>(generador.Hasta(3)));
        ev.Funcion(texto);
        if (ev.NumeroError() != 0) return;
        ++aceptadas;
        if (ev.NumeroVariables() > 0 && generador.Moneda(20)) {
            ev.Substituir(Variante(1.0), Variante(generador.Generar(1)));
        }
        for (int punto = 0; punto < 3; ++punto) {
            const int16_t variables = ev.NumeroVariables();
            for (int16_t i = 1; i <= variables; ++i) {
                ev.Valor(Variante(static_cast<double>(i)), 0.37 * i - 1.1 + 0.9 * punto);
            }
            host.eventos.clear();  // kept only for the call, not to grow
            const double r = ev.Resultado();
            ASSERT_TRUE(std::isfinite(r)) << texto;
            ASSERT_LE(host.eventos.size(), 1u) << texto;
        }
    });
    EXPECT_GT(aceptadas, 1000);
}

#if RELIVO_WITH_CONTROL
TEST(Resistencia, CientosDeGraficasEnUnControl) {
    prueba::GeneradorExpresiones generador(777);
    AnfitrionLinux host;
    host.RegistrarEventos(false);
    uint64_t terminadas = 0, errores = 0;
    host.AlEvento("TerminoGraficacion", [&](std::span<ArgumentoEvento>) { ++terminadas; });
    host.AlEvento("Error", [&](std::span<ArgumentoEvento>) { ++errores; });
    Relivo r(host, 96, 72);
    const std::vector<prueba::FilaTabla> superficies = prueba::LeerTabla("superficies.tsv");
    SinCrecer(300, [&](int n) {
        // Half the plots change the expression (a generated one, which may
        // fail, one time in five), the others only the view.
        if (n % 2 == 0) {
            r.Funcion(n % 10 == 0 ? generador.Generar(2)
                                  : superficies[(n / 2) % superficies.size()][0]);
            r.XMin(-1.5 - generador.Hasta(3));
            r.XMax(1.5 + generador.Hasta(3));
            r.YMin(-2);
            r.YMax(2);
            r.NumeroLineasX(static_cast<int16_t>(4 + generador.Hasta(12)));
            r.NumeroLineasY(static_cast<int16_t>(4 + generador.Hasta(12)));
        }
        r.AnguloX(static_cast<double>(generador.Hasta(360)));
        r.AnguloZ(static_cast<double>(generador.Hasta(360)));
        r.Graficar();
        // The test host keeps every event it saw; only the control's memory counts.
        host.OlvidarRegistros();
    });
    // Every plot ends: drawn, or stopped by the error of its expression.
    EXPECT_GE(terminadas + errores, 300u);
    EXPECT_GT(terminadas, 225u);
}
#endif

}  // namespace
}  // namespace relivo
