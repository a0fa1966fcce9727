#include "platform/linux/host.h"

namespace relivo {

void AnfitrionLinux::AlEvento(std::string_view Nombre, Manejador manejador) {
    if (manejador) {
        manejadores_[std::string(Nombre)] = std::move(manejador);
    } else {
        const auto it = manejadores_.find(Nombre);
        if (it != manejadores_.end()) manejadores_.erase(it);
    }
}

void AnfitrionLinux::OlvidarRegistros() {
    eventos_.clear();
    cambiadas_.clear();
    menus_.clear();
}

void AnfitrionLinux::LanzarEvento(int32_t Id, std::string_view Nombre,
                                  std::span<ArgumentoEvento> Argumentos) {
    // Recorded in the order raised (an event raised from a handler comes
    // after the one whose handler raised it), with the arguments as the
    // handler left them.
    // Whether this event is recorded is decided as it is raised: a handler
    // that switches the record on or off changes only what comes after.
    const bool registrado = registrar_;
    const size_t registro = eventos_.size();
    if (registrado) eventos_.push_back({Id, std::string(Nombre), {}});
    const auto it = manejadores_.find(Nombre);
    if (it != manejadores_.end()) {
        // A copy: the handler may replace itself or others while it runs.
        const Manejador manejador = it->second;
        // The handler sees every argument, but only by-reference ones go back.
        std::vector<VarianteHost> porValor;
        porValor.reserve(Argumentos.size());
        for (const ArgumentoEvento& a : Argumentos) porValor.push_back(a.Valor);
        manejador(Argumentos);
        for (size_t i = 0; i < Argumentos.size(); ++i) {
            if (!Argumentos[i].PorReferencia) Argumentos[i].Valor = porValor[i];
        }
    }
    if (registrado) {
        eventos_[registro].Argumentos.assign(Argumentos.begin(), Argumentos.end());
    }
}

void AnfitrionLinux::PropertyChanged(std::string_view Nombre) {
    cambiadas_.emplace_back(Nombre);
}

void AnfitrionLinux::PopupMenu(std::string_view Menu, std::optional<int16_t> Flags,
                               std::optional<float> x, std::optional<float> y,
                               std::string_view DefaultMenu) {
    menus_.push_back({std::string(Menu), Flags, x, y, std::string(DefaultMenu)});
}

}  // namespace relivo
