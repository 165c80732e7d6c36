#pragma once
// The data access object of the program: the process's one connection `gCnn` and the facts
// needed to open it, the statement and recordset operations every other subsystem runs SQL
// through, the one-call table lookups, SQL literal and object-name helpers, the schema checks
// and the data layer's own error reporter. The program's context owns the one instance the
// program uses; tests build their own.
//
// Errors follow the suite's convention: operations trap their failures and, per operation,
// recover, ask the operator (retry 4 / ignore 5 / anything else leaves) or leave the failure in
// the connection's error collection for the caller to read.
#include <chrono>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>

#include "Conexion.h"
#include "DialogoArchivo.h"
#include "ErrorEjecucion.h"
#include "Moneda.h"
#include "Recordset.h"
#include "Sinonimos.h"

namespace data {

/// What the database access dialog receives (pre-filled values) and gives back.
struct DatosAcceso {
    std::string Base;      // database box
    std::string Servidor;  // server box
    std::string Usuario;   // user box (shown only; the login convention uses the database)
    std::string Clave;     // password box
    int Plataforma = 0;    // 0 SQL Server, above 0 Oracle
    bool Aceptado = false;
};

/// Variant type numbers the lookups take as key type.
namespace tipodato {
inline constexpr int kEntero = 3;
inline constexpr int kLargo = 4;
inline constexpr int kReal = 5;
inline constexpr int kFecha = 7;
inline constexpr int kTexto = 8;
/// The apostrophe character itself ('\'' == 39) is accepted by DatosTabla as "text".
inline constexpr int kApostrofe = '\'';
}  // namespace tipodato

class DB_Dll {
  public:
    DB_Dll();
    ~DB_Dll();
    DB_Dll(const DB_Dll&) = delete;
    DB_Dll& operator=(const DB_Dll&) = delete;

    // ---- Public properties, in the suite's declared order -------------------------------
    std::string gUsuarioClave;         ///< password pre-filled in the access dialog
    helperlib::DialogoArchivo CmdDlg;  ///< file chooser state for browsing a local database
    bool gOpenFlag = false;            ///< true after a successful open; cleared by a failed one
    /// When nullopt (Null) a local database password is taken from gUserPassWord instead of
    /// being asked for.
    std::optional<std::string> gIgnoraPassWord = std::string();
    Conexion gCnn;              ///< the process's connection
    Recordset glrcs;            ///< spare recordset slot; no operation uses it
    int gCursorLocation = 0;    ///< not used by the operations
    std::string gProveedor;     ///< provider name ("SQLOLEDB", "OraOLEDB.Oracle.1", Jet)
    std::string gDsn;           ///< not used by the operations
    std::string gServidor;      ///< server; a "#" marks an Oracle connection
    std::string gDBName;        ///< database, Oracle data source or local file path
    std::string gUsuario;       ///< login name
    bool gEsAdmin = false;      ///< the session user is an administrator
    std::string gUserPassWord;  ///< login password
    std::string gConnString;    ///< the connection string last used to open gCnn
    std::string gExtended;      ///< appended as is to SQL Server and local strings
    std::string gLogErr;        ///< error-log path override (see ArchivoErrores)
    int16_t ParametrosSQL = 0;  ///< not used by the operations
    int16_t gKXTimeOut = 0;     ///< not used by the operations

    static constexpr const char* pSQLOLEDB = "SQLOLEDB";
    static constexpr const char* pJETOLEDB40 = "Microsoft.Jet.OLEDB.4.0";
    static constexpr const char* pJETOLEDB35 = "Microsoft.Jet.OLEDB.3.51";

    // ---- Seams filled by the application (defaults serve tests and tools) --------------
    /// The session's logged-in suite user: pre-fills the access dialog's user box and is the
    /// key of the administrator test. It is read where it is kept (the session values): this
    /// binds it; `usuario` must outlive this object or be bound again. Unbound: "".
    void VincularUsuarioSesion(const std::string& usuario) { usuarioSesion_ = &usuario; }
    const std::string& UsuarioSesion() const { return *usuarioSesion_; }
    /// The suite's confidentiality (SS_CONFIDENCIALIDAD) is on: a non-administrator's
    /// statements on the journal read its restricted view. Set by the profile load.
    bool gConfidencialidad = false;
    /// The database access dialog. Receives the pre-filled values, returns what the operator
    /// chose. Unset: the dialog answers "cancelled".
    std::function<DatosAcceso(const DatosAcceso&)> DialogoAcceso;
    /// Opens `cn` with a connection string, user and password. Unset: cn.Open(...). Tests
    /// install engines that fail on demand here. Must throw ErrorEjecucion on failure.
    std::function<void(Conexion& cn, const std::string& cadena, const std::string& usuario,
                       const std::string& clave)>
        AbrirConexion;

    // ---- Connections ----------------------------------------------------------------------
    /// Builds the SQL Server (or, with "#" in gServidor, the Oracle) connection string from
    /// the properties, stores it in gConnString and returns it.
    std::string ArmarCadenaConexion();
    /// Shows the access dialog pre-filled; accepted: gOpenFlag true and the properties set by
    /// the login convention (user and password = database); otherwise gOpenFlag false.
    void PedirDatosConexion();
    /// Opens gCnn. The outcome is gOpenFlag. With MuestraError the operator is told about a
    /// failure and may retry with other data; without it failures are silent. ValidaAdmin
    /// decides gEsAdmin from ta_usuarios after opening.
    void OpenServerADODB(bool PideParametrosSQL = false, long lCursor = 2,
                         const std::string& ConnString = "", bool ValidaAdmin = false,
                         bool MuestraError = true);
    /// Opens gCnn on a local database file (gDBName, browsed for when blank). Failures are
    /// shown; gOpenFlag is not touched. A wrong password is asked for at most three times.
    void OpenLocalADODB(const std::string& ConnString = "", const std::string& CadenaID = "User ID",
                        const std::string& CadenaPWD = "Password");
    /// Closes and reopens gCnn with its own connection string. The outcome is gOpenFlag (true
    /// only when the connection is really open afterwards).
    void ReintentaConectar();
    /// Browses for a local database file through CmdDlg; false when cancelled.
    bool BuscarBase();

    // ---- Statements and recordsets --------------------------------------------------------
    /// Opens `Lrcs` (closed first) on the statement, after removing markers and translating
    /// names (the caller's text is rewritten). Uses `Conexionactiva` when given, else gCnn.
    /// A dropped connection is recovered; other failures go to TratamientoErrores
    /// ("AbrirRecordset"): retry repeats, ignore leaves Lrcs closed, abort returns. After
    /// opening, pending events run (plataforma().DoEvents) unless they last ran less than
    /// kIntervaloEventos ago: the window stays responsive, but a burst of statements does not
    /// repaint it after each one.
    void AbrirRecordset(std::string& SentenciaSQL, Recordset& Lrcs,
                        Conexion* Conexionactiva = nullptr, int CursorType = cursor::kSoloAvance,
                        int LockType = bloqueo::kSoloLectura, long Options = -1,
                        bool ConvOracle = true);
    /// Closes the recordset when it is open; a pending new row is cancelled first.
    void CierraRecordset(Recordset& LrcsTemp);
    /// Runs a command on gCnn. `RecordsAffected` receives the count; when `Lrcs` is given it
    /// receives the command's rows. A dropped connection is recovered (up to two repeats, then
    /// the operator is asked; "No" ends the program). Other failures are silent and stay in
    /// gCnn.Errors(). Returns true when the command ran.
    bool EjecutaConsultaSQL(std::string& SentenciaSQL, long& RecordsAffected,
                            Recordset* Lrcs = nullptr);
    /// Runs a command as EjecutaConsultaSQL does and raises what the database reported (the
    /// first error of the collection) as ErrorEjecucion, for callers whose next step must not
    /// run after a failed command.
    void EjecutaConsultaComprobada(std::string SentenciaSQL);
    /// As EjecutaConsultaSQL without reconnection; failures other than the expected SQL ones
    /// (E_FAIL, errors in command, no such table, integrity) are shown.
    bool EjecutaConsultaRSQL(std::string& SentenciaSQL, long& RecordsAffected,
                             Recordset* Lrcs = nullptr);
    /// "" (and the caller's variable emptied) for statements with "SET NOCOUNT" or
    /// "IF NOT EXIST"; otherwise the statement.
    std::string SentenciaCompatible(std::string& sentencia);

    // ---- Table lookups ---------------------------------------------------------------------
    /// True when a row of Tabla has Campo = ValorBuscado (or matches Condicion). With `Lrcs`
    /// the found row stays open in it.
    bool ExisteEnTabla(const std::string& Tabla, const std::string& ValorBuscado,
                       const std::string& Campo, Recordset* Lrcs = nullptr,
                       int Tipodato = tipodato::kTexto, const std::string& Condicion = "",
                       bool SoloLectura = false);
    /// The same question without TOP 1, trimming and name translation.
    bool ExisteEnTablaST(const std::string& Tabla, const std::string& ValorBuscado,
                         const std::string& Campo, Recordset* Lrcs = nullptr,
                         int Tipodato = tipodato::kTexto, const std::string& Condicion = "",
                         bool SoloLectura = false);
    /// Column CampoDevuelto of the first row with Campo = ValorBuscado, as text ("" for Null
    /// or no row); nullopt (Empty) when the connection could not be used. The statement is
    /// opened through AbrirRecordset (recovery of a lost link, TratamientoErrores and its log
    /// line); when that leaves the recordset closed the result is nullopt, with no second
    /// dialog. With IgnoraError any failure gives "" silently.
    std::optional<std::string> DatosTabla(const std::string& Tabla, const std::string& ValorBuscado,
                                          const std::string& CampoDevuelto,
                                          const std::string& Campo, int Tipodato = tipodato::kTexto,
                                          const std::string& Condicion = "", bool UsaTrim = false,
                                          bool IgnoraError = false);
    /// The largest value of the column as a number; nullopt when there is none (no rows or
    /// only Nulls). Errors reach the caller.
    std::optional<helperlib::Moneda> BuscaUltimoCodigo(const std::string& QueTabla,
                                                       const std::string& QueCampo, long Tipo = 0,
                                                       const std::string& Condicion = "");
    /// The largest value as text (Tipo nullopt or 7) or as a number's shortest text (3, 4, 5);
    /// nullopt when no row comes back. Errors reach the caller.
    std::optional<std::string> BuscaMaximo(const std::string& QueTabla, const std::string& QueCampo,
                                           std::optional<int> Tipo = std::nullopt,
                                           const std::string& Condicion = "");
    /// The smallest value as a number; nullopt when no row comes back. Errors reach the caller.
    std::optional<helperlib::Moneda> BuscaMinimo(const std::string& QueTabla,
                                                 const std::string& QueCampo,
                                                 std::optional<int> Tipo = std::nullopt,
                                                 const std::string& Condicion = "");

    // ---- Statement translation and schema ---------------------------------------------------
    /// The statement as this session may send it (Sinonimos.h): for a non-administrator the
    /// protected tables become their restricted "SS_" views (the journal only with
    /// gConfidencialidad); the "@Admin_" markers are removed.
    std::string SS_TSinonimos(const std::string& sql);
    /// The statement in Oracle dialect (DialectoOracle.h) when gConnString names Oracle;
    /// unchanged otherwise.
    std::string ORACLE_Dicc(const std::string& Valor);
    /// Runs a server style script on gCnn (Oracle connections): its statements one by one,
    /// translated, those the server alone understands skipped (SentenciaCompatible); "SET
    /// TRANSACTION", "COMMIT" and "ROLLBACK" drive gCnn's transaction. RecordsAffected
    /// accumulates the counts; `filas`, when given, receives the rows of the last statement.
    /// A failing statement throws ErrorEjecucion (gCnn.Errors() filled) and the rest of the
    /// script does not run; a transaction the script began is then rolled back. A single
    /// remaining error with native code 265929 is cleared at the end. Returns "".
    std::string EjecutarGuionOracle(const std::string& script, long& RecordsAffected,
                                    Recordset* filas = nullptr);
    /// Whether the connected database has the table (name trimmed, case ignored).
    bool ExisteTablaDB(const std::string& Tabla);
    /// Whether the table has the column (true without looking on an Oracle provider).
    bool ExisteCampoDB(const std::string& Tabla, const std::string& Campo);
    /// The statement AddField sends.
    static std::string SentenciaAddField(const std::string& Tabla, const std::string& Campo,
                                         const std::string& Tipo, bool PermiteNulos,
                                         const std::optional<std::string>& ValorDefault);
    /// Adds the column to the table (SentenciaAddField through EjecutaConsultaSQL). A failure
    /// goes to TratamientoErrores ("errAddField"): retry repeats, anything else leaves.
    void AddField(const std::string& Tabla, const std::string& Campo, const std::string& Tipo,
                  bool PermiteNulos, const std::optional<std::string>& ValorDefault = std::nullopt);
    /// When the table exists and lacks the column, adds it if `Agregar`. True once done; false
    /// when the addition was asked for and failed. A missing table is left alone.
    bool VerCampoDB(const std::string& Tabla, const std::string& Campo, bool Agregar,
                    const std::string& Tipo, bool PermiteNulos,
                    const std::optional<std::string>& ValorDefault = std::nullopt);

    // ---- SQL literals and object names (pure) -----------------------------------------------
    /// ADO type-code classifiers; a code given as text compares as its number; a text that is
    /// not a number gives false.
    static bool adodate(long Qtype);
    static bool adodate(std::string_view Qtype);
    static bool ADOText(long Qtype);
    static bool ADOText(std::string_view Qtype);
    static bool ADONumeric(long Qtype);
    static bool ADONumeric(std::string_view Qtype);
    static bool ADOCurrency(long Qtype);
    static bool ADOCurrency(std::string_view Qtype);
    static bool ADOBoolean(long Qtype);
    static bool ADOBoolean(std::string_view Qtype);
    /// "'" for date and text codes, "" otherwise.
    static std::string ADOComilla(long Qtype);
    static std::string ADOComilla(std::string_view Qtype);
    /// The SQL literal of a value: Tipo "@" numeric (Null -> 0, "," -> "."), "'" between
    /// apostrophes, anything else the text as is; Null gives NULL. Nothing inside the value is
    /// escaped (the suite's programs rely on this form): statements of this program quote
    /// values with texto::DuplicarApostrofes instead.
    static std::string SQLValue(const std::optional<std::string>& Valor, const std::string& Tipo);
    static std::string SQLValue2(const std::optional<std::string>& Valor, const std::string& Tipo);
    static std::string stSTF(std::string& rsName, bool rnPart);
    static std::string AddBrackets(const std::string& rObjName);
    static std::string StripBrackets(const std::string& rsObjName);
    /// Removes the first qualifier, rewriting the caller's variable ("a.b.c" -> "b.c").
    static std::string StripOwner(std::string& rsTblName);
    /// The name before " ->". Throws ErrorEjecucion(5) when "->" starts the name.
    static std::string StripConnect(const std::string& rsTblName);
    /// The folder part of a path ("" when there is none).
    static std::string StripFileName(const std::string& rsFileName);

    // ---- Error treatment --------------------------------------------------------------------
    /// Shows the error (number, trimmed description; title source + " - " routine +
    /// " Aviso al operador!!! - 5 "), appends a line to the error log and returns the answer;
    /// 0 (nothing shown or written) for error number 0. Log failures are ignored.
    int TratamientoErrores(const helperlib::ErrorEjecucion& CodErr, int Botones = 18,
                           const std::string& Rutina = "");
    /// Appends the error's log line (with the engine's own text, when the description is the
    /// program's explanation of it) without showing anything; for failures a caller showed
    /// through another dialog. Never throws.
    void RegistrarError(const helperlib::ErrorEjecucion& error, const std::string& rutina,
                        int respuesta);
    /// The error-log path override (gLogErr).
    std::string ArchivoErrores() const { return gLogErr; }
    void ArchivoErrores(const std::string& valor) { gLogErr = valor; }

    /// Shortest time between two runs of the pending events from AbrirRecordset.
    static constexpr std::chrono::milliseconds kIntervaloEventos{50};

  private:
    /// What a connection string says of Oracle: where "ORACLE" stands in it (case ignored,
    /// 1-based, 0 when absent) and whether it holds it. The answer for the last string asked
    /// about is kept: statements do not search the same string again, and a string changed
    /// since is searched anew.
    struct MencionOracle {
        int posicion = 0;
        bool contiene = false;
    };
    const MencionOracle& Oracle(const std::string& cadena);
    std::string cadenaOracle_;
    MencionOracle oracle_;
    bool oracleSabido_ = false;
    TraductorSinonimos sinonimos_;  // SS_TSinonimos's remembered work

    /// Runs the pending events unless they ran less than kIntervaloEventos ago.
    void EventosPendientes();
    std::chrono::steady_clock::time_point ultimosEventos_{};

    void Abrir(Conexion& cn, const std::string& cadena, const std::string& usuario,
               const std::string& clave);
    /// The lost-connection procedure: reconnects; true when the failed statement is to be
    /// repeated, false when recovery stops. May end the program (operator's "No").
    bool RecuperarConexion(int& cuenta);
    std::string PrepararSentencia(const std::string& sql);
    /// Answer (4 repeat, anything else leave) for a failed command outside a transaction
    /// statement; the shared body of the two command runners.
    using DecisionFalla = std::function<int(const helperlib::ErrorEjecucion&)>;
    bool EjecutarPreparada(std::string& SentenciaSQL, long& RecordsAffected, Recordset* Lrcs,
                           const DecisionFalla& decidir);
    /// Opens `rs` on `sql`, through the Oracle translation when allowed and connected to Oracle.
    void AbrirTraducido(const std::string& sql, Recordset& rs, Conexion& cn, int tipoCursor,
                        int tipoBloqueo, long opciones, bool convOracle);
    int ReportarBusqueda(const helperlib::ErrorEjecucion& e, int& cuenta);
    bool Existe(const std::string& sql, Recordset* Lrcs, bool SoloLectura, bool traducir);
    void ComprobarAdministrador(bool MuestraError);
    bool AgregarCampo(const std::string& Tabla, const std::string& Campo, const std::string& Tipo,
                      bool PermiteNulos, const std::optional<std::string>& ValorDefault);
    std::string TituloPrograma() const;

    static inline const std::string kSinUsuario;
    const std::string* usuarioSesion_ = &kSinUsuario;
};

/// The text of the connection-failure question built from the first error of the collection.
std::string MensajeErrorConexion(const ErrorAdo& e, const std::string& proceso,
                                 const std::string& servidor, const std::string& usuario);
/// The text of the lost-connection question.
std::string MensajeConexionPerdida(const std::string& base, const std::string& servidor);

}  // namespace data
