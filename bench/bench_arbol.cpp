// Time to a shown tree window over a chart of accounts: the lookup driver opening the tree on
// the first n accounts in code order (statement, rows read, generic builder, model, window shown
// and painted), for n = 10,000, 20,000 and 50,000; the target for 50,000 is under one second.
// The builder alone over the same rows shows how building grows with n (the benchmark's
// complexity fit reports it). The bare side steps the tree's statement (its SQLite form,
// prepared once); what the program adds is the tree built, the model and the window.
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <QApplication>
#include <QTreeView>
#include <filesystem>
#include <map>
#include <string>

#include "ArbolCodigos.h"
#include "BaseDemo.h"
#include "CarpetaTemporal.h"
#include "DB_Dll.h"
#include "Lib_ClsCons3.h"
#include "Lib_FrmCons3Tree.h"
#include "LogicaArbol.h"
#include "Recordset.h"
#include "SqliteDirecto.h"

using namespace helperlib;
using namespace data;
using namespace startup;
using namespace lookup;

namespace {

constexpr int kCuentas = 50000;

/// A chart of kCuentas accounts in a temporary folder, built once, and the data access object
/// opened on it.
class BaseArbol {
  public:
    BaseArbol() {
        CrearBaseDesdeScripts(Ruta(), ScriptsDelBanco(), true, kCuentas);
        db.gServidor = "sqlite:" + carpeta_.Ruta();
        db.gDBName = db.gUsuario = db.gUserPassWord = "ARBOL";
        db.OpenServerADODB(false, 3, "", false, false);
        if (!db.gOpenFlag) std::abort();
    }
    std::string Ruta() const { return carpeta_.Ruta() + "/ARBOL.sqlite"; }
    DB_Dll db;

  private:
    CarpetaTemporal carpeta_{"bench_arbol"};
};

BaseArbol& Base() {
    static BaseArbol b;
    return b;
}
std::string Ruta() { return Base().Ruta(); }

std::string Sentencia(long n) {
    return "SELECT TOP " + std::to_string(n) +
           " CODIGO, DESCRIPCION FROM MA_CUENTAS ORDER BY CODIGO";
}

/// The driver opens the tree; the window counts as ready when it is shown and painted.
void BM_VentanaArbol(benchmark::State& estado) {
    auto& b = Base();
    PreparacionConsultas preparacion;
    Lib_ClsCons3 driver(b.db, preparacion);
    int nodos = 0, nivelMaximo = 0;
    driver.MostrarArbol = [&](lookup::Lib_FrmCons3Tree& v) {
        v.show();
        QApplication::processEvents();
        nodos = v.Arbol().Cantidad();
        for (int i = 0; i < nodos; ++i) nivelMaximo = std::max(nivelMaximo, v.Arbol()[i].nivel);
        v.Cancelar();
    };
    const std::string sql = Sentencia(estado.range(0));
    for (auto _ : estado) {
        std::string campo, where;
        driver.CampoDevuelto = "CODIGO";
        driver.ConsultaSearch(sql, nullptr, "", campo, where, "", true);
    }
    if (nodos != estado.range(0) + 1) estado.SkipWithError("el arbol no tiene un nodo por cuenta");
    estado.counters["nodos"] = nodos;
    estado.counters["niveles"] = nivelMaximo;
    estado.SetComplexityN(estado.range(0));
}

/// The generic builder alone over rows read once.
void BM_ArmarArbol(benchmark::State& estado) {
    auto& b = Base();
    Recordset rs;
    std::string sql = Sentencia(estado.range(0));
    b.db.AbrirRecordset(sql, rs);
    const auto filas = lookup::LeerFilasArbol(rs, false);
    b.db.CierraRecordset(rs);
    const Reportero sinFallas = [&](const ErrorEjecucion& e) {
        estado.SkipWithError(e.Descripcion().c_str());
        return 3;
    };
    for (auto _ : estado) {
        lookup::ArbolCodigos arbol;
        lookup::ArmarPorPrefijo(arbol, filas, sinFallas);
        benchmark::DoNotOptimize(arbol.Cantidad());
    }
    estado.SetComplexityN(estado.range(0));
}

/// The tree's statement on the bare engine: its SQLite form prepared once, every row stepped.
void BM_VentanaArbolDirecta(benchmark::State& estado) {
    Base();
    BaseDirecta db(Ruta());
    Preparada st(db, "SELECT CODIGO, DESCRIPCION FROM MA_CUENTAS ORDER BY CODIGO LIMIT " +
                         std::to_string(estado.range(0)));
    for (auto _ : estado)
        if (st.Recorrer() != estado.range(0)) estado.SkipWithError("filas de menos");
    estado.SetComplexityN(estado.range(0));
}

BENCHMARK(BM_VentanaArbol)
    ->Name("Ventana de arbol de cuentas@programa")
    ->Arg(10000)
    ->Arg(20000)
    ->Arg(50000)
    ->Unit(benchmark::kMillisecond)
    ->MinTime(1.0)
    ->Complexity();
BENCHMARK(BM_VentanaArbolDirecta)
    ->Name("Ventana de arbol de cuentas@motor")
    ->Arg(10000)
    ->Arg(20000)
    ->Arg(50000)
    ->Unit(benchmark::kMillisecond)
    ->MinTime(1.0)
    ->Complexity();
BENCHMARK(BM_ArmarArbol)
    ->Name("Armado del arbol por prefijo, solo")
    ->Arg(10000)
    ->Arg(20000)
    ->Arg(50000)
    ->Unit(benchmark::kMillisecond)
    ->MinTime(1.0)
    ->Complexity();

}  // namespace
