// The Relivo control as a COM object.
#pragma once

#include "component/win32.h"

namespace relivo::com {

// Creates a Relivo object and returns its interface `riid`.
HRESULT CrearRelivo(REFIID riid, void** ppv);

}  // namespace relivo::com
