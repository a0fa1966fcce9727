// The host a <relivo-superficie> element gives its control: events go to
// the page's function (which dispatches them as DOM CustomEvents) and the
// by-reference arguments are read back from the object it returns; the
// control runs in user mode with the element's font; a property-changed
// notification goes to the page as the property's name; a pop-up menu is
// asked of the page as the event PopupMenu.
#pragma once

#include <emscripten/val.h>

#include <cstdint>
#include <optional>
#include <span>
#include <string_view>

#include "relivo/platform/host.h"

namespace relivo {

class AnfitrionWeb : public Anfitrion {
public:
    // alEvento(Id, Nombre, argumentos) returns the arguments as the
    // listeners left them; alCambio(Nombre) takes a property's name.
    void FijarFunciones(emscripten::val alEvento, emscripten::val alCambio);
    void FijarFont(const Fuente& fuente) { fuente_ = fuente; }

    void LanzarEvento(int32_t Id, std::string_view Nombre,
                      std::span<ArgumentoEvento> Argumentos) override;
    bool UserMode() const override { return true; }
    Fuente Font() const override { return fuente_; }
    void PropertyChanged(std::string_view Nombre) override;
    void PopupMenu(std::string_view Menu, std::optional<int16_t> Flags, std::optional<float> x,
                   std::optional<float> y, std::string_view DefaultMenu) override;

private:
    emscripten::val alEvento_ = emscripten::val::undefined();
    emscripten::val alCambio_ = emscripten::val::undefined();
    Fuente fuente_;
};

// A host value as a JavaScript value, and a JavaScript value converted to
// the type of `como` (an event's by-reference argument keeps its type).
emscripten::val AJs(const VarianteHost& v);
VarianteHost DeJs(const emscripten::val& v, const VarianteHost& como);

}  // namespace relivo
