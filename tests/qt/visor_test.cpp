// relivo-visor's window driven as a user would: the drag turns the surface,
// errors read in Spanish, and its documents and pictures are those of the
// command line.
#include <gtest/gtest.h>

#include <QDoubleSpinBox>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QSpinBox>
#include <QTemporaryDir>
#include <QTest>
#include <cstdlib>
#include <string>

#include "qt/visor/visor_window.h"
#include "qt/widgets/relivo_widget.h"
#include "tests/qt/qt_printing.h"

namespace {

template <typename T>
T* Hijo(VentanaVisor& v, const char* nombre) {
    T* hijo = v.findChild<T*>(QString::fromLatin1(nombre));
    EXPECT_NE(hijo, nullptr) << nombre;
    return hijo;
}

void Pulsar(VentanaVisor& v, const char* boton) {
    QTest::mouseClick(Hijo<QPushButton>(v, boton), Qt::LeftButton);
}

TEST(Visor, ArrastrarGiraYGraficaAlMoverElRaton) {
    VentanaVisor v;
    v.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&v));
    Hijo<QSpinBox>(v, "lineasX")->setValue(120);
    Pulsar(v, "graficar");
    RelivoWidget& r = v.Grafica();
    ASSERT_EQ(r.NumeroError(), 0);
    const QImage antes = r.Grafica();
    const double anguloX = r.AnguloX(), anguloZ = r.AnguloZ();
    QSignalSpy terminadas(&r, &RelivoWidget::TerminoGraficacion);

    const QPoint desde(100, 100);
    QTest::mousePress(&r, Qt::LeftButton, Qt::NoModifier, desde);
    QTest::mouseMove(&r, desde + QPoint(40, -20));
    EXPECT_EQ(r.AnguloZ(), anguloZ + 20);
    EXPECT_EQ(r.AnguloX(), anguloX - 10);
    EXPECT_EQ(terminadas.size(), 1);  // drawn while the button is down
    EXPECT_EQ(r.NumeroLineasX(), v.LineasArrastre());
    EXPECT_EQ(r.NumeroLineasY(), 39);
    EXPECT_GT(PixelesDistintos(r.Grafica(), antes), 0);

    QTest::mouseRelease(&r, Qt::LeftButton, Qt::NoModifier, desde + QPoint(40, -20));
    EXPECT_EQ(terminadas.size(), 2);  // the whole grid again
    EXPECT_EQ(r.NumeroLineasX(), 120);
    EXPECT_EQ(r.NumeroError(), 0);
}

TEST(Visor, LosErroresMuestranElTextoDelControl) {
    const struct {
        const char* expresion;
        double xMin, xMax;
        const char* mensaje;
    } kCasos[] = {
        {"sen(x)*cos(y)", -3, 3, "Graficación terminada."},
        {"sen(x", -3, 3, "Falta un paréntesis derecho."},
        {"1/0", -3, 3, "División por cero"},
        {"x + y", 2, 2, "La X máxima debe ser diferente de la X mínima"},
    };
    for (const auto& c : kCasos) {
        SCOPED_TRACE(c.expresion);
        VentanaVisor v;
        Hijo<QLineEdit>(v, "expresion")->setText(QString::fromUtf8(c.expresion));
        Hijo<QDoubleSpinBox>(v, "xMin")->setValue(c.xMin);
        Hijo<QDoubleSpinBox>(v, "xMax")->setValue(c.xMax);
        Pulsar(v, "graficar");
        EXPECT_EQ(v.Mensaje(), QString::fromUtf8(c.mensaje));
    }
}

// `relivo graficar` with the given options; its status.
int Linea(const std::string& opciones) {
    return std::system(
        (std::string(RELIVO_CLI) + " graficar " + opciones + " > /dev/null").c_str());
}

TEST(Visor, DocumentosEImagenesSonLosDeLaLineaDeOrdenes) {
    QTemporaryDir dir;
    const std::string d = dir.path().toStdString() + "/";
    VentanaVisor v;
    v.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&v));
    RelivoWidget& r = v.Grafica();
    // The picture of the command line at the size of the viewer's.
    auto tamano = [&r] {
        return " --sin-rotulos --tamano " + std::to_string(r.width() - 4) + "x" +
               std::to_string(r.height() - 4);
    };

    // A document of the command line, opened and plotted by the viewer.
    ASSERT_EQ(
        Linea("'x^2 - y^2' --x=-2:2 --lineas 20 --angulos 40,0,60 --guardar " + d + "linea.json"),
        0);
    ASSERT_TRUE(v.AbrirDocumento(dir.filePath("linea.json")));
    EXPECT_EQ(Hijo<QLineEdit>(v, "expresion")->text(), r.Funcion());
    EXPECT_EQ(Hijo<QSpinBox>(v, "lineasX")->value(), 20);
    EXPECT_EQ(Hijo<QDoubleSpinBox>(v, "xMin")->value(), -2);
    Pulsar(v, "graficar");
    ASSERT_TRUE(v.ExportarPng(dir.filePath("visor.png")));
    ASSERT_EQ(Linea("--cargar " + d + "linea.json -o " + d + "linea.png" + tamano()), 0);
    const QImage linea(dir.filePath("linea.png"));
    EXPECT_EQ(PixelesDistintos(QImage(dir.filePath("visor.png")), linea), 0);
    // The widget shows that picture inside its border, and gives it.
    const QImage enPantalla = r.grab(QRect(2, 2, r.width() - 4, r.height() - 4)).toImage();
    EXPECT_EQ(PixelesDistintos(enPantalla, linea), 0);
    EXPECT_EQ(PixelesDistintos(r.Grafica(), enPantalla), 0);

    // The viewer's document, plotted by the command line.
    Hijo<QLineEdit>(v, "expresion")->setText("sen(x) + y");
    ASSERT_TRUE(v.GuardarDocumento(dir.filePath("visor.json")));
    Pulsar(v, "graficar");
    ASSERT_TRUE(v.ExportarPng(dir.filePath("visor2.png")));
    ASSERT_EQ(Linea("--cargar " + d + "visor.json -o " + d + "linea2.png" + tamano()), 0);
    EXPECT_EQ(
        PixelesDistintos(QImage(dir.filePath("visor2.png")), QImage(dir.filePath("linea2.png"))),
        0);
}

}  // namespace
