// The component's type library, loaded once from the file's own TYPELIB
// resource.
#pragma once

#include "component/win32.h"

namespace relivo::com {

// The library (not AddRef'ed for the caller), or null when it cannot load.
ITypeLib* BibliotecaTipos();
// The description of one type by its GUID, or null. For a dual
// interface, `ladoInterfaz` picks the vtable side instead of the dispatch
// side.
ComPtr<ITypeInfo> InfoTipo(REFGUID guid, bool ladoInterfaz = false);

}  // namespace relivo::com
