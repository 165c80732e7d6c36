// Loading a 1,000-line template into the editor window's grid, and a full recomputation of
// the totals over those lines, on an embedded demo database in a temporary folder.
#include <benchmark/benchmark.h>
#include <stdlib.h>

#include <QApplication>
#include <QLineEdit>
#include <filesystem>
#include <memory>
#include <string>

#include "BaseDemo.h"
#include "Contexto.h"
#include "DB_Dll.h"
#include "FrmMa_Modelo.h"

using namespace helperlib;
using namespace data;
using namespace startup;
using namespace lookup;
using namespace editor;

namespace {

constexpr int kLineas = 1000;

struct Entorno {
    std::string carpeta;
    Contexto ctx;
    DB_Dll& db = ctx.db;
    std::unique_ptr<FrmMa_Modelo> frm;

    Entorno() {
        std::string plantilla =
            (std::filesystem::temp_directory_path() / "bench_editor_XXXXXX").string();
        carpeta = mkdtemp(plantilla.data());
        const char* scripts = getenv("ASIENTOS_DB_DIR");
        CrearBaseDesdeScripts(carpeta + "/BENCH.sqlite",
                              scripts ? scripts : ASIENTOS_DB_DIR_DEFECTO, true);
        const std::string cadena =
            "Provider=SQLOLEDB;Server=sqlite:" + carpeta + ";Database=BENCH;";
        db.gConnString = cadena;
        db.gCnn.Open(cadena);
        db.gOpenFlag = true;
        std::string sql = "DELETE FROM MA_MODELOS WHERE NOMBRE = 'GRANDE'";
        long n = 0;
        db.gCnn.BeginTrans();
        for (int i = 1; i <= kLineas; ++i) {
            std::string ins =
                "INSERT INTO MA_MODELOS (NOMBRE, SECUENCIA, CUENTA, \"DEBE-HABER\", IMPORTE, "
                "AlicIVA, tipo_reg) VALUES ('GRANDE', " +
                std::to_string(i) + ", '1.1.01.00" + std::to_string(1 + i % 6) + "', '" +
                (i % 2 ? "D" : "H") + "', " + std::to_string(i) + ".25, 21, '    ')";
            db.EjecutaConsultaSQL(ins, n);
        }
        db.gCnn.CommitTrans();
        ctx.sesion.gUsuarioLogeado = "DEMO";
        frm = std::make_unique<FrmMa_Modelo>(ctx);
        frm->Form_Load("");
    }
    ~Entorno() {
        frm.reset();
        db.gCnn.Close();
        std::error_code ec;
        std::filesystem::remove_all(carpeta, ec);
    }
};

Entorno& Base() {
    static Entorno e;
    return e;
}

void CargarModeloGrande(benchmark::State& estado) {
    Entorno& e = Base();
    for (auto _ : estado) {
        e.frm->Limpiar();
        e.frm->txtFields[0]->setText("GRANDE");
        e.frm->ConfirmarCampo(0, 13);  // as Enter in the name field: validate, load, show
        // One empty element follows the last line.
        if (e.frm->Almacen.Lineas.Superior() != kLineas + 1) estado.SkipWithError("not loaded");
    }
}
BENCHMARK(CargarModeloGrande)
    ->Unit(benchmark::kMillisecond)
    ->Repetitions(5)
    ->ReportAggregatesOnly();

void CalcularTotalesGrande(benchmark::State& estado) {
    Entorno& e = Base();
    e.frm->txtFields[0]->setText("GRANDE");
    e.frm->ConfirmarCampo(0, 13);
    Moneda d, h;
    for (auto _ : estado) {
        e.frm->Grilla.CalcularTotales(d, h);
        benchmark::DoNotOptimize(d);
    }
}
BENCHMARK(CalcularTotalesGrande)
    ->Unit(benchmark::kMicrosecond)
    ->Repetitions(5)
    ->ReportAggregatesOnly();

}  // namespace
