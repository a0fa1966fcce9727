// Pictures for the tests: the pixels of an OLE picture object, binary PPM
// files (the Linux build's pictures, converted), and their comparison.
#pragma once

#include <cstdint>
#include <cstdio>
#include <fstream>
#include <initializer_list>
#include <string>
#include <vector>

#include "platform/windows/dib.h"
#include "tests/windows/win32.h"

namespace prueba {

// Pixels as r + 256 g + 65536 b, top row first.
struct Mapa {
    int ancho = 0, alto = 0;
    std::vector<uint32_t> p;
    uint32_t En(int x, int y) const { return p[static_cast<size_t>(y) * ancho + x]; }
};

inline uint32_t DePixelGdi(uint32_t v) {
    return ((v >> 16) & 0xFF) | (v & 0xFF00) | ((v & 0xFF) << 16);
}

// The pixels of a bitmap.
inline Mapa LeerMapa(HBITMAP h) {
    Mapa m;
    BITMAP bm{};
    if (!GetObject(h, sizeof(bm), &bm)) return m;
    BITMAPINFO bi = relivo::CabeceraDib32(bm.bmWidth, bm.bmHeight);
    m.ancho = bm.bmWidth;
    m.alto = bm.bmHeight;
    m.p.resize(static_cast<size_t>(m.ancho) * m.alto);
    HDC dc = CreateCompatibleDC(nullptr);
    GetDIBits(dc, h, 0, static_cast<UINT>(m.alto), m.p.data(), &bi, DIB_RGB_COLORS);
    DeleteDC(dc);
    for (uint32_t& v : m.p) v = DePixelGdi(v) & 0xFFFFFF;
    return m;
}

// The pixels of a picture object holding a bitmap (empty: none).
inline Mapa LeerImagen(IDispatch* objeto) {
    Mapa m;
    if (!objeto) return m;
    IPicture* pic = nullptr;
    if (FAILED(objeto->QueryInterface(IID_IPicture, reinterpret_cast<void**>(&pic)))) return m;
    OLE_HANDLE h = 0;
    SHORT tipo = 0;
    pic->get_Type(&tipo);
    if (tipo == PICTYPE_BITMAP && SUCCEEDED(pic->get_Handle(&h))) {
        m = LeerMapa(reinterpret_cast<HBITMAP>(static_cast<UINT_PTR>(h)));
    }
    pic->Release();
    return m;
}

inline bool LeerPpm(const std::string& ruta, Mapa& m) {
    std::ifstream f(ruta, std::ios::binary);
    std::string magia;
    int maximo = 0;
    if (!(f >> magia >> m.ancho >> m.alto >> maximo) || magia != "P6" || maximo != 255) {
        return false;
    }
    f.get();
    std::vector<unsigned char> bytes(static_cast<size_t>(m.ancho) * m.alto * 3);
    if (!f.read(reinterpret_cast<char*>(bytes.data()),
                static_cast<std::streamsize>(bytes.size()))) {
        return false;
    }
    m.p.resize(static_cast<size_t>(m.ancho) * m.alto);
    for (size_t i = 0; i < m.p.size(); ++i) {
        m.p[i] = bytes[3 * i] | (bytes[3 * i + 1] << 8) | (bytes[3 * i + 2] << 16);
    }
    return true;
}

inline void EscribirPpm(const std::string& ruta, const Mapa& m) {
    std::FILE* f = std::fopen(ruta.c_str(), "wb");
    if (!f) return;
    std::fprintf(f, "P6\n%d %d\n255\n", m.ancho, m.alto);
    for (uint32_t v : m.p) {
        const unsigned char rgb[3] = {static_cast<unsigned char>(v & 0xFF),
                                      static_cast<unsigned char>((v >> 8) & 0xFF),
                                      static_cast<unsigned char>((v >> 16) & 0xFF)};
        std::fwrite(rgb, 1, 3, f);
    }
    std::fclose(f);
}

struct Comparacion {
    long distintos = -1;  // pixels that differ (-1: the sizes differ)
    long lejanos = -1;    // of those, the ones neither explained by a one-pixel shift nor
                          // next to a line of the reference
};

// Compares picture `a` with the reference `b`, taking colour `fondoA` of `a`
// as `fondoB` (the same system colour resolved by two platforms). A pixel that
// differs is near when its colour lies within one pixel in the other picture,
// or a pixel of one of the `lineas` colours lies within one pixel in the
// reference (where two polygons and their outlines meet, two rasterisers of
// the same rules may round one pixel apart).
inline Comparacion Comparar(const Mapa& a, const Mapa& b, uint32_t fondoA, uint32_t fondoB,
                            std::initializer_list<uint32_t> lineas = {}) {
    Comparacion c;
    if (a.ancho != b.ancho || a.alto != b.alto) return c;
    c.distintos = c.lejanos = 0;
    auto color = [&](int x, int y) {
        const uint32_t v = a.En(x, y);
        return v == fondoA ? fondoB : v;
    };
    for (int y = 0; y < a.alto; ++y) {
        for (int x = 0; x < a.ancho; ++x) {
            const uint32_t v = color(x, y);
            if (v == b.En(x, y)) continue;
            ++c.distintos;
            bool cerca = false;
            for (int dy = -1; dy <= 1 && !cerca; ++dy) {
                for (int dx = -1; dx <= 1 && !cerca; ++dx) {
                    const int u = x + dx, w = y + dy;
                    if (u < 0 || w < 0 || u >= a.ancho || w >= a.alto) continue;
                    cerca = b.En(u, w) == v || color(u, w) == b.En(x, y);
                    for (uint32_t l : lineas) cerca = cerca || b.En(u, w) == l;
                }
            }
            c.lejanos += !cerca;
        }
    }
    return c;
}

}  // namespace prueba
