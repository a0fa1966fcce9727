// The Linux host: what it records of events and menus, and the yield's
// queue.
#include "platform/linux/host.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/linux/work_queue.h"
#include "relivo/platform/yield.h"

namespace relivo {
namespace {

// Whether an event is recorded is decided as it is raised: a handler that
// switches the record on records its own event, whether it switches the
// record off again or leaves it on, and the outer event is not recorded. (The
// arguments as the handler leaves them, and the order of nested events, are
// in the recorded scripts of tests/data/relivo.)
TEST(Anfitrion, SoloSeRegistraLoLanzadoConElRegistroEncendido) {
    AnfitrionLinux host;
    std::vector<ArgumentoEvento> nada, k = {{"KeyAscii", int16_t{97}, true}};
    for (const bool apagar : {true, false}) {
        host.AlEvento("Error", [&](std::span<ArgumentoEvento>) {
            host.RegistrarEventos(true);
            host.LanzarEvento(4, "KeyPress", k);
            if (apagar) host.RegistrarEventos(false);
        });
        host.RegistrarEventos(false);
        const size_t antes = host.Eventos().size();
        host.LanzarEvento(10, "Error", nada);
        ASSERT_EQ(host.Eventos().size(), antes + 1);
        EXPECT_EQ(host.Eventos().back().Nombre, "KeyPress");
        EXPECT_EQ(host.Eventos().back().Argumentos.size(), 1u);
    }
}

// A menu the control asks for is recorded as asked, until forgotten.
TEST(Anfitrion, MenusPedidos) {
    AnfitrionLinux host;
    host.PopupMenu("mnuArchivo", int16_t{2}, 10.0f, {}, "mnuAbrir");
    ASSERT_EQ(host.MenusPedidos().size(), 1u);
    EXPECT_EQ(host.MenusPedidos()[0].Menu, "mnuArchivo");
    EXPECT_EQ(host.MenusPedidos()[0].DefaultMenu, "mnuAbrir");
    EXPECT_FALSE(host.MenusPedidos()[0].y.has_value());
    host.OlvidarRegistros();
    EXPECT_TRUE(host.MenusPedidos().empty());
}

// Work queued while yielding waits for the next yield, but a nested yield
// runs it; a watcher runs at every yield until it is taken away, even by
// itself.
TEST(Ceder, EjecutaLoPendienteUnaVez) {
    std::vector<std::string> hechos;
    auto hecho = [&](const char* h) { return [&hechos, h] { hechos.push_back(h); }; };
    EncolarTrabajo([&] {
        hechos.push_back("a");
        EncolarTrabajo(hecho("c"));
    });
    EncolarTrabajo(hecho("b"));
    const int32_t id = AgregarVigilante(hecho("v"));
    int32_t una = 0;
    una = AgregarVigilante([&] {
        hechos.push_back("u");
        QuitarVigilante(una);
    });
    const uint64_t antes = VecesCedido();
    Ceder();
    EXPECT_EQ(hechos, (std::vector<std::string>{"a", "b", "v", "u"}));
    EXPECT_EQ(TrabajosPendientes(), 1u);
    Ceder();
    QuitarVigilante(id);
    EXPECT_EQ(VecesCedido(), antes + 2);
    EncolarTrabajo([&] {
        EncolarTrabajo(hecho("d"));
        Ceder();
    });
    Ceder();
    EXPECT_EQ(hechos, (std::vector<std::string>{"a", "b", "v", "u", "c", "v", "d"}));
    EXPECT_EQ(TrabajosPendientes(), 0u);
}

// A watcher that takes itself away and then yields: the nested yield passes
// it over, and the outer one still runs the watchers after it.
TEST(Ceder, UnVigilanteQueSeQuitaYVuelveACeder) {
    std::vector<std::string> hechos;
    int32_t a = 0;
    a = AgregarVigilante([&] {
        hechos.push_back("a");
        QuitarVigilante(a);
        Ceder();
    });
    const int32_t b = AgregarVigilante([&] { hechos.push_back("b"); });
    Ceder();
    Ceder();
    QuitarVigilante(b);
    EXPECT_EQ(hechos, (std::vector<std::string>{"a", "b", "b", "b"}));
}

}  // namespace
}  // namespace relivo
