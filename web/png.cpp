// PNG data of the web back end, for the pictures a document holds: written
// as 8-bit RGB with stored (uncompressed) deflate blocks, which every PNG
// reader takes. The page itself makes its PNG files through canvas.toBlob;
// reading a PNG is left to the browser: the page decodes a document's PNG
// data into pixels before the document reaches the module (web/js/
// elementos.mjs), so PNG data that still arrives here is data the browser
// could not read, and DecodificarPng refuses it (321).
#include "platform/png.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "relivo/platform/error.h"

namespace relivo {
namespace {

uint32_t Crc(const uint8_t* datos, size_t n, uint32_t crc = 0xFFFFFFFFu) {
    for (size_t i = 0; i < n; ++i) {
        crc ^= datos[i];
        for (int k = 0; k < 8; ++k) crc = (crc >> 1) ^ (0xEDB88320u & (0u - (crc & 1u)));
    }
    return crc;
}

void Poner32(std::vector<uint8_t>& v, uint32_t x) {
    for (int s = 24; s >= 0; s -= 8) v.push_back(static_cast<uint8_t>(x >> s));
}

void Trozo(std::vector<uint8_t>& png, const char* tipo, const std::vector<uint8_t>& datos) {
    Poner32(png, static_cast<uint32_t>(datos.size()));
    const size_t inicio = png.size();
    png.insert(png.end(), tipo, tipo + 4);
    png.insert(png.end(), datos.begin(), datos.end());
    Poner32(png, Crc(png.data() + inicio, png.size() - inicio) ^ 0xFFFFFFFFu);
}

}  // namespace

std::vector<uint8_t> CodificarPng(const Imagen& imagen) {
    if (imagen.Vacia()) throw Fallo::Plataforma(errores::kArgumentoNoValido);
    // Each row is its filter byte 0 and then its pixels' r, g, b.
    const std::vector<uint8_t> rgb = imagen.Bytes(false);
    const size_t ancho = 3 * static_cast<size_t>(imagen.Ancho);
    std::vector<uint8_t> filas;
    filas.reserve(static_cast<size_t>(imagen.Alto) * (1 + ancho));
    for (size_t y = 0; y < static_cast<size_t>(imagen.Alto); ++y) {
        filas.push_back(0);
        filas.insert(filas.end(), rgb.begin() + static_cast<std::ptrdiff_t>(y * ancho),
                     rgb.begin() + static_cast<std::ptrdiff_t>((y + 1) * ancho));
    }
    // zlib: header, stored blocks of at most 65535 bytes, Adler-32.
    std::vector<uint8_t> z{0x78, 0x01};
    for (size_t i = 0; i == 0 || i < filas.size(); i += 65535) {
        const size_t n = std::min<size_t>(65535, filas.size() - i);
        z.push_back(i + n >= filas.size() ? 1 : 0);
        z.push_back(static_cast<uint8_t>(n));
        z.push_back(static_cast<uint8_t>(n >> 8));
        z.push_back(static_cast<uint8_t>(~n));
        z.push_back(static_cast<uint8_t>(~n >> 8));
        z.insert(z.end(), filas.begin() + static_cast<std::ptrdiff_t>(i),
                 filas.begin() + static_cast<std::ptrdiff_t>(i + n));
    }
    uint32_t a = 1, b = 0;
    for (uint8_t c : filas) {
        a = (a + c) % 65521;
        b = (b + a) % 65521;
    }
    Poner32(z, (b << 16) | a);

    std::vector<uint8_t> png{0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
    std::vector<uint8_t> cabecera;
    Poner32(cabecera, static_cast<uint32_t>(imagen.Ancho));
    Poner32(cabecera, static_cast<uint32_t>(imagen.Alto));
    cabecera.insert(cabecera.end(), {8, 2, 0, 0, 0});
    Trozo(png, "IHDR", cabecera);
    Trozo(png, "IDAT", z);
    Trozo(png, "IEND", {});
    return png;
}

Imagen DecodificarPng(const std::vector<uint8_t>&) {
    throw Fallo::Plataforma(errores::kFormatoArchivo);
}

}  // namespace relivo
