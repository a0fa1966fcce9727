// Case tables under tests/data: one case a line, fields separated by tabs,
// "#" opens a comment line. A field may hold "\t", "\\" and "\xNN" for bytes
// that a plain line cannot carry.
#pragma once

#include <cstdlib>
#include <fstream>
#include <ostream>
#include <sstream>
#include <string>
#include <vector>

namespace relivo::prueba {

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

// "X,Y" as a list of names; "" is the empty list.
inline std::vector<std::string> Nombres(const std::string& lista) {
    std::vector<std::string> nombres;
    std::istringstream partes(lista);
    for (std::string n; std::getline(partes, n, ',');) nombres.push_back(n);
    return nombres;
}

}  // namespace relivo::prueba
