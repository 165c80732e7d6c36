// Saving and loading templates of 10, 100 and 1,000 lines through the template store, against
// the same work on the SQLite C API. Save: the store's ActualizarDatos and Generar, as the
// editor's GRABAR runs them, against the delete and the inserts prepared once and bound per row
// in one transaction, followed by the anchoring's and Generar's statements replayed. Load: the
// store's Cargar_Modelo against its statements replayed. Both sides check the lines written or
// read.
#include <benchmark/benchmark.h>
#include <sqlite3.h>
#include <unistd.h>

#include <filesystem>
#include <string>

#include "AlmacenModelos.h"
#include "BaseDemo.h"
#include "CarpetaTemporal.h"
#include "DB_Dll.h"
#include "PlataformaGuionada.h"
#include "SemanticaSqlite.h"
#include "SqliteDirecto.h"

using namespace helperlib;
using namespace data;
using namespace editor;

namespace {

constexpr const char* kNombre = "BANCO DE PRUEBA";

class BaseBanco {
  public:
    BaseBanco() {
        CrearBaseDesdeScripts(carpeta_.Ruta() + "/BANCO.sqlite", ScriptsDelBanco(), true);
    }
    std::string Archivo() const { return carpeta_.Ruta() + "/BANCO.sqlite"; }
    std::string Cadena() const {
        return "Provider=SQLOLEDB;Server=sqlite:" + carpeta_.Ruta() + ";Database=BANCO;";
    }

  private:
    CarpetaTemporal carpeta_{"bench_almacen"};
};

/// A store connected to a fresh database, holding a template of `n` lines.
struct Escenario {
    explicit Escenario(int n) : almacen(db) {
        db.gConnString = base.Cadena();
        db.gCnn.Open(base.Cadena());
        db.gOpenFlag = true;
        almacen.Generar(almacen.NombreTabla);
        almacen.TextoCampo("NOMBRE") = kNombre;
        almacen.TextoCampo("TC") = "FCC";
        almacen.Lineas.Reiniciar(n + 2);
        for (int k = 1; k <= n; ++k) {
            almacen.Lineas[k].Cuenta = k % 2 ? "1.1.01.001" : "2.1.01.001";
            almacen.Lineas[k].Debe = k % 2 ? std::to_string(k) + ".25" : "";
            almacen.Lineas[k].Haber = k % 2 ? "" : std::to_string(k) + ".25";
            almacen.Lineas[k].AlicIVA = "21";
        }
        almacen.ActualizarDatos();  // the template exists from here on
        almacen.ModeloExistente = true;
    }
    ConPlataformaGuionada plataforma;
    BaseBanco base;
    DB_Dll db;
    AlmacenModelos almacen;
};

/// What the editor's "GRABAR" sends besides the delete and the inserts of the lines: the menu
/// anchoring's statements and the working recordset opened again (Generar), captured from one
/// run; the bare side replays them.
std::vector<std::string> RestoDeGrabar(Escenario& e) {
    const std::string borrar = "DELETE " + e.almacen.NombreTabla +
                               " WHERE LTRIM(RTRIM(NOMBRE)) = '" + std::string(kNombre) + "'";
    std::vector<std::string> resto;
    for (auto& s : Capturar(e.db.gCnn, [&] {
             e.almacen.ActualizarDatos();
             e.almacen.Generar(e.almacen.NombreTabla);
         }))
        if (s != borrar && s.find('?') == std::string::npos) resto.push_back(s);
    return resto;
}

/// Lines of the template `kNombre` in the database, read on the bare API.
long LineasGrabadas(sqlite3* db) {
    sqlite3_stmt* st = nullptr;
    sqlite3_prepare_v2(db, "SELECT count(*) FROM MA_MODELOS WHERE NOMBRE = ?", -1, &st, nullptr);
    sqlite3_bind_text(st, 1, kNombre, -1, SQLITE_STATIC);
    const long n = sqlite3_step(st) == SQLITE_ROW ? sqlite3_column_int64(st, 0) : -1;
    sqlite3_finalize(st);
    return n;
}

/// The editor's save: ActualizarDatos (transaction, delete, one insert per line through the
/// working recordset, commit, menu anchoring) and Generar (the working recordset reopened).
void BM_GrabarConAlmacen(benchmark::State& estado) {
    const long n = estado.range(0);
    Escenario e(static_cast<int>(n));
    for (auto _ : estado) {
        e.almacen.ActualizarDatos();
        if (e.almacen.ErrorValidacion) estado.SkipWithError("la grabación falló");
        e.almacen.Generar(e.almacen.NombreTabla);
    }
    BaseDirecta control(e.base.Archivo());
    if (LineasGrabadas(control.get()) != n) estado.SkipWithError("no se grabaron las lineas");
    estado.SetItemsProcessed(estado.iterations() * n);
}

/// Loading the template by name through the store (the grid's lines filled).
void BM_CargarConAlmacen(benchmark::State& estado) {
    Escenario e(static_cast<int>(estado.range(0)));
    for (auto _ : estado) {
        e.almacen.Cargar_Modelo(kNombre);
        if (e.almacen.Lineas.Superior() != estado.range(0) + 1)
            estado.SkipWithError("carga incompleta");
    }
    estado.SetItemsProcessed(estado.iterations() * estado.range(0));
}

/// The statements the load sends, captured from one load and replayed on the bare API.
void BM_CargarDirecto(benchmark::State& estado) {
    const long n = estado.range(0);
    Escenario e(static_cast<int>(n));
    const auto sentencias = Capturar(e.db.gCnn, [&] { e.almacen.Cargar_Modelo(kNombre); });
    BaseDirecta db(e.base.Archivo());
    // The template's own statement must bring its n lines; every replay then reads as many
    // rows as the first.
    for (const auto& s : sentencias)
        if (s.find("ORDER BY SECUENCIA") != std::string::npos &&
            Preparada(db, AdaptarSentencia(s, Dialecto::Sqlite)).Recorrer() != n) {
            estado.SkipWithError("el modelo no tiene sus lineas");
            return;
        }
    Repeticion repeticion(db, sentencias);
    const long filas = repeticion.Correr();
    if (filas < n) {
        estado.SkipWithError("carga incompleta");
        return;
    }
    for (auto _ : estado)
        if (repeticion.Correr() != filas) estado.SkipWithError("carga incompleta");
    estado.counters["sentencias"] = static_cast<double>(repeticion.Cantidad());
    estado.SetItemsProcessed(estado.iterations() * n);
}

/// The same save on the bare API in one transaction: the delete and the insert prepared once
/// (bound per row, the same values the store writes), then the rest of GRABAR's statements
/// (anchoring, Generar) replayed as captured.
void BM_GrabarDirecto(benchmark::State& estado) {
    const int n = static_cast<int>(estado.range(0));
    Escenario e(n);
    const auto resto = RestoDeGrabar(e);
    BaseDirecta db(e.base.Archivo());
    Repeticion despues(db, resto);
    Preparada borrar(db, "DELETE FROM MA_MODELOS WHERE LTRIM(RTRIM(NOMBRE)) = ? COLLATE SUITE_CI");
    Preparada insertar(
        db,
        "INSERT INTO MA_MODELOS (NOMBRE, CUENTA, SECUENCIA, AlicIVA, \"DEBE-HABER\", IMPORTE, "
        "fechahora_modificacion, tipo_reg, tcdefault, IdMotivo, MODIFICATC, MODIFICACTAS, "
        "AGREGACTAS, Anclarenmenu, allibrodeiva, esliqtarjetas) "
        "VALUES (?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?)");
    Preparada comenzar(db, "BEGIN IMMEDIATE");
    Preparada confirmar(db, "COMMIT");
    for (auto _ : estado) {
        comenzar.Recorrer();
        borrar.Texto(1, kNombre);
        borrar.Recorrer();
        for (int k = 1; k <= n; ++k) {
            insertar.Texto(1, kNombre);
            insertar.Texto(2, k % 2 ? "1.1.01.001" : "2.1.01.001");
            insertar.Texto(3, std::to_string(k));
            insertar.Texto(4, "21.0000");
            insertar.Texto(5, k % 2 ? "D" : "H");
            insertar.Texto(6, std::to_string(k) + ".2500");
            insertar.Texto(7, "2025-01-01 10:00:00");
            insertar.Texto(8, "    ");
            insertar.Texto(9, "FCC");
            insertar.Texto(10, "");
            for (int c = 11; c <= 16; ++c) insertar.Texto(c, "0");
            insertar.Recorrer();
        }
        confirmar.Recorrer();
        despues.Correr();
    }
    if (LineasGrabadas(db.get()) != n) estado.SkipWithError("no se grabaron las lineas");
    estado.counters["sentencias_repetidas"] = static_cast<double>(despues.Cantidad());
    estado.SetItemsProcessed(estado.iterations() * n);
}

BENCHMARK(BM_GrabarConAlmacen)
    ->Name("Grabar modelo (GRABAR)@programa")
    ->Arg(10)
    ->Arg(100)
    ->Arg(1000)
    ->Unit(benchmark::kMillisecond);
BENCHMARK(BM_GrabarDirecto)
    ->Name("Grabar modelo (GRABAR)@motor")
    ->Arg(10)
    ->Arg(100)
    ->Arg(1000)
    ->Unit(benchmark::kMillisecond);
BENCHMARK(BM_CargarConAlmacen)
    ->Name("Cargar modelo en el almacen@programa")
    ->Arg(10)
    ->Arg(100)
    ->Arg(1000)
    ->Unit(benchmark::kMillisecond);
BENCHMARK(BM_CargarDirecto)
    ->Name("Cargar modelo en el almacen@motor")
    ->Arg(10)
    ->Arg(100)
    ->Arg(1000)
    ->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
