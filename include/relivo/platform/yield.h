// Yielding to the host: lets the host run its pending work (queued events,
// calls into the controls) and returns. The only re-entry point of a
// control's long loops.
#pragma once

namespace relivo {

void Ceder();

}  // namespace relivo
