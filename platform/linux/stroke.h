// The pen of the Linux raster surface: collects the pixels a stroke covers
// (segments, polylines, dots) with the pen's width and style, each pixel
// once, and then paints them through the canvas's draw mode, so that an
// inverting or xor pen never paints a pixel twice within one figure.
//
// Coordinates are device pixels as doubles; a vertex (x, y) stands for the
// pixel whose top-left corner it is (its centre is at x + 0.5, y + 0.5).
#pragma once

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <span>
#include <vector>

#include "platform/linux/canvas.h"
#include "relivo/platform/polygon.h"

namespace relivo {

struct PuntoD {
    double x = 0, y = 0;
};

struct Pluma {
    int32_t color = 0;   // r + 256g + 65536b
    int32_t ancho = 1;   // pixels
    int16_t estilo = 0;  // DrawStyle 0..6
};

// The pixel marks of a surface, reused from stroke to stroke.
struct MarcasTrazo {
    std::vector<uint8_t> marca;    // one byte per pixel of the surface
    std::vector<int32_t> tocados;  // indexes of the marked pixels
};

// The steps of a thin line (Bresenham) over a pixel position of any kind: a
// pixel's coordinates, or its address in a picture. From `p` to `fin`, with
// the line's extent `dx` >= 0 and `dy` <= 0 in pixels, `pasoX` and `pasoY`
// moving the position one pixel along each axis: visitar(position) for each
// pixel in order, the last one only when `conFinal`.
template <class Posicion, class Paso, class Visitar>
void RecorrerPasos(Posicion p, const Posicion fin, int32_t dx, int32_t dy, Paso pasoX, Paso pasoY,
                   bool conFinal, Visitar&& visitar) {
    int32_t err = dx + dy;
    for (;;) {
        const bool ultimo = p == fin;
        if (ultimo && !conFinal) return;
        visitar(p);
        if (ultimo) return;
        const int32_t e2 = 2 * err;
        if (e2 >= dy) {
            err += dy;
            p += pasoX;
        }
        if (e2 <= dx) {
            err += dx;
            p += pasoY;
        }
    }
}

// A pixel's coordinates as a position of RecorrerPasos.
struct PixelLinea {
    int32_t x = 0, y = 0;
    PixelLinea& operator+=(PixelLinea paso) {
        x += paso.x;
        y += paso.y;
        return *this;
    }
    bool operator==(const PixelLinea&) const = default;
};

// The step from a towards b along one axis: -1, 0 or 1.
inline int32_t Direccion(int32_t a, int32_t b) {
    return std::clamp(b - a, -1, 1);
}

// The pixels of a thin line from pixel (x0, y0) to pixel (x1, y1), in order,
// the last one only when `conFinal`: visitar(x, y) for each.
template <class Visitar>
void RecorrerLinea(int32_t x0, int32_t y0, int32_t x1, int32_t y1, bool conFinal, Visitar visitar) {
    RecorrerPasos(PixelLinea{x0, y0}, PixelLinea{x1, y1}, std::abs(x1 - x0), -std::abs(y1 - y0),
                  PixelLinea{Direccion(x0, x1), 0}, PixelLinea{0, Direccion(y0, y1)}, conFinal,
                  [&](PixelLinea p) { visitar(p.x, p.y); });
}

// The outline of a closed figure with a thin solid pen in copy mode, when
// every vertex lies inside the picture: straight into the picture, with
// the pixels the general path gives (each edge whole, in one fixed
// direction). Painting a pixel twice with a copy pen changes nothing, so
// no marks are needed. Returns false, drawing nothing, for any other case.
bool ContornoDirecto(Lienzo& lienzo, std::span<const PuntoApi> puntos, const Pluma& pluma);

class Trazo {
public:
    // Collects the pixels of figures on `lienzo`.
    Trazo(Lienzo& lienzo, MarcasTrazo& marcas);

    // A segment from a to b; the end pixel is left out when `conFinal` is
    // false (thin pens only). Dash patterns run on from segment to segment.
    void Segmento(PuntoD a, PuntoD b, const Pluma& pluma, bool conFinal);
    // Consecutive segments, each without its end pixel; `cerrada` joins the
    // last point to the first.
    void Polilinea(std::span<const PuntoD> puntos, const Pluma& pluma, bool cerrada);
    // A dot of the pen's width centred on pixel (x, y).
    void Punto(double x, double y, const Pluma& pluma);
    // Paints the collected pixels with the pen's colour and clears them.
    void Pintar(int32_t color);

private:
    void Marcar(int32_t x, int32_t y);
    void Delgado(PuntoD a, PuntoD b, const Pluma& pluma, bool conFinal);
    void Grueso(PuntoD a, PuntoD b, double radio);
    bool Visible(int16_t estilo);

    Lienzo& lienzo_;
    int32_t ancho_, alto_;
    MarcasTrazo& m_;
    int64_t fase_ = 0;
};

}  // namespace relivo
