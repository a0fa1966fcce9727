// Yielding on Windows: the messages already waiting in the thread's queue
// are dispatched (the host's window procedures, timers, posted calls), then
// the control's loop goes on.
#include "relivo/platform/yield.h"

#include "platform/windows/win32.h"

namespace relivo {

void Ceder() {
    // Bounded, so that a handler that keeps posting cannot hold the loop.
    constexpr int kMaximo = 10000;
    MSG msg;
    for (int n = 0; n < kMaximo && PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE); ++n) {
        if (msg.message == WM_QUIT) {
            // The host's own loop must see it.
            PostQuitMessage(static_cast<int>(msg.wParam));
            break;
        }
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
}

}  // namespace relivo
