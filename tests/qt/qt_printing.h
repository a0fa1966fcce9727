// How GoogleTest prints Qt's texts, how pictures are compared, and which
// properties a widget stores.
#pragma once

#include <QImage>
#include <QMetaProperty>
#include <QString>
#include <ostream>
#include <set>

inline void PrintTo(const QString& texto, std::ostream* os) {
    *os << '"' << texto.toStdString() << '"';
}

// How many pixels of two pictures of the same size differ in colour
// (-1 for pictures of different sizes); colour spaces and alpha are left
// aside.
inline int PixelesDistintos(const QImage& a, const QImage& b) {
    if (a.size() != b.size()) return -1;
    const QImage x = a.convertToFormat(QImage::Format_RGB32);
    const QImage y = b.convertToFormat(QImage::Format_RGB32);
    int distintos = 0;
    for (int fila = 0; fila < x.height(); ++fila) {
        const auto* p = reinterpret_cast<const QRgb*>(x.constScanLine(fila));
        const auto* q = reinterpret_cast<const QRgb*>(y.constScanLine(fila));
        for (int k = 0; k < x.width(); ++k) distintos += (p[k] & 0xFFFFFF) != (q[k] & 0xFFFFFF);
    }
    return distintos;
}

// The names of the stored properties a widget class adds to its bases.
inline std::set<QString> Guardadas(const QObject& o) {
    std::set<QString> nombres;
    const QMetaObject& m = *o.metaObject();
    for (int k = m.propertyOffset(); k < m.propertyCount(); ++k) {
        if (m.property(k).isStored()) nombres.insert(QString::fromLatin1(m.property(k).name()));
    }
    return nombres;
}
