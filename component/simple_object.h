// The IUnknown of a small COM object with one interface: reference counted,
// deleted with its last reference, answering IUnknown, `I` (`kIid`) and
// whatever else `Tambien` accepts.
#pragma once

#include "component/win32.h"

namespace relivo::com {

template <typename I, const IID& kIid>
class ObjetoSimple : public I {
public:
    ObjetoSimple() = default;
    ObjetoSimple(const ObjetoSimple&) = delete;
    ObjetoSimple& operator=(const ObjetoSimple&) = delete;

    STDMETHODIMP QueryInterface(REFIID riid, void** ppv) override {
        if (!ppv) return E_POINTER;
        if (riid == IID_IUnknown || riid == kIid || Tambien(riid)) {
            *ppv = static_cast<I*>(this);
            this->AddRef();
            return S_OK;
        }
        *ppv = nullptr;
        return E_NOINTERFACE;
    }
    STDMETHODIMP_(ULONG) AddRef() override {
        return static_cast<ULONG>(InterlockedIncrement(&cuenta_));
    }
    STDMETHODIMP_(ULONG) Release() override {
        const auto n = static_cast<ULONG>(InterlockedDecrement(&cuenta_));
        if (n == 0) delete this;
        return n;
    }

protected:
    // Created with one reference, the creator's.
    virtual ~ObjetoSimple() = default;
    // Other interface identifiers the object answers as `I`.
    virtual bool Tambien(REFIID) const { return false; }

private:
    LONG cuenta_ = 1;
};

}  // namespace relivo::com
