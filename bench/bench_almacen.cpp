// Saving and loading templates of 10, 100 and 1,000 lines through the template store, against
// the same delete and inserts run directly on the SQLite C API in one transaction (prepared
// once, bound per row). Compare the medians (store save / bare engine).
#include <benchmark/benchmark.h>
#include <sqlite3.h>
#include <unistd.h>

#include <filesystem>
#include <string>

#include "AlmacenModelos.h"
#include "BaseDemo.h"
#include "DB_Dll.h"
#include "PlataformaGuionada.h"
#include "SemanticaSqlite.h"

using namespace helperlib;
using namespace data;
using namespace editor;

namespace {

constexpr const char* kNombre = "BANCO DE PRUEBA";

class BaseBanco {
  public:
    BaseBanco() {
        std::string plantilla =
            (std::filesystem::temp_directory_path() / "bench_almacen_XXXXXX").string();
        if (mkdtemp(plantilla.data()) == nullptr) std::abort();
        carpeta_ = plantilla;
        CrearBaseDesdeScripts(carpeta_ + "/BANCO.sqlite", ASIENTOS_DB_DIR_DEFECTO, true);
    }
    ~BaseBanco() {
        std::error_code ec;
        std::filesystem::remove_all(carpeta_, ec);
    }
    std::string Archivo() const { return carpeta_ + "/BANCO.sqlite"; }
    std::string Cadena() const {
        return "Provider=SQLOLEDB;Server=sqlite:" + carpeta_ + ";Database=BANCO;";
    }

  private:
    std::string carpeta_;
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

void BM_GrabarConAlmacen(benchmark::State& estado) {
    Escenario e(static_cast<int>(estado.range(0)));
    for (auto _ : estado) {
        e.almacen.ActualizarDatos();
        if (e.almacen.ErrorValidacion) estado.SkipWithError("la grabación falló");
        e.almacen.Generar(e.almacen.NombreTabla);
    }
    estado.SetItemsProcessed(estado.iterations() * estado.range(0));
}

void BM_CargarConAlmacen(benchmark::State& estado) {
    Escenario e(static_cast<int>(estado.range(0)));
    for (auto _ : estado) {
        e.almacen.Cargar_Modelo(kNombre);
        if (e.almacen.Lineas.Superior() != estado.range(0) + 1)
            estado.SkipWithError("carga incompleta");
    }
    estado.SetItemsProcessed(estado.iterations() * estado.range(0));
}

/// The same delete and inserts, prepared once and bound per row, in one transaction.
void BM_GrabarDirecto(benchmark::State& estado) {
    const int n = static_cast<int>(estado.range(0));
    BaseBanco base;
    sqlite3* db = nullptr;
    sqlite3_open_v2(base.Archivo().c_str(), &db, SQLITE_OPEN_READWRITE, nullptr);
    RegistrarSemanticaSuite(db);
    sqlite3_stmt* borrar = nullptr;
    sqlite3_stmt* insertar = nullptr;
    sqlite3_prepare_v2(db, "DELETE FROM MA_MODELOS WHERE LTRIM(RTRIM(NOMBRE)) = ? COLLATE SUITE_CI",
                       -1, &borrar, nullptr);
    sqlite3_prepare_v2(
        db,
        "INSERT INTO MA_MODELOS (NOMBRE, CUENTA, SECUENCIA, AlicIVA, \"DEBE-HABER\", IMPORTE, "
        "fechahora_modificacion, tipo_reg, tcdefault, IdMotivo, MODIFICATC, MODIFICACTAS, "
        "AGREGACTAS, Anclarenmenu, allibrodeiva, esliqtarjetas) "
        "VALUES (?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?)",
        -1, &insertar, nullptr);
    auto texto = [](sqlite3_stmt* st, int i, const std::string& v) {
        sqlite3_bind_text(st, i, v.c_str(), static_cast<int>(v.size()), SQLITE_TRANSIENT);
    };
    for (auto _ : estado) {
        sqlite3_exec(db, "BEGIN IMMEDIATE", nullptr, nullptr, nullptr);
        texto(borrar, 1, kNombre);
        sqlite3_step(borrar);
        sqlite3_reset(borrar);
        for (int k = 1; k <= n; ++k) {
            texto(insertar, 1, kNombre);
            texto(insertar, 2, k % 2 ? "1.1.01.001" : "2.1.01.001");
            texto(insertar, 3, std::to_string(k));
            texto(insertar, 4, "21.0000");
            texto(insertar, 5, k % 2 ? "D" : "H");
            texto(insertar, 6, std::to_string(k) + ".2500");
            texto(insertar, 7, "2025-01-01 10:00:00");
            texto(insertar, 8, "    ");
            texto(insertar, 9, "FCC");
            texto(insertar, 10, "");
            for (int c = 11; c <= 16; ++c) texto(insertar, c, "0");
            if (sqlite3_step(insertar) != SQLITE_DONE) estado.SkipWithError("insert");
            sqlite3_reset(insertar);
        }
        sqlite3_exec(db, "COMMIT", nullptr, nullptr, nullptr);
    }
    sqlite3_finalize(borrar);
    sqlite3_finalize(insertar);
    sqlite3_close_v2(db);
    estado.SetItemsProcessed(estado.iterations() * n);
}

BENCHMARK(BM_GrabarConAlmacen)->Arg(10)->Arg(100)->Arg(1000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_GrabarDirecto)->Arg(10)->Arg(100)->Arg(1000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_CargarConAlmacen)->Arg(10)->Arg(100)->Arg(1000)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
