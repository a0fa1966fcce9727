// A Relivo control on a small surface that can be made to fail on its N-th
// call (failing_surface.h), sited in a host that records its events, answers Error with a Continuar
// chosen by the script, may cancel the run at a chosen yield and may call Graficar again from a
// Status handler. Every call of the control's own members is watched:
//   - each Error event follows a Status event with "Error: " and its text
//     and the percentage 0, and carries a number other than 0;
//   - with Continuar false a member reports at most one error;
//   - afterwards NumeroError and Error give the last event's number and
//     text, or stay as they were when no error was reported;
//   - percentages lie within 0..100;
//   - a Graficar call from a progress event of a run raises nothing (from
//     the report of an error it may run: the report clears Ocupado);
//   - a Graficar that reports no error, or whose errors were all continued,
//     ends with Status "Graficación terminada" (0) and TerminoGraficacion,
//     raised once; one that stops at an error raises no TerminoGraficacion.
#pragma once

#include <cstdint>
#include <memory>
#include <sstream>
#include <string>
#include <utility>
#include <vector>

#include "platform/linux/host.h"
#include "platform/linux/work_queue.h"
#include "relivo/relivo.h"
#include "tests/support/failing_surface.h"
#include "tests/support/invariants.h"
#include "tests/support/relivo_setters.h"

namespace relivo::fuzz {

class RelivoVigilado {
public:
    RelivoVigilado()
        : superficie_(new prueba::SuperficieConFallos(CrearSuperficie(64, 48))),
          r_(host_, std::unique_ptr<SuperficieDibujo>(superficie_)) {
        host_.AlEvento("Error", [this](std::span<ArgumentoEvento> a) {
            ++errores_en_llamada_;
            a[2].Valor = continuar_;
        });
        host_.AlEvento("Status", [this](std::span<ArgumentoEvento> a) {
            if (!reentrar_) return;
            // A progress event of a run that has met no error comes while
            // the run is in progress: a Graficar from it returns at once.
            const std::string stat = a[0].Valor.ATexto();
            const bool en_curso = errores_en_llamada_ == 0 &&
                                  (stat == "Procesando Superficie" || stat == "Graficando Puntos");
            const size_t antes = host_.Eventos().size();
            r_.Graficar();
            const size_t despues = host_.Eventos().size();
            EXIGE(!en_curso || despues == antes, "a Graficar during a run raised events");
            if (despues > antes) anidados_.emplace_back(antes, despues);
        });
        vigilante_ = AgregarVigilante([this] {
            ++cedidos_;
            ++cedidos_en_llamada_;
            if (cancelar_en_ > 0 && cedidos_ == cancelar_en_) r_.Cancelar();
            // A host that loses patience with a long run.
            if (cedidos_en_llamada_ > kCedidosMaximos) r_.Cancelar();
        });
    }
    ~RelivoVigilado() { QuitarVigilante(vigilante_); }
    RelivoVigilado(const RelivoVigilado&) = delete;
    RelivoVigilado& operator=(const RelivoVigilado&) = delete;

    Relivo& r() { return r_; }
    AnfitrionLinux& host() { return host_; }
    prueba::SuperficieConFallos& Superficie() { return *superficie_; }
    // The events of the last watched call, without those of nested runs.
    const std::vector<AnfitrionLinux::EventoRecibido>& Propios() const { return propios_; }
    void Continuar(bool c) { continuar_ = c; }
    void Reentrar(bool r) { reentrar_ = r; }
    // Cancels at the k-th yield from now (0: never).
    void CancelarEn(uint64_t k) {
        cancelar_en_ = k;
        cedidos_ = 0;
    }

    // What a watched call is: one own member, Graficar, or the loading of a
    // document (many setters, each with its own report).
    enum class Clase { Miembro, Graficar, Carga };

    // Runs the call and checks its events.
    template <class F>
    void Llamar(const std::string& que, Clase clase, F&& llamada) {
        const int32_t numero_antes = r_.NumeroError();
        const std::string texto_antes = r_.Error();
        const size_t inicio = host_.Eventos().size();
        cedidos_en_llamada_ = 0;
        errores_en_llamada_ = 0;
        anidados_.clear();
        llamada();
        // The events of the call itself, without those of the runs that the
        // host's handlers started inside it; and the last Error event, nested
        // runs included, whose number and text the error state must hold.
        const auto& todos = host_.Eventos();
        const AnfitrionLinux::EventoRecibido* ultimo_error = nullptr;
        propios_.clear();
        for (size_t k = inicio; k < todos.size(); ++k) {
            bool anidado = false;
            for (const auto& [a, b] : anidados_) anidado = anidado || (k >= a && k < b);
            if (!anidado) propios_.push_back(todos[k]);
            if (todos[k].Nombre == "Error") ultimo_error = &todos[k];
        }
        const auto& ev = propios_;
        int errores = 0, terminos = 0;
        for (size_t k = 0; k < ev.size(); ++k) {
            const auto& e = ev[k];
            if (e.Nombre == "Status") {
                const int16_t p = e.Argumentos[1].Valor.AEntero16();
                EXIGE(p >= 0 && p <= 100, que + ": Status percentage " + std::to_string(p));
            } else if (e.Nombre == "Error") {
                ++errores;
                const int32_t n = e.Argumentos[0].Valor.AEntero32();
                const std::string t = e.Argumentos[1].Valor.ATexto();
                EXIGE(n != 0 && !t.empty(), que + ": Error event without number or text");
                EXIGE(k > 0 && ev[k - 1].Nombre == "Status" &&
                          ev[k - 1].Argumentos[0].Valor.ATexto() == "Error: " + t &&
                          ev[k - 1].Argumentos[1].Valor.AEntero16() == 0,
                      que + ": Error event " + std::to_string(n) + " " + t +
                          " without its Status before it");
            } else if (e.Nombre == "TerminoGraficacion") {
                ++terminos;
                EXIGE(k > 0 && ev[k - 1].Nombre == "Status" &&
                          ev[k - 1].Argumentos[0].Valor.ATexto() == "Graficación terminada" &&
                          ev[k - 1].Argumentos[1].Valor.AEntero16() == 0,
                      que + ": TerminoGraficacion without the final Status before it");
            }
        }
        EXIGE(
            continuar_ || clase == Clase::Carga || errores <= 1,
            que + ": " + std::to_string(errores) + " errors reported although Continuar is false");
        if (ultimo_error != nullptr) {
            EXIGE(r_.NumeroError() == ultimo_error->Argumentos[0].Valor.AEntero32() &&
                      r_.Error() == ultimo_error->Argumentos[1].Valor.ATexto(),
                  que + ": NumeroError/Error disagree with the last Error event");
        } else {
            EXIGE(r_.NumeroError() == numero_antes && r_.Error() == texto_antes,
                  que + ": the error state changed without an Error event");
        }
        if (clase == Clase::Graficar) {
            ultimo_graficar_sin_error_ = errores == 0;
            if (errores == 0 || continuar_) {
                EXIGE(terminos == 1 && ev.back().Nombre == "TerminoGraficacion",
                      que + ": a run that went on to its end did not end with TerminoGraficacion");
            } else {
                EXIGE(terminos == 0, que + ": a stopped run raised TerminoGraficacion");
            }
        } else {
            EXIGE(terminos == 0, que + ": TerminoGraficacion outside Graficar");
        }
    }

    bool UltimoGraficarSinError() const { return ultimo_graficar_sin_error_; }

private:
    static constexpr uint64_t kCedidosMaximos = 20000;

    AnfitrionLinux host_;
    prueba::SuperficieConFallos* superficie_;  // owned by the control
    Relivo r_;
    std::vector<AnfitrionLinux::EventoRecibido> propios_;
    bool continuar_ = false;
    bool reentrar_ = false;
    uint64_t cancelar_en_ = 0;
    uint64_t cedidos_ = 0;
    uint64_t cedidos_en_llamada_ = 0;
    int errores_en_llamada_ = 0;
    std::vector<std::pair<size_t, size_t>> anidados_;  // events of nested runs
    int32_t vigilante_ = 0;
    bool ultimo_graficar_sin_error_ = false;
};

// Sets the plain plot, each setter a watched call (XMax twice, so that the
// grid is sampled anew).
inline void Preparar(RelivoVigilado& v) {
    std::istringstream llamadas(
        "Funcion=x*y - sen(x);XMin=-1;XMax=2.5;XMax=2;YMin=-2;YMax=1;NumeroLineasX=3;"
        "NumeroLineasY=2;AutoEscalaZ=1;AnguloX=30;AnguloY=20;AnguloZ=10");
    for (std::string l; std::getline(llamadas, l, ';');) {
        const size_t igual = l.find('=');
        v.Llamar("plain " + l, RelivoVigilado::Clase::Miembro,
                 [&] { prueba::Fijar(v.r(), l.substr(0, igual), l.substr(igual + 1)); });
    }
}

// Whatever came before, the control draws the plain plot without an error.
inline void Usable(RelivoVigilado& v) {
    v.Continuar(false);
    v.Reentrar(false);
    v.CancelarEn(0);
    Preparar(v);
    v.Llamar("plain Graficar", RelivoVigilado::Clase::Graficar, [&] { v.r().Graficar(); });
    EXIGE(v.UltimoGraficarSinError(), "the control is not usable after the script: error " +
                                          std::to_string(v.r().NumeroError()) + " " +
                                          v.r().Error());
}

}  // namespace relivo::fuzz
