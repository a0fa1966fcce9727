// The Windows drawing surface: its properties and its scale.
#include <cmath>

#include "platform/windows/gdi_checks.h"
#include "platform/windows/gdi_colors.h"
#include "platform/windows/gdi_surface.h"
#include "platform/windows/text.h"

namespace relivo {

using gdi::ColorDePropiedad;
using gdi::Exigir;
using gdi::ExigirImagen;
using gdi::TamanoDeFuente;

namespace {

// Units per device pixel of the scale modes 1..7, horizontally and vertically.
constexpr double kUnidadesX[8] = {0, 15, 0.75, 1, 1.0 / 8, 1.0 / 96, 25.4 / 96, 2.54 / 96};
constexpr double kUnidadesY[8] = {0, 15, 0.75, 1, 1.0 / 16, 1.0 / 96, 25.4 / 96, 2.54 / 96};

}  // namespace

// --- Properties.

void SuperficieGdi::Align(int16_t valor) {
    Exigir(valor >= 0 && valor <= 4);
    e_.align = valor;
}

void SuperficieGdi::BackColor(ColorOle valor) {
    e_.backColor = ColorDePropiedad(valor);
    Borrar();
    CopiarAPantalla(nullptr);
}

void SuperficieGdi::BorderStyle(int16_t valor) {
    Exigir(valor == 0 || valor == 1);
    if (valor == e_.borderStyle) return;
    e_.borderStyle = valor;
    FijarTamano(e_.ancho, e_.alto);
}

void SuperficieGdi::DrawMode(int16_t valor) {
    Exigir(valor >= 1 && valor <= 16);
    e_.drawMode = valor;
    SetROP2(e_.dcImagen, valor);
    SetROP2(e_.dcPantalla, valor);
}

void SuperficieGdi::DrawStyle(int16_t valor) {
    Exigir(valor >= 0 && valor <= 6);
    e_.drawStyle = valor;
    AplicarPluma();
}

void SuperficieGdi::DrawWidth(int16_t valor) {
    Exigir(valor >= 1);
    e_.drawWidth = valor;
    AplicarPluma();
}

void SuperficieGdi::Enabled(bool valor) {
    e_.enabled = valor;
    if (e_.ventana) EnableWindow(e_.ventana, valor);
}

void SuperficieGdi::FillColor(ColorOle valor) {
    e_.fillColor = ColorDePropiedad(valor);
    AplicarPincel();
}

void SuperficieGdi::FillStyle(int16_t valor) {
    Exigir(valor >= 0 && valor <= 7);
    e_.fillStyle = valor;
    AplicarPincel();
}

void SuperficieGdi::Font(const Fuente& valor) {
    Fuente f = valor;
    f.Size = TamanoDeFuente(valor.Size);
    e_.fuente = std::move(f);
    AplicarLetra();
}

void SuperficieGdi::FontBold(bool valor) {
    e_.fuente.Bold = valor;
    AplicarLetra();
}

void SuperficieGdi::FontItalic(bool valor) {
    e_.fuente.Italic = valor;
    AplicarLetra();
}

void SuperficieGdi::FontName(std::string_view valor) {
    e_.fuente.Name = std::string(valor);
    AplicarLetra();
}

void SuperficieGdi::FontSize(float valor) {
    e_.fuente.Size = TamanoDeFuente(valor);
    AplicarLetra();
}

void SuperficieGdi::FontStrikethru(bool valor) {
    e_.fuente.Strikethrough = valor;
    AplicarLetra();
}

void SuperficieGdi::FontUnderline(bool valor) {
    e_.fuente.Underline = valor;
    AplicarLetra();
}

void SuperficieGdi::ForeColor(ColorOle valor) {
    e_.foreColor = ColorDePropiedad(valor);
    AplicarPluma();
}

void SuperficieGdi::MouseIcon(const Imagen& valor) {
    ExigirImagen(valor);
    e_.mouseIcon = valor;
    if (e_.cursorPropio) DestroyIcon(e_.cursorPropio);
    e_.cursorPropio = nullptr;
    if (valor.Vacia()) return;
    // A cursor of the picture, hot spot at its top-left corner.
    BITMAPINFO bi{};
    bi.bmiHeader.biSize = sizeof(bi.bmiHeader);
    bi.bmiHeader.biWidth = valor.Ancho;
    bi.bmiHeader.biHeight = -valor.Alto;
    bi.bmiHeader.biPlanes = 1;
    bi.bmiHeader.biBitCount = 32;
    bi.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    HBITMAP color = CreateDIBSection(nullptr, &bi, DIB_RGB_COLORS, &bits, nullptr, 0);
    HBITMAP mascara = CreateBitmap(valor.Ancho, valor.Alto, 1, 1, nullptr);
    if (color && mascara && bits) {
        auto* d = static_cast<uint32_t*>(bits);
        for (size_t i = 0; i < valor.Pixeles.size(); ++i) {
            d[i] = 0xFF000000u | ColorGdiAPixel(static_cast<COLORREF>(valor.Pixeles[i]));
        }
        ICONINFO ii{};
        ii.fIcon = FALSE;
        ii.hbmColor = color;
        ii.hbmMask = mascara;
        e_.cursorPropio = CreateIconIndirect(&ii);
    }
    if (color) DeleteObject(color);
    if (mascara) DeleteObject(mascara);
}

void SuperficieGdi::MousePointer(int16_t valor) {
    Exigir((valor >= 0 && valor <= 15) || valor == 99);
    e_.mousePointer = valor;
}

void SuperficieGdi::Picture(const Imagen& valor) {
    ExigirImagen(valor);
    e_.picture = valor;
    Borrar();
    CopiarAPantalla(nullptr);
}

void SuperficieGdi::ToolTipText(std::string_view valor) {
    e_.toolTipText = std::string(valor);
    if (!e_.ventana) return;
    std::wstring texto = AUtf16(e_.toolTipText);
    if (!e_.aviso && !texto.empty()) {
        INITCOMMONCONTROLSEX icc{sizeof(icc), ICC_WIN95_CLASSES};
        InitCommonControlsEx(&icc);
        e_.aviso =
            CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr, WS_POPUP | TTS_ALWAYSTIP,
                            CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, e_.ventana,
                            nullptr, gdi::Instancia(), nullptr);
        if (!e_.aviso) return;
        TTTOOLINFOW ti{};
        ti.cbSize = sizeof(ti);
        ti.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
        ti.hwnd = e_.ventana;
        ti.uId = reinterpret_cast<UINT_PTR>(e_.ventana);
        ti.lpszText = texto.data();
        SendMessageW(e_.aviso, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&ti));
        return;
    }
    if (!e_.aviso) return;
    TTTOOLINFOW ti{};
    ti.cbSize = sizeof(ti);
    ti.hwnd = e_.ventana;
    ti.uId = reinterpret_cast<UINT_PTR>(e_.ventana);
    ti.lpszText = texto.data();
    SendMessageW(e_.aviso, TTM_UPDATETIPTEXTW, 0, reinterpret_cast<LPARAM>(&ti));
    SendMessageW(e_.aviso, TTM_ACTIVATE, texto.empty() ? FALSE : TRUE, 0);
}

// --- Scale.

void SuperficieGdi::ScaleHeight(float valor) {
    Exigir(std::isfinite(valor) && valor != 0);
    e_.scaleHeight = valor;
    e_.scaleMode = 0;
}

void SuperficieGdi::ScaleLeft(float valor) {
    Exigir(std::isfinite(valor));
    e_.scaleLeft = valor;
    e_.scaleMode = 0;
}

void SuperficieGdi::ScaleTop(float valor) {
    Exigir(std::isfinite(valor));
    e_.scaleTop = valor;
    e_.scaleMode = 0;
}

void SuperficieGdi::ScaleWidth(float valor) {
    Exigir(std::isfinite(valor) && valor != 0);
    e_.scaleWidth = valor;
    e_.scaleMode = 0;
}

void SuperficieGdi::ScaleMode(int16_t valor) {
    Exigir(valor >= 0 && valor <= 7);
    e_.scaleMode = valor;
    RecalcularEscala();
}

void SuperficieGdi::RecalcularEscala() {
    if (e_.scaleMode == 0) return;
    e_.scaleLeft = 0;
    e_.scaleTop = 0;
    e_.scaleWidth = static_cast<float>(e_.anchoInterior * kUnidadesX[e_.scaleMode]);
    e_.scaleHeight = static_cast<float>(e_.altoInterior * kUnidadesY[e_.scaleMode]);
}

double SuperficieGdi::PixelesPorUnidadX() const {
    if (e_.scaleMode != 0) return 1 / kUnidadesX[e_.scaleMode];
    return e_.scaleWidth == 0 ? 0 : e_.anchoInterior / static_cast<double>(e_.scaleWidth);
}

double SuperficieGdi::PixelesPorUnidadY() const {
    if (e_.scaleMode != 0) return 1 / kUnidadesY[e_.scaleMode];
    return e_.scaleHeight == 0 ? 0 : e_.altoInterior / static_cast<double>(e_.scaleHeight);
}

double SuperficieGdi::AX(float x) const {
    return (static_cast<double>(x) - e_.scaleLeft) * PixelesPorUnidadX();
}

double SuperficieGdi::AY(float y) const {
    return (static_cast<double>(y) - e_.scaleTop) * PixelesPorUnidadY();
}

float SuperficieGdi::EnEscalaX(float px) const {
    const double f = PixelesPorUnidadX();
    if (f == 0 || !std::isfinite(px)) return e_.scaleLeft;
    return static_cast<float>(e_.scaleLeft + px / f);
}

float SuperficieGdi::EnEscalaY(float py) const {
    const double f = PixelesPorUnidadY();
    if (f == 0 || !std::isfinite(py)) return e_.scaleTop;
    return static_cast<float>(e_.scaleTop + py / f);
}

}  // namespace relivo
