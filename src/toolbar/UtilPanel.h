#pragma once
// The eight-button command toolbar a maintenance form places along one edge. The host sets
// which buttons are enabled and shown, forwards its key-downs to KeyAnalisis, and receives
// every chosen command as one upper-case word through the signal `click`.
#include <QString>
#include <QWidget>
#include <array>
#include <cstdint>

#include "BolsaPropiedades.h"
#include "EstadoUtilPanel.h"

class QBoxLayout;
class QKeyEvent;
class QToolButton;

namespace toolbar {

class UtilPanel : public QWidget {
    Q_OBJECT
    /// Flat bar (buttons raise only under the mouse) or raised bar (buttons always raised).
    Q_PROPERTY(bool StyleBar READ StyleBar WRITE StyleBar)
  public:
    /// Builds the bar: every flag True, eight buttons, icons from the strip of the current
    /// user's appearance style in the program's folder when it is there, else the control's
    /// own icons.
    explicit UtilPanel(QWidget* parent = nullptr);
    ~UtilPanel() override;

    // Flags. Reading returns the stored value; writing a new value stores it and refreshes the
    // buttons it concerns (the value a flag already has leaves them as they are). `Enabled` is
    // stored and saved only: it does not disable the bar, its buttons or its keys.
    bool ConTitulo() const { return estado_.ConTitulo(); }
    void ConTitulo(bool v) {
        if (estado_.ConTitulo() == v) return;
        estado_.ConTitulo(v);
        Refrescar();
    }
    bool Enabled() const { return estado_.Enabled(); }
    void Enabled(bool v) { estado_.Enabled(v); }

    bool NuevoEnabled() const { return estado_.NuevoEnabled(); }
    void NuevoEnabled(bool v) {
        if (estado_.NuevoEnabled() == v) return;
        estado_.NuevoEnabled(v);
        RefrescarBoton(utilpanel::Comando::Nuevo);
    }
    bool BorrarEnabled() const { return estado_.BorrarEnabled(); }
    void BorrarEnabled(bool v) {
        if (estado_.BorrarEnabled() == v) return;
        estado_.BorrarEnabled(v);
        RefrescarBoton(utilpanel::Comando::Borrar);
    }
    bool ReporteEnabled() const { return estado_.ReporteEnabled(); }
    void ReporteEnabled(bool v) {
        if (estado_.ReporteEnabled() == v) return;
        estado_.ReporteEnabled(v);
        RefrescarBoton(utilpanel::Comando::Reporte);
    }
    bool ConsultaEnabled() const { return estado_.ConsultaEnabled(); }
    void ConsultaEnabled(bool v) {
        if (estado_.ConsultaEnabled() == v) return;
        estado_.ConsultaEnabled(v);
        RefrescarBoton(utilpanel::Comando::Consultar);
    }
    bool PlanillaEnabled() const { return estado_.PlanillaEnabled(); }
    void PlanillaEnabled(bool v) {
        if (estado_.PlanillaEnabled() == v) return;
        estado_.PlanillaEnabled(v);
        RefrescarBoton(utilpanel::Comando::Planilla);
    }
    bool CancelarEnabled() const { return estado_.CancelarEnabled(); }
    void CancelarEnabled(bool v) {
        if (estado_.CancelarEnabled() == v) return;
        estado_.CancelarEnabled(v);
        RefrescarBoton(utilpanel::Comando::Cancelar);
    }
    bool GrabarEnabled() const { return estado_.GrabarEnabled(); }
    void GrabarEnabled(bool v) {
        if (estado_.GrabarEnabled() == v) return;
        estado_.GrabarEnabled(v);
        RefrescarBoton(utilpanel::Comando::Grabar);
    }
    bool CerrarEnabled() const { return estado_.CerrarEnabled(); }
    void CerrarEnabled(bool v) {
        if (estado_.CerrarEnabled() == v) return;
        estado_.CerrarEnabled(v);
        RefrescarBoton(utilpanel::Comando::Cerrar);
    }

    bool NuevoVisible() const { return estado_.NuevoVisible(); }
    void NuevoVisible(bool v) {
        if (estado_.NuevoVisible() == v) return;
        estado_.NuevoVisible(v);
        RefrescarBoton(utilpanel::Comando::Nuevo);
    }
    bool BorrarVisible() const { return estado_.BorrarVisible(); }
    void BorrarVisible(bool v) {
        if (estado_.BorrarVisible() == v) return;
        estado_.BorrarVisible(v);
        RefrescarBoton(utilpanel::Comando::Borrar);
    }
    bool ReporteVisible() const { return estado_.ReporteVisible(); }
    void ReporteVisible(bool v) {
        if (estado_.ReporteVisible() == v) return;
        estado_.ReporteVisible(v);
        RefrescarBoton(utilpanel::Comando::Reporte);
    }
    bool consultarVisible() const { return estado_.consultarVisible(); }
    void consultarVisible(bool v) {
        if (estado_.consultarVisible() == v) return;
        estado_.consultarVisible(v);
        RefrescarBoton(utilpanel::Comando::Consultar);
    }
    bool PlanillaVisible() const { return estado_.PlanillaVisible(); }
    void PlanillaVisible(bool v) {
        if (estado_.PlanillaVisible() == v) return;
        estado_.PlanillaVisible(v);
        RefrescarBoton(utilpanel::Comando::Planilla);
    }
    bool CancelarVisible() const { return estado_.CancelarVisible(); }
    void CancelarVisible(bool v) {
        if (estado_.CancelarVisible() == v) return;
        estado_.CancelarVisible(v);
        RefrescarBoton(utilpanel::Comando::Cancelar);
    }
    bool GrabarVisible() const { return estado_.GrabarVisible(); }
    void GrabarVisible(bool v) {
        if (estado_.GrabarVisible() == v) return;
        estado_.GrabarVisible(v);
        RefrescarBoton(utilpanel::Comando::Grabar);
    }
    bool CerrarVisible() const { return estado_.CerrarVisible(); }
    void CerrarVisible(bool v) {
        if (estado_.CerrarVisible() == v) return;
        estado_.CerrarVisible(v);
        RefrescarBoton(utilpanel::Comando::Cerrar);
    }

    /// Stored and reported only; values outside 0..2 are stored as 0.
    std::int16_t Theme() const { return estado_.Theme(); }
    void Theme(int v) { estado_.Theme(v); }

    /// The host's key-down: `keyCode` is a Windows virtual-key code (see TeclasVirtuales.h),
    /// `shift` the shift mask (it does not change the map). When the key maps to an enabled
    /// command, raises `click` with its word and returns true; otherwise returns false.
    bool KeyAnalisis(int keyCode, int shift = 0);
    /// The same from a Qt key event.
    bool KeyAnalisis(const QKeyEvent& evento);

    /// Rebuilds the bar from scratch: every Boolean flag back to True (hidden or disabled
    /// buttons come back), new buttons, the user's appearance style read again and its icons
    /// loaded. Safe to call from a `click` handler: the old bar is deleted once control
    /// returns to the event loop. The flat or raised look is kept.
    void ActualizarBotones();

    /// Replaces the appearance style value read from the user's settings ("1" to "4";
    /// anything else picks the plain strip) until the next rebuild; reloads the icons.
    void FijarEstilo(const QString& estilo);
    QString Estilo() const { return estilo_; }
    /// Folder searched for the icon strip; reloads the icons. Default: the program's folder.
    void FijarCarpetaPrograma(const QString& carpeta);
    QString CarpetaPrograma() const { return carpeta_; }
    /// Full path of the strip whose images are on the buttons; empty when the control's own
    /// icons are used.
    QString ArchivoIconos() const { return archivoIconos_; }

    /// Saves / loads the eighteen Boolean flags (Theme excluded) in their fixed order.
    void GuardarPropiedades(BolsaPropiedades& bolsa) const { estado_.Guardar(bolsa); }
    void CargarPropiedades(const BolsaPropiedades& bolsa);

    /// The flags as a plain value.
    const utilpanel::EstadoUtilPanel& Estado() const { return estado_; }
    /// The button with `id` (1..8), or nullptr. Owned by the control.
    QToolButton* Boton(int id) const;
    /// The button at bar position `posicion` (1..8), or nullptr. Owned by the control.
    QToolButton* BotonEnPosicion(int posicion) const;
    /// Horizontal (bar at the top) when the control is wider than high; vertical (bar at the
    /// left) otherwise, square included.
    Qt::Orientation Orientacion() const { return orientacion_; }

    bool StyleBar() const { return barraPlana_; }
    void StyleBar(bool plana);

    QSize sizeHint() const override;

  signals:
    /// The command chosen by a button or a key: "NUEVO", "BORRAR", "REPORTE", "CONSULTAR",
    /// "PLANILLA", "CANCELAR", "GRABAR" or "CERRAR".
    void click(const QString& command);

  protected:
    void resizeEvent(QResizeEvent* evento) override;
    void showEvent(QShowEvent* evento) override;

  private:
    void Construir();
    void CargarIconos();
    void Refrescar();
    /// Gives the button of `comando` the enabled and visible state its flags say (what Refrescar
    /// does for every button), for a flag of that button alone.
    void RefrescarBoton(utilpanel::Comando comando);
    void AjustarOrientacion();
    void AlPresionar(int indice);

    utilpanel::EstadoUtilPanel estado_;
    QString estilo_;
    QString carpeta_;
    QString archivoIconos_;
    QWidget* barra_ = nullptr;
    QBoxLayout* disposicion_ = nullptr;
    std::array<QToolButton*, utilpanel::kCantidadBotones> botones_{};
    Qt::Orientation orientacion_ = Qt::Horizontal;
    bool barraPlana_ = true;
};

}  // namespace toolbar
