// Text metrics of the web back end: the browser's canvas text API measures
// the text in the font the description names (CSS pixels at 96 per inch),
// with the family's fallback the browser chooses.
#include "platform/linux/fonts.h"

#include <emscripten.h>

#include <string>

namespace relivo {
namespace {

// The width of the widest line and the height of one line (ascent plus
// descent of the font), in pixels; outside a browser, an estimate.
// clang-format off
EM_JS(void, MedirEnCanvas, (const char* css, const char* texto, double* ancho, double* alto), {
    const fuente = UTF8ToString(css);
    const lineas = UTF8ToString(texto).split('\n');
    let w = 0;
    let h = 0;
    if (typeof OffscreenCanvas !== 'undefined') {
        const c = Module.relivoCanvasTexto ||
                  (Module.relivoCanvasTexto = new OffscreenCanvas(1, 1).getContext('2d'));
        c.font = fuente;
        for (const l of lineas) w = Math.max(w, c.measureText(l).width);
        const m = c.measureText('Mg');
        h = m.fontBoundingBoxAscent + m.fontBoundingBoxDescent;
    } else {
        const tam = parseFloat(fuente.match(/ ([0 - 9.] +) px /)[1]);
        for (const l of lineas) w = Math.max(w, l.length * tam * 0.6);
        h = tam * 1.2;
    }
    HEAPF64[ancho >> 3] = w;
    HEAPF64[alto >> 3] = h * lineas.length;
});
// clang-format on

std::string Css(const Fuente& f) {
    const std::string familia = f.Name.empty() ? "DejaVu Sans" : f.Name;
    return std::string(f.Italic ? "italic " : "") + (f.Bold ? "bold " : "") +
           std::to_string(f.Size * 96.0 / 72.0) + "px \"" + familia + "\", sans-serif";
}

}  // namespace

MedidaTexto MedirTexto(const Fuente& fuente, std::string_view texto) {
    MedidaTexto m;
    MedirEnCanvas(Css(fuente).c_str(), std::string(texto).c_str(), &m.ancho, &m.alto);
    return m;
}

std::string FamiliaResuelta(const Fuente& fuente) {
    return fuente.Name.empty() ? "DejaVu Sans" : fuente.Name;
}

}  // namespace relivo
