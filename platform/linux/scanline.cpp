#include "platform/linux/scanline.h"

#include <algorithm>
#include <cstdlib>
#include <vector>

namespace relivo {

namespace {

__extension__ typedef __int128 Entero128;

// An edge, y0 < y1.
struct Borde {
    int64_t x0, y0, x1, y1;
};

// Floor of n / d for d > 0.
template <class Entero>
Entero PisoDiv(Entero n, Entero d) {
    // The remainder takes the sign of n: negative only when n / d was
    // rounded up.
    return n / d - (n % d < 0 ? 1 : 0);
}

// First pixel whose centre is at or right of the edge's crossing with the
// centre line of row y: ceil(x - 1/2) with x = x0 + (y + 1/2 - y0)(x1 - x0)/(y1 - y0).
// 128 bits hold every intermediate value for any coordinates.
int32_t Cruce(const Borde& b, int64_t y, int32_t ancho) {
    const Entero128 d = b.y1 - b.y0;
    const Entero128 n = Entero128{2} * b.x0 * d +
                        (Entero128{2} * y + 1 - Entero128{2} * b.y0) * (Entero128{b.x1} - b.x0);
    // 2x = n / d; ceil((2x - 1) / 2) = ceil((n - d) / (2d)) = -floor((d - n) / (2d)).
    Entero128 c = -PisoDiv<Entero128>(d - n, Entero128{2} * d);
    return static_cast<int32_t>(std::clamp<Entero128>(c, 0, ancho));
}

// Cruce for an edge of coordinates below 2^24 (where every product is below
// 2^51, so 64 bits hold them), with what does not
// depend on the row worked out once: d - n = k - y * m with
// k = d - 2 x0 d - (1 - 2 y0)(x1 - x0) and m = 2 (x1 - x0), the same
// integers without rounding, so the same pixels.
struct BordePequeno {
    int32_t y0, y1;
    int64_t k, m, d2;
};

constexpr int64_t kLimite64 = int64_t{1} << 24;

// Buffers kept from call to call (one thread: the host's).
std::vector<Borde> bordes;
std::vector<int32_t> cruces;
std::vector<TramoFila> tramos;

// Appends the runs of row y from its crossings (`n` of them at `c`).
void Tramos(int32_t* c, size_t n, int64_t y) {
    std::sort(c, c + n);
    for (size_t k = 0; k + 1 < n; k += 2) {
        if (c[k] < c[k + 1]) tramos.push_back({static_cast<int32_t>(y), c[k], c[k + 1]});
    }
}

// A polygon of few vertices (the plot's cells): its edges in an array of
// its own. Returns false, with no run added, when a coordinate is 2^24 or
// more away from 0.
constexpr size_t kPocos = 8;

bool Pequeno(int32_t v) {
    return v > -kLimite64 && v < kLimite64;
}

bool TramosPocos(std::span<const PuntoApi> puntos, int32_t ancho, int32_t alto) {
    BordePequeno lista[kPocos];
    size_t n = 0;
    int32_t ymin = puntos[0].y, ymax = puntos[0].y;
    for (size_t i = 0; i < puntos.size(); ++i) {
        PuntoApi a = puntos[i], b = puntos[i + 1 < puntos.size() ? i + 1 : 0];
        if (!Pequeno(a.x) || !Pequeno(a.y)) return false;
        ymin = std::min(ymin, a.y);
        ymax = std::max(ymax, a.y);
        if (a.y == b.y) continue;
        if (b.y < a.y) std::swap(a, b);
        const int64_t d = int64_t{b.y} - a.y, dx = int64_t{b.x} - a.x;
        lista[n++] = {a.y, b.y, d - 2 * a.x * d - (1 - 2 * int64_t{a.y}) * dx, 2 * dx, 2 * d};
    }
    const int32_t desde = std::max(ymin, 0), hasta = std::min(ymax, alto);
    for (int32_t y = desde; y < hasta; ++y) {
        int32_t c[kPocos];
        size_t m = 0;
        for (size_t i = 0; i < n; ++i) {
            const BordePequeno& b = lista[i];
            if (b.y0 <= y && y < b.y1) {
                const int64_t x = -PisoDiv<int64_t>(b.k - y * b.m, b.d2);
                c[m++] = static_cast<int32_t>(std::clamp<int64_t>(x, 0, ancho));
            }
        }
        if (m == 2) {
            // The common row: one run, or none.
            const int32_t x0 = std::min(c[0], c[1]), x1 = std::max(c[0], c[1]);
            if (x0 < x1) tramos.push_back({y, x0, x1});
        } else {
            Tramos(c, m, y);
        }
    }
    return true;
}

}  // namespace

std::span<const TramoFila> TramosPoligono(std::span<const PuntoApi> puntos, int32_t ancho,
                                          int32_t alto) {
    tramos.clear();
    if (puntos.size() < 3 || ancho <= 0 || alto <= 0) return tramos;
    if (puntos.size() <= kPocos && TramosPocos(puntos, ancho, alto)) return tramos;
    bordes.clear();
    int64_t ymin = INT64_MAX, ymax = INT64_MIN;
    for (size_t i = 0; i < puntos.size(); ++i) {
        const PuntoApi& a = puntos[i];
        const PuntoApi& b = puntos[i + 1 < puntos.size() ? i + 1 : 0];
        ymin = std::min<int64_t>(ymin, a.y);
        ymax = std::max<int64_t>(ymax, a.y);
        if (a.y == b.y) continue;
        bordes.push_back(a.y < b.y ? Borde{a.x, a.y, b.x, b.y} : Borde{b.x, b.y, a.x, a.y});
    }
    if (bordes.empty()) return tramos;
    const int64_t desde = std::max<int64_t>(ymin, 0), hasta = std::min<int64_t>(ymax, alto);
    for (int64_t y = desde; y < hasta; ++y) {
        cruces.clear();
        for (const Borde& b : bordes) {
            if (b.y0 <= y && y < b.y1) {
                cruces.push_back(Cruce(b, y, ancho));
            }
        }
        Tramos(cruces.data(), cruces.size(), y);
    }
    return tramos;
}

}  // namespace relivo
