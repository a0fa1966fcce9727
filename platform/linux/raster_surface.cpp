// The Linux raster surface: creation, size, properties, scale and input.
// The drawing methods are in raster_drawing.cpp.
#include "platform/linux/raster_surface.h"

#include <algorithm>

#include "platform/linux/device_registry.h"
#include "platform/png.h"
#include "platform/surface_checks.h"
#include "platform/surface_input.h"
#include "relivo/platform/error.h"

namespace relivo {

std::unique_ptr<SuperficieDibujo> CrearSuperficie(int32_t ancho, int32_t alto) {
    return std::make_unique<SuperficieRaster>(ancho, alto);
}

SuperficieRaster::SuperficieRaster(int32_t ancho, int32_t alto) {
    ExigirValor(ancho >= 0 && alto >= 0 && ancho <= kLadoMaximoImagen && alto <= kLadoMaximoImagen);
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
    Imagen nueva(ai, hi, *ResolverColor(p_.BackColor));
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
    RecalcularEscala(escala_, AnchoInterior(), AltoInterior());
}

void SuperficieRaster::RaiseResize() {
    if (e_.eventos) e_.eventos->Resize();
}

// --- Properties.

void SuperficieRaster::AlCambiarPropiedad(PropiedadSuperficie cual) {
    switch (cual) {
        case PropiedadSuperficie::BackColor:
        case PropiedadSuperficie::Picture:
            // The picture and the window start again from BackColor and Picture.
            Borrar();
            e_.ventana = e_.persistente;
            e_.cambiado = {};
            e_.porMostrar = {};
            break;
        case PropiedadSuperficie::BorderStyle:
            FijarTamano(e_.ancho, e_.alto);
            break;
        default:
            break;
    }
}

// --- Input.

int16_t SuperficieRaster::Teclear(int16_t KeyCode, int16_t Shift, int16_t KeyAscii) {
    return entrada::Teclear(e_.eventos, p_.Enabled, KeyCode, Shift, KeyAscii);
}

void SuperficieRaster::PulsarRaton(int16_t Button, int16_t Shift, float px, float py) {
    entrada::PulsarRaton(e_.eventos, p_.Enabled, e_.botonPulsado, Unidades(), Button, Shift, px,
                         py);
}

void SuperficieRaster::MoverRaton(int16_t Button, int16_t Shift, float px, float py) {
    entrada::MoverRaton(e_.eventos, p_.Enabled, Unidades(), Button, Shift, px, py);
}

void SuperficieRaster::SoltarRaton(int16_t Button, int16_t Shift, float px, float py) {
    entrada::SoltarRaton(e_.eventos, p_.Enabled, e_.botonPulsado, Unidades(), Button, Shift, px,
                         py);
}

void SuperficieRaster::DobleClic() {
    entrada::DobleClic(e_.eventos, p_.Enabled);
}

}  // namespace relivo
