// The template editor: starts the session on the command line's launch parameters and shows
// the editor window.
#include <QApplication>
#include <QMainWindow>

#include "DB_Dll.h"
#include "PlataformaQt.h"
#include "frmAcceso.h"

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    InstalarPlataforma(std::make_unique<PlataformaQt>());
    // Connection data asked for by the data access object comes from the access dialog.
    InstalarDialogoAcceso(BaseDatos());
    QMainWindow ventana;
    ventana.setWindowTitle("Asientos Modelo de Registraciones Directas");
    ventana.show();
    return app.exec();
}
