// A drawing surface that wraps a real one and fails on its N-th call: every
// member counts as one call, and once armed the N-th one raises a Fallo
// instead of reaching the real surface. Polygon reaches the real surface
// through the handle that hDC (itself a counted call) gives.
#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <utility>

#include "platform/error.h"
#include "platform/surface.h"

namespace relivo::prueba {

class SuperficieConFallos : public SuperficieDibujo {
public:
    explicit SuperficieConFallos(std::unique_ptr<SuperficieDibujo> real) : s_(std::move(real)) {}

    // Counts from 0 again and fails on call `n` (0: never), with `fallo`.
    void Armar(uint64_t n, Fallo fallo = Fallo::Plataforma(errores::kMemoriaInsuficiente)) {
        llamadas_ = 0;
        fallar_en_ = n;
        fallo_ = std::move(fallo);
    }
    uint64_t Llamadas() const { return llamadas_; }

    void FijarEventos(EventosSuperficie* e) override { s_->FijarEventos(e); }

    float Width() const override { return C(), s_->Width(); }
    void Width(float v) override { C(), s_->Width(v); }
    float Height() const override { return C(), s_->Height(); }
    void Height(float v) override { C(), s_->Height(v); }
    int16_t Align() const override { return C(), s_->Align(); }
    void Align(int16_t v) override { C(), s_->Align(v); }
    int16_t Appearance() const override { return C(), s_->Appearance(); }
    bool AutoRedraw() const override { return C(), s_->AutoRedraw(); }
    void AutoRedraw(bool v) override { C(), s_->AutoRedraw(v); }
    ColorOle BackColor() const override { return C(), s_->BackColor(); }
    void BackColor(ColorOle v) override { C(), s_->BackColor(v); }
    int16_t BorderStyle() const override { return C(), s_->BorderStyle(); }
    void BorderStyle(int16_t v) override { C(), s_->BorderStyle(v); }
    float CurrentX() const override { return C(), s_->CurrentX(); }
    void CurrentX(float v) override { C(), s_->CurrentX(v); }
    float CurrentY() const override { return C(), s_->CurrentY(); }
    void CurrentY(float v) override { C(), s_->CurrentY(v); }
    int16_t DrawMode() const override { return C(), s_->DrawMode(); }
    void DrawMode(int16_t v) override { C(), s_->DrawMode(v); }
    int16_t DrawStyle() const override { return C(), s_->DrawStyle(); }
    void DrawStyle(int16_t v) override { C(), s_->DrawStyle(v); }
    int16_t DrawWidth() const override { return C(), s_->DrawWidth(); }
    void DrawWidth(int16_t v) override { C(), s_->DrawWidth(v); }
    bool Enabled() const override { return C(), s_->Enabled(); }
    void Enabled(bool v) override { C(), s_->Enabled(v); }
    ColorOle FillColor() const override { return C(), s_->FillColor(); }
    void FillColor(ColorOle v) override { C(), s_->FillColor(v); }
    int16_t FillStyle() const override { return C(), s_->FillStyle(); }
    void FillStyle(int16_t v) override { C(), s_->FillStyle(v); }
    Fuente Font() const override { return C(), s_->Font(); }
    void Font(const Fuente& v) override { C(), s_->Font(v); }
    bool FontBold() const override { return C(), s_->FontBold(); }
    void FontBold(bool v) override { C(), s_->FontBold(v); }
    bool FontItalic() const override { return C(), s_->FontItalic(); }
    void FontItalic(bool v) override { C(), s_->FontItalic(v); }
    std::string FontName() const override { return C(), s_->FontName(); }
    void FontName(std::string_view v) override { C(), s_->FontName(v); }
    float FontSize() const override { return C(), s_->FontSize(); }
    void FontSize(float v) override { C(), s_->FontSize(v); }
    bool FontStrikethru() const override { return C(), s_->FontStrikethru(); }
    void FontStrikethru(bool v) override { C(), s_->FontStrikethru(v); }
    bool FontTransparent() const override { return C(), s_->FontTransparent(); }
    void FontTransparent(bool v) override { C(), s_->FontTransparent(v); }
    bool FontUnderline() const override { return C(), s_->FontUnderline(); }
    void FontUnderline(bool v) override { C(), s_->FontUnderline(v); }
    ColorOle ForeColor() const override { return C(), s_->ForeColor(); }
    void ForeColor(ColorOle v) override { C(), s_->ForeColor(v); }
    int32_t hDC() const override { return C(), s_->hDC(); }
    int32_t hWnd() const override { return C(), s_->hWnd(); }
    Imagen Image() const override { return C(), s_->Image(); }
    Imagen MouseIcon() const override { return C(), s_->MouseIcon(); }
    void MouseIcon(const Imagen& v) override { C(), s_->MouseIcon(v); }
    int16_t MousePointer() const override { return C(), s_->MousePointer(); }
    void MousePointer(int16_t v) override { C(), s_->MousePointer(v); }
    Imagen Picture() const override { return C(), s_->Picture(); }
    void Picture(const Imagen& v) override { C(), s_->Picture(v); }
    float ScaleHeight() const override { return C(), s_->ScaleHeight(); }
    void ScaleHeight(float v) override { C(), s_->ScaleHeight(v); }
    float ScaleLeft() const override { return C(), s_->ScaleLeft(); }
    void ScaleLeft(float v) override { C(), s_->ScaleLeft(v); }
    int16_t ScaleMode() const override { return C(), s_->ScaleMode(); }
    void ScaleMode(int16_t v) override { C(), s_->ScaleMode(v); }
    float ScaleTop() const override { return C(), s_->ScaleTop(); }
    void ScaleTop(float v) override { C(), s_->ScaleTop(v); }
    float ScaleWidth() const override { return C(), s_->ScaleWidth(); }
    void ScaleWidth(float v) override { C(), s_->ScaleWidth(v); }
    std::string ToolTipText() const override { return C(), s_->ToolTipText(); }
    void ToolTipText(std::string_view v) override { C(), s_->ToolTipText(v); }
    int32_t WhatsThisHelpID() const override { return C(), s_->WhatsThisHelpID(); }
    void WhatsThisHelpID(int32_t v) override { C(), s_->WhatsThisHelpID(v); }

    void Circle(float x, float y, float Radius, std::optional<ColorOle> Color,
                std::optional<float> StartPos, std::optional<float> EndPos,
                std::optional<float> Aspect) override {
        C(), s_->Circle(x, y, Radius, Color, StartPos, EndPos, Aspect);
    }
    void Cls() override { C(), s_->Cls(); }
    void Line(float X1, float Y1, float X2, float Y2, std::optional<ColorOle> Color,
              FormaLinea forma) override {
        C(), s_->Line(X1, Y1, X2, Y2, Color, forma);
    }
    void PaintPicture(const Imagen& Picture, float X1, float Y1, std::optional<float> Width1,
                      std::optional<float> Height1, std::optional<float> X2,
                      std::optional<float> Y2, std::optional<float> Width2,
                      std::optional<float> Height2, std::optional<int32_t> Opcode) override {
        C(), s_->PaintPicture(Picture, X1, Y1, Width1, Height1, X2, Y2, Width2, Height2, Opcode);
    }
    ColorOle Point(float x, float y) override { return C(), s_->Point(x, y); }
    void PSet(float x, float y, std::optional<ColorOle> Color) override {
        C(), s_->PSet(x, y, Color);
    }
    void Refresh() override { C(), s_->Refresh(); }
    float TextHeight(std::string_view Str) override { return C(), s_->TextHeight(Str); }
    float TextWidth(std::string_view Str) override { return C(), s_->TextWidth(Str); }
    int16_t Teclear(int16_t KeyCode, int16_t Shift, int16_t KeyAscii) override {
        return C(), s_->Teclear(KeyCode, Shift, KeyAscii);
    }
    void PulsarRaton(int16_t b, int16_t s, float px, float py) override {
        C(), s_->PulsarRaton(b, s, px, py);
    }
    void MoverRaton(int16_t b, int16_t s, float px, float py) override {
        C(), s_->MoverRaton(b, s, px, py);
    }
    void SoltarRaton(int16_t b, int16_t s, float px, float py) override {
        C(), s_->SoltarRaton(b, s, px, py);
    }
    void DobleClic() override { C(), s_->DobleClic(); }
    Imagen Pantalla() override { return C(), s_->Pantalla(); }

private:
    // One call: fails when it is the armed one.
    int C() const {
        if (++llamadas_ == fallar_en_) throw fallo_;
        return 0;
    }

    std::unique_ptr<SuperficieDibujo> s_;
    mutable uint64_t llamadas_ = 0;
    uint64_t fallar_en_ = 0;
    Fallo fallo_ = Fallo::Plataforma(errores::kMemoriaInsuficiente);
};

}  // namespace relivo::prueba
