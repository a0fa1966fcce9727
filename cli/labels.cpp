#include "cli/labels.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

#include "platform/linux/fonts.h"
#include "platform/numbers.h"

namespace relivo::cli {
namespace {

constexpr int32_t kNegro = 0;
constexpr int32_t kRojoOscuro = 176;  // the axes' red, darker for text
constexpr double kMargen = 6;         // pixels from the picture's edge
constexpr double kSeparacion = 9;     // pixels beyond the end of an axis

Fuente Letra(float puntos, bool negrita) {
    Fuente f;
    f.Size = puntos;
    f.Bold = negrita;
    return f;
}

// A number with three significant digits, in the user's decimal separator.
std::string Corto(double valor) {
    char texto[32];
    std::snprintf(texto, sizeof texto, "%.3g", valor == 0 ? 0.0 : valor);
    std::string s = texto;
    std::replace(s.begin(), s.end(), '.', numeros::SeparadorDecimal());
    return s;
}

// Writes `texto` centred on (cx, cy), kept inside the picture.
void Centrado(Imagen& imagen, const Fuente& f, const std::string& texto, double cx, double cy,
              int32_t color) {
    const MedidaTexto m = MedirTexto(f, texto);
    const double x = std::clamp(cx - m.ancho / 2, 0.0, std::max(0.0, imagen.Ancho - m.ancho));
    const double y = std::clamp(cy - m.alto / 2, 0.0, std::max(0.0, imagen.Alto - m.alto));
    EscribirTexto(imagen, f, texto, x, y, color);
}

}  // namespace

void Rotular(Imagen& imagen, const std::vector<EjeDibujado>& ejes, const std::string& titulo,
             double zMin, double zMax) {
    const Fuente nombres = Letra(11, true);
    constexpr const char* kNombres[] = {"x", "y", "z"};
    for (size_t k = 0; k < ejes.size() && k < 3; ++k) {
        const PuntoApi fin = ejes[k].extremos[ejes[k].lejano];
        const PuntoApi otro = ejes[k].extremos[1 - ejes[k].lejano];
        double dx = fin.x - otro.x;
        double dy = fin.y - otro.y;
        const double largo = std::hypot(dx, dy);
        // An axis seen end on is a point: its name goes above and to the right.
        if (largo < 1) {
            dx = 1;
            dy = -1;
        }
        const double escala = kSeparacion / std::hypot(dx, dy);
        Centrado(imagen, nombres, kNombres[k], fin.x + dx * escala, fin.y + dy * escala,
                 kRojoOscuro);
    }
    const Fuente grande = Letra(11, true);
    const Fuente pequena = Letra(9, false);
    EscribirTexto(imagen, grande, "z = " + titulo, kMargen, kMargen, kNegro);
    const double alto = MedirTexto(grande, "z").alto;
    EscribirTexto(imagen, pequena, "z: " + Corto(zMin) + " \u2026 " + Corto(zMax), kMargen,
                  kMargen + alto, kNegro);
}

}  // namespace relivo::cli
