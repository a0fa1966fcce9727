#include "component/property_bags.h"

#include <cstring>

#include "component/text.h"
#include "component/variants.h"
#include "relivo/platform/error.h"

namespace relivo::com {

VarianteHost BolsaOle::Leer(std::string_view clave, const VarianteHost& predeterminado) const {
    const std::wstring nombre = AUtf16(clave);
    Variant v;
    if (FAILED(bolsa_->Read(nombre.c_str(), &v, registro_))) return predeterminado;
    return AVarianteHost(*v);
}

void BolsaOle::Escribir(std::string_view clave, const VarianteHost& valor,
                        const VarianteHost& predeterminado) {
    if (!predeterminado.EsVacio() && valor == predeterminado) return;
    const std::wstring nombre = AUtf16(clave);
    Variant v;
    HRESULT hr = AVARIANT(valor, VT_EMPTY, &v);
    if (SUCCEEDED(hr)) hr = bolsa_->Write(nombre.c_str(), &v);
    if (FAILED(hr)) throw Fallo::Plataforma(errores::kAccesoArchivo);
}

VarianteHost BolsaMemoria::Leer(std::string_view clave, const VarianteHost& predeterminado) const {
    for (const auto& [k, v] : valores_) {
        if (k == clave) return v;
    }
    return predeterminado;
}

void BolsaMemoria::Escribir(std::string_view clave, const VarianteHost& valor,
                            const VarianteHost& predeterminado) {
    if (!predeterminado.EsVacio() && valor == predeterminado) return;
    for (auto& [k, v] : valores_) {
        if (k == clave) {
            v = valor;
            return;
        }
    }
    valores_.emplace_back(std::string(clave), valor);
}

namespace {

constexpr char kMarca[4] = {'R', 'L', 'V', 'B'};
constexpr uint32_t kVersion = 1;

void Poner(std::string& s, const void* p, size_t n) {
    s.append(static_cast<const char*>(p), n);
}
template <typename T>
void Poner(std::string& s, T v) {
    Poner(s, &v, sizeof v);
}
void PonerTexto(std::string& s, const std::string& t) {
    Poner(s, static_cast<uint32_t>(t.size()));
    Poner(s, t.data(), t.size());
}

std::string Serializar(const std::vector<std::pair<std::string, VarianteHost>>& valores) {
    using T = VarianteHost::Tipo;
    std::string s;
    Poner(s, kMarca, 4);
    Poner(s, kVersion);
    Poner(s, static_cast<uint32_t>(valores.size()));
    for (const auto& [k, v] : valores) {
        PonerTexto(s, k);
        Poner(s, static_cast<uint8_t>(v.tipo()));
        switch (v.tipo()) {
            case T::Vacio:
                break;
            case T::Booleano:
                Poner(s, static_cast<uint8_t>(*v.Si<bool>()));
                break;
            case T::Entero16:
                Poner(s, *v.Si<int16_t>());
                break;
            case T::Entero32:
                Poner(s, *v.Si<int32_t>());
                break;
            case T::Sencillo:
                Poner(s, *v.Si<float>());
                break;
            case T::Doble:
                Poner(s, *v.Si<double>());
                break;
            case T::Texto:
                PonerTexto(s, *v.Si<std::string>());
                break;
            case T::Fuente: {
                const Fuente& f = *v.Si<Fuente>();
                PonerTexto(s, f.Name);
                Poner(s, f.Size);
                Poner(s, static_cast<uint8_t>(f.Bold | f.Italic << 1 | f.Underline << 2 |
                                              f.Strikethrough << 3));
                break;
            }
            case T::Imagen: {
                const Imagen& i = *v.Si<Imagen>();
                Poner(s, i.Ancho);
                Poner(s, i.Alto);
                Poner(s, i.Pixeles.data(), i.Pixeles.size() * sizeof(int32_t));
                break;
            }
        }
    }
    return s;
}

// Reads the stream form, failing with 321 on anything else.
class Lector {
public:
    explicit Lector(IStream* f) : f_(f) {}

    void Leer(void* p, size_t n) {
        ULONG leidos = 0;
        if (n > 0 && (FAILED(f_->Read(p, static_cast<ULONG>(n), &leidos)) || leidos != n)) {
            Mal();
        }
    }
    template <typename T>
    T Leer() {
        T v{};
        Leer(&v, sizeof v);
        return v;
    }
    std::string Texto() {
        const auto n = Leer<uint32_t>();
        if (n > (1u << 24)) Mal();
        std::string t(n, '\0');
        Leer(t.data(), n);
        return t;
    }
    [[noreturn]] static void Mal() { throw Fallo::Plataforma(errores::kFormatoArchivo); }

private:
    IStream* f_;
};

}  // namespace

HRESULT BolsaMemoria::Guardar(IStream* flujo) const {
    const std::string s = Serializar(valores_);
    ULONG escritos = 0;
    const HRESULT hr = flujo->Write(s.data(), static_cast<ULONG>(s.size()), &escritos);
    if (FAILED(hr)) return hr;
    return escritos == s.size() ? S_OK : STG_E_MEDIUMFULL;
}

ULONGLONG BolsaMemoria::Tamano() const {
    return Serializar(valores_).size();
}

void BolsaMemoria::Cargar(IStream* flujo) {
    using T = VarianteHost::Tipo;
    Lector l(flujo);
    char marca[4];
    l.Leer(marca, 4);
    if (std::memcmp(marca, kMarca, 4) != 0 || l.Leer<uint32_t>() != kVersion) Lector::Mal();
    const auto n = l.Leer<uint32_t>();
    std::vector<std::pair<std::string, VarianteHost>> valores;
    for (uint32_t i = 0; i < n; ++i) {
        std::string clave = l.Texto();
        VarianteHost v;
        switch (static_cast<T>(l.Leer<uint8_t>())) {
            case T::Vacio:
                break;
            case T::Booleano:
                v = VarianteHost(l.Leer<uint8_t>() != 0);
                break;
            case T::Entero16:
                v = VarianteHost(l.Leer<int16_t>());
                break;
            case T::Entero32:
                v = VarianteHost(l.Leer<int32_t>());
                break;
            case T::Sencillo:
                v = VarianteHost(l.Leer<float>());
                break;
            case T::Doble:
                v = VarianteHost(l.Leer<double>());
                break;
            case T::Texto:
                v = VarianteHost(l.Texto());
                break;
            case T::Fuente: {
                Fuente f;
                f.Name = l.Texto();
                f.Size = l.Leer<float>();
                const auto b = l.Leer<uint8_t>();
                f.Bold = b & 1;
                f.Italic = b & 2;
                f.Underline = b & 4;
                f.Strikethrough = b & 8;
                v = VarianteHost(f);
                break;
            }
            case T::Imagen: {
                const auto w = l.Leer<int32_t>(), h = l.Leer<int32_t>();
                if (w < 0 || h < 0 || static_cast<int64_t>(w) * h > (int64_t{1} << 25)) {
                    Lector::Mal();
                }
                Imagen img(w, h);
                l.Leer(img.Pixeles.data(), img.Pixeles.size() * sizeof(int32_t));
                v = VarianteHost(std::move(img));
                break;
            }
            default:
                Lector::Mal();
        }
        valores.emplace_back(std::move(clave), std::move(v));
    }
    valores_ = std::move(valores);
}

}  // namespace relivo::com
