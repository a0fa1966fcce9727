// Pixel operations of the Linux raster surface: rectangles of changed
// pixels, the sixteen draw modes, the brush (solid or hatched) and a canvas
// that paints pixels and spans of a picture through them.
#pragma once

#include <algorithm>
#include <cstdint>

#include "relivo/platform/colors.h"
#include "relivo/platform/picture.h"

namespace relivo {

// A rectangle of pixels [x0, x1) x [y0, y1); empty when x0 >= x1 or y0 >= y1.
struct Rectangulo {
    int32_t x0 = 0, y0 = 0, x1 = 0, y1 = 0;

    bool Vacio() const { return x0 >= x1 || y0 >= y1; }
    void Unir(const Rectangulo& r) {
        if (r.Vacio()) return;
        if (Vacio()) {
            *this = r;
            return;
        }
        x0 = std::min(x0, r.x0);
        y0 = std::min(y0, r.y0);
        x1 = std::max(x1, r.x1);
        y1 = std::max(y1, r.y1);
    }
    bool operator==(const Rectangulo&) const = default;
};

// The result of draw mode `modo` (1..16) for pen colour `pluma` over the
// pixel `destino` (all r + 256g + 65536b).
inline int32_t AplicarModo(int16_t modo, int32_t pluma, int32_t destino) {
    if (modo == 13) return pluma;
    const uint32_t t = static_cast<uint32_t>(modo - 1);
    const uint32_t p = static_cast<uint32_t>(pluma), d = static_cast<uint32_t>(destino);
    uint32_t r = 0;
    if (t & 8u) r |= p & d;
    if (t & 4u) r |= p & ~d;
    if (t & 2u) r |= ~p & d;
    if (t & 1u) r |= ~p & ~d;
    return static_cast<int32_t>(r & 0xFFFFFFu);
}

// Whether the brush of fill style `estilo` (0 solid, 2..7 hatches; 1
// transparent paints nothing) paints device pixel (x, y): hatch lines repeat
// every 8 pixels from the device origin.
inline bool PintaPincel(int16_t estilo, int32_t x, int32_t y) {
    const int32_t u = x & 7, v = y & 7;
    switch (estilo) {
        case 0:
            return true;
        case 2:
            return v == 0;
        case 3:
            return u == 0;
        case 4:
            return ((u + v) & 7) == 7;
        case 5:
            return u == v;
        case 6:
            return u == 0 || v == 0;
        case 7:
            return u == v || ((u + v) & 7) == 7;
        default:
            return false;
    }
}

// Paints on one picture through a draw mode, clipped to the picture, and
// widens a rectangle of changed pixels (when one is given).
class Lienzo {
public:
    Lienzo(Imagen& imagen, int16_t modo, Rectangulo* cambiado)
        : img_(imagen), modo_(modo), cambiado_(cambiado) {}

    int32_t Ancho() const { return img_.Ancho; }
    int32_t Alto() const { return img_.Alto; }

    // Pixels [x0, x1) of row y painted by the brush (colour, fill style).
    void Tramo(int32_t y, int32_t x0, int32_t x1, int32_t color, int16_t estilo) {
        if (y < 0 || y >= img_.Alto || estilo == 1) return;
        x0 = std::max(x0, 0);
        x1 = std::min(x1, img_.Ancho);
        if (x0 >= x1) return;
        int32_t* fila = img_.Fila(y);
        if (estilo == 0) {
            if (modo_ == 13) {
                std::fill(fila + x0, fila + x1, color);
            } else {
                for (int32_t x = x0; x < x1; ++x) fila[x] = AplicarModo(modo_, color, fila[x]);
            }
        } else {
            for (int32_t x = x0; x < x1; ++x) {
                if (PintaPincel(estilo, x, y)) fila[x] = AplicarModo(modo_, color, fila[x]);
            }
        }
        Marcar({x0, y, x1, y + 1});
    }

    void Marcar(const Rectangulo& r) {
        if (cambiado_) cambiado_->Unir(r);
    }

    Imagen& Destino() { return img_; }
    int16_t Modo() const { return modo_; }

private:
    Imagen& img_;
    int16_t modo_;
    Rectangulo* cambiado_;
};

}  // namespace relivo
