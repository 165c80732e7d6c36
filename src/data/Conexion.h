#pragma once
// The process's database connection, with the surface of the classic ADO Connection the
// program was written against: Open / Close / Execute / transactions / error collection.
// Statements arrive in the suite server's dialect and are adapted here to the engine that is
// actually connected (Dialecto.h). Failures fill Errors() and raise ErrorEjecucion with the
// provider number of the first error.
//
// Errors() is emptied when Open, Execute, EjecutarConParametros, the transaction calls or a
// Recordset.Open start, so a count above zero after a call tells that this call failed.
#include <functional>
#include <memory>
#include <string>
#include <unordered_map>
#include <vector>

#include "ErrorAdo.h"
#include "Motor.h"

namespace data {

class Recordset;

namespace estado_objeto {
inline constexpr int kCerrado = 0;
inline constexpr int kAbierto = 1;
}  // namespace estado_objeto

class Conexion {
  public:
    Conexion();
    ~Conexion();
    Conexion(const Conexion&) = delete;
    Conexion& operator=(const Conexion&) = delete;

    /// ADO properties the program sets.
    int CursorLocation = 2;   // 2 server-side, 3 client-side (recorded only)
    int CommandTimeout = 30;  // seconds; applied to the engine (lock waits) at each statement
    std::string ConnectionString;

    /// Opens with `cadena` (or ConnectionString when empty). The engine is chosen from the
    /// text: a "Server=sqlite:<folder>" value or a Jet "Data Source" opens the embedded engine
    /// (file "<folder>/<Database>.sqlite", or the data source path itself); any other server
    /// goes to ODBC with the SQL Server driver (or the Oracle one when the server holds "#").
    /// `usuario`, `clave` and `opciones` are accepted for the classic signature; the login
    /// travels in the connection string (UId/Pwd), which is what the program always builds.
    /// Throws ErrorEjecucion 3705 when already open; on failure fills Errors() (a missing
    /// SQLite file: 0x80004005, native 11, state 08001) and throws the first error's number.
    void Open(const std::string& cadena = "", const std::string& usuario = "",
              const std::string& clave = "", long opciones = -1);
    /// Throws ErrorEjecucion 3704 when already closed. An open transaction is rolled back.
    void Close();
    int State() const;

    /// Runs a statement; returns its rows as an open recordset (closed when it returns none).
    /// `afectadas` receives the engine's count of changed rows (-1 when none changed rows).
    /// Throws ErrorEjecucion 3709 (Errors() filled) when the connection is closed, and the
    /// mapped error (MapaErrores.h) when the engine fails.
    Recordset Execute(const std::string& sql, long* afectadas = nullptr, long opciones = -1);
    /// Runs a statement as Execute does and gives its rows in one buffer, without a recordset:
    /// for readers that show every row once (the sheet). Errors as Execute.
    data::TablaResultado Leer(const std::string& sql);
    /// Runs a statement with "?" placeholders (values never concatenated into the text).
    long EjecutarConParametros(const std::string& sql, const std::vector<ValorSql>& parametros);
    /// Runs a query with "?" placeholders and gives its rows as the engine returned them,
    /// without building a recordset: for procedures that read many rows once. A text run
    /// again with other values reuses the engine's prepared statement. Errors as Execute.
    ResultadoSql Consultar(const std::string& sql, const std::vector<ValorSql>& parametros = {});

    void BeginTrans();
    /// Commits. When the engine no longer holds the transaction (it cancelled it after a
    /// failure) nothing is committed: the engine's state is cleaned up and the call throws.
    void CommitTrans();
    /// Rolls back; an engine that already cancelled the transaction has nothing to undo.
    void RollbackTrans();
    /// Whether a transaction begun here is still open in the engine (asked of the engine, which
    /// may have cancelled it after a failure).
    bool EnTransaccion();
    /// Whether a transaction was begun here and not yet ended here (the engine not asked).
    bool TransaccionIniciada() const { return enTransaccion_; }
    /// Whether the database connected can only be read (false when closed).
    bool SoloLectura() const;

    std::string DefaultDatabase();
    void SetDefaultDatabase(const std::string& base);

    ColeccionErrores& Errors() { return errores_; }
    const ColeccionErrores& Errors() const { return errores_; }

    /// Table and column catalogue (for the schema utilities).
    std::vector<std::string> Tablas();
    std::vector<std::string> Columnas(const std::string& tabla);

    /// The dialect of the engine connected (SqlServer when closed).
    Dialecto DialectoSql() const;

    /// Called with every statement as the program wrote it, before adaptation (tests capture
    /// the exact texts the program sends).
    std::function<void(const std::string&)> Observador;

    /// Installs an engine directly (tests inject failing engines); the connection counts as
    /// open with `cadena` as its connection string.
    void AbrirConMotor(std::unique_ptr<Motor> motor, const std::string& cadena);
    Motor* MotorActual() { return motor_.get(); }

    /// Runs `accion` on the engine, turning a FallaMotor into the error collection and an
    /// ErrorEjecucion carrying the SQL state, native code and `sentencia` (the one place where
    /// engine failures become program errors).
    template <class F>
    auto Proteger(F&& accion, const std::string& sentencia = {}) -> decltype(accion());

  private:
    void RegistrarFalla(const FallaMotor& f, const std::string& sentencia = {});
    /// `sql` adapted to the connected engine's dialect. Texts sent again (a recordset's insert
    /// for every new row) are adapted once: the results of recent texts are kept until the
    /// engine changes. The reference lives until the next call: a caller that runs the engine
    /// with it (a lock wait may repaint, and a repaint may run a statement) keeps a copy.
    const std::string& Adaptada(const std::string& sql, Dialecto destino);
    /// The SQLite adaptation of a text with literals, through its form (the text with its
    /// literals cut out): a key typed by a user makes a new text each time, not a new form.
    /// The text's literal values go to `valores`. Null when the text has no literals to cut, or
    /// when its form's adaptation does not keep every literal in order (such a text is adapted
    /// whole).
    std::shared_ptr<const FormaConsulta> FormaAdaptada(const std::string& sql,
                                                       std::vector<std::string>& valores);
    [[noreturn]] void LanzarCerrada();
    Motor& MotorAbierto();
    /// Errors cleared, the engine checked open and given the command time-out: what every
    /// statement and transaction call does first.
    Motor& PrepararMotor();

    std::unique_ptr<Motor> motor_;
    static constexpr size_t kAdaptacionesGuardadas = 64;      // beyond it a store starts afresh
    std::unordered_map<std::string, std::string> adaptadas_;  // text -> adapted, for motor_
    // form -> its adaptation cut at the literals (SQLite); null for a form adapted whole
    std::unordered_map<std::string, std::shared_ptr<const FormaConsulta>> formas_;
    std::string adaptadaPorForma_;
    std::vector<std::string> partes_, valores_;  // FormaAdaptada's cut, kept for its buffers
    std::string clave_;                          // and its form's key
    ColeccionErrores errores_;
    bool enTransaccion_ = false;
    std::string origen_ = "Microsoft OLE DB Provider for SQL Server";  // source of its errors
};

/// Rolls back in its destructor the transaction it began, unless Confirmar was called.
/// The constructor throws like Conexion::BeginTrans; the destructor never throws (a failed
/// roll-back leaves its trace in the connection's error collection).
class GuardaTransaccion {
  public:
    explicit GuardaTransaccion(Conexion& cn);
    ~GuardaTransaccion();
    GuardaTransaccion(const GuardaTransaccion&) = delete;
    GuardaTransaccion& operator=(const GuardaTransaccion&) = delete;
    /// Commits; throws like Conexion::CommitTrans (the guard then still rolls back).
    void Confirmar();
    /// Rolls back now instead of at destruction; throws like Conexion::RollbackTrans. The guard
    /// has nothing left to do afterwards, whatever the outcome.
    void Revertir();

  private:
    Conexion& cn_;
    bool activa_ = true;
};

template <class F>
auto Conexion::Proteger(F&& accion, const std::string& sentencia) -> decltype(accion()) {
    try {
        return accion();
    } catch (const FallaMotor& f) {
        RegistrarFalla(f, sentencia);  // throws ErrorEjecucion
        throw;                         // not reached
    }
}

}  // namespace data
