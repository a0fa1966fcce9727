#include "qt/widgets/widget_host.h"

#include <QMenu>
#include <QMetaProperty>
#include <string>

#include "qt/widgets/conversions.h"
#include "qt/widgets/relivo_widget.h"

using relivo::ArgumentoEvento;
using relivo::qt::AQString;

namespace {

// A by-reference argument as the pointer the signal carries, written back
// into the argument when the slots have run.
template <typename T>
struct PorReferencia {
    explicit PorReferencia(ArgumentoEvento& a) : arg(a), valor(a.Valor.Como<T>()) {}
    ~PorReferencia() { arg.Valor = valor; }
    PorReferencia(const PorReferencia&) = delete;
    PorReferencia& operator=(const PorReferencia&) = delete;

    ArgumentoEvento& arg;
    T valor;
};

}  // namespace

void AnfitrionWidget::LanzarEvento(int32_t, std::string_view Nombre, std::span<ArgumentoEvento> a) {
    RelivoWidget& w = widget_;
    if (Nombre == "Click") {
        emit w.Click();
    } else if (Nombre == "DblClick") {
        emit w.DblClick();
    } else if (Nombre == "KeyDown" || Nombre == "KeyUp") {
        PorReferencia<short> codigo(a[0]), shift(a[1]);
        if (Nombre == "KeyDown") {
            emit w.KeyDown(&codigo.valor, &shift.valor);
        } else {
            emit w.KeyUp(&codigo.valor, &shift.valor);
        }
    } else if (Nombre == "KeyPress") {
        PorReferencia<short> ascii(a[0]);
        emit w.KeyPress(&ascii.valor);
    } else if (Nombre == "MouseDown" || Nombre == "MouseMove" || Nombre == "MouseUp") {
        PorReferencia<short> boton(a[0]), shift(a[1]);
        PorReferencia<float> x(a[2]), y(a[3]);
        if (Nombre == "MouseDown") {
            emit w.MouseDown(&boton.valor, &shift.valor, &x.valor, &y.valor);
        } else if (Nombre == "MouseMove") {
            emit w.MouseMove(&boton.valor, &shift.valor, &x.valor, &y.valor);
        } else {
            emit w.MouseUp(&boton.valor, &shift.valor, &x.valor, &y.valor);
        }
    } else if (Nombre == "Resize") {
        emit w.Resize();
    } else if (Nombre == "Error") {
        PorReferencia<bool> continuar(a[2]);
        emit w.Error(a[0].Valor.AEntero32(), AQString(a[1].Valor.ATexto()), &continuar.valor);
    } else if (Nombre == "Status") {
        emit w.Status(AQString(a[0].Valor.ATexto()), a[1].Valor.AEntero16());
    } else if (Nombre == "TerminoGraficacion") {
        emit w.TerminoGraficacion();
    }
}

relivo::Fuente AnfitrionWidget::Font() const {
    return relivo::qt::DeQFont(widget_.font());
}

void AnfitrionWidget::PropertyChanged(std::string_view Nombre) {
    widget_.Notificar(std::string(Nombre).c_str());
}

void AnfitrionWidget::PopupMenu(std::string_view Menu, std::optional<int16_t>,
                                std::optional<float> x, std::optional<float> y, std::string_view) {
    auto* menu = widget_.window()->findChild<QMenu*>(AQString(Menu));
    if (!menu) return;
    QPoint donde = QCursor::pos();
    if (x && y) {
        // Scale units to pixels of the interior.
        const int borde = widget_.Borde();
        const double px =
            (*x - widget_.ScaleLeft()) * (widget_.width() - 2 * borde) / widget_.ScaleWidth();
        const double py =
            (*y - widget_.ScaleTop()) * (widget_.height() - 2 * borde) / widget_.ScaleHeight();
        donde =
            widget_.mapToGlobal(QPoint(borde + static_cast<int>(px), borde + static_cast<int>(py)));
    }
    menu->exec(donde);
}

int16_t CodigoTecla(int tecla) {
    if ((tecla >= Qt::Key_A && tecla <= Qt::Key_Z) || (tecla >= Qt::Key_0 && tecla <= Qt::Key_9)) {
        return static_cast<int16_t>(tecla);  // the same codes
    }
    if (tecla >= Qt::Key_F1 && tecla <= Qt::Key_F24) {
        return static_cast<int16_t>(0x70 + (tecla - Qt::Key_F1));
    }
    struct Par {
        int qt;
        int16_t codigo;
    };
    static constexpr Par kTeclas[] = {
        {Qt::Key_Backspace, 8}, {Qt::Key_Tab, 9},      {Qt::Key_Return, 13}, {Qt::Key_Enter, 13},
        {Qt::Key_Shift, 16},    {Qt::Key_Control, 17}, {Qt::Key_Alt, 18},    {Qt::Key_Pause, 19},
        {Qt::Key_CapsLock, 20}, {Qt::Key_Escape, 27},  {Qt::Key_Space, 32},  {Qt::Key_PageUp, 33},
        {Qt::Key_PageDown, 34}, {Qt::Key_End, 35},     {Qt::Key_Home, 36},   {Qt::Key_Left, 37},
        {Qt::Key_Up, 38},       {Qt::Key_Right, 39},   {Qt::Key_Down, 40},   {Qt::Key_Insert, 45},
        {Qt::Key_Delete, 46},   {Qt::Key_Plus, 107},   {Qt::Key_Minus, 109}, {Qt::Key_NumLock, 144},
    };
    for (const Par& p : kTeclas) {
        if (p.qt == tecla) return p.codigo;
    }
    return 0;
}

int16_t ShiftDe(Qt::KeyboardModifiers m) {
    return static_cast<int16_t>((m & Qt::ShiftModifier ? 1 : 0) |
                                (m & Qt::ControlModifier ? 2 : 0) | (m & Qt::AltModifier ? 4 : 0));
}
