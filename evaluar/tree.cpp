#include "evaluar/tree.h"

#include <algorithm>
#include <utility>

#include "evaluar/arithmetic.h"
#include "evaluar/canonical.h"
#include "evaluar/functions.h"
#include "evaluar/lexical.h"
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

// Where the operators of a text lie, so that the split point of any piece
// [a, b) of it is found without scanning the piece: a chain such as
// "L1L^L2L^L2L^..." is split once per operator, and a scan of each piece
// made the building quadratic in the length of the text.
//
// A piece's operators "outside parentheses" are those with as many "(" as
// ")" between them and the end of the piece, the way a scan from the right
// counts them: with D(i) the count of "(" minus ")" before position i, the
// operator at i is outside when D(i) = D(b).
class IndiceOperadores {
public:
    explicit IndiceOperadores(std::string_view t) : t_(t), d_(t.size() + 1, 0) {
        pareja_ = Parejas(t);
        for (size_t i = 0; i < t.size(); ++i) {
            const char c = t[i];
            d_[i + 1] = d_[i] + (c == '(') - (c == ')');
            const size_t k = kOperadores.find(c);
            if (k == std::string_view::npos || EsSignoDeExponente(t, i)) continue;
            clases_[k].emplace_back(d_[i], i);
        }
        for (auto& v : clases_) std::sort(v.begin(), v.end());
    }

    // Strips the pairs of parentheses that enclose the piece as a whole.
    void SinParentesis(size_t& a, size_t& b) const {
        if (b - a < 2 || t_[a] != '(' || t_[b - 1] != ')') return;
        ComprobarLargo(t_.substr(a, b - a));
        while (b - a >= 2 && t_[a] == '(' && pareja_[a] == b - 1) {
            ++a;
            --b;
        }
    }

    // For the first operator of "+-%*/^" outside parentheses in the piece,
    // its rightmost position; npos when the piece has none.
    size_t Corte(size_t a, size_t b) const {
        const int32_t d = d_[b];
        for (size_t k = 0; k < kOperadores.size(); ++k) {
            const auto& v = clases_[k];
            auto it = std::lower_bound(v.begin(), v.end(), std::pair<int32_t, size_t>{d, b});
            if (it != v.begin() && (--it)->first == d && it->second >= a) return it->second;
            // A sign at the very start of the piece has no "E" before it
            // there, whatever precedes it in the whole text.
            if (k <= 1 && b > a && t_[a] == kOperadores[k] && a > 0 && t_[a - 1] == 'E' &&
                d_[a] == d) {
                return a;
            }
        }
        return std::string_view::npos;
    }

private:
    std::string_view t_;
    std::vector<int32_t> d_;
    std::vector<size_t> pareja_;
    std::vector<std::pair<int32_t, size_t>> clases_[6];  // (depth, position), sorted
};

bool EsCodigoConOperando(char c) {
    return EsCodigoFuncion(c) || c == codigo::kReservado;
}

}  // namespace

void ConstruirArbol(std::string_view texto, Tree& nodo) {
    const IndiceOperadores indice(texto);
    struct Pieza {
        size_t a, b;
        Tree* nodo;
    };
    std::vector<Pieza> trabajo{{0, texto.size(), &nodo}};
    while (!trabajo.empty()) {
        auto [a, b, n] = trabajo.back();
        trabajo.pop_back();
        indice.SinParentesis(a, b);
        const std::string_view t = texto.substr(a, b - a);
        if (t.empty()) continue;
        if (numeros::EsNumero(t)) {
            n->F = numeros::TextoExacto(numeros::ANumero(t));
            continue;
        }
        const size_t corte = indice.Corte(a, b);
        if (corte != std::string_view::npos) {
            n->F = std::string(1, texto[corte]);
            trabajo.push_back({a, corte, &n->TreeL()});
            trabajo.push_back({corte + 1, b, &n->TreeR()});
            continue;
        }
        const char c = t[0];
        if (c == codigo::kVariable) {
            n->F = "L";
            trabajo.push_back(t.size() >= 2 ? Pieza{a + 1, b - 1, &n->TreeR()}
                                            : Pieza{a, a, &n->TreeR()});
        } else if (c == codigo::kPi || c == codigo::kEuler) {
            n->F = std::string(t);
        } else if (c == codigo::kMenos) {
            n->F = "-";
            trabajo.push_back({a + 1, b, &n->TreeR()});
        } else if (c == codigo::kRnd) {
            n->F = "D";
        } else if (EsCodigoConOperando(c)) {
            n->F = std::string(1, c);
            trabajo.push_back({a + 1, b, &n->TreeR()});
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

bool EsHoja(const Instruccion& ins) {
    return ins.op == Op::Numero || ins.op == Op::Variable;
}

Instruccion::Fuente FuenteDe(const Instruccion& hoja) {
    return hoja.op == Op::Numero ? Instruccion::Fuente::Numero : Instruccion::Fuente::Variable;
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
    p.instrucciones.clear();
    // Post-order walk with an explicit stack: (node, children already emitted).
    std::vector<std::pair<const Tree*, bool>> pila{{&raiz, false}};
    auto emitir = [&](Instruccion ins) {
        if (ins.op == Op::Potencia && ins.derecho == Instruccion::Fuente::Numero &&
            ins.valor == 2) {
            ins.op = Op::Cuadrado;
        }
        ins.clave = Clave(ins.op, ins.izquierdo, ins.derecho);
        if (ins.op == Op::Variable) {
            p.mayorIndice = ins.indice < 1 ? INT32_MAX : std::max(p.mayorIndice, ins.indice);
        }
        p.instrucciones.push_back(ins);
    };
    while (!pila.empty()) {
        auto [n, hecho] = pila.back();
        pila.pop_back();
        const std::string& f = n == nullptr ? std::string() : n->F;
        if (f.empty()) {
            emitir({Op::Cero});
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
            // An operand that is one leaf folds into the operation: first the
            // right one, and then the left one, whose last instruction is the
            // last one left only once the right one has folded.
            auto plegar = [&](Instruccion::Fuente& fuente, double& valor, int32_t& indice) {
                const Instruccion& hoja = p.instrucciones.back();
                if (!EsHoja(hoja)) return;
                fuente = FuenteDe(hoja);
                valor = hoja.valor;
                indice = hoja.indice;
                p.instrucciones.pop_back();
            };
            plegar(ins.derecho, ins.valor, ins.indice);
            plegar(ins.izquierdo, ins.valorIzquierdo, ins.indiceIzquierdo);
            emitir(ins);
        } else if (unario) {
            emitir({.op = Op::Funcion, .formula = FormulaDe(f[0])});
        } else if (f == "L") {
            emitir({.op = Op::Variable, .indice = IndiceDe(n->Derecho())});
        } else if (f == "J" || f == "K" || f == "D") {
            emitir({.op = Op::Constante, .formula = FormulaDe(f[0])});
        } else if (numeros::EsNumero(f)) {
            Instruccion ins{Op::Numero};
            ins.valor = numeros::ANumero(f);
            emitir(ins);
        } else {
            emitir({Op::Cero});
        }
    }
    p.instrucciones.push_back(kFin);
    // A run spills at most once per instruction, so this many slots always
    // hold its stack.
    p.pila.assign(p.instrucciones.size(), 0.0);
    return p;
}

}  // namespace relivo
