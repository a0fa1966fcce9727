// The inside of one Relivo control: its state record, its two children (the
// evaluator Func and the drawing surface PlanoInterno) and the host it is
// sited in, with the few services every private procedure uses.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

#include "relivo/evaluar.h"
#include "relivo/platform/host.h"
#include "relivo/platform/surface.h"
#include "relivo/rotation.h"
#include "relivo/state.h"

namespace relivo {

// Passes the surface's events on to the host as the control's own.
class ReenvioEventos : public EventosSuperficie {
public:
    explicit ReenvioEventos(Anfitrion& anfitrion) : anfitrion_(anfitrion) {}
    void Click() override;
    void DblClick() override;
    void KeyDown(int16_t& KeyCode, int16_t& Shift) override;
    void KeyPress(int16_t& KeyAscii) override;
    void KeyUp(int16_t& KeyCode, int16_t& Shift) override;
    void MouseDown(int16_t& Button, int16_t& Shift, float& x, float& y) override;
    void MouseMove(int16_t& Button, int16_t& Shift, float& x, float& y) override;
    void MouseUp(int16_t& Button, int16_t& Shift, float& x, float& y) override;
    void Resize() override;

private:
    Anfitrion& anfitrion_;
};

struct Control {
    Control(Anfitrion& anfitrion, int32_t ancho, int32_t alto);
    Control(Anfitrion& anfitrion, std::unique_ptr<SuperficieDibujo> superficie);
    ~Control();

    Anfitrion& anfitrion;
    EstadoRelivo e;
    Evaluar Func;
    ReenvioEventos reenvio;
    std::unique_ptr<SuperficieDibujo> PlanoInterno;
    // The rotation of the last drawn cell: cells drawn with the same angles
    // share their sines and cosines.
    Rotacion rotacion;
};

// The control's own events (identifiers 10 to 12).
void ElevarStatus(Control& c, const std::string& Stat, int16_t Porcentaje);
// Continuar goes to the host and comes back as the handler left it.
void ElevarError(Control& c, int32_t NumError, const std::string& DescrError, bool& Continuar);
void ElevarTerminoGraficacion(Control& c);

// Lets the host run its pending work, then raises the cancellation error if
// the host asked for it meanwhile.
void CederYComprobar(Control& c);

// The control's forwarded properties that drawing also sets: each assigns
// the surface's property and notifies the host that it changed.
void FijarAutoRedraw(Control& c, bool valor);
void FijarFillColor(Control& c, ColorOle valor);
void FijarFillStyle(Control& c, int16_t valor);
void FijarForeColor(Control& c, ColorOle valor);

}  // namespace relivo
