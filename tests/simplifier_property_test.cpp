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
#include <cmath>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "evaluar/arithmetic.h"
#include "evaluar/canonical.h"
#include "evaluar/evaluar.h"
#include "evaluar/functions.h"
#include "evaluar/simplifier.h"
#include "evaluar/tree.h"
#include "platform/error.h"
#include "platform/numbers.h"
#include "tests/expression_generator.h"

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

// True when a tiny change of x and y changes the outcome beyond the tolerance.
bool MalCondicionado(Referencia& ref, const Punto& p, const Salida& en_p, double escala) {
    for (const double d : {1e-12, -1e-12}) {
        const Salida cerca = ref.En({p.x * (1 + d), p.y * (1 - d)});
        if (cerca.fallo != en_p.fallo) return true;
        if (!cerca.fallo && std::fabs(cerca.valor - en_p.valor) >
                                0.01 * kTolerancia * std::max(std::fabs(en_p.valor), escala)) {
            return true;
        }
    }
    return false;
}

// What the deliberate simplifications may do to the value of an expression.
enum Permiso {
    kNada = 0,         // nothing: the value must stay
    kQuitaFallos = 1,  // a failure may become a value (what failed cancels or vanishes)
    kCambiaValor = 2,  // the value may change (0^0, inverse pairs, power chains)
};

// Finds the places where the reduction of a canonical text simplifies on
// purpose, by splitting it the way the dispatcher does and reducing the parts.
class Deliberadas {
public:
    explicit Deliberadas(const TablaVariables& tabla) : s_(tabla) {}

    // A part whose reduction fails makes the whole reduction fail, and the
    // failure may come from what a deliberate simplification computed.
    Permiso En(std::string_view texto) {
        try {
            return Buscar(texto);
        } catch (const Fallo&) {
            return kCambiaValor;
        }
    }

private:
    Permiso Buscar(std::string_view texto) {
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
            const bool signo_exponente = i > 0 && t[i - 1] == 'E';
            if (profundidad == 0 && (c == a || c == b) && !signo_exponente) {
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

    Permiso Partes(std::string_view t, char a, char b, std::vector<char>* operadores) {
        Permiso p = kNada;
        for (const std::string& parte : Dividir(t, a, b, operadores)) {
            p = std::max(p, Buscar(parte));
        }
        return p;
    }

    // Like terms: two terms of the flattened sum with the same rest. What
    // cancels no longer fails.
    Permiso Suma(std::string_view t) {
        const Permiso p = Partes(t, '+', '-', nullptr);
        std::set<std::string> restos;
        std::vector<std::string> pendientes = {std::string(t)};
        for (size_t k = 0; k < pendientes.size() && k < 64; ++k) {
            for (const std::string& termino : Dividir(pendientes[k], '+', '-', nullptr)) {
                if (termino.empty()) continue;
                const std::string r = SinSigno(s_.Reducir(termino));
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

    // A multiplier "0" ends the product; two factors of the flattened product
    // with the same base merge into one power.
    Permiso Producto(std::string_view t) {
        std::vector<char> operadores;
        const std::vector<std::string> factores = Dividir(t, '*', '/', &operadores);
        Permiso p = kNada;
        for (size_t i = 0; i < factores.size(); ++i) {
            p = std::max(p, Buscar(factores[i]));
            const bool multiplica = i == 0 || operadores[i - 1] == '*';
            if (multiplica && SinSigno(s_.Reducir(factores[i])) == "0") {
                p = std::max(p, kQuitaFallos);
            }
        }
        std::set<std::string> bases;
        std::vector<std::string> pendientes;
        for (const std::string& f : factores) pendientes.push_back(SinSigno(s_.Reducir(f)));
        for (size_t k = 0; k < pendientes.size() && k < 256; ++k) {
            const std::string f = QuitarParentesis(pendientes[k]);
            if (HayOperador(f, "*/") && !HayOperador(f, "+-%")) {
                for (const std::string& g : Dividir(f, '*', '/', nullptr)) {
                    pendientes.push_back(SinSigno(s_.Reducir(g)));
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

    // A zero exponent gives 1; a zero base gives 0 (also for 0^0); the
    // exponents of a chain are multiplied and reordered.
    Permiso Potencia(std::string_view t) {
        const std::vector<std::string> partes = Dividir(t, '^', '^', nullptr);
        Permiso p = Partes(t, '^', '^', nullptr);
        if (partes.size() > 2) return kCambiaValor;
        if (SinSigno(s_.Reducir(partes[0])) == "0") return kCambiaValor;
        const std::string e = SinSigno(s_.Reducir(partes[1]));
        if (e == "0" || e.empty()) p = std::max(p, kQuitaFallos);
        return p;
    }

    // Inverse pairs cancel (Arcsin(Sin(x)) is x); exact values replace a
    // function at multiples of pi and the inverse functions at 0 and +-1.
    Permiso Funcion(std::string_view t) {
        if (t.size() < 2) return kNada;
        Permiso p = Buscar(t.substr(1));
        static constexpr std::string_view kCodigos = "abcdefghijklmnopqrstuvwxyzA";
        static constexpr char kInversas[] = "mnopqrstuvwxabcdefghijkl\0Az";
        const size_t k = kCodigos.find(t[0]);
        if (k == std::string_view::npos) return p;
        const std::string r = QuitarParentesis(s_.Reducir(t.substr(1)));
        if (!HayOperador(r, "+-%*/^") && !r.empty() && r[0] == kInversas[k]) return kCambiaValor;
        static const std::set<std::string> kExactos = {"0", "1", "_1", "J", "0.5*J", "1.5*J"};
        if (kExactos.count(s_.Reducir(t)) > 0) p = std::max(p, kQuitaFallos);
        return p;
    }

    Simplificador s_;
};

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

std::vector<std::string> Expresiones(uint64_t semilla, int cuantas) {
    std::vector<std::string> todas = kFijas;
    prueba::GeneradorExpresiones generador(semilla);
    for (int n = 0; n < cuantas; ++n) todas.push_back(generador.Generar(2));
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
    bool Acepta(const Punto& p, const Salida& esperada, const Salida& obtenida,
                bool& permiso_usado) {
        if (Iguales(esperada, obtenida, 0)) return true;
        const Salida en_p = ref_.En(p);
        const double escala = ref_.Escala(p);
        if (Iguales(esperada, obtenida, escala)) return true;
        if (MalCondicionado(ref_, p, en_p, escala)) return true;
        if (!permiso_) {
            TablaVariables tabla;
            const std::string canonico = Canonizar(texto_, tabla);
            permiso_ = Deliberadas(tabla).En(canonico);
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
            if (juez.Acepta(p, esperada, obtenida, permiso_usado)) continue;
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
            if (juez.Acepta(p, a, b, permiso_usado)) continue;
            ADD_FAILURE() << "\"" << texto << "\" shown \"" << visible << "\" read back as \""
                          << segunda.Visible() << "\" at (" << p.x << ", " << p.y
                          << "): " << Describir(a) << " became " << Describir(b);
            break;
        }
    }
    EXPECT_GT(leidas, 2000);
}

}  // namespace
}  // namespace relivo
