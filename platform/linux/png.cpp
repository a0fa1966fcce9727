// PNG files of pictures through libpng's simplified interface.
#include "platform/png.h"

#include <png.h>

#include "platform/linux/files.h"
#include "relivo/platform/error.h"

namespace relivo {

namespace {

void ExigirTamano(int64_t ancho, int64_t alto) {
    if (ancho <= 0 || alto <= 0) throw Fallo::Plataforma(errores::kFormatoArchivo);
    if (ancho > kLadoMaximoImagen || alto > kLadoMaximoImagen || ancho * alto > kAreaMaximaImagen) {
        throw Fallo::Plataforma(errores::kMemoriaInsuficiente);
    }
}

std::vector<uint8_t> ARgb(const Imagen& imagen) {
    ExigirTamano(imagen.Ancho, imagen.Alto);
    if (imagen.Pixeles.size() != static_cast<size_t>(imagen.Ancho) * imagen.Alto) {
        throw Fallo::Plataforma(errores::kArgumentoNoValido);
    }
    return imagen.Bytes(false);
}

png_image ImagenPng(const Imagen& imagen) {
    png_image png{};
    png.version = PNG_IMAGE_VERSION;
    png.width = static_cast<png_uint_32>(imagen.Ancho);
    png.height = static_cast<png_uint_32>(imagen.Alto);
    png.format = PNG_FORMAT_RGB;
    png.flags = PNG_IMAGE_FLAG_FAST;  // quicker filtering and compression
    return png;
}

}  // namespace

std::vector<uint8_t> CodificarPng(const Imagen& imagen) {
    const std::vector<uint8_t> rgb = ARgb(imagen);
    png_image png = ImagenPng(imagen);
    // Compressed once, into a buffer of the largest size the picture can
    // take, then cut to what it took.
    png_alloc_size_t tamano = PNG_IMAGE_PNG_SIZE_MAX(png);
    std::vector<uint8_t> datos(tamano);
    if (!png_image_write_to_memory(&png, datos.data(), &tamano, 0, rgb.data(), 0, nullptr)) {
        png_image_free(&png);
        throw Fallo::Plataforma(errores::kMemoriaInsuficiente);
    }
    datos.resize(tamano);
    return datos;
}

Imagen DecodificarPng(const std::vector<uint8_t>& datos) {
    png_image png{};
    png.version = PNG_IMAGE_VERSION;
    if (datos.empty() || !png_image_begin_read_from_memory(&png, datos.data(), datos.size())) {
        png_image_free(&png);
        throw Fallo::Plataforma(errores::kFormatoArchivo);
    }
    try {
        ExigirTamano(png.width, png.height);
    } catch (...) {
        png_image_free(&png);
        throw;
    }
    png.format = PNG_FORMAT_RGB;  // alpha composed over black
    std::vector<uint8_t> rgb(PNG_IMAGE_SIZE(png));
    png_color negro{0, 0, 0};
    if (!png_image_finish_read(&png, &negro, rgb.data(), 0, nullptr)) {
        png_image_free(&png);
        throw Fallo::Plataforma(errores::kFormatoArchivo);
    }
    Imagen imagen(static_cast<int32_t>(png.width), static_cast<int32_t>(png.height));
    for (size_t i = 0; i < imagen.Pixeles.size(); ++i) {
        imagen.Pixeles[i] = rgb[3 * i] | (rgb[3 * i + 1] << 8) | (rgb[3 * i + 2] << 16);
    }
    png_image_free(&png);
    return imagen;
}

void GuardarPng(const Imagen& imagen, const std::string& ruta) {
    const std::vector<uint8_t> datos = CodificarPng(imagen);
    EscribirArchivo(ruta, std::string(datos.begin(), datos.end()));
}

Imagen LeerPng(const std::string& ruta) {
    const std::string datos = LeerArchivo(ruta, size_t{256} << 20);
    return DecodificarPng(std::vector<uint8_t>(datos.begin(), datos.end()));
}

}  // namespace relivo
