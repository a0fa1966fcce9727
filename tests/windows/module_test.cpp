// The module Relivo.ocx itself, each suite run by its own process
// (--gtest_filter) with its own arguments:
// - ArchivoOcx RELIVO_OCX: the file, exactly the four entry points of an
//   in-process server, the type library as resource TYPELIB 1, the four
//   GUID resources, the two toolbox bitmaps and the version block.
// - BibliotecaTipos FILE DUMP [NEW_DUMP] (FILE: Relivo.ocx or the .tlb;
//   NEW_DUMP receives this file's dump): the type library "Carvex" 11.0 as a
//   client loads it back, compared with a reviewed dump
//   (data/carvex_typelib.txt): its attributes and system ("native": the
//   file's width), its six types in order with their flags and GUIDs, the
//   index each one is found at (its own, by GUID and by name), every member
//   of the four interfaces (function-table slot, identifier, kind, argument
//   names, types and flags, return type, help string), the implemented
//   interfaces with the library they come from (IDispatch from stdole2) and
//   the dual interfaces' function-table sides with their GUID. The dump does
//   not depend on the width. It shows what arrange_typelib.pl rewrites in
//   the file the IDL compiler made (the types in the wanted order, every
//   reference following, the non-extensible flag of the event interfaces).
// - Registro presente|ausente RELIVO_OCX REGISTRO.tsv: what DllRegisterServer
//   writes (regsvr32 Relivo.ocx) and what DllUnregisterServer removes
//   (regsvr32 /u), as data/registro.tsv lists it: the two classes with their
//   ProgIDs, in-process server, apartment model, control flag, toolbox
//   image, miscellaneous status, type library and version; the type library
//   itself with locale 0, and its four interfaces. OLE reads the classes and
//   the library back through its own functions.
// - VidaDelModulo RELIVO_OCX (registered): DllCanUnloadNow answers S_OK
//   only while no object, no reference to a class factory and no
//   LockServer lock is alive, refused creations included (container_test
//   checks what a host that frees its unused libraries sees).
// - SinPantalla (registered, run without an X display: no window station to
//   draw on): Evaluar, which draws nothing, works; the creation of a Relivo
//   fails at once with an error that says why, not with 7 "Memoria
//   insuficiente", and nothing crashes.
//
//   module_test --gtest_filter=SUITE.* ARGUMENTS
#include <algorithm>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "tests/windows/support.h"

namespace {

using prueba::ComPtr;

std::vector<std::string> Exportaciones(HMODULE m) {
    auto* base = reinterpret_cast<const BYTE*>(m);
    auto* dos = reinterpret_cast<const IMAGE_DOS_HEADER*>(base);
    auto* nt = reinterpret_cast<const IMAGE_NT_HEADERS*>(base + dos->e_lfanew);
    const IMAGE_DATA_DIRECTORY& d = nt->OptionalHeader.DataDirectory[IMAGE_DIRECTORY_ENTRY_EXPORT];
    std::vector<std::string> r;
    if (d.VirtualAddress == 0) return r;
    auto* e = reinterpret_cast<const IMAGE_EXPORT_DIRECTORY*>(base + d.VirtualAddress);
    auto* nombres = reinterpret_cast<const DWORD*>(base + e->AddressOfNames);
    for (DWORD i = 0; i < e->NumberOfNames; ++i) {
        r.emplace_back(reinterpret_cast<const char*>(base + nombres[i]));
    }
    EXPECT_TRUE(e->NumberOfFunctions == e->NumberOfNames)
        << "sin exportaciones por ordinal solamente";
    return r;
}

std::vector<BYTE> Recurso(HMODULE m, const wchar_t* nombre, const wchar_t* tipo) {
    HRSRC r = FindResourceW(m, nombre, tipo);
    if (!r) return {};
    HGLOBAL g = LoadResource(m, r);
    const auto* p = static_cast<const BYTE*>(LockResource(g));
    return std::vector<BYTE>(p, p + SizeofResource(m, r));
}

void Guid(HMODULE m, const wchar_t* nombre, const wchar_t* esperado) {
    const std::string d = prueba::Utf8(nombre);
    const std::vector<BYTE> datos = Recurso(m, nombre, L"CUSTOM");
    ASSERT_EQ(datos.size(), size_t{20}) << d + ": tamaño";
    DWORD longitud = 0;
    memcpy(&longitud, datos.data(), 4);
    EXPECT_EQ(longitud, DWORD{16}) << d + ": longitud";
    GUID g{};
    memcpy(&g, datos.data() + 4, 16);
    wchar_t texto[40];
    StringFromGUID2(g, texto, 40);
    EXPECT_EQ(std::wstring(texto), std::wstring(esperado)) << d + ": GUID";
}

void MapaDeBits(HMODULE m, int id, int bits) {
    const std::string d = "mapa de bits " + std::to_string(id);
    const std::vector<BYTE> datos = Recurso(m, MAKEINTRESOURCEW(id), MAKEINTRESOURCEW(2));
    ASSERT_TRUE(datos.size() >= sizeof(BITMAPINFOHEADER)) << d + ": existe";
    BITMAPINFOHEADER h{};
    memcpy(&h, datos.data(), sizeof(h));
    EXPECT_EQ(h.biWidth, 16L) << d + ": ancho";
    EXPECT_EQ(h.biHeight, 15L) << d + ": alto";
    EXPECT_EQ(h.biBitCount, static_cast<WORD>(bits)) << d + ": bits por píxel";
}

std::wstring Cadena(const std::vector<BYTE>& info, const wchar_t* nombre) {
    void* p = nullptr;
    UINT n = 0;
    const std::wstring ruta = std::wstring(L"\\StringFileInfo\\040A04B0\\") + nombre;
    if (!VerQueryValueW(info.data(), ruta.c_str(), &p, &n)) return L"(ninguno)";
    return std::wstring(static_cast<const wchar_t*>(p), n > 0 ? n - 1 : 0);
}

TEST(ArchivoOcx, ExportacionesRecursosYVersion) {
    const std::wstring ruta = prueba::Utf16(prueba::Argumentos()[0]);

    // Entry points, from the image as the loader maps it (DllMain not run).
    HMODULE imagen = LoadLibraryExW(ruta.c_str(), nullptr, DONT_RESOLVE_DLL_REFERENCES);
    if (RELIVO_CUMPLE(imagen != nullptr, "cargar la imagen")) {
        std::vector<std::string> e = Exportaciones(imagen);
        std::sort(e.begin(), e.end());
        const std::vector<std::string> esperadas{"DllCanUnloadNow", "DllGetClassObject",
                                                 "DllRegisterServer", "DllUnregisterServer"};
        EXPECT_EQ(e.size(), esperadas.size()) << "cuatro exportaciones";
        EXPECT_TRUE(e == esperadas) << "las cuatro exportaciones del servidor";
        FreeLibrary(imagen);
    }

    HMODULE m = LoadLibraryExW(ruta.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
    if (RELIVO_CUMPLE(m != nullptr, "cargar los recursos")) {
        const std::vector<BYTE> tlb = Recurso(m, MAKEINTRESOURCEW(1), L"TYPELIB");
        EXPECT_TRUE(tlb.size() > 4 && memcmp(tlb.data(), "MSFT", 4) == 0) << "TYPELIB 1";
        for (const auto& [nombre, guid] :
             {std::pair{L"_IID_RELIVO", L"{B887F451-6F6A-4B78-933A-AEB66B87172F}"},
              {L"_IID_EVALUAR", L"{1A6CCDD0-25B6-41CB-8B24-297A077FB0F6}"},
              {L"_SRCIID_RELIVO", L"{74CCF3FD-9962-487A-BC37-C8BFDD718B9F}"},
              {L"_SRCIID_EVALUAR", L"{CFFEF613-EA53-41A5-BB2C-A801B84A54EB}"}}) {
            Guid(m, nombre, guid);
        }
        MapaDeBits(m, 30000, 4);
        MapaDeBits(m, 30001, 24);
        FreeLibrary(m);
    }

    // The version block.
    DWORD h = 0;
    const DWORD n = GetFileVersionInfoSizeW(ruta.c_str(), &h);
    std::vector<BYTE> info(n);
    if (RELIVO_CUMPLE(n > 0 && GetFileVersionInfoW(ruta.c_str(), 0, n, info.data()), "versión")) {
        VS_FIXEDFILEINFO* fijo = nullptr;
        UINT k = 0;
        if (RELIVO_CUMPLE(VerQueryValueW(info.data(), L"\\", reinterpret_cast<void**>(&fijo), &k),
                          "versión binaria")) {
            const DWORD v[] = {fijo->dwFileVersionMS, fijo->dwFileVersionLS,
                               fijo->dwProductVersionMS, fijo->dwProductVersionLS};
            EXPECT_TRUE(v[0] == 0x10000 && v[1] == 0 && v[2] == 0x10000 && v[3] == 0)
                << "FileVersion y ProductVersion 1.0.0.0";
        }
        WORD* traduccion = nullptr;
        if (RELIVO_CUMPLE(VerQueryValueW(info.data(), L"\\VarFileInfo\\Translation",
                                         reinterpret_cast<void**>(&traduccion), &k) &&
                              k >= 4,
                          "traducción")) {
            EXPECT_EQ(traduccion[0], WORD{0x040A}) << "idioma español";
            EXPECT_EQ(traduccion[1], WORD{1200}) << "página de códigos 1200";
        }
        for (const auto& [nombre, valor] : {std::pair{L"FileVersion", L"1.00"},
                                            {L"ProductVersion", L"1.00"},
                                            {L"InternalName", L"Relivo"},
                                            {L"OriginalFilename", L"Relivo.ocx"}}) {
            EXPECT_EQ(Cadena(info, nombre), std::wstring(valor)) << prueba::Utf8(nombre);
        }
        EXPECT_TRUE(Cadena(info, L"OLESelfRegister") != L"(ninguno)") << "OLESelfRegister";
    }
}

using Obtener = HRESULT(WINAPI*)(REFCLSID, REFIID, void**);
using Descargable = HRESULT(WINAPI*)();

CLSID Clase(const wchar_t* progId) {
    CLSID c = CLSID_NULL;
    CLSIDFromProgID(progId, &c);
    return c;
}

// DllCanUnloadNow step by step, on the file loaded by its path; the class
// factories refuse what they do not make.
TEST(VidaDelModulo, Cuentas) {
    const std::wstring ruta = prueba::Utf16(prueba::Argumentos()[0]);
    HMODULE m = LoadLibraryW(ruta.c_str());
    ASSERT_TRUE(m != nullptr) << "cargar Relivo.ocx";
    auto obtener =
        reinterpret_cast<Obtener>(reinterpret_cast<void*>(GetProcAddress(m, "DllGetClassObject")));
    auto descargable = reinterpret_cast<Descargable>(
        reinterpret_cast<void*>(GetProcAddress(m, "DllCanUnloadNow")));
    ASSERT_TRUE(obtener && descargable) << "puntos de entrada";
    EXPECT_EQ(descargable(), S_OK) << "al cargar: nada vivo";
    void* p = nullptr;
    EXPECT_EQ(obtener(IID_IDispatch, IID_IClassFactory, &p), CLASS_E_CLASSNOTAVAILABLE)
        << "DllGetClassObject de otra clase";

    for (const wchar_t* progId : {L"Carvex.Evaluar", L"Carvex.Relivo"}) {
        const std::string que = prueba::Utf8(progId);
        ComPtr<IClassFactory> f;
        if (!RELIVO_CUMPLE(SUCCEEDED(obtener(Clase(progId), IID_PPV_ARGS(&f))),
                           que + ": DllGetClassObject")) {
            continue;
        }
        EXPECT_EQ(descargable(), S_FALSE) << que + ": con la fábrica en la mano";
        ComPtr<IUnknown> otra;
        f.As(&otra);
        ComPtr<IClassFactory>(f).Reset();  // one more reference, and let go
        otra.Reset();
        EXPECT_EQ(descargable(), S_FALSE) << que + ": tras soltar las referencias añadidas";
        EXPECT_EQ(f->LockServer(TRUE), S_OK) << que + ": LockServer(TRUE)";
        f.Reset();
        EXPECT_EQ(descargable(), S_FALSE) << que + ": fábrica suelta, servidor bloqueado";
        obtener(Clase(progId), IID_PPV_ARGS(&f));
        f->LockServer(FALSE);
        EXPECT_EQ(descargable(), S_FALSE) << que + ": desbloqueado, fábrica en la mano";
        ComPtr<IUnknown> objeto;
        prueba::DelAnfitrion<IUnknown, IID_IUnknown> externo;
        EXPECT_EQ(f->CreateInstance(&externo, IID_PPV_ARGS(&objeto)), CLASS_E_NOAGGREGATION)
            << que + ": sin agregación";
        EXPECT_EQ(f->CreateInstance(nullptr, IID_IClassFactory, &objeto), E_NOINTERFACE)
            << que + ": una interfaz que no tiene";
        EXPECT_EQ(f->CreateInstance(nullptr, IID_PPV_ARGS(&objeto)), S_OK)
            << que + ": CreateInstance";
        f.Reset();
        EXPECT_EQ(descargable(), S_FALSE) << que + ": fábrica suelta, objeto vivo";
        objeto.Reset();
        EXPECT_EQ(descargable(), S_OK) << que + ": nada vivo";
    }
    FreeLibrary(m);
}

// The error information the failed creation left.
std::wstring Descripcion() {
    Microsoft::WRL::ComPtr<IErrorInfo> info;
    std::wstring texto;
    if (GetErrorInfo(0, &info) == S_OK && info) {
        BSTR d = nullptr;
        if (SUCCEEDED(info->GetDescription(&d)) && d) texto = d;
        SysFreeString(d);
    }
    return texto;
}

TEST(SinPantalla, EvaluarSeCreaRelivoNo) {
    prueba::Despacho ev = prueba::Despacho::Crear(L"Carvex.Evaluar");
    if (RELIVO_CUMPLE(static_cast<bool>(ev), "Evaluar se crea sin pantalla")) {
        ev.Put(L"Funcion", prueba::V(L"6*7"));
        EXPECT_EQ(ev.Get(L"Resultado").valor.Doble(), 42.0) << "Evaluar calcula sin pantalla";
    }
    CLSID clsid = CLSID_NULL;
    CLSIDFromProgID(L"Carvex.Relivo", &clsid);
    Microsoft::WRL::ComPtr<IClassFactory> f;
    if (RELIVO_CUMPLE(
            SUCCEEDED(CoGetClassObject(clsid, CLSCTX_INPROC_SERVER, nullptr, IID_PPV_ARGS(&f))),
            "fábrica de Relivo")) {
        Microsoft::WRL::ComPtr<IUnknown> r;
        SetErrorInfo(0, nullptr);
        const HRESULT hr = f->CreateInstance(nullptr, IID_PPV_ARGS(&r));
        const std::wstring texto = Descripcion();
        std::printf("CreateInstance de Relivo: 0x%08lX \"%s\"\n", static_cast<unsigned long>(hr),
                    prueba::Utf8(texto).c_str());
        EXPECT_TRUE(FAILED(hr) && r == nullptr) << "sin pantalla, Relivo no se crea";
        EXPECT_TRUE(hr != E_OUTOFMEMORY && hr != static_cast<HRESULT>(0x800A0007))
            << "el fallo no es falta de memoria";
        EXPECT_EQ(hr, HRESULT_FROM_WIN32(ERROR_REQUIRES_INTERACTIVE_WINDOWSTATION))
            << "sin estación de ventanas interactiva";
        EXPECT_EQ(texto, std::wstring(L"No hay una estaci\u00f3n de ventanas interactiva en la que "
                                      L"dibujar: el control Relivo necesita un escritorio."))
            << "el texto del fallo";
    }
}

using prueba::DeBstr;

std::string Guid(const GUID& g) {
    wchar_t t[40];
    StringFromGUID2(g, t, 40);
    return prueba::Utf8(t);
}

std::string Nombre(ITypeInfo* ti, MEMBERID id = MEMBERID_NIL, std::string* ayuda = nullptr) {
    BSTR n = nullptr, a = nullptr;
    ti->GetDocumentation(id, &n, &a, nullptr, nullptr);
    std::string r = DeBstr(n);
    if (ayuda) *ayuda = DeBstr(a);
    SysFreeString(n);
    SysFreeString(a);
    return r;
}

struct Atributos {
    ITypeInfo* ti;
    TYPEATTR* a = nullptr;
    explicit Atributos(ITypeInfo* t) : ti(t) { ti->GetTypeAttr(&a); }
    ~Atributos() { ti->ReleaseTypeAttr(a); }
    TYPEATTR* operator->() const { return a; }
};

// The library a type is in, and its index there.
ComPtr<ITypeLib> Biblioteca(ITypeInfo* ti, UINT& indice) {
    ComPtr<ITypeLib> tl;
    indice = 99;
    if (ti) ti->GetContainingTypeLib(&tl, &indice);
    return tl;
}

ComPtr<ITypeInfo> Implementada(ITypeInfo* ti, int k) {
    HREFTYPE h = 0;
    ComPtr<ITypeInfo> r;
    if (SUCCEEDED(ti->GetRefTypeOfImplType(static_cast<UINT>(k), &h))) ti->GetRefTypeInfo(h, &r);
    return r;
}

std::string TextoTipo(ITypeInfo* ti, const TYPEDESC& t) {
    static const std::map<VARTYPE, const char*> kNombres = {
        {VT_I2, "short"},          {VT_I4, "long"},
        {VT_R4, "float"},          {VT_R8, "double"},
        {VT_BSTR, "BSTR"},         {VT_BOOL, "VARIANT_BOOL"},
        {VT_VARIANT, "VARIANT"},   {VT_DISPATCH, "IDispatch*"},
        {VT_UNKNOWN, "IUnknown*"}, {VT_HRESULT, "HRESULT"},
        {VT_VOID, "void"},         {VT_UI1, "unsigned char"}};
    if (t.vt == VT_PTR) return TextoTipo(ti, *t.lptdesc) + "*";
    if (t.vt != VT_USERDEFINED) {
        return kNombres.contains(t.vt) ? kNombres.at(t.vt) : "vt" + std::to_string(t.vt);
    }
    ComPtr<ITypeInfo> ref;
    UINT i = 0;
    ti->GetRefTypeInfo(t.hreftype, &ref);
    ComPtr<ITypeLib> tl = Biblioteca(ref.Get(), i);
    BSTR biblioteca = nullptr;
    if (!tl) return "?";
    tl->GetDocumentation(-1, &biblioteca, nullptr, nullptr, nullptr);
    const std::string r = DeBstr(biblioteca) + "." + Nombre(ref.Get());
    SysFreeString(biblioteca);
    return r;
}

template <typename T>
std::string Banderas(T valor, std::initializer_list<std::pair<T, const char*>> nombres) {
    std::string r;
    for (const auto& [b, n] : nombres) {
        if (valor & b) r += (r.empty() ? "" : "|") + std::string(n);
        valor = static_cast<T>(valor & ~b);
    }
    if (valor != 0) r += (r.empty() ? "" : "|") + std::to_string(valor);
    return r.empty() ? "0" : r;
}

std::string BanderasTipo(WORD f) {
    return Banderas<WORD>(f, {{TYPEFLAG_FAPPOBJECT, "appobject"},
                              {TYPEFLAG_FCANCREATE, "cancreate"},
                              {TYPEFLAG_FLICENSED, "licensed"},
                              {TYPEFLAG_FHIDDEN, "hidden"},
                              {TYPEFLAG_FCONTROL, "control"},
                              {TYPEFLAG_FDUAL, "dual"},
                              {TYPEFLAG_FNONEXTENSIBLE, "nonextensible"},
                              {TYPEFLAG_FOLEAUTOMATION, "oleautomation"},
                              {TYPEFLAG_FRESTRICTED, "restricted"},
                              {TYPEFLAG_FDISPATCHABLE, "dispatchable"}});
}

const char* Clase(TYPEKIND k) {
    return k == TKIND_DISPATCH    ? "dispatch"
           : k == TKIND_INTERFACE ? "interface"
           : k == TKIND_COCLASS   ? "coclass"
                                  : "other";
}

// One member: slot (virtual functions) or "dispatch", identifier, kind,
// name, arguments, return type, flags and help string. A get and its put
// share an identifier, and names are looked up by identifier: argument
// names are those of the member itself only for methods and gets.
void VolcarMiembro(std::ostream& o, ITypeInfo* ti, UINT i) {
    FUNCDESC* fd = nullptr;
    if (FAILED(ti->GetFuncDesc(i, &fd))) {
        o << "  member " << i << ": no description\n";
        return;
    }
    BSTR nombres[16] = {};
    UINT n = 0;
    ti->GetNames(fd->memid, nombres, 16, &n);
    const bool con_nombres = fd->invkind == INVOKE_FUNC || fd->invkind == INVOKE_PROPERTYGET;
    const INVOKEKIND k = fd->invkind;
    char id[16];
    std::snprintf(id, sizeof id, "0x%08lX", static_cast<unsigned long>(fd->memid));
    o << "  "
      << (fd->funckind == FUNC_PUREVIRTUAL
              ? "slot " + std::to_string(fd->oVft / static_cast<int>(sizeof(void*)))
          : fd->funckind == FUNC_DISPATCH ? "dispatch"
                                          : "funckind " + std::to_string(fd->funckind))
      << " id " << id << " "
      << (k == INVOKE_PROPERTYGET      ? "get"
          : k == INVOKE_PROPERTYPUT    ? "put"
          : k == INVOKE_PROPERTYPUTREF ? "putref"
                                       : "method")
      << " " << (n ? DeBstr(nombres[0]) : "?") << "(";
    for (SHORT a = 0; a < fd->cParams; ++a) {
        const ELEMDESC& ed = fd->lprgelemdescParam[a];
        o << (a ? ", " : "") << TextoTipo(ti, ed.tdesc);
        if (con_nombres) o << " " << (a + 1u < n ? DeBstr(nombres[a + 1]) : "?");
        o << " ["
          << Banderas<USHORT>(ed.paramdesc.wParamFlags, {{PARAMFLAG_FIN, "in"},
                                                         {PARAMFLAG_FOUT, "out"},
                                                         {PARAMFLAG_FRETVAL, "retval"},
                                                         {PARAMFLAG_FOPT, "optional"},
                                                         {PARAMFLAG_FHASDEFAULT, "default"},
                                                         {PARAMFLAG_FLCID, "lcid"}})
          << "]";
    }
    std::string ayuda;
    Nombre(ti, fd->memid, &ayuda);
    o << ") " << TextoTipo(ti, fd->elemdescFunc.tdesc) << " optional " << fd->cParamsOpt
      << " flags " << fd->wFuncFlags << " help \"" << ayuda << "\"\n";
    for (UINT j = 0; j < n; ++j) SysFreeString(nombres[j]);
    ti->ReleaseFuncDesc(fd);
}

// The implemented (or inherited) interfaces of a type, with the GUID of the
// library each one comes from.
void VolcarImplementadas(std::ostream& o, ITypeInfo* ti, WORD cuantas) {
    for (int k = 0; k < cuantas; ++k) {
        INT banderas = 0;
        ti->GetImplTypeFlags(static_cast<UINT>(k), &banderas);
        ComPtr<ITypeInfo> r = Implementada(ti, k);
        UINT i = 0;
        ComPtr<ITypeLib> tl = Biblioteca(r.Get(), i);
        TLIBATTR* la = nullptr;
        if (tl) tl->GetLibAttr(&la);
        o << "  implements " << (r ? Nombre(r.Get()) + " " + Guid(Atributos(r.Get())->guid) : "?")
          << " from " << (la ? Guid(la->guid) : "?") << " flags "
          << Banderas<INT>(banderas, {{IMPLTYPEFLAG_FDEFAULT, "default"},
                                      {IMPLTYPEFLAG_FSOURCE, "source"},
                                      {IMPLTYPEFLAG_FRESTRICTED, "restricted"}})
          << "\n";
        if (la) tl->ReleaseTLibAttr(la);
    }
}

// The whole library as stable text. Members of a dual interface are those
// of its function-table side, with their slots.
std::string Volcado(ITypeLib* tl) {
    std::ostringstream o;
    TLIBATTR* la = nullptr;
    tl->GetLibAttr(&la);
    BSTR nombre = nullptr, ayuda = nullptr;
    tl->GetDocumentation(-1, &nombre, &ayuda, nullptr, nullptr);
    const SYSKIND nativo = sizeof(void*) == 8 ? SYS_WIN64 : SYS_WIN32;
    o << "library " << DeBstr(nombre) << " " << Guid(la->guid) << " version " << la->wMajorVerNum
      << "." << la->wMinorVerNum << " lcid " << la->lcid << " flags " << la->wLibFlags << " sys "
      << (la->syskind == nativo ? "native" : std::to_string(la->syskind)) << " help \""
      << DeBstr(ayuda) << "\"\n";
    SysFreeString(nombre);
    SysFreeString(ayuda);
    tl->ReleaseTLibAttr(la);
    for (UINT i = 0; i < tl->GetTypeInfoCount(); ++i) {
        ComPtr<ITypeInfo> ti, por_guid, por_nombre;
        tl->GetTypeInfo(i, &ti);
        std::string texto;
        const std::string n = Nombre(ti.Get(), MEMBERID_NIL, &texto);
        const Atributos a(ti.Get());
        std::wstring w = prueba::Utf16(n);
        MEMBERID id = 0;
        USHORT cuantos = 1;
        tl->GetTypeInfoOfGuid(a->guid, &por_guid);
        tl->FindName(w.data(), 0, por_nombre.GetAddressOf(), &id, &cuantos);
        UINT propio, g, m;
        Biblioteca(ti.Get(), propio), Biblioteca(por_guid.Get(), g);
        Biblioteca(cuantos == 1 ? por_nombre.Get() : nullptr, m);
        o << "type " << i << " " << n << " " << Clase(a->typekind) << " " << Guid(a->guid)
          << " flags " << BanderasTipo(a->wTypeFlags) << " version " << a->wMajorVerNum << "."
          << a->wMinorVerNum << " found at " << propio << " " << g << " " << m << " help \""
          << texto << "\"\n";
        VolcarImplementadas(o, ti.Get(), a->cImplTypes);
        ComPtr<ITypeInfo> miembros = ti;
        if (a->typekind == TKIND_DISPATCH && (a->wTypeFlags & TYPEFLAG_FDUAL)) {
            miembros = Implementada(ti.Get(), -1);
            if (!miembros) {
                o << "  no function-table side\n";
                continue;
            }
            const Atributos v(miembros.Get());
            o << "  " << Clase(v->typekind) << " side " << Guid(v->guid) << " flags "
              << BanderasTipo(v->wTypeFlags) << " slots "
              << v->cbSizeVft / static_cast<int>(sizeof(void*)) << "\n";
            VolcarImplementadas(o, miembros.Get(), v->cImplTypes);
        }
        const Atributos am(miembros.Get());
        for (UINT f = 0; f < am->cFuncs; ++f) VolcarMiembro(o, miembros.Get(), f);
    }
    return o.str();
}

std::vector<std::string> Lineas(const std::string& texto) {
    std::vector<std::string> r;
    std::istringstream s(texto);
    for (std::string l; std::getline(s, l);) r.push_back(l);
    return r;
}

TEST(BibliotecaTipos, IgualAlVolcadoRevisado) {
    ComPtr<ITypeLib> tl;
    ASSERT_EQ(LoadTypeLibEx(prueba::Utf16(prueba::Argumentos()[0]).c_str(), REGKIND_NONE, &tl),
              S_OK);
    const std::string volcado = Volcado(tl.Get());
    if (prueba::Argumentos().size() > 2) {
        std::ofstream(prueba::Argumentos()[2], std::ios::binary) << volcado;
    }
    const std::vector<std::string> esperado = Lineas(prueba::LeerTexto(prueba::Argumentos()[1]));
    const std::vector<std::string> obtenido = Lineas(volcado);
    for (size_t i = 0; i < std::max(esperado.size(), obtenido.size()); ++i) {
        ASSERT_EQ(i < obtenido.size() ? obtenido[i] : "(end)",
                  i < esperado.size() ? esperado[i] : "(end)")
            << "line " << i + 1 << " of the dump";
    }
}

struct Linea {
    std::wstring clave, nombre, esperado;
    bool raiz;
};

std::vector<Linea> Leer(const std::string& ruta) {
    std::vector<Linea> r;
    std::wistringstream s(prueba::Utf16(prueba::LeerTexto(ruta)));
    for (std::wstring l; std::getline(s, l);) {
        if (l.empty() || l[0] == L'#') continue;
        std::vector<std::wstring> c;
        for (size_t i = 0, t; i <= l.size(); i = t + 1) {
            t = std::min(l.find(L'\t', i), l.size());
            c.push_back(l.substr(i, t - i));
        }
        if (c.size() < 3) ADD_FAILURE() << prueba::Utf8(l);
        if (c.size() >= 3) r.push_back({c[0], c[1], c[2], c.size() > 3 && c[3] == L"raiz"});
    }
    return r;
}

bool Existe(const std::wstring& clave) {
    HKEY h = nullptr;
    if (RegOpenKeyExW(HKEY_CLASSES_ROOT, clave.c_str(), 0, KEY_READ, &h) != ERROR_SUCCESS) {
        return false;
    }
    RegCloseKey(h);
    return true;
}

// A text value (`nombre` "-": the default one) of a key, or "(ninguno)".
std::wstring Valor(const std::wstring& clave, const std::wstring& nombre) {
    wchar_t buf[1024] = {};
    DWORD n = sizeof(buf) - sizeof(wchar_t), tipo = 0;
    const LONG r =
        RegGetValueW(HKEY_CLASSES_ROOT, clave.c_str(), nombre == L"-" ? nullptr : nombre.c_str(),
                     RRF_RT_ANY, &tipo, buf, &n);
    return r == ERROR_SUCCESS && tipo == REG_SZ ? buf : L"(ninguno)";
}

std::wstring Sustituir(std::wstring t, const std::wstring& marca, const std::wstring& valor) {
    const size_t p = t.find(marca);
    return p == std::wstring::npos ? t : t.replace(p, marca.size(), valor);
}

std::wstring Minusculas(std::wstring s) {
    CharLowerBuffW(s.data(), static_cast<DWORD>(s.size()));
    return s;
}

TEST(Registro, ComoSeEspera) {
    const bool presente = prueba::Argumentos()[0] == "presente";
    const std::wstring ruta = prueba::Utf16(prueba::Argumentos()[1]);
    const std::vector<Linea> lineas = Leer(prueba::Argumentos()[2]);
    ASSERT_FALSE(lineas.empty());
    GUID libid{};
    for (const Linea& l : lineas) {
        const std::string que = prueba::Utf8(l.clave + L" " + l.nombre);
        if (l.clave.starts_with(L"TypeLib\\") && l.raiz)
            CLSIDFromString(l.clave.c_str() + 8, &libid);
        if (!presente) {
            EXPECT_TRUE(!l.raiz || !Existe(l.clave)) << que + ": borrada";
            continue;
        }
        const std::wstring clave =
            Sustituir(l.clave, L"{sistema}", sizeof(void*) == 8 ? L"win64" : L"win32");
        if (l.esperado == L"(existe)" || l.esperado == L"(no existe)") {
            EXPECT_EQ(Existe(clave), l.esperado == L"(existe)") << que;
        } else if (l.esperado.find(L"{ruta}") != std::wstring::npos) {
            EXPECT_EQ(Minusculas(Valor(clave, l.nombre)),
                      Minusculas(Sustituir(l.esperado, L"{ruta}", ruta)))
                << que;
        } else {
            EXPECT_EQ(Valor(clave, l.nombre), l.esperado) << que;
        }
        // OLE reads the class of a ProgID and its status from these keys.
        if (!clave.ends_with(L"\\CLSID")) continue;
        CLSID clsid{};
        DWORD estado = 0;
        EXPECT_TRUE(SUCCEEDED(CLSIDFromProgID(clave.substr(0, clave.size() - 6).c_str(), &clsid)))
            << que + ": CLSIDFromProgID";
        EXPECT_TRUE(SUCCEEDED(OleRegGetMiscStatus(clsid, DVASPECT_CONTENT, &estado))) << que;
        EXPECT_EQ(std::to_wstring(estado),
                  Valor(L"CLSID\\" + l.esperado + L"\\MiscStatus\\1", L"-"))
            << que + ": estado leído por OLE";
    }
    prueba::ComPtr<ITypeLib> t;
    EXPECT_EQ(SUCCEEDED(LoadRegTypeLib(libid, 11, 0, 0, &t)), presente) << "LoadRegTypeLib";
}

}  // namespace

int main(int argc, char** argv) {
    return prueba::Principal(argc, argv, "ARGUMENTOS DE LA SUITE", 0, 3);
}
