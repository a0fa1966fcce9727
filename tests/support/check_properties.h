// ReadProperties on arbitrary documents: the input is the text of a JSON
// property bag (the Linux host's document format).
//
// A document that is not a bag is refused with the product's error. A bag
// is loaded: the setters report what they refuse through the events (watched
// as for any other call), and a failing bag value or surface setting ends
// the loading with the product's error, thrown to the host as the loading
// has no error handling of its own. Afterwards the control saves a document
// that reads back and loads again without a failure, and draws a plain plot.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "platform/linux/json_bag.h"
#include "relivo/platform/error.h"
#include "tests/support/invariants.h"
#include "tests/support/watched_relivo.h"

namespace relivo::fuzz::propiedades {

// Runs one input: the text of a document.
inline void Ejecutar(std::string_view texto) {
    BolsaJson bolsa;
    try {
        bolsa = BolsaJson::DesdeTexto(texto);
    } catch (const Fallo& f) {
        EXIGE(f.numero() == 321 || f.numero() == 7,
              "a document was refused with " + std::to_string(f.numero()));
        return;
    }
    RelivoVigilado v;
    v.Llamar("ReadProperties", RelivoVigilado::Clase::Carga, [&] {
        try {
            v.r().ReadProperties(bolsa);
        } catch (const Fallo& f) {
            EXIGE(f.numero() != 0 && !f.texto().empty(),
                  "a loading failure without number or text");
        }
    });

    BolsaJson guardada;
    v.Llamar("WriteProperties", RelivoVigilado::Clase::Carga,
             [&] { v.r().WriteProperties(guardada); });
    // Read back and loaded again: no failure at either step.
    RelivoVigilado otro;
    otro.Llamar("ReadProperties of the saved document", RelivoVigilado::Clase::Carga, [&] {
        try {
            otro.r().ReadProperties(BolsaJson::DesdeTexto(guardada.Texto()));
        } catch (const Fallo& f) {
            EXIGE(false, "a saved document does not read back and load again: " +
                             std::to_string(f.numero()) + " " + f.texto() + "\n" +
                             guardada.Texto());
        }
    });
    Usable(v);
}

}  // namespace relivo::fuzz::propiedades
