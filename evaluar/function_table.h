// The function and constant codes of canonical text, in one table: for each
// code its spellings, display name, sign rule, inverse, exact values and
// numeric formula. The canonical reader, the display writers, the
// simplifier's function rules and the evaluator all read from here.
//
// Adding a function: one row in function_table.cpp (a free code letter,
// its spellings, its name, its rules and its formula).
#pragma once

#include <cstddef>
#include <optional>
#include <span>
#include <string_view>
#include <utility>

namespace relivo {

// The characters of canonical text that are not function codes.
namespace codigo {
inline constexpr char kPi = 'J';
inline constexpr char kEuler = 'K';
inline constexpr char kRnd = 'D';
inline constexpr char kMenos = '_';      // unary minus, before its operand
inline constexpr char kVariable = 'L';   // "L" index "L"
inline constexpr char kExponente = 'E';  // inside a number, always followed by its sign
inline constexpr char kReservado = 'I';  // a function code of the tree with no spelling or value
}  // namespace codigo

// How a function treats the sign of its argument: an odd one takes the
// sign out (Sin(-x) = -Sin(x)), an even one drops it (Cos(-x) = Cos(x)).
enum class Paridad { kNinguna, kPar, kImpar };

// The arguments at which a function has an exact value. A reduced argument
// is compared as text: "0", "1", "-1" or "_1", "10", "K", pi ("J", "-J",
// "_J") and multiples of pi ("0.5*J", "_(0.5*J)").
enum class Argumento {
    kCero,
    kUno,
    kMenosUno,
    kDiez,
    kEuler,
    kPi,
    kMedioPi,           // 0.5, 1.5, -0.5 or -1.5 times pi
    kSenoUno,           // 0.5 or -1.5 times pi
    kSenoMenosUno,      // 1.5 or -0.5 times pi
    kTangenteUno,       // 0.25, 1.25, -0.75 or -1.75 times pi
    kTangenteMenosUno,  // 0.75, 1.75, -0.25 or -1.25 times pi
};

// An exact value: canonical text, or (when `texto` is empty) the multiple
// `multiplo_pi` of pi.
struct ValorExacto {
    Argumento cuando;
    std::string_view texto;
    double multiplo_pi = 0;
};

// The value of a code applied to x (constants ignore x). Raises 5, 6 or 11
// for arguments out of domain.
using Formula = double (*)(double x);

struct DatosCodigo {
    char codigo;
    std::string_view nombre;  // display name; "" for a code that is never shown
    // Spellings, lower case. With `arco` they follow the prefix "a", "ang"
    // or "arc" ("asin", "angsin", "arcsin").
    std::span<const std::string_view> grafias;
    bool arco;
    bool constante;  // takes no operand: an operand ends after it
    char inversa;    // the code whose application this one cancels; '\0' none
    Paridad paridad;
    std::span<const ValorExacto> exactos;
    Formula valor;
};

// The row of a code; nullptr for a character that is no code.
const DatosCodigo* BuscarCodigo(char c);

// Display name of a code ("a" -> "Sin", "_" -> "-"); nullptr when the
// character is no code with a name.
const char* NombreVisible(char codigo);

// True for the function codes that take an operand and have a spelling;
// constants, "_" and "I" are not included.
bool EsCodigoFuncion(char c);

// True for a function code or a constant: a prefix of the operand that
// follows it ("J2" is one operand).
bool EsCodigoOConstante(char c);

// The spelling of a function or constant that begins the lower-case text
// `resto`, tried longest first: its code and the length it takes; nothing
// when none does.
std::optional<std::pair<char, size_t>> Grafiar(std::string_view resto);

}  // namespace relivo
