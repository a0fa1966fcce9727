#include "platform/surface_input.h"

namespace relivo::entrada {

int16_t Teclear(EventosSuperficie* const& eventos, bool enabled, int16_t KeyCode, int16_t Shift,
                int16_t KeyAscii) {
    if (!enabled) return 0;
    if (eventos) {
        // KeyDown and KeyUp each get the key as it came in.
        int16_t codigo = KeyCode, mayusculas = Shift;
        eventos->KeyDown(codigo, mayusculas);
        if (KeyAscii != 0) eventos->KeyPress(KeyAscii);
        codigo = KeyCode;
        mayusculas = Shift;
        eventos->KeyUp(codigo, mayusculas);
    }
    return KeyAscii;
}

void PulsarRaton(EventosSuperficie* const& eventos, bool enabled, bool& botonPulsado,
                 const EscalaEnPixeles& escala, int16_t Button, int16_t Shift, float px, float py) {
    if (!enabled) return;
    botonPulsado = true;
    if (!eventos) return;
    float x = escala.EnEscalaX(px), y = escala.EnEscalaY(py);
    eventos->MouseDown(Button, Shift, x, y);
}

void MoverRaton(EventosSuperficie* const& eventos, bool enabled, const EscalaEnPixeles& escala,
                int16_t Button, int16_t Shift, float px, float py) {
    if (!enabled || !eventos) return;
    float x = escala.EnEscalaX(px), y = escala.EnEscalaY(py);
    eventos->MouseMove(Button, Shift, x, y);
}

void SoltarRaton(EventosSuperficie* const& eventos, bool enabled, bool& botonPulsado,
                 const EscalaEnPixeles& escala, int16_t Button, int16_t Shift, float px, float py) {
    if (!enabled) return;
    const bool clic = botonPulsado && px >= 0 && py >= 0 && px < escala.AnchoInterior() &&
                      py < escala.AltoInterior();
    botonPulsado = false;
    if (!eventos) return;
    float x = escala.EnEscalaX(px), y = escala.EnEscalaY(py);
    eventos->MouseUp(Button, Shift, x, y);
    if (clic && eventos) eventos->Click();
}

void DobleClic(EventosSuperficie* const& eventos, bool enabled) {
    if (enabled && eventos) eventos->DblClick();
}

}  // namespace relivo::entrada
