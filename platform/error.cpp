#include "platform/error.h"

namespace relivo {

const char* TextoErrorPlataforma(int32_t numero) {
    switch (numero) {
        case 5:
            return "Llamada a procedimiento o argumento no válidos";
        case 6:
            return "Desbordamiento";
        case 7:
            return "Memoria insuficiente";
        case 9:
            return "El subíndice está fuera del intervalo";
        case 11:
            return "División por cero";
        case 13:
            return "No coinciden los tipos";
        case 28:
            return "Espacio de pila insuficiente";
        case 53:
            return "No se ha encontrado el archivo";
        case 75:
            return "Error de acceso a la ruta o el archivo";
        case 321:
            return "Formato de archivo no válido";
        case 380:
            return "El valor de la propiedad no es válido";
        default:
            return "Error definido por la aplicación o el objeto";
    }
}

Fallo Fallo::Plataforma(int32_t numero) {
    return Fallo(numero, TextoErrorPlataforma(numero));
}

}  // namespace relivo
