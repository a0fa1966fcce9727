// Time of accepting an expression (Funcion [Let]: validation, both canonical
// passes, simplification, display text, tree) for typical expressions of 10 to
// 200 characters, and for the slowest texts of up to 32,767 characters found:
// long sums, products and power chains whose operands the simplifier orders,
// and parentheses nested as deep as the recursion guard allows.
#include <benchmark/benchmark.h>

#include <functional>
#include <string>
#include <vector>

#include "relivo/evaluar.h"
#include "tests/support/expression_generator.h"

namespace {

// Accepted generated expressions whose length lies in [desde, hasta).
std::vector<std::string> Tipicas(size_t desde, size_t hasta) {
    std::vector<std::string> lista;
    relivo::prueba::GeneradorExpresiones generador(desde * 7919 + hasta);
    while (lista.size() < 200) {
        const std::string e = generador.Generar(3);
        if (e.size() < desde || e.size() >= hasta) continue;
        relivo::Evaluar ev;
        ev.Funcion(e);
        if (ev.NumeroError() == 0) lista.push_back(e);
    }
    return lista;
}

void FuncionTipica(benchmark::State& state) {
    const auto desde = static_cast<size_t>(state.range(0));
    const auto hasta = static_cast<size_t>(state.range(1));
    const std::vector<std::string> lista = Tipicas(desde, hasta);
    size_t i = 0;
    size_t caracteres = 0;
    for (auto _ : state) {
        relivo::Evaluar ev;
        ev.Funcion(lista[i]);
        benchmark::DoNotOptimize(ev.NumeroError());
        caracteres += lista[i].size();
        i = (i + 1) % lista.size();
    }
    state.SetBytesProcessed(static_cast<int64_t>(caracteres));
    state.SetLabel(std::to_string(desde) + ".." + std::to_string(hasta) + " caracteres");
}
BENCHMARK(FuncionTipica)
    ->Args({10, 50})
    ->Args({50, 100})
    ->Args({100, 200})
    ->Unit(benchmark::kMicrosecond);

// A variable name that starts no function spelling: "xa", "xb", ..., "xzz".
std::string Nombre(int i) {
    std::string s = "x";
    s += static_cast<char>('a' + i % 26);
    if (i / 26 > 0) s += static_cast<char>('a' + i / 26 % 26);
    return s;
}

std::string Lista(const char* separador, int n, const std::function<std::string(int)>& operando) {
    std::string s;
    for (int i = 0; i < n; ++i) {
        if (i > 0) s += separador;
        s += operando(i);
    }
    return s;
}

std::string Anidada(int niveles) {
    const std::string plana = Lista("+", 40, [](int i) { return "x^" + std::to_string(i + 2); });
    std::string s;
    for (int i = 0; i < niveles; ++i) s += "(" + plana + ")*(1+";
    s += "y";
    for (int i = 0; i < niveles; ++i) s += ")";
    return s;
}

struct Larga {
    const char* nombre;
    std::string texto;
};

// Each text is accepted, and both it and its canonical text stay within
// 32,767 characters.
const std::vector<Larga>& Largas() {
    static const std::vector<Larga> lista = {
        {"cadena_x^y^y", "x" + Lista("", 8191, [](int) { return std::string("^y"); })},
        {"suma_variables", Lista("+", 5623, [](int i) { return Nombre(5622 - i); })},
        {"producto_variables", Lista("*", 5623, [](int i) { return Nombre(5622 - i); })},
        {"producto_sen", Lista("*", 4234, [](int i) { return "sin" + std::to_string(4234 - i); })},
        {"suma_x", Lista("+", 8192, [](int) { return std::string("x"); })},
        {"suma_de_sumas",
         Lista("-", 2000, [](int i) { return "(x+y-" + std::to_string(i) + ")"; })},
        {"anidada", Anidada(60)},
    };
    return lista;
}

void FuncionLarga(benchmark::State& state) {
    const Larga& l = Largas()[static_cast<size_t>(state.range(0))];
    for (auto _ : state) {
        relivo::Evaluar ev;
        ev.Funcion(l.texto);
        if (ev.NumeroError() != 0) {
            state.SkipWithError(ev.Error().c_str());
            break;
        }
    }
    state.SetLabel(std::string(l.nombre) + ", " + std::to_string(l.texto.size()) + " caracteres");
}
BENCHMARK(FuncionLarga)->DenseRange(0, 6)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
