// ReducirProducto: products and quotients.
#include <cmath>
#include <string>
#include <unordered_map>
#include <vector>

#include "evaluar/arithmetic.h"
#include "evaluar/operand.h"
#include "evaluar/simplifier.h"
#include "platform/numbers.h"
#include "relivo/platform/error.h"

namespace relivo {
namespace {

// Every "*" outside parentheses becomes "/" and every "/" becomes "*": the
// parts of a nested product that divides.
std::string IntercambiarOperadores(std::string f) {
    RecorrerOperadores(f, "*/", [&f](size_t i) {
        f[i] = f[i] == '*' ? '/' : '*';
        return false;
    });
    return f;
}

// Base and exponent of a factor: "L1L^2" -> "L1L" and 2, "(L1L+1)^2.5" ->
// "(L1L+1)" and 2.5; a factor without a numeric exponent is its own base with
// the exponent 1.
struct Potencia {
    std::string_view base;
    double exponente;
};

Potencia SepararPotencia(std::string_view f) {
    size_t m = 0;  // length of the longest numeric ending
    while (m < f.size() && numeros::EsNumero(f.substr(f.size() - m - 1))) ++m;
    if (m > 0 && m < f.size() && f[f.size() - m - 1] == '^') {
        return {f.substr(0, f.size() - m - 1), numeros::ANumero(f.substr(f.size() - m))};
    }
    return {f, 1.0};
}

}  // namespace

std::string Simplificador::ReducirProducto(std::string_view texto) {
    NivelRecursion nivel(profundidad_);
    ComprobarLargo(texto);
    std::vector<std::string> factores;
    std::vector<bool> negativos;
    std::vector<bool> divisores;
    bool signo = false;     // the product's sign
    bool otra_vez = false;  // a factor was itself a product

    // Reduces one factor and files it; true when it is a multiplier "0",
    // which ends the whole reduction.
    auto terminar = [&](std::string_view crudo, bool divisor) {
        std::string f = Reducir(crudo);
        bool negativo = false;
        if (EmpiezaConSigno(f)) {
            if (HayOperador(std::string_view(f).substr(1), "+-")) {
                f = EntreParentesis(f);
            } else {
                f.erase(0, 1);
                negativo = true;
            }
        }
        if (HayOperador(f, "*/") && !HayOperador(f, "+-%")) {
            otra_vez = true;
            if (divisor) {
                // A divisor inside the quotient becomes a multiplier.
                if (HayOperador(f, "/")) Anotar(kCocienteEnLinea);
                f = IntercambiarOperadores(std::move(f));
            }
        }
        if (HayOperador(f, "+-%")) f = EntreParentesis(f);
        if (f == "0" && !divisor) {
            Anotar(kMultiplicadorCero);
            return true;
        }
        if (f == "1") {
            if (negativo) signo = !signo;
            return false;
        }
        factores.push_back(std::move(f));
        negativos.push_back(negativo);
        divisores.push_back(divisor);
        return false;
    };
    for (const Parte& parte : CortarFueraDeParentesis(texto, "*/")) {
        if (terminar(parte.texto, parte.antes == '/')) return "0";
    }

    OrdenarTerminos(factores, negativos, &divisores);
    const size_t n = factores.size();

    // Fold the numbers into the coefficient; their signs go with them.
    double coeficiente = 1;
    std::vector<bool> plegados(n, false);
    for (size_t i = 0; i < n; ++i) {
        if (!numeros::EsNumero(factores[i])) continue;
        const std::string numero = negativos[i] ? "-" + factores[i] : factores[i];
        const double v = numeros::ANumero(QuitarParentesis(numero));
        // A divisor "0" is a division by zero even when the coefficient has
        // run down to 0.
        if (divisores[i] && v == 0) throw Fallo::Plataforma(errores::kDivisionPorCero);
        coeficiente = divisores[i] ? aritmetica::Dividir(coeficiente, v)
                                   : aritmetica::Multiplicar(coeficiente, v);
        factores[i].clear();
        plegados[i] = true;
    }

    // Merge repeated bases into one power. A factor that is itself a product
    // stands for several factors: it merges with nothing here, and the pass
    // that reduces the result again merges its parts once they stand inline.
    // Each factor is split once: a factor changes only by being consumed
    // before its turn, or rewritten after it.
    std::vector<Potencia> potencias(n);
    std::vector<size_t> grupo(n);
    std::vector<std::vector<size_t>> miembros;
    std::unordered_map<std::string, size_t> grupos;
    auto fusionable = [&](size_t i) {
        return !factores[i].empty() && !HayOperador(factores[i], "*/");
    };
    for (size_t i = 0; i < n; ++i) {
        if (!fusionable(i)) continue;
        potencias[i] = SepararPotencia(factores[i]);
        if (divisores[i]) potencias[i].exponente = -potencias[i].exponente;
        const auto [it, nuevo] =
            grupos.try_emplace(std::string(potencias[i].base), miembros.size());
        if (nuevo) miembros.emplace_back();
        grupo[i] = it->second;
        miembros[it->second].push_back(i);
    }
    std::vector<bool> anidados(n);
    for (size_t i = 0; i < n; ++i) anidados[i] = !factores[i].empty() && !fusionable(i);
    for (size_t i = 0; i < n; ++i) {
        if (factores[i].empty() || anidados[i]) continue;
        double e = potencias[i].exponente;
        for (size_t k : miembros[grupo[i]]) {
            if (k <= i || factores[k].empty()) continue;
            e = aritmetica::Sumar(e, potencias[k].exponente);
            factores[k].clear();
            Anotar(kSemejantes);
        }
        if (e == 0) {
            factores[i].clear();
            continue;
        }
        const double grado = std::fabs(e);
        std::string base(potencias[i].base);
        factores[i] = grado == 1 ? std::move(base) : base + "^" + numeros::FormaGeneral(grado);
        divisores[i] = std::signbit(e);
    }

    // Assemble.
    if (coeficiente < 0) {
        coeficiente = -coeficiente;
        signo = !signo;
    }
    if (coeficiente == 0) return "0";
    std::string r = coeficiente == 1 ? std::string() : numeros::FormaGeneral(coeficiente);
    for (size_t i = 0; i < n; ++i) {
        if (factores[i].empty()) continue;
        if (r.empty()) {
            r = divisores[i] ? "1/" + factores[i] : factores[i];
        } else {
            r.push_back(divisores[i] ? '/' : '*');
            r.append(factores[i]);
        }
    }
    for (size_t i = 0; i < n; ++i) {
        if (negativos[i] && !plegados[i]) signo = !signo;
    }
    if (r.empty()) r = "1";
    if (signo && r != "0") r.insert(0, 1, '-');
    if (otra_vez) r = ReducirProducto(r);
    return r;
}

}  // namespace relivo
