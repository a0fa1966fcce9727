// Relivo.ocx where there is no window station to draw on (under Wine, a
// process without an X display): Evaluar, which draws nothing, works; the
// creation of a Relivo fails at once with an error that says why, not with
// 7 "Memoria insuficiente", and nothing crashes.
//
//   no_display_test   (registered, run without a display)
#include <string>

#include "tests/windows/harness.h"
#include "tests/windows/late_binding.h"

namespace {

// The error information the failed creation left.
std::wstring Descripcion() {
    IErrorInfo* info = nullptr;
    std::wstring texto;
    if (GetErrorInfo(0, &info) == S_OK && info) {
        BSTR d = nullptr;
        if (SUCCEEDED(info->GetDescription(&d)) && d) texto = d;
        SysFreeString(d);
        info->Release();
    }
    return texto;
}

}  // namespace

int main() {
    CoInitialize(nullptr);
    prueba::Despacho ev = prueba::Despacho::Crear(L"Carvex.Evaluar");
    if (COMPROBAR(static_cast<bool>(ev), "Evaluar se crea sin pantalla")) {
        ev.Put(L"Funcion", prueba::V(L"6*7"));
        IGUALES(ev.Get(L"Resultado").valor.Doble(), 42.0, "Evaluar calcula sin pantalla");
    }
    CLSID clsid = CLSID_NULL;
    CLSIDFromProgID(L"Carvex.Relivo", &clsid);
    IClassFactory* f = nullptr;
    if (COMPROBAR(SUCCEEDED(CoGetClassObject(clsid, CLSCTX_INPROC_SERVER, nullptr,
                                             IID_IClassFactory, reinterpret_cast<void**>(&f))),
                  "fábrica de Relivo")) {
        IUnknown* r = nullptr;
        SetErrorInfo(0, nullptr);
        const HRESULT hr = f->CreateInstance(nullptr, IID_IUnknown, reinterpret_cast<void**>(&r));
        const std::wstring texto = Descripcion();
        std::printf("CreateInstance de Relivo: 0x%08lX \"%s\"\n", static_cast<unsigned long>(hr),
                    prueba::Utf8(texto).c_str());
        COMPROBAR(FAILED(hr) && r == nullptr, "sin pantalla, Relivo no se crea");
        COMPROBAR(hr != E_OUTOFMEMORY && hr != static_cast<HRESULT>(0x800A0007),
                  "el fallo no es falta de memoria");
        IGUALES(hr, HRESULT_FROM_WIN32(ERROR_REQUIRES_INTERACTIVE_WINDOWSTATION),
                "sin estación de ventanas interactiva");
        IGUALES(texto,
                std::wstring(L"No hay una estaci\u00f3n de ventanas interactiva en la que "
                             L"dibujar: el control Relivo necesita un escritorio."),
                "el texto del fallo");
        if (r) r->Release();
        f->Release();
    }
    CoUninitialize();
    return prueba::Terminar("no_display_test");
}
