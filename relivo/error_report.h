// The error report of Relivo's own members.
//
// A member is written as the list of its statements. EjecutarSentencias runs
// them in order; when one fails (a Fallo, or any other exception, which is
// turned into the matching run-time error), the failure is reported with
// ReportarError and, if the host leaves Continuar true, the run resumes at the
// next statement of the list; otherwise the member ends there. A failure inside
// a procedure that a statement calls abandons the rest of that procedure.
//
// Continuar belongs to the member call: it starts false and keeps what the
// host last left in it across several failures of the same call.
#pragma once

#include <functional>
#include <initializer_list>

#include "relivo/platform/error.h"

namespace relivo {

struct Control;

using Sentencia = std::function<void()>;

// Runs one member's statements under the error report. `antes` (optional) runs
// in front of every report (Graficar clears Ocupado there).
void EjecutarSentencias(Control& c, std::initializer_list<Sentencia> sentencias,
                        const std::function<void()>& antes = nullptr);

// Reports a failure: Status with "Error: " + text and 0, stores NumeroError and
// Error, raises Error with Continuar. An exception thrown by a host handler
// during the report ends the report with Continuar false.
void ReportarError(Control& c, const Fallo& fallo, bool& Continuar);

}  // namespace relivo
