// A test bench for the Relivo control: a Linux host that records what it is
// told, a control sited in it, and a compact text form of the events.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <span>
#include <string>
#include <vector>

#include "platform/linux/host.h"
#include "platform/linux/polygon_observer.h"
#include "relivo/relivo.h"

namespace relivo::prueba {

// "11 Status(Procesando Superficie,0)", "10 Error(-2147221501,La X ...,false)",
// "12 TerminoGraficacion()": an event's number and name with its arguments as
// the handler left them.
inline std::string Texto(const AnfitrionLinux::EventoRecibido& e) {
    std::string t = std::to_string(e.Id) + " " + e.Nombre + "(";
    for (size_t k = 0; k < e.Argumentos.size(); ++k) {
        if (k) t += ",";
        const VarianteHost& v = e.Argumentos[k].Valor;
        if (const bool* b = v.Si<bool>()) {
            t += *b ? "true" : "false";
        } else {
            t += v.ATexto();
        }
    }
    return t + ")";
}

// A polygon as drawn: its vertices and the fill and fore colours then.
struct Poligono {
    std::vector<PuntoApi> puntos;
    ColorOle relleno = 0;
    ColorOle contorno = 0;
};

struct Banco {
    explicit Banco(int32_t ancho = 320, int32_t alto = 240)
        : r(std::make_unique<Relivo>(host, ancho, alto)) {
        FijarObservadorPoligonos([this](const SuperficieDibujo& s, std::span<const PuntoApi> p) {
            poligonos.push_back({{p.begin(), p.end()}, s.FillColor(), s.ForeColor()});
        });
    }
    ~Banco() { FijarObservadorPoligonos({}); }

    // Every Error event is answered with this Continuar.
    void Continuar(bool valor) {
        host.AlEvento("Error", [valor](std::span<ArgumentoEvento> a) { a[2].Valor = valor; });
    }

    void AlStatus(std::function<void(const std::string&, int16_t)> f) {
        host.AlEvento("Status", [f](std::span<ArgumentoEvento> a) {
            f(a[0].Valor.ATexto(), a[1].Valor.AEntero16());
        });
    }

    std::vector<std::string> Eventos() const {
        std::vector<std::string> t;
        for (const auto& e : host.Eventos()) t.push_back(Texto(e));
        return t;
    }

    void Olvidar() {
        host.OlvidarRegistros();
        poligonos.clear();
    }

    AnfitrionLinux host;
    std::unique_ptr<Relivo> r;
    std::vector<Poligono> poligonos;
};

}  // namespace relivo::prueba
