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

#include "relivo/platform/error.h"
#include "relivo/platform/surface.h"

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
    // The properties (platform/surface_properties.h).
    // clang-format off
#define RELIVO_CONTAR_PROPIEDAD(Nombre, Tipo, Clase, ...)                       \
    tipos::Tipo::Valor Nombre() const override { return C(), s_->Nombre(); }   \
    RELIVO_SI_SE_ASIGNA(Clase,                                                 \
        void Nombre(tipos::Tipo::Parametro v) override { C(), s_->Nombre(v); })
    // clang-format on
    RELIVO_PROPIEDADES_SUPERFICIE(RELIVO_CONTAR_PROPIEDAD)
#undef RELIVO_CONTAR_PROPIEDAD

    void Circle(float x, float y, float Radius, std::optional<ColorOle> Color,
                std::optional<float> StartPos, std::optional<float> EndPos,
                std::optional<float> Aspect) override {
        C(), s_->Circle(x, y, Radius, Color, StartPos, EndPos, Aspect);
    }
    void Cls() override {
        C(), s_->Cls();
    }
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
    ColorOle Point(float x, float y) override {
        return C(), s_->Point(x, y);
    }
    void PSet(float x, float y, std::optional<ColorOle> Color) override {
        C(), s_->PSet(x, y, Color);
    }
    void Refresh() override {
        C(), s_->Refresh();
    }
    float TextHeight(std::string_view Str) override {
        return C(), s_->TextHeight(Str);
    }
    float TextWidth(std::string_view Str) override {
        return C(), s_->TextWidth(Str);
    }
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
    void DobleClic() override {
        C(), s_->DobleClic();
    }
    Imagen Pantalla() override {
        return C(), s_->Pantalla();
    }

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
