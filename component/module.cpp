// The entry point and the class-object entry points of Relivo.ocx.
#include "component/module.h"

#include <atomic>

#include "Carvex.h"
#include "component/class_factory.h"

namespace relivo::com {
namespace {

HINSTANCE g_modulo = nullptr;
std::atomic<long> g_objetos{0};
std::atomic<long> g_bloqueos{0};

}  // namespace

HINSTANCE Modulo() {
    return g_modulo;
}

std::wstring RutaModulo() {
    std::wstring ruta(MAX_PATH, L'\0');
    for (;;) {
        const DWORD n = GetModuleFileNameW(g_modulo, ruta.data(), static_cast<DWORD>(ruta.size()));
        if (n == 0) return {};
        if (n < ruta.size()) {
            ruta.resize(n);
            return ruta;
        }
        ruta.resize(ruta.size() * 2);
    }
}

void ObjetoCreado() {
    ++g_objetos;
}

void ObjetoDestruido() {
    --g_objetos;
}

void Bloquear(bool bloquear) {
    if (bloquear) {
        ++g_bloqueos;
    } else {
        --g_bloqueos;
    }
}

bool SePuedeDescargar() {
    return g_objetos.load() == 0 && g_bloqueos.load() == 0;
}

}  // namespace relivo::com

extern "C" BOOL WINAPI DllMain(HINSTANCE instancia, DWORD motivo, LPVOID) {
    if (motivo == DLL_PROCESS_ATTACH) relivo::com::g_modulo = instancia;
    return TRUE;
}

STDAPI DllGetClassObject(REFCLSID rclsid, REFIID riid, LPVOID* ppv) {
    if (!ppv) return E_POINTER;
    *ppv = nullptr;
    IClassFactory* fabrica = relivo::com::FabricaDeClase(rclsid);
    if (!fabrica) return CLASS_E_CLASSNOTAVAILABLE;
    return fabrica->QueryInterface(riid, ppv);
}

STDAPI DllCanUnloadNow() {
    return relivo::com::SePuedeDescargar() ? S_OK : S_FALSE;
}
