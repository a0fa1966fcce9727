// The Linux host: event delivery, ambient properties, notifications and
// the yield's queue.
#include "platform/linux/host.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/linux/work_queue.h"
#include "relivo/platform/yield.h"

namespace relivo {
namespace {

// By-reference arguments come back from the handler, by-value ones do not;
// an event raised inside a handler is recorded after the outer one; without
// a handler the arguments stay as they were; only what is raised while the
// record is on is recorded.
TEST(Anfitrion, EventosArgumentosYAnidamiento) {
    AnfitrionLinux host;
    host.AlEvento("Error", [&](std::span<ArgumentoEvento> a) {
        a[0].Valor = int32_t{0};
        a[2].Valor = true;
        std::vector<ArgumentoEvento> nada;
        host.LanzarEvento(12, "TerminoGraficacion", nada);
    });
    std::vector<ArgumentoEvento> args = {{"NumError", int32_t{-2147221501}, false},
                                         {"DescrError", "texto", false},
                                         {"Continuar", false, true}};
    host.LanzarEvento(10, "Error", args);
    EXPECT_EQ(args[0].Valor.AEntero32(), -2147221501);
    EXPECT_TRUE(args[2].Valor.ABooleano());
    ASSERT_EQ(host.Eventos().size(), 2u);
    EXPECT_EQ(host.Eventos()[0].Id, 10);
    EXPECT_EQ(host.Eventos()[0].Nombre, "Error");
    EXPECT_EQ(host.Eventos()[0].Argumentos.size(), 3u);
    EXPECT_TRUE(host.Eventos()[0].Argumentos[2].Valor.ABooleano());
    EXPECT_EQ(host.Eventos()[1].Nombre, "TerminoGraficacion");
    std::vector<ArgumentoEvento> k = {{"KeyAscii", int16_t{97}, true}};
    host.LanzarEvento(4, "KeyPress", k);
    EXPECT_EQ(k[0].Valor.AEntero16(), 97);
    // A handler taken away, and the record switched off.
    host.AlEvento("Error", {});
    host.RegistrarEventos(false);
    host.LanzarEvento(10, "Error", args);
    EXPECT_EQ(host.Eventos().size(), 3u);
    // A handler that records an event of its own, then switches the record
    // off again or leaves it on: that event keeps its arguments, and the one
    // outside it is not recorded.
    for (const bool apagar : {true, false}) {
        host.AlEvento("Error", [&](std::span<ArgumentoEvento>) {
            host.RegistrarEventos(true);
            host.LanzarEvento(4, "KeyPress", k);
            if (apagar) host.RegistrarEventos(false);
        });
        host.RegistrarEventos(false);
        const size_t antes = host.Eventos().size();
        host.LanzarEvento(10, "Error", args);
        ASSERT_EQ(host.Eventos().size(), antes + 1);
        EXPECT_EQ(host.Eventos().back().Nombre, "KeyPress");
        EXPECT_EQ(host.Eventos().back().Argumentos.size(), 1u);
    }
}

TEST(Anfitrion, AmbienteNotificacionesYMenus) {
    AnfitrionLinux host;
    EXPECT_TRUE(host.UserMode());
    EXPECT_EQ(host.Font().Name, "DejaVu Sans");
    host.FijarUserMode(false);
    EXPECT_FALSE(host.UserMode());
    Fuente f;
    f.Size = 14;
    host.FijarFont(f);
    EXPECT_EQ(host.Font().Size, 14);
    host.PropertyChanged("BackColor");
    host.PropertyChanged("FillColor");
    EXPECT_EQ(host.PropiedadesCambiadas(), (std::vector<std::string>{"BackColor", "FillColor"}));
    host.PopupMenu("mnuArchivo", int16_t{2}, 10.0f, {}, "mnuAbrir");
    ASSERT_EQ(host.MenusPedidos().size(), 1u);
    EXPECT_EQ(host.MenusPedidos()[0].Menu, "mnuArchivo");
    EXPECT_EQ(host.MenusPedidos()[0].DefaultMenu, "mnuAbrir");
    EXPECT_FALSE(host.MenusPedidos()[0].y.has_value());
    host.OlvidarRegistros();
    EXPECT_TRUE(host.PropiedadesCambiadas().empty());
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
