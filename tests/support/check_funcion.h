// Funcion [Let] with arbitrary bytes.
//
// A refused text fails through the error path (one Error event, NumeroError
// and Error as the event says) and leaves no text, no variables and no
// result behind; an accepted text spoilt by one parenthesis or one refused
// character fails at the check that names it. An accepted text
// lists its variables consistently, has no result until every variable has
// a value and then a finite one or a failure; and its display text reads
// back with the same meaning.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

#include "tests/support/invariants.h"
#include "tests/support/round_trip.h"
#include "tests/support/watched_evaluar.h"

namespace relivo::fuzz::funcion {

inline void Rechazada(EvaluarVigilado& v, const std::string& texto) {
    Evaluar& ev = v.ev();
    const int32_t numero = ev.NumeroError();
    EXIGE(ev.TextoCanonico().empty() && v.Funcion().empty(), "text left after " + Literal(texto));
    EXIGE(v.NumeroVariables() == 0, "variables left after " + Literal(texto));
    const size_t eventos = v.Eventos();
    EXIGE(v.Resultado() == 0 && v.Eventos() == eventos && ev.NumeroError() == numero,
          "Resultado after the refused " + Literal(texto) + " is not a silent 0");
    v.Valor(Variante(1.0));
    EXIGE(v.Fallo() && ev.NumeroError() == kBase + 6,
          "Valor(1) after the refused " + Literal(texto) + " finds a variable");
}

inline void Aceptada(EvaluarVigilado& v, const std::string& texto) {
    const int16_t n = v.NumeroVariables();
    // Without variables the value is there at once; with them, not before
    // every variable has a value.
    v.Resultado();
    if (n == 0) {
        EXIGE(!v.Fallo(), "no result for the accepted constant " + Literal(texto));
    } else {
        EXIGE(v.Fallo() && v.ev().NumeroError() == kBase + 5,
              "a result before the variables of " + Literal(texto) + " have values");
    }
    for (int16_t i = 1; i <= n; ++i) {
        const std::string nombre = v.Variable(i);
        EXIGE(!v.Fallo() && !nombre.empty(),
              "Variable(" + std::to_string(i) + ") of " + Literal(texto));
        EXIGE(v.IndiceVariable(nombre) == i && v.ExisteVariable(nombre),
              "variable " + Literal(nombre) + " of " + Literal(texto) + " not found by its name");
    }
    for (int16_t i = 1; i <= n; ++i) {
        EXIGE(v.Variable(0) == v.ev().Variable(i), "Variable(0) out of turn in " + Literal(texto));
    }
    v.Variable(static_cast<int16_t>(n + 1));
    EXIGE(v.Fallo(), "Variable(count + 1) of " + Literal(texto) + " did not fail");
    IdaYVuelta(v, texto);
}

// An accepted text makes the acceptance checks fail predictably once it is
// spoilt: one ")" too many, one "(" never closed, a refused character.
inline void Estropeada(const std::string& texto) {
    const struct {
        std::string texto;
        int32_t numero;
    } casos[] = {
        {texto + ")", kBase + 2},
        {"(" + texto, kBase + 3},
        {texto + "$", kBase + 4},
    };
    for (const auto& c : casos) {
        EvaluarVigilado v;
        v.Funcion(c.texto);
        EXIGE(v.ev().NumeroError() == c.numero, Literal(c.texto) + " gave " +
                                                    std::to_string(v.ev().NumeroError()) +
                                                    " instead of " + std::to_string(c.numero));
        Rechazada(v, c.texto);
    }
}

// Runs one input: the text given to Funcion [Let].
inline void Ejecutar(std::string_view datos) {
    const std::string texto(datos);
    EvaluarVigilado v;
    v.Funcion(texto);
    if (v.ev().NumeroError() != 0) {
        Rechazada(v, texto);
    } else {
        Aceptada(v, texto);
        if (texto.size() < 32000) Estropeada(texto);
    }
}

}  // namespace relivo::fuzz::funcion
