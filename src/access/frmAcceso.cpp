#include "frmAcceso.h"

#include <QApplication>
#include <QComboBox>
#include <QEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QScreen>
#include <QVBoxLayout>

#include "AccesoDirecto.h"
#include "ArchivoIni.h"
#include "ErrorEjecucion.h"
#include "Lanzador.h"
#include "Plataforma.h"
#include "Texto.h"

using namespace helperlib;
using namespace data;
using namespace startup;

namespace acceso {

namespace {

QString Q(const std::string& s) { return QString::fromStdString(s); }
std::string S(const QString& s) { return s.toStdString(); }

/// The colour value 2 (0x00BBGGRR) of the prompts.
const QColor kColorPrompt(2, 0, 0);

QLineEdit* NuevaCaja(QWidget* padre, const char* nombre, const char* ayuda) {
    auto* caja = new QLineEdit(padre);
    caja->setObjectName(nombre);
    caja->setToolTip(QString::fromUtf8(ayuda));
    return caja;
}

QPushButton* NuevoBoton(QWidget* padre, const char* nombre, const char* texto) {
    auto* b = new QPushButton(QString::fromUtf8(texto), padre);
    b->setObjectName(nombre);
    b->setAutoDefault(false);  // Enter in a box moves the focus; it never presses a button
    b->setDefault(false);
    return b;
}

bool EsEnter(const QKeyEvent* k) { return k->key() == Qt::Key_Return || k->key() == Qt::Key_Enter; }

}  // namespace

frmAcceso::frmAcceso(DB_Dll& db, std::string& usuarioSesion, QWidget* parent)
    : QDialog(parent), logica_(db, usuarioSesion) {
    setObjectName("frmAcceso");
    setWindowTitle("Control de Acceso");
    setModal(true);
    Construir();
    Centrar();
    llenarlist();
    for (QLineEdit* caja : {TxtUserId, TxtUserPassword, TxtDbName, TxtServidor})
        MensajeInicial(caja);
}

void frmAcceso::Construir() {
    auto* titulo = new QLabel("Control de Acceso", this);
    titulo->setObjectName("lblTitulo");
    QFont f = titulo->font();
    f.setPointSize(f.pointSize() + 4);
    f.setBold(true);
    titulo->setFont(f);

    auto* marco = new QGroupBox("AUTENTICACION", this);
    marco->setObjectName("framAcceso");
    TxtUserId = NuevaCaja(marco, "TxtUserId", "Ingrese el nombre de usuario");
    TxtUserId->setText(" ");
    TxtUserPassword = NuevaCaja(marco, "TxtUserPassword", "Ingrese la contraseña");
    TxtUserPassword->setEchoMode(QLineEdit::Password);
    TxtDbName = NuevaCaja(marco, "TxtDbName", "ingrese el nombre de la base de datos");
    TxtServidor = NuevaCaja(marco, "TxtServidor", "ingrese el nombre del servidor e instancia");
    TxtPuerto = NuevaCaja(marco, "TxtPuerto", "Ingrese el Puerto ");
    TxtPuerto->setText("1433");
    CboPlataformaDB = new QComboBox(marco);
    CboPlataformaDB->setObjectName("CboPlataformaDB");
    CboPlataformaDB->addItems({"SQL Server", "ORACLE"});

    auto* rejilla = new QGridLayout(marco);
    const std::pair<const char*, QWidget*> filas[] = {
        {"Usuario", TxtUserId},       {"Contraseña", TxtUserPassword},
        {"Base de datos", TxtDbName}, {"Servidor", TxtServidor},
        {"Puerto", TxtPuerto},        {"Plataforma", CboPlataformaDB}};
    int fila = 0;
    for (const auto& [texto, control] : filas) {
        rejilla->addWidget(new QLabel(QString::fromUtf8(texto), marco), fila, 0);
        rejilla->addWidget(control, fila++, 1);
    }

    auto* etiquetaLista = new QLabel("Conexiones registradas", this);
    lstBases = new QListWidget(this);
    lstBases->setObjectName("lstBases");

    bcAceptar = NuevoBoton(this, "bcAceptar", "Conectar");
    bcCancelar = NuevoBoton(this, "bcCancelar", "Cancelar");
    CmdRegistrar = NuevoBoton(this, "CmdRegistrar", "Registrar");
    CmdLineaComando = NuevoBoton(this, "CmdLineaComando", "Crear Acceso Directo");

    Label8 = new QLabel(this);
    Label8->setObjectName("Label8");
    Label8->setTextInteractionFlags(Qt::NoTextInteraction);  // the click is handled here
    direccionProveedor_ = DireccionProveedor();
    if (direccionProveedor_.empty()) {
        Label8->setTextFormat(Qt::PlainText);
        Label8->setText(kSinDireccionProveedor);
    } else {
        Label8->setTextFormat(Qt::RichText);
        Label8->setText(
            QString("<a href=\"%1\">%1</a>").arg(Q(direccionProveedor_).toHtmlEscaped()));
        Label8->setCursor(Qt::PointingHandCursor);
    }

    auto* botones = new QHBoxLayout;
    for (QPushButton* b : {CmdRegistrar, CmdLineaComando}) botones->addWidget(b);
    botones->addStretch();
    for (QPushButton* b : {bcAceptar, bcCancelar}) botones->addWidget(b);

    auto* principal = new QVBoxLayout(this);
    principal->addWidget(titulo);
    principal->addWidget(marco);
    principal->addWidget(etiquetaLista);
    principal->addWidget(lstBases);
    principal->addLayout(botones);
    principal->addWidget(Label8);

    for (QObject* o : {static_cast<QObject*>(TxtUserId), static_cast<QObject*>(TxtUserPassword),
                       static_cast<QObject*>(TxtDbName), static_cast<QObject*>(TxtServidor),
                       static_cast<QObject*>(lstBases), static_cast<QObject*>(Label8)})
        o->installEventFilter(this);

    for (QLineEdit* caja : {TxtDbName, TxtServidor, TxtUserPassword})
        connect(caja, &QLineEdit::textChanged, this, [this, caja] { MensajeInicial(caja); });
    connect(lstBases, &QListWidget::currentRowChanged, this, [this](int fila) {
        if (fila >= 0) AsignarDatosBase();
    });
    connect(lstBases, &QListWidget::itemClicked, this, [this] { AsignarDatosBase(); });
    connect(lstBases, &QListWidget::itemDoubleClicked, this, [this](QListWidgetItem* item) {
        lstBases->setCurrentItem(item);  // the entry double-clicked is the one selected
        AsignarDatosBase();
        ClickConectar();
    });
    connect(bcAceptar, &QPushButton::clicked, this, [this] { ClickConectar(); });
    connect(bcCancelar, &QPushButton::clicked, this, [this] { ClickCancelar(); });
    connect(CmdRegistrar, &QPushButton::clicked, this, [this] { ClickRegistrar(); });
    connect(CmdLineaComando, &QPushButton::clicked, this, [this] { ClickAccesoDirecto(); });
}

void frmAcceso::Centrar() {
    adjustSize();
    const QScreen* pantalla = screen() ? screen() : QGuiApplication::primaryScreen();
    if (!pantalla) return;
    const QRect r = pantalla->geometry();
    move(r.x() + (r.width() - width()) / 2, r.y() + (r.height() - height()) / 2);
}

void frmAcceso::llenarlist() {
    const std::vector<std::string> nombres = logica_.llenarlist();
    lstBases->clear();
    for (const auto& n : nombres) lstBases->addItem(Q(n));
    if (lstBases->count() > 0) lstBases->setCurrentRow(0);  // runs AsignarDatosBase
}

void frmAcceso::DatosBase(const QString& Nombre) { logica_.DatosBase(S(Nombre)); }

void frmAcceso::AsignarDatosBase() {
    const QListWidgetItem* item = lstBases->currentItem();
    CajasAcceso cajas = LeerCajas();
    logica_.AsignarDatosBase(item ? S(item->text()) : std::string(), cajas);
    EscribirCajas(cajas);
}

void frmAcceso::MensajeInicial(QLineEdit* ObjTxt) {
    if (ajustandoPrompt_) return;
    const QString prompt = Q(PromptDeCaja(S(ObjTxt->objectName())));
    if (!MuestraPrompt(S(ObjTxt->text()), S(prompt))) {
        ObjTxt->setPalette(QPalette());  // typed text in the normal colour
        return;
    }
    ajustandoPrompt_ = true;
    if (ObjTxt->text() != prompt) ObjTxt->setText(prompt);
    QPalette p = ObjTxt->palette();
    p.setColor(QPalette::Text, kColorPrompt);
    ObjTxt->setPalette(p);
    ObjTxt->setCursorPosition(0);
    ObjTxt->setSelection(0, prompt.trimmed().size());
    ObjTxt->update();
    ajustandoPrompt_ = false;
}

bool frmAcceso::ExisteBaseDeDatos(const QString& Servidor, const QString& Dbname,
                                  const QString& Usuario, const QString& Password,
                                  const QString& Proveedor) {
    return logica_.ExisteBaseDeDatos(S(Servidor), S(Dbname), S(Usuario), S(Password), S(Proveedor));
}

void frmAcceso::RegistrarBases() {
    CajasAcceso cajas = LeerCajas();
    const auto r = logica_.RegistrarBases(cajas);
    EscribirCajas(cajas);
    if (r && *r != Registro::YaExiste && *r != Registro::SinConexion) llenarlist();
}

void frmAcceso::Prellenar(const DatosAcceso& datos) {
    TxtDbName->setText(Q(datos.Base));
    TxtServidor->setText(Q(datos.Servidor));
    TxtUserId->setText(Q(datos.Usuario));
    TxtUserPassword->setText(Q(datos.Clave));
    CboPlataformaDB->setCurrentIndex(0);
}

DatosAcceso frmAcceso::Resultado() const {
    DatosAcceso d;
    d.Base = S(TxtDbName->text());
    d.Servidor = S(TxtServidor->text());
    d.Usuario = S(TxtUserId->text());
    d.Clave = S(TxtUserPassword->text());
    d.Plataforma = CboPlataformaDB->currentIndex();
    d.Aceptado = Aceptar;
    return d;
}

CajasAcceso frmAcceso::LeerCajas() const {
    CajasAcceso c;
    c.TxtUserId = S(TxtUserId->text());
    c.TxtUserPassword = S(TxtUserPassword->text());
    c.TxtDbName = S(TxtDbName->text());
    c.TxtServidor = S(TxtServidor->text());
    c.TxtPuerto = S(TxtPuerto->text());
    c.CboPlataformaDB = CboPlataformaDB->currentIndex();
    return c;
}

void frmAcceso::EscribirCajas(const CajasAcceso& c) {
    const std::pair<QLineEdit*, const std::string*> pares[] = {
        {TxtServidor, &c.TxtServidor},
        {TxtUserId, &c.TxtUserId},
        {TxtUserPassword, &c.TxtUserPassword},
        {TxtDbName, &c.TxtDbName},
        {TxtPuerto, &c.TxtPuerto}};
    for (const auto& [caja, valor] : pares)
        if (caja->text() != Q(*valor)) caja->setText(Q(*valor));
}

void frmAcceso::ClickConectar() {
    CajasAcceso cajas = LeerCajas();
    const bool recargar = logica_.Conectar(cajas);
    Aceptar = true;
    EscribirCajas(cajas);
    if (recargar) llenarlist();
    done(QDialog::Accepted);
}

void frmAcceso::ClickCancelar() {
    Aceptar = false;
    done(QDialog::Rejected);
}

void frmAcceso::reject() { ClickCancelar(); }

void frmAcceso::ClickRegistrar() {
    CajasAcceso cajas = LeerCajas();
    const Registro r = logica_.CmdRegistrar(cajas);
    EscribirCajas(cajas);
    if (r != Registro::YaExiste && r != Registro::SinConexion) llenarlist();
}

void frmAcceso::ClickAccesoDirecto() {
    try {
        CrearAccesoDirecto();
    } catch (const ErrorEjecucion& e) {
        plataforma().MsgBox(
            "No se pudo crear el acceso directo en el escritorio.\r" + e.Descripcion(),
            estilo::kExclamacion, "Aviso al Operador");
    }
}

bool frmAcceso::eventFilter(QObject* objeto, QEvent* evento) {
    const QEvent::Type tipo = evento->type();
    if (tipo == QEvent::KeyPress) {
        auto* k = static_cast<QKeyEvent*>(evento);
        if (objeto == lstBases) {
            AsignarDatosBase();  // the entry selected before the key moves the selection
            return false;
        }
        if (EsEnter(k)) {
            QWidget* siguiente = objeto == TxtUserId         ? TxtUserPassword
                                 : objeto == TxtUserPassword ? TxtDbName
                                 : objeto == TxtDbName       ? TxtServidor
                                 : objeto == TxtServidor     ? static_cast<QWidget*>(bcAceptar)
                                                             : nullptr;
            if (siguiente) {
                siguiente->setFocus(Qt::OtherFocusReason);
                return true;
            }
        }
    } else if (tipo == QEvent::FocusIn) {
        if (objeto == TxtUserId) MensajeInicial(TxtUserId);
        // A box showing its prompt keeps it selected, so that typing replaces it.
        if (auto* caja = qobject_cast<QLineEdit*>(objeto)) {
            const QString prompt = Q(PromptDeCaja(S(caja->objectName())));
            if (!prompt.isEmpty() && caja->text() == prompt)
                caja->setSelection(0, prompt.trimmed().size());
        }
    } else if (tipo == QEvent::MouseButtonRelease && objeto == Label8) {
        if (!direccionProveedor_.empty()) AbrirDocumento(direccionProveedor_, true);
        return true;
    }
    return QDialog::eventFilter(objeto, evento);
}

void frmAcceso::keyPressEvent(QKeyEvent* evento) {
    if (EsEnter(evento)) {
        // Enter presses the button that has the focus; elsewhere it does nothing.
        if (auto* b = qobject_cast<QPushButton*>(focusWidget())) b->click();
        return;
    }
    QDialog::keyPressEvent(evento);
}

void InstalarDialogoAcceso(DB_Dll& db, std::string& usuarioSesion) {
    db.DialogoAcceso = [&db, &usuarioSesion](const DatosAcceso& datos) {
        frmAcceso dialogo(db, usuarioSesion, QApplication::activeWindow());
        dialogo.Prellenar(datos);
        dialogo.exec();
        return dialogo.Resultado();
    };
}

std::string frmAcceso::DireccionProveedor() {
    try {
        return texto::Recortar(LeerIni(kIniProveedor, kSeccionProveedor, kClaveProveedor, ""));
    } catch (const ErrorEjecucion&) {
        return "";  // no settings file to read: no address
    }
}
}  // namespace acceso
