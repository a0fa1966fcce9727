// Plotting speed: Relivo's Graficar plus the PNG for sen(x)*cos(y) over
// [-3, 3]^2 at 800 x 600 pixels, against the tools a user would pick instead
// for the same picture: gnuplot (splot with pm3d, through its png terminal
// and its pngcairo terminal) and matplotlib (plot_surface, Agg to PNG), run as
// programs in the same binary.
// The relivo command is measured the same way, so the peers are compared both
// with the control inside a host and with the whole program. Prints the
// ratios, the peak resident memory of each program and the peers' versions at
// the end, then how relivo alone grows from 400 to 1,600 intervals.
#include <benchmark/benchmark.h>
#include <fcntl.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "platform/png.h"
#include "relivo/platform/host.h"
#include "relivo/relivo.h"

namespace {

namespace fs = std::filesystem;

constexpr int kAncho = 800;
constexpr int kAlto = 600;
const int kIntervalos[] = {50, 100, 200, 400};
constexpr int kGrande = 1600;  // relivo only: the peers take minutes and gigabytes

// A host that listens to nothing but the end of the run.
class AnfitrionMudo : public relivo::Anfitrion {
public:
    void LanzarEvento(int32_t, std::string_view Nombre,
                      std::span<relivo::ArgumentoEvento>) override {
        if (Nombre == "TerminoGraficacion") terminado = true;
    }
    bool UserMode() const override { return true; }
    relivo::Fuente Font() const override { return {}; }
    void PropertyChanged(std::string_view) override {}
    void PopupMenu(std::string_view, std::optional<int16_t>, std::optional<float>,
                   std::optional<float>, std::string_view) override {}
    bool terminado = false;
};

fs::path Carpeta() {
    static const fs::path carpeta = [] {
        fs::path p = fs::temp_directory_path() / ("relivo_plot_bench_" + std::to_string(getpid()));
        fs::create_directories(p);
        return p;
    }();
    return carpeta;
}

// Runs a program to its end, output to /dev/null. Returns false when it
// could not run or failed; `rssKiB` gets its peak resident memory.
bool Ejecutar(const std::vector<std::string>& args, long& rssKiB) {
    std::vector<char*> argv;
    std::vector<std::string> copia = args;
    for (auto& a : copia) argv.push_back(a.data());
    argv.push_back(nullptr);
    const pid_t pid = fork();
    if (pid < 0) return false;
    if (pid == 0) {
        const int nulo = open("/dev/null", O_WRONLY);
        dup2(nulo, STDOUT_FILENO);
        dup2(nulo, STDERR_FILENO);
        execvp(argv[0], argv.data());
        _exit(127);
    }
    int estado = 0;
    rusage uso{};
    if (wait4(pid, &estado, 0, &uso) != pid) return false;
    rssKiB = uso.ru_maxrss;
    return WIFEXITED(estado) && WEXITSTATUS(estado) == 0;
}

void BM_Relivo(benchmark::State& state) {
    const int n = static_cast<int>(state.range(0));
    for (auto _ : state) {
        AnfitrionMudo host;
        relivo::Relivo r(host, kAncho, kAlto);
        r.Funcion("sen(x)*cos(y)");
        r.XMin(-3);
        r.XMax(3);
        r.YMin(-3);
        r.YMax(3);
        r.NumeroLineasX(static_cast<int16_t>(n - 1));
        r.NumeroLineasY(static_cast<int16_t>(n - 1));
        r.Graficar();
        const std::vector<uint8_t> png = relivo::CodificarPng(r.Grafica());
        benchmark::DoNotOptimize(png.data());
        if (!host.terminado) state.SkipWithError("the plot did not finish");
    }
}

// A program per iteration; the counter keeps its peak resident memory.
void Programa(benchmark::State& state, const std::vector<std::string>& args) {
    long rss = 0;
    long maximo = 0;
    for (auto _ : state) {
        if (!Ejecutar(args, rss)) {
            state.SkipWithError(("could not run " + args[0]).c_str());
            return;
        }
        maximo = std::max(maximo, rss);
    }
    state.counters["RSS_MiB"] = static_cast<double>(maximo) / 1024.0;
}

void BM_RelivoCli(benchmark::State& state) {
    const int n = static_cast<int>(state.range(0));
    const std::string lineas = std::to_string(n - 1);
    Programa(state,
             {RELIVO_CLI, "graficar", "sen(x)*cos(y)", "--x=-3:3", "--y=-3:3", "--lineas", lineas,
              "--sin-rotulos", "--tamano", std::to_string(kAncho) + "x" + std::to_string(kAlto),
              "-o", (Carpeta() / ("relivo_" + lineas + ".png")).string()});
}

// The gnuplot script for n intervals through `terminal` into `salida`.
std::string GuionGnuplot(const std::string& terminal, int n, const std::string& salida) {
    const std::string muestras = std::to_string(n + 1);
    return "set terminal " + terminal + " size " + std::to_string(kAncho) + "," +
           std::to_string(kAlto) + "; set output '" + salida + "'; set isosamples " + muestras +
           "," + muestras + "; set samples " + muestras + "," + muestras +
           "; set pm3d; unset surface; splot [-3:3][-3:3] sin(x)*cos(y) with pm3d";
}

void Gnuplot(benchmark::State& state, const std::string& terminal) {
    const int n = static_cast<int>(state.range(0));
    const std::string salida =
        (Carpeta() / ("gnuplot_" + terminal + std::to_string(n) + ".png")).string();
    Programa(state, {"gnuplot", "-e", GuionGnuplot(terminal, n, salida)});
}

void BM_Gnuplot(benchmark::State& state) {
    Gnuplot(state, "pngcairo");
}

void BM_GnuplotPng(benchmark::State& state) {
    Gnuplot(state, "png");
}

const char* kGuionMatplotlib = R"(import sys
import matplotlib
matplotlib.use("Agg")
import matplotlib.pyplot as plt
import numpy as np
n = int(sys.argv[1])
x = np.linspace(-3, 3, n + 1)
X, Y = np.meshgrid(x, x)
Z = np.sin(X) * np.cos(Y)
fig = plt.figure(figsize=(8, 6), dpi=100)
ax = fig.add_subplot(projection="3d")
ax.plot_surface(X, Y, Z, rstride=1, cstride=1, cmap="viridis", edgecolor="k", linewidth=0.2)
fig.savefig(sys.argv[2])
)";

// Debian's interpreter, where python3-matplotlib installs.
std::string Python() {
    return fs::exists("/usr/bin/python3") ? "/usr/bin/python3" : "python3";
}

void BM_Matplotlib(benchmark::State& state) {
    const int n = static_cast<int>(state.range(0));
    const fs::path guion = Carpeta() / "superficie.py";
    if (!fs::exists(guion)) std::ofstream(guion) << kGuionMatplotlib;
    Programa(state, {Python(), guion.string(), std::to_string(n),
                     (Carpeta() / ("matplotlib_" + std::to_string(n) + ".png")).string()});
}

// The first line a command prints, or "not installed".
std::string PrimeraLinea(const std::string& comando) {
    std::string linea;
    if (FILE* f = popen((comando + " 2>/dev/null").c_str(), "r")) {
        char b[256];
        if (std::fgets(b, sizeof b, f) != nullptr) linea = b;
        pclose(f);
    }
    while (!linea.empty() && (linea.back() == '\n' || linea.back() == '\r')) linea.pop_back();
    return linea.empty() ? "not installed" : linea;
}

// Keeps the time per iteration and the memory of every run for the summary.
class Resumen : public benchmark::ConsoleReporter {
public:
    void ReportRuns(const std::vector<Run>& runs) override {
        ConsoleReporter::ReportRuns(runs);
        for (const Run& r : runs) {
            if (r.error_occurred || r.run_type != Run::RT_Iteration) continue;
            const std::string nombre = r.benchmark_name();
            const auto barra = nombre.find('/');
            const std::string familia = nombre.substr(0, barra);
            const int n = std::stoi(nombre.substr(barra + 1));
            ms[familia][n] = r.GetAdjustedRealTime() *
                             benchmark::GetTimeUnitMultiplier(benchmark::kMillisecond) /
                             benchmark::GetTimeUnitMultiplier(r.time_unit);
            const auto c = r.counters.find("RSS_MiB");
            if (c != r.counters.end()) rss[familia][n] = c->second.value;
        }
    }

    void Imprimir() const {
        auto valor = [](const std::map<std::string, std::map<int, double>>& m, const std::string& f,
                        int n) -> std::optional<double> {
            const auto a = m.find(f);
            if (a == m.end()) return std::nullopt;
            const auto b = a->second.find(n);
            if (b == a->second.end()) return std::nullopt;
            return b->second;
        };
        auto celda = [](std::optional<double> v) {
            char t[32];
            if (v) {
                std::snprintf(t, sizeof t, "%10.1f", *v);
            } else {
                std::snprintf(t, sizeof t, "%10s", "n/a");
            }
            return std::string(t);
        };
        auto razon = [](std::optional<double> a, std::optional<double> b) {
            return (a && b && *b > 0) ? std::optional<double>(*a / *b) : std::nullopt;
        };
        std::printf(
            "\nPlot + PNG of sen(x)*cos(y), %dx%d, milliseconds and how many times faster "
            "relivo is\n",
            kAncho, kAlto);
        std::printf("%9s %10s %10s %10s %10s %10s | %10s %10s %10s\n", "intervals", "control",
                    "command", "gp png", "gp cairo", "matplotlib", "png/cmd", "cairo/cmd",
                    "mpl/cmd");
        for (int n : kIntervalos) {
            const auto c = valor(ms, "BM_Relivo", n);
            const auto p = valor(ms, "BM_RelivoCli", n);
            const auto gp = valor(ms, "BM_GnuplotPng", n);
            const auto gc = valor(ms, "BM_Gnuplot", n);
            const auto m = valor(ms, "BM_Matplotlib", n);
            std::printf("%9d %s %s %s %s %s | %s %s %s\n", n, celda(c).c_str(), celda(p).c_str(),
                        celda(gp).c_str(), celda(gc).c_str(), celda(m).c_str(),
                        celda(razon(gp, p)).c_str(), celda(razon(gc, p)).c_str(),
                        celda(razon(m, p)).c_str());
        }
        const int n = kIntervalos[3];
        std::printf(
            "\nPeak resident memory at %d intervals (MiB): relivo %s, gnuplot png %s, "
            "gnuplot pngcairo %s, matplotlib %s\n",
            n, celda(valor(rss, "BM_RelivoCli", n)).c_str(),
            celda(valor(rss, "BM_GnuplotPng", n)).c_str(),
            celda(valor(rss, "BM_Gnuplot", n)).c_str(),
            celda(valor(rss, "BM_Matplotlib", n)).c_str());
        std::printf("\nRelivo from %d to %d intervals (16 times the cells):\n", n, kGrande);
        std::printf("  control %s ms -> %s ms, command %s ms -> %s ms, memory %s MiB -> %s MiB\n",
                    celda(valor(ms, "BM_Relivo", n)).c_str(),
                    celda(valor(ms, "BM_Relivo", kGrande)).c_str(),
                    celda(valor(ms, "BM_RelivoCli", n)).c_str(),
                    celda(valor(ms, "BM_RelivoCli", kGrande)).c_str(),
                    celda(valor(rss, "BM_RelivoCli", n)).c_str(),
                    celda(valor(rss, "BM_RelivoCli", kGrande)).c_str());
        std::printf(
            "\nPeers: %s; matplotlib %s on Python %s.\n", PrimeraLinea("gnuplot --version").c_str(),
            PrimeraLinea(Python() + " -c 'import matplotlib; print(matplotlib.__version__)'")
                .c_str(),
            PrimeraLinea(Python() + " -c 'import sys; print(sys.version.split()[0])'").c_str());
        std::printf("  gnuplot: %s\n", GuionGnuplot("png|pngcairo", n, "FILE").c_str());
        std::printf(
            "  matplotlib: plot_surface(rstride=1, cstride=1, cmap=\"viridis\", edgecolor=\"k\", "
            "linewidth=0.2), figsize 8x6 at 100 dpi, Agg backend\n");
    }

private:
    std::map<std::string, std::map<int, double>> ms, rss;
};

// One run of `funcion` at n intervals, in milliseconds of real time; a fixed
// number of iterations (0: as many as the library likes).
void Registrar(const char* nombre, void (*funcion)(benchmark::State&), int n, int iteraciones) {
    auto* b = benchmark::RegisterBenchmark(nombre, funcion)
                  ->Arg(n)
                  ->Unit(benchmark::kMillisecond)
                  ->UseRealTime();
    if (iteraciones > 0) b->Iterations(iteraciones);
}

void Registrar() {
    for (int n : kIntervalos) {
        Registrar("BM_Relivo", BM_Relivo, n, 0);
        Registrar("BM_RelivoCli", BM_RelivoCli, n, 5);
        Registrar("BM_Gnuplot", BM_Gnuplot, n, 3);
        Registrar("BM_GnuplotPng", BM_GnuplotPng, n, 3);
        Registrar("BM_Matplotlib", BM_Matplotlib, n, 2);
    }
    Registrar("BM_Relivo", BM_Relivo, kGrande, 3);
    Registrar("BM_RelivoCli", BM_RelivoCli, kGrande, 3);
}

}  // namespace

int main(int argc, char** argv) {
    Registrar();
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
    Resumen resumen;
    benchmark::RunSpecifiedBenchmarks(&resumen);
    resumen.Imprimir();
    benchmark::Shutdown();
    std::error_code ec;
    fs::remove_all(Carpeta(), ec);
    return 0;
}
