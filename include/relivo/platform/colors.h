// Colour values of the platform.
//
// A colour value is r + 256*g + 65536*b with components 0..255. A value with
// the top bit set, 0x80000000 + n, names system colour n (button face,
// button text, window, ...), which the platform resolves through a fixed
// table. A value 0x02000000 + rgb (a palette-relative colour) stands for rgb.
// Anything else is not a colour.
#pragma once

#include <cstdint>
#include <optional>

namespace relivo {

// OLE colour as exchanged with the host (a signed 32-bit value).
using ColorOle = int32_t;

inline constexpr ColorOle RGB(int r, int g, int b) {
    return r + 256 * g + 65536 * b;
}

// System colours (0x80000000 + index as signed 32-bit values).
namespace colores_sistema {
inline constexpr ColorOle kVentana = static_cast<ColorOle>(0x80000005u);       // window
inline constexpr ColorOle kTextoVentana = static_cast<ColorOle>(0x80000008u);  // window text
inline constexpr ColorOle kCaraBoton = static_cast<ColorOle>(0x8000000Fu);     // button face
inline constexpr ColorOle kTextoBoton = static_cast<ColorOle>(0x80000012u);    // button text
}  // namespace colores_sistema

// The colour value r + 256g + 65536b that a colour stands for, or nothing
// when the value is not a colour.
std::optional<ColorOle> ResolverColor(ColorOle color);

}  // namespace relivo
