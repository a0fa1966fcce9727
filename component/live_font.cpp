#include "component/live_font.h"

#include <new>

#include "component/ole_objects.h"
#include "component/simple_object.h"

namespace relivo::com {

// Told by the font object of every change of its properties.
class FuenteViva::Sumidero final
    : public ObjetoSimple<IPropertyNotifySink, IID_IPropertyNotifySink> {
public:
    explicit Sumidero(FuenteViva* duenno) : duenno_(duenno) {}

    STDMETHODIMP OnChanged(DISPID) override {
        if (!duenno_ || !duenno_->objeto_ || aplicando_) return S_OK;
        aplicando_ = true;
        try {
            duenno_->aplicar_(FuenteDeOle(duenno_->objeto_));
        } catch (...) {
            // The control refused the font; the object keeps what it says.
        }
        aplicando_ = false;
        return S_OK;
    }
    STDMETHODIMP OnRequestEdit(DISPID) override { return S_OK; }

    void Olvidar() { duenno_ = nullptr; }

private:
    FuenteViva* duenno_;
    bool aplicando_ = false;
};

FuenteViva::FuenteViva(std::function<void(const Fuente&)> aplicar) : aplicar_(std::move(aplicar)) {}

FuenteViva::~FuenteViva() {
    Soltar();
}

void FuenteViva::Soltar() {
    if (punto_) {
        punto_->Unadvise(cookie_);
        punto_->Release();
        punto_ = nullptr;
    }
    if (sumidero_) {
        sumidero_->Olvidar();
        sumidero_->Release();
        sumidero_ = nullptr;
    }
    if (objeto_) {
        objeto_->Release();
        objeto_ = nullptr;
    }
}

IFontDisp* FuenteViva::Objeto(const Fuente& actual) {
    if (objeto_) {
        bool igual = false;
        try {
            igual = FuenteDeOle(objeto_) == actual;
        } catch (...) {
        }
        if (igual) {
            objeto_->AddRef();
            return objeto_;
        }
        Soltar();
    }
    objeto_ = CrearFuenteOle(actual);
    if (!objeto_) return nullptr;
    IConnectionPointContainer* cpc = nullptr;
    if (SUCCEEDED(objeto_->QueryInterface(IID_IConnectionPointContainer,
                                          reinterpret_cast<void**>(&cpc)))) {
        if (SUCCEEDED(cpc->FindConnectionPoint(IID_IPropertyNotifySink, &punto_))) {
            sumidero_ = new (std::nothrow) Sumidero(this);
            if (!sumidero_ || FAILED(punto_->Advise(sumidero_, &cookie_))) {
                punto_->Release();
                punto_ = nullptr;
            }
        }
        cpc->Release();
    }
    objeto_->AddRef();
    return objeto_;
}

}  // namespace relivo::com
