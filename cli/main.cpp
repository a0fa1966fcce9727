// relivo: command-line front end of the expression engine and the plotter.
#include <clocale>
#include <cstdio>
#include <cstring>
#include <exception>
#include <string>

#include "cli/commands.h"

namespace {

constexpr const char* kAyuda =
    "Uso: relivo <orden> [opciones]\n"
    "\n"
    "Órdenes:\n"
    "  evaluar EXPR [NOMBRE=VALOR]...   simplifica y evalúa: relivo evaluar \"sen(x)*cos(y)\" x=1 "
    "y=2\n"
    "  graficar EXPR                    dibuja z = EXPR(x, y) en superficie.png\n"
    "  canonizar EXPR                   muestra cómo lee el motor la expresión\n"
    "  reducir TEXTO                    simplifica un texto canónico\n"
    "\n"
    "\"relivo <orden> --help\" explica cada orden y sus opciones.\n"
    "Use \"--\" antes de una expresión que empiece por \"-\".\n"
    "Salida: 0 correcto, 1 error de la función, 2 error de uso, 130 cancelado con Ctrl-C.\n";

}  // namespace

int main(int argc, char** argv) {
    // The user's locale gives the decimal separator (see --separador).
    std::setlocale(LC_ALL, "");
    if (argc < 2 || std::strcmp(argv[1], "--help") == 0 || std::strcmp(argv[1], "-h") == 0 ||
        std::strcmp(argv[1], "ayuda") == 0) {
        std::fputs(kAyuda, argc < 2 ? stderr : stdout);
        return argc < 2 ? 2 : 0;
    }
    const std::string orden = argv[1];
    relivo::cli::Argumentos args(argv + 2, argv + argc);
    try {
        if (orden == "evaluar") return relivo::cli::ComandoEvaluar(args);
        if (orden == "canonizar") return relivo::cli::ComandoCanonizar(args);
        if (orden == "reducir") return relivo::cli::ComandoReducir(args);
#ifdef RELIVO_WITH_CONTROL
        if (orden == "graficar") return relivo::cli::ComandoGraficar(args);
#endif
    } catch (const std::exception& e) {
        std::fprintf(stderr, "relivo: %s\n", e.what());
        return 2;
    }
    std::fprintf(stderr, "relivo: orden desconocida \"%s\"\n\n%s", orden.c_str(), kAyuda);
    return 2;
}
