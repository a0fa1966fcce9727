#include "relivo/control.h"

#include <array>
#include <utility>

#include "relivo/messages.h"
#include "relivo/platform/yield.h"

namespace relivo {

namespace {

// Event identifiers of the control.
enum IdEvento : int32_t {
    kClick = 1,
    kDblClick,
    kKeyDown,
    kKeyPress,
    kKeyUp,
    kMouseDown,
    kMouseMove,
    kMouseUp,
    kResize,
    kError,
    kStatus,
    kTerminoGraficacion,
};

ArgumentoEvento PorReferencia(const char* nombre, VarianteHost valor) {
    return ArgumentoEvento{nombre, std::move(valor), true};
}

ArgumentoEvento PorValor(const char* nombre, VarianteHost valor) {
    return ArgumentoEvento{nombre, std::move(valor), false};
}

// Reads back a by-reference argument; a value of the wrong kind leaves the
// variable as it was.
template <typename T>
void Releer(const ArgumentoEvento& a, T& destino) {
    try {
        destino = a.Valor.Como<T>();
    } catch (const Fallo&) {
    }
}

void EventoTeclado(Anfitrion& anfitrion, int32_t id, const char* nombre, int16_t& KeyCode,
                   int16_t& Shift) {
    std::array args{PorReferencia("KeyCode", KeyCode), PorReferencia("Shift", Shift)};
    anfitrion.LanzarEvento(id, nombre, args);
    Releer(args[0], KeyCode);
    Releer(args[1], Shift);
}

void EventoRaton(Anfitrion& anfitrion, int32_t id, const char* nombre, int16_t& Button,
                 int16_t& Shift, float& x, float& y) {
    std::array args{PorReferencia("Button", Button), PorReferencia("Shift", Shift),
                    PorReferencia("x", x), PorReferencia("y", y)};
    anfitrion.LanzarEvento(id, nombre, args);
    Releer(args[0], Button);
    Releer(args[1], Shift);
    Releer(args[2], x);
    Releer(args[3], y);
}

}  // namespace

void ReenvioEventos::Click() {
    anfitrion_.LanzarEvento(kClick, "Click", {});
}
void ReenvioEventos::DblClick() {
    anfitrion_.LanzarEvento(kDblClick, "DblClick", {});
}

void ReenvioEventos::KeyDown(int16_t& KeyCode, int16_t& Shift) {
    EventoTeclado(anfitrion_, kKeyDown, "KeyDown", KeyCode, Shift);
}

void ReenvioEventos::KeyPress(int16_t& KeyAscii) {
    std::array args{PorReferencia("KeyAscii", KeyAscii)};
    anfitrion_.LanzarEvento(kKeyPress, "KeyPress", args);
    Releer(args[0], KeyAscii);
}

void ReenvioEventos::KeyUp(int16_t& KeyCode, int16_t& Shift) {
    EventoTeclado(anfitrion_, kKeyUp, "KeyUp", KeyCode, Shift);
}

void ReenvioEventos::MouseDown(int16_t& Button, int16_t& Shift, float& x, float& y) {
    EventoRaton(anfitrion_, kMouseDown, "MouseDown", Button, Shift, x, y);
}

void ReenvioEventos::MouseMove(int16_t& Button, int16_t& Shift, float& x, float& y) {
    EventoRaton(anfitrion_, kMouseMove, "MouseMove", Button, Shift, x, y);
}

void ReenvioEventos::MouseUp(int16_t& Button, int16_t& Shift, float& x, float& y) {
    EventoRaton(anfitrion_, kMouseUp, "MouseUp", Button, Shift, x, y);
}

void ReenvioEventos::Resize() {
    anfitrion_.LanzarEvento(kResize, "Resize", {});
}

Control::Control(Anfitrion& a, int32_t ancho, int32_t alto)
    : Control(a, CrearSuperficie(ancho, alto)) {}

Control::Control(Anfitrion& a, std::unique_ptr<SuperficieDibujo> superficie)
    : anfitrion(a), reenvio(a), PlanoInterno(std::move(superficie)) {
    if (!PlanoInterno) throw Fallo::Plataforma(errores::kArgumentoNoValido);
    PlanoInterno->FijarEventos(&reenvio);
}

Control::~Control() {
    PlanoInterno->FijarEventos(nullptr);
}

void ElevarStatus(Control& c, const std::string& Stat, int16_t Porcentaje) {
    std::array args{PorValor("Stat", Stat), PorValor("Porcentaje", Porcentaje)};
    c.anfitrion.LanzarEvento(kStatus, "Status", args);
}

void ElevarError(Control& c, int32_t NumError, const std::string& DescrError, bool& Continuar) {
    std::array args{PorValor("NumError", NumError), PorValor("DescrError", DescrError),
                    PorReferencia("Continuar", Continuar)};
    c.anfitrion.LanzarEvento(kError, "Error", args);
    Releer(args[2], Continuar);
}

void ElevarTerminoGraficacion(Control& c) {
    c.anfitrion.LanzarEvento(kTerminoGraficacion, "TerminoGraficacion", {});
}

void CederYComprobar(Control& c) {
    Ceder();
    if (c.e.Cancelado) throw Fallo(mensajes::kCancelado);
}

void FijarAutoRedraw(Control& c, bool valor) {
    c.PlanoInterno->AutoRedraw(valor);
    c.anfitrion.PropertyChanged("AutoRedraw");
}

void FijarFillColor(Control& c, ColorOle valor) {
    c.PlanoInterno->FillColor(valor);
    c.anfitrion.PropertyChanged("FillColor");
}

void FijarFillStyle(Control& c, int16_t valor) {
    c.PlanoInterno->FillStyle(valor);
    c.anfitrion.PropertyChanged("FillStyle");
}

void FijarForeColor(Control& c, ColorOle valor) {
    c.PlanoInterno->ForeColor(valor);
    c.anfitrion.PropertyChanged("ForeColor");
}

}  // namespace relivo
