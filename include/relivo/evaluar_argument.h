// The variant argument of Valor and Substituir: empty, a number, a text, or
// another value a host may pass (an object without a default value, an
// array), which the members take as a type mismatch (13).
#pragma once

#include <string>
#include <utility>

namespace relivo {

struct Variante {
    enum class Tipo { Vacio, Numero, Texto, Otro };

    Tipo tipo = Tipo::Vacio;
    double numero = 0;
    std::string texto;

    Variante() = default;
    Variante(double n) : tipo(Tipo::Numero), numero(n) {}                // NOLINT
    Variante(int n) : tipo(Tipo::Numero), numero(n) {}                   // NOLINT
    Variante(std::string t) : tipo(Tipo::Texto), texto(std::move(t)) {}  // NOLINT
    Variante(const char* t) : tipo(Tipo::Texto), texto(t) {}             // NOLINT

    // A value that is neither empty, a number nor a text.
    static Variante Otro() {
        Variante v;
        v.tipo = Tipo::Otro;
        return v;
    }
};

}  // namespace relivo
