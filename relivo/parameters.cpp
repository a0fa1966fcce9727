// The plot parameters and the error state of Relivo, with the error report
// shared by the control's own members.
#include <cmath>
#include <string>

#include "evaluar/arithmetic.h"
#include "platform/numbers.h"
#include "relivo/control.h"
#include "relivo/error_report.h"
#include "relivo/messages.h"
#include "relivo/relivo.h"

namespace relivo {

namespace ar = aritmetica;

void ReportarError(Control& c, const Fallo& fallo, bool& Continuar) {
    try {
        ElevarStatus(c, mensajes::kPrefijoError + fallo.texto(), 0);
        c.e.NumeroError = fallo.numero();
        c.e.Error = fallo.texto();
        ElevarError(c, c.e.NumeroError, c.e.Error, Continuar);
    } catch (...) {
        // A host handler that fails while being told of a failure ends the
        // member; the error state is stored all the same.
        c.e.NumeroError = fallo.numero();
        c.e.Error = fallo.texto();
        Continuar = false;
    }
}

namespace {

void MarcarAmbos(EstadoRelivo& e) {
    e.Recalcular = true;
    e.Redibujar = true;
}

// Degrees <-> radians through arctan(1) = pi/4.
double ARadianes(double grados) {
    return ar::Dividir(ar::Multiplicar(grados, std::atan(1.0)), 45);
}
double AGrados(double radianes) {
    return ar::Dividir(ar::Multiplicar(radianes, 45), std::atan(1.0));
}

double LeerAngulo(Control& c, const double& angulo) {
    double r = 0;
    EjecutarSentencias(c, {[&] { r = AGrados(angulo); }});
    return r;
}

void FijarAngulo(Control& c, double& angulo, double grados) {
    double r = 0;
    EjecutarSentencias(c, {
                              [&] { r = ARadianes(grados); },
                              [&] {
                                  if (r != angulo) c.e.Redibujar = true;
                              },
                              [&] { angulo = r; },
                          });
}

double LeerDoble(Control& c, const double& valor) {
    double r = 0;
    EjecutarSentencias(c, {[&] { r = valor; }});
    return r;
}

// A bound of the rectangle: stored first, then the two bounds checked.
void FijarLimite(Control& c, double& limite, double valor, const double& minimo,
                 const double& maximo, const Mensaje& iguales) {
    EjecutarSentencias(c, {
                              [&] {
                                  if (valor != limite) MarcarAmbos(c.e);
                              },
                              [&] { limite = valor; },
                              [&] {
                                  if (ar::Restar(minimo, maximo) == 0) throw Fallo(iguales);
                              },
                          });
}

int16_t LeerLineas(Control& c, const double& intervalos) {
    int16_t r = 0;
    EjecutarSentencias(c, {[&] { r = numeros::AEntero16(ar::Restar(intervalos, 1)); }});
    return r;
}

// Flags before the check, the value only after it.
void FijarLineas(Control& c, double& intervalos, int16_t lineas) {
    EjecutarSentencias(c, {
                              [&] {
                                  if (intervalos != numeros::Sumar16(lineas, 1)) MarcarAmbos(c.e);
                              },
                              [&] {
                                  if (lineas < 0) throw Fallo(mensajes::kIntervaloCero);
                              },
                              [&] { intervalos = numeros::Sumar16(lineas, 1); },
                          });
}

// Design mode with automatic scaling refuses the z bounds outright.
void FijarZ(Control& c, double& limite, double valor) {
    if (!c.anfitrion.UserMode() && c.e.AutoEscalaZ) {
        throw Fallo(mensajes::kTiempoDeDiseno);
    }
    EjecutarSentencias(c, {
                              [&] {
                                  if (valor != limite) c.e.Redibujar = true;
                              },
                              [&] { limite = valor; },
                          });
}

}  // namespace

double Relivo::AnguloX() {
    return LeerAngulo(*c_, c_->e.AnguloX);
}
void Relivo::AnguloX(double grados) {
    FijarAngulo(*c_, c_->e.AnguloX, grados);
}
double Relivo::AnguloY() {
    return LeerAngulo(*c_, c_->e.AnguloY);
}
void Relivo::AnguloY(double grados) {
    FijarAngulo(*c_, c_->e.AnguloY, grados);
}
double Relivo::AnguloZ() {
    return LeerAngulo(*c_, c_->e.AnguloZ);
}
void Relivo::AnguloZ(double grados) {
    FijarAngulo(*c_, c_->e.AnguloZ, grados);
}

bool Relivo::AutoEscalaZ() {
    bool r = false;
    EjecutarSentencias(*c_, {[&] { r = c_->e.AutoEscalaZ; }});
    return r;
}

void Relivo::AutoEscalaZ(bool valor) {
    EstadoRelivo& e = c_->e;
    EjecutarSentencias(*c_, {
                                [&] {
                                    if (!e.AutoEscalaZ && valor) {
                                        MarcarAmbos(e);
                                    } else if (e.AutoEscalaZ && !valor) {
                                        e.Redibujar = true;
                                    }
                                },
                                [&] { e.AutoEscalaZ = valor; },
                            });
}

std::string Relivo::Funcion() {
    std::string r;
    EjecutarSentencias(*c_, {[&] { r = c_->Func.Funcion(); }});
    return r;
}

void Relivo::Funcion(std::string_view texto) {
    Control& c = *c_;
    EjecutarSentencias(c, {
                              [&] {
                                  if (texto != c.Func.Funcion()) MarcarAmbos(c.e);
                              },
                              [&] { c.Func.Funcion(texto); },
                              [&] {
                                  if (c.Func.NumeroError() != 0) {
                                      throw Fallo(c.Func.NumeroError(), c.Func.Error());
                                  }
                              },
                          });
}

int16_t Relivo::NumeroLineasX() {
    return LeerLineas(*c_, c_->e.IntervalosX);
}
void Relivo::NumeroLineasX(int16_t lineas) {
    FijarLineas(*c_, c_->e.IntervalosX, lineas);
}
int16_t Relivo::NumeroLineasY() {
    return LeerLineas(*c_, c_->e.IntervalosY);
}
void Relivo::NumeroLineasY(int16_t lineas) {
    FijarLineas(*c_, c_->e.IntervalosY, lineas);
}

double Relivo::XMax() {
    return LeerDoble(*c_, c_->e.XMax);
}
void Relivo::XMax(double v) {
    FijarLimite(*c_, c_->e.XMax, v, c_->e.XMin, c_->e.XMax, mensajes::kXIguales);
}
double Relivo::XMin() {
    return LeerDoble(*c_, c_->e.XMin);
}
void Relivo::XMin(double v) {
    FijarLimite(*c_, c_->e.XMin, v, c_->e.XMin, c_->e.XMax, mensajes::kXIguales);
}
double Relivo::YMax() {
    return LeerDoble(*c_, c_->e.YMax);
}
void Relivo::YMax(double v) {
    FijarLimite(*c_, c_->e.YMax, v, c_->e.YMin, c_->e.YMax, mensajes::kYIguales);
}
double Relivo::YMin() {
    return LeerDoble(*c_, c_->e.YMin);
}
void Relivo::YMin(double v) {
    FijarLimite(*c_, c_->e.YMin, v, c_->e.YMin, c_->e.YMax, mensajes::kYIguales);
}

double Relivo::ZMax() {
    return LeerDoble(*c_, c_->e.ZMax);
}
void Relivo::ZMax(double v) {
    FijarZ(*c_, c_->e.ZMax, v);
}
double Relivo::ZMin() {
    return LeerDoble(*c_, c_->e.ZMin);
}
void Relivo::ZMin(double v) {
    FijarZ(*c_, c_->e.ZMin, v);
}

int32_t Relivo::NumeroError() const {
    return c_->e.NumeroError;
}
std::string Relivo::Error() const {
    return c_->e.Error;
}

}  // namespace relivo
