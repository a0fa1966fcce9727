// The arguments of a control's event as VARIANTs of the types its event
// interface declares, by-reference ones pointing at storage that is read
// back after the host's handlers ran.
#pragma once

#include <span>
#include <vector>

#include "component/win32.h"
#include "relivo/platform/host.h"

namespace relivo::com {

class ArgumentosDeEvento {
public:
    // `eventos`: the event interface's description; `id`: the event.
    ArgumentosDeEvento(ITypeInfo* eventos, DISPID id, std::span<const ArgumentoEvento> argumentos);
    ~ArgumentosDeEvento();
    ArgumentosDeEvento(const ArgumentosDeEvento&) = delete;
    ArgumentosDeEvento& operator=(const ArgumentosDeEvento&) = delete;

    // In declaration order.
    std::span<VARIANTARG> Variantes() { return variantes_; }
    // Copies the by-reference values back into the control's arguments.
    void Releer(std::span<ArgumentoEvento> argumentos) const;

private:
    std::vector<VARIANTARG> variantes_;
    std::vector<VARIANT> almacen_;  // the values by-reference arguments point at
};

}  // namespace relivo::com
