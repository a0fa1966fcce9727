// The property bags a control saves its settings in: the container's own
// (IPropertyBag) and one held in memory, which a control writes to and reads
// from a stream (IPersistStreamInit).
#pragma once

#include <string>
#include <utility>
#include <vector>

#include "component/win32.h"
#include "relivo/platform/property_bag.h"

namespace relivo::com {

// The container's property bag. A value equal to its default is left out.
class BolsaOle : public BolsaPropiedades {
public:
    BolsaOle(IPropertyBag* bolsa, IErrorLog* registro) : bolsa_(bolsa), registro_(registro) {}

    VarianteHost Leer(std::string_view clave, const VarianteHost& predeterminado) const override;
    void Escribir(std::string_view clave, const VarianteHost& valor,
                  const VarianteHost& predeterminado) override;

private:
    IPropertyBag* bolsa_;
    IErrorLog* registro_;
};

// A bag in memory, in the order its keys were written, with its stream form.
class BolsaMemoria : public BolsaPropiedades {
public:
    VarianteHost Leer(std::string_view clave, const VarianteHost& predeterminado) const override;
    void Escribir(std::string_view clave, const VarianteHost& valor,
                  const VarianteHost& predeterminado) override;

    // The stream form: "RLVB", a version, the count, then each key and its
    // typed value. Load fails with 321 for data of another form.
    HRESULT Guardar(IStream* flujo) const;
    void Cargar(IStream* flujo);
    ULONGLONG Tamano() const;

    const std::vector<std::pair<std::string, VarianteHost>>& Valores() const { return valores_; }

private:
    std::vector<std::pair<std::string, VarianteHost>> valores_;
};

}  // namespace relivo::com
