#include "platform/linux/device_registry.h"

#include <unordered_map>

namespace relivo {

namespace {

struct Registro {
    std::unordered_map<int32_t, SuperficieRaster*> superficies;
    int32_t siguiente = 0x00010010;
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
    ElRegistro().superficies.erase(handle);
}

SuperficieRaster* SuperficieDeHandle(int32_t handle) {
    Registro& r = ElRegistro();
    const auto it = r.superficies.find(handle);
    return it == r.superficies.end() ? nullptr : it->second;
}

}  // namespace relivo
