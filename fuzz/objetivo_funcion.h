// Funcion [Let] with arbitrary bytes.
//
// A refused text fails at the check the rules of acceptance name, through
// the error path (one Error event, NumeroError and Error as the event says),
// and leaves no text, no variables and no result behind. An accepted text
// lists its variables consistently, has no result until every variable has
// a value and then a finite one or a failure; and its display text reads
// back with the same meaning.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

#include "fuzz/comun.h"
#include "fuzz/evaluar_vigilado.h"
#include "fuzz/ida_y_vuelta.h"
#include "fuzz/validacion_esperada.h"

namespace relivo::fuzz::funcion {

inline bool TieneCaracterSinRegla(const std::string& t) {
    if (t.find('_') != std::string::npos) return true;
    for (size_t i = 0; i < t.size(); ++i) {
        if (LargoUtf8(t, i) > 0) return true;
    }
    return false;
}

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

inline void Probar(const std::string& texto) {
    EvaluarVigilado v;
    v.Funcion(texto);
    const int32_t numero = v.ev().NumeroError();
    const int32_t esperado = ValidacionEsperada(texto);
    if (esperado != 0) {
        EXIGE(numero == esperado, Literal(texto) + " gave " + std::to_string(numero) +
                                      " instead of " + std::to_string(esperado));
    } else {
        EXIGE(numero != kBase + 2 && numero != kBase + 3 && numero != kBase + 5,
              Literal(texto) + " passes the checks but gave " + std::to_string(numero));
        EXIGE(numero != kBase + 4 || TieneCaracterSinRegla(texto),
              Literal(texto) + " has no refused character but gave " + std::to_string(numero));
    }
    if (numero != 0) {
        Rechazada(v, texto);
    } else {
        Aceptada(v, texto);
    }
}

// Runs one input: the text given to Funcion [Let].
inline void Ejecutar(std::string_view datos) {
    Probar(std::string(datos));
}

}  // namespace relivo::fuzz::funcion
