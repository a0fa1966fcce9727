// What the test programs under Wine share: VARIANT values, late binding by
// name, type information, an event sink, the runner of data/pasos.jsonl, and
// pictures.
#pragma once

// clang-format off
#include <windows.h>
#include <olectl.h>
// clang-format on
#include <gtest/gtest.h>
#include <wrl/client.h>

#include <cstdint>
#include <cstdio>
#include <fstream>
#include <functional>
#include <limits>
#include <list>
#include <map>
#include <nlohmann/json.hpp>
#include <sstream>
#include <stdexcept>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "component/simple_object.h"
#include "platform/windows/dib.h"

namespace prueba {

using Json = nlohmann::json;
using Microsoft::WRL::ComPtr;

inline std::vector<std::string>& Argumentos() {
    static std::vector<std::string> a;
    return a;
}

inline std::string Utf8(std::wstring_view w) {
    const int n = WideCharToMultiByte(CP_UTF8, 0, w.data(), static_cast<int>(w.size()), nullptr, 0,
                                      nullptr, nullptr);
    std::string s(static_cast<size_t>(n), '\0');
    WideCharToMultiByte(CP_UTF8, 0, w.data(), static_cast<int>(w.size()), s.data(), n, nullptr,
                        nullptr);
    return s;
}
inline std::string DeBstr(BSTR b) {
    return b ? Utf8(std::wstring_view(b, SysStringLen(b))) : "";
}
// The text of a BSTR given to us, which is freed.
inline std::string Soltar(BSTR b) {
    const std::string s = DeBstr(b);
    SysFreeString(b);
    return s;
}
inline std::wstring Utf16(std::string_view s) {
    const int n = MultiByteToWideChar(CP_UTF8, 0, s.data(), static_cast<int>(s.size()), nullptr, 0);
    std::wstring w(static_cast<size_t>(n), L'\0');
    MultiByteToWideChar(CP_UTF8, 0, s.data(), static_cast<int>(s.size()), w.data(), n);
    return w;
}

// A whole file; one that cannot be read throws (the test fails with why).
inline std::string LeerTexto(const std::string& ruta) {
    std::ifstream f(ruta, std::ios::binary);
    if (!f) throw std::runtime_error("no se puede leer " + ruta);
    return std::string(std::istreambuf_iterator<char>(f), {});
}
// The values of a JSON Lines file, blank lines and # comments skipped.
inline std::vector<Json> LeerLineasJson(const std::string& ruta) {
    std::vector<Json> r;
    std::istringstream s(LeerTexto(ruta));
    for (std::string l; std::getline(s, l);) {
        if (l.find_first_not_of(" \t\r") != std::string::npos && l[0] != '#') {
            r.push_back(Json::parse(l));
        }
    }
    return r;
}

// A condition the rest of a test depends on: a failure here, and the answer.
inline bool Cumple(bool condicion, const char* archivo, int linea, const std::string& que) {
    if (!condicion) ADD_FAILURE_AT(archivo, linea) << que;
    return condicion;
}

#define RELIVO_CUMPLE(cond, que) ::prueba::Cumple((cond), __FILE__, __LINE__, (que))

// Runs the tests with COM (or OLE) initialised in a single-threaded
// apartment; the arguments after GoogleTest's are the program's own.
inline int Principal(int argc, char** argv, bool ole = false) {
    testing::InitGoogleTest(&argc, argv);
    Argumentos().assign(argv + 1, argv + argc);
    ole ? OleInitialize(nullptr) : CoInitialize(nullptr);
    const int r = RUN_ALL_TESTS();
    ole ? OleUninitialize() : CoUninitialize();
    return r;
}

// A new reference-counted object of the tests', held from its first reference.
template <typename T, typename... A>
ComPtr<T> Nuevo(A&&... a) {
    ComPtr<T> p;
    p.Attach(new T(std::forward<A>(a)...));
    return p;
}

// The class of a ProgID (CLSID_NULL: none), and a new object of it by its
// interface I (null when none is made).
inline CLSID Clase(const std::wstring& progId) {
    CLSID c = CLSID_NULL;
    CLSIDFromProgID(progId.c_str(), &c);
    return c;
}
template <typename I>
ComPtr<I> Crear(const std::wstring& progId) {
    ComPtr<I> p;
    CoCreateInstance(Clase(progId), nullptr, CLSCTX_INPROC_SERVER, IID_PPV_ARGS(&p));
    return p;
}

// An object of the host that lives as long as the test (references are not
// counted), answering IUnknown and `I`; a dispatch interface has no types.
template <typename I = IDispatch, const IID& kIid = IID_IDispatch>
class DelAnfitrion : public I {
public:
    STDMETHODIMP QueryInterface(REFIID riid, void** ppv) override {
        *ppv = riid == IID_IUnknown || riid == kIid ? static_cast<I*>(this) : nullptr;
        return *ppv ? S_OK : E_NOINTERFACE;
    }
    STDMETHODIMP_(ULONG) AddRef() override { return 2; }
    STDMETHODIMP_(ULONG) Release() override { return 1; }
    STDMETHODIMP GetTypeInfoCount(UINT* n) { return *n = 0, S_OK; }
    STDMETHODIMP GetTypeInfo(UINT, LCID, ITypeInfo**) { return E_NOTIMPL; }
    STDMETHODIMP GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) { return E_NOTIMPL; }
};

// A VARIANT value that owns its contents.
class V {
public:
    V() { VariantInit(&v_); }
    V(int n) : V() { V_VT(&v_) = VT_I4, V_I4(&v_) = n; }                // NOLINT
    V(short n) : V() { V_VT(&v_) = VT_I2, V_I2(&v_) = n; }              // NOLINT
    V(double n) : V() { V_VT(&v_) = VT_R8, V_R8(&v_) = n; }             // NOLINT
    V(float n) : V() { V_VT(&v_) = VT_R4, V_R4(&v_) = n; }              // NOLINT
    V(bool b) : V() { V_VT(&v_) = VT_BOOL, V_BOOL(&v_) = b ? -1 : 0; }  // NOLINT
    V(const wchar_t* s) : V(std::wstring(s)) {}                         // NOLINT
    V(const std::wstring& s) : V() {                                    // NOLINT
        V_VT(&v_) = VT_BSTR;
        V_BSTR(&v_) = SysAllocStringLen(s.data(), static_cast<UINT>(s.size()));
    }
    V(IUnknown* d, VARTYPE t = VT_DISPATCH) : V() {  // NOLINT
        V_VT(&v_) = t;
        V_UNKNOWN(&v_) = d;
        if (d) d->AddRef();
    }
    // A value of any other type, its bits set by `poner`.
    V(VARTYPE t, const std::function<void(VARIANT&)>& poner) : V() {
        poner(v_);
        V_VT(&v_) = t;
    }
    explicit V(const VARIANT& otro) : V() { VariantCopy(&v_, const_cast<VARIANT*>(&otro)); }
    V(const V& otro) : V(otro.v_) {}
    V& operator=(const V& otro) {
        if (this != &otro) VariantCopy(&v_, const_cast<VARIANT*>(&otro.v_));
        return *this;
    }
    ~V() { VariantClear(&v_); }

    // A missing optional argument.
    static V Falta() {
        return V(VT_ERROR, [](VARIANT& v) { V_ERROR(&v) = DISP_E_PARAMNOTFOUND; });
    }
    // A reference to `v` (which outlives it).
    static V Ref(VARTYPE t, void* v) {
        return V(VT_BYREF | t, [v](VARIANT& r) { V_BYREF(&r) = v; });
    }

    VARIANT& operator*() { return v_; }
    const VARIANT& operator*() const { return v_; }
    VARTYPE Tipo() const { return V_VT(&v_); }
    double Doble() const { return Convertir(VT_R8).v_.dblVal; }
    long Entero() const { return Convertir(VT_I4).v_.lVal; }
    bool Booleano() const { return Convertir(VT_BOOL).v_.boolVal != VARIANT_FALSE; }
    std::string Texto() const {
        const V t = Convertir(VT_BSTR);
        return t.Tipo() == VT_BSTR ? DeBstr(t.v_.bstrVal) : "";
    }
    IDispatch* Objeto() const { return Tipo() == VT_DISPATCH ? V_DISPATCH(&v_) : nullptr; }

private:
    V Convertir(VARTYPE t) const {
        V r, copia;
        VariantCopyInd(&copia.v_, const_cast<VARIANT*>(&v_));
        VariantChangeTypeEx(&r.v_, &copia.v_, LOCALE_USER_DEFAULT, 0, t);
        return r;
    }
    VARIANT v_;
};

// An object of the host with fixed properties, found by name without case;
// the one named "" is also its default value (DISPID_VALUE).
class Propiedades : public DelAnfitrion<> {
public:
    explicit Propiedades(std::vector<std::pair<std::wstring, V>> v) : valores_(std::move(v)) {}
    STDMETHODIMP GetIDsOfNames(REFIID, LPOLESTR* n, UINT, LCID, DISPID* id) override {
        *id = DISPID_UNKNOWN;
        for (size_t k = 0; k < valores_.size(); ++k) {
            if (lstrcmpiW(n[0], valores_[k].first.c_str()) == 0) *id = static_cast<DISPID>(k + 1);
        }
        return *id == DISPID_UNKNOWN ? DISP_E_UNKNOWNNAME : S_OK;
    }
    STDMETHODIMP Invoke(DISPID id, REFIID, LCID, WORD, DISPPARAMS*, VARIANT* r, EXCEPINFO*,
                        UINT*) override {
        for (size_t k = 0; k < valores_.size() && r; ++k) {
            if (id == static_cast<DISPID>(k + 1) ||
                (id == DISPID_VALUE && valores_[k].first.empty())) {
                return VariantCopy(r, &*valores_[k].second);
            }
        }
        return DISP_E_MEMBERNOTFOUND;
    }

private:
    std::vector<std::pair<std::wstring, V>> valores_;
};

struct Resultado {
    HRESULT hr = E_FAIL;
    V valor;
    std::wstring descripcion;
    HRESULT scode = S_OK;
    bool Bien() const { return SUCCEEDED(hr); }
};

class Despacho {
public:
    Despacho() = default;
    explicit Despacho(IDispatch* d) : d_(d) {}
    static Despacho Crear(const std::wstring& progId) {
        return Despacho(prueba::Crear<IDispatch>(progId).Get());
    }

    IDispatch* get() const { return d_.Get(); }
    explicit operator bool() const { return d_ != nullptr; }
    template <typename I>
    ComPtr<I> As() const {
        ComPtr<I> i;
        if (d_) d_.As(&i);
        return i;
    }

    DISPID Id(const std::wstring& nombre) const {
        DISPID id = DISPID_UNKNOWN;
        LPOLESTR n = const_cast<LPOLESTR>(nombre.c_str());
        d_->GetIDsOfNames(IID_NULL, &n, 1, LOCALE_USER_DEFAULT, &id);
        return id;
    }
    // Arguments in their natural order; the value of a put goes last.
    Resultado Invocar(DISPID id, WORD banderas, std::vector<V> args) const {
        std::vector<VARIANTARG> invertidos;
        for (auto it = args.rbegin(); it != args.rend(); ++it) invertidos.push_back(**it);
        DISPID poner = DISPID_PROPERTYPUT;
        const bool put = banderas & (DISPATCH_PROPERTYPUT | DISPATCH_PROPERTYPUTREF);
        DISPPARAMS p{invertidos.empty() ? nullptr : invertidos.data(), put ? &poner : nullptr,
                     static_cast<UINT>(invertidos.size()), put ? 1u : 0u};
        Resultado r;
        EXCEPINFO e{};
        r.hr = d_->Invoke(id, IID_NULL, LOCALE_USER_DEFAULT, banderas, &p, &*r.valor, &e, nullptr);
        if (r.hr == DISP_E_EXCEPTION && e.pfnDeferredFillIn) e.pfnDeferredFillIn(&e);
        if (e.bstrDescription) r.descripcion = e.bstrDescription;
        r.scode = e.scode;
        for (BSTR b : {e.bstrSource, e.bstrDescription, e.bstrHelpFile}) SysFreeString(b);
        return r;
    }
    Resultado Invocar(const std::wstring& nombre, WORD banderas, std::vector<V> args) const {
        return Invocar(Id(nombre), banderas, std::move(args));
    }
    Resultado Get(const std::wstring& nombre, std::vector<V> args = {}) const {
        return Invocar(nombre, DISPATCH_PROPERTYGET | DISPATCH_METHOD, std::move(args));
    }
    Resultado Put(const std::wstring& nombre, V valor, std::vector<V> args = {}) const {
        args.push_back(std::move(valor));
        return Invocar(nombre, DISPATCH_PROPERTYPUT, std::move(args));
    }
    Resultado Llamar(const std::wstring& nombre, std::vector<V> args = {}) const {
        return Invocar(nombre, DISPATCH_METHOD, std::move(args));
    }
    template <typename H>
    H Manejador(const wchar_t* nombre) const {
        return reinterpret_cast<H>(static_cast<intptr_t>(Get(nombre).valor.Entero()));
    }

private:
    ComPtr<IDispatch> d_;
};

inline bool Advise(IUnknown* control, REFIID iid, IUnknown* sumidero,
                   ComPtr<IConnectionPoint>& punto, DWORD& cookie) {
    ComPtr<IConnectionPointContainer> cpc;
    return control && SUCCEEDED(control->QueryInterface(IID_PPV_ARGS(&cpc))) &&
           SUCCEEDED(cpc->FindConnectionPoint(iid, &punto)) &&
           SUCCEEDED(punto->Advise(sumidero, &cookie));
}

// The library a type is in, and its index there (99: none).
inline std::pair<ComPtr<ITypeLib>, UINT> Biblioteca(ITypeInfo* ti) {
    std::pair<ComPtr<ITypeLib>, UINT> r{nullptr, 99};
    if (ti) ti->GetContainingTypeLib(&r.first, &r.second);
    return r;
}

// The name and help string of a library (MEMBERID_NIL), a type or a member.
template <typename T>
std::string Nombre(T* ti, MEMBERID id = MEMBERID_NIL, std::string* ayuda = nullptr) {
    BSTR n = nullptr, a = nullptr;
    ti->GetDocumentation(id, &n, &a, nullptr, nullptr);
    if (ayuda) *ayuda = DeBstr(a);
    SysFreeString(a);
    return Soltar(n);
}

// A type's attributes (null when it has none) while this lives.
struct Atributos {
    ITypeInfo* ti;
    TYPEATTR* a = nullptr;
    explicit Atributos(ITypeInfo* t) : ti(t) { ti->GetTypeAttr(&a); }
    ~Atributos() { ti->ReleaseTypeAttr(a); }
    TYPEATTR* operator->() const { return a; }
};

// An event: its name, its arguments (by-reference ones as they were on
// entry) and their names.
struct Evento {
    std::wstring nombre;
    std::vector<V> args;
    std::vector<std::string> parametros;
};

// Gives a by-reference argument the value `v`; false when it cannot.
inline bool PonerRef(VARIANTARG* r, V v) {
    V c;
    const VARTYPE t = V_VT(r) & ~VT_BYREF;
    if (!(V_VT(r) & VT_BYREF) || FAILED(VariantChangeType(&*c, &*v, 0, t))) return false;
    if (t == VT_BOOL) *V_BOOLREF(r) = V_BOOL(&*c);
    if (t == VT_I2) *V_I2REF(r) = V_I2(&*c);
    if (t == VT_R4) *V_R4REF(r) = V_R4(&*c);
    return true;
}

// A sink of a control's default event interface: records every event; a
// handler may change the by-reference arguments.
class Sumidero final : public relivo::com::ObjetoSimple<DelAnfitrion<>, IID_IDispatch> {
public:
    using Manejador = std::function<void(Evento& evento, std::vector<VARIANTARG*>& porReferencia)>;

    // A new sink, connected to `control` when it is given.
    static ComPtr<Sumidero> Crear(const Despacho* control = nullptr) {
        ComPtr<Sumidero> s = Nuevo<Sumidero>();
        EXPECT_TRUE(!control || s->Conectar(*control)) << "conectar el sumidero";
        return s;
    }

    STDMETHODIMP Invoke(DISPID id, REFIID, LCID, WORD, DISPPARAMS* p, VARIANT*, EXCEPINFO*,
                        UINT*) override {
        Evento e;
        BSTR n[16] = {};
        UINT k = 0;
        if (info_) info_->GetNames(id, n, 16, &k);
        e.nombre = k ? n[0] : L"";
        for (UINT j = 1; j < k; ++j) e.parametros.push_back(DeBstr(n[j]));
        for (BSTR b : n) SysFreeString(b);
        std::vector<VARIANTARG*> porReferencia;
        for (UINT i = p->cArgs; i-- > 0;) {
            porReferencia.push_back(&p->rgvarg[i]);
            VariantCopyInd(&*e.args.emplace_back(), &p->rgvarg[i]);
        }
        // Recorded first: events the handler causes come after this one.
        const size_t indice = eventos.size();
        eventos.push_back(e);
        if (manejador) manejador(eventos[indice], porReferencia);
        return respuesta;
    }

    bool Conectar(const Despacho& control) {
        ComPtr<IProvideClassInfo2> pci = control.As<IProvideClassInfo2>();
        ComPtr<ITypeInfo> clase;
        if (!pci || FAILED(pci->GetGUID(GUIDKIND_DEFAULT_SOURCE_DISP_IID, &iid_))) return false;
        pci->GetClassInfo(&clase);
        if (auto tl = Biblioteca(clase.Get()).first) tl->GetTypeInfoOfGuid(iid_, &info_);
        return Advise(control.get(), iid_, static_cast<IDispatch*>(this), punto_, cookie_);
    }
    HRESULT Desconectar() {
        if (!punto_) return S_FALSE;
        const HRESULT hr = punto_->Unadvise(cookie_);
        punto_.Reset();
        return hr;
    }
    std::vector<Evento> De(const std::wstring& nombre) const {
        std::vector<Evento> r;
        for (const Evento& e : eventos) {
            if (e.nombre == nombre) r.push_back(e);
        }
        return r;
    }

    std::vector<Evento> eventos;
    Manejador manejador;
    HRESULT respuesta = S_OK;

private:
    bool Tambien(REFIID riid) const override { return riid == iid_; }

    IID iid_ = IID_NULL;
    ComPtr<ITypeInfo> info_;
    ComPtr<IConnectionPoint> punto_;
    DWORD cookie_ = 0;
};

// A VARTYPE by its name without VT_.
inline VARTYPE Tipo(const std::string& nombre) {
    // clang-format off
    static const std::map<std::string, VARTYPE> kTipos = {
        {"EMPTY", VT_EMPTY}, {"NULL", VT_NULL}, {"I1", VT_I1}, {"UI1", VT_UI1}, {"I2", VT_I2},
        {"UI2", VT_UI2}, {"I4", VT_I4}, {"UI4", VT_UI4}, {"I8", VT_I8}, {"UI8", VT_UI8},
        {"INT", VT_INT}, {"UINT", VT_UINT}, {"R4", VT_R4}, {"R8", VT_R8}, {"CY", VT_CY},
        {"DATE", VT_DATE}, {"DECIMAL", VT_DECIMAL}, {"BOOL", VT_BOOL}, {"BSTR", VT_BSTR},
        {"ERROR", VT_ERROR}, {"UNKNOWN", VT_UNKNOWN}, {"DISPATCH", VT_DISPATCH},
        {"VARIANT", VT_VARIANT}};
    // clang-format on
    return kTipos.at(nombre);
}

// The values of the data files (see data/pasos.jsonl); what references refer
// to lives here.
class Notacion {
public:
    explicit Notacion(const Despacho& control) : control_(control) {}
    V Valor(const Json& j) {
        if (j.is_number_integer()) return V(j.get<int>());
        if (j.is_number()) return V(j.get<double>());
        if (j.is_string()) return V(Utf16(j.get<std::string>()));
        if (j.is_boolean()) return V(j.get<bool>());
        if (j.is_null()) return V();
        if (j.contains("falta")) return V::Falta();
        if (j.contains("conValor")) {
            return V(&objetos_.emplace_back(
                std::vector{std::pair{std::wstring(), Valor(j["conValor"])}}));
        }
        if (j.contains("largo")) return V(std::wstring(j["largo"].get<size_t>(), L'x'));
        if (j.contains("bstrNulo")) return V(VT_BSTR, [](VARIANT& v) { V_BSTR(&v) = nullptr; });
        if (j.contains("ref")) return V::Ref(VT_VARIANT, &*Guardar(j["ref"]));
        if (j.contains("porRef")) {
            VARIANT& v = *Guardar(j["porRef"]);
            return V::Ref(V_VT(&v), &V_I4(&v));
        }
        if (j.contains("lista")) {
            const VARTYPE de = Tipo(j.value("de", "I4"));
            SAFEARRAY* a = SafeArrayCreateVector(de, 0, j["lista"].get<ULONG>());
            return V(VT_ARRAY | de, [a](VARIANT& v) { V_ARRAY(&v) = a; });
        }
        if (j.contains("objeto")) {
            const VARTYPE t = Tipo(j.value("vt", "DISPATCH"));
            if (j["objeto"].is_null()) return V(nullptr, t);
            if (j["objeto"] == "control") return V(control_.get(), t);
            return V(control_.Get(Utf16(j["objeto"].get<std::string>())).valor.Objeto(), t);
        }
        const VARTYPE t = Tipo(j["vt"]);
        if (t == VT_NULL || t == VT_EMPTY) return V(t, [](VARIANT&) {});
        if (t == VT_ERROR) return V(t, [&](VARIANT& v) { V_ERROR(&v) = j["v"].get<HRESULT>(); });
        V r, doble(j["v"].is_string() ? std::numeric_limits<double>::quiet_NaN()
                                      : j["v"].get<double>());
        // Integers of the machine's width convert as their fixed-width twins.
        const VARTYPE como = t == VT_INT ? VARTYPE{VT_I4} : t == VT_UINT ? VARTYPE{VT_UI4} : t;
        EXPECT_EQ(VariantChangeType(&*r, &*doble, 0, como), S_OK) << j.dump();
        V_VT(&*r) = t;
        return r;
    }

private:
    V& Guardar(const Json& j) { return guardados_.emplace_back(Valor(j)); }

    const Despacho& control_;
    std::list<V> guardados_;
    std::list<Propiedades> objetos_;
};

// A value as the kind of what is expected of it (null: Nothing), and
// compared with it.
inline Json Como(const V& v, const Json& esperado) {
    if (esperado.is_string()) return v.Texto();
    if (esperado.is_boolean()) return v.Booleano();
    if (esperado.is_number()) return v.Doble();
    return v.Objeto() ? Json("un objeto") : Json();
}
inline void Esperado(const V& v, const Json& esperado, const std::string& que) {
    EXPECT_EQ(Como(v, esperado), esperado) << que;
}

// The steps of a scenario of data/pasos.jsonl (described there) on a control
// whose events `s` records.
class Pasos {
public:
    Pasos(const Despacho& c, Sumidero& s) : c_(c), s_(s), notacion_(c) {}

    void Correr(const std::vector<Json>& pasos, size_t& i, const std::string& escenario) {
        for (; i < pasos.size() && !pasos[i].contains("control"); ++i) {
            Paso(pasos[i], escenario + ", " + pasos[i].value("que", pasos[i].dump()));
        }
        if (otro_) otro_->Desconectar();
    }

    void Paso(const Json& p, const std::string& que) {
        // clang-format off
        static const std::map<std::string, HRESULT> kHr = {
            {"S_OK", S_OK}, {"E_FAIL", E_FAIL}, {"DISP_E_EXCEPTION", DISP_E_EXCEPTION},
            {"DISP_E_TYPEMISMATCH", DISP_E_TYPEMISMATCH}, {"DISP_E_OVERFLOW", DISP_E_OVERFLOW},
            {"DISP_E_MEMBERNOTFOUND", DISP_E_MEMBERNOTFOUND}};
        static const std::map<std::string, UINT> kMensajes = {
            {"KEYDOWN", WM_KEYDOWN}, {"CHAR", WM_CHAR}, {"KEYUP", WM_KEYUP},
            {"LBUTTONDOWN", WM_LBUTTONDOWN}, {"MOUSEMOVE", WM_MOUSEMOVE},
            {"LBUTTONUP", WM_LBUTTONUP}, {"LBUTTONDBLCLK", WM_LBUTTONDBLCLK}};
        static const std::map<std::string, WORD> kLlamadas = {
            {"get", DISPATCH_PROPERTYGET | DISPATCH_METHOD}, {"put", DISPATCH_PROPERTYPUT},
            {"putref", DISPATCH_PROPERTYPUTREF}, {"llamar", DISPATCH_METHOD}};
        // clang-format on
        if (p.value("borrar", false)) s_.eventos.clear();
        if (p.contains("respuesta")) s_.respuesta = kHr.at(p["respuesta"].get<std::string>());
        if (p.contains("al")) Al(p, que);
        if (p.value("otro", false)) otro_ = Sumidero::Crear(&c_);
        if (p.value("desconectar", false)) s_.Desconectar();
        EXPECT_TRUE(!p.value("conectar", false) || s_.Conectar(c_)) << que + ": conectar";
        if (p.contains("id")) {
            EXPECT_EQ(c_.Id(Utf16(p["id"].get<std::string>())), p["igual"].get<DISPID>()) << que;
            return;
        }
        // One call, by name or by DISPID; the value of a put goes last.
        std::vector<V> args;
        for (const Json& a : p.value("args", Json::array())) args.push_back(notacion_.Valor(a));
        if (p.contains("valor")) args.push_back(notacion_.Valor(p["valor"]));
        const size_t antes = s_.eventos.size();
        Resultado r;
        for (const auto& [clave, banderas] : kLlamadas) {
            if (!p.contains(clave)) continue;
            const Json& m = p[clave];
            r = m.is_number() ? c_.Invocar(m.get<DISPID>(), banderas, args)
                              : c_.Invocar(Utf16(m.get<std::string>()), banderas, args);
        }
        if (p.contains("congelar")) r.hr = c_.As<IOleControl>()->FreezeEvents(p["congelar"]);
        HWND h = p.contains("mensajes") ? c_.Manejador<HWND>(L"hWnd") : nullptr;
        for (const Json& m : p.value("mensajes", Json::array())) {
            SendMessageW(h, kMensajes.at(m[0].get<std::string>()), m[1].get<WPARAM>(),
                         MAKELPARAM(m[2].get<int>(), m[3].get<int>()));
        }
        const std::string hr = p.value("hr", "");
        EXPECT_TRUE(hr == "bien"      ? r.Bien()
                    : hr == "falla"   ? FAILED(r.hr)
                    : hr == "no S_OK" ? r.hr != S_OK
                                      : hr.empty() || r.hr == kHr.at(hr))
            << que + ": la llamada da " + hr;
        EXPECT_TRUE(!p.contains("scode") ||
                    r.scode == MAKE_HRESULT(1, FACILITY_CONTROL, p["scode"].get<int>()))
            << que + ": número de error " + p.value("scode", Json()).dump();
        if (p.contains("descripcion")) Esperado(V(r.descripcion), p["descripcion"], que);
        if (p.contains("igual")) Esperado(r.valor, p["igual"], que);
        EXPECT_TRUE(!p.contains("tipo") || r.valor.Tipo() == Tipo(p["tipo"])) << que + ": tipo";
        EXPECT_TRUE(!p.contains("mayor") || r.valor.Doble() > p["mayor"].get<double>()) << que;
        EXPECT_TRUE(!p.contains("eventos") || s_.eventos.size() - antes == p["eventos"]) << que;
        if (p.contains("orden")) {
            std::wstring orden;
            for (size_t k = antes; k < s_.eventos.size(); ++k) orden += s_.eventos[k].nombre + L" ";
            EXPECT_EQ(Utf8(orden), p["orden"].get<std::string>() + " ") << que;
        }
        for (const char* k : {"cuenta", "cuentaOtro"}) {
            const Json cuenta = p.value(k, Json::object());
            for (const auto& [nombre, n] : cuenta.items()) {
                const Sumidero& de = std::string(k) == "cuenta" ? s_ : *otro_.Get();
                EXPECT_EQ(de.De(Utf16(nombre)).size(), n.get<size_t>()) << que + ": " + nombre;
            }
        }
        if (p.contains("evento")) {
            const Json& e = p["evento"];
            const auto de = s_.De(Utf16(e[0].get<std::string>()));
            if (RELIVO_CUMPLE(!de.empty(), que + ": evento " + e[0].get<std::string>())) {
                for (size_t k = 1; k < e.size() && k <= de.back().args.size(); ++k) {
                    Esperado(de.back().args[k - 1], e[k], que + ": argumento " + std::to_string(k));
                }
            }
        }
        for (size_t k = 0; k < p.value("argsDespues", Json::array()).size(); ++k) {
            Esperado(args[k], p["argsDespues"][k], que + ": argumento tras la llamada");
        }
    }

private:
    void Al(const Json& p, const std::string& que) {
        s_.manejador = nullptr;
        if (p["al"].is_null()) return;
        s_.manejador = [this, p, que, n = 0](Evento& e, std::vector<VARIANTARG*>& ref) mutable {
            if (e.nombre != Utf16(p["al"].get<std::string>()) ||
                (p.contains("si") && e.args[0].Texto() != p["si"]) ||
                n++ >= p.value("veces", 1 << 30)) {
                return;
            }
            if (p.contains("ref")) {
                EXPECT_TRUE(PonerRef(ref.at(p["ref"][0]), notacion_.Valor(p["ref"][1]))) << que;
            }
            for (const Json& h : p.value("hacer", Json::array())) Paso(h, que + " (manejador)");
        };
    }

    const Despacho& c_;
    Sumidero& s_;
    Notacion notacion_;
    ComPtr<Sumidero> otro_;
};

// ---- Pictures: pixels as r + 256 g + 65536 b, top row first.
struct Mapa {
    int ancho = 0, alto = 0;
    std::vector<uint32_t> p;
    uint32_t En(int x, int y) const { return p[static_cast<size_t>(y) * ancho + x]; }
    bool operator==(const Mapa&) const = default;
};

// The pixels of a bitmap; of one compatible with the device context of
// `ventana` (null: the screen) that `dibujar` draws on, given that context
// too (empty when it fails).
inline Mapa LeerMapa(HBITMAP h) {
    Mapa m;
    BITMAP bm{};
    if (!GetObject(h, sizeof(bm), &bm)) return m;
    BITMAPINFO bi = relivo::CabeceraDib32(bm.bmWidth, bm.bmHeight);
    m.ancho = bm.bmWidth;
    m.alto = bm.bmHeight;
    m.p.resize(static_cast<size_t>(m.ancho) * m.alto);
    HDC dc = CreateCompatibleDC(nullptr);
    GetDIBits(dc, h, 0, static_cast<UINT>(m.alto), m.p.data(), &bi, DIB_RGB_COLORS);
    DeleteDC(dc);
    for (uint32_t& v : m.p) v = ((v >> 16) & 0xFF) | (v & 0xFF00) | ((v & 0xFF) << 16);
    return m;
}
inline Mapa Dibujado(HWND ventana, int ancho, int alto,
                     const std::function<bool(HDC, HDC)>& dibujar) {
    HDC origen = GetDC(ventana), dc = CreateCompatibleDC(origen);
    HBITMAP b = CreateCompatibleBitmap(origen, ancho, alto);
    HGDIOBJ antes = SelectObject(dc, b);
    const bool bien = dibujar(dc, origen);
    SelectObject(dc, antes);
    const Mapa m = bien ? LeerMapa(b) : Mapa();
    DeleteObject(b);
    DeleteDC(dc);
    ReleaseDC(ventana, origen);
    return m;
}

// The pixels of the picture object a control's property gives, holding a
// bitmap (empty: none).
inline Mapa LeerImagen(const Despacho& control, const wchar_t* propiedad = L"Grafica") {
    const ComPtr<IPicture> pic = Despacho(control.Get(propiedad).valor.Objeto()).As<IPicture>();
    OLE_HANDLE h = 0;
    SHORT tipo = 0;
    if (!pic) return {};
    pic->get_Type(&tipo);
    if (tipo != PICTYPE_BITMAP || FAILED(pic->get_Handle(&h))) return {};
    return LeerMapa(reinterpret_cast<HBITMAP>(static_cast<UINT_PTR>(h)));
}

// A binary PPM file's pixels (empty when it cannot be read).
inline Mapa LeerPpm(const std::string& ruta) {
    std::ifstream f(ruta, std::ios::binary);
    std::string magia;
    int maximo = 0;
    Mapa m;
    if (!(f >> magia >> m.ancho >> m.alto >> maximo) || magia != "P6" || maximo != 255) return {};
    f.get();
    m.p.assign(static_cast<size_t>(m.ancho) * m.alto, 0);
    for (uint32_t& v : m.p) {
        for (int k = 0; k < 3; ++k) v |= static_cast<uint32_t>(f.get()) << 8 * k;
    }
    return f ? m : Mapa();
}

// A picture compared with the Linux build's (each one's button face taken as
// the other's). A pixel that differs is near when its colour lies within one
// pixel in the other picture, or a black outline or a red axis within one
// pixel in the reference: two rasterisers may round edges one pixel apart.
inline void CompararConLinux(const Mapa& a, const Mapa& b, const std::string& que) {
    const uint32_t fondo = GetSysColor(COLOR_BTNFACE);
    ASSERT_TRUE(b.ancho > 0 && a.ancho == b.ancho && a.alto == b.alto)
        << que + ": la imagen de Linux, y su tamaño";
    auto color = [&](int x, int y) { return a.En(x, y) == fondo ? 0xF0F0F0 : a.En(x, y); };
    long distintos = 0, lejanos = 0;
    for (int y = 0; y < a.alto; ++y) {
        for (int x = 0; x < a.ancho; ++x) {
            const uint32_t v = color(x, y);
            if (v == b.En(x, y)) continue;
            ++distintos;
            bool cerca = false;
            for (int dy = -1; dy <= 1; ++dy) {
                for (int dx = -1; dx <= 1; ++dx) {
                    const int u = x + dx, w = y + dy;
                    if (u < 0 || w < 0 || u >= a.ancho || w >= a.alto) continue;
                    const uint32_t r = b.En(u, w);
                    cerca = cerca || r == v || color(u, w) == b.En(x, y) || r == 0 || r == 0xFF;
                }
            }
            lejanos += !cerca;
        }
    }
    std::printf("%s: %ld de %d píxeles distintos, %ld a más de un píxel\n", que.c_str(), distintos,
                b.ancho * b.alto, lejanos);
    EXPECT_EQ(lejanos, 0L) << que + ": cada píxel, a lo sumo a uno del de Linux";
    EXPECT_TRUE(distintos * 100 <= 3L * b.ancho * b.alto)
        << que + ": a lo sumo un 3 % de píxeles en los bordes";
}

}  // namespace prueba
