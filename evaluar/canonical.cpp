#include "evaluar/canonical.h"

#include <array>
#include <utility>

#include "evaluar/errors.h"
#include "platform/error.h"
#include "platform/numbers.h"

namespace relivo {
namespace {

using Grafia = std::pair<std::string_view, char>;  // spelling -> code

// Spellings of each starting letter, longer ones before their prefixes.
constexpr std::array kGrupoS{
    Grafia{"sinhip", 'g'}, Grafia{"senhip", 'g'}, Grafia{"sechip", 'k'}, Grafia{"sinh", 'g'},
    Grafia{"senh", 'g'},   Grafia{"sech", 'k'},   Grafia{"sqrt", 'B'},   Grafia{"sen", 'a'},
    Grafia{"sin", 'a'},    Grafia{"sec", 'e'},    Grafia{"sqr", 'B'},    Grafia{"sgn", 'G'},
};
constexpr std::array kGrupoC{
    Grafia{"cosenhip", 'h'}, Grafia{"cosinhip", 'h'}, Grafia{"cotanhip", 'j'},
    Grafia{"cotgthip", 'j'}, Grafia{"cosechip", 'l'}, Grafia{"cotnhip", 'j'},
    Grafia{"cotghip", 'j'},  Grafia{"coship", 'h'},   Grafia{"csnhip", 'h'},
    Grafia{"ctghip", 'j'},   Grafia{"cothip", 'j'},   Grafia{"ctnhip", 'j'},
    Grafia{"cschip", 'l'},   Grafia{"cosenh", 'h'},   Grafia{"cotanh", 'j'},
    Grafia{"cosech", 'l'},   Grafia{"cotgh", 'j'},    Grafia{"cosen", 'b'},
    Grafia{"cosin", 'b'},    Grafia{"cotgt", 'd'},    Grafia{"cotan", 'd'},
    Grafia{"cosec", 'f'},    Grafia{"cosh", 'h'},     Grafia{"csnh", 'h'},
    Grafia{"ctnh", 'j'},     Grafia{"coth", 'j'},     Grafia{"ctgh", 'j'},
    Grafia{"csch", 'l'},     Grafia{"cotg", 'd'},     Grafia{"cotn", 'd'},
    Grafia{"curt", 'C'},     Grafia{"csn", 'b'},      Grafia{"cos", 'b'},
    Grafia{"ctg", 'd'},      Grafia{"cot", 'd'},      Grafia{"ctn", 'd'},
    Grafia{"csc", 'f'},      Grafia{"cur", 'C'},
};
constexpr std::array kGrupoT{
    Grafia{"tanhip", 'i'}, Grafia{"tgthip", 'i'}, Grafia{"tnhip", 'i'}, Grafia{"tghip", 'i'},
    Grafia{"tanh", 'i'},   Grafia{"tgth", 'i'},   Grafia{"tnh", 'i'},   Grafia{"tgh", 'i'},
    Grafia{"tan", 'c'},    Grafia{"tgt", 'c'},    Grafia{"tn", 'c'},    Grafia{"tg", 'c'},
};
// Inverse functions, after the prefix "ang", "arc" or "a".
constexpr std::array kInversaS{
    Grafia{"sinhip", 's'}, Grafia{"senhip", 's'}, Grafia{"sechip", 'w'},
    Grafia{"sinh", 's'},   Grafia{"senh", 's'},   Grafia{"sech", 'w'},
    Grafia{"sin", 'm'},    Grafia{"sen", 'm'},    Grafia{"sec", 'q'},
};
constexpr std::array kInversaC{
    Grafia{"cosinhip", 't'}, Grafia{"cosenhip", 't'}, Grafia{"cotanhip", 'v'},
    Grafia{"cotgthip", 'v'}, Grafia{"cosechip", 'x'}, Grafia{"cotnhip", 'v'},
    Grafia{"cotghip", 'v'},  Grafia{"csnhip", 't'},   Grafia{"coship", 't'},
    Grafia{"ctnhip", 'v'},   Grafia{"ctghip", 'v'},   Grafia{"cothip", 'v'},
    Grafia{"cschip", 'x'},   Grafia{"cosenh", 't'},   Grafia{"cotanh", 'v'},
    Grafia{"cosech", 'x'},   Grafia{"cotgh", 'v'},    Grafia{"cosen", 'n'},
    Grafia{"cosin", 'n'},    Grafia{"cotgt", 'p'},    Grafia{"cotan", 'p'},
    Grafia{"cosec", 'r'},    Grafia{"cosh", 't'},     Grafia{"csnh", 't'},
    Grafia{"coth", 'v'},     Grafia{"ctgh", 'v'},     Grafia{"ctnh", 'v'},
    Grafia{"csch", 'x'},     Grafia{"cotg", 'p'},     Grafia{"cotn", 'p'},
    Grafia{"csn", 'n'},      Grafia{"cos", 'n'},      Grafia{"ctn", 'p'},
    Grafia{"ctg", 'p'},      Grafia{"cot", 'p'},      Grafia{"csc", 'r'},
};
constexpr std::array kInversaT{
    Grafia{"tanhip", 'u'}, Grafia{"tgthip", 'u'}, Grafia{"tnhip", 'u'}, Grafia{"tghip", 'u'},
    Grafia{"tgth", 'u'},   Grafia{"tanh", 'u'},   Grafia{"tnh", 'u'},   Grafia{"tgh", 'u'},
    Grafia{"tan", 'o'},    Grafia{"tgt", 'o'},    Grafia{"tn", 'o'},    Grafia{"tg", 'o'},
};
constexpr std::array kGrupoL{Grafia{"lgt", 'y'}, Grafia{"log", 'z'}, Grafia{"ln", 'z'}};
constexpr std::array kGrupoE{Grafia{"euler", 'K'}, Grafia{"exp", 'A'}};
constexpr std::array kGrupoR{Grafia{"rnd", 'D'}, Grafia{"ran", 'D'}};
constexpr std::array kGrupoP{Grafia{"pi", 'J'}};
constexpr std::array kGrupoI{Grafia{"int", 'F'}};

template <size_t N>
const Grafia* Buscar(const std::array<Grafia, N>& grupo, std::string_view resto) {
    for (const Grafia& g : grupo) {
        if (resto.substr(0, g.first.size()) == g.first) return &g;
    }
    return nullptr;
}

// The spelling of a function or constant that begins `resto`, with the length
// it takes in the text; {0, 0} when none does.
std::pair<char, size_t> Grafiar(std::string_view resto) {
    const Grafia* g = nullptr;
    switch (resto[0]) {
        case 's':
            g = Buscar(kGrupoS, resto);
            break;
        case 'c':
            g = Buscar(kGrupoC, resto);
            break;
        case 't':
            g = Buscar(kGrupoT, resto);
            break;
        case 'l':
            g = Buscar(kGrupoL, resto);
            break;
        case 'e':
            g = Buscar(kGrupoE, resto);
            break;
        case 'r':
            g = Buscar(kGrupoR, resto);
            break;
        case 'p':
            g = Buscar(kGrupoP, resto);
            break;
        case 'i':
            g = Buscar(kGrupoI, resto);
            break;
        case 'a': {
            if (resto.substr(0, 3) == "abs") return {'H', 3};
            size_t prefijo = 1;
            if (resto.substr(0, 3) == "ang" || resto.substr(0, 3) == "arc") prefijo = 3;
            const std::string_view nombre = resto.substr(prefijo);
            if (nombre.empty()) return {0, 0};
            if (nombre[0] == 's') g = Buscar(kInversaS, nombre);
            if (nombre[0] == 'c') g = Buscar(kInversaC, nombre);
            if (nombre[0] == 't') g = Buscar(kInversaT, nombre);
            if (g != nullptr) return {g->second, prefijo + g->first.size()};
            return {0, 0};
        }
        default:
            break;
    }
    if (g == nullptr) return {0, 0};
    return {g->second, g->first.size()};
}

bool EsDigito(char c) {
    return c >= '0' && c <= '9';
}

bool Termina(const std::string& s, std::string_view caracteres) {
    return !s.empty() && caracteres.find(s.back()) != std::string_view::npos;
}

void ComprobarLongitud(std::string_view texto) {
    if (texto.size() > 32767) throw Fallo::Plataforma(errores::kDesbordamiento);
}

// The scan state of one Canonizar call.
class Canonizador {
public:
    Canonizador(std::string_view texto, TablaVariables& tabla) : tabla_(tabla) {
        ComprobarLongitud(texto);
        texto_.reserve(texto.size());
        for (char c : texto) texto_.push_back(AMinuscula(c));
        salida_.reserve(texto.size() + 16);
    }

    std::string Ejecutar() {
        const char separador = numeros::SeparadorDecimal();
        while (pos_ < texto_.size()) {
            const char c = texto_[pos_];
            if (c >= 'a' && c <= 'z') {
                Letra(c);
            } else if (EsDigito(c)) {
                Digito(c);
            } else if (c == '.' || c == separador) {
                fin_operando_ = true;
                buffer_.push_back('.');
                salida_.push_back('.');
                ++pos_;
            } else {
                Simbolo(c);
            }
        }
        if (Termina(salida_, " ")) salida_.pop_back();
        for (char& s : salida_) {
            if (s == ' ') s = '*';
        }
        return std::move(salida_);
    }

private:
    void Letra(char c) {
        buffer_.clear();
        const auto [codigo, largo] = Grafiar(std::string_view(texto_).substr(pos_));
        if (codigo != 0) {
            if (fin_operando_) salida_.push_back('*');
            salida_.push_back(codigo);
            fin_operando_ = codigo == 'J' || codigo == 'K' || codigo == 'D';
            pos_ += largo;
        } else if (c == 'e') {
            LetraE();
        } else {
            Variable();
        }
    }

    void Variable() {
        if (fin_operando_) salida_.push_back('*');
        int16_t largo = 0;
        const int16_t indice = BuscarVariable(tabla_, texto_, Posicion(), &largo);
        salida_.push_back('L');
        salida_.append(std::to_string(indice));
        salida_.push_back('L');
        fin_operando_ = true;
        pos_ += static_cast<size_t>(largo);
    }

    void LetraE() {
        if (fin_operando_) salida_.push_back('*');
        fin_operando_ = true;
        int16_t largo = 0;
        const size_t cuenta_antes = static_cast<size_t>(tabla_.cuenta);
        const int16_t indice = BuscarVariable(tabla_, texto_, Posicion(), &largo);
        if (largo > 1) {
            salida_.push_back('L');
            salida_.append(std::to_string(indice));
            salida_.push_back('L');
            pos_ += static_cast<size_t>(largo);
            return;
        }
        if (static_cast<size_t>(tabla_.cuenta) > cuenta_antes) tabla_.QuitarUltima();
        // An exponent needs its sign (or a blank before the digits, which the
        // blank rule drops): after "2e*3", "2e.5" or "2e(3" the "E+" would be
        // cut by the next rule into a number that reads as nothing ("2E*3"),
        // so there "e" is Euler's number.
        const bool exponente =
            pos_ + 2 < texto_.size() && EsDigito(texto_[pos_ + 2]) && pos_ >= 1 &&
            EsDigito(texto_[pos_ - 1]) &&
            (texto_[pos_ + 1] == '+' || texto_[pos_ + 1] == '-' || texto_[pos_ + 1] == ' ');
        if (!exponente) {
            salida_.push_back('K');
            ++pos_;
            return;
        }
        if (Termina(salida_, "*")) salida_.pop_back();
        const char siguiente = texto_[pos_ + 1];
        if (siguiente == '+' || siguiente == '-') {
            salida_.push_back('E');
            salida_.push_back(siguiente);
            pos_ += 2;
        } else {
            salida_.append("E+");
            pos_ += 1;
        }
        fin_operando_ = false;
    }

    void Digito(char c) {
        fin_operando_ = true;
        if (buffer_ == "0") {
            salida_.pop_back();
            buffer_.clear();
        }
        salida_.push_back(c);
        buffer_.push_back(c);
        ++pos_;
    }

    void Simbolo(char c) {
        buffer_.clear();
        switch (c) {
            case ' ':
                if (fin_operando_) salida_.push_back(' ');
                fin_operando_ = false;
                break;
            case '(':
                if (fin_operando_) salida_.push_back('*');
                salida_.push_back('(');
                fin_operando_ = false;
                break;
            case ')':
                if (Termina(salida_, " ")) salida_.pop_back();
                salida_.push_back(')');
                fin_operando_ = true;
                break;
            case '+':
                fin_operando_ = false;
                if (Termina(salida_, " ^%/*+")) salida_.pop_back();
                if (!Termina(salida_, "-")) salida_.push_back('+');
                break;
            case '%':
            case '*':
            case '/':
            case '^':
                fin_operando_ = false;
                if (Termina(salida_, " -^%/*+")) salida_.pop_back();
                if (Termina(salida_, "-")) salida_.pop_back();
                salida_.push_back(c);
                break;
            case '-':
                fin_operando_ = false;
                Menos();
                break;
            default:
                throw FalloEvaluar(kCaracteresNoValidos);
        }
        ++pos_;
    }

    void Menos() {
        if (salida_.size() < 2) {
            if (salida_.empty() || salida_ == "+") {
                salida_.assign(1, '_');
            } else if (salida_ == "-" || salida_ == "_") {
                salida_.clear();
            } else if (Termina(salida_, "/*%^")) {
                salida_.push_back('_');
            } else {
                salida_.push_back('-');
            }
            return;
        }
        const bool blanco = salida_.back() == ' ';
        const size_t decisivo = salida_.size() - (blanco ? 2 : 1);
        const char d = salida_[decisivo];
        if (EsDigito(d) || d == ')' || d == 'D' || d == 'L' || d == 'K' || d == 'J' || d == '.') {
            if (blanco) salida_.pop_back();
            salida_.push_back('-');
        } else if (d == '-') {
            salida_[decisivo] = '+';
        } else if (d == '_') {
            salida_.erase(decisivo, 1);
        } else if (d == '+') {
            salida_[decisivo] = '-';
        } else if (d == '(' || d == '/' || d == '*' || d == '%' || d == '^') {
            salida_.push_back('_');
        } else {
            salida_.push_back('-');
        }
    }

    int16_t Posicion() const { return static_cast<int16_t>(pos_ + 1); }

    std::string texto_;
    TablaVariables& tabla_;
    std::string salida_;
    std::string buffer_;
    size_t pos_ = 0;
    bool fin_operando_ = false;
};

}  // namespace

const char* NombreVisible(char codigo) {
    switch (codigo) {
        case 'J':
            return "Pi";
        case 'K':
            return "Euler";
        case 'D':
            return "Rnd";
        case '_':
            return "-";
        case 'a':
            return "Sin";
        case 'b':
            return "Cos";
        case 'c':
            return "Tan";
        case 'd':
            return "Cot";
        case 'e':
            return "Sec";
        case 'f':
            return "Csc";
        case 'g':
            return "Sinhip";
        case 'h':
            return "Coship";
        case 'i':
            return "Tanhip";
        case 'j':
            return "Cothip";
        case 'k':
            return "Sechip";
        case 'l':
            return "Cschip";
        case 'm':
            return "Arcsin";
        case 'n':
            return "Arccos";
        case 'o':
            return "Arctan";
        case 'p':
            return "Arccot";
        case 'q':
            return "Arcsec";
        case 'r':
            return "Arccsc";
        case 's':
            return "Arcsinhip";
        case 't':
            return "Arccoship";
        case 'u':
            return "Arctanhip";
        case 'v':
            return "Arccothip";
        case 'w':
            return "Arcsechip";
        case 'x':
            return "Arccschip";
        case 'y':
            return "Lgt";
        case 'z':
            return "Ln";
        case 'A':
            return "Exp";
        case 'B':
            return "Sqr";
        case 'C':
            return "Cur";
        case 'F':
            return "Int";
        case 'G':
            return "Sgn";
        case 'H':
            return "Abs";
        default:
            return nullptr;
    }
}

bool EsCodigoFuncion(char c) {
    return (c >= 'a' && c <= 'z') || c == 'A' || c == 'B' || c == 'C' || c == 'F' || c == 'G' ||
           c == 'H';
}

std::string Canonizar(std::string_view texto, TablaVariables& tabla) {
    return Canonizador(texto, tabla).Ejecutar();
}

std::string TextoVisible(std::string_view canonico, const TablaVariables& tabla) {
    ComprobarLongitud(canonico);
    std::string salida;
    salida.reserve(canonico.size() * 2);
    bool variable_antes = false;
    size_t i = 0;
    while (i < canonico.size()) {
        const char c = canonico[i];
        if (c == 'L') {
            const size_t cierre = canonico.find('L', i + 1);
            if (cierre == std::string_view::npos) throw Fallo::Plataforma(errores::kDesbordamiento);
            const std::string_view digitos = canonico.substr(i + 1, cierre - i - 1);
            const int indice = digitos.empty() || digitos.size() > 6 || !numeros::EsNumero(digitos)
                                   ? -1
                                   : numeros::AEntero16(numeros::ANumero(digitos));
            if (variable_antes) salida.push_back(' ');
            salida.append(tabla.Nombre(indice));
            variable_antes = true;
            i = cierre + 1;
            continue;
        }
        const char* nombre = NombreVisible(c);
        if (nombre != nullptr) {
            salida.append(nombre);
        } else {
            salida.push_back(c);
        }
        variable_antes = false;
        ++i;
    }
    return salida;
}

}  // namespace relivo
