// The Linux raster surface: drawing methods, refresh and text metrics.
#include <algorithm>
#include <cmath>
#include <numbers>
#include <span>
#include <vector>

#include "platform/linux/fonts.h"
#include "platform/linux/raster_surface.h"
#include "platform/linux/scanline.h"
#include "platform/surface_checks.h"
#include "platform/surface_circle.h"
#include "platform/surface_paint.h"
#include "relivo/platform/error.h"

namespace relivo {

namespace {

// The device pixel a coordinate falls in (nearest pixel corner), kept within
// a range where integer arithmetic is safe; far-away points stay far away.
constexpr double kLejos = 1e9;

double Pixel(double v) {
    return std::nearbyint(std::clamp(v, -kLejos, kLejos));
}

constexpr double kDosPi = 2 * std::numbers::pi;

int32_t Rop3(int32_t opcode, int32_t s, int32_t d) {
    const uint32_t S = static_cast<uint32_t>(s), D = static_cast<uint32_t>(d);
    uint32_t r;
    switch (opcode) {
        case 0x00CC0020:
            r = S;
            break;  // copy
        case 0x00EE0086:
            r = S | D;
            break;  // paint (or)
        case 0x008800C6:
            r = S & D;
            break;  // and
        case 0x00660046:
            r = S ^ D;
            break;  // invert (xor)
        case 0x00440328:
            r = S & ~D;
            break;  // erase
        case 0x00330008:
            r = ~S;
            break;  // not copy
        case 0x001100A6:
            r = ~(S | D);
            break;  // not erase
        case 0x00BB0226:
            r = ~S | D;
            break;  // merge paint
        case 0x00550009:
            r = ~D;
            break;  // destination invert
        case 0x00000042:
            r = 0;
            break;  // blackness
        case 0x00FF0062:
            r = 0xFFFFFFu;
            break;  // whiteness
        default:
            ArgumentoNoValido();
    }
    return static_cast<int32_t>(r & 0xFFFFFFu);
}

// The runs of a polygon (inside the picture, row by row from the top)
// painted solid in copy mode: straight into the rows, and one changed
// rectangle, the union of the runs' own.
void RellenarCopia(Lienzo& lienzo, std::span<const TramoFila> tramos, int32_t color) {
    if (tramos.empty()) return;
    Imagen& img = lienzo.Destino();
    Rectangulo r{img.Ancho, tramos.front().y, 0, tramos.back().y + 1};
    for (const TramoFila& t : tramos) {
        int32_t* fila = img.Fila(t.y);
        std::fill(fila + t.x0, fila + t.x1, color);
        r.x0 = std::min(r.x0, t.x0);
        r.x1 = std::max(r.x1, t.x1);
    }
    lienzo.Marcar(r);
}

}  // namespace

// --- Targets.

Lienzo SuperficieRaster::LienzoDeDibujo(int16_t modo) {
    if (p_.AutoRedraw) return Lienzo(e_.persistente, modo, &e_.cambiado);
    Presentar();
    return Lienzo(e_.ventana, modo, nullptr);
}

void SuperficieRaster::Presentar() {
    const Rectangulo r = e_.porMostrar;
    e_.porMostrar = {};
    if (r.Vacio() || e_.ventana.Ancho != e_.persistente.Ancho ||
        e_.ventana.Alto != e_.persistente.Alto) {
        return;
    }
    for (int32_t y = r.y0; y < r.y1; ++y) {
        std::copy_n(e_.persistente.Fila(y) + r.x0, r.x1 - r.x0, e_.ventana.Fila(y) + r.x0);
    }
}

void SuperficieRaster::Borrar() {
    Imagen& img = e_.persistente;
    std::fill(img.Pixeles.begin(), img.Pixeles.end(), *ResolverColor(p_.BackColor));
    const Imagen& pic = p_.Picture;
    const int32_t w = std::min(pic.Ancho, img.Ancho), h = std::min(pic.Alto, img.Alto);
    for (int32_t y = 0; y < h; ++y) std::copy_n(pic.Fila(y), w, img.Fila(y));
    e_.cambiado = {0, 0, img.Ancho, img.Alto};
}

Pluma SuperficieRaster::PlumaActual(std::optional<ColorOle> color, bool metodo) const {
    Pluma p;
    const std::optional<ColorOle> rgb = ResolverColor(color.value_or(p_.ForeColor));
    if (!rgb) {
        if (metodo) ArgumentoNoValido();
        throw Fallo::Plataforma(errores::kValorPropiedad);
    }
    p.color = *rgb;
    p.ancho = p_.DrawWidth;
    p.estilo = p_.DrawStyle;
    return p;
}

// --- Methods.

void SuperficieRaster::Refresh() {
    if (p_.AutoRedraw) {
        e_.porMostrar.Unir(e_.cambiado);
    } else {
        e_.ventana = e_.persistente;
        e_.porMostrar = {};
    }
    e_.cambiado = {};
}

Imagen SuperficieRaster::Pantalla() {
    Presentar();
    return e_.ventana;
}

void SuperficieRaster::Cls() {
    if (p_.AutoRedraw) {
        Borrar();
    } else {
        e_.ventana = e_.persistente;
        e_.porMostrar = {};
    }
    p_.CurrentX = 0;
    p_.CurrentY = 0;
}

ColorOle SuperficieRaster::Point(float x, float y) {
    ExigirFinitos({x, y});
    const EscalaEnPixeles u = Unidades();
    const double px = std::floor(u.AX(x) + 0.5), py = std::floor(u.AY(y) + 0.5);
    const Imagen* img = &e_.persistente;
    if (!p_.AutoRedraw) {
        Presentar();
        img = &e_.ventana;
    }
    if (!(px >= 0 && py >= 0 && px < img->Ancho && py < img->Alto)) return -1;
    return img->En(static_cast<int32_t>(px), static_cast<int32_t>(py));
}

void SuperficieRaster::PSet(float x, float y, std::optional<ColorOle> Color) {
    ExigirFinitos({x, y});
    const Pluma pluma = PlumaActual(Color, true);
    Lienzo lienzo = LienzoDeDibujo(p_.DrawMode);
    Trazo trazo(lienzo, e_.marcas);
    const EscalaEnPixeles u = Unidades();
    trazo.Punto(Pixel(u.AX(x)), Pixel(u.AY(y)), pluma);
    trazo.Pintar(pluma.color);
    p_.CurrentX = x;
    p_.CurrentY = y;
}

void SuperficieRaster::Line(float X1, float Y1, float X2, float Y2, std::optional<ColorOle> Color,
                            FormaLinea forma) {
    ExigirFinitos({X1, Y1, X2, Y2});
    const Pluma pluma = PlumaActual(Color, true);
    const EscalaEnPixeles u = Unidades();
    const PuntoD a{Pixel(u.AX(X1)), Pixel(u.AY(Y1))}, b{Pixel(u.AX(X2)), Pixel(u.AY(Y2))};
    Lienzo lienzo = LienzoDeDibujo(p_.DrawMode);
    if (forma == FormaLinea::CajaRellena) {
        const int64_t x0 = static_cast<int64_t>(std::min(a.x, b.x));
        const int64_t x1 = static_cast<int64_t>(std::max(a.x, b.x)) + 1;
        const int64_t y0 = std::max<int64_t>(0, static_cast<int64_t>(std::min(a.y, b.y)));
        const int64_t y1 =
            std::min<int64_t>(lienzo.Alto(), static_cast<int64_t>(std::max(a.y, b.y)) + 1);
        const int32_t cx0 = static_cast<int32_t>(std::clamp<int64_t>(x0, 0, lienzo.Ancho()));
        const int32_t cx1 = static_cast<int32_t>(std::clamp<int64_t>(x1, 0, lienzo.Ancho()));
        for (int64_t y = y0; y < y1; ++y) {
            lienzo.Tramo(static_cast<int32_t>(y), cx0, cx1, pluma.color, 0);
        }
    } else {
        Trazo trazo(lienzo, e_.marcas);
        if (forma == FormaLinea::Caja) {
            double m = 0;
            if (pluma.estilo == 6) m = std::floor(pluma.ancho / 2.0);
            const double xa = std::min(a.x, b.x) + m, xb = std::max(a.x, b.x) - m;
            const double ya = std::min(a.y, b.y) + m, yb = std::max(a.y, b.y) - m;
            const PuntoD esquinas[4] = {{xa, ya}, {xb, ya}, {xb, yb}, {xa, yb}};
            trazo.Polilinea(esquinas, pluma, true);
        } else {
            trazo.Segmento(a, b, pluma, false);
        }
        trazo.Pintar(pluma.color);
    }
    p_.CurrentX = X2;
    p_.CurrentY = Y2;
}

void SuperficieRaster::Circle(float x, float y, float Radius, std::optional<ColorOle> Color,
                              std::optional<float> StartPos, std::optional<float> EndPos,
                              std::optional<float> Aspect) {
    const EscalaEnPixeles u = Unidades();
    const ArcoDeCirculo arco = PlanearArco(u, x, y, Radius, StartPos, EndPos, Aspect);
    const Pluma pluma = PlumaActual(Color, true);
    const double rx = arco.rx, ry = arco.ry, inicio = arco.inicio, barrido = arco.barrido;
    const bool pieInicio = arco.pieInicio, pieFin = arco.pieFin, completo = arco.completo;
    const double cx = Pixel(u.AX(x)), cy = Pixel(u.AY(y));

    Lienzo lienzo = LienzoDeDibujo(p_.DrawMode);
    const int32_t W = lienzo.Ancho(), H = lienzo.Alto();

    // The figure: a whole ellipse, or a pie with both radii drawn.
    if ((completo || (pieInicio && pieFin)) && p_.FillStyle != 1) {
        const int32_t relleno = *ResolverColor(p_.FillColor);
        const int64_t ya = std::max<int64_t>(0, static_cast<int64_t>(std::ceil(cy - ry)));
        const int64_t yb = std::min<int64_t>(H - 1, static_cast<int64_t>(std::floor(cy + ry)));
        for (int64_t j = ya; j <= yb; ++j) {
            const double dy = static_cast<double>(j) - cy;
            const double q = ry > 0 ? 1 - (dy / ry) * (dy / ry) : (dy == 0 ? 1 : -1);
            if (q < 0) continue;
            const double hw = rx * std::sqrt(q);
            const int64_t xa = std::max<int64_t>(0, static_cast<int64_t>(std::ceil(cx - hw)));
            const int64_t xb = std::min<int64_t>(W - 1, static_cast<int64_t>(std::floor(cx + hw)));
            if (xa > xb) continue;
            if (completo) {
                lienzo.Tramo(static_cast<int32_t>(j), static_cast<int32_t>(xa),
                             static_cast<int32_t>(xb + 1), relleno, p_.FillStyle);
                continue;
            }
            for (int64_t i = xa; i <= xb; ++i) {
                const double dx = static_cast<double>(i) - cx;
                // The ellipse's parameter angle of the pixel (the centre
                // pixel belongs to every pie).
                double t = (dx == 0 && dy == 0) ? inicio : std::atan2(-dy * rx, dx * ry);
                if (t < 0) t += kDosPi;
                double d = t - inicio;
                if (d < 0) d += kDosPi;
                if (d <= barrido) {
                    lienzo.Tramo(static_cast<int32_t>(j), static_cast<int32_t>(i),
                                 static_cast<int32_t>(i + 1), relleno, p_.FillStyle);
                }
            }
        }
    }

    // The outline.
    double orx = rx, ory = ry;
    if (pluma.estilo == 6 && pluma.ancho > 1) {
        orx = std::max(0.0, rx - pluma.ancho / 2.0);
        ory = std::max(0.0, ry - pluma.ancho / 2.0);
    }
    const double mayor = std::max(orx, ory);
    // Points about a pixel apart (farther apart for a wide pen, whose round
    // joins cover the chords).
    const double separacion = std::max(1.0, pluma.ancho / 4.0);
    const int32_t pasos = static_cast<int32_t>(
        std::clamp(std::ceil(barrido * mayor * 1.5 / separacion), 8.0, 65536.0));
    std::vector<PuntoD> puntos;
    puntos.reserve(static_cast<size_t>(pasos) + 3);
    const PuntoD centro{cx, cy};
    if (pieInicio && !completo) puntos.push_back(centro);
    for (int32_t k = 0; k <= pasos; ++k) {
        if (completo && k == pasos) break;
        const double t = inicio + barrido * k / pasos;
        const PuntoD p{std::nearbyint(cx + orx * std::cos(t)),
                       std::nearbyint(cy - ory * std::sin(t))};
        if (puntos.empty() || p.x != puntos.back().x || p.y != puntos.back().y) puntos.push_back(p);
    }
    if (pieFin && !completo) puntos.push_back(centro);
    Trazo trazo(lienzo, e_.marcas);
    const bool cerrada = completo || (pieInicio && pieFin);
    trazo.Polilinea(puntos, pluma, cerrada);
    if (!cerrada && !puntos.empty()) trazo.Punto(puntos.back().x, puntos.back().y, pluma);
    trazo.Pintar(pluma.color);
    p_.CurrentX = x;
    p_.CurrentY = y;
}

void SuperficieRaster::PaintPicture(const Imagen& Picture, float X1, float Y1,
                                    std::optional<float> Width1, std::optional<float> Height1,
                                    std::optional<float> X2, std::optional<float> Y2,
                                    std::optional<float> Width2, std::optional<float> Height2,
                                    std::optional<int32_t> Opcode) {
    const std::optional<CopiaDeImagen> copia = PlanearCopia(
        Unidades(), kLejos, Picture, X1, Y1, Width1, Height1, X2, Y2, Width2, Height2, Opcode);
    if (!copia) return;
    const int32_t op = copia->opcode;
    const double dx = copia->dx, dy = copia->dy, dw = copia->dw, dh = copia->dh;
    const double sx = copia->sx, sy = copia->sy, sw = copia->sw, sh = copia->sh;

    Lienzo lienzo = LienzoDeDibujo(13);
    Imagen& img = lienzo.Destino();
    const double W = img.Ancho, H = img.Alto;
    // A negative width or height (never 0 here) mirrors that direction.
    const bool espejo_dx = std::signbit(dw), espejo_dy = std::signbit(dh);
    const bool espejo_sx = std::signbit(sw), espejo_sy = std::signbit(sh);
    // Offsets u (v) along the destination whose pixel lies on the surface.
    const double ua = espejo_dx ? std::max(0.0, dx - W) : std::max(0.0, -dx);
    const double ub = espejo_dx ? std::min(std::fabs(dw), dx) : std::min(std::fabs(dw), W - dx);
    const double va = espejo_dy ? std::max(0.0, dy - H) : std::max(0.0, -dy);
    const double vb = espejo_dy ? std::min(std::fabs(dh), dy) : std::min(std::fabs(dh), H - dy);
    int32_t x0 = img.Ancho, y0 = img.Alto, x1 = 0, y1 = 0;
    for (double v = va; v < vb; ++v) {
        const int32_t y = static_cast<int32_t>(espejo_dy ? dy - 1 - v : dy + v);
        const double s = std::floor((v + 0.5) * std::fabs(sh) / std::fabs(dh));
        const double fyS = espejo_sy ? sy - 1 - s : sy + s;
        if (fyS < 0 || fyS >= Picture.Alto) continue;
        for (double u = ua; u < ub; ++u) {
            const int32_t x = static_cast<int32_t>(espejo_dx ? dx - 1 - u : dx + u);
            const double t = std::floor((u + 0.5) * std::fabs(sw) / std::fabs(dw));
            const double fxS = espejo_sx ? sx - 1 - t : sx + t;
            if (fxS < 0 || fxS >= Picture.Ancho) continue;
            int32_t& p = img.En(x, y);
            p = Rop3(op, Picture.En(static_cast<int32_t>(fxS), static_cast<int32_t>(fyS)), p);
            x0 = std::min(x0, x);
            y0 = std::min(y0, y);
            x1 = std::max(x1, x + 1);
            y1 = std::max(y1, y + 1);
        }
    }
    lienzo.Marcar({x0, y0, x1, y1});
}

float SuperficieRaster::TextHeight(std::string_view Str) {
    const double f = std::fabs(Unidades().PixelesPorUnidadY());
    if (f == 0) throw Fallo::Plataforma(errores::kDivisionPorCero);
    return static_cast<float>(MedirTexto(Font(), Str).alto / f);
}

float SuperficieRaster::TextWidth(std::string_view Str) {
    const double f = std::fabs(Unidades().PixelesPorUnidadX());
    if (f == 0) throw Fallo::Plataforma(errores::kDivisionPorCero);
    return static_cast<float>(MedirTexto(Font(), Str).ancho / f);
}

// --- Polygon on the device context.

void SuperficieRaster::DibujarPoligono(std::span<const PuntoApi> puntos) {
    Lienzo lienzo = LienzoDeDibujo(p_.DrawMode);
    if (p_.FillStyle != 1) {
        const int32_t relleno = *ResolverColor(p_.FillColor);
        const int16_t estilo = p_.FillStyle;
        const std::span<const TramoFila> tramos =
            TramosPoligono(puntos, lienzo.Ancho(), lienzo.Alto());
        if (estilo == 0 && lienzo.Modo() == 13) {
            RellenarCopia(lienzo, tramos, relleno);
        } else {
            for (const TramoFila& t : tramos) lienzo.Tramo(t.y, t.x0, t.x1, relleno, estilo);
        }
    }
    if (p_.DrawStyle == 5) return;
    const Pluma pluma = PlumaActual(std::nullopt, false);
    if (ContornoDirecto(lienzo, puntos, pluma)) return;
    std::vector<PuntoD>& vertices = e_.vertices;
    vertices.clear();
    for (const PuntoApi& p : puntos) vertices.push_back({double(p.x), double(p.y)});
    Trazo trazo(lienzo, e_.marcas);
    trazo.Polilinea(vertices, pluma, true);
    trazo.Pintar(pluma.color);
}

}  // namespace relivo
