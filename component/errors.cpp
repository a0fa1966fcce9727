#include "component/errors.h"

#include "component/text.h"

namespace relivo::com {

HRESULT HresultDeError(int32_t numero) {
    if (numero < 0) return static_cast<HRESULT>(numero);
    return MAKE_HRESULT(SEVERITY_ERROR, FACILITY_CONTROL, numero & 0xFFFF);
}

HRESULT Fallar(const Fallo& fallo, const wchar_t* fuente, REFIID iid) {
    ComPtr<ICreateErrorInfo> crear;
    if (SUCCEEDED(CreateErrorInfo(&crear))) {
        const std::wstring texto = AUtf16(fallo.texto());
        crear->SetGUID(iid);
        crear->SetSource(const_cast<LPOLESTR>(fuente));
        crear->SetDescription(const_cast<LPOLESTR>(texto.c_str()));
        ComPtr<IErrorInfo> info;
        if (SUCCEEDED(crear.As(&info))) SetErrorInfo(0, info.Get());
    }
    return HresultDeError(fallo.numero());
}

}  // namespace relivo::com
