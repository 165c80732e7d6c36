#include "Apariencia.h"

#include <QFile>
#include <QIcon>
#include <QWidget>
#include <filesystem>

#include "ArchivoIni.h"
#include "Plataforma.h"
#include "Texto.h"
#include "Utilidades.h"

namespace {

std::string CarpetaDelPrograma() {
    const std::string ruta = plataforma().RutaEjecutable();
    if (ruta.empty()) return {};
    return NormalizarCarpeta(std::filesystem::path(ruta).parent_path().string());
}

}  // namespace

ArchivoEstilo ArchivoDeEstilo(int numero) {
    switch (numero) {
        case 1:
            return {"Styles\\Vista.cjstyles", ""};
        case 2:
            return {"Styles\\WinXP.Luna.cjstyles", ""};
        case 3:
            return {"Styles\\WinXP.Royale.cjstyles", ""};
        case 4:
            return {"Styles\\iTunes", "Normalitunes.ini"};
        default:
            return {"Styles\\Office2007.cjstyles", ""};
    }
}

int NumeroDeEstilo() {
    const std::string usuario = texto::Mayusculas(plataforma().UsuarioSistema());
    const std::string valor = LeerIni("ld000pr.ini", usuario + "Styles", "Styles", "1");
    try {
        return static_cast<int16_t>(NumeroDeTexto(valor));
    } catch (const ErrorEjecucion&) {
        return 0;
    }
}

void AplicarEstilo(QWidget* formulario) {
    if (!formulario) return;
    const ArchivoEstilo e = ArchivoDeEstilo(NumeroDeEstilo());
    const std::string piel = CarpetaDelPrograma() + texto::Reemplazar(e.Piel, "\\", "/");
    formulario->setProperty("archivoEstilo", QString::fromStdString(piel));
    QFile hoja(QString::fromStdString(piel + ".qss"));
    if (hoja.open(QIODevice::ReadOnly))
        formulario->setStyleSheet(QString::fromUtf8(hoja.readAll()));
}

void AplicarIcono(QWidget* formulario) {
    if (!formulario) return;
    try {
        const std::string id = LeerIni("LD000p.INI", "Iconos", "IconoDelSistema", "ICONPANEL");
        const std::string carpeta = CarpetaDelPrograma();
        for (const char* ext : {".ico", ".png", ".svg"}) {
            const QString archivo = QString::fromStdString(carpeta + id + ext);
            if (!QFile::exists(archivo)) continue;
            const QIcon icono(archivo);
            if (!icono.isNull()) formulario->setWindowIcon(icono);
            break;
        }
    } catch (...) {
        // Every step of the icon set-up is optional.
    }
    plataforma().DoEvents();
}
