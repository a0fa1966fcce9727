// Evaluar: the expression evaluator control.
//
// The host sets an expression (Funcion), lists its variables, gives them
// values (Valor) and reads the value (Resultado). Every failure is stored in
// NumeroError/Error and reported once through the Error event; no public
// member ever throws.
#pragma once

#include <cstdint>
#include <memory>
#include <span>
#include <string>
#include <string_view>

#include "relivo/evaluar_argument.h"

namespace relivo {

// The host's side of Evaluar's one event.
class EventosEvaluar {
public:
    virtual ~EventosEvaluar() = default;
    virtual void Error(int32_t NumError, const std::string& DescrError) = 0;
};

struct EstadoEvaluar;

class Evaluar {
public:
    // `eventos` may be null (no host listens); it must outlive the control.
    explicit Evaluar(EventosEvaluar* eventos = nullptr);
    ~Evaluar();
    Evaluar(const Evaluar&) = delete;
    Evaluar& operator=(const Evaluar&) = delete;

    void FijarEventos(EventosEvaluar* eventos);

    // The accepted expression in display spelling; "" when none is accepted.
    std::string Funcion();
    // Accepts a new expression: validation, canonical text, simplification,
    // renumbering of the variables, tree; evaluates at once without variables.
    void Funcion(std::string_view valor);

    int32_t NumeroError() const;
    std::string Error() const;

    int16_t NumeroVariables();
    // Name of variable Index (1-based); Index 0 enumerates them in turn.
    std::string Variable(int16_t Index);
    int16_t IndiceVariable(const std::string& Var);
    bool ExisteVariable(std::string_view Variable);

    // Variable: an index (a number, or text that reads as one) or a name.
    double Valor(const Variante& Variable);
    void Valor(const Variante& Variable, double valor);
    // Valor [Let] of the variable at Index, for hosts that need no variant:
    // the same as Valor(Variante(Index), valor), without converting a variant.
    void ValorPorIndice(int16_t Index, double valor);
    // The variables 1, 2, ... take valores[0], valores[1], ... with the same
    // outcome as ValorPorIndice(1, valores[0]), ValorPorIndice(2,
    // valores[1]), ... called in turn, evaluating once: the same values,
    // defined marks, result and error number. At most one Error event: the
    // failure of the last call. (A failure that a later call cleared leaves
    // no text behind, where the calls one by one would leave its text.)
    void ValoresPorIndice(std::span<const double> valores);
    // Replaces a variable by an expression (the variant must hold text).
    void Substituir(const Variante& Variable, const Variante& texto);

    double Resultado();

    // Canonical text of the accepted expression (for tools and tests).
    std::string TextoCanonico() const;

private:
    std::unique_ptr<EstadoEvaluar> e_;
};

}  // namespace relivo
