#pragma once
// A database engine behind the connection: the embedded SQLite engine or an ODBC driver.
// A Motor receives statements already adapted to its dialect and knows nothing of the suite's
// recovery rules; it reports failures as FallaMotor with a class that the one mapping table
// (MapaErrores.h) turns into the numbers the program keys on.
#include <memory>
#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

#include "FilasResultado.h"

namespace data {

enum class Dialecto { SqlServer, Sqlite, Oracle };

/// What kind of failure an engine met; each backend classifies its own codes into these.
enum class ClaseFalla {
    ConexionPerdida,   // the link to the server is gone
    Truncamiento,      // a text or binary value does not fit its column
    TablaInexistente,  // the statement names a table or view that does not exist
    Sintaxis,          // the statement text is not valid
    Restriccion,       // a key, unique, check or foreign-key constraint was violated
    ObjetoCerrado,     // the connection is closed
    Ocupado,           // the database stayed locked by another process past the time-out
    Conversion,        // a value could not be converted or is out of its type's range (22xxx)
    DiscoLleno,        // no room left on the disk (or in the database's files) to write
    SoloLectura,       // the database file or its folder cannot be written
    ArchivoPerdido,    // the database file was deleted, moved or renamed while open
    Danada,            // the database file is damaged, or is not a database at all
    Otra
};

struct FallaMotor : std::runtime_error {
    FallaMotor(ClaseFalla c, std::string estado, long nativo, std::string descripcion)
        : std::runtime_error(descripcion),
          Clase(c),
          EstadoSql(std::move(estado)),
          NativoMotor(nativo),
          Descripcion(std::move(descripcion)) {}
    ClaseFalla Clase;
    std::string EstadoSql;  // the engine's own SQLSTATE, or "" when it has none
    long NativoMotor;       // the engine's own native code
    std::string Descripcion;
};

/// A value as it travels between the program and an engine: text, or Null. Numbers and dates
/// travel as text so that amounts stay exact.
using ValorSql = std::optional<std::string>;

struct ColumnaResultado {
    std::string Nombre;
    int TipoAdo = 200;  // ADO type code: 200 varchar, 3 integer, 6 currency, 135 timestamp, 5
                        // double, 11 boolean ...
};

struct ResultadoSql {
    std::vector<ColumnaResultado> Columnas;  // empty when the statement returns no rows
    std::vector<std::vector<ValorSql>> Filas;
    long Afectadas = -1;  // rows changed by INSERT/UPDATE/DELETE, -1 when none
};

/// A result's columns as a recordset keeps them: never changed once made, so the results of
/// one prepared statement share them while its shape holds.
using ColumnasCompartidas = std::shared_ptr<const std::vector<ColumnaResultado>>;

/// A statement's result with its rows in one buffer (FilasResultado.h): what a recordset keeps.
struct TablaResultado {
    ColumnasCompartidas Columnas;  // null or empty when the statement returns no rows
    data::FilasResultado Filas;
    long Afectadas = -1;
};

/// Gives a result its columns: a ResultadoSql keeps them as its own, a TablaResultado shares
/// them.
inline void PonerColumnas(ResultadoSql& r, std::vector<ColumnaResultado> columnas) {
    r.Columnas = std::move(columnas);
}
inline void PonerColumnas(TablaResultado& r, std::vector<ColumnaResultado> columnas) {
    r.Columnas = std::make_shared<const std::vector<ColumnaResultado>>(std::move(columnas));
}

/// A query cut at its text literals (CortarLiterales, LexicoSql.h), as an engine that binds
/// literals as values takes it: the parts between the literals, and the same parts joined by
/// "?" (the query one prepared statement serves for every text of the form).
struct FormaConsulta {
    std::vector<std::string> Partes;
    std::string Consulta;
};

class Motor {
  public:
    virtual ~Motor() = default;
    virtual Dialecto DialectoSql() const = 0;
    /// Runs one statement (already in this engine's dialect). Throws FallaMotor.
    virtual ResultadoSql Ejecutar(const std::string& sql) = 0;
    /// As Ejecutar, with the rows in one buffer. This default copies Ejecutar's rows; an engine
    /// that can step its rows straight into the buffer does so.
    virtual data::TablaResultado Leer(const std::string& sql);
    /// As Leer, for the text made of `forma`'s parts with `valores` set between them as text
    /// literals (CoserLiterales). This default runs that text; an engine that can bind the
    /// literals as values runs the form's query instead, with the same result.
    virtual data::TablaResultado LeerForma(const FormaConsulta& forma,
                                           const std::vector<std::string>& valores);
    /// Runs one statement with "?" placeholders bound to `parametros` in order. Throws FallaMotor.
    virtual ResultadoSql EjecutarConParametros(const std::string& sql,
                                               const std::vector<ValorSql>& parametros) = 0;
    virtual void Comenzar() = 0;
    virtual void Confirmar() = 0;
    /// Ends the open transaction discarding its work; does nothing when the engine holds no
    /// transaction (it may have cancelled it by itself).
    virtual void Revertir() = 0;
    /// Whether the engine itself holds an open transaction now. An engine cancels a transaction
    /// on its own after some failures (a full disk, an I/O error, a lost link): the program's
    /// own record of having begun one is not proof that it is still open. Never throws.
    virtual bool EnTransaccion() = 0;
    /// Whether the database can only be read (a read-only file or folder). Never throws.
    virtual bool SoloLectura() { return false; }
    /// Seconds a statement may wait (lock or server) before failing; 0 waits for ever.
    virtual void FijarTiempoEspera(int segundos) = 0;
    /// The default database (catalogue) of the connection; engines with a single database
    /// answer with its name and accept only that name.
    virtual std::string BaseActual() = 0;
    virtual void FijarBaseActual(const std::string& base) = 0;
    /// Table and view names of the current database.
    virtual std::vector<std::string> Tablas() = 0;
    /// Column names of `tabla` in order.
    virtual std::vector<std::string> Columnas(const std::string& tabla) = 0;
    /// False once the engine knows the link is gone.
    virtual bool Viva() = 0;
};

}  // namespace data
