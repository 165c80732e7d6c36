#pragma once
// The QApplication of a widget test program: made on first use, on the offscreen platform unless
// another one was asked for.
#include <QApplication>

inline QApplication& AplicacionDePrueba() {
    static int argc = 1;
    static char nombre[] = "prueba";
    static char* argv[] = {nombre, nullptr};
    if (!qApp) {
        if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
        new QApplication(argc, argv);
    }
    return *qobject_cast<QApplication*>(qApp);
}
