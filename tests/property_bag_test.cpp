// The JSON property bag and the host variant conversions. The conversions
// are the rows of tests/data/variantes.tsv, of values written in the table or
// read from the document tests/data/bolsa_tipos.json.
#include <gtest/gtest.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <functional>
#include <iterator>
#include <nlohmann/json.hpp>
#include <sstream>
#include <string>
#include <vector>

#include "platform/linux/base64.h"
#include "platform/linux/json_bag.h"
#include "platform/png.h"
#include "relivo/platform/error.h"
#include "relivo/platform/variant.h"
#include "tests/support/recording.h"

namespace relivo {
namespace {

using prueba::ConError;

TEST(BolsaJson, ClavesEnOrdenYPredeterminados) {
    BolsaJson bolsa;
    bolsa.Escribir("Align", int16_t{0}, int16_t{0});
    bolsa.Escribir("BackColor", int32_t{255}, int32_t{-2147483633});
    bolsa.Escribir("Funcion", "x");
    bolsa.Escribir("Align", int16_t{2}, int16_t{0});  // rewritten in place
    EXPECT_EQ(bolsa.Claves(), (std::vector<std::string>{"Align", "BackColor", "Funcion"}));
    EXPECT_EQ(bolsa.Leer("Align").AEntero16(), 2);
    // A missing key gives the default, or empty without one.
    EXPECT_EQ(bolsa.Leer("ForeColor", int32_t{-2147483630}).AEntero32(), -2147483630);
    EXPECT_TRUE(bolsa.Leer("XMin").EsVacio());
    // Leaving out defaults: a value equal to its default is not stored.
    bolsa.OmitirPredeterminados(true);
    bolsa.Escribir("BackColor", int32_t{-2147483633}, int32_t{-2147483633});
    bolsa.Escribir("Vacio", VarianteHost{});
    EXPECT_FALSE(bolsa.Contiene("BackColor"));
    EXPECT_TRUE(bolsa.Contiene("Vacio"));
    EXPECT_EQ(bolsa.Leer("BackColor", int32_t{-2147483633}).AEntero32(), -2147483633);
}

TEST(BolsaJson, ArchivoGuardadoYCargado) {
    BolsaJson bolsa;
    bolsa.Escribir("AnguloX", 30.0);
    bolsa.Escribir("Font", Fuente{});
    bolsa.Escribir("Picture", Imagen(3, 2, 0x102030));
    const std::string ruta =
        ::testing::TempDir() + "bolsa_test_" + std::to_string(getpid()) + ".json";
    bolsa.Guardar(ruta);
    EXPECT_EQ(BolsaJson::Cargar(ruta).Texto(), bolsa.Texto());
    // A file read in blocks of 64 KiB whose last block holds one byte.
    std::ofstream(ruta, std::ios::binary) << '{' << std::string(65535, ' ') << '}';
    EXPECT_TRUE(BolsaJson::Cargar(ruta).Claves().empty());
    std::remove(ruta.c_str());
    EXPECT_EQ(ConError([] { BolsaJson::Cargar("/no/existe/bolsa.json"); }), "!53");
    EXPECT_EQ(ConError([&] { bolsa.Guardar("/no/existe/bolsa.json"); }), "!75");
}

// Pictures are stored as the base64 text of their PNG bytes: the test
// vectors of RFC 4648 (the first n bytes of "foobar"), both ways. Line
// breaks are skipped; a letter out of the alphabet, or after the padding,
// makes the text unreadable.
TEST(BolsaJson, Base64) {
    const std::string kDatos = "foobar";
    const char* const kTextos[] = {"", "Zg==", "Zm8=", "Zm9v", "Zm9vYg==", "Zm9vYmE=", "Zm9vYmFy"};
    for (size_t n = 0; n < std::size(kTextos); ++n) {
        const std::vector<uint8_t> bytes(kDatos.begin(), kDatos.begin() + n);
        EXPECT_EQ(ABase64(bytes), kTextos[n]);
        EXPECT_EQ(DeBase64(kTextos[n]), bytes) << kTextos[n];
    }
    EXPECT_EQ(DeBase64("Zm9v\r\nYg=="), DeBase64("Zm9vYg=="));
    EXPECT_FALSE(DeBase64("Zm9v!"));
    EXPECT_FALSE(DeBase64("Zg==Zg=="));
}

// Documents that are not a JSON object are refused with 321 (the short ones
// are rows of tests/data/documentos.tsv); so are nestings too deep to read.
// A picture given pixel by pixel may be as wide or as tall as any picture,
// and no more; written again, it goes as a PNG and reads back the same.
TEST(BolsaJson, ImagenesEnElLimite) {
    const auto leida = [](int32_t ancho, int32_t alto) {
        const nlohmann::json doc = {
            {"Picture",
             {{"tipo", "Imagen"},
              {"Ancho", ancho},
              {"Alto", alto},
              {"Pixeles", std::vector<int32_t>(static_cast<size_t>(ancho) * alto, 0)}}}};
        BolsaJson otra;
        otra.Escribir("Picture", BolsaJson::DesdeTexto(doc.dump()).Leer("Picture"));
        return BolsaJson::DesdeTexto(otra.Texto()).Leer("Picture").AImagen();
    };
    EXPECT_EQ(leida(kLadoMaximoImagen, 1), Imagen(kLadoMaximoImagen, 1));
    EXPECT_EQ(leida(1, kLadoMaximoImagen), Imagen(1, kLadoMaximoImagen));
    EXPECT_EQ(ConError([&] { leida(kLadoMaximoImagen + 1, 1); }), "!321");
    EXPECT_EQ(ConError([&] { leida(1, kLadoMaximoImagen + 1); }), "!321");
}

TEST(BolsaJson, AnidamientosProfundosSeRechazan) {
    for (const std::string& texto : {std::string(100000, '[') + std::string(100000, ']'),
                                     "{\"a\":" + std::string(5000, '{')}) {
        EXPECT_EQ(ConError([&] { BolsaJson::DesdeTexto(texto); }), "!321");
    }
}

// A value written "tipo:texto": b (1 or 0), i16, i32, f, d, t, fuente
// ("Name,Size,Bold,Italic,Underline,Strikethrough"), imagen ("AnchoxAlto", a
// test pattern), vacio; or "doc:Clave", read from the document.
VarianteHost Valor(const std::string& campo, const BolsaJson& documento) {
    const std::string tipo = campo.substr(0, campo.find(':'));
    const std::string t = campo.substr(std::min(campo.size(), tipo.size() + 1));
    if (tipo == "doc") return documento.Leer(t);
    if (tipo == "b") return t == "1";
    if (tipo == "i16") return static_cast<int16_t>(std::stoi(t));
    if (tipo == "i32") return std::stoi(t);
    if (tipo == "f") return std::stof(t);
    if (tipo == "d") return std::strtod(t.c_str(), nullptr);
    if (tipo == "t") return t;
    if (tipo == "fuente") {
        const std::vector<std::string> c = prueba::Nombres(t);
        return Fuente{c[0], std::stof(c[1]), c[2] == "1", c[3] == "1", c[4] == "1", c[5] == "1"};
    }
    if (tipo == "imagen") {
        Imagen i(std::stoi(t), std::stoi(t.substr(t.find('x') + 1)));
        for (size_t k = 0; k < i.Pixeles.size(); ++k)
            i.Pixeles[k] = static_cast<int32_t>(k * 0x102030);
        return i;
    }
    return {};
}

// The conversion's result as text, or "!N" for the error N.
std::string Convertir(const std::function<VarianteHost()>& valor,
                      const std::string& conversion) try {
    const VarianteHost v = valor();
    std::ostringstream s;
    s.precision(17);
    if (conversion == "AEntero16") s << v.AEntero16();
    if (conversion == "AEntero32") s << v.AEntero32();
    if (conversion == "ASencillo") s << v.ASencillo();
    if (conversion == "ADoble") s << v.ADoble();
    if (conversion == "EsVacio") s << v.EsVacio();
    if (conversion == "ABooleano") s << (v.ABooleano() ? "true" : "false");
    if (conversion == "ATexto") s << v.ATexto();
    if (conversion == "AFuente") {
        const Fuente f = v.AFuente();
        s << f.Name << ' ' << f.Size << ' ' << f.Bold << f.Italic << f.Underline << f.Strikethrough;
    }
    if (conversion == "AImagen") {
        const Imagen i = v.AImagen();
        s << i.Ancho << 'x' << i.Alto;
        for (int32_t p : i.Pixeles) s << ' ' << p;
    }
    return s.str();
} catch (const Fallo& e) {
    return "!" + std::to_string(e.numero());
}

TEST(Variante, ConversionesDeLaTabla) {
    const BolsaJson documento =
        BolsaJson::DesdeTexto(prueba::Leer(std::string(RELIVO_TEST_DATA) + "/bolsa_tipos.json"));
    for (const prueba::FilaTabla& f : prueba::LeerTabla("variantes.tsv")) {
        const std::string r = Convertir([&] { return Valor(f[0], documento); }, f[1]);
        EXPECT_EQ(r, f[2]) << testing::PrintToString(f) << ' ' << f[0] << ' ' << f[1];
        // A value written in the table gives the same after a trip through
        // a bag's JSON text.
        if (f[0].rfind("doc:", 0) != 0 && r[0] != '!') {
            BolsaJson bolsa;
            bolsa.Escribir("Clave", Valor(f[0], documento));
            const auto leida = [&] { return BolsaJson::DesdeTexto(bolsa.Texto()).Leer("Clave"); };
            EXPECT_EQ(Convertir(leida, f[1]), r) << "written and read";
        }
    }
}

}  // namespace
}  // namespace relivo
