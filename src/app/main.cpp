// The template editor: the window loads itself on the command line's launch parameters
// (starting the session) and closing it ends the program.
//
// Besides the launch parameters the program accepts:
//   --subdiarios DESDE HASTA TIPO [--archivo-legal]   instead of the editor, fill the auxiliary
//                       subledger work table for the session's user and end
// and, for documentation:
//   --captura ARCHIVO   after loading, save a picture of the window to ARCHIVO and end
//   --modelo NOMBRE     before a picture, confirm NOMBRE in the name field
//   --captura-aviso ARCHIVO   after loading, show the progress notice over the window and
//                       save a picture of both to ARCHIVO
#include <QApplication>
#include <QImage>
#include <QLineEdit>
#include <QPainter>
#include <QTimer>
#include <cstdio>
#include <iostream>
#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

#include "Contexto.h"
#include "Dll_Display.h"
#include "FrmMa_Modelo.h"
#include "GeneracionSubdiarios.h"
#include "Lbf_CtrlDisplay.h"
#include "ParametrosLanzamiento.h"
#include "PlataformaQt.h"
#include "TeclasVirtuales.h"
#include "TraduccionesQt.h"
#include "frmAcceso.h"

namespace app {
namespace {

struct Opciones {
    std::string captura;
    std::string capturaAviso;
    std::string modelo;
    std::vector<const char*> resto;
};

Opciones LeerOpciones(int argc, char** argv) {
    Opciones o;
    for (int i = 0; i < argc; ++i) {
        const std::string a = argv[i];
        if (a == "--captura" && i + 1 < argc) {
            o.captura = argv[++i];
        } else if (a == "--captura-aviso" && i + 1 < argc) {
            o.capturaAviso = argv[++i];
        } else if (a == "--modelo" && i + 1 < argc) {
            o.modelo = argv[++i];
        } else {
            o.resto.push_back(argv[i]);
        }
    }
    return o;
}

}  // namespace
}  // namespace app

int main(int argc, char** argv) {
    QApplication aplicacion(argc, argv);
    if (!app::CargarTraduccionesQt(aplicacion))
        std::fprintf(stderr,
                     "Aviso: no se encontraron las traducciones de Qt al español (paquete "
                     "qt6-translations-l10n); los textos propios de Qt se verán en inglés.\n");
    // The desktop seam is the one process-wide piece; everything else lives in the context.
    helperlib::InstalarPlataforma(std::make_unique<app::PlataformaQt>());
    lookup::Contexto ctx;
    // Connection data asked for by the data access object comes from the access dialog.
    acceso::InstalarDialogoAcceso(ctx.db, ctx.sesion.gUsuarioLogeado);
    app::Opciones op = app::LeerOpciones(argc, argv);
    std::optional<app::PedidoSubdiarios> subdiarios;
    try {
        subdiarios = app::LeerPedidoSubdiarios(op.resto);
    } catch (const std::invalid_argument& e) {
        std::cerr << "Uso: asientos-modelo " << e.what() << " \"@Server=...;@DbName=...;\"\n";
        return 2;
    }
    const std::string linea =
        startup::LineaDeParametros(static_cast<int>(op.resto.size()), op.resto.data());
    if (subdiarios) return app::GenerarSubdiarios(*subdiarios, linea, ctx.db, ctx.sesion);

    auto* ventana = new editor::FrmMa_Modelo(ctx);
    ventana->setAttribute(Qt::WA_DeleteOnClose, false);
    ventana->Form_Load(linea);
    ventana->show();
    if (!op.captura.empty()) {
        QTimer::singleShot(300, ventana, [ventana, op] {
            if (!op.modelo.empty()) {
                ventana->txtFields[0]->setText(QString::fromStdString(op.modelo));
                ventana->ConfirmarCampo(0, toolbar::teclas::Vk(Qt::Key_Return));
            }
            QTimer::singleShot(300, ventana, [ventana, op] {
                const bool ok = ventana->grab().save(QString::fromStdString(op.captura));
                std::_Exit(ok ? 0 : 2);
            });
        });
    }
    if (!op.capturaAviso.empty()) {
        // The notice as a generation shows it, drawn at its own opacity over the window.
        auto* aviso = new notice::Dll_Display;
        QTimer::singleShot(300, ventana, [ventana, aviso, op] {
            if (!op.modelo.empty()) {
                ventana->txtFields[0]->setText(QString::fromStdString(op.modelo));
                ventana->ConfirmarCampo(0, toolbar::teclas::Vk(Qt::Key_Return));
            }
            aviso->CartelInicio("Generando Reporte de Subdiarios", true);
            bool cancelado = false;
            aviso->CartelMostrar(cancelado, "Generando el Reporte", "0003-0000412");
            QTimer::singleShot(450, ventana, [ventana, aviso, op] {
                QImage imagen = ventana->grab().toImage();
                QWidget& cartel = *aviso->Ventana();
                QPainter p(&imagen);
                p.setOpacity(cartel.windowOpacity());
                p.drawPixmap((imagen.width() - cartel.width()) / 2,
                             (imagen.height() - cartel.height()) / 2, cartel.grab());
                p.end();
                std::_Exit(imagen.save(QString::fromStdString(op.capturaAviso)) ? 0 : 2);
            });
        });
    }
    return aplicacion.exec();
}
