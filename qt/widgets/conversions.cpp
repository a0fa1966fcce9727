#include "qt/widgets/conversions.h"

namespace relivo::qt {

QImage AQImage(const Imagen& imagen) {
    if (imagen.Vacia()) return {};
    QImage q(imagen.Ancho, imagen.Alto, QImage::Format_RGB32);
    for (int32_t y = 0; y < imagen.Alto; ++y) {
        const int32_t* origen = imagen.Fila(y);
        auto* destino = reinterpret_cast<QRgb*>(q.scanLine(y));
        for (int32_t x = 0; x < imagen.Ancho; ++x) {
            const int32_t c = origen[x];
            destino[x] = qRgb(c & 0xFF, (c >> 8) & 0xFF, (c >> 16) & 0xFF);
        }
    }
    return q;
}

Imagen DeQImage(const QImage& imagen) {
    if (imagen.isNull()) return {};
    const QImage q = imagen.convertToFormat(QImage::Format_RGB32);
    Imagen r(q.width(), q.height());
    for (int32_t y = 0; y < r.Alto; ++y) {
        const auto* origen = reinterpret_cast<const QRgb*>(q.constScanLine(y));
        int32_t* destino = r.Fila(y);
        for (int32_t x = 0; x < r.Ancho; ++x) {
            destino[x] = qRed(origen[x]) | (qGreen(origen[x]) << 8) | (qBlue(origen[x]) << 16);
        }
    }
    return r;
}

QFont AQFont(const Fuente& fuente) {
    QFont f(AQString(fuente.Name));
    if (fuente.Size > 0) f.setPointSizeF(fuente.Size);
    f.setBold(fuente.Bold);
    f.setItalic(fuente.Italic);
    f.setUnderline(fuente.Underline);
    f.setStrikeOut(fuente.Strikethrough);
    return f;
}

Fuente DeQFont(const QFont& fuente) {
    Fuente f;
    f.Name = DeQString(fuente.family());
    if (fuente.pointSizeF() > 0) f.Size = static_cast<float>(fuente.pointSizeF());
    f.Bold = fuente.bold();
    f.Italic = fuente.italic();
    f.Underline = fuente.underline();
    f.Strikethrough = fuente.strikeOut();
    return f;
}

}  // namespace relivo::qt
