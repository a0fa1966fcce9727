// The Linux raster surface: creation, size, properties, scale and input.
// The drawing methods are in raster_drawing.cpp.
#include "platform/linux/raster_surface.h"

#include <cmath>

#include "platform/error.h"
#include "platform/linux/device_registry.h"
#include "platform/png.h"

namespace relivo {

namespace {

[[noreturn]] void ValorNoValido() {
    throw Fallo::Plataforma(errores::kValorPropiedad);
}

void Exigir(bool condicion) {
    if (!condicion) ValorNoValido();
}

ColorOle ColorDePropiedad(ColorOle valor) {
    Exigir(ResolverColor(valor).has_value());
    return valor;
}

void ExigirImagen(const Imagen& imagen) {
    if (imagen.Ancho <= 0 || imagen.Alto <= 0) {
        Exigir(imagen.Pixeles.empty());
        return;
    }
    Exigir(static_cast<size_t>(imagen.Ancho) * static_cast<size_t>(imagen.Alto) ==
           imagen.Pixeles.size());
}

float TamanoDeFuente(float puntos) {
    Exigir(std::isfinite(puntos));
    return std::fmin(std::fmax(puntos, 1.0f), 2048.0f);
}

// Units per device pixel of the scale modes 1..7, horizontally and vertically.
constexpr double kUnidadesX[8] = {0, 15, 0.75, 1, 1.0 / 8, 1.0 / 96, 25.4 / 96, 2.54 / 96};
constexpr double kUnidadesY[8] = {0, 15, 0.75, 1, 1.0 / 16, 1.0 / 96, 25.4 / 96, 2.54 / 96};

int32_t PixelesDeTamano(float pixeles) {
    Exigir(std::isfinite(pixeles) && pixeles >= 0 && pixeles <= kLadoMaximoImagen);
    return static_cast<int32_t>(std::nearbyint(pixeles));
}

}  // namespace

std::unique_ptr<SuperficieDibujo> CrearSuperficie(int32_t ancho, int32_t alto) {
    return std::make_unique<SuperficieRaster>(ancho, alto);
}

SuperficieRaster::SuperficieRaster(int32_t ancho, int32_t alto) {
    Exigir(ancho >= 0 && alto >= 0 && ancho <= kLadoMaximoImagen && alto <= kLadoMaximoImagen);
    FijarTamano(ancho, alto);
    e_.hdc = RegistrarHandle(this);
    e_.hwnd = RegistrarHandle(this);
}

SuperficieRaster::~SuperficieRaster() {
    BorrarHandle(e_.hdc);
    BorrarHandle(e_.hwnd);
}

// --- Size.

void SuperficieRaster::Width(float pixeles) {
    CambiarTamano(PixelesDeTamano(pixeles), e_.alto);
}

void SuperficieRaster::Height(float pixeles) {
    CambiarTamano(e_.ancho, PixelesDeTamano(pixeles));
}

void SuperficieRaster::CambiarTamano(int32_t ancho, int32_t alto) {
    if (ancho == e_.ancho && alto == e_.alto) return;
    FijarTamano(ancho, alto);
    RaiseResize();
}

void SuperficieRaster::FijarTamano(int32_t ancho, int32_t alto) {
    const int32_t b = Borde();
    const int32_t ai = std::max(0, ancho - 2 * b), hi = std::max(0, alto - 2 * b);
    if (static_cast<int64_t>(ai) * hi > kAreaMaximaImagen) {
        throw Fallo::Plataforma(errores::kMemoriaInsuficiente);
    }
    Imagen nueva(ai, hi, *ResolverColor(e_.backColor));
    const Imagen& vieja = e_.persistente;
    const int32_t cw = std::min(ai, vieja.Ancho), ch = std::min(hi, vieja.Alto);
    for (int32_t y = 0; y < ch; ++y) {
        std::copy_n(vieja.Fila(y), cw, nueva.Fila(y));
    }
    const bool primera = vieja.Pixeles.empty() && e_.ancho == 0 && e_.alto == 0;
    e_.ancho = ancho;
    e_.alto = alto;
    e_.persistente = std::move(nueva);
    if (primera) Borrar();
    e_.ventana = e_.persistente;
    e_.cambiado = {};
    e_.porMostrar = {};
    e_.marcas = {};
    RecalcularEscala();
}

void SuperficieRaster::RaiseResize() {
    if (e_.eventos) e_.eventos->Resize();
}

// --- Properties.

void SuperficieRaster::Align(int16_t valor) {
    Exigir(valor >= 0 && valor <= 4);
    e_.align = valor;
}

void SuperficieRaster::BackColor(ColorOle valor) {
    e_.backColor = ColorDePropiedad(valor);
    Borrar();
    e_.ventana = e_.persistente;
    e_.cambiado = {};
    e_.porMostrar = {};
}

void SuperficieRaster::BorderStyle(int16_t valor) {
    Exigir(valor == 0 || valor == 1);
    if (valor == e_.borderStyle) return;
    e_.borderStyle = valor;
    FijarTamano(e_.ancho, e_.alto);
}

void SuperficieRaster::DrawMode(int16_t valor) {
    Exigir(valor >= 1 && valor <= 16);
    e_.drawMode = valor;
}

void SuperficieRaster::DrawStyle(int16_t valor) {
    Exigir(valor >= 0 && valor <= 6);
    e_.drawStyle = valor;
}

void SuperficieRaster::DrawWidth(int16_t valor) {
    Exigir(valor >= 1);
    e_.drawWidth = valor;
}

void SuperficieRaster::FillColor(ColorOle valor) {
    e_.fillColor = ColorDePropiedad(valor);
}

void SuperficieRaster::FillStyle(int16_t valor) {
    Exigir(valor >= 0 && valor <= 7);
    e_.fillStyle = valor;
}

void SuperficieRaster::Font(const Fuente& valor) {
    Fuente f = valor;
    f.Size = TamanoDeFuente(valor.Size);
    e_.fuente = std::move(f);
}

void SuperficieRaster::FontSize(float valor) {
    e_.fuente.Size = TamanoDeFuente(valor);
}

void SuperficieRaster::ForeColor(ColorOle valor) {
    e_.foreColor = ColorDePropiedad(valor);
}

void SuperficieRaster::MouseIcon(const Imagen& valor) {
    ExigirImagen(valor);
    e_.mouseIcon = valor;
}

void SuperficieRaster::MousePointer(int16_t valor) {
    Exigir((valor >= 0 && valor <= 15) || valor == 99);
    e_.mousePointer = valor;
}

void SuperficieRaster::Picture(const Imagen& valor) {
    ExigirImagen(valor);
    e_.picture = valor;
    Borrar();
    e_.ventana = e_.persistente;
    e_.cambiado = {};
    e_.porMostrar = {};
}

// --- Scale.

void SuperficieRaster::ScaleHeight(float valor) {
    Exigir(std::isfinite(valor) && valor != 0);
    e_.scaleHeight = valor;
    e_.scaleMode = 0;
}

void SuperficieRaster::ScaleLeft(float valor) {
    Exigir(std::isfinite(valor));
    e_.scaleLeft = valor;
    e_.scaleMode = 0;
}

void SuperficieRaster::ScaleTop(float valor) {
    Exigir(std::isfinite(valor));
    e_.scaleTop = valor;
    e_.scaleMode = 0;
}

void SuperficieRaster::ScaleWidth(float valor) {
    Exigir(std::isfinite(valor) && valor != 0);
    e_.scaleWidth = valor;
    e_.scaleMode = 0;
}

void SuperficieRaster::ScaleMode(int16_t valor) {
    Exigir(valor >= 0 && valor <= 7);
    e_.scaleMode = valor;
    RecalcularEscala();
}

void SuperficieRaster::RecalcularEscala() {
    if (e_.scaleMode == 0) return;
    e_.scaleLeft = 0;
    e_.scaleTop = 0;
    e_.scaleWidth = static_cast<float>(AnchoInterior() * kUnidadesX[e_.scaleMode]);
    e_.scaleHeight = static_cast<float>(AltoInterior() * kUnidadesY[e_.scaleMode]);
}

double SuperficieRaster::PixelesPorUnidadX() const {
    if (e_.scaleMode != 0) return 1 / kUnidadesX[e_.scaleMode];
    return e_.scaleWidth == 0 ? 0 : AnchoInterior() / static_cast<double>(e_.scaleWidth);
}

double SuperficieRaster::PixelesPorUnidadY() const {
    if (e_.scaleMode != 0) return 1 / kUnidadesY[e_.scaleMode];
    return e_.scaleHeight == 0 ? 0 : AltoInterior() / static_cast<double>(e_.scaleHeight);
}

double SuperficieRaster::AX(float x) const {
    return (static_cast<double>(x) - e_.scaleLeft) * PixelesPorUnidadX();
}

double SuperficieRaster::AY(float y) const {
    return (static_cast<double>(y) - e_.scaleTop) * PixelesPorUnidadY();
}

// --- Input.

int16_t SuperficieRaster::Teclear(int16_t KeyCode, int16_t Shift, int16_t KeyAscii) {
    if (!e_.enabled) return 0;
    if (e_.eventos) {
        int16_t codigo = KeyCode, mayusculas = Shift;
        e_.eventos->KeyDown(codigo, mayusculas);
        if (KeyAscii != 0) e_.eventos->KeyPress(KeyAscii);
        codigo = KeyCode;
        mayusculas = Shift;
        e_.eventos->KeyUp(codigo, mayusculas);
    }
    return KeyAscii;
}

void SuperficieRaster::PulsarRaton(int16_t Button, int16_t Shift, float px, float py) {
    if (!e_.enabled) return;
    e_.botonPulsado = true;
    if (!e_.eventos) return;
    float x = EnEscalaX(px), y = EnEscalaY(py);
    e_.eventos->MouseDown(Button, Shift, x, y);
}

void SuperficieRaster::MoverRaton(int16_t Button, int16_t Shift, float px, float py) {
    if (!e_.enabled || !e_.eventos) return;
    float x = EnEscalaX(px), y = EnEscalaY(py);
    e_.eventos->MouseMove(Button, Shift, x, y);
}

void SuperficieRaster::SoltarRaton(int16_t Button, int16_t Shift, float px, float py) {
    if (!e_.enabled) return;
    const bool clic =
        e_.botonPulsado && px >= 0 && py >= 0 && px < AnchoInterior() && py < AltoInterior();
    e_.botonPulsado = false;
    if (!e_.eventos) return;
    float x = EnEscalaX(px), y = EnEscalaY(py);
    e_.eventos->MouseUp(Button, Shift, x, y);
    if (clic && e_.eventos) e_.eventos->Click();
}

void SuperficieRaster::DobleClic() {
    if (e_.enabled && e_.eventos) e_.eventos->DblClick();
}

float SuperficieRaster::EnEscalaX(float px) const {
    const double f = PixelesPorUnidadX();
    if (f == 0 || !std::isfinite(px)) return e_.scaleLeft;
    return static_cast<float>(e_.scaleLeft + px / f);
}

float SuperficieRaster::EnEscalaY(float py) const {
    const double f = PixelesPorUnidadY();
    if (f == 0 || !std::isfinite(py)) return e_.scaleTop;
    return static_cast<float>(e_.scaleTop + py / f);
}

}  // namespace relivo
