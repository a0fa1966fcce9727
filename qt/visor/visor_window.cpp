#include "qt/visor/visor_window.h"

#include <QApplication>
#include <QCheckBox>
#include <QDoubleSpinBox>
#include <QFileDialog>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QMouseEvent>
#include <QProgressBar>
#include <QPushButton>
#include <QSpinBox>
#include <QStatusBar>
#include <QVBoxLayout>
#include <functional>
#include <limits>

#include "platform/linux/json_bag.h"
#include "platform/png.h"
#include "qt/widgets/relivo_widget.h"
#include "relivo/platform/error.h"

namespace {

// Degrees turned per pixel of a drag.
constexpr double kGradosPorPixel = 0.5;

QDoubleSpinBox* Limite(const char* nombre, double valor) {
    auto* caja = new QDoubleSpinBox;
    caja->setObjectName(QString::fromLatin1(nombre));
    caja->setRange(-1e9, 1e9);
    caja->setDecimals(4);
    caja->setValue(valor);
    return caja;
}

QSpinBox* Lineas(const char* nombre) {
    auto* caja = new QSpinBox;
    caja->setObjectName(QString::fromLatin1(nombre));
    caja->setRange(0, 32766);
    caja->setValue(39);
    return caja;
}

// Sets a pair of bounds so that they are never equal on the way (the
// control refuses equal bounds only when it plots, but a momentary equal
// pair would be a needless second error).
void FijarPar(double minimo, double maximo, double maxActual,
              const std::function<void(double)>& fijarMin,
              const std::function<void(double)>& fijarMax) {
    if (minimo != maxActual) {
        fijarMin(minimo);
        fijarMax(maximo);
    } else {
        fijarMax(maximo);
        fijarMin(minimo);
    }
}

}  // namespace

VentanaVisor::VentanaVisor(QWidget* parent) : QMainWindow(parent) {
    setWindowTitle(QStringLiteral("Relivo: visor de superficies"));
    auto* central = new QWidget;
    auto* fila = new QHBoxLayout(central);
    auto* panel = new QVBoxLayout;
    auto* formulario = new QFormLayout;

    expresion_ = new QLineEdit(QStringLiteral("sen(x)*cos(y)"));
    expresion_->setObjectName(QStringLiteral("expresion"));
    expresion_->setToolTip(QStringLiteral(
        "z = f(x, y), con funciones en español o en inglés: sen, sin, arctg, atan..."));
    xMin_ = Limite("xMin", -3);
    xMax_ = Limite("xMax", 3);
    yMin_ = Limite("yMin", -3);
    yMax_ = Limite("yMax", 3);
    zMin_ = Limite("zMin", -1);
    zMax_ = Limite("zMax", 1);
    autoZ_ = new QCheckBox(QStringLiteral("Z automática"));
    autoZ_->setObjectName(QStringLiteral("autoZ"));
    autoZ_->setChecked(true);
    lineasX_ = Lineas("lineasX");
    lineasY_ = Lineas("lineasY");
    formulario->addRow(QStringLiteral("z ="), expresion_);
    formulario->addRow(QStringLiteral("X mínima"), xMin_);
    formulario->addRow(QStringLiteral("X máxima"), xMax_);
    formulario->addRow(QStringLiteral("Y mínima"), yMin_);
    formulario->addRow(QStringLiteral("Y máxima"), yMax_);
    formulario->addRow(autoZ_);
    formulario->addRow(QStringLiteral("Z mínima"), zMin_);
    formulario->addRow(QStringLiteral("Z máxima"), zMax_);
    formulario->addRow(QStringLiteral("Líneas en X"), lineasX_);
    formulario->addRow(QStringLiteral("Líneas en Y"), lineasY_);
    panel->addLayout(formulario);
    connect(autoZ_, &QCheckBox::toggled, this, [this](bool automatica) {
        zMin_->setEnabled(!automatica);
        zMax_->setEnabled(!automatica);
    });
    zMin_->setEnabled(false);
    zMax_->setEnabled(false);

    graficar_ = new QPushButton(QStringLiteral("&Graficar"));
    graficar_->setObjectName(QStringLiteral("graficar"));
    graficar_->setDefault(true);
    cancelar_ = new QPushButton(QStringLiteral("&Cancelar"));
    cancelar_->setObjectName(QStringLiteral("cancelar"));
    cancelar_->setEnabled(false);
    auto* botones = new QHBoxLayout;
    botones->addWidget(graficar_);
    botones->addWidget(cancelar_);
    panel->addLayout(botones);
    progreso_ = new QProgressBar;
    progreso_->setRange(0, 100);
    progreso_->setValue(0);
    panel->addWidget(progreso_);
    mensaje_ = new QLabel;
    mensaje_->setObjectName(QStringLiteral("mensaje"));
    mensaje_->setWordWrap(true);
    panel->addWidget(mensaje_);
    panel->addStretch();
    panel->addWidget(
        new QLabel(QStringLiteral("Arrastre la superficie con el ratón para girarla.")));

    relivo_ = new RelivoWidget;
    relivo_->setObjectName(QStringLiteral("relivo"));
    relivo_->setMinimumSize(200, 150);
    relivo_->installEventFilter(this);
    fila->addLayout(panel);
    fila->addWidget(relivo_, 1);
    setCentralWidget(central);
    resize(900, 560);
    CrearMenus();

    connect(expresion_, &QLineEdit::returnPressed, this, &VentanaVisor::Graficar);
    connect(graficar_, &QPushButton::clicked, this, &VentanaVisor::Graficar);
    connect(cancelar_, &QPushButton::clicked, this, &VentanaVisor::Cancelar);
    connect(relivo_, &RelivoWidget::Status, this, [this](const QString& texto, short porcentaje) {
        // The phases show their percentage; the end of the run a full bar
        // (its event carries 0), an error an empty one.
        const bool fase = texto == QLatin1String("Procesando Superficie") ||
                          texto == QLatin1String("Graficando Puntos");
        progreso_->setFormat(fase ? texto + QStringLiteral(" %p%") : texto);
        progreso_->setValue(fase ? porcentaje : texto.startsWith(QLatin1String("Error")) ? 0 : 100);
        statusBar()->showMessage(texto);
    });
    connect(relivo_, qOverload<int, const QString&, bool*>(&RelivoWidget::Error), this,
            [this](int, const QString& texto, bool*) { MostrarMensaje(texto); });
}

void VentanaVisor::CrearMenus() {
    QMenu* archivo = menuBar()->addMenu(QStringLiteral("&Archivo"));
    archivo->addAction(QStringLiteral("&Abrir documento..."), QKeySequence::Open, this, [this] {
        const QString ruta = QFileDialog::getOpenFileName(
            this, QStringLiteral("Abrir documento"), {}, QStringLiteral("Documentos (*.json)"));
        if (!ruta.isEmpty() && AbrirDocumento(ruta)) Graficar();
    });
    archivo->addAction(QStringLiteral("&Guardar documento..."), QKeySequence::Save, this, [this] {
        const QString ruta = QFileDialog::getSaveFileName(
            this, QStringLiteral("Guardar documento"), {}, QStringLiteral("Documentos (*.json)"));
        if (!ruta.isEmpty()) GuardarDocumento(ruta);
    });
    archivo->addAction(QStringLiteral("&Exportar PNG..."), this, [this] {
        const QString ruta = QFileDialog::getSaveFileName(this, QStringLiteral("Exportar PNG"), {},
                                                          QStringLiteral("Imágenes PNG (*.png)"));
        if (!ruta.isEmpty()) ExportarPng(ruta);
    });
    archivo->addSeparator();
    archivo->addAction(QStringLiteral("&Salir"), QKeySequence::Quit, this, &QWidget::close);
}

QString VentanaVisor::Mensaje() const {
    return mensaje_->text();
}

void VentanaVisor::MostrarMensaje(const QString& texto) {
    mensaje_->setText(texto);
}

void VentanaVisor::AplicarEntradas() {
    RelivoWidget& r = *relivo_;
    r.Funcion(expresion_->text());
    FijarPar(
        xMin_->value(), xMax_->value(), r.XMax(), [&](double v) { r.XMin(v); },
        [&](double v) { r.XMax(v); });
    FijarPar(
        yMin_->value(), yMax_->value(), r.YMax(), [&](double v) { r.YMin(v); },
        [&](double v) { r.YMax(v); });
    r.AutoEscalaZ(autoZ_->isChecked());
    if (!autoZ_->isChecked()) {
        FijarPar(
            zMin_->value(), zMax_->value(), r.ZMax(), [&](double v) { r.ZMin(v); },
            [&](double v) { r.ZMax(v); });
    }
    r.NumeroLineasX(lineasX_->value());
    r.NumeroLineasY(lineasY_->value());
}

void VentanaVisor::LeerDelControl() {
    const RelivoWidget& r = *relivo_;
    expresion_->setText(r.Funcion());
    xMin_->setValue(r.XMin());
    xMax_->setValue(r.XMax());
    yMin_->setValue(r.YMin());
    yMax_->setValue(r.YMax());
    autoZ_->setChecked(r.AutoEscalaZ());
    zMin_->setValue(r.ZMin());
    zMax_->setValue(r.ZMax());
    lineasX_->setValue(r.NumeroLineasX());
    lineasY_->setValue(r.NumeroLineasY());
}

void VentanaVisor::Graficar() {
    if (ocupado_) return;
    ocupado_ = true;
    mensaje_->clear();
    graficar_->setEnabled(false);
    cancelar_->setEnabled(true);
    AplicarEntradas();
    relivo_->Graficar();
    graficar_->setEnabled(true);
    cancelar_->setEnabled(false);
    if (relivo_->NumeroError() == 0) {
        mensaje_->setText(QStringLiteral("Graficación terminada."));
        if (relivo_->AutoEscalaZ()) {
            zMin_->setValue(relivo_->ZMin());
            zMax_->setValue(relivo_->ZMax());
        }
    }
    ocupado_ = false;
}

void VentanaVisor::Cancelar() {
    relivo_->Cancelar();
}

void VentanaVisor::closeEvent(QCloseEvent* evento) {
    relivo_->Cancelar();
    QMainWindow::closeEvent(evento);
}

bool VentanaVisor::eventFilter(QObject* objeto, QEvent* evento) {
    if (objeto != relivo_) return QMainWindow::eventFilter(objeto, evento);
    const auto tipo = evento->type();
    if (tipo != QEvent::MouseButtonPress && tipo != QEvent::MouseMove &&
        tipo != QEvent::MouseButtonRelease) {
        return false;
    }
    auto* raton = static_cast<QMouseEvent*>(evento);
    const QPoint donde = raton->position().toPoint();
    if (tipo == QEvent::MouseButtonPress && raton->button() == Qt::LeftButton && !ocupado_) {
        arrastrando_ = true;
        ultimo_ = donde;
        lineasXGuardadas_ = relivo_->NumeroLineasX();
        lineasYGuardadas_ = relivo_->NumeroLineasY();
    } else if (tipo == QEvent::MouseMove && arrastrando_ && donde != ultimo_) {
        const QPoint paso = donde - ultimo_;
        ultimo_ = donde;
        relivo_->AnguloZ(relivo_->AnguloZ() + paso.x() * kGradosPorPixel);
        relivo_->AnguloX(relivo_->AnguloX() + paso.y() * kGradosPorPixel);
        GraficarArrastre();
    } else if (tipo == QEvent::MouseButtonRelease && raton->button() == Qt::LeftButton &&
               arrastrando_) {
        arrastrando_ = false;
        // The whole grid again, at the angles the drag left.
        relivo_->NumeroLineasX(lineasXGuardadas_);
        relivo_->NumeroLineasY(lineasYGuardadas_);
        if (!ocupado_) {
            ocupado_ = true;
            relivo_->Graficar();
            ocupado_ = false;
        }
    }
    return false;  // the control gets its mouse events too
}

void VentanaVisor::GraficarArrastre() {
    if (ocupado_) {  // a movement during a run: plotted when the run ends
        pendiente_ = true;
        return;
    }
    ocupado_ = true;
    do {
        pendiente_ = false;
        relivo_->NumeroLineasX(std::min(lineasXGuardadas_, lineasArrastre_));
        relivo_->NumeroLineasY(std::min(lineasYGuardadas_, lineasArrastre_));
        relivo_->Graficar();
    } while (pendiente_ && arrastrando_);
    ocupado_ = false;
}

bool VentanaVisor::AbrirDocumento(const QString& ruta) {
    try {
        relivo_->ReadProperties(relivo::BolsaJson::Cargar(ruta.toStdString()));
    } catch (const relivo::Fallo& f) {
        MostrarMensaje(QString::fromStdString(f.texto()));
        return false;
    }
    LeerDelControl();
    return true;
}

bool VentanaVisor::GuardarDocumento(const QString& ruta) {
    try {
        AplicarEntradas();
        relivo::BolsaJson bolsa;
        relivo_->WriteProperties(bolsa);
        bolsa.Guardar(ruta.toStdString());
    } catch (const relivo::Fallo& f) {
        MostrarMensaje(QString::fromStdString(f.texto()));
        return false;
    }
    MostrarMensaje(QStringLiteral("Documento guardado en %1.").arg(ruta));
    return true;
}

bool VentanaVisor::ExportarPng(const QString& ruta) {
    try {
        relivo::GuardarPng(relivo_->Control().Grafica(), ruta.toStdString());
    } catch (const relivo::Fallo& f) {
        MostrarMensaje(QString::fromStdString(f.texto()));
        return false;
    }
    MostrarMensaje(QStringLiteral("Gráfica guardada en %1.").arg(ruta));
    return true;
}
