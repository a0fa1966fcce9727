// relivo-visor [DOCUMENTO.json]: looks at a surface without writing code.
// With a document (saved by the viewer or by `relivo graficar --guardar`),
// it opens it; it plots at once.
#include <QApplication>
#include <QTimer>

#include "qt/visor/visor_window.h"

int main(int argc, char* argv[]) {
    QApplication aplicacion(argc, argv);
    QApplication::setApplicationName(QStringLiteral("relivo-visor"));
    VentanaVisor ventana;
    const QStringList argumentos = QApplication::arguments();
    if (argumentos.size() > 1) ventana.AbrirDocumento(argumentos.at(1));
    ventana.show();
    QTimer::singleShot(0, &ventana, &VentanaVisor::Graficar);
    return QApplication::exec();
}
