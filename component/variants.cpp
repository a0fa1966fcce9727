#include "component/variants.h"

#include <cmath>

#include "component/ole_objects.h"
#include "component/text.h"
#include "platform/numbers.h"
#include "relivo/platform/error.h"

namespace relivo::com {
namespace {

[[noreturn]] void NoCoinciden() {
    throw Fallo::Plataforma(errores::kTiposNoCoinciden);
}

// The value of a variant converted to `tipo`, failing as a host language
// would: 13 when it does not convert, 6 when it is out of range.
void Convertir(const VARIANT& origen, VARTYPE tipo, VARIANT* destino) {
    const HRESULT hr =
        VariantChangeTypeEx(destino, const_cast<VARIANT*>(&origen), LOCALE_USER_DEFAULT, 0, tipo);
    if (hr == DISP_E_OVERFLOW) throw Fallo::Plataforma(errores::kDesbordamiento);
    if (FAILED(hr)) NoCoinciden();
}

}  // namespace

bool Falta(const VARIANT* v) {
    if (!v) return true;
    const VARIANT* u = v;
    while (V_VT(u) == (VT_BYREF | VT_VARIANT) && V_VARIANTREF(u)) u = V_VARIANTREF(u);
    return V_VT(u) == VT_ERROR && V_ERROR(u) == DISP_E_PARAMNOTFOUND;
}

HRESULT Desreferenciar(const VARIANT& v, VARIANT* destino) {
    VariantInit(destino);
    return VariantCopyInd(destino, const_cast<VARIANT*>(&v));
}

Variante AVariante(const VARIANT& v) {
    Variant valor;
    if (FAILED(Desreferenciar(v, &valor))) return Variante::Otro();
    switch (V_VT(&valor)) {
        case VT_EMPTY:
        case VT_NULL:
        case VT_ERROR:
            return Variante();
        case VT_BSTR:
            return Variante(AUtf8(V_BSTR(&valor)));
        case VT_BOOL:
            return Variante(V_BOOL(&valor) ? -1.0 : 0.0);
        case VT_DISPATCH:
        case VT_UNKNOWN: {
            // The object's default value, as text or as a number.
            Variant texto;
            if (SUCCEEDED(VariantChangeTypeEx(&texto, &valor, LOCALE_USER_DEFAULT, 0, VT_BSTR))) {
                return AVariante(*texto);
            }
            return Variante::Otro();
        }
        default: {
            // A number of any width; an array or anything else that is not
            // one is no number and no text.
            Variant doble;
            if (FAILED(VariantChangeTypeEx(&doble, &valor, LOCALE_USER_DEFAULT, 0, VT_R8))) {
                return Variante::Otro();
            }
            return Variante(V_R8(&doble));
        }
    }
}

std::optional<float> SencilloOpcional(const VARIANT* v) {
    if (Falta(v)) return std::nullopt;
    Variant r;
    Convertir(*v, VT_R4, &r);
    if (!std::isfinite(V_R4(&r))) throw Fallo::Plataforma(errores::kDesbordamiento);
    return V_R4(&r);
}

std::optional<int32_t> EnteroOpcional(const VARIANT* v) {
    if (Falta(v)) return std::nullopt;
    Variant r;
    Convertir(*v, VT_I4, &r);
    return V_I4(&r);
}

std::optional<int16_t> Entero16Opcional(const VARIANT* v) {
    if (Falta(v)) return std::nullopt;
    Variant r;
    Convertir(*v, VT_I2, &r);
    return V_I2(&r);
}

std::string TextoOpcional(const VARIANT* v) {
    if (Falta(v)) return {};
    Variant valor;
    if (FAILED(Desreferenciar(*v, &valor))) NoCoinciden();
    if (V_VT(&valor) == VT_DISPATCH || V_VT(&valor) == VT_UNKNOWN) {
        // A menu object by its name.
        IDispatch* d = nullptr;
        if (V_VT(&valor) == VT_DISPATCH) d = V_DISPATCH(&valor);
        if (!d) return {};
        DISPID id = 0;
        LPOLESTR nombre = const_cast<LPOLESTR>(L"Name");
        if (FAILED(d->GetIDsOfNames(IID_NULL, &nombre, 1, LOCALE_USER_DEFAULT, &id))) return {};
        DISPPARAMS sin{};
        Variant r;
        if (FAILED(d->Invoke(id, IID_NULL, LOCALE_USER_DEFAULT, DISPATCH_PROPERTYGET, &sin, &r,
                             nullptr, nullptr)) ||
            V_VT(&r) != VT_BSTR) {
            return {};
        }
        return AUtf8(V_BSTR(&r));
    }
    Variant r;
    Convertir(*valor, VT_BSTR, &r);
    return AUtf8(V_BSTR(&r));
}

VarianteHost AVarianteHost(const VARIANT& v) {
    Variant valor;
    if (FAILED(Desreferenciar(v, &valor))) NoCoinciden();
    switch (V_VT(&valor)) {
        case VT_EMPTY:
        case VT_NULL:
            return VarianteHost();
        case VT_BOOL:
            return VarianteHost(V_BOOL(&valor) != VARIANT_FALSE);
        case VT_I2:
            return VarianteHost(static_cast<int16_t>(V_I2(&valor)));
        case VT_I4:
            return VarianteHost(static_cast<int32_t>(V_I4(&valor)));
        case VT_R4:
            return VarianteHost(V_R4(&valor));
        case VT_R8:
            return VarianteHost(V_R8(&valor));
        case VT_BSTR:
            return VarianteHost(AUtf8(V_BSTR(&valor)));
        case VT_DISPATCH:
        case VT_UNKNOWN: {
            IUnknown* o = V_VT(&valor) == VT_DISPATCH ? V_DISPATCH(&valor) : V_UNKNOWN(&valor);
            if (!o) return VarianteHost(Imagen());
            ComPtr<IFont> f;
            if (SUCCEEDED(o->QueryInterface(IID_PPV_ARGS(&f)))) return VarianteHost(FuenteDeOle(o));
            return VarianteHost(ImagenDeOle(o));
        }
        default: {
            Variant doble;
            Convertir(*valor, VT_R8, &doble);
            return VarianteHost(V_R8(&doble));
        }
    }
}

HRESULT AVARIANT(const VarianteHost& valor, VARTYPE tipo, VARIANT* destino) {
    VariantInit(destino);
    using T = VarianteHost::Tipo;
    if (tipo == VT_EMPTY) {
        switch (valor.tipo()) {
            case T::Vacio:
                return S_OK;
            case T::Booleano:
                tipo = VT_BOOL;
                break;
            case T::Entero16:
                tipo = VT_I2;
                break;
            case T::Entero32:
                tipo = VT_I4;
                break;
            case T::Sencillo:
                tipo = VT_R4;
                break;
            case T::Doble:
                tipo = VT_R8;
                break;
            case T::Texto:
                tipo = VT_BSTR;
                break;
            case T::Fuente:
            case T::Imagen:
                tipo = VT_DISPATCH;
                break;
        }
    }
    switch (tipo) {
        case VT_BOOL:
            V_VT(destino) = VT_BOOL;
            V_BOOL(destino) = valor.ABooleano() ? VARIANT_TRUE : VARIANT_FALSE;
            return S_OK;
        case VT_I2:
            V_VT(destino) = VT_I2;
            V_I2(destino) = valor.AEntero16();
            return S_OK;
        case VT_I4:
            V_VT(destino) = VT_I4;
            V_I4(destino) = valor.AEntero32();
            return S_OK;
        case VT_R4:
            V_VT(destino) = VT_R4;
            V_R4(destino) = valor.ASencillo();
            return S_OK;
        case VT_R8:
            V_VT(destino) = VT_R8;
            V_R8(destino) = valor.ADoble();
            return S_OK;
        case VT_BSTR:
            V_VT(destino) = VT_BSTR;
            V_BSTR(destino) = NuevoBstr(valor.ATexto());
            return V_BSTR(destino) ? S_OK : E_OUTOFMEMORY;
        case VT_DISPATCH:
            V_VT(destino) = VT_DISPATCH;
            if (const Fuente* f = valor.Si<Fuente>()) {
                V_DISPATCH(destino) = CrearFuenteOle(*f);
                return V_DISPATCH(destino) ? S_OK : E_OUTOFMEMORY;
            }
            V_DISPATCH(destino) = CrearImagenOle(valor.AImagen());
            return S_OK;
        default:
            return DISP_E_TYPEMISMATCH;
    }
}

}  // namespace relivo::com
