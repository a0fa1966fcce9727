#include "evaluar/tree.h"

#include <utility>

#include "evaluar/arithmetic.h"
#include "evaluar/canonical.h"
#include "evaluar/functions.h"
#include "evaluar/simplifier.h"
#include "platform/numbers.h"

namespace relivo {

Tree::~Tree() {
    // Unlink the children into a work list so that a deep tree never
    // recurses through the destructors.
    std::vector<std::unique_ptr<Tree>> pendientes;
    if (l_) pendientes.push_back(std::move(l_));
    if (r_) pendientes.push_back(std::move(r_));
    while (!pendientes.empty()) {
        std::unique_ptr<Tree> nodo = std::move(pendientes.back());
        pendientes.pop_back();
        if (nodo->l_) pendientes.push_back(std::move(nodo->l_));
        if (nodo->r_) pendientes.push_back(std::move(nodo->r_));
    }
}

Tree& Tree::TreeL() {
    if (!l_) l_ = std::make_unique<Tree>();
    return *l_;
}

Tree& Tree::TreeR() {
    if (!r_) r_ = std::make_unique<Tree>();
    return *r_;
}

namespace {

constexpr std::string_view kOperadores = "+-%*/^";

// The text without its enclosing parentheses, as a view into the same text.
std::string_view SinParentesis(std::string_view texto) {
    if (texto.size() < 2 || texto.front() != '(' || texto.back() != ')') return texto;
    const size_t largo = QuitarParentesis(texto).size();
    return texto.substr((texto.size() - largo) / 2, largo);
}

// Position of the split operator: for the first operator of "+-%*/^" that
// occurs outside parentheses, its rightmost such occurrence.
size_t PuntoDeCorte(std::string_view t) {
    size_t mejor[6] = {std::string_view::npos, std::string_view::npos, std::string_view::npos,
                       std::string_view::npos, std::string_view::npos, std::string_view::npos};
    int profundidad = 0;
    for (size_t i = t.size(); i-- > 0;) {
        const char c = t[i];
        if (c == ')') {
            ++profundidad;
        } else if (c == '(') {
            --profundidad;
        } else if (profundidad == 0) {
            const size_t k = kOperadores.find(c);
            if (k == std::string_view::npos || mejor[k] != std::string_view::npos) continue;
            if ((c == '+' || c == '-') && i > 0 && t[i - 1] == 'E') continue;
            mejor[k] = i;
            if (k == 0) break;  // nothing ranks before "+"
        }
    }
    for (size_t posicion : mejor) {
        if (posicion != std::string_view::npos) return posicion;
    }
    return std::string_view::npos;
}

bool EsCodigoConOperando(char c) {
    return EsCodigoFuncion(c) || c == 'I';
}

}  // namespace

void ConstruirArbol(std::string_view texto, Tree& nodo) {
    std::vector<std::pair<std::string_view, Tree*>> trabajo{{texto, &nodo}};
    while (!trabajo.empty()) {
        auto [t, n] = trabajo.back();
        trabajo.pop_back();
        t = SinParentesis(t);
        if (t.empty()) continue;
        if (numeros::EsNumero(t)) {
            n->F = numeros::TextoExacto(numeros::ANumero(t));
            continue;
        }
        const size_t corte = PuntoDeCorte(t);
        if (corte != std::string_view::npos) {
            n->F = std::string(1, t[corte]);
            trabajo.emplace_back(t.substr(0, corte), &n->TreeL());
            trabajo.emplace_back(t.substr(corte + 1), &n->TreeR());
            continue;
        }
        const char c = t[0];
        if (c == 'L') {
            n->F = "L";
            trabajo.emplace_back(t.size() >= 2 ? t.substr(1, t.size() - 2) : std::string_view(),
                                 &n->TreeR());
        } else if (c == 'J' || c == 'K') {
            n->F = std::string(t);
        } else if (c == '_') {
            n->F = "-";
            trabajo.emplace_back(t.substr(1), &n->TreeR());
        } else if (c == 'D') {
            n->F = "D";
        } else if (EsCodigoConOperando(c)) {
            n->F = std::string(1, c);
            trabajo.emplace_back(t.substr(1), &n->TreeR());
        }
    }
}

namespace {

using Op = Instruccion::Op;

Op OperadorDe(char c) {
    switch (c) {
        case '+':
            return Op::Sumar;
        case '-':
            return Op::Restar;
        case '*':
            return Op::Multiplicar;
        case '/':
            return Op::Dividir;
        case '%':
            return Op::Residuo;
        default:
            return Op::Potencia;
    }
}

// The index a variable node names through its right child.
int32_t IndiceDe(const Tree* hoja) {
    if (hoja == nullptr || !numeros::EsNumero(hoja->F)) return 0;
    const double v = numeros::ANumero(hoja->F);
    const double r = std::nearbyint(v);
    if (!(r >= -32768.0 && r <= 32767.0)) return -1;  // overflows when evaluated
    return static_cast<int32_t>(r);
}

}  // namespace

Programa Compilar(const Tree& raiz) {
    Programa p;
    // Post-order walk with an explicit stack: (node, children already emitted).
    std::vector<std::pair<const Tree*, bool>> pila{{&raiz, false}};
    size_t profundidad = 0;
    auto emitir = [&](Instruccion ins, size_t consume) {
        profundidad = profundidad - consume + 1;
        if (profundidad > p.pila) p.pila = profundidad;
        p.instrucciones.push_back(ins);
    };
    while (!pila.empty()) {
        auto [n, hecho] = pila.back();
        pila.pop_back();
        const std::string& f = n == nullptr ? std::string() : n->F;
        if (f.empty()) {
            emitir({Op::Cero}, 0);
            continue;
        }
        const bool binario = f.size() == 1 && kOperadores.find(f[0]) != std::string_view::npos;
        const bool unario = f.size() == 1 && EsCodigoFuncion(f[0]);
        if (!hecho && (binario || unario)) {
            pila.emplace_back(n, true);
            pila.emplace_back(n->Derecho(), false);
            if (binario) pila.emplace_back(n->Izquierdo(), false);
            continue;
        }
        if (binario) {
            Instruccion ins{OperadorDe(f[0])};
            const Instruccion& ultima = p.instrucciones.back();
            if (ultima.op == Op::Numero || ultima.op == Op::Variable) {
                // The right operand is that one leaf: fold it into the operation.
                ins.derecho = ultima.op == Op::Numero ? Instruccion::Fuente::Numero
                                                      : Instruccion::Fuente::Variable;
                ins.valor = ultima.valor;
                ins.indice = ultima.indice;
                p.instrucciones.pop_back();
            }
            emitir(ins, 2);
        } else if (unario) {
            emitir({.op = Op::Funcion, .codigo = f[0]}, 1);
        } else if (f == "L") {
            emitir({.op = Op::Variable, .indice = IndiceDe(n->Derecho())}, 0);
        } else if (f == "J" || f == "K" || f == "D") {
            emitir({.op = Op::Constante, .codigo = f[0]}, 0);
        } else if (numeros::EsNumero(f)) {
            Instruccion ins{Op::Numero};
            ins.valor = numeros::ANumero(f);
            emitir(ins, 0);
        } else {
            emitir({Op::Cero}, 0);
        }
    }
    return p;
}

namespace {

inline double LeerVariable(const Instruccion& ins, const TablaVariables& tabla) {
    if (ins.indice < 1 || ins.indice > tabla.cuenta) [[unlikely]]
        aritmetica::Fallar(ins.indice < 0 ? errores::kDesbordamiento : errores::kSubindice);
    return tabla.valores[static_cast<size_t>(ins.indice - 1)];
}

}  // namespace

double EvaluarArbol(const Programa& programa, const TablaVariables& tabla,
                    std::vector<double>& pila) {
    using namespace aritmetica;
    if (pila.size() < programa.pila + 1) pila.resize(programa.pila + 1);
    double* tope = pila.data();  // next free slot
    for (const Instruccion& ins : programa.instrucciones) {
        switch (ins.op) {
            case Op::Numero:
                *tope++ = ins.valor;
                break;
            case Op::Cero:
                *tope++ = 0;
                break;
            case Op::Variable:
                *tope++ = LeerVariable(ins, tabla);
                break;
            case Op::Constante:
                *tope++ = ValorFuncion(ins.codigo, 0);
                break;
            case Op::Funcion:
                tope[-1] = ValorFuncion(ins.codigo, tope[-1]);
                break;
            default: {
                double r;
                switch (ins.derecho) {
                    case Instruccion::Fuente::Pila:
                        r = *--tope;
                        break;
                    case Instruccion::Fuente::Numero:
                        r = ins.valor;
                        break;
                    default:
                        r = LeerVariable(ins, tabla);
                        break;
                }
                double& l = tope[-1];
                switch (ins.op) {
                    case Op::Sumar:
                        l = Sumar(l, r);
                        break;
                    case Op::Restar:
                        l = Restar(l, r);
                        break;
                    case Op::Multiplicar:
                        l = Multiplicar(l, r);
                        break;
                    case Op::Dividir:
                        l = Dividir(l, r);
                        break;
                    case Op::Residuo:
                        l = Residuo(l, r);
                        break;
                    default:
                        l = Potencia(l, r);
                        break;
                }
            }
        }
    }
    return pila[0];
}

}  // namespace relivo
