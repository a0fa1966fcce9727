// The checks every drawing surface makes of what it is given: a property
// value that is not valid raises 380 ("El valor de la propiedad no es
// válido"), a method argument that is not valid raises 5.
#pragma once

#include <cstdint>
#include <initializer_list>

#include "relivo/platform/colors.h"
#include "relivo/platform/picture.h"

namespace relivo {

// --- Property values (380).
[[noreturn]] void ValorNoValido();
void ExigirValor(bool condicion);
// A value within minimo..maximo, returned as given.
int16_t EnRango(int16_t valor, int16_t minimo, int16_t maximo);
// A colour value (also a system colour), returned as given.
ColorOle ColorDePropiedad(ColorOle valor);
// A picture whose pixels match its size, or no picture (0 x 0, no pixels),
// returned as given.
const Imagen& ImagenDePropiedad(const Imagen& imagen);
// A finite font size in points, kept within 1..2048.
float TamanoDeFuente(float puntos);
// An outer size in device pixels, 0..kLadoMaximoImagen, rounded to a whole
// pixel (halves to even).
int32_t PixelesDeTamano(float pixeles);

// --- Method arguments (5).
[[noreturn]] void ArgumentoNoValido();
void ExigirArgumento(bool condicion);
// Coordinates, sizes and angles: no not-a-number, no infinity.
void ExigirFinitos(std::initializer_list<double> valores);
// One of the raster operations PaintPicture knows.
bool OpcodeConocido(int32_t opcode);

}  // namespace relivo
