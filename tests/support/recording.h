// Recorded expectations: a test's output compared with a reviewed file under
// tests/data, or written anew with RELIVO_REGRABAR=1 for a change that is
// meant to alter it (review the difference before committing).
#pragma once

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

namespace relivo::prueba {

namespace fs = std::filesystem;

inline std::string Leer(const fs::path& ruta) {
    std::ifstream f(ruta, std::ios::binary);
    std::ostringstream s;
    s << f.rdbuf();
    return s.str();
}

inline std::vector<std::string> Lineas(const std::string& texto) {
    std::vector<std::string> lineas;
    std::istringstream s(texto);
    for (std::string l; std::getline(s, l);) lineas.push_back(l);
    return lineas;
}

inline bool Regrabar() {
    const char* v = std::getenv("RELIVO_REGRABAR");
    return v != nullptr && std::string(v) == "1";
}

// Compares the text with the recorded file line by line, naming the first
// input whose answer differs; or records it.
inline void Comparar(const std::string& obtenido, const fs::path& esperado,
                     const std::vector<std::string>& entradas = {}) {
    if (Regrabar()) {
        std::ofstream(esperado, std::ios::binary) << obtenido;
        return;
    }
    const std::vector<std::string> a = Lineas(obtenido);
    const std::vector<std::string> b = Lineas(Leer(esperado));
    for (size_t i = 0; i < std::min(a.size(), b.size()); ++i) {
        ASSERT_EQ(a[i], b[i]) << esperado.filename() << " line " << i + 1
                              << (i < entradas.size() ? " for " + entradas[i] : "");
    }
    ASSERT_EQ(a.size(), b.size()) << esperado.filename();
    EXPECT_EQ(obtenido, Leer(esperado)) << esperado.filename();
}

}  // namespace relivo::prueba
