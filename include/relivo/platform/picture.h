// The picture object: a raster of colour values, passed by value.
//
// A picture is `Ancho` x `Alto` pixels stored row by row from the top-left
// corner; each pixel is a colour value r + 256*g + 65536*b (0 .. 0xFFFFFF).
// A picture of 0 x 0 pixels is "no picture" (Nothing).
#pragma once

#include <cstdint>
#include <vector>

namespace relivo {

struct Imagen {
    int32_t Ancho = 0;
    int32_t Alto = 0;
    std::vector<int32_t> Pixeles;

    Imagen() = default;
    // A picture of the given size filled with one colour value.
    Imagen(int32_t ancho, int32_t alto, int32_t color = 0)
        : Ancho(ancho),
          Alto(alto),
          Pixeles(static_cast<size_t>(ancho > 0 && alto > 0 ? ancho : 0) *
                      static_cast<size_t>(ancho > 0 && alto > 0 ? alto : 0),
                  color) {}

    // True for "no picture".
    bool Vacia() const { return Ancho <= 0 || Alto <= 0; }

    int32_t& En(int32_t x, int32_t y) { return Pixeles[static_cast<size_t>(y) * Ancho + x]; }
    int32_t En(int32_t x, int32_t y) const { return Pixeles[static_cast<size_t>(y) * Ancho + x]; }

    // The pixels of row y.
    int32_t* Fila(int32_t y) { return Pixeles.data() + static_cast<size_t>(y) * Ancho; }
    const int32_t* Fila(int32_t y) const { return Pixeles.data() + static_cast<size_t>(y) * Ancho; }

    // The pixels as bytes r, g, b row by row, each followed by an opaque
    // alpha byte 255 when `alfa` is set: the layout of PNG rows and canvases.
    std::vector<uint8_t> Bytes(bool alfa) const {
        const size_t paso = alfa ? 4 : 3;
        std::vector<uint8_t> bytes(Pixeles.size() * paso, 255);
        for (size_t i = 0; i < Pixeles.size(); ++i) {
            const auto c = static_cast<uint32_t>(Pixeles[i]);
            bytes[paso * i] = static_cast<uint8_t>(c & 0xFF);
            bytes[paso * i + 1] = static_cast<uint8_t>((c >> 8) & 0xFF);
            bytes[paso * i + 2] = static_cast<uint8_t>((c >> 16) & 0xFF);
        }
        return bytes;
    }

    bool operator==(const Imagen&) const = default;
};

}  // namespace relivo
