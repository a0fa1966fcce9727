#include "component/class_factory.h"

#include "Carvex.h"
#include "component/evaluar_object.h"
#include "component/module.h"
#include "component/relivo_object.h"
#include "platform/numbers.h"

namespace relivo::com {
namespace {

using Creador = HRESULT (*)(REFIID riid, void** ppv);

// The user's decimal separator, for the engine's number reader and general
// number form.
void FijarSeparadorDelUsuario() {
    wchar_t sep[8] = {};
    const int n = GetLocaleInfoW(LOCALE_USER_DEFAULT, LOCALE_SDECIMAL, sep, 8);
    numeros::FijarSeparadorDecimal(n > 0 && sep[0] == L',' ? ',' : '.');
}

class Fabrica final : public IClassFactory {
public:
    explicit Fabrica(Creador crear) : crear_(crear) {}

    STDMETHODIMP QueryInterface(REFIID riid, void** ppv) override {
        if (!ppv) return E_POINTER;
        if (riid == IID_IUnknown || riid == IID_IClassFactory) {
            *ppv = static_cast<IClassFactory*>(this);
            AddRef();
            return S_OK;
        }
        *ppv = nullptr;
        return E_NOINTERFACE;
    }
    // The factories live as long as the module, which stays loaded while a
    // client holds a reference to one of them or a lock from LockServer.
    STDMETHODIMP_(ULONG) AddRef() override {
        Bloquear(true);
        return static_cast<ULONG>(InterlockedIncrement(&cuenta_));
    }
    STDMETHODIMP_(ULONG) Release() override {
        const LONG n = InterlockedDecrement(&cuenta_);
        Bloquear(false);
        return static_cast<ULONG>(n);
    }

    STDMETHODIMP CreateInstance(IUnknown* externo, REFIID riid, void** ppv) override {
        if (!ppv) return E_POINTER;
        *ppv = nullptr;
        if (externo) return CLASS_E_NOAGGREGATION;
        FijarSeparadorDelUsuario();
        return crear_(riid, ppv);
    }
    STDMETHODIMP LockServer(BOOL bloquear) override {
        Bloquear(bloquear != FALSE);
        return S_OK;
    }

private:
    Creador crear_;
    LONG cuenta_ = 0;
};

Fabrica g_fabricaRelivo(&CrearRelivo);
Fabrica g_fabricaEvaluar(&CrearEvaluar);

}  // namespace

IClassFactory* FabricaDeClase(REFCLSID clsid) {
    if (clsid == CLSID_Relivo) return &g_fabricaRelivo;
    if (clsid == CLSID_Evaluar) return &g_fabricaEvaluar;
    return nullptr;
}

}  // namespace relivo::com
