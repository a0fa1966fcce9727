// A host script of calls to one Evaluar instance, decoded from the input:
// one call a line,
//   F<text>          Funcion [Let]          f        Funcion [Get]
//   S<var>=<text>    Substituir by a text   S<var>#<number>  by a number
//   V<var>=<number>  Valor [Let]            v<var>   Valor [Get]
//   N<index>         Variable               n        NumeroVariables
//   I<name>          IndiceVariable         E<name>  ExisteVariable
//   R                Resultado
// where <var> is "#" and a number (an index given as a number), empty (an
// empty variant) or a text (a name, or an index when it reads as a number).
//
// Every call is watched (one Error event at most, error state as the event
// says, no infinity or not-a-number), and a model of the variable table and
// of the ready flag, kept from the rules of the members, must agree with
// what the instance answers.
#pragma once

#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "evaluar/variables.h"
#include "platform/numbers.h"
#include "relivo/platform/error.h"
#include "tests/support/invariants.h"
#include "tests/support/watched_evaluar.h"

namespace relivo::fuzz::guion {

inline double Numero(std::string_view t) {
    const std::string s(t);
    return std::strtod(s.c_str(), nullptr);
}

inline Variante LeerVariable(std::string_view t) {
    if (t.empty()) return Variante();
    if (t[0] == '#') return Variante(Numero(t.substr(1)));
    return Variante(std::string(t));
}

// The number of a numeric variant (raises 6 for a text beyond the range).
inline double NumeroDe(const Variante& v) {
    if (v.tipo == Variante::Tipo::Numero) return v.numero;
    if (v.tipo == Variante::Tipo::Vacio) return 0;
    return numeros::ANumero(v.texto);
}

// The model: the table and the ready flag as the rules say they must be.
struct Modelo {
    bool conocido = false;  // false after a failure that leaves a partial state
    std::vector<std::string> nombres;
    std::vector<std::optional<double>> valores;  // none until the variable has a value
    bool listo = false;

    void Reconstruir(EvaluarVigilado& v) {
        nombres.clear();
        const int16_t n = v.NumeroVariables();
        for (int16_t i = 1; i <= n; ++i) nombres.push_back(v.ev().Variable(i));
        valores.assign(nombres.size(), std::nullopt);
        conocido = true;
    }

    int Cuenta() const { return static_cast<int>(nombres.size()); }

    // Index named by a variant: 0 when no variable; -1 when the rounding to
    // 16 bits overflows.
    int Indice(const Variante& var) const {
        const bool numerico = var.tipo != Variante::Tipo::Texto || numeros::EsNumero(var.texto);
        if (numerico) {
            try {
                return numeros::AEntero16(NumeroDe(var));
            } catch (const Fallo&) {
                return -1;
            }
        }
        std::string buscado;
        for (char c : var.texto) buscado.push_back(AMinuscula(c));
        for (size_t i = 0; i < nombres.size(); ++i) {
            std::string n;
            for (char c : nombres[i]) n.push_back(AMinuscula(c));
            if (n == buscado) return static_cast<int>(i + 1);
        }
        return 0;
    }
};

// A number as the log of a script shows it.
inline std::string Texto(double x) {
    char b[32];
    std::snprintf(b, sizeof b, "%.15g", x);
    return b;
}

class Guion {
public:
    // What the last call answered, and then its Error event as "! number
    // text", a line each.
    std::string respuesta;

    void Linea(std::string_view l) {
        respuesta.clear();
        const size_t eventos = v_.Eventos();
        Llamada(l);
        if (v_.Eventos() > eventos) {
            respuesta += (respuesta.empty() ? "! " : "\n! ") +
                         std::to_string(v_.ev().NumeroError()) + " " + v_.ev().Error();
        }
    }

private:
    void Llamada(std::string_view l) {
        if (l.empty()) return;
        const char op = l[0];
        const std::string_view resto = l.substr(1);
        Evaluar& ev = v_.ev();
        switch (op) {
            case 'F': {
                v_.Funcion(resto);
                if (v_.Fallo()) {
                    EXIGE(ev.TextoCanonico().empty() && ev.NumeroVariables() == 0,
                          "a refused Funcion left text or variables");
                    m_ = Modelo();
                    m_.conocido = true;
                } else {
                    m_.Reconstruir(v_);
                    m_.listo = m_.Cuenta() == 0;
                }
                break;
            }
            case 'f':
                respuesta = v_.Funcion();
                break;
            case 'S': {
                const size_t corte = resto.find_first_of("=#");
                const Variante var = LeerVariable(resto.substr(0, corte));
                Variante texto;
                if (corte != std::string_view::npos) {
                    texto = resto[corte] == '=' ? Variante(std::string(resto.substr(corte + 1)))
                                                : Variante(Numero(resto.substr(corte + 1)));
                }
                const std::string antes = ev.TextoCanonico();
                const int indice = m_.conocido ? m_.Indice(var) : 0;
                const int32_t error_antes = ev.NumeroError();
                v_.Substituir(var, texto);
                if (!m_.conocido) {
                    if (!v_.Fallo()) Sustituida(error_antes);
                    break;
                }
                if (indice < 1 || indice > m_.Cuenta()) {
                    EXIGE(v_.Fallo(), "Substituir of an unknown variable did not fail");
                    EXIGE(ev.TextoCanonico() == antes, "a refused Substituir changed the text");
                } else if (texto.tipo != Variante::Tipo::Texto) {
                    EXIGE(v_.Fallo() && ev.NumeroError() == 13,
                          "Substituir by a number did not fail with 13");
                    m_.conocido = false;  // the name is not changed, but be safe
                } else if (v_.Fallo()) {
                    m_.conocido = false;
                } else {
                    Sustituida(error_antes);
                }
                break;
            }
            case 'V': {
                const size_t corte = resto.find('=');
                const Variante var = LeerVariable(resto.substr(0, corte));
                const double x =
                    corte == std::string_view::npos ? 0 : Numero(resto.substr(corte + 1));
                const int indice = m_.conocido ? m_.Indice(var) : 0;
                v_.Valor(var, x);
                if (m_.conocido) Asignado(indice, x);
                break;
            }
            case 'v': {
                const Variante var = LeerVariable(resto);
                const double r = v_.Valor(var);
                respuesta = Texto(r);
                if (m_.conocido) Leido(var, r);
                break;
            }
            case 'N': {
                const auto i =
                    static_cast<int16_t>(std::strtol(std::string(resto).c_str(), nullptr, 10));
                respuesta = v_.Variable(i);
                if (m_.conocido) {
                    const bool debe_fallar =
                        m_.Cuenta() == 0 || (i != 0 && (i < 1 || i > m_.Cuenta()));
                    EXIGE(v_.Fallo() == debe_fallar, "Variable(" + std::to_string(i) + ")");
                }
                break;
            }
            case 'n': {
                const int16_t n = v_.NumeroVariables();
                respuesta = std::to_string(n);
                if (m_.conocido)
                    EXIGE(n == m_.Cuenta(), "NumeroVariables disagrees with the model");
                break;
            }
            case 'I': {
                const int16_t i = v_.IndiceVariable(std::string(resto));
                respuesta = std::to_string(i);
                if (m_.conocido) {
                    const int esperado = m_.Indice(Variante(std::string(resto)));
                    if (!numeros::EsNumero(resto)) {
                        EXIGE(i == esperado && v_.Fallo() == (esperado == 0), "IndiceVariable");
                    }
                }
                break;
            }
            case 'E':
                respuesta = v_.ExisteVariable(resto) ? "true" : "false";
                break;
            case 'R': {
                const int32_t error_antes = ev.NumeroError();
                respuesta = Texto(v_.Resultado());
                if (m_.conocido) {
                    if (m_.listo) {
                        EXIGE(!v_.Fallo(), "Resultado failed although ready");
                    } else if (error_antes == 0) {
                        EXIGE(v_.Fallo() && ev.NumeroError() == kBase + 5,
                              "Resultado without a result did not fail with base + 5");
                    } else {
                        EXIGE(!v_.Fallo(), "Resultado raised a second event");
                    }
                }
                break;
            }
            default:
                break;
        }
    }

    void Sustituida(int32_t error_antes) {
        m_.Reconstruir(v_);
        m_.listo = m_.Cuenta() == 0 && error_antes == 0 && v_.ev().NumeroError() == 0;
    }

    void Asignado(int indice, double x) {
        if (indice < 1 || indice > m_.Cuenta()) {
            EXIGE(v_.Fallo(), "Valor [Let] of an unknown variable did not fail");
            return;
        }
        if (!std::isfinite(x)) {
            EXIGE(v_.Fallo(), "Valor [Let] took a value that is not finite");
            return;
        }
        const size_t k = static_cast<size_t>(indice - 1);
        if (m_.valores[k] == x) {
            EXIGE(!v_.Fallo(), "Valor [Let] of the same value evaluated");
            return;
        }
        m_.valores[k] = x;
        if (!m_.listo) {
            for (const std::optional<double>& d : m_.valores) {
                if (!d) {
                    EXIGE(!v_.Fallo(), "Valor [Let] evaluated before every variable had a value");
                    return;
                }
            }
            m_.listo = true;
        }
        if (v_.Fallo()) m_.listo = false;
    }

    void Leido(const Variante& var, double r) {
        const bool numerico = var.tipo != Variante::Tipo::Texto || numeros::EsNumero(var.texto);
        if (numerico) {
            double x = 0;
            try {
                x = NumeroDe(var);
            } catch (const Fallo&) {
                EXIGE(v_.Fallo(), "Valor [Get] of an index beyond the double range did not fail");
                return;
            }
            if (!(x > 0 && x <= m_.Cuenta())) {
                EXIGE(v_.Fallo(), "Valor [Get] outside the table did not fail");
                return;
            }
        }
        const int i = m_.Indice(var);
        if (i < 1 || i > m_.Cuenta()) {
            EXIGE(v_.Fallo(), "Valor [Get] of an unknown variable did not fail");
            return;
        }
        EXIGE(!v_.Fallo() && r == m_.valores[static_cast<size_t>(i - 1)].value_or(0),
              "Valor [Get] disagrees with the model");
    }

    EvaluarVigilado v_;
    Modelo m_;
};

// Runs one input: a script of at most 64 lines.
inline void Ejecutar(std::string_view guion) {
    Guion g;
    PorLineas(guion, 64, [&g](std::string_view linea) { g.Linea(linea); });
}

}  // namespace relivo::fuzz::guion
