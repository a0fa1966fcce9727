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
        if (duenno_) duenno_->AddRef();
        for (T& e : elementos_) Retener(e);
    }
    ~Enumerador() override {
        for (T& e : elementos_) Soltar(e);
        if (duenno_) duenno_->Release();
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
        *ppEnum = new (std::nothrow) Enumerador(duenno_, elementos_, posicion_);
        return *ppEnum ? S_OK : E_OUTOFMEMORY;
    }

private:
    static void Retener(IConnectionPoint* p) { p->AddRef(); }
    static void Soltar(IConnectionPoint* p) { p->Release(); }
    static void Retener(CONNECTDATA& d) { d.pUnk->AddRef(); }
    static void Soltar(CONNECTDATA& d) { d.pUnk->Release(); }

    IUnknown* duenno_;
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
    IUnknown* interfaz = nullptr;
    // An event sink may answer only IDispatch (script engines do).
    if (FAILED(sumidero->QueryInterface(iid_, reinterpret_cast<void**>(&interfaz)))) {
        if (iid_ == IID_IPropertyNotifySink ||
            FAILED(sumidero->QueryInterface(IID_IDispatch, reinterpret_cast<void**>(&interfaz)))) {
            return CONNECT_E_CANNOTCONNECT;
        }
    }
    try {
        sumideros_.emplace_back(siguiente_, interfaz);
    } catch (...) {
        interfaz->Release();
        return E_OUTOFMEMORY;
    }
    *cookie = siguiente_++;
    return S_OK;
}

STDMETHODIMP PuntoConexion::Unadvise(DWORD cookie) {
    for (auto it = sumideros_.begin(); it != sumideros_.end(); ++it) {
        if (it->first == cookie) {
            IUnknown* s = it->second;
            sumideros_.erase(it);
            s->Release();
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
        for (const auto& [c, s] : sumideros_) datos.push_back({s, c});
        *ppEnum = new EnumConexiones(contenedor_, std::move(datos));
        return S_OK;
    } catch (...) {
        return E_OUTOFMEMORY;
    }
}

std::vector<IUnknown*> PuntoConexion::Sumideros() const {
    std::vector<IUnknown*> r;
    r.reserve(sumideros_.size());
    for (const auto& [c, s] : sumideros_) {
        s->AddRef();
        r.push_back(s);
    }
    return r;
}

void PuntoConexion::Desconectar() {
    auto sumideros = std::move(sumideros_);
    sumideros_.clear();
    for (auto& [c, s] : sumideros) s->Release();
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
