#include "PlataformaQt.h"

#include <QApplication>
#include <QDesktopServices>
#include <QFileDialog>
#include <QInputDialog>
#include <QMessageBox>
#include <QProcess>
#include <QPushButton>
#include <QSysInfo>
#include <QUrl>
#include <cstdlib>

#include "ErrorEjecucion.h"
#include "VentanaDuena.h"
using namespace helperlib;

namespace app {

namespace {

QString Q(const std::string& s) { return QString::fromStdString(s); }

struct Boton {
    QMessageBox::StandardButton qt;
    int respuesta;
};

std::vector<Boton> BotonesDe(int estilo) {
    using B = QMessageBox;
    switch (estilo & 0x0F) {
        case estilo::kOkCancelar:
            return {{B::Ok, respuesta::kOk}, {B::Cancel, respuesta::kCancelar}};
        case estilo::kAbortarReintentarIgnorar:
            return {{B::Abort, respuesta::kAbortar},
                    {B::Retry, respuesta::kReintentar},
                    {B::Ignore, respuesta::kIgnorar}};
        case estilo::kSiNoCancelar:
            return {{B::Yes, respuesta::kSi},
                    {B::No, respuesta::kNo},
                    {B::Cancel, respuesta::kCancelar}};
        case estilo::kSiNo:
            return {{B::Yes, respuesta::kSi}, {B::No, respuesta::kNo}};
        case estilo::kReintentarCancelar:
            return {{B::Retry, respuesta::kReintentar}, {B::Cancel, respuesta::kCancelar}};
        default:
            return {{B::Ok, respuesta::kOk}};
    }
}

QMessageBox::Icon IconoDe(int estilo) {
    switch (estilo & 0x70) {
        case estilo::kCritico:
            return QMessageBox::Critical;
        case estilo::kPregunta:
            return QMessageBox::Question;
        case estilo::kExclamacion:
            return QMessageBox::Warning;
        case estilo::kInformacion:
            return QMessageBox::Information;
        default:
            return QMessageBox::NoIcon;
    }
}

// Spanish captions for the standard buttons: the users read Spanish.
QString TextoBoton(QMessageBox::StandardButton b) {
    switch (b) {
        case QMessageBox::Ok:
            return "Aceptar";
        case QMessageBox::Cancel:
            return "Cancelar";
        case QMessageBox::Abort:
            return "&Anular";
        case QMessageBox::Retry:
            return "&Reintentar";
        case QMessageBox::Ignore:
            return "&Omitir";
        case QMessageBox::Yes:
            return "&Sí";
        case QMessageBox::No:
            return "&No";
        default:
            return {};
    }
}

}  // namespace

int PlataformaQt::MsgBox(const std::string& texto, int estilo, const std::string& titulo) {
    QMessageBox box(IconoDe(estilo), Q(titulo), Q(texto), QMessageBox::NoButton,
                    startup::VentanaDuena());
    const auto botones = BotonesDe(estilo);
    const int indiceDefecto = (estilo & 0x200) ? 2 : (estilo & 0x100) ? 1 : 0;
    for (size_t i = 0; i < botones.size(); ++i) {
        box.addButton(botones[i].qt);
        box.button(botones[i].qt)->setText(TextoBoton(botones[i].qt));
        if (static_cast<int>(i) == indiceDefecto) box.setDefaultButton(botones[i].qt);
    }
    if (botones.size() == 1 || (estilo & 0x0F) == estilo::kOkCancelar ||
        (estilo & 0x0F) == estilo::kSiNoCancelar || (estilo & 0x0F) == estilo::kReintentarCancelar)
        box.setEscapeButton(botones.back().qt);
    const auto elegido = static_cast<QMessageBox::StandardButton>(box.exec());
    for (const auto& b : botones)
        if (b.qt == elegido) return b.respuesta;
    // Closed without a button (no escape button defined): the last button's answer.
    return botones.back().respuesta;
}

std::string PlataformaQt::InputBox(const std::string& mensaje, const std::string& titulo,
                                   const std::string& defecto) {
    bool ok = false;
    const QString r = QInputDialog::getText(startup::VentanaDuena(), Q(titulo), Q(mensaje),
                                            QLineEdit::Normal, Q(defecto), &ok);
    return ok ? r.toStdString() : std::string();
}

void PlataformaQt::DoEvents() { QCoreApplication::processEvents(); }

void PlataformaQt::RepintarPendientes() {
    // Paint and expose events only: keys, clicks and socket events wait for the work in
    // progress to finish.
    QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents |
                                    QEventLoop::ExcludeSocketNotifiers);
}

void PlataformaQt::Terminar(int codigo) {
    // "End at once": no further events, no window asks anything more.
    std::fflush(nullptr);
    std::_Exit(codigo);
}

std::optional<std::string> PlataformaQt::ElegirArchivo(const std::string& titulo,
                                                       const std::string& filtro) {
    // The classic filter "Descripcion |*.MDB" becomes Qt's "Descripcion (*.MDB)".
    QString f = Q(filtro);
    const auto partes = f.split('|');
    QStringList filtros;
    for (int i = 0; i + 1 < partes.size(); i += 2)
        filtros << partes[i].trimmed() + " (" + QString(partes[i + 1]).replace(';', ' ') + ")";
    const QString r =
        QFileDialog::getOpenFileName(startup::VentanaDuena(), Q(titulo), {}, filtros.join(";;"));
    if (r.isEmpty()) return std::nullopt;
    return r.toStdString();
}

bool PlataformaQt::AbrirDocumento(const std::string& ruta) {
    // A web address ("https://...", "mailto:...") opens as given; anything else is a file.
    const QUrl url(Q(ruta));
    if (url.isValid() && url.scheme().size() > 1) return QDesktopServices::openUrl(url);
    return QDesktopServices::openUrl(QUrl::fromLocalFile(Q(ruta)));
}

long PlataformaQt::IniciarProceso(const std::string& programa,
                                  const std::vector<std::string>& argumentos) {
    QStringList args;
    for (const auto& a : argumentos) args << Q(a);
    qint64 pid = 0;
    if (!QProcess::startDetached(Q(programa), args, {}, &pid))
        throw ErrorEjecucion(errnum::kArchivoNoEncontrado,
                             "No se pudo iniciar el programa " + programa);
    return static_cast<long>(pid);
}

// The host name as the system gives it (what the network module's local host name returns
// too, without loading that module and its libraries at every start).
std::string PlataformaQt::NombreMaquina() { return QSysInfo::machineHostName().toStdString(); }

std::string PlataformaQt::UsuarioSistema() {
    QString u = qEnvironmentVariable("USER");
    if (u.isEmpty()) u = qEnvironmentVariable("USERNAME");
    return u.toStdString();
}

std::string PlataformaQt::RutaEjecutable() {
    return QCoreApplication::applicationFilePath().toStdString();
}

void PlataformaQt::IndicadorOcupado(bool encendido) {
    if (encendido)
        QApplication::setOverrideCursor(Qt::WaitCursor);
    else
        QApplication::restoreOverrideCursor();
}

}  // namespace app
