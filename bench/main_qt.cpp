// The main of the benchmarks that need widgets: a QApplication on the offscreen platform
// (unless another platform was asked for) painting with the program's style and font as the
// program's main sets them, then Google Benchmark.
#include <benchmark/benchmark.h>

#include <QApplication>

#include "EstiloPrograma.h"

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    startup::PrepararAplicacion();
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
