// Polygon on a device context: gdi32's Polygon with the pen, brush and draw
// mode the device context carries.
#include "relivo/platform/polygon.h"

#include <vector>

#include "platform/windows/gdi_surface.h"

namespace relivo {

bool Polygon(int32_t hDC, std::span<const PuntoApi> puntos) {
    if (puntos.size() < 2) return false;
    HDC dc = reinterpret_cast<HDC>(static_cast<intptr_t>(hDC));
    if (SuperficieGdi* s = SuperficieGdi::DeDc(dc)) return s->DibujarPoligono(dc, puntos);
    std::vector<POINT> p;
    p.reserve(puntos.size());
    for (const PuntoApi& q : puntos) p.push_back({q.x, q.y});
    return ::Polygon(dc, p.data(), static_cast<int>(p.size())) != FALSE;
}

}  // namespace relivo
