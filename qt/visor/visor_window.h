// The window of relivo-visor: a surface to look at without writing code.
//
// On the left, the inputs (the expression, the x, y and z ranges, automatic
// Z, the line counts) with Graficar and Cancelar and a progress bar fed by
// the control's Status; on the right the RelivoWidget. Dragging with the
// left button turns the surface (AnguloZ across, AnguloX up and down) and
// plots again as the mouse moves, on a grid of at most LineasArrastre lines
// each way; releasing the button plots the whole grid. The control's errors
// are shown in its own (Spanish) words. The File menu opens and saves a
// document (the JSON property bag of `relivo graficar --cargar/--guardar`)
// and exports the picture as a PNG.
#pragma once

#include <QMainWindow>
#include <QPoint>
#include <QString>

class QCheckBox;
class QDoubleSpinBox;
class QLabel;
class QLineEdit;
class QProgressBar;
class QPushButton;
class QSpinBox;
class RelivoWidget;

class VentanaVisor : public QMainWindow {
    Q_OBJECT

public:
    explicit VentanaVisor(QWidget* parent = nullptr);

    RelivoWidget& Grafica() { return *relivo_; }
    // The message line: the last error, or what was done.
    QString Mensaje() const;

    // The largest number of lines each way while dragging.
    int LineasArrastre() const { return lineasArrastre_; }
    void FijarLineasArrastre(int lineas) { lineasArrastre_ = lineas; }

    // Each returns false and shows the error when it fails.
    bool AbrirDocumento(const QString& ruta);
    bool GuardarDocumento(const QString& ruta);
    bool ExportarPng(const QString& ruta);

public slots:
    // Passes the inputs to the control and plots.
    void Graficar();
    void Cancelar();

protected:
    bool eventFilter(QObject* objeto, QEvent* evento) override;
    // Closing the window cancels a run in progress.
    void closeEvent(QCloseEvent* evento) override;

private:
    void CrearMenus();
    // The inputs from the control's settings (after opening a document or a
    // run with automatic Z).
    void LeerDelControl();
    void AplicarEntradas();
    // Plots until no drag movement waits.
    void GraficarArrastre();
    void MostrarMensaje(const QString& texto);

    RelivoWidget* relivo_;
    QLineEdit* expresion_;
    QDoubleSpinBox *xMin_, *xMax_, *yMin_, *yMax_, *zMin_, *zMax_;
    QCheckBox* autoZ_;
    QSpinBox *lineasX_, *lineasY_;
    QPushButton *graficar_, *cancelar_;
    QProgressBar* progreso_;
    QLabel* mensaje_;

    int lineasArrastre_ = 49;
    bool arrastrando_ = false;
    bool ocupado_ = false;
    bool pendiente_ = false;
    QPoint ultimo_;
    int lineasXGuardadas_ = 0, lineasYGuardadas_ = 0;
};
