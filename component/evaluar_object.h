// The Evaluar control as a COM object.
#pragma once

#include "component/win32.h"

namespace relivo::com {

// Creates an Evaluar object and returns its interface `riid`.
HRESULT CrearEvaluar(REFIID riid, void** ppv);

}  // namespace relivo::com
