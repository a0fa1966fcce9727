// Saving and restoring Relivo's settings in the host's property bag: the
// drawing surface's settings first, then the plot parameters. The keys are
// the property names, written and read in a fixed order.
#include "relivo/control.h"
#include "relivo/platform/colors.h"
#include "relivo/relivo.h"

namespace relivo {

namespace {

// The default of a key in the document, of the property's type.
template <typename Tipo>
VarianteHost EnDocumento(const Control&, typename Tipo::Valor predeterminado) {
    return predeterminado;
}
template <typename Tipo>
VarianteHost EnDocumento(const Control& c, FuenteDelAnfitrion) {
    return c.anfitrion.Font();
}

}  // namespace

// The surface's settings are the properties of platform/surface_properties.h
// that can be set, in the list's order. Objects (the font and the pictures)
// are restored through the control's own properties, which also tell the
// host that they changed; the others go straight to the surface.

void Relivo::WriteProperties(BolsaPropiedades& bolsa) {
    const SuperficieDibujo& s = *c_->PlanoInterno;
    const EstadoRelivo& e = c_->e;
#define RELIVO_ESCRIBIR(Nombre, Tipo, Clase, Predeterminado, Nuevo) \
    RELIVO_SI_SE_ASIGNA(Clase, bolsa.Escribir(#Nombre, s.Nombre(),  \
                                              EnDocumento<tipos::Tipo>(*c_, Predeterminado));)
    RELIVO_PROPIEDADES_SUPERFICIE(RELIVO_ESCRIBIR)
#undef RELIVO_ESCRIBIR

    bolsa.Escribir("Funcion", c_->Func.Funcion());
    bolsa.Escribir("XMin", e.XMin);
    bolsa.Escribir("XMax", e.XMax);
    bolsa.Escribir("YMin", e.YMin);
    bolsa.Escribir("YMax", e.YMax);
    if (!e.AutoEscalaZ) {
        bolsa.Escribir("ZMin", e.ZMin);
        bolsa.Escribir("ZMax", e.ZMax);
    }
    bolsa.Escribir("AutoEscalaZ", e.AutoEscalaZ);
    bolsa.Escribir("AnguloX", AnguloX());
    bolsa.Escribir("AnguloY", AnguloY());
    bolsa.Escribir("AnguloZ", AnguloZ());
    bolsa.Escribir("NumeroLineasX", e.IntervalosX - 1);
    bolsa.Escribir("NumeroLineasY", e.IntervalosY - 1);
}

void Relivo::ReadProperties(const BolsaPropiedades& bolsa) {
    SuperficieDibujo& s = *c_->PlanoInterno;
#define RELIVO_LEER(Nombre, Tipo, Clase, Predeterminado, Nuevo)                               \
    RELIVO_SI_SE_ASIGNA(Clase, {                                                              \
        const auto valor = bolsa.Leer(#Nombre, EnDocumento<tipos::Tipo>(*c_, Predeterminado)) \
                               .Como<tipos::Tipo::Valor>();                                   \
        if constexpr (tipos::Tipo::kObjeto) {                                                 \
            Nombre(valor);                                                                    \
        } else {                                                                              \
            s.Nombre(valor);                                                                  \
        }                                                                                     \
    })
    RELIVO_PROPIEDADES_SUPERFICIE(RELIVO_LEER)
#undef RELIVO_LEER

    // The expression goes straight to the evaluator: no flag, no report.
    c_->Func.Funcion(bolsa.Leer("Funcion").ATexto());
    XMax(bolsa.Leer("XMax").ADoble());
    XMin(bolsa.Leer("XMin").ADoble());
    YMax(bolsa.Leer("YMax").ADoble());
    YMin(bolsa.Leer("YMin").ADoble());
    AutoEscalaZ(bolsa.Leer("AutoEscalaZ").ABooleano());
    if (!c_->e.AutoEscalaZ) {
        ZMax(bolsa.Leer("ZMax").ADoble());
        ZMin(bolsa.Leer("ZMin").ADoble());
    }
    AnguloX(bolsa.Leer("AnguloX").ADoble());
    AnguloY(bolsa.Leer("AnguloY").ADoble());
    AnguloZ(bolsa.Leer("AnguloZ").ADoble());
    NumeroLineasX(bolsa.Leer("NumeroLineasX").AEntero16());
    NumeroLineasY(bolsa.Leer("NumeroLineasY").AEntero16());
}

}  // namespace relivo
