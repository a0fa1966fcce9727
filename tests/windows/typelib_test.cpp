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

namespace {

struct Parametro {
    std::string nombre;
    std::string tipo;      // "double", "short*", "stdole.Font**", ...
    std::string banderas;  // i in, o out, r retval, p optional
};

struct Miembro {
    std::string nombre;
    char clase;  // G get, P put, R put by reference, M method
    MEMBERID id;
    std::vector<Parametro> parametros;
    std::string ayuda;  // "": none
};

class Tabla {
public:
    std::vector<Miembro> m;

    void Get(const std::string& n, MEMBERID id, const std::string& t,
             const std::string& ayuda = "") {
        m.push_back({n, 'G', id, {{"retorno", t + "*", "or"}}, ayuda});
    }
    void Put(const std::string& n, MEMBERID id, const std::string& t,
             const std::string& ayuda = "") {
        m.push_back({n, 'P', id, {{"value", t, "i"}}, ayuda});
    }
    void PutRef(const std::string& n, MEMBERID id, const std::string& t,
                const std::string& ayuda = "") {
        m.push_back({n, 'R', id, {{"value", t, "i"}}, ayuda});
    }
    void GetPut(const std::string& n, MEMBERID id, const std::string& t,
                const std::string& ayuda = "") {
        Get(n, id, t, ayuda);
        Put(n, id, t, ayuda);
    }
    void Metodo(const std::string& n, MEMBERID id, std::vector<Parametro> p,
                const std::string& ayuda = "") {
        m.push_back({n, 'M', id, std::move(p), ayuda});
    }
};

constexpr MEMBERID P(int n) {
    return static_cast<MEMBERID>(0x68030000 + n);
}
constexpr MEMBERID M(int n) {
    return static_cast<MEMBERID>(0x60030000 + n);
}
// The standard identifier of a font property.
constexpr MEMBERID kFont = -512;

std::vector<Miembro> MiembrosRelivo() {
    Tabla t;
    t.GetPut("AnguloX", P(0x31), "double");
    t.GetPut("AnguloY", P(0x30), "double");
    t.GetPut("AnguloZ", P(0x2F), "double");
    t.GetPut("AutoEscalaZ", P(0x2E), "VARIANT_BOOL");
    t.Metodo("Cancelar", M(0x32), {});
    t.Get("Error", P(0x2D), "BSTR");
    t.Get("Funcion", P(0x2C), "BSTR");
    t.Get("NumeroLineasX", P(0x2B), "short");
    t.Get("NumeroLineasY", P(0x2A), "short");
    t.Put("Funcion", P(0x2C), "BSTR");
    t.Put("NumeroLineasX", P(0x2B), "short");
    t.Put("NumeroLineasY", P(0x2A), "short");
    t.Get("NumeroError", P(0x29), "long");
    t.Metodo("Graficar", M(0x39), {});
    t.GetPut("XMax", P(0x28), "double");
    t.Get("XMin", P(0x27), "double");
    t.Get("YMax", P(0x26), "double");
    t.Get("YMin", P(0x25), "double");
    t.GetPut("ZMax", P(0x24), "double");
    t.GetPut("ZMin", P(0x23), "double");
    t.Put("XMin", P(0x27), "double");
    t.Put("YMax", P(0x26), "double");
    t.Put("YMin", P(0x25), "double");

    const std::string color = "stdole.OLE_COLOR";
    t.GetPut("Align", P(0x22), "short",
             "Devuelve o establece un valor que determina si un objeto se muestra en un "
             "formulario.");
    t.Get("Appearance", P(0x21), "short",
          "Devuelve o establece si los objetos se dibujan en tiempo de ejecución con efectos 3D.");
    t.GetPut("AutoRedraw", P(0x20), "VARIANT_BOOL",
             "Devuelve o establece el resultado desde un método gráfico a un mapa de bits "
             "persistente.");
    t.GetPut("BackColor", P(0x1F), color,
             "Devuelve o establece el color de fondo usado para mostrar texto y gráficos en un "
             "objeto.");
    t.GetPut("BorderStyle", P(0x1E), "short",
             "Devuelve o establece el estilo del borde de un objeto.");
    t.Metodo("Circle_", M(0x3A),
             {{"x", "float*", "io"},
              {"y", "float*", "io"},
              {"Radius", "float*", "io"},
              {"Color", "long*", "io"},
              {"StartPos", "float*", "io"},
              {"EndPos", "float*", "io"},
              {"Aspect", "float*", "io"}});
    t.Metodo("Cls", M(0x3C), {},
             "Borra los gráficos y el texto generados en tiempo de ejecución de un Form, Image o "
             "PictureBox.");
    t.GetPut("CurrentX", P(0x1D), "float",
             "Devuelve o establece las coordenadas horizontales para el método de impresión o "
             "dibujo siguiente.");
    t.GetPut("CurrentY", P(0x1C), "float",
             "Devuelve o establece las coordenadas verticales para el método de impresión o "
             "dibujo siguiente.");
    t.GetPut("DrawMode", P(0x1B), "short",
             "Establece la apariencia del resultado de métodos gráficos, o de un control Shape o "
             "Line.");
    t.GetPut("DrawStyle", P(0x1A), "short",
             "Determina el estilo de la línea para el resultado de métodos gráficos.");
    t.GetPut("DrawWidth", P(0x19), "short",
             "Devuelve o establece el ancho de la línea para el resultado de métodos gráficos.");
    t.GetPut("Enabled", P(0x18), "VARIANT_BOOL",
             "Devuelve o establece un valor que determina si un objeto puede responder a eventos "
             "generados por el usuario.");
    t.GetPut("FillColor", P(0x17), color,
             "Devuelve o establece el color usado para rellenar formas, círculos y cuadros.");
    t.GetPut("FillStyle", P(0x16), "short",
             "Devuelve o establece el estilo de relleno de una forma.");
    t.Get("Font", kFont, "stdole.Font*", "Devuelve un objeto Font.");
    t.PutRef("Font", kFont, "stdole.Font*", "Devuelve un objeto Font.");
    t.GetPut("FontBold", P(0x15), "VARIANT_BOOL",
             "Devuelve o establece el estilo negrita de una fuente.");
    t.GetPut("FontItalic", P(0x14), "VARIANT_BOOL",
             "Devuelve o establece el estilo cursiva de una fuente.");
    t.GetPut("FontName", P(0x13), "BSTR",
             "Especifica el nombre de la fuente que aparece en cada fila del nivel especificado.");
    t.GetPut("FontSize", P(0x12), "float",
             "Especifica el tamaño (en puntos) de la fuente que aparece en cada fila del nivel "
             "especificado.");
    t.GetPut("FontStrikethru", P(0x11), "VARIANT_BOOL",
             "Devuelve o establece el estilo tachado de una fuente.");
    t.GetPut("FontTransparent", P(0x10), "VARIANT_BOOL",
             "Devuelve o establece un valor que determina si se muestran el texto o los gráficos "
             "de fondo para Form, Printer o PictureBox.");
    t.GetPut("FontUnderline", P(0x0F), "VARIANT_BOOL",
             "Devuelve o establece el estilo subrayado de una fuente.");
    t.GetPut("ForeColor", P(0x0E), color,
             "Devuelve o establece el color de primer plano usado para mostrar textos y gráficos "
             "en un objeto.");
    t.Get("hDC", P(0x0D), "long",
          "Devuelve un controlador (de Microsoft Windows) para el contexto de dispositivo del "
          "objeto.");
    t.Get("hWnd", P(0x0C), "long",
          "Devuelve un controlador (de Microsoft Windows) a la ventana de un objeto.");
    const std::string imagen =
        "Devuelve un controlador, proporcionado por Microsoft Windows, para un mapa de bits "
        "persistente.";
    t.Get("Image", P(0x0B), "stdole.Picture*", imagen);
    t.Metodo("Line_", M(0x41),
             {{"X1", "float*", "io"},
              {"Y1", "float*", "io"},
              {"X2", "float*", "io"},
              {"Y2", "float*", "io"},
              {"Color", "long*", "io"}},
             "Dibuja líneas y rectángulos dentro de un objeto.");
    t.Get("MouseIcon", P(0x0A), "stdole.Picture*",
          "Establece un icono personalizado para el mouse.");
    t.PutRef("MouseIcon", P(0x0A), "stdole.Picture*",
             "Establece un icono personalizado para el mouse.");
    t.GetPut("MousePointer", P(0x09), "short",
             "Devuelve o establece el tipo de puntero del mouse mostrado al pasar por encima de un "
             "objeto.");
    t.Metodo("PaintPicture", M(0x45),
             {{"Picture", "stdole.Picture**", "io"},
              {"X1", "float*", "io"},
              {"Y1", "float*", "io"},
              {"Width1", "VARIANT*", "iop"},
              {"Height1", "VARIANT*", "iop"},
              {"X2", "VARIANT*", "iop"},
              {"Y2", "VARIANT*", "iop"},
              {"Width2", "VARIANT*", "iop"},
              {"Height2", "VARIANT*", "iop"},
              {"Opcode", "VARIANT*", "iop"}},
             "Dibuja el contenido de una archivo de gráficos en un objeto Form, PictureBox o "
             "Printer.");
    t.Get("Picture", P(0x08), "stdole.Picture*",
          "Devuelve o establece el gráfico que se mostrará en un control.");
    t.PutRef("Picture", P(0x08), "stdole.Picture*",
             "Devuelve o establece el gráfico que se mostrará en un control.");
    t.Metodo("Point", M(0x46),
             {{"x", "float*", "io"}, {"y", "float*", "io"}, {"retorno", "long*", "or"}},
             "Devuelve, como un entero de tipo Long, el color RGB del punto especificado de un "
             "objeto Form o PictureBox.");
    t.Metodo("PopupMenu", M(0x47),
             {{"Menu", "IDispatch**", "io"},
              {"Flags", "VARIANT*", "iop"},
              {"x", "VARIANT*", "iop"},
              {"y", "VARIANT*", "iop"},
              {"DefaultMenu", "VARIANT*", "iop"}},
             "Muestra un menú contextual en un objeto MDIForm o Form.");
    t.Metodo("PSet_", M(0x48),
             {{"x", "float*", "io"}, {"y", "float*", "io"}, {"Color", "long*", "io"}});
    t.Metodo("Refresh", M(0x49), {}, "Obliga a volver a dibujar un objeto.");
    t.GetPut("ScaleHeight", P(0x07), "float",
             "Devuelve o establece el número de unidades verticales de medida del interior de un "
             "objeto.");
    t.GetPut("ScaleLeft", P(0x06), "float",
             "Devuelve o establece las coordenadas horizontales para los bordes izquierdos de un "
             "objeto.");
    t.GetPut("ScaleMode", P(0x05), "short",
             "Devuelve o establece un valor que indica las unidades de medida de las coordenadas "
             "de un objeto al usar métodos gráficos o situar controles.");
    t.GetPut("ScaleTop", P(0x04), "float",
             "Devuelve o establece las coordenadas verticales de los bordes superiores de un "
             "objeto.");
    t.GetPut("ScaleWidth", P(0x03), "float",
             "Devuelve o establece el número de unidades horizontales de medida del interior de "
             "un objeto.");
    t.Metodo("TextHeight", M(0x4B), {{"Str", "BSTR*", "io"}, {"retorno", "float*", "or"}},
             "Devuelve el alto de una cadena de texto tal como se imprimiría con la fuente "
             "actual.");
    t.Metodo("TextWidth", M(0x4C), {{"Str", "BSTR*", "io"}, {"retorno", "float*", "or"}},
             "Devuelve el ancho de una cadena de texto tal como se imprimiría con la fuente "
             "actual.");
    t.GetPut("ToolTipText", P(0x02), "BSTR",
             "Devuelve o establece el texto mostrado cuando el mouse se sitúa sobre un control.");
    t.GetPut("WhatsThisHelpID", P(0x01), "long",
             "Devuelve o establece un número de contexto asociado para un objeto.");
    t.Get("Grafica", P(0x00), "stdole.Picture*", imagen);
    return t.m;
}

std::vector<Miembro> MiembrosEvaluar() {
    Tabla t;
    t.Get("Error", P(9), "BSTR");
    t.m.push_back(
        {"IndiceVariable", 'G', P(8), {{"Var", "BSTR*", "io"}, {"retorno", "short*", "or"}}, ""});
    t.Get("NumeroError", P(7), "long");
    t.GetPut("Funcion", P(6), "BSTR");
    t.Get("NumeroVariables", P(5), "short");
    t.Get("Resultado", P(4), "double");
    t.m.push_back(
        {"Substituir", 'P', P(3), {{"Variable", "VARIANT", "i"}, {"value", "VARIANT", "i"}}, ""});
    t.m.push_back(
        {"Valor", 'G', P(2), {{"Variable", "VARIANT", "i"}, {"retorno", "double*", "or"}}, ""});
    t.m.push_back(
        {"Valor", 'P', P(2), {{"Variable", "VARIANT", "i"}, {"value", "double", "i"}}, ""});
    t.m.push_back(
        {"Variable", 'G', P(1), {{"Index", "short", "i"}, {"retorno", "BSTR*", "or"}}, ""});
    t.m.push_back({"ExisteVariable",
                   'G',
                   P(0),
                   {{"Variable", "BSTR", "i"}, {"retorno", "VARIANT_BOOL*", "or"}},
                   ""});
    return t.m;
}

std::vector<Miembro> EventosRelivo() {
    const std::vector<Parametro> teclas{{"KeyCode", "short*", "io"}, {"Shift", "short*", "io"}};
    const std::vector<Parametro> raton{{"Button", "short*", "io"},
                                       {"Shift", "short*", "io"},
                                       {"x", "float*", "io"},
                                       {"y", "float*", "io"}};
    return {
        {"Click",
         'M',
         1,
         {},
         "Ocurre cuando el usuario presiona y libera un botón del mouse encima de un objeto."},
        {"DblClick",
         'M',
         2,
         {},
         "Ocurre cuando el usuario presiona y suelta un botón del mouse y lo vuelve a presionar "
         "y soltar sobre un objeto."},
        {"KeyDown", 'M', 3, teclas,
         "Ocurre cuando el usuario presiona una tecla mientras un objeto tiene el enfoque."},
        {"KeyPress",
         'M',
         4,
         {{"KeyAscii", "short*", "io"}},
         "Ocurre cuando el usuario presiona y suelta una tecla ANSI."},
        {"KeyUp", 'M', 5, teclas,
         "Ocurre cuando el usuario suelta una tecla mientras un objeto tiene el enfoque."},
        {"MouseDown", 'M', 6, raton,
         "Ocurre cuando el usuario presiona el botón del mouse mientras un objeto tiene el "
         "enfoque."},
        {"MouseMove", 'M', 7, raton, "Ocurre cuando el usuario mueve el mouse."},
        {"MouseUp", 'M', 8, raton,
         "Ocurre cuando el usuario suelta el botón del mouse mientras un objeto tiene el "
         "enfoque."},
        {"Resize",
         'M',
         9,
         {},
         "Ocurre cuando se muestra un formulario por primera vez o cuando cambia el tamaño de un "
         "objeto."},
        {"Error",
         'M',
         10,
         {{"NumError", "long", "i"},
          {"DescrError", "BSTR", "i"},
          {"Continuar", "VARIANT_BOOL*", "io"}},
         ""},
        {"Status", 'M', 11, {{"Stat", "BSTR", "i"}, {"Porcentaje", "short", "i"}}, ""},
        {"TerminoGraficacion", 'M', 12, {}, ""},
    };
}

std::vector<Miembro> EventosEvaluar() {
    return {{"Error",
             'M',
             1,
             {{"NumError", "long", "i"}, {"DescrError", "BSTR", "i"}},
             "Evento que se genera al ocurrir cualquier error dentro del objeto"}};
}

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
