// Number conversions of the platform: the number reader, the general number
// form and the conversions of a double to 16-bit and 32-bit integers.
//
// Both the reader and the general form follow the user's decimal separator,
// taken from the C library's locale ("." by default) unless a program sets it
// explicitly. The reader also accepts "." in every locale, since the engine's
// own texts always use it.
#pragma once

#include <cmath>
#include <cstdint>
#include <limits>
#include <string>
#include <string_view>

namespace relivo::numeros {

// The user's decimal separator: "." or ",", as the locale or an override says.
char SeparadorDecimal();

// Overrides the separator taken from the locale; '\0' goes back to the locale.
void FijarSeparadorDecimal(char separador);

// True when the whole text is a number: optional blanks around it, an optional
// sign, digits with at most one decimal separator ("2." and ".5" count), and an
// optional exponent ("E" or "e", an optional sign, digits).
bool EsNumero(std::string_view texto);

// Converts a text that EsNumero accepts to a double. Raises 13 for a text that
// is not a number and 6 for a value beyond the double range.
double ANumero(std::string_view texto);

// The general number form: at most 15 significant digits, no trailing zeros,
// "0" before the separator below 1, exponent form ("1E+20", "2.5E-07") for a
// decimal exponent below -4 or of 15 and more; negative zero is written "0".
// Raises 6 for an infinity and 5 for a not-a-number.
std::string FormaGeneral(double valor);

// The shortest text that reads back to the same double, with "." always
// (for machine-readable output).
std::string TextoExacto(double valor);

// The number texts the C++ library's to_chars gives (15 significant digits in
// exponent form, "d.dddddddddddddde+xx"; the shortest text that reads back),
// made from the C library's printf, which rounds correctly: what a build
// whose library has no to_chars for doubles (WebAssembly) uses. Every build
// has them, so that they are checked against to_chars.
std::string CientificaPorPrintf(double valor);
std::string MasCortoPorPrintf(double valor);

// True when `valor` lies within the range of the integer type (false for NaN).
template <class Entero>
constexpr bool Cabe(double valor) {
    return valor >= std::numeric_limits<Entero>::min() &&
           valor <= std::numeric_limits<Entero>::max();
}

// Rounds to the nearest whole number, halves to the even one, and converts it
// to a 16-bit (32-bit) signed integer; raises 6 when it does not fit.
// Inline: the plot rounds several values a cell.
[[noreturn]] void Desbordamiento();
template <class Entero>
Entero Redondear(double valor) {
    const double r = std::nearbyint(valor);
    if (!Cabe<Entero>(r)) [[unlikely]]
        Desbordamiento();
    return static_cast<Entero>(r);
}
inline int16_t RedondearA16(double valor) {
    return Redondear<int16_t>(valor);
}
inline int32_t RedondearA32(double valor) {
    return Redondear<int32_t>(valor);
}

// The same conversions; whole numbers in range, as indexes and counters
// mostly are, convert at once.
template <class Entero>
Entero AEntero(double valor) {
    if (Cabe<Entero>(valor)) {
        const auto i = static_cast<Entero>(valor);
        if (i == valor) return i;
    }
    return Redondear<Entero>(valor);
}
inline int16_t AEntero16(double valor) {
    return AEntero<int16_t>(valor);
}
inline int32_t AEntero32(double valor) {
    return AEntero<int32_t>(valor);
}

// Adds two 16-bit counters, raising 6 on overflow.
int16_t Sumar16(int16_t a, int16_t b);

}  // namespace relivo::numeros
