// The module Relivo.ocx itself, one suite a run (--gtest_filter=SUITE.*):
// - ArchivoOcx RELIVO_OCX DUMP [NEW_DUMP], BibliotecaTipos FILE DUMP
//   [NEW_DUMP]: the file (exports, resources, version) or its type library as
//   text, compared with a reviewed dump (data/relivo_ocx.txt,
//   data/carvex_typelib.txt); NEW_DUMP receives this file's.
// - Registro presente|ausente RELIVO_OCX REGISTRO.tsv: the registry after
//   regsvr32 (/u), as data/registro.tsv lists it.
// - VidaDelModulo RELIVO_OCX: when DllCanUnloadNow lets the module go.
// - SinPantalla (no X display): Evaluar works; Relivo fails saying why.
#include "tests/windows/support.h"

namespace {

using prueba::Atributos;
using prueba::Biblioteca;
using prueba::Clase;
using prueba::ComPtr;
using prueba::DeBstr;
using prueba::Nombre;
using prueba::Utf16;
using prueba::Utf8;

std::string Guid(const GUID& g) {
    wchar_t t[40];
    StringFromGUID2(g, t, 40);
    return Utf8(t);
}

// A dump against the reviewed one in argument 1, line by line; argument 2,
// when given, receives it.
void CompararConRevisado(const std::string& volcado) {
    const std::vector<std::string>& a = prueba::Argumentos();
    if (a.size() > 2) std::ofstream(a[2], std::ios::binary) << volcado;
    std::istringstream esperado(prueba::LeerTexto(a.at(1))), obtenido(volcado);
    for (int i = 1; esperado || obtenido; ++i) {
        std::string e = "(end)", o = "(end)";
        std::getline(esperado, e), std::getline(obtenido, o);
        ASSERT_EQ(o, e) << "line " << i << " of the dump";
    }
}

// Exports from the image as the loader maps it (DllMain not run).
TEST(ArchivoOcx, IgualAlVolcadoRevisado) {
    const std::wstring ruta = Utf16(prueba::Argumentos().at(0));
    HMODULE m = LoadLibraryExW(ruta.c_str(), nullptr, DONT_RESOLVE_DLL_REFERENCES);
    ASSERT_TRUE(m != nullptr) << "cargar la imagen";
    std::ostringstream o;
    const auto* base = reinterpret_cast<const BYTE*>(m);
    const auto* nt = reinterpret_cast<const IMAGE_NT_HEADERS*>(
        base + reinterpret_cast<const IMAGE_DOS_HEADER*>(base)->e_lfanew);
    const DWORD rva = nt->OptionalHeader.DataDirectory[IMAGE_DIRECTORY_ENTRY_EXPORT].VirtualAddress;
    const auto* e = reinterpret_cast<const IMAGE_EXPORT_DIRECTORY*>(base + rva);
    // The names are in the order the loader searches them in.
    o << "exports " << (rva ? e->NumberOfFunctions : 0) << ":";
    for (DWORD i = 0; rva && i < e->NumberOfNames; ++i) {
        o << " " << base + reinterpret_cast<const DWORD*>(base + e->AddressOfNames)[i];
    }
    const auto recurso = [m](const wchar_t* nombre, const wchar_t* tipo) {
        HRSRC r = FindResourceW(m, nombre, tipo);
        const auto* p = r ? static_cast<const BYTE*>(LockResource(LoadResource(m, r))) : nullptr;
        return std::vector<BYTE>(p, p + (r ? SizeofResource(m, r) : 0));
    };
    const std::vector<BYTE> tlb = recurso(MAKEINTRESOURCEW(1), L"TYPELIB");
    o << "\nTYPELIB 1: " << std::string(tlb.begin(), tlb.begin() + std::min<size_t>(tlb.size(), 4));
    for (const wchar_t* n :
         {L"_IID_RELIVO", L"_IID_EVALUAR", L"_SRCIID_RELIVO", L"_SRCIID_EVALUAR"}) {
        const std::vector<BYTE> g = recurso(n, L"CUSTOM");
        DWORD largo = 0;
        GUID guid{};
        if (g.size() == 20) memcpy(&largo, g.data(), 4), memcpy(&guid, g.data() + 4, 16);
        o << "\nCUSTOM " << Utf8(n) << ": " << g.size() << " bytes, " << largo << " " << Guid(guid);
    }
    for (int id : {30000, 30001}) {
        const std::vector<BYTE> b = recurso(MAKEINTRESOURCEW(id), MAKEINTRESOURCEW(2));
        BITMAPINFOHEADER h{};
        if (b.size() >= sizeof h) memcpy(&h, b.data(), sizeof h);
        o << "\nBITMAP " << id << ": " << h.biWidth << "x" << h.biHeight << ", " << h.biBitCount
          << " bits";
    }
    FreeLibrary(m);
    std::vector<BYTE> info(GetFileVersionInfoSizeW(ruta.c_str(), nullptr));
    GetFileVersionInfoW(ruta.c_str(), 0, static_cast<DWORD>(info.size()), info.data());
    const auto valor = [&](const std::wstring& ruta_valor, void** p) {
        UINT n = 0;
        return !info.empty() && VerQueryValueW(info.data(), ruta_valor.c_str(), p, &n) ? n : 0u;
    };
    VS_FIXEDFILEINFO* f = nullptr;
    if (valor(L"\\", reinterpret_cast<void**>(&f))) {
        const DWORD v[] = {f->dwFileVersionMS, f->dwFileVersionLS, f->dwProductVersionMS,
                           f->dwProductVersionLS};
        const char* antes[] = {"\nversion ", ".", " product ", "."};
        for (int i = 0; i < 4; ++i) o << antes[i] << HIWORD(v[i]) << "." << LOWORD(v[i]);
    }
    WORD* t = nullptr;
    if (valor(L"\\VarFileInfo\\Translation", reinterpret_cast<void**>(&t)) >= 4) {
        o << "\ntranslation " << std::hex << t[0] << std::dec << " " << t[1];
    }
    for (const wchar_t* n : {L"FileVersion", L"ProductVersion", L"InternalName",
                             L"OriginalFilename", L"OLESelfRegister"}) {
        wchar_t* p = nullptr;
        const UINT k =
            valor(std::wstring(L"\\StringFileInfo\\040A04B0\\") + n, reinterpret_cast<void**>(&p));
        o << "\n" << Utf8(n) << (p ? " \"" + Utf8(std::wstring(p, k ? k - 1 : 0)) + "\"" : " none");
    }
    CompararConRevisado(o.str() + "\n");
}

// DllCanUnloadNow step by step; the class factories refuse what they do not make.
TEST(VidaDelModulo, Cuentas) {
    HMODULE m = LoadLibraryW(Utf16(prueba::Argumentos().at(0)).c_str());
    ASSERT_TRUE(m != nullptr) << "cargar Relivo.ocx";
    auto obtener = reinterpret_cast<HRESULT(WINAPI*)(REFCLSID, REFIID, void**)>(
        reinterpret_cast<void*>(GetProcAddress(m, "DllGetClassObject")));
    auto descargable = reinterpret_cast<HRESULT(WINAPI*)()>(
        reinterpret_cast<void*>(GetProcAddress(m, "DllCanUnloadNow")));
    ASSERT_TRUE(obtener && descargable) << "puntos de entrada";
    EXPECT_EQ(descargable(), S_OK) << "al cargar: nada vivo";
    void* p = nullptr;
    EXPECT_EQ(obtener(IID_IDispatch, IID_IClassFactory, &p), CLASS_E_CLASSNOTAVAILABLE);

    for (const wchar_t* progId : {L"Carvex.Evaluar", L"Carvex.Relivo"}) {
        const std::string que = Utf8(progId);
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
        EXPECT_EQ(f->CreateInstance(&externo, IID_PPV_ARGS(&objeto)), CLASS_E_NOAGGREGATION) << que;
        EXPECT_EQ(f->CreateInstance(nullptr, IID_IClassFactory, &objeto), E_NOINTERFACE) << que;
        EXPECT_EQ(f->CreateInstance(nullptr, IID_PPV_ARGS(&objeto)), S_OK) << que;
        f.Reset();
        EXPECT_EQ(descargable(), S_FALSE) << que + ": fábrica suelta, objeto vivo";
        objeto.Reset();
        EXPECT_EQ(descargable(), S_OK) << que + ": nada vivo";
    }
    FreeLibrary(m);
}

TEST(SinPantalla, EvaluarSeCreaRelivoNo) {
    prueba::Despacho ev = prueba::Despacho::Crear(L"Carvex.Evaluar");
    if (RELIVO_CUMPLE(static_cast<bool>(ev), "Evaluar se crea sin pantalla")) {
        ev.Put(L"Funcion", prueba::V(L"6*7"));
        EXPECT_EQ(ev.Get(L"Resultado").valor.Doble(), 42.0) << "Evaluar calcula sin pantalla";
    }
    ComPtr<IUnknown> r;
    SetErrorInfo(0, nullptr);
    const HRESULT hr =
        CoCreateInstance(Clase(L"Carvex.Relivo"), nullptr, CLSCTX_INPROC_SERVER, IID_PPV_ARGS(&r));
    ComPtr<IErrorInfo> info;
    BSTR d = nullptr;
    if (GetErrorInfo(0, &info) == S_OK && info) info->GetDescription(&d);
    const std::string texto = prueba::Soltar(d);
    EXPECT_TRUE(r == nullptr) << "sin pantalla, Relivo no se crea";
    EXPECT_EQ(hr, HRESULT_FROM_WIN32(ERROR_REQUIRES_INTERACTIVE_WINDOWSTATION));
    EXPECT_EQ(texto,
              "No hay una estación de ventanas interactiva en la que dibujar: el control Relivo "
              "necesita un escritorio.")
        << "el texto del fallo";
}

ComPtr<ITypeInfo> Implementada(ITypeInfo* ti, int k) {
    HREFTYPE h = 0;
    ComPtr<ITypeInfo> r;
    if (SUCCEEDED(ti->GetRefTypeOfImplType(static_cast<UINT>(k), &h))) ti->GetRefTypeInfo(h, &r);
    return r;
}

std::string TextoTipo(ITypeInfo* ti, const TYPEDESC& t) {
    // clang-format off
    static const std::map<VARTYPE, const char*> kNombres = {
        {VT_I2, "short"}, {VT_I4, "long"}, {VT_R4, "float"}, {VT_R8, "double"}, {VT_BSTR, "BSTR"},
        {VT_BOOL, "VARIANT_BOOL"}, {VT_VARIANT, "VARIANT"}, {VT_DISPATCH, "IDispatch*"},
        {VT_UNKNOWN, "IUnknown*"}, {VT_HRESULT, "HRESULT"}, {VT_VOID, "void"},
        {VT_UI1, "unsigned char"}};
    // clang-format on
    if (t.vt == VT_PTR) return TextoTipo(ti, *t.lptdesc) + "*";
    if (t.vt != VT_USERDEFINED) {
        return kNombres.contains(t.vt) ? kNombres.at(t.vt) : "vt" + std::to_string(t.vt);
    }
    ComPtr<ITypeInfo> ref;
    ti->GetRefTypeInfo(t.hreftype, &ref);
    ComPtr<ITypeLib> tl = Biblioteca(ref.Get()).first;
    return tl ? Nombre(tl.Get()) + "." + Nombre(ref.Get()) : "?";
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

// clang-format off
std::string BanderasTipo(WORD f) {
    return Banderas<WORD>(f, {{TYPEFLAG_FAPPOBJECT, "appobject"}, {TYPEFLAG_FCANCREATE, "cancreate"},
        {TYPEFLAG_FLICENSED, "licensed"}, {TYPEFLAG_FHIDDEN, "hidden"}, {TYPEFLAG_FCONTROL, "control"},
        {TYPEFLAG_FDUAL, "dual"}, {TYPEFLAG_FNONEXTENSIBLE, "nonextensible"},
        {TYPEFLAG_FOLEAUTOMATION, "oleautomation"}, {TYPEFLAG_FRESTRICTED, "restricted"},
        {TYPEFLAG_FDISPATCHABLE, "dispatchable"}});
}
// clang-format on

const char* Clase(TYPEKIND k) {
    static const char* const kClases[] = {"enum",     "record",  "module", "interface",
                                          "dispatch", "coclass", "alias",  "union"};
    return k < TKIND_MAX ? kClases[k] : "other";
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
    // clang-format off
    static const std::map<int, const char*> kInvocaciones = {{INVOKE_PROPERTYGET, "get"},
        {INVOKE_PROPERTYPUT, "put"}, {INVOKE_PROPERTYPUTREF, "putref"}, {INVOKE_FUNC, "method"}};
    // clang-format on
    const INVOKEKIND k = fd->invkind;
    const bool con_nombres = k == INVOKE_FUNC || k == INVOKE_PROPERTYGET;
    char id[16];
    std::snprintf(id, sizeof id, "0x%08lX", static_cast<unsigned long>(fd->memid));
    o << "  "
      << (fd->funckind == FUNC_PUREVIRTUAL
              ? "slot " + std::to_string(fd->oVft / static_cast<int>(sizeof(void*)))
          : fd->funckind == FUNC_DISPATCH ? "dispatch"
                                          : "funckind " + std::to_string(fd->funckind))
      << " id " << id << " " << kInvocaciones.at(k) << " " << (n ? DeBstr(nombres[0]) : "?") << "(";
    for (SHORT a = 0; a < fd->cParams; ++a) {
        const ELEMDESC& ed = fd->lprgelemdescParam[a];
        o << (a ? ", " : "") << TextoTipo(ti, ed.tdesc);
        if (con_nombres) o << " " << (a + 1u < n ? DeBstr(nombres[a + 1]) : "?");
        // clang-format off
        o << " [" << Banderas<USHORT>(ed.paramdesc.wParamFlags, {{PARAMFLAG_FIN, "in"},
            {PARAMFLAG_FOUT, "out"}, {PARAMFLAG_FRETVAL, "retval"}, {PARAMFLAG_FOPT, "optional"},
            {PARAMFLAG_FHASDEFAULT, "default"}, {PARAMFLAG_FLCID, "lcid"}}) << "]";
        // clang-format on
    }
    std::string ayuda;
    Nombre(ti, fd->memid, &ayuda);
    o << ") " << TextoTipo(ti, fd->elemdescFunc.tdesc) << " optional " << fd->cParamsOpt
      << " flags " << fd->wFuncFlags << " help \"" << ayuda << "\"\n";
    for (UINT j = 0; j < n; ++j) SysFreeString(nombres[j]);
    ti->ReleaseFuncDesc(fd);
}

// The implemented (or inherited) interfaces, with the library of each one.
void VolcarImplementadas(std::ostream& o, ITypeInfo* ti, WORD cuantas) {
    for (int k = 0; k < cuantas; ++k) {
        INT banderas = 0;
        ti->GetImplTypeFlags(static_cast<UINT>(k), &banderas);
        ComPtr<ITypeInfo> r = Implementada(ti, k);
        ComPtr<ITypeLib> tl = Biblioteca(r.Get()).first;
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

// The types in order with the index each one is found at (its own, by GUID,
// by name); a dual interface's members are those of its function-table side.
TEST(BibliotecaTipos, IgualAlVolcadoRevisado) {
    ComPtr<ITypeLib> tl;
    ASSERT_EQ(LoadTypeLibEx(Utf16(prueba::Argumentos().at(0)).c_str(), REGKIND_NONE, &tl), S_OK);
    std::ostringstream o;
    TLIBATTR* la = nullptr;
    tl->GetLibAttr(&la);
    std::string ayuda;
    const std::string nombre = Nombre(tl.Get(), MEMBERID_NIL, &ayuda);
    const SYSKIND nativo = sizeof(void*) == 8 ? SYS_WIN64 : SYS_WIN32;
    o << "library " << nombre << " " << Guid(la->guid) << " version " << la->wMajorVerNum << "."
      << la->wMinorVerNum << " lcid " << la->lcid << " flags " << la->wLibFlags << " sys "
      << (la->syskind == nativo ? "native" : std::to_string(la->syskind)) << " help \"" << ayuda
      << "\"\n";
    tl->ReleaseTLibAttr(la);
    for (UINT i = 0; i < tl->GetTypeInfoCount(); ++i) {
        ComPtr<ITypeInfo> ti, por_guid, por_nombre;
        tl->GetTypeInfo(i, &ti);
        std::string texto;
        const std::string n = Nombre(ti.Get(), MEMBERID_NIL, &texto);
        const Atributos a(ti.Get());
        std::wstring w = Utf16(n);
        MEMBERID id = 0;
        USHORT cuantos = 1;
        tl->GetTypeInfoOfGuid(a->guid, &por_guid);
        tl->FindName(w.data(), 0, por_nombre.GetAddressOf(), &id, &cuantos);
        o << "type " << i << " " << n << " " << Clase(a->typekind) << " " << Guid(a->guid)
          << " flags " << BanderasTipo(a->wTypeFlags) << " version " << a->wMajorVerNum << "."
          << a->wMinorVerNum << " found at " << Biblioteca(ti.Get()).second << " "
          << Biblioteca(por_guid.Get()).second << " "
          << Biblioteca(cuantos == 1 ? por_nombre.Get() : nullptr).second << " help \"" << texto
          << "\"\n";
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
    CompararConRevisado(o.str());
}

// A text value (`nombre` "-": the default one) of a key under
// HKEY_CLASSES_ROOT, "(existe)" for the key itself, or "(no existe)".
std::wstring Valor(const std::wstring& clave, const std::wstring& nombre, bool existe = false) {
    wchar_t buf[1024] = {};
    DWORD n = sizeof(buf) - sizeof(wchar_t), tipo = 0;
    HKEY h = nullptr;
    if (existe) {
        const bool hay = RegOpenKeyExW(HKEY_CLASSES_ROOT, clave.c_str(), 0, KEY_READ, &h) == 0;
        if (hay) RegCloseKey(h);
        return hay ? L"(existe)" : L"(no existe)";
    }
    const LONG r =
        RegGetValueW(HKEY_CLASSES_ROOT, clave.c_str(), nombre == L"-" ? nullptr : nombre.c_str(),
                     RRF_RT_ANY, &tipo, buf, &n);
    return r == ERROR_SUCCESS && tipo == REG_SZ ? buf : L"(ninguno)";
}

TEST(Registro, ComoSeEspera) {
    const bool presente = prueba::Argumentos().at(0) == "presente";
    const std::wstring ruta = Utf16(prueba::Argumentos().at(1));
    std::wistringstream lineas(Utf16(prueba::LeerTexto(prueba::Argumentos().at(2))));
    GUID libid{};
    int vistas = 0;
    for (std::wstring l; std::getline(lineas, l);) {
        std::vector<std::wstring> c;
        std::wistringstream campos(l);
        for (std::wstring x; std::getline(campos, x, L'\t');) c.push_back(x);
        if (l.empty() || l[0] == L'#' || !RELIVO_CUMPLE(c.size() >= 3, Utf8(l))) continue;
        ++vistas;
        const bool raiz = c.size() > 3 && c[3] == L"raiz";
        const std::string que = Utf8(c[0] + L" " + c[1]);
        if (c[0].starts_with(L"TypeLib\\") && raiz) CLSIDFromString(c[0].c_str() + 8, &libid);
        if (!presente) {
            EXPECT_TRUE(!raiz || Valor(c[0], c[1], true) == L"(no existe)") << que + ": borrada";
            continue;
        }
        std::wstring clave = c[0], esperado = c[2];
        const size_t p = clave.find(L"{sistema}"), q = esperado.find(L"{ruta}");
        if (p != std::wstring::npos) clave.replace(p, 9, sizeof(void*) == 8 ? L"win64" : L"win32");
        std::wstring valor = Valor(clave, c[1], esperado.ends_with(L"existe)"));
        if (q != std::wstring::npos) {
            esperado.replace(q, 6, ruta);
            for (std::wstring* t : {&valor, &esperado}) {
                CharLowerBuffW(t->data(), static_cast<DWORD>(t->size()));
            }
        }
        EXPECT_EQ(valor, esperado) << que;
        // OLE reads the class of a ProgID and its status from these keys.
        if (!clave.ends_with(L"\\CLSID")) continue;
        CLSID clsid{};
        DWORD estado = 0;
        EXPECT_TRUE(SUCCEEDED(CLSIDFromProgID(clave.substr(0, clave.size() - 6).c_str(), &clsid)))
            << que + ": CLSIDFromProgID";
        EXPECT_TRUE(SUCCEEDED(OleRegGetMiscStatus(clsid, DVASPECT_CONTENT, &estado))) << que;
        EXPECT_EQ(std::to_wstring(estado), Valor(L"CLSID\\" + c[2] + L"\\MiscStatus\\1", L"-"))
            << que + ": estado leído por OLE";
    }
    EXPECT_GT(vistas, 0);
    ComPtr<ITypeLib> t;
    EXPECT_EQ(SUCCEEDED(LoadRegTypeLib(libid, 11, 0, 0, &t)), presente) << "LoadRegTypeLib";
}

}  // namespace

int main(int argc, char** argv) {
    return prueba::Principal(argc, argv);
}
