// A surface for the drawing tests: device pixels, without a border; points
// and pictures as text.
#pragma once

#include <cstdint>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include "relivo/platform/polygon.h"
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

// "x,y x,y ..." as points.
inline std::vector<PuntoApi> Puntos(const std::string& texto) {
    std::vector<PuntoApi> p;
    std::istringstream s(texto);
    for (std::string par; s >> par;) {
        p.push_back({std::stoi(par), std::stoi(par.substr(par.find(',') + 1))});
    }
    return p;
}

// One character a pixel: black, white, red, blue, anything else.
inline std::string Dibujo(const Imagen& img) {
    std::string r;
    for (int32_t y = 0; y < img.Alto; ++y) {
        for (int32_t x = 0; x < img.Ancho; ++x) {
            const ColorOle c = img.En(x, y);
            r += c == 0                ? '.'
                 : c == 0xFFFFFF       ? '#'
                 : c == RGB(255, 0, 0) ? 'R'
                 : c == RGB(0, 0, 255) ? 'A'
                                       : '?';
        }
        r += '\n';
    }
    return r;
}

}  // namespace relivo::prueba
