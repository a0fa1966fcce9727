#include "relivo/evaluar.h"

#include <algorithm>

#include "evaluar/arithmetic.h"
#include "evaluar/canonical.h"
#include "evaluar/display.h"
#include "evaluar/messages.h"
#include "evaluar/program_run.h"
#include "evaluar/simplifier.h"
#include "evaluar/state.h"
#include "evaluar/validation.h"
#include "platform/numbers.h"

namespace relivo {
namespace {

// Index named by a numeric variant argument, rounded halves to even. A
// value that is neither a number nor a text names nothing: type mismatch.
bool EsIndice(const Variante& v) {
    if (v.tipo == Variante::Tipo::Otro) throw Fallo::Plataforma(errores::kTiposNoCoinciden);
    return v.tipo != Variante::Tipo::Texto || numeros::EsNumero(v.texto);
}

double ValorNumerico(const Variante& v) {
    if (v.tipo == Variante::Tipo::Numero) return v.numero;
    if (v.tipo == Variante::Tipo::Vacio) return 0;
    return numeros::ANumero(v.texto);
}

}  // namespace

Evaluar::Evaluar(EventosEvaluar* eventos) : e_(std::make_unique<EstadoEvaluar>()) {
    e_->eventos = eventos;
}

Evaluar::~Evaluar() = default;

void Evaluar::FijarEventos(EventosEvaluar* eventos) {
    e_->eventos = eventos;
}

namespace {

// Records the failure being handled (inside a catch block).
[[gnu::cold]] void Registrar(EstadoEvaluar& e) {
    const Fallo f = FalloActual();
    e.numeroError = f.numero();
    e.textoError = f.texto();
}

// Reports the recorded failure through the Error event, with copies that a
// handler calling back in cannot change.
[[gnu::cold]] void Reportar(EstadoEvaluar& e) {
    const int32_t numero = e.numeroError;
    const std::string texto = e.textoError;
    if (e.eventos != nullptr) e.eventos->Error(numero, texto);
}

}  // namespace

// Runs a public member's body; a failure is recorded, reported once through
// the Error event and turned into the member's default result (0, "" or
// false: its type's zero value). The event is raised outside the handler, so
// a host that calls back in meets no active exception.
template <class Cuerpo>
static auto Miembro(EstadoEvaluar& e, Cuerpo&& cuerpo) -> decltype(cuerpo()) {
    try {
        return cuerpo();
    } catch (...) {
        Registrar(e);
    }
    Reportar(e);
    return decltype(cuerpo())();
}

namespace {

// Compiles the canonical text into a new tree, releasing the old one.
void ConstruirTodo(EstadoEvaluar& e) {
    e.arbol.reset();
    e.programa = Programa{};
    auto arbol = std::make_unique<Tree>();
    ConstruirArbol(e.canonico, *arbol);
    e.programa = Compilar(*arbol);
    e.arbol = std::move(arbol);
}

void Evaluacion(EstadoEvaluar& e) {
    e.resultado = Ejecutar(e.programa, e.variables, [](double v) { return v; });
}

// Simplifies canonical text and renumbers the variables through the display
// text, so that the table holds exactly the variables that survived.
void SimplificarYRenumerar(EstadoEvaluar& e, const std::string& canonico1) {
    const std::string simplificado = Simplificador(e.variables).Reducir(canonico1);
    e.variables.cuenta = 0;
    const std::string visible = TextoMostrado(simplificado, e.variables);
    e.canonico = Canonizar(visible, e.variables);
}

// Almacenar before the result is ready: the slot is marked as having a
// value, and the result becomes ready once every slot has one.
[[gnu::noinline]] bool AlmacenarSinListo(EstadoEvaluar& e, size_t k, double valor) {
    TablaVariables& t = e.variables;
    if (t.valores[k] == valor && t.definidos[k]) return false;
    t.valores[k] = valor;
    t.definidos[k] = true;
    for (bool d : t.definidos) {
        if (!d) return false;
    }
    e.listo = true;
    return true;
}

// Stores a finite value in slot k of the table; true when the expression
// must now be evaluated again: every variable has a value and this one
// changed. Once the result is ready every variable has a value, and a new
// point only writes its values: that path stays in the caller.
inline bool Almacenar(EstadoEvaluar& e, size_t k, double valor) {
    if (!e.listo) return AlmacenarSinListo(e, k, valor);
    double& v = e.variables.valores[k];
    if (v == valor) return false;
    v = valor;
    return true;
}

// True when `valor` can be stored in slot k: a slot of the table and a
// finite value.
bool Guardable(const EstadoEvaluar& e, size_t k, double valor) {
    return k < static_cast<size_t>(e.variables.cuenta) && std::isfinite(valor);
}

// Raises the failure of storing what Guardable refuses: no such variable,
// or the value's own error (5 or 6).
[[noreturn]] void FallarAlGuardar(const EstadoEvaluar& e, size_t k, double valor) {
    if (k >= static_cast<size_t>(e.variables.cuenta)) throw Fallo(mensajes::kNoExisteVariable);
    aritmetica::FallarNoFinito(valor);
}

// Stores the value of variable i, as Almacenar, after checking both.
bool GuardarValor(EstadoEvaluar& e, int16_t i, double valor) {
    // Indexes below 1 wrap to beyond any table (which holds 32,767 at most).
    const size_t k = static_cast<uint16_t>(i - 1);
    if (!Guardable(e, k, valor)) FallarAlGuardar(e, k, valor);
    return Almacenar(e, k, valor);
}

// Evaluates with the stored values, every variable having one; a failure
// leaves no result ready.
void Reevaluar(EstadoEvaluar& e) {
    e.listo = false;
    Evaluacion(e);
    e.listo = true;
}

// Stores the value of variable i and, once every variable has one,
// evaluates again; a value that changes nothing evaluates nothing.
void FijarValor(EstadoEvaluar& e, int16_t i, double valor) {
    if (GuardarValor(e, i, valor)) Reevaluar(e);
}

int16_t IndiceDeNombre(const EstadoEvaluar& e, const Variante& v) {
    return e.variables.BuscarPorNombre(v.texto);
}

}  // namespace

std::string Evaluar::Funcion() {
    return Miembro(*e_, [&] { return TextoMostrado(e_->canonico, e_->variables); });
}

void Evaluar::Funcion(std::string_view valor) {
    EstadoEvaluar& e = *e_;
    e.numeroError = 0;
    e.variables.cuenta = 0;
    e.variables.cursor = 0;
    e.resultado = 0;
    e.canonico.clear();
    e.listo = false;
    const bool aceptada = Miembro(e, [&] {
        ValidarExpresion(valor);
        SimplificarYRenumerar(e, Canonizar(valor, e.variables));
        ConstruirTodo(e);
        if (e.variables.cuenta == 0) Evaluacion(e);
        e.listo = e.variables.cuenta == 0;
        return true;
    });
    if (!aceptada) {
        // A refused expression leaves no text and no variables behind.
        e.canonico.clear();
        e.variables.cuenta = 0;
    }
}

int32_t Evaluar::NumeroError() const {
    return e_->numeroError;
}

std::string Evaluar::Error() const {
    return e_->textoError;
}

std::string Evaluar::TextoCanonico() const {
    return e_->canonico;
}

int16_t Evaluar::NumeroVariables() {
    return Miembro(*e_, [&] { return e_->variables.cuenta; });
}

std::string Evaluar::Variable(int16_t Index) {
    return Miembro(*e_, [&] {
        TablaVariables& t = e_->variables;
        if (t.cuenta == 0) throw Fallo(mensajes::kNoHayVariables);
        if (Index != 0) {
            if (Index > t.cuenta || Index < 1) throw Fallo(mensajes::kIndiceFuera);
            return t.Nombre(Index);
        }
        if (t.cursor >= t.cuenta) t.cursor = 0;
        ++t.cursor;
        return t.Nombre(t.cursor);
    });
}

int16_t Evaluar::IndiceVariable(const std::string& Var) {
    return Miembro(*e_, [&] {
        const int16_t i = e_->variables.BuscarPorNombre(Var);
        if (i == 0) throw Fallo(mensajes::kNoExisteVariable);
        return i;
    });
}

bool Evaluar::ExisteVariable(std::string_view Variable) {
    return Miembro(*e_, [&] { return e_->variables.BuscarPorNombre(Variable) != 0; });
}

double Evaluar::Valor(const Variante& Variable) {
    return Miembro(*e_, [&] {
        const TablaVariables& t = e_->variables;
        int16_t i = 0;
        if (EsIndice(Variable)) {
            const double v = ValorNumerico(Variable);
            if (!(v > 0 && v <= t.cuenta)) throw Fallo(mensajes::kNoExisteDentro);
            i = numeros::AEntero16(v);
            if (i < 1) throw Fallo::Plataforma(errores::kSubindice);
        } else {
            i = IndiceDeNombre(*e_, Variable);
            if (i == 0) throw Fallo(mensajes::kNoExisteDentro);
        }
        return t.valores[static_cast<size_t>(i - 1)];
    });
}

void Evaluar::Valor(const Variante& Variable, double valor) {
    EstadoEvaluar& e = *e_;
    e.numeroError = 0;
    Miembro(e, [&] {
        const int16_t i = EsIndice(Variable) ? numeros::AEntero16(ValorNumerico(Variable))
                                             : IndiceDeNombre(e, Variable);
        FijarValor(e, i, valor);
    });
}

void Evaluar::ValorPorIndice(int16_t Index, double valor) {
    EstadoEvaluar& e = *e_;
    e.numeroError = 0;
    Miembro(e, [&] { FijarValor(e, Index, valor); });
}

void Evaluar::ValoresPorIndice(std::span<const double> valores) {
    EstadoEvaluar& e = *e_;
    e.numeroError = 0;
    Miembro(e, [&] {
        // The calls one by one, each value stored as its own call would. Only
        // the last call that evaluates counts: every one after it stores
        // nothing, so it sees the final values, and it overwrites what the
        // evaluations before it left. Of the failures, only the last call's
        // stands: a call after a failure clears the error, as Valor [Let]
        // does.
        const size_t n = valores.size();
        size_t evalua = n;  // the last call that evaluates; n: none
        size_t falla = n;   // the last call that cannot store its value; n: none
        for (size_t k = 0; k < n; ++k) {
            if (Guardable(e, k, valores[k])) {
                if (Almacenar(e, k, valores[k])) evalua = k;
            } else {
                falla = k;
            }
        }
        if (evalua + 1 == n) {
            Reevaluar(e);
        } else if (evalua < n) {
            try {
                Reevaluar(e);
            } catch (const Fallo&) {
                // A later call cleared the error.
            }
        }
        if (falla + 1 == n) FallarAlGuardar(e, falla, valores[falla]);
    });
}

void Evaluar::Substituir(const Variante& Variable, const Variante& texto) {
    EstadoEvaluar& e = *e_;
    Miembro(e, [&] {
        TablaVariables& t = e.variables;
        const int16_t i = EsIndice(Variable) ? numeros::AEntero16(ValorNumerico(Variable))
                                             : IndiceDeNombre(e, Variable);
        if (i < 1 || i > t.cuenta) throw Fallo(mensajes::kNoExisteVariable);
        if (texto.tipo != Variante::Tipo::Texto)
            throw Fallo::Plataforma(errores::kTiposNoCoinciden);
        t.nombres[static_cast<size_t>(i - 1)] = "(" + texto.texto + ")";
        const std::string visible = TextoMostrado(e.canonico, t);
        SimplificarYRenumerar(e, Canonizar(visible, t));
        ConstruirTodo(e);
        e.listo = false;
        if (t.cuenta == 0) {
            try {
                Evaluacion(e);
            } catch (...) {
                e.listo = false;
                throw;
            }
            e.listo = e.numeroError == 0;
        }
    });
}

// Resultado when no result is ready: 0, and the failure of reading a value
// never computed unless a failure already stands.
[[gnu::noinline]] static double SinResultado(EstadoEvaluar& e) {
    return Miembro(e, [&] {
        if (e.numeroError == 0) throw Fallo(mensajes::kNoDefinida);
        return 0.0;
    });
}

double Evaluar::Resultado() {
    // A ready result is the hot path: it is kept free of the error path's
    // frame.
    if (e_->listo) return e_->resultado;
    return SinResultado(*e_);
}

}  // namespace relivo
