// Self-registration: the two controls (class, ProgID, in-process server,
// control flag, toolbox image, miscellaneous status, type library and its
// version) and the type library with its interfaces, all taken from the
// file's own type library.
#include <string>
#include <vector>

#include "Carvex.h"
#include "component/module.h"
#include "component/type_library.h"
#include "component/win32.h"

namespace relivo::com {
namespace {

struct DatosClase {
    const CLSID* clsid;
    const wchar_t* progId;
    int mapaBits;
    DWORD estadoVarios;
};

// OLEMISC: set client site first, no UI activation, invisible at run time,
// activate when visible, inside-out, cannot link inside, recompose on resize.
constexpr DWORD kEstadoEvaluar = 0x24591;
// OLEMISC: set client site first, simple frame, alignable, activate when
// visible, inside-out, cannot link inside, recompose on resize.
constexpr DWORD kEstadoRelivo = 0x38191;

const DatosClase kClases[] = {
    {&CLSID_Evaluar, L"Carvex.Evaluar", 30000, kEstadoEvaluar},
    {&CLSID_Relivo, L"Carvex.Relivo", 30001, kEstadoRelivo},
};

// The proxies of OLE Automation: dual and automation interfaces, and pure
// dispatch interfaces.
constexpr wchar_t kProxyOleAutomation[] = L"{00020424-0000-0000-C000-000000000046}";
constexpr wchar_t kProxyDispatch[] = L"{00020420-0000-0000-C000-000000000046}";

std::wstring TextoGuid(REFGUID guid) {
    wchar_t texto[40] = {};
    StringFromGUID2(guid, texto, 40);
    return texto;
}

// A type library's version as its registry key spells it (hexadecimal:
// 11.0 is "b.0"), and as the controls' Version value gives it (decimal).
std::wstring VersionHexadecimal(WORD mayor, WORD menor) {
    wchar_t t[16];
    wsprintfW(t, L"%x.%x", mayor, menor);
    return t;
}

std::wstring VersionDecimal(WORD mayor, WORD menor) {
    return std::to_wstring(mayor) + L"." + std::to_wstring(menor);
}

bool Escribir(const std::wstring& clave, const wchar_t* nombre, const std::wstring& valor) {
    HKEY h = nullptr;
    if (RegCreateKeyExW(HKEY_CLASSES_ROOT, clave.c_str(), 0, nullptr, 0, KEY_WRITE, nullptr, &h,
                        nullptr) != ERROR_SUCCESS) {
        return false;
    }
    const LONG r =
        RegSetValueExW(h, nombre, 0, REG_SZ, reinterpret_cast<const BYTE*>(valor.c_str()),
                       static_cast<DWORD>((valor.size() + 1) * sizeof(wchar_t)));
    RegCloseKey(h);
    return r == ERROR_SUCCESS;
}

bool CrearClave(const std::wstring& clave) {
    HKEY h = nullptr;
    if (RegCreateKeyExW(HKEY_CLASSES_ROOT, clave.c_str(), 0, nullptr, 0, KEY_WRITE, nullptr, &h,
                        nullptr) != ERROR_SUCCESS) {
        return false;
    }
    RegCloseKey(h);
    return true;
}

void Borrar(const std::wstring& clave) {
    RegDeleteTreeW(HKEY_CLASSES_ROOT, clave.c_str());
    RegDeleteKeyW(HKEY_CLASSES_ROOT, clave.c_str());
}

// Removes a key when nothing is left under it.
void BorrarSiVacia(const std::wstring& clave) {
    HKEY h = nullptr;
    if (RegOpenKeyExW(HKEY_CLASSES_ROOT, clave.c_str(), 0, KEY_READ, &h) != ERROR_SUCCESS) return;
    DWORD subclaves = 0, valores = 0;
    RegQueryInfoKeyW(h, nullptr, nullptr, nullptr, &subclaves, nullptr, nullptr, &valores, nullptr,
                     nullptr, nullptr, nullptr);
    RegCloseKey(h);
    if (subclaves == 0 && valores == 0) RegDeleteKeyW(HKEY_CLASSES_ROOT, clave.c_str());
}

const wchar_t* kSistema = sizeof(void*) == 8 ? L"win64" : L"win32";

struct Biblioteca {
    GUID libid{};
    std::wstring version;         // hexadecimal, for the TypeLib keys
    std::wstring versionDecimal;  // for the classes' Version value
    std::wstring nombre;
    struct Interfaz {
        GUID iid;
        std::wstring nombre;
        bool soloDespacho;
    };
    std::vector<Interfaz> interfaces;
};

bool LeerBiblioteca(Biblioteca& b) {
    ITypeLib* tl = BibliotecaTipos();
    if (!tl) return false;
    TLIBATTR* atributos = nullptr;
    if (FAILED(tl->GetLibAttr(&atributos))) return false;
    b.libid = atributos->guid;
    b.version = VersionHexadecimal(atributos->wMajorVerNum, atributos->wMinorVerNum);
    b.versionDecimal = VersionDecimal(atributos->wMajorVerNum, atributos->wMinorVerNum);
    tl->ReleaseTLibAttr(atributos);
    BSTR nombre = nullptr;
    tl->GetDocumentation(-1, &nombre, nullptr, nullptr, nullptr);
    b.nombre = nombre ? nombre : L"";
    SysFreeString(nombre);
    const UINT n = tl->GetTypeInfoCount();
    for (UINT i = 0; i < n; ++i) {
        TYPEKIND tipo;
        if (FAILED(tl->GetTypeInfoType(i, &tipo))) return false;
        if (tipo != TKIND_DISPATCH && tipo != TKIND_INTERFACE) continue;
        ComPtr<ITypeInfo> ti;
        if (FAILED(tl->GetTypeInfo(i, &ti))) return false;
        TYPEATTR* ta = nullptr;
        if (SUCCEEDED(ti->GetTypeAttr(&ta))) {
            BSTR n2 = nullptr;
            tl->GetDocumentation(static_cast<INT>(i), &n2, nullptr, nullptr, nullptr);
            const bool dual = (ta->wTypeFlags & TYPEFLAG_FDUAL) != 0;
            b.interfaces.push_back({ta->guid, n2 ? n2 : L"", tipo == TKIND_DISPATCH && !dual});
            SysFreeString(n2);
            ti->ReleaseTypeAttr(ta);
        }
    }
    return true;
}

std::wstring Directorio(const std::wstring& ruta) {
    const size_t barra = ruta.find_last_of(L"\\/");
    return barra == std::wstring::npos ? std::wstring() : ruta.substr(0, barra);
}

bool RegistrarBiblioteca(const Biblioteca& b, const std::wstring& ruta) {
    const std::wstring raiz = L"TypeLib\\" + TextoGuid(b.libid) + L"\\" + b.version;
    bool ok = Escribir(raiz, nullptr, b.nombre);
    // Registered with the neutral locale.
    ok = ok && Escribir(raiz + L"\\0\\" + kSistema, nullptr, ruta);
    ok = ok && Escribir(raiz + L"\\FLAGS", nullptr, L"0");
    ok = ok && Escribir(raiz + L"\\HELPDIR", nullptr, Directorio(ruta));
    for (const auto& i : b.interfaces) {
        const std::wstring clave = L"Interface\\" + TextoGuid(i.iid);
        const wchar_t* proxy = i.soloDespacho ? kProxyDispatch : kProxyOleAutomation;
        ok = ok && Escribir(clave, nullptr, i.nombre);
        ok = ok && Escribir(clave + L"\\ProxyStubClsid", nullptr, proxy);
        ok = ok && Escribir(clave + L"\\ProxyStubClsid32", nullptr, proxy);
        ok = ok && Escribir(clave + L"\\TypeLib", nullptr, TextoGuid(b.libid));
        ok = ok && Escribir(clave + L"\\TypeLib", L"Version", b.version);
    }
    return ok;
}

void QuitarBiblioteca(const Biblioteca& b) {
    for (const auto& i : b.interfaces) Borrar(L"Interface\\" + TextoGuid(i.iid));
    const std::wstring raiz = L"TypeLib\\" + TextoGuid(b.libid);
    Borrar(raiz + L"\\" + b.version);
    BorrarSiVacia(raiz);
}

bool RegistrarClase(const DatosClase& c, const Biblioteca& b, const std::wstring& ruta) {
    const std::wstring clsid = TextoGuid(*c.clsid);
    const std::wstring clave = L"CLSID\\" + clsid;
    bool ok = Escribir(clave, nullptr, c.progId);
    ok = ok && Escribir(clave + L"\\InprocServer32", nullptr, ruta);
    ok = ok && Escribir(clave + L"\\InprocServer32", L"ThreadingModel", L"Apartment");
    ok = ok && Escribir(clave + L"\\ProgID", nullptr, c.progId);
    ok = ok && CrearClave(clave + L"\\Control");
    ok = ok && Escribir(clave + L"\\ToolboxBitmap32", nullptr,
                        ruta + L", " + std::to_wstring(c.mapaBits));
    ok = ok && Escribir(clave + L"\\MiscStatus", nullptr, L"0");
    ok = ok && Escribir(clave + L"\\MiscStatus\\1", nullptr, std::to_wstring(c.estadoVarios));
    ok = ok && Escribir(clave + L"\\TypeLib", nullptr, TextoGuid(b.libid));
    ok = ok && Escribir(clave + L"\\Version", nullptr, b.versionDecimal);
    ok = ok && Escribir(c.progId, nullptr, c.progId);
    ok = ok && Escribir(std::wstring(c.progId) + L"\\CLSID", nullptr, clsid);
    return ok;
}

void QuitarClase(const DatosClase& c) {
    Borrar(L"CLSID\\" + TextoGuid(*c.clsid));
    Borrar(c.progId);
}

}  // namespace
}  // namespace relivo::com

STDAPI DllRegisterServer() {
    using namespace relivo::com;
    const std::wstring ruta = RutaModulo();
    Biblioteca b;
    if (ruta.empty() || !LeerBiblioteca(b)) return SELFREG_E_TYPELIB;
    if (!RegistrarBiblioteca(b, ruta)) {
        QuitarBiblioteca(b);
        return SELFREG_E_TYPELIB;
    }
    for (const DatosClase& c : kClases) {
        if (!RegistrarClase(c, b, ruta)) {
            for (const DatosClase& d : kClases) QuitarClase(d);
            QuitarBiblioteca(b);
            return SELFREG_E_CLASS;
        }
    }
    return S_OK;
}

STDAPI DllUnregisterServer() {
    using namespace relivo::com;
    for (const DatosClase& c : kClases) QuitarClase(c);
    Biblioteca b;
    if (!LeerBiblioteca(b)) return SELFREG_E_TYPELIB;
    QuitarBiblioteca(b);
    return S_OK;
}
