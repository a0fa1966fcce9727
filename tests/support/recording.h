// The data of the tests under tests/data. Case tables: one case a line,
// fields separated by tabs, "#" opens a comment line; a field may hold "\t",
// "\\" and "\xNN" for bytes that a plain line cannot carry. Recorded
// expectations: a test's output compared with a reviewed file, or written
// anew with RELIVO_REGRABAR=1 for a change that is meant to alter it (review
// the difference before committing).
#pragma once

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <ostream>
#include <sstream>
#include <string>
#include <type_traits>
#include <vector>

#include "relivo/platform/error.h"

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

// Compares a file with the recorded one byte for byte (a file that was not
// written must have no recording); or records it.
inline void CompararArchivo(const fs::path& obtenido, const fs::path& esperado,
                            const std::string& contexto) {
    if (Regrabar()) {
        fs::remove(esperado);
        if (fs::exists(obtenido)) fs::copy_file(obtenido, esperado);
        return;
    }
    EXPECT_EQ(fs::exists(obtenido), fs::exists(esperado)) << contexto << ": " << esperado;
    EXPECT_TRUE(Leer(obtenido) == Leer(esperado)) << contexto << ": " << esperado;
}

struct FilaTabla {
    std::string archivo;
    int linea = 0;
    std::vector<std::string> campos;

    // The field i, or "" when the line has fewer fields.
    const std::string& operator[](size_t i) const {
        static const std::string vacio;
        return i < campos.size() ? campos[i] : vacio;
    }
};

inline void PrintTo(const FilaTabla& f, std::ostream* os) {
    *os << f.archivo << ':' << f.linea;
}

inline std::string DecodificarCampo(const std::string& campo) {
    std::string r;
    for (size_t i = 0; i < campo.size(); ++i) {
        if (campo[i] != '\\' || i + 1 == campo.size()) {
            r.push_back(campo[i]);
        } else if (campo[i + 1] == 'x' && i + 3 < campo.size()) {
            r.push_back(
                static_cast<char>(std::strtol(campo.substr(i + 2, 2).c_str(), nullptr, 16)));
            i += 3;
        } else {
            r.push_back(campo[i + 1] == 't' ? '\t' : campo[i + 1]);
            ++i;
        }
    }
    return r;
}

inline std::vector<FilaTabla> LeerTabla(const std::string& nombre) {
    std::ifstream archivo(std::string(RELIVO_TEST_DATA) + "/" + nombre, std::ios::binary);
    std::vector<FilaTabla> filas;
    std::string linea;
    for (int numero = 1; std::getline(archivo, linea); ++numero) {
        if (linea.empty() || linea[0] == '#') continue;
        FilaTabla fila{nombre, numero, {}};
        std::istringstream partes(linea);
        for (std::string campo; std::getline(partes, campo, '\t');) {
            fila.campos.push_back(DecodificarCampo(campo));
        }
        filas.push_back(fila);
    }
    return filas;
}

// What a step gives as a field of a table: its text ("" for a step that
// gives nothing), or "!N" when it raises the error N.
template <class F>
std::string ConError(F&& paso) {
    try {
        if constexpr (std::is_void_v<std::invoke_result_t<F>>) {
            paso();
            return "";
        } else {
            return paso();
        }
    } catch (const Fallo& f) {
        return "!" + std::to_string(f.numero());
    }
}

// "X,Y" as a list of names; "" is the empty list.
inline std::vector<std::string> Nombres(const std::string& lista) {
    std::vector<std::string> nombres;
    std::istringstream partes(lista);
    for (std::string n; std::getline(partes, n, ',');) nombres.push_back(n);
    return nombres;
}

}  // namespace relivo::prueba
