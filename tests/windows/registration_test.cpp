// What DllRegisterServer writes (regsvr32 Relivo.ocx) and what
// DllUnregisterServer removes (regsvr32 /u), as data/registro.tsv lists it:
// the two classes with their ProgIDs, in-process server, apartment model,
// control flag, toolbox image, miscellaneous status, type library and
// version; the type library itself with locale 0, and its four interfaces.
// OLE reads the classes and the library back through its own functions.
//
//   registration_test presente|ausente RELIVO_OCX REGISTRO.tsv
#include <algorithm>
#include <string>
#include <vector>

#include "tests/windows/support.h"

namespace {

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
    return prueba::Principal(argc, argv, "presente|ausente RELIVO_OCX REGISTRO.tsv", 3, 3);
}
