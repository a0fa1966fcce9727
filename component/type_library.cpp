#include "component/type_library.h"

#include "component/module.h"

namespace relivo::com {

ITypeLib* BibliotecaTipos() {
    static ITypeLib* biblioteca = [] {
        ITypeLib* b = nullptr;
        if (FAILED(LoadTypeLibEx(RutaModulo().c_str(), REGKIND_NONE, &b)))
            return static_cast<ITypeLib*>(nullptr);
        return b;
    }();
    return biblioteca;
}

ComPtr<ITypeInfo> InfoTipo(REFGUID guid, bool ladoInterfaz) {
    ITypeLib* biblioteca = BibliotecaTipos();
    ComPtr<ITypeInfo> info;
    if (!biblioteca || FAILED(biblioteca->GetTypeInfoOfGuid(guid, &info))) return nullptr;
    if (!ladoInterfaz) return info;
    HREFTYPE ref = 0;
    ComPtr<ITypeInfo> interfaz;
    if (SUCCEEDED(info->GetRefTypeOfImplType(-1, &ref))) info->GetRefTypeInfo(ref, &interfaz);
    return interfaz;
}

}  // namespace relivo::com
