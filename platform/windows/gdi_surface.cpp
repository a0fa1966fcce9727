// The Windows drawing surface: creation, size, input and the window. What a
// property change does is in gdi_properties.cpp, the drawing methods in
// gdi_drawing.cpp.
#include "platform/windows/gdi_surface.h"

#include <cmath>
#include <map>

#include "platform/png.h"
#include "platform/surface_checks.h"
#include "platform/surface_input.h"
#include "platform/windows/dib.h"
#include "platform/windows/gdi_checks.h"
#include "platform/windows/gdi_colors.h"
#include "platform/windows/text.h"
#include "relivo/platform/error.h"

namespace relivo {

using gdi::Instancia;

namespace {

// ---- Window classes, the parking window and the device contexts of the
// surfaces.

// A window that could not be made for want of memory or of user objects.
bool SinRecursos(DWORD motivo) {
    return motivo == ERROR_NOT_ENOUGH_MEMORY || motivo == ERROR_OUTOFMEMORY ||
           motivo == ERROR_NO_MORE_USER_HANDLES || motivo == ERROR_NO_SYSTEM_RESOURCES;
}

// Any other reason: there is no interactive window station with a desktop
// to draw on (a service's, or Wine's without an X display, where the call
// fails without a reason). The creation of the control ends with this.
Fallo SinEscritorio() {
    return Fallo(static_cast<int32_t>(HRESULT_FROM_WIN32(ERROR_REQUIRES_INTERACTIVE_WINDOWSTATION)),
                 "No hay una estación de ventanas interactiva en la que dibujar: el control "
                 "Relivo necesita un escritorio.");
}

constexpr wchar_t kClaseSuperficie[] = L"RelivoPlanoInterno";
constexpr wchar_t kClaseAparcamiento[] = L"RelivoAparcamiento";

LRESULT CALLBACK ProcedimientoSuperficie(HWND h, UINT msg, WPARAM wp, LPARAM lp) {
    if (msg == WM_NCCREATE) {
        auto* cs = reinterpret_cast<CREATESTRUCTW*>(lp);
        SetWindowLongPtrW(h, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(cs->lpCreateParams));
    }
    auto* s = reinterpret_cast<SuperficieGdi*>(GetWindowLongPtrW(h, GWLP_USERDATA));
    if (s) return s->Mensaje(h, msg, wp, lp);
    return DefWindowProcW(h, msg, wp, lp);
}

// The surfaces alive, by device context; the classes are registered while
// any lives and removed with the last, so that the module can be unloaded.
struct Registro {
    std::map<HDC, SuperficieGdi*> porDc;
    int32_t vivas = 0;
    HWND aparcamiento = nullptr;
};

Registro& ElRegistro() {
    static Registro r;
    return r;
}

void RegistrarClases() {
    WNDCLASSEXW c{};
    c.cbSize = sizeof(c);
    c.style = CS_DBLCLKS;
    c.lpfnWndProc = &ProcedimientoSuperficie;
    c.hInstance = Instancia();
    c.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    c.lpszClassName = kClaseSuperficie;
    RegisterClassExW(&c);
    WNDCLASSEXW a{};
    a.cbSize = sizeof(a);
    a.lpfnWndProc = &DefWindowProcW;
    a.hInstance = Instancia();
    a.lpszClassName = kClaseAparcamiento;
    RegisterClassExW(&a);
}

void QuitarClases() {
    Registro& r = ElRegistro();
    if (r.aparcamiento) DestroyWindow(r.aparcamiento);
    r.aparcamiento = nullptr;
    UnregisterClassW(kClaseSuperficie, Instancia());
    UnregisterClassW(kClaseAparcamiento, Instancia());
}

HCURSOR CursorDe(int16_t puntero) {
    static const LPCWSTR kCursores[16] = {
        IDC_ARROW,    IDC_ARROW,       IDC_CROSS,    IDC_IBEAM,   IDC_ICON,    IDC_SIZEALL,
        IDC_SIZENESW, IDC_SIZENS,      IDC_SIZENWSE, IDC_SIZEWE,  IDC_UPARROW, IDC_WAIT,
        IDC_NO,       IDC_APPSTARTING, IDC_HELP,     IDC_SIZEALL,
    };
    if (puntero < 0 || puntero > 15) return LoadCursorW(nullptr, IDC_ARROW);
    return LoadCursorW(nullptr, kCursores[puntero]);
}

int16_t Mayusculas() {
    int16_t s = 0;
    if (GetKeyState(VK_SHIFT) < 0) s |= 1;
    if (GetKeyState(VK_CONTROL) < 0) s |= 2;
    if (GetKeyState(VK_MENU) < 0) s |= 4;
    return s;
}

int16_t Botones(WPARAM wp) {
    int16_t b = 0;
    if (wp & MK_LBUTTON) b |= 1;
    if (wp & MK_RBUTTON) b |= 2;
    if (wp & MK_MBUTTON) b |= 4;
    return b;
}

}  // namespace

namespace gdi {

HINSTANCE Instancia() {
    HMODULE m = nullptr;
    GetModuleHandleExW(
        GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
        reinterpret_cast<LPCWSTR>(&Instancia), &m);
    return m;
}

}  // namespace gdi

HWND VentanaDeAparcamiento() {
    Registro& r = ElRegistro();
    if (!r.aparcamiento) {
        r.aparcamiento = CreateWindowExW(0, kClaseAparcamiento, L"", WS_POPUP, 0, 0, 0, 0, nullptr,
                                         nullptr, Instancia(), nullptr);
    }
    return r.aparcamiento;
}

std::unique_ptr<SuperficieDibujo> CrearSuperficie(int32_t ancho, int32_t alto) {
    return std::make_unique<SuperficieGdi>(ancho, alto);
}

SuperficieGdi* SuperficieGdi::DeDc(HDC dc) {
    const auto& m = ElRegistro().porDc;
    const auto it = m.find(dc);
    return it == m.end() ? nullptr : it->second;
}

SuperficieGdi::SuperficieGdi(int32_t ancho, int32_t alto) {
    ExigirValor(ancho >= 0 && alto >= 0 && ancho <= kLadoMaximoImagen && alto <= kLadoMaximoImagen);
    Registro& r = ElRegistro();
    if (r.vivas++ == 0) RegistrarClases();
    e_.dcImagen = CreateCompatibleDC(nullptr);
    e_.dcPantalla = CreateCompatibleDC(nullptr);
    SetLastError(ERROR_SUCCESS);
    const HWND aparcamiento = VentanaDeAparcamiento();
    if (aparcamiento) {
        e_.ventana = CreateWindowExW(WS_EX_CLIENTEDGE, kClaseSuperficie, L"",
                                     WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS, 0, 0, ancho, alto,
                                     aparcamiento, nullptr, Instancia(), this);
    }
    const DWORD motivo = GetLastError();
    if (!e_.dcImagen || !e_.dcPantalla || !e_.ventana) {
        const bool sinMemoria = !e_.dcImagen || !e_.dcPantalla || SinRecursos(motivo);
        Liberar();
        if (sinMemoria) throw Fallo::Plataforma(errores::kMemoriaInsuficiente);
        throw SinEscritorio();
    }
    r.porDc[e_.dcImagen] = this;
    r.porDc[e_.dcPantalla] = this;
    for (HDC dc : {e_.dcImagen, e_.dcPantalla}) {
        SetBkMode(dc, TRANSPARENT);
        SetPolyFillMode(dc, ALTERNATE);
        SetArcDirection(dc, AD_COUNTERCLOCKWISE);
    }
    SetBoundsRect(e_.dcImagen, nullptr, DCB_ENABLE | DCB_RESET);
    AplicarPluma();
    AplicarPincel();
    AplicarLetra();
    FijarTamano(ancho, alto);
}

SuperficieGdi::~SuperficieGdi() {
    Liberar();
}

void SuperficieGdi::Liberar() {
    Registro& r = ElRegistro();
    r.porDc.erase(e_.dcImagen);
    r.porDc.erase(e_.dcPantalla);
    if (e_.aviso) DestroyWindow(e_.aviso);
    if (e_.ventana && IsWindow(e_.ventana)) {
        SetWindowLongPtrW(e_.ventana, GWLP_USERDATA, 0);
        DestroyWindow(e_.ventana);
    }
    for (HDC dc : {e_.dcImagen, e_.dcPantalla}) {
        if (!dc) continue;
        SelectObject(dc, GetStockObject(BLACK_PEN));
        SelectObject(dc, GetStockObject(WHITE_BRUSH));
        SelectObject(dc, GetStockObject(SYSTEM_FONT));
    }
    if (e_.mapaImagen) SelectObject(e_.dcImagen, e_.mapaImagenAntes);
    if (e_.mapaPantalla) SelectObject(e_.dcPantalla, e_.mapaPantallaAntes);
    for (HGDIOBJ o : {static_cast<HGDIOBJ>(e_.mapaImagen), static_cast<HGDIOBJ>(e_.mapaPantalla),
                      static_cast<HGDIOBJ>(e_.pluma), static_cast<HGDIOBJ>(e_.pincel),
                      static_cast<HGDIOBJ>(e_.letra)}) {
        if (o) DeleteObject(o);
    }
    if (e_.cursorPropio) DestroyIcon(e_.cursorPropio);
    if (e_.dcImagen) DeleteDC(e_.dcImagen);
    if (e_.dcPantalla) DeleteDC(e_.dcPantalla);
    if (--r.vivas == 0) QuitarClases();
}

int32_t SuperficieGdi::hDC() const {
    const HDC dc = p_.AutoRedraw ? e_.dcImagen : e_.dcPantalla;
    return static_cast<int32_t>(reinterpret_cast<intptr_t>(dc));
}

int32_t SuperficieGdi::hWnd() const {
    return static_cast<int32_t>(reinterpret_cast<intptr_t>(e_.ventana));
}

// --- Size.

void SuperficieGdi::Width(float pixeles) {
    CambiarTamano(PixelesDeTamano(pixeles), e_.alto);
}

void SuperficieGdi::Height(float pixeles) {
    CambiarTamano(e_.ancho, PixelesDeTamano(pixeles));
}

void SuperficieGdi::CambiarTamano(int32_t ancho, int32_t alto) {
    if (ancho == e_.ancho && alto == e_.alto) return;
    FijarTamano(ancho, alto);
    RaiseResize();
}

namespace {

// A top-down 32-bit section of the given size selected into `dc`.
bool NuevaSeccion(HDC dc, int32_t ancho, int32_t alto, HBITMAP& mapa, uint32_t*& bits,
                  HGDIOBJ& antes) {
    uint32_t* p = nullptr;
    HBITMAP nuevo = SeccionDib32(dc, std::max(ancho, 1), std::max(alto, 1), p);
    if (!nuevo) return false;
    HGDIOBJ previo = SelectObject(dc, nuevo);
    if (mapa) {
        DeleteObject(mapa);
    } else {
        antes = previo;
    }
    mapa = nuevo;
    bits = p;
    return true;
}

}  // namespace

void SuperficieGdi::FijarTamano(int32_t ancho, int32_t alto) {
    const int32_t b = Borde();
    const int32_t ai = std::max(0, ancho - 2 * b), hi = std::max(0, alto - 2 * b);
    if (static_cast<int64_t>(ai) * hi > kAreaMaximaImagen) {
        throw Fallo::Plataforma(errores::kMemoriaInsuficiente);
    }
    // The new persistent bitmap keeps the old picture at its top-left
    // corner, and BackColor elsewhere.
    const bool primera = e_.mapaImagen == nullptr;
    HDC copia = CreateCompatibleDC(nullptr);
    HBITMAP vieja = nullptr;
    HGDIOBJ viejaAntes = nullptr;
    uint32_t* viejosBits = nullptr;
    const int32_t va = e_.anchoInterior, vh = e_.altoInterior;
    if (!primera) {
        NuevaSeccion(copia, va, vh, vieja, viejosBits, viejaAntes);
        BitBlt(copia, 0, 0, va, vh, e_.dcImagen, 0, 0, SRCCOPY);
    }
    if (!NuevaSeccion(e_.dcImagen, ai, hi, e_.mapaImagen, e_.bitsImagen, e_.mapaImagenAntes) ||
        !NuevaSeccion(e_.dcPantalla, ai, hi, e_.mapaPantalla, e_.bitsPantalla,
                      e_.mapaPantallaAntes)) {
        if (vieja) {
            SelectObject(copia, viejaAntes);
            DeleteObject(vieja);
        }
        DeleteDC(copia);
        throw Fallo::Plataforma(errores::kMemoriaInsuficiente);
    }
    e_.ancho = ancho;
    e_.alto = alto;
    e_.anchoInterior = ai;
    e_.altoInterior = hi;
    const COLORREF fondo = ColorGdi(p_.BackColor);
    HBRUSH relleno = CreateSolidBrush(fondo);
    const RECT todo{0, 0, std::max(ai, 1), std::max(hi, 1)};
    FillRect(e_.dcImagen, &todo, relleno);
    DeleteObject(relleno);
    if (primera) {
        Borrar();
    } else {
        BitBlt(e_.dcImagen, 0, 0, std::min(ai, va), std::min(hi, vh), copia, 0, 0, SRCCOPY);
        SelectObject(copia, viejaAntes);
        DeleteObject(vieja);
    }
    DeleteDC(copia);
    // The window shows the persistent picture.
    BitBlt(e_.dcPantalla, 0, 0, ai, hi, e_.dcImagen, 0, 0, SRCCOPY);
    SetBoundsRect(e_.dcImagen, nullptr, DCB_ENABLE | DCB_RESET);
    if (e_.ventana) {
        LONG_PTR ex = GetWindowLongPtrW(e_.ventana, GWL_EXSTYLE);
        ex = b ? (ex | WS_EX_CLIENTEDGE) : (ex & ~static_cast<LONG_PTR>(WS_EX_CLIENTEDGE));
        SetWindowLongPtrW(e_.ventana, GWL_EXSTYLE, ex);
        SetWindowPos(e_.ventana, nullptr, 0, 0, ancho, alto,
                     SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
        InvalidateRect(e_.ventana, nullptr, FALSE);
    }
    RecalcularEscala(escala_, e_.anchoInterior, e_.altoInterior);
}

void SuperficieGdi::RaiseResize() {
    if (e_.eventos) e_.eventos->Resize();
}

// --- Input.

int16_t SuperficieGdi::Teclear(int16_t KeyCode, int16_t Shift, int16_t KeyAscii) {
    return entrada::Teclear(e_.eventos, p_.Enabled, KeyCode, Shift, KeyAscii);
}

void SuperficieGdi::PulsarRaton(int16_t Button, int16_t Shift, float px, float py) {
    entrada::PulsarRaton(e_.eventos, p_.Enabled, e_.botonPulsado, Unidades(), Button, Shift, px,
                         py);
}

void SuperficieGdi::MoverRaton(int16_t Button, int16_t Shift, float px, float py) {
    entrada::MoverRaton(e_.eventos, p_.Enabled, Unidades(), Button, Shift, px, py);
}

void SuperficieGdi::SoltarRaton(int16_t Button, int16_t Shift, float px, float py) {
    entrada::SoltarRaton(e_.eventos, p_.Enabled, e_.botonPulsado, Unidades(), Button, Shift, px,
                         py);
}

void SuperficieGdi::DobleClic() {
    entrada::DobleClic(e_.eventos, p_.Enabled);
}

// --- The window.

LRESULT SuperficieGdi::Mensaje(HWND h, UINT msg, WPARAM wp, LPARAM lp) {
    const auto px = static_cast<float>(static_cast<int16_t>(LOWORD(lp)));
    const auto py = static_cast<float>(static_cast<int16_t>(HIWORD(lp)));
    switch (msg) {
        case WM_PAINT: {
            PAINTSTRUCT ps;
            HDC dc = BeginPaint(h, &ps);
            BitBlt(dc, 0, 0, e_.anchoInterior, e_.altoInterior, e_.dcPantalla, 0, 0, SRCCOPY);
            EndPaint(h, &ps);
            return 0;
        }
        case WM_ERASEBKGND:
            return 1;
        case WM_SETCURSOR:
            if (LOWORD(lp) == HTCLIENT) {
                SetCursor(p_.MousePointer == 99 && e_.cursorPropio ? e_.cursorPropio
                                                                   : CursorDe(p_.MousePointer));
                return TRUE;
            }
            break;
        case WM_GETDLGCODE:
            return DLGC_WANTARROWS | DLGC_WANTCHARS;
        case WM_LBUTTONDOWN:
        case WM_RBUTTONDOWN:
        case WM_MBUTTONDOWN: {
            SetFocus(h);
            SetCapture(h);
            const int16_t b = msg == WM_LBUTTONDOWN ? 1 : msg == WM_RBUTTONDOWN ? 2 : 4;
            PulsarRaton(b, Mayusculas(), px, py);
            return 0;
        }
        case WM_LBUTTONUP:
        case WM_RBUTTONUP:
        case WM_MBUTTONUP: {
            if (GetCapture() == h && !(wp & (MK_LBUTTON | MK_RBUTTON | MK_MBUTTON))) {
                ReleaseCapture();
            }
            const int16_t b = msg == WM_LBUTTONUP ? 1 : msg == WM_RBUTTONUP ? 2 : 4;
            SoltarRaton(b, Mayusculas(), px, py);
            return 0;
        }
        case WM_LBUTTONDBLCLK:
        case WM_RBUTTONDBLCLK:
        case WM_MBUTTONDBLCLK:
            DobleClic();
            SetCapture(h);
            PulsarRaton(msg == WM_LBUTTONDBLCLK   ? 1
                        : msg == WM_RBUTTONDBLCLK ? 2
                                                  : 4,
                        Mayusculas(), px, py);
            return 0;
        case WM_MOUSEMOVE:
            MoverRaton(Botones(wp), Mayusculas(), px, py);
            return 0;
        case WM_KEYDOWN:
        case WM_SYSKEYDOWN:
            if (p_.Enabled && e_.eventos) {
                int16_t codigo = static_cast<int16_t>(wp), mayusculas = Mayusculas();
                e_.eventos->KeyDown(codigo, mayusculas);
            }
            if (msg == WM_KEYDOWN) return 0;
            break;
        case WM_KEYUP:
        case WM_SYSKEYUP:
            if (p_.Enabled && e_.eventos) {
                int16_t codigo = static_cast<int16_t>(wp), mayusculas = Mayusculas();
                e_.eventos->KeyUp(codigo, mayusculas);
            }
            if (msg == WM_KEYUP) return 0;
            break;
        case WM_CHAR:
            // The character the handler leaves (0: suppressed) is all the
            // surface would take; it shows no text of its own.
            if (p_.Enabled && e_.eventos) {
                int16_t caracter = static_cast<int16_t>(wp);
                e_.eventos->KeyPress(caracter);
            }
            return 0;
        case WM_NCDESTROY:
            e_.ventana = nullptr;
            e_.aviso = nullptr;
            SetWindowLongPtrW(h, GWLP_USERDATA, 0);
            break;
        default:
            break;
    }
    return DefWindowProcW(h, msg, wp, lp);
}

}  // namespace relivo
