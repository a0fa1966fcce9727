#include "platform/numbers.h"

#include <locale.h>

#include <atomic>
#include <charconv>
#include <clocale>
#include <cmath>
#include <cstdio>
#include <cstdlib>

#include "relivo/platform/error.h"

namespace relivo::numeros {
namespace {

std::atomic<char> g_separador{'\0'};

char SeparadorDelLocale() {
    const lconv* lc = std::localeconv();
    if (lc != nullptr && lc->decimal_point != nullptr && lc->decimal_point[0] == ',') return ',';
    return '.';
}

bool EsDigito(char c) {
    return c >= '0' && c <= '9';
}
bool EsBlanco(char c) {
    return c == ' ' || c == '\t';
}

// Checks the form and copies the number into `normal` with "." as separator
// and no blanks, ready for the C library's reader.
bool Normalizar(std::string_view t, std::string* normal) {
    const char sep = SeparadorDecimal();
    size_t i = 0;
    size_t n = t.size();
    while (i < n && EsBlanco(t[i])) ++i;
    while (n > i && EsBlanco(t[n - 1])) --n;
    if (i < n && (t[i] == '+' || t[i] == '-')) {
        if (normal) normal->push_back(t[i]);
        ++i;
    }
    bool digitos = false;
    bool punto = false;
    for (; i < n; ++i) {
        const char c = t[i];
        if (EsDigito(c)) {
            digitos = true;
        } else if ((c == '.' || c == sep) && !punto) {
            punto = true;
        } else {
            break;
        }
        if (normal) normal->push_back(EsDigito(c) ? c : '.');
    }
    if (!digitos) return false;
    if (i < n && (t[i] == 'E' || t[i] == 'e')) {
        if (normal) normal->push_back('e');
        ++i;
        if (i < n && (t[i] == '+' || t[i] == '-')) {
            if (normal) normal->push_back(t[i]);
            ++i;
        }
        bool exp_digitos = false;
        for (; i < n && EsDigito(t[i]); ++i) {
            exp_digitos = true;
            if (normal) normal->push_back(t[i]);
        }
        if (!exp_digitos) return false;
    }
    return i == n;
}

// The C library's reader in the "C" locale, whatever locale the host set.
double LeerEnLocaleC(const char* texto) {
#ifdef _WIN32
    static const _locale_t c = _create_locale(LC_NUMERIC, "C");
    return _strtod_l(texto, nullptr, c);
#else
    static const locale_t c = newlocale(LC_NUMERIC_MASK, "C", static_cast<locale_t>(nullptr));
    return strtod_l(texto, nullptr, c);
#endif
}

// d.dddddddddddddde±x: 15 significant digits, correctly rounded; and the
// shortest text that reads back to the same double. From the C++ library's
// to_chars where it has the double overloads, else from printf (the
// WebAssembly build).
std::string Cientifica15(double valor) {
#if defined(__cpp_lib_to_chars)
    char buf[64];
    const auto r = std::to_chars(buf, buf + sizeof buf, valor, std::chars_format::scientific, 14);
    return std::string(buf, r.ptr);
#else
    return CientificaPorPrintf(valor);
#endif
}

std::string MasCorto(double valor) {
#if defined(__cpp_lib_to_chars)
    char buf[64];
    const auto r = std::to_chars(buf, buf + sizeof buf, valor);
    return std::string(buf, r.ptr);
#else
    return MasCortoPorPrintf(valor);
#endif
}

}  // namespace

std::string CientificaPorPrintf(double valor) {
    char buf[64];
    const int n = std::snprintf(buf, sizeof buf, "%.14e", valor);
    return std::string(buf, static_cast<size_t>(n));
}

// The shortest digits that read back to the same double, written as fixed
// or exponent form, whichever is shorter (fixed on a tie); a whole number in
// fixed form is written exactly.
std::string MasCortoPorPrintf(double valor) {
    char buf[64];
    int n = 0;
    for (int decimales = 0; decimales <= 17; ++decimales) {
        n = std::snprintf(buf, sizeof buf, "%.*e", decimales, valor);
        if (LeerEnLocaleC(buf) == valor) break;
    }
    const std::string cientifica(buf, static_cast<size_t>(n));
    std::string_view s = cientifica;
    const bool negativo = s[0] == '-';
    if (negativo) s.remove_prefix(1);
    const size_t e = s.find('e');
    std::string digitos(1, s[0]);
    if (e > 1) digitos.append(s.substr(2, e - 2));
    const int exponente = std::atoi(std::string(s.substr(e + 1)).c_str());
    const int cifras = static_cast<int>(digitos.size());
    std::string fija = negativo ? "-" : "";
    if (exponente < 0) {
        fija.append("0.");
        fija.append(static_cast<size_t>(-exponente - 1), '0');
        fija.append(digitos);
    } else if (exponente < cifras - 1) {
        fija.append(digitos, 0, static_cast<size_t>(exponente) + 1);
        fija.push_back('.');
        fija.append(digitos, static_cast<size_t>(exponente) + 1, std::string::npos);
    } else {
        char entero[320];  // a double has at most 309 whole digits
        n = std::snprintf(entero, sizeof entero, "%.0f", std::fabs(valor));
        fija.append(entero, static_cast<size_t>(n));
    }
    return fija.size() > cientifica.size() ? cientifica : fija;
}

char SeparadorDecimal() {
    const char s = g_separador.load(std::memory_order_relaxed);
    return s != '\0' ? s : SeparadorDelLocale();
}

void FijarSeparadorDecimal(char separador) {
    g_separador.store(separador);
}

bool EsNumero(std::string_view texto) {
    return Normalizar(texto, nullptr);
}

double ANumero(std::string_view texto) {
    std::string normal;
    normal.reserve(texto.size());
    if (!Normalizar(texto, &normal)) throw Fallo::Plataforma(errores::kTiposNoCoinciden);
    const double v = LeerEnLocaleC(normal.c_str());
    if (std::isinf(v)) throw Fallo::Plataforma(errores::kDesbordamiento);
    return v;
}

std::string FormaGeneral(double valor) {
    if (std::isnan(valor)) throw Fallo::Plataforma(errores::kArgumentoNoValido);
    if (std::isinf(valor)) throw Fallo::Plataforma(errores::kDesbordamiento);
    if (valor == 0) return "0";
    const std::string cientifica = Cientifica15(valor);
    std::string_view s = cientifica;
    const bool negativo = s[0] == '-';
    if (negativo) s.remove_prefix(1);
    const size_t e = s.find('e');
    std::string digitos;
    digitos.push_back(s[0]);
    digitos.append(s.substr(2, e - 2));
    int exponente = std::atoi(std::string(s.substr(e + 1)).c_str());
    while (digitos.size() > 1 && digitos.back() == '0') digitos.pop_back();

    const char sep = SeparadorDecimal();
    std::string out;
    if (negativo) out.push_back('-');
    if (exponente < -4 || exponente >= 15) {
        out.push_back(digitos[0]);
        if (digitos.size() > 1) {
            out.push_back(sep);
            out.append(digitos, 1, std::string::npos);
        }
        out.push_back('E');
        out.push_back(exponente < 0 ? '-' : '+');
        const int a = std::abs(exponente);
        if (a < 10) out.push_back('0');
        out.append(std::to_string(a));
    } else if (exponente < 0) {
        out.push_back('0');
        out.push_back(sep);
        out.append(static_cast<size_t>(-exponente - 1), '0');
        out.append(digitos);
    } else {
        const size_t enteros = static_cast<size_t>(exponente) + 1;
        if (digitos.size() <= enteros) {
            out.append(digitos);
            out.append(enteros - digitos.size(), '0');
        } else {
            out.append(digitos, 0, enteros);
            out.push_back(sep);
            out.append(digitos, enteros, std::string::npos);
        }
    }
    return out;
}

std::string TextoExacto(double valor) {
    if (valor == 0) return "0";
    return MasCorto(valor);
}

void Desbordamiento() {
    throw Fallo::Plataforma(errores::kDesbordamiento);
}

int16_t Sumar16(int16_t a, int16_t b) {
    const int s = int{a} + int{b};
    if (s < -32768 || s > 32767) throw Fallo::Plataforma(errores::kDesbordamiento);
    return static_cast<int16_t>(s);
}

}  // namespace relivo::numeros
