// RelivoWidget: the surface-plot control as a Qt widget.
//
// The widget is the control's host. It paints the control's drawing surface
// (the Linux raster surface, so the pixels are those of `relivo graficar`)
// with the surface's 3-D border, passes mouse and keyboard input to the
// surface, and turns the control's events into signals of the same names and
// arguments. An argument the control passes by reference arrives as a
// pointer that a directly connected slot may change (for example Error's
// Continuar); the control reads it back when the signal returns.
//
// Every setting the control keeps in a document is a Q_PROPERTY with a
// NOTIFY signal named after it (XMinCambiado, ...), so a form file stores and
// restores it. A value the control refuses leaves the property unchanged and
// emits PropiedadRechazada with the error's number and text.
//
// While Graficar runs, every yield of the control processes the Qt event
// queue, so the window stays live and a Cancelar from a button takes effect
// at the next sample or cell. In design mode (FijarUserMode(false), which the
// Designer plugin sets) the control's ambient UserMode is false.
#pragma once

#include <QElapsedTimer>
#include <QFont>
#include <QPixmap>
#include <QString>
#include <QWidget>
#include <cstdint>
#include <memory>

#include "relivo/platform/surface_properties.h"
#include "relivo/relivo.h"

class AnfitrionWidget;

namespace relivo::qt {

// The Qt type of each value type of the surface's properties: colours are
// the control's colour values (system colours included), singles doubles,
// pictures pixmaps.
template <typename T>
struct TipoQt;
template <>
struct TipoQt<tipos::Entero16> {
    using Valor = int;
};
template <>
struct TipoQt<tipos::Entero32> {
    using Valor = int;
};
template <>
struct TipoQt<tipos::Booleano> {
    using Valor = bool;
};
template <>
struct TipoQt<tipos::Color> {
    using Valor = int;
};
template <>
struct TipoQt<tipos::Sencillo> {
    using Valor = double;
};
template <>
struct TipoQt<tipos::Texto> {
    using Valor = QString;
};
template <>
struct TipoQt<tipos::Fuente> {
    using Valor = QFont;
};
template <>
struct TipoQt<tipos::Imagen> {
    using Valor = QPixmap;
};

}  // namespace relivo::qt

class RelivoWidget : public QWidget {
    Q_OBJECT
    // clang-format off
    // The plot parameters.
    Q_PROPERTY(QString Funcion READ Funcion WRITE Funcion NOTIFY FuncionCambiado)
    Q_PROPERTY(double XMin READ XMin WRITE XMin NOTIFY XMinCambiado)
    Q_PROPERTY(double XMax READ XMax WRITE XMax NOTIFY XMaxCambiado)
    Q_PROPERTY(double YMin READ YMin WRITE YMin NOTIFY YMinCambiado)
    Q_PROPERTY(double YMax READ YMax WRITE YMax NOTIFY YMaxCambiado)
    Q_PROPERTY(bool AutoEscalaZ READ AutoEscalaZ WRITE AutoEscalaZ NOTIFY AutoEscalaZCambiado)
    Q_PROPERTY(double ZMin READ ZMin WRITE ZMin NOTIFY ZMinCambiado)
    Q_PROPERTY(double ZMax READ ZMax WRITE ZMax NOTIFY ZMaxCambiado)
    Q_PROPERTY(double AnguloX READ AnguloX WRITE AnguloX NOTIFY AnguloXCambiado)
    Q_PROPERTY(double AnguloY READ AnguloY WRITE AnguloY NOTIFY AnguloYCambiado)
    Q_PROPERTY(double AnguloZ READ AnguloZ WRITE AnguloZ NOTIFY AnguloZCambiado)
    Q_PROPERTY(int NumeroLineasX READ NumeroLineasX WRITE NumeroLineasX NOTIFY NumeroLineasXCambiado)
    Q_PROPERTY(int NumeroLineasY READ NumeroLineasY WRITE NumeroLineasY NOTIFY NumeroLineasYCambiado)
    // The drawing surface's settings, in the order of surface_properties.h
    // (moc reads no macros here; a test checks this list against the keys
    // the control saves).
    Q_PROPERTY(int Align READ Align WRITE Align NOTIFY AlignCambiado)
    Q_PROPERTY(bool AutoRedraw READ AutoRedraw WRITE AutoRedraw NOTIFY AutoRedrawCambiado)
    Q_PROPERTY(int BackColor READ BackColor WRITE BackColor NOTIFY BackColorCambiado)
    Q_PROPERTY(int BorderStyle READ BorderStyle WRITE BorderStyle NOTIFY BorderStyleCambiado)
    Q_PROPERTY(double CurrentX READ CurrentX WRITE CurrentX NOTIFY CurrentXCambiado)
    Q_PROPERTY(double CurrentY READ CurrentY WRITE CurrentY NOTIFY CurrentYCambiado)
    Q_PROPERTY(int DrawMode READ DrawMode WRITE DrawMode NOTIFY DrawModeCambiado)
    Q_PROPERTY(int DrawStyle READ DrawStyle WRITE DrawStyle NOTIFY DrawStyleCambiado)
    Q_PROPERTY(int DrawWidth READ DrawWidth WRITE DrawWidth NOTIFY DrawWidthCambiado)
    Q_PROPERTY(bool Enabled READ Enabled WRITE Enabled NOTIFY EnabledCambiado)
    Q_PROPERTY(int FillColor READ FillColor WRITE FillColor NOTIFY FillColorCambiado)
    Q_PROPERTY(int FillStyle READ FillStyle WRITE FillStyle NOTIFY FillStyleCambiado)
    Q_PROPERTY(QFont Font READ Font WRITE Font NOTIFY FontCambiado)
    Q_PROPERTY(bool FontBold READ FontBold WRITE FontBold NOTIFY FontBoldCambiado)
    Q_PROPERTY(bool FontItalic READ FontItalic WRITE FontItalic NOTIFY FontItalicCambiado)
    Q_PROPERTY(QString FontName READ FontName WRITE FontName NOTIFY FontNameCambiado)
    Q_PROPERTY(double FontSize READ FontSize WRITE FontSize NOTIFY FontSizeCambiado)
    Q_PROPERTY(bool FontStrikethru READ FontStrikethru WRITE FontStrikethru NOTIFY FontStrikethruCambiado)
    Q_PROPERTY(bool FontTransparent READ FontTransparent WRITE FontTransparent NOTIFY FontTransparentCambiado)
    Q_PROPERTY(bool FontUnderline READ FontUnderline WRITE FontUnderline NOTIFY FontUnderlineCambiado)
    Q_PROPERTY(int ForeColor READ ForeColor WRITE ForeColor NOTIFY ForeColorCambiado)
    Q_PROPERTY(QPixmap MouseIcon READ MouseIcon WRITE MouseIcon NOTIFY MouseIconCambiado)
    Q_PROPERTY(int MousePointer READ MousePointer WRITE MousePointer NOTIFY MousePointerCambiado)
    Q_PROPERTY(QPixmap Picture READ Picture WRITE Picture NOTIFY PictureCambiado)
    Q_PROPERTY(double ScaleHeight READ ScaleHeight WRITE ScaleHeight NOTIFY ScaleHeightCambiado)
    Q_PROPERTY(double ScaleLeft READ ScaleLeft WRITE ScaleLeft NOTIFY ScaleLeftCambiado)
    Q_PROPERTY(int ScaleMode READ ScaleMode WRITE ScaleMode NOTIFY ScaleModeCambiado)
    Q_PROPERTY(double ScaleTop READ ScaleTop WRITE ScaleTop NOTIFY ScaleTopCambiado)
    Q_PROPERTY(double ScaleWidth READ ScaleWidth WRITE ScaleWidth NOTIFY ScaleWidthCambiado)
    Q_PROPERTY(QString ToolTipText READ ToolTipText WRITE ToolTipText NOTIFY ToolTipTextCambiado)
    Q_PROPERTY(int WhatsThisHelpID READ WhatsThisHelpID WRITE WhatsThisHelpID NOTIFY WhatsThisHelpIDCambiado)
    // Read only, not saved.
    Q_PROPERTY(int NumeroError READ NumeroError STORED false)
    Q_PROPERTY(QString Error READ Error STORED false)
    Q_PROPERTY(int Appearance READ Appearance STORED false DESIGNABLE false)
    Q_PROPERTY(int hDC READ hDC STORED false DESIGNABLE false)
    Q_PROPERTY(int hWnd READ hWnd STORED false DESIGNABLE false)
    Q_PROPERTY(QPixmap Image READ Image STORED false DESIGNABLE false)
    // clang-format on

public:
    explicit RelivoWidget(QWidget* parent = nullptr);
    ~RelivoWidget() override;

    // The control itself, for the members that have no Qt counterpart here
    // (Line_, Circle_, PaintPicture, ...). Changes made through it are not
    // announced by the NOTIFY signals.
    relivo::Relivo& Control() { return *control_; }

    // Ambient UserMode: false while the widget sits in a form designer.
    void FijarUserMode(bool enEjecucion);
    bool UserMode() const;

    // The plot parameters.
    QString Funcion() const;
    void Funcion(const QString& texto);
    double XMin() const;
    void XMin(double valor);
    double XMax() const;
    void XMax(double valor);
    double YMin() const;
    void YMin(double valor);
    double YMax() const;
    void YMax(double valor);
    bool AutoEscalaZ() const;
    void AutoEscalaZ(bool valor);
    double ZMin() const;
    void ZMin(double valor);
    double ZMax() const;
    void ZMax(double valor);
    double AnguloX() const;
    void AnguloX(double grados);
    double AnguloY() const;
    void AnguloY(double grados);
    double AnguloZ() const;
    void AnguloZ(double grados);
    int NumeroLineasX() const;
    void NumeroLineasX(int lineas);
    int NumeroLineasY() const;
    void NumeroLineasY(int lineas);
    int NumeroError() const;
    QString Error() const;

#ifndef Q_MOC_RUN
    // The drawing surface's properties, in their Qt types.
#define RELIVO_WIDGET_DECLARAR(Nombre, Tipo, Clase, ...)           \
    relivo::qt::TipoQt<relivo::tipos::Tipo>::Valor Nombre() const; \
    RELIVO_SI_SE_ASIGNA(Clase,                                     \
                        void Nombre(const relivo::qt::TipoQt<relivo::tipos::Tipo>::Valor& valor);)
    RELIVO_PROPIEDADES_SUPERFICIE(RELIVO_WIDGET_DECLARAR)
#undef RELIVO_WIDGET_DECLARAR
#endif

    // The whole document: the settings the control saves, read and written
    // through the control (every NOTIFY signal is emitted after reading).
    // They throw relivo::Fallo as the control's do.
    void ReadProperties(const relivo::BolsaPropiedades& bolsa);
    void WriteProperties(relivo::BolsaPropiedades& bolsa);

    // The picture of the last run (the persistent picture) as a Qt image.
    QImage Grafica() const;

    QSize sizeHint() const override;

public slots:
    void Graficar();
    void Cancelar();
    void Cls();
    void Refresh();

signals:
    // The control's events.
    void Click();
    void DblClick();
    void KeyDown(short* KeyCode, short* Shift);
    void KeyPress(short* KeyAscii);
    void KeyUp(short* KeyCode, short* Shift);
    void MouseDown(short* Button, short* Shift, float* x, float* y);
    void MouseMove(short* Button, short* Shift, float* x, float* y);
    void MouseUp(short* Button, short* Shift, float* x, float* y);
    void Resize();
    void Error(int NumError, const QString& DescrError, bool* Continuar);
    void Status(const QString& Stat, short Porcentaje);
    void TerminoGraficacion();

    // A property setter the control refused.
    void PropiedadRechazada(const QString& Propiedad, int Numero, const QString& Texto);

    // NOTIFY signals.
    void FuncionCambiado();
    void XMinCambiado();
    void XMaxCambiado();
    void YMinCambiado();
    void YMaxCambiado();
    void AutoEscalaZCambiado();
    void ZMinCambiado();
    void ZMaxCambiado();
    void AnguloXCambiado();
    void AnguloYCambiado();
    void AnguloZCambiado();
    void NumeroLineasXCambiado();
    void NumeroLineasYCambiado();
    void AlignCambiado();
    void AutoRedrawCambiado();
    void BackColorCambiado();
    void BorderStyleCambiado();
    void CurrentXCambiado();
    void CurrentYCambiado();
    void DrawModeCambiado();
    void DrawStyleCambiado();
    void DrawWidthCambiado();
    void EnabledCambiado();
    void FillColorCambiado();
    void FillStyleCambiado();
    void FontCambiado();
    void FontBoldCambiado();
    void FontItalicCambiado();
    void FontNameCambiado();
    void FontSizeCambiado();
    void FontStrikethruCambiado();
    void FontTransparentCambiado();
    void FontUnderlineCambiado();
    void ForeColorCambiado();
    void MouseIconCambiado();
    void MousePointerCambiado();
    void PictureCambiado();
    void ScaleHeightCambiado();
    void ScaleLeftCambiado();
    void ScaleModeCambiado();
    void ScaleTopCambiado();
    void ScaleWidthCambiado();
    void ToolTipTextCambiado();
    void WhatsThisHelpIDCambiado();

protected:
    void paintEvent(QPaintEvent* evento) override;
    void resizeEvent(QResizeEvent* evento) override;
    void mousePressEvent(QMouseEvent* evento) override;
    void mouseMoveEvent(QMouseEvent* evento) override;
    void mouseReleaseEvent(QMouseEvent* evento) override;
    void mouseDoubleClickEvent(QMouseEvent* evento) override;
    void keyPressEvent(QKeyEvent* evento) override;

private:
    friend class AnfitrionWidget;

    // Emits the NOTIFY signal of the property `nombre`, if it has one.
    void Notificar(const char* nombre);
    // Runs a setter of the control: a refusal becomes PropiedadRechazada.
    template <typename F>
    void Fijar(const char* nombre, F&& fijar);
    // The border's width and the interior's top-left corner, in pixels.
    int Borde() const;
    // Called at every yield of a run.
    void AlCeder();

    std::unique_ptr<AnfitrionWidget> anfitrion_;
    std::unique_ptr<relivo::Relivo> control_;
    QElapsedTimer desdePintado_;
    bool graficando_ = false;
};
