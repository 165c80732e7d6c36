// The templates sheet (F6) to the window: its statement run, the rows read and shown in the
// sheet window, shown and painted, for 10,000, 50,000 and 100,000 template lines over the demo
// chart of 400 accounts, and for 1,000 lines over a chart of 100,000 accounts. The bare side
// steps the same rows on the SQLite C API: the sheet's statement in its SQLite form (the
// trimmed codes compared with the suite collation, so the join can use the expression index),
// prepared once. Both sides check the number of rows.
//
// The counter pico_MB is the peak of resident memory while one more sheet is shown, above
// what was resident before it (/proc/self/clear_refs resets the peak, VmHWM reads it).
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <QApplication>
#include <QTableView>
#include <QTableWidget>
#include <filesystem>
#include <map>
#include <memory>
#include <string>

#include "BaseDemo.h"
#include "CarpetaTemporal.h"
#include "FrmMa_Modelo.h"
#include "Planilla.h"
#include "SqliteDirecto.h"

using namespace data;
using namespace editor;

namespace {

constexpr const char* kSentenciaDirecta =
    "SELECT MA_MODELOS.NOMBRE,MA_MODELOS.CUENTA, MA_CUENTAS.DESCRIPCION, "
    "MA_CUENTAS.DV,MA_MODELOS.\"DEBE-HABER\",MA_MODELOS.DETALLE,MA_MODELOS.IMPORTE FROM "
    "MA_MODELOS,MA_CUENTAS WHERE LTRIM(RTRIM(MA_MODELOS.CUENTA)) = "
    "LTRIM(RTRIM(MA_CUENTAS.CODIGO)) COLLATE SUITE_CI AND (LTRIM(RTRIM(MA_MODELOS.TIPO_REG)) = "
    "'' COLLATE SUITE_CI OR MA_MODELOS.TIPO_REG = NULL) ORDER BY "
    "MA_MODELOS.NOMBRE,MA_MODELOS.SECUENCIA";

/// A demo database with a chart of `cuentas` accounts and `lineas` template lines in templates
/// of 20, over the chart's accounts that are no heading; every tenth code is written with blanks
/// around it. Besides them, lines the sheet leaves out: a register type of their own, or an account
/// missing from the chart. `filas` is what the sheet must show.
class BasePlanilla {
  public:
    BasePlanilla(int cuentas, int lineas) {
        CrearBaseDesdeScripts(Archivo(), ScriptsDelBanco(), true, cuentas);
        BaseDirecta db(Archivo());
        db.Exec("DELETE FROM MA_MODELOS");
        std::vector<std::string> codigos;
        {
            sqlite3_stmt* st = nullptr;
            sqlite3_prepare_v2(db.get(),
                               "SELECT CODIGO FROM MA_CUENTAS WHERE Titulo = 0 ORDER BY "
                               "random()",
                               -1, &st, nullptr);
            while (sqlite3_step(st) == SQLITE_ROW)
                codigos.emplace_back(reinterpret_cast<const char*>(sqlite3_column_text(st, 0)));
            sqlite3_finalize(st);
        }
        if (codigos.empty()) FallaDirecta("sin cuentas", db.get());
        db.Exec("BEGIN");
        Preparada ins(db,
                      "INSERT INTO MA_MODELOS (NOMBRE, SECUENCIA, CUENTA, \"DEBE-HABER\", "
                      "IMPORTE, AlicIVA, tipo_reg, DETALLE) VALUES (?, ?, ?, ?, ?, 21, ?, ?)");
        auto linea = [&](int i, const std::string& cuenta, const std::string& tipo) {
            ins.Texto(1, "MODELO " + std::to_string(100000 + i / 20));
            ins.Texto(2, std::to_string(1 + i % 20));
            ins.Texto(3, cuenta);
            ins.Texto(4, i % 2 ? "D" : "H");
            ins.Texto(5, std::to_string(i) + ".2500");
            ins.Texto(6, tipo);
            ins.Texto(7, "Linea " + std::to_string(i));
            ins.Recorrer();
        };
        for (int i = 0; i < lineas; ++i) {
            const std::string& c = codigos[static_cast<size_t>(i) % codigos.size()];
            linea(i, i % 10 == 0 ? "  " + c + " " : c, i % 3 ? "" : "    ");
        }
        linea(lineas, codigos.front(), "VEN");
        linea(lineas + 1, "9.9.99.999", "");
        filas = lineas;
        db.Exec("COMMIT");
        db.Exec("ANALYZE");
    }
    std::string Archivo() const { return carpeta_.Ruta() + "/PLANILLA.sqlite"; }
    std::string Cadena() const {
        return "Provider=SQLOLEDB;Server=sqlite:" + carpeta_.Ruta() + ";Database=PLANILLA;";
    }
    long filas = 0;

  private:
    CarpetaTemporal carpeta_{"bench_planilla"};
};

BasePlanilla& Base(int cuentas, int lineas) {
    static std::map<std::pair<int, int>, std::unique_ptr<BasePlanilla>> bases;
    auto& b = bases[{cuentas, lineas}];
    if (!b) b = std::make_unique<BasePlanilla>(cuentas, lineas);
    return *b;
}

/// The sheet shown through the editor's procedure; the window counts as ready when it is
/// shown and painted.
void Planilla(benchmark::State& estado, int cuentas, int lineas) {
    BasePlanilla& b = Base(cuentas, lineas);
    long filas = -1;
    const auto mostrarHoja = [&](VentanaPlanilla& v) {
        v.show();
        QApplication::processEvents();
        filas = v.Tabla()->model()->rowCount();
    };
    auto mostrar = [&] {
        filas = -1;
        MostrarPlanilla(FrmMa_Modelo::kSentenciaPlanilla, b.Cadena(), "Asientos Modelo", nullptr,
                        mostrarHoja);
    };
    for (auto _ : estado) {
        mostrar();
        if (filas != b.filas) {
            estado.SkipWithError("la planilla no muestra las filas esperadas");
            break;
        }
    }
    estado.counters["pico_MB"] = PicoMemoriaMb(mostrar);
    estado.counters["filas"] = static_cast<double>(filas);
    estado.SetComplexityN(lineas);
}

void PlanillaDirecta(benchmark::State& estado, int cuentas, int lineas) {
    BasePlanilla& b = Base(cuentas, lineas);
    BaseDirecta db(b.Archivo());
    Preparada st(db, kSentenciaDirecta);
    long filas = 0;
    for (auto _ : estado) {
        filas = st.Recorrer();
        if (filas != b.filas) {
            estado.SkipWithError("el motor no leyo las filas esperadas");
            break;
        }
    }
    estado.counters["pico_MB"] = PicoMemoriaMb([&] { st.Recorrer(); });
    estado.counters["filas"] = static_cast<double>(filas);
    estado.SetComplexityN(lineas);
}

void PlanillaLineas(benchmark::State& e) {
    Planilla(e, kCuentasDemo, static_cast<int>(e.range(0)));
}
void PlanillaLineasDirecta(benchmark::State& e) {
    PlanillaDirecta(e, kCuentasDemo, static_cast<int>(e.range(0)));
}
void PlanillaPlanGrande(benchmark::State& e) { Planilla(e, 100000, 1000); }
void PlanillaPlanGrandeDirecta(benchmark::State& e) { PlanillaDirecta(e, 100000, 1000); }

BENCHMARK(PlanillaLineas)
    ->Name("Planilla F6 hasta la ventana, lineas sobre 400 cuentas@programa")
    ->Arg(10000)
    ->Arg(50000)
    ->Arg(100000)
    ->Unit(benchmark::kMillisecond)
    ->Iterations(1)
    ->Repetitions(3)
    ->ReportAggregatesOnly()
    ->Complexity(benchmark::oN);
BENCHMARK(PlanillaLineasDirecta)
    ->Name("Planilla F6 hasta la ventana, lineas sobre 400 cuentas@motor")
    ->Arg(10000)
    ->Arg(50000)
    ->Arg(100000)
    ->Unit(benchmark::kMillisecond)
    ->Iterations(3)
    ->Repetitions(3)
    ->ReportAggregatesOnly()
    ->Complexity(benchmark::oN);
BENCHMARK(PlanillaPlanGrande)
    ->Name("Planilla F6, 1.000 lineas sobre 100.000 cuentas@programa")
    ->Unit(benchmark::kMillisecond)
    ->Iterations(1)
    ->Repetitions(3)
    ->ReportAggregatesOnly();
BENCHMARK(PlanillaPlanGrandeDirecta)
    ->Name("Planilla F6, 1.000 lineas sobre 100.000 cuentas@motor")
    ->Unit(benchmark::kMillisecond)
    ->Repetitions(3)
    ->ReportAggregatesOnly();

}  // namespace
