#include "cli/advisories.h"

#include <cctype>
#include <cstdio>
#include <string_view>

#include "evaluar/canonical.h"
#include "evaluar/function_table.h"
#include "evaluar/lexical.h"
#include "evaluar/operand.h"
#include "evaluar/validation.h"
#include "evaluar/variables.h"
#include "relivo/platform/error.h"

namespace relivo::cli {
namespace {

enum Aviso {
    kDobleAsterisco,
    kPotenciaDeFuncion,
    kNumeroPegado,
    kExponenteSinSigno,
    kSignoYPotencia,
    kPotenciaEncadenada,
    kFuncionSinOperando,
    kOperadorSinOperando,
    kCuantos
};

constexpr const char* kTextos[kCuantos] = {
    "\"**\" no es la potencia: \"x**2\" se lee como 2*X. La potencia se escribe x^2.",
    "un \"^\" justo después del nombre de una función la deja sin operando: \"sen^2(x)\" se "
    "lee como Sin()^2*(x), el seno de un operando vacío. Escriba sen(x)^2.",
    "el número pegado al nombre de una función es todo su operando: \"log10(100)\" se lee como "
    "Ln(10)*100. El logaritmo decimal es lgt(100).",
    "una \"e\" sin signo tras un número empieza una variable: \"1e5\" se lee como 1*E5. Escriba "
    "1e+5 para el número.",
    "el signo \"-\" va con su operando antes que la potencia: \"-x^2\" se lee como (-X)^2. "
    "Escriba -(x^2).",
    "las potencias se agrupan de izquierda a derecha: \"2^3^2\" se lee como (2^3)^2. Escriba "
    "2^(3^2).",
    "una función sin operando (\"cos\", \"sen()\") se aplica a un operando vacío, que vale 0.",
    "un operador sin nada detrás (\"x+\") tiene un operando vacío, que vale 0.",
};

bool EsOperadorBinario(std::string_view c, size_t i) {
    return kOperadores.find(c[i]) != std::string_view::npos && !EsSignoDeExponente(c, i);
}

bool EsDigito(char c) {
    return std::isdigit(static_cast<unsigned char>(c)) != 0 || c == '.';
}

// True when the variable reference at c[i] names a variable such as "E5": a
// number followed by "e" and digits, read as a product with a variable.
bool VariableDeExponente(std::string_view c, size_t i, const TablaVariables& tabla) {
    const size_t fin = c.find(codigo::kVariable, i + 1);
    if (fin == std::string_view::npos) return false;
    const std::string nombre = tabla.Nombre(std::stoi(std::string(c.substr(i + 1, fin - i - 1))));
    if (nombre.size() < 2 || (nombre[0] != 'E' && nombre[0] != 'e')) return false;
    for (size_t k = 1; k < nombre.size(); ++k) {
        if (!std::isdigit(static_cast<unsigned char>(nombre[k]))) return false;
    }
    return true;
}

}  // namespace

std::vector<std::string> Avisos(std::string_view expresion) {
    std::string c;
    TablaVariables tabla;
    try {
        ValidarExpresion(expresion);
        c = Canonizar(expresion, tabla);
    } catch (const Fallo&) {
        return {};
    }
    bool visto[kCuantos] = {};
    std::vector<std::string> avisos;
    auto avisar = [&](Aviso a) {
        if (visto[a]) return;
        visto[a] = true;
        avisos.emplace_back(kTextos[a]);
    };
    if (expresion.find("**") != std::string_view::npos) avisar(kDobleAsterisco);
    for (size_t i = 0; i < c.size(); ++i) {
        const char siguiente = i + 1 < c.size() ? c[i + 1] : '\0';
        if (EsCodigoFuncion(c[i])) {
            if (siguiente == '^') {
                avisar(kPotenciaDeFuncion);
            } else if (siguiente == '\0' || siguiente == ')' || EsOperadorBinario(c, i + 1) ||
                       c.substr(i + 1, 2) == "()") {
                avisar(kFuncionSinOperando);
            } else if (EsDigito(siguiente)) {
                const size_t fin = FinOperando(c, i + 1);
                if (c.substr(fin, 2) == "*(" || c.substr(fin, 1) == "(") avisar(kNumeroPegado);
            }
        } else if (c[i] == codigo::kMenos && ElevadoAPotencia(c, i + 1)) {
            avisar(kSignoYPotencia);
        } else if (EsOperadorBinario(c, i)) {
            if (siguiente == '\0' || siguiente == ')') avisar(kOperadorSinOperando);
            if (c[i] == '^') {
                const size_t fin = FinOperando(c, i + 1);
                if (fin > i + 1 && fin < c.size() && c[fin] == '^') avisar(kPotenciaEncadenada);
            }
            if (c[i] == '*' && siguiente == codigo::kVariable && i > 0 && EsDigito(c[i - 1]) &&
                VariableDeExponente(c, i + 1, tabla)) {
                avisar(kExponenteSinSigno);
            }
        }
    }
    return avisos;
}

void MostrarAvisos(const std::vector<std::string>& avisos) {
    std::fflush(stdout);
    for (const std::string& a : avisos) std::fprintf(stderr, "Aviso: %s\n", a.c_str());
}

}  // namespace relivo::cli
