// Evaluar and Relivo created by ProgID, driven late-bound by name, their
// events through their connection points: the steps of data/pasos.jsonl, the
// cases of data/evaluar_casos.jsonl and the plots of data/relivo_casos.txt
// against the Linux build's output, trace and picture, and real handles.
//
//   automation_test DATA_DIR LINUX_DIR
#include <map>
#include <string>
#include <vector>

#include "tests/windows/support.h"

namespace {

using prueba::ComPtr;
using prueba::Despacho;
using prueba::Json;
using prueba::Resultado;
using prueba::Sumidero;
using prueba::Utf16;
using prueba::V;

const std::string& Datos() {
    return prueba::Argumentos()[0];
}
const std::string& Linux() {
    return prueba::Argumentos()[1];
}

void Escenario(const std::vector<Json>& pasos, size_t& i) {
    const std::string escenario = pasos[i].value("que", "");
    Despacho c =
        Despacho::Crear(Utf16("Carvex." + pasos[i++]["control"].get<std::string>()).c_str());
    ASSERT_TRUE(static_cast<bool>(c)) << escenario + ": crear";
    auto s = prueba::Nuevo<Sumidero>();
    EXPECT_TRUE(s->Conectar(c)) << escenario + ": conectar";
    prueba::Pasos(c, *s.Get()).Correr(pasos, i, escenario);
    EXPECT_TRUE(SUCCEEDED(s->Desconectar())) << escenario + ": desconectar";
}

TEST(Automatizacion, Pasos) {
    const std::vector<Json> pasos = prueba::LeerLineasJson(Datos() + "/pasos.jsonl");
    ASSERT_TRUE(!pasos.empty() && pasos[0].contains("control"));
    for (size_t i = 0; i < pasos.size();) Escenario(pasos, i);
}

// The events of a run as the Linux build traced them.
void CompararEventos(const Sumidero& s, const Json& esperados, const std::string& donde) {
    static const std::map<std::wstring, std::vector<std::string>> kArgumentos = {
        {L"Status", {"Stat", "Porcentaje"}}, {L"Error", {"NumError", "DescrError"}}};
    EXPECT_EQ(s.eventos.size(), esperados.size()) << donde + ": número de eventos";
    for (size_t k = 0; k < esperados.size() && k < s.eventos.size(); ++k) {
        const prueba::Evento& e = s.eventos[k];
        const std::string d = donde + ": evento " + std::to_string(k + 1);
        // Evaluar raises only Error, and its trace leaves the name out.
        EXPECT_EQ(prueba::Utf8(e.nombre), esperados[k].value("evento", "Error")) << d;
        const auto nombres = kArgumentos.find(e.nombre);
        if (nombres == kArgumentos.end()) continue;
        EXPECT_GE(e.args.size(), nombres->second.size()) << d;
        for (size_t a = 0; a < nombres->second.size() && a < e.args.size(); ++a) {
            const Json x = esperados[k].value(nombres->second[a], Json());
            prueba::Esperado(e.args[a], x, d + ": " + nombres->second[a]);
            EXPECT_TRUE(!x.is_number() || e.nombre != L"Error" || e.args[a].Tipo() == VT_I4) << d;
        }
        // Relivo's Error: Continuar starts false.
        EXPECT_TRUE(e.args.size() != 3 || !e.args[2].Booleano()) << d + ": Continuar";
    }
}

TEST(Automatizacion, EvaluarComoEnLinux) {
    const std::vector<Json> casos = prueba::LeerLineasJson(Datos() + "/evaluar_casos.jsonl");
    const std::vector<Json> esperados = prueba::LeerLineasJson(Linux() + "/evaluar_esperado.jsonl");
    ASSERT_FALSE(casos.empty());
    ASSERT_EQ(casos.size(), esperados.size()) << "un resultado por caso";
    for (size_t n = 0; n < casos.size(); ++n) {
        const Json &caso = casos[n], &esperado = esperados[n];
        const std::string donde =
            "caso " + std::to_string(n + 1) + " (" + caso.value("funcion", "") + ")";
        Despacho ev = Despacho::Crear(L"Carvex.Evaluar");
        const auto argumento = [](const Json& j) {
            return j.is_string() ? V(Utf16(j.get<std::string>())) : V(j.get<double>());
        };
        auto s = prueba::Nuevo<Sumidero>();
        EXPECT_TRUE(s->Conectar(ev)) << donde + ": conectar";
        EXPECT_TRUE(ev.Put(L"Funcion", V(Utf16(caso.value("funcion", "")))).Bien()) << donde;
        for (const Json& par : caso.value("substituir", Json::array())) {
            EXPECT_TRUE(ev.Put(L"Substituir", argumento(par[1]), {argumento(par[0])}).Bien())
                << donde + ": Substituir";
        }
        for (const Json& par : caso.value("valores", Json::array())) {
            EXPECT_TRUE(ev.Put(L"Valor", V(par[1].get<double>()), {argumento(par[0])}).Bien())
                << donde + ": Valor";
        }
        EXPECT_EQ(ev.Get(L"Funcion").valor.Texto(), esperado.value("funcion", "")) << donde;
        const Json variables = esperado.value("variables", Json::array());
        EXPECT_EQ(static_cast<size_t>(ev.Get(L"NumeroVariables").valor.Entero()), variables.size())
            << donde + ": NumeroVariables";
        for (short i = 1; static_cast<size_t>(i) <= variables.size(); ++i) {
            prueba::Esperado(ev.Get(L"Variable", {V(i)}).valor, variables[i - 1],
                             donde + ": Variable");
        }
        const Resultado r = ev.Get(L"Resultado");
        EXPECT_TRUE(r.Bien() && r.valor.Tipo() == VT_R8) << donde + ": Resultado es un Double";
        prueba::Esperado(r.valor, esperado.value("resultado", 0.0), donde + ": Resultado");
        prueba::Esperado(ev.Get(L"NumeroError").valor, esperado.value("numeroError", 0.0), donde);
        prueba::Esperado(ev.Get(L"Error").valor, esperado.value("error", ""), donde + ": Error");
        for (const prueba::Evento& e : s->eventos) EXPECT_EQ(e.args.size(), 2u) << donde;
        CompararEventos(*s.Get(), esperado.value("eventos", Json::array()), donde);
        EXPECT_TRUE(SUCCEEDED(s->Desconectar())) << donde + ": desconectar";
    }
}

// Sets a pair of bounds so that they are never equal on the way (as the
// relivo command does).
void FijarPar(const Despacho& r, const wchar_t* min, const wchar_t* max, double minimo,
              double maximo) {
    const double minActual = r.Get(min).valor.Doble();
    double maxActual = r.Get(max).valor.Doble();
    if (minimo == maxActual && maximo == minActual) {
        double paso = 0;
        while (paso == minimo || paso == maximo) paso += 1;
        r.Put(max, V(paso));
        maxActual = paso;
    }
    const bool maxPrimero = minimo == maxActual;
    r.Put(maxPrimero ? max : min, V(maxPrimero ? maximo : minimo));
    r.Put(maxPrimero ? min : max, V(maxPrimero ? minimo : maximo));
}

TEST(Automatizacion, RelivoComoEnLinux) {
    std::istringstream casos(prueba::LeerTexto(Datos() + "/relivo_casos.txt"));
    int vistos = 0;
    for (std::string linea; std::getline(casos, linea);) {
        char nombre[64], funcion[256], z[64], sigue[8];
        double x0, x1, y0, y1, z0, z1, ax, ay, az;
        short lx, ly;
        if (linea.empty() || linea[0] == '#' ||
            !RELIVO_CUMPLE(
                std::sscanf(linea.c_str(),
                            "%63s %255s %lf:%lf %lf:%lf %63s %hd,%hd %lf,%lf,%lf %7s", nombre,
                            funcion, &x0, &x1, &y0, &y1, z, &lx, &ly, &ax, &ay, &az, sigue) == 13,
                linea)) {
            continue;
        }
        ++vistos;
        const std::string donde = std::string("gráfica ") + nombre;
        Despacho r = Despacho::Crear(L"Carvex.Relivo");
        auto s = prueba::Nuevo<Sumidero>();
        EXPECT_TRUE(s->Conectar(r)) << donde + ": conectar";
        s->ResponderContinuar(std::string(sigue) == "si");
        r.Put(L"Funcion", V(Utf16(funcion)));
        FijarPar(r, L"XMin", L"XMax", x0, x1);
        FijarPar(r, L"YMin", L"YMax", y0, y1);
        if (std::sscanf(z, "%lf:%lf", &z0, &z1) == 2) {
            r.Put(L"AutoEscalaZ", V(false));
            FijarPar(r, L"ZMin", L"ZMax", z0, z1);
        }
        r.Put(L"NumeroLineasX", V(lx));
        r.Put(L"NumeroLineasY", V(ly));
        r.Put(L"AnguloX", V(ax));
        r.Put(L"AnguloY", V(ay));
        r.Put(L"AnguloZ", V(az));
        EXPECT_TRUE(r.Llamar(L"Graficar").Bien()) << donde + ": Graficar";

        const Json t = Json::parse(prueba::LeerTexto(Linux() + "/" + nombre + ".json"));
        CompararEventos(*s.Get(), t.value("eventos", Json::array()), donde);
        for (const char* p : {"ZMin", "ZMax", "ScaleWidth", "ScaleHeight"}) {
            prueba::Esperado(r.Get(Utf16(p)).valor, t.value(p, 0.0), donde + ": " + p);
        }
        EXPECT_EQ(r.Get(L"ScaleWidth").valor.Tipo(), VT_R4) << donde;
        prueba::Esperado(r.Get(L"NumeroError").valor, t.value("numeroError", 0.0),
                         donde + ": NumeroError");
        prueba::Esperado(r.Get(L"Error").valor, t.value("error", ""), donde + ": Error");
        const prueba::Mapa windows = prueba::LeerImagen(r.Get(L"Grafica").valor.Objeto());
        prueba::Mapa referencia;
        if (RELIVO_CUMPLE(prueba::LeerPpm(Linux() + "/" + nombre + ".ppm", referencia),
                          donde + ": imagen de Linux")) {
            prueba::CompararConLinux(windows, referencia, donde);
        }
        s->Desconectar();
    }
    EXPECT_GT(vistos, 0);
}

// Real handles: the surface's window and the device context drawing goes to
// (another one with AutoRedraw on), where GDI drawing shows after Refresh.
TEST(Automatizacion, Manejadores) {
    Despacho r = Despacho::Crear(L"Carvex.Relivo");
    EXPECT_TRUE(IsWindow(r.Manejador<HWND>(L"hWnd"))) << "hWnd es una ventana";
    HDC dc = r.Manejador<HDC>(L"hDC");
    EXPECT_EQ(GetObjectType(dc), static_cast<DWORD>(OBJ_MEMDC)) << "hDC es un contexto";
    r.Put(L"AutoRedraw", V(true));
    HDC persistente = r.Manejador<HDC>(L"hDC");
    EXPECT_TRUE(persistente != dc) << "hDC del mapa persistente con AutoRedraw";
    HBRUSH rojo = CreateSolidBrush(RGB(255, 0, 0));
    const RECT zona{10, 10, 20, 20};
    FillRect(persistente, &zona, rojo);
    DeleteObject(rojo);
    r.Put(L"ScaleMode", V(short{3}));
    EXPECT_EQ(r.Llamar(L"Point", {V(15.0f), V(15.0f)}).valor.Entero(), 255L) << "Point tras GDI";
    r.Llamar(L"Refresh");
    const prueba::Mapa imagen = prueba::LeerImagen(r.Get(L"Image").valor.Objeto());
    if (RELIVO_CUMPLE(imagen.ancho == 309 && imagen.alto == 229, "Image del tamaño interior")) {
        EXPECT_EQ(imagen.En(12, 12), 0xFFu) << "Image tras GDI";
    }
}

}  // namespace

int main(int argc, char** argv) {
    return prueba::Principal(argc, argv, "DIR_DATOS DIR_LINUX", 2, 2, true);
}
