// The Windows drawing surface: GDI state of the device contexts, drawing
// methods, refresh and text metrics.
#include <algorithm>
#include <cmath>
#include <vector>

#include "platform/surface_checks.h"
#include "platform/surface_circle.h"
#include "platform/surface_paint.h"
#include "platform/windows/dib.h"
#include "platform/windows/gdi_colors.h"
#include "platform/windows/gdi_surface.h"
#include "platform/windows/text.h"
#include "relivo/platform/error.h"

namespace relivo {

namespace {

// The device pixel a coordinate falls in (nearest pixel corner), kept where
// GDI's coordinates reach; far-away points stay far away.
constexpr double kLejos = 1e8;

int32_t Pixel(double v) {
    return static_cast<int32_t>(std::nearbyint(std::clamp(v, -kLejos, kLejos)));
}

int EstiloDePluma(int16_t drawStyle) {
    switch (drawStyle) {
        case 1:
            return PS_DASH;
        case 2:
            return PS_DOT;
        case 3:
            return PS_DASHDOT;
        case 4:
            return PS_DASHDOTDOT;
        case 5:
            return PS_NULL;
        case 6:
            return PS_INSIDEFRAME;
        default:
            return PS_SOLID;
    }
}

// Selects a new GDI object into both device contexts and deletes the one it
// replaces.
template <typename T>
void Reemplazar(HDC a, HDC b, T& actual, T nuevo) {
    SelectObject(a, nuevo);
    SelectObject(b, nuevo);
    if (actual) DeleteObject(actual);
    actual = nuevo;
}

// A temporary pen or brush selected into one device context.
class Temporal {
public:
    Temporal(HDC dc, HGDIOBJ objeto, bool propio)
        : dc_(dc), objeto_(objeto), propio_(propio), antes_(SelectObject(dc, objeto)) {}
    ~Temporal() {
        SelectObject(dc_, antes_);
        if (propio_) DeleteObject(objeto_);
    }
    Temporal(const Temporal&) = delete;
    Temporal& operator=(const Temporal&) = delete;

private:
    HDC dc_;
    HGDIOBJ objeto_;
    bool propio_;
    HGDIOBJ antes_;
};

}  // namespace

// --- GDI state.

void SuperficieGdi::AplicarPluma() {
    AplicarPluma(ColorGdi(p_.ForeColor));
}

void SuperficieGdi::AplicarPluma(COLORREF color) {
    HPEN p = CreatePen(EstiloDePluma(p_.DrawStyle), p_.DrawWidth, color);
    if (!p) throw Fallo::Plataforma(errores::kMemoriaInsuficiente);
    Reemplazar(e_.dcImagen, e_.dcPantalla, e_.pluma, p);
}

void SuperficieGdi::AplicarPincel() {
    static const int kTramas[8] = {
        0, 0, HS_HORIZONTAL, HS_VERTICAL, HS_BDIAGONAL, HS_FDIAGONAL, HS_CROSS, HS_DIAGCROSS};
    const COLORREF c = ColorGdi(p_.FillColor);
    HBRUSH b = nullptr;
    if (p_.FillStyle == 1) {
        LOGBRUSH lb{BS_NULL, 0, 0};
        b = CreateBrushIndirect(&lb);
    } else if (p_.FillStyle == 0) {
        b = CreateSolidBrush(c);
    } else {
        b = CreateHatchBrush(kTramas[p_.FillStyle], c);
    }
    if (!b) throw Fallo::Plataforma(errores::kMemoriaInsuficiente);
    Reemplazar(e_.dcImagen, e_.dcPantalla, e_.pincel, b);
}

void SuperficieGdi::AplicarLetra() {
    LOGFONTW lf{};
    lf.lfHeight = -static_cast<LONG>(std::lround(p_.FontSize * 96.0 / 72.0));
    lf.lfWeight = p_.FontBold ? FW_BOLD : FW_NORMAL;
    lf.lfItalic = p_.FontItalic;
    lf.lfUnderline = p_.FontUnderline;
    lf.lfStrikeOut = p_.FontStrikethru;
    lf.lfCharSet = DEFAULT_CHARSET;
    const std::wstring nombre = AUtf16(p_.FontName).substr(0, LF_FACESIZE - 1);
    std::copy(nombre.begin(), nombre.end(), lf.lfFaceName);
    HFONT f = CreateFontIndirectW(&lf);
    if (!f) throw Fallo::Plataforma(errores::kMemoriaInsuficiente);
    Reemplazar(e_.dcImagen, e_.dcPantalla, e_.letra, f);
}

COLORREF SuperficieGdi::ColorDePluma(std::optional<ColorOle> color) const {
    const ColorOle c = color.value_or(p_.ForeColor);
    if (!ResolverColor(c)) ArgumentoNoValido();
    return ColorGdi(c);
}

HDC SuperficieGdi::Destino() {
    return p_.AutoRedraw ? e_.dcImagen : e_.dcPantalla;
}

void SuperficieGdi::Mostrado(HDC dc) {
    if (dc == e_.dcPantalla && e_.ventana) InvalidateRect(e_.ventana, nullptr, FALSE);
}

void SuperficieGdi::Borrar() {
    HBRUSH fondo = CreateSolidBrush(ColorGdi(p_.BackColor));
    const RECT todo{0, 0, e_.anchoInterior, e_.altoInterior};
    FillRect(e_.dcImagen, &todo, fondo);
    DeleteObject(fondo);
    const Imagen& pic = p_.Picture;
    if (!pic.Vacia()) {
        const BITMAPINFO bi = CabeceraDib32(pic.Ancho, pic.Alto);
        std::vector<uint32_t> p(pic.Pixeles.size());
        for (size_t i = 0; i < p.size(); ++i) {
            p[i] = ColorGdiAPixel(static_cast<COLORREF>(pic.Pixeles[i]));
        }
        SetDIBitsToDevice(e_.dcImagen, 0, 0, static_cast<DWORD>(pic.Ancho),
                          static_cast<DWORD>(pic.Alto), 0, 0, 0, static_cast<UINT>(pic.Alto),
                          p.data(), &bi, DIB_RGB_COLORS);
    }
    // All of it changed: the next Refresh shows all of it.
    SetBoundsRect(e_.dcImagen, &todo, DCB_ACCUMULATE | DCB_ENABLE);
}

void SuperficieGdi::CopiarAPantalla(const RECT* r) {
    const RECT todo{0, 0, e_.anchoInterior, e_.altoInterior};
    RECT zona = todo;
    if (r) IntersectRect(&zona, r, &todo);
    BitBlt(e_.dcPantalla, zona.left, zona.top, zona.right - zona.left, zona.bottom - zona.top,
           e_.dcImagen, zona.left, zona.top, SRCCOPY);
    if (!r) SetBoundsRect(e_.dcImagen, nullptr, DCB_ENABLE | DCB_RESET);
    if (e_.ventana) InvalidateRect(e_.ventana, &zona, FALSE);
}

// --- Methods.

void SuperficieGdi::Refresh() {
    if (p_.AutoRedraw) {
        RECT cambiado{};
        if (GetBoundsRect(e_.dcImagen, &cambiado, DCB_RESET) & DCB_SET) {
            CopiarAPantalla(&cambiado);
        }
    } else {
        CopiarAPantalla(nullptr);
    }
    if (e_.ventana) UpdateWindow(e_.ventana);
}

Imagen SuperficieGdi::Pantalla() {
    GdiFlush();
    Imagen r(e_.anchoInterior, e_.altoInterior);
    for (size_t i = 0; i < r.Pixeles.size(); ++i) r.Pixeles[i] = PixelAColor(e_.bitsPantalla[i]);
    return r;
}

Imagen SuperficieGdi::Image() const {
    GdiFlush();
    Imagen r(e_.anchoInterior, e_.altoInterior);
    for (size_t i = 0; i < r.Pixeles.size(); ++i) r.Pixeles[i] = PixelAColor(e_.bitsImagen[i]);
    return r;
}

void SuperficieGdi::Cls() {
    if (p_.AutoRedraw) {
        Borrar();
    } else {
        CopiarAPantalla(nullptr);
    }
    p_.CurrentX = 0;
    p_.CurrentY = 0;
}

ColorOle SuperficieGdi::Point(float x, float y) {
    ExigirFinitos({x, y});
    const EscalaEnPixeles u = Unidades();
    const double px = std::floor(u.AX(x) + 0.5), py = std::floor(u.AY(y) + 0.5);
    if (!(px >= 0 && py >= 0 && px < e_.anchoInterior && py < e_.altoInterior)) return -1;
    GdiFlush();
    const uint32_t* bits = p_.AutoRedraw ? e_.bitsImagen : e_.bitsPantalla;
    return PixelAColor(bits[static_cast<size_t>(py) * e_.anchoInterior + static_cast<size_t>(px)]);
}

void SuperficieGdi::PSet(float x, float y, std::optional<ColorOle> Color) {
    ExigirFinitos({x, y});
    const COLORREF c = ColorDePluma(Color);
    HDC dc = Destino();
    const EscalaEnPixeles u = Unidades();
    const int32_t px = Pixel(u.AX(x)), py = Pixel(u.AY(y));
    if (p_.DrawStyle != 5) {
        if (p_.DrawWidth <= 1) {
            Temporal pluma(dc, CreatePen(PS_SOLID, 1, c), true);
            MoveToEx(dc, px, py, nullptr);
            LineTo(dc, px + 1, py);
        } else {
            // A round dot as wide as the pen.
            Temporal pluma(dc, GetStockObject(NULL_PEN), false);
            Temporal pincel(dc, CreateSolidBrush(c), true);
            const int32_t w = p_.DrawWidth, a = px - w / 2, b = py - w / 2;
            Ellipse(dc, a, b, a + w + 1, b + w + 1);
        }
    }
    Mostrado(dc);
    p_.CurrentX = x;
    p_.CurrentY = y;
}

void SuperficieGdi::Line(float X1, float Y1, float X2, float Y2, std::optional<ColorOle> Color,
                         FormaLinea forma) {
    ExigirFinitos({X1, Y1, X2, Y2});
    const COLORREF c = ColorDePluma(Color);
    HDC dc = Destino();
    const EscalaEnPixeles u = Unidades();
    const int32_t ax = Pixel(u.AX(X1)), ay = Pixel(u.AY(Y1)), bx = Pixel(u.AX(X2)),
                  by = Pixel(u.AY(Y2));
    const int32_t x0 = std::min(ax, bx), x1 = std::max(ax, bx);
    const int32_t y0 = std::min(ay, by), y1 = std::max(ay, by);
    if (forma == FormaLinea::CajaRellena) {
        // Filled with the line's colour, both corners included.
        Temporal pluma(dc, GetStockObject(NULL_PEN), false);
        Temporal pincel(dc, CreateSolidBrush(c), true);
        Rectangle(dc, x0, y0, x1 + 2, y1 + 2);
    } else {
        Temporal pluma(dc, CreatePen(EstiloDePluma(p_.DrawStyle), p_.DrawWidth, c), true);
        if (forma == FormaLinea::Caja) {
            Temporal pincel(dc, GetStockObject(NULL_BRUSH), false);
            Rectangle(dc, x0, y0, x1 + 1, y1 + 1);
        } else {
            MoveToEx(dc, ax, ay, nullptr);
            LineTo(dc, bx, by);
        }
    }
    Mostrado(dc);
    p_.CurrentX = X2;
    p_.CurrentY = Y2;
}

void SuperficieGdi::Circle(float x, float y, float Radius, std::optional<ColorOle> Color,
                           std::optional<float> StartPos, std::optional<float> EndPos,
                           std::optional<float> Aspect) {
    const EscalaEnPixeles u = Unidades();
    const ArcoDeCirculo arco = PlanearArco(u, x, y, Radius, StartPos, EndPos, Aspect);
    const COLORREF c = ColorDePluma(Color);
    const double rx = arco.rx, ry = arco.ry, inicio = arco.inicio, fin = arco.fin;
    const bool pieInicio = arco.pieInicio, pieFin = arco.pieFin;
    const int32_t cx = Pixel(u.AX(x)), cy = Pixel(u.AY(y));

    HDC dc = Destino();
    Temporal pluma(dc, CreatePen(EstiloDePluma(p_.DrawStyle), p_.DrawWidth, c), true);
    const int32_t l = Pixel(cx - rx), t = Pixel(cy - ry);
    const int32_t rr = Pixel(cx + rx) + 1, b = Pixel(cy + ry) + 1;
    // Radial points far enough out for GDI to find the angles.
    const double lejos = std::max(rx, ry) * 2 + 2;
    const int32_t x1 = Pixel(cx + lejos * std::cos(inicio)),
                  y1 = Pixel(cy - lejos * std::sin(inicio));
    const int32_t x2 = Pixel(cx + lejos * std::cos(fin)), y2 = Pixel(cy - lejos * std::sin(fin));
    if (arco.completo) {
        Ellipse(dc, l, t, rr, b);
    } else if (pieInicio && pieFin) {
        Pie(dc, l, t, rr, b, x1, y1, x2, y2);
    } else {
        Arc(dc, l, t, rr, b, x1, y1, x2, y2);
        // A negative angle also draws the radius to it.
        auto radio = [&](double a) {
            MoveToEx(dc, cx, cy, nullptr);
            LineTo(dc, Pixel(cx + rx * std::cos(a)), Pixel(cy - ry * std::sin(a)));
        };
        if (pieInicio) radio(inicio);
        if (pieFin) radio(fin);
    }
    Mostrado(dc);
    p_.CurrentX = x;
    p_.CurrentY = y;
}

void SuperficieGdi::PaintPicture(const Imagen& Picture, float X1, float Y1,
                                 std::optional<float> Width1, std::optional<float> Height1,
                                 std::optional<float> X2, std::optional<float> Y2,
                                 std::optional<float> Width2, std::optional<float> Height2,
                                 std::optional<int32_t> Opcode) {
    const std::optional<CopiaDeImagen> copia = PlanearCopia(
        Unidades(), kLejos, Picture, X1, Y1, Width1, Height1, X2, Y2, Width2, Height2, Opcode);
    if (!copia) return;
    const auto entero = [](double v) { return static_cast<int32_t>(v); };

    uint32_t* p = nullptr;
    HBITMAP mapa = SeccionDib32(nullptr, Picture.Ancho, Picture.Alto, p);
    if (!mapa) throw Fallo::Plataforma(errores::kMemoriaInsuficiente);
    for (size_t i = 0; i < Picture.Pixeles.size(); ++i) {
        p[i] = ColorGdiAPixel(static_cast<COLORREF>(Picture.Pixeles[i]));
    }
    HDC origen = CreateCompatibleDC(nullptr);
    HGDIOBJ antes = SelectObject(origen, mapa);
    HDC dc = Destino();
    SetStretchBltMode(dc, COLORONCOLOR);
    StretchBlt(dc, entero(copia->dx), entero(copia->dy), entero(copia->dw), entero(copia->dh),
               origen, entero(copia->sx), entero(copia->sy), entero(copia->sw), entero(copia->sh),
               static_cast<DWORD>(copia->opcode));
    SelectObject(origen, antes);
    DeleteDC(origen);
    DeleteObject(mapa);
    Mostrado(dc);
}

namespace {

// Width of the widest line and height of all lines of a text, in pixels.
SIZE Medir(HDC dc, std::string_view texto) {
    TEXTMETRICW tm{};
    GetTextMetricsW(dc, &tm);
    SIZE total{0, 0};
    size_t inicio = 0;
    for (;;) {
        size_t fin = texto.find('\n', inicio);
        std::string_view linea = texto.substr(
            inicio, fin == std::string_view::npos ? std::string_view::npos : fin - inicio);
        if (!linea.empty() && linea.back() == '\r') linea.remove_suffix(1);
        const std::wstring w = AUtf16(linea);
        SIZE s{0, 0};
        if (!w.empty()) GetTextExtentPoint32W(dc, w.data(), static_cast<int>(w.size()), &s);
        total.cx = std::max(total.cx, s.cx);
        total.cy += tm.tmHeight;
        if (fin == std::string_view::npos) break;
        inicio = fin + 1;
    }
    return total;
}

}  // namespace

float SuperficieGdi::TextHeight(std::string_view Str) {
    const double f = std::fabs(Unidades().PixelesPorUnidadY());
    if (f == 0) throw Fallo::Plataforma(errores::kDivisionPorCero);
    return static_cast<float>(Medir(e_.dcImagen, Str).cy / f);
}

float SuperficieGdi::TextWidth(std::string_view Str) {
    const double f = std::fabs(Unidades().PixelesPorUnidadX());
    if (f == 0) throw Fallo::Plataforma(errores::kDivisionPorCero);
    return static_cast<float>(Medir(e_.dcImagen, Str).cx / f);
}

// --- Polygon on the device context.

bool SuperficieGdi::DibujarPoligono(HDC dc, std::span<const PuntoApi> puntos) {
    if (dc != e_.dcImagen && dc != e_.dcPantalla) return false;
    std::vector<POINT> p;
    p.reserve(puntos.size());
    for (const PuntoApi& q : puntos) p.push_back({q.x, q.y});
    const bool r = ::Polygon(dc, p.data(), static_cast<int>(p.size())) != FALSE;
    Mostrado(dc);
    return r;
}

}  // namespace relivo
