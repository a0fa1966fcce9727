// Relivo: the surface-plot control.
//
// The host sets an expression in x and y (Funcion), the rectangle XMin..XMax
// by YMin..YMax, the number of interior grid lines, three rotation angles in
// degrees and either a fixed z range or automatic scaling, and calls
// Graficar. The control samples the surface through its own evaluator, and
// paints it as coloured quadrilaterals over three axes on its drawing
// surface PlanoInterno, in a fixed 45-degree oblique view. It reports
// progress (Status), failures (Error, whose Continuar the host may set to
// resume) and the end of a run (TerminoGraficacion) through the host's event
// delivery (identifiers: 1 Click, 2 DblClick, 3 KeyDown, 4 KeyPress, 5 KeyUp,
// 6 MouseDown, 7 MouseMove, 8 MouseUp, 9 Resize, 10 Error, 11 Status,
// 12 TerminoGraficacion).
//
// Failures. The control's own members never fail towards the caller: a
// failure is stored in NumeroError/Error and reported with Status
// ("Error: " + text, 0) and Error; with Continuar left true the member
// resumes at the statement after the failed one. Two kinds of call do fail
// by throwing relivo::Fallo, as a failed call of the component boundary:
//   - ZMax/ZMin set in design mode (the host's ambient UserMode false) while
//     AutoEscalaZ is true: 382, nothing stored, no event;
//   - the members forwarded to the drawing surface, when the surface refuses
//     (for example 380 for a value out of range), and ReadProperties when the
//     property bag or the surface fails.
//
// Single-threaded: every member runs on the host's user-interface thread.
// During Graficar the control yields to the host after every sample and every
// cell (platform Ceder); the host may then call any member, typically
// Cancelar. A Graficar that arrives while a run is in progress returns at once.
#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

#include "relivo/platform/colors.h"
#include "relivo/platform/error.h"
#include "relivo/platform/font.h"
#include "relivo/platform/host.h"
#include "relivo/platform/picture.h"
#include "relivo/platform/property_bag.h"
#include "relivo/platform/surface.h"

namespace relivo {

struct Control;

class Relivo {
public:
    // Creates the control, sited in `anfitrion` (which must outlive it), with
    // its drawing surface at the given outer size in device pixels. Fails only
    // when the surface cannot be created.
    explicit Relivo(Anfitrion& anfitrion, int32_t ancho = kAnchoInicialSuperficie,
                    int32_t alto = kAltoInicialSuperficie);
    // Creates the control on a drawing surface of the host's choosing (for
    // example one that wraps a platform surface); 5 when it is null.
    Relivo(Anfitrion& anfitrion, std::unique_ptr<SuperficieDibujo> superficie);
    ~Relivo();
    Relivo(const Relivo&) = delete;
    Relivo& operator=(const Relivo&) = delete;

    // ---- Plot parameters.
    // Rotation angles in degrees (held in radians).
    double AnguloX();
    void AnguloX(double grados);
    double AnguloY();
    void AnguloY(double grados);
    double AnguloZ();
    void AnguloZ(double grados);
    // Automatic z range from the samples.
    bool AutoEscalaZ();
    void AutoEscalaZ(bool valor);
    // The expression, read back as the evaluator displays it.
    std::string Funcion();
    void Funcion(std::string_view texto);
    // Interior grid lines along x and y (grid intervals = lines + 1).
    int16_t NumeroLineasX();
    void NumeroLineasX(int16_t lineas);
    int16_t NumeroLineasY();
    void NumeroLineasY(int16_t lineas);
    // The plotted rectangle; bounds in either order, never equal.
    double XMax();
    void XMax(double valor);
    double XMin();
    void XMin(double valor);
    double YMax();
    void YMax(double valor);
    double YMin();
    void YMin(double valor);
    // The z range (overwritten by sampling while AutoEscalaZ is on). The
    // setters throw Fallo 382 in design mode while AutoEscalaZ is on.
    double ZMax();
    void ZMax(double valor);
    double ZMin();
    void ZMin(double valor);

    // ---- Last error.
    int32_t NumeroError() const;
    std::string Error() const;

    // ---- The run.
    void Graficar();
    void Cancelar();
    // The finished picture (the same as Image).
    Imagen Grafica() const;

    // ---- Forwarded to the drawing surface: every property of
    // platform/surface_properties.h, with a setter unless it is read only.
    // Setters notify the host with the property's name; a refusal of the
    // surface is thrown to the caller.
#define RELIVO_DECLARAR_REENVIO(Nombre, Tipo, Clase, ...) \
    tipos::Tipo::Valor Nombre() const;                    \
    RELIVO_SI_SE_ASIGNA(Clase, void Nombre(tipos::Tipo::Parametro valor);)
    RELIVO_PROPIEDADES_SUPERFICIE(RELIVO_DECLARAR_REENVIO)
#undef RELIVO_DECLARAR_REENVIO

    void Circle_(float x, float y, float Radius, std::optional<ColorOle> Color = {},
                 std::optional<float> StartPos = {}, std::optional<float> EndPos = {},
                 std::optional<float> Aspect = {});
    void Cls();
    void Line_(float X1, float Y1, float X2, float Y2, std::optional<ColorOle> Color = {});
    void PaintPicture(const Imagen& Picture, float X1, float Y1, std::optional<float> Width1 = {},
                      std::optional<float> Height1 = {}, std::optional<float> X2 = {},
                      std::optional<float> Y2 = {}, std::optional<float> Width2 = {},
                      std::optional<float> Height2 = {}, std::optional<int32_t> Opcode = {});
    ColorOle Point(float x, float y);
    // The control's own pop-up menu, shown by the host.
    void PopupMenu(std::string_view Menu, std::optional<int16_t> Flags = {},
                   std::optional<float> x = {}, std::optional<float> y = {},
                   std::string_view DefaultMenu = {});
    void PSet_(float x, float y, std::optional<ColorOle> Color = {});
    void Refresh();
    float TextHeight(std::string_view Str);
    float TextWidth(std::string_view Str);

    // ---- Lifecycle.
    // The host resized the control: the surface, which fills the control's
    // inner area, takes that size (device pixels) as its outer size, its
    // border included; this raises Resize. Nothing is replotted.
    void Redimensionar(float ancho, float alto);
    // Saves the settings into the host's document / restores them from it.
    void WriteProperties(BolsaPropiedades& bolsa);
    void ReadProperties(const BolsaPropiedades& bolsa);

    // The drawing surface itself, for a host that feeds it window-system input.
    SuperficieDibujo& PlanoInterno();

private:
    std::unique_ptr<Control> c_;
};

}  // namespace relivo
