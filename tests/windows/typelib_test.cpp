// The type library "Carvex" 11.0 as a client loads it back from the file,
// compared with a reviewed dump (data/carvex_typelib.txt): its attributes,
// its six types in order with their flags and GUIDs, every member of the
// four interfaces (function-table slot, identifier, kind, argument names,
// types and flags, return type, help string) and the implemented
// interfaces of the two classes. The dump does not depend on the width.
// The dump shows what arrange_typelib.pl rewrites in the file the IDL
// compiler made (the types in the wanted order, every reference following,
// the non-extensible flag of the event interfaces); then what it does not
// show: each type found at its new index by GUID and by name, the dual
// interfaces' two sides sharing a GUID, IDispatch imported from stdole2, and
// the system of the file's width.
//
//   typelib_test FILE DUMP [NEW_DUMP]   (FILE: Relivo.ocx or the .tlb;
//                                        NEW_DUMP receives this file's dump)
#include <algorithm>
#include <fstream>
#include <sstream>

#include "tests/windows/support.h"

namespace {

using prueba::ComPtr;
using prueba::DeBstr;
using prueba::Utf8;

std::string Guid(const GUID& g) {
    wchar_t t[40];
    StringFromGUID2(g, t, 40);
    return Utf8(std::wstring_view(t));
}

std::string Nombre(ITypeInfo* ti, MEMBERID id = MEMBERID_NIL, std::string* ayuda = nullptr) {
    BSTR n = nullptr, a = nullptr;
    ti->GetDocumentation(id, &n, &a, nullptr, nullptr);
    std::string r = DeBstr(n);
    if (ayuda) *ayuda = DeBstr(a);
    SysFreeString(n);
    SysFreeString(a);
    return r;
}

struct Atributos {
    ITypeInfo* ti;
    TYPEATTR* a = nullptr;
    explicit Atributos(ITypeInfo* t) : ti(t) { ti->GetTypeAttr(&a); }
    ~Atributos() { ti->ReleaseTypeAttr(a); }
    TYPEATTR* operator->() const { return a; }
};

ComPtr<ITypeInfo> Referida(ITypeInfo* ti, HREFTYPE h) {
    ComPtr<ITypeInfo> r;
    ti->GetRefTypeInfo(h, &r);
    return r;
}

ComPtr<ITypeInfo> Implementada(ITypeInfo* ti, int k) {
    HREFTYPE h = 0;
    if (FAILED(ti->GetRefTypeOfImplType(static_cast<UINT>(k), &h))) return nullptr;
    return Referida(ti, h);
}

std::string TextoTipo(ITypeInfo* ti, const TYPEDESC& t) {
    switch (t.vt) {
        case VT_PTR:
            return TextoTipo(ti, *t.lptdesc) + "*";
        case VT_USERDEFINED: {
            ComPtr<ITypeInfo> ref = Referida(ti, t.hreftype);
            ComPtr<ITypeLib> tl;
            UINT indice = 0;
            if (!ref || FAILED(ref->GetContainingTypeLib(&tl, &indice))) return "?";
            BSTR biblioteca = nullptr;
            tl->GetDocumentation(-1, &biblioteca, nullptr, nullptr, nullptr);
            const std::string r = DeBstr(biblioteca) + "." + Nombre(ref.Get());
            SysFreeString(biblioteca);
            return r;
        }
        default: {
            static const std::pair<VARTYPE, const char*> kNombres[] = {
                {VT_I2, "short"},          {VT_I4, "long"},
                {VT_R4, "float"},          {VT_R8, "double"},
                {VT_BSTR, "BSTR"},         {VT_BOOL, "VARIANT_BOOL"},
                {VT_VARIANT, "VARIANT"},   {VT_DISPATCH, "IDispatch*"},
                {VT_UNKNOWN, "IUnknown*"}, {VT_HRESULT, "HRESULT"},
                {VT_VOID, "void"},         {VT_UI1, "unsigned char"}};
            for (const auto& [vt, n] : kNombres) {
                if (vt == t.vt) return n;
            }
            return "vt" + std::to_string(t.vt);
        }
    }
}

template <typename T>
std::string Banderas(T valor, std::initializer_list<std::pair<T, const char*>> nombres) {
    std::string r;
    for (const auto& [b, n] : nombres) {
        if (valor & b) {
            r += (r.empty() ? "" : "|") + std::string(n);
            valor = static_cast<T>(valor & ~b);
        }
    }
    if (valor != 0) r += (r.empty() ? "" : "|") + std::to_string(valor);
    return r.empty() ? "0" : r;
}

std::string BanderasTipo(WORD f) {
    return Banderas<WORD>(f, {{TYPEFLAG_FAPPOBJECT, "appobject"},
                              {TYPEFLAG_FCANCREATE, "cancreate"},
                              {TYPEFLAG_FLICENSED, "licensed"},
                              {TYPEFLAG_FHIDDEN, "hidden"},
                              {TYPEFLAG_FCONTROL, "control"},
                              {TYPEFLAG_FDUAL, "dual"},
                              {TYPEFLAG_FNONEXTENSIBLE, "nonextensible"},
                              {TYPEFLAG_FOLEAUTOMATION, "oleautomation"},
                              {TYPEFLAG_FRESTRICTED, "restricted"},
                              {TYPEFLAG_FDISPATCHABLE, "dispatchable"}});
}

const char* Clase(TYPEKIND k) {
    return k == TKIND_DISPATCH    ? "dispatch"
           : k == TKIND_INTERFACE ? "interface"
           : k == TKIND_COCLASS   ? "coclass"
                                  : "other";
}

const char* Invocacion(INVOKEKIND k) {
    return k == INVOKE_PROPERTYGET      ? "get"
           : k == INVOKE_PROPERTYPUT    ? "put"
           : k == INVOKE_PROPERTYPUTREF ? "putref"
                                        : "method";
}

// One member: slot (virtual functions) or "dispatch", identifier, kind,
// name, arguments, return type, flags and help string. A get and its put
// share an identifier, and names are looked up by identifier: argument
// names are those of the member itself only for methods and gets.
void VolcarMiembro(std::ostream& o, ITypeInfo* ti, UINT i) {
    FUNCDESC* fd = nullptr;
    if (FAILED(ti->GetFuncDesc(i, &fd))) {
        o << "  member " << i << ": no description\n";
        return;
    }
    BSTR nombres[16] = {};
    UINT n = 0;
    ti->GetNames(fd->memid, nombres, 16, &n);
    const bool con_nombres = fd->invkind == INVOKE_FUNC || fd->invkind == INVOKE_PROPERTYGET;
    o << "  ";
    if (fd->funckind == FUNC_PUREVIRTUAL) {
        o << "slot " << fd->oVft / static_cast<int>(sizeof(void*));
    } else {
        o << (fd->funckind == FUNC_DISPATCH ? "dispatch"
                                            : "funckind " + std::to_string(fd->funckind));
    }
    char id[16];
    std::snprintf(id, sizeof id, "0x%08lX", static_cast<unsigned long>(fd->memid));
    o << " id " << id << " " << Invocacion(fd->invkind) << " " << (n ? DeBstr(nombres[0]) : "?")
      << "(";
    for (SHORT a = 0; a < fd->cParams; ++a) {
        const ELEMDESC& ed = fd->lprgelemdescParam[a];
        o << (a ? ", " : "") << TextoTipo(ti, ed.tdesc);
        if (con_nombres) o << " " << (a + 1u < n ? DeBstr(nombres[a + 1]) : "?");
        o << " ["
          << Banderas<USHORT>(ed.paramdesc.wParamFlags, {{PARAMFLAG_FIN, "in"},
                                                         {PARAMFLAG_FOUT, "out"},
                                                         {PARAMFLAG_FRETVAL, "retval"},
                                                         {PARAMFLAG_FOPT, "optional"},
                                                         {PARAMFLAG_FHASDEFAULT, "default"},
                                                         {PARAMFLAG_FLCID, "lcid"}})
          << "]";
    }
    std::string ayuda;
    Nombre(ti, fd->memid, &ayuda);
    o << ") " << TextoTipo(ti, fd->elemdescFunc.tdesc) << " optional " << fd->cParamsOpt
      << " flags " << fd->wFuncFlags << " help \"" << ayuda << "\"\n";
    for (UINT k = 0; k < n; ++k) SysFreeString(nombres[k]);
    ti->ReleaseFuncDesc(fd);
}

// The implemented (or inherited) interfaces of a type.
void VolcarImplementadas(std::ostream& o, ITypeInfo* ti, WORD cuantas) {
    for (int k = 0; k < cuantas; ++k) {
        INT banderas = 0;
        ti->GetImplTypeFlags(static_cast<UINT>(k), &banderas);
        ComPtr<ITypeInfo> r = Implementada(ti, k);
        o << "  implements " << (r ? Nombre(r.Get()) : "?") << " "
          << (r ? Guid(Atributos(r.Get())->guid) : "?") << " flags "
          << Banderas<INT>(banderas, {{IMPLTYPEFLAG_FDEFAULT, "default"},
                                      {IMPLTYPEFLAG_FSOURCE, "source"},
                                      {IMPLTYPEFLAG_FRESTRICTED, "restricted"}})
          << "\n";
    }
}

// The whole library as stable text. Members of a dual interface are those
// of its function-table side, with their slots.
std::string Volcado(ITypeLib* tl) {
    std::ostringstream o;
    TLIBATTR* la = nullptr;
    tl->GetLibAttr(&la);
    BSTR nombre = nullptr, ayuda = nullptr;
    tl->GetDocumentation(-1, &nombre, &ayuda, nullptr, nullptr);
    o << "library " << DeBstr(nombre) << " " << Guid(la->guid) << " version " << la->wMajorVerNum
      << "." << la->wMinorVerNum << " lcid " << la->lcid << " flags " << la->wLibFlags << " help \""
      << DeBstr(ayuda) << "\"\n";
    SysFreeString(nombre);
    SysFreeString(ayuda);
    tl->ReleaseTLibAttr(la);
    for (UINT i = 0; i < tl->GetTypeInfoCount(); ++i) {
        ComPtr<ITypeInfo> ti;
        tl->GetTypeInfo(i, &ti);
        std::string texto;
        const std::string n = Nombre(ti.Get(), MEMBERID_NIL, &texto);
        const Atributos a(ti.Get());
        o << "type " << i << " " << n << " " << Clase(a->typekind) << " " << Guid(a->guid)
          << " flags " << BanderasTipo(a->wTypeFlags) << " version " << a->wMajorVerNum << "."
          << a->wMinorVerNum << " help \"" << texto << "\"\n";
        VolcarImplementadas(o, ti.Get(), a->cImplTypes);
        ComPtr<ITypeInfo> miembros = ti;
        if (a->typekind == TKIND_DISPATCH && (a->wTypeFlags & TYPEFLAG_FDUAL)) {
            miembros = Implementada(ti.Get(), -1);
            if (!miembros) {
                o << "  no function-table side\n";
                continue;
            }
            const Atributos v(miembros.Get());
            o << "  " << Clase(v->typekind) << " side flags " << BanderasTipo(v->wTypeFlags)
              << " slots " << v->cbSizeVft / static_cast<int>(sizeof(void*)) << "\n";
            VolcarImplementadas(o, miembros.Get(), v->cImplTypes);
        }
        const Atributos m(miembros.Get());
        for (UINT f = 0; f < m->cFuncs; ++f) VolcarMiembro(o, miembros.Get(), f);
    }
    return o.str();
}

std::vector<std::string> Lineas(const std::string& texto) {
    std::vector<std::string> r;
    std::istringstream s(texto);
    for (std::string l; std::getline(s, l);) r.push_back(l);
    return r;
}

class BibliotecaTipos : public testing::Test {
protected:
    void SetUp() override {
        const std::wstring ruta = prueba::Utf16(prueba::Argumentos()[0]);
        ASSERT_EQ(LoadTypeLibEx(ruta.c_str(), REGKIND_NONE, &tl_), S_OK);
    }
    ComPtr<ITypeInfo> Tipo(UINT i) {
        ComPtr<ITypeInfo> ti;
        EXPECT_EQ(tl_->GetTypeInfo(i, &ti), S_OK) << i;
        return ti;
    }
    ComPtr<ITypeLib> tl_;
};

TEST_F(BibliotecaTipos, IgualAlVolcadoRevisado) {
    const std::string volcado = Volcado(tl_.Get());
    if (prueba::Argumentos().size() > 2) {
        std::ofstream(prueba::Argumentos()[2], std::ios::binary) << volcado;
    }
    const std::vector<std::string> esperado = Lineas(prueba::LeerTexto(prueba::Argumentos()[1]));
    const std::vector<std::string> obtenido = Lineas(volcado);
    for (size_t i = 0; i < std::max(esperado.size(), obtenido.size()); ++i) {
        ASSERT_EQ(i < obtenido.size() ? obtenido[i] : "(end)",
                  i < esperado.size() ? esperado[i] : "(end)")
            << "line " << i + 1 << " of the dump";
    }
}

TEST_F(BibliotecaTipos, SistemaDelAncho) {
    TLIBATTR* la = nullptr;
    ASSERT_EQ(tl_->GetLibAttr(&la), S_OK);
    EXPECT_EQ(la->syskind, sizeof(void*) == 8 ? SYS_WIN64 : SYS_WIN32);
    tl_->ReleaseTLibAttr(la);
}

// Each type knows its new index and is found there by GUID and by name; a
// dual interface's function-table side has its GUID.
TEST_F(BibliotecaTipos, TiposEnSuIndice) {
    const char* kOrden[] = {"_Relivo", "Relivo", "_Evaluar", "Evaluar", "__Relivo", "__Evaluar"};
    ASSERT_EQ(tl_->GetTypeInfoCount(), 6u);
    for (UINT i = 0; i < 6; ++i) {
        ComPtr<ITypeInfo> ti = Tipo(i), por_guid, lado;
        ASSERT_TRUE(ti);
        ComPtr<ITypeLib> contenedora;
        UINT indice = 99;
        ASSERT_EQ(ti->GetContainingTypeLib(&contenedora, &indice), S_OK);
        EXPECT_EQ(indice, i) << kOrden[i];
        const GUID guid = Atributos(ti.Get())->guid;
        ASSERT_EQ(tl_->GetTypeInfoOfGuid(guid, &por_guid), S_OK) << kOrden[i];
        EXPECT_EQ(Nombre(por_guid.Get()), kOrden[i]);
        std::wstring nombre = prueba::Utf16(kOrden[i]);
        ComPtr<ITypeInfo> encontrado;
        MEMBERID id = 0;
        USHORT cuantos = 1;
        ASSERT_EQ(tl_->FindName(nombre.data(), 0, encontrado.GetAddressOf(), &id, &cuantos), S_OK);
        ASSERT_EQ(cuantos, 1) << kOrden[i];
        EXPECT_EQ(Nombre(encontrado.Get()), kOrden[i]);
        if (i != 0 && i != 2) continue;
        lado = Implementada(ti.Get(), -1);
        ASSERT_TRUE(lado) << kOrden[i];
        EXPECT_TRUE(IsEqualGUID(Atributos(lado.Get())->guid, guid)) << kOrden[i];
    }
}

// Every interface derives from IDispatch, imported from stdole2 with its
// GUID (the compiled file may lack it).
TEST_F(BibliotecaTipos, IDispatchImportado) {
    for (UINT i : {0u, 2u, 4u, 5u}) {
        ComPtr<ITypeInfo> ti = Tipo(i);
        if (i < 4) ti = Implementada(ti.Get(), -1);
        ComPtr<ITypeInfo> base = Implementada(ti.Get(), 0);
        ASSERT_TRUE(base) << i;
        EXPECT_TRUE(IsEqualGUID(Atributos(base.Get())->guid, IID_IDispatch)) << i;
        EXPECT_EQ(Nombre(base.Get()), "IDispatch") << i;
        ComPtr<ITypeLib> stdole;
        UINT indice = 0;
        ASSERT_EQ(base->GetContainingTypeLib(&stdole, &indice), S_OK);
        TLIBATTR* la = nullptr;
        stdole->GetLibAttr(&la);
        EXPECT_TRUE(IsEqualGUID(la->guid, IID_StdOle)) << i;
        stdole->ReleaseTLibAttr(la);
    }
}

}  // namespace

int main(int argc, char** argv) {
    return prueba::Principal(argc, argv, "ARCHIVO VOLCADO [VOLCADO_NUEVO]", 2, 3);
}
