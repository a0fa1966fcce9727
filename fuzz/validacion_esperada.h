// The outcome of the acceptance checks of Funcion [Let] for a text, restated
// from the rules of the control (blank text, parentheses, refused characters),
// so that a fuzz target can tell whether a failure came from the right check.
#pragma once

#include <cstdint>
#include <string_view>

#include "fuzz/comun.h"

namespace relivo::fuzz {

// Length of the UTF-8 sequence at i when it encodes a character above 255;
// 0 otherwise (ASCII, Latin-1 or a byte that starts no valid sequence).
inline size_t LargoUtf8(std::string_view t, size_t i) {
    const auto b = [&](size_t k) { return static_cast<unsigned char>(t[k]); };
    const auto sigue = [&](size_t k) { return k < t.size() && (b(k) & 0xC0) == 0x80; };
    const unsigned char c = b(i);
    if (c >= 0xC4 && c <= 0xDF && sigue(i + 1)) return 2;
    if (c >= 0xE0 && c <= 0xEF && sigue(i + 1) && sigue(i + 2)) {
        const uint32_t cp = ((c & 0x0Fu) << 12) | ((b(i + 1) & 0x3Fu) << 6) | (b(i + 2) & 0x3Fu);
        return cp >= 0x800 && (cp < 0xD800 || cp > 0xDFFF) ? 3 : 0;
    }
    if (c >= 0xF0 && c <= 0xF4 && sigue(i + 1) && sigue(i + 2) && sigue(i + 3)) {
        const uint32_t cp = ((c & 0x07u) << 18) | ((b(i + 1) & 0x3Fu) << 12) |
                            ((b(i + 2) & 0x3Fu) << 6) | (b(i + 3) & 0x3Fu);
        return cp >= 0x10000 && cp <= 0x10FFFF ? 4 : 0;
    }
    return 0;
}

// 0 when the text passes the checks; otherwise the error number the first
// failing check gives. Texts longer than 32,767 characters are not judged
// here (the targets give shorter ones).
inline int32_t ValidacionEsperada(std::string_view t, char separador = '.') {
    const size_t a = t.find_first_not_of(' ');
    if (a == std::string_view::npos) return kBase + 5;  // "No hay función por asignar."
    int profundidad = 0;
    for (size_t i = 0; i < t.size(); ++i) {
        const unsigned char c = static_cast<unsigned char>(t[i]);
        // A character above 255 (three or four bytes of UTF-8, or two from
        // U+0100 on) passes this scan; its refusal comes later.
        const size_t largo = LargoUtf8(t, i);
        if (largo > 0) {
            i += largo - 1;
            continue;
        }
        if (c == '(') {
            ++profundidad;
        } else if (c == ')') {
            if (--profundidad < 0) return kBase + 2;  // "Falta un paréntesis izquierdo."
        } else if (c == static_cast<unsigned char>(separador)) {
            continue;
        } else if (c <= 31 || (c >= 33 && c <= 36) || c == 38 || c == 39 || c == 44 ||
                   (c >= 58 && c <= 64) || (c >= 91 && c <= 93) || c == 96 || c >= 123) {
            return kBase + 4;  // "Existen caracteres no válidos dentro de la función."
        }
    }
    if (profundidad > 0) return kBase + 3;  // "Falta un paréntesis derecho."
    return 0;
}

}  // namespace relivo::fuzz
