// Both controls on a visible form of a minimal container: sited, activated in
// place, resized, drawn (IViewObject::Draw and the screen) and compared with
// the Linux build's picture, saved to and loaded from a property bag and a
// stream (broken documents refused), in design mode, with frozen events, a
// pop-up menu; then the component is unloaded once nothing holds it.
//
//   container_test DATA_DIR LINUX_DIR

#include "tests/windows/support.h"

namespace {

using prueba::ComPtr;
using prueba::Despacho;
using prueba::Sumidero;
using prueba::V;

// The container's property bag: values by name, as they were written.
class Bolsa final : public relivo::com::ObjetoSimple<IPropertyBag, IID_IPropertyBag> {
public:
    STDMETHODIMP Read(LPCOLESTR nombre, VARIANT* v, IErrorLog*) override {
        const auto it = valores.find(nombre);
        if (it == valores.end()) return E_INVALIDARG;
        if (V_VT(v) == VT_EMPTY) return VariantCopy(v, &*it->second);
        return VariantChangeType(v, &*it->second, 0, V_VT(v));
    }
    STDMETHODIMP Write(LPCOLESTR nombre, VARIANT* v) override {
        valores.insert_or_assign(nombre, V(*v));
        return S_OK;
    }
    std::map<std::wstring, V> valores;
};

// Pop-up menus the form has owned (WM_INITMENUPOPUP).
int g_menus_mostrados = 0;

LRESULT CALLBACK ProcedimientoFormulario(HWND h, UINT msg, WPARAM wp, LPARAM lp) {
    if (msg == WM_INITMENUPOPUP) ++g_menus_mostrados;
    return DefWindowProcW(h, msg, wp, lp);
}

// Lets the form and the controls handle what is waiting.
void Bombear() {
    MSG m;
    while (PeekMessageW(&m, nullptr, 0, 0, PM_REMOVE)) TranslateMessage(&m), DispatchMessageW(&m);
}

// The visible form the controls are sited on, until Descarga closes it.
HWND Formulario() {
    static const HWND kFormulario = [] {
        WNDCLASSEXW c{};
        c.cbSize = sizeof(c);
        c.lpfnWndProc = &ProcedimientoFormulario;
        c.hInstance = GetModuleHandleW(nullptr);
        c.hbrBackground = GetSysColorBrush(COLOR_WINDOW);
        c.lpszClassName = L"RelivoPruebaFormulario";
        RegisterClassExW(&c);
        HWND f = CreateWindowExW(0, c.lpszClassName, L"Formulario",
                                 WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN | WS_VISIBLE, 0, 0, 700, 500,
                                 nullptr, nullptr, c.hInstance, nullptr);
        UpdateWindow(f);
        return f;
    }();
    return kFormulario;
}

// A control on the form and its site: created by ProgID, loaded from `bolsa`
// (or as new) and activated in place; closed and released when it goes.
class Sitio final : public IOleClientSite,
                    public IOleInPlaceSite,
                    public prueba::DelAnfitrion<>,
                    public IPropertyNotifySink,
                    public ISimpleFrameSite {
public:
    bool Crear(const wchar_t* progId, RECT pos, bool modo_usuario, IPropertyBag* bolsa = nullptr,
               IDispatch* fuente_ambiente = nullptr) {
        posicion = pos, modoUsuario = modo_usuario, fuente = fuente_ambiente;
        despacho = Despacho::Crear(progId);
        objeto = despacho.As<IOleObject>();
        if (!objeto) return false;
        objeto->GetMiscStatus(DVASPECT_CONTENT, &estadoVarios);
        const bool primero = estadoVarios & OLEMISC_SETCLIENTSITEFIRST;
        if (primero) objeto->SetClientSite(this);
        ComPtr<IPersistPropertyBag> p = despacho.As<IPersistPropertyBag>();
        if (p) cargado = bolsa ? p->Load(bolsa, nullptr) : p->InitNew();
        if (!primero) objeto->SetClientSite(this);
        prueba::Advise(objeto.Get(), IID_IPropertyNotifySink,
                       static_cast<IPropertyNotifySink*>(this), punto_, cookie_);
        return SUCCEEDED(
            objeto->DoVerb(OLEIVERB_INPLACEACTIVATE, nullptr, this, 0, Formulario(), &posicion));
    }
    void Cerrar() {
        if (punto_) punto_->Unadvise(cookie_);
        punto_.Reset();
        despacho = Despacho();
        if (objeto) objeto->Close(OLECLOSE_NOSAVE), objeto->SetClientSite(nullptr);
        objeto.Reset();
    }
    ~Sitio() { Cerrar(); }

    HWND Ventana() const {
        HWND h = nullptr;
        if (auto o = despacho.As<IOleInPlaceObject>()) o->GetWindow(&h);
        return h;
    }
    prueba::Mapa Dibujar(int ancho, int alto) const {
        return prueba::Dibujado(nullptr, ancho, alto, [&](HDC dc, HDC) {
            const RECTL limites{0, 0, ancho, alto};
            return SUCCEEDED(despacho.As<IViewObject>()->Draw(DVASPECT_CONTENT, -1, nullptr,
                                                              nullptr, nullptr, dc, &limites,
                                                              nullptr, nullptr, 0));
        });
    }

    // Lives as long as the test: references are not counted.
    STDMETHODIMP QueryInterface(REFIID riid, void** ppv) override {
        *ppv = riid == IID_IUnknown || riid == IID_IOleClientSite
                   ? static_cast<IOleClientSite*>(this)
               : riid == IID_IOleWindow || riid == IID_IOleInPlaceSite
                   ? static_cast<IOleInPlaceSite*>(this)
               : riid == IID_IDispatch           ? static_cast<IDispatch*>(this)
               : riid == IID_IPropertyNotifySink ? static_cast<IPropertyNotifySink*>(this)
               : riid == IID_ISimpleFrameSite
                   ? static_cast<void*>(static_cast<ISimpleFrameSite*>(this))
                   : nullptr;
        return *ppv ? S_OK : E_NOINTERFACE;
    }
    STDMETHODIMP_(ULONG) AddRef() override { return 2; }
    STDMETHODIMP_(ULONG) Release() override { return 1; }

    // IOleClientSite, IOleWindow, IOleInPlaceSite (no frame window: the form has no menus or
    // tool bars for the control to negotiate).
    STDMETHODIMP SaveObject() override { return S_OK; }
    STDMETHODIMP GetMoniker(DWORD, DWORD, IMoniker**) override { return E_NOTIMPL; }
    STDMETHODIMP GetContainer(IOleContainer**) override { return E_NOINTERFACE; }
    STDMETHODIMP ShowObject() override { return S_OK; }
    STDMETHODIMP OnShowWindow(BOOL) override { return S_OK; }
    STDMETHODIMP RequestNewObjectLayout() override { return E_NOTIMPL; }

    STDMETHODIMP GetWindow(HWND* h) override { return *h = Formulario(), S_OK; }
    STDMETHODIMP ContextSensitiveHelp(BOOL) override { return E_NOTIMPL; }
    STDMETHODIMP CanInPlaceActivate() override { return S_OK; }
    STDMETHODIMP OnInPlaceActivate() override { return activo = true, S_OK; }
    STDMETHODIMP OnUIActivate() override { return S_OK; }
    STDMETHODIMP GetWindowContext(IOleInPlaceFrame** marco, IOleInPlaceUIWindow** documento,
                                  LPRECT pos, LPRECT recorte, LPOLEINPLACEFRAMEINFO info) override {
        *marco = nullptr;
        *documento = nullptr;
        *pos = *recorte = posicion;
        *info = {info->cb, FALSE, Formulario(), nullptr, 0};
        return S_OK;
    }
    STDMETHODIMP Scroll(SIZE) override { return E_NOTIMPL; }
    STDMETHODIMP OnUIDeactivate(BOOL) override { return S_OK; }
    STDMETHODIMP OnInPlaceDeactivate() override { return activo = false, S_OK; }
    STDMETHODIMP DiscardUndoState() override { return S_OK; }
    STDMETHODIMP DeactivateAndUndo() override { return S_OK; }
    STDMETHODIMP OnPosRectChange(LPCRECT pos) override {
        cambiosDePosicion.push_back(posicion = *pos);
        return S_OK;
    }

    // IDispatch: the ambient properties.
    STDMETHODIMP Invoke(DISPID id, REFIID, LCID, WORD, DISPPARAMS*, VARIANT* r, EXCEPINFO*,
                        UINT*) override {
        if (r) VariantInit(r);
        if (id == DISPID_AMBIENT_USERMODE) return VariantCopy(r, &*V(modoUsuario));
        if (id == DISPID_AMBIENT_FONT && fuente) return VariantCopy(r, &*V(fuente));
        return DISP_E_MEMBERNOTFOUND;
    }

    // IPropertyNotifySink, ISimpleFrameSite.
    STDMETHODIMP OnChanged(DISPID id) override { return cambios.push_back(id), S_OK; }
    STDMETHODIMP OnRequestEdit(DISPID) override { return S_OK; }
    STDMETHODIMP PreMessageFilter(HWND, UINT, WPARAM, LPARAM, LRESULT*, DWORD* cookie) override {
        ++mensajesFiltrados;
        *cookie = 0;
        return S_OK;
    }
    STDMETHODIMP PostMessageFilter(HWND, UINT, WPARAM, LPARAM, LRESULT*, DWORD) override {
        return S_OK;
    }

    ComPtr<IOleObject> objeto;
    Despacho despacho;
    DWORD estadoVarios = 0;
    HRESULT cargado = E_FAIL;
    RECT posicion{};
    bool modoUsuario = true;
    IDispatch* fuente = nullptr;  // the ambient font (not owned)
    bool activo = false;
    int mensajesFiltrados = 0;
    std::vector<DISPID> cambios;
    std::vector<RECT> cambiosDePosicion;

private:
    ComPtr<IConnectionPoint> punto_;
    DWORD cookie_ = 0;
};

// The steps of data/contenedor.jsonl after {"control": escena}, on the
// control `c` whose events `s` records.
void Escena(const Despacho& c, Sumidero& s, const std::string& escena) {
    static const std::vector<prueba::Json> kPasos =
        prueba::LeerLineasJson(prueba::Argumentos().at(0) + "/contenedor.jsonl");
    size_t i = 0;
    while (i < kPasos.size() && kPasos[i].value("control", "") != escena) ++i;
    if (RELIVO_CUMPLE(i < kPasos.size(), "escena " + escena)) {
        prueba::Pasos(c, s).Correr(kPasos, ++i, escena);
    }
}

// Each member of `miembros` of `a` as `b` gives it.
void IgualQue(const std::function<V(const wchar_t*)>& a, const Despacho& b,
              std::initializer_list<const wchar_t*> miembros, const std::string& que) {
    for (const wchar_t* m : miembros) {
        EXPECT_EQ(a(m).Texto(), b.Get(m).valor.Texto()) << que << ": " << prueba::Utf8(m);
    }
}

TEST(Contenedor, Relivo) {
    Sitio a;
    ASSERT_TRUE(a.Crear(L"Carvex.Relivo", {10, 10, 410, 310}, true)) << "activado";
    EXPECT_EQ(a.estadoVarios, DWORD{0x38191}) << "MiscStatus de Relivo";
    EXPECT_TRUE(SUCCEEDED(a.cargado) && a.activo) << "InitNew y OnInPlaceActivate";
    HWND control = a.Ventana();
    EXPECT_TRUE(IsWindowVisible(control) && GetParent(control) == Formulario()) << "ventana";
    const Despacho& r = a.despacho;
    HWND superficie = r.Manejador<HWND>(L"hWnd");
    EXPECT_EQ(GetParent(superficie), control) << "la superficie es hija del control";
    RECT rs;
    GetWindowRect(superficie, &rs);
    EXPECT_TRUE(rs.right - rs.left == 400 && rs.bottom - rs.top == 300) << "llena el control";
    auto s = Sumidero::Crear(&r);
    Escena(r, *s.Get(), "Relivo de 400 x 300");
    a.posicion = {20, 20, 520, 370};
    EXPECT_TRUE(SUCCEEDED(r.As<IOleInPlaceObject>()->SetObjectRects(&a.posicion, &a.posicion)));
    GetWindowRect(superficie, &rs);
    EXPECT_TRUE(rs.right - rs.left == 500 && rs.bottom - rs.top == 350) << "nuevo tamaño";
    SIZEL ext{};
    a.objeto->GetExtent(DVASPECT_CONTENT, &ext);
    EXPECT_EQ(ext.cx, static_cast<LONG>(MulDiv(500, 2540, 96))) << "GetExtent sigue al tamaño";
    EXPECT_TRUE(a.mensajesFiltrados > 0) << "marco simple: el sitio filtra los mensajes";

    // The plot the Linux build drew at 500 x 350 ("contenedor_onda"): drawn
    // by IViewObject::Draw (with the border), on the screen, and its picture.
    Escena(r, *s.Get(), "Relivo de 500 x 350, la onda");
    Bombear();
    UpdateWindow(control);
    const prueba::Mapa referencia =
        prueba::LeerPpm(prueba::Argumentos().at(1) + "/contenedor_onda.ppm");
    prueba::Mapa dibujo = a.Dibujar(500, 350), interior{496, 346, {}};
    for (int i = 0; i < 496 * 346 && dibujo.ancho == 500; ++i) {
        interior.p.push_back(dibujo.En(i % 496 + 2, i / 496 + 2));
    }
    const prueba::Mapa pantalla = prueba::Dibujado(superficie, 496, 346, [](HDC dc, HDC v) {
        return BitBlt(dc, 0, 0, 496, 346, v, 0, 0, SRCCOPY) != FALSE;
    });
    EXPECT_TRUE(dibujo.ancho == 500 && dibujo.alto == 350) << "IViewObject::Draw";
    prueba::CompararConLinux(interior, referencia, "IViewObject::Draw");
    prueba::CompararConLinux(pantalla, referencia, "la ventana en la pantalla");
    prueba::CompararConLinux(prueba::LeerImagen(r), referencia, "Grafica");

    // Saved to a property bag and loaded into a new control.
    a.cambios.clear();
    Escena(r, *s.Get(), "Relivo, BackColor y FillStyle");
    EXPECT_TRUE(a.cambios == std::vector<DISPID>({0x6803001F, 0x68030016, 0x68030016}))
        << "el contenedor sabe de BackColor y FillStyle";
    ComPtr<IPersistStreamInit> flujo_persistente = r.As<IPersistStreamInit>();
    EXPECT_EQ(flujo_persistente->IsDirty(), S_OK) << "modificado tras BackColor";
    auto bolsa = prueba::Nuevo<Bolsa>();
    EXPECT_TRUE(SUCCEEDED(r.As<IPersistPropertyBag>()->Save(bolsa.Get(), TRUE, TRUE)));
    EXPECT_EQ(flujo_persistente->IsDirty(), S_FALSE) << "sin modificar tras guardar";
    const auto en_bolsa = [&](const wchar_t* p) {
        return bolsa->valores.contains(p) ? bolsa->valores.at(p) : V(L"-");
    };
    IgualQue(en_bolsa, r, {L"AnguloX", L"Funcion", L"NumeroLineasX", L"BackColor"}, "bolsa");
    EXPECT_EQ(bolsa->valores[L"NumeroLineasX"].Tipo(), VT_R8) << "NumeroLineasX como Double";
    EXPECT_TRUE(!bolsa->valores.contains(L"ZMin")) << "sin ZMin con AutoEscalaZ";
    EXPECT_TRUE(!bolsa->valores.contains(L"DrawMode")) << "DrawMode por defecto no se guarda";

    Sitio b;
    EXPECT_TRUE(b.Crear(L"Carvex.Relivo", {20, 20, 520, 370}, true, bolsa.Get()) &&
                SUCCEEDED(b.cargado))
        << "Relivo cargado de la bolsa";
    const auto de_b = [&](const wchar_t* p) { return b.despacho.Get(p).valor; };
    IgualQue(de_b, r,
             {L"Funcion", L"AnguloX", L"AnguloZ", L"XMin", L"XMax", L"YMax", L"NumeroLineasX",
              L"BackColor", L"AutoEscalaZ"},
             "de la bolsa");
    b.despacho.Llamar(L"Graficar");
    // BackColor erased the first one's picture: an angle set and set back
    // makes it draw again.
    Escena(r, *s.Get(), "Relivo, otra vez la onda");
    EXPECT_TRUE(prueba::LeerImagen(b.despacho) == prueba::LeerImagen(r))
        << "la misma gráfica tras cargar";
    b.Cerrar();

    // Saved to a stream and loaded into another control; a stream of
    // something else is refused.
    ComPtr<IStream> flujo, basura;
    CreateStreamOnHGlobal(nullptr, TRUE, &flujo);
    CreateStreamOnHGlobal(nullptr, TRUE, &basura);
    ULARGE_INTEGER maximo{};
    EXPECT_TRUE(SUCCEEDED(flujo_persistente->GetSizeMax(&maximo)) && maximo.QuadPart > 0);
    EXPECT_TRUE(SUCCEEDED(flujo_persistente->Save(flujo.Get(), TRUE))) << "Save en un flujo";
    basura->Write("no es una bolsa", 15, nullptr);
    const LARGE_INTEGER cero{};
    flujo->Seek(cero, STREAM_SEEK_SET, nullptr);
    basura->Seek(cero, STREAM_SEEK_SET, nullptr);
    Despacho c = Despacho::Crear(L"Carvex.Relivo");
    ComPtr<IPersistStreamInit> psc = c.As<IPersistStreamInit>();
    EXPECT_TRUE(SUCCEEDED(psc->Load(flujo.Get()))) << "Load de un flujo";
    IgualQue([&](const wchar_t* p) { return c.Get(p).valor; }, r, {L"Funcion", L"BackColor"},
             "flujo");
    EXPECT_TRUE(FAILED(psc->Load(basura.Get()))) << "un flujo ajeno se rechaza";
    Escena(r, *s.Get(), "Relivo, eventos congelados");
}

TEST(Contenedor, DocumentosRotos) {
    const std::pair<const wchar_t*, V> malos[] = {{L"DrawMode", V(99)},
                                                  {L"AnguloX", V(L"mucho")},
                                                  {L"BackColor", V(0x7F000000)},
                                                  {L"ScaleHeight", V(0.0)}};
    for (const auto& [clave, valor] : malos) {
        auto bolsa = prueba::Nuevo<Bolsa>();
        bolsa->valores.emplace(clave, valor);
        Sitio a;
        a.Crear(L"Carvex.Relivo", {0, 0, 200, 100}, true, bolsa.Get());
        EXPECT_TRUE(FAILED(a.cargado)) << "documento con " << prueba::Utf8(clave) << ": Load falla";
    }
}

std::string NombreDeFuente(IUnknown* fuente) {
    ComPtr<IFont> f;
    BSTR n = nullptr;
    if (fuente && SUCCEEDED(fuente->QueryInterface(IID_PPV_ARGS(&f)))) f->get_Name(&n);
    return prueba::Soltar(n);
}

TEST(Contenedor, Diseno) {
    ComPtr<IFontDisp> fuente;
    wchar_t n[] = L"Courier New";
    FONTDESC d{sizeof(d), n, {.int64 = 100000}, FW_NORMAL, DEFAULT_CHARSET, TRUE, FALSE, FALSE};
    OleCreateFontIndirect(&d, IID_PPV_ARGS(&fuente));
    auto vacia = prueba::Nuevo<Bolsa>();
    Sitio a;
    EXPECT_TRUE(a.Crear(L"Carvex.Relivo", {10, 10, 210, 160}, false, vacia.Get(), fuente.Get()))
        << "Relivo en modo de diseño";
    const Despacho& r = a.despacho;
    // The ambient font is the default of the saved font: a control with that
    // font leaves it out of the bag, with another one writes it.
    a.cambios.clear();
    r.Invocar(L"Font", DISPATCH_PROPERTYPUTREF, {V(fuente.Get())});
    EXPECT_TRUE(a.cambios == std::vector<DISPID>{DISPID_FONT}) << "el contenedor sabe de Font";
    auto guardada = prueba::Nuevo<Bolsa>();
    ComPtr<IPersistPropertyBag> pb = r.As<IPersistPropertyBag>();
    pb->Save(guardada.Get(), TRUE, TRUE);
    EXPECT_TRUE(!guardada->valores.contains(L"Font")) << "la fuente del ambiente no se guarda";
    r.Put(L"FontSize", V(20.0f));
    pb->Save(guardada.Get(), TRUE, TRUE);
    EXPECT_TRUE(guardada->valores.contains(L"Font")) << "otra fuente se guarda";
    // The control takes the font as the font object describes it (the object
    // may realise it under another name), and the one it gives out stays
    // tied to it.
    EXPECT_EQ(r.Get(L"FontName").valor.Texto(), NombreDeFuente(fuente.Get())) << "FontName";
    const ComPtr<IFont> vivo = Despacho(r.Get(L"Font").valor.Objeto()).As<IFont>();
    if (RELIVO_CUMPLE(vivo != nullptr, "Font da un objeto de fuente vivo")) {
        EXPECT_EQ(NombreDeFuente(vivo.Get()), NombreDeFuente(fuente.Get()));
        EXPECT_EQ(r.Get(L"FontItalic").valor.Booleano(), true) << "FontItalic tras Set Font";
        vivo->put_Bold(TRUE);
        vivo->put_Italic(FALSE);
    }
    auto s = Sumidero::Crear(&r);
    Escena(r, *s.Get(), "Relivo en diseño");
    a.modoUsuario = true;
    r.As<IOleControl>()->OnAmbientPropertyChange(DISPID_AMBIENT_USERMODE);
    Escena(r, *s.Get(), "Relivo en ejecución");
}

TEST(Contenedor, Evaluar) {
    for (bool ejecucion : {true, false}) {
        Sitio a;
        const std::string modo = ejecucion ? " en ejecución" : " en diseño";
        if (!RELIVO_CUMPLE(a.Crear(L"Carvex.Evaluar", {300, 10, 400, 110}, ejecucion),
                           "Evaluar activado" + modo)) {
            continue;
        }
        EXPECT_EQ(a.estadoVarios, DWORD{0x24591}) << "MiscStatus de Evaluar";
        HWND v = a.Ventana();
        EXPECT_EQ(IsWindowVisible(v) != FALSE, !ejecucion) << "visible solo en diseño" + modo;
        // Its size stays 480 twips (32 pixels).
        RECT rv;
        GetWindowRect(v, &rv);
        EXPECT_EQ(rv.right - rv.left, 32L) << "ancho de Evaluar" + modo;
        EXPECT_TRUE(!a.cambiosDePosicion.empty()) << "el contenedor sabe del tamaño fijo";
        SIZEL grande{3000, 3000}, ext{};
        a.objeto->SetExtent(DVASPECT_CONTENT, &grande);
        a.objeto->GetExtent(DVASPECT_CONTENT, &ext);
        EXPECT_TRUE(ext.cx == 847 && ext.cy == 847) << "extensión fija";
        EXPECT_EQ(a.mensajesFiltrados, 0) << "Evaluar no es un marco simple";
        auto s = Sumidero::Crear();
        Escena(a.despacho, *s.Get(), "Evaluar en su sitio");
        EXPECT_EQ(a.Dibujar(16, 15).ancho, 16) << "Evaluar se dibuja";
    }
}

// Closes the menu the control shows, from within its loop.
void CALLBACK CerrarMenu(HWND, UINT, UINT_PTR id, DWORD) {
    KillTimer(nullptr, id);
    EndMenu();
}

TEST(Contenedor, Menu) {
    Sitio a;
    ASSERT_TRUE(a.Crear(L"Carvex.Relivo", {10, 10, 210, 160}, true));
    HMENU menu = CreatePopupMenu();
    AppendMenuW(menu, MF_STRING, 101, L"Copiar");
    // A menu object of the host: its handle through its hMenu property.
    prueba::Propiedades objeto(
        {{L"hMenu", V(VT_I8, [&](VARIANT& v) { V_I8(&v) = reinterpret_cast<intptr_t>(menu); })},
         {L"Name", V(L"mnuGrafica")}});
    const int antes = g_menus_mostrados;
    SetTimer(nullptr, 0, 200, &CerrarMenu);
    EXPECT_TRUE(a.despacho.Llamar(L"PopupMenu", {V(&objeto), V(0), V(100.0f), V(100.0f)}).Bien());
    EXPECT_EQ(g_menus_mostrados, antes + 1) << "el menú se mostró, del formulario";
    DestroyMenu(menu);
}

// Last: with the form gone nothing of the controls is alive, and the
// component is let go; loaded again, it registers its window classes again.
TEST(Descarga, SinNadaVivo) {
    DestroyWindow(Formulario());
    Bombear();
    CoFreeUnusedLibrariesEx(0, 0);
    EXPECT_EQ(GetModuleHandleW(L"Relivo.ocx"), nullptr) << "descargado sin objetos";
    Despacho r = Despacho::Crear(L"Carvex.Relivo");
    ASSERT_TRUE(static_cast<bool>(r) && IsWindow(r.Manejador<HWND>(L"hWnd"))) << "cargado de nuevo";
    auto s = Sumidero::Crear();
    Escena(r, *s.Get(), "Relivo cargado de nuevo");
}

}  // namespace

int main(int argc, char** argv) {
    return prueba::Principal(argc, argv, true);
}
