#pragma once
// The template store: reads a template of MA_MODELOS (one row per line) into the editor's
// header values, six option boxes and working copy of lines, writes it back in one transaction,
// deletes it, and (re)opens the working recordset. It holds no widget: the editor window keeps
// its fields in step with the public members below and implements VistaAlmacen for the few
// things the store asks of the screen.
#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "AnclarEnMenu.h"
#include "ErrorEjecucion.h"
#include "LineaModelo.h"
#include "Recordset.h"

namespace data {
class DB_Dll;
class GuardaTransaccion;
}  // namespace data

namespace editor {

/// The program's title: the editor window's and that of the messages the program itself gives.
inline constexpr const char* kTituloPrograma = "Asientos Modelo de Registraciones Directas";

/// Asked before a save replaces a template that someone else saved after it was loaded here.
inline constexpr const char* kPreguntaReemplazo =
    "El modelo fue modificado por otro usuario desde que se cargo. ¿Desea reemplazarlo?";

/// Told once when the database cancelled the save's transaction by itself.
inline constexpr const char* kMensajeNadaGrabado =
    "No se grabó nada: la base de datos canceló la grabación y el modelo quedó tal como estaba "
    "antes. Corrija la causa informada y vuelva a grabar.";

/// What a template's rows in the table are, as far as telling a change goes: how many there
/// are and a digest of every value of every row (save and change times included), whatever
/// their order.
struct HuellaModelo {
    long filas = 0;
    uint64_t digesto = 0;
    bool operator==(const HuellaModelo&) const = default;
};

/// The digest of the rows of `rs` (all of them, from the first); an empty or closed recordset
/// gives the digest of no rows. Leaves `rs` at its end.
HuellaModelo HuellaDeFilas(data::Recordset& rs);

/// Columns of a line, to tell the window which cell to focus after a conversion error.
enum class ColumnaLinea { Cuenta, Debe, Haber, AlicIVA };

/// What the store asks of the editor window.
class VistaAlmacen {
  public:
    virtual ~VistaAlmacen() = default;
    /// Shows element k of Lineas in grid row k.
    virtual void MostrarLinea(int k) = 0;
    /// Resets the form to its idle state (empty fields, empty grid, boxes unchecked).
    virtual void Limpiar() = 0;
    /// Puts the focus on column `columna` of grid row k.
    virtual void EnfocarCelda(int k, ColumnaLinea columna) = 0;
};

/// One header text field: its data field, its tag (lookup table) and its text.
struct CampoEncabezado {
    std::string CampoDatos;
    std::string Etiqueta;
    std::string Texto;
};

/// The six option boxes, each 0 (unchecked) or 1 (checked).
struct CasillasModelo {
    int16_t chkCpte = 0;         // MODIFICATC: posting may change the voucher type
    int16_t chkModCuentas = 0;   // MODIFICACTAS: posting may change the accounts
    int16_t chkAgrCuentas = 0;   // AGREGACTAS: posting may add accounts
    int16_t chkAlMenu = 0;       // Anclarenmenu: the template has its own menu entry
    int16_t chkLibroIva = 0;     // allibrodeiva: the entry goes to the VAT book
    int16_t chkLiqTarjetas = 0;  // esliqtarjetas: card-settlement template
};

/// The conversion-error message for a value that is not a number, naming `campo`.
std::string MensajeErrorConversion(const std::string& campo);

class AlmacenModelos {
  public:
    /// `db` and `vista` (when given) must outlive the store.
    explicit AlmacenModelos(data::DB_Dll& db, VistaAlmacen* vista = nullptr);

    // ---- Form state the window shows and edits -------------------------------------------
    /// Header text fields 0..2: name ("NOMBRE", tag "MA_MODELOS"), default voucher type ("TC",
    /// tag "V_TA_CPTE") and reason ("idMotivo", tag "V_TA_MotivoCpra").
    std::array<CampoEncabezado, 3> txtFields;
    std::string lblTC;  ///< description of the default voucher type
    CasillasModelo Casillas;
    LineasModelo Lineas;

    std::string NombreTabla = "MA_MODELOS";
    std::string NombreCargado;        ///< NOMBRE of the first row of the template last loaded
    bool ModoBorrar = false;          ///< ActualizarDatos deletes instead of saving
    bool ModeloExistente = false;     ///< the loaded template exists in the table
    bool Grabando = false;            ///< a save command is running
    bool ErrorValidacion = false;     ///< the last save (or validation) failed
    data::Recordset RegistroTrabajo;  ///< the working recordset (template rows; new rows go here)

    /// Index of the header field bound to `campo` (case ignored); -1 when none.
    int IndiceDeCampo(std::string_view campo) const;
    /// Text of the header field bound to `campo`. Throws ErrorEjecucion 9 when none.
    std::string& TextoCampo(std::string_view campo);

    // ---- Operations -----------------------------------------------------------------------
    /// Opens RegistroTrabajo on "SELECT top 1 * FROM " + tabla, dynamic and optimistic.
    /// Failures go to the operator ("Generar"): retry, ignore or leave.
    void Generar(const std::string& tabla);
    /// Header and lines from the current row of RegistroTrabajo: ModeloExistente, NombreCargado,
    /// the voucher type and its description, the six boxes, then Cargar_Modelo. Leaves silently
    /// when there is no current row (error 3021); other failures go to the operator.
    void AsignarDatos();
    /// Loads the template's lines, ordered by SECUENCIA, into Lineas (line k at index k, one
    /// empty element after the last) and shows each; rows without an account are skipped.
    /// Failures go to the operator ("Cargar_Modelo").
    void Cargar_Modelo(const std::string& nombre);
    /// Saves the template in one transaction: its old rows deleted, one row per line with an
    /// account inserted through RegistroTrabajo, and its menu entry added or removed, all
    /// committed together. When the template's rows are no longer those it was loaded from
    /// (someone else saved it since), the user is asked kPreguntaReemplazo first (No keeps the
    /// form as it is). In delete mode asks "Realmente desea eliminar este MODELO", deletes the
    /// rows and the menu entry in one transaction and resets the form; when the name on screen
    /// is not the stored template last loaded, it tells the operator there is nothing to delete
    /// and only resets the form.
    /// On failure the transaction is rolled back, ErrorValidacion is true and the table holds
    /// the template exactly as before; a step that succeeds when retried is a success. When the
    /// database cancels the transaction by itself, no further line is written whatever the
    /// answer, and the user is told once (kMensajeNadaGrabado).
    void ActualizarDatos();
    /// Back to an empty template: mode flags off, loaded name, header texts, description,
    /// boxes and lines cleared (Lineas with its one unused element). The window's reset calls it.
    void LimpiarEstado();
    /// True when the name on screen (field 0) is that of the stored template last loaded.
    bool ModeloEnPantallaGrabado() const;

  private:
    enum class Intento { Grabado, Fallido, CambiadoPorOtro };

    void Grabar();
    /// One attempt of the save inside its transaction; `actual` receives the rows found.
    Intento IntentarGrabar(const std::string& nombre, editor::HuellaModelo& actual);
    void Borrar();
    void GrabarLinea(int i, const std::string& ahora);
    /// Where the columns a line is read from stand in the template's rows (-1: no such
    /// column); found once per load, the rows all having the same columns.
    struct ColumnasLinea {
        int cuenta = -1, alicIva = -1, detalle = -1, lado = -1, importe = -1;
    };
    /// The current row of RegistroTrabajo as the next line.
    void CargarFila(const ColumnasLinea& columnas);
    /// Begins the transaction of a save or a delete into `guarda`.
    void Comenzar(std::optional<data::GuardaTransaccion>& guarda);
    /// Rolls back what `guarda` holds; a failure to do so is shown.
    void Deshacer(data::GuardaTransaccion& guarda);
    int ReportarFallaGrabacion(const helperlib::ErrorEjecucion& e);
    /// The save's answer to a failure: shown and logged, then `Decidir`. Without
    /// `permiteIgnorar` an "ignore" leaves as well.
    int AtenderFalla(const helperlib::ErrorEjecucion& e, bool permiteIgnorar);
    /// The same for a failure of the menu step, which cannot be skipped: Retry or Cancel.
    int AtenderFallaMenu(const helperlib::ErrorEjecucion& e);
    /// Leaves, whatever the answer, once the engine has cancelled the transaction; marks the
    /// save failed unless the step is to be retried.
    int Decidir(int respuesta);
    /// The template's rows now, read inside the save's transaction (and locked against other
    /// writers where the engine can).
    HuellaModelo LeerHuella(const std::string& nombre);
    /// The rows the form's template was loaded from (no rows for a template typed as new).
    HuellaModelo HuellaCargada(const std::string& nombre) const;
    void AdoptarHuella(const std::string& nombre, const HuellaModelo& h);
    DatosAnclaje DatosParaAnclar();
    void Mostrar(int k);

    data::DB_Dll& db_;
    VistaAlmacen* vista_;
    int lineaEnCurso_ = 0;  // line being written, for the conversion-error message
    ColumnaLinea columnaEnCurso_ = ColumnaLinea::Cuenta;
    editor::HuellaModelo huellaCargada_;  // rows of the template as loaded (or last saved)
    std::string nombreHuella_;            // the template they belong to, trimmed
    bool transaccionAbierta_ = false;     // a save or delete has begun its transaction
    bool transaccionPerdida_ = false;     // ... and the engine cancelled it by itself
};

}  // namespace editor
