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
#include <utility>

#include "relivo/relivo.h"

namespace relivo::prueba {

// The parameters of type double: getter and setter.
// clang-format off
#define RELIVO_DOBLE(Nombre) {#Nombre, {&Relivo::Nombre, &Relivo::Nombre}}
// clang-format on
inline const std::map<std::string, std::pair<double (Relivo::*)(), void (Relivo::*)(double)>>
    kDobles = {RELIVO_DOBLE(XMin),    RELIVO_DOBLE(XMax),    RELIVO_DOBLE(YMin),
               RELIVO_DOBLE(YMax),    RELIVO_DOBLE(ZMin),    RELIVO_DOBLE(ZMax),
               RELIVO_DOBLE(AnguloX), RELIVO_DOBLE(AnguloY), RELIVO_DOBLE(AnguloZ)};
#undef RELIVO_DOBLE

// A setter called by its name with a value written as text ("inf", "nan"
// and "-inf" included; the text of Funcion as is, "=" for the one it has);
// false for a name that is not a plot parameter.
inline bool Fijar(Relivo& r, const std::string& nombre, const std::string& valor) {
    const double v = std::strtod(valor.c_str(), nullptr);
    const auto n = static_cast<int16_t>(std::strtol(valor.c_str(), nullptr, 10));
    const auto doble = kDobles.find(nombre);
    if (nombre == "Funcion") return r.Funcion(valor == "=" ? r.Funcion() : valor), true;
    if (nombre == "AutoEscalaZ") return r.AutoEscalaZ(v != 0), true;
    if (nombre == "NumeroLineasX") return r.NumeroLineasX(n), true;
    if (nombre == "NumeroLineasY") return r.NumeroLineasY(n), true;
    if (doble == kDobles.end()) return false;
    (r.*doble->second.second)(v);
    return true;
}

// The value a getter gives, as text; none for a name that is not a plot
// parameter.
inline std::optional<std::string> Leer(Relivo& r, const std::string& nombre) {
    const auto doble = kDobles.find(nombre);
    if (nombre == "Funcion") return r.Funcion();
    if (nombre == "AutoEscalaZ") return std::to_string(r.AutoEscalaZ());
    if (nombre == "NumeroLineasX") return std::to_string(r.NumeroLineasX());
    if (nombre == "NumeroLineasY") return std::to_string(r.NumeroLineasY());
    if (doble == kDobles.end()) return std::nullopt;
    std::ostringstream t;
    t << std::setprecision(12) << (r.*doble->second.first)();
    return t.str();
}

}  // namespace relivo::prueba
