// The host a RelivoWidget gives its control: events become the widget's
// signals, the ambient properties come from the widget (UserMode, font), a
// property-changed notification emits the property's NOTIFY signal, and a
// pop-up menu is a QMenu of the window found by its object name.
#pragma once

#include <QtCore/qnamespace.h>

#include <cstdint>
#include <optional>
#include <span>
#include <string_view>

#include "relivo/platform/host.h"

class RelivoWidget;

class AnfitrionWidget : public relivo::Anfitrion {
public:
    explicit AnfitrionWidget(RelivoWidget& widget) : widget_(widget) {}

    void FijarUserMode(bool enEjecucion) { userMode_ = enEjecucion; }

    void LanzarEvento(int32_t Id, std::string_view Nombre,
                      std::span<relivo::ArgumentoEvento> Argumentos) override;
    bool UserMode() const override { return userMode_; }
    relivo::Fuente Font() const override;
    void PropertyChanged(std::string_view Nombre) override;
    void PopupMenu(std::string_view Menu, std::optional<int16_t> Flags, std::optional<float> x,
                   std::optional<float> y, std::string_view DefaultMenu) override;

private:
    RelivoWidget& widget_;
    bool userMode_ = true;
};

// Qt's key and modifiers as the control's KeyCode and Shift (1 Shift,
// 2 Ctrl, 4 Alt); 0 for a key without a code.
int16_t CodigoTecla(int tecla);
int16_t ShiftDe(Qt::KeyboardModifiers modificadores);
