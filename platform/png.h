// PNG files of pictures (implemented by the platform back end).
//
// Pictures are written as 8-bit RGB; any PNG (palette, grey, alpha, 16-bit)
// is read, alpha being composed over black. Failures raise Fallo: 53 for a
// missing file, 75 for a file that cannot be written, 321 for data that is
// not a valid PNG, 7 for a picture too large to hold.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "relivo/platform/picture.h"

namespace relivo {

// Largest side and area of a picture the platform accepts.
inline constexpr int32_t kLadoMaximoImagen = 16384;
inline constexpr int64_t kAreaMaximaImagen = int64_t{1} << 25;

std::vector<uint8_t> CodificarPng(const Imagen& imagen);
Imagen DecodificarPng(const std::vector<uint8_t>& datos);

void GuardarPng(const Imagen& imagen, const std::string& ruta);
Imagen LeerPng(const std::string& ruta);

}  // namespace relivo
