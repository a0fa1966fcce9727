// relivo reducir: the simplified text of a canonical text, with the variable
// table pre-filled with the given names in order; or a batch of requests as
// JSON Lines on standard input.
#include <cstdio>
#include <iostream>
#include <optional>
#include <string>
#include <vector>

#include "cli/commands.h"
#include "cli/json_output.h"
#include "evaluar/simplifier.h"
#include "evaluar/variables.h"
#include "platform/numbers.h"
#include "relivo/platform/error.h"

namespace relivo::cli {
namespace {

using json = nlohmann::ordered_json;

struct Peticion {
    std::string texto;
    std::vector<std::string> variables;
};

json Ejecutar(const Peticion& p) {
    json r;
    try {
        TablaVariables tabla;
        for (const std::string& nombre : p.variables) tabla.Agregar(NombreVariable(nombre));
        r["reducido"] = Simplificador(tabla).Reducir(p.texto);
        r["numeroError"] = 0;
        r["error"] = "";
    } catch (const Fallo& f) {
        r["reducido"] = "";
        r["numeroError"] = f.numero();
        r["error"] = f.texto();
    }
    return r;
}

std::vector<std::string> Separar(const std::string& lista) {
    std::vector<std::string> nombres;
    size_t inicio = 0;
    while (inicio <= lista.size()) {
        const size_t coma = lista.find(',', inicio);
        const size_t fin = coma == std::string::npos ? lista.size() : coma;
        if (fin > inicio) nombres.push_back(lista.substr(inicio, fin - inicio));
        if (coma == std::string::npos) break;
        inicio = coma + 1;
    }
    return nombres;
}

std::optional<Peticion> LeerPeticion(const std::string& linea) {
    const json j = json::parse(linea, nullptr, false);
    if (j.is_discarded() || !j.is_object() || !j.contains("texto") || !j["texto"].is_string()) {
        return std::nullopt;
    }
    Peticion p;
    p.texto = j["texto"].get<std::string>();
    if (j.contains("variables")) {
        if (!j["variables"].is_array()) return std::nullopt;
        for (const json& v : j["variables"]) {
            if (!v.is_string()) return std::nullopt;
            p.variables.push_back(v.get<std::string>());
        }
    }
    return p;
}

int Lote() {
    return LoteJson([](const std::string& linea) {
        const auto p = LeerPeticion(linea);
        if (p) return Ejecutar(*p);
        return json{{"reducido", ""},
                    {"numeroError", errores::kTiposNoCoinciden},
                    {"error", TextoErrorPlataforma(errores::kTiposNoCoinciden)}};
    });
}

constexpr const char* kUso =
    "Uso: relivo reducir [--json] [--separador C] [--variables X,Y,...] TEXTO\n"
    "     relivo reducir --lote\n"
    "Simplifica un texto canónico (el que da \"relivo canonizar\": \"L1L\" es la primera\n"
    "variable, \"_\" el signo menos, una letra minúscula cada función). --variables\n"
    "llena antes la tabla de variables con esos nombres, en orden. Con --lote lee\n"
    "peticiones JSON de la entrada estándar: {\"texto\": \"L1L*2\", \"variables\": [\"X\"]}.\n";

int Uso(const std::string& mensaje) {
    std::fprintf(stderr, "relivo reducir: %s\nPruebe \"relivo reducir --help\".\n",
                 mensaje.c_str());
    return 2;
}

}  // namespace

int ComandoReducir(const Argumentos& args) {
    bool comoJson = false;
    bool lote = false;
    Peticion p;
    size_t i = 0;
    for (; i < args.size(); ++i) {
        const std::string& a = args[i];
        if (a == "--help" || a == "-h") {
            std::fputs(kUso, stdout);
            return 0;
        } else if (a == "--json") {
            comoJson = true;
        } else if (a == "--lote") {
            lote = true;
        } else if (a == "--variables" || a.rfind("--variables=", 0) == 0) {
            if (a == "--variables" && i + 1 >= args.size())
                return Uso("--variables espera X,Y,...");
            p.variables = Separar(a == "--variables" ? args[++i] : a.substr(12));
        } else if (OpcionSeparador(args, i)) {
            continue;
        } else if (a == "--") {
            ++i;
            break;
        } else if (a.size() > 2 && a.rfind("--", 0) == 0) {
            return Uso("opción desconocida " + a);
        } else {
            break;
        }
    }
    if (lote) {
        if (i < args.size()) return Uso("--lote no admite un texto");
        return Lote();
    }
    if (i + 1 != args.size()) return Uso("se espera un texto canónico");
    p.texto = args[i];
    const json r = Ejecutar(p);
    if (comoJson) {
        std::cout << Volcar(r) << std::endl;
    } else if (r["numeroError"].get<int32_t>() == 0) {
        std::cout << r["reducido"].get<std::string>() << std::endl;
    } else {
        std::cout << "Error " << r["numeroError"].get<int32_t>() << ": "
                  << r["error"].get<std::string>() << std::endl;
    }
    return r["numeroError"].get<int32_t>() == 0 ? 0 : 1;
}

}  // namespace relivo::cli
