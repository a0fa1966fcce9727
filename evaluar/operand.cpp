#include "evaluar/operand.h"

#include "evaluar/canonical.h"
#include "platform/numbers.h"
#include "relivo/platform/error.h"

namespace relivo {
namespace {

bool EsDigito(char c) {
    return c >= '0' && c <= '9';
}

bool EsParteDeNumero(char c) {
    return EsDigito(c) || c == '.' || c == numeros::SeparadorDecimal();
}

}  // namespace

size_t FinOperando(std::string_view texto, size_t inicio) {
    size_t p = inicio;
    const size_t n = texto.size();
    // Function codes and unary minus are prefixes of the operand that follows.
    // So are the constants and Rnd when something other than an operator
    // follows them: "J2" is one operand, as the tree and the function rules
    // read it.
    while (p < n && (texto[p] == codigo::kMenos || EsCodigoOConstante(texto[p]))) ++p;
    if (p >= n) return p;
    const char c = texto[p];
    if (EsParteDeNumero(c)) {
        while (p < n && EsParteDeNumero(texto[p])) ++p;
        if (p < n && texto[p] == 'E') {
            ++p;
            if (p < n && (texto[p] == '+' || texto[p] == '-')) ++p;
            while (p < n && EsDigito(texto[p])) ++p;
        }
        return p;
    }
    if (c == codigo::kVariable) {
        const size_t cierre = texto.find(codigo::kVariable, p + 1);
        return cierre == std::string_view::npos ? n : cierre + 1;
    }
    if (c == '(') {
        int profundidad = 0;
        for (; p < n; ++p) {
            if (texto[p] == '(') {
                ++profundidad;
            } else if (texto[p] == ')' && --profundidad == 0) {
                return p + 1;
            }
        }
        return n;
    }
    // An operator or a stray character: the prefixes read so far (if any)
    // have an empty operand.
    return p;
}

bool ElevadoAPotencia(std::string_view texto, size_t inicio) {
    const size_t fin = FinOperando(texto, inicio);
    return fin > inicio && fin < texto.size() && texto[fin] == '^';
}

bool EmpiezaConSigno(std::string_view texto) {
    return !texto.empty() &&
           (texto[0] == '-' || (texto[0] == codigo::kMenos && !ElevadoAPotencia(texto, 1)));
}

bool SignoDelTodo(std::string_view texto) {
    return EmpiezaConSigno(texto) && !HayOperador(texto.substr(1), "+-");
}

}  // namespace relivo
