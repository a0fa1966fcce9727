#include "evaluar/validation.h"

#include "evaluar/errors.h"
#include "platform/numbers.h"

namespace relivo {
namespace {

constexpr int kLongitudMaxima = 32767;

// Characters refused in an expression (codes 0-255; every byte of a
// multi-byte character is 128 or above and is refused as well).
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

std::string_view SinBlancos(std::string_view t) {
    const size_t a = t.find_first_not_of(' ');
    if (a == std::string_view::npos) return {};
    return t.substr(a, t.find_last_not_of(' ') - a + 1);
}

}  // namespace

void ValidarExpresion(std::string_view valor) {
    if (SinBlancos(valor).empty()) throw FalloEvaluar(kNoHayFuncion);
    if (LongitudEnCaracteres(valor) > kLongitudMaxima) {
        throw Fallo::Plataforma(errores::kDesbordamiento);
    }
    const char separador = numeros::SeparadorDecimal();
    int profundidad = 0;
    for (char c : valor) {
        if (c == '(') {
            ++profundidad;
        } else if (c == ')') {
            if (--profundidad < 0) throw FalloEvaluar(kFaltaIzquierdo);
        } else if (CaracterNoValido(static_cast<unsigned char>(c), separador)) {
            throw FalloEvaluar(kCaracteresNoValidos);
        }
    }
    if (profundidad > 0) throw FalloEvaluar(kFaltaDerecho);
}

}  // namespace relivo
