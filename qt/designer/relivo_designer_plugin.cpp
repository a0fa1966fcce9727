// The Qt Designer plugin: one collection with RelivoWidget and
// EvaluarWidget, their toolbox bitmaps and Spanish tooltips.
//
// Designer calls initialize() with its form editor; a form loader (QUiLoader)
// does not. So a widget created after initialize() sits in a form editor:
// the plot control's ambient UserMode is false and the engine shows its
// bitmap. Widgets created for a running form behave as at run time.
#include <QIcon>
#include <QtUiPlugin/QDesignerCustomWidgetCollectionInterface>
#include <QtUiPlugin/QDesignerCustomWidgetInterface>

#include "qt/widgets/evaluar_widget.h"
#include "qt/widgets/relivo_widget.h"

namespace {

// What Designer shows of one widget class.
struct Ficha {
    const char* clase;
    const char* cabecera;
    const char* icono;
    const char* consejo;
    const char* ayuda;
    const char* nombre;  // the object name of a new widget
    int ancho, alto;
};

constexpr Ficha kRelivo{
    "RelivoWidget",
    "relivo_widget.h",
    ":/relivo/relivo.png",
    "Gráfica de superficies z = f(x, y)",
    "Dibuja la superficie z = f(x, y) como una malla girada y coloreada. Ajuste Funcion, los "
    "intervalos y el número de líneas, y llame a Graficar.",
    "relivo",
    313,
    233};

constexpr Ficha kEvaluar{
    "EvaluarWidget",
    "evaluar_widget.h",
    ":/relivo/evaluar.png",
    "Evaluador de expresiones",
    "Evalúa expresiones con nombres de funciones en español y en inglés; invisible al ejecutar.",
    "evaluar",
    32,
    32};

class ComplementoWidget : public QDesignerCustomWidgetInterface {
public:
    explicit ComplementoWidget(const Ficha& ficha) : ficha_(ficha) {}

    QString name() const override { return QString::fromUtf8(ficha_.clase); }
    QString group() const override { return QStringLiteral("Relivo"); }
    QString toolTip() const override { return QString::fromUtf8(ficha_.consejo); }
    QString whatsThis() const override { return QString::fromUtf8(ficha_.ayuda); }
    QString includeFile() const override { return QString::fromUtf8(ficha_.cabecera); }
    QIcon icon() const override { return QIcon(QString::fromUtf8(ficha_.icono)); }
    bool isContainer() const override { return false; }
    bool isInitialized() const override { return enDiseno_; }
    void initialize(QDesignerFormEditorInterface* core) override { enDiseno_ = core != nullptr; }
    QString domXml() const override {
        return QStringLiteral(
                   "<ui language=\"c++\"><widget class=\"%1\" name=\"%2\">"
                   "<property name=\"geometry\"><rect><x>0</x><y>0</y><width>%3</width>"
                   "<height>%4</height></rect></property></widget></ui>")
            .arg(name(), QString::fromUtf8(ficha_.nombre))
            .arg(ficha_.ancho)
            .arg(ficha_.alto);
    }
    QWidget* createWidget(QWidget* parent) override {
        if (name() == QLatin1String(kRelivo.clase)) {
            auto* w = new RelivoWidget(parent);
            w->FijarUserMode(!enDiseno_);
            return w;
        }
        auto* w = new EvaluarWidget(parent);
        w->FijarModoDiseno(enDiseno_);
        return w;
    }

private:
    const Ficha& ficha_;
    bool enDiseno_ = false;
};

}  // namespace

class ColeccionRelivo : public QObject, public QDesignerCustomWidgetCollectionInterface {
    Q_OBJECT
    Q_PLUGIN_METADATA(IID "org.qt-project.Qt.QDesignerCustomWidgetCollectionInterface")
    Q_INTERFACES(QDesignerCustomWidgetCollectionInterface)

public:
    explicit ColeccionRelivo(QObject* parent = nullptr) : QObject(parent) {
        widgets_ = {&relivo_, &evaluar_};
    }
    QList<QDesignerCustomWidgetInterface*> customWidgets() const override { return widgets_; }

private:
    ComplementoWidget relivo_{kRelivo};
    ComplementoWidget evaluar_{kEvaluar};
    QList<QDesignerCustomWidgetInterface*> widgets_;
};

#include "relivo_designer_plugin.moc"
