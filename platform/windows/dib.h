// 32-bit top-down device-independent bitmaps: the layout every picture of
// the Windows back ends and the component is read from and written to.
#pragma once

#include <cstdint>

#include "platform/windows/win32.h"

namespace relivo {

// The header of a 32-bit top-down bitmap of `ancho` x `alto` pixels, one
// pixel a 32-bit word (blue in the low byte), rows top first.
inline BITMAPINFO CabeceraDib32(int32_t ancho, int32_t alto) {
    BITMAPINFO bi{};
    bi.bmiHeader.biSize = sizeof(bi.bmiHeader);
    bi.bmiHeader.biWidth = ancho;
    bi.bmiHeader.biHeight = -alto;
    bi.bmiHeader.biPlanes = 1;
    bi.bmiHeader.biBitCount = 32;
    bi.bmiHeader.biCompression = BI_RGB;
    return bi;
}

// A 32-bit top-down section of `ancho` x `alto` pixels for `dc` (null: the
// screen) and, in `bits`, its pixels. Null where GDI refuses it.
inline HBITMAP SeccionDib32(HDC dc, int32_t ancho, int32_t alto, uint32_t*& bits) {
    const BITMAPINFO bi = CabeceraDib32(ancho, alto);
    void* p = nullptr;
    HBITMAP mapa = CreateDIBSection(dc, &bi, DIB_RGB_COLORS, &p, nullptr, 0);
    bits = static_cast<uint32_t*>(p);
    return mapa;
}

}  // namespace relivo
