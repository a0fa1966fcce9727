// Relivo through automation: created by ProgID, driven late-bound by member
// name, its events received through its connection point. Every plot of
// data/relivo_casos.txt is checked against what the Linux build gives for
// it (the relivo command's trace and picture): the events with their
// arguments, the Z range and scale it ends with, the last error, and the
// finished picture (Grafica), pixel by pixel. Then what the run does with a
// host on the other side of COM: Continuar and KeyAscii read back, Cancelar
// and Graficar called from an event handler, the property-changed
// notification, refused values as automation errors.
//
//   relivo_automation_test CASES.txt LINUX_DIR [OUT_DIR]
#include <cmath>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "tests/windows/json_files.h"
#include "tests/windows/late_binding.h"
#include "tests/windows/pictures.h"
#include "tests/windows/support.h"

namespace {

using prueba::ComPtr;
using prueba::Despacho;
using prueba::Json;
using prueba::Sumidero;
using prueba::V;

// The button face of the Linux build (the background of a new control).
constexpr uint32_t kCaraBotonLinux = 0xF0F0F0;

struct Caso {
    std::string nombre, funcion;
    double x0 = 0, x1 = 0, y0 = 0, y1 = 0, z0 = 0, z1 = 0;
    bool conZ = false;
    short lx = 0, ly = 0;
    double ax = 0, ay = 0, az = 0;
    bool continuar = false;
};

bool Par(const std::string& t, char sep, double& a, double& b) {
    const size_t p = t.find(sep, 1);
    if (p == std::string::npos) return false;
    a = std::stod(t.substr(0, p));
    b = std::stod(t.substr(p + 1));
    return true;
}

std::vector<Caso> LeerCasos(const std::string& ruta) {
    std::vector<Caso> r;
    std::ifstream f(ruta);
    std::string linea;
    while (std::getline(f, linea)) {
        if (linea.empty() || linea[0] == '#') continue;
        std::istringstream s(linea);
        Caso c;
        std::string x, y, z, l, a, sigue;
        s >> c.nombre >> c.funcion >> x >> y >> z >> l >> a >> sigue;
        double lx = 0, ly = 0;
        Par(x, ':', c.x0, c.x1);
        Par(y, ':', c.y0, c.y1);
        c.conZ = z != "-" && Par(z, ':', c.z0, c.z1);
        Par(l, ',', lx, ly);
        c.lx = static_cast<short>(lx);
        c.ly = static_cast<short>(ly);
        const size_t p1 = a.find(','), p2 = a.find(',', p1 + 1);
        c.ax = std::stod(a.substr(0, p1));
        c.ay = std::stod(a.substr(p1 + 1, p2 - p1 - 1));
        c.az = std::stod(a.substr(p2 + 1));
        c.continuar = sigue == "si";
        r.push_back(c);
    }
    return r;
}

// Sets a pair of bounds so that they are never equal on the way (as the
// relivo command does).
void FijarPar(const Despacho& r, const wchar_t* min, const wchar_t* max, double minimo,
              double maximo) {
    const double minActual = r.Get(min).valor.Doble(), maxActual = r.Get(max).valor.Doble();
    if (minimo != maxActual) {
        r.Put(min, V(minimo));
        r.Put(max, V(maximo));
    } else if (maximo != minActual) {
        r.Put(max, V(maximo));
        r.Put(min, V(minimo));
    } else {
        double paso = 0;
        while (paso == minimo || paso == maximo) paso += 1;
        r.Put(max, V(paso));
        r.Put(min, V(minimo));
        r.Put(max, V(maximo));
    }
}

// Answers Continuar in every Error event.
void ResponderContinuar(Sumidero* s, bool continuar) {
    s->manejador = [continuar](prueba::Evento& e, std::vector<VARIANTARG*>& ref) {
        if (e.nombre == L"Error" && ref.size() == 3 && V_VT(ref[2]) == (VT_BYREF | VT_BOOL)) {
            *V_BOOLREF(ref[2]) = continuar ? VARIANT_TRUE : VARIANT_FALSE;
        }
    };
}

void CompararCaso(const Caso& c, const std::string& linux, const std::string& salida) {
    const std::string donde = "gráfica " + c.nombre;
    Despacho r = Despacho::Crear(L"Carvex.Relivo");
    ASSERT_TRUE(static_cast<bool>(r)) << donde + ": crear";
    auto s = prueba::Nuevo<prueba::Sumidero>();
    EXPECT_TRUE(s->Conectar(r)) << donde + ": conectar";
    ResponderContinuar(s.Get(), c.continuar);

    r.Put(L"Funcion", V(prueba::Utf16(c.funcion)));
    FijarPar(r, L"XMin", L"XMax", c.x0, c.x1);
    FijarPar(r, L"YMin", L"YMax", c.y0, c.y1);
    if (c.conZ) {
        r.Put(L"AutoEscalaZ", V(false));
        FijarPar(r, L"ZMin", L"ZMax", c.z0, c.z1);
    }
    r.Put(L"NumeroLineasX", V(c.lx));
    r.Put(L"NumeroLineasY", V(c.ly));
    r.Put(L"AnguloX", V(c.ax));
    r.Put(L"AnguloY", V(c.ay));
    r.Put(L"AnguloZ", V(c.az));
    EXPECT_TRUE(r.Llamar(L"Graficar").Bien()) << donde + ": Graficar";

    const Json t = prueba::LeerJson(linux + "/" + c.nombre + ".json");
    const auto& esperados = t.value("eventos", Json::array());
    EXPECT_EQ(s->eventos.size(), esperados.size()) << donde + ": número de eventos";
    for (size_t k = 0; k < esperados.size() && k < s->eventos.size(); ++k) {
        const prueba::Evento& e = s->eventos[k];
        const Json& x = esperados[k];
        const std::string d = donde + ": evento " + std::to_string(k + 1);
        EXPECT_EQ(prueba::Utf8(e.nombre), x.value("evento", "")) << d;
        if (e.nombre == L"Status" && e.args.size() == 2) {
            EXPECT_EQ(e.args[0].Texto(), x.value("Stat", "")) << d + ": Stat";
            EXPECT_EQ(static_cast<double>(e.args[1].Corto()), x.value("Porcentaje", 0.0))
                << d + ": Porcentaje";
        } else if (e.nombre == L"Error" && e.args.size() == 3) {
            EXPECT_EQ(static_cast<double>(e.args[0].Entero()), x.value("NumError", 0.0))
                << d + ": NumError";
            EXPECT_EQ(e.args[1].Texto(), x.value("DescrError", "")) << d + ": DescrError";
            EXPECT_EQ(e.args[2].Booleano(), false) << d + ": Continuar empieza en falso";
        }
    }
    EXPECT_EQ(r.Get(L"ZMin").valor.Doble(), t.value("ZMin", 0.0)) << donde + ": ZMin";
    EXPECT_EQ(r.Get(L"ZMax").valor.Doble(), t.value("ZMax", 0.0)) << donde + ": ZMax";
    EXPECT_EQ(static_cast<double>(r.Get(L"ScaleWidth").valor.Sencillo()),
              t.value("ScaleWidth", 0.0))
        << donde + ": ScaleWidth";
    EXPECT_EQ(static_cast<double>(r.Get(L"ScaleHeight").valor.Sencillo()),
              t.value("ScaleHeight", 0.0))
        << donde + ": ScaleHeight";
    EXPECT_EQ(static_cast<double>(r.Get(L"NumeroError").valor.Entero()),
              t.value("numeroError", 0.0))
        << donde + ": NumeroError";
    EXPECT_EQ(r.Get(L"Error").valor.Texto(), t.value("error", "")) << donde + ": Error";

    // The picture.
    const prueba::Resultado g = r.Get(L"Grafica");
    const prueba::Mapa windows = prueba::LeerImagen(g.valor.Objeto());
    prueba::Mapa referencia;
    if (RELIVO_CUMPLE(prueba::LeerPpm(linux + "/" + c.nombre + ".ppm", referencia),
                      donde + ": imagen de Linux")) {
        // The background is the button face of each platform; the edges of the
        // cells (black outlines, red axes) may fall one pixel apart.
        const prueba::Comparacion k = prueba::Comparar(
            windows, referencia, GetSysColor(COLOR_BTNFACE), kCaraBotonLinux, {0x000000, 0x0000FF});
        if (!salida.empty()) prueba::EscribirPpm(salida + "/" + c.nombre + ".ppm", windows);
        std::printf("%s: %ld de %d píxeles distintos, %ld a más de un píxel\n", donde.c_str(),
                    k.distintos, referencia.ancho * referencia.alto, k.lejanos);
        EXPECT_TRUE(k.distintos >= 0) << donde + ": el tamaño de la imagen es el de Linux";
        EXPECT_EQ(k.lejanos, 0L) << donde + ": cada píxel, a lo sumo a uno del de Linux";
        EXPECT_TRUE(k.distintos * 100 <= 3L * referencia.ancho * referencia.alto)
            << donde + ": a lo sumo un 3 % de píxeles en los bordes";
    }
    s->Desconectar();
}

// A plot that takes a while: a fine grid.
void Preparar(const Despacho& r) {
    prueba::PonerOnda(r, 8);
}

size_t Cuantos(const Sumidero* s, const std::wstring& nombre) {
    return s->De(nombre).size();
}

void ComprobarValoresIniciales() {
    Despacho r = Despacho::Crear(L"Carvex.Relivo");
    ASSERT_TRUE(static_cast<bool>(r)) << "crear";
    struct Inicial {
        const wchar_t* nombre;
        double valor;
    };
    const Inicial iniciales[] = {
        {L"AnguloX", 0},
        {L"XMax", 0},
        {L"ZMin", 0},
        {L"NumeroLineasX", 0},
        {L"NumeroLineasY", 0},
        {L"NumeroError", 0},
        {L"AutoEscalaZ", -1},
        {L"Align", 0},
        {L"Appearance", 1},
        {L"AutoRedraw", 0},
        {L"BackColor", 2147483663.0},
        {L"BorderStyle", 1},
        {L"CurrentX", 0},
        {L"DrawMode", 13},
        {L"DrawStyle", 0},
        {L"DrawWidth", 1},
        {L"Enabled", -1},
        {L"FillColor", 0},
        {L"FillStyle", 1},
        {L"FontTransparent", -1},
        {L"ForeColor", 2147483666.0},
        {L"MousePointer", 0},
        {L"ScaleMode", 1},
        {L"ScaleLeft", 0},
        {L"ScaleTop", 0},
        {L"ScaleWidth", 4635},
        {L"ScaleHeight", 3435},
        {L"WhatsThisHelpID", 0},
    };
    for (const Inicial& i : iniciales) {
        const prueba::Resultado g = r.Get(i.nombre);
        EXPECT_TRUE(g.Bien()) << prueba::Utf8(i.nombre) + " se lee";
        EXPECT_EQ(g.valor.Doble(), i.valor) << prueba::Utf8(i.nombre) + " al crear";
    }
    EXPECT_EQ(r.Get(L"Funcion").valor.Texto(), std::string()) << "Funcion al crear";
    EXPECT_EQ(r.Get(L"Error").valor.Texto(), std::string()) << "Error al crear";
    EXPECT_EQ(r.Get(L"ToolTipText").valor.Texto(), std::string()) << "ToolTipText al crear";
    EXPECT_EQ(r.Get(L"AutoEscalaZ").valor.Tipo(), VT_BOOL) << "AutoEscalaZ es Boolean";
    EXPECT_EQ(r.Get(L"NumeroLineasX").valor.Tipo(), VT_I2) << "NumeroLineasX es Integer";
    EXPECT_EQ(r.Get(L"ScaleWidth").valor.Tipo(), VT_R4) << "ScaleWidth es Single";
    // Real handles: the surface's window and the device context drawing
    // goes to (another one with AutoRedraw on).
    HWND h = reinterpret_cast<HWND>(static_cast<intptr_t>(r.Get(L"hWnd").valor.Entero()));
    EXPECT_TRUE(IsWindow(h)) << "hWnd es una ventana";
    HDC dc = reinterpret_cast<HDC>(static_cast<intptr_t>(r.Get(L"hDC").valor.Entero()));
    EXPECT_EQ(GetObjectType(dc), static_cast<DWORD>(OBJ_MEMDC))
        << "hDC es un contexto de dispositivo";
    r.Put(L"AutoRedraw", V(true));
    HDC persistente = reinterpret_cast<HDC>(static_cast<intptr_t>(r.Get(L"hDC").valor.Entero()));
    EXPECT_TRUE(persistente != dc) << "hDC del mapa persistente con AutoRedraw";
    // Drawing on hDC with GDI shows after Refresh.
    HBRUSH rojo = CreateSolidBrush(RGB(255, 0, 0));
    const RECT zona{10, 10, 20, 20};
    FillRect(persistente, &zona, rojo);
    DeleteObject(rojo);
    r.Put(L"ScaleMode", V(short{3}));
    EXPECT_EQ(r.Llamar(L"Point", {V(15.0f), V(15.0f)}).valor.Entero(), 255L) << "Point tras GDI";
    r.Llamar(L"Refresh");
    const prueba::Mapa imagen = prueba::LeerImagen(r.Get(L"Image").valor.Objeto());
    EXPECT_TRUE(imagen.ancho == 309 && imagen.alto == 229) << "Image del tamaño interior";
    if (imagen.ancho == 309) {
        EXPECT_EQ(imagen.En(12, 12), 0xFFu) << "Image tras GDI";
    }
    // By-reference Single arguments given as Double or Integer, as scripts do.
    EXPECT_TRUE(r.Llamar(L"PSet_", {V(30.0), V(40), V(0x00FF00)}).Bien())
        << "PSet_ con Double y Long";
    EXPECT_EQ(r.Llamar(L"Point", {V(30), V(40.0)}).valor.Entero(), 0xFF00L) << "Point tras PSet_";
    EXPECT_TRUE(r.Llamar(L"Line_", {V(0), V(0), V(5), V(5), V(0)}).Bien()) << "Line_ con enteros";
}

void ComprobarNotificaciones() {
    Despacho r = Despacho::Crear(L"Carvex.Relivo");
    ASSERT_TRUE(static_cast<bool>(r)) << "crear";
    auto p = prueba::Nuevo<prueba::SumideroPropiedades>();
    EXPECT_TRUE(p->Conectar(r.get())) << "conectar IPropertyNotifySink";
    auto s = prueba::Nuevo<prueba::Sumidero>();
    s->Conectar(r);
    r.Put(L"BackColor", V(255));
    r.Put(L"FillStyle", V(short{0}));
    ComPtr<IFontDisp> fuente;
    FONTDESC d{sizeof(FONTDESC),
               const_cast<LPOLESTR>(L"Arial"),
               {{120000, 0}},
               FW_BOLD,
               DEFAULT_CHARSET,
               FALSE,
               FALSE,
               FALSE};
    d.cySize.int64 = 120000;
    OleCreateFontIndirect(&d, IID_PPV_ARGS(&fuente));
    // The control takes the font as the font object describes it (the object
    // may realise it under another name and size).
    std::wstring nombre;
    float tamano = 0;
    ComPtr<IFont> fi;
    if (fuente && SUCCEEDED(fuente.As(&fi))) {
        BSTR n = nullptr;
        fi->get_Name(&n);
        nombre = n ? n : L"";
        SysFreeString(n);
        CY cy{};
        fi->get_Size(&cy);
        tamano = static_cast<float>(cy.int64 / 10000.0);
    }
    EXPECT_TRUE(r.PutRef(L"Font", V(static_cast<IDispatch*>(fuente.Get()))).Bien()) << "Set Font";
    const std::vector<DISPID> esperados{0x6803001F, 0x68030016, -512};
    EXPECT_TRUE(p->cambios == esperados) << "OnChanged de BackColor, FillStyle y Font";
    EXPECT_EQ(r.Get(L"FontName").valor.Texto16(), nombre) << "FontName tras Set Font";
    EXPECT_EQ(r.Get(L"FontSize").valor.Sencillo(), tamano) << "FontSize tras Set Font";
    EXPECT_EQ(r.Get(L"FontBold").valor.Booleano(), true) << "FontBold tras Set Font";
    // The font object given out stays tied to the control.
    ComPtr<IFont> vivo;
    const prueba::Resultado dada = r.Get(L"Font");
    if (RELIVO_CUMPLE(dada.valor.Objeto() &&
                          SUCCEEDED(dada.valor.Objeto()->QueryInterface(IID_PPV_ARGS(&vivo))),
                      "Font da un objeto de fuente vivo")) {
        vivo->put_Bold(FALSE);
        vivo->put_Italic(TRUE);
        EXPECT_EQ(r.Get(L"FontBold").valor.Booleano(), false) << "Font.Bold = False";
        EXPECT_EQ(r.Get(L"FontItalic").valor.Booleano(), true) << "Font.Italic = True";
    }
    r.Put(L"FontBold", V(true));
    // A font object back, describing the font.
    const prueba::Resultado f = r.Get(L"Font");
    ComPtr<IFont> i;
    if (RELIVO_CUMPLE(
            f.valor.Objeto() && SUCCEEDED(f.valor.Objeto()->QueryInterface(IID_PPV_ARGS(&i))),
            "Font da un objeto de fuente")) {
        BSTR n = nullptr;
        i->get_Name(&n);
        EXPECT_EQ(std::wstring(n ? n : L""), nombre) << "nombre del objeto Font";
        SysFreeString(n);
    }
    // A refused value is an automation error of the call, not an event.
    const size_t antes = s->eventos.size();
    const prueba::Resultado malo = r.Put(L"DrawMode", V(short{99}));
    EXPECT_EQ(malo.hr, DISP_E_EXCEPTION) << "DrawMode 99 falla";
    EXPECT_EQ(malo.scode, static_cast<HRESULT>(0x800A017C)) << "DrawMode 99: error 380";
    EXPECT_EQ(malo.descripcion, std::wstring(L"El valor de la propiedad no es v\u00e1lido"))
        << "DrawMode 99: texto";
    EXPECT_EQ(s->eventos.size(), antes) << "DrawMode 99 no eleva eventos";
    EXPECT_EQ(r.Get(L"DrawMode").valor.Corto(), short{13}) << "DrawMode sigue en 13";
    p->Desconectar();
    s->Desconectar();
}

void ComprobarContinuar() {
    Despacho r = Despacho::Crear(L"Carvex.Relivo");
    ASSERT_TRUE(static_cast<bool>(r)) << "crear";
    auto s = prueba::Nuevo<prueba::Sumidero>();
    s->Conectar(r);
    // Continuar left false: the refused line count is not stored.
    r.Put(L"NumeroLineasX", V(short{-1}));
    EXPECT_EQ(r.Get(L"NumeroLineasX").valor.Corto(), short{0}) << "NumeroLineasX -1 no se guarda";
    const auto status = s->De(L"Status");
    if (RELIVO_CUMPLE(status.size() == 1, "un Status")) {
        EXPECT_EQ(status[0].args[0].Texto(),
                  std::string("Error: El intervalo entre líneas no puede ser cero"))
            << "Stat";
    }
    EXPECT_EQ(Cuantos(s.Get(), L"Error"), size_t{1}) << "un Error";
    EXPECT_EQ(r.Get(L"NumeroError").valor.Entero(), -2147221499L) << "NumeroError";
    // Continuar set true by the handler is read back: the value is stored.
    ResponderContinuar(s.Get(), true);
    r.Put(L"NumeroLineasX", V(short{-1}));
    EXPECT_EQ(r.Get(L"NumeroLineasX").valor.Corto(), short{-1}) << "con Continuar se guarda";
    s->Desconectar();
}

void ComprobarReentrada() {
    Despacho r = Despacho::Crear(L"Carvex.Relivo");
    ASSERT_TRUE(static_cast<bool>(r)) << "crear";
    Preparar(r);
    auto s = prueba::Nuevo<prueba::Sumidero>();
    s->Conectar(r);
    // Cancelar from a Status handler during the sampling.
    s->manejador = prueba::CancelarEnEstado(r, "Procesando Superficie");
    r.Llamar(L"Graficar");
    const auto errores = s->De(L"Error");
    if (RELIVO_CUMPLE(errores.size() == 1, "cancelar: un Error")) {
        EXPECT_EQ(errores[0].args[0].Entero(), -2147221502L) << "cancelar: número";
        EXPECT_EQ(errores[0].args[1].Texto(), std::string("Cancelado por el usuario"))
            << "cancelar: texto";
    }
    EXPECT_EQ(Cuantos(s.Get(), L"TerminoGraficacion"), size_t{0})
        << "cancelar: sin TerminoGraficacion";
    EXPECT_EQ(Cuantos(s.Get(), L"Status") >= 1, true) << "cancelar: hubo progreso";
    // Graficar from a Status handler returns at once and raises nothing.
    s->eventos.clear();
    size_t anidadas = 0;
    s->manejador = [&](prueba::Evento& e, std::vector<VARIANTARG*>&) {
        if (e.nombre == L"Status" && anidadas == 0) {
            ++anidadas;
            const size_t antes = s->eventos.size();
            EXPECT_TRUE(r.Llamar(L"Graficar").Bien()) << "Graficar anidado";
            EXPECT_EQ(s->eventos.size(), antes) << "Graficar anidado no eleva nada";
        }
    };
    r.Llamar(L"Graficar");
    EXPECT_EQ(Cuantos(s.Get(), L"TerminoGraficacion"), size_t{1}) << "la gráfica termina";
    // A sink that fails and disconnects while the run raises its events; a
    // second sink still gets them all.
    auto otro = prueba::Nuevo<prueba::Sumidero>();
    otro->Conectar(r);
    s->eventos.clear();
    s->respuesta = E_FAIL;
    s->manejador = [&](prueba::Evento& e, std::vector<VARIANTARG*>&) {
        if (e.nombre == L"Status" && e.args[0].Texto() == "Graficando Puntos") s->Desconectar();
    };
    r.Put(L"AnguloZ", V(10.0));
    EXPECT_TRUE(r.Llamar(L"Graficar").Bien()) << "Graficar con un sumidero que falla y se va";
    EXPECT_EQ(Cuantos(s.Get(), L"Status"), size_t{1}) << "tras desconectarse no llega nada más";
    EXPECT_EQ(Cuantos(otro.Get(), L"TerminoGraficacion"), size_t{1})
        << "el otro sumidero ve el final";
    EXPECT_EQ(Cuantos(otro.Get(), L"Error"), size_t{0}) << "sin errores";
    otro->Desconectar();
}

void ComprobarEntrada() {
    Despacho r = Despacho::Crear(L"Carvex.Relivo");
    ASSERT_TRUE(static_cast<bool>(r)) << "crear";
    auto s = prueba::Nuevo<prueba::Sumidero>();
    s->Conectar(r);
    s->manejador = [&](prueba::Evento& e, std::vector<VARIANTARG*>& ref) {
        if (e.nombre == L"KeyPress") *V_I2REF(ref[0]) = 0;
    };
    HWND h = reinterpret_cast<HWND>(static_cast<intptr_t>(r.Get(L"hWnd").valor.Entero()));
    SendMessageW(h, WM_KEYDOWN, 'A', 0);
    SendMessageW(h, WM_CHAR, 'a', 0);
    SendMessageW(h, WM_KEYUP, 'A', 0);
    SendMessageW(h, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(10, 20));
    SendMessageW(h, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(11, 21));
    SendMessageW(h, WM_LBUTTONUP, 0, MAKELPARAM(12, 22));
    SendMessageW(h, WM_LBUTTONDBLCLK, MK_LBUTTON, MAKELPARAM(12, 22));
    SendMessageW(h, WM_LBUTTONUP, 0, MAKELPARAM(12, 22));
    std::wstring orden;
    for (const prueba::Evento& e : s->eventos) orden += e.nombre + L" ";
    EXPECT_EQ(orden,
              std::wstring(L"KeyDown KeyPress KeyUp MouseDown MouseMove MouseUp Click DblClick "
                           L"MouseDown MouseUp Click "))
        << "eventos de teclado y ratón";
    const auto teclas = s->De(L"KeyPress");
    if (RELIVO_CUMPLE(teclas.size() == 1, "KeyPress")) {
        EXPECT_EQ(teclas[0].args[0].Corto(), short{'a'}) << "KeyAscii";
    }
    const auto abajo = s->De(L"MouseDown");
    if (RELIVO_CUMPLE(!abajo.empty() && abajo[0].args.size() == 4, "MouseDown")) {
        EXPECT_EQ(abajo[0].args[0].Corto(), short{1}) << "Button";
        EXPECT_EQ(abajo[0].args[2].Sencillo(), 150.0f) << "x en twips";
        EXPECT_EQ(abajo[0].args[3].Sencillo(), 300.0f) << "y en twips";
    }
    r.Put(L"Enabled", V(false));
    s->eventos.clear();
    SendMessageW(h, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(10, 20));
    EXPECT_EQ(s->eventos.size(), size_t{0}) << "sin eventos con Enabled falso";
    s->Desconectar();
}

}  // namespace

TEST(RelivoPorAutomatizacion, CasosComoEnLinux) {
    const std::vector<std::string>& a = prueba::Argumentos();
    const std::vector<Caso> casos = LeerCasos(a[0]);
    ASSERT_FALSE(casos.empty());
    for (const Caso& c : casos) CompararCaso(c, a[1], a.size() > 2 ? a[2] : "");
}
TEST(RelivoPorAutomatizacion, ValoresIniciales) {
    ComprobarValoresIniciales();
}
TEST(RelivoPorAutomatizacion, Notificaciones) {
    ComprobarNotificaciones();
}
TEST(RelivoPorAutomatizacion, Continuar) {
    ComprobarContinuar();
}
TEST(RelivoPorAutomatizacion, Reentrada) {
    ComprobarReentrada();
}
TEST(RelivoPorAutomatizacion, Entrada) {
    ComprobarEntrada();
}

int main(int argc, char** argv) {
    return prueba::Principal(argc, argv, "CASOS.txt DIR_LINUX [DIR_SALIDA]", 2, 3);
}
