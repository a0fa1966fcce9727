// relivo graficar: plots z = f(x, y) with a Relivo control sited in a small
// command-line host, and writes the picture to a PNG.
//
// Order: the control is created at the size asked for, the document of
// --cargar is read, the options go through the control's own setters,
// Graficar runs, --guardar writes the document and -o the picture.
#include <unistd.h>

#include <algorithm>
#include <csignal>
#include <cstdio>
#include <fstream>
#include <memory>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "cli/advisories.h"
#include "cli/commands.h"
#include "cli/json_output.h"
#include "cli/labels.h"
#include "platform/linux/json_bag.h"
#include "platform/linux/polygon_observer.h"
#include "platform/linux/work_queue.h"
#include "platform/numbers.h"
#include "platform/png.h"
#include "relivo/evaluar.h"
#include "relivo/messages.h"
#include "relivo/platform/error.h"
#include "relivo/relivo.h"
#include "relivo/sampling.h"
#include "relivo/state.h"

namespace relivo::cli {
namespace {

using json = nlohmann::ordered_json;

constexpr const char* kUso =
    "Uso: relivo graficar EXPR [opciones]\n"
    "Dibuja la superficie z = EXPR(x, y) y la guarda en un PNG.\n"
    "\n"
    "  -o FICHERO.png        el PNG (superficie.png si falta); si la gráfica falla,\n"
    "                        lo dibujado va a FICHERO.incompleta.png\n"
    "  --x MIN:MAX           intervalo de x (-3:3)\n"
    "  --y MIN:MAX           intervalo de y (-3:3)\n"
    "  --z MIN:MAX           intervalo de z fijo (si falta, el de los valores)\n"
    "  --lineas NX[,NY]      líneas interiores de la malla (39,39)\n"
    "  --angulos AX,AY,AZ    giros en grados (0,0,0)\n"
    "  --tamano AxA          tamaño del PNG en píxeles (636x476)\n"
    "  --sin-rotulos         sin nombres de ejes, título ni intervalo de z\n"
    "  --continuar           sigue tras un error de evaluación\n"
    "  --cargar BOLSA.json   lee un documento guardado (EXPR puede faltar)\n"
    "  --guardar BOLSA.json  guarda el documento\n"
    "  --traza TRAZA.json    guarda eventos y polígonos\n"
    "Las opciones admiten también la forma --x=-3:3. Ctrl-C cancela (estado 130).\n";

// The border of the control's surface, on each side, in pixels.
constexpr int32_t kBorde = 2;

// Exit status after Ctrl-C, as a shell gives for SIGINT.
constexpr int kEstadoInterrumpido = 130;

// The size of the PNG when none is asked for.
constexpr int32_t kAnchoPredeterminado = 636;
constexpr int32_t kAltoPredeterminado = 476;

// What the command line asks for. Absent options leave the control's value.
struct Opciones {
    std::optional<std::string> funcion;
    std::optional<std::pair<double, double>> x, y, z;
    std::optional<std::pair<int16_t, int16_t>> lineas;
    std::optional<std::vector<double>> angulos;
    int32_t ancho = kAnchoPredeterminado;
    int32_t alto = kAltoPredeterminado;
    std::optional<std::string> cargar, guardar, traza;
    std::string salida = "superficie.png";
    bool continuar = false;
    bool rotulos = true;
};

// Defaults for a plot without a document: a pleasant view of the surface.
constexpr std::pair<double, double> kRangoPredeterminado{-3, 3};
constexpr int16_t kLineasPredeterminadas = 39;
constexpr double kAngulosPredeterminados[3] = {0, 0, 0};

struct ErrorDeUso {
    std::string texto;
};

double Numero(std::string_view texto, std::string_view opcion) {
    if (!numeros::EsNumero(texto)) {
        throw ErrorDeUso{"\"" + std::string(texto) + "\" no es un número en " +
                         std::string(opcion)};
    }
    try {
        return numeros::ANumero(texto);
    } catch (const Fallo&) {
        throw ErrorDeUso{"\"" + std::string(texto) + "\" está fuera de intervalo en " +
                         std::string(opcion)};
    }
}

std::vector<std::string_view> Partir(std::string_view texto, char separador) {
    std::vector<std::string_view> partes;
    size_t inicio = 0;
    for (;;) {
        const size_t fin = texto.find(separador, inicio);
        partes.push_back(texto.substr(inicio, fin - inicio));
        if (fin == std::string_view::npos) return partes;
        inicio = fin + 1;
    }
}

std::pair<double, double> Rango(std::string_view texto, std::string_view opcion) {
    const auto partes = Partir(texto, ':');
    if (partes.size() != 2) throw ErrorDeUso{std::string(opcion) + " espera MIN:MAX"};
    const double minimo = Numero(partes[0], opcion);
    const double maximo = Numero(partes[1], opcion);
    if (minimo == maximo) {
        throw ErrorDeUso{"los límites de " + std::string(opcion) + " deben ser distintos"};
    }
    return {minimo, maximo};
}

int16_t Lineas(std::string_view texto) {
    const double n = Numero(texto, "--lineas");
    if (n != static_cast<double>(static_cast<int64_t>(n)) || n < 0 || n > 32766) {
        throw ErrorDeUso{"--lineas espera enteros de 0 a 32766"};
    }
    return static_cast<int16_t>(n);
}

Opciones Analizar(const Argumentos& args) {
    Opciones o;
    bool soloPosicionales = false;
    for (size_t k = 0; k < args.size(); ++k) {
        std::string_view a = args[k];
        if (soloPosicionales || a.empty() || a[0] != '-' || a == "-") {
            if (o.funcion) throw ErrorDeUso{"sobra el argumento \"" + std::string(a) + "\""};
            o.funcion = std::string(a);
            continue;
        }
        if (a == "--") {
            soloPosicionales = true;
            continue;
        }
        std::string nombre(a);
        std::optional<std::string> valor;
        if (const size_t igual = a.find('='); a.starts_with("--") && igual != std::string::npos) {
            nombre = std::string(a.substr(0, igual));
            valor = std::string(a.substr(igual + 1));
        }
        if (nombre == "--continuar" || nombre == "--sin-rotulos") {
            if (valor) throw ErrorDeUso{nombre + " no lleva valor"};
            (nombre == "--continuar" ? o.continuar : o.rotulos) = nombre == "--continuar";
            continue;
        }
        if (nombre == "--help" || nombre == "-h") throw ErrorDeUso{};
        static const std::vector<std::string> kConValor{
            "--x",      "--y",      "--z",       "--lineas", "--angulos",
            "--tamano", "--cargar", "--guardar", "--traza",  "-o"};
        if (std::find(kConValor.begin(), kConValor.end(), nombre) == kConValor.end()) {
            throw ErrorDeUso{"opción desconocida \"" + nombre + "\""};
        }
        if (!valor) {
            if (k + 1 >= args.size()) throw ErrorDeUso{nombre + " espera un valor"};
            valor = args[++k];
        }
        if (nombre == "--x") {
            o.x = Rango(*valor, nombre);
        } else if (nombre == "--y") {
            o.y = Rango(*valor, nombre);
        } else if (nombre == "--z") {
            o.z = Rango(*valor, nombre);
        } else if (nombre == "--lineas") {
            const auto partes = Partir(*valor, ',');
            if (partes.size() > 2) throw ErrorDeUso{"--lineas espera NX[,NY]"};
            const int16_t nx = Lineas(partes[0]);
            o.lineas = {nx, partes.size() == 2 ? Lineas(partes[1]) : nx};
        } else if (nombre == "--angulos") {
            const auto partes = Partir(*valor, ',');
            if (partes.size() != 3) throw ErrorDeUso{"--angulos espera AX,AY,AZ"};
            o.angulos = std::vector<double>{};
            for (const auto parte : partes) o.angulos->push_back(Numero(parte, nombre));
        } else if (nombre == "--tamano") {
            auto partes = Partir(*valor, 'x');
            if (partes.size() != 2) partes = Partir(*valor, 'X');
            if (partes.size() != 2) throw ErrorDeUso{"--tamano espera ANCHOxALTO"};
            const double w = Numero(partes[0], nombre);
            const double h = Numero(partes[1], nombre);
            constexpr int32_t kMayor = kLadoMaximoImagen - 2 * kBorde;
            if (w != static_cast<int32_t>(w) || h != static_cast<int32_t>(h) || w < 16 || h < 16 ||
                w > kMayor || h > kMayor) {
                throw ErrorDeUso{"--tamano espera enteros de 16 a " + std::to_string(kMayor)};
            }
            o.ancho = static_cast<int32_t>(w);
            o.alto = static_cast<int32_t>(h);
        } else if (nombre == "--cargar") {
            o.cargar = *valor;
        } else if (nombre == "--guardar") {
            o.guardar = *valor;
        } else if (nombre == "--traza") {
            o.traza = *valor;
        } else {
            o.salida = *valor;
        }
    }
    if (!o.funcion && !o.cargar) throw ErrorDeUso{"falta la expresión"};
    return o;
}

// Ctrl-C: a flag the host turns into Cancelar at the next yield.
volatile std::sig_atomic_t gInterrumpido = 0;

extern "C" void AlInterrumpir(int) {
    gInterrumpido = 1;
    std::signal(SIGINT, SIG_DFL);  // a second Ctrl-C ends the program
}

json ValorJson(const VarianteHost& v) {
    switch (v.tipo()) {
        case VarianteHost::Tipo::Booleano:
            return *v.Si<bool>();
        case VarianteHost::Tipo::Entero16:
            return *v.Si<int16_t>();
        case VarianteHost::Tipo::Entero32:
            return *v.Si<int32_t>();
        case VarianteHost::Tipo::Sencillo:
            return NumeroJson(*v.Si<float>());
        case VarianteHost::Tipo::Doble:
            return NumeroJson(*v.Si<double>());
        case VarianteHost::Tipo::Texto:
            return *v.Si<std::string>();
        default:
            return nullptr;
    }
}

// The command line's host: records the events for the trace, shows the
// progress, answers Continuar and notes the end of the run.
class AnfitrionGraficar : public Anfitrion {
public:
    AnfitrionGraficar(bool continuar, bool registrar, bool progreso)
        : continuar_(continuar), registrar_(registrar), progreso_(progreso) {}

    void LanzarEvento(int32_t, std::string_view Nombre,
                      std::span<ArgumentoEvento> Argumentos) override {
        if (Nombre == "Error") {
            Argumentos[2].Valor = continuar_;
            const int32_t numero = Argumentos[0].Valor.AEntero32();
            const std::string texto = Argumentos[1].Valor.ATexto();
            // A message repeated by the next call (a refused expression is
            // refused again by Graficar) is told once.
            if (numero != ultimoNumero || texto != ultimoTexto) {
                LimpiarProgreso();
                std::fprintf(stderr, "relivo: error %s: %s\n", std::to_string(numero).c_str(),
                             texto.c_str());
            }
            ultimoNumero = numero;
            ultimoTexto = texto;
            // The first sample is taken before the first status.
            errorAlMuestrear = fase_.empty() || fase_ == mensajes::kProcesando;
            cesionesAlFallar = cesiones;
        } else if (Nombre == "Status") {
            // The error's own status comes just before it: the phase is
            // the one before.
            const std::string texto = Argumentos[0].Valor.ATexto();
            if (!texto.starts_with(mensajes::kPrefijoError)) fase_ = texto;
            MostrarProgreso(texto, Argumentos[1].Valor.AEntero16());
        } else if (Nombre == "TerminoGraficacion") {
            terminado = true;
        }
        if (registrar_) {
            json e{{"evento", std::string(Nombre)}};
            for (const ArgumentoEvento& a : Argumentos) e[a.Nombre] = ValorJson(a.Valor);
            eventos.push_back(std::move(e));
        }
    }
    bool UserMode() const override { return true; }
    Fuente Font() const override { return Fuente(); }
    void PropertyChanged(std::string_view) override {}
    void PopupMenu(std::string_view, std::optional<int16_t>, std::optional<float>,
                   std::optional<float>, std::string_view) override {}

    void LimpiarProgreso() {
        if (!progreso_ || !barraVisible_) return;
        std::fputs("\r\033[K", stderr);
        barraVisible_ = false;
    }

    bool terminado = false;
    json eventos = json::array();
    // The last error told, whether it came while sampling the surface, and
    // how many yields the run had made by then (one a stored sample).
    int32_t ultimoNumero = 0;
    std::string ultimoTexto;
    bool errorAlMuestrear = false;
    int64_t cesiones = 0;
    int64_t cesionesAlFallar = 0;

private:
    void MostrarProgreso(const std::string& texto, int16_t porcentaje) {
        if (!progreso_) return;
        if (texto != "Procesando Superficie" && texto != "Graficando Puntos") {
            LimpiarProgreso();
            return;
        }
        if (barraVisible_ && texto == textoBarra_ && porcentaje == porcentajeBarra_) return;
        textoBarra_ = texto;
        porcentajeBarra_ = porcentaje;
        constexpr int kAncho = 30;
        const int lleno = std::clamp<int>(porcentaje, 0, 100) * kAncho / 100;
        std::fprintf(stderr, "\r%-22s [%s%s] %3d%%", texto.c_str(), std::string(lleno, '#').c_str(),
                     std::string(kAncho - lleno, ' ').c_str(), static_cast<int>(porcentaje));
        barraVisible_ = true;
    }

    bool continuar_;
    bool registrar_;
    bool progreso_;
    bool barraVisible_ = false;
    std::string fase_;
    std::string textoBarra_;
    int16_t porcentajeBarra_ = -1;
};

// Sets a pair of bounds so that they are never equal on the way.
template <typename FijarMin, typename FijarMax>
void FijarPar(std::pair<double, double> nuevo, double minActual, double maxActual,
              FijarMin fijarMin, FijarMax fijarMax) {
    const auto [minimo, maximo] = nuevo;
    if (minimo != maxActual) {
        fijarMin(minimo);
        fijarMax(maximo);
    } else if (maximo != minActual) {
        fijarMax(maximo);
        fijarMin(minimo);
    } else {  // the bounds swap: pass through a value apart from both
        double paso = 0;
        while (paso == minimo || paso == maximo) paso += 1;
        fijarMax(paso);
        fijarMin(minimo);
        fijarMax(maximo);
    }
}

void Configurar(Relivo& r, const Opciones& o) {
    if (o.funcion) r.Funcion(*o.funcion);
    const bool sinDocumento = !o.cargar;
    if (auto x = o.x ? o.x : (sinDocumento ? std::optional(kRangoPredeterminado) : std::nullopt)) {
        FijarPar(
            *x, r.XMin(), r.XMax(), [&](double v) { r.XMin(v); }, [&](double v) { r.XMax(v); });
    }
    if (auto y = o.y ? o.y : (sinDocumento ? std::optional(kRangoPredeterminado) : std::nullopt)) {
        FijarPar(
            *y, r.YMin(), r.YMax(), [&](double v) { r.YMin(v); }, [&](double v) { r.YMax(v); });
    }
    if (o.z) {
        r.AutoEscalaZ(false);
        FijarPar(
            *o.z, r.ZMin(), r.ZMax(), [&](double v) { r.ZMin(v); }, [&](double v) { r.ZMax(v); });
    }
    if (o.lineas) {
        r.NumeroLineasX(o.lineas->first);
        r.NumeroLineasY(o.lineas->second);
    } else if (sinDocumento) {
        r.NumeroLineasX(kLineasPredeterminadas);
        r.NumeroLineasY(kLineasPredeterminadas);
    }
    if (o.angulos) {
        r.AnguloX((*o.angulos)[0]);
        r.AnguloY((*o.angulos)[1]);
        r.AnguloZ((*o.angulos)[2]);
    } else if (sinDocumento) {
        r.AnguloX(kAngulosPredeterminados[0]);
        r.AnguloY(kAngulosPredeterminados[1]);
        r.AnguloZ(kAngulosPredeterminados[2]);
    }
}

// "dir/sup.png" -> "dir/sup.incompleta.png": where a failed run leaves what
// it drew.
std::string NombreIncompleta(const std::string& salida) {
    const size_t barra = salida.find_last_of('/');
    const size_t punto = salida.find_last_of('.');
    const bool conExtension =
        punto != std::string::npos && (barra == std::string::npos || punto > barra);
    return (conExtension ? salida.substr(0, punto) : salida) + ".incompleta.png";
}

// Where the sampling failed with `numero`: the first sample, in the order
// the control takes them, whose evaluation fails so, among the first
// `limite` (the run got no further, so the search costs no more than it).
// Empty when none does (the failure came from elsewhere, or the expression
// draws random numbers).
std::string LugarDelFallo(Relivo& r, int32_t numero, int64_t limite) {
    Evaluar ev;
    ev.Funcion(r.Funcion());
    if (ev.NumeroError() != 0) return "";
    EstadoRelivo e;
    e.XMin = r.XMin();
    e.XMax = r.XMax();
    e.YMin = r.YMin();
    e.YMax = r.YMax();
    e.IntervalosX = r.NumeroLineasX() + 1;
    e.IntervalosY = r.NumeroLineasY() + 1;
    const bool hayX = ev.ExisteVariable("x");
    const bool hayY = ev.ExisteVariable("y");
    const int16_t ix = hayX ? ev.IndiceVariable("x") : 0;
    const int16_t iy = hayY ? ev.IndiceVariable("y") : 0;
    const int32_t nX = hayX ? r.NumeroLineasX() + 1 : 0;
    const int32_t nY = hayY ? r.NumeroLineasY() + 1 : 0;
    for (int32_t j = 0; j <= nY; ++j) {
        if (hayY) ev.ValorPorIndice(iy, CoordenadaY(e, j));
        for (int32_t i = 0; i <= nX; ++i) {
            if (limite-- <= 0) return "";
            if (hayX) ev.ValorPorIndice(ix, CoordenadaX(e, i));
            if (ev.NumeroError() == 0) continue;
            if (ev.NumeroError() != numero) return "";
            std::string lugar;
            if (hayX) lugar = "x = " + numeros::FormaGeneral(CoordenadaX(e, i));
            if (hayY)
                lugar +=
                    (lugar.empty() ? "y = " : ", y = ") + numeros::FormaGeneral(CoordenadaY(e, j));
            return lugar.empty() ? "" : "La evaluación falló en " + lugar + ".";
        }
    }
    return "";
}

void EscribirTraza(const std::string& ruta, AnfitrionGraficar& anfitrion, json poligonos,
                   Relivo& r) {
    json t;
    t["eventos"] = json::array();
    t["poligonos"] = std::move(poligonos);
    t["ZMin"] = NumeroJson(r.ZMin());
    t["ZMax"] = NumeroJson(r.ZMax());
    t["ScaleWidth"] = NumeroJson(r.ScaleWidth());
    t["ScaleHeight"] = NumeroJson(r.ScaleHeight());
    t["numeroError"] = r.NumeroError();
    t["error"] = r.Error();
    t["eventos"] = std::move(anfitrion.eventos);
    std::ofstream f(ruta, std::ios::binary);
    f << Volcar(t, 2) << '\n';
    if (!f) throw Fallo::Plataforma(75);
}

}  // namespace

int ComandoGraficar(const Argumentos& args) {
    Opciones o;
    try {
        o = Analizar(args);
    } catch (const ErrorDeUso& e) {
        if (e.texto.empty()) {
            std::fputs(kUso, stdout);
            return 0;
        }
        std::fprintf(stderr, "relivo graficar: %s\nPruebe \"relivo graficar --help\".\n",
                     e.texto.c_str());
        return 2;
    }

    if (o.funcion) MostrarAvisos(Avisos(*o.funcion));
    AnfitrionGraficar anfitrion(o.continuar, o.traza.has_value(), isatty(STDERR_FILENO) != 0);
    json poligonos = json::array();
    // The first three polygons of a run are the axes, which the labels need.
    std::vector<EjeDibujado> ejes;
    FijarObservadorPoligonos([&](const SuperficieDibujo& s, std::span<const PuntoApi> puntos) {
        if (ejes.size() < 3 && puntos.size() >= 2) ejes.push_back({{puntos[0], puntos[1]}});
        if (!o.traza) return;
        json p = json::array();
        for (const PuntoApi& q : puntos) p.push_back({q.x, q.y});
        poligonos.push_back(
            {{"puntos", std::move(p)}, {"relleno", s.FillColor()}, {"contorno", s.ForeColor()}});
    });

    // Any failure outside the control's own error report (the document, the
    // files) is told on stderr and ends with status 1.
    auto fallar = [&anfitrion](const Fallo& f) {
        anfitrion.LimpiarProgreso();
        std::fprintf(stderr, "relivo graficar: error %d: %s\n", static_cast<int>(f.numero()),
                     f.texto().c_str());
        return 1;
    };
    std::unique_ptr<Relivo> r;
    try {
        // The picture is the surface inside the control's border.
        r = std::make_unique<Relivo>(anfitrion, o.ancho + 2 * kBorde, o.alto + 2 * kBorde);
    } catch (const Fallo& f) {
        return fallar(f);
    }

    int estado = 1;
    bool empezado = false;
    gInterrumpido = 0;
    const int32_t vigilante = AgregarVigilante([&r, &anfitrion] {
        ++anfitrion.cesiones;
        if (gInterrumpido) r->Cancelar();
    });
    auto* anterior = std::signal(SIGINT, AlInterrumpir);
    try {
        if (o.cargar) r->ReadProperties(BolsaJson::Cargar(*o.cargar));
        // A document without a border leaves more room: the picture keeps
        // the size asked for.
        const Imagen antes = r->Grafica();
        if (antes.Ancho != o.ancho || antes.Alto != o.alto) r->Redimensionar(o.ancho, o.alto);
        Configurar(*r, o);
        // A run of an accepted expression with good settings: a failure
        // from here on leaves what it drew.
        empezado = anfitrion.ultimoNumero == 0;
        r->Graficar();
        estado = anfitrion.terminado ? 0 : 1;
    } catch (const Fallo& f) {
        estado = fallar(f);
    }
    std::signal(SIGINT, anterior);
    QuitarVigilante(vigilante);
    anfitrion.LimpiarProgreso();
    if (gInterrumpido) {
        estado = kEstadoInterrumpido;
    } else if (estado != 0 && anfitrion.errorAlMuestrear) {
        const std::string lugar =
            LugarDelFallo(*r, anfitrion.ultimoNumero, anfitrion.cesionesAlFallar + 1);
        if (!lugar.empty()) std::fprintf(stderr, "%s\n", lugar.c_str());
    }

    try {
        if (o.guardar) {
            BolsaJson bolsa;
            r->WriteProperties(bolsa);
            bolsa.Guardar(*o.guardar);
        }
        // Only a finished picture takes the name asked for: a failed run
        // leaves the file that was there and, when it got to work, writes
        // what it drew (perhaps nothing but the background) under a name of
        // its own; a cancelled one writes nothing.
        if (estado == 1 && empezado) {
            const std::string incompleta = NombreIncompleta(o.salida);
            GuardarPng(r->Grafica(), incompleta);
            std::fprintf(stderr, "Gráfica incompleta guardada en %s.\n", incompleta.c_str());
        }
        if (estado == 0) {
            Imagen imagen = r->Grafica();
            if (o.rotulos) {
                const double lejanos[3] = {r->XMax(), r->YMax(), r->ZMax()};
                for (size_t k = 0; k < ejes.size(); ++k) ejes[k].lejano = lejanos[k] > 0 ? 1 : 0;
                Rotular(imagen, ejes, o.funcion ? *o.funcion : r->Funcion(), r->ZMin(), r->ZMax());
            }
            GuardarPng(imagen, o.salida);
            std::printf("Gráfica guardada en %s (%dx%d píxeles).\n", o.salida.c_str(),
                        static_cast<int>(imagen.Ancho), static_cast<int>(imagen.Alto));
        }
    } catch (const Fallo& f) {
        estado = fallar(f);
    }
    FijarObservadorPoligonos({});
    if (o.traza) {
        try {
            EscribirTraza(*o.traza, anfitrion, std::move(poligonos), *r);
        } catch (const Fallo& f) {
            estado = fallar(f);
        }
    }
    return estado;
}

}  // namespace relivo::cli
