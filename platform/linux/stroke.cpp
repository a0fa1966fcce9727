#include "platform/linux/stroke.h"

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <cstdlib>
#include <numeric>
#include <span>

namespace relivo {

namespace {

// Dash patterns (pixels on, off, ...) of draw styles 1 to 4.
constexpr int32_t kRaya[] = {18, 6};
constexpr int32_t kPunto[] = {3, 3};
constexpr int32_t kRayaPunto[] = {9, 6, 3, 6};
constexpr int32_t kRayaPuntoPunto[] = {9, 3, 3, 3, 3, 3};
constexpr std::span<const int32_t> kPatrones[4] = {kRaya, kPunto, kRayaPunto, kRayaPuntoPunto};

bool Encendido(int16_t estilo, int64_t fase) {
    if (estilo < 1 || estilo > 4) return true;
    const std::span<const int32_t> p = kPatrones[estilo - 1];
    // The phase within one period falls in one of its pieces: even ones are on.
    int64_t r = fase % std::accumulate(p.begin(), p.end(), int64_t{0});
    size_t i = 0;
    while (r >= p[i]) r -= p[i++];
    return i % 2 == 0;
}

// Clips segment a-b to the rectangle [xmin, xmax] x [ymin, ymax]
// (Liang-Barsky); returns the parameters t0 <= t1 of the visible part.
bool Recortar(PuntoD a, PuntoD b, double xmin, double ymin, double xmax, double ymax, double& t0,
              double& t1) {
    t0 = 0;
    t1 = 1;
    const double dx = b.x - a.x, dy = b.y - a.y;
    const double p[4] = {-dx, dx, -dy, dy};
    const double q[4] = {a.x - xmin, xmax - a.x, a.y - ymin, ymax - a.y};
    for (int i = 0; i < 4; ++i) {
        if (p[i] < 0) {
            const double t = q[i] / p[i];
            if (t > t1) return false;
            t0 = std::max(t0, t);
        } else if (p[i] > 0) {
            const double t = q[i] / p[i];
            if (t < t0) return false;
            t1 = std::min(t1, t);
        } else if (q[i] < 0) {
            return false;  // parallel to this edge and outside it
        }
    }
    return true;
}

// The point at parameter t of the segment from a (t = 0) to b (t = 1).
PuntoD EnSegmento(PuntoD a, PuntoD b, double t) {
    return {a.x + (b.x - a.x) * t, a.y + (b.y - a.y) * t};
}

// The pixels RecorrerLinea(a, b, true) visits, for a.y <= b.y, painted
// through a pointer into the picture: the same steps, with the position
// kept as the pixel's address (a and b inside the picture, and no step
// leaves the rectangle they span, so each address is one pixel).
void LineaDirecta(int32_t* pixeles, int32_t ancho, PuntoApi a, PuntoApi b, int32_t color) {
    RecorrerPasos(pixeles + static_cast<ptrdiff_t>(a.y) * ancho + a.x,
                  pixeles + static_cast<ptrdiff_t>(b.y) * ancho + b.x, std::abs(b.x - a.x),
                  a.y - b.y, ptrdiff_t{Direccion(a.x, b.x)}, ptrdiff_t{ancho}, true,
                  [color](int32_t* p) { *p = color; });
}

}  // namespace

bool ContornoDirecto(Lienzo& lienzo, std::span<const PuntoApi> puntos, const Pluma& pluma) {
    if (pluma.ancho > 1 || (pluma.estilo != 0 && pluma.estilo != 6) || lienzo.Modo() != 13 ||
        puntos.size() < 2) {
        return false;
    }
    const int32_t w = lienzo.Ancho(), h = lienzo.Alto();
    int32_t x0 = puntos.front().x, y0 = puntos.front().y, x1 = x0, y1 = y0;
    for (const PuntoApi& p : puntos) {
        // Unsigned, a negative coordinate is past the picture too.
        if (static_cast<uint32_t>(p.x) >= static_cast<uint32_t>(w) ||
            static_cast<uint32_t>(p.y) >= static_cast<uint32_t>(h)) {
            return false;
        }
        x0 = std::min(x0, p.x);
        y0 = std::min(y0, p.y);
        x1 = std::max(x1, p.x);
        y1 = std::max(y1, p.y);
    }
    // Every edge's pixels include its ends, so the vertices are painted
    // first, and an edge of one step at most (most edges of a dense plot)
    // has nothing more.
    int32_t* pixeles = lienzo.Destino().Pixeles.data();
    const size_t n = puntos.size();
    for (size_t i = 0; i < n; ++i) {
        PuntoApi a = puntos[i], b = puntos[i + 1 < n ? i + 1 : 0];
        pixeles[static_cast<ptrdiff_t>(a.y) * w + a.x] = pluma.color;
        if (std::abs(b.x - a.x) <= 1 && std::abs(b.y - a.y) <= 1) continue;
        if (b.y < a.y || (b.y == a.y && b.x < a.x)) std::swap(a, b);
        LineaDirecta(pixeles, w, a, b, pluma.color);
    }
    lienzo.Marcar({x0, y0, x1 + 1, y1 + 1});
    return true;
}

Trazo::Trazo(Lienzo& lienzo, MarcasTrazo& marcas)
    : lienzo_(lienzo),
      ancho_(std::max(lienzo.Ancho(), 0)),
      alto_(std::max(lienzo.Alto(), 0)),
      m_(marcas) {
    const size_t n = static_cast<size_t>(ancho_) * static_cast<size_t>(alto_);
    if (m_.marca.size() != n) {
        m_.marca.assign(n, 0);
        m_.tocados.clear();
    }
}

bool Trazo::Visible(int16_t estilo) {
    return estilo != 5;
}

void Trazo::Marcar(int32_t x, int32_t y) {
    if (x < 0 || y < 0 || x >= ancho_ || y >= alto_) return;
    const int32_t i = y * ancho_ + x;
    if (!m_.marca[static_cast<size_t>(i)]) {
        m_.marca[static_cast<size_t>(i)] = 1;
        m_.tocados.push_back(i);
    }
}

void Trazo::Segmento(PuntoD a, PuntoD b, const Pluma& pluma, bool conFinal) {
    if (!Visible(pluma.estilo)) return;
    if (pluma.ancho <= 1) {
        Delgado(a, b, pluma, conFinal);
    } else {
        Grueso(a, b, pluma.ancho / 2.0);
    }
}

void Trazo::Delgado(PuntoD a, PuntoD b, const Pluma& pluma, bool conFinal) {
    // Keep the loop short for far-away points: clip to a margin around the
    // surface and move the dash phase past the part left out.
    const double margen = 2;
    double t0, t1;
    const double largo = std::max(std::fabs(b.x - a.x), std::fabs(b.y - a.y));
    if (!Recortar(a, b, -margen, -margen, ancho_ + margen, alto_ + margen, t0, t1)) {
        fase_ += static_cast<int64_t>(std::min(largo, 1e15));
        return;
    }
    const PuntoD c = EnSegmento(a, b, t0), d = EnSegmento(a, b, t1);
    if (t1 < 1) conFinal = true;  // the true end is outside anyway
    fase_ += static_cast<int64_t>(std::min(largo * t0, 1e15));

    RecorrerLinea(static_cast<int32_t>(std::floor(c.x)), static_cast<int32_t>(std::floor(c.y)),
                  static_cast<int32_t>(std::floor(d.x)), static_cast<int32_t>(std::floor(d.y)),
                  conFinal, [&](int32_t x, int32_t y) {
                      if (Encendido(pluma.estilo, fase_)) Marcar(x, y);
                      ++fase_;
                  });
    fase_ += static_cast<int64_t>(std::min(largo * (1 - t1), 1e15));
}

void Trazo::Grueso(PuntoD a, PuntoD b, double radio) {
    // Pixels whose centre lies within `radio` of the segment between the
    // centres of the end pixels (round ends).
    const PuntoD p{a.x + 0.5, a.y + 0.5}, q{b.x + 0.5, b.y + 0.5};
    // Only the box of the pixels to test comes from the clipped part: a pixel
    // centre lies inside the picture, so the point of the segment nearest to
    // a painted one is at most `radio` outside it.
    double t0, t1;
    if (!Recortar(p, q, -radio, -radio, ancho_ + radio, alto_ + radio, t0, t1)) return;
    const double dx = q.x - p.x, dy = q.y - p.y;
    const double l2 = dx * dx + dy * dy;
    const PuntoD c = EnSegmento(p, q, t0), d = EnSegmento(p, q, t1);
    const int32_t xa = std::max(0, static_cast<int32_t>(std::floor(std::min(c.x, d.x) - radio)));
    const int32_t xb =
        std::min(ancho_ - 1, static_cast<int32_t>(std::ceil(std::max(c.x, d.x) + radio)));
    const int32_t ya = std::max(0, static_cast<int32_t>(std::floor(std::min(c.y, d.y) - radio)));
    const int32_t yb =
        std::min(alto_ - 1, static_cast<int32_t>(std::ceil(std::max(c.y, d.y) + radio)));
    const double r2 = radio * radio;
    for (int32_t y = ya; y <= yb; ++y) {
        for (int32_t x = xa; x <= xb; ++x) {
            const double px = x + 0.5 - p.x, py = y + 0.5 - p.y;
            double t = l2 > 0 ? (px * dx + py * dy) / l2 : 0.0;
            t = std::clamp(t, 0.0, 1.0);
            const double ex = px - t * dx, ey = py - t * dy;
            if (ex * ex + ey * ey <= r2) Marcar(x, y);
        }
    }
}

void Trazo::Polilinea(std::span<const PuntoD> puntos, const Pluma& pluma, bool cerrada) {
    if (puntos.empty() || !Visible(pluma.estilo)) return;
    if (puntos.size() == 1) {
        Punto(puntos[0].x, puntos[0].y, pluma);
        return;
    }
    const bool continuo = pluma.estilo == 0 || pluma.estilo == 6 || pluma.ancho > 1;
    if (cerrada && continuo) {
        // Every vertex is covered, so each edge may be drawn whole and in one
        // fixed direction: an edge shared by two figures gets the same pixels.
        for (size_t i = 0; i < puntos.size(); ++i) {
            PuntoD a = puntos[i], b = puntos[(i + 1) % puntos.size()];
            if (b.y < a.y || (b.y == a.y && b.x < a.x)) std::swap(a, b);
            Segmento(a, b, pluma, true);
        }
        return;
    }
    for (size_t i = 0; i + 1 < puntos.size(); ++i) {
        Segmento(puntos[i], puntos[i + 1], pluma, false);
    }
    if (cerrada) Segmento(puntos.back(), puntos.front(), pluma, false);
}

void Trazo::Punto(double x, double y, const Pluma& pluma) {
    if (!Visible(pluma.estilo)) return;
    if (pluma.ancho <= 1) {
        if (std::fabs(x) < 1e9 && std::fabs(y) < 1e9) {
            Marcar(static_cast<int32_t>(std::floor(x)), static_cast<int32_t>(std::floor(y)));
        }
        return;
    }
    Grueso({x, y}, {x, y}, pluma.ancho / 2.0);
}

void Trazo::Pintar(int32_t color) {
    if (m_.tocados.empty()) return;
    Imagen& img = lienzo_.Destino();
    int32_t x0 = ancho_, y0 = alto_, x1 = 0, y1 = 0;
    for (int32_t i : m_.tocados) {
        m_.marca[static_cast<size_t>(i)] = 0;
        const int32_t x = i % ancho_, y = i / ancho_;
        int32_t& p = img.Pixeles[static_cast<size_t>(i)];
        p = AplicarModo(lienzo_.Modo(), color, p);
        x0 = std::min(x0, x);
        y0 = std::min(y0, y);
        x1 = std::max(x1, x + 1);
        y1 = std::max(y1, y + 1);
    }
    m_.tocados.clear();
    lienzo_.Marcar({x0, y0, x1, y1});
}

}  // namespace relivo
