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
        std::string r;
        Vigilar("Funcion [Get]", false, [&] { r = ev_.Funcion(); });
        return r;
    }
    int16_t NumeroVariables() {
        int16_t r = 0;
        Vigilar("NumeroVariables", false, [&] { r = ev_.NumeroVariables(); });
        EXIGE(r >= 0, "negative count");
        return r;
    }
    std::string Variable(int16_t i) {
        std::string r;
        Vigilar("Variable " + std::to_string(i), false, [&] { r = ev_.Variable(i); });
        return r;
    }
    int16_t IndiceVariable(const std::string& n) {
        int16_t r = 0;
        Vigilar("IndiceVariable " + Literal(n), false, [&] { r = ev_.IndiceVariable(n); });
        return r;
    }
    bool ExisteVariable(std::string_view n) {
        bool r = false;
        Vigilar("ExisteVariable " + Literal(n), false, [&] { r = ev_.ExisteVariable(n); });
        EXIGE(!fallo_, "ExisteVariable raised an error");
        return r;
    }
    double Valor(const Variante& v) {
        double r = 0;
        Vigilar("Valor [Get] " + Nombre(v), false, [&] { r = ev_.Valor(v); });
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
        double r = 0;
        Vigilar("Resultado", false, [&] { r = ev_.Resultado(); });
        EXIGE(std::isfinite(r), "Resultado gave " + std::to_string(r));
        if (fallo_) EXIGE(r == 0, "a failed Resultado gave " + std::to_string(r));
        return r;
    }

    static std::string Nombre(const Variante& v) {
        switch (v.tipo) {
            case Variante::Tipo::Vacio:
                return "(empty)";
            case Variante::Tipo::Numero:
                return std::to_string(v.numero);
            default:
                return Literal(v.texto);
        }
    }

private:
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
