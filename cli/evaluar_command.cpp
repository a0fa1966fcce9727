// relivo evaluar: one expression from the command line, or a batch of
// requests as JSON Lines on standard input.
#include <cstdio>
#include <iostream>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "cli/commands.h"
#include "cli/json_output.h"
#include "platform/numbers.h"
#include "relivo/evaluar.h"
#include "relivo/platform/error.h"

namespace relivo::cli {
namespace {

using json = nlohmann::ordered_json;

struct Peticion {
    std::string funcion;
    std::vector<std::pair<Variante, Variante>> substituir;
    std::vector<std::pair<Variante, double>> valores;
};

// Records every Error event in order.
class Registro : public EventosEvaluar {
public:
    void Error(int32_t NumError, const std::string& DescrError) override {
        eventos.push_back({{"NumError", NumError}, {"DescrError", DescrError}});
    }
    json eventos = json::array();
};

json Ejecutar(const Peticion& p) {
    Registro registro;
    Evaluar ev(&registro);
    ev.Funcion(p.funcion);
    for (const auto& [variable, texto] : p.substituir) ev.Substituir(variable, texto);
    for (const auto& [variable, valor] : p.valores) ev.Valor(variable, valor);
    json r;
    r["funcion"] = ev.Funcion();
    json variables = json::array();
    const int16_t n = ev.NumeroVariables();
    for (int16_t i = 1; i <= n; ++i) variables.push_back(ev.Variable(i));
    r["variables"] = variables;
    r["resultado"] = NumeroJson(ev.Resultado());
    r["numeroError"] = ev.NumeroError();
    r["error"] = ev.Error();
    r["eventos"] = registro.eventos;
    return r;
}

void MostrarTexto(const json& r) {
    std::string salida = "Función: " + r["funcion"].get<std::string>() + "\n";
    salida += "Variables: " + Unir(r["variables"]) + "\n";
    if (r["numeroError"].get<int32_t>() == 0) {
        salida += "Resultado: " + numeros::FormaGeneral(r["resultado"].get<double>()) + "\n";
    } else {
        salida += "Error " + std::to_string(r["numeroError"].get<int32_t>()) + ": " +
                  r["error"].get<std::string>() + "\n";
    }
    std::fputs(salida.c_str(), stdout);
}

int Uso(const std::string& mensaje) {
    std::fprintf(stderr, "relivo evaluar: %s\n", mensaje.c_str());
    return 2;
}

// A variable named on the command line or in a request: an index when it is
// numeric, a name otherwise (the engine decides).
std::optional<Variante> VariableJson(const json& v) {
    if (v.is_string()) return Variante(v.get<std::string>());
    if (v.is_number()) return Variante(v.get<double>());
    return std::nullopt;
}

std::optional<Peticion> LeerPeticion(const std::string& linea) {
    const json j = json::parse(linea, nullptr, false);
    if (j.is_discarded() || !j.is_object() || !j.contains("funcion") || !j["funcion"].is_string()) {
        return std::nullopt;
    }
    Peticion p;
    p.funcion = j["funcion"].get<std::string>();
    for (const char* clave : {"substituir", "valores"}) {
        if (!j.contains(clave)) continue;
        if (!j[clave].is_array()) return std::nullopt;
        for (const json& par : j[clave]) {
            if (!par.is_array() || par.size() != 2) return std::nullopt;
            const auto variable = VariableJson(par[0]);
            if (!variable) return std::nullopt;
            if (std::string(clave) == "valores") {
                if (!par[1].is_number()) return std::nullopt;
                p.valores.emplace_back(*variable, par[1].get<double>());
            } else {
                const auto texto = VariableJson(par[1]);
                if (!texto) return std::nullopt;
                p.substituir.emplace_back(*variable, *texto);
            }
        }
    }
    return p;
}

int Lote() {
    return LoteJson([](const std::string& linea) {
        const auto p = LeerPeticion(linea);
        if (p) return Ejecutar(*p);
        return json{{"numeroError", errores::kTiposNoCoinciden},
                    {"error", TextoErrorPlataforma(errores::kTiposNoCoinciden)}};
    });
}

std::optional<std::pair<std::string, std::string>> Asignacion(const std::string& a) {
    const size_t igual = a.find('=');
    if (igual == std::string::npos || igual == 0) return std::nullopt;
    return std::make_pair(a.substr(0, igual), a.substr(igual + 1));
}

}  // namespace

int ComandoEvaluar(const Argumentos& args) {
    bool comoJson = false;
    bool lote = false;
    size_t i = 0;
    for (; i < args.size(); ++i) {
        const std::string& a = args[i];
        if (a == "--json") {
            comoJson = true;
        } else if (a == "--lote") {
            lote = true;
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
        if (i < args.size()) return Uso("--lote no admite una expresión");
        return Lote();
    }
    if (i >= args.size()) return Uso("falta la expresión");
    Peticion p;
    p.funcion = args[i++];
    for (; i < args.size(); ++i) {
        const std::string& a = args[i];
        const bool substituir = a == "--substituir" || a.rfind("--substituir=", 0) == 0;
        std::string resto = a;
        if (a == "--substituir") {
            if (++i >= args.size()) return Uso("--substituir espera NOMBRE=TEXTO");
            resto = args[i];
        } else if (substituir) {
            resto = a.substr(13);
        }
        const auto par = Asignacion(resto);
        if (!par) return Uso("se esperaba NOMBRE=VALOR: " + a);
        if (substituir) {
            p.substituir.emplace_back(Variante(par->first), Variante(par->second));
        } else {
            if (!numeros::EsNumero(par->second)) return Uso("valor no numérico: " + a);
            p.valores.emplace_back(Variante(par->first), numeros::ANumero(par->second));
        }
    }
    const json r = Ejecutar(p);
    if (comoJson) {
        std::cout << Volcar(r) << std::endl;
    } else {
        MostrarTexto(r);
    }
    return r["numeroError"].get<int32_t>() == 0 ? 0 : 1;
}

}  // namespace relivo::cli
