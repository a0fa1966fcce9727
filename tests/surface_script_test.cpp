// The drawing surface of the Linux back end driven by scripts: each
// tests/data/surface/NAME.txt is a list of calls on one surface, and what the
// calls answer (values read, errors, events) and the pictures they leave are
// compared with the reviewed recordings NAME.log and NAME.K.png.
//
// One call a line ("#" opens a comment; "-" leaves an optional argument out;
// a text runs to the end of the line and may hold "\xNN"):
//   new W H              a black surface of W x H pixels without a border, in
//                        pixels, with a white pen and fill and AutoRedraw on
//   plain                a surface as a host gets it (default size and values)
//   set NAME VALUE       a property by its name (Width and Height too)
//   get NAME             reads a property
//   font NAME SIZE       the Font property as a whole
//   picture NAME         Picture or MouseIcon set to the 3 x 2 test picture
//   Line X1 Y1 X2 Y2 [COLOR] [B|BF]
//   Circle X Y R [COLOR] [START] [END] [ASPECT]
//   PSet X Y [COLOR]     Point X Y              Cls        Refresh
//   PaintPicture X1 Y1 [W1 H1 X2 Y2 W2 H2 OPCODE]   (the test picture)
//   TextWidth TEXT       TextHeight TEXT
//   Polygon X Y X Y ...  the polygon fill through hDC
//   key CODE SHIFT ASCII    down|move|up BUTTON SHIFT PX PY    dblclick
//   image                the persistent picture, compared with NAME.K.png
//   screen               what the window shows, compared with NAME.K.png
#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <sstream>
#include <string>
#include <type_traits>
#include <vector>

#include "platform/png.h"
#include "relivo/platform/error.h"
#include "relivo/platform/polygon.h"
#include "relivo/platform/surface.h"
#include "tests/support/case_table.h"
#include "tests/support/raster_util.h"
#include "tests/support/recording.h"

namespace relivo {
namespace {

namespace fs = std::filesystem;
const fs::path kCarpeta = fs::path(RELIVO_TEST_DATA) / "surface";

// Every event, with its arguments, into the log.
struct Oyente : EventosSuperficie {
    std::string* log = nullptr;
    void Click() override { *log += "  event Click\n"; }
    void DblClick() override { *log += "  event DblClick\n"; }
    void KeyDown(int16_t& k, int16_t& s) override { Anotar("KeyDown", k, s); }
    void KeyPress(int16_t& a) override {
        Anotar("KeyPress", a);
        if (a == 'q') a = 0;  // the host suppresses "q"
    }
    void KeyUp(int16_t& k, int16_t& s) override { Anotar("KeyUp", k, s); }
    void MouseDown(int16_t& b, int16_t& s, float& x, float& y) override {
        Anotar("MouseDown", b, s, x, y);
    }
    void MouseMove(int16_t& b, int16_t& s, float& x, float& y) override {
        Anotar("MouseMove", b, s, x, y);
    }
    void MouseUp(int16_t& b, int16_t& s, float& x, float& y) override {
        Anotar("MouseUp", b, s, x, y);
    }
    void Resize() override { *log += "  event Resize\n"; }
    template <class... T>
    void Anotar(const char* nombre, const T&... args) {
        std::ostringstream s;
        s << "  event " << nombre;
        ((s << ' ' << args), ...);
        *log += s.str() + "\n";
    }
};

template <class T>
std::string Texto(const T& v) {
    if constexpr (std::is_same_v<T, std::string>) {
        return '"' + v + '"';
    } else if constexpr (std::is_same_v<T, Fuente>) {
        std::ostringstream s;
        s << v.Name << ' ' << v.Size << (v.Bold ? " bold" : "") << (v.Italic ? " italic" : "")
          << (v.Underline ? " underline" : "") << (v.Strikethrough ? " strikethrough" : "");
        return s.str();
    } else if constexpr (std::is_same_v<T, Imagen>) {
        return std::to_string(v.Ancho) + "x" + std::to_string(v.Alto);
    } else {
        std::ostringstream s;
        s << +v;
        return s.str();
    }
}

struct Guion {
    std::string nombre, log;
    std::unique_ptr<SuperficieDibujo> s;
    Oyente oyente;
    Imagen prueba{3, 2};
    int fotos = 0;

    Guion() {
        const int32_t colores[] = {0x0000FF, 0x00FF00, 0xFF0000, 0x00FFFF, 0xFFFF00, 0xFF00FF};
        prueba.Pixeles.assign(std::begin(colores), std::end(colores));
        oyente.log = &log;
    }

    void Nueva(std::unique_ptr<SuperficieDibujo> nueva) {
        s = std::move(nueva);
        s->FijarEventos(&oyente);
    }

    void Foto(const Imagen& img) {
        const fs::path ruta = kCarpeta / (nombre + "." + std::to_string(++fotos) + ".png");
        log += "  picture " + ruta.filename().string() + "\n";
        if (prueba::Regrabar()) {
            GuardarPng(img, ruta);
        } else {
            EXPECT_TRUE(LeerPng(ruta) == img) << ruta.filename();
        }
    }

    // A value of type T from its text: a number, a text, or for a picture
    // the test picture (an empty text: no picture).
    template <class T, class F>
    void Asignar(F fijar, const std::string& v) {
        if constexpr (std::is_same_v<T, std::string>) {
            fijar(v);
        } else if constexpr (std::is_arithmetic_v<T>) {
            fijar(static_cast<T>(std::strtod(v.c_str(), nullptr)));
        } else if constexpr (std::is_same_v<T, Imagen>) {
            fijar(v.empty() ? Imagen() : prueba);
        } else {
            ADD_FAILURE() << "not set from a text";
        }
    }

    void Fijar(const std::string& p, const std::string& v) {
        const double n = std::strtod(v.c_str(), nullptr);
        if (p == "Width") return s->Width(static_cast<float>(n));
        if (p == "Height") return s->Height(static_cast<float>(n));
#define RELIVO_FIJAR(Nombre, Tipo, Clase, ...)                                           \
    RELIVO_SI_SE_ASIGNA(                                                                 \
        Clase, if (p == #Nombre) {                                                       \
            return Asignar<tipos::Tipo::Valor>([&](const auto& x) { s->Nombre(x); }, v); \
        })
        RELIVO_PROPIEDADES_SUPERFICIE(RELIVO_FIJAR)
#undef RELIVO_FIJAR
        ADD_FAILURE() << "no property " << p;
    }

    std::string LeerPropiedad(const std::string& p) {
        if (p == "Width") return Texto(s->Width());
        if (p == "Height") return Texto(s->Height());
#define RELIVO_LEER(Nombre, ...) \
    if (p == #Nombre) return Texto(s->Nombre());
        RELIVO_PROPIEDADES_SUPERFICIE(RELIVO_LEER)
#undef RELIVO_LEER
        ADD_FAILURE() << "no property " << p;
        return {};
    }

    void Llamar(const std::vector<std::string>& a, const std::string& resto) {
        auto f = [&](size_t i) { return static_cast<float>(std::strtod(a[i].c_str(), nullptr)); };
        auto opcional = [&](size_t i) -> std::optional<float> {
            if (i >= a.size() || a[i] == "-") return std::nullopt;
            return f(i);
        };
        auto color = [&](size_t i) -> std::optional<ColorOle> {
            if (i >= a.size() || a[i] == "-") return std::nullopt;
            return static_cast<ColorOle>(std::strtoll(a[i].c_str(), nullptr, 0));
        };
        const std::string& c = a[0];
        if (c == "new") {
            Nueva(prueba::SuperficiePixeles(std::atoi(a[1].c_str()), std::atoi(a[2].c_str())));
        } else if (c == "plain") {
            Nueva(CrearSuperficie());
        } else if (c == "set") {
            Fijar(a[1], a.size() > 2 ? resto.substr(resto.find(a[1]) + a[1].size() + 1) : "");
        } else if (c == "get") {
            log += "  " + LeerPropiedad(a[1]) + "\n";
        } else if (c == "font") {
            Fuente fuente;
            fuente.Name = a[1];
            fuente.Size = f(2);
            s->Font(fuente);
        } else if (c == "picture") {
            Fijar(a[1], "prueba");
        } else if (c == "Line") {
            const std::string forma = a.size() > 6 ? a[6] : "";
            s->Line(f(1), f(2), f(3), f(4), color(5),
                    forma == "BF"  ? FormaLinea::CajaRellena
                    : forma == "B" ? FormaLinea::Caja
                                   : FormaLinea::Segmento);
        } else if (c == "Circle") {
            s->Circle(f(1), f(2), f(3), color(4), opcional(5), opcional(6), opcional(7));
        } else if (c == "PSet") {
            s->PSet(f(1), f(2), color(3));
        } else if (c == "Point") {
            log += "  " + Texto(s->Point(f(1), f(2))) + "\n";
        } else if (c == "Cls") {
            s->Cls();
        } else if (c == "Refresh") {
            s->Refresh();
        } else if (c == "PaintPicture") {
            const std::optional<float> op = opcional(9);
            s->PaintPicture(prueba, f(1), f(2), opcional(3), opcional(4), opcional(5), opcional(6),
                            opcional(7), opcional(8),
                            op ? std::optional<int32_t>(
                                     static_cast<int32_t>(std::strtoll(a[9].c_str(), nullptr, 0)))
                               : std::nullopt);
        } else if (c == "TextWidth" || c == "TextHeight") {
            const std::string t = a.size() > 1 ? resto.substr(c.size() + 1) : "";
            log += "  " + Texto(c == "TextWidth" ? s->TextWidth(t) : s->TextHeight(t)) + "\n";
        } else if (c == "Polygon") {
            std::vector<PuntoApi> p;
            for (size_t i = 1; i + 1 < a.size(); i += 2) {
                p.push_back({std::atoi(a[i].c_str()), std::atoi(a[i + 1].c_str())});
            }
            log += Polygon(s->hDC(), p) ? "  true\n" : "  false\n";
        } else if (c == "key") {
            log += "  " +
                   Texto(s->Teclear(static_cast<int16_t>(f(1)), static_cast<int16_t>(f(2)),
                                    static_cast<int16_t>(f(3)))) +
                   "\n";
        } else if (c == "down" || c == "move" || c == "up") {
            const auto b = static_cast<int16_t>(f(1)), m = static_cast<int16_t>(f(2));
            if (c == "down") s->PulsarRaton(b, m, f(3), f(4));
            if (c == "move") s->MoverRaton(b, m, f(3), f(4));
            if (c == "up") s->SoltarRaton(b, m, f(3), f(4));
        } else if (c == "dblclick") {
            s->DobleClic();
        } else if (c == "image") {
            Foto(s->Image());
        } else if (c == "screen") {
            Foto(s->Pantalla());
        } else {
            ADD_FAILURE() << "unknown call " << c;
        }
    }

    void Correr() {
        const std::vector<std::string> lineas =
            prueba::Lineas(prueba::Leer(kCarpeta / (nombre + ".txt")));
        for (const std::string& crudo : lineas) {
            if (crudo.empty() || crudo[0] == '#') continue;
            const std::string linea = prueba::DecodificarCampo(crudo);
            std::istringstream partes(crudo);
            std::vector<std::string> a;
            for (std::string p; partes >> p;) a.push_back(prueba::DecodificarCampo(p));
            log += linea + "\n";
            try {
                Llamar(a, linea);
            } catch (const Fallo& e) {
                log += "  ! " + std::to_string(e.numero()) + "\n";
            }
        }
    }
};

class GuionSuperficie : public ::testing::TestWithParam<std::string> {};

TEST_P(GuionSuperficie, DaLoGrabado) {
    Guion g;
    g.nombre = GetParam();
    g.Correr();
    prueba::Comparar(g.log, kCarpeta / (g.nombre + ".log"));
}

std::vector<std::string> Guiones() {
    std::vector<std::string> nombres;
    for (const auto& e : fs::directory_iterator(kCarpeta)) {
        if (e.path().extension() == ".txt") nombres.push_back(e.path().stem().string());
    }
    std::sort(nombres.begin(), nombres.end());
    return nombres;
}

INSTANTIATE_TEST_SUITE_P(Datos, GuionSuperficie, ::testing::ValuesIn(Guiones()),
                         [](const auto& info) { return info.param; });

}  // namespace
}  // namespace relivo
