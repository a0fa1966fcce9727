// relivo-visor [DOCUMENTO.json] [--captura FICHERO.png]: looks at a surface
// without writing code. With a document (saved by the viewer or by
// `relivo graficar --guardar`), it opens it; it plots at once. With
// --captura it saves a picture of the whole window after the first plot and
// ends (for the documentation; with QT_QPA_PLATFORM=offscreen no display is
// needed).
#include <QApplication>
#include <QTimer>

#include "qt/visor/visor_window.h"

int main(int argc, char* argv[]) {
    QApplication aplicacion(argc, argv);
    QApplication::setApplicationName(QStringLiteral("relivo-visor"));
    VentanaVisor ventana;
    QString documento, captura;
    const QStringList argumentos = QApplication::arguments();
    for (qsizetype k = 1; k < argumentos.size(); ++k) {
        if (argumentos[k] == QLatin1String("--captura") && k + 1 < argumentos.size()) {
            captura = argumentos[++k];
        } else {
            documento = argumentos[k];
        }
    }
    if (!documento.isEmpty()) ventana.AbrirDocumento(documento);
    ventana.show();
    QTimer::singleShot(0, &ventana, [&] {
        ventana.Graficar();
        if (captura.isEmpty()) return;
        const bool guardada = ventana.grab().save(captura);
        QApplication::exit(guardada ? 0 : 1);
    });
    return QApplication::exec();
}
