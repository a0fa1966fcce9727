// Evaluar: the dual interface _Evaluar over the engine's public members, and
// its one event Error through the connection point of __Evaluar.
#include "component/evaluar_object.h"

#include <array>
#include <new>

#include "Carvex.h"
#include "component/errors.h"
#include "component/module.h"
#include "component/ole_control.h"
#include "component/text.h"
#include "component/variants.h"
#include "relivo/evaluar.h"

namespace relivo::com {
namespace {

// OLEMISC: set client site first, no UI activation, invisible at run time,
// activate when visible, inside-out, cannot link inside, recompose on resize.
constexpr DWORD kEstadoVarios = 0x24591;
// 480 twips each way, in hundredths of a millimetre.
constexpr SIZEL kTamano{847, 847};

class ObjetoEvaluar final : public _Evaluar, public ControlOle, public EventosEvaluar {
public:
    ObjetoEvaluar()
        : ControlOle(CLSID_Evaluar, IID__Evaluar, DIID___Evaluar, L"Carvex.Evaluar", kEstadoVarios,
                     kTamano) {}
    ~ObjetoEvaluar() override {
        InPlaceDeactivate();
        Desconectar();
    }

    RELIVO_IUNKNOWN
    RELIVO_IDISPATCH(_Evaluar)

    // _Evaluar.
    STDMETHODIMP get_Error(BSTR* r) override {
        return Texto(r, [&] { return motor_.Error(); });
    }
    STDMETHODIMP get_IndiceVariable(BSTR* Var, short* r) override {
        if (!Var || !r) return E_POINTER;
        return Proteger(fuente_, iidDual_, [&] {
            *r = motor_.IndiceVariable(AUtf8(*Var));
            return S_OK;
        });
    }
    STDMETHODIMP get_NumeroError(LONG* r) override {
        if (!r) return E_POINTER;
        *r = motor_.NumeroError();
        return S_OK;
    }
    STDMETHODIMP get_Funcion(BSTR* r) override {
        return Texto(r, [&] { return motor_.Funcion(); });
    }
    STDMETHODIMP put_Funcion(BSTR valor) override {
        return Proteger(fuente_, iidDual_, [&] {
            motor_.Funcion(AUtf8(valor));
            return S_OK;
        });
    }
    STDMETHODIMP get_NumeroVariables(short* r) override {
        if (!r) return E_POINTER;
        return Proteger(fuente_, iidDual_, [&] {
            *r = motor_.NumeroVariables();
            return S_OK;
        });
    }
    STDMETHODIMP get_Resultado(double* r) override {
        if (!r) return E_POINTER;
        return Proteger(fuente_, iidDual_, [&] {
            *r = motor_.Resultado();
            return S_OK;
        });
    }
    STDMETHODIMP put_Substituir(VARIANT Variable, VARIANT valor) override {
        return Proteger(fuente_, iidDual_, [&] {
            motor_.Substituir(AVariante(Variable), AVariante(valor));
            return S_OK;
        });
    }
    STDMETHODIMP get_Valor(VARIANT Variable, double* r) override {
        if (!r) return E_POINTER;
        return Proteger(fuente_, iidDual_, [&] {
            *r = motor_.Valor(AVariante(Variable));
            return S_OK;
        });
    }
    STDMETHODIMP put_Valor(VARIANT Variable, double valor) override {
        return Proteger(fuente_, iidDual_, [&] {
            motor_.Valor(AVariante(Variable), valor);
            return S_OK;
        });
    }
    STDMETHODIMP get_Variable(short Index, BSTR* r) override {
        return Texto(r, [&] { return motor_.Variable(Index); });
    }
    STDMETHODIMP get_ExisteVariable(BSTR Variable, VARIANT_BOOL* r) override {
        if (!r) return E_POINTER;
        return Proteger(fuente_, iidDual_, [&] {
            *r = motor_.ExisteVariable(AUtf8(Variable)) ? VARIANT_TRUE : VARIANT_FALSE;
            return S_OK;
        });
    }

    // EventosEvaluar: the event Error to the connected sinks.
    void Error(int32_t NumError, const std::string& DescrError) override {
        std::array<VARIANTARG, 2> args{};
        V_VT(&args[0]) = VT_I4;
        V_I4(&args[0]) = NumError;
        V_VT(&args[1]) = VT_BSTR;
        V_BSTR(&args[1]) = NuevoBstr(DescrError);
        Disparar(1, args);
        SysFreeString(V_BSTR(&args[1]));
    }

protected:
    void* Interfaz(REFIID riid) override {
        if (riid == IID__Evaluar || riid == IID_IDispatch) return static_cast<_Evaluar*>(this);
        if (riid == IID_IUnknown) return Identidad();
        return ControlOle::Interfaz(riid);
    }

    // ControlOle: a fixed size, shown only at design time, as its toolbox
    // image.
    void AlCambiarTamano(int32_t, int32_t) override {}
    bool TamanoFijo() const override { return true; }
    bool InvisibleEnEjecucion() const override { return true; }
    void Dibujar(HDC dc, const RECT& r) override {
        HBITMAP mapa = LoadBitmapW(Modulo(), MAKEINTRESOURCEW(30000));
        if (!mapa) return;
        HDC origen = CreateCompatibleDC(dc);
        HGDIOBJ antes = SelectObject(origen, mapa);
        BITMAP bm{};
        GetObject(mapa, sizeof(bm), &bm);
        SetStretchBltMode(dc, COLORONCOLOR);
        StretchBlt(dc, r.left, r.top, r.right - r.left, r.bottom - r.top, origen, 0, 0, bm.bmWidth,
                   bm.bmHeight, SRCCOPY);
        SelectObject(origen, antes);
        DeleteDC(origen);
        DeleteObject(mapa);
    }

private:
    // A member that gives text: the engine's UTF-8 as a new BSTR.
    template <typename F>
    HRESULT Texto(BSTR* r, F&& obtener) {
        if (!r) return E_POINTER;
        *r = nullptr;
        return Proteger(fuente_, iidDual_, [&] {
            *r = NuevoBstr(obtener());
            return *r ? S_OK : E_OUTOFMEMORY;
        });
    }

    Evaluar motor_{this};
};

}  // namespace

HRESULT CrearEvaluar(REFIID riid, void** ppv) {
    ComPtr<ObjetoEvaluar> o = new (std::nothrow) ObjetoEvaluar();
    if (!o) return E_OUTOFMEMORY;
    const HRESULT hr = o->QueryInterface(riid, ppv);
    return hr;
}

}  // namespace relivo::com
