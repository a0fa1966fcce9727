// Relivo.ocx where there is no window station to draw on (under Wine, a
// process without an X display): Evaluar, which draws nothing, works; the
// creation of a Relivo fails at once with an error that says why, not with
// 7 "Memoria insuficiente", and nothing crashes.
//
//   no_display_test   (registered, run without a display)
#include <string>

#include "tests/windows/support.h"

namespace {

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

}  // namespace

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

int main(int argc, char** argv) {
    return prueba::Principal(argc, argv, "", 0, 0);
}
