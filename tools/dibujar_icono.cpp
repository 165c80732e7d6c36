// Draws the program's desktop icon (its own ICONPANEL window icon) as PNG files in the layout of
// the freedesktop icon theme, at build time:
//   dibujar-icono CARPETA   writes CARPETA/<n>x<n>/apps/asientos-modelo.png for each size
#include <QDir>
#include <QGuiApplication>
#include <QImage>
#include <cstdio>

#include "Apariencia.h"

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "Uso: dibujar-icono CARPETA\n");
        return 2;
    }
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    const QDir raiz(QString::fromLocal8Bit(argv[1]));
    for (int lado : {16, 32, 48, 64, 128, 256}) {
        const QString sub = QStringLiteral("%1x%1/apps").arg(lado);
        const QString ruta = raiz.filePath(sub + QStringLiteral("/asientos-modelo.png"));
        if (!raiz.mkpath(sub) ||
            !startup::DibujoIconoDelPrograma("ICONPANEL", lado).save(ruta, "PNG")) {
            std::fprintf(stderr, "No se pudo escribir %s\n", qPrintable(ruta));
            return 1;
        }
    }
    return 0;
}
