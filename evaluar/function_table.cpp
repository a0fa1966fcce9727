#include "evaluar/function_table.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <vector>

#include "evaluar/arithmetic.h"
#include "evaluar/functions.h"
#include "platform/numbers.h"

namespace relivo {
namespace {

using namespace aritmetica;
using A = Argumento;
using P = Paridad;
using G = std::string_view;

// Spellings of each function, shared by its inverse (after "a", "ang" or
// "arc").
constexpr std::array<G, 2> kSin{"sen", "sin"};
constexpr std::array<G, 4> kCos{"cosen", "cosin", "csn", "cos"};
constexpr std::array<G, 4> kTan{"tan", "tgt", "tn", "tg"};
constexpr std::array<G, 7> kCot{"cotgt", "cotan", "cotg", "cotn", "ctg", "cot", "ctn"};
constexpr std::array<G, 1> kSec{"sec"};
constexpr std::array<G, 2> kCsc{"cosec", "csc"};
constexpr std::array<G, 4> kSinhip{"sinhip", "senhip", "sinh", "senh"};
constexpr std::array<G, 7> kCoship{"cosenhip", "cosinhip", "coship", "csnhip",
                                   "cosenh",   "cosh",     "csnh"};
constexpr std::array<G, 8> kTanhip{"tanhip", "tgthip", "tnhip", "tghip",
                                   "tanh",   "tgth",   "tnh",   "tgh"};
constexpr std::array<G, 12> kCothip{"cotanhip", "cotgthip", "cotnhip", "cotghip",
                                    "ctghip",   "cothip",   "ctnhip",  "cotanh",
                                    "cotgh",    "ctnh",     "coth",    "ctgh"};
constexpr std::array<G, 2> kSechip{"sechip", "sech"};
constexpr std::array<G, 4> kCschip{"cosechip", "cschip", "cosech", "csch"};
constexpr std::array<G, 1> kLgt{"lgt"};
constexpr std::array<G, 2> kLn{"log", "ln"};
constexpr std::array<G, 1> kExp{"exp"};
constexpr std::array<G, 2> kSqr{"sqrt", "sqr"};
constexpr std::array<G, 2> kCur{"curt", "cur"};
constexpr std::array<G, 1> kInt{"int"};
constexpr std::array<G, 1> kSgn{"sgn"};
constexpr std::array<G, 1> kAbs{"abs"};
constexpr std::array<G, 1> kPi{"pi"};
constexpr std::array<G, 1> kEuler{"euler"};
constexpr std::array<G, 2> kRnd{"rnd", "ran"};

// Exact values, tried in order.
constexpr std::array<ValorExacto, 4> kExactoSin{
    {{A::kCero, "0"}, {A::kPi, "0"}, {A::kSenoUno, "1"}, {A::kSenoMenosUno, "_1"}}};
constexpr std::array<ValorExacto, 3> kExactoCos{
    {{A::kCero, "1"}, {A::kPi, "_1"}, {A::kMedioPi, "0"}}};
constexpr std::array<ValorExacto, 4> kExactoTan{
    {{A::kCero, "0"}, {A::kPi, "0"}, {A::kTangenteUno, "1"}, {A::kTangenteMenosUno, "_1"}}};
constexpr std::array<ValorExacto, 3> kExactoCot{
    {{A::kMedioPi, "0"}, {A::kTangenteUno, "1"}, {A::kTangenteMenosUno, "_1"}}};
constexpr std::array<ValorExacto, 2> kExactoSec{{{A::kCero, "1"}, {A::kPi, "_1"}}};
constexpr std::array<ValorExacto, 2> kExactoCsc{{{A::kSenoUno, "1"}, {A::kSenoMenosUno, "_1"}}};
constexpr std::array<ValorExacto, 1> kCeroEnCero{{{A::kCero, "0"}}};
constexpr std::array<ValorExacto, 1> kUnoEnCero{{{A::kCero, "1"}}};
constexpr std::array<ValorExacto, 3> kExactoArcsin{
    {{A::kCero, "0"}, {A::kUno, "", 0.5}, {A::kMenosUno, "", 1.5}}};
constexpr std::array<ValorExacto, 3> kExactoArccos{
    {{A::kCero, "", 0.5}, {A::kUno, "0"}, {A::kMenosUno, "J"}}};
constexpr std::array<ValorExacto, 1> kExactoArccot{{{A::kCero, "", 0.5}}};
constexpr std::array<ValorExacto, 1> kCeroEnUno{{{A::kUno, "0"}}};
constexpr std::array<ValorExacto, 2> kExactoLgt{{{A::kUno, "0"}, {A::kDiez, "1"}}};
constexpr std::array<ValorExacto, 2> kExactoLn{{{A::kUno, "0"}, {A::kEuler, "1"}}};

double X2(double x) {
    return Multiplicar(x, x);
}

constexpr std::span<const G> kNinguna;
constexpr std::span<const ValorExacto> kSinExactos;

// The table. The formulas raise 5, 6 or 11 for arguments out of domain
// (checked arithmetic).
const std::array kTabla{
    DatosCodigo{codigo::kPi, "Pi", kPi, false, true, '\0', P::kNinguna, kSinExactos,
                [](double) { return Pi(); }},
    DatosCodigo{codigo::kEuler, "Euler", kEuler, false, true, '\0', P::kNinguna, kSinExactos,
                [](double) { return Exp(1); }},
    DatosCodigo{codigo::kRnd, "Rnd", kRnd, false, true, '\0', P::kNinguna, kSinExactos,
                [](double) { return Aleatorio(); }},
    DatosCodigo{codigo::kMenos, "-", kNinguna, false, false, '\0', P::kNinguna, kSinExactos,
                [](double x) { return -x; }},
    DatosCodigo{'a', "Sin", kSin, false, false, 'm', P::kImpar, kExactoSin,
                [](double x) { return std::sin(x); }},
    DatosCodigo{'b', "Cos", kCos, false, false, 'n', P::kPar, kExactoCos,
                [](double x) { return std::cos(x); }},
    DatosCodigo{'c', "Tan", kTan, false, false, 'o', P::kImpar, kExactoTan,
                [](double x) { return Comprobar(std::tan(x)); }},
    DatosCodigo{'d', "Cot", kCot, false, false, 'p', P::kImpar, kExactoCot,
                [](double x) { return Dividir(1, std::tan(x)); }},
    DatosCodigo{'e', "Sec", kSec, false, false, 'q', P::kPar, kExactoSec,
                [](double x) { return Dividir(1, std::cos(x)); }},
    DatosCodigo{'f', "Csc", kCsc, false, false, 'r', P::kImpar, kExactoCsc,
                [](double x) { return Dividir(1, std::sin(x)); }},
    DatosCodigo{'g', "Sinhip", kSinhip, false, false, 's', P::kImpar, kCeroEnCero,
                [](double x) { return Dividir(Restar(Exp(x), Exp(-x)), 2); }},
    DatosCodigo{'h', "Coship", kCoship, false, false, 't', P::kPar, kUnoEnCero,
                [](double x) { return Dividir(Sumar(Exp(x), Exp(-x)), 2); }},
    DatosCodigo{'i', "Tanhip", kTanhip, false, false, 'u', P::kImpar, kCeroEnCero,
                [](double x) { return Dividir(Restar(Exp(x), Exp(-x)), Sumar(Exp(x), Exp(-x))); }},
    DatosCodigo{'j', "Cothip", kCothip, false, false, 'v', P::kImpar, kSinExactos,
                [](double x) { return Dividir(Sumar(Exp(x), Exp(-x)), Restar(Exp(x), Exp(-x))); }},
    DatosCodigo{'k', "Sechip", kSechip, false, false, 'w', P::kPar, kUnoEnCero,
                [](double x) { return Dividir(2, Sumar(Exp(x), Exp(-x))); }},
    DatosCodigo{'l', "Cschip", kCschip, false, false, 'x', P::kImpar, kSinExactos,
                [](double x) { return Dividir(2, Restar(Exp(x), Exp(-x))); }},
    DatosCodigo{'m', "Arcsin", kSin, true, false, 'a', P::kImpar, kExactoArcsin,
                [](double x) { return std::atan(Dividir(x, Raiz(Restar(1, X2(x))))); }},
    DatosCodigo{
        'n', "Arccos", kCos, true, false, 'b', P::kNinguna, kExactoArccos,
        [](double x) { return Sumar(std::atan(Dividir(-x, Raiz(Restar(1, X2(x))))), MedioPi()); }},
    DatosCodigo{'o', "Arctan", kTan, true, false, 'c', P::kImpar, kCeroEnCero,
                [](double x) { return std::atan(x); }},
    DatosCodigo{'p', "Arccot", kCot, true, false, 'd', P::kNinguna, kExactoArccot,
                [](double x) { return Sumar(std::atan(x), MedioPi()); }},
    DatosCodigo{'q', "Arcsec", kSec, true, false, 'e', P::kImpar, kSinExactos,
                [](double x) {
                    return Sumar(std::atan(Dividir(x, Raiz(Restar(X2(x), 1)))),
                                 Signo(Restar(x, 1)) * MedioPi());
                }},
    // Arccsc is not odd by its formula (Arccsc(-x) = -Arccsc(x) - pi).
    DatosCodigo{'r', "Arccsc", kCsc, true, false, 'f', P::kNinguna, kSinExactos,
                [](double x) {
                    return Sumar(std::atan(Dividir(x, Raiz(Restar(X2(x), 1)))),
                                 (Signo(x) - 1) * MedioPi());
                }},
    DatosCodigo{'s', "Arcsinhip", kSinhip, true, false, 'g', P::kImpar, kCeroEnCero,
                [](double x) { return Ln(Sumar(x, Raiz(Sumar(X2(x), 1)))); }},
    DatosCodigo{'t', "Arccoship", kCoship, true, false, 'h', P::kNinguna, kCeroEnUno,
                [](double x) { return Ln(Sumar(x, Raiz(Restar(X2(x), 1)))); }},
    DatosCodigo{'u', "Arctanhip", kTanhip, true, false, 'i', P::kImpar, kCeroEnCero,
                [](double x) { return Dividir(Ln(Dividir(Sumar(x, 1), Restar(1, x))), 2); }},
    DatosCodigo{'v', "Arccothip", kCothip, true, false, 'j', P::kImpar, kSinExactos,
                [](double x) { return Dividir(Ln(Dividir(Sumar(x, 1), Restar(x, 1))), 2); }},
    DatosCodigo{'w', "Arcsechip", kSechip, true, false, 'k', P::kNinguna, kSinExactos,
                [](double x) { return Ln(Dividir(Sumar(Raiz(Restar(1, X2(x))), 1), x)); }},
    DatosCodigo{
        'x', "Arccschip", kCschip, true, false, 'l', P::kImpar, kSinExactos,
        [](double x) { return Ln(Dividir(Sumar(Signo(x) * Raiz(Sumar(X2(x), 1)), 1), x)); }},
    DatosCodigo{'y', "Lgt", kLgt, false, false, '\0', P::kNinguna, kExactoLgt,
                [](double x) { return Dividir(Ln(x), Ln(10)); }},
    DatosCodigo{'z', "Ln", kLn, false, false, 'A', P::kNinguna, kExactoLn,
                [](double x) { return Ln(x); }},
    DatosCodigo{'A', "Exp", kExp, false, false, 'z', P::kNinguna, kUnoEnCero,
                [](double x) { return Exp(x); }},
    DatosCodigo{'B', "Sqr", kSqr, false, false, '\0', P::kNinguna, kSinExactos,
                [](double x) { return Raiz(x); }},
    DatosCodigo{'C', "Cur", kCur, false, false, '\0', P::kNinguna, kSinExactos,
                [](double x) { return Potencia(x, 1.0 / 3.0); }},
    DatosCodigo{'F', "Int", kInt, false, false, '\0', P::kNinguna, kSinExactos,
                [](double x) { return static_cast<double>(numeros::AEntero16(x)); }},
    DatosCodigo{'G', "Sgn", kSgn, false, false, '\0', P::kNinguna, kSinExactos,
                [](double x) { return Signo(x); }},
    DatosCodigo{'H', "Abs", kAbs, false, false, '\0', P::kNinguna, kSinExactos,
                [](double x) { return std::fabs(x); }},
    DatosCodigo{codigo::kReservado, "", kNinguna, false, false, '\0', P::kNinguna, kSinExactos,
                [](double) { return 0.0; }},
};

// The rows indexed by character, every byte value included.
const std::array<const DatosCodigo*, 256> kPorCaracter = [] {
    std::array<const DatosCodigo*, 256> indice{};
    for (const DatosCodigo& d : kTabla) indice[static_cast<unsigned char>(d.codigo)] = &d;
    return indice;
}();

using Grafia = std::pair<std::string_view, char>;  // spelling -> code

// The spellings, plain or after an inverse prefix, longest first (so that
// "sinhip" is tried before "sinh" before "sin" and a long name is never cut
// into a short one and a variable).
std::vector<Grafia> Grafias(bool arco) {
    std::vector<Grafia> lista;
    for (const DatosCodigo& d : kTabla) {
        if (d.arco != arco) continue;
        for (G g : d.grafias) lista.emplace_back(g, d.codigo);
    }
    std::stable_sort(lista.begin(), lista.end(), [](const Grafia& a, const Grafia& b) {
        return a.first.size() > b.first.size();
    });
    return lista;
}
const std::vector<Grafia> kDirectas = Grafias(false);
const std::vector<Grafia> kArcos = Grafias(true);

const Grafia* Buscar(const std::vector<Grafia>& lista, std::string_view resto) {
    for (const Grafia& g : lista) {
        if (resto.starts_with(g.first)) return &g;
    }
    return nullptr;
}

}  // namespace

const DatosCodigo* BuscarCodigo(char c) {
    return kPorCaracter[static_cast<unsigned char>(c)];
}

const char* NombreVisible(char codigo) {
    const DatosCodigo* d = BuscarCodigo(codigo);
    return d == nullptr || d->nombre.empty() ? nullptr : d->nombre.data();
}

bool EsCodigoFuncion(char c) {
    const DatosCodigo* d = BuscarCodigo(c);
    return d != nullptr && !d->constante && !d->grafias.empty();
}

bool EsCodigoOConstante(char c) {
    const DatosCodigo* d = BuscarCodigo(c);
    return d != nullptr && !d->grafias.empty();
}

std::optional<std::pair<char, size_t>> Grafiar(std::string_view resto) {
    if (const Grafia* g = Buscar(kDirectas, resto)) return std::pair{g->second, g->first.size()};
    if (!resto.starts_with('a')) return std::nullopt;
    const size_t prefijo = resto.starts_with("ang") || resto.starts_with("arc") ? 3 : 1;
    if (const Grafia* g = Buscar(kArcos, resto.substr(prefijo))) {
        return std::pair{g->second, prefijo + g->first.size()};
    }
    return std::nullopt;
}

}  // namespace relivo
