#include "relivo/error_report.h"

namespace relivo {

void EjecutarSentencias(Control& c, std::initializer_list<Sentencia> sentencias,
                        const std::function<void()>& antes) {
    bool Continuar = false;
    for (const Sentencia& sentencia : sentencias) {
        try {
            sentencia();
        } catch (...) {
            const Fallo fallo = FalloActual();
            try {
                if (antes) antes();
            } catch (...) {
                // The step in front of the report only resets flags; nothing to add.
            }
            ReportarError(c, fallo, Continuar);
            if (!Continuar) return;
        }
    }
}

}  // namespace relivo
