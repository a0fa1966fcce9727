// OrdenarTerminos: the normalised order of the operands of a sum, a product
// or a power chain.
#include <string>
#include <utility>

#include "evaluar/canonical.h"
#include "evaluar/simplifier.h"
#include "platform/numbers.h"

namespace relivo {
namespace {

// The sort key of an operand as the user reads it: its display form without
// its numeric coefficient ("2*L1L" -> "X", "2^L1L" -> "^X").
std::string Clave(const std::string& t, const TablaVariables& tabla) {
    const size_t largo = t.size();
    // j is the 1-based length of the first prefix that is not a number (a
    // leading sign alone is not one, so a signed operand is its own key).
    size_t j = 1;
    while (j < largo && numeros::EsNumero(std::string_view(t).substr(0, j))) ++j;
    if (j == largo) return TextoVisible(t, tabla);
    size_t desde = j - 1;
    if (t[desde] == '*') ++desde;
    return TextoVisible(std::string_view(t).substr(desde), tabla);
}

// Case-insensitive collation: symbols before digits before letters, and
// character code order inside each class. Each character becomes one weight,
// so comparing the weights compares the keys.
std::u16string Peso(const std::string& clave) {
    std::u16string peso;
    peso.reserve(clave.size());
    for (char ch : clave) {
        const unsigned char c = static_cast<unsigned char>(ch);
        char16_t w;
        if (c >= '0' && c <= '9') {
            w = static_cast<char16_t>(0x100 + c);
        } else if (c >= 'a' && c <= 'z') {
            w = static_cast<char16_t>(0x200 + c);
        } else if (c >= 'A' && c <= 'Z') {
            w = static_cast<char16_t>(0x200 + c - 'A' + 'a');
        } else {
            w = static_cast<char16_t>(c);
        }
        peso.push_back(w);
    }
    return peso;
}

struct Llave {
    bool numerica;
    std::u16string peso;
};

void Intercambiar(std::vector<bool>& v, size_t i, size_t k) {
    const bool t = v[i];
    v[i] = v[k];
    v[k] = t;
}

}  // namespace

// The order is that of the scan which, for each position i whose key is not
// numeric, looks from the last operand back towards i for an operand with a
// numeric key or a key that sorts before key i, swaps it into position i, and
// starts again from the last operand. Restarting never finds anything behind
// the operand just swapped: those operands did not sort before the old key i,
// which sorts after the new one, and the old operand i now stands where the
// swap took place. So one scan from the end to i, carried on past every swap,
// gives the same order. A key depends only on the operand's text, so it is
// computed once per operand and travels with it.
void Simplificador::OrdenarTerminos(std::vector<std::string>& operandos,
                                    std::vector<bool>& companeros, std::vector<bool>* extra) {
    const size_t n = operandos.size();
    if (n < 2) return;
    std::vector<Llave> llaves;
    llaves.reserve(n);
    for (const std::string& t : operandos) {
        const std::string clave = Clave(t, tabla_);
        llaves.push_back(Llave{numeros::EsNumero(clave), Peso(clave)});
    }
    for (size_t i = 0; i + 1 < n; ++i) {
        if (llaves[i].numerica) continue;
        for (size_t k = n - 1; k > i; --k) {
            if (!llaves[k].numerica && !(llaves[i].peso > llaves[k].peso)) continue;
            std::swap(operandos[i], operandos[k]);
            std::swap(llaves[i], llaves[k]);
            Intercambiar(companeros, i, k);
            if (extra != nullptr) Intercambiar(*extra, i, k);
            if (llaves[i].numerica) break;
        }
    }
}

}  // namespace relivo
