// An observer of every Polygon call of the process (for traces): it gets the
// surface the hDC resolves to, before the polygon is drawn, and the vertices
// as passed.
#pragma once

#include <functional>
#include <span>

#include "relivo/platform/polygon.h"
#include "relivo/platform/surface.h"

namespace relivo {

using ObservadorPoligonos =
    std::function<void(const SuperficieDibujo& superficie, std::span<const PuntoApi> puntos)>;

// Sets (an empty function removes) the observer.
void FijarObservadorPoligonos(ObservadorPoligonos observador);

}  // namespace relivo
