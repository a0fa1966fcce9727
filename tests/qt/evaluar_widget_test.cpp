// EvaluarWidget: its members as slots and properties, its Error signal, and
// its place on a form (hidden at run time, shown in a designer).
#include "qt/widgets/evaluar_widget.h"

#include <gtest/gtest.h>

#include <QSignalSpy>
#include <QTest>
#include <cmath>

#include "tests/qt/qt_printing.h"

namespace {

TEST(WidgetEvaluar, EvaluaPorRanurasYPropiedades) {
    EvaluarWidget e;
    e.setProperty("Funcion", QStringLiteral("sen(x)*cos(y) + 2x"));
    EXPECT_EQ(e.property("NumeroVariables").toInt(), 2);
    // By name and by index, as a form's code would call them.
    ASSERT_TRUE(QMetaObject::invokeMethod(&e, "Valor", Q_ARG(QVariant, QStringLiteral("x")),
                                          Q_ARG(double, 1.0)));
    ASSERT_TRUE(QMetaObject::invokeMethod(
        &e, "Valor", Q_ARG(QVariant, QVariant(e.IndiceVariable(QStringLiteral("y")))),
        Q_ARG(double, 2.0)));
    EXPECT_EQ(e.property("NumeroError").toInt(), 0);
    EXPECT_EQ(e.property("Resultado").toDouble(), std::sin(1.0) * std::cos(2.0) + 2);
    e.ValoresPorIndice({0.5, 0.5});
    EXPECT_EQ(e.Valor(QStringLiteral("x")) + e.Valor(QStringLiteral("y")), 1.0);
}

// The engine's Error event as the signal, number and text as they are
// (every error takes the same path: the numbers and texts themselves are in
// the recorded corpus of tests/data/recorded).
TEST(WidgetEvaluar, LosErroresLleganEnLaSenalError) {
    EvaluarWidget e;
    QSignalSpy errores(&e, qOverload<int, const QString&>(&EvaluarWidget::Error));
    e.Funcion(QStringLiteral("sen(x"));
    ASSERT_EQ(errores.size(), 1);
    EXPECT_EQ(errores[0][0].toInt(), -2147221501);
    EXPECT_EQ(errores[0][1].toString(), QStringLiteral("Falta un paréntesis derecho."));
    EXPECT_EQ(e.Error(), errores[0][1].toString());
}

TEST(WidgetEvaluar, OcultoAlEjecutarVisibleEnElDisenador) {
    QWidget formulario;
    auto* enEjecucion = new EvaluarWidget(&formulario);
    auto* enDiseno = new EvaluarWidget(&formulario);
    enDiseno->FijarModoDiseno(true);
    formulario.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&formulario));
    EXPECT_FALSE(enEjecucion->isVisible());
    EXPECT_TRUE(enDiseno->isVisible());
}

}  // namespace
