#include "Apariencia.h"

#include <QApplication>
#include <QFile>
#include <QIcon>
#include <QMetaEnum>
#include <QScreen>
#include <QStyle>
#include <QStyleFactory>
#include <QWidget>
#include <algorithm>
#include <filesystem>
#include <functional>
#include <memory>
#include <vector>

#include "ArchivoIni.h"
#include "EleccionPiel.h"
#include "ErrorEjecucion.h"
#include "EstiloPrograma.h"
#include "Lanzador.h"
#include "Pasos.h"
#include "Plataforma.h"
#include "Sistema.h"
#include "Texto.h"

using namespace helperlib;

namespace startup {

namespace {

QString Q(const std::string& s) { return QString::fromStdString(s); }

[[noreturn]] void FaltaArchivo(const std::string& ruta, const char* que) {
    throw ErrorEjecucion(errnum::kArchivoNoEncontrado,
                         std::string("No se encuentra ") + que + " \"" + ruta + "\"");
}

// The class name without namespaces ("editor::FrmMa_Modelo" -> "FrmMa_Modelo").
std::string NombreDeTipo(const QWidget& w) {
    const std::string completo = w.metaObject()->className();
    const auto p = completo.rfind("::");
    return p == std::string::npos ? completo : completo.substr(p + 2);
}

}  // namespace

Piel CargarPiel(const std::string& rutaPiel, const std::string& ajustes) {
    namespace fs = std::filesystem;
    std::error_code ec;
    std::string descripcion = rutaPiel;
    if (fs::is_directory(rutaPiel, ec)) {
        if (ajustes.empty()) FaltaArchivo(rutaPiel + "/", "el archivo de ajustes de la apariencia");
        descripcion = (fs::path(rutaPiel) / ajustes).string();
    }
    // The description is read once; each of its values is then looked up in what was read.
    const IniLeido ini(descripcion);
    if (!ini.Ruta()) FaltaArchivo(descripcion, "el archivo de apariencia");
    const std::string& ubicada = *ini.Ruta();

    Piel piel;
    piel.descripcion = Q(ubicada);
    piel.estiloQt = Q(ini.Valor("Piel", "Estilo", "Fusion"));
    const std::unique_ptr<QStyle> estilo(QStyleFactory::create(piel.estiloQt));
    if (!estilo)
        throw ErrorEjecucion(errnum::kArgumentoInvalido,
                             "La apariencia \"" + ubicada + "\" pide el estilo \"" +
                                 piel.estiloQt.toStdString() + "\", que no existe");
    piel.paleta = estilo->standardPalette();
    const QMetaEnum roles = QMetaEnum::fromType<QPalette::ColorRole>();
    for (int i = 0; i < roles.keyCount(); ++i) {
        const auto rol = static_cast<QPalette::ColorRole>(roles.value(i));
        if (rol == QPalette::NoRole || rol >= QPalette::NColorRoles) continue;
        const std::string valor = ini.Valor("Paleta", roles.key(i), "");
        if (valor.empty()) continue;
        const QColor color = QColor::fromString(Q(valor));
        if (!color.isValid())
            throw ErrorEjecucion(errnum::kArgumentoInvalido,
                                 "La apariencia \"" + ubicada + "\" da a " + roles.key(i) +
                                     " el color no válido \"" + valor + "\"");
        piel.paleta.setColor(QPalette::All, rol, color);
    }
    piel.pintura = LeerPintura(ini, ubicada);
    const std::string hoja = ini.Valor("Piel", "Hoja", "");
    if (!hoja.empty()) {
        const std::string ruta = (fs::path(ubicada).parent_path() / hoja).string();
        QFile archivo(Q(ruta));
        if (!archivo.open(QIODevice::ReadOnly)) FaltaArchivo(ruta, "la hoja de estilo");
        piel.hoja = QString::fromUtf8(archivo.readAll());
    }
    return piel;
}

void AplicarPiel(const Piel& piel) {
    // The previous sheet goes first: while one is set, the application's style is wrapped by
    // the sheet's and widgets keep the palette it resolved. Then the style with the skin's look
    // and palette (a style the application already has is not made again: replacing it
    // re-polishes every widget), the application's palette as that style gives it (a palette
    // set on the application before is dropped), and the new sheet last.
    qApp->setStyleSheet({});
    UsarEstilo(piel.estiloQt, piel.pintura, piel.paleta);
    QApplication::setPalette(QPalette());
    qApp->setStyleSheet(piel.hoja);
}

void AplicarEstilo(QWidget& formulario) {
    const ArchivoPiel archivo = ArchivoDePiel(NumeroDeEstilo(ValorEstiloUsuario()));
    const std::string ruta = RutaEnPrograma(CarpetaPrograma(), archivo.Piel);
    AplicarPiel(CargarPiel(ruta, archivo.Ajustes));
    formulario.setProperty("archivoEstilo", Q(ruta));
}

void AplicarIcono(QWidget& formulario, bool barrasPlanas) {
    std::string id;
    EjecutarPasos({[&] { id = LeerIni("LD000p.INI", "Iconos", "IconoDelSistema", "ICONPANEL"); },
                   [&] { formulario.setWindowIcon(IconoDelPrograma(id)); }},
                  IgnorarSiempre);
    if (texto::Mayusculas(NombreDeTipo(formulario)) == "FRMMDI") return;

    std::vector<std::function<void()>> pasos;
    pasos.push_back([&] { PrepararVentana(formulario); });
    for (const char* nombre : {"UtilPanel1", "TBarRep1", "Util0011"}) {
        pasos.push_back([&formulario, nombre, barrasPlanas] {
            QObject* control = formulario.findChild<QObject*>(QString::fromLatin1(nombre));
            // Only a declared property: a control without it is skipped, never given a
            // dynamic property of that name.
            if (!control || control->metaObject()->indexOfProperty("StyleBar") < 0)
                throw ErrorEjecucion(errnum::kElementoNoEncontrado,
                                     std::string("No hay barra \"") + nombre + "\"");
            control->setProperty("StyleBar", barrasPlanas);
        });
    }
    pasos.push_back([] { plataforma().DoEvents(); });
    EjecutarPasos(pasos, IgnorarSiempre);
}

void PrepararVentana(QWidget& ventana) {
    if (!ventana.isWindow()) return;
    const QScreen* pantalla = ventana.screen();
    if (!pantalla) return;
    const QRect libre = pantalla->availableGeometry();
    QRect marco = ventana.frameGeometry();
    if (marco.width() <= libre.width() && marco.height() <= libre.height() && libre.contains(marco))
        return;
    const QSize borde = marco.size() - ventana.size();  // window frame around the client area
    const QSize cabe = ventana.size().boundedTo(libre.size() - borde);
    ventana.resize(cabe);
    marco = ventana.frameGeometry();
    marco.moveLeft(std::clamp(marco.left(), libre.left(), libre.right() - marco.width() + 1));
    marco.moveTop(std::clamp(marco.top(), libre.top(), libre.bottom() - marco.height() + 1));
    ventana.move(marco.topLeft());
}

}  // namespace startup
