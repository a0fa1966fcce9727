// The properties of the drawing surface, once. Each line of
// RELIVO_PROPIEDADES_SUPERFICIE names one property and says how it is kept;
// from the list come the surface interface (surface.h), the shared base of
// the platform surfaces with its property record (surface_base.h), the
// control's forwarding (relivo/relivo.h, relivo/surface_passthrough.cpp),
// the keys and defaults of the document (relivo/persistence.cpp), the
// component's dispatch (component/relivo_object.cpp) and the test doubles.
//
// The columns:
//   Nombre          the property's name: also the control's property, the
//                   document's key and the text of the host's notification.
//   Tipo            its value type, one of `tipos` below.
//   Clase           Simple: the shared base keeps it in the field of the
//                     same name of its record, and its setter stores Nuevo
//                     and then tells the platform (AlCambiarPropiedad).
//                   Cambio: as Simple, but setting the value it already has
//                     does nothing.
//                   Propia: read/write, with accessors written by hand in
//                     the shared base (surface_base.cpp).
//                   Lectura: read only, with a getter written by hand (in
//                     the shared base or the platform's surface); not saved.
//   Predeterminado  the default of the key in the document (read for a key
//                   that is absent, and which the bag may leave out), and for
//                   Simple and Cambio also the value of a new surface (except
//                   FontName and FontSize: a new surface has the default font
//                   description, see surface_base.cpp).
//   Nuevo           for Simple and Cambio, the value the setter stores when it
//                   is given `v`; it raises 380 ("El valor de la propiedad no
//                   es válido") for a `v` that is not valid (surface_checks.h).
// The lines are in alphabetical order, which is also the order in which the
// settable properties are saved in the document and restored from it.
//
// To add a property: add its line here and its entry in the type library
// (component/Carvex.idl). A Simple property needs nothing else, unless the
// platform must act when it changes: then also a case in the platforms'
// AlCambiarPropiedad. A Propia or Lectura property also needs its
// hand-written accessors.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "relivo/platform/colors.h"
#include "relivo/platform/font.h"
#include "relivo/platform/picture.h"

namespace relivo {

// The value types of the properties: the type the getter returns (Valor) and
// the one the setter takes (Parametro). An object (a font or a picture) is
// handed over by reference by the host.
namespace tipos {
struct Entero16 {
    using Valor = int16_t;
    using Parametro = int16_t;
    static constexpr bool kObjeto = false;
};
struct Entero32 {
    using Valor = int32_t;
    using Parametro = int32_t;
    static constexpr bool kObjeto = false;
};
struct Booleano {
    using Valor = bool;
    using Parametro = bool;
    static constexpr bool kObjeto = false;
};
struct Color {
    using Valor = ColorOle;
    using Parametro = ColorOle;
    static constexpr bool kObjeto = false;
};
struct Sencillo {
    using Valor = float;
    using Parametro = float;
    static constexpr bool kObjeto = false;
};
struct Texto {
    using Valor = std::string;
    using Parametro = std::string_view;
    static constexpr bool kObjeto = false;
};
struct Fuente {
    using Valor = relivo::Fuente;
    using Parametro = const relivo::Fuente&;
    static constexpr bool kObjeto = true;
};
struct Imagen {
    using Valor = relivo::Imagen;
    using Parametro = const relivo::Imagen&;
    static constexpr bool kObjeto = true;
};
}  // namespace tipos

// The default of Font in the document: the host's ambient font, which the
// control asks the host for.
struct FuenteDelAnfitrion {};

}  // namespace relivo

// clang-format off
#define RELIVO_PROPIEDADES_SUPERFICIE(X) \
    /*Nombre           Tipo      Clase    Predeterminado        Nuevo */ \
    /* 0 none, 1 top, 2 bottom, 3 left, 4 right. */ \
    X(Align,           Entero16, Simple,  0,                    EnRango(v, 0, 4)) \
    /* 1: 3-D. */ \
    X(Appearance,      Entero16, Lectura, -,                    -) \
    X(AutoRedraw,      Booleano, Simple,  false,                v) \
    /* Setting it erases the picture and the window. */ \
    X(BackColor,       Color,    Simple,  colores_sistema::kCaraBoton, ColorDePropiedad(v)) \
    /* 0 none, 1 fixed single. */ \
    X(BorderStyle,     Entero16, Cambio,  1,                    EnRango(v, 0, 1)) \
    X(CurrentX,        Sencillo, Simple,  0,                    v) \
    X(CurrentY,        Sencillo, Simple,  0,                    v) \
    /* 1 blackness, 2 not merge pen, 3 mask not pen, 4 not copy pen, 5 mask pen not, */ \
    /* 6 invert, 7 xor pen, 8 not mask pen, 9 mask pen, 10 not xor pen, 11 nop, */ \
    /* 12 merge not pen, 13 copy pen, 14 merge pen not, 15 merge pen, 16 whiteness. */ \
    X(DrawMode,        Entero16, Simple,  13,                   EnRango(v, 1, 16)) \
    /* 0 solid, 1 dash, 2 dot, 3 dash-dot, 4 dash-dot-dot, 5 transparent, */ \
    /* 6 inside solid (dash styles draw solid when DrawWidth > 1). */ \
    X(DrawStyle,       Entero16, Simple,  0,                    EnRango(v, 0, 6)) \
    /* Pixels. */ \
    X(DrawWidth,       Entero16, Simple,  1,                    EnRango(v, 1, 32767)) \
    /* Off: no keyboard or mouse events. */ \
    X(Enabled,         Booleano, Simple,  true,                 v) \
    X(FillColor,       Color,    Simple,  0,                    ColorDePropiedad(v)) \
    /* 0 solid, 1 transparent, 2 horizontal lines, 3 vertical lines, */ \
    /* 4 upward diagonal, 5 downward diagonal, 6 cross, 7 diagonal cross. */ \
    X(FillStyle,       Entero16, Simple,  1,                    EnRango(v, 0, 7)) \
    /* The font description that FontName ... FontUnderline show in parts. */ \
    X(Font,            Fuente,   Propia,  FuenteDelAnfitrion{}, -) \
    X(FontBold,        Booleano, Simple,  false,                v) \
    X(FontItalic,      Booleano, Simple,  false,                v) \
    X(FontName,        Texto,    Simple,  "",                   v) \
    /* Points; a value set is kept within 1..2048. */ \
    X(FontSize,        Sencillo, Simple,  0,                    TamanoDeFuente(v)) \
    X(FontStrikethru,  Booleano, Simple,  false,                v) \
    X(FontTransparent, Booleano, Simple,  true,                 v) \
    X(FontUnderline,   Booleano, Simple,  false,                v) \
    X(ForeColor,       Color,    Simple,  colores_sistema::kTextoBoton, ColorDePropiedad(v)) \
    /* Opaque handles: the device context (for Polygon) and the window. */ \
    X(hDC,             Entero32, Lectura, -,                    -) \
    X(hWnd,            Entero32, Lectura, -,                    -) \
    /* The persistent picture (a copy). */ \
    X(Image,           Imagen,   Lectura, -,                    -) \
    X(MouseIcon,       Imagen,   Simple,  Imagen(),             ImagenDePropiedad(v)) \
    /* 0..15, or 99: MouseIcon. */ \
    X(MousePointer,    Entero16, Simple,  0,                    v == 99 ? v : EnRango(v, 0, 15)) \
    /* The background picture, drawn at the top-left corner by Cls; setting it */ \
    /* erases the picture and the window. */ \
    X(Picture,         Imagen,   Simple,  Imagen(),             ImagenDePropiedad(v)) \
    /* The scale (see surface.h); ScaleWidth and ScaleHeight are never 0. */ \
    X(ScaleHeight,     Sencillo, Propia,  3435,                 -) \
    X(ScaleLeft,       Sencillo, Propia,  0,                    -) \
    X(ScaleMode,       Entero16, Propia,  1,                    -) \
    X(ScaleTop,        Sencillo, Propia,  0,                    -) \
    X(ScaleWidth,      Sencillo, Propia,  4635,                 -) \
    X(ToolTipText,     Texto,    Simple,  "",                   v) \
    X(WhatsThisHelpID, Entero32, Simple,  0,                    v)
// clang-format on

// RELIVO_SI_SE_ASIGNA(Clase, codigo...): the code for a property that can be
// set, nothing for a read-only one.
#define RELIVO_SI_SE_ASIGNA(Clase, ...) RELIVO_SI_SE_ASIGNA_##Clase(__VA_ARGS__)
#define RELIVO_SI_SE_ASIGNA_Simple(...) __VA_ARGS__
#define RELIVO_SI_SE_ASIGNA_Cambio(...) __VA_ARGS__
#define RELIVO_SI_SE_ASIGNA_Propia(...) __VA_ARGS__
#define RELIVO_SI_SE_ASIGNA_Lectura(...)
