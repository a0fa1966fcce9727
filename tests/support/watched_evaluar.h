// An Evaluar instance whose every member call is watched: the call raises
// the Error event at most once; when it does, NumeroError and Error give the
// event's number and text, and the number is one a host may see; when it
// does not, a member that clears the error (Funcion and Valor [Let]) leaves
// 0 and any other member leaves the error state as it was. No value that
// reaches the host is an infinity or a not-a-number.
#pragma once

#include <cmath>
#include <cstdint>
#include <string>
#include <string_view>
#include <type_traits>
#include <utility>
#include <vector>

#include "relivo/evaluar.h"
#include "tests/support/invariants.h"

namespace relivo::fuzz {

// A host of Evaluar that records every Error event.
class HostEvaluar : public EventosEvaluar {
public:
    void Error(int32_t NumError, const std::string& DescrError) override {
        eventos.emplace_back(NumError, DescrError);
    }
    std::vector<std::pair<int32_t, std::string>> eventos;
};

class EvaluarVigilado {
public:
    EvaluarVigilado() : ev_(&host_) {}

    Evaluar& ev() { return ev_; }
    size_t Eventos() const { return host_.eventos.size(); }
    // Whether the last call raised the Error event.
    bool Fallo() const { return fallo_; }

    void Funcion(std::string_view t) {
        Vigilar("Funcion [Let] " + Literal(t), true, [&] { ev_.Funcion(t); });
    }
    std::string Funcion() {
        return Leer("Funcion [Get]", [&] { return ev_.Funcion(); });
    }
    int16_t NumeroVariables() {
        const int16_t r = Leer("NumeroVariables", [&] { return ev_.NumeroVariables(); });
        EXIGE(r >= 0, "negative count");
        return r;
    }
    std::string Variable(int16_t i) {
        return Leer("Variable " + std::to_string(i), [&] { return ev_.Variable(i); });
    }
    int16_t IndiceVariable(const std::string& n) {
        return Leer("IndiceVariable " + Literal(n), [&] { return ev_.IndiceVariable(n); });
    }
    bool ExisteVariable(std::string_view n) {
        const bool r = Leer("ExisteVariable " + Literal(n), [&] { return ev_.ExisteVariable(n); });
        EXIGE(!fallo_, "ExisteVariable raised an error");
        return r;
    }
    double Valor(const Variante& v) {
        const double r = Leer("Valor [Get] " + Nombre(v), [&] { return ev_.Valor(v); });
        EXIGE(std::isfinite(r), "Valor [Get] gave " + std::to_string(r));
        return r;
    }
    void Valor(const Variante& v, double x) {
        Vigilar("Valor [Let] " + Nombre(v) + " = " + std::to_string(x), true,
                [&] { ev_.Valor(v, x); });
    }
    void Substituir(const Variante& v, const Variante& t) {
        Vigilar("Substituir " + Nombre(v) + " by " + Nombre(t), false,
                [&] { ev_.Substituir(v, t); });
    }
    double Resultado() {
        const double r = Leer("Resultado", [&] { return ev_.Resultado(); });
        EXIGE(std::isfinite(r), "Resultado gave " + std::to_string(r));
        if (fallo_) EXIGE(r == 0, "a failed Resultado gave " + std::to_string(r));
        return r;
    }

    static std::string Nombre(const Variante& v) {
        if (v.tipo == Variante::Tipo::Vacio) return "(empty)";
        return v.tipo == Variante::Tipo::Numero ? std::to_string(v.numero) : Literal(v.texto);
    }

private:
    // A member that reads: watched, and what it gives.
    template <class F>
    std::invoke_result_t<F&> Leer(const std::string& que, F&& llamada) {
        std::invoke_result_t<F&> r{};
        Vigilar(que, false, [&] { r = llamada(); });
        return r;
    }

    template <class F>
    void Vigilar(const std::string& que, bool limpia, F&& llamada) {
        const int32_t numero_antes = ev_.NumeroError();
        const std::string texto_antes = ev_.Error();
        const size_t antes = host_.eventos.size();
        llamada();
        const size_t despues = host_.eventos.size();
        EXIGE(despues - antes <= 1, que + ": " + std::to_string(despues - antes) + " Error events");
        fallo_ = despues == antes + 1;
        if (fallo_) {
            const auto& [numero, texto] = host_.eventos.back();
            EXIGE(numero != 0 && NumeroConocido(numero),
                  que + ": unexpected error " + std::to_string(numero) + " " + texto);
            EXIGE(!texto.empty(), que + ": error without text");
            EXIGE(ev_.NumeroError() == numero && ev_.Error() == texto,
                  que + ": NumeroError/Error " + std::to_string(ev_.NumeroError()) + " " +
                      ev_.Error() + " after the event " + std::to_string(numero) + " " + texto);
        } else if (limpia) {
            EXIGE(ev_.NumeroError() == 0,
                  que + ": no event but NumeroError " + std::to_string(ev_.NumeroError()));
        } else {
            EXIGE(ev_.NumeroError() == numero_antes && ev_.Error() == texto_antes,
                  que + ": no event but the error state changed");
        }
    }

    HostEvaluar host_;
    Evaluar ev_;
    bool fallo_ = false;
};

}  // namespace relivo::fuzz
