#include "evaluar/display.h"

#include <algorithm>
#include <cstring>

#include "evaluar/canonical.h"
#include "evaluar/depth_guard.h"
#include "evaluar/operand.h"
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
        : texto_(texto), tabla_(tabla), omitidas_(omitidas) {}

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
                const size_t q = FinOperando(vista, p + 1);
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
                const size_t q = FinOperando(vista, p + 1);
                salida.append(NombreVisible(c));
                if (q > p + 1 && texto_[p + 1] == kMenos && Usar(kSignoDeLaFuncion)) {
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

    std::string_view texto_;
    const TablaVariables& tabla_;
    uint8_t omitidas_;
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
