// The private procedures of a plot run. None of them handles errors: a
// failure ends the procedure and travels up to the public member that
// started the work.
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

// Rotates a point of the plot box in place by AnguloX, AnguloY, AnguloZ.
void Rotar(const EstadoRelivo& e, double& x, double& y, double& z);

// Fits the surface's scale to the rotated box, sets OrigenX/OrigenY and
// FactorX/FactorY, switches AutoRedraw on and clears the surface.
void PrepararPlano(Control& c);

// Device pixel of a rotated point.
struct PixelProyectado {
    int32_t px = 0;
    int32_t py = 0;
};
PixelProyectado Proyectar(const EstadoRelivo& e, double x, double y, double z);

// Fills the quadrilateral P3, P4, P1, P2 of four box points with (R, G, B).
void DibujarCuadro(Control& c, double x1, double y1, double z1, double x2, double y2, double z2,
                   double x3, double y3, double z3, double x4, double y4, double z4, int16_t R,
                   int16_t G, int16_t B);

// The three axes, then the mesh cells.
void DibujarEjes(Control& c);
void GraficarPuntos(Control& c);

}  // namespace relivo
