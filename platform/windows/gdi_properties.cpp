// The Windows drawing surface: what it does when a property changes.
#include "platform/surface_base.h"
#include "platform/windows/dib.h"
#include "platform/windows/gdi_checks.h"
#include "platform/windows/gdi_colors.h"
#include "platform/windows/gdi_surface.h"
#include "platform/windows/text.h"

namespace relivo {

void SuperficieGdi::AlCambiarPropiedad(PropiedadSuperficie cual) {
    using P = PropiedadSuperficie;
    switch (cual) {
        case P::BackColor:
        case P::Picture:
            // The picture and the window start again from BackColor and Picture.
            Borrar();
            CopiarAPantalla(nullptr);
            break;
        case P::BorderStyle:
            FijarTamano(e_.ancho, e_.alto);
            break;
        case P::DrawMode:
            SetROP2(e_.dcImagen, p_.DrawMode);
            SetROP2(e_.dcPantalla, p_.DrawMode);
            break;
        case P::DrawStyle:
        case P::DrawWidth:
        case P::ForeColor:
            AplicarPluma();
            break;
        case P::Enabled:
            if (e_.ventana) EnableWindow(e_.ventana, p_.Enabled);
            break;
        case P::FillColor:
        case P::FillStyle:
            AplicarPincel();
            break;
        case P::Font:
        case P::FontBold:
        case P::FontItalic:
        case P::FontName:
        case P::FontSize:
        case P::FontStrikethru:
        case P::FontUnderline:
            AplicarLetra();
            break;
        case P::MouseIcon:
            CrearCursorPropio();
            break;
        case P::ToolTipText:
            MostrarAviso();
            break;
        default:
            break;
    }
}

void SuperficieGdi::CrearCursorPropio() {
    const Imagen& icono = p_.MouseIcon;
    if (e_.cursorPropio) DestroyIcon(e_.cursorPropio);
    e_.cursorPropio = nullptr;
    if (icono.Vacia()) return;
    // A cursor of the picture, hot spot at its top-left corner.
    uint32_t* d = nullptr;
    HBITMAP color = SeccionDib32(nullptr, icono.Ancho, icono.Alto, d);
    HBITMAP mascara = CreateBitmap(icono.Ancho, icono.Alto, 1, 1, nullptr);
    if (color && mascara && d) {
        for (size_t i = 0; i < icono.Pixeles.size(); ++i) {
            d[i] = 0xFF000000u | ColorGdiAPixel(static_cast<COLORREF>(icono.Pixeles[i]));
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

void SuperficieGdi::MostrarAviso() {
    if (!e_.ventana) return;
    std::wstring texto = AUtf16(p_.ToolTipText);
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

}  // namespace relivo
