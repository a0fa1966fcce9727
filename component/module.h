// The component file itself: its module handle and path, and the count of
// live objects and of class-factory references and locks that
// DllCanUnloadNow answers from.
#pragma once

#include <string>

#include "component/win32.h"

namespace relivo::com {

HINSTANCE Modulo();
std::wstring RutaModulo();

void ObjetoCreado();
void ObjetoDestruido();
// A reference to a class factory or a LockServer lock taken or let go.
void Bloquear(bool bloquear);
bool SePuedeDescargar();

}  // namespace relivo::com
