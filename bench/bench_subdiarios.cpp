// The auxiliary subledger generation on 100,000 journal lines (20,000 entries of 5 lines, 1 to
// 4 of them debits), against one INSERT ... SELECT that writes the same rows on the same engine
// (bare SQLite C API, the suite's collation and functions registered). Both sides delete the
// user's rows and write in one transaction. Before timing, the two results are compared row by
// row; the program stops when they differ.
//
// The generation's notice here is a stand-in that only records when it is updated: the
// counter gap_max_ms is the longest time between two updates (each update is also where a
// cancel is taken), to be kept under 200 ms.
#include <benchmark/benchmark.h>
#include <sqlite3.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <random>
#include <string>
#include <vector>

#include "BaseDemo.h"
#include "CarpetaTemporal.h"
#include "Configuracion.h"
#include "DB_Dll.h"
#include "Formatos.h"
#include "Lbc_Asiento.h"
#include "PlataformaGuionada.h"
#include "SemanticaSqlite.h"
#include "Subdiarios.h"

using namespace helperlib;
using namespace data;
using namespace startup;
using namespace entryrules;

namespace {

constexpr int kAsientos = 20000;
constexpr int kLineasPorAsiento = 5;
constexpr int kCuentas = 1000;
constexpr const char* kUsuario = "DEMO";

/// Notice stand-in: counts updates and keeps the longest gap between two of them.
class CartelCronometrado final : public helperlib::Cartel {
  public:
    void CartelInicio(const std::string&, bool) override { ultimo_ = Reloj::now(); }
    void CartelMostrar(bool& cancelado, const helperlib::LineaCartel&,
                       const helperlib::LineaCartel&, const helperlib::LineaCartel&) override {
        const auto ahora = Reloj::now();
        hueco_ = std::max(hueco_, ahora - ultimo_);
        ultimo_ = ahora;
        ++actualizaciones;
        cancelado = false;
    }
    void CartelCerrar() override { hueco_ = std::max(hueco_, Reloj::now() - ultimo_); }
    void Siempre_Visible(bool) override {}
    double HuecoMaximoMs() const {
        return std::chrono::duration<double, std::milli>(hueco_).count();
    }
    long actualizaciones = 0;

  private:
    using Reloj = std::chrono::steady_clock;
    Reloj::time_point ultimo_;
    Reloj::duration hueco_{};
};

void Exec(sqlite3* db, const std::string& sql) {
    char* error = nullptr;
    if (sqlite3_exec(db, sql.c_str(), nullptr, nullptr, &error) != SQLITE_OK) {
        std::fprintf(stderr, "%s\n%s\n", error ? error : "", sql.c_str());
        std::abort();
    }
}

class BaseBanco {
  public:
    BaseBanco() {
        CrearBaseDesdeScripts(Archivo(), ScriptsDelBanco(), false);
        if (sqlite3_open(Archivo().c_str(), &db_) != SQLITE_OK) std::abort();
        RegistrarSemanticaSuite(db_);
        Llenar();
    }
    ~BaseBanco() { sqlite3_close(db_); }
    std::string Archivo() const { return carpeta_.Ruta() + "/BANCO.sqlite"; }
    std::string Cadena() const {
        return "Provider=SQLOLEDB;Server=sqlite:" + carpeta_.Ruta() + ";Database=BANCO;";
    }
    sqlite3* Directa() const { return db_; }

  private:
    void Llenar() {
        std::mt19937 azar(20240419);
        Exec(db_, "BEGIN");
        Exec(db_, "INSERT INTO TA_CONFIGURACION (CLAVE, VALOR) VALUES ('PERIODO', '2025')");
        sqlite3_stmt* cuenta = nullptr;
        sqlite3_prepare_v2(db_, "INSERT INTO MA_CUENTAS (CODIGO, DESCRIPCION) VALUES (?, ?)", -1,
                           &cuenta, nullptr);
        for (int c = 0; c < kCuentas; ++c) {
            const std::string codigo = Codigo(c);
            const std::string nombre = "Cuenta de prueba " + std::to_string(c);
            sqlite3_bind_text(cuenta, 1, codigo.c_str(), -1, SQLITE_TRANSIENT);
            sqlite3_bind_text(cuenta, 2, nombre.c_str(), -1, SQLITE_TRANSIENT);
            sqlite3_step(cuenta);
            sqlite3_reset(cuenta);
        }
        sqlite3_finalize(cuenta);
        sqlite3_stmt* linea = nullptr;
        sqlite3_prepare_v2(db_,
                           "INSERT INTO MV_ASIENTOS (PERIODO, MES_OPERATIVO, \"NUMERO ASIENTO\", "
                           "TIPO_REG, FECHA, CUENTA, \"DEBE-HABER\", IMPORTE, DETALLE, TC, "
                           "SUCURSAL, NUMERO, LETRA, CABIMPORTE) VALUES (2025, ?, ?, 'VEN', ?, "
                           "?, ?, ?, ?, 'FC', '0001', ?, 'A', ?)",
                           -1, &linea, nullptr);
        for (int a = 0; a < kAsientos; ++a) {
            const int mes = 1 + a * 12 / kAsientos;
            const int numero = a + 1;
            const int debitos = 1 + static_cast<int>(azar() % 4);
            char fecha[32];
            std::snprintf(fecha, sizeof fecha, "2025-%02d-%02d %02d:%02d:00", mes,
                          1 + static_cast<int>(azar() % 28), static_cast<int>(azar() % 3) * 8,
                          static_cast<int>(azar() % 60));
            const std::string comprobante = std::to_string(10000000 + a);
            // Distinct accounts within an entry: lines of one side have one order only.
            const int primera = static_cast<int>(azar() % kCuentas);
            for (int l = 0; l < kLineasPorAsiento; ++l) {
                const std::string c = Codigo((primera + l * 7) % kCuentas);
                const std::string importe =
                    std::to_string(azar() % 100000) + "." + std::to_string(azar() % 100);
                const std::string detalle =
                    "Detalle " + std::to_string(a) + "/" + std::to_string(l);
                sqlite3_bind_int(linea, 1, mes);
                sqlite3_bind_int(linea, 2, numero);
                sqlite3_bind_text(linea, 3, fecha, -1, SQLITE_TRANSIENT);
                sqlite3_bind_text(linea, 4, c.c_str(), -1, SQLITE_TRANSIENT);
                sqlite3_bind_text(linea, 5, l < debitos ? "D" : "H", -1, SQLITE_STATIC);
                sqlite3_bind_text(linea, 6, importe.c_str(), -1, SQLITE_TRANSIENT);
                sqlite3_bind_text(linea, 7, detalle.c_str(), -1, SQLITE_TRANSIENT);
                sqlite3_bind_text(linea, 8, comprobante.c_str(), -1, SQLITE_TRANSIENT);
                sqlite3_bind_int(linea, 9, 1000 + a);
                sqlite3_step(linea);
                sqlite3_reset(linea);
            }
        }
        sqlite3_finalize(linea);
        Exec(db_, "COMMIT");
        Exec(db_, "ANALYZE");
    }

    static std::string Codigo(int c) {
        char t[24];
        std::snprintf(t, sizeof t, "%d.%d.%02d.%03d", 1 + c % 5, 1 + c / 5 % 4, c / 20 % 50, c);
        return t;
    }

    CarpetaTemporal carpeta_{"bench_subdiarios"};
    sqlite3* db_ = nullptr;
};

BaseBanco& Banco() {
    static BaseBanco banco;
    return banco;
}

/// The same rows as the generation, written by the engine alone: the lines of the chosen
/// entries numbered per side in account order, grouped by position (one debit and one credit
/// at most each), the positions of the longer side kept.
const std::string kInsertSelect = R"(
INSERT INTO AUX_SUBDIARIOS (Usuario, Periodo, Mes_Operativo, "numero asiento", fecha, TC,
  Sucursal, Numero, letra, Cabimporte, cuenta_D, descripcion_D, importe_D, Concepto, cuenta_H,
  descripcion_H, importe_H)
WITH asientos AS (
  SELECT DISTINCT PERIODO, MES_OPERATIVO, "NUMERO ASIENTO" FROM MV_ASIENTOS
  WHERE RTRIM(LTRIM(TIPO_REG)) = 'VEN' COLLATE SUITE_CI
    AND FECHA >= '1990-01-01 00:00:00' AND FECHA <= '2025-12-31 00:00:00'),
lineas AS (
  SELECT l.PERIODO, l.MES_OPERATIVO, l."NUMERO ASIENTO" AS NUM, UPPER(l."DEBE-HABER") AS lado,
    l.FECHA, l.TC, l.SUCURSAL, l.NUMERO, l.LETRA, l.CABIMPORTE, l.CUENTA, l.IMPORTE, l.DETALLE,
    ROW_NUMBER() OVER (PARTITION BY l.PERIODO, l.MES_OPERATIVO, l."NUMERO ASIENTO",
                       UPPER(l."DEBE-HABER") ORDER BY l.CUENTA) AS k,
    SUM(UPPER(l."DEBE-HABER") = 'D') OVER entrada >= SUM(UPPER(l."DEBE-HABER") = 'H') OVER entrada
      AS guia_debe
  FROM MV_ASIENTOS l JOIN asientos a ON a.PERIODO = l.PERIODO
    AND a.MES_OPERATIVO = l.MES_OPERATIVO AND a."NUMERO ASIENTO" = l."NUMERO ASIENTO"
  WHERE RTRIM(LTRIM(l.TIPO_REG)) = 'VEN' COLLATE SUITE_CI AND l."DEBE-HABER" IN ('D', 'H')
  WINDOW entrada AS (PARTITION BY l.PERIODO, l.MES_OPERATIVO, l."NUMERO ASIENTO")),
pares AS (
  SELECT PERIODO, MES_OPERATIVO, NUM, k, guia_debe,
    MAX(lado = 'D') AS hay_d, MAX(lado = 'H') AS hay_h,
    MAX(CASE WHEN lado = 'D' THEN CUENTA END) AS cuenta_d,
    MAX(CASE WHEN lado = 'D' THEN IMPORTE END) AS importe_d,
    MAX(CASE WHEN lado = 'H' THEN CUENTA END) AS cuenta_h,
    MAX(CASE WHEN lado = 'H' THEN IMPORTE END) AS importe_h,
    MAX(CASE WHEN (lado = 'D') = guia_debe THEN FECHA END) AS fecha,
    MAX(CASE WHEN (lado = 'D') = guia_debe THEN TC END) AS tc,
    MAX(CASE WHEN (lado = 'D') = guia_debe THEN SUCURSAL END) AS sucursal,
    MAX(CASE WHEN (lado = 'D') = guia_debe THEN NUMERO END) AS numero,
    MAX(CASE WHEN (lado = 'D') = guia_debe THEN LETRA END) AS letra,
    MAX(CASE WHEN (lado = 'D') = guia_debe THEN CABIMPORTE END) AS cabimporte,
    MAX(CASE WHEN (lado = 'D') = guia_debe THEN DETALLE END) AS detalle
  FROM lineas GROUP BY PERIODO, MES_OPERATIVO, NUM, k
  HAVING (guia_debe AND hay_d) OR (NOT guia_debe AND hay_h))
SELECT 'DEMO', p.PERIODO, p.MES_OPERATIVO, p.NUM,
  CASE WHEN p.guia_debe THEN p.fecha ELSE substr(p.fecha, 1, 10) || ' 00:00:00' END,
  p.tc, p.sucursal, p.numero, p.letra, p.cabimporte,
  p.cuenta_d, CASE WHEN p.hay_d THEN IFNULL(cd.DESCRIPCION, '') END, p.importe_d, p.detalle,
  p.cuenta_h, CASE WHEN p.hay_h THEN IFNULL(ch.DESCRIPCION, '') END, p.importe_h
FROM pares p
LEFT JOIN MA_CUENTAS cd ON cd.CODIGO = p.cuenta_d
LEFT JOIN MA_CUENTAS ch ON ch.CODIGO = p.cuenta_h
ORDER BY p.MES_OPERATIVO, p.NUM, p.PERIODO, p.k)";

void InsertSelect(sqlite3* db) {
    Exec(db, "BEGIN IMMEDIATE");
    Exec(db, "DELETE FROM AUX_SUBDIARIOS WHERE RTRIM(LTRIM(USUARIO)) = 'DEMO' COLLATE SUITE_CI");
    Exec(db, kInsertSelect);
    Exec(db, "COMMIT");
}

/// One run of the generation; returns the notice's longest gap in ms.
double Generar(DB_Dll& db) {
    CartelCronometrado cartel;
    const entryrules::ServiciosSesion servicios{
        [&db](std::string_view clave) { return Cfg(db, clave); },
        [](std::string_view s, std::string_view n, std::string_view l) {
            return ArmarNroComprobante(s, n, l);
        }};
    Lbc_Asiento reglas(db, servicios, [](const ErrorEjecucion& e, const std::string& r) {
        std::fprintf(stderr, "%s: %s\n", r.c_str(), e.Descripcion().c_str());
        return respuesta::kAbortar;
    });
    std::string desde;
    reglas.GeneraAuxiliarSubdiarios(entryrules::EntornoSubdiarios{kUsuario, cartel}, desde,
                                    "31/12/2025", "VEN");
    return cartel.HuecoMaximoMs();
}

std::vector<std::string> Filas(sqlite3* db) {
    std::vector<std::string> filas;
    sqlite3_stmt* st = nullptr;
    sqlite3_prepare_v2(db,
                       "SELECT quote(Usuario), quote(Periodo), quote(Mes_Operativo), "
                       "quote(\"numero asiento\"), quote(fecha), quote(TC), quote(Sucursal), "
                       "quote(Numero), quote(letra), quote(Cabimporte), quote(cuenta_D), "
                       "quote(descripcion_D), quote(importe_D), quote(Concepto), quote(cuenta_H), "
                       "quote(descripcion_H), quote(importe_H) FROM AUX_SUBDIARIOS ORDER BY ID",
                       -1, &st, nullptr);
    while (sqlite3_step(st) == SQLITE_ROW) {
        std::string f;
        for (int c = 0; c < sqlite3_column_count(st); ++c)
            f += std::string(reinterpret_cast<const char*>(sqlite3_column_text(st, c))) + "|";
        filas.push_back(std::move(f));
    }
    sqlite3_finalize(st);
    return filas;
}

struct Conectado {
    Conectado() {
        db.gConnString = Banco().Cadena();
        db.gCnn.Open(Banco().Cadena());
        db.gOpenFlag = true;
    }
    ConPlataformaGuionada plataforma;
    DB_Dll db;
};

/// Both sides must write the same rows; checked once, before any timing.
void Comprobar() {
    static bool hecho = false;
    if (hecho) return;
    hecho = true;
    sqlite3* directa = Banco().Directa();
    {
        Conectado c;
        Generar(c.db);
    }
    const auto generadas = Filas(directa);
    InsertSelect(directa);
    const auto esperadas = Filas(directa);
    if (generadas != esperadas || esperadas.empty()) {
        std::fprintf(stderr, "Las filas difieren: %zu generadas, %zu del INSERT ... SELECT\n",
                     generadas.size(), esperadas.size());
        for (size_t i = 0; i < std::min(generadas.size(), esperadas.size()); ++i)
            if (generadas[i] != esperadas[i]) {
                std::fprintf(stderr, "fila %zu:\n  %s\n  %s\n", i, generadas[i].c_str(),
                             esperadas[i].c_str());
                break;
            }
        std::abort();
    }
    std::fprintf(stderr, "Comprobado: %zu filas iguales en los dos lados\n", esperadas.size());
}

void BM_GeneraAuxiliarSubdiarios(benchmark::State& estado) {
    Comprobar();
    Conectado c;
    double hueco = 0;
    for (auto _ : estado) hueco = std::max(hueco, Generar(c.db));
    estado.counters["gap_max_ms"] = hueco;
    estado.SetItemsProcessed(estado.iterations() * kAsientos * kLineasPorAsiento);
}

void BM_InsertSelectMismoMotor(benchmark::State& estado) {
    Comprobar();
    for (auto _ : estado) InsertSelect(Banco().Directa());
    estado.SetItemsProcessed(estado.iterations() * kAsientos * kLineasPorAsiento);
}

}  // namespace

BENCHMARK(BM_GeneraAuxiliarSubdiarios)
    ->Name("Subdiario auxiliar de 100.000 lineas@programa")
    ->Unit(benchmark::kMillisecond)
    ->Iterations(3);
BENCHMARK(BM_InsertSelectMismoMotor)
    ->Name("Subdiario auxiliar de 100.000 lineas@motor")
    ->Unit(benchmark::kMillisecond)
    ->Iterations(3);

BENCHMARK_MAIN();
