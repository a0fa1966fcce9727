// The JSON property bag and the host variant conversions.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <fstream>
#include <functional>
#include <limits>
#include <string>
#include <vector>

#include "platform/linux/json_bag.h"
#include "relivo/platform/error.h"
#include "relivo/platform/variant.h"

namespace relivo {
namespace {

int32_t NumeroDeFallo(const std::function<void()>& f) {
    try {
        f();
    } catch (const Fallo& e) {
        return e.numero();
    }
    return 0;
}

Imagen ImagenDePrueba() {
    Imagen i(3, 2);
    for (size_t k = 0; k < i.Pixeles.size(); ++k) i.Pixeles[k] = static_cast<int32_t>(k * 0x102030);
    return i;
}

// Every kind of value survives writing, the JSON text and reading.
struct CasoIdaVuelta {
    const char* nombre;
    VarianteHost valor;
    std::function<void(const VarianteHost& leido)> comprobar;
};

class IdaVueltaTest : public ::testing::TestWithParam<CasoIdaVuelta> {};

TEST_P(IdaVueltaTest, MismoValor) {
    BolsaJson bolsa;
    bolsa.Escribir("Clave", GetParam().valor);
    const BolsaJson leida = BolsaJson::DesdeTexto(bolsa.Texto());
    GetParam().comprobar(leida.Leer("Clave"));
}

const double kNaN = std::numeric_limits<double>::quiet_NaN();
const double kInf = std::numeric_limits<double>::infinity();

INSTANTIATE_TEST_SUITE_P(
    Tabla, IdaVueltaTest,
    ::testing::Values(
        CasoIdaVuelta{"vacio", VarianteHost{}, [](const auto& v) { EXPECT_TRUE(v.EsVacio()); }},
        CasoIdaVuelta{"verdadero", true, [](const auto& v) { EXPECT_EQ(v, VarianteHost(true)); }},
        CasoIdaVuelta{"falso", false, [](const auto& v) { EXPECT_EQ(v, VarianteHost(false)); }},
        CasoIdaVuelta{"entero16", int16_t{-32768},
                      [](const auto& v) { EXPECT_EQ(v.AEntero16(), -32768); }},
        CasoIdaVuelta{"entero32", int32_t{-2147483633},
                      [](const auto& v) { EXPECT_EQ(v.AEntero32(), -2147483633); }},
        CasoIdaVuelta{"sencillo", 0.1f, [](const auto& v) { EXPECT_EQ(v.ASencillo(), 0.1f); }},
        CasoIdaVuelta{"sencillo_grande", 3.4e38f,
                      [](const auto& v) { EXPECT_EQ(v.ASencillo(), 3.4e38f); }},
        CasoIdaVuelta{"doble", 0.1 + 0.2, [](const auto& v) { EXPECT_EQ(v.ADoble(), 0.1 + 0.2); }},
        CasoIdaVuelta{"doble_enorme", 1.7976931348623157e308,
                      [](const auto& v) { EXPECT_EQ(v.ADoble(), 1.7976931348623157e308); }},
        CasoIdaVuelta{"doble_minimo", 4.9e-324,
                      [](const auto& v) { EXPECT_EQ(v.ADoble(), 4.9e-324); }},
        CasoIdaVuelta{"nan", kNaN, [](const auto& v) { EXPECT_TRUE(std::isnan(v.ADoble())); }},
        CasoIdaVuelta{"infinito", kInf, [](const auto& v) { EXPECT_EQ(v.ADoble(), kInf); }},
        CasoIdaVuelta{"menos_infinito", -kInf, [](const auto& v) { EXPECT_EQ(v.ADoble(), -kInf); }},
        CasoIdaVuelta{"texto", "sen(x)*cos(y) – ñandú \"citado\"\n",
                      [](const auto& v) {
                          EXPECT_EQ(v, VarianteHost("sen(x)*cos(y) – ñandú \"citado\"\n"));
                      }},
        CasoIdaVuelta{"texto_NaN", "NaN", [](const auto& v) { EXPECT_EQ(v, VarianteHost("NaN")); }},
        CasoIdaVuelta{
            "fuente", Fuente{"DejaVu Serif", 10.5f, true, false, true, true},
            [](const auto& v) {
                EXPECT_EQ(v.AFuente(), (Fuente{"DejaVu Serif", 10.5f, true, false, true, true}));
            }},
        CasoIdaVuelta{"imagen", ImagenDePrueba(),
                      [](const auto& v) { EXPECT_EQ(v.AImagen(), ImagenDePrueba()); }},
        CasoIdaVuelta{"sin_imagen", Imagen{},
                      [](const auto& v) { EXPECT_TRUE(v.AImagen().Vacia()); }}),
    [](const auto& info) { return std::string(info.param.nombre); });

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
    EXPECT_EQ(bolsa.Leer("XMin").ADoble(), 0);
    EXPECT_EQ(bolsa.Leer("AutoEscalaZ").ABooleano(), false);
    EXPECT_EQ(bolsa.Leer("Funcion").ATexto(), "x");
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
    bolsa.Escribir("Picture", ImagenDePrueba());
    const std::string ruta = ::testing::TempDir() + "bolsa_test.json";
    bolsa.Guardar(ruta);
    const BolsaJson cargada = BolsaJson::Cargar(ruta);
    std::remove(ruta.c_str());
    EXPECT_EQ(cargada.Leer("AnguloX").ADoble(), 30);
    EXPECT_EQ(cargada.Leer("Font").AFuente(), Fuente{});
    EXPECT_EQ(cargada.Leer("Picture").AImagen(), ImagenDePrueba());
    EXPECT_EQ(cargada.Texto(), bolsa.Texto());
    // A file read in blocks of 64 KiB whose last block holds one byte.
    {
        std::ofstream f(ruta, std::ios::binary);
        f << '{' << std::string(65535, ' ') << '}';
    }
    EXPECT_TRUE(BolsaJson::Cargar(ruta).Claves().empty());
    std::remove(ruta.c_str());
    EXPECT_EQ(NumeroDeFallo([] { BolsaJson::Cargar("/no/existe/bolsa.json"); }), 53);
    EXPECT_EQ(NumeroDeFallo([&] { bolsa.Guardar("/no/existe/bolsa.json"); }), 75);
}

// Documents that are not a JSON object are refused with 321 (the short ones
// are rows of tests/data/documentos.tsv); so are nestings too deep to read.
TEST(BolsaJson, AnidamientosProfundosSeRechazan) {
    for (const std::string& texto : {std::string(100000, '[') + std::string(100000, ']'),
                                     "{\"a\":" + std::string(5000, '{')}) {
        EXPECT_EQ(NumeroDeFallo([&] { BolsaJson::DesdeTexto(texto); }), 321);
    }
}

// Values of the wrong kind read as something the conversions refuse
// clearly (13) or as the nearest meaning; never a crash.
TEST(BolsaJson, TiposEquivocados) {
    const BolsaJson b = BolsaJson::DesdeTexto(R"({
        "XMin": {"foo": 1},
        "XMax": [1, 2],
        "YMin": "3.5",
        "YMax": "abc",
        "NumeroLineasX": 1e10,
        "NumeroLineasY": "12",
        "AutoEscalaZ": "Verdadero",
        "Enabled": 0,
        "Font": 5,
        "MouseIcon": {"tipo": "Imagen", "PNG": "!!no es base64!!"},
        "Picture": {"tipo": "Imagen", "Ancho": 2, "Alto": 1, "Pixeles": [255, 65280]},
        "Otra": {"tipo": "Imagen", "Ancho": 2, "Alto": 2, "Pixeles": [1]},
        "Fuente2": {"tipo": "Fuente", "Name": 3, "Size": "x", "Bold": true},
        "Raro": {"tipo": "Double", "Valor": "mucho"},
        "Grande": 18446744073709551615,
        "XMin": {"foo": 2}
    })");
    EXPECT_EQ(NumeroDeFallo([&] { b.Leer("XMin").ADoble(); }), 13);
    EXPECT_EQ(NumeroDeFallo([&] { b.Leer("XMax").ADoble(); }), 13);
    EXPECT_EQ(b.Leer("YMin").ADoble(), 3.5);
    EXPECT_EQ(NumeroDeFallo([&] { b.Leer("YMax").ADoble(); }), 13);
    EXPECT_EQ(NumeroDeFallo([&] { b.Leer("NumeroLineasX").AEntero16(); }), 6);
    EXPECT_EQ(b.Leer("NumeroLineasY").AEntero16(), 12);
    EXPECT_TRUE(b.Leer("AutoEscalaZ").ABooleano());
    EXPECT_FALSE(b.Leer("Enabled").ABooleano());
    EXPECT_EQ(NumeroDeFallo([&] { b.Leer("Font").AFuente(); }), 13);
    EXPECT_EQ(NumeroDeFallo([&] { b.Leer("MouseIcon"); }), 321);
    Imagen esperada(2, 1);
    esperada.Pixeles = {255, 65280};
    EXPECT_EQ(b.Leer("Picture").AImagen(), esperada);
    EXPECT_EQ(NumeroDeFallo([&] { b.Leer("Otra"); }), 321);
    const Fuente f = b.Leer("Fuente2").AFuente();
    EXPECT_EQ(f.Name, Fuente{}.Name);
    EXPECT_EQ(f.Size, Fuente{}.Size);
    EXPECT_TRUE(f.Bold);
    EXPECT_EQ(NumeroDeFallo([&] { b.Leer("Raro").ADoble(); }), 13);
    EXPECT_EQ(NumeroDeFallo([&] { b.Leer("Grande").AEntero32(); }), 6);
}

// The conversions of the host variant.
struct CasoConversion {
    const char* nombre;
    std::function<void()> comprobar;
};

class ConversionTest : public ::testing::TestWithParam<CasoConversion> {};

TEST_P(ConversionTest, Resultado) {
    GetParam().comprobar();
}

INSTANTIATE_TEST_SUITE_P(
    Tabla, ConversionTest,
    ::testing::Values(
        CasoConversion{"vacio_a_todo",
                       [] {
                           const VarianteHost v;
                           EXPECT_EQ(v.AEntero16(), 0);
                           EXPECT_EQ(v.ADoble(), 0);
                           EXPECT_FALSE(v.ABooleano());
                           EXPECT_EQ(v.ATexto(), "");
                           EXPECT_TRUE(v.AImagen().Vacia());
                       }},
        CasoConversion{"booleano_es_menos_uno",
                       [] {
                           EXPECT_EQ(VarianteHost(true).AEntero16(), -1);
                           EXPECT_EQ(VarianteHost(true).ATexto(), "Verdadero");
                       }},
        CasoConversion{"redondeo_a_par",
                       [] {
                           EXPECT_EQ(VarianteHost(2.5).AEntero16(), 2);
                           EXPECT_EQ(VarianteHost(3.5).AEntero32(), 4);
                       }},
        CasoConversion{"desbordamiento",
                       [] {
                           EXPECT_EQ(NumeroDeFallo([] { VarianteHost(32767.5).AEntero16(); }), 6);
                           EXPECT_EQ(NumeroDeFallo([] { VarianteHost(1e300).ASencillo(); }), 6);
                           EXPECT_EQ(NumeroDeFallo([] { VarianteHost(kNaN).AEntero32(); }), 6);
                       }},
        CasoConversion{"texto_numerico",
                       [] {
                           EXPECT_EQ(VarianteHost(" 12 ").AEntero16(), 12);
                           EXPECT_EQ(VarianteHost("1E3").ADoble(), 1000);
                           EXPECT_EQ(VarianteHost("false").ABooleano(), false);
                           EXPECT_EQ(NumeroDeFallo([] { VarianteHost("12abc").ADoble(); }), 13);
                       }},
        CasoConversion{"numero_a_texto",
                       [] {
                           EXPECT_EQ(VarianteHost(0.1f).ATexto(), "0.1");
                           EXPECT_EQ(VarianteHost(1e20).ATexto(), "1E+20");
                           EXPECT_EQ(VarianteHost(int16_t{-7}).ATexto(), "-7");
                       }},
        CasoConversion{"objetos_no_son_numeros",
                       [] {
                           EXPECT_EQ(NumeroDeFallo([] { VarianteHost(Fuente{}).ADoble(); }), 13);
                           EXPECT_EQ(NumeroDeFallo([] { VarianteHost(Imagen(1, 1)).ATexto(); }),
                                     13);
                           EXPECT_EQ(NumeroDeFallo([] { VarianteHost(1.0).AFuente(); }), 13);
                       }}),
    [](const auto& info) { return std::string(info.param.nombre); });

}  // namespace
}  // namespace relivo
