#include "component/com_object.h"

#include <utility>
#include <vector>

#include "component/module.h"
#include "component/type_library.h"

namespace relivo::com {

ObjetoCom::ObjetoCom(const CLSID& clsid, const IID& iidDual, const IID& iidEventos,
                     const wchar_t* fuente)
    : clsid_(clsid),
      iidDual_(iidDual),
      iidEventos_(iidEventos),
      fuente_(fuente),
      eventos_(this, iidEventos),
      notificaciones_(this, IID_IPropertyNotifySink) {
    ObjetoCreado();
}

ObjetoCom::~ObjetoCom() {
    ObjetoDestruido();
}

void* ObjetoCom::Interfaz(REFIID riid) {
    if (riid == IID_IUnknown || riid == IID_IProvideClassInfo || riid == IID_IProvideClassInfo2) {
        return static_cast<IProvideClassInfo2*>(this);
    }
    if (riid == IID_IConnectionPointContainer) return static_cast<IConnectionPointContainer*>(this);
    if (riid == IID_ISupportErrorInfo) return static_cast<ISupportErrorInfo*>(this);
    return nullptr;
}

HRESULT ObjetoCom::Consultar(REFIID riid, void** ppv) {
    if (!ppv) return E_POINTER;
    *ppv = Interfaz(riid);
    if (!*ppv) return E_NOINTERFACE;
    Sumar();
    return S_OK;
}

ULONG ObjetoCom::Sumar() {
    return static_cast<ULONG>(InterlockedIncrement(&cuenta_));
}

ULONG ObjetoCom::Restar() {
    const LONG n = InterlockedDecrement(&cuenta_);
    if (n == 0) {
        // Kept above zero while the object takes itself apart, so that the
        // release of a sink that calls back cannot delete it twice.
        cuenta_ = 1;
        delete this;
    }
    return static_cast<ULONG>(n);
}

STDMETHODIMP ObjetoCom::GetClassInfo(ITypeInfo** ppTI) {
    if (!ppTI) return E_POINTER;
    *ppTI = InfoTipo(clsid_).Detach();
    return *ppTI ? S_OK : TYPE_E_CANTLOADLIBRARY;
}

STDMETHODIMP ObjetoCom::GetGUID(DWORD tipo, GUID* guid) {
    if (!guid) return E_POINTER;
    if (tipo != GUIDKIND_DEFAULT_SOURCE_DISP_IID) {
        *guid = GUID_NULL;
        return E_INVALIDARG;
    }
    *guid = iidEventos_;
    return S_OK;
}

STDMETHODIMP ObjetoCom::EnumConnectionPoints(IEnumConnectionPoints** ppEnum) {
    return EnumerarPuntos(Identidad(), {&eventos_, &notificaciones_}, ppEnum);
}

STDMETHODIMP ObjetoCom::FindConnectionPoint(REFIID riid, IConnectionPoint** ppCP) {
    if (!ppCP) return E_POINTER;
    *ppCP = nullptr;
    PuntoConexion* p = nullptr;
    if (riid == iidEventos_) p = &eventos_;
    if (riid == IID_IPropertyNotifySink) p = &notificaciones_;
    if (!p) return CONNECT_E_NOCONNECTION;
    p->AddRef();
    *ppCP = p;
    return S_OK;
}

STDMETHODIMP ObjetoCom::InterfaceSupportsErrorInfo(REFIID riid) {
    return riid == iidDual_ ? S_OK : S_FALSE;
}

HRESULT ObjetoCom::CuentaTipos(UINT* n) {
    if (!n) return E_POINTER;
    *n = 1;
    return S_OK;
}

HRESULT ObjetoCom::InfoDeTipo(UINT i, ITypeInfo** pp) {
    if (!pp) return E_POINTER;
    *pp = nullptr;
    if (i != 0) return DISP_E_BADINDEX;
    *pp = InfoTipo(iidDual_).Detach();
    return *pp ? S_OK : TYPE_E_CANTLOADLIBRARY;
}

HRESULT ObjetoCom::Identificadores(LPOLESTR* nombres, UINT n, DISPID* ids) {
    const ComPtr<ITypeInfo> ti = InfoTipo(iidDual_);
    return ti ? ti->GetIDsOfNames(nombres, n, ids) : TYPE_E_CANTLOADLIBRARY;
}

HRESULT ObjetoCom::Invocar(IDispatch* dual, DISPID id, REFIID riid, WORD banderas, DISPPARAMS* p,
                           VARIANT* resultado, EXCEPINFO* excepcion, UINT* argumentoMalo) {
    if (riid != IID_NULL) return DISP_E_UNKNOWNINTERFACE;
    if (!p) return E_INVALIDARG;
    const ComPtr<ITypeInfo> ti = InfoTipo(iidDual_, true);
    if (!ti) return TYPE_E_CANTLOADLIBRARY;
    SetErrorInfo(0, nullptr);
    HRESULT hr = ti->Invoke(dual, id, banderas, p, resultado, excepcion, argumentoMalo);
    // An object assigned with a plain put to a property that takes it by
    // reference (Font, MouseIcon, Picture).
    if (hr == DISP_E_MEMBERNOTFOUND && banderas == DISPATCH_PROPERTYPUT && p->cArgs == 1 &&
        (V_VT(&p->rgvarg[0]) == VT_DISPATCH || V_VT(&p->rgvarg[0]) == VT_UNKNOWN)) {
        hr = ti->Invoke(dual, id, DISPATCH_PROPERTYPUTREF, p, resultado, excepcion, argumentoMalo);
    }
    // A member that failed: its error information as the exception.
    if (FAILED(hr) && HRESULT_FACILITY(hr) != FACILITY_DISPATCH && hr != DISP_E_EXCEPTION) {
        if (excepcion) {
            *excepcion = EXCEPINFO{};
            excepcion->scode = hr;
            ComPtr<IErrorInfo> info;
            if (GetErrorInfo(0, &info) == S_OK && info) {
                info->GetSource(&excepcion->bstrSource);
                info->GetDescription(&excepcion->bstrDescription);
            } else {
                excepcion->bstrSource = SysAllocString(fuente_);
            }
        }
        hr = DISP_E_EXCEPTION;
    }
    return hr;
}

void ObjetoCom::Disparar(DISPID id, std::span<VARIANTARG> argumentos) {
    if (congelado_ > 0) return;
    std::vector<VARIANTARG> invertidos(argumentos.rbegin(), argumentos.rend());
    DISPPARAMS p{};
    p.rgvarg = invertidos.empty() ? nullptr : invertidos.data();
    p.cArgs = static_cast<UINT>(invertidos.size());
    for (ComPtr<IUnknown>& sumidero : eventos_.Sumideros()) {
        // Each sink is let go before the next one is called.
        const ComPtr<IUnknown> s = std::move(sumidero);
        auto* d = static_cast<IDispatch*>(s.Get());
        EXCEPINFO e{};
        UINT malo = 0;
        // A sink that fails is the host's business; the control goes on.
        d->Invoke(id, IID_NULL, LOCALE_USER_DEFAULT, DISPATCH_METHOD, &p, nullptr, &e, &malo);
        SysFreeString(e.bstrSource);
        SysFreeString(e.bstrDescription);
        SysFreeString(e.bstrHelpFile);
    }
}

void ObjetoCom::NotificarCambio(DISPID id) {
    for (ComPtr<IUnknown>& sumidero : notificaciones_.Sumideros()) {
        const ComPtr<IUnknown> s = std::move(sumidero);
        static_cast<IPropertyNotifySink*>(s.Get())->OnChanged(id);
    }
}

void ObjetoCom::Desconectar() {
    eventos_.Desconectar();
    notificaciones_.Desconectar();
}

}  // namespace relivo::com
