// The largest grid, whose memory a host that cannot have it gets as error 7
// "Memoria insuficiente" through the error path (the bounds of expressions:
// tests/data/anidamientos.tsv, run by case_tables_test.cpp).
#include <gtest/gtest.h>
#include <sys/resource.h>

#include <cstdlib>

#if RELIVO_WITH_CONTROL
#include "platform/linux/host.h"
#include "relivo/relivo.h"
#endif

namespace relivo {
namespace {

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
