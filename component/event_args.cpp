#include "component/event_args.h"

#include "component/variants.h"

namespace relivo::com {

ArgumentosDeEvento::ArgumentosDeEvento(ITypeInfo* eventos, DISPID id,
                                       std::span<const ArgumentoEvento> argumentos)
    : variantes_(argumentos.size()), almacen_(argumentos.size()) {
    for (VARIANT& v : variantes_) VariantInit(&v);
    for (VARIANT& v : almacen_) VariantInit(&v);
    // The declared types: a pointer is a by-reference argument.
    std::vector<TYPEDESC> tipos(argumentos.size(), TYPEDESC{{nullptr}, VT_EMPTY});
    std::vector<bool> referencia(argumentos.size(), false);
    TYPEATTR* ta = nullptr;
    if (eventos && SUCCEEDED(eventos->GetTypeAttr(&ta))) {
        for (UINT i = 0; i < ta->cFuncs; ++i) {
            FUNCDESC* fd = nullptr;
            if (FAILED(eventos->GetFuncDesc(i, &fd))) continue;
            if (fd->memid == id) {
                for (size_t a = 0; a < argumentos.size() && a < static_cast<size_t>(fd->cParams);
                     ++a) {
                    const TYPEDESC& t = fd->lprgelemdescParam[a].tdesc;
                    referencia[a] = t.vt == VT_PTR;
                    tipos[a].vt = t.vt == VT_PTR ? t.lptdesc->vt : t.vt;
                }
            }
            eventos->ReleaseFuncDesc(fd);
        }
        eventos->ReleaseTypeAttr(ta);
    }
    for (size_t a = 0; a < argumentos.size(); ++a) {
        const ArgumentoEvento& arg = argumentos[a];
        const bool porReferencia = referencia[a] || (tipos[a].vt == VT_EMPTY && arg.PorReferencia);
        VARIANT& destino = porReferencia ? almacen_[a] : variantes_[a];
        if (FAILED(AVARIANT(arg.Valor, tipos[a].vt, &destino))) VariantInit(&destino);
        if (porReferencia) {
            const VARTYPE vt = V_VT(&destino);
            V_VT(&variantes_[a]) = static_cast<VARTYPE>(VT_BYREF | vt);
            // Every by-reference type points at the value inside the VARIANT.
            V_BYREF(&variantes_[a]) = &destino.lVal;
            if (vt == VT_EMPTY) {
                V_VT(&variantes_[a]) = VT_BYREF | VT_VARIANT;
                V_VARIANTREF(&variantes_[a]) = &destino;
            }
        }
    }
}

ArgumentosDeEvento::~ArgumentosDeEvento() {
    for (size_t a = 0; a < variantes_.size(); ++a) {
        if (!(V_VT(&variantes_[a]) & VT_BYREF)) VariantClear(&variantes_[a]);
        VariantClear(&almacen_[a]);
    }
}

void ArgumentosDeEvento::Releer(std::span<ArgumentoEvento> argumentos) const {
    for (size_t a = 0; a < argumentos.size() && a < variantes_.size(); ++a) {
        if (!(V_VT(&variantes_[a]) & VT_BYREF)) continue;
        try {
            argumentos[a].Valor = AVarianteHost(almacen_[a]);
        } catch (...) {
            // A value the control cannot read keeps what it sent.
        }
    }
}

}  // namespace relivo::com
