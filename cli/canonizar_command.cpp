// relivo canonizar: the canonical text of an expression and its variables.
#include <cstdio>
#include <iostream>

#include "cli/advisories.h"
#include "cli/commands.h"
#include "cli/hints.h"
#include "cli/json_output.h"
#include "evaluar/canonical.h"
#include "evaluar/validation.h"
#include "relivo/platform/error.h"

namespace relivo::cli {
namespace {

constexpr const char* kUso =
    "Uso: relivo canonizar [--json] EXPR\n"
    "Muestra cómo lee el motor la expresión: su texto canónico (cada función una letra,\n"
    "\"L1L\" la primera variable, \"_\" el signo menos) y su tabla de variables.\n"
    "Use \"--\" antes de una expresión que empiece por \"-\".\n";

}  // namespace

int ComandoCanonizar(const Argumentos& args) {
    bool comoJson = false;
    size_t i = 0;
    for (; i < args.size(); ++i) {
        if (args[i] == "--help" || args[i] == "-h") {
            std::fputs(kUso, stdout);
            return 0;
        } else if (args[i] == "--json") {
            comoJson = true;
        } else if (args[i] == "--") {
            ++i;
            break;
        } else {
            break;
        }
    }
    if (i + 1 != args.size()) {
        std::fputs(
            "relivo canonizar: se espera una expresión\nPruebe \"relivo canonizar --help\".\n",
            stderr);
        return 2;
    }
    nlohmann::ordered_json r;
    TablaVariables tabla;
    try {
        ValidarExpresion(args[i]);
        r["canonico"] = Canonizar(args[i], tabla);
        r["numeroError"] = 0;
        r["error"] = "";
    } catch (const Fallo& f) {
        r["canonico"] = "";
        r["numeroError"] = f.numero();
        r["error"] = f.texto();
        tabla.cuenta = 0;
    }
    nlohmann::ordered_json variables = nlohmann::ordered_json::array();
    for (int16_t k = 1; k <= tabla.cuenta; ++k) variables.push_back(tabla.Nombre(k));
    r["variables"] = variables;
    const std::vector<std::string> avisos = Avisos(args[i]);
    r["avisos"] = avisos;
    if (comoJson) {
        std::cout << Volcar(r) << std::endl;
    } else if (r["numeroError"] == 0) {
        MostrarAvisos(avisos);
        std::cout << r["canonico"].get<std::string>() << "\nVariables: " << Unir(variables)
                  << std::endl;
    } else {
        std::cout << "Error " << r["numeroError"].get<int32_t>() << ": "
                  << r["error"].get<std::string>() << std::endl;
        MostrarAyuda(AyudaCaracter(args[i]));
    }
    return r["numeroError"] == 0 ? 0 : 1;
}

}  // namespace relivo::cli
