#include "cli/json_output.h"

#include <cmath>

namespace relivo::cli {

nlohmann::ordered_json NumeroJson(double valor) {
    if (valor == 0) return 0;
    if (std::trunc(valor) == valor && std::fabs(valor) < 9007199254740992.0) {
        return static_cast<int64_t>(valor);
    }
    return valor;
}

std::string Volcar(const nlohmann::ordered_json& valor) {
    return valor.dump(-1, ' ', false, nlohmann::ordered_json::error_handler_t::replace);
}

std::string Unir(const nlohmann::ordered_json& nombres) {
    std::string s;
    for (const auto& n : nombres) {
        if (!s.empty()) s += ", ";
        s += n.get<std::string>();
    }
    return s;
}

}  // namespace relivo::cli
