// Keyboard and mouse input of a drawing surface, the same on every platform:
// the events each piece of input raises and in which order (see
// SuperficieDibujo::Teclear and the mouse members in surface.h).
//
// A surface that is not enabled raises nothing. `eventos` is read again
// after each event raised, so that a handler may take the listener away;
// `botonPulsado` tells whether a button was pressed on the surface and not
// yet released.
#pragma once

#include <cstdint>

#include "platform/surface_scale.h"
#include "relivo/platform/surface.h"

namespace relivo::entrada {

// KeyDown, KeyPress (when KeyAscii is not 0), KeyUp. Returns the character
// the KeyPress handler leaves (0 when not enabled).
int16_t Teclear(EventosSuperficie* const& eventos, bool enabled, int16_t KeyCode, int16_t Shift,
                int16_t KeyAscii);

// The mouse at device pixel (px, py) of the interior; the events carry
// scale units.
void PulsarRaton(EventosSuperficie* const& eventos, bool enabled, bool& botonPulsado,
                 const EscalaEnPixeles& escala, int16_t Button, int16_t Shift, float px, float py);
void MoverRaton(EventosSuperficie* const& eventos, bool enabled, const EscalaEnPixeles& escala,
                int16_t Button, int16_t Shift, float px, float py);
// MouseUp, then Click when the button was pressed on the surface and is
// released inside the interior.
void SoltarRaton(EventosSuperficie* const& eventos, bool enabled, bool& botonPulsado,
                 const EscalaEnPixeles& escala, int16_t Button, int16_t Shift, float px, float py);
void DobleClic(EventosSuperficie* const& eventos, bool enabled);

}  // namespace relivo::entrada
