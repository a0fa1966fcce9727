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
            duenno_->aplicar_(FuenteDeOle(duenno_->objeto_.Get()));
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
        punto_.Reset();
    }
    if (sumidero_) {
        sumidero_->Olvidar();
        sumidero_.Reset();
    }
    objeto_.Reset();
}

IFontDisp* FuenteViva::Objeto(const Fuente& actual) {
    IFontDisp* r = nullptr;
    if (objeto_) {
        bool igual = false;
        try {
            igual = FuenteDeOle(objeto_.Get()) == actual;
        } catch (...) {
        }
        if (igual) {
            objeto_.CopyTo(&r);
            return r;
        }
        Soltar();
    }
    objeto_.Attach(CrearFuenteOle(actual));
    if (!objeto_) return nullptr;
    ComPtr<IConnectionPointContainer> cpc;
    if (SUCCEEDED(objeto_.As(&cpc)) &&
        SUCCEEDED(cpc->FindConnectionPoint(IID_IPropertyNotifySink, &punto_))) {
        sumidero_.Attach(new (std::nothrow) Sumidero(this));
        if (!sumidero_ || FAILED(punto_->Advise(sumidero_.Get(), &cookie_))) punto_.Reset();
    }
    objeto_.CopyTo(&r);
    return r;
}

}  // namespace relivo::com
