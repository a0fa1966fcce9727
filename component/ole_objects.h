// The standard OLE font and picture objects for the platform's font
// descriptions and pictures.
#pragma once

#include "component/win32.h"
#include "relivo/platform/font.h"
#include "relivo/platform/picture.h"

namespace relivo::com {

// A new font object (AddRef'ed), or null when it cannot be made.
IFontDisp* CrearFuenteOle(const Fuente& fuente);
// The description of a font object (any interface of it); Fallo 13 when the
// object is not a font.
Fuente FuenteDeOle(IUnknown* objeto);

// A new picture object holding a copy of the picture (AddRef'ed); null for
// "no picture".
IPictureDisp* CrearImagenOle(const Imagen& imagen);
// The pixels of a picture object (null: no picture); Fallo 13 when the
// object is not a picture.
Imagen ImagenDeOle(IUnknown* objeto);

// A bitmap section of the picture, top row first, 32 bits per pixel.
HBITMAP MapaDeBits(const Imagen& imagen);

}  // namespace relivo::com
