// The rotation of plot-box points by AnguloX, AnguloY and AnguloZ:
//   x' = x cos(ay) cos(az) + y sin(az) - sin(ay) z
//   y' = y cos(ax) cos(az) - x sin(az) + sin(ax) z
//   z' = cos(ax) z cos(ay) + x sin(ay) - y sin(ax)
// each from the point as passed in, each sum taken left to right. It is not
// a product of rotation matrices; all angles 0 give the identity.
#pragma once

#include <cmath>

#include "relivo/state.h"

namespace relivo {

// The sines and cosines of a set of angles, for several points.
struct Rotacion {
    Rotacion() = default;
    explicit Rotacion(const EstadoRelivo& e);
    void Aplicar(double& x, double& y, double& z) const;
    // Whether it was computed from the angles the state holds now.
    bool De(const EstadoRelivo& e) const {
        return e.AnguloX == angX && e.AnguloY == angY && e.AnguloZ == angZ;
    }

    double angX = 0, angY = 0, angZ = 0;
    double cosX = 1, senX = 0, cosY = 1, senY = 0, cosZ = 1, senZ = 0;
};

// Rotates a point of the plot box in place by AnguloX, AnguloY, AnguloZ.
void Rotar(const EstadoRelivo& e, double& x, double& y, double& z);

// cos and sin of arctan(1): the 45 degrees of the oblique view. Inline: the
// projection of every vertex reads them.
inline double Coseno45() {
    static const double c = std::cos(std::atan(1.0));
    return c;
}
inline double Seno45() {
    static const double s = std::sin(std::atan(1.0));
    return s;
}

}  // namespace relivo
