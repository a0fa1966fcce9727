// The axes and the mesh cells. None of these procedures handles errors: a failure travels up
// to the public member that started the work.
#pragma once

#include <cstdint>

#include "relivo/control.h"

namespace relivo {

// Fills the quadrilateral P3, P4, P1, P2 of four box points with (R, G, B).
void DibujarCuadro(Control& c, double x1, double y1, double z1, double x2, double y2, double z2,
                   double x3, double y3, double z3, double x4, double y4, double z4, int16_t R,
                   int16_t G, int16_t B);

// The three axes, then the mesh cells.
void DibujarEjes(Control& c);
void GraficarPuntos(Control& c);

}  // namespace relivo
