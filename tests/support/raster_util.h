// A surface for the drawing tests: device pixels, without a border.
#pragma once

#include <cstdint>
#include <memory>

#include "relivo/platform/surface.h"

namespace relivo::prueba {

// A surface whose scale is device pixels of an interior of ancho x alto,
// black, with a white pen and fill colour.
inline std::unique_ptr<SuperficieDibujo> SuperficiePixeles(int32_t ancho, int32_t alto) {
    auto s = CrearSuperficie(ancho, alto);
    s->BorderStyle(0);
    s->ScaleMode(3);
    s->BackColor(0);
    s->ForeColor(0xFFFFFF);
    s->FillColor(0xFFFFFF);
    s->AutoRedraw(true);
    return s;
}

}  // namespace relivo::prueba
