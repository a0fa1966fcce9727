// The class factories of Evaluar and Relivo.
#pragma once

#include "component/win32.h"

namespace relivo::com {

// The factory of a class of the component (it lives as long as the module;
// each reference to it keeps the module loaded), or null for any other class.
IClassFactory* FabricaDeClase(REFCLSID clsid);

}  // namespace relivo::com
