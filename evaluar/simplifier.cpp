#include "evaluar/simplifier.h"

#include <vector>

#include "platform/error.h"
#include "platform/numbers.h"

namespace relivo {

bool HayOperador(std::string_view texto, std::string_view operadores) {
    if (texto.size() > 32767) throw Fallo::Plataforma(errores::kDesbordamiento);
    int profundidad = 0;
    for (size_t i = 0; i < texto.size(); ++i) {
        const char c = texto[i];
        if (operadores.find(c) != std::string_view::npos) {
            if (profundidad != 0) continue;
            if (c != '+' && c != '-') return true;
            if (i == 0 || texto[i - 1] != 'E') return true;
        } else if (c == '(') {
            if (++profundidad > 32767) throw Fallo::Plataforma(errores::kDesbordamiento);
        } else if (c == ')') {
            if (--profundidad < -32768) throw Fallo::Plataforma(errores::kDesbordamiento);
        }
    }
    return false;
}

std::string QuitarParentesis(std::string_view texto) {
    if (texto.size() > 32767) throw Fallo::Plataforma(errores::kDesbordamiento);
    // Every stripped pair is a "(" at the start whose partner is the last
    // character; the partners come from one matching pass.
    size_t inicio = 0;
    size_t fin = texto.size();
    if (fin >= 2 && texto.front() == '(' && texto.back() == ')') {
        std::vector<size_t> pareja(fin, std::string_view::npos);
        std::vector<size_t> abiertos;
        for (size_t i = 0; i < fin; ++i) {
            if (texto[i] == '(') {
                abiertos.push_back(i);
            } else if (texto[i] == ')' && !abiertos.empty()) {
                pareja[abiertos.back()] = i;
                abiertos.pop_back();
            }
        }
        while (fin - inicio >= 2 && texto[inicio] == '(' && pareja[inicio] == fin - 1) {
            ++inicio;
            --fin;
        }
    }
    return std::string(texto.substr(inicio, fin - inicio));
}

std::string Simplificador::Reducir(std::string_view texto) {
    NivelRecursion nivel(profundidad_);
    std::string t = QuitarParentesis(texto);

    const size_t primero = t.find_first_not_of(' ');
    if (primero == std::string::npos) return "0";

    if (numeros::EsNumero(t)) return numeros::FormaGeneral(numeros::ANumero(t));

    if (t[0] == 'L') {
        // A lone variable reference is irreducible. A text that opens a
        // reference and never closes it runs the 16-bit position past its
        // range.
        const size_t cierre = t.find('L', 1);
        if (cierre == std::string::npos) throw Fallo::Plataforma(errores::kDesbordamiento);
        if (cierre == t.size() - 1) return t;
    }

    if (HayOperador(t, "+-")) return ReducirSuma(t);
    if (HayOperador(t, "%")) return ReducirResiduo(t);
    if (HayOperador(t, "*/")) return ReducirProducto(t);
    if (HayOperador(t, "^")) return ReducirPotencia(t);
    return ReducirFuncion(t);
}

}  // namespace relivo
