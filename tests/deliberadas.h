// Where the simplifier changes a value on purpose. A multiplier "0" ends a
// product, a zero base gives "0" and a zero exponent "1", inverse pairs cancel
// and exact values replace a function at multiples of pi, the exponents of a
// power chain are multiplied, like terms and like bases are collected (what
// cancels no longer fails), a quotient that divides is written inline.
// Permiso tells how far the value of a canonical text may move when it is
// reduced: the text is split the way the dispatcher splits it and each part
// is looked at.
#pragma once

#include <algorithm>
#include <set>
#include <string>
#include <string_view>
#include <vector>

#include "evaluar/simplifier.h"
#include "platform/error.h"
#include "platform/numbers.h"

namespace relivo::prueba {

enum Permiso {
    kNada = 0,         // the value must stay
    kQuitaFallos = 1,  // a failure may become a value (what failed cancels or vanishes)
    kCambiaValor = 2,  // the value may change (0^0, inverse pairs, exact values, power chains)
};

class Deliberadas {
public:
    explicit Deliberadas(const TablaVariables& tabla) : s_(tabla) {}

    Permiso En(std::string_view texto) {
        try {
            return Buscar(texto);
        } catch (const Fallo&) {
            // A part that fails to reduce may fail because of what a
            // deliberate simplification computed: nothing can be told.
            return kCambiaValor;
        }
    }

private:
    struct Nivel {
        explicit Nivel(int& n) : n_(n) {
            if (++n_ > 60) throw Fallo(0, "too deep to judge");
        }
        ~Nivel() { --n_; }
        int& n_;
    };

    Permiso Buscar(std::string_view texto) {
        const Nivel nivel(profundidad_);
        const std::string t = QuitarParentesis(texto);
        if (t.empty() || numeros::EsNumero(t)) return kNada;
        if (t[0] == 'L' && t.find('L', 1) == t.size() - 1) return kNada;
        if (HayOperador(t, "+-")) return Suma(t);
        if (HayOperador(t, "%")) return Partes(t, '%', '%', nullptr);
        if (HayOperador(t, "*/")) return Producto(t);
        if (HayOperador(t, "^")) return Potencia(t);
        return Funcion(t);
    }

    static std::vector<std::string> Dividir(std::string_view t, char a, char b,
                                            std::vector<char>* operadores) {
        std::vector<std::string> partes(1);
        int profundidad = 0;
        for (size_t i = 0; i < t.size(); ++i) {
            const char c = t[i];
            if (c == '(') ++profundidad;
            if (c == ')') --profundidad;
            const bool exponente = i > 0 && t[i - 1] == 'E';
            if (profundidad == 0 && (c == a || c == b) && !exponente) {
                if (operadores != nullptr) operadores->push_back(c);
                partes.emplace_back();
            } else {
                partes.back().push_back(c);
            }
        }
        return partes;
    }

    static std::string SinSigno(std::string r) {
        if (!r.empty() && (r[0] == '-' || r[0] == '_') &&
            !HayOperador(std::string_view(r).substr(1), "+-")) {
            r.erase(0, 1);
        }
        return r;
    }

    std::string Reducido(std::string_view t) { return SinSigno(s_.Reducir(t)); }

    Permiso Partes(std::string_view t, char a, char b, std::vector<char>* operadores) {
        Permiso p = kNada;
        for (const std::string& parte : Dividir(t, a, b, operadores)) {
            p = std::max(p, Buscar(parte));
        }
        return p;
    }

    // Like terms: two terms of the flattened sum with the same rest once the
    // numeric coefficient is taken off.
    Permiso Suma(std::string_view t) {
        const Permiso p = Partes(t, '+', '-', nullptr);
        std::set<std::string> restos;
        std::vector<std::string> pendientes = {std::string(t)};
        for (size_t k = 0; k < pendientes.size() && k < 64; ++k) {
            for (const std::string& termino : Dividir(pendientes[k], '+', '-', nullptr)) {
                if (termino.empty()) continue;
                // A negated group is a sum of its own once reduced again: its
                // terms meet the other terms of the sum on the second pass.
                const std::string r = QuitarParentesis(Reducido(termino));
                if (HayOperador(r, "+-")) {
                    if (r != termino) pendientes.push_back(r);
                    continue;
                }
                if (numeros::EsNumero(r)) continue;
                std::string resto = r;
                if (!HayOperador(r, "%")) {
                    size_t j = 1;
                    while (j <= r.size() && numeros::EsNumero(r.substr(0, j))) ++j;
                    if (j >= 2 && j <= r.size() && r[j - 1] == '*') resto = r.substr(j);
                }
                if (!restos.insert(resto).second) return std::max(p, kQuitaFallos);
            }
        }
        return p;
    }

    // A multiplier "0"; two factors of the flattened product on one base.
    Permiso Producto(std::string_view t) {
        std::vector<char> operadores;
        const std::vector<std::string> factores = Dividir(t, '*', '/', &operadores);
        Permiso p = kNada;
        std::vector<std::string> pendientes;
        for (size_t i = 0; i < factores.size(); ++i) {
            p = std::max(p, Buscar(factores[i]));
            const std::string r = Reducido(factores[i]);
            const bool multiplica = i == 0 || operadores[i - 1] == '*';
            if (multiplica && r == "0") p = std::max(p, kQuitaFallos);
            // A divisor that is a quotient is written inline with its
            // operators exchanged ("a/(b/c)" becomes "a/b*c"): a division
            // by a zero c inside it no longer fails.
            const std::string cociente = QuitarParentesis(r);
            if (!multiplica && HayOperador(cociente, "/") && !HayOperador(cociente, "+-%")) {
                p = std::max(p, kQuitaFallos);
            }
            pendientes.push_back(r);
        }
        std::set<std::string> bases;
        for (size_t k = 0; k < pendientes.size() && k < 256; ++k) {
            const std::string f = QuitarParentesis(pendientes[k]);
            if (HayOperador(f, "*/") && !HayOperador(f, "+-%")) {
                for (const std::string& g : Dividir(f, '*', '/', nullptr)) {
                    pendientes.push_back(Reducido(g));
                }
                continue;
            }
            if (numeros::EsNumero(f) || f == "1") continue;
            std::string base = f;
            const size_t potencia = f.rfind('^');
            if (potencia != std::string::npos && numeros::EsNumero(f.substr(potencia + 1)) &&
                !HayOperador(f.substr(0, potencia), "+-%*/")) {
                base = f.substr(0, potencia);
            }
            if (!bases.insert(base).second) return std::max(p, kQuitaFallos);
        }
        return p;
    }

    // Zero exponent, zero base, chains of exponents.
    Permiso Potencia(std::string_view t) {
        const std::vector<std::string> partes = Dividir(t, '^', '^', nullptr);
        Permiso p = Partes(t, '^', '^', nullptr);
        if (partes.size() > 2) return kCambiaValor;
        if (Reducido(partes[0]) == "0") return kCambiaValor;
        const std::string e = Reducido(partes[1]);
        if (e == "0" || e.empty()) p = std::max(p, kQuitaFallos);
        return p;
    }

    // Inverse pairs and exact values. An exact value differs from what the
    // tree computes by a rounding error (Sin(Pi) is 1.2E-16, not 0), which a
    // later division turns into any value or a division by zero.
    // A code alone ("u", Arctanhip of nothing) has the empty argument, 0:
    // it may have an exact value too.
    Permiso Funcion(std::string_view t) {
        if (t.empty()) return kNada;
        Permiso p = t.size() > 1 ? Buscar(t.substr(1)) : kNada;
        static constexpr std::string_view kCodigos = "abcdefghijklmnopqrstuvwxyzA";
        static constexpr std::string_view kInversas = "mnopqrstuvwxabcdefghijkl?Az";
        const size_t k = kCodigos.find(t[0]);
        if (k == std::string_view::npos) return p;
        const std::string r = t.size() > 1 ? QuitarParentesis(s_.Reducir(t.substr(1))) : "";
        if (!r.empty() && !HayOperador(r, "+-%*/^") && r[0] == kInversas[k]) return kCambiaValor;
        static const std::set<std::string> kExactos = {"0", "1", "_1", "J", "0.5*J", "1.5*J"};
        if (kExactos.count(s_.Reducir(t)) > 0) p = kCambiaValor;
        return p;
    }

    Simplificador s_;
    int profundidad_ = 0;
};

}  // namespace relivo::prueba
