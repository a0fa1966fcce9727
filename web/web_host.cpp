#include "web/web_host.h"

#include <string>

namespace relivo {

using emscripten::val;

namespace {

bool EsFuncion(const val& v) {
    return v.typeOf().as<std::string>() == "function";
}

}  // namespace

val AJs(const VarianteHost& v) {
    using T = VarianteHost::Tipo;
    switch (v.tipo()) {
        case T::Booleano:
            return val(v.ABooleano());
        case T::Entero16:
            return val(v.AEntero16());
        case T::Entero32:
            return val(v.AEntero32());
        case T::Sencillo:
            return val(v.ASencillo());
        case T::Doble:
            return val(v.ADoble());
        case T::Texto:
            return val(v.ATexto());
        case T::Fuente: {
            const Fuente f = v.AFuente();
            val o = val::object();
            o.set("Name", f.Name);
            o.set("Size", f.Size);
            o.set("Bold", f.Bold);
            o.set("Italic", f.Italic);
            o.set("Underline", f.Underline);
            o.set("Strikethrough", f.Strikethrough);
            return o;
        }
        default:
            return val::undefined();
    }
}

VarianteHost DeJs(const val& v, const VarianteHost& como) {
    using T = VarianteHost::Tipo;
    const std::string tipo = v.typeOf().as<std::string>();
    VarianteHost leido;
    if (tipo == "boolean") {
        leido = VarianteHost(v.as<bool>());
    } else if (tipo == "number") {
        leido = VarianteHost(v.as<double>());
    } else if (tipo == "string") {
        leido = VarianteHost(v.as<std::string>());
    } else {
        return como;
    }
    switch (como.tipo()) {
        case T::Booleano:
            return leido.ABooleano();
        case T::Entero16:
            return leido.AEntero16();
        case T::Entero32:
            return leido.AEntero32();
        case T::Sencillo:
            return leido.ASencillo();
        case T::Doble:
            return leido.ADoble();
        case T::Texto:
            return leido.ATexto();
        default:
            return como;
    }
}

void AnfitrionWeb::FijarFunciones(val alEvento, val alCambio) {
    alEvento_ = std::move(alEvento);
    alCambio_ = std::move(alCambio);
}

void AnfitrionWeb::LanzarEvento(int32_t Id, std::string_view Nombre,
                                std::span<ArgumentoEvento> Argumentos) {
    if (!EsFuncion(alEvento_)) return;
    val detalle = val::object();
    for (const ArgumentoEvento& a : Argumentos) detalle.set(a.Nombre, AJs(a.Valor));
    const val devuelto = alEvento_(Id, std::string(Nombre), detalle);
    if (devuelto.isUndefined() || devuelto.isNull()) return;
    for (ArgumentoEvento& a : Argumentos) {
        // A value the argument's type cannot take leaves the argument as it was.
        if (!a.PorReferencia) continue;
        try {
            a.Valor = DeJs(devuelto[a.Nombre], a.Valor);
        } catch (...) {
        }
    }
}

void AnfitrionWeb::PropertyChanged(std::string_view Nombre) {
    if (EsFuncion(alCambio_)) alCambio_(std::string(Nombre));
}

void AnfitrionWeb::PopupMenu(std::string_view Menu, std::optional<int16_t> Flags,
                             std::optional<float> x, std::optional<float> y,
                             std::string_view DefaultMenu) {
    // A page shows its own menus: the request goes to it as the event
    // PopupMenu (identifier 0, not one of the control's), its arguments
    // undefined where they were left out.
    if (!EsFuncion(alEvento_)) return;
    val detalle = val::object();
    detalle.set("Menu", std::string(Menu));
    detalle.set("Flags", Flags ? val(*Flags) : val::undefined());
    detalle.set("x", x ? val(*x) : val::undefined());
    detalle.set("y", y ? val(*y) : val::undefined());
    detalle.set("DefaultMenu", std::string(DefaultMenu));
    alEvento_(0, std::string("PopupMenu"), detalle);
}

}  // namespace relivo
