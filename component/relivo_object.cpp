// Relivo: the dual interface _Relivo over the surface-plot control, its
// events through the connection point of __Relivo, and the control's host
// services on Windows (events, ambient properties, property-changed
// notification, pop-up menus).
#include "component/relivo_object.h"

#include <memory>
#include <new>
#include <optional>

#include "Carvex.h"
#include "component/com_object.h"
#include "component/conversions.h"
#include "component/errors.h"
#include "component/event_args.h"
#include "component/type_library.h"
#include "component/variants.h"

// The control's colour helper RGB, not the Windows macro of that name.
#undef RGB
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

class ObjetoRelivo final : public _Relivo, public ObjetoCom, public Anfitrion {
public:
    ObjetoRelivo() : ObjetoCom(CLSID_Relivo, IID__Relivo, DIID___Relivo, L"Carvex.Relivo") {}
    ~ObjetoRelivo() override {
        control_.reset();
        Desconectar();
        if (infoEventos_) infoEventos_->Release();
        if (infoDual_) infoDual_->Release();
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

    // IDispatch.
    STDMETHODIMP GetTypeInfoCount(UINT* n) override { return CuentaTipos(n); }
    STDMETHODIMP GetTypeInfo(UINT i, LCID, ITypeInfo** pp) override { return InfoDeTipo(i, pp); }
    STDMETHODIMP GetIDsOfNames(REFIID, LPOLESTR* nombres, UINT n, LCID, DISPID* ids) override {
        return Identificadores(nombres, n, ids);
    }
    STDMETHODIMP Invoke(DISPID id, REFIID riid, LCID, WORD banderas, DISPPARAMS* p,
                        VARIANT* resultado, EXCEPINFO* excepcion, UINT* malo) override {
        return Invocar(static_cast<_Relivo*>(this), id, riid, banderas, p, resultado, excepcion,
                       malo);
    }

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

    // ---- _Relivo: forwarded to the drawing surface.
    RELIVO_PROPIEDAD(Align, short, Igual)
    RELIVO_GET(Appearance, short)
    RELIVO_PROPIEDAD(AutoRedraw, VARIANT_BOOL, Booleano)
    RELIVO_PROPIEDAD(BackColor, OLE_COLOR, Color)
    RELIVO_PROPIEDAD(BorderStyle, short, Igual)
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
    RELIVO_PROPIEDAD(CurrentX, float, Igual)
    RELIVO_PROPIEDAD(CurrentY, float, Igual)
    RELIVO_PROPIEDAD(DrawMode, short, Igual)
    RELIVO_PROPIEDAD(DrawStyle, short, Igual)
    RELIVO_PROPIEDAD(DrawWidth, short, Igual)
    RELIVO_PROPIEDAD(Enabled, VARIANT_BOOL, Booleano)
    RELIVO_PROPIEDAD(FillColor, OLE_COLOR, Color)
    RELIVO_PROPIEDAD(FillStyle, short, Igual)
    RELIVO_GET(Font, IFontDisp*)
    STDMETHODIMP putref_Font(IFontDisp* v) override {
        return Hacer([&] { control_->Font(v ? FuenteDeOle(v) : Fuente{}); });
    }
    RELIVO_PROPIEDAD(FontBold, VARIANT_BOOL, Booleano)
    RELIVO_PROPIEDAD(FontItalic, VARIANT_BOOL, Booleano)
    RELIVO_PROPIEDAD(FontName, BSTR, Texto)
    RELIVO_PROPIEDAD(FontSize, float, Igual)
    RELIVO_PROPIEDAD(FontStrikethru, VARIANT_BOOL, Booleano)
    RELIVO_PROPIEDAD(FontTransparent, VARIANT_BOOL, Booleano)
    RELIVO_PROPIEDAD(FontUnderline, VARIANT_BOOL, Booleano)
    RELIVO_PROPIEDAD(ForeColor, OLE_COLOR, Color)
    RELIVO_GET(hDC, LONG)
    RELIVO_GET(hWnd, LONG)
    RELIVO_GET(Image, IPictureDisp*)
    STDMETHODIMP Line_(float* X1, float* Y1, float* X2, float* Y2, LONG* Color) override {
        if (!X1 || !Y1 || !X2 || !Y2 || !Color) return E_POINTER;
        return Hacer([&] { control_->Line_(*X1, *Y1, *X2, *Y2, static_cast<int32_t>(*Color)); });
    }
    RELIVO_GET(MouseIcon, IPictureDisp*)
    STDMETHODIMP putref_MouseIcon(IPictureDisp* v) override {
        return Hacer([&] { control_->MouseIcon(ImagenDeOle(v)); });
    }
    RELIVO_PROPIEDAD(MousePointer, short, Igual)
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
    RELIVO_GET(Picture, IPictureDisp*)
    STDMETHODIMP putref_Picture(IPictureDisp* v) override {
        return Hacer([&] { control_->Picture(ImagenDeOle(v)); });
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
    RELIVO_PROPIEDAD(ScaleHeight, float, Igual)
    RELIVO_PROPIEDAD(ScaleLeft, float, Igual)
    RELIVO_PROPIEDAD(ScaleMode, short, Igual)
    RELIVO_PROPIEDAD(ScaleTop, float, Igual)
    RELIVO_PROPIEDAD(ScaleWidth, float, Igual)
    STDMETHODIMP TextHeight(BSTR* Str, float* r) override {
        if (!Str || !r) return E_POINTER;
        return Obtener(r, [&] { return control_->TextHeight(AUtf8(*Str)); });
    }
    STDMETHODIMP TextWidth(BSTR* Str, float* r) override {
        if (!Str || !r) return E_POINTER;
        return Obtener(r, [&] { return control_->TextWidth(AUtf8(*Str)); });
    }
    RELIVO_PROPIEDAD(ToolTipText, BSTR, Texto)
    RELIVO_PROPIEDAD(WhatsThisHelpID, LONG, Igual)
    RELIVO_GET(Grafica, IPictureDisp*)

    // ---- Anfitrion: the control's host services.
    void LanzarEvento(int32_t Id, std::string_view, std::span<ArgumentoEvento> args) override {
        ArgumentosDeEvento variantes(infoEventos_, Id, args);
        Disparar(Id, variantes.Variantes());
        variantes.Releer(args);
    }
    bool UserMode() const override { return true; }
    Fuente Font() const override { return Fuente{}; }
    void PropertyChanged(std::string_view Nombre) override {
        DISPID id = DISPID_UNKNOWN;
        std::wstring nombre = AUtf16(Nombre);
        LPOLESTR n = nombre.data();
        if (infoDual_ && SUCCEEDED(infoDual_->GetIDsOfNames(&n, 1, &id))) NotificarCambio(id);
    }
    void PopupMenu(std::string_view, std::optional<int16_t>, std::optional<float>,
                   std::optional<float>, std::string_view) override {}

protected:
    void* Interfaz(REFIID riid) override {
        if (riid == IID__Relivo || riid == IID_IDispatch) return static_cast<_Relivo*>(this);
        if (riid == IID_IUnknown) return Identidad();
        return ObjetoCom::Interfaz(riid);
    }

private:
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

    ITypeInfo* infoEventos_ = nullptr;
    ITypeInfo* infoDual_ = nullptr;
    IDispatch* menu_ = nullptr;  // the menu of the PopupMenu call in progress
    std::unique_ptr<Relivo> control_;
};

}  // namespace

HRESULT CrearRelivo(REFIID riid, void** ppv) {
    auto* o = new (std::nothrow) ObjetoRelivo();
    if (!o) return E_OUTOFMEMORY;
    o->AddRef();
    HRESULT hr = o->Crear();
    if (SUCCEEDED(hr)) hr = o->QueryInterface(riid, ppv);
    o->Release();
    return hr;
}

}  // namespace relivo::com
