#include "evaluar/canonical.h"

#include <utility>

#include "evaluar/function_table.h"
#include "evaluar/lexical.h"
#include "evaluar/messages.h"
#include "platform/numbers.h"
#include "relivo/platform/error.h"

namespace relivo {
namespace {

bool EsDigito(char c) {
    return c >= '0' && c <= '9';
}

bool Termina(const std::string& s, std::string_view caracteres) {
    return !s.empty() && caracteres.find(s.back()) != std::string_view::npos;
}

// The scan state of one Canonizar call.
class Canonizador {
public:
    Canonizador(std::string_view texto, TablaVariables& tabla) : tabla_(tabla) {
        ComprobarLargo(texto);
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
        if (const auto grafia = Grafiar(std::string_view(texto_).substr(pos_))) {
            const auto [codigo, largo] = *grafia;
            if (fin_operando_) salida_.push_back('*');
            salida_.push_back(codigo);
            fin_operando_ = BuscarCodigo(codigo)->constante;
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
        // The sign or blank that follows is read next: "-" turns the "+" into
        // "-", and "+" or a blank leaves it.
        salida_.append("E+");
        ++pos_;
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
                throw Fallo(mensajes::kCaracteresNoValidos);
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

std::string Canonizar(std::string_view texto, TablaVariables& tabla) {
    return Canonizador(texto, tabla).Ejecutar();
}

std::string TextoVisible(std::string_view canonico, const TablaVariables& tabla) {
    ComprobarLargo(canonico);
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
            if (digitos.empty() || digitos.size() > 6 || !numeros::EsNumero(digitos)) {
                throw Fallo::Plataforma(errores::kSubindice);
            }
            if (variable_antes) salida.push_back(' ');
            salida.append(tabla.Nombre(numeros::AEntero16(numeros::ANumero(digitos))));
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
