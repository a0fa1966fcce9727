#include "platform/linux/scanline.h"

#include <algorithm>
#include <cstdlib>
#include <vector>

namespace relivo {

namespace {

__extension__ typedef __int128 Entero128;

struct Borde {
    int64_t x0, y0, x1, y1;  // y0 < y1
};

// Floor of n / d for d > 0.
template <class Entero>
Entero PisoDiv(Entero n, Entero d) {
    Entero q = n / d;
    if ((n % d != 0) && (n < 0)) --q;
    return q;
}

// First pixel whose centre is at or right of the edge's crossing with the
// centre line of row y: ceil(x - 1/2) with x = x0 + (y + 1/2 - y0)(x1 - x0)/(y1 - y0).
// `Entero` holds every intermediate value: 128 bits for any coordinates,
// 64 for coordinates below 2^24.
template <class Entero>
int32_t Cruce(const Borde& b, int64_t y, int32_t ancho) {
    const Entero d = b.y1 - b.y0;
    const Entero n =
        Entero{2} * b.x0 * d + (Entero{2} * y + 1 - Entero{2} * b.y0) * (Entero{b.x1} - b.x0);
    // 2x = n / d; ceil((2x - 1) / 2) = ceil((n - d) / (2d)) = -floor((d - n) / (2d)).
    Entero c = -PisoDiv<Entero>(d - n, Entero{2} * d);
    if (c < 0) c = 0;
    if (c > ancho) c = ancho;
    return static_cast<int32_t>(c);
}

constexpr int64_t kLimite64 = int64_t{1} << 24;

}  // namespace

std::span<const TramoFila> TramosPoligono(std::span<const PuntoApi> puntos, int32_t ancho,
                                          int32_t alto) {
    // Buffers kept from call to call.
    static std::vector<Borde> bordes;
    static std::vector<int32_t> cruces;
    static std::vector<TramoFila> tramos;
    tramos.clear();
    if (puntos.size() < 3 || ancho <= 0 || alto <= 0) return tramos;
    bordes.clear();
    int64_t xmin = INT64_MAX, xmax = INT64_MIN, ymin = INT64_MAX, ymax = INT64_MIN;
    for (size_t i = 0; i < puntos.size(); ++i) {
        const PuntoApi& a = puntos[i];
        const PuntoApi& b = puntos[i + 1 < puntos.size() ? i + 1 : 0];
        xmin = std::min<int64_t>(xmin, a.x);
        xmax = std::max<int64_t>(xmax, a.x);
        ymin = std::min<int64_t>(ymin, a.y);
        ymax = std::max<int64_t>(ymax, a.y);
        if (a.y == b.y) continue;
        bordes.push_back(a.y < b.y ? Borde{a.x, a.y, b.x, b.y} : Borde{b.x, b.y, a.x, a.y});
    }
    const bool pequenos =
        xmin > -kLimite64 && xmax < kLimite64 && ymin > -kLimite64 && ymax < kLimite64;
    if (bordes.empty()) return tramos;
    const int64_t desde = std::max<int64_t>(ymin, 0), hasta = std::min<int64_t>(ymax, alto);
    for (int64_t y = desde; y < hasta; ++y) {
        cruces.clear();
        for (const Borde& b : bordes) {
            if (b.y0 <= y && y < b.y1) {
                cruces.push_back(pequenos ? Cruce<int64_t>(b, y, ancho)
                                          : Cruce<Entero128>(b, y, ancho));
            }
        }
        // Mostly two crossings (a convex figure).
        if (cruces.size() == 2) {
            if (cruces[1] < cruces[0]) std::swap(cruces[0], cruces[1]);
        } else {
            std::sort(cruces.begin(), cruces.end());
        }
        for (size_t k = 0; k + 1 < cruces.size(); k += 2) {
            if (cruces[k] < cruces[k + 1]) {
                tramos.push_back({static_cast<int32_t>(y), cruces[k], cruces[k + 1]});
            }
        }
    }
    return tramos;
}

}  // namespace relivo
