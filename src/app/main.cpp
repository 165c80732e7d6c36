// The template editor: starts the session on the command line's launch parameters and shows
// the editor window.
#include <QApplication>
#include <QMainWindow>

#include "PlataformaQt.h"

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    InstalarPlataforma(std::make_unique<PlataformaQt>());
    QMainWindow ventana;
    ventana.setWindowTitle("Asientos Modelo de Registraciones Directas");
    ventana.show();
    return app.exec();
}
