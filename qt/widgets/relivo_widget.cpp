#include "qt/widgets/relivo_widget.h"

#include <qdrawutil.h>

#include <QCoreApplication>
#include <QKeyEvent>
#include <QMetaProperty>
#include <QMouseEvent>
#include <QPainter>
#include <limits>

#include "platform/linux/work_queue.h"
#include "qt/widgets/conversions.h"
#include "qt/widgets/widget_host.h"
#include "relivo/platform/error.h"

using relivo::Fallo;
using relivo::qt::AQString;
using relivo::qt::DeQString;

namespace {

// How often a running plot shows its progress on the screen.
constexpr qint64 kMilisegundosEntrePintados = 40;

// The property's values between the control's types and Qt's.
int AQt(int16_t v) {
    return v;
}
int AQt(int32_t v) {
    return v;
}
bool AQt(bool v) {
    return v;
}
double AQt(float v) {
    return v;
}
QString AQt(const std::string& v) {
    return AQString(v);
}
QFont AQt(const relivo::Fuente& v) {
    return relivo::qt::AQFont(v);
}
QPixmap AQt(const relivo::Imagen& v) {
    return QPixmap::fromImage(relivo::qt::AQImage(v));
}

// A value for the control: an integer out of the control's range is an
// overflow, as for any host that passes a number too large.
template <typename T>
T DeQt(const int& v) {
    if (v < std::numeric_limits<T>::min() || v > std::numeric_limits<T>::max()) {
        throw Fallo::Plataforma(relivo::errores::kDesbordamiento);
    }
    return static_cast<T>(v);
}
template <typename T>
T DeQt(const bool& v) {
    return v;
}
template <typename T>
T DeQt(const double& v) {
    return static_cast<float>(v);
}
template <typename T>
T DeQt(const QString& v) {
    return DeQString(v);
}
template <typename T>
T DeQt(const QFont& v) {
    return relivo::qt::DeQFont(v);
}
template <typename T>
T DeQt(const QPixmap& v) {
    return relivo::qt::DeQImage(v.toImage());
}

// What a mouse event passes on: the control's Button and Shift.
int16_t BotonDe(Qt::MouseButtons b) {
    return static_cast<int16_t>((b & Qt::LeftButton ? 1 : 0) | (b & Qt::RightButton ? 2 : 0) |
                                (b & Qt::MiddleButton ? 4 : 0));
}

// Watchers of the yield: the Qt event loop runs at every yield while any
// widget plots.
int32_t gVigilante = 0;
int gGraficando = 0;

}  // namespace

RelivoWidget::RelivoWidget(QWidget* parent)
    : QWidget(parent), anfitrion_(std::make_unique<AnfitrionWidget>(*this)) {
    control_ = std::make_unique<relivo::Relivo>(*anfitrion_);
    setFocusPolicy(Qt::StrongFocus);
    setMouseTracking(true);
    setAttribute(Qt::WA_OpaquePaintEvent);
    resize(sizeHint());
}

RelivoWidget::~RelivoWidget() = default;

void RelivoWidget::FijarUserMode(bool enEjecucion) {
    anfitrion_->FijarUserMode(enEjecucion);
}

bool RelivoWidget::UserMode() const {
    return anfitrion_->UserMode();
}

QSize RelivoWidget::sizeHint() const {
    return {relivo::kAnchoInicialSuperficie, relivo::kAltoInicialSuperficie};
}

template <typename F>
void RelivoWidget::Fijar(const char* nombre, F&& fijar) {
    try {
        fijar();
    } catch (const Fallo& f) {
        emit PropiedadRechazada(QString::fromLatin1(nombre), f.numero(), AQString(f.texto()));
    }
}

void RelivoWidget::Notificar(const char* nombre) {
    const int indice = metaObject()->indexOfProperty(nombre);
    if (indice < 0) return;
    const QMetaProperty p = metaObject()->property(indice);
    if (p.hasNotifySignal()) p.notifySignal().invoke(this, Qt::DirectConnection);
}

// ---- The plot parameters: a setter notifies when the value it reads back
// changed.

QString RelivoWidget::Funcion() const {
    return AQString(control_->Funcion());
}
void RelivoWidget::Funcion(const QString& texto) {
    const QString antes = Funcion();
    control_->Funcion(DeQString(texto));
    if (Funcion() != antes) emit FuncionCambiado();
}

#define RELIVO_DOBLE(Nombre)                              \
    double RelivoWidget::Nombre() const {                 \
        return control_->Nombre();                        \
    }                                                     \
    void RelivoWidget::Nombre(double valor) {             \
        const double antes = Nombre();                    \
        Fijar(#Nombre, [&] { control_->Nombre(valor); }); \
        if (Nombre() != antes) emit Nombre##Cambiado();   \
    }
RELIVO_DOBLE(XMin)
RELIVO_DOBLE(XMax)
RELIVO_DOBLE(YMin)
RELIVO_DOBLE(YMax)
RELIVO_DOBLE(ZMin)
RELIVO_DOBLE(ZMax)
RELIVO_DOBLE(AnguloX)
RELIVO_DOBLE(AnguloY)
RELIVO_DOBLE(AnguloZ)
#undef RELIVO_DOBLE

bool RelivoWidget::AutoEscalaZ() const {
    return control_->AutoEscalaZ();
}
void RelivoWidget::AutoEscalaZ(bool valor) {
    const bool antes = AutoEscalaZ();
    control_->AutoEscalaZ(valor);
    if (AutoEscalaZ() != antes) emit AutoEscalaZCambiado();
}

int RelivoWidget::NumeroLineasX() const {
    return control_->NumeroLineasX();
}
void RelivoWidget::NumeroLineasX(int lineas) {
    const int antes = NumeroLineasX();
    Fijar("NumeroLineasX", [&] { control_->NumeroLineasX(DeQt<int16_t>(lineas)); });
    if (NumeroLineasX() != antes) emit NumeroLineasXCambiado();
}
int RelivoWidget::NumeroLineasY() const {
    return control_->NumeroLineasY();
}
void RelivoWidget::NumeroLineasY(int lineas) {
    const int antes = NumeroLineasY();
    Fijar("NumeroLineasY", [&] { control_->NumeroLineasY(DeQt<int16_t>(lineas)); });
    if (NumeroLineasY() != antes) emit NumeroLineasYCambiado();
}

int RelivoWidget::NumeroError() const {
    return control_->NumeroError();
}
QString RelivoWidget::Error() const {
    return AQString(control_->Error());
}

// ---- The surface's properties, from their one list. The control tells the
// host of each change (AnfitrionWidget::PropertyChanged), which emits the
// NOTIFY signal.
// clang-format off
#define RELIVO_WIDGET_DEFINIR(Nombre, Tipo, Clase, ...)                                         \
    relivo::qt::TipoQt<relivo::tipos::Tipo>::Valor RelivoWidget::Nombre() const {                \
        return AQt(control_->Nombre());                                                          \
    }                                                                                            \
    RELIVO_SI_SE_ASIGNA(Clase,                                                                   \
    void RelivoWidget::Nombre(const relivo::qt::TipoQt<relivo::tipos::Tipo>::Valor& valor) {     \
        Fijar(#Nombre, [&] {                                                                     \
            control_->Nombre(DeQt<relivo::tipos::Tipo::Valor>(valor));                           \
        });                                                                                      \
        update();                                                                                \
    })
RELIVO_PROPIEDADES_SUPERFICIE(RELIVO_WIDGET_DEFINIR)
#undef RELIVO_WIDGET_DEFINIR
// clang-format on

void RelivoWidget::ReadProperties(const relivo::BolsaPropiedades& bolsa) {
    // Whatever the document set before a failure is announced too.
    auto notificarTodas = [this] {
        for (int k = metaObject()->propertyOffset(); k < metaObject()->propertyCount(); ++k) {
            const QMetaProperty p = metaObject()->property(k);
            if (p.hasNotifySignal()) p.notifySignal().invoke(this, Qt::DirectConnection);
        }
        update();
    };
    try {
        control_->ReadProperties(bolsa);
    } catch (...) {
        notificarTodas();
        throw;
    }
    notificarTodas();
}

void RelivoWidget::WriteProperties(relivo::BolsaPropiedades& bolsa) {
    control_->WriteProperties(bolsa);
}

QImage RelivoWidget::Grafica() const {
    return relivo::qt::AQImage(control_->Grafica());
}

// ---- The run.

void RelivoWidget::Graficar() {
    // A widget not shown yet has its resize pending: the control takes the
    // widget's size now.
    if (control_->PlanoInterno().Width() != width() ||
        control_->PlanoInterno().Height() != height()) {
        resizeEvent(nullptr);
    }
    if (gGraficando++ == 0) {
        gVigilante = relivo::AgregarVigilante([] { QCoreApplication::processEvents(); });
    }
    const int32_t propio = relivo::AgregarVigilante([this] { AlCeder(); });
    const double zMin = ZMin(), zMax = ZMax();
    const bool yaGraficando = graficando_;
    graficando_ = true;
    desdePintado_.start();
    control_->Graficar();
    graficando_ = yaGraficando;
    relivo::QuitarVigilante(propio);
    if (--gGraficando == 0) relivo::QuitarVigilante(gVigilante);
    if (ZMin() != zMin) emit ZMinCambiado();
    if (ZMax() != zMax) emit ZMaxCambiado();
    repaint();
}

void RelivoWidget::AlCeder() {
    if (desdePintado_.elapsed() < kMilisegundosEntrePintados) return;
    update();
    desdePintado_.restart();
}

void RelivoWidget::Cancelar() {
    control_->Cancelar();
}

void RelivoWidget::Cls() {
    control_->Cls();
    update();
}

void RelivoWidget::Refresh() {
    control_->Refresh();
    update();
}

// ---- The window.

int RelivoWidget::Borde() const {
    // BorderStyle 1 is a 2-pixel 3-D border on each side (surface.h).
    return control_->BorderStyle() == 1 ? 2 : 0;
}

void RelivoWidget::paintEvent(QPaintEvent*) {
    QPainter p(this);
    const int borde = Borde();
    p.fillRect(rect(), palette().window());
    if (borde > 0) qDrawShadePanel(&p, rect(), palette(), true, borde);
    p.drawImage(borde, borde, relivo::qt::AQImage(control_->PlanoInterno().Pantalla()));
}

void RelivoWidget::resizeEvent(QResizeEvent*) {
    Fijar("Size", [&] {
        control_->Redimensionar(static_cast<float>(width()), static_cast<float>(height()));
    });
}

void RelivoWidget::mousePressEvent(QMouseEvent* e) {
    const QPointF p = e->position() - QPointF(Borde(), Borde());
    control_->PlanoInterno().PulsarRaton(BotonDe(e->button()), ShiftDe(e->modifiers()),
                                         static_cast<float>(p.x()), static_cast<float>(p.y()));
    update();
}

void RelivoWidget::mouseMoveEvent(QMouseEvent* e) {
    const QPointF p = e->position() - QPointF(Borde(), Borde());
    control_->PlanoInterno().MoverRaton(BotonDe(e->buttons()), ShiftDe(e->modifiers()),
                                        static_cast<float>(p.x()), static_cast<float>(p.y()));
    update();
}

void RelivoWidget::mouseReleaseEvent(QMouseEvent* e) {
    const QPointF p = e->position() - QPointF(Borde(), Borde());
    control_->PlanoInterno().SoltarRaton(BotonDe(e->button()), ShiftDe(e->modifiers()),
                                         static_cast<float>(p.x()), static_cast<float>(p.y()));
    update();
}

void RelivoWidget::mouseDoubleClickEvent(QMouseEvent*) {
    control_->PlanoInterno().DobleClic();
    update();
}

void RelivoWidget::keyPressEvent(QKeyEvent* e) {
    const QString texto = e->text();
    const int16_t ascii = texto.size() == 1 && texto[0].unicode() < 256
                              ? static_cast<int16_t>(texto[0].unicode())
                              : 0;
    const int16_t codigo = CodigoTecla(e->key());
    if (codigo == 0 && ascii == 0) {
        QWidget::keyPressEvent(e);
        return;
    }
    control_->PlanoInterno().Teclear(codigo, ShiftDe(e->modifiers()), ascii);
    update();
}
