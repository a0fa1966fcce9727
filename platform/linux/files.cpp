#include "platform/linux/files.h"

#include <fstream>

#include "relivo/platform/error.h"

namespace relivo {

std::string LeerArchivo(const std::string& ruta, size_t limite) {
    std::ifstream f(ruta, std::ios::binary);
    if (!f) throw Fallo::Plataforma(errores::kArchivoNoEncontrado);
    std::string datos;
    char bloque[65536];
    while (f) {
        f.read(bloque, sizeof bloque);
        const std::streamsize n = f.gcount();
        if (n <= 0) break;
        if (datos.size() + static_cast<size_t>(n) > limite) {
            throw Fallo::Plataforma(errores::kMemoriaInsuficiente);
        }
        datos.append(bloque, static_cast<size_t>(n));
    }
    if (f.bad()) throw Fallo::Plataforma(errores::kAccesoArchivo);
    return datos;
}

void EscribirArchivo(const std::string& ruta, const std::string& datos) {
    std::ofstream f(ruta, std::ios::binary | std::ios::trunc);
    if (!f) throw Fallo::Plataforma(errores::kAccesoArchivo);
    f.write(datos.data(), static_cast<std::streamsize>(datos.size()));
    f.close();
    if (!f) throw Fallo::Plataforma(errores::kAccesoArchivo);
}

}  // namespace relivo
