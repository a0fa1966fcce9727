// RelivoWidget: the events as signals, the yield, the input and the
// properties, through the widget's public members (its picture against the
// command line's: visor_test.cpp).
#include "qt/widgets/relivo_widget.h"

#include <gtest/gtest.h>

#include <QMetaProperty>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>
#include <set>
#include <string>
#include <vector>

#include "platform/linux/json_bag.h"
#include "platform/linux/work_queue.h"
#include "tests/qt/qt_printing.h"

namespace {

constexpr int kBorde = 2;

// A plot over x in [0, xMax] and y in [0, yMax] (a new control's ranges
// start at 0), with `lineas` interior lines each way.
void Preparar(RelivoWidget& w, const char* funcion, double xMax, double yMax, int lineas) {
    w.Funcion(funcion);
    w.XMax(xMax);
    w.YMax(yMax);
    w.NumeroLineasX(lineas);
    w.NumeroLineasY(lineas);
}

// The events of a run, a run of Status events with the same text counted
// once.
std::vector<std::string> Secuencia(RelivoWidget& w, bool continuar) {
    std::vector<std::string> s;
    auto anotar = [&s](std::string texto) {
        if (s.empty() || s.back() != texto) s.push_back(std::move(texto));
    };
    QObject contexto;
    QObject::connect(&w, &RelivoWidget::Status, &contexto,
                     [&](const QString& texto, short) { anotar("Status " + texto.toStdString()); });
    QObject::connect(&w, qOverload<int, const QString&, bool*>(&RelivoWidget::Error), &contexto,
                     [&](int numero, const QString&, bool* seguir) {
                         anotar("Error " + std::to_string(numero));
                         *seguir = continuar;
                     });
    QObject::connect(&w, &RelivoWidget::TerminoGraficacion, &contexto,
                     [&] { anotar("TerminoGraficacion"); });
    w.Graficar();
    return s;
}

// Every signal of a run in its order, the host's answer to Error obeyed
// either way (the control's own sequences of events are in the recorded
// scripts of tests/data/relivo).
TEST(WidgetRelivo, SenalesEnElOrdenDeLaCorridaYContinuarReanuda) {
    // On a grid of x = 0, 1, ... 9: equal x bounds, whose drawing cannot fit
    // a box of no width, continued; a sample that fails (x = 5), not.
    const struct {
        const char* funcion;
        double xMax;
        bool continuar;
        std::vector<std::string> esperada;
    } kCasos[] = {
        {"x + y",
         0,
         true,
         {"Status Error: La X máxima debe ser diferente de la X mínima", "Error -2147221501",
          "Status Procesando Superficie", "Status Graficando Puntos",
          "Status Error: Desbordamiento", "Error 6", "Status Graficación terminada",
          "TerminoGraficacion"}},
        {"1/(x-5)",
         9,
         false,
         {"Status Procesando Superficie", "Status Error: División por cero", "Error 11"}},
    };
    for (const auto& c : kCasos) {
        SCOPED_TRACE(c.funcion);
        RelivoWidget w;
        Preparar(w, c.funcion, c.xMax, 1, 8);
        EXPECT_EQ(Secuencia(w, c.continuar), c.esperada);
    }
}

TEST(WidgetRelivo, UnClicEnCancelarTerminaEnLaSiguienteCesion) {
    QWidget ventana;
    auto* w = new RelivoWidget(&ventana);
    auto* cancelar = new QPushButton(QStringLiteral("Cancelar"), &ventana);
    cancelar->move(0, 240);
    QObject::connect(cancelar, &QPushButton::clicked, w, &RelivoWidget::Cancelar);
    ventana.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&ventana));
    Preparar(*w, "sen(x)*cos(y)", 3, 3, 2000);
    uint64_t alPulsar = 0;
    // The click waits in the event queue until the run yields.
    QTimer::singleShot(0, cancelar, [&] {
        alPulsar = relivo::VecesCedido();
        QTest::mouseClick(cancelar, Qt::LeftButton);
    });
    QSignalSpy errores(w, qOverload<int, const QString&, bool*>(&RelivoWidget::Error));
    QSignalSpy terminadas(w, &RelivoWidget::TerminoGraficacion);
    const uint64_t antes = relivo::VecesCedido();
    w->Graficar();
    EXPECT_GT(alPulsar, antes);
    EXPECT_EQ(relivo::VecesCedido(), alPulsar);
    ASSERT_EQ(errores.size(), 1);
    EXPECT_EQ(errores[0][1].toString(), QStringLiteral("Cancelado por el usuario"));
    EXPECT_EQ(terminadas.size(), 0);
}

// The saved keys of the control (every one: no default left out, a fixed z
// range so that ZMin and ZMax are saved).
std::set<QString> ClavesDelDocumento(RelivoWidget& w) {
    w.AutoEscalaZ(false);
    relivo::BolsaJson bolsa;
    bolsa.OmitirPredeterminados(false);
    w.WriteProperties(bolsa);
    std::set<QString> claves;
    for (const std::string& c : bolsa.Claves()) claves.insert(QString::fromStdString(c));
    return claves;
}

TEST(WidgetRelivo, CadaClaveGuardadaEsUnaPropiedadConSuSenal) {
    RelivoWidget w;
    const QMetaObject& m = *w.metaObject();
    for (const QString& nombre : Guardadas(w)) {
        const QMetaProperty p = m.property(m.indexOfProperty(nombre.toLatin1()));
        EXPECT_TRUE(p.isWritable() && p.hasNotifySignal() && p.isDesignable()) << p.name();
    }
    EXPECT_EQ(Guardadas(w), ClavesDelDocumento(w));
}

TEST(WidgetRelivo, LosCambiosSeNotificanYLosRechazosSeSenalan) {
    RelivoWidget w;
    QSignalSpy xMin(&w, &RelivoWidget::XMinCambiado);
    QSignalSpy fore(&w, &RelivoWidget::ForeColorCambiado);
    QSignalSpy rechazos(&w, &RelivoWidget::PropiedadRechazada);
    w.setProperty("XMin", -5.0);
    w.setProperty("XMin", -5.0);  // unchanged: no signal
    w.setProperty("ForeColor", 0x0000FF);
    w.setProperty("DrawWidth", 0);       // out of range
    w.setProperty("DrawStyle", 100000);  // beyond a 16-bit integer
    EXPECT_EQ(xMin.size(), 1);
    EXPECT_EQ(fore.size(), 1);
    ASSERT_EQ(rechazos.size(), 2);
    EXPECT_EQ(rechazos[0][0].toString(), QStringLiteral("DrawWidth"));
    EXPECT_EQ(rechazos[0][1].toInt(), 380);
    EXPECT_EQ(rechazos[1][1].toInt(), 6);
    EXPECT_EQ(w.property("DrawWidth").toInt(), 1);

    // In design mode a fixed z range is refused while it is automatic.
    w.ZMax(5);
    EXPECT_EQ(rechazos.size(), 2);
    w.FijarUserMode(false);
    w.ZMax(6);
    ASSERT_EQ(rechazos.size(), 3);
    EXPECT_EQ(rechazos[2][1].toInt(), 382);
}

TEST(WidgetRelivo, RatonYTecladoLleganALosEventos) {
    RelivoWidget w;
    w.ScaleMode(3);  // pixels
    w.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&w));
    // Each event with the values of its arguments.
    std::vector<QString> eventos;
    auto anotar = [&eventos](const char* nombre) {
        return [&eventos, nombre](auto*... argumentos) {
            QStringList partes{QString::fromLatin1(nombre)};
            ((partes << QString::number(*argumentos)), ...);
            eventos.push_back(partes.join(' '));
        };
    };
    QObject::connect(&w, &RelivoWidget::MouseDown, &w, anotar("MouseDown"));
    QObject::connect(&w, &RelivoWidget::MouseUp, &w, anotar("MouseUp"));
    QObject::connect(&w, &RelivoWidget::Click, &w, anotar("Click"));
    QObject::connect(&w, &RelivoWidget::KeyDown, &w, anotar("KeyDown"));
    QObject::connect(&w, &RelivoWidget::KeyPress, &w, anotar("KeyPress"));
    QObject::connect(&w, &RelivoWidget::KeyUp, &w, anotar("KeyUp"));
    QTest::mousePress(&w, Qt::LeftButton, Qt::ShiftModifier, QPoint(kBorde + 10, kBorde + 20));
    QTest::mouseRelease(&w, Qt::LeftButton, Qt::NoModifier, QPoint(kBorde + 10, kBorde + 20));
    QTest::keyClick(&w, Qt::Key_A);
    QTest::keyClick(&w, Qt::Key_Left, Qt::ControlModifier);
    const std::vector<QString> kEsperados = {
        "MouseDown 1 1 10 20", "MouseUp 1 0 10 20", "Click",      "KeyDown 65 0", "KeyPress 97",
        "KeyUp 65 0",          "KeyDown 17 2",      "KeyUp 17 2", "KeyDown 37 2", "KeyUp 37 2",
    };
    EXPECT_EQ(eventos, kEsperados);
}

}  // namespace
