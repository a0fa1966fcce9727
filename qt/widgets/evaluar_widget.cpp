#include "qt/widgets/evaluar_widget.h"

#include <QIcon>
#include <QPainter>

#include "qt/widgets/conversions.h"

using relivo::qt::AQString;
using relivo::qt::DeQString;

namespace {

// A Qt value as the engine's variant argument: empty, a number, a text, or
// anything else (a type mismatch for the engine).
relivo::Variante AVariante(const QVariant& v) {
    if (!v.isValid() || v.isNull()) return {};
    switch (v.metaType().id()) {
        case QMetaType::Int:
        case QMetaType::UInt:
        case QMetaType::LongLong:
        case QMetaType::ULongLong:
        case QMetaType::Short:
        case QMetaType::UShort:
        case QMetaType::Double:
        case QMetaType::Float:
            return v.toDouble();
        case QMetaType::QString:
            return DeQString(v.toString());
        default:
            return relivo::Variante::Otro();
    }
}

}  // namespace

EvaluarWidget::EvaluarWidget(QWidget* parent) : QWidget(parent), evaluar_(this) {
    setFixedSize(sizeHint());
    setVisible(false);
}

EvaluarWidget::~EvaluarWidget() {
    evaluar_.FijarEventos(nullptr);
}

void EvaluarWidget::FijarModoDiseno(bool enDiseno) {
    enDiseno_ = enDiseno;
    setVisible(enDiseno);
}

QSize EvaluarWidget::sizeHint() const {
    return {32, 32};
}

void EvaluarWidget::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.drawPixmap(rect(), QIcon(QStringLiteral(":/relivo/evaluar.png")).pixmap(size()));
}

void EvaluarWidget::Error(int32_t NumError, const std::string& DescrError) {
    emit Error(static_cast<int>(NumError), AQString(DescrError));
}

QString EvaluarWidget::Funcion() {
    return AQString(evaluar_.Funcion());
}

void EvaluarWidget::Funcion(const QString& texto) {
    const QString antes = Funcion();
    evaluar_.Funcion(DeQString(texto));
    if (Funcion() != antes) emit FuncionCambiado();
}

int EvaluarWidget::NumeroError() const {
    return evaluar_.NumeroError();
}

QString EvaluarWidget::Error() const {
    return AQString(evaluar_.Error());
}

int EvaluarWidget::NumeroVariables() {
    return evaluar_.NumeroVariables();
}

double EvaluarWidget::Resultado() {
    return evaluar_.Resultado();
}

double EvaluarWidget::Valor(const QVariant& Variable) {
    return evaluar_.Valor(AVariante(Variable));
}

void EvaluarWidget::Valor(const QVariant& Variable, double valor) {
    evaluar_.Valor(AVariante(Variable), valor);
}

QString EvaluarWidget::Variable(short Index) {
    return AQString(evaluar_.Variable(Index));
}

int EvaluarWidget::IndiceVariable(const QString& Var) {
    return evaluar_.IndiceVariable(DeQString(Var));
}

bool EvaluarWidget::ExisteVariable(const QString& Variable) {
    return evaluar_.ExisteVariable(DeQString(Variable));
}

void EvaluarWidget::ValorPorIndice(short Index, double valor) {
    evaluar_.ValorPorIndice(Index, valor);
}

void EvaluarWidget::ValoresPorIndice(const QList<double>& valores) {
    evaluar_.ValoresPorIndice(std::span<const double>(valores.constData(), valores.size()));
}

void EvaluarWidget::Substituir(const QVariant& Variable, const QVariant& texto) {
    const QString antes = Funcion();
    evaluar_.Substituir(AVariante(Variable), AVariante(texto));
    if (Funcion() != antes) emit FuncionCambiado();
}

QString EvaluarWidget::TextoCanonico() const {
    return AQString(evaluar_.TextoCanonico());
}
