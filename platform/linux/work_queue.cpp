// The pending work of the Linux host and the yield that runs it.
#include "platform/linux/work_queue.h"

#include <deque>
#include <map>

#include "relivo/platform/yield.h"

namespace relivo {

namespace {

struct Vigilante {
    std::function<void()> funcion;
    bool quitado = false;  // taken away while the watchers were running
};

struct Cola {
    std::deque<std::function<void()>> trabajos;
    std::map<int32_t, Vigilante> vigilantes;
    int32_t siguienteVigilante = 1;
    int32_t vigilando = 0;  // nesting depth of the watchers' loop
    bool hayQuitados = false;
    uint64_t veces = 0;
};

Cola& LaCola() {
    static Cola c;
    return c;
}

}  // namespace

void EncolarTrabajo(std::function<void()> trabajo) {
    if (trabajo) LaCola().trabajos.push_back(std::move(trabajo));
}

size_t TrabajosPendientes() {
    return LaCola().trabajos.size();
}

int32_t AgregarVigilante(std::function<void()> vigilante) {
    Cola& c = LaCola();
    const int32_t id = c.siguienteVigilante++;
    c.vigilantes.emplace(id, Vigilante{std::move(vigilante)});
    return id;
}

void QuitarVigilante(int32_t id) {
    Cola& c = LaCola();
    // A watcher may be running (it may be this one): it is only marked, and
    // erased when the outermost loop over the watchers ends.
    if (c.vigilando == 0) {
        c.vigilantes.erase(id);
    } else if (const auto it = c.vigilantes.find(id); it != c.vigilantes.end()) {
        it->second.quitado = true;
        c.hayQuitados = true;
    }
}

uint64_t VecesCedido() {
    return LaCola().veces;
}

void Ceder() {
    Cola& c = LaCola();
    ++c.veces;
    // Only the work already queued: work queued now waits for the next yield.
    if (!c.trabajos.empty()) {
        std::deque<std::function<void()>> ahora;
        ahora.swap(c.trabajos);
        while (!ahora.empty()) {
            std::function<void()> t = std::move(ahora.front());
            ahora.pop_front();
            t();
        }
    }
    if (c.vigilantes.empty()) return;
    // The watchers present now, in the order they were added, except those
    // taken away meanwhile; one added meanwhile waits for the next yield.
    // No allocation and no copy: the yield runs after every sample and every
    // cell of a plot.
    struct Nivel {
        Cola& c;
        explicit Nivel(Cola& cola) : c(cola) { ++c.vigilando; }
        ~Nivel() {
            if (--c.vigilando > 0 || !c.hayQuitados) return;
            std::erase_if(c.vigilantes, [](const auto& v) { return v.second.quitado; });
            c.hayQuitados = false;
        }
    } nivel(c);
    const int32_t nuevos = c.siguienteVigilante;
    for (auto it = c.vigilantes.begin(); it != c.vigilantes.end() && it->first < nuevos; ++it) {
        if (!it->second.quitado) it->second.funcion();
    }
}

}  // namespace relivo
