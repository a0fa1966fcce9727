// The plot parameters of Relivo and Graficar on a 64 x 48 surface, driven by
// a host script decoded from the input: one call a line, a member name and
// its argument,
//   Funcion <text>   XMin|XMax|YMin|YMax|ZMin|ZMax|AnguloX|AnguloY|AnguloZ <number>
//   NumeroLineasX|NumeroLineasY <whole number>   AutoEscalaZ 0|1
//   Graficar   Cancelar
// ("Funcion =" sets the text it has again)
// and three lines for the host itself: "Continuar 0|1" (its answer to Error
// events from now on), "CancelarEn <k>" (it cancels at the k-th yield from
// now) and "Reentrar 0|1" (its Status handler calls Graficar again).
//
// Every call is watched (see watched_relivo.h). At the end the host sets a
// plain plot and Graficar must draw it without an error: whatever came
// before, the control stays usable.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "tests/support/invariants.h"
#include "tests/support/watched_relivo.h"

namespace relivo::fuzz::graficar {

// Runs above this many grid points are not asked for: the host fuzzes the
// logic, not the patience of the machine.
inline constexpr int64_t kPuntosMaximos = 2000;

inline constexpr auto kMiembro = RelivoVigilado::Clase::Miembro;

inline void Linea(RelivoVigilado& v, std::string_view l) {
    const size_t blanco = l.find(' ');
    const std::string nombre(l.substr(0, blanco));
    const std::string arg(blanco == std::string_view::npos ? "" : l.substr(blanco + 1));
    Relivo& r = v.r();
    const std::string que(l.substr(0, 200));
    const double x = std::strtod(arg.c_str(), nullptr);
    if (nombre == "Cancelar") {
        v.Llamar(que, kMiembro, [&] { r.Cancelar(); });
    } else if (nombre == "Graficar") {
        int16_t nx = 0, ny = 0;
        v.Llamar("NumeroLineasX", kMiembro, [&] { nx = r.NumeroLineasX(); });
        v.Llamar("NumeroLineasY", kMiembro, [&] { ny = r.NumeroLineasY(); });
        if ((int64_t{nx} + 2) * (int64_t{ny} + 2) > kPuntosMaximos) return;
        v.Llamar(que, RelivoVigilado::Clase::Graficar, [&] { r.Graficar(); });
    } else if (nombre == "Continuar") {
        v.Continuar(x != 0);
    } else if (nombre == "CancelarEn") {
        v.CancelarEn(std::strtoull(arg.c_str(), nullptr, 10));
    } else if (nombre == "Reentrar") {
        v.Reentrar(x != 0);
    } else {
        // A plot parameter (relivo_setters.h); any other name calls nothing.
        v.Llamar(que, kMiembro, [&] { prueba::Fijar(r, nombre, arg); });
    }
}

// Runs one input: a script of at most 48 lines, then the plain plot.
inline void Ejecutar(std::string_view guion) {
    RelivoVigilado v;
    PorLineas(guion, 48, [&v](std::string_view linea) { Linea(v, linea); });
    Usable(v);
}

}  // namespace relivo::fuzz::graficar
