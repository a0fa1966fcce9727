// relivo evaluar: one expression from the command line, or a batch of
// requests as JSON Lines on standard input.
#include <algorithm>
#include <cctype>
#include <cmath>
#include <cstdio>
#include <iostream>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "cli/advisories.h"
#include "cli/commands.h"
#include "cli/hints.h"
#include "cli/json_output.h"
#include "evaluar/messages.h"
#include "platform/numbers.h"
#include "relivo/evaluar.h"
#include "relivo/platform/error.h"

namespace relivo::cli {
namespace {

using json = nlohmann::ordered_json;

constexpr const char* kUso =
    "Uso: relivo evaluar [--json] [--separador C] EXPR [--substituir NOMBRE=TEXTO]...\n"
    "                    [NOMBRE=VALOR]...\n"
    "     relivo evaluar --lote\n"
    "Asigna la función EXPR, sustituye variables por textos, da valores a las variables\n"
    "(por nombre o por número de orden) y muestra la función simplificada, sus variables\n"
    "y el resultado. Con --lote lee peticiones JSON, una por línea, de la entrada\n"
    "estándar: {\"funcion\": \"x*y\", \"substituir\": [[\"x\", \"2*t\"]],\n"
    "\"valores\": [[\"t\", 1.5], [2, -3]]}. --separador fija el separador decimal.\n"
    "Use \"--\" antes de una expresión que empiece por \"-\".\n";

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

bool Es(const json& evento, const Mensaje& m) {
    return evento["NumError"] == m.numero && evento["DescrError"] == m.texto;
}

bool MismoNombre(std::string_view a, std::string_view b) {
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
               return std::tolower(static_cast<unsigned char>(x)) ==
                      std::tolower(static_cast<unsigned char>(y));
           });
}

// The answer to a request, with the lines of help the command line adds
// after the engine's message (text output only).
struct Respuesta {
    json r;
    std::string ayuda;
};

// A batch runs every call of its request as asked; the command line stops
// after a refused expression (`soloSiSeAcepta`), so that its message is the
// one shown.
Respuesta Ejecutar(const Peticion& p, bool soloSiSeAcepta) {
    Registro registro;
    Evaluar ev(&registro);
    auto variables = [&ev] {
        std::vector<std::string> nombres;
        const int16_t n = ev.NumeroVariables();
        for (int16_t i = 1; i <= n; ++i) nombres.push_back(ev.Variable(i));
        return nombres;
    };
    ev.Funcion(p.funcion);
    const bool seguir = !soloSiSeAcepta || registro.eventos.empty();
    for (const auto& [variable, texto] : p.substituir) {
        if (seguir) ev.Substituir(variable, texto);
    }
    std::string ayuda;
    std::vector<std::string> conValor;
    for (const auto& [variable, valor] : p.valores) {
        if (!seguir) break;
        const size_t antes = registro.eventos.size();
        // The variable as the user named it: a name, or an index, whose
        // name is read before the call.
        std::string nombre = variable.texto;
        std::string mostrado = "\"" + nombre + "\"";
        if (variable.tipo == Variante::Tipo::Numero) {
            const double i = variable.numero;
            const bool valido = i >= 1 && i <= ev.NumeroVariables() && i == std::trunc(i);
            nombre = valido ? ev.Variable(static_cast<int16_t>(i)) : "";
            mostrado = valido ? "\"" + nombre + "\"" : "número " + numeros::FormaGeneral(i);
        }
        ev.Valor(variable, valor);
        const bool noExiste = registro.eventos.size() > antes &&
                              Es(registro.eventos.back(), mensajes::kNoExisteVariable);
        if (noExiste && ayuda.empty()) ayuda = AyudaVariable(mostrado, variables());
        if (!noExiste) conValor.push_back(nombre);
    }
    Respuesta a;
    json& r = a.r;
    r["funcion"] = ev.Funcion();
    const std::vector<std::string> nombres = variables();
    r["variables"] = nombres;
    r["resultado"] = NumeroJson(ev.Resultado());
    r["numeroError"] = ev.NumeroError();
    r["error"] = ev.Error();
    r["eventos"] = registro.eventos;
    r["avisos"] = Avisos(p.funcion);
    const json fallo = {{"NumError", ev.NumeroError()}, {"DescrError", ev.Error()}};
    if (Es(fallo, mensajes::kCaracteresNoValidos)) {
        a.ayuda = AyudaCaracter(p.funcion);
        for (const auto& par : p.substituir) {
            if (a.ayuda.empty()) a.ayuda = AyudaCaracter(par.second.texto);
        }
    } else if (Es(fallo, mensajes::kNoDefinida)) {
        std::vector<std::string> faltan;
        for (const std::string& n : nombres) {
            if (std::none_of(conValor.begin(), conValor.end(),
                             [&n](const std::string& c) { return MismoNombre(n, c); })) {
                faltan.push_back(n);
            }
        }
        a.ayuda = AyudaFaltanValores(faltan);
    } else {
        a.ayuda = ayuda;
    }
    return a;
}

// The function text with the user's decimal separator in its numbers (the
// engine writes "." in display text; "." stands nowhere else there).
std::string ConSeparador(std::string texto) {
    std::replace(texto.begin(), texto.end(), '.', numeros::SeparadorDecimal());
    return texto;
}

void MostrarTexto(const Respuesta& a) {
    const json& r = a.r;
    MostrarAvisos(r["avisos"].get<std::vector<std::string>>());
    std::string salida = "Función: " + ConSeparador(r["funcion"].get<std::string>()) + "\n";
    salida += "Variables: " + Unir(r["variables"]) + "\n";
    if (r["numeroError"].get<int32_t>() == 0) {
        salida += "Resultado: " + numeros::FormaGeneral(r["resultado"].get<double>()) + "\n";
    } else {
        salida += "Error " + std::to_string(r["numeroError"].get<int32_t>()) + ": " +
                  r["error"].get<std::string>() + "\n";
    }
    std::fputs(salida.c_str(), stdout);
    MostrarAyuda(a.ayuda);
}

int Uso(const std::string& mensaje) {
    std::fprintf(stderr, "relivo evaluar: %s\nPruebe \"relivo evaluar --help\".\n",
                 mensaje.c_str());
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
        if (p) return Ejecutar(*p, false).r;
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
        if (a == "--help" || a == "-h") {
            std::fputs(kUso, stdout);
            return 0;
        } else if (a == "--json") {
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
    const Respuesta a = Ejecutar(p, true);
    if (comoJson) {
        std::cout << Volcar(a.r) << std::endl;
    } else {
        MostrarTexto(a);
    }
    return a.r["numeroError"].get<int32_t>() == 0 ? 0 : 1;
}

}  // namespace relivo::cli
