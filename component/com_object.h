// What both controls share as COM objects: reference counting, the class
// description (IProvideClassInfo2), the connection points of the events and
// of the property-changed notification, error information, and the
// dispatching of their dual interface through the type library.
#pragma once

#include <span>

#include "component/connection_point.h"
#include "component/win32.h"

namespace relivo::com {

class ObjetoCom : public IProvideClassInfo2,
                  public IConnectionPointContainer,
                  public ISupportErrorInfo {
public:
    ObjetoCom(const CLSID& clsid, const IID& iidDual, const IID& iidEventos, const wchar_t* fuente);
    virtual ~ObjetoCom();
    ObjetoCom(const ObjetoCom&) = delete;
    ObjetoCom& operator=(const ObjetoCom&) = delete;

    // The object's identity.
    IUnknown* Identidad() { return static_cast<IProvideClassInfo2*>(this); }

    // IProvideClassInfo2.
    STDMETHODIMP GetClassInfo(ITypeInfo** ppTI) override;
    STDMETHODIMP GetGUID(DWORD tipo, GUID* guid) override;
    // IConnectionPointContainer.
    STDMETHODIMP EnumConnectionPoints(IEnumConnectionPoints** ppEnum) override;
    STDMETHODIMP FindConnectionPoint(REFIID riid, IConnectionPoint** ppCP) override;
    // ISupportErrorInfo.
    STDMETHODIMP InterfaceSupportsErrorInfo(REFIID riid) override;

protected:
    // The interfaces of this object (AddRef'ed) or null; derived objects add
    // theirs and then ask this one.
    virtual void* Interfaz(REFIID riid);
    HRESULT Consultar(REFIID riid, void** ppv);
    ULONG Sumar();
    ULONG Restar();

    // IDispatch of the dual interface `dual` (this object's), through the
    // type library.
    HRESULT CuentaTipos(UINT* n);
    HRESULT InfoDeTipo(UINT i, ITypeInfo** pp);
    HRESULT Identificadores(LPOLESTR* nombres, UINT n, DISPID* ids);
    HRESULT Invocar(IDispatch* dual, DISPID id, REFIID riid, WORD banderas, DISPPARAMS* p,
                    VARIANT* resultado, EXCEPINFO* excepcion, UINT* argumentoMalo);

    // Raises event `id` to every connected sink; the arguments in
    // declaration order (by-reference ones point at the caller's storage).
    // Nothing is raised while the container has the events frozen.
    void Disparar(DISPID id, std::span<VARIANTARG> argumentos);
    // Tells the connected property sinks that property `id` changed.
    void NotificarCambio(DISPID id);
    // Lets every sink go.
    void Desconectar();

    const CLSID& clsid_;
    const IID& iidDual_;
    const IID& iidEventos_;
    const wchar_t* fuente_;
    LONG congelado_ = 0;

private:
    LONG cuenta_ = 0;
    PuntoConexion eventos_;
    PuntoConexion notificaciones_;
};

}  // namespace relivo::com

// The IUnknown of a most-derived object: one implementation for all of its
// interfaces.
#define RELIVO_IUNKNOWN                                             \
    STDMETHODIMP QueryInterface(REFIID riid, void** ppv) override { \
        return Consultar(riid, ppv);                                \
    }                                                               \
    STDMETHODIMP_(ULONG) AddRef() override {                        \
        return Sumar();                                             \
    }                                                               \
    STDMETHODIMP_(ULONG) Release() override {                       \
        return Restar();                                            \
    }

// The IDispatch of a most-derived object's dual interface `Dual`, through
// the type library.
#define RELIVO_IDISPATCH(Dual)                                                                  \
    STDMETHODIMP GetTypeInfoCount(UINT* n) override {                                           \
        return CuentaTipos(n);                                                                  \
    }                                                                                           \
    STDMETHODIMP GetTypeInfo(UINT i, LCID, ITypeInfo** pp) override {                           \
        return InfoDeTipo(i, pp);                                                               \
    }                                                                                           \
    STDMETHODIMP GetIDsOfNames(REFIID, LPOLESTR* nombres, UINT n, LCID, DISPID* ids) override { \
        return Identificadores(nombres, n, ids);                                                \
    }                                                                                           \
    STDMETHODIMP Invoke(DISPID id, REFIID riid, LCID, WORD banderas, DISPPARAMS* p,             \
                        VARIANT* resultado, EXCEPINFO* excepcion, UINT* malo) override {        \
        return Invocar(static_cast<Dual*>(this), id, riid, banderas, p, resultado, excepcion,   \
                       malo);                                                                   \
    }
