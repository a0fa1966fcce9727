// A minimal form-based container for the tests: a top-level form window and
// one site per control (IOleClientSite, IOleInPlaceSite, IOleInPlaceFrame,
// ambient properties through IDispatch, IPropertyNotifySink,
// ISimpleFrameSite), and a property bag.
#pragma once

#include <string>
#include <utility>
#include <vector>

#include "tests/windows/late_binding.h"
#include "tests/windows/pictures.h"
#include "tests/windows/win32.h"

namespace prueba {

// The container's property bag: values by name, as they were written.
class Bolsa final : public relivo::com::ObjetoSimple<IPropertyBag, IID_IPropertyBag> {
public:
    STDMETHODIMP Read(LPCOLESTR nombre, VARIANT* v, IErrorLog*) override {
        ++lecturas;
        for (auto& [k, valor] : valores) {
            if (k != nombre) continue;
            if (V_VT(v) == VT_EMPTY) return VariantCopy(v, &*valor);
            return VariantChangeType(v, &*valor, 0, V_VT(v));
        }
        return E_INVALIDARG;
    }
    STDMETHODIMP Write(LPCOLESTR nombre, VARIANT* v) override {
        for (auto& [k, valor] : valores) {
            if (k == nombre) {
                valor = prueba::V(*v);
                return S_OK;
            }
        }
        valores.emplace_back(nombre, prueba::V(*v));
        orden.emplace_back(nombre);
        return S_OK;
    }

    const prueba::V* Valor(const std::wstring& nombre) const {
        for (const auto& [k, v] : valores) {
            if (k == nombre) return &v;
        }
        return nullptr;
    }

    std::vector<std::pair<std::wstring, prueba::V>> valores;
    std::vector<std::wstring> orden;
    int lecturas = 0;

private:
    ~Bolsa() override = default;
};

class Sitio final : public IOleClientSite,
                    public IOleInPlaceSite,
                    public IOleInPlaceFrame,
                    public IDispatch,
                    public IPropertyNotifySink,
                    public ISimpleFrameSite {
public:
    Sitio(HWND formulario, RECT pos) : posicion(pos), formulario_(formulario) {}

    // IUnknown.
    STDMETHODIMP QueryInterface(REFIID riid, void** ppv) override {
        if (!ppv) return E_POINTER;
        *ppv = nullptr;
        if (riid == IID_IUnknown || riid == IID_IOleClientSite) {
            *ppv = static_cast<IOleClientSite*>(this);
        } else if (riid == IID_IOleWindow || riid == IID_IOleInPlaceSite) {
            *ppv = static_cast<IOleInPlaceSite*>(this);
        } else if (riid == IID_IOleInPlaceFrame || riid == IID_IOleInPlaceUIWindow) {
            *ppv = static_cast<IOleInPlaceFrame*>(this);
        } else if (riid == IID_IDispatch) {
            *ppv = static_cast<IDispatch*>(this);
        } else if (riid == IID_IPropertyNotifySink) {
            *ppv = static_cast<IPropertyNotifySink*>(this);
        } else if (riid == IID_ISimpleFrameSite) {
            *ppv = static_cast<ISimpleFrameSite*>(this);
        } else {
            return E_NOINTERFACE;
        }
        AddRef();
        return S_OK;
    }
    STDMETHODIMP_(ULONG) AddRef() override { return ++cuenta_; }
    STDMETHODIMP_(ULONG) Release() override {
        const ULONG n = --cuenta_;
        if (n == 0) delete this;
        return n;
    }

    // IOleClientSite.
    STDMETHODIMP SaveObject() override {
        ++guardados;
        return S_OK;
    }
    STDMETHODIMP GetMoniker(DWORD, DWORD, IMoniker**) override { return E_NOTIMPL; }
    STDMETHODIMP GetContainer(IOleContainer**) override { return E_NOINTERFACE; }
    STDMETHODIMP ShowObject() override { return S_OK; }
    STDMETHODIMP OnShowWindow(BOOL) override { return S_OK; }
    STDMETHODIMP RequestNewObjectLayout() override { return E_NOTIMPL; }

    // IOleWindow, IOleInPlaceSite.
    STDMETHODIMP GetWindow(HWND* h) override {
        *h = formulario_;
        return S_OK;
    }
    STDMETHODIMP ContextSensitiveHelp(BOOL) override { return E_NOTIMPL; }
    STDMETHODIMP CanInPlaceActivate() override { return S_OK; }
    STDMETHODIMP OnInPlaceActivate() override {
        activo = true;
        return S_OK;
    }
    STDMETHODIMP OnUIActivate() override {
        activoUi = true;
        return S_OK;
    }
    STDMETHODIMP GetWindowContext(IOleInPlaceFrame** marco, IOleInPlaceUIWindow** documento,
                                  LPRECT pos, LPRECT recorte, LPOLEINPLACEFRAMEINFO info) override {
        *marco = static_cast<IOleInPlaceFrame*>(this);
        AddRef();
        *documento = nullptr;
        *pos = posicion;
        *recorte = posicion;
        info->fMDIApp = FALSE;
        info->hwndFrame = formulario_;
        info->haccel = nullptr;
        info->cAccelEntries = 0;
        return S_OK;
    }
    STDMETHODIMP Scroll(SIZE) override { return E_NOTIMPL; }
    STDMETHODIMP OnUIDeactivate(BOOL) override {
        activoUi = false;
        return S_OK;
    }
    STDMETHODIMP OnInPlaceDeactivate() override {
        activo = false;
        return S_OK;
    }
    STDMETHODIMP DiscardUndoState() override { return S_OK; }
    STDMETHODIMP DeactivateAndUndo() override { return S_OK; }
    STDMETHODIMP OnPosRectChange(LPCRECT pos) override {
        posicion = *pos;
        cambiosDePosicion.push_back(*pos);
        return S_OK;
    }

    // IOleInPlaceUIWindow, IOleInPlaceFrame.
    STDMETHODIMP GetBorder(LPRECT) override { return INPLACE_E_NOTOOLSPACE; }
    STDMETHODIMP RequestBorderSpace(LPCBORDERWIDTHS) override { return INPLACE_E_NOTOOLSPACE; }
    STDMETHODIMP SetBorderSpace(LPCBORDERWIDTHS) override { return S_OK; }
    STDMETHODIMP SetActiveObject(IOleInPlaceActiveObject*, LPCOLESTR) override { return S_OK; }
    STDMETHODIMP InsertMenus(HMENU, LPOLEMENUGROUPWIDTHS) override { return S_OK; }
    STDMETHODIMP SetMenu(HMENU, HOLEMENU, HWND) override { return S_OK; }
    STDMETHODIMP RemoveMenus(HMENU) override { return S_OK; }
    STDMETHODIMP SetStatusText(LPCOLESTR) override { return S_OK; }
    STDMETHODIMP EnableModeless(BOOL) override { return S_OK; }
    STDMETHODIMP TranslateAccelerator(LPMSG, WORD) override { return S_FALSE; }

    // IDispatch: the ambient properties.
    STDMETHODIMP GetTypeInfoCount(UINT* n) override {
        *n = 0;
        return S_OK;
    }
    STDMETHODIMP GetTypeInfo(UINT, LCID, ITypeInfo**) override { return E_NOTIMPL; }
    STDMETHODIMP GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) override {
        return E_NOTIMPL;
    }
    STDMETHODIMP Invoke(DISPID id, REFIID, LCID, WORD, DISPPARAMS*, VARIANT* r, EXCEPINFO*,
                        UINT*) override {
        if (!r) return E_POINTER;
        VariantInit(r);
        if (id == DISPID_AMBIENT_USERMODE) {
            V_VT(r) = VT_BOOL;
            V_BOOL(r) = modoUsuario ? VARIANT_TRUE : VARIANT_FALSE;
            return S_OK;
        }
        if (id == DISPID_AMBIENT_FONT && fuente) {
            V_VT(r) = VT_DISPATCH;
            V_DISPATCH(r) = fuente;
            fuente->AddRef();
            return S_OK;
        }
        return DISP_E_MEMBERNOTFOUND;
    }

    // IPropertyNotifySink.
    STDMETHODIMP OnChanged(DISPID id) override {
        cambios.push_back(id);
        return S_OK;
    }
    STDMETHODIMP OnRequestEdit(DISPID) override { return S_OK; }

    // ISimpleFrameSite.
    STDMETHODIMP PreMessageFilter(HWND, UINT, WPARAM, LPARAM, LRESULT*, DWORD* cookie) override {
        ++mensajesFiltrados;
        *cookie = 0;
        return S_OK;
    }
    STDMETHODIMP PostMessageFilter(HWND, UINT, WPARAM, LPARAM, LRESULT*, DWORD) override {
        return S_OK;
    }

    RECT posicion;
    bool modoUsuario = true;
    IDispatch* fuente = nullptr;  // the ambient font (not owned)
    bool activo = false, activoUi = false;
    int guardados = 0;
    int mensajesFiltrados = 0;
    std::vector<DISPID> cambios;
    std::vector<RECT> cambiosDePosicion;

private:
    ~Sitio() = default;
    HWND formulario_;
    ULONG cuenta_ = 1;
};

// A control placed on the form through its site.
class Alojado {
public:
    // Creates the control by ProgID, sites it and loads it from `bolsa` (or
    // as new), and activates it in place.
    bool Crear(const wchar_t* progId, HWND formulario, RECT posicion, bool modoUsuario,
               IPropertyBag* bolsa = nullptr, IDispatch* fuenteAmbiente = nullptr) {
        sitio.Attach(new Sitio(formulario, posicion));
        sitio->modoUsuario = modoUsuario;
        sitio->fuente = fuenteAmbiente;
        CLSID clsid;
        if (FAILED(CLSIDFromProgID(progId, &clsid)) ||
            FAILED(CoCreateInstance(clsid, nullptr, CLSCTX_INPROC_SERVER, IID_PPV_ARGS(&objeto)))) {
            return false;
        }
        DWORD estado = 0;
        objeto->GetMiscStatus(DVASPECT_CONTENT, &estado);
        estadoVarios = estado;
        if (estado & OLEMISC_SETCLIENTSITEFIRST) objeto->SetClientSite(sitio.Get());
        ComPtr<IPersistPropertyBag> p;
        if (SUCCEEDED(objeto.As(&p))) cargado = bolsa ? p->Load(bolsa, nullptr) : p->InitNew();
        if (!(estado & OLEMISC_SETCLIENTSITEFIRST)) objeto->SetClientSite(sitio.Get());
        ComPtr<IConnectionPointContainer> cpc;
        if (SUCCEEDED(objeto.As(&cpc)) &&
            SUCCEEDED(cpc->FindConnectionPoint(IID_IPropertyNotifySink, &punto_))) {
            punto_->Advise(static_cast<IPropertyNotifySink*>(sitio.Get()), &cookie_);
        }
        ComPtr<IDispatch> d;
        objeto.As(&d);
        despacho = Despacho(d.Get());
        activado = objeto->DoVerb(OLEIVERB_INPLACEACTIVATE, nullptr, sitio.Get(), 0, formulario,
                                  &posicion);
        return SUCCEEDED(activado);
    }

    HWND Ventana() const {
        ComPtr<IOleInPlaceObject> o;
        HWND h = nullptr;
        if (SUCCEEDED(objeto.As(&o))) o->GetWindow(&h);
        return h;
    }

    HRESULT Mover(RECT r) {
        ComPtr<IOleInPlaceObject> o;
        HRESULT hr = objeto.As(&o);
        if (SUCCEEDED(hr)) {
            sitio->posicion = r;
            hr = o->SetObjectRects(&r, &r);
        }
        return hr;
    }

    // The control's picture through IViewObject::Draw into a bitmap of the
    // given size.
    Mapa Dibujar(int ancho, int alto) const {
        Mapa m;
        ComPtr<IViewObject> v;
        if (FAILED(objeto.As(&v))) return m;
        HDC pantalla = GetDC(nullptr);
        HDC dc = CreateCompatibleDC(pantalla);
        HBITMAP b = CreateCompatibleBitmap(pantalla, ancho, alto);
        HGDIOBJ antes = SelectObject(dc, b);
        const RECTL limites{0, 0, ancho, alto};
        const HRESULT hr = v->Draw(DVASPECT_CONTENT, -1, nullptr, nullptr, nullptr, dc, &limites,
                                   nullptr, nullptr, 0);
        SelectObject(dc, antes);
        if (SUCCEEDED(hr)) m = LeerMapa(b);
        DeleteObject(b);
        DeleteDC(dc);
        ReleaseDC(nullptr, pantalla);
        return m;
    }

    // Disconnected, closed and released in this order.
    void Cerrar() {
        if (punto_) punto_->Unadvise(cookie_);
        punto_.Reset();
        despacho = Despacho();
        if (objeto) {
            objeto->Close(OLECLOSE_NOSAVE);
            objeto->SetClientSite(nullptr);
        }
        objeto.Reset();
        sitio.Reset();
    }
    ~Alojado() { Cerrar(); }

    ComPtr<IOleObject> objeto;
    ComPtr<Sitio> sitio;
    Despacho despacho;
    DWORD estadoVarios = 0;
    HRESULT cargado = E_FAIL;
    HRESULT activado = E_FAIL;

private:
    ComPtr<IConnectionPoint> punto_;
    DWORD cookie_ = 0;
};

// Pop-up menus the form has owned (WM_INITMENUPOPUP) and the command last
// chosen from one.
inline int& MenusMostrados() {
    static int n = 0;
    return n;
}

inline LRESULT CALLBACK ProcedimientoFormulario(HWND h, UINT msg, WPARAM wp, LPARAM lp) {
    if (msg == WM_INITMENUPOPUP) ++MenusMostrados();
    return DefWindowProcW(h, msg, wp, lp);
}

// The test form: a visible top-level window.
inline HWND CrearFormulario(int ancho, int alto) {
    WNDCLASSEXW c{};
    c.cbSize = sizeof(c);
    c.lpfnWndProc = &ProcedimientoFormulario;
    c.hInstance = GetModuleHandleW(nullptr);
    c.hbrBackground = GetSysColorBrush(COLOR_WINDOW);
    c.lpszClassName = L"RelivoPruebaFormulario";
    RegisterClassExW(&c);
    HWND h =
        CreateWindowExW(0, c.lpszClassName, L"Formulario", WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN, 0,
                        0, ancho, alto, nullptr, nullptr, c.hInstance, nullptr);
    ShowWindow(h, SW_SHOW);
    UpdateWindow(h);
    return h;
}

// Lets the form and the controls handle what is waiting.
inline void Bombear() {
    MSG m;
    while (PeekMessageW(&m, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&m);
        DispatchMessageW(&m);
    }
}

}  // namespace prueba
