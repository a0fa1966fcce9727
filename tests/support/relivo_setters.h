// The control's plot parameters by name, for scripts and tables of setter
// calls and for the hosts of the fuzz targets.
#pragma once

#include <cstdint>
#include <cstdlib>
#include <iomanip>
#include <map>
#include <optional>
#include <sstream>
#include <string>

#include "relivo/relivo.h"

namespace relivo::prueba {

struct ParametroDoble {
    double (Relivo::*leer)();
    void (Relivo::*fijar)(double);
};

inline const std::map<std::string, ParametroDoble> kParametrosDobles = {
    {"XMin", {&Relivo::XMin, &Relivo::XMin}},
    {"XMax", {&Relivo::XMax, &Relivo::XMax}},
    {"YMin", {&Relivo::YMin, &Relivo::YMin}},
    {"YMax", {&Relivo::YMax, &Relivo::YMax}},
    {"ZMin", {&Relivo::ZMin, &Relivo::ZMin}},
    {"ZMax", {&Relivo::ZMax, &Relivo::ZMax}},
    {"AnguloX", {&Relivo::AnguloX, &Relivo::AnguloX}},
    {"AnguloY", {&Relivo::AnguloY, &Relivo::AnguloY}},
    {"AnguloZ", {&Relivo::AnguloZ, &Relivo::AnguloZ}}};

// A setter called by its name with a value written as text ("inf", "nan"
// and "-inf" included; the text of Funcion as is, "=" for the one it has);
// false for a name that is not a plot parameter.
inline bool Fijar(Relivo& r, const std::string& nombre, const std::string& valor) {
    const double v = std::strtod(valor.c_str(), nullptr);
    const auto entero = static_cast<int16_t>(std::strtol(valor.c_str(), nullptr, 10));
    const auto doble = kParametrosDobles.find(nombre);
    if (nombre == "Funcion") {
        r.Funcion(valor == "=" ? r.Funcion() : valor);
    } else if (nombre == "AutoEscalaZ") {
        r.AutoEscalaZ(v != 0);
    } else if (nombre == "NumeroLineasX") {
        r.NumeroLineasX(entero);
    } else if (nombre == "NumeroLineasY") {
        r.NumeroLineasY(entero);
    } else if (doble != kParametrosDobles.end()) {
        (r.*doble->second.fijar)(v);
    } else {
        return false;
    }
    return true;
}

// The value a getter gives, as text; none for a name that is not a plot
// parameter.
inline std::optional<std::string> Leer(Relivo& r, const std::string& nombre) {
    const auto doble = kParametrosDobles.find(nombre);
    std::ostringstream t;
    if (nombre == "Funcion") {
        t << r.Funcion();
    } else if (nombre == "AutoEscalaZ") {
        t << r.AutoEscalaZ();
    } else if (nombre == "NumeroLineasX" || nombre == "NumeroLineasY") {
        t << (nombre == "NumeroLineasX" ? r.NumeroLineasX() : r.NumeroLineasY());
    } else if (doble != kParametrosDobles.end()) {
        t << std::setprecision(12) << (r.*doble->second.leer)();
    } else {
        return std::nullopt;
    }
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
