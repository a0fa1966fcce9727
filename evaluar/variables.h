// The variable table of an Evaluar instance and the name reader that fills it.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace relivo {

// Variables are numbered 1..cuenta in order of first appearance. Every change
// of the table's size keeps the names but clears all values and marks.
struct TablaVariables {
    int16_t cuenta = 0;
    std::vector<std::string> nombres;  // nombres[i - 1] is variable i
    std::vector<double> valores;
    std::vector<bool> definidos;
    int16_t cursor = 0;  // last index given by Variable(0)

    // Name of variable i (1-based); raises 9 outside the stored names.
    const std::string& Nombre(int indice) const;

    // Appends a name at the end (the count grows, raising 6 past 32,767).
    int16_t Agregar(std::string nombre);

    // Drops the last variable (the count shrinks by one).
    void QuitarUltima();

    // First index whose lower-cased name equals the lower-cased argument; 0 if none.
    int16_t BuscarPorNombre(std::string_view nombre) const;

private:
    void Redimensionar();
};

// Reads the name that begins at the 1-based position `inicio` of `texto`
// (letters a-z and digits, after lower-casing), and returns its index in the
// table, adding it at the end when it is new. `longitud` receives the length
// of the name that was read.
int16_t BuscarVariable(TablaVariables& tabla, std::string_view texto, int16_t inicio,
                       int16_t* longitud = nullptr);

// The name as read from text: the first character in upper case, the rest lower.
std::string NombreVariable(std::string_view crudo);

char AMinuscula(char c);
bool EsLetraODigito(char c);

}  // namespace relivo
