// Reducir on arbitrary text of the canonical alphabet. The input is the text
// itself; a byte outside the alphabet (digits, ".", "E", operators,
// parentheses, "_", "L" and the codes) stands for one of its characters. The
// table holds the variables "X", "Y" and "Z", so "L1L" to "L3L" are known
// references.
//
// Reducir either gives text or raises the product's error (Fallo), never
// anything else; what it gives is again canonical text, not empty, balanced
// when the input was one that Canonizar writes, and can be shown and reduced
// again without any other failure.
#pragma once

#include <cstddef>
#include <cstdint>
#include <exception>
#include <string>
#include <string_view>

#include "evaluar/canonical.h"
#include "evaluar/simplifier.h"
#include "relivo/platform/error.h"
#include "tests/support/invariants.h"

namespace relivo::fuzz::reducir {

inline constexpr std::string_view kAlfabeto =
    "0123456789.E+-*/%^()_LJKDIabcdefghijklmnopqrstuvwxyzABCFGH";

inline bool Canonico(std::string_view t) {
    return t.find_first_not_of(kAlfabeto) == std::string_view::npos;
}

// Whether the text is one that Canonizar writes (the canonical text of its
// own display text): only such texts reach Reducir from the members.
inline bool Alcanzable(const std::string& texto, const TablaVariables& tabla) {
    try {
        TablaVariables copia = tabla;
        return Canonizar(TextoVisible(texto, tabla), copia) == texto;
    } catch (const Fallo&) {
        return false;
    }
}

// Runs one step; a Fallo is an accepted outcome, anything else is a finding.
template <class F>
inline bool Paso(const char* que, const std::string& texto, F&& f) {
    try {
        f();
        return true;
    } catch (const Fallo& fallo) {
        EXIGE(
            fallo.numero() != 0 && !fallo.texto().empty(),
            std::string(que) + " of " + Literal(texto) + " raised an error without number or text");
        return false;
    } catch (const std::exception& e) {
        EXIGE(false, std::string(que) + " of " + Literal(texto) + " raised " + e.what());
    } catch (...) {
        EXIGE(false, std::string(que) + " of " + Literal(texto) + " raised something unknown");
    }
    return false;
}

inline void Probar(const std::string& texto) {
    TablaVariables tabla;
    for (const char* n : {"X", "Y", "Z"}) tabla.Agregar(n);
    std::string r;
    if (!Paso("Reducir", texto, [&] { r = Simplificador(tabla).Reducir(texto); })) return;
    EXIGE(!r.empty(), Literal(texto) + " reduced to nothing");
    EXIGE(Canonico(r), Literal(texto) + " reduced to " + Literal(r) + ", not canonical text");
    if (ProfundidadParentesis(texto) >= 0 && Alcanzable(texto, tabla)) {
        EXIGE(ProfundidadParentesis(r) >= 0,
              Literal(texto) + " reduced to the unbalanced " + Literal(r));
    }
    Paso("Reducir again", r, [&] { Simplificador(tabla).Reducir(r); });
    std::string visible;
    if (!Paso("TextoVisible", r, [&] { visible = TextoVisible(r, tabla); })) return;
    TablaVariables otra;
    Paso("Canonizar", visible, [&] { Canonizar(visible, otra); });
}

// Runs one input: bytes outside the alphabet stand for one of its characters.
inline void Ejecutar(std::string_view datos) {
    std::string texto;
    for (const char c : datos) {
        const auto b = static_cast<unsigned char>(c);
        texto += kAlfabeto.find(c) != std::string_view::npos ? c : kAlfabeto[b % kAlfabeto.size()];
    }
    Probar(texto);
}

}  // namespace relivo::fuzz::reducir
