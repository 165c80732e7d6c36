// The table lookups the editor runs on every confirmed account cell (ExisteEnTabla and
// DatosTabla) over a chart of 100,000 accounts, against the statement they send in its SQLite
// form, prepared once and stepped directly on the SQLite C API (the code bound per call).
#include <benchmark/benchmark.h>
#include <sqlite3.h>
#include <unistd.h>

#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "BaseDemo.h"
#include "CarpetaTemporal.h"
#include "DB_Dll.h"
#include "Dialecto.h"
#include "PlataformaGuionada.h"
#include "SemanticaSqlite.h"
#include "SqliteDirecto.h"

using namespace helperlib;
using namespace data;

namespace {

constexpr int kCuentas = 100000;

class BaseGrande {
  public:
    BaseGrande() {
        CrearBaseDesdeScripts(Ruta(), ScriptsDelBanco(), true, kCuentas);
        sqlite3* db = nullptr;
        sqlite3_open_v2(Ruta().c_str(), &db, SQLITE_OPEN_READONLY, nullptr);
        RegistrarSemanticaSuite(db);
        sqlite3_stmt* st = nullptr;
        sqlite3_prepare_v2(db, "SELECT CODIGO FROM MA_CUENTAS ORDER BY random() LIMIT 1000", -1,
                           &st, nullptr);
        while (sqlite3_step(st) == SQLITE_ROW)
            codigos_.emplace_back(reinterpret_cast<const char*>(sqlite3_column_text(st, 0)));
        sqlite3_finalize(st);
        sqlite3_close(db);
    }
    std::string Ruta() const { return carpeta_.Ruta() + "/GRANDE.sqlite"; }
    std::string Carpeta() const { return carpeta_.Ruta(); }
    const std::string& Codigo(size_t i) const { return codigos_[i % codigos_.size()]; }

  private:
    CarpetaTemporal carpeta_{"bench_busquedas"};
    std::vector<std::string> codigos_;
};

BaseGrande& Base() {
    static BaseGrande base;
    return base;
}

struct Abierta {
    Abierta() {
        db.gServidor = "sqlite:" + Base().Carpeta();
        db.gDBName = db.gUsuario = db.gUserPassWord = "GRANDE";
        db.OpenServerADODB(false, 3, "", false, false);
        if (!db.gOpenFlag) std::abort();
    }
    ConPlataformaGuionada plataforma;
    DB_Dll db;
};

void ExisteEnTablaCuenta(benchmark::State& estado) {
    Abierta a;
    size_t i = 0;
    for (auto _ : estado)
        if (!a.db.ExisteEnTabla("MA_CUENTAS", Base().Codigo(i++), "CODIGO"))
            estado.SkipWithError("cuenta no encontrada");
}

void DatosTablaDescripcion(benchmark::State& estado) {
    Abierta a;
    size_t i = 0;
    for (auto _ : estado) {
        auto d =
            a.db.DatosTabla("MA_CUENTAS", Base().Codigo(i++), "DESCRIPCION", "CODIGO", 8, "", true);
        if (!d || d->empty()) estado.SkipWithError("descripcion no encontrada");
    }
}

/// The statement the look-ups send, in its SQLite form prepared once, the code bound per call,
/// on a connection opened as the program opens its own.
void ApiDirecta(benchmark::State& estado) {
    BaseDirecta db(Base().Ruta(), BaseDirecta::kModoMotor);
    Preparada st(db,
                 "SELECT * FROM MA_CUENTAS WHERE LTRIM(RTRIM(CODIGO)) = ? COLLATE SUITE_CI "
                 "LIMIT 1");
    size_t i = 0;
    for (auto _ : estado) {
        st.Texto(1, Base().Codigo(i++));
        if (st.Recorrer() != 1) estado.SkipWithError("cuenta no encontrada");
    }
}

}  // namespace

BENCHMARK(ExisteEnTablaCuenta)
    ->Name("ExisteEnTabla de una cuenta entre 100.000@programa")
    ->Unit(benchmark::kMicrosecond);
BENCHMARK(ApiDirecta)
    ->Name("ExisteEnTabla de una cuenta entre 100.000@motor")
    ->Unit(benchmark::kMicrosecond);
BENCHMARK(DatosTablaDescripcion)
    ->Name("DatosTabla de una cuenta entre 100.000@programa")
    ->Unit(benchmark::kMicrosecond);
BENCHMARK(ApiDirecta)
    ->Name("DatosTabla de una cuenta entre 100.000@motor")
    ->Unit(benchmark::kMicrosecond);
BENCHMARK_MAIN();
