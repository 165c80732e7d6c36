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

class frmAcceso : public QDialog {
    Q_OBJECT
  public:
    /// Loads the dialog: centred on the screen, list filled from the connection file (its first
    /// entry selected), prompts in the empty boxes. `db` receives registrations and
    /// `usuarioSesion` the user typed on "Conectar"; both must outlive the dialog.
    frmAcceso(data::DB_Dll& db, std::string& usuarioSesion, QWidget* parent = nullptr);

    /// Where the supplier's web address is configured: "LD000p.INI", section "Proveedor", key
    /// "DireccionWeb" (the INI file is looked for as every settings file of the suite).
    static constexpr const char* kIniProveedor = "LD000p.INI";
    static constexpr const char* kSeccionProveedor = "Proveedor";
    static constexpr const char* kClaveProveedor = "DireccionWeb";
    /// What the supplier label says when no address is configured (plain text, no link).
    static constexpr const char* kSinDireccionProveedor = "Consulte a su proveedor de sistemas";
    /// The configured supplier address, trimmed; "" when none is configured or readable.
    static std::string DireccionProveedor();

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
    std::string direccionProveedor_;  // "" : Label8 is plain text and opens nothing
};

/// Installs the dialog as `db`'s connection-data hook: each request creates, fills, shows
/// modally, reads and deletes one dialog. `usuarioSesion` (the session values' user) must
/// outlive `db`.
void InstalarDialogoAcceso(data::DB_Dll& db, std::string& usuarioSesion);

}  // namespace acceso
