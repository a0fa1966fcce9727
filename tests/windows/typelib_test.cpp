// The type library "Carvex" 11.0 as a client loads it back from the file,
// compared with a reviewed dump (data/carvex_typelib.txt): its attributes
// and system ("native": the file's width), its six types in order with
// their flags and GUIDs, the index each one is found at (its own, by GUID
// and by name), every member of the four interfaces (function-table slot,
// identifier, kind, argument names, types and flags, return type, help
// string), the implemented interfaces with the library they come from
// (IDispatch from stdole2) and the dual interfaces' function-table sides
// with their GUID. The dump does not depend on the width. It shows what
// arrange_typelib.pl rewrites in the file the IDL compiler made (the types
// in the wanted order, every reference following, the non-extensible flag
// of the event interfaces).
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

std::string Guid(const GUID& g) {
    wchar_t t[40];
    StringFromGUID2(g, t, 40);
    return prueba::Utf8(t);
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

// The library a type is in, and its index there.
ComPtr<ITypeLib> Biblioteca(ITypeInfo* ti, UINT& indice) {
    ComPtr<ITypeLib> tl;
    indice = 99;
    if (ti) ti->GetContainingTypeLib(&tl, &indice);
    return tl;
}

ComPtr<ITypeInfo> Implementada(ITypeInfo* ti, int k) {
    HREFTYPE h = 0;
    ComPtr<ITypeInfo> r;
    if (SUCCEEDED(ti->GetRefTypeOfImplType(static_cast<UINT>(k), &h))) ti->GetRefTypeInfo(h, &r);
    return r;
}

std::string TextoTipo(ITypeInfo* ti, const TYPEDESC& t) {
    static const std::map<VARTYPE, const char*> kNombres = {
        {VT_I2, "short"},          {VT_I4, "long"},
        {VT_R4, "float"},          {VT_R8, "double"},
        {VT_BSTR, "BSTR"},         {VT_BOOL, "VARIANT_BOOL"},
        {VT_VARIANT, "VARIANT"},   {VT_DISPATCH, "IDispatch*"},
        {VT_UNKNOWN, "IUnknown*"}, {VT_HRESULT, "HRESULT"},
        {VT_VOID, "void"},         {VT_UI1, "unsigned char"}};
    if (t.vt == VT_PTR) return TextoTipo(ti, *t.lptdesc) + "*";
    if (t.vt != VT_USERDEFINED) {
        return kNombres.contains(t.vt) ? kNombres.at(t.vt) : "vt" + std::to_string(t.vt);
    }
    ComPtr<ITypeInfo> ref;
    UINT i = 0;
    ti->GetRefTypeInfo(t.hreftype, &ref);
    ComPtr<ITypeLib> tl = Biblioteca(ref.Get(), i);
    BSTR biblioteca = nullptr;
    if (!tl) return "?";
    tl->GetDocumentation(-1, &biblioteca, nullptr, nullptr, nullptr);
    const std::string r = DeBstr(biblioteca) + "." + Nombre(ref.Get());
    SysFreeString(biblioteca);
    return r;
}

template <typename T>
std::string Banderas(T valor, std::initializer_list<std::pair<T, const char*>> nombres) {
    std::string r;
    for (const auto& [b, n] : nombres) {
        if (valor & b) r += (r.empty() ? "" : "|") + std::string(n);
        valor = static_cast<T>(valor & ~b);
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
    const INVOKEKIND k = fd->invkind;
    char id[16];
    std::snprintf(id, sizeof id, "0x%08lX", static_cast<unsigned long>(fd->memid));
    o << "  "
      << (fd->funckind == FUNC_PUREVIRTUAL
              ? "slot " + std::to_string(fd->oVft / static_cast<int>(sizeof(void*)))
          : fd->funckind == FUNC_DISPATCH ? "dispatch"
                                          : "funckind " + std::to_string(fd->funckind))
      << " id " << id << " "
      << (k == INVOKE_PROPERTYGET      ? "get"
          : k == INVOKE_PROPERTYPUT    ? "put"
          : k == INVOKE_PROPERTYPUTREF ? "putref"
                                       : "method")
      << " " << (n ? DeBstr(nombres[0]) : "?") << "(";
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
    for (UINT j = 0; j < n; ++j) SysFreeString(nombres[j]);
    ti->ReleaseFuncDesc(fd);
}

// The implemented (or inherited) interfaces of a type, with the GUID of the
// library each one comes from.
void VolcarImplementadas(std::ostream& o, ITypeInfo* ti, WORD cuantas) {
    for (int k = 0; k < cuantas; ++k) {
        INT banderas = 0;
        ti->GetImplTypeFlags(static_cast<UINT>(k), &banderas);
        ComPtr<ITypeInfo> r = Implementada(ti, k);
        UINT i = 0;
        ComPtr<ITypeLib> tl = Biblioteca(r.Get(), i);
        TLIBATTR* la = nullptr;
        if (tl) tl->GetLibAttr(&la);
        o << "  implements " << (r ? Nombre(r.Get()) + " " + Guid(Atributos(r.Get())->guid) : "?")
          << " from " << (la ? Guid(la->guid) : "?") << " flags "
          << Banderas<INT>(banderas, {{IMPLTYPEFLAG_FDEFAULT, "default"},
                                      {IMPLTYPEFLAG_FSOURCE, "source"},
                                      {IMPLTYPEFLAG_FRESTRICTED, "restricted"}})
          << "\n";
        if (la) tl->ReleaseTLibAttr(la);
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
    const SYSKIND nativo = sizeof(void*) == 8 ? SYS_WIN64 : SYS_WIN32;
    o << "library " << DeBstr(nombre) << " " << Guid(la->guid) << " version " << la->wMajorVerNum
      << "." << la->wMinorVerNum << " lcid " << la->lcid << " flags " << la->wLibFlags << " sys "
      << (la->syskind == nativo ? "native" : std::to_string(la->syskind)) << " help \""
      << DeBstr(ayuda) << "\"\n";
    SysFreeString(nombre);
    SysFreeString(ayuda);
    tl->ReleaseTLibAttr(la);
    for (UINT i = 0; i < tl->GetTypeInfoCount(); ++i) {
        ComPtr<ITypeInfo> ti, por_guid, por_nombre;
        tl->GetTypeInfo(i, &ti);
        std::string texto;
        const std::string n = Nombre(ti.Get(), MEMBERID_NIL, &texto);
        const Atributos a(ti.Get());
        std::wstring w = prueba::Utf16(n);
        MEMBERID id = 0;
        USHORT cuantos = 1;
        tl->GetTypeInfoOfGuid(a->guid, &por_guid);
        tl->FindName(w.data(), 0, por_nombre.GetAddressOf(), &id, &cuantos);
        UINT propio, g, m;
        Biblioteca(ti.Get(), propio), Biblioteca(por_guid.Get(), g);
        Biblioteca(cuantos == 1 ? por_nombre.Get() : nullptr, m);
        o << "type " << i << " " << n << " " << Clase(a->typekind) << " " << Guid(a->guid)
          << " flags " << BanderasTipo(a->wTypeFlags) << " version " << a->wMajorVerNum << "."
          << a->wMinorVerNum << " found at " << propio << " " << g << " " << m << " help \""
          << texto << "\"\n";
        VolcarImplementadas(o, ti.Get(), a->cImplTypes);
        ComPtr<ITypeInfo> miembros = ti;
        if (a->typekind == TKIND_DISPATCH && (a->wTypeFlags & TYPEFLAG_FDUAL)) {
            miembros = Implementada(ti.Get(), -1);
            if (!miembros) {
                o << "  no function-table side\n";
                continue;
            }
            const Atributos v(miembros.Get());
            o << "  " << Clase(v->typekind) << " side " << Guid(v->guid) << " flags "
              << BanderasTipo(v->wTypeFlags) << " slots "
              << v->cbSizeVft / static_cast<int>(sizeof(void*)) << "\n";
            VolcarImplementadas(o, miembros.Get(), v->cImplTypes);
        }
        const Atributos am(miembros.Get());
        for (UINT f = 0; f < am->cFuncs; ++f) VolcarMiembro(o, miembros.Get(), f);
    }
    return o.str();
}

std::vector<std::string> Lineas(const std::string& texto) {
    std::vector<std::string> r;
    std::istringstream s(texto);
    for (std::string l; std::getline(s, l);) r.push_back(l);
    return r;
}

TEST(BibliotecaTipos, IgualAlVolcadoRevisado) {
    ComPtr<ITypeLib> tl;
    ASSERT_EQ(LoadTypeLibEx(prueba::Utf16(prueba::Argumentos()[0]).c_str(), REGKIND_NONE, &tl),
              S_OK);
    const std::string volcado = Volcado(tl.Get());
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

}  // namespace

int main(int argc, char** argv) {
    return prueba::Principal(argc, argv, "ARCHIVO VOLCADO [VOLCADO_NUEVO]", 2, 3);
}
