// A program that embeds both controls, as an application developer would:
// an Evaluar with a handler for its Error event, values given one at a time
// and several at once, and a Relivo sited in a minimal host that follows the
// plot's progress and writes the picture to a PNG file.
//
//   ./build/examples/embed [picture.png]
#include <cstdio>
#include <string>

#include "platform/png.h"
#include "relivo/evaluar.h"
#include "relivo/relivo.h"

namespace {

// Evaluar's one event: the number and the Spanish text of a failure.
class AvisosEvaluar : public relivo::EventosEvaluar {
public:
    void Error(int32_t NumError, const std::string& DescrError) override {
        std::printf("  Error %d: %s\n", NumError, DescrError.c_str());
    }
};

// The least a host of Relivo provides: its events, the ambient properties,
// and the notifications it may ignore.
class Anfitrion : public relivo::Anfitrion {
public:
    void LanzarEvento(int32_t, std::string_view Nombre,
                      std::span<relivo::ArgumentoEvento> Argumentos) override {
        if (Nombre == "Status" && Argumentos[1].Valor.AEntero16() % 25 == 0 &&
            Argumentos[0].Valor.ATexto() != ultimo_) {
            ultimo_ = Argumentos[0].Valor.ATexto();
            std::printf("  %s\n", ultimo_.c_str());
        }
        if (Nombre == "Error") {
            std::printf("  Error %d: %s\n", Argumentos[0].Valor.AEntero32(),
                        Argumentos[1].Valor.ATexto().c_str());
        }
    }
    bool UserMode() const override { return true; }
    relivo::Fuente Font() const override { return {}; }
    void PropertyChanged(std::string_view) override {}
    void PopupMenu(std::string_view, std::optional<int16_t>, std::optional<float>,
                   std::optional<float>, std::string_view) override {}

private:
    std::string ultimo_;
};

}  // namespace

int main(int argc, char** argv) {
    AvisosEvaluar avisos;
    relivo::Evaluar ev(&avisos);
    ev.Funcion("sen(x)*cos(y) + 2x");
    std::printf("Función: %s\n", ev.Funcion().c_str());

    // One value at a time, by name: the result is ready once both are set.
    ev.Valor("x", 1);
    ev.Valor("y", 0.5);
    std::printf("f(1, 0.5) = %.15g\n", ev.Resultado());

    // Both at once, by index, evaluating once: the way to go through many points.
    double valores[2];
    valores[ev.IndiceVariable("x") - 1] = 2;
    valores[ev.IndiceVariable("y") - 1] = -1;
    ev.ValoresPorIndice(valores);
    std::printf("f(2, -1) = %.15g\n", ev.Resultado());

    // A failure arrives through the Error event, in Spanish.
    ev.Funcion("1/(x-y)");
    ev.ValoresPorIndice(valores);
    valores[ev.IndiceVariable("y") - 1] = valores[ev.IndiceVariable("x") - 1];
    ev.ValoresPorIndice(valores);
    std::printf("1/(x-y) con x = y: NumeroError %d\n", ev.NumeroError());

    Anfitrion host;
    relivo::Relivo r(host, 400, 300);
    r.Funcion("sen(x)*cos(y)");
    r.XMin(-3);
    r.XMax(3);
    r.YMin(-3);
    r.YMax(3);
    r.Graficar();
    if (r.NumeroError() != 0) return 1;
    const std::string ruta = argc > 1 ? argv[1] : "ejemplo.png";
    relivo::GuardarPng(r.Grafica(), ruta);
    std::printf("Gráfica guardada en %s\n", ruta.c_str());
    return 0;
}
