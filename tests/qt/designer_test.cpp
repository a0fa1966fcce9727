// The Designer plugin: it loads, offers both widgets with their bitmaps and
// Spanish tooltips, and a form file with both widgets keeps every setting
// when a form loader builds it.
#include <gtest/gtest.h>

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QMetaProperty>
#include <QPluginLoader>
#include <QTemporaryDir>
#include <QUiLoader>
#include <QXmlStreamReader>
#include <QtDesigner/QDesignerFormEditorInterface>
#include <QtDesigner/QFormBuilder>
#include <QtUiPlugin/QDesignerCustomWidgetCollectionInterface>
#include <map>
#include <memory>

#include "platform/linux/json_bag.h"
#include "qt/widgets/evaluar_widget.h"
#include "qt/widgets/relivo_widget.h"
#include "tests/qt/qt_printing.h"

namespace {

const QString kDatos = QStringLiteral(RELIVO_QT_TEST_DATA);

TEST(PluginDesigner, SeCargaYCreaAmbosWidgets) {
    // A copy of the plugin: an instance of its own, which Designer's form
    // editor may initialise without touching the one the form loader uses.
    QTemporaryDir dir;
    const QString copia = dir.filePath("librelivo_designer.so");
    ASSERT_TRUE(QFile::copy(RELIVO_QT_DESIGNER_DIR "/librelivo_designer.so", copia));
    QPluginLoader cargador(copia);
    ASSERT_TRUE(cargador.load()) << cargador.errorString().toStdString();
    auto* coleccion = qobject_cast<QDesignerCustomWidgetCollectionInterface*>(cargador.instance());
    ASSERT_NE(coleccion, nullptr);
    const auto widgets = coleccion->customWidgets();
    ASSERT_EQ(widgets.size(), 2);
    const std::map<QString, QString> kConsejos = {
        {"RelivoWidget", QStringLiteral("Gráfica de superficies z = f(x, y)")},
        {"EvaluarWidget", QStringLiteral("Evaluador de expresiones")},
    };
    for (QDesignerCustomWidgetInterface* w : widgets) {
        SCOPED_TRACE(w->name().toStdString());
        EXPECT_EQ(w->toolTip(), kConsejos.at(w->name()));
        EXPECT_FALSE(w->icon().pixmap(24, 24).isNull());
        QXmlStreamReader dom(w->domXml());
        ASSERT_TRUE(dom.readNextStartElement());
        ASSERT_TRUE(dom.readNextStartElement());
        EXPECT_EQ(dom.attributes().value("class"), w->name());
        std::unique_ptr<QWidget> creado(w->createWidget(nullptr));
        ASSERT_NE(creado, nullptr);
        EXPECT_EQ(QString::fromLatin1(creado->metaObject()->className()), w->name());
    }
    // Created for a running form, then in Designer's form editor.
    for (const bool enDisenador : {false, true}) {
        QDesignerFormEditorInterface editor;
        if (enDisenador) {
            for (QDesignerCustomWidgetInterface* w : widgets) w->initialize(&editor);
        }
        std::unique_ptr<QWidget> relivo(widgets[0]->createWidget(nullptr));
        std::unique_ptr<QWidget> evaluar(widgets[1]->createWidget(nullptr));
        EXPECT_EQ(qobject_cast<RelivoWidget*>(relivo.get())->UserMode(), !enDisenador);
        EXPECT_EQ(qobject_cast<EvaluarWidget*>(evaluar.get())->EnDiseno(), enDisenador);
    }
}

// The names of the properties the form file sets on the widget `nombre`.
std::set<QString> AjustadasEnLaForma(const QString& ruta, const QString& nombre) {
    QFile f(ruta);
    EXPECT_TRUE(f.open(QIODevice::ReadOnly));
    QXmlStreamReader x(&f);
    std::set<QString> nombres;
    bool dentro = false;
    while (!x.atEnd()) {
        if (!x.readNext() || !x.isStartElement()) continue;
        if (x.name() == QLatin1String("widget")) dentro = x.attributes().value("name") == nombre;
        if (dentro && x.name() == QLatin1String("property")) {
            nombres.insert(x.attributes().value("name").toString());
        }
    }
    nombres.erase("geometry");
    return nombres;
}

TEST(PluginDesigner, UnFormularioConservaCadaAjuste) {
    QUiLoader cargador;
    cargador.addPluginPath(QStringLiteral(RELIVO_QT_DESIGNER_DIR));
    cargador.setWorkingDirectory(QDir(kDatos));
    const QString ruta = kDatos + "/formulario.ui";
    QFile forma(ruta);
    ASSERT_TRUE(forma.open(QIODevice::ReadOnly));
    std::unique_ptr<QWidget> formulario(cargador.load(&forma));
    ASSERT_NE(formulario, nullptr) << cargador.errorString().toStdString();
    auto* relivo = formulario->findChild<RelivoWidget*>("relivo");
    auto* evaluar = formulario->findChild<EvaluarWidget*>("evaluar");
    ASSERT_NE(relivo, nullptr);
    ASSERT_NE(evaluar, nullptr);
    EXPECT_TRUE(relivo->UserMode());
    // The form sets every stored property of both.
    EXPECT_EQ(AjustadasEnLaForma(ruta, "relivo"), Guardadas(*relivo));
    EXPECT_EQ(AjustadasEnLaForma(ruta, "evaluar"), Guardadas(*evaluar));

    // Every value reached the controls: the plot control's document is the
    // reviewed one, the engine has the expression.
    relivo::BolsaJson bolsa;
    relivo->WriteProperties(bolsa);
    const std::string reviewed = (kDatos + "/formulario.json").toStdString();
    if (qEnvironmentVariableIsSet("RELIVO_REGRABAR")) bolsa.Guardar(reviewed);
    EXPECT_EQ(bolsa.Texto(), relivo::BolsaJson::Cargar(reviewed).Texto());
    EXPECT_EQ(evaluar->Funcion(), QStringLiteral("Sqr(X^2+Y^2)"));

    // Saved again by Qt's form writer and loaded: the same settings. (The
    // writer keeps a picture by the file it came from, which Designer knows
    // and a form built at run time does not: the pictures are left aside.)
    QBuffer guardada;
    guardada.open(QIODevice::ReadWrite);
    QFormBuilder().save(&guardada, formulario.get());
    guardada.seek(0);
    std::unique_ptr<QWidget> otra(cargador.load(&guardada));
    ASSERT_NE(otra, nullptr) << cargador.errorString().toStdString();
    for (QWidget* w : {static_cast<QWidget*>(relivo), static_cast<QWidget*>(evaluar)}) {
        const QWidget* copia = otra->findChild<QWidget*>(w->objectName());
        ASSERT_NE(copia, nullptr);
        for (const QString& nombre : Guardadas(*w)) {
            const QVariant valor = w->property(nombre.toLatin1());
            if (valor.metaType().id() == QMetaType::QPixmap) continue;
            EXPECT_EQ(copia->property(nombre.toLatin1()), valor) << nombre.toStdString();
        }
    }
}

}  // namespace
