// The variant value a host exchanges with a control: property-bag values and
// event arguments.
//
// It holds nothing (empty), a boolean, a 16-bit or 32-bit integer, a single,
// a double, a text, a font object or a picture object. The conversions turn
// it into the type a property needs, as a host language would: empty gives
// 0, false, "" or no font/picture; numbers convert between each other (to an
// integer rounding halves to even, error 6 when out of range); a text that is
// a number converts to it, and "True"/"False" to booleans (error 13
// otherwise); a boolean is -1 or 0 as a number; a font or picture converts
// to nothing else (error 13).
#pragma once

#include <cstdint>
#include <string>
#include <type_traits>
#include <variant>

#include "relivo/platform/font.h"
#include "relivo/platform/picture.h"

namespace relivo {

class VarianteHost {
public:
    enum class Tipo { Vacio, Booleano, Entero16, Entero32, Sencillo, Doble, Texto, Fuente, Imagen };

    VarianteHost() = default;
    VarianteHost(bool v) : v_(v) {}                       // NOLINT
    VarianteHost(int16_t v) : v_(v) {}                    // NOLINT
    VarianteHost(int32_t v) : v_(v) {}                    // NOLINT
    VarianteHost(float v) : v_(v) {}                      // NOLINT
    VarianteHost(double v) : v_(v) {}                     // NOLINT
    VarianteHost(std::string v) : v_(std::move(v)) {}     // NOLINT
    VarianteHost(const char* v) : v_(std::string(v)) {}   // NOLINT
    VarianteHost(relivo::Fuente v) : v_(std::move(v)) {}  // NOLINT
    VarianteHost(relivo::Imagen v) : v_(std::move(v)) {}  // NOLINT

    Tipo tipo() const { return static_cast<Tipo>(v_.index()); }
    bool EsVacio() const { return tipo() == Tipo::Vacio; }

    // Conversions; they raise Fallo 13 (types do not match) or 6 (overflow).
    bool ABooleano() const;
    int16_t AEntero16() const;
    int32_t AEntero32() const;
    float ASencillo() const;
    double ADoble() const;
    std::string ATexto() const;
    relivo::Fuente AFuente() const;  // empty: the default font description
    relivo::Imagen AImagen() const;  // empty: no picture

    // The conversion above that yields T, for code typed on the value it
    // needs: a by-reference event argument read back into its variable, a
    // property restored from a document.
    template <typename T>
    T Como() const {
        if constexpr (std::is_same_v<T, bool>) {
            return ABooleano();
        } else if constexpr (std::is_same_v<T, int16_t>) {
            return AEntero16();
        } else if constexpr (std::is_same_v<T, int32_t>) {
            return AEntero32();
        } else if constexpr (std::is_same_v<T, float>) {
            return ASencillo();
        } else if constexpr (std::is_same_v<T, double>) {
            return ADoble();
        } else if constexpr (std::is_same_v<T, std::string>) {
            return ATexto();
        } else if constexpr (std::is_same_v<T, relivo::Fuente>) {
            return AFuente();
        } else {
            static_assert(std::is_same_v<T, relivo::Imagen>, "no conversion to this type");
            return AImagen();
        }
    }

    // Direct access to the stored value when its type is known.
    template <typename T>
    const T* Si() const {
        return std::get_if<T>(&v_);
    }

    bool operator==(const VarianteHost&) const = default;

private:
    std::variant<std::monostate, bool, int16_t, int32_t, float, double, std::string, relivo::Fuente,
                 relivo::Imagen>
        v_;
};

}  // namespace relivo
