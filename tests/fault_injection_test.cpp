// Fault injection into a small plot: a drawing surface that fails on its
// N-th call, and a host that cancels at the N-th yield, for every N that a
// run reaches, with Continuar false and true. Each run reports its one
// failure as the run's error handling says (Status "Error: " + text, then
// Error; TerminoGraficacion only when the host continues), and afterwards
// the control draws the same picture as a control that never failed. And
// the largest grid, whose memory a host that cannot have it gets as error 7.
#include <gtest/gtest.h>
#include <sys/resource.h>

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <memory>
#include <string>
#include <tuple>
#include <vector>

#include "platform/linux/host.h"
#include "platform/linux/work_queue.h"
#include "relivo/relivo.h"
#include "tests/support/failing_surface.h"

namespace relivo {
namespace {

using Evento = AnfitrionLinux::EventoRecibido;

constexpr int32_t kCancelado = -2147221502;
constexpr int16_t kLineasX = 3;
constexpr int16_t kLineasY = 2;
// Yields of a full run: one per grid point while sampling, one per cell while drawing.
constexpr int kMuestras = (kLineasX + 2) * (kLineasY + 2);
constexpr int kCeldas = (kLineasX + 1) * (kLineasY + 1);

// A control on a surface that can be made to fail, with the small plot set.
struct Banco {
    explicit Banco(bool continuar) {
        auto s = std::make_unique<prueba::SuperficieConFallos>(CrearSuperficie(64, 48));
        superficie = s.get();
        r = std::make_unique<Relivo>(host, std::move(s));
        host.AlEvento("Error", [this](std::span<ArgumentoEvento> a) { a[2].Valor = Continuar; });
        Continuar = continuar;
        r->Funcion("x*y - sen(x)");
        r->XMin(-1);
        r->XMax(2);
        r->YMin(-2);
        r->YMax(1);
        r->NumeroLineasX(kLineasX);
        r->NumeroLineasY(kLineasY);
        r->AnguloX(30);
        r->AnguloY(20);
        r->AnguloZ(10);
        host.OlvidarRegistros();
    }

    std::vector<Evento> Graficar() {
        host.OlvidarRegistros();
        r->Graficar();
        return host.Eventos();
    }

    AnfitrionLinux host;
    prueba::SuperficieConFallos* superficie = nullptr;
    std::unique_ptr<Relivo> r;
    bool Continuar = false;
};

size_t Contar(const std::vector<Evento>& ev, const std::string& nombre) {
    return std::count_if(ev.begin(), ev.end(), [&](const Evento& e) { return e.Nombre == nombre; });
}

// The shape of a run that met `errores` failures, all with the number and
// text given: each Error right after its Status "Error: " + text (0), and
// the end of the run as Continuar says.
void ComprobarCorrida(const std::vector<Evento>& ev, bool continuar, size_t errores, int32_t numero,
                      const std::string& texto) {
    EXPECT_EQ(Contar(ev, "Error"), errores);
    for (size_t k = 0; k < ev.size(); ++k) {
        if (ev[k].Nombre != "Error") continue;
        EXPECT_EQ(ev[k].Argumentos[0].Valor.AEntero32(), numero);
        EXPECT_EQ(ev[k].Argumentos[1].Valor.ATexto(), texto);
        ASSERT_GE(k, 1u);
        EXPECT_EQ(ev[k - 1].Nombre, "Status");
        EXPECT_EQ(ev[k - 1].Argumentos[0].Valor.ATexto(), "Error: " + texto);
        EXPECT_EQ(ev[k - 1].Argumentos[1].Valor.AEntero16(), 0);
    }
    if (continuar) {
        ASSERT_GE(ev.size(), 2u);
        EXPECT_EQ(ev.back().Nombre, "TerminoGraficacion");
        EXPECT_EQ(ev[ev.size() - 2].Argumentos[0].Valor.ATexto(), "Graficación terminada");
        EXPECT_EQ(Contar(ev, "TerminoGraficacion"), 1u);
    } else {
        EXPECT_EQ(Contar(ev, "TerminoGraficacion"), 0u);
        EXPECT_EQ(ev.back().Nombre, "Error");
    }
}

// After the failed run: a run that resamples and redraws succeeds and gives
// the picture of a control that never failed.
void ComprobarUsable(Banco& b, const Imagen& referencia) {
    b.superficie->Armar(0);
    b.Continuar = false;
    b.r->XMax(2.5);
    b.r->XMax(2);
    const std::vector<Evento> ev = b.Graficar();
    EXPECT_EQ(Contar(ev, "Error"), 0u);
    ASSERT_GT(Contar(ev, "Status"), 2u);
    EXPECT_EQ(ev.back().Nombre, "TerminoGraficacion");
    EXPECT_TRUE(b.r->Grafica() == referencia) << "the picture differs from a clean run's";
}

// Continuar, and whether the host cancels at the N-th yield (or the surface
// fails on its N-th call).
class Inyeccion : public ::testing::TestWithParam<std::tuple<bool, bool>> {};

TEST_P(Inyeccion, CadaLlamadaOCesionN) {
    const auto [continuar, cancelar] = GetParam();
    // A clean run: its picture, its surface calls and its yields.
    Banco limpio(false);
    limpio.superficie->Armar(0);
    const uint64_t antes = VecesCedido();
    EXPECT_EQ(Contar(limpio.Graficar(), "Error"), 0u);
    const uint64_t llamadas = limpio.superficie->Llamadas(), cedidos = VecesCedido() - antes;
    ASSERT_EQ(cedidos, static_cast<uint64_t>(kMuestras + kCeldas));
    ASSERT_GT(llamadas, static_cast<uint64_t>(kCeldas));
    const uint64_t total = cancelar ? cedidos : llamadas;
    const int32_t numero = cancelar ? kCancelado : 7;
    const std::string texto = cancelar ? "Cancelado por el usuario" : "Memoria insuficiente";
    for (uint64_t n = 1; n <= total; ++n) {
        SCOPED_TRACE(std::to_string(n) + " of " + std::to_string(total));
        Banco b(continuar);
        if (!cancelar) b.superficie->Armar(n);
        uint64_t cesion = 0;
        const int32_t vigilante = AgregarVigilante([&] {
            if (cancelar && ++cesion == n) b.r->Cancelar();
        });
        const std::vector<Evento> ev = b.Graficar();
        QuitarVigilante(vigilante);
        // Cancelled while sampling and continued, the drawing meets the
        // same request at its first yield and reports it again.
        const size_t errores = cancelar && continuar && n <= kMuestras ? 2 : 1;
        ComprobarCorrida(ev, continuar, errores, numero, texto);
        EXPECT_EQ(b.r->NumeroError(), numero);
        EXPECT_EQ(b.r->Error(), texto);
        // Without Continuar the phase that was cut runs again next time.
        const std::vector<Evento> luego = b.Graficar();
        if (cancelar && !continuar) {
            EXPECT_EQ(Contar(luego, "Error"), 0u);
            EXPECT_GT(Contar(luego, "Status"), 1u) << "nothing was run again";
        }
        ComprobarUsable(b, limpio.r->Grafica());
    }
}

INSTANTIATE_TEST_SUITE_P(Casos, Inyeccion, ::testing::Combine(::testing::Bool(), ::testing::Bool()),
                         [](const auto& info) {
                             return std::string(std::get<0>(info.param) ? "Continuar" : "Parar") +
                                    (std::get<1>(info.param) ? "Cancelando" : "SuperficieFalla");
                         });

#if RELIVO_WITH_CONTROL && !defined(__SANITIZE_ADDRESS__)
// The grid of 32,766 x 32,766 interior lines holds 32,768^2 doubles (8 GiB).
// In a process that may not have that much memory, the run reports error 7
// through Status and Error and the control plots afterwards.
// Runs in the child process of the death test and exits with 0 when every
// expectation holds.
[[noreturn]] void GraficarSinMemoria() {
    const rlimit limite{size_t{2} << 30, size_t{2} << 30};
    setrlimit(RLIMIT_AS, &limite);
    Banco limpio(false), b(false);
    limpio.Graficar();
    b.r->NumeroLineasX(32766);
    b.r->NumeroLineasY(32766);
    EXPECT_EQ(b.r->NumeroLineasX() + b.r->NumeroLineasY(), 2 * 32766);
    const std::vector<Evento> ev = b.Graficar();
    EXPECT_EQ(ev.size(), 2u);
    ComprobarCorrida(ev, false, 1, 7, "Memoria insuficiente");
    EXPECT_EQ(b.r->NumeroError(), 7);
    b.r->NumeroLineasX(kLineasX);
    b.r->NumeroLineasY(kLineasY);
    ComprobarUsable(b, limpio.r->Grafica());
    std::exit(::testing::Test::HasFailure() ? 1 : 0);
}

TEST(Limites, RejillaMayorSinMemoriaEsElError7) {
    EXPECT_EXIT(GraficarSinMemoria(), ::testing::ExitedWithCode(0), "");
}
#endif

}  // namespace
}  // namespace relivo
