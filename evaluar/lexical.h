// The lexical rules of canonical text, written once: its length limit, its
// binary operators, the sign that belongs to an exponent, parentheses and the
// scans for operators outside them. The reducers, the display writer and the
// tree builder all scan through these.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace relivo {

// Texts, positions and variable indexes are 16-bit: a longer text raises 6.
inline constexpr size_t kLargoMaximo = 32767;
void ComprobarLargo(std::string_view texto);

// The binary operators, loosest first.
inline constexpr std::string_view kOperadores = "+-%*/^";

// True when texto[i] is the sign of a decimal exponent ("2E+5"): it belongs
// to the number and is no operator.
inline bool EsSignoDeExponente(std::string_view texto, size_t i) {
    return (texto[i] == '+' || texto[i] == '-') && i > 0 && texto[i - 1] == 'E';
}

// For each "(" its matching ")" (npos for an unmatched one and for every
// other position).
std::vector<size_t> Parejas(std::string_view texto);

// Calls visitar(i) for each character of `operadores` that stands outside
// parentheses and is not an exponent's sign, left to right; stops early when
// visitar returns true, and returns whether it did.
template <class Visitar>
bool RecorrerOperadores(std::string_view texto, std::string_view operadores, Visitar visitar) {
    int profundidad = 0;
    for (size_t i = 0; i < texto.size(); ++i) {
        const char c = texto[i];
        if (c == '(') {
            ++profundidad;
        } else if (c == ')') {
            --profundidad;
        } else if (profundidad == 0 && operadores.find(c) != std::string_view::npos &&
                   !EsSignoDeExponente(texto, i) && visitar(i)) {
            return true;
        }
    }
    return false;
}

// True when one of `operadores` stands outside parentheses. Raises 6 for a
// text over the length limit.
bool HayOperador(std::string_view texto, std::string_view operadores);

// The text without the pairs of parentheses that enclose it as a whole:
// "((a))" -> "a", "(a)*(b)" unchanged. Raises 6 over the length limit.
std::string QuitarParentesis(std::string_view texto);

// "(" + texto + ")".
std::string EntreParentesis(std::string_view texto);

// A piece of a text cut at operators outside parentheses, with the operator
// before it ('\0' for the first piece).
struct Parte {
    std::string_view texto;
    char antes;
};

// The text cut at every operator of `operadores` outside parentheses, in
// order: "a*(b/c)/d" at "*/" gives "a", "*(b/c)", "/d".
std::vector<Parte> CortarFueraDeParentesis(std::string_view texto, std::string_view operadores);

}  // namespace relivo
