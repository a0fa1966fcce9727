// The tests' data files and the Linux build's recorded outputs, read with
// nlohmann-json. A file that cannot be read or parsed throws: the test that
// reads it fails with the reason.
#pragma once

#include <fstream>
#include <nlohmann/json.hpp>
#include <stdexcept>
#include <string>
#include <vector>

namespace prueba {

using Json = nlohmann::json;

// A JSON file, whole.
inline Json LeerJson(const std::string& ruta) {
    std::ifstream f(ruta, std::ios::binary);
    if (!f) throw std::runtime_error("no se puede leer " + ruta);
    return Json::parse(f);
}

// The values of a JSON Lines file, blank lines skipped.
inline std::vector<Json> LeerLineasJson(const std::string& ruta) {
    std::ifstream f(ruta, std::ios::binary);
    if (!f) throw std::runtime_error("no se puede leer " + ruta);
    std::vector<Json> r;
    for (std::string linea; std::getline(f, linea);) {
        if (linea.find_first_not_of(" \t\r") != std::string::npos) r.push_back(Json::parse(linea));
    }
    return r;
}

}  // namespace prueba
