// ReducirSuma and ReducirResiduo: the additive operators and the remainder.
#include <string>
#include <unordered_map>
#include <vector>

#include "evaluar/arithmetic.h"
#include "evaluar/operand.h"
#include "evaluar/simplifier.h"
#include "platform/numbers.h"

namespace relivo {
namespace {

// A sum with the sign of every term changed: "3+L1L" -> "-3-L1L",
// "-3+L1L" -> "3-L1L". Exponent signs keep their character.
std::string NegarSuma(const std::string& suma) {
    std::string r = suma;
    RecorrerOperadores(r, "+-", [&r](size_t i) {
        r[i] = r[i] == '+' ? '-' : '+';
        return false;
    });
    if (!r.empty() && r[0] == '+') {
        r.erase(0, 1);
    } else {
        r.insert(0, 1, '-');
    }
    return r;
}

// Coefficient and rest of a term: "2.5*L1L" -> 2.5 and "L1L". A term without
// a numeric factor in front, and a term with a remainder outside parentheses
// (whose leading number belongs to the remainder's first operand), has the
// coefficient 1 and is its own rest.
struct Coeficiente {
    double valor;
    std::string_view resto;
};

Coeficiente SepararCoeficiente(std::string_view t) {
    if (HayOperador(t, "%")) return {1.0, t};
    size_t j = 1;
    while (j <= t.size() && numeros::EsNumero(t.substr(0, j))) ++j;
    if (j >= 2 && j <= t.size() && t[j - 1] == '*') {
        return {numeros::ANumero(t.substr(0, j - 1)), t.substr(j)};
    }
    return {1.0, t};
}

// Collects like terms: every term whose rest appeared in an earlier term is
// added into that term's coefficient and cleared. Each term is split once:
// a term changes only by being cleared before its turn, or rewritten after it.
// True when two terms were collected, or a term with the coefficient 0
// ("0*L1L", also from "_0*L1L") vanished.
bool ReunirSemejantes(std::vector<std::string>& terminos, std::vector<bool>& signos) {
    const size_t n = terminos.size();
    bool reunidos = false;
    if (n < 2) return reunidos;
    std::vector<Coeficiente> partes(n, Coeficiente{0, {}});
    std::vector<size_t> grupo(n, 0);
    std::vector<std::vector<size_t>> miembros;
    std::unordered_map<std::string_view, size_t> grupos;
    for (size_t i = 0; i < n; ++i) {
        if (terminos[i].empty()) continue;
        partes[i] = SepararCoeficiente(terminos[i]);
        if (signos[i]) partes[i].valor = -partes[i].valor;
        const auto [it, nuevo] = grupos.try_emplace(partes[i].resto, miembros.size());
        if (nuevo) miembros.emplace_back();
        grupo[i] = it->second;
        miembros[it->second].push_back(i);
    }
    // The last term is examined only as a partner of earlier ones.
    for (size_t i = 0; i + 1 < n; ++i) {
        if (terminos[i].empty()) continue;
        double c = partes[i].valor;
        for (size_t k : miembros[grupo[i]]) {
            if (k <= i || terminos[k].empty()) continue;
            c = aritmetica::Sumar(c, partes[k].valor);
            terminos[k].clear();
            reunidos = true;
        }
        const std::string resto(partes[i].resto);
        if (c == 0) {
            terminos[i].clear();
            reunidos = true;
        } else if (c != 1 && c != -1) {
            std::string t = numeros::FormaGeneral(c < 0 ? -c : c);
            t.push_back('*');
            t.append(HayOperador(resto, "%") ? EntreParentesis(resto) : resto);
            terminos[i] = std::move(t);
        } else {
            terminos[i] = resto;
        }
        signos[i] = c < 0;
    }
    return reunidos;
}

}  // namespace

void Simplificador::CerrarTermino(std::string& termino, bool& signo, bool& otra_vez) {
    termino = Reducir(termino);
    if (EmpiezaConSigno(termino)) {
        const std::string_view resto = std::string_view(termino).substr(1);
        if (!HayOperador(resto, "+-")) {
            termino.erase(0, 1);
            signo = !signo;
        } else {
            if (signo) {
                termino = NegarSuma(termino);
                signo = false;
            }
            otra_vez = true;
        }
    }
    if (HayOperador(termino, "+-")) {
        if (signo) {
            termino = NegarSuma(termino);
            signo = false;
        }
        otra_vez = true;
    }
}

std::string Simplificador::ReducirSuma(std::string_view texto) {
    NivelRecursion nivel(profundidad_);
    ComprobarLargo(texto);
    std::vector<std::string> terminos;
    std::vector<bool> signos;
    bool otra_vez = false;

    // Split into signed terms.
    std::string actual;
    bool signo = false;
    int profundidad = 0;
    auto cerrar = [&] {
        CerrarTermino(actual, signo, otra_vez);
        if (!actual.empty() && actual != "0") {
            terminos.push_back(std::move(actual));
            signos.push_back(signo);
        }
        actual.clear();
    };
    for (size_t p = 0; p < texto.size(); ++p) {
        const char c = texto[p];
        if (c == '(') {
            ++profundidad;
            actual.push_back(c);
        } else if (c == ')') {
            --profundidad;
            actual.push_back(c);
        } else if (c == '_' && profundidad == 0 && actual.empty() &&
                   !ElevadoAPotencia(texto, p + 1)) {
            // A unary minus that opens a term is the term's sign, unless its
            // operand is raised to a power: "_L1L^2" is (-x)^2 and stays in
            // the term for the power's reducer. A "_" later inside a term
            // negates only its own operand and stays in the term as well.
            signo = !signo;
        } else if ((c == '+' || c == '-') && profundidad == 0 && !EsSignoDeExponente(texto, p)) {
            cerrar();
            signo = c == '-';
        } else {
            actual.push_back(c);
        }
    }
    cerrar();

    OrdenarTerminos(terminos, signos);

    // Add up the numeric terms.
    double total = 0;
    for (size_t i = 0; i < terminos.size(); ++i) {
        if (!numeros::EsNumero(terminos[i])) continue;
        const double v = numeros::ANumero(terminos[i]);
        total = signos[i] ? aritmetica::Restar(total, v) : aritmetica::Sumar(total, v);
        terminos[i].clear();
    }

    if (ReunirSemejantes(terminos, signos)) Anotar(kSemejantes);

    std::string resultado = total != 0 ? numeros::FormaGeneral(total) : std::string();
    for (size_t i = 0; i < terminos.size(); ++i) {
        if (terminos[i].empty()) continue;
        if (signos[i]) {
            resultado.push_back('-');
        } else if (!resultado.empty()) {
            resultado.push_back('+');
        }
        resultado.append(terminos[i]);
    }
    if (resultado.empty()) resultado = "0";
    if (otra_vez) resultado = ReducirSuma(resultado);
    return resultado;
}

std::string Simplificador::ReducirResiduo(std::string_view texto) {
    NivelRecursion nivel(profundidad_);
    ComprobarLargo(texto);
    std::vector<std::string> operandos;
    std::vector<bool> negados;

    auto cerrar = [&](std::string_view crudo, bool ultimo) {
        std::string operando = Reducir(crudo);
        bool negado = false;
        if (EmpiezaConSigno(operando)) {
            const std::string_view resto = std::string_view(operando).substr(1);
            if (HayOperador(resto, ultimo ? "+-%" : "+-")) {
                operando = EntreParentesis(operando);
            } else {
                operando.erase(0, 1);
                negado = true;
            }
        }
        if (HayOperador(operando, "+-%")) operando = EntreParentesis(operando);
        operandos.push_back(std::move(operando));
        negados.push_back(negado);
    };
    const std::vector<Parte> partes = CortarFueraDeParentesis(texto, "%");
    for (size_t i = 0; i < partes.size(); ++i) cerrar(partes[i].texto, i + 1 == partes.size());

    std::string resultado;
    for (size_t i = 0; i < operandos.size(); ++i) {
        if (i > 0) resultado.push_back('%');
        if (negados[i]) {
            resultado.push_back('_');
            // "_" negates only the operand that follows it, so a power that
            // opens the operand is negated as a whole: "_(L1L^2)".
            if (ElevadoAPotencia(operandos[i], 0)) {
                resultado.append(EntreParentesis(operandos[i]));
                continue;
            }
        }
        resultado.append(operandos[i]);
    }
    return resultado;
}

}  // namespace relivo
