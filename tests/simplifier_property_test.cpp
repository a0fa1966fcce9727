// Property test of the simplifier: for thousands of generated expressions in
// x and y, the value (or the failure) that Funcion gives equals the value of
// the tree built from the unsimplified canonical text, at several points; and
// the display text read back through Funcion gives the same value again.
//
// The simplifier changes values on purpose in a few places: a multiplier "0"
// ends a product, a zero base gives "0" and a zero exponent "1", inverse pairs
// cancel and exact values replace the functions at multiples of pi, the
// exponents of a power chain are multiplied (and reordered), like terms and
// like bases are collected (which removes the failures of what cancels). An
// expression whose reduction does any of these may change its value; every
// other expression must keep it. Points where the value is ill-conditioned
// (a tiny change of x or y changes it beyond the tolerance) are not compared.
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdlib>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "evaluar/arithmetic.h"
#include "evaluar/canonical.h"
#include "evaluar/functions.h"
#include "evaluar/simplifier.h"
#include "evaluar/tree.h"
#include "platform/numbers.h"
#include "relivo/evaluar.h"
#include "relivo/platform/error.h"
#include "tests/support/deliberate_changes.h"
#include "tests/support/expression_generator.h"

namespace relivo {
namespace {

struct Salida {
    bool fallo = false;
    double valor = 0;
};

struct Punto {
    double x;
    double y;
};

constexpr Punto kPuntos[] = {{0.7, 1.9}, {-1.3, -0.4}, {2.2, 0.35}, {-0.6, -2.5}, {0.25, 3.1}};
constexpr double kTolerancia = 1e-9;
constexpr double kOtrasVariables = 0.3;  // value of any variable other than x and y

double ValorDe(const std::string& nombre, const Punto& p) {
    if (nombre == "X") return p.x;
    if (nombre == "Y") return p.y;
    return kOtrasVariables;
}

// The reference: the tree of the unsimplified canonical text.
class Referencia {
public:
    explicit Referencia(const std::string& texto) : canonico_(Canonizar(texto, tabla_)) {
        ConstruirArbol(canonico_, raiz_);
        programa_ = Compilar(raiz_);
    }

    const std::string& Canonico() const { return canonico_; }

    Salida En(const Punto& p) {
        Fijar(p);
        try {
            return {false, EvaluarArbol(programa_, tabla_, pila_)};
        } catch (const Fallo&) {
            return {true, 0};
        }
    }

    // The largest magnitude met while evaluating the tree at p: the scale of
    // the rounding errors that regrouping the operations may change.
    double Escala(const Punto& p) {
        Fijar(p);
        double m = 0;
        try {
            Recorrer(raiz_, m);
        } catch (const Fallo&) {
        }
        return m;
    }

private:
    void Fijar(const Punto& p) {
        for (int16_t i = 1; i <= tabla_.cuenta; ++i) {
            tabla_.valores[static_cast<size_t>(i - 1)] = ValorDe(tabla_.Nombre(i), p);
        }
    }

    double Recorrer(const Tree& n, double& m) {
        const Tree* l = n.Izquierdo();
        const Tree* r = n.Derecho();
        auto valor = [&](const Tree* t) { return t == nullptr ? 0.0 : Recorrer(*t, m); };
        double v = 0;
        const std::string& f = n.F;
        if (f.empty()) {
            v = 0;
        } else if (numeros::EsNumero(f)) {
            v = numeros::ANumero(f);
        } else if (f.size() == 1 && std::string_view("+-*/%^").find(f[0]) != std::string::npos) {
            const double a = valor(l);
            const double b = valor(r);
            switch (f[0]) {
                case '+':
                    v = aritmetica::Sumar(a, b);
                    break;
                case '-':
                    v = aritmetica::Restar(a, b);
                    break;
                case '*':
                    v = aritmetica::Multiplicar(a, b);
                    break;
                case '/':
                    v = aritmetica::Dividir(a, b);
                    break;
                case '%':
                    v = aritmetica::Residuo(a, b);
                    break;
                default:
                    v = aritmetica::Potencia(a, b);
                    break;
            }
        } else if (f == "L") {
            v = tabla_.valores.at(static_cast<size_t>(numeros::ANumero(r->F)) - 1);
        } else {
            v = ValorFuncion(f[0], valor(r));
        }
        m = std::max(m, std::fabs(v));
        return v;
    }

    TablaVariables tabla_;
    std::string canonico_;
    Tree raiz_;
    Programa programa_;
    std::vector<double> pila_;
};

// Outcome of an expression through the control: Funcion, then a value for
// every variable, then Resultado.
class PorFuncion {
public:
    explicit PorFuncion(const std::string& texto) { ev_.Funcion(texto); }

    bool Aceptada() { return ev_.NumeroError() == 0; }
    std::string Visible() { return ev_.Funcion(); }
    std::string Canonico() const { return ev_.TextoCanonico(); }

    Salida En(const Punto& p) {
        if (!aceptada_) return {true, 0};
        const int16_t n = ev_.NumeroVariables();
        for (int16_t i = 1; i <= n; ++i) {
            ev_.Valor(Variante(static_cast<double>(i)), ValorDe(ev_.Variable(i), p));
        }
        const double v = ev_.Resultado();
        if (ev_.NumeroError() != 0) return {true, 0};
        return {false, v};
    }

    void Aceptar() { aceptada_ = ev_.NumeroError() == 0; }

private:
    Evaluar ev_;
    bool aceptada_ = true;
};

bool Iguales(const Salida& a, const Salida& b, double escala) {
    // Two failures agree whatever their numbers: reordered operands may meet
    // a different failing operation first.
    if (a.fallo || b.fallo) return a.fallo == b.fallo;
    const double limite = kTolerancia * std::max({std::fabs(a.valor), std::fabs(b.valor), escala});
    return std::fabs(a.valor - b.valor) <= limite;
}

// Points a hair's breadth from p, x and y moved together and apart (moved
// apart only, x*y would stay).
std::array<Punto, 4> Cerca(const Punto& p) {
    constexpr double d = 1e-12;
    return {Punto{p.x * (1 + d), p.y * (1 - d)}, Punto{p.x * (1 - d), p.y * (1 + d)},
            Punto{p.x * (1 + d), p.y * (1 + d)}, Punto{p.x * (1 - d), p.y * (1 - d)}};
}

// True when a tiny change of x and y changes the outcome beyond the tolerance.
bool MalCondicionado(Referencia& ref, const Punto& p, const Salida& en_p, double escala) {
    for (const Punto& q : Cerca(p)) {
        const Salida cerca = ref.En(q);
        if (cerca.fallo != en_p.fallo) return true;
        if (!cerca.fallo && std::fabs(cerca.valor - en_p.valor) >
                                0.01 * kTolerancia * std::max(std::fabs(en_p.valor), escala)) {
            return true;
        }
    }
    return false;
}

using prueba::kCambiaValor;
using prueba::kQuitaFallos;
using prueba::Permiso;
using prueba::PermisoDe;

// Whether the difference between what the reference gives and what Funcion
// gives is one the deliberate simplifications allow.
bool Permitido(Permiso permiso, const Salida& esperada, const Salida& obtenida) {
    if (permiso == kCambiaValor) return true;
    return permiso == kQuitaFallos && esperada.fallo && !obtenida.fallo;
}

// Expressions that exercise the places where a naive rewriting would
// change a value, checked before the generated ones.
const std::vector<std::string> kFijas = {
    "x*-x",        "arccos(-x)",    "2x%3+y",
    "-x^2",        "2*(-x^2-y)",    "-sin(x)^2",
    "int(-2.5)+x", "acos(-(x+1))",  "acos(-x)^2",
    "sqr(tan(x))", "cos(int(x))",   "sin(h)+x",
    "sqr(pi)*x",   "(x*y)*(x*y)",   "(x*y)/(y*x)",
    "x^-0",        "-5.25^x",       "(0-x)^2",
    "x^-2+1",      "-x^2+y",        "-x*y+1",
    "x*-x%3",      "arccsc(-x)",    "x*(2*y)",
    "x/(2*y)",     "(x*y)*(x*y)*x", "sen(x)*cos(y) + 2x",
    "-3^x+y",      "y-(x^2)^3",     "(x*y^2)*(y*x)",
    "sqrt(tan x)", "cos int x",     "sec(hip)*x",
    "x*tan(h y)",  "-(x*y)^2+1",    "(-x)^3*y",
    "-(-x)^2",     "x%-(y^2)",      "-x^2%3",
    "y^-x^2",
};

// The fixed expressions, then `cuantas` generated ones as users type them
// and as many heavy with signs.
// RELIVO_SEMILLA and RELIVO_CUANTAS in the environment explore other
// expressions than the suite's fixed set.
std::vector<std::string> Expresiones(uint64_t semilla, int cuantas) {
    if (const char* s = std::getenv("RELIVO_SEMILLA")) semilla = std::strtoull(s, nullptr, 10);
    if (const char* c = std::getenv("RELIVO_CUANTAS")) cuantas = std::atoi(c);
    std::vector<std::string> todas = kFijas;
    prueba::GeneradorExpresiones generador(semilla);
    prueba::GeneradorExpresiones con_signos(semilla, true);
    for (int n = 0; n < cuantas; ++n) todas.push_back(generador.Generar(2));
    for (int n = 0; n < cuantas; ++n) todas.push_back(con_signos.Generar(2));
    return todas;
}

// Why a difference between two outcomes of the same expression at a point is
// acceptable, if it is: the scale, the conditioning and the deliberate
// simplifications are looked at only when the outcomes differ.
class Juez {
public:
    // `referencia` is the unsimplified text that the outcomes should match.
    explicit Juez(const std::string& referencia) : texto_(referencia), ref_(referencia) {}

    Referencia& Ref() { return ref_; }

    // True when `obtenida` may stand for `esperada` at p; `permiso_usado` is
    // set when only a deliberate simplification explains the difference.
    // `obtener` gives the outcome of the simplified text at any point.
    template <class Obtener>
    bool Acepta(const Punto& p, const Salida& esperada, const Salida& obtenida, bool& permiso_usado,
                Obtener obtener) {
        if (Iguales(esperada, obtenida, 0)) return true;
        const Salida en_p = ref_.En(p);
        const double escala = ref_.Escala(p);
        if (Iguales(esperada, obtenida, escala)) return true;
        if (MalCondicionado(ref_, p, en_p, escala)) return true;
        // Numbers folded to 15 significant digits move a failure that hangs
        // on an exact value ((-2.5)^(66.6+x) at x = -0.6): the simplified
        // text fails a hair's breadth away.
        if (esperada.fallo != obtenida.fallo) {
            for (const Punto& q : Cerca(p)) {
                if (obtener(q).fallo != obtenida.fallo) return true;
            }
        }
        if (!permiso_) {
            TablaVariables tabla;
            const std::string canonico = Canonizar(texto_, tabla);
            permiso_ = PermisoDe(tabla, canonico);
        }
        permiso_usado = Permitido(*permiso_, esperada, obtenida);
        return permiso_usado;
    }

private:
    std::string texto_;
    Referencia ref_;
    std::optional<Permiso> permiso_;
};

std::string Describir(const Salida& s) {
    return s.fallo ? "failure" : std::to_string(s.valor);
}

TEST(PropiedadSimplificador, ElValorNoCambiaSalvoLasSimplificacionesDeliberadas) {
    int expresiones = 0;
    int con_permiso = 0;
    for (const std::string& texto : Expresiones(20240611, 3000)) {
        Juez juez(texto);
        PorFuncion funcion(texto);
        funcion.Aceptar();
        ++expresiones;
        bool permiso_usado = false;
        for (const Punto& p : kPuntos) {
            const Salida esperada = juez.Ref().En(p);
            const Salida obtenida = funcion.En(p);
            if (juez.Acepta(p, esperada, obtenida, permiso_usado,
                            [&funcion](const Punto& q) { return funcion.En(q); })) {
                continue;
            }
            ADD_FAILURE() << "\"" << texto << "\" canonical \"" << juez.Ref().Canonico()
                          << "\" shown \"" << funcion.Visible() << "\" at (" << p.x << ", " << p.y
                          << "): " << Describir(esperada) << " became " << Describir(obtenida);
            break;
        }
        con_permiso += permiso_usado;
    }
    // The deliberate simplifications stay the exception: most expressions
    // keep their value at every point.
    EXPECT_LT(con_permiso * 5, expresiones);
    RecordProperty("expresiones", expresiones);
    RecordProperty("conPermiso", con_permiso);
}

TEST(PropiedadSimplificador, ElTextoMostradoSeLeeConElMismoValor) {
    int leidas = 0;
    for (const std::string& texto : Expresiones(77031, 3000)) {
        PorFuncion primera(texto);
        primera.Aceptar();
        if (!primera.Aceptada()) continue;
        const std::string visible = primera.Visible();
        PorFuncion segunda(visible);
        segunda.Aceptar();
        ++leidas;
        // The second pass may simplify a little further, on purpose.
        Juez juez(visible);
        bool permiso_usado = false;
        for (const Punto& p : kPuntos) {
            const Salida a = primera.En(p);
            const Salida b = segunda.En(p);
            if (juez.Acepta(p, a, b, permiso_usado,
                            [&segunda](const Punto& q) { return segunda.En(q); })) {
                continue;
            }
            ADD_FAILURE() << "\"" << texto << "\" shown \"" << visible << "\" read back as \""
                          << segunda.Visible() << "\" at (" << p.x << ", " << p.y
                          << "): " << Describir(a) << " became " << Describir(b);
            break;
        }
    }
    EXPECT_GT(leidas, 4000);
}

}  // namespace
}  // namespace relivo
