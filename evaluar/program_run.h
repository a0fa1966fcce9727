// Running a compiled program: one pass over its instructions with the top of
// the value stack held apart, so that most operations touch no memory, and
// one dispatch per instruction: each binary operation is compiled for the
// places its operands come from.
//
// The run can be watched: `anotar` sees every value read or computed (leaves,
// function values, results of operations) and returns it unchanged. The
// engine runs with a watcher that does nothing, which the compiler removes.
#pragma once

#include <vector>

#include "evaluar/arithmetic.h"
#include "evaluar/functions.h"
#include "evaluar/tree.h"
#include "evaluar/variables.h"
#include "relivo/platform/error.h"

namespace relivo {

namespace programa {

using Op = Instruccion::Op;
using Fuente = Instruccion::Fuente;

// The variable values a run reads, taken from the table once: a formula
// called on the way cannot move them, so they stay in registers.
struct Valores {
    const double* datos;
    int32_t cuenta;
};

// A variable's value. A program whose indexes all lie in the table runs
// without the check (`comprobar` false); otherwise the first read of an index
// out of it fails.
template <bool comprobar>
double LeerVariable(int32_t indice, Valores v) {
    if constexpr (comprobar) {
        if (indice < 1 || indice > v.cuenta) [[unlikely]]
            aritmetica::Fallar(indice < 0 ? errores::kDesbordamiento : errores::kSubindice);
    }
    return v.datos[static_cast<ptrdiff_t>(indice) - 1];
}

// A leaf folded into an operation: a number or a variable.
template <Fuente fuente, bool comprobar>
double Hoja(int32_t indice, double valor, Valores tabla) {
    if constexpr (fuente == Fuente::Numero) {
        return valor;
    } else {
        return LeerVariable<comprobar>(indice, tabla);
    }
}

template <Op op>
double Operar(double l, double r) {
    using namespace aritmetica;
    if constexpr (op == Op::Sumar) return Sumar(l, r);
    if constexpr (op == Op::Restar) return Restar(l, r);
    if constexpr (op == Op::Multiplicar) return Multiplicar(l, r);
    if constexpr (op == Op::Dividir) return Dividir(l, r);
    if constexpr (op == Op::Residuo) return Residuo(l, r);
    if constexpr (op == Op::Potencia) return Potencia(l, r);
    // The power's own result for an exponent of 2.
    if constexpr (op == Op::Cuadrado) return Comprobar(l * l);
}

// The top of the stack stays in `tope`; the values below it are in the
// caller's stack, the next free slot at `debajo`. Pushing spills the top.
struct Registros {
    double tope = 0;
    double* debajo;
};

// A binary operation with its operands taken from where the compiler put
// them. With both operands folded in, the operation pushes its value like a
// leaf; the left operand is read first.
template <Op op, Fuente izquierdo, Fuente derecho, bool comprobar, class Anotar>
void Binaria(const Instruccion& ins, Valores tabla, Registros& r, Anotar& anotar) {
    double a, b;
    if constexpr (izquierdo != Fuente::Pila) {
        *r.debajo++ = r.tope;
        a = anotar(Hoja<izquierdo, comprobar>(ins.indiceIzquierdo, ins.valorIzquierdo, tabla));
        b = anotar(Hoja<derecho, comprobar>(ins.indice, ins.valor, tabla));
    } else if constexpr (derecho == Fuente::Pila) {
        b = r.tope;
        a = *--r.debajo;
    } else {
        a = r.tope;
        b = anotar(Hoja<derecho, comprobar>(ins.indice, ins.valor, tabla));
    }
    r.tope = anotar(Operar<op>(a, b));
}

}  // namespace programa

namespace programa {

template <bool comprobar, class Anotar>
double Correr(Programa& p, const TablaVariables& t, Anotar& anotar) {
    using namespace programa;
    const Valores tabla{t.valores.data(), t.cuenta};
    Registros r{.debajo = p.pila.data()};
    // The program ends in Fin: the loop needs no test of its own.
    for (const Instruccion* i = p.instrucciones.data();; ++i) {
        const Instruccion& ins = *i;
        switch (ins.clave) {
            case Clave(Op::Fin):
                return r.tope;
            case Clave(Op::Numero):
                *r.debajo++ = r.tope;
                r.tope = anotar(ins.valor);
                break;
            case Clave(Op::Cero):
                *r.debajo++ = r.tope;
                r.tope = 0;
                break;
            case Clave(Op::Variable):
                *r.debajo++ = r.tope;
                r.tope = anotar(LeerVariable<comprobar>(ins.indice, tabla));
                break;
            case Clave(Op::Constante):
                *r.debajo++ = r.tope;
                r.tope = anotar(ins.formula(0));
                break;
            case Clave(Op::Funcion):
                r.tope = anotar(ins.formula(r.tope));
                break;
#define RELIVO_FORMA(OP, I, D)                                               \
    case Clave(OP, Fuente::I, Fuente::D):                                    \
        Binaria<OP, Fuente::I, Fuente::D, comprobar>(ins, tabla, r, anotar); \
        break;
#define RELIVO_OPERACION(OP)           \
    RELIVO_FORMA(OP, Pila, Pila)       \
    RELIVO_FORMA(OP, Pila, Numero)     \
    RELIVO_FORMA(OP, Pila, Variable)   \
    RELIVO_FORMA(OP, Numero, Numero)   \
    RELIVO_FORMA(OP, Numero, Variable) \
    RELIVO_FORMA(OP, Variable, Numero) \
    RELIVO_FORMA(OP, Variable, Variable)
                RELIVO_OPERACION(Op::Sumar)
                RELIVO_OPERACION(Op::Restar)
                RELIVO_OPERACION(Op::Multiplicar)
                RELIVO_OPERACION(Op::Dividir)
                RELIVO_OPERACION(Op::Residuo)
                RELIVO_OPERACION(Op::Potencia)
                RELIVO_OPERACION(Op::Cuadrado)
#undef RELIVO_OPERACION
#undef RELIVO_FORMA
            default:
                // Every instruction's code is made by `Clave` from the
                // operations above: the dispatch needs no range check.
                __builtin_unreachable();
        }
    }
}

}  // namespace programa

// Evaluates the program with the variable values of the table, on the
// program's own stack. Raises 5, 6, 9 or 11 as the first failing operation
// says, in the order the tree gives its operands.
template <class Anotar>
double Ejecutar(Programa& p, const TablaVariables& tabla, Anotar&& anotar) {
    if (p.mayorIndice <= tabla.cuenta) {
        return programa::Correr<false>(p, tabla, anotar);
    }
    return programa::Correr<true>(p, tabla, anotar);
}

}  // namespace relivo
