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

    // Counts from 0 again and fails on call `n` (0: never) with error 7.
    void Armar(uint64_t n) {
        llamadas_ = 0;
        fallar_en_ = n;
    }
    uint64_t Llamadas() const { return llamadas_; }

    void FijarEventos(EventosSuperficie* e) override { s_->FijarEventos(e); }

    // Each member: one call, then the real surface's member.
    // clang-format off
#define RELIVO_CONTAR(Tipo, Nombre, Parametros, Argumentos) \
    Tipo Nombre Parametros override { return C(), s_->Nombre Argumentos; }
#define RELIVO_CONTAR_PROPIEDAD(Nombre, Tipo, Clase, ...)                       \
    RELIVO_CONTAR(tipos::Tipo::Valor, Nombre, () const, ())                     \
    RELIVO_SI_SE_ASIGNA(Clase, RELIVO_CONTAR(void, Nombre, (tipos::Tipo::Parametro v), (v)))
    RELIVO_PROPIEDADES_SUPERFICIE(RELIVO_CONTAR_PROPIEDAD)
    RELIVO_CONTAR(float, Width, () const, ())
    RELIVO_CONTAR(void, Width, (float v), (v))
    RELIVO_CONTAR(float, Height, () const, ())
    RELIVO_CONTAR(void, Height, (float v), (v))
    RELIVO_CONTAR(void, Circle, (float x, float y, float r, std::optional<ColorOle> c,
        std::optional<float> a, std::optional<float> b, std::optional<float> k), (x, y, r, c, a, b, k))
    RELIVO_CONTAR(void, Cls, (), ())
    RELIVO_CONTAR(void, Line, (float x1, float y1, float x2, float y2, std::optional<ColorOle> c,
        FormaLinea f), (x1, y1, x2, y2, c, f))
    RELIVO_CONTAR(void, PaintPicture, (const Imagen& p, float x1, float y1, std::optional<float> w1,
        std::optional<float> h1, std::optional<float> x2, std::optional<float> y2,
        std::optional<float> w2, std::optional<float> h2, std::optional<int32_t> o),
        (p, x1, y1, w1, h1, x2, y2, w2, h2, o))
    RELIVO_CONTAR(ColorOle, Point, (float x, float y), (x, y))
    RELIVO_CONTAR(void, PSet, (float x, float y, std::optional<ColorOle> c), (x, y, c))
    RELIVO_CONTAR(void, Refresh, (), ())
    RELIVO_CONTAR(float, TextHeight, (std::string_view t), (t))
    RELIVO_CONTAR(float, TextWidth, (std::string_view t), (t))
    RELIVO_CONTAR(int16_t, Teclear, (int16_t k, int16_t s, int16_t a), (k, s, a))
    RELIVO_CONTAR(void, PulsarRaton, (int16_t b, int16_t s, float x, float y), (b, s, x, y))
    RELIVO_CONTAR(void, MoverRaton, (int16_t b, int16_t s, float x, float y), (b, s, x, y))
    RELIVO_CONTAR(void, SoltarRaton, (int16_t b, int16_t s, float x, float y), (b, s, x, y))
    RELIVO_CONTAR(void, DobleClic, (), ())
    RELIVO_CONTAR(Imagen, Pantalla, (), ())
#undef RELIVO_CONTAR_PROPIEDAD
#undef RELIVO_CONTAR
    // clang-format on

private:
    // One call: fails when it is the armed one.
    int C() const {
        if (++llamadas_ == fallar_en_) throw Fallo::Plataforma(errores::kMemoriaInsuficiente);
        return 0;
    }

    std::unique_ptr<SuperficieDibujo> s_;
    mutable uint64_t llamadas_ = 0;
    uint64_t fallar_en_ = 0;
};

}  // namespace relivo::prueba
