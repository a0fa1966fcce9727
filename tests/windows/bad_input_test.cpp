// What clients get wrong: every value of data/valores_raros.jsonl in every
// argument of every member, sinks that cannot connect, cookies that do not
// exist, other interfaces. The controls answer with their own error, or the
// call fails with an automation error code; nothing crashes.
//
//   bad_input_test VALORES_RAROS.jsonl
#include <functional>
#include <set>
#include <string>
#include <vector>

#include "tests/windows/support.h"

namespace {

using prueba::ComPtr;
using prueba::Despacho;
using prueba::Json;
using prueba::Notacion;
using prueba::Resultado;
using prueba::Sumidero;
using prueba::Utf16;
using prueba::V;

// A value a typed VARIANT may hold for an argument of type `t`.
V Bueno(ITypeInfo* ti, const TYPEDESC& t, bool opcional) {
    static const std::map<VARTYPE, V> kBuenos = {
        {VT_I2, V(short{1})}, {VT_I4, V(1)},   {VT_UI4, V(1)},      {VT_INT, V(1)},
        {VT_R4, V(1.0f)},     {VT_R8, V(1.0)}, {VT_BOOL, V(false)}, {VT_BSTR, V(L"x")}};
    if (t.vt == VT_PTR) return Bueno(ti, *t.lptdesc, opcional);
    if (t.vt == VT_VARIANT) return opcional ? V::Falta() : V(1);
    ComPtr<ITypeInfo> ref;
    TYPEATTR* a = nullptr;
    if (t.vt == VT_USERDEFINED && SUCCEEDED(ti->GetRefTypeInfo(t.hreftype, &ref)) &&
        SUCCEEDED(ref->GetTypeAttr(&a))) {
        const V r = a->typekind == TKIND_ALIAS ? Bueno(ref.Get(), a->tdescAlias, opcional)
                                               : V(static_cast<IUnknown*>(nullptr));
        ref->ReleaseTypeAttr(a);
        return r;
    }
    const auto it = kBuenos.find(t.vt);
    return it != kBuenos.end() ? it->second : V(static_cast<IUnknown*>(nullptr));
}

const char* const kMal = "No coinciden los tipos";

// The automation layer converts a value for a typed argument or refuses it;
// a Variant argument reaches the member, which takes a value that is neither
// a number nor a text through its error path (13, one Error event; the
// expression and the values stay). No failure escapes a member with the
// error path (`conCamino`); the members passed through to the drawing
// surface let theirs go back to the caller, with no event.
void BarrerMiembros(const wchar_t* progId,
                    const std::function<bool(const std::wstring&)>& conCamino) {
    const std::string control = prueba::Utf8(progId);
    Despacho c = Despacho::Crear(progId);
    ASSERT_TRUE(static_cast<bool>(c)) << control + ": crear";
    auto s = prueba::Nuevo<Sumidero>();
    s->Conectar(c);
    ComPtr<ITypeInfo> ti;
    TYPEATTR* ta = nullptr;
    ASSERT_TRUE(SUCCEEDED(c.get()->GetTypeInfo(0, 0, &ti)) && SUCCEEDED(ti->GetTypeAttr(&ta)));
    Notacion notacion(c);
    std::vector<std::pair<Json, V>> raros;  // each value of the file, and its notation
    for (const Json& j : prueba::LeerLineasJson(prueba::Argumentos()[0])) {
        raros.emplace_back(j, notacion.Valor(j["valor"]));
    }
    int llamadas = 0;
    for (UINT f = 0; f < ta->cFuncs; ++f) {
        FUNCDESC* fd = nullptr;
        ti->GetFuncDesc(f, &fd);
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
        // IUnknown and IDispatch themselves are restricted.
        if (fd->wFuncFlags & FUNCFLAG_FRESTRICTED) args.clear();
        const auto banderas = static_cast<WORD>(fd->invkind);
        const bool camino = conCamino(miembro);
        for (size_t i = 0; i < args.size(); ++i) {
            for (const auto& [raro, valor] : raros) {
                std::vector<V> valores;
                for (size_t k = 0; k < args.size(); ++k) {
                    const bool opcional = args[k].paramdesc.wParamFlags & PARAMFLAG_FOPT;
                    valores.push_back(k == i ? valor : Bueno(ti.Get(), args[k].tdesc, opcional));
                }
                const std::string que = control + "." + prueba::Utf8(miembro) + ", argumento " +
                                        std::to_string(i + 1) + ", con " +
                                        raro["que"].get<std::string>();
                const bool evaluar = control == "Carvex.Evaluar";
                if (evaluar) c.Put(L"Funcion", V(L"x+y")), c.Put(L"Valor", V(3.0), {V(L"x")});
                const std::string funcion = c.Get(L"Funcion").valor.Texto();
                const size_t antes = s->eventos.size(), errores = s->De(L"Error").size();
                const Resultado res = c.Invocar(fd->memid, banderas, valores);
                ++llamadas;
                const TYPEDESC& t = args[i].tdesc;
                if (camino &&
                    (t.vt == VT_VARIANT || (t.vt == VT_PTR && t.lptdesc->vt == VT_VARIANT))) {
                    EXPECT_EQ(res.hr, S_OK) << que + ": llega al miembro y no falla";
                    if (raro["raro"]) {
                        EXPECT_EQ(c.Get(L"NumeroError").valor.Entero(), 13L)
                            << que + ": NumeroError";
                        EXPECT_EQ(c.Get(L"Error").valor.Texto(), kMal) << que + ": Error";
                        const auto e = s->De(L"Error");
                        if (RELIVO_CUMPLE(e.size() == errores + 1, que + ": un evento Error")) {
                            EXPECT_EQ(e.back().args[0].Entero(), 13L) << que + ": NumError";
                            EXPECT_EQ(e.back().args[1].Texto(), kMal) << que + ": DescrError";
                        }
                        EXPECT_EQ(c.Get(L"Funcion").valor.Texto(), funcion) << que + ": Funcion";
                        EXPECT_TRUE(!evaluar || c.Get(L"Valor", {V(L"x")}).valor.Doble() == 3.0)
                            << que + ": el valor de x sigue";
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

TEST(EntradasErroneas, TodosLosMiembros) {
    BarrerMiembros(L"Carvex.Evaluar", [](const std::wstring&) { return true; });
    // Relivo's own members; the rest pass through to the drawing surface.
    const std::set<std::wstring> propios = {
        L"AnguloX", L"AnguloY",       L"AnguloZ",       L"AutoEscalaZ", L"Cancelar", L"Error",
        L"Funcion", L"NumeroLineasX", L"NumeroLineasY", L"NumeroError", L"Graficar", L"XMax",
        L"XMin",    L"YMax",          L"YMin",          L"ZMax",        L"ZMin"};
    BarrerMiembros(L"Carvex.Relivo", [&](const std::wstring& m) { return propios.count(m) > 0; });
}

// A sink that is not a dispatch interface, cookies that do not exist.
TEST(EntradasErroneas, Conexiones) {
    Despacho r = Despacho::Crear(L"Carvex.Relivo");
    ComPtr<IConnectionPointContainer> cpc = r.As<IConnectionPointContainer>();
    ASSERT_TRUE(cpc);
    ComPtr<IConnectionPoint> p;
    EXPECT_EQ(cpc->FindConnectionPoint(IID_IOleObject, &p), CONNECT_E_NOCONNECTION)
        << "punto de una interfaz ajena";
    ComPtr<IEnumConnectionPoints> e;
    cpc->EnumConnectionPoints(&e);
    IConnectionPoint* puntos[3] = {};
    ULONG n = 0;
    e->Next(3, puntos, &n);
    EXPECT_EQ(n, 2ul) << "dos puntos de conexión";
    for (ULONG i = 0; i < n; ++i) ComPtr<IConnectionPoint>().Attach(puntos[i]);  // given to us
    ComPtr<IProvideClassInfo2> pci = r.As<IProvideClassInfo2>();
    IID eventos{};
    EXPECT_EQ(pci->GetGUID(12345, &eventos), E_INVALIDARG) << "GetGUID de otra clase";
    pci->GetGUID(GUIDKIND_DEFAULT_SOURCE_DISP_IID, &eventos);
    ASSERT_EQ(cpc->FindConnectionPoint(eventos, &p), S_OK);
    prueba::DelAnfitrion<IUnknown, IID_IUnknown> u;
    DWORD cookie = 7;
    EXPECT_EQ(p->Advise(&u, &cookie), CONNECT_E_CANNOTCONNECT) << "sumidero sin IDispatch";
    EXPECT_EQ(cookie, DWORD{0}) << "sin cookie";
    EXPECT_EQ(p->Unadvise(4242), CONNECT_E_NOCONNECTION) << "cookie inexistente";
    EXPECT_EQ(p->Advise(nullptr, &cookie), E_POINTER) << "sumidero nulo";
    // Another interface, type information that does not exist.
    for (Despacho c : {Despacho::Crear(L"Carvex.Evaluar"), r}) {
        DISPPARAMS sin{};
        EXPECT_EQ(c.get()->Invoke(c.Id(L"NumeroError"), IID_IUnknown, 0, DISPATCH_PROPERTYGET, &sin,
                                  nullptr, nullptr, nullptr),
                  DISP_E_UNKNOWNINTERFACE)
            << "Invoke con otra interfaz";
        UINT cuantos = 5;
        c.get()->GetTypeInfoCount(&cuantos);
        EXPECT_EQ(cuantos, 1u) << "GetTypeInfoCount";
        ComPtr<ITypeInfo> ti;
        EXPECT_EQ(c.get()->GetTypeInfo(3, 0, &ti), DISP_E_BADINDEX) << "GetTypeInfo(3)";
    }
}

}  // namespace

int main(int argc, char** argv) {
    return prueba::Principal(argc, argv, "VALORES_RAROS.jsonl", 1, 1, true);
}
