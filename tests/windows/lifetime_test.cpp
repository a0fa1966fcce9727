// The life of the module: DllCanUnloadNow answers S_OK only while no object,
// no reference to a class factory and no LockServer lock is alive, so that
// a host that frees its unused libraries (CoFreeUnusedLibraries) never
// unloads Relivo.ocx under a client, and does unload it once nothing holds
// it.
//
//   lifetime_test RUTA_DE_Relivo.ocx   (registered)
#include <string>

#include "tests/windows/support.h"

namespace {

using prueba::ComPtr;

using Obtener = HRESULT(WINAPI*)(REFCLSID, REFIID, void**);
using Descargable = HRESULT(WINAPI*)();

CLSID Clase(const wchar_t* progId) {
    CLSID c = CLSID_NULL;
    CLSIDFromProgID(progId, &c);
    return c;
}

// DllCanUnloadNow step by step, on the file loaded by its path.
void ComprobarCuentas(const std::wstring& ruta) {
    HMODULE m = LoadLibraryW(ruta.c_str());
    ASSERT_TRUE(m != nullptr) << "cargar Relivo.ocx";
    auto obtener =
        reinterpret_cast<Obtener>(reinterpret_cast<void*>(GetProcAddress(m, "DllGetClassObject")));
    auto descargable = reinterpret_cast<Descargable>(
        reinterpret_cast<void*>(GetProcAddress(m, "DllCanUnloadNow")));
    ASSERT_TRUE(obtener && descargable) << "puntos de entrada";
    EXPECT_EQ(descargable(), S_OK) << "al cargar: nada vivo";

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
        EXPECT_EQ(f->CreateInstance(nullptr, IID_PPV_ARGS(&objeto)), S_OK)
            << que + ": CreateInstance";
        f.Reset();
        EXPECT_EQ(descargable(), S_FALSE) << que + ": fábrica suelta, objeto vivo";
        objeto.Reset();
        EXPECT_EQ(descargable(), S_OK) << que + ": nada vivo";
    }
    FreeLibrary(m);
}

bool Cargado() {
    return GetModuleHandleW(L"Relivo.ocx") != nullptr;
}

void LiberarSinUso() {
    for (int i = 0; i < 3; ++i) CoFreeUnusedLibrariesEx(0, 0);
}

// What a host does: it takes a class object, frees its unused libraries
// now and then, and creates objects later.
void ComprobarHost() {
    ComPtr<IClassFactory> f;
    if (!RELIVO_CUMPLE(SUCCEEDED(CoGetClassObject(Clase(L"Carvex.Evaluar"), CLSCTX_INPROC_SERVER,
                                                  nullptr, IID_PPV_ARGS(&f))),
                       "CoGetClassObject de Evaluar")) {
        return;
    }
    LiberarSinUso();
    EXPECT_TRUE(Cargado()) << "con la fábrica en la mano, Relivo.ocx sigue cargado";
    ComPtr<IDispatch> d;
    if (RELIVO_CUMPLE(SUCCEEDED(f->CreateInstance(nullptr, IID_PPV_ARGS(&d))),
                      "CreateInstance tras liberar las bibliotecas sin uso")) {
        prueba::Despacho ev(d.Get());
        d.Reset();
        f.Reset();
        LiberarSinUso();
        EXPECT_TRUE(Cargado()) << "con un objeto vivo, Relivo.ocx sigue cargado";
        ev.Put(L"Funcion", prueba::V(L"2*x"));
        ev.Put(L"Valor", prueba::V(21.0), {prueba::V(L"x")});
        EXPECT_EQ(ev.Get(L"Resultado").valor.Doble(), 42.0) << "el objeto funciona";
    }
    f.Reset();
    LiberarSinUso();
    EXPECT_TRUE(!Cargado()) << "sin nada vivo, Relivo.ocx se descarga";
    // And it loads again for the next client.
    prueba::Despacho otra = prueba::Despacho::Crear(L"Carvex.Evaluar");
    if (RELIVO_CUMPLE(static_cast<bool>(otra), "crear Evaluar otra vez")) {
        otra.Put(L"Funcion", prueba::V(L"6*7"));
        EXPECT_EQ(otra.Get(L"Resultado").valor.Doble(), 42.0) << "otra vez: el objeto funciona";
    }
}

}  // namespace

TEST(VidaDelModulo, Cuentas) {
    ComprobarCuentas(prueba::Utf16(prueba::Argumentos()[0]));
}
TEST(VidaDelModulo, Anfitrion) {
    ComprobarHost();
}

int main(int argc, char** argv) {
    return prueba::Principal(argc, argv, "RUTA", 1, 1);
}
