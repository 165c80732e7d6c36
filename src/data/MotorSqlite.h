#pragma once
// The embedded engine: one SQLite database file, with the suite server's text semantics
// registered on the connection (SemanticaSqlite.h). Values travel as text so that decimals stay
// exact; each column reports an ADO type code taken from its declared type.
#include <memory>
#include <string>

#include "Motor.h"

struct sqlite3;

class MotorSqlite final : public Motor {
  public:
    /// Seconds a lock wait lasts until FijarTiempoEspera sets another limit.
    static constexpr int kEsperaInicialSegundos = 30;

    /// Opens the existing database file `ruta` (never creates one) and registers the suite
    /// semantics. Lock waits last kEsperaInicialSegundos from the start, so opening while
    /// another process commits waits for it. Throws FallaMotor (ConexionPerdida) when the file
    /// is missing or cannot be opened, (Otra) when it is not a database, (Ocupado) when the
    /// database stays locked past the wait.
    explicit MotorSqlite(const std::string& ruta);
    ~MotorSqlite() override;

    Dialecto DialectoSql() const override { return Dialecto::Sqlite; }
    ResultadoSql Ejecutar(const std::string& sql) override;
    ResultadoSql EjecutarConParametros(const std::string& sql,
                                       const std::vector<ValorSql>& parametros) override;
    /// BEGIN IMMEDIATE: the write lock is taken at once, so two processes saving the same
    /// data wait for each other (up to the time-out) instead of deadlocking at their first write.
    void Comenzar() override;
    void Confirmar() override;
    void Revertir() override;
    /// Lock waits last up to `segundos` (0: without limit); past it the statement fails as
    /// ClaseFalla::Ocupado.
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

  private:
    struct CerrarBase {
        void operator()(sqlite3* db) const noexcept;
    };
    ResultadoSql Correr(const std::string& sql, const std::vector<ValorSql>* parametros);
    [[noreturn]] void Fallar(int codigo) const;

    std::unique_ptr<sqlite3, CerrarBase> db_;
    std::string ruta_;
};

/// The ADO type code for a column's declared SQLite type ("varchar(30)" -> 200, "int" -> 3,
/// "money" -> 6, ...); `tipoValor` (an SQLite storage class) decides when nothing is declared.
int TipoAdoDeDeclarado(const char* declarado, int tipoValor);
