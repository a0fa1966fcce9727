// Time of one re-evaluation after a variable change (Valor by index, as the
// plotter samples) and of accepting an expression (Funcion), beside muparser
// evaluating the same expressions after a variable change.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <map>
#include <string>
#include <vector>

#include "relivo/evaluar.h"
#ifdef RELIVO_WITH_MUPARSER
#include <muParser.h>
#endif

namespace {

struct Expresion {
    const char* nombre;
    std::string nuestra;  // our spelling
    std::string peer;     // muparser's spelling
};

std::string Polinomio() {
    std::string s = "1";
    for (int k = 1; k <= 20; ++k) s += "+" + std::to_string(k) + "*x^" + std::to_string(k % 5 + 1);
    return s;
}

const std::vector<Expresion>& Expresiones() {
    static const std::vector<Expresion> lista = {
        {"sen_cos", "sen(x)*cos(y) + 2x", "sin(x)*cos(y) + 2*x"},
        {"paraboloide", "x^2+y^2", "x^2+y^2"},
        {"raiz", "sqr(x^2+y^2)", "sqrt(x^2+y^2)"},
        {"gauss_coseno", "exp(-(x^2+y^2))*cos(3x)", "exp(-(x^2+y^2))*cos(3*x)"},
        {"polinomio", Polinomio() + "+y", Polinomio() + "+y"},
    };
    return lista;
}

std::map<std::string, double>& Tiempos() {
    static std::map<std::string, double> t;
    return t;
}

// One re-evaluation after x changes, with the variable set by `fijar`
// (the member under measure).
template <class Fijar>
void Reevaluar(benchmark::State& state, Fijar fijar) {
    const Expresion& e = Expresiones()[static_cast<size_t>(state.range(0))];
    relivo::Evaluar ev;
    ev.Funcion(e.nuestra);
    const int16_t ix = ev.IndiceVariable("x");
    if (ev.ExisteVariable("y")) fijar(ev, ev.IndiceVariable("y"), 0.3);
    double x = 0.1;
    for (auto _ : state) {
        x += 1e-7;
        fijar(ev, ix, x);
        benchmark::DoNotOptimize(ev.Resultado());
    }
    if (ev.NumeroError() != 0) state.SkipWithError(ev.Error().c_str());
    state.SetLabel(e.nombre);
}

// Through the variant, as an automation host calls it.
void ValorPorIndice(benchmark::State& state) {
    Reevaluar(state, [](relivo::Evaluar& ev, int16_t i, double v) { ev.Valor(i, v); });
}

// The same through the typed member, without the variant.
void ValorTipado(benchmark::State& state) {
    Reevaluar(state, [](relivo::Evaluar& ev, int16_t i, double v) { ev.ValorPorIndice(i, v); });
}

// One point: x and y both change, then the result is read.
template <class Fijar>
void Punto(benchmark::State& state, Fijar fijar) {
    const Expresion& e = Expresiones()[static_cast<size_t>(state.range(0))];
    relivo::Evaluar ev;
    ev.Funcion(e.nuestra);
    const int16_t ix = ev.IndiceVariable("x"), iy = ev.IndiceVariable("y");
    double valores[2] = {0.1, 0.3};
    for (auto _ : state) {
        valores[ix - 1] += 1e-7;
        valores[iy - 1] -= 1e-7;
        fijar(ev, valores);
        benchmark::DoNotOptimize(ev.Resultado());
    }
    if (ev.NumeroError() != 0) state.SkipWithError(ev.Error().c_str());
    state.SetLabel(e.nombre);
}

// The two values one by one: two evaluations.
void PuntoUnoAUno(benchmark::State& state) {
    Punto(state, [](relivo::Evaluar& ev, const double(&v)[2]) {
        ev.ValorPorIndice(1, v[0]);
        ev.ValorPorIndice(2, v[1]);
    });
}

// The two values in one call: one evaluation.
void PuntoJuntos(benchmark::State& state) {
    Punto(state, [](relivo::Evaluar& ev, const double(&v)[2]) { ev.ValoresPorIndice(v); });
}

void FuncionLet(benchmark::State& state) {
    const Expresion& e = Expresiones()[static_cast<size_t>(state.range(0))];
    relivo::Evaluar ev;
    for (auto _ : state) {
        ev.Funcion(e.nuestra);
        benchmark::DoNotOptimize(ev.NumeroVariables());
    }
    state.SetLabel(e.nombre);
}

#ifdef RELIVO_WITH_MUPARSER
// muparser with x (and for a whole point, y too) changed before each evaluation.
void Muparser(benchmark::State& state, bool punto) {
    const Expresion& e = Expresiones()[static_cast<size_t>(state.range(0))];
    mu::Parser p;
    double x = 0.1, y = 0.3;
    p.DefineVar("x", &x);
    p.DefineVar("y", &y);
    p.SetExpr(e.peer);
    p.Eval();
    for (auto _ : state) {
        x += 1e-7;
        if (punto) y -= 1e-7;
        benchmark::DoNotOptimize(p.Eval());
    }
    state.SetLabel(e.nombre);
}

void MuparserEval(benchmark::State& state) {
    Muparser(state, false);
}

void MuparserPunto(benchmark::State& state) {
    Muparser(state, true);
}
#endif

void Registrar() {
    for (size_t i = 0; i < Expresiones().size(); ++i) {
        const auto n = static_cast<int64_t>(i);
        const std::string nombre = Expresiones()[i].nombre;
        benchmark::RegisterBenchmark(("Valor/" + nombre).c_str(), ValorPorIndice)->Arg(n);
        benchmark::RegisterBenchmark(("Tipado/" + nombre).c_str(), ValorTipado)->Arg(n);
#ifdef RELIVO_WITH_MUPARSER
        benchmark::RegisterBenchmark(("Muparser/" + nombre).c_str(), MuparserEval)->Arg(n);
#endif
        benchmark::RegisterBenchmark(("PuntoUnoAUno/" + nombre).c_str(), PuntoUnoAUno)->Arg(n);
        benchmark::RegisterBenchmark(("PuntoJuntos/" + nombre).c_str(), PuntoJuntos)->Arg(n);
#ifdef RELIVO_WITH_MUPARSER
        benchmark::RegisterBenchmark(("MuparserPunto/" + nombre).c_str(), MuparserPunto)->Arg(n);
#endif
        benchmark::RegisterBenchmark(("Funcion/" + nombre).c_str(), FuncionLet)->Arg(n);
    }
}

// Collects the processor time per iteration of each run to print the ratios
// at the end (the processor time, so that other work on the machine weighs
// on both sides alike).
class Informe : public benchmark::ConsoleReporter {
public:
    void ReportRuns(const std::vector<Run>& runs) override {
        for (const Run& r : runs) {
            // With repetitions, the median stands for the run.
            if (r.run_type == Run::RT_Aggregate && r.aggregate_name != "median") continue;
            Tiempos()[r.run_name.function_name] = r.GetAdjustedCPUTime();
        }
        ConsoleReporter::ReportRuns(runs);
    }
};

}  // namespace

int main(int argc, char** argv) {
    benchmark::Initialize(&argc, argv);
    Registrar();
    Informe informe;
    benchmark::RunSpecifiedBenchmarks(&informe);
#ifdef RELIVO_WITH_MUPARSER
    std::printf(
        "\nRatio nuestro/muparser por evaluación tras cambiar una variable (tiempo de CPU):\n");
    for (const Expresion& e : Expresiones()) {
        double variante = 0, tipado = 0, peer = 0;
        for (const auto& [nombre, t] : Tiempos()) {
            if (nombre == "Valor/" + std::string(e.nombre)) variante = t;
            if (nombre == "Tipado/" + std::string(e.nombre)) tipado = t;
            if (nombre == "Muparser/" + std::string(e.nombre)) peer = t;
        }
        if (variante > 0 && tipado > 0 && peer > 0) {
            std::printf(
                "  %-14s variante %7.1f ns = %.2f   tipado %7.1f ns = %.2f   muparser %7.1f ns\n",
                e.nombre, variante, variante / peer, tipado, tipado / peer, peer);
        }
    }
    std::printf("\nRatio nuestro/muparser por punto (x e y cambian; tiempo de CPU):\n");
    for (const Expresion& e : Expresiones()) {
        const double uno = Tiempos()["PuntoUnoAUno/" + std::string(e.nombre)];
        const double juntos = Tiempos()["PuntoJuntos/" + std::string(e.nombre)];
        const double peer = Tiempos()["MuparserPunto/" + std::string(e.nombre)];
        if (uno > 0 && juntos > 0 && peer > 0) {
            std::printf(
                "  %-14s uno a uno %7.1f ns = %.2f   juntos %7.1f ns = %.2f   muparser %7.1f ns\n",
                e.nombre, uno, uno / peer, juntos, juntos / peer, peer);
        }
    }
#endif
    benchmark::Shutdown();
    return 0;
}
