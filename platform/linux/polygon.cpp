// Polygon on a device context of the Linux back end.
#include "relivo/platform/polygon.h"

#include "platform/linux/device_registry.h"
#include "platform/linux/polygon_observer.h"
#include "platform/linux/raster_surface.h"

namespace relivo {

namespace {

// Read once a polygon: a plain variable, without a function-local guard.
ObservadorPoligonos observador_actual;

}  // namespace

void FijarObservadorPoligonos(ObservadorPoligonos observador) {
    observador_actual = std::move(observador);
}

bool Polygon(int32_t hDC, std::span<const PuntoApi> puntos) {
    SuperficieRaster* superficie = SuperficieDeHandle(hDC);
    if (!superficie || superficie->hDC() != hDC || puntos.size() < 2) return false;
    if (observador_actual) observador_actual(*superficie, puntos);
    superficie->DibujarPoligono(puntos);
    return true;
}

}  // namespace relivo
