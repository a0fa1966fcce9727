// What only the Windows drawing surface's parts share: the module that owns
// the surface's window classes. The checks of values are the portable ones
// of platform/surface_checks.h.
#pragma once

#include "platform/windows/win32.h"

namespace relivo::gdi {

// The module (this file) the surface's window classes belong to.
HINSTANCE Instancia();

}  // namespace relivo::gdi
