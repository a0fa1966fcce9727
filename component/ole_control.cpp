#include "component/ole_control.h"

#include <utility>

#include "component/errors.h"
#include "component/module.h"
#include "component/ole_objects.h"
#include "component/property_bags.h"
#include "component/variants.h"

namespace relivo::com {
namespace {

constexpr wchar_t kClaseControl[] = L"RelivoControl";
int g_ventanas = 0;  // windows of the class alive (the class goes with the last)

// The class goes with the last window, so that the module can be unloaded.
void QuitarClaseSiSobra() {
    if (g_ventanas == 0) UnregisterClassW(kClaseControl, Modulo());
}

int PuntosPorPulgada(bool horizontal) {
    HDC dc = GetDC(nullptr);
    const int n = GetDeviceCaps(dc, horizontal ? LOGPIXELSX : LOGPIXELSY);
    ReleaseDC(nullptr, dc);
    return n > 0 ? n : 96;
}

LONG APixeles(LONG himetricos, bool horizontal) {
    return MulDiv(himetricos, PuntosPorPulgada(horizontal), 2540);
}

LONG AHimetricos(LONG pixeles, bool horizontal) {
    return MulDiv(pixeles, 2540, PuntosPorPulgada(horizontal));
}

// An ambient property of the container, through its site's IDispatch.
bool Ambiente(IOleClientSite* sitio, DISPID id, VARIANT* valor) {
    if (!sitio) return false;
    ComPtr<IDispatch> d;
    if (FAILED(sitio->QueryInterface(IID_PPV_ARGS(&d))) || !d) return false;
    DISPPARAMS sin{};
    VariantInit(valor);
    const HRESULT hr = d->Invoke(id, IID_NULL, LOCALE_USER_DEFAULT, DISPATCH_PROPERTYGET, &sin,
                                 valor, nullptr, nullptr);
    return SUCCEEDED(hr);
}

}  // namespace

ControlOle::ControlOle(const CLSID& clsid, const IID& iidDual, const IID& iidEventos,
                       const wchar_t* fuente, DWORD estadoVarios, SIZEL extension)
    : ObjetoCom(clsid, iidDual, iidEventos, fuente),
      estadoVarios_(estadoVarios),
      extension_(extension) {}

ControlOle::~ControlOle() {
    // The controls take their windows down first (InPlaceDeactivate in their
    // destructors); this is for a window left over, without calling back.
    if (ventana_) {
        SetWindowLongPtrW(ventana_, GWLP_USERDATA, 0);
        DestroyWindow(ventana_);
    }
    QuitarClaseSiSobra();
}

void* ControlOle::Interfaz(REFIID riid) {
    if (riid == IID_IOleObject) return static_cast<IOleObject*>(this);
    if (riid == IID_IOleWindow || riid == IID_IOleInPlaceObject) {
        return static_cast<IOleInPlaceObject*>(this);
    }
    if (riid == IID_IOleInPlaceActiveObject) return static_cast<IOleInPlaceActiveObject*>(this);
    if (riid == IID_IOleControl) return static_cast<IOleControl*>(this);
    if (riid == IID_IViewObject || riid == IID_IViewObject2)
        return static_cast<IViewObject2*>(this);
    if (riid == IID_IPersist || riid == IID_IPersistPropertyBag) {
        return static_cast<IPersistPropertyBag*>(this);
    }
    if (riid == IID_IPersistStreamInit) return static_cast<IPersistStreamInit*>(this);
    return ObjetoCom::Interfaz(riid);
}

bool ControlOle::ModoUsuario() const {
    VARIANT v;
    if (!Ambiente(sitio_.Get(), DISPID_AMBIENT_USERMODE, &v)) return true;
    VARIANT b;
    VariantInit(&b);
    const bool r =
        SUCCEEDED(VariantChangeType(&b, &v, 0, VT_BOOL)) ? V_BOOL(&b) != VARIANT_FALSE : true;
    VariantClear(&v);
    return r;
}

bool ControlOle::FuenteAmbiente(Fuente& fuente) const {
    VARIANT v;
    if (!Ambiente(sitio_.Get(), DISPID_AMBIENT_FONT, &v)) return false;
    bool r = false;
    if ((V_VT(&v) == VT_DISPATCH || V_VT(&v) == VT_UNKNOWN) && V_UNKNOWN(&v)) {
        try {
            fuente = FuenteDeOle(V_UNKNOWN(&v));
            r = true;
        } catch (...) {
        }
    }
    VariantClear(&v);
    return r;
}

void ControlOle::VistaCambiada() {
    if (sumideroVista_) sumideroVista_->OnViewChange(DVASPECT_CONTENT, -1);
}

SIZE ControlOle::TamanoEnPixeles() const {
    return {APixeles(extension_.cx, true), APixeles(extension_.cy, false)};
}

// ---- IOleObject.

STDMETHODIMP ControlOle::SetClientSite(IOleClientSite* sitio) {
    sitio_ = sitio;
    return S_OK;
}

STDMETHODIMP ControlOle::GetClientSite(IOleClientSite** sitio) {
    if (!sitio) return E_POINTER;
    return sitio_.CopyTo(sitio);
}

STDMETHODIMP ControlOle::Close(DWORD guardar) {
    InPlaceDeactivate();
    if (guardar == OLECLOSE_SAVEIFDIRTY && sucio_ && sitio_) sitio_->SaveObject();
    if (avisos_) avisos_->SendOnClose();
    return S_OK;
}

STDMETHODIMP ControlOle::DoVerb(LONG verbo, LPMSG, IOleClientSite* sitio, LONG, HWND padre,
                                LPCRECT posicion) {
    switch (verbo) {
        case OLEIVERB_PRIMARY:
        case OLEIVERB_SHOW:
        case OLEIVERB_INPLACEACTIVATE:
            return ActivarEnSitio(sitio, padre, posicion, false);
        case OLEIVERB_UIACTIVATE:
            return ActivarEnSitio(sitio, padre, posicion, true);
        case OLEIVERB_HIDE:
            if (ventana_) ShowWindow(ventana_, SW_HIDE);
            return S_OK;
        default:
            return verbo < 0 ? E_NOTIMPL : OLEOBJ_S_INVALIDVERB;
    }
}

STDMETHODIMP ControlOle::EnumVerbs(IEnumOLEVERB** ppEnum) {
    if (!ppEnum) return E_POINTER;
    *ppEnum = nullptr;
    return SUCCEEDED(OleRegEnumVerbs(clsid_, ppEnum)) ? S_OK : OLEOBJ_E_NOVERBS;
}

STDMETHODIMP ControlOle::GetUserClassID(CLSID* clsid) {
    if (!clsid) return E_POINTER;
    *clsid = clsid_;
    return S_OK;
}

STDMETHODIMP ControlOle::GetUserType(DWORD forma, LPOLESTR* tipo) {
    return OleRegGetUserType(clsid_, forma, tipo);
}

STDMETHODIMP ControlOle::SetExtent(DWORD aspecto, SIZEL* tamano) {
    if (aspecto != DVASPECT_CONTENT) return DV_E_DVASPECT;
    if (!tamano) return E_POINTER;
    // A fixed-size control sets itself back to its size.
    if (TamanoFijo()) return S_OK;
    extension_ = *tamano;
    return Proteger(fuente_, iidDual_, [&] {
        const SIZE px = TamanoEnPixeles();
        AlCambiarTamano(px.cx, px.cy);
        return S_OK;
    });
}

STDMETHODIMP ControlOle::GetExtent(DWORD aspecto, SIZEL* tamano) {
    if (aspecto != DVASPECT_CONTENT) return DV_E_DVASPECT;
    if (!tamano) return E_POINTER;
    *tamano = extension_;
    return S_OK;
}

STDMETHODIMP ControlOle::Advise(IAdviseSink* sumidero, DWORD* cookie) {
    if (!avisos_ && FAILED(CreateOleAdviseHolder(&avisos_))) return E_OUTOFMEMORY;
    return avisos_->Advise(sumidero, cookie);
}

STDMETHODIMP ControlOle::Unadvise(DWORD cookie) {
    return avisos_ ? avisos_->Unadvise(cookie) : OLE_E_NOCONNECTION;
}

STDMETHODIMP ControlOle::EnumAdvise(IEnumSTATDATA** ppEnum) {
    if (!ppEnum) return E_POINTER;
    *ppEnum = nullptr;
    return avisos_ ? avisos_->EnumAdvise(ppEnum) : E_FAIL;
}

STDMETHODIMP ControlOle::GetMiscStatus(DWORD aspecto, DWORD* estado) {
    if (!estado) return E_POINTER;
    *estado = aspecto == DVASPECT_CONTENT ? estadoVarios_ : 0;
    return S_OK;
}

// ---- In-place activation.

HRESULT ControlOle::ActivarEnSitio(IOleClientSite* sitio, HWND, LPCRECT posicion, bool ui) {
    if (!sitio) sitio = sitio_.Get();
    if (!sitio) return E_INVALIDARG;
    if (!sitioEnLugar_) {
        ComPtr<IOleInPlaceSite> s;
        if (FAILED(sitio->QueryInterface(IID_PPV_ARGS(&s)))) return E_NOINTERFACE;
        if (s->CanInPlaceActivate() != S_OK) return E_FAIL;
        sitioEnLugar_ = std::move(s);
        sitioEnLugar_->OnInPlaceActivate();
    }
    if (!ventana_) {
        HWND padre = nullptr;
        if (FAILED(sitioEnLugar_->GetWindow(&padre)) || !padre) return E_FAIL;
        RECT pos{}, recorte{};
        {
            // Only the position is used: the frame and document go at once.
            ComPtr<IOleInPlaceFrame> marco;
            ComPtr<IOleInPlaceUIWindow> documento;
            OLEINPLACEFRAMEINFO info{};
            info.cb = sizeof(info);
            sitioEnLugar_->GetWindowContext(&marco, &documento, &pos, &recorte, &info);
        }
        if (posicion) pos = *posicion;
        if (g_ventanas == 0) {
            WNDCLASSEXW c{};
            c.cbSize = sizeof(c);
            c.style = CS_DBLCLKS;
            c.lpfnWndProc = &ControlOle::ProcedimientoVentana;
            c.hInstance = Modulo();
            c.hCursor = LoadCursorW(nullptr, IDC_ARROW);
            c.lpszClassName = kClaseControl;
            RegisterClassExW(&c);
        }
        const bool visible = !(InvisibleEnEjecucion() && ModoUsuario());
        ventana_ = CreateWindowExW(
            0, kClaseControl, L"",
            WS_CHILD | WS_CLIPCHILDREN | WS_CLIPSIBLINGS | (visible ? WS_VISIBLE : 0), pos.left,
            pos.top, pos.right - pos.left, pos.bottom - pos.top, padre, nullptr, Modulo(), this);
        if (!ventana_) {
            if (g_ventanas == 0) UnregisterClassW(kClaseControl, Modulo());
            return E_OUTOFMEMORY;
        }
        ++g_ventanas;
        const HRESULT hr = Proteger(fuente_, iidDual_, [&] {
            AlActivar(ventana_);
            SetObjectRects(&pos, &pos);
            return S_OK;
        });
        if (FAILED(hr)) return hr;
    }
    if (ui && !activoUi_ && !(estadoVarios_ & OLEMISC_NOUIACTIVATE)) {
        activoUi_ = true;
        sitioEnLugar_->OnUIActivate();
        SetFocus(ventana_);
    }
    return S_OK;
}

STDMETHODIMP ControlOle::GetWindow(HWND* ventana) {
    if (!ventana) return E_POINTER;
    *ventana = ventana_;
    return ventana_ ? S_OK : E_FAIL;
}

STDMETHODIMP ControlOle::InPlaceDeactivate() {
    UIDeactivate();
    if (ventana_) {
        AlDesactivar();
        HWND v = ventana_;
        ventana_ = nullptr;
        DestroyWindow(v);
    }
    QuitarClaseSiSobra();
    if (sitioEnLugar_) {
        const ComPtr<IOleInPlaceSite> s = std::move(sitioEnLugar_);
        s->OnInPlaceDeactivate();
    }
    return S_OK;
}

STDMETHODIMP ControlOle::UIDeactivate() {
    if (activoUi_ && sitioEnLugar_) {
        activoUi_ = false;
        sitioEnLugar_->OnUIDeactivate(FALSE);
    }
    activoUi_ = false;
    return S_OK;
}

STDMETHODIMP ControlOle::SetObjectRects(LPCRECT posicion, LPCRECT) {
    if (!posicion) return E_POINTER;
    RECT pos = *posicion;
    if (TamanoFijo()) {
        // Set back to the fixed size, and the container told.
        const SIZE px = TamanoEnPixeles();
        if (pos.right - pos.left != px.cx || pos.bottom - pos.top != px.cy) {
            pos.right = pos.left + px.cx;
            pos.bottom = pos.top + px.cy;
            if (ventana_) MoveWindow(ventana_, pos.left, pos.top, px.cx, px.cy, TRUE);
            if (sitioEnLugar_) sitioEnLugar_->OnPosRectChange(&pos);
            return S_OK;
        }
    }
    if (ventana_) {
        MoveWindow(ventana_, pos.left, pos.top, pos.right - pos.left, pos.bottom - pos.top, TRUE);
    }
    const LONG ancho = pos.right - pos.left, alto = pos.bottom - pos.top;
    if (!TamanoFijo()) extension_ = {AHimetricos(ancho, true), AHimetricos(alto, false)};
    return Proteger(fuente_, iidDual_, [&] {
        AlCambiarTamano(ancho, alto);
        return S_OK;
    });
}

LRESULT CALLBACK ControlOle::ProcedimientoVentana(HWND h, UINT msg, WPARAM wp, LPARAM lp) {
    if (msg == WM_NCCREATE) {
        auto* cs = reinterpret_cast<CREATESTRUCTW*>(lp);
        SetWindowLongPtrW(h, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(cs->lpCreateParams));
    }
    auto* c = reinterpret_cast<ControlOle*>(GetWindowLongPtrW(h, GWLP_USERDATA));
    // A simple-frame control lets its container see the messages of the
    // controls it holds first.
    ComPtr<ISimpleFrameSite> marco;
    DWORD cookie = 0;
    LRESULT resultado = 0;
    if (c && c->sitio_ && (c->estadoVarios_ & OLEMISC_SIMPLEFRAME) &&
        SUCCEEDED(c->sitio_.As(&marco)) &&
        marco->PreMessageFilter(h, msg, wp, lp, &resultado, &cookie) == S_FALSE) {
        return resultado;
    }
    switch (msg) {
        case WM_ERASEBKGND:
            resultado = 1;
            break;
        case WM_PAINT: {
            PAINTSTRUCT ps;
            HDC dc = BeginPaint(h, &ps);
            RECT r;
            GetClientRect(h, &r);
            if (c) {
                try {
                    c->Dibujar(dc, r);
                } catch (...) {
                }
            }
            EndPaint(h, &ps);
            break;
        }
        case WM_DESTROY:
            // Before the windows it holds go: the control takes its own back
            // (also when the container destroys its window first).
            if (c) {
                try {
                    c->AlDesactivar();
                } catch (...) {
                }
            }
            resultado = DefWindowProcW(h, msg, wp, lp);
            break;
        case WM_NCDESTROY:
            SetWindowLongPtrW(h, GWLP_USERDATA, 0);
            if (c && c->ventana_ == h) c->ventana_ = nullptr;
            --g_ventanas;
            resultado = DefWindowProcW(h, msg, wp, lp);
            break;
        default:
            resultado = DefWindowProcW(h, msg, wp, lp);
            break;
    }
    if (marco) marco->PostMessageFilter(h, msg, wp, lp, &resultado, cookie);
    return resultado;
}

// ---- IOleControl.

STDMETHODIMP ControlOle::GetControlInfo(CONTROLINFO* info) {
    if (!info) return E_POINTER;
    info->cb = sizeof(CONTROLINFO);
    info->hAccel = nullptr;
    info->cAccel = 0;
    info->dwFlags = 0;
    return S_OK;
}

STDMETHODIMP ControlOle::FreezeEvents(BOOL congelar) {
    if (congelar) {
        ++congelado_;
    } else if (congelado_ > 0) {
        --congelado_;
    }
    return S_OK;
}

// ---- IViewObject2.

STDMETHODIMP ControlOle::Draw(DWORD aspecto, LONG, void*, DVTARGETDEVICE*, HDC, HDC dc,
                              LPCRECTL limites, LPCRECTL, BOOL(STDMETHODCALLTYPE*)(ULONG_PTR),
                              ULONG_PTR) {
    if (aspecto != DVASPECT_CONTENT) return DV_E_DVASPECT;
    if (!dc || !limites) return E_INVALIDARG;
    const RECT r{limites->left, limites->top, limites->right, limites->bottom};
    return Proteger(fuente_, iidDual_, [&] {
        Dibujar(dc, r);
        return S_OK;
    });
}

STDMETHODIMP ControlOle::SetAdvise(DWORD aspectos, DWORD banderas, IAdviseSink* sumidero) {
    sumideroVista_ = sumidero;
    aspectosVista_ = aspectos;
    banderasVista_ = banderas;
    return S_OK;
}

STDMETHODIMP ControlOle::GetAdvise(DWORD* aspectos, DWORD* banderas, IAdviseSink** sumidero) {
    if (aspectos) *aspectos = aspectosVista_;
    if (banderas) *banderas = banderasVista_;
    if (sumidero) sumideroVista_.CopyTo(sumidero);
    return S_OK;
}

STDMETHODIMP ControlOle::GetExtent(DWORD aspecto, LONG, DVTARGETDEVICE*, LPSIZEL tamano) {
    return GetExtent(aspecto, tamano);
}

// ---- Persistence.

STDMETHODIMP ControlOle::GetClassID(CLSID* clsid) {
    if (!clsid) return E_POINTER;
    *clsid = clsid_;
    return S_OK;
}

STDMETHODIMP ControlOle::InitNew() {
    // A control newly placed starts from its creation values.
    sucio_ = false;
    return S_OK;
}

STDMETHODIMP ControlOle::Load(IPropertyBag* bolsa, IErrorLog* registro) {
    if (!bolsa) return E_POINTER;
    const HRESULT hr = Proteger(fuente_, iidDual_, [&] {
        Cargar(BolsaOle(bolsa, registro));
        return S_OK;
    });
    sucio_ = false;
    return hr;
}

STDMETHODIMP ControlOle::Save(IPropertyBag* bolsa, BOOL limpiar, BOOL) {
    if (!bolsa) return E_POINTER;
    BolsaOle b(bolsa, nullptr);
    const HRESULT hr = Proteger(fuente_, iidDual_, [&] {
        Guardar(b);
        return S_OK;
    });
    if (SUCCEEDED(hr) && limpiar) sucio_ = false;
    return hr;
}

STDMETHODIMP ControlOle::Load(LPSTREAM flujo) {
    if (!flujo) return E_POINTER;
    const HRESULT hr = Proteger(fuente_, iidDual_, [&] {
        BolsaMemoria b;
        b.Cargar(flujo);
        Cargar(b);
        return S_OK;
    });
    sucio_ = false;
    return hr;
}

STDMETHODIMP ControlOle::Save(LPSTREAM flujo, BOOL limpiar) {
    if (!flujo) return E_POINTER;
    const HRESULT hr = Proteger(fuente_, iidDual_, [&] {
        BolsaMemoria b;
        Guardar(b);
        return b.Guardar(flujo);
    });
    if (SUCCEEDED(hr) && limpiar) sucio_ = false;
    return hr;
}

STDMETHODIMP ControlOle::GetSizeMax(ULARGE_INTEGER* tamano) {
    if (!tamano) return E_POINTER;
    return Proteger(fuente_, iidDual_, [&] {
        BolsaMemoria b;
        Guardar(b);
        tamano->QuadPart = b.Tamano();
        return S_OK;
    });
}

}  // namespace relivo::com
