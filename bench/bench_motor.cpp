// The cost of the connection layer over the bare engine for the program's most frequent
// statement: the trimmed lookup of one account among 100,000, as the table lookups write it.
// The bare side binds the code into its statement prepared once; the layer receives the text
// with the code written in it, as the program sends it.
#include <benchmark/benchmark.h>
#include <sqlite3.h>
#include <unistd.h>

#include <filesystem>
#include <memory>
#include <string>

#include "CarpetaTemporal.h"
#include "Conexion.h"
#include "Dialecto.h"
#include "Recordset.h"
#include "SemanticaSqlite.h"
#include "SqliteDirecto.h"

using namespace data;

namespace {

constexpr int kFilas = 100000;

std::string Codigo(int i) { return "  " + std::to_string(1000000 + i) + " "; }

/// A temporary database with a MA_CUENTAS-like table of kFilas rows, built once.
class BaseBanco {
  public:
    BaseBanco() {
        sqlite3* db = nullptr;
        sqlite3_open_v2(Ruta().c_str(), &db, SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE, nullptr);
        RegistrarSemanticaSuite(db);
        sqlite3_exec(
            db,
            "CREATE TABLE MA_CUENTAS (CODIGO varchar(20) COLLATE SUITE_CI PRIMARY KEY, "
            "DESCRIPCION varchar(60) COLLATE SUITE_CI, IMPUTABLE varchar(1), NIVEL int, "
            "SALDO money);"
            "CREATE INDEX ix_codigo_trim ON MA_CUENTAS (LTRIM(RTRIM(CODIGO)) COLLATE SUITE_CI);"
            "BEGIN;",
            nullptr, nullptr, nullptr);
        sqlite3_stmt* st = nullptr;
        sqlite3_prepare_v2(db, "INSERT INTO MA_CUENTAS VALUES (?, ?, 'S', 4, '1234.5600')", -1, &st,
                           nullptr);
        for (int i = 0; i < kFilas; ++i) {
            const std::string c = Codigo(i), d = "Cuenta número " + std::to_string(i);
            sqlite3_bind_text(st, 1, c.c_str(), -1, SQLITE_TRANSIENT);
            sqlite3_bind_text(st, 2, d.c_str(), -1, SQLITE_TRANSIENT);
            sqlite3_step(st);
            sqlite3_reset(st);
        }
        sqlite3_finalize(st);
        sqlite3_exec(db, "COMMIT; ANALYZE;", nullptr, nullptr, nullptr);
        sqlite3_close(db);
    }
    std::string Ruta() const { return carpeta_.Ruta() + "/BANCO.sqlite"; }
    std::string Cadena() const {
        return "PROVIDER=SQLOLEDB;Server=sqlite:" + carpeta_.Ruta() +
               ";Database =BANCO;UId=BANCO;Pwd=BANCO;";
    }

  private:
    CarpetaTemporal carpeta_{"bench_motor"};
};

BaseBanco& Base() {
    static BaseBanco base;
    return base;
}

std::string Consulta(int i) {
    return "SELECT TOP 1  * FROM MA_CUENTAS with(nolock)  WHERE LTRIM(RTRIM(CODIGO)) ='" +
           std::to_string(1000000 + (i * 7919) % kFilas) + "'";
}

void RecordsetOpen(benchmark::State& estado) {
    Conexion cn;
    cn.Open(Base().Cadena());
    Recordset rs;
    int i = 0;
    for (auto _ : estado) {
        rs.Open(Consulta(i++), cn);
        if (rs.EOF() || rs.Fields("DESCRIPCION").Texto().empty())
            estado.SkipWithError("fila no encontrada");
    }
}

/// The same look-up on the bare engine: its SQLite form prepared once, the code bound per
/// search, the row stepped with every column read; the connection opened as the program opens
/// its own (no lock per call).
void ApiDirecta(benchmark::State& estado) {
    BaseDirecta db(Base().Ruta(), BaseDirecta::kModoMotor);
    Preparada st(db,
                 "SELECT * FROM MA_CUENTAS WHERE LTRIM(RTRIM(CODIGO)) = ? COLLATE SUITE_CI "
                 "LIMIT 1");
    int i = 0;
    for (auto _ : estado) {
        st.Texto(1, std::to_string(1000000 + (i++ * 7919) % kFilas));
        if (st.Recorrer() != 1) estado.SkipWithError("fila no encontrada");
    }
}

}  // namespace

BENCHMARK(RecordsetOpen)
    ->Name("Recordset.Open de una cuenta entre 100.000@programa")
    ->Unit(benchmark::kMicrosecond);
BENCHMARK(ApiDirecta)
    ->Name("Recordset.Open de una cuenta entre 100.000@motor")
    ->Unit(benchmark::kMicrosecond);
BENCHMARK_MAIN();
