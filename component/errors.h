// Failures across the component boundary. The controls' own members never
// fail; the few calls that do (a value the drawing surface refuses, ZMax
// set in design mode, a failing property bag) end with an automation error:
// the platform's run-time error number n as the HRESULT 0x800A0000 + n,
// with its text as the error information of the call.
#pragma once

#include <new>

#include "component/win32.h"
#include "relivo/platform/error.h"

namespace relivo::com {

// The HRESULT of a run-time error number (a negative number is one already).
HRESULT HresultDeError(int32_t numero);

// Records the error information of the current call (source, description,
// interface) and gives the HRESULT of the failure.
HRESULT Fallar(const Fallo& fallo, const wchar_t* fuente, REFIID iid);

// Runs the body of a member and turns any failure into its HRESULT.
template <typename F>
HRESULT Proteger(const wchar_t* fuente, REFIID iid, F&& cuerpo) noexcept {
    try {
        return cuerpo();
    } catch (const Fallo& f) {
        return Fallar(f, fuente, iid);
    } catch (const std::bad_alloc&) {
        return E_OUTOFMEMORY;
    } catch (...) {
        return E_UNEXPECTED;
    }
}

}  // namespace relivo::com
