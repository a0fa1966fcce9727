// The control's plot parameters by name, for tables of setter calls.
#pragma once

#include <iomanip>
#include <map>
#include <sstream>
#include <string>

#include "relivo/relivo.h"

namespace relivo::prueba {

// A setter called by its name with a value written as text ("inf", "nan"
// and "-inf" included; the text of Funcion as is).
inline void Fijar(Relivo& r, const std::string& nombre, const std::string& valor) {
    if (nombre == "Funcion") return r.Funcion(valor == "=" ? r.Funcion() : valor);
    const double v = std::stod(valor);
    if (nombre == "AutoEscalaZ") return r.AutoEscalaZ(v != 0);
    if (nombre == "NumeroLineasX") return r.NumeroLineasX(static_cast<int16_t>(v));
    if (nombre == "NumeroLineasY") return r.NumeroLineasY(static_cast<int16_t>(v));
    const std::map<std::string, void (Relivo::*)(double)> dobles = {
        {"XMin", &Relivo::XMin},       {"XMax", &Relivo::XMax},
        {"YMin", &Relivo::YMin},       {"YMax", &Relivo::YMax},
        {"ZMin", &Relivo::ZMin},       {"ZMax", &Relivo::ZMax},
        {"AnguloX", &Relivo::AnguloX}, {"AnguloY", &Relivo::AnguloY},
        {"AnguloZ", &Relivo::AnguloZ}};
    (r.*dobles.at(nombre))(v);
}

// The value a getter gives, as text.
inline std::string Leer(Relivo& r, const std::string& nombre) {
    if (nombre == "Funcion") return r.Funcion();
    if (nombre == "NumeroLineasX") return std::to_string(r.NumeroLineasX());
    if (nombre == "NumeroLineasY") return std::to_string(r.NumeroLineasY());
    const std::map<std::string, double (Relivo::*)()> dobles = {
        {"XMin", &Relivo::XMin},       {"XMax", &Relivo::XMax},
        {"YMin", &Relivo::YMin},       {"YMax", &Relivo::YMax},
        {"ZMin", &Relivo::ZMin},       {"ZMax", &Relivo::ZMax},
        {"AnguloX", &Relivo::AnguloX}, {"AnguloY", &Relivo::AnguloY},
        {"AnguloZ", &Relivo::AnguloZ}};
    std::ostringstream t;
    t << std::setprecision(12) << (r.*dobles.at(nombre))();
    return t.str();
}

// "XMin=-1;XMax=inf": the calls in order.
inline void FijarTodos(Relivo& r, const std::string& llamadas) {
    std::istringstream partes(llamadas);
    for (std::string l; std::getline(partes, l, ';');) {
        const size_t igual = l.find('=');
        Fijar(r, l.substr(0, igual), l.substr(igual + 1));
    }
}

}  // namespace relivo::prueba
