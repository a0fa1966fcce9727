// Polygon on a device context of the Linux back end.
#include "relivo/platform/polygon.h"

#include "platform/linux/device_registry.h"
#include "platform/linux/polygon_observer.h"
#include "platform/linux/raster_surface.h"

namespace relivo {

namespace {

ObservadorPoligonos& Observador() {
    static ObservadorPoligonos o;
    return o;
}

}  // namespace

void FijarObservadorPoligonos(ObservadorPoligonos observador) {
    Observador() = std::move(observador);
}

bool Polygon(int32_t hDC, std::span<const PuntoApi> puntos) {
    SuperficieRaster* superficie = SuperficieDeHandle(hDC);
    if (!superficie || superficie->hDC() != hDC || puntos.size() < 2) return false;
    if (Observador()) Observador()(*superficie, puntos);
    superficie->DibujarPoligono(puntos);
    return true;
}

}  // namespace relivo
