// A simple Linux host for the controls: it delivers events to handlers
// registered by event name, answers the ambient properties (run mode and
// DejaVu Sans by default) and records the events, the property-changed
// notifications and the pop-up menu requests it receives.
#pragma once

#include <cstdint>
#include <functional>
#include <map>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "relivo/platform/host.h"

namespace relivo {

class AnfitrionLinux : public Anfitrion {
public:
    // A handler may change the by-reference arguments in place.
    using Manejador = std::function<void(std::span<ArgumentoEvento> Argumentos)>;

    // An event as delivered, with its arguments as the handler left them.
    struct EventoRecibido {
        int32_t Id = 0;
        std::string Nombre;
        std::vector<ArgumentoEvento> Argumentos;
    };

    struct MenuPedido {
        std::string Menu;
        std::optional<int16_t> Flags;
        std::optional<float> x, y;
        std::string DefaultMenu;
    };

    AnfitrionLinux() = default;

    // Sets (or, with an empty function, removes) the handler of an event.
    void AlEvento(std::string_view Nombre, Manejador manejador);

    void FijarUserMode(bool enEjecucion) { userMode_ = enEjecucion; }
    void FijarFont(const Fuente& fuente) { fuente_ = fuente; }
    // Whether delivered events are recorded (on by default).
    void RegistrarEventos(bool registrar) { registrar_ = registrar; }

    const std::vector<EventoRecibido>& Eventos() const { return eventos_; }
    const std::vector<std::string>& PropiedadesCambiadas() const { return cambiadas_; }
    const std::vector<MenuPedido>& MenusPedidos() const { return menus_; }
    void OlvidarRegistros();

    // Anfitrion.
    void LanzarEvento(int32_t Id, std::string_view Nombre,
                      std::span<ArgumentoEvento> Argumentos) override;
    bool UserMode() const override { return userMode_; }
    Fuente Font() const override { return fuente_; }
    void PropertyChanged(std::string_view Nombre) override;
    void PopupMenu(std::string_view Menu, std::optional<int16_t> Flags, std::optional<float> x,
                   std::optional<float> y, std::string_view DefaultMenu) override;

private:
    std::map<std::string, Manejador, std::less<>> manejadores_;
    bool userMode_ = true;
    Fuente fuente_;
    bool registrar_ = true;
    std::vector<EventoRecibido> eventos_;
    std::vector<std::string> cambiadas_;
    std::vector<MenuPedido> menus_;
};

}  // namespace relivo
