// Connection points: the outgoing interfaces of a control (its event
// interface, and IPropertyNotifySink for the property-changed notification)
// and the sinks that clients connect to them.
#pragma once

#include <utility>
#include <vector>

#include "component/win32.h"

namespace relivo::com {

class PuntoConexion final : public IConnectionPoint {
public:
    // The point belongs to `contenedor` and shares its reference count.
    PuntoConexion(IConnectionPointContainer* contenedor, const IID& iid);
    ~PuntoConexion();
    PuntoConexion(const PuntoConexion&) = delete;
    PuntoConexion& operator=(const PuntoConexion&) = delete;

    // IUnknown.
    STDMETHODIMP QueryInterface(REFIID riid, void** ppv) override;
    STDMETHODIMP_(ULONG) AddRef() override;
    STDMETHODIMP_(ULONG) Release() override;
    // IConnectionPoint.
    STDMETHODIMP GetConnectionInterface(IID* iid) override;
    STDMETHODIMP GetConnectionPointContainer(IConnectionPointContainer** ppcpc) override;
    STDMETHODIMP Advise(IUnknown* sumidero, DWORD* cookie) override;
    STDMETHODIMP Unadvise(DWORD cookie) override;
    STDMETHODIMP EnumConnections(IEnumConnections** ppEnum) override;

    const IID& Interfaz() const { return iid_; }
    // The connected sinks, held for the caller (a sink may disconnect
    // itself or others while it is called).
    std::vector<ComPtr<IUnknown>> Sumideros() const;
    // Lets every sink go (when the control is released).
    void Desconectar();

private:
    IConnectionPointContainer* contenedor_;  // the owner, whose count is this point's
    IID iid_;
    DWORD siguiente_ = 1;
    std::vector<std::pair<DWORD, ComPtr<IUnknown>>> sumideros_;
};

// Enumerator of the connection points of a control.
HRESULT EnumerarPuntos(IUnknown* duenno, const std::vector<IConnectionPoint*>& puntos,
                       IEnumConnectionPoints** ppEnum);

}  // namespace relivo::com
