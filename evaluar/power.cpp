// ReducirPotencia: a power chain "base^e1^...^en", read as the base raised to
// the product of the exponents.
#include <cmath>
#include <string>
#include <vector>

#include "evaluar/arithmetic.h"
#include "evaluar/operand.h"
#include "evaluar/simplifier.h"
#include "platform/numbers.h"

namespace relivo {
std::string Simplificador::ReducirPotencia(std::string_view texto) {
    NivelRecursion nivel(profundidad_);
    ComprobarLargo(texto);

    const std::vector<Parte> partes = CortarFueraDeParentesis(texto, "^");
    if (partes.size() > 2) Anotar(kCadenaDeExponentes);

    // The base, with its sign taken off.
    std::string base = Reducir(partes[0].texto);
    bool base_negativa = false;
    if (EmpiezaConSigno(base)) {
        if (!HayOperador(std::string_view(base).substr(1), "+-")) {
            base.erase(0, 1);
            base_negativa = true;
        } else {
            base = EntreParentesis(base);
        }
    }
    if (base.empty() || base == "0") {
        Anotar(kBaseCero);
        return "0";
    }
    if (HayOperador(base, kOperadores)) base = EntreParentesis(base);

    // The exponents. Only the last one has its sign taken off.
    std::vector<std::string> exponentes;
    std::vector<bool> negativos;
    for (size_t i = 1; i + 1 < partes.size(); ++i) {
        std::string e = Reducir(partes[i].texto);
        if (e == "0") {
            Anotar(kExponenteCero);
            return "1";
        }
        if (e == "1") continue;
        if (HayOperador(e, kOperadores)) e = EntreParentesis(e);
        exponentes.push_back(std::move(e));
        negativos.push_back(false);
    }
    // The last exponent: the text holds a "^" outside parentheses, so there
    // is always one.
    std::string e = Reducir(partes.back().texto);
    if (e.empty() || e == "0") {
        Anotar(kExponenteCero);
        return "1";
    }
    if (e != "1") {
        exponentes.push_back(std::move(e));
        negativos.push_back(false);
    }
    if (!exponentes.empty()) {
        std::string& ultimo = exponentes.back();
        if (EmpiezaConSigno(ultimo)) {
            if (!HayOperador(std::string_view(ultimo).substr(1), "+-")) {
                ultimo.erase(0, 1);
                negativos.back() = true;
                // A sign before nothing ("L1L^_", typed "x^-") negates an
                // empty operand, which is 0: a zero exponent.
                if (ultimo.empty()) {
                    Anotar(kExponenteCero);
                    return "1";
                }
            } else {
                ultimo = EntreParentesis(ultimo);
            }
        }
        if (HayOperador(ultimo, kOperadores)) ultimo = EntreParentesis(ultimo);
    }

    OrdenarTerminos(exponentes, negativos);

    // Multiply the numeric exponents.
    double producto = 1;
    if (!exponentes.empty() && numeros::EsNumero(exponentes[0])) {
        for (size_t i = 0; i < exponentes.size(); ++i) {
            if (!numeros::EsNumero(exponentes[i])) continue;
            const std::string numero = negativos[i] ? "-" + exponentes[i] : exponentes[i];
            producto = aritmetica::Multiplicar(producto, numeros::ANumero(numero));
            exponentes[i].clear();
        }
    }
    // A zero exponent gives 1 whatever the base; the product is 0 only when
    // the last exponent was "_0".
    if (producto == 0) {
        Anotar(kExponenteCero);
        return "1";
    }

    bool quedan_simbolicos = false;
    for (const std::string& e : exponentes) quedan_simbolicos = quedan_simbolicos || !e.empty();

    if (base_negativa && numeros::EsNumero(base)) {
        base.insert(0, 1, '-');
        base_negativa = false;
    }
    if (numeros::EsNumero(base)) {
        base = numeros::FormaGeneral(aritmetica::Potencia(numeros::ANumero(base), producto));
        producto = 1;
        // A negative number raised to a symbolic exponent keeps its sign in
        // the base: "(-125)^L1L", never "-125^L1L".
        if (quedan_simbolicos && base[0] == '-') base = EntreParentesis(base);
    } else if (base_negativa) {
        // A symbolic base that carried a sign keeps it inside the base.
        base = "(_" + base + ")";
    }

    std::string resultado = base;
    for (size_t i = 0; i < exponentes.size(); ++i) {
        if (exponentes[i].empty()) continue;
        resultado.push_back('^');
        resultado.append(negativos[i] ? "(_" + exponentes[i] + ")" : exponentes[i]);
    }
    // A negative product is written with the unary minus inside parentheses,
    // which every later reader takes as the exponent's sign: "L1L^(_2)".
    // Not zero here: a zero product returned "1" above.
    if (std::signbit(producto)) {
        resultado.append("^(_" + numeros::FormaGeneral(-producto) + ")");
    } else if (producto != 1) {
        resultado.append("^" + numeros::FormaGeneral(producto));
    }
    return resultado;
}

}  // namespace relivo
