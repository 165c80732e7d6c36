// Draws the program's own toolbar icon strips into a folder (the program's folder at build
// time): one 32-bit bitmap with alpha per appearance style.
//   dibujar-tiras CARPETA
#include <QDir>
#include <QGuiApplication>
#include <cstdio>

#include "TirasPropias.h"

using namespace toolbar;

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "Uso: dibujar-tiras CARPETA\n");
        return 2;
    }
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    const QDir carpeta(QString::fromLocal8Bit(argv[1]));
    for (const char* nombre :
         {"ABM2021.bmp", "ABM2021B.bmp", "ABM2021M.bmp", "ABM2021V.bmp", "ABM2021i.bmp"}) {
        const QString ruta = carpeta.filePath(QString::fromLatin1(nombre));
        if (!toolbar::GuardarBmpConAlfa(toolbar::DibujarTira(toolbar::DisenoDeTira(nombre)),
                                        ruta)) {
            std::fprintf(stderr, "No se pudo escribir %s\n", qPrintable(ruta));
            return 1;
        }
    }
    return 0;
}
