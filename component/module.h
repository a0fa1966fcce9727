// The component file itself: its module handle and path, and the count of
// live objects and class-factory locks that DllCanUnloadNow answers from.
#pragma once

#include <string>

#include "component/win32.h"

namespace relivo::com {

HINSTANCE Modulo();
std::wstring RutaModulo();

void ObjetoCreado();
void ObjetoDestruido();
void Bloquear(bool bloquear);
bool SePuedeDescargar();

}  // namespace relivo::com
