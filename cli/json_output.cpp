#include "cli/json_output.h"

#include <cmath>
#include <iostream>
#include <stdexcept>

#include "platform/numbers.h"

namespace relivo::cli {

nlohmann::ordered_json NumeroJson(double valor) {
    if (valor == 0) return 0;
    if (std::trunc(valor) == valor && std::fabs(valor) < 9007199254740992.0) {
        return static_cast<int64_t>(valor);
    }
    return valor;
}

std::string Volcar(const nlohmann::ordered_json& valor, int sangria) {
    return valor.dump(sangria, ' ', false, nlohmann::ordered_json::error_handler_t::replace);
}

int LoteJson(const std::function<nlohmann::ordered_json(const std::string& linea)>& responder) {
    std::string linea;
    int fallos = 0;
    while (std::getline(std::cin, linea)) {
        if (linea.find_first_not_of(" \t\r") == std::string::npos) continue;
        const nlohmann::ordered_json r = responder(linea);
        fallos += r["numeroError"].get<int32_t>() != 0;
        std::cout << Volcar(r) << '\n';
    }
    std::cout.flush();
    return fallos == 0 ? 0 : 1;
}

bool OpcionSeparador(const Argumentos& args, size_t& i) {
    const std::string& a = args[i];
    if (a != "--separador" && a.rfind("--separador=", 0) != 0) return false;
    const std::string s =
        a == "--separador" ? (i + 1 < args.size() ? args[++i] : "") : a.substr(12);
    if (s.size() != 1) throw std::invalid_argument("--separador espera un solo carácter");
    numeros::FijarSeparadorDecimal(s[0]);
    return true;
}

std::string Unir(const std::vector<std::string>& nombres) {
    std::string s;
    for (const std::string& n : nombres) s += (s.empty() ? "" : ", ") + n;
    return s;
}

std::string Unir(const nlohmann::ordered_json& nombres) {
    return Unir(nombres.get<std::vector<std::string>>());
}

}  // namespace relivo::cli
