// The reference value of a canonical text: its tree, unsimplified, run by the
// engine's own evaluator with a watcher that notes the largest and the
// smallest non-zero magnitude met on the way (the scale of the rounding that
// regrouping the operations may change); and how far the simplification
// may move that value: the deliberate simplifications that the simplifier
// reports having applied.
#pragma once

#include <cmath>
#include <cstdint>
#include <limits>
#include <string>
#include <string_view>
#include <vector>

#include "evaluar/program_run.h"
#include "evaluar/simplifier.h"
#include "evaluar/tree.h"
#include "evaluar/variables.h"
#include "relivo/platform/error.h"

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
    double Evaluar(Medida& m) {
        return Ejecutar(programa_, tabla_, pila_, [&](double v) {
            const double a = std::fabs(v);
            if (a > m.mayor) m.mayor = a;
            if (a > 0 && a < m.menor) m.menor = a;
            return v;
        });
    }

    TablaVariables tabla_;
    Tree raiz_;
    Programa programa_;
    std::vector<double> pila_;
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

}  // namespace relivo::fuzz
