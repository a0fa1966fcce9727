// The pending work of the Linux host and the yield that runs it.
#include "platform/linux/work_queue.h"

#include <algorithm>
#include <deque>
#include <vector>

#include "relivo/platform/yield.h"

namespace relivo {

namespace {

struct Vigilante {
    int32_t id;
    std::function<void()> funcion;
    bool quitado = false;  // taken away while the watchers were running
};

struct Cola {
    std::deque<std::function<void()>> trabajos;
    // In the order added. While the watchers run, nothing moves them: a
    // watcher added meanwhile waits in `agregados`, and one taken away is
    // only marked, until the outermost loop over them ends.
    std::vector<Vigilante> vigilantes;
    std::vector<Vigilante> agregados;
    int32_t siguienteVigilante = 1;
    int32_t vigilando = 0;  // nesting depth of the watchers' loop
    bool hayQuitados = false;
    uint64_t veces = 0;
};

// At namespace scope rather than in a function: the yield reads it twice a
// cell of a plot, without a guard of its first use.
Cola la_cola;

Cola& LaCola() {
    return la_cola;
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
    (c.vigilando == 0 ? c.vigilantes : c.agregados).push_back({id, std::move(vigilante)});
    return id;
}

void QuitarVigilante(int32_t id) {
    Cola& c = LaCola();
    const auto es = [id](const Vigilante& v) { return v.id == id; };
    std::erase_if(c.agregados, es);
    const auto it = std::find_if(c.vigilantes.begin(), c.vigilantes.end(), es);
    if (it == c.vigilantes.end()) return;
    if (c.vigilando == 0) {
        c.vigilantes.erase(it);
    } else {
        it->quitado = true;
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
            if (--c.vigilando > 0) return;
            if (c.hayQuitados) {
                std::erase_if(c.vigilantes, [](const Vigilante& v) { return v.quitado; });
                c.hayQuitados = false;
            }
            for (Vigilante& v : c.agregados) c.vigilantes.push_back(std::move(v));
            c.agregados.clear();
        }
    } nivel(c);
    for (size_t i = 0; i < c.vigilantes.size(); ++i) {
        if (!c.vigilantes[i].quitado) c.vigilantes[i].funcion();
    }
}

}  // namespace relivo
