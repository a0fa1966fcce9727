// The module Relivo.ocx itself, each suite run by its own process
// (--gtest_filter):
// - ArchivoOcx: the file, exactly the four entry points of an in-process
//   server, the type library as resource TYPELIB 1, the four GUID
//   resources, the two toolbox bitmaps and the version block.
// - VidaDelModulo (registered): DllCanUnloadNow answers S_OK only while no
//   object, no reference to a class factory and no LockServer lock is
//   alive, refused creations included (container_test checks what a host that frees its unused
//   libraries sees).
// - SinPantalla (registered, run without an X display: no window station to
//   draw on): Evaluar, which draws nothing, works; the creation of a Relivo
//   fails at once with an error that says why, not with 7 "Memoria
//   insuficiente", and nothing crashes.
//
//   module_test --gtest_filter=SUITE.* [RELIVO_OCX]
#include <algorithm>
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
}  // namespace

int main(int argc, char** argv) {
    return prueba::Principal(argc, argv, "[RELIVO_OCX]", 0, 1);
}
