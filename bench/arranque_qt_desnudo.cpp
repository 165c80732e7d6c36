// The yardstick of the program's start-up as a whole process: a bare Qt program that opens a
// window of the editor's size holding a table of the grid's shape (20 rows, 7 columns) and
// ends, as the program does with ASIENTOS_SALIR_EN_REPOSO, once the window is exposed and no
// event is pending. Nothing of the program is linked in.
#include <QApplication>
#include <QTableWidget>
#include <QTimer>
#include <QVBoxLayout>
#include <QWindow>
#include <cstdio>
#include <cstdlib>

int main(int argc, char** argv) {
    QApplication aplicacion(argc, argv);
    QWidget ventana;
    auto* caja = new QVBoxLayout(&ventana);
    auto* tabla = new QTableWidget(20, 7, &ventana);
    caja->addWidget(tabla);
    // The editor's window: 10400 x 7200 twips at the screen's resolution.
    ventana.resize(10400 * ventana.logicalDpiX() / 1440, 7200 * ventana.logicalDpiX() / 1440);
    ventana.show();
    QTimer vigia;
    vigia.setInterval(0);
    QObject::connect(&vigia, &QTimer::timeout, &ventana, [&ventana] {
        if (!ventana.windowHandle() || !ventana.windowHandle()->isExposed()) return;
        std::fflush(nullptr);
        std::_Exit(0);
    });
    vigia.start();
    return aplicacion.exec();
}
