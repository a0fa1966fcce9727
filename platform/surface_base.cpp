#include "platform/surface_base.h"

#include "platform/surface_checks.h"

namespace relivo {

SuperficieComun::SuperficieComun() {
    // A new surface shows the default font description; a document without
    // these keys reads as no name and size 0 (see Predeterminado).
    const Fuente fuente;
    p_.FontName = fuente.Name;
    p_.FontSize = fuente.Size;
}

// The setters of the Simple and Cambio properties.
#define RELIVO_ASIGNAR(Nombre, Tipo, Clase, Predeterminado, Nuevo) \
    RELIVO_ASIGNAR_##Clase(Nombre, Tipo, Nuevo)
#define RELIVO_ASIGNAR_Simple(Nombre, Tipo, Nuevo)           \
    void SuperficieComun::Nombre(tipos::Tipo::Parametro v) { \
        p_.Nombre = Nuevo;                                   \
        AlCambiarPropiedad(PropiedadSuperficie::Nombre);     \
    }
#define RELIVO_ASIGNAR_Cambio(Nombre, Tipo, Nuevo)           \
    void SuperficieComun::Nombre(tipos::Tipo::Parametro v) { \
        const tipos::Tipo::Valor nuevo = Nuevo;              \
        if (nuevo == p_.Nombre) return;                      \
        p_.Nombre = nuevo;                                   \
        AlCambiarPropiedad(PropiedadSuperficie::Nombre);     \
    }
#define RELIVO_ASIGNAR_Propia(...)
#define RELIVO_ASIGNAR_Lectura(...)
RELIVO_PROPIEDADES_SUPERFICIE(RELIVO_ASIGNAR)
#undef RELIVO_ASIGNAR
#undef RELIVO_ASIGNAR_Simple
#undef RELIVO_ASIGNAR_Cambio
#undef RELIVO_ASIGNAR_Propia
#undef RELIVO_ASIGNAR_Lectura

// --- Font: the description that the Font... properties show in parts.

Fuente SuperficieComun::Font() const {
    return Fuente{.Name = p_.FontName,
                  .Size = p_.FontSize,
                  .Bold = p_.FontBold,
                  .Italic = p_.FontItalic,
                  .Underline = p_.FontUnderline,
                  .Strikethrough = p_.FontStrikethru};
}

void SuperficieComun::Font(const Fuente& valor) {
    const float tamano = TamanoDeFuente(valor.Size);
    p_.FontName = valor.Name;
    p_.FontSize = tamano;
    p_.FontBold = valor.Bold;
    p_.FontItalic = valor.Italic;
    p_.FontUnderline = valor.Underline;
    p_.FontStrikethru = valor.Strikethrough;
    AlCambiarPropiedad(PropiedadSuperficie::Font);
}

// --- Scale: the four scale properties switch to user mode; ScaleMode
// measures the interior.

void SuperficieComun::ScaleHeight(float valor) {
    FijarScaleHeight(escala_, valor);
    AlCambiarPropiedad(PropiedadSuperficie::ScaleHeight);
}

void SuperficieComun::ScaleLeft(float valor) {
    FijarScaleLeft(escala_, valor);
    AlCambiarPropiedad(PropiedadSuperficie::ScaleLeft);
}

void SuperficieComun::ScaleMode(int16_t valor) {
    FijarScaleMode(escala_, valor, AnchoInterior(), AltoInterior());
    AlCambiarPropiedad(PropiedadSuperficie::ScaleMode);
}

void SuperficieComun::ScaleTop(float valor) {
    FijarScaleTop(escala_, valor);
    AlCambiarPropiedad(PropiedadSuperficie::ScaleTop);
}

void SuperficieComun::ScaleWidth(float valor) {
    FijarScaleWidth(escala_, valor);
    AlCambiarPropiedad(PropiedadSuperficie::ScaleWidth);
}

}  // namespace relivo
