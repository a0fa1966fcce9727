// The drawing surface: a child window with a retained picture, on which a
// control draws and which the host sees through the control.
//
// Coordinates of the drawing methods and of the scale properties are in the
// surface's scale units (single precision): a point (x, y) is at device pixel
//     ((x - ScaleLeft) * interior width / ScaleWidth,
//      (y - ScaleTop) * interior height / ScaleHeight)
// of the interior (the area inside the border). ScaleMode picks the unit:
//     0 user (the four scale properties as set), 1 twips (15 per pixel),
//     2 points (3/4 per pixel), 3 pixels, 4 characters (8 x 16 pixels),
//     5 inches (96 pixels), 6 millimetres, 7 centimetres.
// Setting ScaleLeft, ScaleTop, ScaleWidth or ScaleHeight switches to user
// mode; setting a non-zero ScaleMode puts ScaleLeft/ScaleTop at 0 and
// recomputes ScaleWidth/ScaleHeight from the interior size, as does a resize
// in a non-zero mode (a user scale is kept across a resize).
//
// Width/Height are the outer size in device pixels, border included
// (BorderStyle 1 draws a 2-pixel 3-D border on each side, 0 none).
//
// AutoRedraw on: drawing (methods, Polygon through hDC, Cls) goes to the
// persistent picture `Image`, and the window shows it after Refresh (which
// only marks the changed area for showing). AutoRedraw off: drawing goes
// straight to the window and `Image` keeps what it had; Cls then shows the
// persistent picture again. Setting BackColor erases the picture and window.
//
// Failures raise Fallo: 380 "El valor de la propiedad no es válido" for a
// property value out of its enumeration or range (also a value that is not
// a colour); 5 for a method argument that is not valid (not a colour, a
// not-a-number or infinite coordinate, an arc angle beyond 2*pi, an unknown
// raster operation).
#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

#include "relivo/platform/colors.h"
#include "relivo/platform/font.h"
#include "relivo/platform/picture.h"
#include "relivo/platform/surface_properties.h"

namespace relivo {

// Listener of the surface's events. By-reference arguments may be changed by
// the listener; the surface uses the changed values afterwards.
class EventosSuperficie {
public:
    virtual ~EventosSuperficie() = default;
    virtual void Click() {}
    virtual void DblClick() {}
    virtual void KeyDown(int16_t& KeyCode, int16_t& Shift) { (void)KeyCode, (void)Shift; }
    virtual void KeyPress(int16_t& KeyAscii) { (void)KeyAscii; }
    virtual void KeyUp(int16_t& KeyCode, int16_t& Shift) { (void)KeyCode, (void)Shift; }
    virtual void MouseDown(int16_t& Button, int16_t& Shift, float& x, float& y) {
        (void)Button, (void)Shift, (void)x, (void)y;
    }
    virtual void MouseMove(int16_t& Button, int16_t& Shift, float& x, float& y) {
        (void)Button, (void)Shift, (void)x, (void)y;
    }
    virtual void MouseUp(int16_t& Button, int16_t& Shift, float& x, float& y) {
        (void)Button, (void)Shift, (void)x, (void)y;
    }
    virtual void Resize() {}
};

// How Line draws: a segment, the outline of a box, or a filled box.
enum class FormaLinea { Segmento, Caja, CajaRellena };

class SuperficieDibujo {
public:
    virtual ~SuperficieDibujo() = default;

    // The listener of the events (may be null; must outlive the surface).
    virtual void FijarEventos(EventosSuperficie* eventos) = 0;

    // --- Size (outer, device pixels). Setting raises Resize when it changes.
    virtual float Width() const = 0;
    virtual void Width(float pixeles) = 0;
    virtual float Height() const = 0;
    virtual void Height(float pixeles) = 0;

    // --- Properties: a getter for each property of surface_properties.h, and
    // a setter unless it is read only.
#define RELIVO_DECLARAR_PROPIEDAD(Nombre, Tipo, Clase, ...) \
    virtual tipos::Tipo::Valor Nombre() const = 0;          \
    RELIVO_SI_SE_ASIGNA(Clase, virtual void Nombre(tipos::Tipo::Parametro valor) = 0;)
    RELIVO_PROPIEDADES_SUPERFICIE(RELIVO_DECLARAR_PROPIEDAD)
#undef RELIVO_DECLARAR_PROPIEDAD

    // --- Methods. An absent colour means ForeColor.
    // Circle, ellipse (Aspect = vertical / horizontal radius; Radius is the
    // larger one, in horizontal units), arc from StartPos to EndPos radians
    // counter-clockwise (a negative angle also draws the radius to it: a pie,
    // filled with FillColor/FillStyle when both are negative). A full circle
    // is filled too. CurrentX/CurrentY go to the centre.
    virtual void Circle(float x, float y, float Radius, std::optional<ColorOle> Color = {},
                        std::optional<float> StartPos = {}, std::optional<float> EndPos = {},
                        std::optional<float> Aspect = {}) = 0;
    // Erases to BackColor (and the background picture); CurrentX/Y go to 0.
    virtual void Cls() = 0;
    // Line from (X1, Y1) to (X2, Y2), the end point excluded; CurrentX/Y go
    // to (X2, Y2). A filled box is filled with the line's colour.
    virtual void Line(float X1, float Y1, float X2, float Y2, std::optional<ColorOle> Color = {},
                      FormaLinea forma = FormaLinea::Segmento) = 0;
    // Copies (a part of) a picture: destination (X1, Y1) with size
    // Width1 x Height1 (default: the source's size), source (X2, Y2) with
    // size Width2 x Height2 (default: the whole picture), all in scale units;
    // a negative size mirrors. Opcode is a raster operation (default
    // 0x00CC0020, copy; also 0x00EE0086 or, 0x008800C6 and, 0x00660046 xor,
    // 0x00440328 erase, 0x00330008 not-copy, 0x001100A6 not-erase,
    // 0x00BB0226 merge-paint, 0x00550009 destination-invert, 0x00000042
    // blackness, 0x00FF0062 whiteness).
    virtual void PaintPicture(const Imagen& Picture, float X1, float Y1,
                              std::optional<float> Width1 = {}, std::optional<float> Height1 = {},
                              std::optional<float> X2 = {}, std::optional<float> Y2 = {},
                              std::optional<float> Width2 = {}, std::optional<float> Height2 = {},
                              std::optional<int32_t> Opcode = {}) = 0;
    // Colour of the pixel at (x, y) (from the persistent picture when
    // AutoRedraw is on, else from the window); -1 outside the surface.
    virtual ColorOle Point(float x, float y) = 0;
    // A point (a dot of DrawWidth pixels); CurrentX/Y go to it.
    virtual void PSet(float x, float y, std::optional<ColorOle> Color = {}) = 0;
    // Shows the persistent picture's changed area in the window.
    virtual void Refresh() = 0;
    // Size of a text in the current font, in scale units (lines split at
    // line breaks: height of all lines, width of the widest).
    virtual float TextHeight(std::string_view Str) = 0;
    virtual float TextWidth(std::string_view Str) = 0;

    // --- Input from the window system (a host or a test drives these).
    // A key: KeyDown, KeyPress (when KeyAscii is not 0), KeyUp. Returns the
    // character the surface takes after the handlers (0: suppressed).
    virtual int16_t Teclear(int16_t KeyCode, int16_t Shift, int16_t KeyAscii) = 0;
    // Mouse button pressed / moved / released at device pixel (px, py) of the
    // interior; the events carry scale units. Releasing a button that was
    // pressed on the surface also raises Click.
    virtual void PulsarRaton(int16_t Button, int16_t Shift, float px, float py) = 0;
    virtual void MoverRaton(int16_t Button, int16_t Shift, float px, float py) = 0;
    virtual void SoltarRaton(int16_t Button, int16_t Shift, float px, float py) = 0;
    virtual void DobleClic() = 0;
    // What the window shows now.
    virtual Imagen Pantalla() = 0;
};

// Outer size of a new surface: an interior of 4635 x 3435 twips.
inline constexpr int32_t kAnchoInicialSuperficie = 313;
inline constexpr int32_t kAltoInicialSuperficie = 233;

// Creates the platform's drawing surface with the given outer size in
// device pixels (raises 380 for a size that is negative or beyond 16384, 7
// for an area the platform cannot hold).
std::unique_ptr<SuperficieDibujo> CrearSuperficie(int32_t ancho = kAnchoInicialSuperficie,
                                                  int32_t alto = kAltoInicialSuperficie);

}  // namespace relivo
