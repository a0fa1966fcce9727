// The pen of the Linux raster surface: collects the pixels a stroke covers
// (segments, polylines, dots) with the pen's width and style, each pixel
// once, and then paints them through the canvas's draw mode, so that an
// inverting or xor pen never paints a pixel twice within one figure.
//
// Coordinates are device pixels as doubles; a vertex (x, y) stands for the
// pixel whose top-left corner it is (its centre is at x + 0.5, y + 0.5).
#pragma once

#include <cstdint>
#include <span>
#include <vector>

#include "platform/linux/canvas.h"

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

class Trazo {
public:
    Trazo(int32_t ancho, int32_t alto, MarcasTrazo& marcas);

    // A segment from a to b; the end pixel is left out when `conFinal` is
    // false (thin pens only). Dash patterns run on from segment to segment.
    void Segmento(PuntoD a, PuntoD b, const Pluma& pluma, bool conFinal);
    // Consecutive segments, each without its end pixel; `cerrada` joins the
    // last point to the first.
    void Polilinea(std::span<const PuntoD> puntos, const Pluma& pluma, bool cerrada);
    // A dot of the pen's width centred on pixel (x, y).
    void Punto(double x, double y, const Pluma& pluma);
    // Paints the collected pixels with the pen's colour and clears them.
    void Pintar(Lienzo& lienzo, int32_t color);

private:
    void Marcar(int32_t x, int32_t y);
    void Delgado(PuntoD a, PuntoD b, const Pluma& pluma, bool conFinal);
    void Grueso(PuntoD a, PuntoD b, double radio);
    bool Visible(int16_t estilo);

    int32_t ancho_, alto_;
    MarcasTrazo& m_;
    int64_t fase_ = 0;
};

}  // namespace relivo
