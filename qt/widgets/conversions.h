// Between the controls' value types and Qt's: pictures, fonts, texts.
#pragma once

#include <QFont>
#include <QImage>
#include <QString>
#include <string>
#include <string_view>

#include "relivo/platform/font.h"
#include "relivo/platform/picture.h"

namespace relivo::qt {

// A picture's colour values (r + 256 g + 65536 b) as an opaque RGB image, and
// back (alpha ignored). No picture is a null image.
QImage AQImage(const Imagen& imagen);
Imagen DeQImage(const QImage& imagen);

QFont AQFont(const Fuente& fuente);
Fuente DeQFont(const QFont& fuente);

inline QString AQString(std::string_view texto) {
    return QString::fromUtf8(texto.data(), static_cast<qsizetype>(texto.size()));
}
inline std::string DeQString(const QString& texto) {
    return texto.toStdString();
}

}  // namespace relivo::qt
