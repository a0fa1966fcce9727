// relivo canonizar: the canonical text of an expression and its variables.
#include <cstdio>
#include <iostream>

#include "cli/commands.h"
#include "cli/json_output.h"
#include "evaluar/canonical.h"
#include "evaluar/validation.h"
#include "relivo/platform/error.h"

namespace relivo::cli {

int ComandoCanonizar(const Argumentos& args) {
    bool comoJson = false;
    size_t i = 0;
    for (; i < args.size(); ++i) {
        if (args[i] == "--json") {
            comoJson = true;
        } else if (args[i] == "--") {
            ++i;
            break;
        } else {
            break;
        }
    }
    if (i + 1 != args.size()) {
        std::fputs("relivo canonizar: se espera una expresión\n", stderr);
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
    if (comoJson) {
        std::cout << Volcar(r) << std::endl;
    } else if (r["numeroError"] == 0) {
        std::cout << r["canonico"].get<std::string>() << "\nVariables: " << Unir(variables)
                  << std::endl;
    } else {
        std::cout << "Error " << r["numeroError"].get<int32_t>() << ": "
                  << r["error"].get<std::string>() << std::endl;
    }
    return r["numeroError"] == 0 ? 0 : 1;
}

}  // namespace relivo::cli
