// The Windows drawing surface: its properties and its scale.
#include "platform/surface_checks.h"
#include "platform/windows/dib.h"
#include "platform/windows/gdi_checks.h"
#include "platform/windows/gdi_colors.h"
#include "platform/windows/gdi_surface.h"
#include "platform/windows/text.h"

namespace relivo {

// --- Properties.

void SuperficieGdi::Align(int16_t valor) {
    ExigirValor(valor >= 0 && valor <= 4);
    e_.align = valor;
}

void SuperficieGdi::BackColor(ColorOle valor) {
    e_.backColor = ColorDePropiedad(valor);
    Borrar();
    CopiarAPantalla(nullptr);
}

void SuperficieGdi::BorderStyle(int16_t valor) {
    ExigirValor(valor == 0 || valor == 1);
    if (valor == e_.borderStyle) return;
    e_.borderStyle = valor;
    FijarTamano(e_.ancho, e_.alto);
}

void SuperficieGdi::DrawMode(int16_t valor) {
    ExigirValor(valor >= 1 && valor <= 16);
    e_.drawMode = valor;
    SetROP2(e_.dcImagen, valor);
    SetROP2(e_.dcPantalla, valor);
}

void SuperficieGdi::DrawStyle(int16_t valor) {
    ExigirValor(valor >= 0 && valor <= 6);
    e_.drawStyle = valor;
    AplicarPluma();
}

void SuperficieGdi::DrawWidth(int16_t valor) {
    ExigirValor(valor >= 1);
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
    ExigirValor(valor >= 0 && valor <= 7);
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
    uint32_t* d = nullptr;
    HBITMAP color = SeccionDib32(nullptr, valor.Ancho, valor.Alto, d);
    HBITMAP mascara = CreateBitmap(valor.Ancho, valor.Alto, 1, 1, nullptr);
    if (color && mascara && d) {
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
    ExigirValor((valor >= 0 && valor <= 15) || valor == 99);
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
    FijarScaleHeight(e_.escala, valor);
}

void SuperficieGdi::ScaleLeft(float valor) {
    FijarScaleLeft(e_.escala, valor);
}

void SuperficieGdi::ScaleTop(float valor) {
    FijarScaleTop(e_.escala, valor);
}

void SuperficieGdi::ScaleWidth(float valor) {
    FijarScaleWidth(e_.escala, valor);
}

void SuperficieGdi::ScaleMode(int16_t valor) {
    FijarScaleMode(e_.escala, valor, e_.anchoInterior, e_.altoInterior);
}

}  // namespace relivo
