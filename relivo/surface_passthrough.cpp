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

namespace {

template <typename Asignar>
void Reenviar(Control& c, const char* nombre, Asignar&& asignar) {
    std::forward<Asignar>(asignar)(*c.PlanoInterno);
    c.anfitrion.PropertyChanged(nombre);
}

}  // namespace

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

int16_t Relivo::Align() const {
    return c_->PlanoInterno->Align();
}
void Relivo::Align(int16_t valor) {
    Reenviar(*c_, "Align", [&](SuperficieDibujo& s) { s.Align(valor); });
}
bool Relivo::AutoRedraw() const {
    return c_->PlanoInterno->AutoRedraw();
}
void Relivo::AutoRedraw(bool valor) {
    FijarAutoRedraw(*c_, valor);
}
ColorOle Relivo::BackColor() const {
    return c_->PlanoInterno->BackColor();
}
void Relivo::BackColor(ColorOle valor) {
    Reenviar(*c_, "BackColor", [&](SuperficieDibujo& s) { s.BackColor(valor); });
}
int16_t Relivo::BorderStyle() const {
    return c_->PlanoInterno->BorderStyle();
}
void Relivo::BorderStyle(int16_t valor) {
    Reenviar(*c_, "BorderStyle", [&](SuperficieDibujo& s) { s.BorderStyle(valor); });
}
float Relivo::CurrentX() const {
    return c_->PlanoInterno->CurrentX();
}
void Relivo::CurrentX(float valor) {
    Reenviar(*c_, "CurrentX", [&](SuperficieDibujo& s) { s.CurrentX(valor); });
}
float Relivo::CurrentY() const {
    return c_->PlanoInterno->CurrentY();
}
void Relivo::CurrentY(float valor) {
    Reenviar(*c_, "CurrentY", [&](SuperficieDibujo& s) { s.CurrentY(valor); });
}
int16_t Relivo::DrawMode() const {
    return c_->PlanoInterno->DrawMode();
}
void Relivo::DrawMode(int16_t valor) {
    Reenviar(*c_, "DrawMode", [&](SuperficieDibujo& s) { s.DrawMode(valor); });
}
int16_t Relivo::DrawStyle() const {
    return c_->PlanoInterno->DrawStyle();
}
void Relivo::DrawStyle(int16_t valor) {
    Reenviar(*c_, "DrawStyle", [&](SuperficieDibujo& s) { s.DrawStyle(valor); });
}
int16_t Relivo::DrawWidth() const {
    return c_->PlanoInterno->DrawWidth();
}
void Relivo::DrawWidth(int16_t valor) {
    Reenviar(*c_, "DrawWidth", [&](SuperficieDibujo& s) { s.DrawWidth(valor); });
}
bool Relivo::Enabled() const {
    return c_->PlanoInterno->Enabled();
}
void Relivo::Enabled(bool valor) {
    Reenviar(*c_, "Enabled", [&](SuperficieDibujo& s) { s.Enabled(valor); });
}
ColorOle Relivo::FillColor() const {
    return c_->PlanoInterno->FillColor();
}
void Relivo::FillColor(ColorOle valor) {
    FijarFillColor(*c_, valor);
}
int16_t Relivo::FillStyle() const {
    return c_->PlanoInterno->FillStyle();
}
void Relivo::FillStyle(int16_t valor) {
    FijarFillStyle(*c_, valor);
}
Fuente Relivo::Font() const {
    return c_->PlanoInterno->Font();
}
void Relivo::Font(const Fuente& valor) {
    Reenviar(*c_, "Font", [&](SuperficieDibujo& s) { s.Font(valor); });
}
bool Relivo::FontBold() const {
    return c_->PlanoInterno->FontBold();
}
void Relivo::FontBold(bool valor) {
    Reenviar(*c_, "FontBold", [&](SuperficieDibujo& s) { s.FontBold(valor); });
}
bool Relivo::FontItalic() const {
    return c_->PlanoInterno->FontItalic();
}
void Relivo::FontItalic(bool valor) {
    Reenviar(*c_, "FontItalic", [&](SuperficieDibujo& s) { s.FontItalic(valor); });
}
std::string Relivo::FontName() const {
    return c_->PlanoInterno->FontName();
}
void Relivo::FontName(std::string_view valor) {
    Reenviar(*c_, "FontName", [&](SuperficieDibujo& s) { s.FontName(valor); });
}
float Relivo::FontSize() const {
    return c_->PlanoInterno->FontSize();
}
void Relivo::FontSize(float valor) {
    Reenviar(*c_, "FontSize", [&](SuperficieDibujo& s) { s.FontSize(valor); });
}
bool Relivo::FontStrikethru() const {
    return c_->PlanoInterno->FontStrikethru();
}
void Relivo::FontStrikethru(bool valor) {
    Reenviar(*c_, "FontStrikethru", [&](SuperficieDibujo& s) { s.FontStrikethru(valor); });
}
bool Relivo::FontTransparent() const {
    return c_->PlanoInterno->FontTransparent();
}
void Relivo::FontTransparent(bool valor) {
    Reenviar(*c_, "FontTransparent", [&](SuperficieDibujo& s) { s.FontTransparent(valor); });
}
bool Relivo::FontUnderline() const {
    return c_->PlanoInterno->FontUnderline();
}
void Relivo::FontUnderline(bool valor) {
    Reenviar(*c_, "FontUnderline", [&](SuperficieDibujo& s) { s.FontUnderline(valor); });
}
ColorOle Relivo::ForeColor() const {
    return c_->PlanoInterno->ForeColor();
}
void Relivo::ForeColor(ColorOle valor) {
    FijarForeColor(*c_, valor);
}
Imagen Relivo::MouseIcon() const {
    return c_->PlanoInterno->MouseIcon();
}
void Relivo::MouseIcon(const Imagen& valor) {
    Reenviar(*c_, "MouseIcon", [&](SuperficieDibujo& s) { s.MouseIcon(valor); });
}
int16_t Relivo::MousePointer() const {
    return c_->PlanoInterno->MousePointer();
}
void Relivo::MousePointer(int16_t valor) {
    Reenviar(*c_, "MousePointer", [&](SuperficieDibujo& s) { s.MousePointer(valor); });
}
Imagen Relivo::Picture() const {
    return c_->PlanoInterno->Picture();
}
void Relivo::Picture(const Imagen& valor) {
    Reenviar(*c_, "Picture", [&](SuperficieDibujo& s) { s.Picture(valor); });
}
float Relivo::ScaleHeight() const {
    return c_->PlanoInterno->ScaleHeight();
}
void Relivo::ScaleHeight(float valor) {
    Reenviar(*c_, "ScaleHeight", [&](SuperficieDibujo& s) { s.ScaleHeight(valor); });
}
float Relivo::ScaleLeft() const {
    return c_->PlanoInterno->ScaleLeft();
}
void Relivo::ScaleLeft(float valor) {
    Reenviar(*c_, "ScaleLeft", [&](SuperficieDibujo& s) { s.ScaleLeft(valor); });
}
int16_t Relivo::ScaleMode() const {
    return c_->PlanoInterno->ScaleMode();
}
void Relivo::ScaleMode(int16_t valor) {
    Reenviar(*c_, "ScaleMode", [&](SuperficieDibujo& s) { s.ScaleMode(valor); });
}
float Relivo::ScaleTop() const {
    return c_->PlanoInterno->ScaleTop();
}
void Relivo::ScaleTop(float valor) {
    Reenviar(*c_, "ScaleTop", [&](SuperficieDibujo& s) { s.ScaleTop(valor); });
}
float Relivo::ScaleWidth() const {
    return c_->PlanoInterno->ScaleWidth();
}
void Relivo::ScaleWidth(float valor) {
    Reenviar(*c_, "ScaleWidth", [&](SuperficieDibujo& s) { s.ScaleWidth(valor); });
}
std::string Relivo::ToolTipText() const {
    return c_->PlanoInterno->ToolTipText();
}
void Relivo::ToolTipText(std::string_view valor) {
    Reenviar(*c_, "ToolTipText", [&](SuperficieDibujo& s) { s.ToolTipText(valor); });
}
int32_t Relivo::WhatsThisHelpID() const {
    return c_->PlanoInterno->WhatsThisHelpID();
}
void Relivo::WhatsThisHelpID(int32_t valor) {
    Reenviar(*c_, "WhatsThisHelpID", [&](SuperficieDibujo& s) { s.WhatsThisHelpID(valor); });
}
int16_t Relivo::Appearance() const {
    return c_->PlanoInterno->Appearance();
}
int32_t Relivo::hDC() const {
    return c_->PlanoInterno->hDC();
}
int32_t Relivo::hWnd() const {
    return c_->PlanoInterno->hWnd();
}
Imagen Relivo::Image() const {
    return c_->PlanoInterno->Image();
}

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
