// Colour values of the platform as GDI colours and as pixels of a 32-bit
// bitmap section.
#pragma once

#include <cstdint>

#include "platform/windows/win32.h"
#include "relivo/platform/colors.h"

namespace relivo {

// The GDI colour of a colour value the surface has accepted: an RGB value
// as it is (GDI colours share its layout), a palette-relative one as its
// RGB, a system colour as the system gives it now.
inline COLORREF ColorGdi(ColorOle color) {
    const auto v = static_cast<uint32_t>(color);
    if ((v & 0xFFFFFF00u) == 0x80000000u && (v & 0xFFu) <= COLOR_MENUBAR) {
        return GetSysColor(static_cast<int>(v & 0xFFu));
    }
    return static_cast<COLORREF>(ResolverColor(color).value_or(0)) & 0xFFFFFFu;
}

// A section pixel holds blue in its low byte; a GDI colour holds red there.
inline uint32_t ColorGdiAPixel(COLORREF c) {
    return ((c & 0xFFu) << 16) | (c & 0xFF00u) | ((c >> 16) & 0xFFu);
}

inline ColorOle PixelAColor(uint32_t p) {
    return static_cast<ColorOle>(((p & 0xFFu) << 16) | (p & 0xFF00u) | ((p >> 16) & 0xFFu));
}

}  // namespace relivo
