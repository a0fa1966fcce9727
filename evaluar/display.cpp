#include "evaluar/display.h"

#include <algorithm>
#include <cstring>
#include <vector>

#include "evaluar/canonical.h"
#include "evaluar/depth_guard.h"
#include "evaluar/function_table.h"
#include "evaluar/operand.h"
#include "evaluar/simplifier.h"
#include "relivo/platform/error.h"

namespace relivo {
namespace {

using codigo::kMenos;

bool EsLetra(char c) {
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
}
bool EsLetraODigitoVisible(char c) {
    return EsLetra(c) || (c >= '0' && c <= '9');
}

// True when the display name of `codigo` followed by the letters and digits
// that open `operando` reads back as something else than the function applied
// to them ("Sqr" + "TanX" reads as "Sqrt" + "AnX", "Sin" + "H" as "Sinh").
bool SeJuntan(char codigo, std::string_view operando) {
    size_t n = 0;
    while (n < operando.size() && EsLetraODigitoVisible(operando[n])) ++n;
    const std::string_view letras = operando.substr(0, n);
    TablaVariables juntos;
    TablaVariables aparte;
    const std::string leido_junto =
        Canonizar(std::string(NombreVisible(codigo)) + std::string(letras), juntos);
    const std::string leido_aparte = std::string(1, codigo) + Canonizar(letras, aparte);
    // Both readings number their variables from 1: the names tell "Cot" +
    // "Nh" (a variable "Nh") from "Cotn" + "h" (a variable "H").
    return leido_junto != leido_aparte || juntos.nombres != aparte.nombres;
}

class Mostrador {
public:
    Mostrador(std::string_view texto, const TablaVariables& tabla, uint8_t omitidas)
        : texto_(texto), tabla_(tabla), omitidas_(omitidas), intacto_(Intactos(texto)) {}

    uint8_t Usadas() const { return usadas_; }

    // Display text of texto_[inicio, fin).
    std::string Mostrar(size_t inicio, size_t fin) {
        NivelRecursion nivel(profundidad_);
        const std::string_view vista = texto_.substr(0, fin);
        std::string salida;
        bool variable_antes = false;
        size_t p = inicio;
        while (p < fin) {
            const char c = texto_[p];
            if (const size_t g = InicioDeTermino(vista, p); g != std::string_view::npos) {
                const size_t grupo = GrupoCero(vista, g);
                // A "-" that opens the text or a group and stands right before
                // the group already reads back as its sign.
                const bool ya_negado =
                    grupo == g && g == p + 1 && c == '-' && (p == 0 || texto_[p - 1] == '(');
                if (grupo != std::string_view::npos && !ya_negado && Usar(kSignoDelGrupoCero)) {
                    p = MoverSignoAlGrupo(salida, vista, p, g, grupo);
                    variable_antes = false;
                    continue;
                }
            }
            if (c == codigo::kVariable) {
                const size_t cierre = vista.find(codigo::kVariable, p + 1);
                if (cierre == std::string_view::npos) {
                    throw Fallo::Plataforma(errores::kDesbordamiento);
                }
                if (variable_antes) salida.push_back(' ');
                salida.append(TextoVisible(vista.substr(p, cierre + 1 - p), tabla_));
                variable_antes = true;
                p = cierre + 1;
                continue;
            }
            variable_antes = false;
            if (c == '-' && (p == 0 || std::strchr("(*/%^", texto_[p - 1]) != nullptr) &&
                !(p == 1 && texto_[0] == '(') && ElevadoAPotencia(vista, p + 1) &&
                Usar(kPotenciaNegada)) {
                // The whole power chain goes inside the parentheses. Right
                // after a "(" that opens the text the reader keeps a "-" as
                // the minus of the whole term, so there it stays as it is.
                size_t q = FinOperando(vista, p + 1);
                while (q < fin && texto_[q] == '^') q = FinOperando(vista, q + 1);
                Envolver(salida, "-(", p + 1, q);
                p = q;
                continue;
            }
            if (c == kMenos) {
                const size_t r = std::min(vista.find_first_not_of(kMenos, p), vista.size());
                if ((r - p) % 2 == 0 && FinOperando(vista, r) > r) {
                    // An even run of signs before an operand cancels, and so
                    // does its literal text when read back: "--" after "(",
                    // "*", "/", "%", "^" or at the start vanishes, after "-"
                    // or "+" it turns the operator round twice. So "-(-x)"
                    // reads back as "X", as the user would write it.
                    salida.append("--");
                    p += 2;
                    continue;
                }
            }
            if (c == kMenos && p > inicio && (texto_[p - 1] == '-' || texto_[p - 1] == '+') &&
                ElevadoAPotencia(vista, p + 1) && Usar(kSignoDeLaBase)) {
                // A sign of a power's base right after "+" or "-" would merge
                // with it into one operator and leave the base unsigned
                // ("1-_L1L^2" is 1 - (-x)^2, "1--X^2" reads 1 + x^2): the
                // sign goes inside parentheses with the base. Only an odd
                // run of signs reaches here.
                const size_t q = FinOperando(vista, p);
                Envolver(salida, "(-", p + 1, q);
                p = q;
                continue;
            }
            if (c == kMenos && FinOperando(vista, p + 1) == p + 1 && Usar(kSignoSinOperando)) {
                // A sign with nothing after it is the negated empty operand,
                // zero. A bare "-" would read back as a sign of what follows
                // or vanish; "-()" keeps the zero.
                salida.append("-()");
                ++p;
                continue;
            }
            if (EsCodigoFuncion(c)) {
                // The operand that begins with the function's code ends where
                // the function's argument does.
                const size_t q = FinOperando(vista, p);
                salida.append(NombreVisible(c));
                if (vista.substr(p + 1).starts_with(kMenos) && Usar(kSignoDeLaFuncion)) {
                    Envolver(salida, "(-", p + 2, q);
                } else {
                    const std::string operando = Mostrar(p + 1, q);
                    if (!operando.empty() && EsLetra(operando[0]) && SeJuntan(c, operando) &&
                        Usar(kNombreAparte)) {
                        salida.append(EntreParentesis(operando));
                    } else {
                        salida.append(operando);
                    }
                }
                p = q;
                continue;
            }
            const char* nombre = NombreVisible(c);
            if (nombre != nullptr) {
                salida.append(nombre);
            } else {
                salida.push_back(c);
            }
            ++p;
        }
        return salida;
    }

private:
    // When a term begins at p (after its sign, if it has one): where its
    // first operand begins; npos otherwise. A term begins at the start of
    // the text or of a group, and after the "+" or "-" between two terms.
    size_t InicioDeTermino(std::string_view vista, size_t p) const {
        if (intacto_[p]) return std::string_view::npos;
        const char c = texto_[p];
        const bool inicial = p == 0 || texto_[p - 1] == '(';
        if (inicial && c != '-') return p;
        if ((c != '-' && c != '+') || EsSignoDeExponente(vista, p)) return std::string_view::npos;
        if (inicial) return p + 1;
        return std::strchr("(*/%^+-", texto_[p - 1]) == nullptr ? p + 1 : std::string_view::npos;
    }

    // The first group "(...)" that the product beginning at `inicio`
    // multiplies by and that the reducer turns into "0"; npos when there is
    // none, or when nothing in the product can fail: then the "0" it reads
    // back as has the product's value.
    size_t GrupoCero(std::string_view vista, size_t inicio) {
        std::vector<size_t> grupos;  // the multiplying groups
        size_t p = inicio;
        size_t fin = inicio;
        bool multiplica = true;
        for (;;) {
            // An empty operand (the end of the text included) ends the product.
            const size_t q = FinOperando(vista, p);
            if (q == p) break;
            if (multiplica && texto_[p] == '(' && !ElevadoAPotencia(vista, p)) grupos.push_back(p);
            fin = q;
            while (fin < vista.size() && texto_[fin] == '^') fin = FinOperando(vista, fin + 1);
            if (fin >= vista.size() || (texto_[fin] != '*' && texto_[fin] != '/')) break;
            multiplica = texto_[fin] == '*';
            p = fin + 1;
        }
        // Only a function, a quotient, a power or a remainder can fail.
        const std::string_view producto = vista.substr(inicio, fin - inicio);
        if (producto.find_first_of("/^%") == std::string_view::npos &&
            std::none_of(producto.begin(), producto.end(), EsCodigoFuncion)) {
            return std::string_view::npos;
        }
        for (const size_t g : grupos) {
            if (LeeCero(g, FinOperando(vista, g))) return g;
        }
        return std::string_view::npos;
    }

    // Writes the term whose sign is at p (or that begins unsigned at p),
    // up to its zero group, with the term's sign turned round and a "-"
    // before the group: the two signs cancel, and the reducer keeps the
    // negated group as it stands. A group that opens the term gets a
    // factor "1" before it, where a "-" of its own would merge with the
    // term's sign: "1-(L1L-L1L)*aL2L" -> "1+1*-(X-X)*SinY".
    // Returns where the group ends.
    size_t MoverSignoAlGrupo(std::string& salida, std::string_view vista, size_t p, size_t termino,
                             size_t grupo) {
        const char signo = termino == p ? '\0' : texto_[p];
        const bool inicial = p == 0 || texto_[p - 1] == '(';
        if (!inicial) {
            salida.push_back(signo == '-' ? '+' : '-');
        } else if (signo != '-') {
            salida.push_back('-');
        }
        // A "-" now before a power would read as the sign of its base.
        const bool potencia = inicial && signo != '-' && ElevadoAPotencia(vista, termino);
        if (grupo == termino || potencia) salida.append("1*");
        if (grupo != termino) salida.append(Mostrar(termino, grupo));
        salida.push_back('-');
        const size_t fin = FinOperando(vista, grupo);
        Envolver(salida, "(", grupo + 1, fin - 1);
        return fin;
    }

    // The groups checked in one display text are reduced again at most up
    // to the text's own length in all: on a large nested text the checks
    // would otherwise reduce each level once more for every level around
    // it. A group left unchecked is written as it stands.
    bool LeeCero(size_t desde, size_t hasta) {
        if (hasta - desde > presupuesto_) return false;
        presupuesto_ -= hasta - desde;
        try {
            return Simplificador(tabla_).Reducir(texto_.substr(desde, hasta - desde)) == "0";
        } catch (const Fallo&) {
            return false;
        }
    }

    // Whether the form may be used; notes it as used.
    bool Usar(FormaMostrada forma) {
        if ((omitidas_ & forma) != 0) return false;
        usadas_ |= forma;
        return true;
    }

    // Appends `abre`, the display text of [desde, hasta) and ")".
    void Envolver(std::string& salida, const char* abre, size_t desde, size_t hasta) {
        salida.append(abre);
        salida.append(Mostrar(desde, hasta));
        salida.push_back(')');
    }

    // For each position, whether it lies inside a group that the reducer
    // may keep as it stands, so that what it holds is read back unreduced: a
    // negated group ("_(" or a "-" that opens the text or a group) and the
    // group of a function's operand (which the function's rules reduce or
    // keep).
    static std::vector<bool> Intactos(std::string_view t) {
        std::vector<bool> intacto(t.size() + 1, false);
        std::vector<bool> pila{false};
        for (size_t i = 0; i < t.size(); ++i) {
            if (t[i] == '(') {
                const bool aparte =
                    i > 0 && (t[i - 1] == codigo::kMenos || EsCodigoFuncion(t[i - 1]) ||
                              (t[i - 1] == '-' && (i == 1 || t[i - 2] == '(')));
                pila.push_back(pila.back() || aparte);
            } else if (t[i] == ')' && pila.size() > 1) {
                pila.pop_back();
            }
            intacto[i] = pila.back();
        }
        return intacto;
    }

    std::string_view texto_;
    const TablaVariables& tabla_;
    uint8_t omitidas_;
    std::vector<bool> intacto_;
    size_t presupuesto_ = texto_.size();
    uint8_t usadas_ = 0;
    Profundidad profundidad_;
};

}  // namespace

std::string TextoMostrado(std::string_view canonico, const TablaVariables& tabla) {
    return TextoMostradoCon(canonico, tabla, 0).texto;
}

Mostrado TextoMostradoCon(std::string_view canonico, const TablaVariables& tabla,
                          uint8_t omitidas) {
    ComprobarLargo(canonico);
    Mostrador mostrador(canonico, tabla, omitidas);
    std::string texto = mostrador.Mostrar(0, canonico.size());
    return {std::move(texto), mostrador.Usadas()};
}

}  // namespace relivo
