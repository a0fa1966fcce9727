// The display text of an accepted expression read back: Funcion [Get] of an
// accepted expression must itself be accepted by Funcion [Let], and give the
// same value or failure at the same variable values, apart from what the
// deliberate simplifications change when the second pass simplifies further.
//
// The reference value of a canonical text is its tree, unsimplified, run by
// the engine's own evaluator with a watcher that notes the largest and the
// smallest non-zero magnitude met on the way (the scale of the rounding that
// regrouping the operations may change); how far the simplification may
// move that value are the deliberate simplifications that the simplifier
// reports having applied.
#pragma once

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <limits>
#include <string>
#include <string_view>
#include <vector>

#include "evaluar/canonical.h"
#include "evaluar/display.h"
#include "evaluar/program_run.h"
#include "evaluar/simplifier.h"
#include "evaluar/tree.h"
#include "evaluar/variables.h"
#include "relivo/platform/error.h"
#include "tests/support/invariants.h"
#include "tests/support/watched_evaluar.h"

namespace relivo::fuzz {

// A value, or the error it failed with.
struct Salida {
    bool fallo = false;
    int32_t numero = 0;
    double valor = 0;
};

// The reference's outcome, with the magnitudes met on the way.
struct Medida : Salida {
    double mayor = 0;                                        // largest magnitude met
    double menor = std::numeric_limits<double>::infinity();  // smallest non-zero magnitude
};

class Referencia {
public:
    Referencia(const std::string& canonico, const std::vector<std::string>& nombres) {
        for (const std::string& n : nombres) tabla_.Agregar(n);
        ConstruirArbol(canonico, raiz_);
        programa_ = Compilar(raiz_);
    }

    Medida En(const std::vector<double>& valores) {
        for (size_t i = 0; i < valores.size() && i < tabla_.valores.size(); ++i) {
            tabla_.valores[i] = valores[i];
        }
        Medida m;
        try {
            m.valor = Evaluar(m);
        } catch (const Fallo& f) {
            m.fallo = true;
            m.numero = f.numero();
        }
        return m;
    }

private:
    double Evaluar(Medida& m) {
        return Ejecutar(programa_, tabla_, [&](double v) {
            const double a = std::fabs(v);
            if (a > m.mayor) m.mayor = a;
            if (a > 0 && a < m.menor) m.menor = a;
            return v;
        });
    }

    TablaVariables tabla_;
    Tree raiz_;
    Programa programa_;
};

enum Permiso {
    kNada = 0,         // the value must stay
    kQuitaFallos = 1,  // a failure may become a value (what failed cancels or vanishes)
    kCambiaValor = 2,  // the value may change (0^0, inverse pairs, exact values, power chains)
};

inline Permiso PermisoDe(const TablaVariables& tabla, std::string_view canonico) {
    Simplificador s(tabla);
    try {
        s.Reducir(canonico);
    } catch (const Fallo&) {
        // A reduction that fails may fail because of what a deliberate
        // simplification computed: nothing can be told.
        return kCambiaValor;
    }
    if ((s.Deliberadas() & kCambianValor) != 0) return kCambiaValor;
    if ((s.Deliberadas() & kQuitanFallos) != 0) return kQuitaFallos;
    return kNada;
}

inline std::string Describir(const Salida& s) {
    if (s.fallo) return "error " + std::to_string(s.numero);
    char b[40];
    std::snprintf(b, sizeof b, "%.17g", s.valor);
    return b;
}

// The value of a variable at sample point p: taken by name, so that two
// instances with the same names agree, and different at consecutive points,
// so that every Valor [Let] of a new point changes the value.
inline double ValorDe(const std::string& nombre, int p) {
    static constexpr double kValores[] = {0.7, -1.3, 2.2, 0.35, -0.6, 3.1, 1.9, -2.5};
    size_t h = 0;
    for (char c : nombre) h = h * 31 + static_cast<unsigned char>(AMinuscula(c));
    return kValores[(h + static_cast<size_t>(p)) % 8];
}

inline std::vector<std::string> Nombres(EvaluarVigilado& v) {
    std::vector<std::string> r;
    const int16_t n = v.NumeroVariables();
    for (int16_t i = 1; i <= n; ++i) r.push_back(v.Variable(i));
    return r;
}

// Every variable gets its value at p, by index, moved by a factor (1 + d)
// and (1 - d) in turn; then Resultado.
inline Salida EnPunto(EvaluarVigilado& v, const std::vector<std::string>& nombres, int p,
                      double d = 0) {
    for (size_t i = 0; i < nombres.size(); ++i) {
        const double x = ValorDe(nombres[i], p) * (1 + (i % 2 == 0 ? d : -d));
        v.Valor(Variante(static_cast<double>(i + 1)), x);
    }
    const double r = v.Resultado();
    if (v.ev().NumeroError() != 0) return {true, v.ev().NumeroError(), 0};
    return {false, 0, r};
}

// A tiny change of the variables changes the reference beyond the tolerance.
inline bool MalCondicionado(Referencia& ref, const std::vector<double>& valores, const Medida& m,
                            double tolerancia) {
    for (const double d : {1e-12, -1e-12}) {
        std::vector<double> cerca = valores;
        for (size_t i = 0; i < cerca.size(); ++i) cerca[i] *= 1 + (i % 2 == 0 ? d : -d);
        const Medida c = ref.En(cerca);
        if (c.fallo != m.fallo) return true;
        if (!c.fallo && std::fabs(c.valor - m.valor) >
                            0.01 * tolerancia * std::max(std::fabs(m.valor), m.mayor))
            return true;
    }
    return false;
}

// Whether `texto` reads back as what `a` holds: the same variables and the
// same canonical text.
inline bool LeeComo(EvaluarVigilado& a, const std::string& texto) {
    EvaluarVigilado c;
    c.Funcion(texto);
    const std::vector<std::string> nombres = Nombres(a);
    const std::vector<std::string> nombres_c = Nombres(c);
    return c.ev().NumeroError() == 0 && nombres_c == nombres &&
           c.ev().TextoCanonico() == a.ev().TextoCanonico();
}

// The display text of the simplified expression is TextoVisible's literal
// text but where that would read back with another meaning: each form by
// which it departs from it is needed, since the text without that form
// reads back otherwise.
inline void LiteralSalvoFormasNecesarias(EvaluarVigilado& a, const std::string& original) {
    TablaVariables tabla;
    const std::string simplificado = Simplificador(tabla).Reducir(Canonizar(original, tabla));
    const Mostrado mostrado = TextoMostradoCon(simplificado, tabla, 0);
    const std::string literal = TextoVisible(simplificado, tabla);
    const std::string contexto = Literal(original) + " simplified " + Literal(simplificado) +
                                 " shown " + Literal(mostrado.texto);
    EXIGE(TextoMostradoCon(simplificado, tabla, 0xFF).texto == literal,
          "without its forms the display text is not the literal " + Literal(literal) + ": " +
              contexto);
    EXIGE((mostrado.texto == literal) == (mostrado.formas == 0),
          "the display text departs from the literal " + Literal(literal) +
              " by no form: " + contexto);
    // "-()" is written for every sign with nothing after it, also where a
    // bare "-" would read back the same (alone, or before "^" or "%"): it is
    // not judged here.
    for (uint8_t forma = 1; forma != 0 && forma <= mostrado.formas; forma <<= 1) {
        if ((mostrado.formas & forma) == 0 || forma == kSignoSinOperando) continue;
        const std::string sin_forma = TextoMostradoCon(simplificado, tabla, forma).texto;
        EXIGE(!LeeComo(a, sin_forma), "the form " + std::to_string(forma) + " is not needed, " +
                                          Literal(sin_forma) + " reads back the same: " + contexto);
    }
}

inline void IdaYVuelta(EvaluarVigilado& a, const std::string& original) {
    constexpr double kTolerancia = 1e-9;
    // A fresh start, without the errors of earlier calls: the same text
    // gives the same expression again.
    const std::string antes = a.ev().TextoCanonico();
    // Rnd draws a new number at every evaluation, so an expression with it
    // may evaluate or fail: only the display text's acceptance counts.
    const bool rnd = antes.find('D') != std::string::npos;
    if (!rnd) {
        a.Funcion(original);
        EXIGE(!a.Fallo() && a.ev().TextoCanonico() == antes,
              "setting " + Literal(original) + " again gives another expression");
    }
    const std::string visible = a.Funcion();
    EXIGE(!a.Fallo(), "Funcion [Get] failed for the accepted " + Literal(original));
    EvaluarVigilado b;
    b.Funcion(visible);
    const int32_t nb = b.ev().NumeroError();
    const std::string contexto = Literal(original) + " shown " + Literal(visible);
    EXIGE(nb != kBase + 2 && nb != kBase + 3 && nb != kBase + 4 && nb != kBase + 5,
          "the display text is refused (" + std::to_string(nb) + "): " + contexto);
    if (rnd) return;
    const std::string canonico = a.ev().TextoCanonico();
    const std::vector<std::string> nombres = Nombres(a);
    EXIGE(nb != 28 || ProfundidadParentesis(canonico) >= 40,
          "the display text is too deep for a second pass: " + contexto);
    const std::vector<std::string> nombres_b = Nombres(b);
    for (const std::string& n : nombres_b) {
        EXIGE(std::find(nombres.begin(), nombres.end(), n) != nombres.end(),
              "reading back adds the variable " + Literal(n) + ": " + contexto);
    }
    const bool identico = nb == 0 && b.ev().TextoCanonico() == canonico && nombres_b == nombres;
    TablaVariables tabla;
    for (const std::string& n : nombres) tabla.Agregar(n);
    const Permiso permiso = identico ? kNada : PermisoDe(tabla, canonico);
    Referencia ref(canonico, nombres);

    for (int p = 0; p < 3; ++p) {
        const Salida sa = EnPunto(a, nombres, p);
        const Salida sb = nb != 0 ? Salida{true, nb, 0} : EnPunto(b, nombres_b, p);
        const std::string donde = contexto + " read back " + Literal(b.ev().TextoCanonico()) +
                                  " at point " + std::to_string(p) + ": " + Describir(sa) +
                                  " became " + Describir(sb);
        if (identico) {
            EXIGE(sa.fallo == sb.fallo &&
                      (sa.fallo ? sa.numero == sb.numero
                                : std::memcmp(&sa.valor, &sb.valor, sizeof(double)) == 0),
                  "the same canonical text evaluates differently: " + donde);
            continue;
        }
        std::vector<double> valores;
        for (const std::string& n : nombres) valores.push_back(ValorDe(n, p));
        const Medida m = ref.En(valores);
        EXIGE(m.fallo == sa.fallo && (m.fallo || m.valor == sa.valor),
              "Resultado differs from the tree's value: " + donde);
        // Magnitudes near the ends of the double range: regrouping may
        // overflow or underflow where the original did not.
        if (m.mayor > 1e150 || m.menor < 1e-150) continue;
        if (MalCondicionado(ref, valores, m, kTolerancia)) continue;
        if (sa.fallo && sb.fallo) continue;
        if (!sa.fallo && !sb.fallo &&
            std::fabs(sa.valor - sb.valor) <=
                kTolerancia * std::max({std::fabs(sa.valor), std::fabs(sb.valor), m.mayor}))
            continue;
        if (permiso == kCambiaValor) continue;
        if (permiso == kQuitaFallos && sa.fallo && !sb.fallo) continue;
        EXIGE(false, "the display text changes the value: " + donde);
    }
    LiteralSalvoFormasNecesarias(a, original);
}

}  // namespace relivo::fuzz
