#include "relivo/platform/variant.h"

#include <cfloat>
#include <cmath>
#include <cstdio>

#include "platform/numbers.h"
#include "relivo/platform/error.h"

namespace relivo {

namespace {

[[noreturn]] void NoCoinciden() {
    throw Fallo::Plataforma(errores::kTiposNoCoinciden);
}

bool IgualSinMayusculas(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (size_t i = 0; i < a.size(); ++i) {
        char x = a[i], y = b[i];
        if (x >= 'A' && x <= 'Z') x = static_cast<char>(x - 'A' + 'a');
        if (y >= 'A' && y <= 'Z') y = static_cast<char>(y - 'A' + 'a');
        if (x != y) return false;
    }
    return true;
}

// Text without surrounding blanks.
std::string_view Recortar(std::string_view t) {
    while (!t.empty() && (t.front() == ' ' || t.front() == '\t')) t.remove_prefix(1);
    while (!t.empty() && (t.back() == ' ' || t.back() == '\t')) t.remove_suffix(1);
    return t;
}

// A single's value as the double a host language shows for it (7 digits).
double DobleDeSencillo(float v) {
    if (!std::isfinite(v)) return v;
    char buf[32];
    std::snprintf(buf, sizeof buf, "%.7g", static_cast<double>(v));
    return numeros::ANumero(buf);
}

}  // namespace

double VarianteHost::ADoble() const {
    switch (tipo()) {
        case Tipo::Vacio:
            return 0;
        case Tipo::Booleano:
            return std::get<bool>(v_) ? -1 : 0;
        case Tipo::Entero16:
            return std::get<int16_t>(v_);
        case Tipo::Entero32:
            return std::get<int32_t>(v_);
        case Tipo::Sencillo:
            return std::get<float>(v_);
        case Tipo::Doble:
            return std::get<double>(v_);
        case Tipo::Texto: {
            const std::string_view t = Recortar(std::get<std::string>(v_));
            if (IgualSinMayusculas(t, "true") || IgualSinMayusculas(t, "verdadero")) return -1;
            if (IgualSinMayusculas(t, "false") || IgualSinMayusculas(t, "falso")) return 0;
            if (!numeros::EsNumero(t)) NoCoinciden();
            return numeros::ANumero(t);
        }
        case Tipo::Fuente:
        case Tipo::Imagen:
            break;
    }
    NoCoinciden();
}

bool VarianteHost::ABooleano() const {
    if (const bool* b = Si<bool>()) return *b;
    const double d = ADoble();
    return d != 0;
}

int16_t VarianteHost::AEntero16() const {
    return numeros::AEntero16(ADoble());
}

int32_t VarianteHost::AEntero32() const {
    return numeros::AEntero32(ADoble());
}

float VarianteHost::ASencillo() const {
    if (const float* f = Si<float>()) return *f;
    const double d = ADoble();
    if (std::isfinite(d) && std::fabs(d) > static_cast<double>(FLT_MAX)) {
        throw Fallo::Plataforma(errores::kDesbordamiento);
    }
    return static_cast<float>(d);
}

std::string VarianteHost::ATexto() const {
    switch (tipo()) {
        case Tipo::Vacio:
            return "";
        case Tipo::Booleano:
            return std::get<bool>(v_) ? "Verdadero" : "Falso";
        case Tipo::Entero16:
            return std::to_string(std::get<int16_t>(v_));
        case Tipo::Entero32:
            return std::to_string(std::get<int32_t>(v_));
        case Tipo::Sencillo:
            return numeros::FormaGeneral(DobleDeSencillo(std::get<float>(v_)));
        case Tipo::Doble:
            return numeros::FormaGeneral(std::get<double>(v_));
        case Tipo::Texto:
            return std::get<std::string>(v_);
        case Tipo::Fuente:
        case Tipo::Imagen:
            break;
    }
    NoCoinciden();
}

Fuente VarianteHost::AFuente() const {
    if (EsVacio()) return relivo::Fuente{};
    if (const relivo::Fuente* f = Si<relivo::Fuente>()) return *f;
    NoCoinciden();
}

Imagen VarianteHost::AImagen() const {
    if (EsVacio()) return relivo::Imagen{};
    if (const relivo::Imagen* i = Si<relivo::Imagen>()) return *i;
    NoCoinciden();
}

}  // namespace relivo
