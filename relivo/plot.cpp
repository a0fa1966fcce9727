// Graficar, the plot run: validate the ranges, sample if the grid is stale,
// draw if the picture is stale, and report the end. Cancelar only raises the
// flag that the sampling and drawing loops poll after every yield.
#include "evaluar/arithmetic.h"
#include "relivo/control.h"
#include "relivo/error_report.h"
#include "relivo/mesh.h"
#include "relivo/messages.h"
#include "relivo/projection.h"
#include "relivo/relivo.h"
#include "relivo/sampling.h"

namespace relivo {

namespace ar = aritmetica;

namespace {

// The error report clears Ocupado before it raises Status and Error, so a
// host that answers every report with a new Graficar nests one run inside the
// other, and a run that fails again at once (equal bounds, an undefined
// variable) would do so until the stack ran out. Past this depth a call
// returns at once, as one that arrives while a run is in progress.
constexpr int kGraficarAnidadosMaximos = 8;

struct Anidado {
    explicit Anidado(int& n) : n_(++n) {}
    ~Anidado() { --n_; }
    Anidado(const Anidado&) = delete;
    Anidado& operator=(const Anidado&) = delete;
    int& n_;
};

}  // namespace

void Relivo::Graficar() {
    Control& c = *c_;
    EstadoRelivo& e = c.e;
    if (e.Ocupado || e.Anidados >= kGraficarAnidadosMaximos) return;
    const Anidado anidado(e.Anidados);

    // Which phases run is decided once, as the run reaches them; a phase
    // resumed after a failure finishes its remaining statements.
    bool muestrear = false;
    bool dibujar = false;
    EjecutarSentencias(c,
                       {
                           [&] {
                               if (ar::Restar(e.XMin, e.XMax) == 0)
                                   throw Fallo(mensajes::kXIguales);
                           },
                           [&] {
                               if (ar::Restar(e.YMin, e.YMax) == 0)
                                   throw Fallo(mensajes::kYIguales);
                           },
                           [&] { e.Ocupado = true; },
                           [&] { e.Cancelado = false; },

                           [&] { muestrear = e.Recalcular; },
                           [&] {
                               if (muestrear) ProcesarSuperficie(c);
                           },
                           [&] {
                               if (muestrear) e.Recalcular = false;
                           },

                           [&] { dibujar = e.Redibujar; },
                           [&] {
                               if (dibujar) e.AutoRedrawGuardado = c.PlanoInterno->AutoRedraw();
                           },
                           [&] {
                               if (dibujar) PrepararPlano(c);
                           },
                           [&] {
                               if (dibujar) DibujarEjes(c);
                           },
                           [&] {
                               if (dibujar) GraficarPuntos(c);
                           },
                           [&] {
                               if (dibujar) c.PlanoInterno->Refresh();
                           },
                           [&] {
                               if (dibujar) FijarAutoRedraw(c, e.AutoRedrawGuardado);
                           },
                           [&] {
                               if (dibujar) e.Redibujar = false;
                           },

                           [&] { ElevarStatus(c, mensajes::kTerminada, 0); },
                           [&] { ElevarTerminoGraficacion(c); },
                           [&] { e.Ocupado = false; },
                       },
                       [&] { e.Ocupado = false; });
}

void Relivo::Cancelar() {
    EjecutarSentencias(*c_, {[&] { c_->e.Cancelado = true; }});
}

}  // namespace relivo
