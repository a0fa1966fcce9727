#include "evaluar/simplifier.h"

#include "platform/numbers.h"
#include "relivo/platform/error.h"

namespace relivo {

std::string Simplificador::Reducir(std::string_view texto) {
    NivelRecursion nivel(profundidad_);
    std::string t = QuitarParentesis(texto);

    const size_t primero = t.find_first_not_of(' ');
    if (primero == std::string::npos) return "0";

    if (numeros::EsNumero(t)) return numeros::FormaGeneral(numeros::ANumero(t));

    if (t[0] == 'L') {
        // A lone variable reference is irreducible. A text that opens a
        // reference and never closes it runs the 16-bit position past its
        // range.
        const size_t cierre = t.find('L', 1);
        if (cierre == std::string::npos) throw Fallo::Plataforma(errores::kDesbordamiento);
        if (cierre == t.size() - 1) return t;
    }

    if (HayOperador(t, "+-")) return ReducirSuma(t);
    if (HayOperador(t, "%")) return ReducirResiduo(t);
    if (HayOperador(t, "*/")) return ReducirProducto(t);
    if (HayOperador(t, "^")) return ReducirPotencia(t);
    return ReducirFuncion(t);
}

}  // namespace relivo
