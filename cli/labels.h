// The labels the command line adds to the control's finished picture: the
// names of the axes at their ends, the expression as a title and the z range.
#pragma once

#include <array>
#include <string>
#include <vector>

#include "relivo/platform/picture.h"
#include "relivo/platform/polygon.h"

namespace relivo::cli {

// An axis as the control drew it: its two ends in pixels of the picture, and
// which of them is the far end from the origin (the end toward the larger
// values, or the lower end when every value is negative).
struct EjeDibujado {
    std::array<PuntoApi, 2> extremos;
    int lejano = 1;
};

// Draws the labels: "x", "y" and "z" beyond the far ends of the axes (in
// that order; fewer axes, fewer names), the title at the top left and,
// below it, "z: ZMIN … ZMAX" with three significant digits.
void Rotular(Imagen& imagen, const std::vector<EjeDibujado>& ejes, const std::string& titulo,
             double zMin, double zMax);

}  // namespace relivo::cli
