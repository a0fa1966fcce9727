// The services of the container a control is sited in.
//
// A control raises its events through LanzarEvento: the host's handler gets
// the arguments and may change those passed by reference; the control reads
// them back from the same array afterwards. The host also answers the
// ambient properties (UserMode, Font), takes the property-changed
// notification by property name (to mark its document as modified) and
// shows the control's pop-up menus.
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>

#include "relivo/platform/font.h"
#include "relivo/platform/variant.h"

namespace relivo {

// One argument of an event.
struct ArgumentoEvento {
    std::string Nombre;
    VarianteHost Valor;
    bool PorReferencia = false;
};

class Anfitrion {
public:
    virtual ~Anfitrion() = default;

    // Raises the control's event `Nombre` (identifier `Id`). On return the
    // by-reference arguments hold what the host's handler left in them.
    virtual void LanzarEvento(int32_t Id, std::string_view Nombre,
                              std::span<ArgumentoEvento> Argumentos) = 0;

    // Ambient properties: true in run mode, false in design mode; the font
    // of the container.
    virtual bool UserMode() const = 0;
    virtual Fuente Font() const = 0;

    // The control's property `Nombre` has changed.
    virtual void PropertyChanged(std::string_view Nombre) = 0;

    // Shows the pop-up menu `Menu` (a menu of the host, by name) at (x, y) in
    // the control's scale units (absent: at the mouse).
    virtual void PopupMenu(std::string_view Menu, std::optional<int16_t> Flags = {},
                           std::optional<float> x = {}, std::optional<float> y = {},
                           std::string_view DefaultMenu = {}) = 0;
};

}  // namespace relivo
