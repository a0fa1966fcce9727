#include "platform/linux/json_bag.h"

#include <charconv>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <limits>
#include <new>
#include <nlohmann/json.hpp>

#include "platform/linux/base64.h"
#include "platform/linux/files.h"
#include "platform/png.h"
#include "relivo/platform/error.h"

namespace relivo {

using Json = nlohmann::ordered_json;

struct BolsaJson::Estado {
    Json documento = Json::object();
    bool omitir = false;
};

namespace {

constexpr size_t kTamanoMaximo = size_t{64} << 20;
constexpr int kProfundidadMaxima = 64;

[[noreturn]] void FormatoNoValido() {
    throw Fallo::Plataforma(errores::kFormatoArchivo);
}

struct DemasiadoProfundo {};

// --- Values to JSON.

Json NumeroDeSencillo(float v) {
    if (!std::isfinite(v))
        return {{"tipo", "Double"},
                {"Valor", std::isnan(v) ? "NaN"
                          : v > 0       ? "Infinity"
                                        : "-Infinity"}};
    // The shortest text of the single, read as a double: 0.1f is stored as 0.1.
    char buf[32];
#if defined(__cpp_lib_to_chars)
    const auto r = std::to_chars(buf, buf + sizeof buf, v);
    double d = v;
    std::from_chars(buf, r.ptr, d);
#else
    // Without the floating-point to_chars (the web build): printf's fewest
    // digits that read back to the same single.
    for (int cifras = 1; cifras <= 9; ++cifras) {
        std::snprintf(buf, sizeof buf, "%.*g", cifras, static_cast<double>(v));
        if (std::strtof(buf, nullptr) == v) break;
    }
    const double d = std::strtod(buf, nullptr);
#endif
    return d;
}

Json NumeroDeDoble(double v) {
    if (std::isfinite(v)) return v;
    return {{"tipo", "Double"},
            {"Valor", std::isnan(v) ? "NaN"
                      : v > 0       ? "Infinity"
                                    : "-Infinity"}};
}

Json AJson(const VarianteHost& v) {
    using T = VarianteHost::Tipo;
    switch (v.tipo()) {
        case T::Vacio:
            return nullptr;
        case T::Booleano:
            return *v.Si<bool>();
        case T::Entero16:
            return *v.Si<int16_t>();
        case T::Entero32:
            return *v.Si<int32_t>();
        case T::Sencillo:
            return NumeroDeSencillo(*v.Si<float>());
        case T::Doble:
            return NumeroDeDoble(*v.Si<double>());
        case T::Texto:
            return *v.Si<std::string>();
        case T::Fuente: {
            const Fuente& f = *v.Si<Fuente>();
            return {{"tipo", "Fuente"},
                    {"Name", f.Name},
                    {"Size", NumeroDeSencillo(f.Size)},
                    {"Bold", f.Bold},
                    {"Italic", f.Italic},
                    {"Underline", f.Underline},
                    {"Strikethrough", f.Strikethrough}};
        }
        case T::Imagen: {
            const Imagen& i = *v.Si<Imagen>();
            if (i.Vacia()) return nullptr;
            return {{"tipo", "Imagen"},
                    {"Ancho", i.Ancho},
                    {"Alto", i.Alto},
                    {"PNG", ABase64(CodificarPng(i))}};
        }
    }
    return nullptr;
}

// --- JSON to values.

std::string TextoDe(const Json& j) {
    return j.dump(-1, ' ', false, Json::error_handler_t::replace);
}

VarianteHost Numero(const Json& j) {
    if (j.is_number_integer()) {
        const int64_t n =
            j.is_number_unsigned()
                ? static_cast<int64_t>(std::min<uint64_t>(j.get<uint64_t>(), INT64_MAX))
                : j.get<int64_t>();
        if (n >= INT32_MIN && n <= INT32_MAX) return static_cast<int32_t>(n);
        return static_cast<double>(n);
    }
    return j.get<double>();
}

VarianteHost DobleEspecial(const Json& valor) {
    if (valor.is_number()) return valor.get<double>();
    if (valor.is_string()) {
        const std::string& t = valor.get_ref<const std::string&>();
        if (t == "NaN") return std::numeric_limits<double>::quiet_NaN();
        if (t == "Infinity") return std::numeric_limits<double>::infinity();
        if (t == "-Infinity") return -std::numeric_limits<double>::infinity();
    }
    return TextoDe(valor);
}

template <typename T>
void Miembro(const Json& o, const char* nombre, T& destino) {
    const auto it = o.find(nombre);
    if (it == o.end()) return;
    if constexpr (std::is_same_v<T, bool>) {
        if (it->is_boolean()) destino = it->template get<bool>();
    } else if constexpr (std::is_same_v<T, std::string>) {
        if (it->is_string()) destino = it->template get<std::string>();
    } else {
        if (it->is_number()) {
            const double d = it->template get<double>();
            if (std::isfinite(d) && std::fabs(d) <= 1e6) destino = static_cast<T>(d);
        }
    }
}

Fuente FuenteDe(const Json& o) {
    Fuente f;
    Miembro(o, "Name", f.Name);
    Miembro(o, "Size", f.Size);
    Miembro(o, "Bold", f.Bold);
    Miembro(o, "Italic", f.Italic);
    Miembro(o, "Underline", f.Underline);
    Miembro(o, "Strikethrough", f.Strikethrough);
    return f;
}

Imagen ImagenDe(const Json& o) {
    const auto png = o.find("PNG");
    if (png != o.end()) {
        if (!png->is_string()) FormatoNoValido();
        const auto datos = DeBase64(png->get_ref<const std::string&>());
        if (!datos) FormatoNoValido();
        return DecodificarPng(*datos);
    }
    const auto ancho = o.find("Ancho"), alto = o.find("Alto"), pixeles = o.find("Pixeles");
    if (ancho == o.end() || alto == o.end() || pixeles == o.end() || !ancho->is_number_integer() ||
        !alto->is_number_integer() || !pixeles->is_array()) {
        FormatoNoValido();
    }
    const int64_t w = ancho->get<int64_t>(), h = alto->get<int64_t>();
    if (w <= 0 || h <= 0 || w > kLadoMaximoImagen || h > kLadoMaximoImagen ||
        static_cast<size_t>(w * h) != pixeles->size()) {
        FormatoNoValido();
    }
    Imagen img(static_cast<int32_t>(w), static_cast<int32_t>(h));
    size_t i = 0;
    for (const Json& p : *pixeles) {
        if (!p.is_number_integer()) FormatoNoValido();
        const int64_t c = p.get<int64_t>();
        if (c < 0 || c > 0xFFFFFF) FormatoNoValido();
        img.Pixeles[i++] = static_cast<int32_t>(c);
    }
    return img;
}

VarianteHost DeJson(const Json& j) {
    switch (j.type()) {
        case Json::value_t::null:
            return {};
        case Json::value_t::boolean:
            return j.get<bool>();
        case Json::value_t::number_integer:
        case Json::value_t::number_unsigned:
        case Json::value_t::number_float:
            return Numero(j);
        case Json::value_t::string:
            return j.get<std::string>();
        case Json::value_t::object: {
            const auto tipo = j.find("tipo");
            const std::string t =
                tipo != j.end() && tipo->is_string() ? tipo->get<std::string>() : "";
            if (t == "Double") {
                const auto valor = j.find("Valor");
                return valor == j.end() ? VarianteHost{} : DobleEspecial(*valor);
            }
            if (t == "Fuente" || (t.empty() && j.contains("Name"))) return FuenteDe(j);
            if (t == "Imagen" || (t.empty() && (j.contains("PNG") || j.contains("Pixeles")))) {
                return ImagenDe(j);
            }
            return TextoDe(j);
        }
        default:
            return TextoDe(j);
    }
}

}  // namespace

BolsaJson::BolsaJson() : e_(std::make_unique<Estado>()) {}
BolsaJson::~BolsaJson() = default;
BolsaJson::BolsaJson(BolsaJson&&) noexcept = default;
BolsaJson& BolsaJson::operator=(BolsaJson&&) noexcept = default;

BolsaJson BolsaJson::DesdeTexto(std::string_view texto) {
    if (texto.size() > kTamanoMaximo) FormatoNoValido();
    BolsaJson bolsa;
    try {
        Json::parser_callback_t limite = [](int profundidad, Json::parse_event_t, Json&) {
            if (profundidad > kProfundidadMaxima) throw DemasiadoProfundo{};
            return true;
        };
        Json j = Json::parse(texto.begin(), texto.end(), limite);
        if (!j.is_object()) FormatoNoValido();
        bolsa.e_->documento = std::move(j);
    } catch (const Fallo&) {
        throw;
    } catch (const std::bad_alloc&) {
        throw Fallo::Plataforma(errores::kMemoriaInsuficiente);
    } catch (...) {
        FormatoNoValido();
    }
    return bolsa;
}

BolsaJson BolsaJson::Cargar(const std::string& ruta) {
    return DesdeTexto(LeerArchivo(ruta, kTamanoMaximo));
}

std::string BolsaJson::Texto() const {
    return e_->documento.dump(2, ' ', false, Json::error_handler_t::replace) + "\n";
}

void BolsaJson::Guardar(const std::string& ruta) const {
    EscribirArchivo(ruta, Texto());
}

void BolsaJson::OmitirPredeterminados(bool omitir) {
    e_->omitir = omitir;
}

std::vector<std::string> BolsaJson::Claves() const {
    std::vector<std::string> claves;
    for (const auto& [clave, valor] : e_->documento.items()) claves.push_back(clave);
    return claves;
}

bool BolsaJson::Contiene(std::string_view clave) const {
    return e_->documento.find(std::string(clave)) != e_->documento.end();
}

VarianteHost BolsaJson::Leer(std::string_view clave, const VarianteHost& predeterminado) const {
    const auto it = e_->documento.find(std::string(clave));
    if (it == e_->documento.end()) return predeterminado;
    return DeJson(*it);
}

void BolsaJson::Escribir(std::string_view clave, const VarianteHost& valor,
                         const VarianteHost& predeterminado) {
    const std::string k(clave);
    if (e_->omitir && !predeterminado.EsVacio() && valor == predeterminado) {
        e_->documento.erase(k);
        return;
    }
    e_->documento[k] = AJson(valor);
}

}  // namespace relivo
