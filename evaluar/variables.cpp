#include "evaluar/variables.h"

#include "relivo/platform/error.h"

namespace relivo {

char AMinuscula(char c) {
    return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
}

bool EsLetraODigito(char c) {
    return (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9');
}

std::string NombreVariable(std::string_view crudo) {
    std::string nombre;
    nombre.reserve(crudo.size());
    for (char c : crudo) nombre.push_back(AMinuscula(c));
    if (!nombre.empty() && nombre[0] >= 'a' && nombre[0] <= 'z') {
        nombre[0] = static_cast<char>(nombre[0] - 'a' + 'A');
    }
    return nombre;
}

const std::string& TablaVariables::Nombre(int indice) const {
    if (indice < 1 || static_cast<size_t>(indice) > nombres.size()) {
        throw Fallo::Plataforma(errores::kSubindice);
    }
    return nombres[static_cast<size_t>(indice - 1)];
}

void TablaVariables::Redimensionar() {
    nombres.resize(static_cast<size_t>(cuenta));
    valores.assign(static_cast<size_t>(cuenta), 0.0);
    definidos.assign(static_cast<size_t>(cuenta), false);
}

int16_t TablaVariables::Agregar(std::string nombre) {
    if (cuenta == INT16_MAX) throw Fallo::Plataforma(errores::kDesbordamiento);
    ++cuenta;
    Redimensionar();
    nombres.back() = std::move(nombre);
    return cuenta;
}

void TablaVariables::QuitarUltima() {
    if (cuenta == 0) return;
    --cuenta;
    Redimensionar();
}

int16_t TablaVariables::BuscarPorNombre(std::string_view nombre) const {
    std::string buscado;
    buscado.reserve(nombre.size());
    for (char c : nombre) buscado.push_back(AMinuscula(c));
    for (int16_t i = 1; i <= cuenta; ++i) {
        const std::string& n = nombres[static_cast<size_t>(i - 1)];
        if (n.size() != buscado.size()) continue;
        bool igual = true;
        for (size_t k = 0; k < n.size() && igual; ++k) igual = AMinuscula(n[k]) == buscado[k];
        if (igual) return i;
    }
    return 0;
}

int16_t BuscarVariable(TablaVariables& tabla, std::string_view texto, int16_t inicio,
                       int16_t* longitud) {
    size_t fin = static_cast<size_t>(inicio - 1);
    while (fin < texto.size() && EsLetraODigito(AMinuscula(texto[fin]))) ++fin;
    const std::string_view crudo =
        texto.substr(static_cast<size_t>(inicio - 1), fin - static_cast<size_t>(inicio - 1));
    if (longitud != nullptr) *longitud = static_cast<int16_t>(crudo.size());
    std::string nombre = NombreVariable(crudo);
    for (int16_t i = 1; i <= tabla.cuenta; ++i) {
        if (tabla.nombres[static_cast<size_t>(i - 1)] == nombre) return i;
    }
    return tabla.Agregar(std::move(nombre));
}

}  // namespace relivo
