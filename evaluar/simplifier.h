// The symbolic simplifier: rewrites canonical text into simplified text.
//
// Reducir splits a text at its loosest operator outside parentheses and hands
// it to the reducer of that operator, which reduces its operands by calling
// Reducir again. Numbers are folded, like terms collected and operands put in
// a normalised order; whatever depends on a variable stays as text.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "evaluar/depth_guard.h"
#include "evaluar/lexical.h"
#include "evaluar/variables.h"

namespace relivo {

// The simplifications that may change a value on purpose. The others keep
// it up to rounding (numbers are folded to 15 significant digits).
enum Deliberada : uint16_t {
    // What failed may no longer fail:
    kMultiplicadorCero = 1 << 0,  // a multiplier "0" ends a product
    kSemejantes = 1 << 1,         // like terms or like bases collected (x/x, x-x)
    kCocienteEnLinea = 1 << 2,    // a dividing quotient written inline: a/(b/c) -> a/b*c
    kExponenteCero = 1 << 3,      // a zero exponent gives "1"
    // The value itself may change:
    kBaseCero = 1 << 4,            // a zero base gives "0" (0^0 is 0)
    kCadenaDeExponentes = 1 << 5,  // the exponents of a chain multiplied
    kInversas = 1 << 6,            // inverse functions cancel (Arcsin(Sin(x)) -> x)
    kValorExacto = 1 << 7,         // an exact value replaces a function (Sin(Pi) -> 0)
};
inline constexpr uint16_t kQuitanFallos =
    kMultiplicadorCero | kSemejantes | kCocienteEnLinea | kExponenteCero;
inline constexpr uint16_t kCambianValor =
    kBaseCero | kCadenaDeExponentes | kInversas | kValorExacto;

class Simplificador {
public:
    // The table gives the display names used to order operands; it is read only.
    explicit Simplificador(const TablaVariables& tabla) : tabla_(tabla) {}

    // Simplified text of a canonical (or simplified) text. Raises the run-time
    // error of the first failing step (6 overflow, 11 division by zero, 28 for
    // a text nested too deeply, ...).
    std::string Reducir(std::string_view texto);

    // The deliberate simplifications (Deliberada bits) that the reductions
    // of this simplifier applied so far.
    uint16_t Deliberadas() const { return deliberadas_; }

private:
    // The reducers of each operator class (sum.cpp, product.cpp, power.cpp,
    // function_rules.cpp).
    std::string ReducirSuma(std::string_view texto);
    std::string ReducirResiduo(std::string_view texto);
    std::string ReducirProducto(std::string_view texto);
    std::string ReducirPotencia(std::string_view texto);
    std::string ReducirFuncion(std::string_view texto);

    // Puts numeric operands first and the others in ascending order of their
    // display keys; `companeros` and `extra` (when given) move with them
    // (term_order.cpp).
    void OrdenarTerminos(std::vector<std::string>& operandos, std::vector<bool>& companeros,
                         std::vector<bool>* extra = nullptr);

    // One term of a sum: reduces it and takes its sign out (sum.cpp).
    void CerrarTermino(std::string& termino, bool& signo, bool& otra_vez);

    void Anotar(Deliberada d) { deliberadas_ |= d; }

    const TablaVariables& tabla_;
    Profundidad profundidad_;
    uint16_t deliberadas_ = 0;
};

}  // namespace relivo
