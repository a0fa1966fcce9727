// The members of the interfaces of the type library "Carvex" 11.0 as a
// client must find them: for each member in function-table order, its
// identifier, kind, arguments (names, types, in/out/retval/optional) and
// help string.
#pragma once

#include <string>
#include <vector>

#include "tests/windows/win32.h"

namespace prueba::tipos {

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

inline constexpr MEMBERID P(int n) {
    return static_cast<MEMBERID>(0x68030000 + n);
}
inline constexpr MEMBERID M(int n) {
    return static_cast<MEMBERID>(0x60030000 + n);
}
// The standard identifier of a font property.
inline constexpr MEMBERID kFont = -512;

inline std::vector<Miembro> MiembrosRelivo() {
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

inline std::vector<Miembro> MiembrosEvaluar() {
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

inline std::vector<Miembro> EventosRelivo() {
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

inline std::vector<Miembro> EventosEvaluar() {
    return {{"Error",
             'M',
             1,
             {{"NumError", "long", "i"}, {"DescrError", "BSTR", "i"}},
             "Evento que se genera al ocurrir cualquier error dentro del objeto"}};
}

}  // namespace prueba::tipos
