// The type library "Carvex" 11.0 as a client loads it back from the file:
// its attributes, the order and flags of its six types, and every member of
// the four interfaces (function-table order, identifiers, kinds, argument
// names, types and flags, return types and help strings, accented ones
// included), and the implemented interfaces of the two classes.
//
//   typelib_test FILE   (Relivo.ocx, or the compiled .tlb)
#include <string>
#include <vector>

#include "tests/windows/harness.h"
#include "tests/windows/typelib_tables.h"

namespace {

using prueba::tipos::EventosEvaluar;
using prueba::tipos::EventosRelivo;
using prueba::tipos::Miembro;
using prueba::tipos::MiembrosEvaluar;
using prueba::tipos::MiembrosRelivo;

std::string Texto(BSTR b) {
    return b ? prueba::Utf8(std::wstring_view(b, SysStringLen(b))) : std::string();
}

std::string TextoTipo(ITypeInfo* ti, const TYPEDESC& t) {
    switch (t.vt) {
        case VT_PTR:
            return TextoTipo(ti, *t.lptdesc) + "*";
        case VT_I2:
            return "short";
        case VT_I4:
            return "long";
        case VT_R4:
            return "float";
        case VT_R8:
            return "double";
        case VT_BSTR:
            return "BSTR";
        case VT_BOOL:
            return "VARIANT_BOOL";
        case VT_VARIANT:
            return "VARIANT";
        case VT_DISPATCH:
            return "IDispatch*";
        case VT_HRESULT:
            return "HRESULT";
        case VT_VOID:
            return "void";
        case VT_USERDEFINED: {
            ITypeInfo* ref = nullptr;
            if (FAILED(ti->GetRefTypeInfo(t.hreftype, &ref))) return "?";
            BSTR nombre = nullptr, biblioteca = nullptr;
            ref->GetDocumentation(MEMBERID_NIL, &nombre, nullptr, nullptr, nullptr);
            ITypeLib* tl = nullptr;
            UINT indice = 0;
            if (SUCCEEDED(ref->GetContainingTypeLib(&tl, &indice))) {
                tl->GetDocumentation(-1, &biblioteca, nullptr, nullptr, nullptr);
                tl->Release();
            }
            const std::string r = Texto(biblioteca) + "." + Texto(nombre);
            SysFreeString(nombre);
            SysFreeString(biblioteca);
            ref->Release();
            return r;
        }
        default:
            return "vt" + std::to_string(t.vt);
    }
}

std::string TextoBanderas(USHORT f) {
    std::string r;
    if (f & PARAMFLAG_FIN) r += 'i';
    if (f & PARAMFLAG_FOUT) r += 'o';
    if (f & PARAMFLAG_FRETVAL) r += 'r';
    if (f & PARAMFLAG_FOPT) r += 'p';
    return r;
}

char Clase(INVOKEKIND k) {
    switch (k) {
        case INVOKE_PROPERTYGET:
            return 'G';
        case INVOKE_PROPERTYPUT:
            return 'P';
        case INVOKE_PROPERTYPUTREF:
            return 'R';
        default:
            return 'M';
    }
}

// Checks the functions of one type description from index `desde` on.
void ComprobarMiembros(ITypeInfo* ti, UINT desde, const std::vector<Miembro>& esperados,
                       const std::string& interfaz, bool eventos) {
    TYPEATTR* ta = nullptr;
    if (!COMPROBAR(SUCCEEDED(ti->GetTypeAttr(&ta)), interfaz + ": atributos")) return;
    IGUALES(static_cast<size_t>(ta->cFuncs), desde + esperados.size(), interfaz + ": funciones");
    const short vft = ta->cbSizeVft;
    ti->ReleaseTypeAttr(ta);
    int desplazamiento = -1;
    for (size_t k = 0; k < esperados.size(); ++k) {
        const Miembro& e = esperados[k];
        const std::string donde = interfaz + "." + e.nombre + " #" + std::to_string(k);
        FUNCDESC* fd = nullptr;
        if (!COMPROBAR(SUCCEEDED(ti->GetFuncDesc(desde + static_cast<UINT>(k), &fd)), donde)) {
            continue;
        }
        IGUALES(fd->memid, e.id, donde + ": identificador");
        IGUALES(Clase(fd->invkind), e.clase, donde + ": clase");
        IGUALES(static_cast<size_t>(fd->cParams), e.parametros.size(), donde + ": argumentos");
        const std::string retorno = TextoTipo(ti, fd->elemdescFunc.tdesc);
        if (eventos) {
            IGUALES(fd->funckind, FUNC_DISPATCH, donde + ": despacho");
            IGUALES(retorno, std::string("void"), donde + ": retorno");
        } else {
            IGUALES(fd->funckind, FUNC_PUREVIRTUAL, donde + ": virtual");
            IGUALES(retorno, std::string("HRESULT"), donde + ": retorno");
            // Consecutive entries of the function table.
            if (desplazamiento >= 0) {
                IGUALES(static_cast<int>(fd->oVft),
                        desplazamiento + static_cast<int>(sizeof(void*)),
                        donde + ": posición en la tabla");
            } else {
                IGUALES(static_cast<int>(fd->oVft), 7 * static_cast<int>(sizeof(void*)),
                        donde + ": primera posición tras IDispatch");
            }
            desplazamiento = fd->oVft;
        }
        IGUALES(fd->wFuncFlags, static_cast<WORD>(0), donde + ": banderas");
        BSTR nombres[16] = {};
        UINT n = 0;
        ti->GetNames(fd->memid, nombres, 16, &n);
        // GetNames answers by identifier: a get and its set share it, so
        // argument names come from the member itself only for methods and
        // gets; for sets the names of the first description are returned.
        IGUALES(Texto(nombres[0]), e.nombre, donde + ": nombre");
        if (e.clase == 'M' || e.clase == 'G') {
            for (size_t a = 0; a < e.parametros.size(); ++a) {
                const std::string nombre = a + 1 < n ? Texto(nombres[a + 1]) : std::string();
                IGUALES(nombre, e.parametros[a].nombre,
                        donde + ": nombre del argumento " + std::to_string(a + 1));
            }
        }
        for (UINT i = 0; i < n; ++i) SysFreeString(nombres[i]);
        for (size_t a = 0; a < e.parametros.size() && a < static_cast<size_t>(fd->cParams); ++a) {
            const ELEMDESC& ed = fd->lprgelemdescParam[a];
            IGUALES(TextoTipo(ti, ed.tdesc), e.parametros[a].tipo,
                    donde + ": tipo del argumento " + std::to_string(a + 1));
            IGUALES(TextoBanderas(ed.paramdesc.wParamFlags), e.parametros[a].banderas,
                    donde + ": banderas del argumento " + std::to_string(a + 1));
        }
        BSTR ayuda = nullptr;
        ti->GetDocumentation(fd->memid, nullptr, &ayuda, nullptr, nullptr);
        IGUALES(Texto(ayuda), e.ayuda, donde + ": texto de ayuda");
        SysFreeString(ayuda);
        ti->ReleaseFuncDesc(fd);
    }
    if (!eventos) {
        IGUALES(static_cast<int>(vft), static_cast<int>((7 + esperados.size()) * sizeof(void*)),
                interfaz + ": tabla");
    }
}

struct TipoEsperado {
    const char* nombre;
    TYPEKIND tipo;
    WORD banderas;
    const wchar_t* guid;
};

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::printf("uso: typelib_test ARCHIVO\n");
        return 2;
    }
    CoInitialize(nullptr);
    const std::wstring ruta = prueba::Utf16(argv[1]);
    ITypeLib* tl = nullptr;
    if (!COMPROBAR(SUCCEEDED(LoadTypeLibEx(ruta.c_str(), REGKIND_NONE, &tl)), "LoadTypeLibEx")) {
        return prueba::Terminar("typelib_test");
    }

    // The library.
    TLIBATTR* la = nullptr;
    tl->GetLibAttr(&la);
    wchar_t guid[40];
    StringFromGUID2(la->guid, guid, 40);
    IGUALES(std::wstring(guid), std::wstring(L"{4311F276-1DD8-4D49-B88B-1198DEA45855}"), "LIBID");
    IGUALES(la->wMajorVerNum, 11, "versión mayor");
    IGUALES(la->wMinorVerNum, 0, "versión menor");
    IGUALES(la->lcid, static_cast<LCID>(0x409), "locale");
    IGUALES(la->syskind, sizeof(void*) == 8 ? SYS_WIN64 : SYS_WIN32, "sistema");
    tl->ReleaseTLibAttr(la);
    BSTR nombre = nullptr, ayuda = nullptr;
    tl->GetDocumentation(-1, &nombre, &ayuda, nullptr, nullptr);
    IGUALES(Texto(nombre), std::string("Carvex"), "nombre de la biblioteca");
    IGUALES(Texto(ayuda), std::string("Carvex"), "ayuda de la biblioteca");
    SysFreeString(nombre);
    SysFreeString(ayuda);

    // The stdole2 import.
    {
        ITypeInfo* ti = nullptr;
        tl->GetTypeInfo(0, &ti);
        HREFTYPE h = 0;
        ITypeInfo* padre = nullptr;
        ti->GetRefTypeOfImplType(0, &h);
        if (COMPROBAR(SUCCEEDED(ti->GetRefTypeInfo(h, &padre)), "_Relivo hereda")) {
            TYPEATTR* pa = nullptr;
            padre->GetTypeAttr(&pa);
            COMPROBAR(IsEqualGUID(pa->guid, IID_IDispatch), "_Relivo hereda de IDispatch");
            padre->ReleaseTypeAttr(pa);
            padre->Release();
        }
        ti->Release();
    }

    // The six types, in order, with their flags.
    const WORD kDual = TYPEFLAG_FHIDDEN | TYPEFLAG_FDUAL | TYPEFLAG_FNONEXTENSIBLE |
                       TYPEFLAG_FOLEAUTOMATION | TYPEFLAG_FDISPATCHABLE;
    const WORD kEventos = TYPEFLAG_FHIDDEN | TYPEFLAG_FNONEXTENSIBLE | TYPEFLAG_FDISPATCHABLE;
    const WORD kClase = TYPEFLAG_FCANCREATE | TYPEFLAG_FCONTROL;
    const TipoEsperado tipos[] = {
        {"_Relivo", TKIND_DISPATCH, kDual, L"{B887F451-6F6A-4B78-933A-AEB66B87172F}"},
        {"Relivo", TKIND_COCLASS, kClase, L"{6DFC504F-04C3-4EF8-BF0F-9845CFA06401}"},
        {"_Evaluar", TKIND_DISPATCH, kDual, L"{1A6CCDD0-25B6-41CB-8B24-297A077FB0F6}"},
        {"Evaluar", TKIND_COCLASS, kClase, L"{37D9727A-C7A6-4695-9D79-EE18F8557D67}"},
        {"__Relivo", TKIND_DISPATCH, kEventos, L"{74CCF3FD-9962-487A-BC37-C8BFDD718B9F}"},
        {"__Evaluar", TKIND_DISPATCH, kEventos, L"{CFFEF613-EA53-41A5-BB2C-A801B84A54EB}"},
    };
    IGUALES(tl->GetTypeInfoCount(), 6u, "número de tipos");
    for (UINT i = 0; i < 6 && i < tl->GetTypeInfoCount(); ++i) {
        const TipoEsperado& e = tipos[i];
        ITypeInfo* ti = nullptr;
        tl->GetTypeInfo(i, &ti);
        TYPEATTR* ta = nullptr;
        ti->GetTypeAttr(&ta);
        BSTR n = nullptr;
        tl->GetDocumentation(static_cast<INT>(i), &n, nullptr, nullptr, nullptr);
        const std::string donde = std::string("tipo ") + std::to_string(i) + " " + e.nombre;
        IGUALES(Texto(n), std::string(e.nombre), donde + ": nombre");
        SysFreeString(n);
        IGUALES(ta->typekind, e.tipo, donde + ": clase");
        StringFromGUID2(ta->guid, guid, 40);
        IGUALES(std::wstring(guid), std::wstring(e.guid), donde + ": GUID");
        WORD banderas = ta->wTypeFlags;
        if (e.tipo == TKIND_DISPATCH && (banderas & TYPEFLAG_FDUAL)) {
            // The flags are those of the vtable side of a dual interface.
            HREFTYPE h = 0;
            ITypeInfo* lado = nullptr;
            if (SUCCEEDED(ti->GetRefTypeOfImplType(-1, &h)) &&
                SUCCEEDED(ti->GetRefTypeInfo(h, &lado))) {
                TYPEATTR* la2 = nullptr;
                lado->GetTypeAttr(&la2);
                banderas = la2->wTypeFlags;
                IGUALES(la2->typekind, TKIND_INTERFACE, donde + ": lado de la tabla");
                lado->ReleaseTypeAttr(la2);
                lado->Release();
            }
        }
        IGUALES(banderas, e.banderas, donde + ": banderas");
        ti->ReleaseTypeAttr(ta);
        ti->Release();
    }

    // Members of the dual interfaces (their vtable side) and of the events.
    auto lado = [&](UINT i, bool interfaz) {
        ITypeInfo* ti = nullptr;
        tl->GetTypeInfo(i, &ti);
        if (!interfaz) return ti;
        HREFTYPE h = 0;
        ITypeInfo* r = nullptr;
        ti->GetRefTypeOfImplType(-1, &h);
        ti->GetRefTypeInfo(h, &r);
        ti->Release();
        return r;
    };
    if (ITypeInfo* ti = lado(0, true)) {
        ComprobarMiembros(ti, 0, MiembrosRelivo(), "_Relivo", false);
        ti->Release();
    }
    if (ITypeInfo* ti = lado(2, true)) {
        ComprobarMiembros(ti, 0, MiembrosEvaluar(), "_Evaluar", false);
        ti->Release();
    }
    if (ITypeInfo* ti = lado(4, false)) {
        ComprobarMiembros(ti, 0, EventosRelivo(), "__Relivo", true);
        ti->Release();
    }
    if (ITypeInfo* ti = lado(5, false)) {
        ComprobarMiembros(ti, 0, EventosEvaluar(), "__Evaluar", true);
        ti->Release();
    }

    // The classes: default interface and default source.
    for (UINT i : {1u, 3u}) {
        ITypeInfo* ti = nullptr;
        tl->GetTypeInfo(i, &ti);
        const char* interfaces[2][2] = {{"_Relivo", "__Relivo"}, {"_Evaluar", "__Evaluar"}};
        const int c = i == 1 ? 0 : 1;
        for (UINT k = 0; k < 2; ++k) {
            HREFTYPE h = 0;
            INT banderas = 0;
            ITypeInfo* r = nullptr;
            ti->GetRefTypeOfImplType(k, &h);
            ti->GetImplTypeFlags(k, &banderas);
            BSTR n = nullptr;
            if (SUCCEEDED(ti->GetRefTypeInfo(h, &r))) {
                r->GetDocumentation(MEMBERID_NIL, &n, nullptr, nullptr, nullptr);
                r->Release();
            }
            const std::string donde = std::string(interfaces[c][k]);
            IGUALES(Texto(n), donde, "interfaz implementada");
            IGUALES(banderas,
                    k == 0 ? IMPLTYPEFLAG_FDEFAULT : IMPLTYPEFLAG_FDEFAULT | IMPLTYPEFLAG_FSOURCE,
                    donde + ": banderas");
            SysFreeString(n);
        }
        ti->Release();
    }
    tl->Release();
    CoUninitialize();
    return prueba::Terminar("typelib_test");
}
