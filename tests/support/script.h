// Scripts of calls on a control or a surface, read from tests/data: one call
// a line, "#" opens a comment, "-" leaves an optional argument out, and a
// text runs to the end of the line and may hold "\xNN". The runner logs each
// call, what it answers and an error it raises; the log and the pictures are
// compared with reviewed recordings (recording.h).
#pragma once

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <functional>
#include <iomanip>
#include <iterator>
#include <optional>
#include <sstream>
#include <string>
#include <type_traits>
#include <vector>

#include "platform/png.h"
#include "relivo/platform/error.h"
#include "relivo/platform/surface.h"
#include "relivo/platform/surface_properties.h"
#include "tests/support/recording.h"

namespace relivo::prueba {

// A value as the log shows it.
template <class T>
std::string Texto(const T& v) {
    std::ostringstream s;
    if constexpr (std::is_same_v<T, std::string>) {
        s << '"' << v << '"';
    } else if constexpr (std::is_same_v<T, Fuente>) {
        s << v.Name << ' ' << v.Size << (v.Bold ? " bold" : "") << (v.Italic ? " italic" : "")
          << (v.Underline ? " underline" : "") << (v.Strikethrough ? " strikethrough" : "");
    } else if constexpr (std::is_same_v<T, Imagen>) {
        uint32_t h = 2166136261u;  // FNV-1a of the pixels
        for (int32_t p : v.Pixeles) h = (h ^ static_cast<uint32_t>(p)) * 16777619u;
        s << v.Ancho << 'x' << v.Alto << " #" << std::hex << h;
    } else {
        s << std::setprecision(12) << +v;
    }
    return s.str();
}

// The test picture: 3 x 2 pixels of six colours.
inline Imagen ImagenDePrueba() {
    Imagen p(3, 2);
    p.Pixeles = {0x0000FF, 0x00FF00, 0xFF0000, 0x00FFFF, 0xFFFF00, 0xFF00FF};
    return p;
}

// A value of type T from its text: a number, a text, or for a picture the
// test picture (an empty text: no picture).
template <class T, class F>
void Asignar(F fijar, const std::string& v) {
    if constexpr (std::is_same_v<T, std::string>) {
        fijar(v);
    } else if constexpr (std::is_arithmetic_v<T>) {
        fijar(static_cast<T>(std::strtod(v.c_str(), nullptr)));
    } else if constexpr (std::is_same_v<T, Imagen>) {
        fijar(v.empty() ? Imagen() : ImagenDePrueba());
    } else {
        ADD_FAILURE() << "not set from a text";
    }
}

// A surface property of `o` (a surface, or the control that forwards them)
// set or read by its name; false for a name that is not one.
template <class O>
bool FijarPropiedadSuperficie(O& o, const std::string& p, const std::string& v) {
#define RELIVO_FIJAR(Nombre, Tipo, Clase, ...)                                   \
    RELIVO_SI_SE_ASIGNA(                                                         \
        Clase, if (p == #Nombre) {                                               \
            Asignar<tipos::Tipo::Valor>([&](const auto& x) { o.Nombre(x); }, v); \
            return true;                                                         \
        })
    RELIVO_PROPIEDADES_SUPERFICIE(RELIVO_FIJAR)
#undef RELIVO_FIJAR
    return false;
}

template <class O>
std::optional<std::string> LeerPropiedadSuperficie(O& o, const std::string& p) {
#define RELIVO_LEER(Nombre, ...) \
    if (p == #Nombre) return Texto(o.Nombre());
    RELIVO_PROPIEDADES_SUPERFICIE(RELIVO_LEER)
#undef RELIVO_LEER
    return std::nullopt;
}

// Runs the script NAME.txt of the folder: each line is logged, then handed
// to `llamar` with its words (decoded) and the whole decoded line; an error
// it raises is logged as "! number text". Pictures are compared with, or recorded
// as, NAME.K.png. Compares the log with NAME.log at the end.
class Guion {
public:
    Guion(std::filesystem::path carpeta, std::string nombre)
        : carpeta_(std::move(carpeta)), nombre_(std::move(nombre)) {}

    std::string log;

    void Anotar(const std::string& linea) { log += "  " + linea + "\n"; }

    void Foto(const Imagen& img) {
        const auto ruta = carpeta_ / (nombre_ + "." + std::to_string(++fotos_) + ".png");
        Anotar("picture " + ruta.filename().string());
        if (Regrabar()) {
            GuardarPng(img, ruta);
        } else {
            EXPECT_TRUE(LeerPng(ruta) == img) << ruta.filename();
        }
    }

    void Correr(
        const std::function<void(const std::vector<std::string>&, const std::string&)>& llamar) {
        for (const std::string& crudo : Lineas(Leer(carpeta_ / (nombre_ + ".txt")))) {
            if (crudo.empty() || crudo[0] == '#') continue;
            const std::string linea = DecodificarCampo(crudo);
            std::istringstream partes(crudo);
            std::vector<std::string> a;
            for (std::string p; partes >> p;) a.push_back(DecodificarCampo(p));
            log += linea + "\n";
            try {
                llamar(a, linea);
            } catch (const Fallo& e) {
                Anotar("! " + std::to_string(e.numero()) + " " + e.texto());
            }
        }
        Comparar(log, carpeta_ / (nombre_ + ".log"));
    }

private:
    std::filesystem::path carpeta_;
    std::string nombre_;
    int fotos_ = 0;
};

// The names of the scripts (NAME.txt) in the folder, sorted.
inline std::vector<std::string> Guiones(const std::filesystem::path& carpeta) {
    std::vector<std::string> nombres;
    for (const auto& e : std::filesystem::directory_iterator(carpeta)) {
        if (e.path().extension() == ".txt") nombres.push_back(e.path().stem().string());
    }
    std::sort(nombres.begin(), nombres.end());
    return nombres;
}

// Argument i as a number, an optional number ("-" or absent: none), a colour.
struct Argumentos {
    const std::vector<std::string>& a;
    float F(size_t i) const { return static_cast<float>(std::strtod(a.at(i).c_str(), nullptr)); }
    std::optional<float> Opcional(size_t i) const {
        if (i >= a.size() || a[i] == "-") return std::nullopt;
        return F(i);
    }
    std::optional<int32_t> Entero(size_t i) const {
        if (i >= a.size() || a[i] == "-") return std::nullopt;
        return static_cast<int32_t>(std::strtoll(a[i].c_str(), nullptr, 0));
    }
    // The text after the first n words of the line.
    static std::string Resto(const std::string& linea, size_t n) {
        size_t p = 0;
        for (size_t k = 0; k < n; ++k) {
            p = linea.find_first_not_of(' ', p);
            p = linea.find(' ', p);
            if (p == std::string::npos) return {};
        }
        return linea.substr(p + 1);
    }
};

// The user's input on a surface, logged as the surface answers it; false for
// another call:
//   key CODE SHIFT ASCII    down|move|up BUTTON SHIFT X Y    dblclick
inline bool Entrada(SuperficieDibujo& s, const std::vector<std::string>& a, Guion& g) {
    const Argumentos x{a};
    const auto n = [&](size_t i) { return static_cast<int16_t>(x.F(i)); };
    if (a[0] == "key") {
        g.Anotar(Texto(s.Teclear(n(1), n(2), n(3))));
    } else if (a[0] == "down") {
        s.PulsarRaton(n(1), n(2), x.F(3), x.F(4));
    } else if (a[0] == "move") {
        s.MoverRaton(n(1), n(2), x.F(3), x.F(4));
    } else if (a[0] == "up") {
        s.SoltarRaton(n(1), n(2), x.F(3), x.F(4));
    } else if (a[0] == "dblclick") {
        s.DobleClic();
    } else {
        return false;
    }
    return true;
}

// The calls that the control and a surface answer alike, logged as they
// answer; false for another call:
//   Point X Y    TextWidth TEXT    TextHeight TEXT    Cls    Refresh
template <class O>
bool Comun(O& o, const std::vector<std::string>& a, const std::string& linea, Guion& g) {
    const Argumentos x{a};
    const std::string texto = Argumentos::Resto(linea, 1);
    if (a[0] == "Point") return g.Anotar(Texto(o.Point(x.F(1), x.F(2)))), true;
    if (a[0] == "TextWidth") return g.Anotar(Texto(o.TextWidth(texto))), true;
    if (a[0] == "TextHeight") return g.Anotar(Texto(o.TextHeight(texto))), true;
    if (a[0] == "Cls") return o.Cls(), true;
    if (a[0] == "Refresh") return o.Refresh(), true;
    return false;
}

}  // namespace relivo::prueba
