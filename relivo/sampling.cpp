// ProcesarSuperficie: fills ValoresZ with z = f(x, y) through the child
// evaluator, and with AutoEscalaZ on widens ZMin/ZMax sample by sample,
// leaving out samples that jump by more than three typical steps.
#include "relivo/sampling.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <string>

#include "evaluar/arithmetic.h"
#include "platform/numbers.h"
#include "relivo/control.h"
#include "relivo/messages.h"

namespace relivo {

namespace ar = aritmetica;

namespace {

// Built once: the status is raised after every sample.
const std::string kProcesando = mensajes::kProcesando;

// The evaluator's value just read, or its own failure raised again.
double Leer(Control& c) {
    const double z = c.Func.Resultado();
    const int32_t numero = c.Func.NumeroError();
    if (numero != 0) throw Fallo(numero, c.Func.Error());
    return z;
}

// The range step of one stored sample.
struct PasoDeRango {
    double previo = 0;
    double PasoTipico = 0;

    void Aplicar(EstadoRelivo& e, double z) {
        const double d = std::fabs(ar::Restar(z, previo));
        if (PasoTipico <= 0) {
            PasoTipico = d;
        } else {
            if (d > PasoTipico && d < ar::Multiplicar(3, PasoTipico)) PasoTipico = d;
            if (d <= ar::Multiplicar(3, PasoTipico)) {
                e.ZMax = std::max(e.ZMax, z);
                e.ZMin = std::min(e.ZMin, z);
            }
        }
        previo = z;
    }
};

// Stores one sample: range step, store, yield, cancellation poll.
void Guardar(Control& c, PasoDeRango& rango, int32_t i, int32_t j, double z) {
    if (c.e.AutoEscalaZ) rango.Aplicar(c.e, z);
    c.e.ValoresZ(i, j) = z;
    CederYComprobar(c);
}

// min(100, I(a / (IntervalosX * IntervalosY) * 100)) for the progress events.
int16_t Porcentaje(const EstadoRelivo& e, double a) {
    const double p =
        ar::Multiplicar(ar::Dividir(a, ar::Multiplicar(e.IntervalosX, e.IntervalosY)), 100);
    return std::min<int16_t>(100, numeros::AEntero16(p));
}

// (maximo - minimo) * k / intervalos + minimo. Unchecked first: an infinity
// or a not-a-number on the way cannot end in a finite result, so a finite one
// is exactly the checked one; otherwise, and for a division by zero, it is
// done again checked to raise the error of the first failing operation.
double PuntoDeRejilla(double minimo, double maximo, int32_t k, double intervalos) {
    if (intervalos != 0) [[likely]] {
        const double r = (maximo - minimo) * k / intervalos + minimo;
        if (std::isfinite(r)) [[likely]]
            return r;
    }
    return ar::Sumar(ar::Dividir(ar::Multiplicar(ar::Restar(maximo, minimo), k), intervalos),
                     minimo);
}

}  // namespace

double CoordenadaX(const EstadoRelivo& e, int32_t i) {
    return PuntoDeRejilla(e.XMin, e.XMax, i, e.IntervalosX);
}

double CoordenadaY(const EstadoRelivo& e, int32_t j) {
    return PuntoDeRejilla(e.YMin, e.YMax, j, e.IntervalosY);
}

void ProcesarSuperficie(Control& c) {
    EstadoRelivo& e = c.e;
    const int32_t nX = numeros::AEntero32(e.IntervalosX);
    const int32_t nY = numeros::AEntero32(e.IntervalosY);
    e.ValoresZ = MatrizZ();  // the old grid goes first, so two never coexist
    e.ValoresZ = MatrizZ(nX, nY);

    const bool hasX = c.Func.ExisteVariable("x");
    const bool hasY = c.Func.ExisteVariable("y");
    int16_t ix = 0;
    int16_t iy = 0;
    if (hasX) {
        ix = c.Func.IndiceVariable("x");
        c.Func.ValorPorIndice(ix, e.XMin);
    }
    if (hasY) {
        iy = c.Func.IndiceVariable("y");
        c.Func.ValorPorIndice(iy, e.YMin);
    }
    const double z0 = Leer(c);
    if (e.AutoEscalaZ) {
        e.ZMax = z0;
        e.ZMin = z0;
    }
    e.ValoresZ(0, 0) = z0;
    PasoDeRango rango;
    rango.previo = z0;

    if (!hasY) {
        for (int32_t i = 0; i <= nX; ++i) {
            if (hasX) c.Func.ValorPorIndice(ix, CoordenadaX(e, i));
            const double z = Leer(c);
            for (int32_t j = 0; j <= nY; ++j) Guardar(c, rango, i, j, z);
            ElevarStatus(c, kProcesando, Porcentaje(e, ar::Multiplicar(e.IntervalosY, i)));
        }
    } else {
        for (int32_t j = 0; j <= nY; ++j) {
            c.Func.ValorPorIndice(iy, CoordenadaY(e, j));
            for (int32_t i = 0; i <= nX; ++i) {
                if (hasX) c.Func.ValorPorIndice(ix, CoordenadaX(e, i));
                Guardar(c, rango, i, j, Leer(c));
            }
            ElevarStatus(c, kProcesando, Porcentaje(e, ar::Multiplicar(e.IntervalosX, j)));
        }
    }
}

}  // namespace relivo
