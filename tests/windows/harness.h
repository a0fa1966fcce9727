// A small harness for the tests that run under Wine: each program counts its
// checks, prints every failure with its place, and ends with a summary line
// and an exit status (0 only when every check held).
#pragma once

#include <cstdio>
#include <sstream>
#include <string>
#include <string_view>

#include "tests/windows/win32.h"

namespace prueba {

struct Cuenta {
    int comprobaciones = 0;
    int fallos = 0;
};

inline Cuenta& Contador() {
    static Cuenta c;
    return c;
}

inline std::string Utf8(std::wstring_view w) {
    if (w.empty()) return {};
    const int n = WideCharToMultiByte(CP_UTF8, 0, w.data(), static_cast<int>(w.size()), nullptr, 0,
                                      nullptr, nullptr);
    std::string s(static_cast<size_t>(n), '\0');
    WideCharToMultiByte(CP_UTF8, 0, w.data(), static_cast<int>(w.size()), s.data(), n, nullptr,
                        nullptr);
    return s;
}

inline std::wstring Utf16(std::string_view s) {
    if (s.empty()) return {};
    const int n = MultiByteToWideChar(CP_UTF8, 0, s.data(), static_cast<int>(s.size()), nullptr, 0);
    std::wstring w(static_cast<size_t>(n), L'\0');
    MultiByteToWideChar(CP_UTF8, 0, s.data(), static_cast<int>(s.size()), w.data(), n);
    return w;
}

template <typename T>
std::string Texto(const T& v) {
    if constexpr (std::is_convertible_v<T, std::wstring_view>) {
        return "\"" + Utf8(std::wstring_view(v)) + "\"";
    } else if constexpr (std::is_convertible_v<T, std::string_view>) {
        return "\"" + std::string(std::string_view(v)) + "\"";
    } else {
        std::ostringstream o;
        o.precision(17);
        o << v;
        return o.str();
    }
}

inline bool Comprobar(bool condicion, const char* archivo, int linea, const std::string& que) {
    Cuenta& c = Contador();
    ++c.comprobaciones;
    if (!condicion) {
        ++c.fallos;
        std::printf("FALLO %s:%d: %s\n", archivo, linea, que.c_str());
        std::fflush(stdout);
    }
    return condicion;
}

template <typename A, typename B>
bool Iguales(const A& a, const B& b, const char* archivo, int linea, const std::string& que) {
    const bool iguales = (a == b);
    return Comprobar(iguales, archivo, linea,
                     iguales ? que : que + ": " + Texto(a) + " != " + Texto(b));
}

// Prints the summary and gives the exit status.
inline int Terminar(const char* programa) {
    const Cuenta& c = Contador();
    std::printf("%s: %d comprobaciones, %d fallos\n", programa, c.comprobaciones, c.fallos);
    std::fflush(stdout);
    return c.fallos == 0 && c.comprobaciones > 0 ? 0 : 1;
}

}  // namespace prueba

#define COMPROBAR(cond, que) ::prueba::Comprobar((cond), __FILE__, __LINE__, (que))
#define IGUALES(a, b, que) ::prueba::Iguales((a), (b), __FILE__, __LINE__, (que))
