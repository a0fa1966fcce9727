// Relivo: the dual interface _Relivo over the surface-plot control, its
// events through the connection point of __Relivo, and the control's host
// services on Windows (events, ambient properties, property-changed
// notification, pop-up menus).
#include "component/relivo_object.h"

#include <memory>
#include <new>
#include <optional>

#include "Carvex.h"
#include "component/conversions.h"
#include "component/errors.h"
#include "component/event_args.h"
#include "component/live_font.h"
#include "component/ole_control.h"
#include "component/type_library.h"
#include "component/variants.h"

// The control's colour helper RGB, not the Windows macro of that name.
#undef RGB
#include "platform/windows/gdi_surface.h"
#include "relivo/relivo.h"

namespace relivo::com {
namespace {

// Getters and setters of the members that only convert their values.
#define RELIVO_GET(Nombre, TipoCom)                            \
    STDMETHODIMP get_##Nombre(TipoCom* r) override {           \
        return Obtener(r, [&] { return control_->Nombre(); }); \
    }
#define RELIVO_PUT(Nombre, TipoCom, Convertir)                 \
    STDMETHODIMP put_##Nombre(TipoCom v) override {            \
        return Hacer([&] { control_->Nombre(Convertir(v)); }); \
    }
#define RELIVO_PROPIEDAD(Nombre, TipoCom, Convertir) \
    RELIVO_GET(Nombre, TipoCom)                      \
    RELIVO_PUT(Nombre, TipoCom, Convertir)

template <typename T>
T Igual(T v) {
    return v;
}

std::string Texto(BSTR v) {
    return AUtf8(v);
}

// OLEMISC: set client site first, simple frame, alignable, activate when
// visible, inside-out, cannot link inside, recompose on resize.
constexpr DWORD kEstadoVarios = 0x38191;
// The new surface's outer size, in hundredths of a millimetre at 96 dots
// per inch.
constexpr SIZEL kTamanoInicial{(kAnchoInicialSuperficie * 2540 + 48) / 96,
                               (kAltoInicialSuperficie * 2540 + 48) / 96};

class ObjetoRelivo final : public _Relivo, public ControlOle, public Anfitrion {
public:
    ObjetoRelivo()
        : ControlOle(CLSID_Relivo, IID__Relivo, DIID___Relivo, L"Carvex.Relivo", kEstadoVarios,
                     kTamanoInicial) {}
    ~ObjetoRelivo() override {
        InPlaceDeactivate();
        control_.reset();
        Desconectar();
    }

    // Two steps: the control calls back into the host while it is created.
    HRESULT Crear() {
        infoEventos_ = InfoTipo(DIID___Relivo);
        infoDual_ = InfoTipo(IID__Relivo);
        return Proteger(fuente_, iidDual_, [&] {
            control_ = std::make_unique<Relivo>(*this);
            return S_OK;
        });
    }

    RELIVO_IUNKNOWN
    RELIVO_IDISPATCH(_Relivo)

    // ---- _Relivo: the plot parameters, the run and the last error.
    RELIVO_PROPIEDAD(AnguloX, double, Igual)
    RELIVO_PROPIEDAD(AnguloY, double, Igual)
    RELIVO_PROPIEDAD(AnguloZ, double, Igual)
    RELIVO_PROPIEDAD(AutoEscalaZ, VARIANT_BOOL, Booleano)
    STDMETHODIMP Cancelar() override {
        return Hacer([&] { control_->Cancelar(); });
    }
    RELIVO_GET(Error, BSTR)
    RELIVO_PROPIEDAD(Funcion, BSTR, Texto)
    RELIVO_PROPIEDAD(NumeroLineasX, short, Igual)
    RELIVO_PROPIEDAD(NumeroLineasY, short, Igual)
    RELIVO_GET(NumeroError, LONG)
    STDMETHODIMP Graficar() override {
        return Hacer([&] { control_->Graficar(); });
    }
    RELIVO_PROPIEDAD(XMax, double, Igual)
    RELIVO_PROPIEDAD(XMin, double, Igual)
    RELIVO_PROPIEDAD(YMax, double, Igual)
    RELIVO_PROPIEDAD(YMin, double, Igual)
    RELIVO_PROPIEDAD(ZMax, double, Igual)
    RELIVO_PROPIEDAD(ZMin, double, Igual)

    // ---- _Relivo: forwarded to the drawing surface. The properties: one
    // getter and setter per line of platform/surface_properties.h, by type.
    // Pictures are set by reference; Font is written by hand below.
    // clang-format off
#define RELIVO_REENVIO(Nombre, Tipo, Clase, ...) RELIVO_COM_##Tipo(Nombre, Clase)
#define RELIVO_COM_Entero16(Nombre, Clase) RELIVO_COM(Nombre, Clase, short, Igual)
#define RELIVO_COM_Entero32(Nombre, Clase) RELIVO_COM(Nombre, Clase, LONG, Igual)
#define RELIVO_COM_Booleano(Nombre, Clase) RELIVO_COM(Nombre, Clase, VARIANT_BOOL, Booleano)
#define RELIVO_COM_Color(Nombre, Clase) RELIVO_COM(Nombre, Clase, OLE_COLOR, Color)
#define RELIVO_COM_Sencillo(Nombre, Clase) RELIVO_COM(Nombre, Clase, float, Igual)
#define RELIVO_COM_Texto(Nombre, Clase) RELIVO_COM(Nombre, Clase, BSTR, Texto)
#define RELIVO_COM_Imagen(Nombre, Clase)                             \
    RELIVO_GET(Nombre, IPictureDisp*)                                \
    RELIVO_SI_SE_ASIGNA(Clase,                                       \
        STDMETHODIMP putref_##Nombre(IPictureDisp* v) override {     \
            return Hacer([&] { control_->Nombre(ImagenDeOle(v)); }); \
        })
#define RELIVO_COM_Fuente(Nombre, Clase)
#define RELIVO_COM(Nombre, Clase, TipoCom, Convertir) \
    RELIVO_GET(Nombre, TipoCom)                   \
    RELIVO_SI_SE_ASIGNA(Clase, RELIVO_PUT(Nombre, TipoCom, Convertir))
    // clang-format on
    RELIVO_PROPIEDADES_SUPERFICIE(RELIVO_REENVIO)
#undef RELIVO_REENVIO
#undef RELIVO_COM_Entero16
#undef RELIVO_COM_Entero32
#undef RELIVO_COM_Booleano
#undef RELIVO_COM_Color
#undef RELIVO_COM_Sencillo
#undef RELIVO_COM_Texto
#undef RELIVO_COM_Imagen
#undef RELIVO_COM_Fuente
#undef RELIVO_COM

    // The methods, and Font, whose object is tied to the control.
    STDMETHODIMP Circle_(float* x, float* y, float* Radius, LONG* Color, float* StartPos,
                         float* EndPos, float* Aspect) override {
        if (!x || !y || !Radius || !Color || !StartPos || !EndPos || !Aspect) return E_POINTER;
        return Hacer([&] {
            control_->Circle_(*x, *y, *Radius, static_cast<int32_t>(*Color), *StartPos, *EndPos,
                              *Aspect);
        });
    }
    STDMETHODIMP Cls() override {
        return Hacer([&] { control_->Cls(); });
    }
    STDMETHODIMP get_Font(IFontDisp** r) override {
        if (!r) return E_POINTER;
        *r = nullptr;
        return Hacer([&] {
            *r = fuenteOle_.Objeto(control_->Font());
            if (!*r) throw std::bad_alloc();
        });
    }
    STDMETHODIMP putref_Font(IFontDisp* v) override {
        return Hacer([&] { control_->Font(v ? FuenteDeOle(v) : Fuente{}); });
    }
    STDMETHODIMP Line_(float* X1, float* Y1, float* X2, float* Y2, LONG* Color) override {
        if (!X1 || !Y1 || !X2 || !Y2 || !Color) return E_POINTER;
        return Hacer([&] { control_->Line_(*X1, *Y1, *X2, *Y2, static_cast<int32_t>(*Color)); });
    }
    STDMETHODIMP PaintPicture(IPictureDisp** Picture, float* X1, float* Y1, VARIANT* Width1,
                              VARIANT* Height1, VARIANT* X2, VARIANT* Y2, VARIANT* Width2,
                              VARIANT* Height2, VARIANT* Opcode) override {
        if (!Picture || !X1 || !Y1) return E_POINTER;
        return Hacer([&] {
            control_->PaintPicture(ImagenDeOle(*Picture), *X1, *Y1, SencilloOpcional(Width1),
                                   SencilloOpcional(Height1), SencilloOpcional(X2),
                                   SencilloOpcional(Y2), SencilloOpcional(Width2),
                                   SencilloOpcional(Height2), EnteroOpcional(Opcode));
        });
    }
    STDMETHODIMP Point(float* x, float* y, LONG* r) override {
        if (!x || !y || !r) return E_POINTER;
        return Obtener(r, [&] { return control_->Point(*x, *y); });
    }
    STDMETHODIMP PopupMenu(IDispatch** Menu, VARIANT* Flags, VARIANT* x, VARIANT* y,
                           VARIANT* DefaultMenu) override {
        if (!Menu) return E_POINTER;
        return Hacer([&] {
            VARIANT m;
            VariantInit(&m);
            V_VT(&m) = VT_DISPATCH;
            V_DISPATCH(&m) = *Menu;
            const std::string nombre = *Menu ? TextoOpcional(&m) : std::string();
            menu_ = *Menu;
            try {
                control_->PopupMenu(nombre, Entero16Opcional(Flags), SencilloOpcional(x),
                                    SencilloOpcional(y), TextoOpcional(DefaultMenu));
            } catch (...) {
                menu_ = nullptr;
                throw;
            }
            menu_ = nullptr;
        });
    }
    STDMETHODIMP PSet_(float* x, float* y, LONG* Color) override {
        if (!x || !y || !Color) return E_POINTER;
        return Hacer([&] { control_->PSet_(*x, *y, static_cast<int32_t>(*Color)); });
    }
    STDMETHODIMP Refresh() override {
        return Hacer([&] { control_->Refresh(); });
    }
    STDMETHODIMP TextHeight(BSTR* Str, float* r) override {
        if (!Str || !r) return E_POINTER;
        return Obtener(r, [&] { return control_->TextHeight(AUtf8(*Str)); });
    }
    STDMETHODIMP TextWidth(BSTR* Str, float* r) override {
        if (!Str || !r) return E_POINTER;
        return Obtener(r, [&] { return control_->TextWidth(AUtf8(*Str)); });
    }
    RELIVO_GET(Grafica, IPictureDisp*)

    // ---- Anfitrion: the control's host services.
    void LanzarEvento(int32_t Id, std::string_view, std::span<ArgumentoEvento> args) override {
        ArgumentosDeEvento variantes(infoEventos_.Get(), Id, args);
        Disparar(Id, variantes.Variantes());
        variantes.Releer(args);
    }
    bool UserMode() const override {
        return ModoUsuario();
    }
    Fuente Font() const override {
        Fuente f;
        FuenteAmbiente(f);
        return f;
    }
    void PropertyChanged(std::string_view Nombre) override {
        Modificado();
        VistaCambiada();
        DISPID id = DISPID_UNKNOWN;
        std::wstring nombre = AUtf16(Nombre);
        LPOLESTR n = nombre.data();
        if (infoDual_ && SUCCEEDED(infoDual_->GetIDsOfNames(&n, 1, &id))) NotificarCambio(id);
    }
    // Shows the menu of the PopupMenu call in progress: a menu object gives
    // its handle through its hMenu property; its commands go to the
    // container's window, as those of its own menus do.
    void PopupMenu(std::string_view, std::optional<int16_t> Flags, std::optional<float> x,
                   std::optional<float> y, std::string_view) override;

protected:
    void* Interfaz(REFIID riid) override {
        if (riid == IID__Relivo || riid == IID_IDispatch) return static_cast<_Relivo*>(this);
        if (riid == IID_IUnknown) return Identidad();
        return ControlOle::Interfaz(riid);
    }

    // ControlOle: the surface fills the control.
    void AlCambiarTamano(int32_t ancho, int32_t alto) override {
        if (control_) control_->Redimensionar(static_cast<float>(ancho), static_cast<float>(alto));
        if (HWND s = Superficie()) MoveWindow(s, 0, 0, ancho, alto, TRUE);
    }
    void AlActivar(HWND ventana) override {
        if (HWND s = Superficie()) {
            SetParent(s, ventana);
            ShowWindow(s, SW_SHOWNA);
        }
    }
    void AlDesactivar() override {
        if (HWND s = Superficie()) SetParent(s, VentanaDeAparcamiento());
    }
    void Dibujar(HDC dc, const RECT& r) override;
    void Cargar(const BolsaPropiedades& bolsa) override {
        control_->ReadProperties(bolsa);
    }
    void Guardar(BolsaPropiedades& bolsa) override {
        control_->WriteProperties(bolsa);
    }

private:
    HWND Superficie() const {
        if (!control_) return nullptr;
        HWND h = reinterpret_cast<HWND>(static_cast<intptr_t>(control_->hWnd()));
        return IsWindow(h) ? h : nullptr;
    }

    template <typename C, typename F>
    HRESULT Obtener(C* r, F&& obtener) {
        if (!r) return E_POINTER;
        *r = C{};
        return Proteger(fuente_, iidDual_, [&] {
            Salida(obtener(), r);
            return S_OK;
        });
    }
    template <typename F>
    HRESULT Hacer(F&& hacer) {
        return Proteger(fuente_, iidDual_, [&] {
            hacer();
            return S_OK;
        });
    }

    ComPtr<ITypeInfo> infoEventos_;
    ComPtr<ITypeInfo> infoDual_;
    IDispatch* menu_ = nullptr;  // the menu of the PopupMenu call in progress
    // The font object given out for Font, tied to the control.
    FuenteViva fuenteOle_{[this](const Fuente& f) { control_->Font(f); }};
    std::unique_ptr<Relivo> control_;
};

void ObjetoRelivo::Dibujar(HDC dc, const RECT& r) {
    if (!control_) return;
    SuperficieDibujo& s = control_->PlanoInterno();
    const int ancho = static_cast<int>(s.Width()), alto = static_cast<int>(s.Height());
    if (ancho <= 0 || alto <= 0) return;
    const int borde = s.BorderStyle() == 1 ? 2 : 0;
    // The control as the window shows it: its border, and what the surface
    // shows inside.
    HBITMAP exterior = MapaDeBits(Imagen(ancho, alto, 0));
    HBITMAP interior = MapaDeBits(s.Pantalla());
    HDC e = CreateCompatibleDC(dc);
    HDC i = CreateCompatibleDC(dc);
    HGDIOBJ antesE = SelectObject(e, exterior);
    HGDIOBJ antesI = SelectObject(i, interior);
    RECT todo{0, 0, ancho, alto};
    if (borde) {
        FillRect(e, &todo, GetSysColorBrush(COLOR_BTNFACE));
        DrawEdge(e, &todo, EDGE_SUNKEN, BF_RECT);
    }
    BitBlt(e, borde, borde, ancho - 2 * borde, alto - 2 * borde, i, 0, 0, SRCCOPY);
    SetStretchBltMode(dc, COLORONCOLOR);
    StretchBlt(dc, r.left, r.top, r.right - r.left, r.bottom - r.top, e, 0, 0, ancho, alto,
               SRCCOPY);
    SelectObject(e, antesE);
    SelectObject(i, antesI);
    DeleteDC(e);
    DeleteDC(i);
    DeleteObject(exterior);
    DeleteObject(interior);
}

void ObjetoRelivo::PopupMenu(std::string_view, std::optional<int16_t> Flags, std::optional<float> x,
                             std::optional<float> y, std::string_view) {
    if (!menu_ || !control_) return;
    DISPID id = DISPID_UNKNOWN;
    LPOLESTR nombre = const_cast<LPOLESTR>(L"hMenu");
    if (FAILED(menu_->GetIDsOfNames(IID_NULL, &nombre, 1, LOCALE_USER_DEFAULT, &id))) return;
    DISPPARAMS sin{};
    Variant v, entero;
    if (FAILED(menu_->Invoke(id, IID_NULL, LOCALE_USER_DEFAULT, DISPATCH_PROPERTYGET, &sin, &v,
                             nullptr, nullptr)) ||
        FAILED(VariantChangeType(&entero, &v, 0, VT_I8))) {
        return;
    }
    HMENU menu = reinterpret_cast<HMENU>(static_cast<intptr_t>(V_I8(&entero)));
    if (!IsMenu(menu)) return;
    POINT p{};
    HWND superficie = Superficie();
    if (x && y && superficie) {
        // From the control's scale units to the surface's pixels.
        SuperficieDibujo& s = control_->PlanoInterno();
        const int borde = s.BorderStyle() == 1 ? 2 : 0;
        const double w = s.Width() - 2 * borde, h = s.Height() - 2 * borde;
        p.x = static_cast<LONG>((*x - s.ScaleLeft()) * w / s.ScaleWidth());
        p.y = static_cast<LONG>((*y - s.ScaleTop()) * h / s.ScaleHeight());
        ClientToScreen(superficie, &p);
    } else {
        GetCursorPos(&p);
    }
    HWND dueno = Ventana() ? GetParent(Ventana()) : superficie;
    const UINT banderas =
        static_cast<UINT>(Flags.value_or(0)) & (TPM_CENTERALIGN | TPM_RIGHTALIGN | TPM_RIGHTBUTTON);
    TrackPopupMenuEx(menu, banderas, p.x, p.y, dueno, nullptr);
}

}  // namespace

HRESULT CrearRelivo(REFIID riid, void** ppv) {
    ComPtr<ObjetoRelivo> o = new (std::nothrow) ObjetoRelivo();
    if (!o) return E_OUTOFMEMORY;
    HRESULT hr = o->Crear();
    if (SUCCEEDED(hr)) hr = o->QueryInterface(riid, ppv);
    return hr;
}

}  // namespace relivo::com
