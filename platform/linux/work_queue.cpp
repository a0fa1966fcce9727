// The pending work of the Linux host and the yield that runs it.
#include "platform/linux/work_queue.h"

#include <deque>
#include <map>

#include "relivo/platform/yield.h"

namespace relivo {

namespace {

struct Cola {
    std::deque<std::function<void()>> trabajos;
    std::map<int32_t, std::function<void()>> vigilantes;
    int32_t siguienteVigilante = 1;
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
    c.vigilantes.emplace(id, std::move(vigilante));
    return id;
}

void QuitarVigilante(int32_t id) {
    LaCola().vigilantes.erase(id);
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
    // The watchers present now, in the order they were added, each looked up
    // again before it runs (a watcher may remove itself or others); one
    // added meanwhile waits for the next yield. No allocation: the yield
    // runs after every sample and every cell of a plot.
    const int32_t nuevos = c.siguienteVigilante;
    for (auto it = c.vigilantes.begin(); it != c.vigilantes.end() && it->first < nuevos;) {
        const int32_t id = it->first;
        const std::function<void()> v = it->second;
        v();
        it = c.vigilantes.upper_bound(id);
    }
}

}  // namespace relivo
