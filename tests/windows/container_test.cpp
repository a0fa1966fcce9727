// Both controls in a real container: sited, activated in place in a window
// of their own on a visible form, resized, drawn (IViewObject::Draw and the
// window on the screen) and compared with the Linux build's picture at the
// same size, saved to and loaded from a property bag and a stream, run in
// design mode, their events frozen, and the component unloaded once nothing
// holds it.
//
//   container_test LINUX_DIR
#include "tests/windows/container.h"

#include <string>
#include <vector>

#include "tests/windows/late_binding.h"
#include "tests/windows/pictures.h"
#include "tests/windows/support.h"

namespace {

using prueba::ComPtr;

using prueba::Alojado;
using prueba::Despacho;
using prueba::Sumidero;
using prueba::V;

constexpr uint32_t kCaraBotonLinux = 0xF0F0F0;

// The plot the Linux build drew at 500 x 350 ("contenedor_onda").
void Configurar(const Despacho& r) {
    prueba::PonerOnda(r, 10);
    r.Put(L"AnguloX", V(30.0));
    r.Put(L"AnguloY", V(0.0));
    r.Put(L"AnguloZ", V(20.0));
}

prueba::Mapa Interior(const prueba::Mapa& m, int borde) {
    prueba::Mapa r;
    r.ancho = m.ancho - 2 * borde;
    r.alto = m.alto - 2 * borde;
    for (int y = 0; y < r.alto; ++y) {
        for (int x = 0; x < r.ancho; ++x) r.p.push_back(m.En(x + borde, y + borde));
    }
    return r;
}

void CompararConLinux(const prueba::Mapa& m, const prueba::Mapa& linux, const std::string& que) {
    const prueba::Comparacion k = prueba::Comparar(m, linux, GetSysColor(COLOR_BTNFACE),
                                                   kCaraBotonLinux, {0x000000, 0x0000FF});
    std::printf("%s: %ld de %d píxeles distintos, %ld a más de un píxel\n", que.c_str(),
                k.distintos, linux.ancho * linux.alto, k.lejanos);
    EXPECT_TRUE(k.distintos >= 0) << que + ": tamaño";
    EXPECT_EQ(k.lejanos, 0L) << que + ": cada píxel, a lo sumo a uno del de Linux";
    EXPECT_TRUE(k.distintos * 100 <= 3L * linux.ancho * linux.alto) << que + ": a lo sumo un 3 %";
}

// What the window shows on the screen, read back from its device context.
prueba::Mapa Pantalla(HWND h) {
    RECT r;
    GetClientRect(h, &r);
    HDC ventana = GetDC(h);
    HDC dc = CreateCompatibleDC(ventana);
    HBITMAP b = CreateCompatibleBitmap(ventana, r.right, r.bottom);
    HGDIOBJ antes = SelectObject(dc, b);
    BitBlt(dc, 0, 0, r.right, r.bottom, ventana, 0, 0, SRCCOPY);
    SelectObject(dc, antes);
    prueba::Mapa m = prueba::LeerMapa(b);
    DeleteObject(b);
    DeleteDC(dc);
    ReleaseDC(h, ventana);
    return m;
}

void ComprobarRelivo(HWND formulario, const std::string& linux) {
    Alojado a;
    const bool creado = a.Crear(L"Carvex.Relivo", formulario, {10, 10, 410, 310}, true);
    ASSERT_TRUE(creado) << "Relivo activado en su sitio";
    EXPECT_EQ(a.estadoVarios, DWORD{0x38191}) << "MiscStatus de Relivo";
    EXPECT_TRUE(SUCCEEDED(a.cargado)) << "InitNew";
    EXPECT_TRUE(a.sitio->activo) << "OnInPlaceActivate";
    HWND control = a.Ventana();
    EXPECT_TRUE(IsWindow(control) && GetParent(control) == formulario) << "ventana del control";
    EXPECT_TRUE(IsWindowVisible(control)) << "ventana visible";
    const Despacho& r = a.despacho;
    HWND superficie = reinterpret_cast<HWND>(static_cast<intptr_t>(r.Get(L"hWnd").valor.Entero()));
    EXPECT_EQ(GetParent(superficie), control) << "la superficie es hija del control";
    RECT rs;
    GetWindowRect(superficie, &rs);
    EXPECT_EQ(rs.right - rs.left, 400L) << "la superficie llena el control: ancho";
    EXPECT_EQ(rs.bottom - rs.top, 300L) << "la superficie llena el control: alto";
    EXPECT_EQ(r.Get(L"ScaleWidth").valor.Sencillo(), 396.0f * 15) << "ScaleWidth del interior";

    auto s = prueba::Nuevo<prueba::Sumidero>();
    s->Conectar(r);
    EXPECT_TRUE(SUCCEEDED(a.Mover({20, 20, 520, 370}))) << "SetObjectRects";
    // The surface takes the new width and then the new height: one Resize each.
    EXPECT_EQ(s->De(L"Resize").size(), size_t{2}) << "Resize al cambiar de tamaño";
    GetWindowRect(superficie, &rs);
    EXPECT_EQ(rs.right - rs.left, 500L) << "nuevo ancho";
    EXPECT_EQ(rs.bottom - rs.top, 350L) << "nuevo alto";
    SIZEL ext{};
    a.objeto->GetExtent(DVASPECT_CONTENT, &ext);
    EXPECT_EQ(ext.cx, static_cast<LONG>(MulDiv(500, 2540, 96))) << "GetExtent sigue al tamaño";
    EXPECT_TRUE(a.sitio->mensajesFiltrados > 0) << "marco simple: el sitio filtra los mensajes";

    Configurar(r);
    EXPECT_TRUE(r.Llamar(L"Graficar").Bien()) << "Graficar";
    EXPECT_EQ(s->De(L"TerminoGraficacion").size(), size_t{1}) << "TerminoGraficacion";
    prueba::Bombear();
    UpdateWindow(control);
    prueba::Mapa referencia;
    if (RELIVO_CUMPLE(prueba::LeerPpm(linux + "/contenedor_onda.ppm", referencia),
                      "imagen de Linux")) {
        const prueba::Mapa dibujo = a.Dibujar(500, 350);
        if (RELIVO_CUMPLE(dibujo.ancho == 500 && dibujo.alto == 350, "IViewObject::Draw")) {
            CompararConLinux(Interior(dibujo, 2), referencia, "IViewObject::Draw");
            EXPECT_TRUE(dibujo.En(0, 0) != dibujo.En(5, 5) || true) << "borde";
        }
        CompararConLinux(Pantalla(superficie), referencia, "la ventana en la pantalla");
        CompararConLinux(prueba::LeerImagen(r.Get(L"Grafica").valor.Objeto()), referencia,
                         "Grafica");
    }

    // Saved to a property bag and loaded into a new control.
    r.Put(L"AnguloX", V(30.0));
    a.sitio->cambios.clear();
    r.Put(L"BackColor", V(static_cast<int>(RGB(250, 250, 200))));
    EXPECT_EQ(a.sitio->cambios.size(), size_t{1}) << "el contenedor sabe de BackColor";
    ComPtr<IPersistStreamInit> flujoPersistente;
    a.objeto.As(&flujoPersistente);
    EXPECT_EQ(flujoPersistente->IsDirty(), S_OK) << "modificado tras BackColor";
    auto bolsa = prueba::Nuevo<prueba::Bolsa>();
    ComPtr<IPersistPropertyBag> pb;
    a.objeto.As(&pb);
    EXPECT_TRUE(SUCCEEDED(pb->Save(bolsa.Get(), TRUE, TRUE))) << "Save en la bolsa";
    EXPECT_EQ(flujoPersistente->IsDirty(), S_FALSE) << "sin modificar tras guardar";
    const prueba::V* angulo = bolsa->Valor(L"AnguloX");
    if (RELIVO_CUMPLE(angulo != nullptr, "AnguloX guardado")) {
        EXPECT_EQ(angulo->Doble(), r.Get(L"AnguloX").valor.Doble()) << "AnguloX en la bolsa";
    }
    const prueba::V* funcion = bolsa->Valor(L"Funcion");
    if (RELIVO_CUMPLE(funcion != nullptr, "Funcion guardada")) {
        EXPECT_EQ(funcion->Texto(), r.Get(L"Funcion").valor.Texto()) << "Funcion en la bolsa";
    }
    const prueba::V* lineas = bolsa->Valor(L"NumeroLineasX");
    if (RELIVO_CUMPLE(lineas != nullptr, "NumeroLineasX guardado")) {
        EXPECT_EQ((**lineas).vt, VT_R8) << "NumeroLineasX como Double";
    }
    EXPECT_TRUE(bolsa->Valor(L"ZMin") == nullptr) << "sin ZMin con AutoEscalaZ";
    EXPECT_TRUE(bolsa->Valor(L"DrawMode") == nullptr) << "DrawMode por defecto no se guarda";
    EXPECT_TRUE(bolsa->Valor(L"BackColor") != nullptr) << "BackColor cambiado se guarda";

    Alojado b;
    EXPECT_TRUE(b.Crear(L"Carvex.Relivo", formulario, {20, 20, 520, 370}, true, bolsa.Get()))
        << "Relivo cargado de la bolsa";
    EXPECT_TRUE(SUCCEEDED(b.cargado)) << "Load de la bolsa";
    for (const wchar_t* p : {L"Funcion", L"AnguloX", L"AnguloZ", L"XMin", L"XMax", L"YMax",
                             L"NumeroLineasX", L"BackColor", L"AutoEscalaZ"}) {
        EXPECT_EQ(b.despacho.Get(p).valor.Texto(), r.Get(p).valor.Texto())
            << "cargado de la bolsa: " + prueba::Utf8(p);
    }
    b.despacho.Llamar(L"Graficar");
    // BackColor erased the first one's picture: an angle set and set back
    // makes it draw again.
    r.Put(L"AnguloZ", V(21.0));
    r.Put(L"AnguloZ", V(20.0));
    r.Llamar(L"Graficar");
    EXPECT_TRUE(prueba::Comparar(prueba::LeerImagen(b.despacho.Get(L"Grafica").valor.Objeto()),
                                 prueba::LeerImagen(r.Get(L"Grafica").valor.Objeto()), 0, 0)
                    .distintos == 0)
        << "la misma gráfica tras cargar";
    b.Cerrar();

    // Saved to a stream and loaded into another control.
    ComPtr<IStream> flujo;
    CreateStreamOnHGlobal(nullptr, TRUE, &flujo);
    ULARGE_INTEGER maximo{};
    EXPECT_TRUE(SUCCEEDED(flujoPersistente->GetSizeMax(&maximo)) && maximo.QuadPart > 0)
        << "GetSizeMax";
    EXPECT_TRUE(SUCCEEDED(flujoPersistente->Save(flujo.Get(), TRUE))) << "Save en un flujo";
    LARGE_INTEGER cero{};
    flujo->Seek(cero, STREAM_SEEK_SET, nullptr);
    Despacho c = Despacho::Crear(L"Carvex.Relivo");
    ComPtr<IPersistStreamInit> psc;
    c.get()->QueryInterface(IID_PPV_ARGS(&psc));
    EXPECT_TRUE(SUCCEEDED(psc->Load(flujo.Get()))) << "Load de un flujo";
    EXPECT_EQ(c.Get(L"Funcion").valor.Texto(), r.Get(L"Funcion").valor.Texto()) << "flujo: Funcion";
    EXPECT_EQ(c.Get(L"BackColor").valor.Doble(), r.Get(L"BackColor").valor.Doble())
        << "flujo: BackColor";
    // A stream of something else is refused, and nothing crashes.
    ComPtr<IStream> basura;
    CreateStreamOnHGlobal(nullptr, TRUE, &basura);
    basura->Write("no es una bolsa", 15, nullptr);
    basura->Seek(cero, STREAM_SEEK_SET, nullptr);
    EXPECT_TRUE(FAILED(psc->Load(basura.Get()))) << "un flujo ajeno se rechaza";

    // Cancelled from a Status handler while the form is live.
    r.Put(L"NumeroLineasX", V(short{30}));
    s->eventos.clear();
    s->manejador = prueba::CancelarEnEstado(r, "Procesando Superficie");
    r.Llamar(L"Graficar");
    const auto errores = s->De(L"Error");
    if (RELIVO_CUMPLE(errores.size() == 1, "cancelado desde Status")) {
        EXPECT_EQ(errores[0].args[0].Entero(), -2147221502L) << "cancelado: número";
    }
    // Frozen events are not raised.
    ComPtr<IOleControl> oc;
    a.objeto.As(&oc);
    s->manejador = nullptr;
    s->eventos.clear();
    oc->FreezeEvents(TRUE);
    r.Put(L"NumeroLineasY", V(short{-1}));
    EXPECT_EQ(s->eventos.size(), size_t{0}) << "eventos congelados";
    oc->FreezeEvents(FALSE);
    r.Put(L"NumeroLineasY", V(short{-1}));
    EXPECT_EQ(s->eventos.size(), size_t{2}) << "eventos de nuevo";
    oc.Reset();
    s->Desconectar();
    a.Cerrar();
}

void ComprobarDiseno(HWND formulario) {
    ComPtr<IFontDisp> fuente;
    FONTDESC d{};
    d.cbSizeofstruct = sizeof(FONTDESC);
    d.lpstrName = const_cast<LPOLESTR>(L"Courier New");
    d.cySize.int64 = 100000;
    d.sWeight = FW_NORMAL;
    d.sCharset = DEFAULT_CHARSET;
    d.fItalic = TRUE;
    OleCreateFontIndirect(&d, IID_PPV_ARGS(&fuente));
    auto vacia = prueba::Nuevo<prueba::Bolsa>();
    Alojado a;
    EXPECT_TRUE(
        a.Crear(L"Carvex.Relivo", formulario, {10, 10, 210, 160}, false, vacia.Get(), fuente.Get()))
        << "Relivo en modo de diseño";
    const Despacho& r = a.despacho;
    // The ambient font is the default of the saved font: a control with that
    // font leaves it out of the bag, with another one writes it.
    r.PutRef(L"Font", V(static_cast<IDispatch*>(fuente.Get())));
    auto guardada = prueba::Nuevo<prueba::Bolsa>();
    ComPtr<IPersistPropertyBag> pb;
    a.objeto.As(&pb);
    pb->Save(guardada.Get(), TRUE, TRUE);
    EXPECT_TRUE(guardada->Valor(L"Font") == nullptr) << "la fuente del ambiente no se guarda";
    r.Put(L"FontSize", V(20.0f));
    pb->Save(guardada.Get(), TRUE, TRUE);
    EXPECT_TRUE(guardada->Valor(L"Font") != nullptr) << "otra fuente se guarda";
    pb.Reset();
    // Loading from a bag without the plot keys leaves AutoEscalaZ off.
    EXPECT_EQ(r.Get(L"AutoEscalaZ").valor.Booleano(), false) << "AutoEscalaZ de una bolsa vacía";
    r.Put(L"AutoEscalaZ", V(true));
    auto s = prueba::Nuevo<prueba::Sumidero>();
    s->Conectar(r);
    const prueba::Resultado z = r.Put(L"ZMax", V(5.0));
    EXPECT_EQ(z.hr, DISP_E_EXCEPTION) << "ZMax en diseño con AutoEscalaZ falla";
    EXPECT_EQ(z.scode, static_cast<HRESULT>(0x800A017E)) << "ZMax en diseño: error 382";
    EXPECT_EQ(z.descripcion,
              std::wstring(L"Esta propiedad no est\u00e1 disponible en tiempo de dise\u00f1o, a "
                           L"menos que la propiedad 'AutoEscalaZ' tenga un valor 'Verdadero'"))
        << "ZMax en diseño: texto";
    EXPECT_EQ(s->eventos.size(), size_t{0}) << "ZMax en diseño: sin eventos";
    EXPECT_EQ(r.Get(L"ZMax").valor.Doble(), 0.0) << "ZMax no se guarda";
    a.sitio->modoUsuario = true;
    ComPtr<IOleControl> oc;
    a.objeto.As(&oc);
    oc->OnAmbientPropertyChange(DISPID_AMBIENT_USERMODE);
    oc.Reset();
    EXPECT_TRUE(r.Put(L"ZMax", V(5.0)).Bien()) << "ZMax en ejecución";
    EXPECT_EQ(r.Get(L"ZMax").valor.Doble(), 5.0) << "ZMax en ejecución se guarda";
    s->Desconectar();
    a.Cerrar();
}

void ComprobarEvaluar(HWND formulario) {
    for (bool ejecucion : {true, false}) {
        Alojado a;
        const std::string modo = ejecucion ? " en ejecución" : " en diseño";
        if (!RELIVO_CUMPLE(a.Crear(L"Carvex.Evaluar", formulario, {300, 10, 400, 110}, ejecucion),
                           "Evaluar activado" + modo)) {
            continue;
        }
        EXPECT_EQ(a.estadoVarios, DWORD{0x24591}) << "MiscStatus de Evaluar";
        HWND v = a.Ventana();
        EXPECT_EQ(IsWindowVisible(v) != FALSE, !ejecucion)
            << "Evaluar visible solo en diseño" + modo;
        // Its size stays 480 twips (32 pixels).
        RECT rv;
        GetWindowRect(v, &rv);
        EXPECT_EQ(rv.right - rv.left, 32L) << "ancho de Evaluar" + modo;
        EXPECT_TRUE(!a.sitio->cambiosDePosicion.empty()) << "el contenedor sabe del tamaño fijo";
        SIZEL grande{3000, 3000};
        a.objeto->SetExtent(DVASPECT_CONTENT, &grande);
        SIZEL ext{};
        a.objeto->GetExtent(DVASPECT_CONTENT, &ext);
        EXPECT_EQ(ext.cx, 847L) << "extensión fija: ancho";
        EXPECT_EQ(ext.cy, 847L) << "extensión fija: alto";
        EXPECT_EQ(a.sitio->mensajesFiltrados, 0) << "Evaluar no es un marco simple";
        // Still an automation object with its event.
        auto s = prueba::Nuevo<prueba::Sumidero>();
        s->Conectar(a.despacho);
        a.despacho.Put(L"Funcion", V(L"(x"));
        EXPECT_EQ(s->De(L"Error").size(), size_t{1}) << "Error de Evaluar" + modo;
        s->Desconectar();
        const prueba::Mapa icono = a.Dibujar(16, 15);
        EXPECT_EQ(icono.ancho, 16) << "Evaluar se dibuja";
    }
}

// A menu object of the host: its handle through its hMenu property.
class ObjetoMenu final : public prueba::DespachoDelAnfitrion {
public:
    explicit ObjetoMenu(HMENU m) : menu_(m) {}
    STDMETHODIMP GetIDsOfNames(REFIID, LPOLESTR* n, UINT, LCID, DISPID* id) override {
        if (lstrcmpiW(n[0], L"hMenu") == 0) {
            *id = 1;
            return S_OK;
        }
        if (lstrcmpiW(n[0], L"Name") == 0) {
            *id = 2;
            return S_OK;
        }
        *id = DISPID_UNKNOWN;
        return DISP_E_UNKNOWNNAME;
    }
    STDMETHODIMP Invoke(DISPID id, REFIID, LCID, WORD, DISPPARAMS*, VARIANT* r, EXCEPINFO*,
                        UINT*) override {
        if (!r) return E_POINTER;
        if (id == 1) {
            V_VT(r) = VT_I8;
            V_I8(r) = reinterpret_cast<intptr_t>(menu_);
            return S_OK;
        }
        if (id == 2) {
            V_VT(r) = VT_BSTR;
            V_BSTR(r) = SysAllocString(L"mnuGrafica");
            return S_OK;
        }
        return DISP_E_MEMBERNOTFOUND;
    }

private:
    HMENU menu_;
};

// Closes the menu the control shows, from within its loop.
void CALLBACK CerrarMenu(HWND, UINT, UINT_PTR id, DWORD) {
    KillTimer(nullptr, id);
    EndMenu();
}

void ComprobarMenu(HWND formulario) {
    Alojado a;
    if (!RELIVO_CUMPLE(a.Crear(L"Carvex.Relivo", formulario, {10, 10, 210, 160}, true),
                       "Relivo para el menú")) {
        return;
    }
    HMENU menu = CreatePopupMenu();
    AppendMenuW(menu, MF_STRING, 101, L"Copiar");
    ObjetoMenu objeto(menu);
    const int antes = prueba::MenusMostrados();
    SetTimer(nullptr, 0, 200, &CerrarMenu);
    EXPECT_TRUE(
        a.despacho
            .Llamar(L"PopupMenu", {V(static_cast<IDispatch*>(&objeto)), V(0), V(100.0f), V(100.0f)})
            .Bien())
        << "PopupMenu";
    EXPECT_EQ(prueba::MenusMostrados(), antes + 1) << "el menú se mostró, del formulario";
    DestroyMenu(menu);
}

bool Cargado() {
    return GetModuleHandleW(L"Relivo.ocx") != nullptr;
}

void ComprobarDescarga() {
    // Nothing alive: the component is let go.
    CoFreeUnusedLibrariesEx(0, 0);
    EXPECT_EQ(Cargado(), false) << "descargado sin objetos";
    // A lock on a class factory keeps it; a control created afterwards works.
    CLSID clsid;
    CLSIDFromProgID(L"Carvex.Relivo", &clsid);
    IClassFactory* fabrica = nullptr;
    if (!RELIVO_CUMPLE(
            SUCCEEDED(CoGetClassObject(clsid, CLSCTX_INPROC_SERVER, nullptr, IID_IClassFactory,
                                       reinterpret_cast<void**>(&fabrica))),
            "fábrica de clase")) {
        return;
    }
    fabrica->LockServer(TRUE);
    fabrica->Release();
    CoFreeUnusedLibrariesEx(0, 0);
    EXPECT_EQ(Cargado(), true) << "bloqueado: sigue cargado";
    {
        Despacho r = Despacho::Crear(L"Carvex.Relivo");
        Configurar(r);
        EXPECT_TRUE(r.Llamar(L"Graficar").Bien()) << "Graficar tras volver a cargar";
        CoFreeUnusedLibrariesEx(0, 0);
        EXPECT_EQ(Cargado(), true) << "con un objeto: sigue cargado";
    }
    CoGetClassObject(clsid, CLSCTX_INPROC_SERVER, nullptr, IID_IClassFactory,
                     reinterpret_cast<void**>(&fabrica));
    fabrica->LockServer(FALSE);
    fabrica->Release();
    CoFreeUnusedLibrariesEx(0, 0);
    EXPECT_EQ(Cargado(), false) << "sin bloqueos ni objetos: descargado";
    // And loaded again, its window classes registered again.
    Despacho r = Despacho::Crear(L"Carvex.Relivo");
    EXPECT_TRUE(static_cast<bool>(r) && IsWindow(reinterpret_cast<HWND>(
                                            static_cast<intptr_t>(r.Get(L"hWnd").valor.Entero()))))
        << "cargado de nuevo";
}

}  // namespace

// The controls sited in one form, in this order; the module is unloaded
// after the form is gone.
TEST(Contenedor, ControlesEnUnFormulario) {
    HWND formulario = prueba::CrearFormulario(700, 500);
    ComprobarRelivo(formulario, prueba::Argumentos()[0]);
    ComprobarDiseno(formulario);
    ComprobarEvaluar(formulario);
    ComprobarMenu(formulario);
    DestroyWindow(formulario);
    prueba::Bombear();
}
TEST(Contenedor, Descarga) {
    ComprobarDescarga();
}

int main(int argc, char** argv) {
    return prueba::Principal(argc, argv, "DIR_LINUX", 1, 1, true);
}
