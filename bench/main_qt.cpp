// The main of the benchmarks that need widgets: a QApplication on the offscreen platform
// (unless another platform was asked for) painting with the program's style and font as the
// program's main sets them and wearing the user's skin as every window of the program does
// once the editor has loaded, then Google Benchmark.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QWidget>

#include "Apariencia.h"
#include "EstiloPrograma.h"

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    startup::PrepararAplicacion();
    {
        QWidget ventana;
        startup::AplicarEstilo(ventana);
    }
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
