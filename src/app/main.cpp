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
// and --help (-h), which prints the usage and ends before any window is made.
//
// For measuring start-up only: with the environment variable ASIENTOS_SALIR_EN_REPOSO set (to
// anything but empty), the program ends as closing the window ends it as soon as the loaded
// window is on screen and no event is pending.
#include <QApplication>
#include <QImage>
#include <QLineEdit>
#include <QPainter>
#include <QTimer>
#include <QWindow>
#include <cstdio>
#include <iostream>
#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

#include "CarpetaScripts.h"
#include "Contexto.h"
#include "Dll_Display.h"
#include "EstiloPrograma.h"
#include "FrmMa_Modelo.h"
#include "GeneracionSubdiarios.h"
#include "Lbf_CtrlDisplay.h"
#include "ParametrosLanzamiento.h"
#include "PlataformaQt.h"
#include "PrimerInicio.h"
#include "Sistema.h"
#include "TeclasVirtuales.h"
#include "Texto.h"
#include "TraduccionesQt.h"
#include "UbicacionArchivos.h"
#include "frmAcceso.h"

namespace app {
namespace {

struct Opciones {
    std::string captura;
    std::string capturaAviso;
    std::string modelo;
    std::vector<const char*> resto;
};

constexpr const char* kAyuda =
    "Uso: asientos-modelo [CADENA DE PARÁMETROS]\n"
    "     asientos-modelo --captura ARCHIVO [--modelo NOMBRE] CADENA DE PARÁMETROS\n"
    "Editor de los asientos modelo de registraciones directas.\n"
    "\n"
    "La cadena de parámetros son entradas @Clave=valor; cada una cerrada por \";\", p. ej.\n"
    "  asientos-modelo \"@Server=sqlite:/ruta/carpeta;@DbName=DEMO;@UsuarioLogeado=DEMO;\"\n"
    "@Server=sqlite:CARPETA abre la base incorporada CARPETA/DbName.sqlite; otro servidor se\n"
    "abre por ODBC. Sin parámetros se ofrece el diálogo de acceso a bases de datos.\n"
    "\n"
    "  --subdiarios DESDE HASTA TIPO [--archivo-legal]\n"
    "                     en lugar del editor, genera el subdiario auxiliar del usuario\n"
    "  --captura ARCHIVO  guarda una imagen de la ventana cargada en ARCHIVO y termina\n"
    "  --modelo NOMBRE    con --captura, confirma antes NOMBRE en el campo del nombre\n"
    "  --captura-aviso ARCHIVO  guarda una imagen del aviso de progreso sobre la ventana\n"
    "  -h, --help         muestra esta ayuda\n"
    "\n"
    "Más información: man asientos-modelo\n";

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

// A start without launch parameters (as from the desktop's menu) fails to connect and offers
// the access dialog; on the user's first such start a demo database is made and registered so
// the dialog has something to open. A failure is told and the start goes on.
void PrimerInicioSinParametros() {
    const std::string carpeta = helperlib::CarpetaPrograma();
    try {
        acceso::PrepararPrimerInicio(helperlib::UbicacionArchivos::Para(carpeta),
                                     data::UbicarScriptsDb(carpeta));
    } catch (const std::exception& e) {
        helperlib::plataforma().MsgBox(
            std::string("No se pudo preparar la base de demostración del usuario.\r") + e.what(),
            helperlib::estilo::kExclamacion, "Aviso al Operador");
    }
}

// Start-up measured as a whole process: once the window is exposed and the event queue is
// empty (a zero-interval timer fires only then), the window is unloaded as a close does.
void SalirEnReposo(editor::FrmMa_Modelo& ventana) {
    auto* vigia = new QTimer(&ventana);
    vigia->setInterval(0);
    QObject::connect(vigia, &QTimer::timeout, &ventana, [&ventana] {
        if (ventana.windowHandle() && ventana.windowHandle()->isExposed()) ventana.Form_Unload();
    });
    vigia->start();
}

}  // namespace
}  // namespace app

int main(int argc, char** argv) {
    for (int i = 1; i < argc; ++i) {
        const std::string a = argv[i];
        if (a == "--help" || a == "-h") {
            std::fputs(app::kAyuda, stdout);
            return 0;
        }
    }
    QApplication aplicacion(argc, argv);
    // Every window paints with the program's style and font (see EstiloPrograma.h).
    startup::PrepararAplicacion();
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
    if (helperlib::texto::Recortar(linea).empty()) app::PrimerInicioSinParametros();

    auto* ventana = new editor::FrmMa_Modelo(ctx);
    ventana->setAttribute(Qt::WA_DeleteOnClose, false);
    ventana->Form_Load(linea);
    ventana->show();
    if (!qEnvironmentVariableIsEmpty("ASIENTOS_SALIR_EN_REPOSO")) app::SalirEnReposo(*ventana);
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
