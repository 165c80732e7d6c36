// The template editor: the window loads itself on the command line's launch parameters
// (starting the session) and closing it ends the program.
//
// Besides the launch parameters the program accepts two options for documentation:
//   --captura ARCHIVO   after loading, save a picture of the window to ARCHIVO and end
//   --modelo NOMBRE     before the picture, confirm NOMBRE in the name field
#include <QApplication>
#include <QLineEdit>
#include <QTimer>
#include <cstdio>
#include <string>
#include <vector>

#include "DB_Dll.h"
#include "FrmMa_Modelo.h"
#include "InicioSesion.h"
#include "PlataformaQt.h"
#include "TraduccionesQt.h"
#include "frmAcceso.h"

namespace {

struct Opciones {
    std::string captura;
    std::string modelo;
    std::vector<const char*> resto;
};

Opciones LeerOpciones(int argc, char** argv) {
    Opciones o;
    for (int i = 0; i < argc; ++i) {
        const std::string a = argv[i];
        if (a == "--captura" && i + 1 < argc) {
            o.captura = argv[++i];
        } else if (a == "--modelo" && i + 1 < argc) {
            o.modelo = argv[++i];
        } else {
            o.resto.push_back(argv[i]);
        }
    }
    return o;
}

}  // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    if (!app::CargarTraduccionesQt(app))
        std::fprintf(stderr,
                     "Aviso: no se encontraron las traducciones de Qt al español (paquete "
                     "qt6-translations-l10n); los textos propios de Qt se verán en inglés.\n");
    InstalarPlataforma(std::make_unique<PlataformaQt>());
    // Connection data asked for by the data access object comes from the access dialog.
    InstalarDialogoAcceso(BaseDatos());
    const Opciones op = LeerOpciones(argc, argv);
    RegistrarLineaDeComando(static_cast<int>(op.resto.size()), op.resto.data());

    auto* ventana = new FrmMa_Modelo(BaseDatos());
    ventana->setAttribute(Qt::WA_DeleteOnClose, false);
    ventana->Form_Load(LineaDeComando());
    ventana->show();
    if (!op.captura.empty()) {
        QTimer::singleShot(300, ventana, [ventana, op] {
            if (!op.modelo.empty()) {
                ventana->txtFields[0]->setText(QString::fromStdString(op.modelo));
                ventana->ConfirmarCampo(0, 13);
            }
            QTimer::singleShot(300, ventana, [ventana, op] {
                const bool ok = ventana->grab().save(QString::fromStdString(op.captura));
                std::_Exit(ok ? 0 : 2);
            });
        });
    }
    return app.exec();
}
