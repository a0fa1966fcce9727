// The shared base of the platforms' drawing surfaces: the record of the
// surface's properties with the values of a new surface, and their getters
// and setters, generated from the list of surface_properties.h. A platform's
// surface derives from it, acts on the changes it has to show
// (AlCambiarPropiedad) and draws.
#pragma once

#include <cstdint>

#include "platform/surface_scale.h"
#include "relivo/platform/surface.h"
#include "relivo/platform/surface_properties.h"

namespace relivo {

// One name per property of the list.
enum class PropiedadSuperficie {
#define RELIVO_NOMBRE_PROPIEDAD(Nombre, ...) Nombre,
    RELIVO_PROPIEDADES_SUPERFICIE(RELIVO_NOMBRE_PROPIEDAD)
#undef RELIVO_NOMBRE_PROPIEDAD
};

// RELIVO_SI_GUARDADA(Clase, codigo...): the code for a property that the
// record keeps (Simple or Cambio), nothing for the others.
#define RELIVO_SI_GUARDADA(Clase, ...) RELIVO_SI_GUARDADA_##Clase(__VA_ARGS__)
#define RELIVO_SI_GUARDADA_Simple(...) __VA_ARGS__
#define RELIVO_SI_GUARDADA_Cambio(...) __VA_ARGS__
#define RELIVO_SI_GUARDADA_Propia(...)
#define RELIVO_SI_GUARDADA_Lectura(...)

// The Simple and Cambio properties: a field of each one's name and type,
// with the value of a new surface.
struct PropiedadesSuperficie {
#define RELIVO_CAMPO(Nombre, Tipo, Clase, Predeterminado, Nuevo) \
    RELIVO_SI_GUARDADA(Clase, tipos::Tipo::Valor Nombre = Predeterminado;)
    RELIVO_PROPIEDADES_SUPERFICIE(RELIVO_CAMPO)
#undef RELIVO_CAMPO
};

class SuperficieComun : public SuperficieDibujo {
public:
    // The Propia properties and Appearance, by hand.
    int16_t Appearance() const override { return 1; }
    Fuente Font() const override;
    void Font(const Fuente& valor) override;
    float ScaleHeight() const override { return escala_.scaleHeight; }
    void ScaleHeight(float valor) override;
    float ScaleLeft() const override { return escala_.scaleLeft; }
    void ScaleLeft(float valor) override;
    int16_t ScaleMode() const override { return escala_.scaleMode; }
    void ScaleMode(int16_t valor) override;
    float ScaleTop() const override { return escala_.scaleTop; }
    void ScaleTop(float valor) override;
    float ScaleWidth() const override { return escala_.scaleWidth; }
    void ScaleWidth(float valor) override;

    // The Simple and Cambio properties: the getter reads the record, the
    // setter stores the checked value (surface_base.cpp) and then calls
    // AlCambiarPropiedad.
    // clang-format off
#define RELIVO_ACCESORES(Nombre, Tipo, Clase, Predeterminado, Nuevo)               \
    RELIVO_SI_GUARDADA(Clase,                                                      \
        tipos::Tipo::Valor Nombre() const override { return p_.Nombre; }           \
        void Nombre(tipos::Tipo::Parametro v) override;)
    // clang-format on
    RELIVO_PROPIEDADES_SUPERFICIE(RELIVO_ACCESORES)
#undef RELIVO_ACCESORES

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
