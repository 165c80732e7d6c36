// Time to a filled account list: the lookup driver building its generated statement over a
// chart of 100,000 accounts (1,000-row limit) and a caller's statement of 20,000 rows with no
// limit, against running the same statements through the bare SQLite API (reading every
// column of every row as text, the statement prepared once). The bare side runs the SQLite form
// of the generated statement, written out here.
// The driver keeps its list window between searches, as a user opens the account list on one
// line after another: each timed open is what such a user gets, the kept window reset for the
// search (columns, search boxes, sort, marks, size and position as a new window has them),
// loaded, shown and painted. The "primera" action times the first search of a session instead,
// which builds the window (the driver is made and taken down outside the timing).
// On a shared machine run it with --benchmark_repetitions=9
// --benchmark_enable_random_interleaving=true so that load changes hit both sides alike; for
// stable figures count instructions with valgrind --tool=callgrind --collect-atstart=no
// --toggle-collect='lookup::Lib_ClsCons3::ConsultaSearch*' (per list opened; the MinTime below
// ends a run under valgrind after a few opens, so raise it in a local copy for such a count, and
// take the difference of two counts to leave the first open out). Such a count is the main
// thread's alone: Qt's raster engine hands every run of about a hundred spans or more to its own
// thread pool and waits for it, which the CPU time here includes (it is the whole process's) and
// the count does not; --separate-threads=yes counts the pool's threads. The scroll bars were
// such runs, some fifty hand-offs per open, until the program's style kept their pictures
// (EstiloPrograma.h); the first opens of a run still hand off the first paint of the bars and
// of the header.
#include <benchmark/benchmark.h>
#include <sqlite3.h>
#include <unistd.h>

#include <QApplication>
#include <filesystem>
#include <memory>
#include <optional>
#include <string>

#include "BaseDemo.h"
#include "CarpetaTemporal.h"
#include "DB_Dll.h"
#include "Lib_ClsCons3.h"
#include "Lib_FrmCons3.h"
#include "Plataforma.h"
#include "SemanticaSqlite.h"
#include "SqliteDirecto.h"

using namespace helperlib;
using namespace data;
using namespace startup;
using namespace lookup;

namespace {

constexpr int kCuentas = 100000;
const char* const kSinLimite =
    "SELECT CODIGO, DESCRIPCION, Nivel FROM MA_CUENTAS WHERE ID <= 20000 ORDER BY CODIGO";

/// A chart of kCuentas accounts in a temporary folder, built once, and the data access object
/// opened on it.
class BaseBanco {
  public:
    BaseBanco() {
        CrearBaseDesdeScripts(Ruta(), ScriptsDelBanco(), true, kCuentas);
        db.gServidor = "sqlite:" + carpeta_.Ruta();
        db.gDBName = db.gUsuario = db.gUserPassWord = "BANCO";
        db.OpenServerADODB(false, 3, "", false, false);
        if (!db.gOpenFlag) std::abort();
    }
    std::string Ruta() const { return carpeta_.Ruta() + "/BANCO.sqlite"; }
    const std::string& Carpeta() const { return carpeta_.Ruta(); }
    DB_Dll db;

  private:
    CarpetaTemporal carpeta_{"bench_lookup"};
};

BaseBanco& Banco() {
    static BaseBanco b;
    return b;
}

/// Opens the list through the driver; the window counts as filled when it is shown and its
/// pending events (painting included) have run. It must have read `esperadas` rows. `primera`:
/// every open is the first of its session (a new driver, made outside the timing, builds the
/// window); otherwise one driver serves every open, as in the program.
void AbrirLista(benchmark::State& estado, const std::string& sql, long esperadas,
                bool primera = false) {
    auto& b = Banco();
    PreparacionConsultas preparacion;
    std::optional<Lib_ClsCons3> driver;
    long filas = 0;
    auto nuevoDriver = [&] {
        driver.reset();
        driver.emplace(b.db, preparacion);
        driver->CarpetaAnchos = b.Carpeta();
        driver->MostrarVentana = [&](Lib_FrmCons3& v) {
            v.show();
            QApplication::processEvents();
            filas = v.FilasLeidas();
            v.hide();
        };
    };
    nuevoDriver();
    for (auto _ : estado) {
        if (primera) {
            estado.PauseTiming();
            nuevoDriver();
            estado.ResumeTiming();
        }
        std::string campo, where;
        driver->CampoDevuelto = "CODIGO";
        filas = 0;
        driver->ConsultaSearch(sql, nullptr, "", campo, where);
        if (filas != esperadas) {
            estado.SkipWithError("la lista no leyo las filas esperadas");
            break;
        }
    }
    estado.counters["filas"] = static_cast<double>(filas);
}

/// The same statement on the bare engine: prepared once, each run steps every row reading
/// every column as text, on a connection opened as the program opens its own.
void SqliteDirecto(benchmark::State& estado, const std::string& sql, long esperadas) {
    BaseDirecta db(Banco().Ruta(), BaseDirecta::kModoMotor);
    Preparada st(db, sql);
    long filas = 0;
    for (auto _ : estado) {
        filas = st.Recorrer();
        if (filas != esperadas) {
            estado.SkipWithError("el motor no leyo las filas esperadas");
            break;
        }
    }
    estado.counters["filas"] = static_cast<double>(filas);
}

/// The data layer alone: the statement opened as the list opens it, rows read into a recordset.
void BM_RecordsetSinLimite(benchmark::State& estado) {
    auto& b = Banco();
    for (auto _ : estado) {
        Recordset rs;
        std::string sql = kSinLimite;
        b.db.AbrirRecordset(sql, rs);
        if (rs.State() != 1 || rs.RecordCount() != 20000) {
            estado.SkipWithError("el recordset no leyo las filas esperadas");
            break;
        }
        b.db.CierraRecordset(rs);
    }
}

void BM_ListaGenerada(benchmark::State& e) { AbrirLista(e, "MA_CUENTAS", 1000); }
void BM_PrimeraListaGenerada(benchmark::State& e) { AbrirLista(e, "MA_CUENTAS", 1000, true); }
void BM_SqliteGenerada(benchmark::State& e) {
    SqliteDirecto(e,
                  "SELECT DESCRIPCION,CODIGO,DV,CodigoOpcional,Titulo,DADA_DE_BAJA,BLOQUEO,"
                  "Ajuste,BIENES,Nivel FROM MA_CUENTAS ORDER BY DESCRIPCION LIMIT 1000",
                  1000);
}
void BM_ListaSinLimite(benchmark::State& e) { AbrirLista(e, kSinLimite, 20000); }
void BM_SqliteSinLimite(benchmark::State& e) { SqliteDirecto(e, kSinLimite, 20000); }

BENCHMARK(BM_ListaGenerada)
    ->Name("Lista de cuentas llena (sentencia generada, limite 1.000)@programa")
    ->Unit(benchmark::kMillisecond)
    ->MinTime(1.0);
BENCHMARK(BM_SqliteGenerada)
    ->Name("Lista de cuentas llena (sentencia generada, limite 1.000)@motor")
    ->Unit(benchmark::kMillisecond)
    ->MinTime(1.0);
BENCHMARK(BM_PrimeraListaGenerada)
    ->Name("Primera lista de cuentas de la sesion (sentencia generada, limite 1.000)@programa")
    ->Unit(benchmark::kMillisecond)
    ->MinTime(1.0);
BENCHMARK(BM_SqliteGenerada)
    ->Name("Primera lista de cuentas de la sesion (sentencia generada, limite 1.000)@motor")
    ->Unit(benchmark::kMillisecond)
    ->MinTime(1.0);
BENCHMARK(BM_ListaSinLimite)
    ->Name("Lista sin limite, 20.000 filas@programa")
    ->Unit(benchmark::kMillisecond)
    ->MinTime(1.0);
BENCHMARK(BM_SqliteSinLimite)
    ->Name("Lista sin limite, 20.000 filas@motor")
    ->Unit(benchmark::kMillisecond)
    ->MinTime(1.0);
BENCHMARK(BM_RecordsetSinLimite)
    ->Name("Recordset de 20.000 filas (capa de datos sola)@programa")
    ->Unit(benchmark::kMillisecond)
    ->MinTime(1.0);
BENCHMARK(BM_SqliteSinLimite)
    ->Name("Recordset de 20.000 filas (capa de datos sola)@motor")
    ->Unit(benchmark::kMillisecond)
    ->MinTime(1.0);

}  // namespace
