// Text metrics of the Linux back end: fonts found through fontconfig and
// measured with FreeType at 96 pixels per inch. A family that is not
// installed (or an empty name) falls back to DejaVu Sans.
#pragma once

#include <string>
#include <string_view>

#include "relivo/platform/font.h"

namespace relivo {

struct MedidaTexto {
    double ancho = 0;  // pixels: the widest line
    double alto = 0;   // pixels: line height times the number of lines
};

// Raises Fallo 53 when no font file can be opened at all.
MedidaTexto MedirTexto(const Fuente& fuente, std::string_view texto);

// The family name of the font file that `fuente` resolves to.
std::string FamiliaResuelta(const Fuente& fuente);

}  // namespace relivo
