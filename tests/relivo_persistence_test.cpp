// Saving and restoring Relivo's settings through the host's property bag.
#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <string>

#include "platform/linux/json_bag.h"
#include "tests/support/case_table.h"
#include "tests/support/relivo_test_host.h"

namespace relivo::prueba {
namespace {

std::string LeerDatos(const std::string& nombre) {
    std::ifstream f(std::string(RELIVO_TEST_DATA) + "/" + nombre, std::ios::binary);
    return {std::istreambuf_iterator<char>(f), std::istreambuf_iterator<char>()};
}

// A reviewed document with every setting away from its default, keys in the
// order the control writes them: read into a fresh control, it raises no
// event and is written back byte for byte, so each key is both read and
// written.
TEST(RelivoPersistencia, UnDocumentoCompletoSeLeeYSeEscribeIgual) {
    const std::string documento = LeerDatos("documento_completo.json");
    Banco b;
    b.r->ReadProperties(BolsaJson::DesdeTexto(documento));
    EXPECT_TRUE(b.Eventos().empty()) << b.Eventos().front();
    BolsaJson bolsa;
    bolsa.OmitirPredeterminados(false);
    b.r->WriteProperties(bolsa);
    EXPECT_EQ(bolsa.Texto(), documento);
    // Read through the properties as well.
    EXPECT_EQ(b.r->Funcion(), "SinX+Y^2");
    EXPECT_EQ(b.r->NumeroLineasY(), 7);
    EXPECT_NEAR(b.r->AnguloZ(), 200, 1e-12);
    EXPECT_EQ(b.r->FillColor(), RGB(1, 2, 3));
    EXPECT_EQ(b.r->Font().Name, "DejaVu Serif");
    EXPECT_EQ(b.r->Picture().Ancho, 4);
    EXPECT_EQ(b.r->Picture().En(3, 1), RGB(0, 255, 0));
}

// With AutoEscalaZ the range is not saved: it is found again by sampling.
TEST(RelivoPersistencia, ConAutoEscalaElRangoZNoSeGuarda) {
    Banco a;
    a.r->AutoEscalaZ(false);
    BolsaJson bolsa;
    a.r->WriteProperties(bolsa);
    EXPECT_TRUE(bolsa.Contiene("ZMin"));
    a.r->AutoEscalaZ(true);
    BolsaJson otra;
    a.r->WriteProperties(otra);
    EXPECT_FALSE(otra.Contiene("ZMin"));
    EXPECT_FALSE(otra.Contiene("ZMax"));
}

TEST(RelivoPersistencia, UnaEscalaConUnidadSeRecargaComoEscalaDeUsuario) {
    Banco a;
    a.r->ScaleMode(3);
    BolsaJson bolsa;
    a.r->WriteProperties(bolsa);
    EXPECT_EQ(bolsa.Leer("ScaleMode").AEntero16(), 3);
    Banco b;
    b.r->ReadProperties(bolsa);
    // ScaleTop and ScaleWidth are read after ScaleMode and switch the
    // surface to a user scale of the same numbers.
    EXPECT_EQ(b.r->ScaleMode(), 0);
    EXPECT_EQ(b.r->ScaleWidth(), a.r->ScaleWidth());
    EXPECT_EQ(b.r->ScaleHeight(), a.r->ScaleHeight());
}

TEST(RelivoPersistencia, ValoresGuardadosComoLosDanLasPropiedades) {
    Banco a;
    a.r->AnguloX(30);
    a.r->NumeroLineasX(10);
    BolsaJson bolsa;
    bolsa.OmitirPredeterminados(true);
    a.r->WriteProperties(bolsa);
    EXPECT_NEAR(bolsa.Leer("AnguloX").ADoble(), 30, 1e-12);
    const VarianteHost lineas = bolsa.Leer("NumeroLineasX");
    EXPECT_EQ(lineas.ADoble(), 10);
    // A fresh control saved with its defaults leaves most surface keys out.
    EXPECT_FALSE(bolsa.Contiene("BackColor"));
    EXPECT_TRUE(bolsa.Contiene("Funcion"));
    EXPECT_FALSE(bolsa.Contiene("ZMin"));
}

TEST(RelivoPersistencia, UnDocumentoVacioDaLosPredeterminadosYAvisaDeLosRangos) {
    Banco b;
    b.r->BackColor(RGB(1, 1, 1));
    b.r->ReadProperties(BolsaJson());
    EXPECT_EQ(b.r->BackColor(), static_cast<ColorOle>(0x8000000F));
    EXPECT_EQ(b.r->ForeColor(), static_cast<ColorOle>(0x80000012));
    EXPECT_EQ(b.r->FillStyle(), 1);
    // FontName "" and FontSize 0 come after the font and override it.
    EXPECT_EQ(b.r->FontName(), "");
    EXPECT_FALSE(b.r->AutoEscalaZ());
    EXPECT_EQ(b.r->Funcion(), "");
    EXPECT_EQ(b.r->NumeroLineasX(), 0);
    // Bounds all 0: each of the four setters reports its equal range.
    EXPECT_EQ(b.Contar("Error(-2147221501,"), 2u);
    EXPECT_EQ(b.Contar("Error(-2147221500,"), 2u);
    EXPECT_EQ(b.Contar("Error("), 4u);
}

TEST(RelivoPersistencia, ConAutoEscalaElRangoZQuedaEnCeroHastaMuestrear) {
    Banco a;
    a.Preparar("x*y+3", -1, 1, -1, 1, 2, 2);
    a.r->Graficar();
    BolsaJson bolsa;
    a.r->WriteProperties(bolsa);
    Banco b;
    b.r->ReadProperties(bolsa);
    EXPECT_EQ(b.r->ZMin(), 0);
    EXPECT_EQ(b.r->ZMax(), 0);
    b.r->Graficar();
    EXPECT_EQ(b.r->ZMin(), 2);
    EXPECT_EQ(b.r->ZMax(), 4);
}

// Documents with keys of the wrong type or out of range (tests/data/
// documentos.tsv: the document, the error number or 0 when it loads, and the
// message when it matters):
// loading stops with a clear error thrown to the host, never a crash.
class DocumentosDefectuosos : public testing::TestWithParam<FilaTabla> {};

TEST_P(DocumentosDefectuosos, FallanConUnErrorClaroOCargan) {
    Banco b;
    int32_t numero = 0;
    try {
        b.r->ReadProperties(BolsaJson::DesdeTexto(GetParam()[0]));
    } catch (const Fallo& f) {
        numero = f.numero();
        EXPECT_FALSE(f.texto().empty());
        if (!GetParam()[2].empty()) {
            EXPECT_EQ(f.texto(), GetParam()[2]);
        }
    }
    EXPECT_EQ(std::to_string(numero), GetParam()[1]);
}

INSTANTIATE_TEST_SUITE_P(Datos, DocumentosDefectuosos,
                         testing::ValuesIn(LeerTabla("documentos.tsv")),
                         [](const auto& i) { return "Linea" + std::to_string(i.param.linea); });

TEST(RelivoPersistencia, UnaFuncionRechazadaSeCargaSinAvisarYFallaAlGraficar) {
    Banco b;
    b.r->ReadProperties(BolsaJson::DesdeTexto(
        R"({"Funcion": "(x", "XMin": -1, "XMax": 1, "YMin": -1, "YMax": 1})"));
    EXPECT_EQ(b.Contar("Error("), 0u);
    b.r->Graficar();
    EXPECT_EQ(b.Contar("TerminoGraficacion"), 0u);
    EXPECT_NE(b.r->NumeroError(), 0);
}

}  // namespace
}  // namespace relivo::prueba
