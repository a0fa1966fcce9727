#include "evaluar/lexical.h"

#include "relivo/platform/error.h"

namespace relivo {

void ComprobarLargo(std::string_view texto) {
    if (texto.size() > kLargoMaximo) throw Fallo::Plataforma(errores::kDesbordamiento);
}

std::vector<size_t> Parejas(std::string_view texto) {
    std::vector<size_t> pareja(texto.size(), std::string_view::npos);
    std::vector<size_t> abiertos;
    for (size_t i = 0; i < texto.size(); ++i) {
        if (texto[i] == '(') {
            abiertos.push_back(i);
        } else if (texto[i] == ')' && !abiertos.empty()) {
            pareja[abiertos.back()] = i;
            abiertos.pop_back();
        }
    }
    return pareja;
}

bool HayOperador(std::string_view texto, std::string_view operadores) {
    ComprobarLargo(texto);
    return RecorrerOperadores(texto, operadores, [](size_t) { return true; });
}

std::string QuitarParentesis(std::string_view texto) {
    ComprobarLargo(texto);
    size_t inicio = 0;
    size_t fin = texto.size();
    if (fin >= 2 && texto.front() == '(' && texto.back() == ')') {
        // Every stripped pair is a "(" at the start whose partner is the
        // last character.
        const std::vector<size_t> pareja = Parejas(texto);
        while (fin - inicio >= 2 && texto[inicio] == '(' && pareja[inicio] == fin - 1) {
            ++inicio;
            --fin;
        }
    }
    return std::string(texto.substr(inicio, fin - inicio));
}

std::string EntreParentesis(std::string_view texto) {
    std::string s;
    s.reserve(texto.size() + 2);
    s.push_back('(');
    s.append(texto);
    s.push_back(')');
    return s;
}

std::vector<Parte> CortarFueraDeParentesis(std::string_view texto, std::string_view operadores) {
    std::vector<Parte> partes;
    size_t inicio = 0;
    char antes = '\0';
    RecorrerOperadores(texto, operadores, [&](size_t i) {
        partes.push_back({texto.substr(inicio, i - inicio), antes});
        antes = texto[i];
        inicio = i + 1;
        return false;
    });
    partes.push_back({texto.substr(inicio), antes});
    return partes;
}

}  // namespace relivo
