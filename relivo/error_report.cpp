#include "relivo/error_report.h"

#include <new>
#include <stdexcept>

namespace relivo {

Fallo FalloDe(std::exception_ptr excepcion) {
    try {
        std::rethrow_exception(excepcion);
    } catch (const Fallo& f) {
        return f;
    } catch (const std::bad_alloc&) {
        return Fallo::Plataforma(errores::kMemoriaInsuficiente);
    } catch (const std::length_error&) {
        return Fallo::Plataforma(errores::kMemoriaInsuficiente);
    } catch (...) {
        return Fallo::Plataforma(errores::kArgumentoNoValido);
    }
}

void EjecutarSentencias(Control& c, std::initializer_list<Sentencia> sentencias,
                        const std::function<void()>& antes) {
    bool Continuar = false;
    for (const Sentencia& sentencia : sentencias) {
        try {
            sentencia();
        } catch (...) {
            const Fallo fallo = FalloDe(std::current_exception());
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
