// ReducirFuncion: function codes, constants and the unary minus. The argument
// is reduced, then the application is rewritten by exact rules only: inverse
// functions cancel, exact values at multiples of pi (and of the inverse
// trigonometric functions at 0 and +-1) are written exactly, and a sign
// moves out of an odd function or vanishes inside an even one.
#include <string>

#include "evaluar/operand.h"
#include "evaluar/simplifier.h"
#include "platform/numbers.h"

namespace relivo {
namespace {

constexpr std::string_view kOperadores = "+-%*/^";

enum class Paridad { kNinguna, kPar, kImpar };

// The inverse whose application this code cancels, and the sign rule.
struct Regla {
    char anula;
    Paridad paridad;
};

Regla ReglaDe(char codigo) {
    using P = Paridad;
    switch (codigo) {
        case 'a':
            return {'m', P::kImpar};
        case 'b':
            return {'n', P::kPar};
        case 'c':
            return {'o', P::kImpar};
        case 'd':
            return {'p', P::kImpar};
        case 'e':
            return {'q', P::kPar};
        case 'f':
            return {'r', P::kImpar};
        case 'g':
            return {'s', P::kImpar};
        case 'h':
            return {'t', P::kPar};
        case 'i':
            return {'u', P::kImpar};
        case 'j':
            return {'v', P::kImpar};
        case 'k':
            return {'w', P::kPar};
        case 'l':
            return {'x', P::kImpar};
        case 'm':
            return {'a', P::kImpar};
        case 'n':
            return {'b', P::kNinguna};
        case 'o':
            return {'c', P::kImpar};
        case 'p':
            return {'d', P::kNinguna};
        case 'q':
            return {'e', P::kImpar};
        // Arccsc is not odd by its formula (Arccsc(-x) = -Arccsc(x) - pi).
        case 'r':
            return {'f', P::kNinguna};
        case 's':
            return {'g', P::kImpar};
        case 't':
            return {'h', P::kNinguna};
        case 'u':
            return {'i', P::kImpar};
        case 'v':
            return {'j', P::kImpar};
        case 'w':
            return {'k', P::kNinguna};
        case 'x':
            return {'l', P::kImpar};
        case 'y':
            return {'\0', P::kNinguna};
        case 'z':
            return {'A', P::kNinguna};
        case 'A':
            return {'z', P::kNinguna};
        default:
            return {'\0', P::kNinguna};
    }
}

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

// The exact value of the application of `codigo` to the reduced argument r;
// "" when no exact value applies.
std::string ValorExacto(char codigo, const std::string& r) {
    const Angulos a(r);
    const bool cero = r == "0";
    const bool uno = r == "1";
    const bool menos_uno = r == "-1" || r == "_1";
    switch (codigo) {
        case 'a':
            if (cero || a.Pi()) return "0";
            if (a.SenoUno()) return "1";
            if (a.SenoMenosUno()) return "_1";
            break;
        case 'b':
            if (cero) return "1";
            if (a.Pi()) return "_1";
            if (a.MedioPi()) return "0";
            break;
        case 'c':
            if (cero || a.Pi()) return "0";
            if (a.TangenteUno()) return "1";
            if (a.TangenteMenosUno()) return "_1";
            break;
        case 'd':
            if (a.MedioPi()) return "0";
            if (a.TangenteUno()) return "1";
            if (a.TangenteMenosUno()) return "_1";
            break;
        case 'e':
            if (cero) return "1";
            if (a.Pi()) return "_1";
            break;
        case 'f':
            if (a.SenoUno()) return "1";
            if (a.SenoMenosUno()) return "_1";
            break;
        case 'g':
        case 'i':
        case 'o':
        case 's':
        case 'u':
            if (cero) return "0";
            break;
        case 'h':
        case 'k':
        case 'A':
            if (cero) return "1";
            break;
        case 'm':
            if (cero) return "0";
            if (uno) return Angulos::Texto(0.5);
            if (menos_uno) return Angulos::Texto(1.5);
            break;
        case 'n':
            if (cero) return Angulos::Texto(0.5);
            if (uno) return "0";
            if (menos_uno) return "J";
            break;
        case 'p':
            if (cero) return Angulos::Texto(0.5);
            break;
        case 't':
            if (uno) return "0";
            break;
        case 'y':
            if (uno) return "0";
            if (r == "10") return "1";
            break;
        case 'z':
            if (uno) return "0";
            if (r == "K") return "1";
            break;
        default:
            break;
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

    bool negativo = false;
    std::string magnitud;
    if (!r.empty() &&
        ((r[0] == '-' && !HayOperador(std::string_view(r).substr(1), "+-")) || r[0] == '_')) {
        negativo = true;
        magnitud = QuitarParentesis(std::string_view(r).substr(1));
        if (HayOperador(magnitud, kOperadores)) magnitud = EntreParentesis(magnitud);
    }

    const Regla regla = ReglaDe(codigo);
    if (regla.anula != '\0' && !con_operador && !r.empty() && r[0] == regla.anula) {
        // The inner application's argument; an empty one ("lx", typed
        // "cschacsch") stands for "0", as every empty argument does.
        return r.size() > 1 ? r.substr(1) : "0";
    }
    std::string exacto = ValorExacto(codigo, r);
    if (!exacto.empty()) return exacto;
    if (negativo && regla.paridad == Paridad::kImpar)
        return "_" + std::string(1, codigo) + magnitud;
    if (negativo && regla.paridad == Paridad::kPar) return std::string(1, codigo) + magnitud;
    return s;
}

}  // namespace relivo
