// Guard against deep recursion: every recursive procedure of the engine
// enters one level on entry; past the limit it raises 28 ("Espacio de pila
// insuficiente") instead of exhausting the host thread's stack.
#pragma once

#include "relivo/platform/error.h"

namespace relivo {

// Deepest recursion the engine allows. Chosen so that the deepest chain of
// frames fits well inside a 1 MiB host thread stack, sanitizers included.
inline constexpr int kProfundidadMaxima = 400;

struct Profundidad {
    int nivel = 0;
};

class NivelRecursion {
public:
    explicit NivelRecursion(Profundidad& p) : p_(p) {
        if (p_.nivel >= kProfundidadMaxima) throw Fallo::Plataforma(errores::kPilaInsuficiente);
        ++p_.nivel;
    }
    ~NivelRecursion() { --p_.nivel; }
    NivelRecursion(const NivelRecursion&) = delete;
    NivelRecursion& operator=(const NivelRecursion&) = delete;

private:
    Profundidad& p_;
};

}  // namespace relivo
