// The Relivo control in a Linux host driven by scripts: each
// tests/data/relivo/NAME.txt is a list of calls on one control (script.h),
// and after each call the log holds what the host saw: the events with their
// numbers and arguments, the properties it was told changed, and every polygon drawn
// with its vertices and its fill and fore colours. The log and the pictures
// are compared with the reviewed recordings NAME.log and NAME.K.png.
//
// The calls, besides the control's members by name (Graficar, Cancelar,
// Cls, Refresh, Line, Circle, PSet, Point, PaintPicture of the test picture,
// TextWidth):
//   new [W H]              a new control, W x H pixels
//   set NAME VALUE         a property (the text of Funcion runs to the end)
//   get NAME | inner NAME  a property of the control | of its surface
//   continue 0|1           the host's answer to every Error event
//   continue-first         the host answers true to the next Error event
//                          only, and leaves the others as they come
//   on-status TEXT cancel|plot   the first Status event TEXT cancels the
//                          run, or calls Graficar again from the handler
//   queue-cancel           a pending piece of work that cancels the run
//   resize W H             the host resizes the control
//   usermode 0|1           the host's ambient UserMode (0: design time)
//   key, down, move, up, dblclick   the user's input on the control's
//                          surface (script.h)
//   handler EVENT N        the host's handler of EVENT sets every argument to N
//   fail-on EVENT          the host's handler of EVENT sets every by-reference
//                          argument to true, then fails (throws)
//   save | load FILE       the settings into a JSON document (logged) |
//                          from a document under tests/data
//   image                  the picture, compared with NAME.K.png
#include <gtest/gtest.h>

#include <cstdint>
#include <memory>
#include <span>
#include <sstream>
#include <stdexcept>
#include <string>
#include <utility>
#include <vector>

#include "platform/linux/host.h"
#include "platform/linux/json_bag.h"
#include "platform/linux/polygon_observer.h"
#include "platform/linux/work_queue.h"
#include "tests/support/relivo_setters.h"
#include "tests/support/script.h"

namespace relivo::prueba {
namespace {

const std::filesystem::path kCarpeta = std::filesystem::path(RELIVO_TEST_DATA) / "relivo";

// "11 Status(Procesando Superficie,0)", "10 Error(-2147221501,La X ...,false)",
// "12 TerminoGraficacion()": an event's number and name with its arguments as
// the handler left them.
std::string TextoEvento(const AnfitrionLinux::EventoRecibido& e) {
    std::string t = std::to_string(e.Id) + " " + e.Nombre + "(";
    for (size_t k = 0; k < e.Argumentos.size(); ++k) {
        if (k) t += ",";
        const VarianteHost& v = e.Argumentos[k].Valor;
        const bool* b = v.Si<bool>();
        t += b == nullptr ? v.ATexto() : *b ? "true" : "false";
    }
    return t + ")";
}

// A Linux host that records what it is told, a control sited in it, and
// the polygons the control draws as the log shows them: the vertices and
// the fill and fore colours then.
struct Banco {
    explicit Banco(int32_t ancho = 320, int32_t alto = 240)
        : r(std::make_unique<Relivo>(host, ancho, alto)) {
        FijarObservadorPoligonos([this](const SuperficieDibujo& s, std::span<const PuntoApi> p) {
            std::ostringstream t;
            t << "polygon";
            for (const PuntoApi& v : p) t << ' ' << v.x << ',' << v.y;
            t << " fill " << std::hex << s.FillColor() << " fore " << s.ForeColor();
            poligonos.push_back(t.str());
        });
    }
    ~Banco() { FijarObservadorPoligonos({}); }

    AnfitrionLinux host;
    std::unique_ptr<Relivo> r;
    std::vector<std::string> poligonos;
};

// What the host saw since the last call, then forgotten.
void AnotarLoVisto(Guion& g, Banco& b) {
    for (const auto& e : b.host.Eventos()) g.Anotar("event " + TextoEvento(e));
    for (const std::string& p : b.host.PropiedadesCambiadas()) g.Anotar("changed " + p);
    if (b.poligonos.size() <= 40) {
        for (const std::string& p : b.poligonos) g.Anotar(p);
    } else {
        // Many polygons: their count and an FNV-1a hash of their lines.
        uint32_t h = 2166136261u;
        for (const std::string& p : b.poligonos) {
            for (const char c : p + "\n") h = (h ^ static_cast<uint8_t>(c)) * 16777619u;
        }
        std::ostringstream s;
        s << b.poligonos.size() << " polygons #" << std::hex << h;
        g.Anotar(s.str());
    }
    b.host.OlvidarRegistros();
    b.poligonos.clear();
}

class GuionRelivo : public ::testing::TestWithParam<std::string> {};

TEST_P(GuionRelivo, DaLoGrabado) {
    Guion g(kCarpeta, GetParam());
    auto b = std::make_unique<Banco>();
    bool hecho = false;
    const Imagen prueba = ImagenDePrueba();
    auto llamar = [&](const std::vector<std::string>& a, const std::string& linea) {
        const Argumentos x{a};
        const std::string& c = a[0];
        if (Entrada(b->r->PlanoInterno(), a, g) || Comun(*b->r, a, linea, g)) return;
        if (c == "new") {
            b.reset();  // its host stops observing polygons
            b = a.size() > 2
                    ? std::make_unique<Banco>(std::atoi(a[1].c_str()), std::atoi(a[2].c_str()))
                    : std::make_unique<Banco>();
            hecho = false;
        } else if (c == "set") {
            const std::string v = Argumentos::Resto(linea, 2);
            EXPECT_TRUE(Fijar(*b->r, a[1], v) || FijarPropiedadSuperficie(*b->r, a[1], v));
        } else if (c == "get" && a[1] == "Error") {
            g.Anotar(Texto(b->r->NumeroError()) + " " + b->r->Error());
        } else if (c == "get") {
            g.Anotar(
                Leer(*b->r, a[1]).value_or(LeerPropiedadSuperficie(*b->r, a[1]).value_or("?")));
        } else if (c == "inner") {
            g.Anotar(LeerPropiedadSuperficie(b->r->PlanoInterno(), a[1]).value_or("?"));
        } else if (c == "usermode") {
            b->host.FijarUserMode(a[1] == "1");
        } else if (c == "continue") {
            const bool continuar = a[1] == "1";
            b->host.AlEvento("Error", [continuar](std::span<ArgumentoEvento> args) {
                args[2].Valor = continuar;
            });
        } else if (c == "continue-first") {
            auto primero = std::make_shared<bool>(true);
            b->host.AlEvento("Error", [primero](std::span<ArgumentoEvento> args) {
                if (std::exchange(*primero, false)) args[2].Valor = true;
            });
        } else if (c == "on-status") {
            const std::string que = a[1];
            const std::string estado = Argumentos::Resto(linea, 2);
            Banco& banco = *b;
            b->host.AlEvento("Status", [&banco, &hecho, &g, que,
                                        estado](std::span<ArgumentoEvento> args) {
                if (hecho || args[0].Valor.ATexto() != estado) return;
                hecho = true;
                if (que == "cancel") return banco.r->Cancelar();
                const size_t antes = banco.host.Eventos().size();
                banco.r->Graficar();
                g.Anotar("nested Graficar: " + std::to_string(banco.host.Eventos().size() - antes) +
                         " events");
            });
        } else if (c == "queue-cancel") {
            Relivo& r = *b->r;
            EncolarTrabajo([&r] { r.Cancelar(); });
        } else if (c == "Graficar") {
            b->r->Graficar();
        } else if (c == "Cancelar") {
            b->r->Cancelar();
        } else if (c == "handler") {
            // The host's handler of a key event writes its arguments back.
            const int16_t valor = static_cast<int16_t>(x.F(2));
            b->host.AlEvento(a[1], [valor](std::span<ArgumentoEvento> args) {
                for (ArgumentoEvento& arg : args) arg.Valor = valor;
            });
        } else if (c == "fail-on") {
            b->host.AlEvento(a[1], [](std::span<ArgumentoEvento> args) {
                for (ArgumentoEvento& arg : args) {
                    if (arg.PorReferencia) arg.Valor = true;
                }
                throw std::runtime_error("the host's handler fails");
            });
        } else if (c == "resize") {
            b->r->Redimensionar(x.F(1), x.F(2));
        } else if (c == "Line") {
            b->r->Line_(x.F(1), x.F(2), x.F(3), x.F(4), x.Entero(5));
        } else if (c == "Circle") {
            b->r->Circle_(x.F(1), x.F(2), x.F(3), x.Entero(4), x.Opcional(5), x.Opcional(6),
                          x.Opcional(7));
        } else if (c == "PSet") {
            b->r->PSet_(x.F(1), x.F(2), x.Entero(3));
        } else if (c == "PaintPicture") {
            b->r->PaintPicture(prueba, x.F(1), x.F(2), x.Opcional(3), x.Opcional(4));
        } else if (c == "save") {
            BolsaJson bolsa;
            b->r->WriteProperties(bolsa);
            for (const std::string& l : Lineas(bolsa.Texto())) g.Anotar(l);
        } else if (c == "load") {
            b->r->ReadProperties(BolsaJson::Cargar(std::string(RELIVO_TEST_DATA) + "/" + a[1]));
        } else if (c == "image") {
            g.Foto(b->r->Grafica());
        } else {
            ADD_FAILURE() << "unknown call " << c;
        }
    };
    g.Correr([&](const std::vector<std::string>& a, const std::string& linea) {
        try {
            llamar(a, linea);
        } catch (const Fallo&) {
            AnotarLoVisto(g, *b);
            throw;
        }
        AnotarLoVisto(g, *b);
    });
}

INSTANTIATE_TEST_SUITE_P(Datos, GuionRelivo, ::testing::ValuesIn(Guiones(kCarpeta)),
                         [](const auto& info) { return info.param; });

// Documents with keys of the wrong type or out of range (tests/data/
// documentos.tsv: the document, the error number or 0 when it loads, and the
// message when it matters): loading stops with a clear error thrown to the
// host, never a crash.
class DocumentosDefectuosos : public testing::TestWithParam<FilaTabla> {};

TEST_P(DocumentosDefectuosos, FallanConUnErrorClaroOCargan) {
    Banco b;
    int32_t numero = 0;
    try {
        b.r->ReadProperties(BolsaJson::DesdeTexto(GetParam()[0]));
    } catch (const Fallo& f) {
        numero = f.numero();
        EXPECT_FALSE(f.texto().empty());
        if (!GetParam()[2].empty()) {
            EXPECT_EQ(f.texto(), GetParam()[2]);
        }
    }
    EXPECT_EQ(std::to_string(numero), GetParam()[1]);
}

INSTANTIATE_TEST_SUITE_P(Datos, DocumentosDefectuosos,
                         testing::ValuesIn(LeerTabla("documentos.tsv")),
                         [](const auto& i) { return "Linea" + std::to_string(i.param.linea); });

}  // namespace
}  // namespace relivo::prueba
