// Saving and restoring Relivo's settings in the host's property bag: the
// drawing surface's settings first, then the plot parameters. The keys are
// the property names, written and read in a fixed order.
#include "platform/colors.h"
#include "relivo/control.h"
#include "relivo/relivo.h"

namespace relivo {

namespace {

// Defaults of the surface's settings in the document.
constexpr int16_t kAlignPredeterminado = 0;
constexpr int16_t kBorderStylePredeterminado = 1;
constexpr int16_t kDrawModePredeterminado = 13;
constexpr int16_t kDrawStylePredeterminado = 0;
constexpr int16_t kDrawWidthPredeterminado = 1;
constexpr ColorOle kFillColorPredeterminado = 0;
constexpr int16_t kFillStylePredeterminado = 1;
constexpr int16_t kMousePointerPredeterminado = 0;
constexpr float kScaleHeightPredeterminado = 3435;
constexpr float kScaleWidthPredeterminado = 4635;
constexpr int16_t kScaleModePredeterminado = 1;
constexpr int32_t kWhatsThisHelpIDPredeterminado = 0;

}  // namespace

void Relivo::WriteProperties(BolsaPropiedades& bolsa) {
    const SuperficieDibujo& s = *c_->PlanoInterno;
    const EstadoRelivo& e = c_->e;
    bolsa.Escribir("Align", s.Align(), kAlignPredeterminado);
    bolsa.Escribir("AutoRedraw", s.AutoRedraw(), false);
    bolsa.Escribir("BackColor", s.BackColor(), colores_sistema::kCaraBoton);
    bolsa.Escribir("BorderStyle", s.BorderStyle(), kBorderStylePredeterminado);
    bolsa.Escribir("CurrentX", s.CurrentX(), 0.0f);
    bolsa.Escribir("CurrentY", s.CurrentY(), 0.0f);
    bolsa.Escribir("DrawMode", s.DrawMode(), kDrawModePredeterminado);
    bolsa.Escribir("DrawStyle", s.DrawStyle(), kDrawStylePredeterminado);
    bolsa.Escribir("DrawWidth", s.DrawWidth(), kDrawWidthPredeterminado);
    bolsa.Escribir("Enabled", s.Enabled(), true);
    bolsa.Escribir("FillColor", s.FillColor(), kFillColorPredeterminado);
    bolsa.Escribir("FillStyle", s.FillStyle(), kFillStylePredeterminado);
    bolsa.Escribir("Font", Font(), c_->anfitrion.Font());
    bolsa.Escribir("FontBold", s.FontBold(), false);
    bolsa.Escribir("FontItalic", s.FontItalic(), false);
    bolsa.Escribir("FontName", s.FontName(), "");
    bolsa.Escribir("FontSize", s.FontSize(), 0.0f);
    bolsa.Escribir("FontStrikethru", s.FontStrikethru(), false);
    bolsa.Escribir("FontTransparent", s.FontTransparent(), true);
    bolsa.Escribir("FontUnderline", s.FontUnderline(), false);
    bolsa.Escribir("ForeColor", s.ForeColor(), colores_sistema::kTextoBoton);
    bolsa.Escribir("MouseIcon", MouseIcon(), Imagen());
    bolsa.Escribir("MousePointer", s.MousePointer(), kMousePointerPredeterminado);
    bolsa.Escribir("Picture", Picture(), Imagen());
    bolsa.Escribir("ScaleHeight", s.ScaleHeight(), kScaleHeightPredeterminado);
    bolsa.Escribir("ScaleLeft", s.ScaleLeft(), 0.0f);
    bolsa.Escribir("ScaleMode", s.ScaleMode(), kScaleModePredeterminado);
    bolsa.Escribir("ScaleTop", s.ScaleTop(), 0.0f);
    bolsa.Escribir("ScaleWidth", s.ScaleWidth(), kScaleWidthPredeterminado);
    bolsa.Escribir("ToolTipText", s.ToolTipText(), "");
    bolsa.Escribir("WhatsThisHelpID", s.WhatsThisHelpID(), kWhatsThisHelpIDPredeterminado);

    bolsa.Escribir("Funcion", c_->Func.Funcion());
    bolsa.Escribir("XMin", e.XMin);
    bolsa.Escribir("XMax", e.XMax);
    bolsa.Escribir("YMin", e.YMin);
    bolsa.Escribir("YMax", e.YMax);
    if (!e.AutoEscalaZ) {
        bolsa.Escribir("ZMin", e.ZMin);
        bolsa.Escribir("ZMax", e.ZMax);
    }
    bolsa.Escribir("AutoEscalaZ", e.AutoEscalaZ);
    bolsa.Escribir("AnguloX", AnguloX());
    bolsa.Escribir("AnguloY", AnguloY());
    bolsa.Escribir("AnguloZ", AnguloZ());
    bolsa.Escribir("NumeroLineasX", e.IntervalosX - 1);
    bolsa.Escribir("NumeroLineasY", e.IntervalosY - 1);
}

void Relivo::ReadProperties(const BolsaPropiedades& bolsa) {
    SuperficieDibujo& s = *c_->PlanoInterno;
    s.Align(bolsa.Leer("Align", kAlignPredeterminado).AEntero16());
    s.AutoRedraw(bolsa.Leer("AutoRedraw", false).ABooleano());
    s.BackColor(bolsa.Leer("BackColor", colores_sistema::kCaraBoton).AEntero32());
    s.BorderStyle(bolsa.Leer("BorderStyle", kBorderStylePredeterminado).AEntero16());
    s.CurrentX(bolsa.Leer("CurrentX", 0.0f).ASencillo());
    s.CurrentY(bolsa.Leer("CurrentY", 0.0f).ASencillo());
    s.DrawMode(bolsa.Leer("DrawMode", kDrawModePredeterminado).AEntero16());
    s.DrawStyle(bolsa.Leer("DrawStyle", kDrawStylePredeterminado).AEntero16());
    s.DrawWidth(bolsa.Leer("DrawWidth", kDrawWidthPredeterminado).AEntero16());
    s.Enabled(bolsa.Leer("Enabled", true).ABooleano());
    s.FillColor(bolsa.Leer("FillColor", kFillColorPredeterminado).AEntero32());
    s.FillStyle(bolsa.Leer("FillStyle", kFillStylePredeterminado).AEntero16());
    Font(bolsa.Leer("Font", c_->anfitrion.Font()).AFuente());
    s.FontBold(bolsa.Leer("FontBold", false).ABooleano());
    s.FontItalic(bolsa.Leer("FontItalic", false).ABooleano());
    s.FontName(bolsa.Leer("FontName", "").ATexto());
    s.FontSize(bolsa.Leer("FontSize", 0.0f).ASencillo());
    s.FontStrikethru(bolsa.Leer("FontStrikethru", false).ABooleano());
    s.FontTransparent(bolsa.Leer("FontTransparent", true).ABooleano());
    s.FontUnderline(bolsa.Leer("FontUnderline", false).ABooleano());
    s.ForeColor(bolsa.Leer("ForeColor", colores_sistema::kTextoBoton).AEntero32());
    MouseIcon(bolsa.Leer("MouseIcon", Imagen()).AImagen());
    s.MousePointer(bolsa.Leer("MousePointer", kMousePointerPredeterminado).AEntero16());
    Picture(bolsa.Leer("Picture", Imagen()).AImagen());
    s.ScaleHeight(bolsa.Leer("ScaleHeight", kScaleHeightPredeterminado).ASencillo());
    s.ScaleLeft(bolsa.Leer("ScaleLeft", 0.0f).ASencillo());
    s.ScaleMode(bolsa.Leer("ScaleMode", kScaleModePredeterminado).AEntero16());
    s.ScaleTop(bolsa.Leer("ScaleTop", 0.0f).ASencillo());
    s.ScaleWidth(bolsa.Leer("ScaleWidth", kScaleWidthPredeterminado).ASencillo());
    s.ToolTipText(bolsa.Leer("ToolTipText", "").ATexto());
    s.WhatsThisHelpID(bolsa.Leer("WhatsThisHelpID", kWhatsThisHelpIDPredeterminado).AEntero32());

    // The expression goes straight to the evaluator: no flag, no report.
    c_->Func.Funcion(bolsa.Leer("Funcion").ATexto());
    XMax(bolsa.Leer("XMax").ADoble());
    XMin(bolsa.Leer("XMin").ADoble());
    YMax(bolsa.Leer("YMax").ADoble());
    YMin(bolsa.Leer("YMin").ADoble());
    AutoEscalaZ(bolsa.Leer("AutoEscalaZ").ABooleano());
    if (!c_->e.AutoEscalaZ) {
        ZMax(bolsa.Leer("ZMax").ADoble());
        ZMin(bolsa.Leer("ZMin").ADoble());
    }
    AnguloX(bolsa.Leer("AnguloX").ADoble());
    AnguloY(bolsa.Leer("AnguloY").ADoble());
    AnguloZ(bolsa.Leer("AnguloZ").ADoble());
    NumeroLineasX(bolsa.Leer("NumeroLineasX").AEntero16());
    NumeroLineasY(bolsa.Leer("NumeroLineasY").AEntero16());
}

}  // namespace relivo
