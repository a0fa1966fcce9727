// The shared base of the platforms' drawing surfaces: the record of the
// surface's properties with the values of a new surface, and their getters
// and setters, generated from the list of surface_properties.h. A platform's
// surface derives from it, acts on the changes it has to show
// (AlCambiarPropiedad) and draws.
#pragma once

#include <cstdint>

#include "platform/surface.h"
#include "platform/surface_properties.h"
#include "platform/surface_scale.h"

namespace relivo {

// One name per property of the list.
enum class PropiedadSuperficie {
#define RELIVO_NOMBRE_PROPIEDAD(Nombre, ...) Nombre,
    RELIVO_PROPIEDADES_SUPERFICIE(RELIVO_NOMBRE_PROPIEDAD)
#undef RELIVO_NOMBRE_PROPIEDAD
};

// The Simple and Cambio properties: a field of each one's name and type,
// with the value of a new surface.
struct PropiedadesSuperficie {
#define RELIVO_CAMPO(Nombre, Tipo, Clase, Predeterminado, Nuevo) \
    RELIVO_CAMPO_##Clase(Nombre, Tipo, Predeterminado)
#define RELIVO_CAMPO_Simple(Nombre, Tipo, Predeterminado) \
    tipos::Tipo::Valor Nombre = Predeterminado;
#define RELIVO_CAMPO_Cambio RELIVO_CAMPO_Simple
#define RELIVO_CAMPO_Propia(...)
#define RELIVO_CAMPO_Lectura(...)
    RELIVO_PROPIEDADES_SUPERFICIE(RELIVO_CAMPO)
#undef RELIVO_CAMPO
#undef RELIVO_CAMPO_Simple
#undef RELIVO_CAMPO_Cambio
#undef RELIVO_CAMPO_Propia
#undef RELIVO_CAMPO_Lectura
};

class SuperficieComun : public SuperficieDibujo {
public:
    // The Simple and Cambio properties: the getter reads the record, the
    // setter stores the checked value (surface_base.cpp) and then calls
    // AlCambiarPropiedad.
#define RELIVO_ACCESORES(Nombre, Tipo, Clase, Predeterminado, Nuevo) \
    RELIVO_ACCESORES_##Clase(Nombre, Tipo)
#define RELIVO_ACCESORES_Simple(Nombre, Tipo)    \
    tipos::Tipo::Valor Nombre() const override { \
        return p_.Nombre;                        \
    }                                            \
    void Nombre(tipos::Tipo::Parametro v) override;
#define RELIVO_ACCESORES_Cambio RELIVO_ACCESORES_Simple
#define RELIVO_ACCESORES_Propia(...)
#define RELIVO_ACCESORES_Lectura(...)
    RELIVO_PROPIEDADES_SUPERFICIE(RELIVO_ACCESORES)
#undef RELIVO_ACCESORES
#undef RELIVO_ACCESORES_Simple
#undef RELIVO_ACCESORES_Cambio
#undef RELIVO_ACCESORES_Propia
#undef RELIVO_ACCESORES_Lectura

    // The Propia properties and Appearance, by hand.
    int16_t Appearance() const override {
        return 1;
    }
    Fuente Font() const override;
    void Font(const Fuente& valor) override;
    float ScaleHeight() const override {
        return escala_.scaleHeight;
    }
    void ScaleHeight(float valor) override;
    float ScaleLeft() const override {
        return escala_.scaleLeft;
    }
    void ScaleLeft(float valor) override;
    int16_t ScaleMode() const override {
        return escala_.scaleMode;
    }
    void ScaleMode(int16_t valor) override;
    float ScaleTop() const override {
        return escala_.scaleTop;
    }
    void ScaleTop(float valor) override;
    float ScaleWidth() const override {
        return escala_.scaleWidth;
    }
    void ScaleWidth(float valor) override;

protected:
    SuperficieComun();

    // A property has just taken its new value: the platform shows it (its
    // pen, brush or font, an erased picture, a new border...).
    virtual void AlCambiarPropiedad(PropiedadSuperficie cual) = 0;
    // Interior size in device pixels, over which ScaleMode measures.
    virtual int32_t AnchoInterior() const = 0;
    virtual int32_t AltoInterior() const = 0;

    PropiedadesSuperficie p_;
    EscalaSuperficie escala_;
};

}  // namespace relivo
