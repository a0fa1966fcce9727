// ReducirFuncion: function codes, constants and the unary minus. The argument
// is reduced, then the application is rewritten by exact rules only: inverse
// functions cancel, exact values at multiples of pi (and of the inverse
// trigonometric functions at 0 and +-1) are written exactly, and a sign
// moves out of an odd function or vanishes inside an even one.
#include <string>

#include "evaluar/function_table.h"
#include "evaluar/operand.h"
#include "evaluar/simplifier.h"
#include "platform/numbers.h"

namespace relivo {
namespace {

// The exact texts of multiples of pi. A multiple k is the number k in the
// general number form (so it carries the user's decimal separator, as every
// number the reducers write) followed by "*J"; a negative multiple is also
// written as the unary minus of the positive one in parentheses.
class Angulos {
public:
    explicit Angulos(const std::string& r) : r_(r) {}

    bool Multiplo(double k) const { return r_ == Texto(k); }
    bool MenosMultiplo(double k) const { return r_ == Texto(-k) || r_ == "_(" + Texto(k) + ")"; }

    bool Pi() const { return r_ == "J" || r_ == "-J" || r_ == "_J"; }
    bool MedioPi() const {
        return Multiplo(0.5) || Multiplo(1.5) || MenosMultiplo(0.5) || MenosMultiplo(1.5);
    }
    bool SenoUno() const { return Multiplo(0.5) || MenosMultiplo(1.5); }
    bool SenoMenosUno() const { return Multiplo(1.5) || MenosMultiplo(0.5); }
    bool TangenteUno() const {
        return Multiplo(0.25) || Multiplo(1.25) || MenosMultiplo(0.75) || MenosMultiplo(1.75);
    }
    bool TangenteMenosUno() const {
        return Multiplo(0.75) || Multiplo(1.75) || MenosMultiplo(0.25) || MenosMultiplo(1.25);
    }

    static std::string Texto(double k) { return numeros::FormaGeneral(k) + "*J"; }

private:
    const std::string& r_;
};

bool Cumple(Argumento cuando, const std::string& r) {
    const Angulos a(r);
    switch (cuando) {
        case Argumento::kCero:
            return r == "0";
        case Argumento::kUno:
            return r == "1";
        case Argumento::kMenosUno:
            return r == "-1" || r == "_1";
        case Argumento::kDiez:
            return r == "10";
        case Argumento::kEuler:
            return r == "K";
        case Argumento::kPi:
            return a.Pi();
        case Argumento::kMedioPi:
            return a.MedioPi();
        case Argumento::kSenoUno:
            return a.SenoUno();
        case Argumento::kSenoMenosUno:
            return a.SenoMenosUno();
        case Argumento::kTangenteUno:
            return a.TangenteUno();
        case Argumento::kTangenteMenosUno:
            return a.TangenteMenosUno();
    }
    return false;
}

// The exact value of the application of `d` to the reduced argument r;
// "" when no exact value applies.
std::string ValorExactoDe(const DatosCodigo& d, const std::string& r) {
    for (const ValorExacto& v : d.exactos) {
        if (!Cumple(v.cuando, r)) continue;
        return v.texto.empty() ? Angulos::Texto(v.multiplo_pi) : std::string(v.texto);
    }
    return std::string();
}

}  // namespace

std::string Simplificador::ReducirFuncion(std::string_view texto) {
    NivelRecursion nivel(profundidad_);
    ComprobarLargo(texto);
    const char codigo = texto.empty() ? '\0' : texto[0];
    // A text that opens with "(" and that Reducir did not strip is a group
    // followed by an operand with no operator between them ("(L1L)2", typed
    // "(x)2": a digit after ")" gets no implicit product). It applies nothing,
    // and its "argument" would be an unbalanced piece of text.
    if (codigo == '(') throw Fallo::Plataforma(errores::kArgumentoNoValido);
    // A digit or a point here begins a number that the number reader refuses
    // ("1.2.0", "1E+5E+3"), and "L" a variable followed by one ("L1L.5",
    // typed "x.5"): as in any conversion of such a text, the types do not
    // match.
    if ((codigo >= '0' && codigo <= '9') || codigo == '.' || codigo == 'L') {
        throw Fallo::Plataforma(errores::kTiposNoCoinciden);
    }
    const std::string_view argumento = texto.empty() ? texto : texto.substr(1);
    const std::string r = QuitarParentesis(Reducir(argumento));

    // The application rebuilt around the reduced argument; an argument that
    // reduces to "0" leaves the text as it was written ("J", "B0").
    const bool con_operador = HayOperador(r, kOperadores);
    std::string s;
    if (con_operador) {
        s = std::string(1, codigo) + EntreParentesis(r);
    } else if (r != "0") {
        s = std::string(1, codigo) + r;
    } else {
        s = std::string(texto);
    }

    // A leading sign makes the argument negative only when it applies to the
    // whole of it: in "_L2L+L1L" (-y + x) the "_" negates the first term of a
    // sum, and the sum keeps its sign inside.
    bool negativo = false;
    std::string magnitud;
    if (SignoDelTodo(r)) {
        negativo = true;
        magnitud = QuitarParentesis(std::string_view(r).substr(1));
        if (HayOperador(magnitud, kOperadores)) magnitud = EntreParentesis(magnitud);
    }

    static const DatosCodigo kNinguno{};
    const DatosCodigo* d = BuscarCodigo(codigo);
    const DatosCodigo& regla = d != nullptr ? *d : kNinguno;
    if (regla.inversa != '\0' && !con_operador && !r.empty() && r[0] == regla.inversa) {
        // The inner application's argument; an empty one ("lx", typed
        // "cschacsch") stands for "0", as every empty argument does.
        Anotar(kInversas);
        return r.size() > 1 ? r.substr(1) : "0";
    }
    std::string exacto = ValorExactoDe(regla, r);
    if (!exacto.empty()) {
        Anotar(kValorExacto);
        return exacto;
    }
    if (negativo && regla.paridad == Paridad::kImpar)
        return "_" + std::string(1, codigo) + magnitud;
    if (negativo && regla.paridad == Paridad::kPar) return std::string(1, codigo) + magnitud;
    return s;
}

}  // namespace relivo
