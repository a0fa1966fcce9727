// Random expressions in the variables x and y as a user types them: numbers,
// the binary operators, unary minus, parentheses, implicit products, Spanish
// and English function names, pi and e. The sequence depends only on the
// seed, so a test or a benchmark sees the same expressions on every machine.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

namespace relivo::prueba {

class GeneradorExpresiones {
public:
    // With `signos`, the operands carry runs of minus signs and negated
    // groups ("--x", "-(-(x+1))", "x-(-y)").
    explicit GeneradorExpresiones(uint64_t semilla, bool signos = false)
        : estado_(semilla | 1), signos_(signos) {}

    // One expression whose nesting is at most `profundidad` groups deep.
    std::string Generar(int profundidad) { return Suma(profundidad); }

    // A whole number in [0, n).
    uint32_t Hasta(uint32_t n) { return static_cast<uint32_t>(Siguiente() % n); }
    bool Moneda(uint32_t por_cien) { return Hasta(100) < por_cien; }

private:
    // xorshift64*: small, fast and the same everywhere.
    uint64_t Siguiente() {
        estado_ ^= estado_ >> 12;
        estado_ ^= estado_ << 25;
        estado_ ^= estado_ >> 27;
        return (estado_ * 0x2545F4914F6CDD1DULL) >> 11;
    }

    template <size_t N>
    std::string_view Uno(const std::array<std::string_view, N>& opciones) {
        return opciones[Hasta(N)];
    }

    std::string Blanco() { return Moneda(15) ? " " : ""; }

    std::string Suma(int d) {
        std::string s = Producto(d);
        const uint32_t mas = Hasta(3);
        for (uint32_t i = 0; i < mas; ++i) {
            s += Blanco();
            s += Moneda(50) ? "+" : "-";
            s += Blanco();
            s += Producto(d);
        }
        return s;
    }

    std::string Producto(int d) {
        std::string s = Signo(d);
        const uint32_t mas = Hasta(3);
        for (uint32_t i = 0; i < mas; ++i) {
            const uint32_t op = Hasta(10);
            if (op >= 7) {
                // An implicit product: the next operand follows directly or
                // after a blank ("2x", "x y", "2(x+1)", "3sin(x)").
                s += " ";
                s += Potencia(d);
                continue;
            }
            s += op < 4 ? "*" : op < 6 ? "/" : "%";
            s += Signo(d);
        }
        return s;
    }

    std::string Signo(int d) {
        std::string s = Potencia(d);
        if (!signos_) return (Moneda(20) ? "-" : "") + s;
        for (uint32_t n = Hasta(4); n > 0; --n) s = Moneda(40) ? "-(" + s + ")" : "-" + s;
        return s;
    }

    std::string Potencia(int d) {
        std::string s = Atomo(d);
        if (Moneda(25)) {
            s += "^";
            if (Moneda(20)) s += "-";
            s += Atomo(d - 1);
            // A chain "a^b^c" now and then.
            if (Moneda(3)) s += "^" + Atomo(d - 1);
        }
        return s;
    }

    std::string Numero() {
        static constexpr std::array<std::string_view, 16> kNumeros = {
            "0",   "1",   "2",    "3",   "4",   "5",    "7",   "10",
            "0.5", "2.5", "1.25", "0.1", "3.7", "0.25", "1.5", "6"};
        return std::string(Uno(kNumeros));
    }

    std::string Atomo(int d) {
        static constexpr std::array<std::string_view, 58> kFunciones = {
            "sen",    "sin",    "cos",     "tan",    "tg",      "cot",    "ctg",     "sec",
            "csc",    "cosec",  "senh",    "sinh",   "cosh",    "tanh",   "coth",    "sech",
            "csch",   "senhip", "coship",  "tanhip", "asin",    "arcsen", "angsin",  "acos",
            "arccos", "atan",   "arctg",   "acot",   "arccot",  "asec",   "arcsec",  "acsc",
            "arccsc", "asinh",  "arcsenh", "acosh",  "arccosh", "atanh",  "arctanh", "acoth",
            "asech",  "acsch",  "log",     "ln",     "lgt",     "exp",    "sqr",     "sqrt",
            "cur",    "curt",   "int",     "sgn",    "abs",     "cosen",  "cotan",   "tanh",
            "sinh",   "sen"};
        const uint32_t k = d <= 0 ? Hasta(6) : Hasta(11);
        switch (k) {
            case 0:
            case 1:
                return Numero();
            case 2:
            case 3:
                return Moneda(50) ? "x" : "y";
            case 4:
                return Moneda(50) ? "X" : "Y";
            case 5: {
                static constexpr std::array<std::string_view, 3> kConstantes = {"pi", "e", "euler"};
                return std::string(Uno(kConstantes));
            }
            case 6:
            case 7: {
                std::string f(Uno(kFunciones));
                if (Moneda(20)) {
                    // A function applied to a bare operand: "sin x", "sqrpi".
                    return f + (Moneda(50) ? " " : "") + Atomo(d - 1);
                }
                return f + "(" + Suma(d - 1) + ")";
            }
            default:
                return "(" + Suma(d - 1) + ")";
        }
    }

    uint64_t estado_;
    bool signos_;
};

}  // namespace relivo::prueba
