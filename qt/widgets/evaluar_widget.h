// EvaluarWidget: the expression engine as a widget for forms.
//
// It has no picture at run time: it stays hidden when its form is shown. In
// a form designer (FijarModoDiseno(true), which the Designer plugin sets) it
// shows its toolbox bitmap so it can be placed and selected. Its members are
// slots and Q_PROPERTYs; its Error event is the signal Error.
#pragma once

#include <QList>
#include <QString>
#include <QVariant>
#include <QWidget>
#include <memory>

#include "relivo/evaluar.h"

class EvaluarWidget : public QWidget, private relivo::EventosEvaluar {
    Q_OBJECT
    Q_PROPERTY(QString Funcion READ Funcion WRITE Funcion NOTIFY FuncionCambiado)
    Q_PROPERTY(int NumeroError READ NumeroError STORED false)
    Q_PROPERTY(QString Error READ Error STORED false)
    Q_PROPERTY(int NumeroVariables READ NumeroVariables STORED false)
    Q_PROPERTY(double Resultado READ Resultado STORED false)

public:
    explicit EvaluarWidget(QWidget* parent = nullptr);
    ~EvaluarWidget() override;

    void FijarModoDiseno(bool enDiseno);
    bool EnDiseno() const { return enDiseno_; }
    relivo::Evaluar& Control() { return evaluar_; }

    QString Funcion();
    void Funcion(const QString& texto);
    int NumeroError() const;
    QString Error() const;
    int NumeroVariables();
    double Resultado();

    QSize sizeHint() const override;

public slots:
    // Variable: an index (a number, or text that reads as one) or a name.
    double Valor(const QVariant& Variable);
    void Valor(const QVariant& Variable, double valor);
    QString Variable(short Index);
    int IndiceVariable(const QString& Var);
    bool ExisteVariable(const QString& Variable);
    void ValorPorIndice(short Index, double valor);
    void ValoresPorIndice(const QList<double>& valores);
    void Substituir(const QVariant& Variable, const QVariant& texto);
    QString TextoCanonico() const;

signals:
    void Error(int NumError, const QString& DescrError);
    void FuncionCambiado();

protected:
    void paintEvent(QPaintEvent* evento) override;

private:
    void Error(int32_t NumError, const std::string& DescrError) override;

    relivo::Evaluar evaluar_;
    bool enDiseno_ = false;
};
