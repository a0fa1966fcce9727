// Sampling of the surface into the grid. None of these procedures handles errors: a failure travels
// up to the public member that started the work.
#pragma once

#include <cstdint>

#include "relivo/control.h"

namespace relivo {

// Grid coordinates: x(i) = (XMax - XMin) * i / IntervalosX + XMin, and the
// same for y(j), from the parameters as they are now.
double CoordenadaX(const EstadoRelivo& e, int32_t i);
double CoordenadaY(const EstadoRelivo& e, int32_t j);

// Samples z = f(x, y) into ValoresZ; with AutoEscalaZ on also sets ZMin/ZMax.
void ProcesarSuperficie(Control& c);

}  // namespace relivo
