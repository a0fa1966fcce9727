// The symbolic simplifier: rewrites canonical text into simplified text.
//
// Reducir splits a text at its loosest operator outside parentheses and hands
// it to the reducer of that operator, which reduces its operands by calling
// Reducir again. Numbers are folded, like terms collected and operands put in
// a normalised order; whatever depends on a variable stays as text.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "evaluar/depth_guard.h"
#include "evaluar/lexical.h"
#include "evaluar/variables.h"

namespace relivo {

class Simplificador {
public:
    // The table gives the display names used to order operands; it is read only.
    explicit Simplificador(const TablaVariables& tabla) : tabla_(tabla) {}

    // Simplified text of a canonical (or simplified) text. Raises the run-time
    // error of the first failing step (6 overflow, 11 division by zero, 28 for
    // a text nested too deeply, ...).
    std::string Reducir(std::string_view texto);

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

    const TablaVariables& tabla_;
    Profundidad profundidad_;
};

}  // namespace relivo
