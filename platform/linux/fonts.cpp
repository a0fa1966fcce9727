#include "platform/linux/fonts.h"

#include <fontconfig/fontconfig.h>
#include <ft2build.h>
#include FT_FREETYPE_H

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <map>
#include <memory>
#include <tuple>

#include "relivo/platform/error.h"

namespace relivo {

namespace {

constexpr const char* kFamiliaReserva = "DejaVu Sans";

struct CaraAbierta {
    FT_Face cara = nullptr;
    std::string familia;
};

// The FreeType library and the faces opened so far (one thread: the host's).
class Fuentes {
public:
    static Fuentes& Una() {
        static Fuentes f;
        return f;
    }

    CaraAbierta& Cara(const Fuente& fuente) {
        const auto clave = std::make_tuple(fuente.Name, fuente.Bold, fuente.Italic);
        auto it = caras_.find(clave);
        if (it != caras_.end()) return it->second;
        CaraAbierta c = Abrir(fuente.Name, fuente.Bold, fuente.Italic);
        if (!c.cara && fuente.Name != kFamiliaReserva) {
            c = Abrir(kFamiliaReserva, fuente.Bold, fuente.Italic);
        }
        if (!c.cara) throw Fallo::Plataforma(errores::kArchivoNoEncontrado);
        return caras_.emplace(clave, c).first->second;
    }

    ~Fuentes() {
        for (auto& [clave, c] : caras_) FT_Done_Face(c.cara);
        if (ft_) FT_Done_FreeType(ft_);
        FcFini();
    }

private:
    Fuentes() {
        if (FT_Init_FreeType(&ft_) != 0) ft_ = nullptr;
        FcInit();
    }

    // Opens the best match of fontconfig for the family, or nothing when the
    // match is of another family.
    CaraAbierta Abrir(const std::string& nombre, bool negrita, bool cursiva) {
        CaraAbierta r;
        if (!ft_) return r;
        const std::string familia = nombre.empty() ? kFamiliaReserva : nombre;
        FcPattern* patron = FcPatternCreate();
        if (!patron) return r;
        FcPatternAddString(patron, FC_FAMILY, reinterpret_cast<const FcChar8*>(familia.c_str()));
        FcPatternAddInteger(patron, FC_WEIGHT, negrita ? FC_WEIGHT_BOLD : FC_WEIGHT_REGULAR);
        FcPatternAddInteger(patron, FC_SLANT, cursiva ? FC_SLANT_ITALIC : FC_SLANT_ROMAN);
        FcPatternAddBool(patron, FC_SCALABLE, FcTrue);
        FcConfigSubstitute(nullptr, patron, FcMatchPattern);
        FcDefaultSubstitute(patron);
        FcResult resultado = FcResultNoMatch;
        FcPattern* hallado = FcFontMatch(nullptr, patron, &resultado);
        FcPatternDestroy(patron);
        if (!hallado) return r;
        FcChar8* archivo = nullptr;
        FcChar8* fam = nullptr;
        int indice = 0;
        if (FcPatternGetString(hallado, FC_FILE, 0, &archivo) == FcResultMatch &&
            FcPatternGetString(hallado, FC_FAMILY, 0, &fam) == FcResultMatch) {
            FcPatternGetInteger(hallado, FC_INDEX, 0, &indice);
            const std::string famHallada = reinterpret_cast<const char*>(fam);
            if (IgualSinMayusculas(famHallada, familia)) {
                FT_Face cara = nullptr;
                if (FT_New_Face(ft_, reinterpret_cast<const char*>(archivo), indice, &cara) == 0) {
                    r.cara = cara;
                    r.familia = famHallada;
                }
            }
        }
        FcPatternDestroy(hallado);
        return r;
    }

    static bool IgualSinMayusculas(const std::string& a, const std::string& b) {
        return std::ranges::equal(a, b, [](char x, char y) {
            auto m = [](char c) { return c >= 'A' && c <= 'Z' ? char(c - 'A' + 'a') : c; };
            return m(x) == m(y);
        });
    }

    FT_Library ft_ = nullptr;
    std::map<std::tuple<std::string, bool, bool>, CaraAbierta> caras_;
};

// Next code point of UTF-8 text; a byte that does not start a valid
// sequence stands for itself (Latin-1).
char32_t SiguienteCodigo(std::string_view t, size_t& i) {
    const unsigned char c = static_cast<unsigned char>(t[i]);
    const size_t n = c < 0x80 ? 0 : (c >> 5) == 6 ? 1 : (c >> 4) == 14 ? 2 : (c >> 3) == 30 ? 3 : 0;
    if (n > 0 && i + n < t.size()) {
        char32_t cp = c & (0x3Fu >> n);
        bool valido = true;
        for (size_t k = 1; valido && k <= n; ++k) {
            const unsigned char s = static_cast<unsigned char>(t[i + k]);
            if ((s & 0xC0) != 0x80) valido = false;
            cp = (cp << 6) | (s & 0x3Fu);
        }
        if (valido) {
            i += n + 1;
            return cp;
        }
    }
    ++i;
    return c;
}

// The face of the font at its size, 96 pixels per inch.
FT_Face CaraConTamano(const Fuente& fuente) {
    CaraAbierta& c = Fuentes::Una().Cara(fuente);
    const double puntos = std::clamp(static_cast<double>(fuente.Size), 1.0, 2048.0);
    if (FT_Set_Char_Size(c.cara, 0, static_cast<FT_F26Dot6>(std::lround(puntos * 64)), 96, 96) !=
        0) {
        throw Fallo::Plataforma(errores::kArgumentoNoValido);
    }
    return c.cara;
}

// Mixes one colour channel (bits `desplazamiento`) of `color` over `fondo`
// by the coverage a / 255.
int32_t Mezclar(int32_t fondo, int32_t color, int a, int desplazamiento) {
    const int f = (fondo >> desplazamiento) & 0xFF;
    const int t = (color >> desplazamiento) & 0xFF;
    return ((f * (255 - a) + t * a + 127) / 255) << desplazamiento;
}

}  // namespace

void EscribirTexto(Imagen& imagen, const Fuente& fuente, std::string_view texto, double x, double y,
                   int32_t color) {
    FT_Face cara = CaraConTamano(fuente);
    const int32_t base = static_cast<int32_t>(std::lround(y + cara->size->metrics.ascender / 64.0));
    double pluma = x;
    for (size_t i = 0; i < texto.size();) {
        const char32_t cp = SiguienteCodigo(texto, i);
        if (FT_Load_Char(cara, cp, FT_LOAD_RENDER) != 0) continue;
        const FT_GlyphSlot g = cara->glyph;
        const int32_t x0 = static_cast<int32_t>(std::lround(pluma)) + g->bitmap_left;
        const int32_t y0 = base - g->bitmap_top;
        for (int32_t fy = 0; fy < static_cast<int32_t>(g->bitmap.rows); ++fy) {
            const int32_t py = y0 + fy;
            if (py < 0 || py >= imagen.Alto) continue;
            for (int32_t fx = 0; fx < static_cast<int32_t>(g->bitmap.width); ++fx) {
                const int32_t px = x0 + fx;
                if (px < 0 || px >= imagen.Ancho) continue;
                const int a = g->bitmap.buffer[fy * g->bitmap.pitch + fx];
                int32_t& p = imagen.En(px, py);
                p = Mezclar(p, color, a, 0) | Mezclar(p, color, a, 8) | Mezclar(p, color, a, 16);
            }
        }
        pluma += g->advance.x / 64.0;
    }
}

MedidaTexto MedirTexto(const Fuente& fuente, std::string_view texto) {
    FT_Face cara = CaraConTamano(fuente);
    const double altoLinea = cara->size->metrics.height / 64.0;
    MedidaTexto m;
    double linea = 0;
    int32_t lineas = 1;
    for (size_t i = 0; i < texto.size();) {
        const char ch = texto[i];
        if (ch == '\r' || ch == '\n') {
            m.ancho = std::max(m.ancho, linea);
            linea = 0;
            ++lineas;
            i += (ch == '\r' && i + 1 < texto.size() && texto[i + 1] == '\n') ? 2 : 1;
            continue;
        }
        const char32_t cp = SiguienteCodigo(texto, i);
        const FT_UInt glifo = FT_Get_Char_Index(cara, cp);
        if (FT_Load_Glyph(cara, glifo, FT_LOAD_DEFAULT) == 0) {
            linea += cara->glyph->advance.x / 64.0;
        }
    }
    m.ancho = std::max(m.ancho, linea);
    m.alto = altoLinea * lineas;
    return m;
}

std::string FamiliaResuelta(const Fuente& fuente) {
    return Fuentes::Una().Cara(fuente).familia;
}

}  // namespace relivo
