// The reference value of a canonical text: its tree, unsimplified, evaluated
// step by step like the engine's own evaluator, while it also notes the
// largest and the smallest non-zero magnitude met on the way (the scale of
// the rounding that regrouping the operations may change).
#pragma once

#include <cmath>
#include <cstdint>
#include <limits>
#include <string>
#include <vector>

#include "evaluar/arithmetic.h"
#include "evaluar/functions.h"
#include "evaluar/tree.h"
#include "evaluar/variables.h"
#include "platform/error.h"

namespace relivo::fuzz {

struct Medida {
    bool fallo = false;
    int32_t numero = 0;
    double valor = 0;
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
    double Leer(int32_t indice) const {
        if (indice < 1 || indice > tabla_.cuenta) {
            aritmetica::Fallar(indice < 0 ? errores::kDesbordamiento : errores::kSubindice);
        }
        return tabla_.valores[static_cast<size_t>(indice - 1)];
    }

    double Evaluar(Medida& m) {
        using Op = Instruccion::Op;
        using namespace aritmetica;
        std::vector<double> pila;
        auto anotar = [&](double v) {
            const double a = std::fabs(v);
            if (a > m.mayor) m.mayor = a;
            if (a > 0 && a < m.menor) m.menor = a;
            return v;
        };
        for (const Instruccion& ins : programa_.instrucciones) {
            switch (ins.op) {
                case Op::Numero:
                    pila.push_back(anotar(ins.valor));
                    continue;
                case Op::Cero:
                    pila.push_back(0);
                    continue;
                case Op::Variable:
                    pila.push_back(anotar(Leer(ins.indice)));
                    continue;
                case Op::Constante:
                    pila.push_back(anotar(ValorFuncion(ins.codigo, 0)));
                    continue;
                case Op::Funcion:
                    pila.back() = anotar(ValorFuncion(ins.codigo, pila.back()));
                    continue;
                default:
                    break;
            }
            double r = 0;
            switch (ins.derecho) {
                case Instruccion::Fuente::Pila:
                    r = pila.back();
                    pila.pop_back();
                    break;
                case Instruccion::Fuente::Numero:
                    r = anotar(ins.valor);
                    break;
                default:
                    r = anotar(Leer(ins.indice));
                    break;
            }
            double& l = pila.back();
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
            anotar(l);
        }
        return pila.empty() ? 0 : pila[0];
    }

    TablaVariables tabla_;
    Tree raiz_;
    Programa programa_;
};

}  // namespace relivo::fuzz
