// The expression tree: built once from canonical text, compiled into a flat
// program, evaluated without recursion for every new set of variable values.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "evaluar/functions.h"
#include "evaluar/variables.h"

namespace relivo {

// A node: an operator, a code, the text of a number, or "" for an empty node.
// A child is created empty the first time it is read.
class Tree {
public:
    Tree() = default;
    ~Tree();  // releases the subtree without recursion
    Tree(const Tree&) = delete;
    Tree& operator=(const Tree&) = delete;

    std::string F;

    Tree& TreeL();
    Tree& TreeR();
    // The children without creating them (null when never read).
    const Tree* Izquierdo() const { return l_.get(); }
    const Tree* Derecho() const { return r_.get(); }

private:
    std::unique_ptr<Tree> l_;
    std::unique_ptr<Tree> r_;
};

// Fills `nodo` (empty) from canonical text. "+", "-", "%", "*", "/", "^" are
// tried in that order, each split at its rightmost occurrence outside
// parentheses, so every operator associates to the left.
void ConstruirArbol(std::string_view texto, Tree& nodo);

// The tree as a postfix program over a value stack.
struct Instruccion {
    enum class Op : uint8_t {
        Numero,
        Variable,
        Constante,
        Funcion,
        Sumar,
        Restar,
        Multiplicar,
        Dividir,
        Residuo,
        Potencia,
        Cuadrado,  // a power whose exponent is the number 2
        Cero,
        Fin,  // the end of the program: the run returns the top of the stack
    };
    // Where a binary operation takes an operand: from the stack, or from
    // this instruction (a number or a variable folded into it). With both
    // operands folded in, the operation pushes its value like a leaf.
    enum class Fuente : uint8_t { Pila, Numero, Variable };

    Op op;
    uint8_t clave = 0;  // the operation with its operands' places in one code (`Clave`)
    Fuente derecho = Fuente::Pila;
    Fuente izquierdo = Fuente::Pila;
    Formula formula = nullptr;  // Constante, Funcion: the code's formula
    int32_t indice = 0;  // Variable, folded right variable: the index (0 when no valid index)
    double valor = 0;    // Numero, folded right number: the value
    int32_t indiceIzquierdo = 0;  // folded left variable
    double valorIzquierdo = 0;    // folded left number
};

// One code for an operation and the places of its operands, so that a run
// dispatches once per instruction. Leaves and functions take no folded
// operand and keep the default places.
constexpr uint8_t Clave(Instruccion::Op op,
                        Instruccion::Fuente izquierdo = Instruccion::Fuente::Pila,
                        Instruccion::Fuente derecho = Instruccion::Fuente::Pila) {
    return static_cast<uint8_t>(static_cast<int>(op) * 9 + static_cast<int>(izquierdo) * 3 +
                                static_cast<int>(derecho));
}

// The instruction that ends every program.
inline constexpr Instruccion kFin{.op = Instruccion::Op::Fin, .clave = Clave(Instruccion::Op::Fin)};

struct Programa {
    // Ends in Fin. A program not compiled (yet) runs to 0.
    std::vector<Instruccion> instrucciones{kFin};
    // The stack of a run, one slot per instruction, reused by every run.
    std::vector<double> pila = std::vector<double>(1);
    // The largest variable index it reads (0: none), or INT32_MAX when it
    // reads one below 1: a table holds every index it reads when its count
    // is at least this.
    int32_t mayorIndice = 0;
};

Programa Compilar(const Tree& raiz);

}  // namespace relivo
