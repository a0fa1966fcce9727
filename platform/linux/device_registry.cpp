#include "platform/linux/device_registry.h"

#include <unordered_map>

namespace relivo {

namespace {

struct Registro {
    std::unordered_map<int32_t, SuperficieRaster*> superficies;
    int32_t siguiente = 0x00010010;
    // The handle last found (0 for none), as a plot's polygons all use one.
    int32_t ultimo = 0;
    SuperficieRaster* ultima = nullptr;
};

Registro& ElRegistro() {
    static Registro r;
    return r;
}

}  // namespace

int32_t RegistrarHandle(SuperficieRaster* superficie) {
    Registro& r = ElRegistro();
    int32_t h;
    do {
        h = r.siguiente;
        r.siguiente = r.siguiente >= 0x7FFFFFF0 ? 0x00010010 : r.siguiente + 4;
    } while (r.superficies.count(h) != 0);
    r.superficies[h] = superficie;
    return h;
}

void BorrarHandle(int32_t handle) {
    Registro& r = ElRegistro();
    r.superficies.erase(handle);
    if (r.ultimo == handle) {
        r.ultimo = 0;
        r.ultima = nullptr;
    }
}

SuperficieRaster* SuperficieDeHandle(int32_t handle) {
    Registro& r = ElRegistro();
    if (handle == r.ultimo) return r.ultima;  // 0 is never a handle: no surface
    const auto it = r.superficies.find(handle);
    if (it == r.superficies.end()) return nullptr;
    r.ultimo = handle;
    r.ultima = it->second;
    return it->second;
}

}  // namespace relivo
