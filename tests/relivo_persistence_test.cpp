// Saving and restoring Relivo's settings through the host's property bag.
#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

#include "platform/linux/json_bag.h"
#include "tests/support/relivo_test_host.h"

namespace relivo::prueba {
namespace {

// Every setting the document carries, read back from a control.
struct Ajustes {
    int16_t Align, BorderStyle, DrawMode, DrawStyle, DrawWidth, FillStyle, MousePointer, ScaleMode;
    bool AutoRedraw, Enabled, FontBold, FontItalic, FontStrikethru, FontTransparent, FontUnderline,
        AutoEscalaZ;
    ColorOle BackColor, FillColor, ForeColor;
    float CurrentX, CurrentY, FontSize, ScaleHeight, ScaleLeft, ScaleTop, ScaleWidth;
    std::string FontName, ToolTipText, Funcion;
    int32_t WhatsThisHelpID;
    Fuente Font;
    Imagen MouseIcon, Picture;
    double XMin, XMax, YMin, YMax, ZMin, ZMax, AnguloX, AnguloY, AnguloZ;
    int16_t NumeroLineasX, NumeroLineasY;

    static Ajustes De(Relivo& r) {
        return {r.Align(),          r.BorderStyle(),
                r.DrawMode(),       r.DrawStyle(),
                r.DrawWidth(),      r.FillStyle(),
                r.MousePointer(),   r.ScaleMode(),
                r.AutoRedraw(),     r.Enabled(),
                r.FontBold(),       r.FontItalic(),
                r.FontStrikethru(), r.FontTransparent(),
                r.FontUnderline(),  r.AutoEscalaZ(),
                r.BackColor(),      r.FillColor(),
                r.ForeColor(),      r.CurrentX(),
                r.CurrentY(),       r.FontSize(),
                r.ScaleHeight(),    r.ScaleLeft(),
                r.ScaleTop(),       r.ScaleWidth(),
                r.FontName(),       r.ToolTipText(),
                r.Funcion(),        r.WhatsThisHelpID(),
                r.Font(),           r.MouseIcon(),
                r.Picture(),        r.XMin(),
                r.XMax(),           r.YMin(),
                r.YMax(),           r.ZMin(),
                r.ZMax(),           r.AnguloX(),
                r.AnguloY(),        r.AnguloZ(),
                r.NumeroLineasX(),  r.NumeroLineasY()};
    }
};

void EsperarIguales(const Ajustes& a, const Ajustes& b) {
#define RELIVO_IGUAL(campo) EXPECT_EQ(a.campo, b.campo) << #campo
    RELIVO_IGUAL(Align);
    RELIVO_IGUAL(BorderStyle);
    RELIVO_IGUAL(DrawMode);
    RELIVO_IGUAL(DrawStyle);
    RELIVO_IGUAL(DrawWidth);
    RELIVO_IGUAL(FillStyle);
    RELIVO_IGUAL(MousePointer);
    RELIVO_IGUAL(ScaleMode);
    RELIVO_IGUAL(AutoRedraw);
    RELIVO_IGUAL(Enabled);
    RELIVO_IGUAL(FontBold);
    RELIVO_IGUAL(FontItalic);
    RELIVO_IGUAL(FontStrikethru);
    RELIVO_IGUAL(FontTransparent);
    RELIVO_IGUAL(FontUnderline);
    RELIVO_IGUAL(AutoEscalaZ);
    RELIVO_IGUAL(BackColor);
    RELIVO_IGUAL(FillColor);
    RELIVO_IGUAL(ForeColor);
    RELIVO_IGUAL(CurrentX);
    RELIVO_IGUAL(CurrentY);
    RELIVO_IGUAL(FontSize);
    RELIVO_IGUAL(ScaleHeight);
    RELIVO_IGUAL(ScaleLeft);
    RELIVO_IGUAL(ScaleTop);
    RELIVO_IGUAL(ScaleWidth);
    RELIVO_IGUAL(FontName);
    RELIVO_IGUAL(ToolTipText);
    RELIVO_IGUAL(Funcion);
    RELIVO_IGUAL(WhatsThisHelpID);
    RELIVO_IGUAL(Font);
    RELIVO_IGUAL(MouseIcon);
    RELIVO_IGUAL(Picture);
    RELIVO_IGUAL(XMin);
    RELIVO_IGUAL(XMax);
    RELIVO_IGUAL(YMin);
    RELIVO_IGUAL(YMax);
    if (!a.AutoEscalaZ) {  // an automatic range is found again by sampling
        RELIVO_IGUAL(ZMin);
        RELIVO_IGUAL(ZMax);
    }
    RELIVO_IGUAL(NumeroLineasX);
    RELIVO_IGUAL(NumeroLineasY);
#undef RELIVO_IGUAL
    EXPECT_NEAR(a.AnguloX, b.AnguloX, 1e-12);
    EXPECT_NEAR(a.AnguloY, b.AnguloY, 1e-12);
    EXPECT_NEAR(a.AnguloZ, b.AnguloZ, 1e-12);
}

// A control with every setting away from its default.
void Personalizar(Relivo& r, bool autoEscala) {
    r.Funcion("sen(x)+y^2");
    r.XMin(-2);
    r.XMax(5);
    r.YMin(1);
    r.YMax(-4);
    r.AutoEscalaZ(autoEscala);
    if (!autoEscala) {
        r.ZMin(-2);
        r.ZMax(7);
    }
    r.AnguloX(30);
    r.AnguloY(-15);
    r.AnguloZ(200);
    r.NumeroLineasX(10);
    r.NumeroLineasY(7);
    r.Graficar();
    r.Align(1);
    r.AutoRedraw(true);
    r.BackColor(RGB(10, 20, 30));
    r.BorderStyle(0);
    r.DrawMode(7);
    r.DrawStyle(2);
    r.DrawWidth(3);
    r.Enabled(false);
    r.FillColor(RGB(1, 2, 3));
    r.FillStyle(5);
    Fuente f;
    f.Name = "DejaVu Serif";
    f.Size = 14;
    f.Italic = true;
    r.Font(f);
    r.FontBold(true);
    r.FontStrikethru(true);
    r.FontTransparent(false);
    r.FontUnderline(true);
    r.ForeColor(RGB(200, 100, 50));
    r.MouseIcon(Imagen(2, 3, RGB(9, 9, 9)));
    r.MousePointer(11);
    r.Picture(Imagen(4, 2, RGB(0, 255, 0)));
    r.CurrentX(12.5f);
    r.CurrentY(-3.25f);
    r.ToolTipText("superficie");
    r.WhatsThisHelpID(4242);
}

class GuardarYCargar : public testing::TestWithParam<bool> {};

TEST_P(GuardarYCargar, RestauraCadaAjuste) {
    Banco a;
    Personalizar(*a.r, GetParam());
    BolsaJson bolsa;
    a.r->WriteProperties(bolsa);
    // Through the text of the document, as a host would keep it.
    const BolsaJson leida = BolsaJson::DesdeTexto(bolsa.Texto());
    Banco b;
    b.r->ReadProperties(leida);
    EXPECT_TRUE(b.Eventos().empty()) << b.Eventos().front();
    EsperarIguales(Ajustes::De(*a.r), Ajustes::De(*b.r));
    EXPECT_EQ(bolsa.Contiene("ZMin"), !GetParam());
    EXPECT_EQ(bolsa.Contiene("ZMax"), !GetParam());
}

INSTANTIATE_TEST_SUITE_P(Relivo, GuardarYCargar, testing::Bool(),
                         [](const testing::TestParamInfo<bool>& i) {
                             return std::string(i.param ? "ConAutoEscala" : "SinAutoEscala");
                         });

TEST(RelivoPersistencia, LasClavesSeEscribenEnSuOrden) {
    Banco a;
    a.r->Funcion("x");
    a.r->AutoEscalaZ(false);
    BolsaJson bolsa;
    bolsa.OmitirPredeterminados(false);
    a.r->WriteProperties(bolsa);
    EXPECT_EQ(bolsa.Claves(), (std::vector<std::string>{"Align",
                                                        "AutoRedraw",
                                                        "BackColor",
                                                        "BorderStyle",
                                                        "CurrentX",
                                                        "CurrentY",
                                                        "DrawMode",
                                                        "DrawStyle",
                                                        "DrawWidth",
                                                        "Enabled",
                                                        "FillColor",
                                                        "FillStyle",
                                                        "Font",
                                                        "FontBold",
                                                        "FontItalic",
                                                        "FontName",
                                                        "FontSize",
                                                        "FontStrikethru",
                                                        "FontTransparent",
                                                        "FontUnderline",
                                                        "ForeColor",
                                                        "MouseIcon",
                                                        "MousePointer",
                                                        "Picture",
                                                        "ScaleHeight",
                                                        "ScaleLeft",
                                                        "ScaleMode",
                                                        "ScaleTop",
                                                        "ScaleWidth",
                                                        "ToolTipText",
                                                        "WhatsThisHelpID",
                                                        "Funcion",
                                                        "XMin",
                                                        "XMax",
                                                        "YMin",
                                                        "YMax",
                                                        "ZMin",
                                                        "ZMax",
                                                        "AutoEscalaZ",
                                                        "AnguloX",
                                                        "AnguloY",
                                                        "AnguloZ",
                                                        "NumeroLineasX",
                                                        "NumeroLineasY"}));
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

// Documents with keys of the wrong type or out of range: loading stops with
// a clear error thrown to the host, never a crash.
struct CasoDocumento {
    const char* nombre;
    const char* texto;
    int32_t numero;  // 0: loads
};

class DocumentosDefectuosos : public testing::TestWithParam<CasoDocumento> {};

TEST_P(DocumentosDefectuosos, FallanConUnErrorClaroOCargan) {
    Banco b;
    int32_t numero = 0;
    try {
        b.r->ReadProperties(BolsaJson::DesdeTexto(GetParam().texto));
    } catch (const Fallo& f) {
        numero = f.numero();
        EXPECT_FALSE(f.texto().empty());
    }
    EXPECT_EQ(numero, GetParam().numero);
}

INSTANTIATE_TEST_SUITE_P(
    Relivo, DocumentosDefectuosos,
    testing::Values(
        CasoDocumento{"XMaxTexto", R"({"XMax": "mucho"})", 13},
        CasoDocumento{"LineasEnormes", R"({"NumeroLineasX": 1e6})", 6},
        CasoDocumento{"LineasFraccion", R"({"NumeroLineasX": 2.5, "XMax": 1, "YMax": 1})", 0},
        CasoDocumento{"FillStyleFueraDeRango", R"({"FillStyle": 99})", 380},
        CasoDocumento{"ColorQueNoEsColor", R"({"BackColor": 123456789})", 380},
        CasoDocumento{"AutoEscalaTexto", R"({"AutoEscalaZ": "quizas"})", 13},
        CasoDocumento{"FuenteNumero", R"({"Font": 3})", 13},
        CasoDocumento{"FuncionNumero", R"({"Funcion": 5, "XMax": 1, "YMax": 1})", 0},
        CasoDocumento{"ZNoNumero",
                      R"({"AutoEscalaZ": false, "ZMax": {"tipo": "Double", "Valor": "NaN"}})", 0},
        CasoDocumento{"AnguloInfinito", R"({"AnguloX": {"tipo": "Double", "Valor": "Infinity"}})",
                      0}),
    [](const testing::TestParamInfo<CasoDocumento>& i) { return std::string(i.param.nombre); });

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
