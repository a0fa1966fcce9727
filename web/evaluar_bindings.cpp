// Evaluar for JavaScript: the engine's members under their lower camel case
// names, a variable or a text given as a JavaScript number or string, and
// the Error event delivered to a function the page sets (alError).
#include <emscripten/bind.h>
#include <emscripten/val.h>

#include <string>
#include <vector>

#include "relivo/evaluar.h"

namespace relivo {
namespace {

using emscripten::val;

// A JavaScript number is a number, anything else its text.
Variante DeJs(const val& v) {
    if (v.typeOf().as<std::string>() == "number") return Variante(v.as<double>());
    return Variante(v.isString() ? v.as<std::string>() : v.call<std::string>("toString"));
}

class EvaluarWeb : public EventosEvaluar {
public:
    EvaluarWeb() : ev_(this) {}

    void Error(int32_t NumError, const std::string& DescrError) override {
        if (alError_.typeOf().as<std::string>() == "function") alError_(NumError, DescrError);
    }

    val AlError() const { return alError_; }
    void FijarAlError(val funcion) { alError_ = std::move(funcion); }

    std::string Funcion() const { return ev_.Funcion(); }
    void FijarFuncion(const std::string& texto) { ev_.Funcion(texto); }
    int32_t NumeroError() const { return ev_.NumeroError(); }
    std::string Error_() const { return ev_.Error(); }
    int16_t NumeroVariables() const { return ev_.NumeroVariables(); }
    std::string Variable(int16_t Index) { return ev_.Variable(Index); }
    int16_t IndiceVariable(const std::string& Var) { return ev_.IndiceVariable(Var); }
    bool ExisteVariable(const std::string& Var) { return ev_.ExisteVariable(Var); }
    double Valor(val Variable) { return ev_.Valor(DeJs(Variable)); }
    void FijarValor(val Variable, double valor) { ev_.Valor(DeJs(Variable), valor); }
    void ValorPorIndice(int16_t Index, double valor) { ev_.ValorPorIndice(Index, valor); }
    void ValoresPorIndice(val valores) {
        const std::vector<double> v = emscripten::vecFromJSArray<double>(valores);
        ev_.ValoresPorIndice(v);
    }
    void Substituir(val Variable, val texto) { ev_.Substituir(DeJs(Variable), DeJs(texto)); }
    double Resultado() const { return ev_.Resultado(); }
    std::string TextoCanonico() const { return ev_.TextoCanonico(); }

private:
    // The read members of the engine are not const: they may evaluate.
    mutable Evaluar ev_;
    val alError_ = val::undefined();
};

EMSCRIPTEN_BINDINGS(relivo_evaluar) {
    emscripten::class_<EvaluarWeb>("EvaluarNativo")
        .constructor<>()
        .property("alError", &EvaluarWeb::AlError, &EvaluarWeb::FijarAlError)
        .property("funcion", &EvaluarWeb::Funcion, &EvaluarWeb::FijarFuncion)
        .property("numeroError", &EvaluarWeb::NumeroError)
        .property("error", &EvaluarWeb::Error_)
        .property("numeroVariables", &EvaluarWeb::NumeroVariables)
        .property("resultado", &EvaluarWeb::Resultado)
        .property("textoCanonico", &EvaluarWeb::TextoCanonico)
        .function("variable", &EvaluarWeb::Variable)
        .function("indiceVariable", &EvaluarWeb::IndiceVariable)
        .function("existeVariable", &EvaluarWeb::ExisteVariable)
        .function("valor", &EvaluarWeb::Valor)
        .function("fijarValor", &EvaluarWeb::FijarValor)
        .function("valorPorIndice", &EvaluarWeb::ValorPorIndice)
        .function("valoresPorIndice", &EvaluarWeb::ValoresPorIndice)
        .function("substituir", &EvaluarWeb::Substituir);
}

}  // namespace
}  // namespace relivo
