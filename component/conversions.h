// The values of the controls' members as their interfaces give them.
#pragma once

#include <cstdint>
#include <new>
#include <string>

#include "Carvex.h"
#include "component/ole_objects.h"
#include "component/text.h"
#include "component/win32.h"
#include "relivo/platform/font.h"
#include "relivo/platform/picture.h"

namespace relivo::com {

inline void Salida(double v, double* r) {
    *r = v;
}
inline void Salida(float v, float* r) {
    *r = v;
}
inline void Salida(bool v, VARIANT_BOOL* r) {
    *r = v ? VARIANT_TRUE : VARIANT_FALSE;
}
inline void Salida(int16_t v, short* r) {
    *r = v;
}
inline void Salida(int32_t v, LONG* r) {
    *r = v;
}
inline void Salida(int32_t v, OLE_COLOR* r) {
    *r = static_cast<OLE_COLOR>(v);
}
inline void Salida(const std::string& v, BSTR* r) {
    *r = NuevoBstr(v);
    if (!*r) throw std::bad_alloc();
}
inline void Salida(const Imagen& v, IPictureDisp** r) {
    *r = CrearImagenOle(v);
}
inline void Salida(const Fuente& v, IFontDisp** r) {
    *r = CrearFuenteOle(v);
    if (!*r) throw std::bad_alloc();
}

inline bool Booleano(VARIANT_BOOL v) {
    return v != VARIANT_FALSE;
}
inline int32_t Color(OLE_COLOR v) {
    return static_cast<int32_t>(v);
}

}  // namespace relivo::com
