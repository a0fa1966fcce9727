// What clients get wrong: variants of the wrong type, missing and extra
// arguments, null and huge strings, objects and arrays where numbers go,
// unknown members, sinks that cannot connect or fail, broken documents. The
// controls answer with their own error (through their events), or the call
// fails with an automation error code; nothing crashes.
//
//   bad_input_test RUTA_DE_Relivo.ocx
#include <functional>
#include <limits>
#include <memory>
#include <set>
#include <string>
#include <vector>

#include "tests/windows/container.h"
#include "tests/windows/late_binding.h"
#include "tests/windows/support.h"

namespace {

using prueba::ComPtr;

using prueba::Despacho;
using prueba::Resultado;
using prueba::Sumidero;
using prueba::V;

constexpr HRESULT kTiposNoCoinciden = static_cast<HRESULT>(0x800A000D);   // 13
constexpr HRESULT kArgumentoNoValido = static_cast<HRESULT>(0x800A0005);  // 5
constexpr HRESULT kValorNoValido = static_cast<HRESULT>(0x800A017C);      // 380

V Nulo() {
    V v;
    V_VT(&*v) = VT_BSTR;
    V_BSTR(&*v) = nullptr;
    return v;
}

V Lista() {
    V v;
    SAFEARRAY* a = SafeArrayCreateVector(VT_I4, 0, 3);
    V_VT(&*v) = VT_ARRAY | VT_I4;
    V_ARRAY(&*v) = a;
    return v;
}

V Objeto(IDispatch* d) {
    return V(d);
}

// A text of `n` characters.
V Largo(size_t n, wchar_t c = L'x') {
    return V(std::wstring(n, c));
}

void FallaCon(const Resultado& r, HRESULT scode, const std::string& que) {
    EXPECT_EQ(r.hr, DISP_E_EXCEPTION) << que + ": falla la llamada";
    EXPECT_EQ(r.scode, scode) << que + ": código";
}

void ComprobarEvaluar() {
    Despacho ev = Despacho::Crear(L"Carvex.Evaluar");
    ASSERT_TRUE(static_cast<bool>(ev)) << "crear Evaluar";
    auto s = prueba::Nuevo<prueba::Sumidero>();
    s->Conectar(ev);

    // A null BSTR is the empty text.
    EXPECT_TRUE(ev.Put(L"Funcion", Nulo()).Bien()) << "Funcion nula";
    EXPECT_EQ(ev.Get(L"NumeroError").valor.Entero(), -2147221499L)
        << "Funcion nula: no hay función";
    EXPECT_EQ(s->eventos.size(), size_t{1}) << "Funcion nula: un evento";
    // Texts beyond 32,767 characters overflow, through the error path.
    EXPECT_TRUE(ev.Put(L"Funcion", Largo(100000)).Bien()) << "Funcion enorme";
    EXPECT_EQ(ev.Get(L"NumeroError").valor.Entero(), 6L) << "Funcion enorme: desbordamiento";
    // A NUL inside the text is an invalid character.
    EXPECT_TRUE(ev.Put(L"Funcion", V(std::wstring(L"x\0y", 3))).Bien()) << "Funcion con NUL";
    EXPECT_EQ(ev.Get(L"NumeroError").valor.Entero(), -2147221500L) << "Funcion con NUL: no válido";
    // A number is converted to its text; an object or an array is refused.
    EXPECT_TRUE(ev.Put(L"Funcion", V(123)).Bien()) << "Funcion numérica";
    EXPECT_EQ(ev.Get(L"Resultado").valor.Doble(), 123.0) << "Funcion numérica: 123";
    EXPECT_EQ(ev.Put(L"Funcion", Objeto(ev.get())).hr, DISP_E_TYPEMISMATCH) << "Funcion objeto";
    EXPECT_EQ(ev.Put(L"Funcion", Lista()).hr, DISP_E_TYPEMISMATCH) << "Funcion lista";

    ev.Put(L"Funcion", V(L"x+y"));
    const size_t antes = s->eventos.size();
    // Missing, empty and unreadable variable arguments.
    EXPECT_TRUE(FAILED(ev.Get(L"Valor").hr)) << "Valor sin argumento";
    EXPECT_TRUE(ev.Get(L"Valor", {V::Falta()}).Bien()) << "Valor con el argumento omitido";
    EXPECT_EQ(ev.Get(L"NumeroError").valor.Entero(), -2147221498L) << "omitido: no existe";
    V nulo;
    V_VT(&*nulo) = VT_NULL;
    EXPECT_TRUE(ev.Put(L"Valor", V(1.0), {nulo}).Bien()) << "Valor(Null)";
    EXPECT_EQ(ev.Get(L"NumeroError").valor.Entero(), -2147221498L) << "Null: no existe";
    EXPECT_TRUE(ev.Put(L"Valor", V(L"abc"), {V(L"x")}).hr != S_OK) << "Valor = texto no numérico";
    // Out of range for a 16-bit index: the conversion of the call fails.
    EXPECT_EQ(ev.Get(L"Variable", {V(1e10)}).hr, DISP_E_OVERFLOW) << "Variable(1E10)";
    EXPECT_TRUE(ev.Get(L"Variable", {V(short{-5})}).Bien()) << "Variable(-5)";
    EXPECT_EQ(ev.Get(L"Error").valor.Texto(),
              std::string("El índice está fuera del intervalo de variables."))
        << "Variable(-5)";
    // Too many arguments, unknown members, another interface.
    EXPECT_TRUE(FAILED(ev.Get(L"Resultado", {V(1), V(2)}).hr)) << "Resultado con argumentos";
    EXPECT_EQ(ev.Id(L"NoExiste"), DISPID_UNKNOWN) << "nombre desconocido";
    EXPECT_EQ(ev.Invocar(12345, DISPATCH_METHOD, {}).hr, DISP_E_MEMBERNOTFOUND)
        << "DISPID desconocido";
    DISPPARAMS sin{};
    IID otra = IID_IUnknown;
    EXPECT_EQ(ev.get()->Invoke(ev.Id(L"Resultado"), otra, 0, DISPATCH_PROPERTYGET, &sin, nullptr,
                               nullptr, nullptr),
              DISP_E_UNKNOWNINTERFACE)
        << "Invoke con otra interfaz";
    UINT n = 5;
    ev.get()->GetTypeInfoCount(&n);
    EXPECT_EQ(n, 1u) << "GetTypeInfoCount";
    ITypeInfo* ti = nullptr;
    EXPECT_EQ(ev.get()->GetTypeInfo(3, 0, &ti), DISP_E_BADINDEX) << "GetTypeInfo(3)";
    EXPECT_TRUE(s->eventos.size() > antes) << "los errores del motor llegan como eventos";
    s->Desconectar();
}

void ComprobarRelivo() {
    Despacho r = Despacho::Crear(L"Carvex.Relivo");
    ASSERT_TRUE(static_cast<bool>(r)) << "crear Relivo";
    auto s = prueba::Nuevo<prueba::Sumidero>();
    s->Conectar(r);

    // A refused expression is the evaluator's error, through the events.
    r.Put(L"Funcion", Largo(40000));
    EXPECT_EQ(r.Get(L"NumeroError").valor.Entero(), 6L) << "Funcion enorme";
    const auto estados = s->De(L"Status");
    if (RELIVO_CUMPLE(!estados.empty(), "Status del error")) {
        EXPECT_EQ(estados.back().args[0].Texto(), std::string("Error: Desbordamiento")) << "Stat";
    }
    // Drawing arguments the surface refuses: automation errors, no event.
    const size_t antes = s->eventos.size();
    const float nan = std::numeric_limits<float>::quiet_NaN();
    FallaCon(r.Llamar(L"Circle_", {V(10.0f), V(10.0f), V(nan), V(0), V(0.0f), V(0.0f), V(1.0f)}),
             kArgumentoNoValido, "Circle_ con radio NaN");
    FallaCon(r.Llamar(L"Circle_", {V(10.0f), V(10.0f), V(5.0f), V(0), V(9.0f), V(0.0f), V(1.0f)}),
             kArgumentoNoValido, "Circle_ con ángulo mayor que 2 pi");
    FallaCon(r.Llamar(L"Line_", {V(0.0f), V(0.0f), V(10.0f), V(10.0f), V(0x7F000000)}),
             kArgumentoNoValido, "Line_ de un color que no existe");
    FallaCon(r.Put(L"BackColor", V(0x7F000000)), kValorNoValido, "BackColor que no existe");
    FallaCon(r.Put(L"ScaleWidth", V(0.0f)), kValorNoValido, "ScaleWidth 0");
    FallaCon(r.Put(L"FillStyle", V(short{8})), kValorNoValido, "FillStyle 8");
    EXPECT_EQ(r.Put(L"DrawWidth", V(1e9)).hr, DISP_E_OVERFLOW) << "DrawWidth fuera de Integer";
    EXPECT_EQ(s->eventos.size(), antes) << "los rechazos del plano no son eventos";
    // Optional arguments: missing, given, of the wrong type.
    Despacho imagen(r.Get(L"Grafica").valor.Objeto());
    EXPECT_TRUE(r.Llamar(L"PaintPicture", {V(imagen.get()), V(0.0f), V(0.0f)}).Bien())
        << "PaintPicture sin opcionales";
    EXPECT_TRUE(r.Llamar(L"PaintPicture", {V(imagen.get()), V(0.0f), V(0.0f), V::Falta(),
                                           V::Falta(), V(0), V(0), V(100), V(100), V(0x00660046)})
                    .Bien())
        << "PaintPicture con opcionales";
    FallaCon(r.Llamar(L"PaintPicture", {V(imagen.get()), V(0.0f), V(0.0f), V(L"ancho")}),
             kTiposNoCoinciden, "PaintPicture con un ancho de texto");
    FallaCon(r.Llamar(L"PaintPicture", {V(imagen.get()), V(0.0f), V(0.0f), V::Falta(), V::Falta(),
                                        V::Falta(), V::Falta(), V::Falta(), V::Falta(), V(12345)}),
             kArgumentoNoValido, "PaintPicture con una operación desconocida");
    FallaCon(r.Llamar(L"PaintPicture", {V(static_cast<IDispatch*>(nullptr)), V(0.0f), V(0.0f)}),
             kArgumentoNoValido, "PaintPicture sin imagen");
    // Objects of the wrong kind.
    // (the conversion of the call itself already refuses them).
    EXPECT_TRUE(FAILED(r.PutRef(L"Picture", V(r.get())).hr)) << "Picture = el control";
    EXPECT_TRUE(FAILED(r.PutRef(L"Font", V(imagen.get())).hr)) << "Font = una imagen";
    EXPECT_TRUE(r.Get(L"Picture").valor.Objeto() == nullptr) << "Picture sigue sin imagen";
    EXPECT_TRUE(r.PutRef(L"Picture", V(static_cast<IDispatch*>(nullptr))).Bien())
        << "Picture = Nothing";
    EXPECT_TRUE(r.Get(L"Picture").valor.Objeto() == nullptr) << "sin imagen: Nothing";
    // A pop-up menu that is not one shows nothing.
    EXPECT_TRUE(r.Llamar(L"PopupMenu", {V(static_cast<IDispatch*>(nullptr))}).Bien())
        << "PopupMenu de Nothing";
    EXPECT_TRUE(r.Llamar(L"PopupMenu", {V(r.get())}).Bien()) << "PopupMenu de otro objeto";
    EXPECT_EQ(r.Llamar(L"PopupMenu", {V(r.get()), V(L"ninguno")}).hr, DISP_E_EXCEPTION)
        << "PopupMenu con Flags de texto";
    // Text measured: null and very long strings.
    BSTR nada = nullptr;
    V ref;
    V_VT(&*ref) = VT_BYREF | VT_BSTR;
    V_BSTRREF(&*ref) = &nada;
    EXPECT_EQ(r.Llamar(L"TextWidth", {ref}).valor.Sencillo(), 0.0f) << "TextWidth de nada";
    EXPECT_TRUE(r.Llamar(L"TextWidth", {Largo(1 << 20)}).valor.Sencillo() > 0)
        << "TextWidth de un megacarácter";
    EXPECT_TRUE(r.Llamar(L"TextHeight", {V(std::wstring(L"a\r\nb\nc"))}).valor.Sencillo() > 0)
        << "TextHeight de tres líneas";
    EXPECT_EQ(r.Llamar(L"Point", {V(-1e30f), V(5.0f)}).valor.Entero(), -1L) << "Point fuera";
    // A handler that calls back while an error is being reported.
    s->manejador = [&](prueba::Evento& e, std::vector<VARIANTARG*>&) {
        if (e.nombre == L"Error") {
            r.Put(L"XMax", V(7.0));
            r.Llamar(L"Graficar");
        }
    };
    r.Put(L"Funcion", V(L"x"));
    r.Put(L"XMin", V(1.0));
    r.Put(L"XMax", V(1.0));
    EXPECT_EQ(r.Get(L"XMax").valor.Doble(), 7.0) << "el manejador del error cambió XMax";
    s->Desconectar();
}

// ---- Values that are neither a number nor a text, in every member.

// An object of the client's whose default value (DISPID_VALUE) is "y".
class ConValor final : public prueba::DespachoDelAnfitrion {
public:
    STDMETHODIMP GetIDsOfNames(REFIID, LPOLESTR*, UINT n, LCID, DISPID* ids) override {
        for (UINT i = 0; i < n; ++i) ids[i] = DISPID_UNKNOWN;
        return DISP_E_UNKNOWNNAME;
    }
    STDMETHODIMP Invoke(DISPID id, REFIID, LCID, WORD, DISPPARAMS*, VARIANT* r, EXCEPINFO*,
                        UINT*) override {
        if (id != DISPID_VALUE || !r) return DISP_E_MEMBERNOTFOUND;
        V_VT(r) = VT_BSTR;
        V_BSTR(r) = SysAllocString(L"y");
        return S_OK;
    }
};

struct Raro {
    std::string que;
    V valor;
};

// What a client may send where a number or a text goes: arrays and objects,
// directly, by reference (as a script passes a variable) and as a
// by-reference array; the values referred to live here.
class Raros {
public:
    explicit Raros(IDispatch* control) {
        V variantes;
        V_VT(&*variantes) = VT_ARRAY | VT_VARIANT;
        V_ARRAY(&*variantes) = SafeArrayCreateVector(VT_VARIANT, 0, 1);
        V desconocido;
        V_VT(&*desconocido) = VT_UNKNOWN;
        V_UNKNOWN(&*desconocido) = control;
        control->AddRef();
        casos_ = {
            {"una lista de Long", Lista()},    {"Array(1)", variantes},
            {"el propio control", V(control)}, {"Nothing", V(static_cast<IDispatch*>(nullptr))},
            {"un IUnknown", desconocido},
        };
        const size_t n = casos_.size();
        for (size_t i = 0; i < n; ++i) {
            interiores_.push_back(std::make_unique<V>(casos_[i].valor));
            V ref;
            V_VT(&*ref) = VT_BYREF | VT_VARIANT;
            V_VARIANTREF(&*ref) = &**interiores_.back();
            casos_.push_back({casos_[i].que + " por referencia", ref});
        }
        lista_ = SafeArrayCreateVector(VT_I4, 0, 2);
        V listaRef;
        V_VT(&*listaRef) = VT_BYREF | VT_ARRAY | VT_I4;
        V_ARRAYREF(&*listaRef) = &lista_;
        casos_.push_back({"una lista de Long por referencia", listaRef});
    }
    ~Raros() {
        casos_.clear();
        SafeArrayDestroy(lista_);
    }
    Raros(const Raros&) = delete;
    Raros& operator=(const Raros&) = delete;

    const std::vector<Raro>& Casos() const { return casos_; }

private:
    std::vector<std::unique_ptr<V>> interiores_;
    SAFEARRAY* lista_ = nullptr;
    std::vector<Raro> casos_;
};

// Every other kind of value a VARIANT holds: numbers of every width (2),
// text, Empty, Null, an error code.
std::vector<Raro> Comunes() {
    std::vector<Raro> r = {
        {"Empty", V()},        {"Integer", V(short{2})},
        {"Long", V(2)},        {"Single", V(2.0f)},
        {"Double", V(2.0)},    {"Boolean", V(true)},
        {"un texto", V(L"y")}, {"un texto numérico", V(L"2")},
    };
    const auto con = [&r](const char* que, VARTYPE tipo, auto poner) {
        V v;
        V_VT(&*v) = tipo;
        poner(*v);
        r.push_back({que, v});
    };
    con("Null", VT_NULL, [](VARIANT&) {});
    con("un código de error", VT_ERROR, [](VARIANT& v) { V_ERROR(&v) = E_FAIL; });
    con("Byte", VT_UI1, [](VARIANT& v) { V_UI1(&v) = 2; });
    con("VT_I1", VT_I1, [](VARIANT& v) { V_I1(&v) = 2; });
    con("VT_UI2", VT_UI2, [](VARIANT& v) { V_UI2(&v) = 2; });
    con("VT_UI4", VT_UI4, [](VARIANT& v) { V_UI4(&v) = 2; });
    con("VT_I8", VT_I8, [](VARIANT& v) { V_I8(&v) = 2; });
    con("VT_UI8", VT_UI8, [](VARIANT& v) { V_UI8(&v) = 2; });
    con("VT_INT", VT_INT, [](VARIANT& v) { V_INT(&v) = 2; });
    con("VT_UINT", VT_UINT, [](VARIANT& v) { V_UINT(&v) = 2; });
    con("Currency", VT_CY, [](VARIANT& v) { V_CY(&v).int64 = 20000; });
    con("Date", VT_DATE, [](VARIANT& v) { V_DATE(&v) = 2.0; });
    con("Decimal", VT_DECIMAL, [](VARIANT& v) {
        VarDecFromI4(2, &V_DECIMAL(&v));
        V_VT(&v) = VT_DECIMAL;
    });
    return r;
}

const std::string kNoCoinciden = "No coinciden los tipos";

// Valor [Get] and [Let] and Substituir take anything in their variant
// arguments: a value that is neither a number nor a text is a type
// mismatch (13) through the control's error path. The call succeeds,
// NumeroError and Error tell it, one Error event reports it, and the
// expression and the values stay as they were.
void ComprobarVariantesEvaluar() {
    Despacho ev = Despacho::Crear(L"Carvex.Evaluar");
    ASSERT_TRUE(static_cast<bool>(ev)) << "crear Evaluar";
    auto s = prueba::Nuevo<prueba::Sumidero>();
    s->Conectar(ev);
    struct Uso {
        const char* que;
        std::function<Resultado(const V&)> llamar;
    };
    const Uso usos[] = {
        {"Valor [Get]", [&](const V& v) { return ev.Get(L"Valor", {v}); }},
        {"Valor [Let]", [&](const V& v) { return ev.Put(L"Valor", V(5.0), {v}); }},
        {"Substituir, su variable",
         [&](const V& v) { return ev.Put(L"Substituir", V(L"2*t"), {v}); }},
        {"Substituir, su texto", [&](const V& v) { return ev.Put(L"Substituir", v, {V(L"x")}); }},
    };
    const Raros raros(ev.get());
    for (const Uso& u : usos) {
        for (const Raro& r : raros.Casos()) {
            const std::string que = std::string(u.que) + " con " + r.que;
            ev.Put(L"Funcion", V(L"x+y"));
            ev.Put(L"Valor", V(3.0), {V(L"x")});
            const std::string funcion = ev.Get(L"Funcion").valor.Texto();
            const size_t antes = s->eventos.size();
            const Resultado res = u.llamar(r.valor);
            EXPECT_EQ(res.hr, S_OK) << que + ": la llamada no falla";
            EXPECT_EQ(ev.Get(L"NumeroError").valor.Entero(), 13L) << que + ": NumeroError";
            EXPECT_EQ(ev.Get(L"Error").valor.Texto(), kNoCoinciden) << que + ": Error";
            EXPECT_EQ(s->eventos.size(), antes + 1) << que + ": un evento Error";
            if (s->eventos.size() == antes + 1) {
                const prueba::Evento& e = s->eventos.back();
                EXPECT_EQ(e.args[0].Entero(), 13L) << que + ": NumError";
                EXPECT_EQ(e.args[1].Texto(), kNoCoinciden) << que + ": DescrError";
            }
            EXPECT_EQ(ev.Get(L"Funcion").valor.Texto(), funcion) << que + ": la función sigue";
            EXPECT_EQ(ev.Get(L"Valor", {V(L"x")}).valor.Doble(), 3.0) << que + ": el valor sigue";
        }
    }
    // An object with a default value stands for that value: here the name
    // of the variable y.
    ConValor y;
    ev.Put(L"Funcion", V(L"x+y"));
    EXPECT_TRUE(ev.Put(L"Valor", V(4.0), {V(&y)}).Bien()) << "Valor de un objeto con valor";
    EXPECT_EQ(ev.Get(L"Valor", {V(L"y")}).valor.Doble(), 4.0) << "el objeto con valor nombra a y";
    EXPECT_EQ(ev.Get(L"NumeroError").valor.Entero(), 0L) << "objeto con valor: sin error";
    s->Desconectar();
}

// A value that a typed VARIANT of this kind may hold for an argument of
// type `t` that is not the one tried.
V Bueno(ITypeInfo* ti, const TYPEDESC& t, bool opcional) {
    switch (t.vt) {
        case VT_PTR:
            return Bueno(ti, *t.lptdesc, opcional);
        case VT_I2:
            return V(short{1});
        case VT_I4:
        case VT_UI4:
        case VT_INT:
            return V(1);
        case VT_R4:
            return V(1.0f);
        case VT_R8:
            return V(1.0);
        case VT_BOOL:
            return V(false);
        case VT_BSTR:
            return V(L"x");
        case VT_VARIANT:
            return opcional ? V::Falta() : V(1);
        case VT_USERDEFINED: {
            ComPtr<ITypeInfo> ref;
            V r(static_cast<IDispatch*>(nullptr));
            if (SUCCEEDED(ti->GetRefTypeInfo(t.hreftype, &ref))) {
                TYPEATTR* a = nullptr;
                ref->GetTypeAttr(&a);
                if (a->typekind == TKIND_ALIAS) r = Bueno(ref.Get(), a->tdescAlias, opcional);
                ref->ReleaseTypeAttr(a);
            }
            return r;
        }
        default:
            return V(static_cast<IDispatch*>(nullptr));
    }
}

bool EsVariante(const TYPEDESC& t) {
    return t.vt == VT_VARIANT || (t.vt == VT_PTR && t.lptdesc->vt == VT_VARIANT);
}

// Every member of a control, every argument, every value of Raros and of
// Comunes. The automation layer converts a value for a typed argument or
// refuses it before the member runs; a Variant argument reaches the member,
// which takes a value of Raros through its error path (13 with one Error
// event). No failure escapes a member with the error path (`conCamino`);
// the members passed through to the drawing surface let theirs go back to
// the caller, with no event.
void BarrerMiembros(const wchar_t* progId,
                    const std::function<bool(const std::wstring&)>& conCamino) {
    const std::string control = prueba::Utf8(progId);
    Despacho c = Despacho::Crear(progId);
    ASSERT_TRUE(static_cast<bool>(c)) << control + ": crear";
    auto s = prueba::Nuevo<prueba::Sumidero>();
    s->Conectar(c);
    ComPtr<ITypeInfo> ti;
    c.get()->GetTypeInfo(0, 0, &ti);
    TYPEATTR* ta = nullptr;
    ti->GetTypeAttr(&ta);
    const Raros raros(c.get());
    std::vector<std::pair<Raro, bool>> valoresDePrueba;
    for (const Raro& r : raros.Casos()) valoresDePrueba.emplace_back(r, true);
    for (const Raro& r : Comunes()) valoresDePrueba.emplace_back(r, false);
    int llamadas = 0;
    for (UINT f = 0; f < ta->cFuncs; ++f) {
        FUNCDESC* fd = nullptr;
        ti->GetFuncDesc(f, &fd);
        if (fd->wFuncFlags & FUNCFLAG_FRESTRICTED) {
            // IUnknown and IDispatch themselves.
            ti->ReleaseFuncDesc(fd);
            continue;
        }
        BSTR nombre = nullptr;
        UINT n = 0;
        ti->GetNames(fd->memid, &nombre, 1, &n);
        const std::wstring miembro = nombre;
        SysFreeString(nombre);
        std::vector<ELEMDESC> args;
        for (SHORT k = 0; k < fd->cParams; ++k) {
            if (!(fd->lprgelemdescParam[k].paramdesc.wParamFlags & PARAMFLAG_FRETVAL)) {
                args.push_back(fd->lprgelemdescParam[k]);
            }
        }
        const WORD banderas = fd->invkind == INVOKE_FUNC          ? DISPATCH_METHOD
                              : fd->invkind == INVOKE_PROPERTYGET ? DISPATCH_PROPERTYGET
                              : fd->invkind == INVOKE_PROPERTYPUT ? DISPATCH_PROPERTYPUT
                                                                  : DISPATCH_PROPERTYPUTREF;
        const bool camino = conCamino(miembro);
        for (size_t i = 0; i < args.size(); ++i) {
            for (const auto& [r, raro] : valoresDePrueba) {
                std::vector<V> valores;
                for (size_t k = 0; k < args.size(); ++k) {
                    const bool opcional = args[k].paramdesc.wParamFlags & PARAMFLAG_FOPT;
                    valores.push_back(k == i ? r.valor : Bueno(ti.Get(), args[k].tdesc, opcional));
                }
                const std::string que = control + "." + prueba::Utf8(miembro) + ", argumento " +
                                        std::to_string(i + 1) + ", con " + r.que;
                if (control == "Carvex.Evaluar") c.Put(L"Funcion", V(L"x+y"));
                const size_t antes = s->eventos.size();
                const size_t errores = s->De(L"Error").size();
                const Resultado res = c.Invocar(fd->memid, banderas, valores);
                ++llamadas;
                if (EsVariante(args[i].tdesc) && camino) {
                    EXPECT_EQ(res.hr, S_OK) << que + ": llega al miembro y no falla";
                    if (raro) {
                        EXPECT_EQ(c.Get(L"NumeroError").valor.Entero(), 13L)
                            << que + ": NumeroError";
                        EXPECT_EQ(s->De(L"Error").size(), errores + 1) << que + ": un evento Error";
                    }
                } else if (camino) {
                    EXPECT_TRUE(res.hr != DISP_E_EXCEPTION)
                        << que + ": ningún fallo sale de un miembro con camino de error";
                } else {
                    EXPECT_TRUE(res.hr != DISP_E_EXCEPTION || s->eventos.size() == antes)
                        << que + ": su fallo va al llamador, sin eventos";
                }
            }
        }
        ti->ReleaseFuncDesc(fd);
    }
    ti->ReleaseTypeAttr(ta);
    EXPECT_TRUE(llamadas > 0) << control + ": se probó algún argumento";
    s->Desconectar();
}

void ComprobarTodosLosMiembros() {
    BarrerMiembros(L"Carvex.Evaluar", [](const std::wstring&) { return true; });
    // Relivo's own members; the rest pass through to the drawing surface.
    const std::set<std::wstring> propios = {
        L"AnguloX", L"AnguloY",       L"AnguloZ",       L"AutoEscalaZ", L"Cancelar", L"Error",
        L"Funcion", L"NumeroLineasX", L"NumeroLineasY", L"NumeroError", L"Graficar", L"XMax",
        L"XMin",    L"YMax",          L"YMin",          L"ZMax",        L"ZMin"};
    BarrerMiembros(L"Carvex.Relivo", [&](const std::wstring& m) { return propios.count(m) > 0; });
}

// A sink that is not a dispatch interface, cookies that do not exist.
class SoloUnknown final : public IUnknown {
public:
    STDMETHODIMP QueryInterface(REFIID riid, void** ppv) override {
        if (riid == IID_IUnknown) {
            *ppv = this;
            return S_OK;
        }
        *ppv = nullptr;
        return E_NOINTERFACE;
    }
    STDMETHODIMP_(ULONG) AddRef() override { return 2; }
    STDMETHODIMP_(ULONG) Release() override { return 1; }
};

void ComprobarConexiones() {
    Despacho r = Despacho::Crear(L"Carvex.Relivo");
    ComPtr<IConnectionPointContainer> cpc;
    ASSERT_EQ(r.get()->QueryInterface(IID_PPV_ARGS(&cpc)), S_OK);
    ComPtr<IConnectionPoint> p;
    EXPECT_EQ(cpc->FindConnectionPoint(IID_IOleObject, &p), CONNECT_E_NOCONNECTION)
        << "punto de una interfaz ajena";
    ComPtr<IEnumConnectionPoints> e;
    cpc->EnumConnectionPoints(&e);
    IConnectionPoint* puntos[3] = {};
    ULONG n = 0;
    e->Next(3, puntos, &n);
    EXPECT_EQ(n, 2ul) << "dos puntos de conexión";
    for (ULONG i = 0; i < n; ++i) {
        ComPtr<IConnectionPoint> dado;
        dado.Attach(puntos[i]);  // the enumerator's reference
    }
    ComPtr<IProvideClassInfo2> pci;
    ASSERT_EQ(r.get()->QueryInterface(IID_PPV_ARGS(&pci)), S_OK);
    IID eventos{};
    pci->GetGUID(GUIDKIND_DEFAULT_SOURCE_DISP_IID, &eventos);
    EXPECT_EQ(pci->GetGUID(12345, &eventos), E_INVALIDARG) << "GetGUID de otra clase";
    pci->GetGUID(GUIDKIND_DEFAULT_SOURCE_DISP_IID, &eventos);
    ASSERT_EQ(cpc->FindConnectionPoint(eventos, &p), S_OK);
    SoloUnknown u;
    DWORD cookie = 7;
    EXPECT_EQ(p->Advise(&u, &cookie), CONNECT_E_CANNOTCONNECT) << "sumidero sin IDispatch";
    EXPECT_EQ(cookie, DWORD{0}) << "sin cookie";
    EXPECT_EQ(p->Unadvise(4242), CONNECT_E_NOCONNECTION) << "cookie inexistente";
    EXPECT_EQ(p->Advise(nullptr, &cookie), E_POINTER) << "sumidero nulo";
    ComPtr<IOleControl> oc;
    ASSERT_EQ(r.get()->QueryInterface(IID_PPV_ARGS(&oc)), S_OK);
    EXPECT_EQ(oc->FreezeEvents(FALSE), S_OK) << "descongelar sin congelar";
}

void ComprobarDocumentos() {
    HWND formulario = prueba::CrearFormulario(300, 200);
    struct Malo {
        const wchar_t* clave;
        V valor;
        const char* que;
    };
    const Malo malos[] = {
        {L"DrawMode", V(99), "DrawMode 99"},
        {L"AnguloX", V(L"mucho"), "AnguloX de texto"},
        {L"BackColor", V(0x7F000000), "BackColor que no existe"},
        {L"ScaleHeight", V(0.0), "ScaleHeight 0"},
    };
    for (const Malo& m : malos) {
        auto* bolsa = new prueba::Bolsa();
        bolsa->Write(m.clave, const_cast<VARIANT*>(&*m.valor));
        prueba::Alojado a;
        a.Crear(L"Carvex.Relivo", formulario, {0, 0, 200, 100}, true, bolsa);
        EXPECT_TRUE(FAILED(a.cargado)) << std::string("documento con ") + m.que + ": Load falla";
        bolsa->Release();
    }
    DestroyWindow(formulario);
}

void ComprobarFabrica(const std::wstring& ruta) {
    HMODULE m = LoadLibraryW(ruta.c_str());
    ASSERT_TRUE(m != nullptr) << "cargar Relivo.ocx";
    using Obtener = HRESULT(WINAPI*)(REFCLSID, REFIID, void**);
    auto obtener =
        reinterpret_cast<Obtener>(reinterpret_cast<void*>(GetProcAddress(m, "DllGetClassObject")));
    void* p = nullptr;
    EXPECT_EQ(obtener(IID_IDispatch, IID_IClassFactory, &p), CLASS_E_CLASSNOTAVAILABLE)
        << "DllGetClassObject de otra clase";
    CLSID clsid;
    CLSIDFromProgID(L"Carvex.Evaluar", &clsid);
    ComPtr<IClassFactory> f;
    if (RELIVO_CUMPLE(SUCCEEDED(obtener(clsid, IID_PPV_ARGS(&f))), "fábrica de Evaluar")) {
        SoloUnknown externo;
        IUnknown* o = nullptr;
        EXPECT_EQ(f->CreateInstance(&externo, IID_IUnknown, reinterpret_cast<void**>(&o)),
                  CLASS_E_NOAGGREGATION)
            << "sin agregación";
        EXPECT_EQ(f->CreateInstance(nullptr, IID_IClassFactory, reinterpret_cast<void**>(&o)),
                  E_NOINTERFACE)
            << "interfaz que no tiene";
        f.Reset();
    }
    FreeLibrary(m);
}

}  // namespace

TEST(EntradasErroneas, Evaluar) {
    ComprobarEvaluar();
}
TEST(EntradasErroneas, Relivo) {
    ComprobarRelivo();
}
TEST(EntradasErroneas, VariantesDeEvaluar) {
    ComprobarVariantesEvaluar();
}
TEST(EntradasErroneas, TodosLosMiembros) {
    ComprobarTodosLosMiembros();
}
TEST(EntradasErroneas, Conexiones) {
    ComprobarConexiones();
}
TEST(EntradasErroneas, Documentos) {
    ComprobarDocumentos();
}
TEST(EntradasErroneas, Fabrica) {
    ComprobarFabrica(prueba::Utf16(prueba::Argumentos()[0]));
}

int main(int argc, char** argv) {
    return prueba::Principal(argc, argv, "RUTA", 1, 1, true);
}
