// The variant argument of Valor and Substituir: empty, a number or a text.
#pragma once

#include <string>
#include <utility>

namespace relivo {

struct Variante {
    enum class Tipo { Vacio, Numero, Texto };

    Tipo tipo = Tipo::Vacio;
    double numero = 0;
    std::string texto;

    Variante() = default;
    Variante(double n) : tipo(Tipo::Numero), numero(n) {}                // NOLINT
    Variante(int n) : tipo(Tipo::Numero), numero(n) {}                   // NOLINT
    Variante(std::string t) : tipo(Tipo::Texto), texto(std::move(t)) {}  // NOLINT
    Variante(const char* t) : tipo(Tipo::Texto), texto(t) {}             // NOLINT
};

}  // namespace relivo
