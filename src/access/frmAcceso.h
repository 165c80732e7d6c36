#pragma once
// The database access dialog "Control de Acceso": server, database, user, password, platform
// and port, the list of connections registered on this computer, "Conectar", "Cancelar",
// "Registrar" and "Crear Acceso Directo". The data access object shows it (through the
// connection-data hook) when a connection must be asked for; the dialog never opens the working
// connection itself. The work that needs no widget is in LogicaAcceso.
#include <QDialog>

#include "DB_Dll.h"
#include "LogicaAcceso.h"

class QComboBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;

namespace acceso {

/// The web address the link label opens.
inline constexpr const char* kDireccionProveedor = "https://www.example.com/soporte";

class frmAcceso : public QDialog {
    Q_OBJECT
  public:
    /// Loads the dialog: centred on the screen, list filled from the connection file (its first
    /// entry selected), prompts in the empty boxes. `db` receives registrations and
    /// `usuarioSesion` the user typed on "Conectar"; both must outlive the dialog.
    frmAcceso(data::DB_Dll& db, std::string& usuarioSesion, QWidget* parent = nullptr);

    QLineEdit* TxtUserId;
    QLineEdit* TxtUserPassword;
    QLineEdit* TxtDbName;
    QLineEdit* TxtServidor;
    QLineEdit* TxtPuerto;
    QComboBox* CboPlataformaDB;
    QListWidget* lstBases;
    QPushButton* bcAceptar;
    QPushButton* bcCancelar;
    QPushButton* CmdRegistrar;
    QPushButton* CmdLineaComando;
    QLabel* Label8;

    /// True when the dialog was closed with "Conectar".
    bool Aceptar = false;

    /// Fills the list from the connection file and selects its first entry.
    void llenarlist();
    /// Looks a connection up by name (see LogicaAcceso::DatosBase).
    void DatosBase(const QString& Nombre);
    /// Copies the selected list entry into the boxes.
    void AsignarDatosBase();
    /// Shows the box's prompt, selected, when the box is empty (or shows it already).
    void MensajeInicial(QLineEdit* ObjTxt);
    /// See LogicaAcceso::ExisteBaseDeDatos.
    bool ExisteBaseDeDatos(const QString& Servidor, const QString& Dbname, const QString& Usuario,
                           const QString& Password, const QString& Proveedor);
    /// Registers the typed connection when there is no connection file yet.
    void RegistrarBases();

    /// What the caller does before showing the dialog: the boxes take these values and the
    /// platform list its first entry.
    void Prellenar(const data::DatosAcceso& datos);
    /// What the caller reads after the dialog hides.
    data::DatosAcceso Resultado() const;

    LogicaAcceso& Logica() { return logica_; }

  public slots:
    void reject() override;  // closing the window or Escape: as "Cancelar"

  protected:
    bool eventFilter(QObject* objeto, QEvent* evento) override;
    void keyPressEvent(QKeyEvent* evento) override;

  private:
    void Construir();
    void Centrar();
    CajasAcceso LeerCajas() const;
    void EscribirCajas(const CajasAcceso& cajas);
    void ClickConectar();
    void ClickCancelar();
    void ClickRegistrar();
    void ClickAccesoDirecto();

    LogicaAcceso logica_;
    bool ajustandoPrompt_ = false;
};

/// Installs the dialog as `db`'s connection-data hook: each request creates, fills, shows
/// modally, reads and deletes one dialog. `usuarioSesion` (the session values' user) must
/// outlive `db`.
void InstalarDialogoAcceso(data::DB_Dll& db, std::string& usuarioSesion);

}  // namespace acceso
