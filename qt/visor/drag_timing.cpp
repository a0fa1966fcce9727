// relivo_visor_timing: the time from a drag movement to the redrawn picture
// in relivo-visor's window, with the drag's grid at 50, 100 and 200
// intervals each way. Each movement turns the surface by a few degrees; the
// time runs from the mouse event to the end of the window's repaint.
// Prints a Markdown table (milliseconds over 30 movements). Runs on the
// offscreen platform unless QT_QPA_PLATFORM says otherwise.
#include <QApplication>
#include <QMouseEvent>
#include <QTest>
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <vector>

#include "qt/visor/visor_window.h"
#include "qt/widgets/relivo_widget.h"

int main(int argc, char* argv[]) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication aplicacion(argc, argv);
    constexpr int kMovimientos = 30;
    std::printf("| intervals | median ms | mean ms | slowest ms |\n|---|---|---|---|\n");
    for (const int intervalos : {50, 100, 200}) {
        VentanaVisor v;
        v.show();
        if (!QTest::qWaitForWindowExposed(&v)) return 1;
        v.FijarLineasArrastre(intervalos - 1);
        v.Graficar();
        RelivoWidget& r = v.Grafica();
        r.NumeroLineasX(intervalos - 1);
        r.NumeroLineasY(intervalos - 1);
        r.Graficar();
        QPoint donde(100, 100);
        QTest::mousePress(&r, Qt::LeftButton, Qt::NoModifier, donde);
        std::vector<double> ms;
        for (int k = 0; k < kMovimientos; ++k) {
            donde += QPoint(4, 2);
            QMouseEvent mover(QEvent::MouseMove, donde, r.mapToGlobal(donde), Qt::NoButton,
                              Qt::LeftButton, Qt::NoModifier);
            const auto inicio = std::chrono::steady_clock::now();
            QApplication::sendEvent(&r, &mover);
            const auto fin = std::chrono::steady_clock::now();
            ms.push_back(std::chrono::duration<double, std::milli>(fin - inicio).count());
        }
        QTest::mouseRelease(&r, Qt::LeftButton, Qt::NoModifier, donde);
        if (intervalos == 50) std::fprintf(stderr, "picture %dx%d\n", r.width(), r.height());
        std::vector<double> orden = ms;
        std::sort(orden.begin(), orden.end());
        double suma = 0;
        for (const double t : ms) suma += t;
        std::printf("| %d | %.1f | %.1f | %.1f |\n", intervalos, orden[orden.size() / 2],
                    suma / static_cast<double>(ms.size()), orden.back());
    }
    return 0;
}
