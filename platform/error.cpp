#include "relivo/platform/error.h"

#include <array>
#include <new>

namespace relivo {
namespace {

// The platform's run-time errors.
constexpr std::array kCatalogo{
    Mensaje{errores::kArgumentoNoValido, "Llamada a procedimiento o argumento no válidos"},
    Mensaje{errores::kDesbordamiento, "Desbordamiento"},
    Mensaje{errores::kMemoriaInsuficiente, "Memoria insuficiente"},
    Mensaje{errores::kSubindice, "El subíndice está fuera del intervalo"},
    Mensaje{errores::kDivisionPorCero, "División por cero"},
    Mensaje{errores::kTiposNoCoinciden, "No coinciden los tipos"},
    Mensaje{errores::kPilaInsuficiente, "Espacio de pila insuficiente"},
    Mensaje{errores::kArchivoNoEncontrado, "No se ha encontrado el archivo"},
    Mensaje{errores::kAccesoArchivo, "Error de acceso a la ruta o el archivo"},
    Mensaje{errores::kFormatoArchivo, "Formato de archivo no válido"},
    Mensaje{errores::kValorPropiedad, "El valor de la propiedad no es válido"},
};

}  // namespace

const char* TextoErrorPlataforma(int32_t numero) {
    for (const Mensaje& m : kCatalogo) {
        if (m.numero == numero) return m.texto;
    }
    return "Error definido por la aplicación o el objeto";
}

Fallo Fallo::Plataforma(int32_t numero) {
    return Fallo(numero, TextoErrorPlataforma(numero));
}

Fallo FalloActual() {
    try {
        throw;
    } catch (const Fallo& f) {
        return f;
    } catch (const std::bad_alloc&) {
        return Fallo::Plataforma(errores::kMemoriaInsuficiente);
    } catch (const std::length_error&) {
        return Fallo::Plataforma(errores::kMemoriaInsuficiente);
    } catch (...) {
        return Fallo::Plataforma(errores::kArgumentoNoValido);
    }
}

}  // namespace relivo
