// Running a compiled program: one pass over its instructions with the top of
// the value stack held apart, so that most operations touch no memory.
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

inline double LeerVariable(int32_t indice, const TablaVariables& tabla) {
    if (indice < 1 || indice > tabla.cuenta) [[unlikely]]
        aritmetica::Fallar(indice < 0 ? errores::kDesbordamiento : errores::kSubindice);
    return tabla.valores[static_cast<size_t>(indice - 1)];
}

// A leaf folded into an operation: a number or a variable.
inline double Hoja(Fuente fuente, int32_t indice, double valor, const TablaVariables& tabla) {
    return fuente == Fuente::Numero ? valor : LeerVariable(indice, tabla);
}

inline double Operar(Op op, double l, double r) {
    using namespace aritmetica;
    switch (op) {
        case Op::Sumar:
            return Sumar(l, r);
        case Op::Restar:
            return Restar(l, r);
        case Op::Multiplicar:
            return Multiplicar(l, r);
        case Op::Dividir:
            return Dividir(l, r);
        case Op::Residuo:
            return Residuo(l, r);
        default:
            return Potencia(l, r);
    }
}

}  // namespace programa

// Evaluates the program with the variable values of the table; `pila` is the
// caller's scratch stack, grown as needed. Raises 5, 6, 9 or 11 as the first
// failing operation says, in the order the tree gives its operands.
template <class Anotar>
double Ejecutar(const Programa& p, const TablaVariables& tabla, std::vector<double>& pila,
                Anotar&& anotar) {
    using namespace programa;
    if (pila.size() < p.pila + 1) pila.resize(p.pila + 1);
    // The top of the stack stays in `tope`; the values below it are in
    // `pila`, the next free slot at `debajo`. Pushing spills the top.
    double tope = 0;
    double* debajo = pila.data();
    for (const Instruccion& ins : p.instrucciones) {
        switch (ins.op) {
            case Op::Numero:
                *debajo++ = tope;
                tope = anotar(ins.valor);
                break;
            case Op::Cero:
                *debajo++ = tope;
                tope = 0;
                break;
            case Op::Variable:
                *debajo++ = tope;
                tope = anotar(LeerVariable(ins.indice, tabla));
                break;
            case Op::Constante:
                *debajo++ = tope;
                tope = anotar(ValorFuncion(ins.codigo, 0));
                break;
            case Op::Funcion:
                tope = anotar(ValorFuncion(ins.codigo, tope));
                break;
            default: {
                double l, r;
                if (ins.izquierdo != Fuente::Pila) {
                    // Both operands are leaves: the operation pushes a value.
                    *debajo++ = tope;
                    l = anotar(Hoja(ins.izquierdo, ins.indiceIzquierdo, ins.valorIzquierdo, tabla));
                    r = anotar(Hoja(ins.derecho, ins.indice, ins.valor, tabla));
                } else if (ins.derecho == Fuente::Pila) {
                    r = tope;
                    l = *--debajo;
                } else {
                    l = tope;
                    r = anotar(Hoja(ins.derecho, ins.indice, ins.valor, tabla));
                }
                tope = anotar(Operar(ins.op, l, r));
            }
        }
    }
    return tope;
}

}  // namespace relivo
