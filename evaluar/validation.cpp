#include "evaluar/validation.h"

#include <cstdint>

#include "evaluar/lexical.h"
#include "evaluar/messages.h"
#include "platform/numbers.h"

namespace relivo {
namespace {

// Characters refused in an expression (codes 0-255; a Latin-1 character
// above 127 comes as two bytes of 128 or above, and is refused at the first).
bool CaracterNoValido(unsigned char c, char separador) {
    if (c == static_cast<unsigned char>(separador)) return false;
    return c <= 31 || (c >= 33 && c <= 36) || c == 38 || c == 39 || c == 44 ||
           (c >= 58 && c <= 64) || (c >= 91 && c <= 93) || c == 96 || c >= 123;
}

size_t LongitudEnCaracteres(std::string_view texto) {
    size_t n = 0;
    for (unsigned char c : texto) n += (c & 0xC0) != 0x80;
    return n;
}

// Bytes taken by the UTF-8 sequence at i when it encodes a character above
// 255: such characters pass the scan (the canonical reader refuses them); 0
// for ASCII, Latin-1 and any byte that starts no well-formed sequence. The
// lead byte fixes the length and the range of the second byte (no overlong
// forms, no surrogates, nothing past U+10FFFF); the other bytes are any
// continuation bytes.
size_t LargoSobre255(std::string_view t, size_t i) {
    const auto b = [&](size_t k) { return static_cast<unsigned char>(t[k]); };
    const auto sigue = [&](size_t k) { return k < t.size() && (b(k) & 0xC0) == 0x80; };
    const unsigned char c = b(i);
    if (c >= 0xC4 && c <= 0xDF && sigue(i + 1)) return 2;
    if (c >= 0xE0 && c <= 0xEF && sigue(i + 1) && sigue(i + 2)) {
        const unsigned char d = b(i + 1);
        return (c != 0xE0 || d >= 0xA0) && (c != 0xED || d <= 0x9F) ? 3 : 0;
    }
    if (c >= 0xF0 && c <= 0xF4 && sigue(i + 1) && sigue(i + 2) && sigue(i + 3)) {
        const unsigned char d = b(i + 1);
        return (c != 0xF0 || d >= 0x90) && (c != 0xF4 || d <= 0x8F) ? 4 : 0;
    }
    return 0;
}

std::string_view SinBlancos(std::string_view t) {
    const size_t a = t.find_first_not_of(' ');
    if (a == std::string_view::npos) return {};
    return t.substr(a, t.find_last_not_of(' ') - a + 1);
}

}  // namespace

void ValidarExpresion(std::string_view valor) {
    if (SinBlancos(valor).empty()) throw Fallo(mensajes::kNoHayFuncion);
    if (LongitudEnCaracteres(valor) > kLargoMaximo) {
        throw Fallo::Plataforma(errores::kDesbordamiento);
    }
    const char separador = numeros::SeparadorDecimal();
    int profundidad = 0;
    for (size_t i = 0; i < valor.size(); ++i) {
        if (const size_t largo = LargoSobre255(valor, i); largo > 0) {
            i += largo - 1;
            continue;
        }
        const char c = valor[i];
        if (c == '(') {
            ++profundidad;
        } else if (c == ')') {
            if (--profundidad < 0) throw Fallo(mensajes::kFaltaIzquierdo);
        } else if (CaracterNoValido(static_cast<unsigned char>(c), separador)) {
            throw Fallo(mensajes::kCaracteresNoValidos);
        }
    }
    if (profundidad > 0) throw Fallo(mensajes::kFaltaDerecho);
}

}  // namespace relivo
