// The Designer plugin: it loads, offers both widgets with their bitmaps and
// Spanish tooltips, and a form file with both widgets keeps every setting
// when a form loader builds it.
#include <gtest/gtest.h>

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QMetaProperty>
#include <QPluginLoader>
#include <QUiLoader>
#include <QXmlStreamReader>
#include <QtUiPlugin/QDesignerCustomWidgetCollectionInterface>
#include <map>
#include <memory>

#include "platform/linux/json_bag.h"
#include "qt/widgets/evaluar_widget.h"
#include "qt/widgets/relivo_widget.h"
#include "tests/qt/qt_printing.h"

namespace {

const QString kDatos = QStringLiteral(RELIVO_QT_TEST_DATA);

TEST(DesignerPluginTest, LoadsAndCreatesBothWidgets) {
    QPluginLoader cargador(QStringLiteral(RELIVO_QT_DESIGNER_DIR "/librelivo_designer.so"));
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
}

// The value of a <property> element of a form file, read as the form
// loader reads it.
QVariant ValorDeLaForma(QXmlStreamReader& x) {
    x.readNextStartElement();
    const QString tipo = x.name().toString();
    if (tipo == "font") {
        QFont f;
        while (x.readNextStartElement()) {
            const QString campo = x.name().toString();
            const QString texto = x.readElementText();
            if (campo == "family") f.setFamily(texto);
            if (campo == "pointsize") f.setPointSize(texto.toInt());
            if (campo == "bold") f.setBold(texto == "true");
            if (campo == "italic") f.setItalic(texto == "true");
            if (campo == "underline") f.setUnderline(texto == "true");
            if (campo == "strikeout") f.setStrikeOut(texto == "true");
        }
        x.skipCurrentElement();
        return f;
    }
    const QString texto = x.readElementText();
    x.skipCurrentElement();
    if (tipo == "double") return texto.toDouble();
    if (tipo == "number") return texto.toInt();
    if (tipo == "bool") return texto == "true";
    if (tipo == "pixmap") return QPixmap(kDatos + "/" + texto);
    return texto;
}

// The settings the form file gives the widget `nombre`.
std::map<QString, QVariant> AjustesDeLaForma(const QString& ruta, const QString& nombre) {
    QFile f(ruta);
    EXPECT_TRUE(f.open(QIODevice::ReadOnly));
    QXmlStreamReader x(&f);
    std::map<QString, QVariant> ajustes;
    bool dentro = false;
    while (!x.atEnd()) {
        x.readNext();
        if (x.isStartElement() && x.name() == QLatin1String("widget")) {
            dentro = x.attributes().value("name") == nombre;
        } else if (dentro && x.isStartElement() && x.name() == QLatin1String("property")) {
            const QString propiedad = x.attributes().value("name").toString();
            if (propiedad != "geometry") ajustes[propiedad] = ValorDeLaForma(x);
        }
    }
    return ajustes;
}

// Values compared as the widget holds them (pictures by their pixels).
QVariant Comparable(const QVariant& v) {
    if (v.metaType().id() == QMetaType::QPixmap) {
        return v.value<QPixmap>().toImage().convertToFormat(QImage::Format_RGB32);
    }
    return v;
}

std::set<QString> Guardadas(const QObject& o) {
    std::set<QString> nombres;
    const QMetaObject& m = *o.metaObject();
    for (int k = m.propertyOffset(); k < m.propertyCount(); ++k) {
        if (m.property(k).isStored()) nombres.insert(QString::fromLatin1(m.property(k).name()));
    }
    return nombres;
}

TEST(DesignerPluginTest, AFormKeepsEverySettingOfBothWidgets) {
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

    const std::pair<QWidget*, std::function<QWidget*()>> kWidgets[] = {
        {relivo, [] { return new RelivoWidget; }},
        {evaluar, [] { return new EvaluarWidget; }},
    };
    for (const auto& [cargado, crear] : kWidgets) {
        const auto ajustes = AjustesDeLaForma(ruta, cargado->objectName());
        std::set<QString> enLaForma;
        for (const auto& [nombre, valor] : ajustes) {
            SCOPED_TRACE(nombre.toStdString());
            enLaForma.insert(nombre);
            // What the widget makes of the value on its own (the expression
            // is read back in its display spelling).
            std::unique_ptr<QWidget> solo(crear());
            if (nombre == "ZMin" || nombre == "ZMax") solo->setProperty("AutoEscalaZ", false);
            ASSERT_TRUE(solo->setProperty(nombre.toLatin1(), valor));
            EXPECT_EQ(Comparable(cargado->property(nombre.toLatin1())),
                      Comparable(solo->property(nombre.toLatin1())));
        }
        // The form sets every stored property.
        EXPECT_EQ(enLaForma, Guardadas(*cargado));
    }

    // The control's own document keeps them too.
    relivo::BolsaJson bolsa;
    relivo->WriteProperties(bolsa);
    RelivoWidget otro;
    otro.ReadProperties(relivo::BolsaJson::DesdeTexto(bolsa.Texto()));
    for (const QString& nombre : Guardadas(*relivo)) {
        EXPECT_EQ(Comparable(otro.property(nombre.toLatin1())),
                  Comparable(relivo->property(nombre.toLatin1())))
            << nombre.toStdString();
    }
}

}  // namespace
