#include "platform/surface_checks.h"

#include <cmath>
#include <cstddef>

#include "platform/png.h"
#include "relivo/platform/error.h"

namespace relivo {

void ValorNoValido() {
    throw Fallo::Plataforma(errores::kValorPropiedad);
}

void ExigirValor(bool condicion) {
    if (!condicion) ValorNoValido();
}

int16_t EnRango(int16_t valor, int16_t minimo, int16_t maximo) {
    ExigirValor(valor >= minimo && valor <= maximo);
    return valor;
}

ColorOle ColorDePropiedad(ColorOle valor) {
    ExigirValor(ResolverColor(valor).has_value());
    return valor;
}

const Imagen& ImagenDePropiedad(const Imagen& imagen) {
    if (imagen.Ancho <= 0 || imagen.Alto <= 0) {
        ExigirValor(imagen.Pixeles.empty());
    } else {
        ExigirValor(static_cast<size_t>(imagen.Ancho) * static_cast<size_t>(imagen.Alto) ==
                    imagen.Pixeles.size());
    }
    return imagen;
}

float TamanoDeFuente(float puntos) {
    ExigirValor(std::isfinite(puntos));
    return std::fmin(std::fmax(puntos, 1.0f), 2048.0f);
}

int32_t PixelesDeTamano(float pixeles) {
    ExigirValor(std::isfinite(pixeles) && pixeles >= 0 && pixeles <= kLadoMaximoImagen);
    return static_cast<int32_t>(std::nearbyint(pixeles));
}

void ArgumentoNoValido() {
    throw Fallo::Plataforma(errores::kArgumentoNoValido);
}

void ExigirArgumento(bool condicion) {
    if (!condicion) ArgumentoNoValido();
}

void ExigirFinitos(std::initializer_list<double> valores) {
    for (double v : valores) ExigirArgumento(std::isfinite(v));
}

bool OpcodeConocido(int32_t opcode) {
    switch (opcode) {
        case 0x00CC0020:  // copy
        case 0x00EE0086:  // paint (or)
        case 0x008800C6:  // and
        case 0x00660046:  // invert (xor)
        case 0x00440328:  // erase
        case 0x00330008:  // not copy
        case 0x001100A6:  // not erase
        case 0x00BB0226:  // merge paint
        case 0x00550009:  // destination invert
        case 0x00000042:  // blackness
        case 0x00FF0062:  // whiteness
            return true;
        default:
            return false;
    }
}

}  // namespace relivo
