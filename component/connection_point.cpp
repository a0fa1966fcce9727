#include "component/connection_point.h"

#include <new>

#include "component/simple_object.h"

namespace relivo::com {
namespace {

// The two enumerators share one shape: a list of AddRef'ed items copied out
// one by one, with an owner kept alive while the enumerator lives.
template <typename IEnum, typename T, const IID& kIid>
class Enumerador final : public ObjetoSimple<IEnum, kIid> {
public:
    Enumerador(IUnknown* duenno, std::vector<T> elementos, size_t posicion = 0)
        : duenno_(duenno), elementos_(std::move(elementos)), posicion_(posicion) {
        for (T& e : elementos_) Retener(e);
    }
    ~Enumerador() override {
        for (T& e : elementos_) Soltar(e);
    }

    STDMETHODIMP Next(ULONG pedidos, T* salida, ULONG* dados) override {
        if (!salida || (pedidos != 1 && !dados)) return E_POINTER;
        ULONG n = 0;
        while (n < pedidos && posicion_ < elementos_.size()) {
            salida[n] = elementos_[posicion_++];
            Retener(salida[n]);
            ++n;
        }
        if (dados) *dados = n;
        return n == pedidos ? S_OK : S_FALSE;
    }
    STDMETHODIMP Skip(ULONG n) override {
        const size_t quedan = elementos_.size() - posicion_;
        if (n > quedan) {
            posicion_ = elementos_.size();
            return S_FALSE;
        }
        posicion_ += n;
        return S_OK;
    }
    STDMETHODIMP Reset() override {
        posicion_ = 0;
        return S_OK;
    }
    STDMETHODIMP Clone(IEnum** ppEnum) override {
        if (!ppEnum) return E_POINTER;
        *ppEnum = new (std::nothrow) Enumerador(duenno_.Get(), elementos_, posicion_);
        return *ppEnum ? S_OK : E_OUTOFMEMORY;
    }

private:
    // The items are what Next hands out (raw pointers, CONNECTDATA): the
    // enumerator counts the reference each of them holds.
    static void Retener(IConnectionPoint* p) { p->AddRef(); }
    static void Soltar(IConnectionPoint* p) { p->Release(); }
    static void Retener(CONNECTDATA& d) { d.pUnk->AddRef(); }
    static void Soltar(CONNECTDATA& d) { d.pUnk->Release(); }

    ComPtr<IUnknown> duenno_;
    std::vector<T> elementos_;
    size_t posicion_;
};

using EnumConexiones = Enumerador<IEnumConnections, CONNECTDATA, IID_IEnumConnections>;
using EnumPuntos = Enumerador<IEnumConnectionPoints, IConnectionPoint*, IID_IEnumConnectionPoints>;

}  // namespace

PuntoConexion::PuntoConexion(IConnectionPointContainer* contenedor, const IID& iid)
    : contenedor_(contenedor), iid_(iid) {}

PuntoConexion::~PuntoConexion() {
    Desconectar();
}

STDMETHODIMP PuntoConexion::QueryInterface(REFIID riid, void** ppv) {
    if (!ppv) return E_POINTER;
    if (riid == IID_IUnknown || riid == IID_IConnectionPoint) {
        *ppv = static_cast<IConnectionPoint*>(this);
        AddRef();
        return S_OK;
    }
    *ppv = nullptr;
    return E_NOINTERFACE;
}

STDMETHODIMP_(ULONG) PuntoConexion::AddRef() {
    return contenedor_->AddRef();
}

STDMETHODIMP_(ULONG) PuntoConexion::Release() {
    return contenedor_->Release();
}

STDMETHODIMP PuntoConexion::GetConnectionInterface(IID* iid) {
    if (!iid) return E_POINTER;
    *iid = iid_;
    return S_OK;
}

STDMETHODIMP PuntoConexion::GetConnectionPointContainer(IConnectionPointContainer** ppcpc) {
    if (!ppcpc) return E_POINTER;
    *ppcpc = contenedor_;
    contenedor_->AddRef();
    return S_OK;
}

STDMETHODIMP PuntoConexion::Advise(IUnknown* sumidero, DWORD* cookie) {
    if (!cookie) return E_POINTER;
    *cookie = 0;
    if (!sumidero) return E_POINTER;
    ComPtr<IUnknown> interfaz;
    // An event sink may answer only IDispatch (script engines do).
    if (FAILED(sumidero->QueryInterface(iid_, &interfaz))) {
        if (iid_ == IID_IPropertyNotifySink ||
            FAILED(sumidero->QueryInterface(IID_IDispatch, &interfaz))) {
            return CONNECT_E_CANNOTCONNECT;
        }
    }
    try {
        sumideros_.emplace_back(siguiente_, std::move(interfaz));
    } catch (...) {
        return E_OUTOFMEMORY;
    }
    *cookie = siguiente_++;
    return S_OK;
}

STDMETHODIMP PuntoConexion::Unadvise(DWORD cookie) {
    for (auto it = sumideros_.begin(); it != sumideros_.end(); ++it) {
        if (it->first == cookie) {
            // Let go after the list no longer has it: the release may call back.
            const ComPtr<IUnknown> s = std::move(it->second);
            sumideros_.erase(it);
            return S_OK;
        }
    }
    return CONNECT_E_NOCONNECTION;
}

STDMETHODIMP PuntoConexion::EnumConnections(IEnumConnections** ppEnum) {
    if (!ppEnum) return E_POINTER;
    *ppEnum = nullptr;
    try {
        std::vector<CONNECTDATA> datos;
        for (const auto& [c, s] : sumideros_) datos.push_back({s.Get(), c});
        *ppEnum = new EnumConexiones(contenedor_, std::move(datos));
        return S_OK;
    } catch (...) {
        return E_OUTOFMEMORY;
    }
}

std::vector<ComPtr<IUnknown>> PuntoConexion::Sumideros() const {
    std::vector<ComPtr<IUnknown>> r;
    r.reserve(sumideros_.size());
    for (const auto& [c, s] : sumideros_) r.push_back(s);
    return r;
}

void PuntoConexion::Desconectar() {
    // Released when this copy goes, after the list is empty.
    auto sumideros = std::move(sumideros_);
    sumideros_.clear();
}

HRESULT EnumerarPuntos(IUnknown* duenno, const std::vector<IConnectionPoint*>& puntos,
                       IEnumConnectionPoints** ppEnum) {
    if (!ppEnum) return E_POINTER;
    *ppEnum = nullptr;
    try {
        *ppEnum = new EnumPuntos(duenno, puntos);
        return S_OK;
    } catch (...) {
        return E_OUTOFMEMORY;
    }
}

}  // namespace relivo::com
