// The state of one Relivo control: plot parameters, error state, the sampled
// grid, the projection and the flags of a run. Every instance owns its own
// record; nothing is shared between instances.
#pragma once

#include <cstdint>
#include <string>

#include "relivo/grid.h"

namespace relivo {

struct EstadoRelivo {
    // The plotted rectangle; min and max may come in either order.
    double XMax = 0;
    double XMin = 0;
    double YMax = 0;
    double YMin = 0;
    // The z range used to fit the view and for the z axis; overwritten by the
    // sampling while AutoEscalaZ is on.
    double ZMax = 0;
    double ZMin = 0;
    // Grid intervals: NumeroLineasX + 1 and NumeroLineasY + 1.
    double IntervalosX = 1;
    double IntervalosY = 1;
    bool AutoEscalaZ = true;
    // Rotation angles in radians (the properties speak degrees).
    double AnguloX = 0;
    double AnguloY = 0;
    double AnguloZ = 0;

    // Last reported error.
    int32_t NumeroError = 0;
    std::string Error;

    MatrizZ ValoresZ;

    // Projection: origin in drawing units and device pixels per drawing unit.
    float OrigenX = 0;
    float OrigenY = 0;
    double FactorX = 0;
    double FactorY = 0;

    bool Ocupado = false;             // a Graficar run is in progress
    int Anidados = 0;                 // Graficar calls on the stack (see plot.cpp)
    bool Cancelado = false;           // the host asked to cancel
    bool Recalcular = true;           // the grid must be sampled again
    bool Redibujar = true;            // the picture must be drawn again
    bool ModoEjes = false;            // the axes are being drawn
    bool AutoRedrawGuardado = false;  // host's AutoRedraw from before the drawing
};

}  // namespace relivo
