#include "cli/hints.h"

#include <cstdio>

#include "cli/json_output.h"
#include "evaluar/messages.h"
#include "evaluar/validation.h"

namespace relivo::cli {
namespace {

// The length of the UTF-8 sequence that starts with byte `b` (1 for a byte
// that starts none).
size_t LargoUtf8(unsigned char b) {
    if (b >= 0xF0 && b < 0xF8) return 4;
    if (b >= 0xE0) return b < 0xF0 ? 3 : 1;
    if (b >= 0xC0) return 2;
    return 1;
}

}  // namespace

std::string AyudaCaracter(std::string_view expresion) {
    size_t posicion = 1;
    for (size_t i = 0; i < expresion.size(); ++posicion) {
        const size_t largo = std::min(LargoUtf8(expresion[i]), expresion.size() - i);
        // The engine's own check on the character alone: the only failure it
        // can give there for an accepted character is a lone parenthesis or
        // a blank.
        try {
            ValidarExpresion(expresion.substr(i, 1));
        } catch (const Fallo& f) {
            if (f.numero() == mensajes::kCaracteresNoValidos.numero &&
                f.texto() == mensajes::kCaracteresNoValidos.texto) {
                return "Carácter no válido: «" + std::string(expresion.substr(i, largo)) +
                       "», en la posición " + std::to_string(posicion) + ".";
            }
        }
        i += largo;
    }
    return "";
}

std::string AyudaFaltanValores(const std::vector<std::string>& nombres) {
    return nombres.empty() ? "" : "Faltan valores para: " + Unir(nombres);
}

std::string AyudaVariable(std::string_view nombre, const std::vector<std::string>& conservadas) {
    const std::string variable = "La variable " + std::string(nombre) + " no está en la función";
    if (conservadas.empty()) return variable + ": la función simplificada no usa ninguna variable.";
    return variable + " simplificada, que usa: " + Unir(conservadas) + ".";
}

void MostrarAyuda(const std::string& ayuda) {
    if (ayuda.empty()) return;
    std::fflush(stdout);
    std::fprintf(stderr, "%s\n", ayuda.c_str());
}

}  // namespace relivo::cli
