// The property bag of the Linux host: a JSON object keyed by property names,
// in the order the keys were first written.
//
// Values: booleans, numbers and texts as JSON values; a non-finite double as
// {"tipo": "Double", "Valor": "NaN" | "Infinity" | "-Infinity"}; a font as
// {"tipo": "Fuente", "Name", "Size", "Bold", "Italic", "Underline",
// "Strikethrough"}; a picture as {"tipo": "Imagen", "Ancho", "Alto", "PNG":
// base64 of a PNG file} (on reading also "Pixeles": an array of Ancho*Alto
// colour values); no picture as null. Reading is tolerant: missing members
// of a font take the defaults, a key whose value cannot be understood reads
// as its text form or empty, and only a document that is not a JSON object
// (or a file that cannot be read) is refused, with Fallo 321 "Formato de
// archivo no válido" (53 for a missing file, 75 for a file that cannot be
// written).
#pragma once

#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "relivo/platform/property_bag.h"

namespace relivo {

class BolsaJson : public BolsaPropiedades {
public:
    BolsaJson();  // an empty document
    ~BolsaJson() override;
    BolsaJson(BolsaJson&&) noexcept;
    BolsaJson& operator=(BolsaJson&&) noexcept;

    static BolsaJson DesdeTexto(std::string_view texto);
    static BolsaJson Cargar(const std::string& ruta);

    std::string Texto() const;  // indented JSON text
    void Guardar(const std::string& ruta) const;

    // Whether Escribir leaves out values equal to their default (off: every
    // written value is stored).
    void OmitirPredeterminados(bool omitir);

    std::vector<std::string> Claves() const;
    bool Contiene(std::string_view clave) const;

    VarianteHost Leer(std::string_view clave,
                      const VarianteHost& predeterminado = {}) const override;
    void Escribir(std::string_view clave, const VarianteHost& valor,
                  const VarianteHost& predeterminado = {}) override;

private:
    struct Estado;
    std::unique_ptr<Estado> e_;
};

}  // namespace relivo
