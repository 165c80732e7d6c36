#pragma once
// The embedded engine: one SQLite database file, with the suite server's text semantics
// registered on the connection (SemanticaSqlite.h). Values travel as text so that decimals stay
// exact; each column reports an ADO type code taken from its declared type.
#include <array>
#include <chrono>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "Motor.h"

struct sqlite3;
struct sqlite3_stmt;

namespace data {

class MotorSqlite final : public Motor {
  public:
    /// Seconds a lock wait lasts until FijarTiempoEspera sets another limit.
    static constexpr int kEsperaInicialSegundos = 30;

    /// Opens the existing database file `ruta` (never creates one) and registers the suite
    /// semantics. Lock waits last kEsperaInicialSegundos from the start, so opening while
    /// another process commits waits for it. Throws FallaMotor (ConexionPerdida) when the file
    /// is missing or cannot be opened, (Danada) when it is not a database, (Ocupado) when the
    /// database stays locked past the wait.
    explicit MotorSqlite(const std::string& ruta);
    /// Finalizes the kept statements, then closes the database. Never throws.
    ~MotorSqlite() override;
    MotorSqlite(const MotorSqlite&) = delete;
    MotorSqlite& operator=(const MotorSqlite&) = delete;

    /// How many prepared statements are kept for reuse (the most recently run ones).
    static constexpr size_t kSentenciasGuardadas = 16;

    Dialecto DialectoSql() const override { return Dialecto::Sqlite; }
    ResultadoSql Ejecutar(const std::string& sql) override;
    ResultadoSql EjecutarConParametros(const std::string& sql,
                                       const std::vector<ValorSql>& parametros) override;
    /// Steps the rows straight into one buffer.
    data::TablaResultado Leer(const std::string& sql) override;
    /// Runs the form's query with the values bound (prepared once per form), or the whole text
    /// when the form does not admit its literals as values.
    data::TablaResultado LeerForma(const FormaConsulta& forma,
                                   const std::vector<std::string>& valores) override;
    /// BEGIN IMMEDIATE: the write lock is taken at once, so two processes saving the same
    /// data wait for each other (up to the time-out) instead of deadlocking at their first write.
    void Comenzar() override;
    void Confirmar() override;
    void Revertir() override;
    /// The engine's own state (not in autocommit mode): SQLite cancels the whole transaction
    /// by itself on a full disk, an I/O error or a lack of memory.
    bool EnTransaccion() override;
    /// Opened read-only by the engine, or the file or its folder (where the journal goes)
    /// cannot be written.
    bool SoloLectura() override;
    /// Lock waits last up to `segundos` (0: without limit); past it the statement fails as
    /// ClaseFalla::Ocupado. While a statement waits for another process's lock, the busy
    /// indicator is on and the platform repaints pending windows (never user input) every
    /// few milliseconds.
    void FijarTiempoEspera(int segundos) override;
    /// The database name is the file name without folder and extension.
    std::string BaseActual() override;
    /// Accepts only the database's own name (ignoring case); throws FallaMotor otherwise.
    void FijarBaseActual(const std::string& base) override;
    std::vector<std::string> Tablas() override;
    std::vector<std::string> Columnas(const std::string& tabla) override;
    bool Viva() override { return db_ != nullptr; }

    /// The raw handle (owned by this object), for tests and the benchmark.
    sqlite3* Manejador() const;

    /// How many prepared statements are kept now (for tests).
    size_t SentenciasGuardadas() const { return guardadas_.size(); }

  private:
    struct CerrarBase {
        void operator()(sqlite3* db) const noexcept;
    };
    struct Finalizar {
        void operator()(sqlite3_stmt* st) const noexcept;
    };
    using Sentencia = std::unique_ptr<sqlite3_stmt, Finalizar>;
    /// A statement's result columns as last read: names and declared types are read from the
    /// engine once, and again only when the engine prepared the statement anew (a schema change
    /// may change them). A column with no declared type takes its type from each run's first
    /// value.
    struct ColumnasLeidas {
        ColumnasCompartidas columnas;  // shared by the results while no type comes from a value
        std::vector<char> segunValor;  // the column's type comes from its first value
        bool algunaSegunValor = false;
        int preparaciones = -1;  // the engine's count of new preparations when read
    };
    /// A statement text that is one whole statement, prepared once and reset after each run.
    /// `forma`: the text is a query with its literals as "?" (CortarLiterales, LexicoSql.h).
    struct Guardada {
        std::string sql;
        Sentencia st;
        bool forma = false;
        ColumnasLeidas columnas;
    };

    /// Runs every statement of `sql` into `r` (a ResultadoSql or a data::TablaResultado).
    template <class Resultado>
    void Correr(const std::string& sql, const std::vector<ValorSql>* parametros, Resultado& r);
    /// Steps `st` to its end, binding `parametros` when given; the rows, columns or count of
    /// changed rows go to `r`. Throws FallaMotor.
    template <class Resultado, class Valores>
    void Paso(sqlite3_stmt* st, const Valores* parametros, Resultado& r, ColumnasLeidas& columnas);
    /// Runs `sql` through the statement kept for its form with the literals bound, preparing
    /// and keeping it when the form admits it. False (nothing run) when the text has no
    /// literals or its form does not admit them as values.
    template <class Resultado>
    bool CorrerConLiterales(const std::string& sql, Resultado& r);
    /// Runs the query `forma` (a text with its literals as "?") with `valores` bound, through
    /// the statement kept for it, preparing and keeping it when the form admits its literals
    /// as values. False (nothing run) when it does not.
    template <class Resultado>
    bool CorrerForma(const std::string& forma, const std::vector<std::string>& valores,
                     Resultado& r);
    /// The kept statement for exactly `sql` (a form when `forma`), taken out of the store
    /// (its `st` null when none).
    Guardada Tomar(const std::string& sql, bool forma);
    /// Keeps `g` (its statement already run to its end): reset, bindings cleared, as the most
    /// recent; the least recent one is finalized when the store is full.
    void Guardar(Guardada g);
    [[noreturn]] void Fallar(int codigo) const;
    /// The class of a failure, told apart by the state of the file for the codes SQLite gives
    /// to several causes (a deleted file and a read-only one both fail writes as "readonly").
    ClaseFalla ClasificarEnArchivo(int codigo, const std::string& mensaje) const;
    /// Whether the file and its folder can be written by this process.
    static bool SeAdmiteEscritura(const std::string& ruta);
    /// The engine's busy handler: waits in short pauses, repainting, up to esperaMs_.
    static int AlEsperar(void* motor, int veces) noexcept;
    /// Ends the busy indicator of a lock wait, when one was shown.
    void TerminarEspera() noexcept;

    std::unique_ptr<sqlite3, CerrarBase> db_;
    std::vector<Guardada> guardadas_;      // least recently used first; finalized before db_ closes
    std::vector<std::string> rechazadas_;  // recent forms whose literals cannot be values
    // CorrerConLiterales's cut, kept for its buffers (read before the engine runs only)
    std::vector<std::string> partesForma_, literalesForma_;
    std::vector<std::string_view> vistasPrimeraFila_;     // Paso's first row, read between steps
    std::vector<std::array<char, 24>> enterosFila_;       // Paso's integers written out, by column
    int esperaMs_ = kEsperaInicialSegundos * 1000;        // lock wait limit
    std::chrono::steady_clock::time_point inicioEspera_;  // of the current lock wait
    bool esperando_ = false;  // the busy indicator is on for a lock wait
    std::string ruta_;
};

/// The ADO type code for a column's declared SQLite type ("varchar(30)" -> 200, "int" -> 3,
/// "money" -> 6, ...); `tipoValor` (an SQLite storage class) decides when nothing is declared.
int TipoAdoDeDeclarado(const char* declarado, int tipoValor);

}  // namespace data
