// The font object a control gives out for its Font property: a standard OLE
// font object that stays tied to the control, so that a client that changes
// it (Relivo1.Font.Bold = True) changes the control's font.
#pragma once

#include <functional>

#include "component/win32.h"
#include "relivo/platform/font.h"

namespace relivo::com {

class FuenteViva {
public:
    // `aplicar` receives the font object's new description when a client
    // changes one of its properties.
    explicit FuenteViva(std::function<void(const Fuente&)> aplicar);
    ~FuenteViva();
    FuenteViva(const FuenteViva&) = delete;
    FuenteViva& operator=(const FuenteViva&) = delete;

    // The font object describing `actual` (AddRef'ed): the one given out
    // before while it still describes it, else a new one.
    IFontDisp* Objeto(const Fuente& actual);

private:
    class Sumidero;
    void Soltar();

    std::function<void(const Fuente&)> aplicar_;
    ComPtr<IFontDisp> objeto_;
    ComPtr<IConnectionPoint> punto_;
    DWORD cookie_ = 0;
    ComPtr<Sumidero> sumidero_;
};

}  // namespace relivo::com
