// VARIANT values across the component boundary: what automation clients
// send (numbers of every width, text, by-reference variants, missing
// optional arguments) and the host variants of the controls.
#pragma once

#include <optional>

#include "component/win32.h"
#include "relivo/evaluar_argument.h"
#include "relivo/platform/variant.h"

namespace relivo::com {

// A VARIANT that clears itself.
class Variant {
public:
    Variant() { VariantInit(&v_); }
    ~Variant() { VariantClear(&v_); }
    Variant(const Variant&) = delete;
    Variant& operator=(const Variant&) = delete;
    VARIANT* operator&() { return &v_; }
    VARIANT& operator*() { return v_; }
    const VARIANT& operator*() const { return v_; }
    VARIANT* operator->() { return &v_; }

private:
    VARIANT v_;
};

// True for a missing optional argument (VT_ERROR with DISP_E_PARAMNOTFOUND)
// or a null pointer.
bool Falta(const VARIANT* v);

// The value behind any number of by-reference levels (a copy).
HRESULT Desreferenciar(const VARIANT& v, VARIANT* destino);

// The argument of Valor and Substituir: a number of any width (and a
// boolean, -1 or 0) is numeric, text is text, nothing is empty; an object
// gives its default value. Anything else (an array, an object without a
// default value) is `Variante::Otro`, which the members refuse through
// their error path; the conversion itself never fails.
Variante AVariante(const VARIANT& v);

// An optional argument converted to a single or a 32-bit integer (missing:
// nothing); a value that does not convert fails with 13 or 6.
std::optional<float> SencilloOpcional(const VARIANT* v);
std::optional<int32_t> EnteroOpcional(const VARIANT* v);
std::optional<int16_t> Entero16Opcional(const VARIANT* v);
std::string TextoOpcional(const VARIANT* v);

// A host variant from a VARIANT (fonts and pictures from their OLE objects)
// and back, as the VARIANT type `tipo` (VT_EMPTY: the host variant's own).
VarianteHost AVarianteHost(const VARIANT& v);
HRESULT AVARIANT(const VarianteHost& valor, VARTYPE tipo, VARIANT* destino);

}  // namespace relivo::com
