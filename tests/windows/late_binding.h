// Late binding for the test clients: objects created by ProgID and driven
// by member name through IDispatch, as a script or a form-based host does,
// and an event sink that records what the control raises.
#pragma once

#include <wrl/client.h>

#include <functional>
#include <initializer_list>
#include <string>
#include <utility>
#include <vector>

#include "component/simple_object.h"
#include "tests/windows/support.h"
#include "tests/windows/win32.h"

namespace prueba {

using Microsoft::WRL::ComPtr;

// A new reference-counted object of the tests', held from its first
// reference.
template <typename T>
ComPtr<T> Nuevo() {
    ComPtr<T> p;
    p.Attach(new T());
    return p;
}

// A dispatch interface of the tests' own objects, which describe no types:
// they are driven by the identifiers they answer.
class SinTipos : public IDispatch {
public:
    STDMETHODIMP GetTypeInfoCount(UINT* n) override {
        *n = 0;
        return S_OK;
    }
    STDMETHODIMP GetTypeInfo(UINT, LCID, ITypeInfo**) override { return E_NOTIMPL; }
};

// A dispatch object of the host that lives as long as the test: references
// are not counted.
class DespachoDelAnfitrion : public SinTipos {
public:
    STDMETHODIMP QueryInterface(REFIID riid, void** ppv) override {
        if (!ppv) return E_POINTER;
        if (riid == IID_IUnknown || riid == IID_IDispatch) {
            *ppv = static_cast<IDispatch*>(this);
            return S_OK;
        }
        *ppv = nullptr;
        return E_NOINTERFACE;
    }
    STDMETHODIMP_(ULONG) AddRef() override { return 2; }
    STDMETHODIMP_(ULONG) Release() override { return 1; }
};

// A VARIANT value that owns its contents.
class V {
public:
    V() { VariantInit(&v_); }
    V(int n) : V() { V_VT(&v_) = VT_I4, V_I4(&v_) = n; }     // NOLINT
    V(short n) : V() { V_VT(&v_) = VT_I2, V_I2(&v_) = n; }   // NOLINT
    V(double n) : V() { V_VT(&v_) = VT_R8, V_R8(&v_) = n; }  // NOLINT
    V(float n) : V() { V_VT(&v_) = VT_R4, V_R4(&v_) = n; }   // NOLINT
    V(bool b) : V() {
        V_VT(&v_) = VT_BOOL, V_BOOL(&v_) = b ? VARIANT_TRUE : VARIANT_FALSE;
    }                                                                                    // NOLINT
    V(const wchar_t* s) : V() { V_VT(&v_) = VT_BSTR, V_BSTR(&v_) = SysAllocString(s); }  // NOLINT
    V(const std::wstring& s) : V() {                                                     // NOLINT
        V_VT(&v_) = VT_BSTR;
        V_BSTR(&v_) = SysAllocStringLen(s.data(), static_cast<UINT>(s.size()));
    }
    V(IDispatch* d) : V() {  // NOLINT
        V_VT(&v_) = VT_DISPATCH;
        V_DISPATCH(&v_) = d;
        if (d) d->AddRef();
    }
    explicit V(const VARIANT& otro) : V() { VariantCopy(&v_, const_cast<VARIANT*>(&otro)); }
    V(const V& otro) : V() { VariantCopy(&v_, const_cast<VARIANT*>(&otro.v_)); }
    V& operator=(const V& otro) {
        if (this != &otro) VariantCopy(&v_, const_cast<VARIANT*>(&otro.v_));
        return *this;
    }
    ~V() { VariantClear(&v_); }

    // A missing optional argument.
    static V Falta() {
        V r;
        V_VT(&r.v_) = VT_ERROR;
        V_ERROR(&r.v_) = DISP_E_PARAMNOTFOUND;
        return r;
    }
    // Takes ownership of a VARIANT's contents.
    static V Tomar(VARIANT& v) {
        V r;
        r.v_ = v;
        VariantInit(&v);
        return r;
    }

    VARIANT& operator*() { return v_; }
    const VARIANT& operator*() const { return v_; }
    VARTYPE Tipo() const { return V_VT(&v_); }

    double Doble() const { return Convertir(VT_R8).v_.dblVal; }
    float Sencillo() const { return Convertir(VT_R4).v_.fltVal; }
    long Entero() const { return Convertir(VT_I4).v_.lVal; }
    short Corto() const { return Convertir(VT_I2).v_.iVal; }
    bool Booleano() const { return Convertir(VT_BOOL).v_.boolVal != VARIANT_FALSE; }
    std::wstring Texto16() const {
        const V t = Convertir(VT_BSTR);
        return t.Tipo() == VT_BSTR && t.v_.bstrVal
                   ? std::wstring(t.v_.bstrVal, SysStringLen(t.v_.bstrVal))
                   : std::wstring();
    }
    std::string Texto() const { return Utf8(Texto16()); }
    IDispatch* Objeto() const { return Tipo() == VT_DISPATCH ? V_DISPATCH(&v_) : nullptr; }

private:
    V Convertir(VARTYPE t) const {
        V r;
        VARIANT copia;
        VariantInit(&copia);
        VariantCopyInd(&copia, const_cast<VARIANT*>(&v_));
        VariantChangeTypeEx(&r.v_, &copia, LOCALE_USER_DEFAULT, 0, t);
        VariantClear(&copia);
        return r;
    }
    VARIANT v_;
};

// The result of a call: the HRESULT, the value and the exception.
struct Resultado {
    HRESULT hr = E_FAIL;
    V valor;
    std::wstring descripcion;
    HRESULT scode = S_OK;
    UINT argumento = 0;
    bool Bien() const { return SUCCEEDED(hr); }
};

class Despacho {
public:
    Despacho() = default;
    explicit Despacho(IDispatch* d) : d_(d) {}

    static Despacho Crear(const wchar_t* progId, HRESULT* hr = nullptr) {
        CLSID clsid;
        HRESULT r = CLSIDFromProgID(progId, &clsid);
        Despacho o;
        if (SUCCEEDED(r)) {
            r = CoCreateInstance(clsid, nullptr, CLSCTX_INPROC_SERVER, IID_PPV_ARGS(&o.d_));
        }
        if (hr) *hr = r;
        return o;
    }

    IDispatch* get() const { return d_.Get(); }
    explicit operator bool() const { return d_ != nullptr; }

    DISPID Id(const std::wstring& nombre) const {
        DISPID id = DISPID_UNKNOWN;
        LPOLESTR n = const_cast<LPOLESTR>(nombre.c_str());
        d_->GetIDsOfNames(IID_NULL, &n, 1, LOCALE_USER_DEFAULT, &id);
        return id;
    }

    // Arguments in their natural order.
    Resultado Invocar(DISPID id, WORD banderas, std::vector<V> args) const {
        std::vector<VARIANTARG> invertidos;
        for (auto it = args.rbegin(); it != args.rend(); ++it) invertidos.push_back(**it);
        DISPPARAMS p{};
        p.rgvarg = invertidos.empty() ? nullptr : invertidos.data();
        p.cArgs = static_cast<UINT>(invertidos.size());
        DISPID poner = DISPID_PROPERTYPUT;
        if (banderas & (DISPATCH_PROPERTYPUT | DISPATCH_PROPERTYPUTREF)) {
            p.rgdispidNamedArgs = &poner;
            p.cNamedArgs = 1;
        }
        Resultado r;
        VARIANT valor;
        VariantInit(&valor);
        EXCEPINFO e{};
        r.hr =
            d_->Invoke(id, IID_NULL, LOCALE_USER_DEFAULT, banderas, &p, &valor, &e, &r.argumento);
        r.valor = V::Tomar(valor);
        if (r.hr == DISP_E_EXCEPTION) {
            if (e.pfnDeferredFillIn) e.pfnDeferredFillIn(&e);
            if (e.bstrDescription) r.descripcion = e.bstrDescription;
            r.scode = e.scode;
        }
        SysFreeString(e.bstrSource);
        SysFreeString(e.bstrDescription);
        SysFreeString(e.bstrHelpFile);
        return r;
    }
    Resultado Invocar(const std::wstring& nombre, WORD banderas, std::vector<V> args) const {
        return Invocar(Id(nombre), banderas, std::move(args));
    }

    Resultado Get(const std::wstring& nombre, std::vector<V> args = {}) const {
        return Invocar(nombre, DISPATCH_PROPERTYGET | DISPATCH_METHOD, std::move(args));
    }
    // The value goes last.
    Resultado Put(const std::wstring& nombre, V valor, std::vector<V> args = {}) const {
        args.push_back(std::move(valor));
        return Invocar(nombre, DISPATCH_PROPERTYPUT, std::move(args));
    }
    Resultado PutRef(const std::wstring& nombre, V valor) const {
        return Invocar(nombre, DISPATCH_PROPERTYPUTREF, {std::move(valor)});
    }
    Resultado Llamar(const std::wstring& nombre, std::vector<V> args = {}) const {
        return Invocar(nombre, DISPATCH_METHOD, std::move(args));
    }

private:
    Microsoft::WRL::ComPtr<IDispatch> d_;
};

// One event as the sink received it: its name and its arguments in
// declaration order (by-reference ones as they were on entry).
struct Evento {
    DISPID id = 0;
    std::wstring nombre;
    std::vector<V> args;
};

// A sink of a control's default event interface: records every event and
// lets a handler change the by-reference arguments (declaration order).
class Sumidero final : public relivo::com::ObjetoSimple<SinTipos, IID_IDispatch> {
public:
    using Manejador = std::function<void(Evento& evento, std::vector<VARIANTARG*>& porReferencia)>;

    STDMETHODIMP GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) override {
        return E_NOTIMPL;
    }
    STDMETHODIMP Invoke(DISPID id, REFIID, LCID, WORD, DISPPARAMS* p, VARIANT*, EXCEPINFO*,
                        UINT*) override {
        Evento e;
        e.id = id;
        if (info_) {
            BSTR n = nullptr;
            UINT k = 0;
            info_->GetNames(id, &n, 1, &k);
            if (n) e.nombre = n;
            SysFreeString(n);
        }
        std::vector<VARIANTARG*> porReferencia;
        for (UINT i = p->cArgs; i-- > 0;) {
            // By-reference arguments are recorded by their value on entry.
            VARIANT valor;
            VariantInit(&valor);
            VariantCopyInd(&valor, &p->rgvarg[i]);
            e.args.push_back(V::Tomar(valor));
            porReferencia.push_back(&p->rgvarg[i]);
        }
        // Recorded before the handler runs, so that events the handler
        // causes come after this one.
        const size_t indice = eventos.size();
        eventos.push_back(e);
        if (manejador) manejador(eventos[indice], porReferencia);
        return respuesta;
    }

    // Connects to the control's default source interface.
    bool Conectar(const Despacho& control) {
        ComPtr<IProvideClassInfo2> pci;
        if (FAILED(control.get()->QueryInterface(IID_PPV_ARGS(&pci)))) return false;
        pci->GetGUID(GUIDKIND_DEFAULT_SOURCE_DISP_IID, &iid_);
        ComPtr<ITypeInfo> clase;
        ComPtr<ITypeLib> tl;
        UINT i = 0;
        if (SUCCEEDED(pci->GetClassInfo(&clase)) &&
            SUCCEEDED(clase->GetContainingTypeLib(&tl, &i))) {
            tl->GetTypeInfoOfGuid(iid_, &info_);
        }
        ComPtr<IConnectionPointContainer> cpc;
        return SUCCEEDED(control.get()->QueryInterface(IID_PPV_ARGS(&cpc))) &&
               SUCCEEDED(cpc->FindConnectionPoint(iid_, &punto_)) &&
               SUCCEEDED(punto_->Advise(static_cast<IDispatch*>(this), &cookie_));
    }
    HRESULT Desconectar() {
        if (!punto_) return S_FALSE;
        const HRESULT hr = punto_->Unadvise(cookie_);
        punto_.Reset();
        return hr;
    }

    // The events with a given name.
    std::vector<Evento> De(const std::wstring& nombre) const {
        std::vector<Evento> r;
        for (const Evento& e : eventos) {
            if (e.nombre == nombre) r.push_back(e);
        }
        return r;
    }

    std::vector<Evento> eventos;
    Manejador manejador;
    HRESULT respuesta = S_OK;

private:
    bool Tambien(REFIID riid) const override { return riid == iid_; }

    IID iid_ = IID_NULL;
    ComPtr<ITypeInfo> info_;
    ComPtr<IConnectionPoint> punto_;
    DWORD cookie_ = 0;
};

// The wave sen(x)*cos(y) over [-3, 3] x [-3, 3] on a grid of `lineas`
// lines each way.
inline void PonerOnda(const Despacho& control, short lineas) {
    control.Put(L"Funcion", V(L"sen(x)*cos(y)"));
    control.Put(L"XMin", V(-3.0));
    control.Put(L"XMax", V(3.0));
    control.Put(L"YMin", V(-3.0));
    control.Put(L"YMax", V(3.0));
    control.Put(L"NumeroLineasX", V(lineas));
    control.Put(L"NumeroLineasY", V(lineas));
}

// A handler that calls Cancelar on `control` (which outlives the handler)
// when the control reports the status `estado`.
inline Sumidero::Manejador CancelarEnEstado(const Despacho& control, std::string estado) {
    return [&control, estado = std::move(estado)](Evento& e, std::vector<VARIANTARG*>&) {
        if (e.nombre == L"Status" && e.args[0].Texto() == estado) control.Llamar(L"Cancelar");
    };
}

// A sink of the property-changed notification: records the identifiers.
class SumideroPropiedades final
    : public relivo::com::ObjetoSimple<IPropertyNotifySink, IID_IPropertyNotifySink> {
public:
    STDMETHODIMP OnChanged(DISPID id) override {
        cambios.push_back(id);
        return S_OK;
    }
    STDMETHODIMP OnRequestEdit(DISPID) override { return S_OK; }

    bool Conectar(IUnknown* control) {
        ComPtr<IConnectionPointContainer> cpc;
        return SUCCEEDED(control->QueryInterface(IID_PPV_ARGS(&cpc))) &&
               SUCCEEDED(cpc->FindConnectionPoint(IID_IPropertyNotifySink, &punto_)) &&
               SUCCEEDED(punto_->Advise(this, &cookie_));
    }
    void Desconectar() {
        if (!punto_) return;
        punto_->Unadvise(cookie_);
        punto_.Reset();
    }

    std::vector<DISPID> cambios;

private:
    ComPtr<IConnectionPoint> punto_;
    DWORD cookie_ = 0;
};

}  // namespace prueba
