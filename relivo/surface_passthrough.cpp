// The members and events that Relivo passes through to its drawing surface
// PlanoInterno, and the control's lifecycle: creation and resizing.
//
// A forwarded setter assigns the surface's property and then tells the host
// that the control's property of the same name changed. Forwarded members do
// not use the error report: a refusal of the surface goes to the caller.
#include <utility>

#include "relivo/control.h"
#include "relivo/relivo.h"

namespace relivo {

Relivo::Relivo(Anfitrion& anfitrion, int32_t ancho, int32_t alto)
    : c_(std::make_unique<Control>(anfitrion, ancho, alto)) {}

Relivo::Relivo(Anfitrion& anfitrion, std::unique_ptr<SuperficieDibujo> superficie)
    : c_(std::make_unique<Control>(anfitrion, std::move(superficie))) {}

Relivo::~Relivo() = default;

SuperficieDibujo& Relivo::PlanoInterno() {
    return *c_->PlanoInterno;
}

void Relivo::Redimensionar(float ancho, float alto) {
    c_->PlanoInterno->Width(ancho);
    c_->PlanoInterno->Height(alto);
}

Imagen Relivo::Grafica() const {
    return c_->PlanoInterno->Image();
}

// The forwarded properties: a getter and (unless read only) a setter for
// each line of platform/surface_properties.h.
// clang-format off
#define RELIVO_REENVIAR(Nombre, Tipo, Clase, ...)                                   \
    tipos::Tipo::Valor Relivo::Nombre() const { return c_->PlanoInterno->Nombre(); } \
    RELIVO_SI_SE_ASIGNA(Clase,                                                      \
        void Relivo::Nombre(tipos::Tipo::Parametro valor) {                         \
            c_->PlanoInterno->Nombre(valor);                                        \
            c_->anfitrion.PropertyChanged(#Nombre);                                 \
        })
// clang-format on
RELIVO_PROPIEDADES_SUPERFICIE(RELIVO_REENVIAR)
#undef RELIVO_REENVIAR

void Relivo::Circle_(float x, float y, float Radius, std::optional<ColorOle> Color,
                     std::optional<float> StartPos, std::optional<float> EndPos,
                     std::optional<float> Aspect) {
    c_->PlanoInterno->Circle(x, y, Radius, Color, StartPos, EndPos, Aspect);
}

void Relivo::Cls() {
    c_->PlanoInterno->Cls();
}

void Relivo::Line_(float X1, float Y1, float X2, float Y2, std::optional<ColorOle> Color) {
    c_->PlanoInterno->Line(X1, Y1, X2, Y2, Color);
}

void Relivo::PaintPicture(const Imagen& Picture, float X1, float Y1, std::optional<float> Width1,
                          std::optional<float> Height1, std::optional<float> X2,
                          std::optional<float> Y2, std::optional<float> Width2,
                          std::optional<float> Height2, std::optional<int32_t> Opcode) {
    c_->PlanoInterno->PaintPicture(Picture, X1, Y1, Width1, Height1, X2, Y2, Width2, Height2,
                                   Opcode);
}

ColorOle Relivo::Point(float x, float y) {
    return c_->PlanoInterno->Point(x, y);
}

void Relivo::PopupMenu(std::string_view Menu, std::optional<int16_t> Flags, std::optional<float> x,
                       std::optional<float> y, std::string_view DefaultMenu) {
    c_->anfitrion.PopupMenu(Menu, Flags, x, y, DefaultMenu);
}

void Relivo::PSet_(float x, float y, std::optional<ColorOle> Color) {
    c_->PlanoInterno->PSet(x, y, Color);
}

void Relivo::Refresh() {
    c_->PlanoInterno->Refresh();
}
float Relivo::TextHeight(std::string_view Str) {
    return c_->PlanoInterno->TextHeight(Str);
}
float Relivo::TextWidth(std::string_view Str) {
    return c_->PlanoInterno->TextWidth(Str);
}

}  // namespace relivo
