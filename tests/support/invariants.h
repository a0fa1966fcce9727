// What every fuzz target shares: the check that turns a broken invariant
// into a crash the fuzzer records, and the error numbers a host may see
// from Evaluar.
//
// The targets run on the fuzzer's main thread; scripts/fuzz.sh starts them
// with a 1 MiB stack (ulimit -s 1024), the stack a host's user-interface
// thread may have, so that a recursion the depth guard misses overflows.
#pragma once

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <set>
#include <string>
#include <string_view>

namespace relivo::fuzz {

// Where a broken invariant goes: by default to the fuzzer, as a crash; a
// test that replays the inputs may take the messages instead and go on.
using Ruptura = void (*)(const std::string& mensaje);
inline Ruptura& AlRomper() {
    static Ruptura r = nullptr;
    return r;
}

inline void Roto(const char* archivo, int linea, const char* condicion,
                 const std::string& detalle) {
    const std::string mensaje = std::string(archivo) + ":" + std::to_string(linea) +
                                ": invariant broken: " + condicion + "\n  " + detalle;
    if (AlRomper() != nullptr) {
        AlRomper()(mensaje);
        return;
    }
    std::fprintf(stderr, "\n%s\n", mensaje.c_str());
    std::abort();
}

// Exige(condition, detail): aborts with the detail when the condition fails.
#define EXIGE(condicion, detalle)                                                          \
    do {                                                                                   \
        if (!(condicion)) ::relivo::fuzz::Roto(__FILE__, __LINE__, #condicion, (detalle)); \
    } while (0)

inline constexpr int32_t kBase = -2147221504;

// Error numbers a host may see from Evaluar's members: the control's own
// (base + 2 to base + 6) and the run-time errors of arithmetic and nesting
// (9 for Valor of an index that rounds to 0).
inline bool NumeroConocido(int32_t n) {
    static const std::set<int32_t> conocidos = {
        5, 6, 7, 9, 11, 13, 28, kBase + 2, kBase + 3, kBase + 4, kBase + 5, kBase + 6};
    return conocidos.count(n) > 0;
}

// A text as a C literal, for the failure messages.
inline std::string Literal(std::string_view t) {
    std::string r = "\"";
    for (unsigned char c : t) {
        if (c == '"' || c == '\\') {
            r += {'\\', static_cast<char>(c)};
        } else if (c < 32 || c >= 127) {
            char b[8];
            std::snprintf(b, sizeof b, "\\x%02x", c);
            r += b;
        } else {
            r += static_cast<char>(c);
        }
    }
    return r + "\"";
}

// The deepest nesting of parentheses in a text; -1 when they do not balance.
inline int ProfundidadParentesis(std::string_view t) {
    int d = 0, m = 0;
    for (char c : t) {
        if (c == '(') m = std::max(m, ++d);
        if (c == ')' && --d < 0) return -1;
    }
    return d == 0 ? m : -1;
}

// Calls linea(text) for each line of a script, at most `maximo` lines.
template <class Linea>
void PorLineas(std::string_view guion, int maximo, Linea linea) {
    size_t inicio = 0;
    int lineas = 0;
    while (inicio <= guion.size() && lineas++ < maximo) {
        size_t fin = guion.find('\n', inicio);
        if (fin == std::string_view::npos) fin = guion.size();
        linea(guion.substr(inicio, fin - inicio));
        inicio = fin + 1;
    }
}

}  // namespace relivo::fuzz
