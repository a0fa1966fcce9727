// Fault injection into the plain plot of the Graficar fuzz target: a drawing
// surface that fails on its N-th call, and a host that cancels at the N-th
// yield, for every N that a run reaches, with Continuar false and true. Every
// call is watched as that target watches it (watched_relivo.h: each Error
// right after its Status "Error: " + text, TerminoGraficacion only when the
// run goes on to its end); each run reports its failure, stops at it unless
// the host continues, and afterwards the control draws the same picture as
// a control that never failed. And the largest grid, whose memory a host
// that cannot have it gets as error 7.
#include <gtest/gtest.h>
#include <sys/resource.h>

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <tuple>

#include "tests/support/watched_relivo.h"

namespace relivo {
namespace {

using fuzz::RelivoVigilado;

constexpr int32_t kCancelado = -2147221502;
// Yields of a full run of the plain plot (3 x 2 interior lines): one per
// grid point while sampling, one per cell while drawing.
constexpr uint64_t kMuestras = 5 * 4;
constexpr uint64_t kCeldas = 4 * 3;

void Graficar(RelivoVigilado& v) {
    v.Llamar("Graficar", RelivoVigilado::Clase::Graficar, [&] { v.r().Graficar(); });
}

size_t Contar(const RelivoVigilado& v, const std::string& nombre) {
    return static_cast<size_t>(
        std::ranges::count_if(v.Propios(), [&](const auto& e) { return e.Nombre == nombre; }));
}

// The last run met `errores` failures, all with this number and text, and
// stopped at the last one unless the host continued.
void ComprobarErrores(RelivoVigilado& v, bool continuar, size_t errores, int32_t numero,
                      const std::string& texto) {
    EXPECT_EQ(Contar(v, "Error"), errores);
    for (const auto& e : v.Propios()) {
        if (e.Nombre != "Error") continue;
        EXPECT_EQ(e.Argumentos[0].Valor.AEntero32(), numero);
        EXPECT_EQ(e.Argumentos[1].Valor.ATexto(), texto);
    }
    if (!continuar) {
        EXPECT_EQ(v.Propios().back().Nombre, "Error");
    }
    EXPECT_EQ(v.r().NumeroError(), numero);
}

// After the failed run: the plain plot sampled and drawn anew, without an
// error, gives the picture of a control that never failed.
void ComprobarUsable(RelivoVigilado& v, const Imagen& referencia) {
    v.Superficie().Armar(0);
    fuzz::Usable(v);
    EXPECT_GT(Contar(v, "Status"), 2u);
    EXPECT_TRUE(v.r().Grafica() == referencia) << "the picture differs from a clean run's";
}

// Continuar, and whether the host cancels at the N-th yield (or the surface
// fails on its N-th call).
class Inyeccion : public ::testing::TestWithParam<std::tuple<bool, bool>> {};

TEST_P(Inyeccion, CadaLlamadaOCesionN) {
    const auto [continuar, cancelar] = GetParam();
    fuzz::AlRomper() = [](const std::string& mensaje) { ADD_FAILURE() << mensaje; };
    // A clean run: its picture, its surface calls and its yields.
    Imagen referencia;
    uint64_t llamadas = 0, cedidos = VecesCedido();
    {
        RelivoVigilado limpio;
        fuzz::Preparar(limpio);
        limpio.Superficie().Armar(0);
        Graficar(limpio);
        EXPECT_EQ(Contar(limpio, "Error"), 0u);
        llamadas = limpio.Superficie().Llamadas();
        referencia = limpio.r().Grafica();
        cedidos = VecesCedido() - cedidos;
    }
    ASSERT_EQ(cedidos, kMuestras + kCeldas);
    ASSERT_GT(llamadas, kCeldas);
    const uint64_t total = cancelar ? cedidos : llamadas;
    const int32_t numero = cancelar ? kCancelado : 7;
    const std::string texto = cancelar ? "Cancelado por el usuario" : "Memoria insuficiente";
    for (uint64_t n = 1; n <= total; ++n) {
        SCOPED_TRACE(std::to_string(n) + " of " + std::to_string(total));
        RelivoVigilado v;
        fuzz::Preparar(v);
        v.Continuar(continuar);
        cancelar ? v.CancelarEn(n) : v.Superficie().Armar(n);
        Graficar(v);
        // Cancelled while sampling and continued, the drawing meets the
        // same request at its first yield and reports it again.
        ComprobarErrores(v, continuar, cancelar && continuar && n <= kMuestras ? 2 : 1, numero,
                         texto);
        // Without Continuar the phase that was cut runs again next time.
        Graficar(v);
        if (cancelar && !continuar) {
            EXPECT_EQ(Contar(v, "Error"), 0u);
            EXPECT_GT(Contar(v, "Status"), 1u) << "nothing was run again";
        }
        ComprobarUsable(v, referencia);
    }
    fuzz::AlRomper() = nullptr;
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
    fuzz::AlRomper() = [](const std::string& mensaje) { ADD_FAILURE() << mensaje; };
    RelivoVigilado limpio, v;
    fuzz::Usable(limpio);
    fuzz::Preparar(v);
    v.Llamar("NumeroLineas", RelivoVigilado::Clase::Miembro, [&] {
        v.r().NumeroLineasX(32766);
        v.r().NumeroLineasY(32766);
    });
    EXPECT_EQ(v.r().NumeroLineasX() + v.r().NumeroLineasY(), 2 * 32766);
    Graficar(v);
    EXPECT_EQ(v.Propios().size(), 2u);
    ComprobarErrores(v, false, 1, 7, "Memoria insuficiente");
    ComprobarUsable(v, limpio.r().Grafica());
    std::exit(::testing::Test::HasFailure() ? 1 : 0);
}

TEST(Limites, RejillaMayorSinMemoriaEsElError7) {
    EXPECT_EXIT(GraficarSinMemoria(), ::testing::ExitedWithCode(0), "");
}
#endif

}  // namespace
}  // namespace relivo
