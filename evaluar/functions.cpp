#include "evaluar/functions.h"

#include <cmath>
#include <random>

#include "evaluar/arithmetic.h"
#include "platform/numbers.h"

namespace relivo {

using namespace aritmetica;

double Aleatorio() {
    // Never reseeded: every process starts the same sequence.
    static std::minstd_rand generador;
    return static_cast<double>(generador() - std::minstd_rand::min()) /
           static_cast<double>(std::minstd_rand::max() - std::minstd_rand::min() + 1);
}

namespace {

double X2(double x) {
    return Multiplicar(x, x);
}

}  // namespace

double ValorFuncion(char codigo, double x) {
    switch (codigo) {
        case 'J':
            return Pi();
        case 'K':
            return Exp(1);
        case '_':
            return -x;
        case 'D':
            return Aleatorio();
        case 'a':
            return std::sin(x);
        case 'b':
            return std::cos(x);
        case 'c':
            return Comprobar(std::tan(x));
        case 'd':
            return Dividir(1, std::tan(x));
        case 'e':
            return Dividir(1, std::cos(x));
        case 'f':
            return Dividir(1, std::sin(x));
        case 'g':
            return Dividir(Restar(Exp(x), Exp(-x)), 2);
        case 'h':
            return Dividir(Sumar(Exp(x), Exp(-x)), 2);
        case 'i':
            return Dividir(Restar(Exp(x), Exp(-x)), Sumar(Exp(x), Exp(-x)));
        case 'j':
            return Dividir(Sumar(Exp(x), Exp(-x)), Restar(Exp(x), Exp(-x)));
        case 'k':
            return Dividir(2, Sumar(Exp(x), Exp(-x)));
        case 'l':
            return Dividir(2, Restar(Exp(x), Exp(-x)));
        case 'm':
            return std::atan(Dividir(x, Raiz(Restar(1, X2(x)))));
        case 'n':
            return Sumar(std::atan(Dividir(-x, Raiz(Restar(1, X2(x))))), MedioPi());
        case 'o':
            return std::atan(x);
        case 'p':
            return Sumar(std::atan(x), MedioPi());
        case 'q':
            return Sumar(std::atan(Dividir(x, Raiz(Restar(X2(x), 1)))),
                         Signo(Restar(x, 1)) * MedioPi());
        case 'r':
            return Sumar(std::atan(Dividir(x, Raiz(Restar(X2(x), 1)))), (Signo(x) - 1) * MedioPi());
        case 's':
            return Ln(Sumar(x, Raiz(Sumar(X2(x), 1))));
        case 't':
            return Ln(Sumar(x, Raiz(Restar(X2(x), 1))));
        case 'u':
            return Dividir(Ln(Dividir(Sumar(x, 1), Restar(1, x))), 2);
        case 'v':
            return Dividir(Ln(Dividir(Sumar(x, 1), Restar(x, 1))), 2);
        case 'w':
            return Ln(Dividir(Sumar(Raiz(Restar(1, X2(x))), 1), x));
        case 'x':
            return Ln(Dividir(Sumar(Signo(x) * Raiz(Sumar(X2(x), 1)), 1), x));
        case 'y':
            return Dividir(Ln(x), Ln(10));
        case 'z':
            return Ln(x);
        case 'A':
            return Exp(x);
        case 'B':
            return Raiz(x);
        case 'C':
            return Potencia(x, 1.0 / 3.0);
        case 'F':
            return numeros::AEntero16(x);
        case 'G':
            return Signo(x);
        case 'H':
            return std::fabs(x);
        default:
            return 0;
    }
}

}  // namespace relivo
