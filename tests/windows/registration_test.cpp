// What DllRegisterServer writes (regsvr32 Relivo.ocx) and what
// DllUnregisterServer removes (regsvr32 /u): the two classes with their
// ProgIDs, in-process server, apartment model, control flag, toolbox image,
// miscellaneous status, type library and version; the type library itself
// with locale 0, and its four interfaces.
//
//   registration_test presente|ausente RUTA_DE_Relivo.ocx
#include <wrl/client.h>

#include <string>

#include "tests/windows/support.h"

namespace {

const wchar_t kLibid[] = L"{4311F276-1DD8-4D49-B88B-1198DEA45855}";

struct Clase {
    const wchar_t* clsid;
    const wchar_t* progId;
    const wchar_t* mapaBits;
    const wchar_t* estado;  // 0x24591 and 0x38191 in decimal
};

const Clase kClases[] = {
    {L"{37D9727A-C7A6-4695-9D79-EE18F8557D67}", L"Carvex.Evaluar", L"30000", L"148881"},
    {L"{6DFC504F-04C3-4EF8-BF0F-9845CFA06401}", L"Carvex.Relivo", L"30001", L"229777"},
};

struct Interfaz {
    const wchar_t* iid;
    const wchar_t* nombre;
    const wchar_t* proxy;
};

const wchar_t kProxyAutomatizacion[] = L"{00020424-0000-0000-C000-000000000046}";
const wchar_t kProxyDespacho[] = L"{00020420-0000-0000-C000-000000000046}";

const Interfaz kInterfaces[] = {
    {L"{B887F451-6F6A-4B78-933A-AEB66B87172F}", L"_Relivo", kProxyAutomatizacion},
    {L"{1A6CCDD0-25B6-41CB-8B24-297A077FB0F6}", L"_Evaluar", kProxyAutomatizacion},
    {L"{74CCF3FD-9962-487A-BC37-C8BFDD718B9F}", L"__Relivo", kProxyDespacho},
    {L"{CFFEF613-EA53-41A5-BB2C-A801B84A54EB}", L"__Evaluar", kProxyDespacho},
};

bool Existe(const std::wstring& clave) {
    HKEY h = nullptr;
    if (RegOpenKeyExW(HKEY_CLASSES_ROOT, clave.c_str(), 0, KEY_READ, &h) != ERROR_SUCCESS) {
        return false;
    }
    RegCloseKey(h);
    return true;
}

// The value (nullptr: the default one) of a key, or "(ninguno)".
std::wstring Valor(const std::wstring& clave, const wchar_t* nombre = nullptr) {
    wchar_t buf[1024] = {};
    DWORD n = sizeof(buf) - sizeof(wchar_t);
    DWORD tipo = 0;
    HKEY h = nullptr;
    if (RegOpenKeyExW(HKEY_CLASSES_ROOT, clave.c_str(), 0, KEY_READ, &h) != ERROR_SUCCESS) {
        return L"(ninguno)";
    }
    const LONG r = RegQueryValueExW(h, nombre, nullptr, &tipo, reinterpret_cast<BYTE*>(buf), &n);
    RegCloseKey(h);
    if (r != ERROR_SUCCESS || tipo != REG_SZ) return L"(ninguno)";
    return buf;
}

std::wstring Minusculas(std::wstring s) {
    CharLowerBuffW(s.data(), static_cast<DWORD>(s.size()));
    return s;
}

std::string U(const std::wstring& s) {
    return prueba::Utf8(s);
}

void Presente(const std::wstring& ruta) {
    const std::wstring sistema = sizeof(void*) == 8 ? L"win64" : L"win32";
    for (const Clase& c : kClases) {
        const std::wstring k = std::wstring(L"CLSID\\") + c.clsid;
        const std::string d = U(c.progId);
        EXPECT_TRUE(Existe(k)) << d + ": clave CLSID";
        EXPECT_EQ(Minusculas(Valor(k + L"\\InprocServer32")), Minusculas(ruta)) << d + ": servidor";
        EXPECT_EQ(Valor(k + L"\\InprocServer32", L"ThreadingModel"), std::wstring(L"Apartment"))
            << d + ": modelo de hilos";
        EXPECT_EQ(Valor(k + L"\\ProgID"), std::wstring(c.progId)) << d + ": ProgID";
        EXPECT_TRUE(Existe(k + L"\\Control")) << d + ": marca de control";
        EXPECT_EQ(Minusculas(Valor(k + L"\\ToolboxBitmap32")),
                  Minusculas(ruta + L", " + c.mapaBits))
            << d + ": imagen de la caja de herramientas";
        EXPECT_EQ(Valor(k + L"\\MiscStatus"), std::wstring(L"0")) << d + ": MiscStatus";
        EXPECT_EQ(Valor(k + L"\\MiscStatus\\1"), std::wstring(c.estado)) << d + ": MiscStatus\\1";
        EXPECT_EQ(Valor(k + L"\\TypeLib"), std::wstring(kLibid)) << d + ": TypeLib";
        EXPECT_EQ(Valor(k + L"\\Version"), std::wstring(L"11.0")) << d + ": Version";
        EXPECT_EQ(Valor(std::wstring(c.progId) + L"\\CLSID"), std::wstring(c.clsid))
            << d + ": CLSID del ProgID";
        CLSID clsid{};
        EXPECT_TRUE(SUCCEEDED(CLSIDFromProgID(c.progId, &clsid))) << d + ": CLSIDFromProgID";
        DWORD estado = 0;
        EXPECT_TRUE(SUCCEEDED(OleRegGetMiscStatus(clsid, DVASPECT_CONTENT, &estado)))
            << d + ": OleRegGetMiscStatus";
        EXPECT_EQ(std::to_wstring(estado), std::wstring(c.estado)) << d + ": estado leído por OLE";
    }
    // The version key of a type library is hexadecimal: 11.0 is "b.0".
    const std::wstring tl = std::wstring(L"TypeLib\\") + kLibid + L"\\b.0";
    EXPECT_EQ(Valor(tl), std::wstring(L"Carvex")) << "biblioteca: nombre";
    EXPECT_EQ(Minusculas(Valor(tl + L"\\0\\" + sistema)), Minusculas(ruta))
        << "biblioteca: archivo con locale 0";
    EXPECT_TRUE(!Existe(tl + L"\\409")) << "biblioteca: sin locale 409";
    EXPECT_TRUE(Existe(tl + L"\\FLAGS")) << "biblioteca: FLAGS";
    EXPECT_TRUE(Existe(tl + L"\\HELPDIR")) << "biblioteca: HELPDIR";
    for (const Interfaz& i : kInterfaces) {
        const std::wstring k = std::wstring(L"Interface\\") + i.iid;
        const std::string d = U(i.nombre);
        EXPECT_EQ(Valor(k), std::wstring(i.nombre)) << d + ": nombre";
        EXPECT_EQ(Valor(k + L"\\ProxyStubClsid32"), std::wstring(i.proxy)) << d + ": proxy";
        EXPECT_EQ(Valor(k + L"\\TypeLib"), std::wstring(kLibid)) << d + ": biblioteca";
        EXPECT_EQ(Valor(k + L"\\TypeLib", L"Version"), std::wstring(L"b.0")) << d + ": versión";
    }
    GUID libid{};
    CLSIDFromString(const_cast<LPOLESTR>(kLibid), &libid);
    Microsoft::WRL::ComPtr<ITypeLib> t;
    EXPECT_TRUE(SUCCEEDED(LoadRegTypeLib(libid, 11, 0, 0, &t))) << "LoadRegTypeLib";
}

void Ausente() {
    for (const Clase& c : kClases) {
        EXPECT_TRUE(!Existe(std::wstring(L"CLSID\\") + c.clsid))
            << U(c.progId) + ": sin clave CLSID";
        EXPECT_TRUE(!Existe(c.progId)) << U(c.progId) + ": sin ProgID";
    }
    EXPECT_TRUE(!Existe(std::wstring(L"TypeLib\\") + kLibid)) << "sin biblioteca";
    for (const Interfaz& i : kInterfaces) {
        EXPECT_TRUE(!Existe(std::wstring(L"Interface\\") + i.iid))
            << U(i.nombre) + ": sin interfaz";
    }
    GUID libid{};
    CLSIDFromString(const_cast<LPOLESTR>(kLibid), &libid);
    Microsoft::WRL::ComPtr<ITypeLib> t;
    EXPECT_TRUE(FAILED(LoadRegTypeLib(libid, 11, 0, 0, &t))) << "LoadRegTypeLib falla";
}

}  // namespace

TEST(Registro, ComoSeEspera) {
    if (prueba::Argumentos()[0] == "presente") {
        Presente(prueba::Utf16(prueba::Argumentos()[1]));
    } else {
        Ausente();
    }
}

int main(int argc, char** argv) {
    return prueba::Principal(argc, argv, "presente|ausente RUTA", 2, 2);
}
