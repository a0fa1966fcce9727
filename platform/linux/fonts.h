// Text metrics of the Linux back end: fonts found through fontconfig and
// measured with FreeType at 96 pixels per inch. A family that is not
// installed (or an empty name) falls back to DejaVu Sans.
#pragma once

#include <string>
#include <string_view>

#include "relivo/platform/font.h"
#include "relivo/platform/picture.h"

namespace relivo {

struct MedidaTexto {
    double ancho = 0;  // pixels: the widest line
    double alto = 0;   // pixels: line height times the number of lines
};

// Raises Fallo 53 when no font file can be opened at all.
MedidaTexto MedirTexto(const Fuente& fuente, std::string_view texto);

// Draws one line of text into the picture, its box's top-left corner at
// (x, y) in pixels, in the colour value `color`, smoothed against what is
// there; what falls outside the picture is left out. Raises as MedirTexto.
void EscribirTexto(Imagen& imagen, const Fuente& fuente, std::string_view texto, double x, double y,
                   int32_t color);

// The family name of the font file that `fuente` resolves to.
std::string FamiliaResuelta(const Fuente& fuente);

}  // namespace relivo
