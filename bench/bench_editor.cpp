// The editor window on an embedded demo database whose template table holds about 100,000
// lines: loading a 1,000-line template into the grid, loading a 20-line template by name, and
// Enter on an account cell followed by Enter on its check digit, each against its statements
// replayed on the bare SQLite API (captured from one run of the program's side, prepared once).
// For the two Enter keys only the keys are timed: the typing before each sends no statement, so
// the bare side has nothing to stand for it. The whole sequence, typing included, is timed too,
// on its own (a time with no pair).
// The window is shown and the program's pending events run as in the program (the desktop's
// DoEvents processes Qt's events), so repaints triggered while statements run are counted.
// Start-up to the idle window, inside the process, is compared with a bare Qt window holding a
// table of the grid's shape. A full recomputation of the totals over the 1,000 lines is
// measured alone.
#include <benchmark/benchmark.h>
#include <stdlib.h>

#include <QApplication>
#include <QLineEdit>
#include <QTableWidget>
#include <QTest>
#include <QVBoxLayout>
#include <filesystem>
#include <memory>
#include <string>

#include "BaseDemo.h"
#include "CarpetaTemporal.h"
#include "Contexto.h"
#include "DB_Dll.h"
#include "FrmMa_Modelo.h"
#include "MatrizGrilla.h"
#include "Plataforma.h"
#include "SqliteDirecto.h"
#include "TeclasVirtuales.h"
#include "ValoresSesion.h"

using namespace helperlib;
using namespace data;
using namespace startup;
using namespace lookup;
using namespace editor;
using toolbar::teclas::Vk;

namespace {

constexpr int kLineasGrande = 1000;
constexpr int kLineasVeinte = 20;
constexpr int kLineasTabla = 100000;
constexpr const char* kCuenta = "1.1.01.002";

/// The desktop as the program has it for events (DoEvents runs Qt's pending events); any
/// message or input box is recorded and answered with its default, and the benchmark fails.
class PlataformaBanco final : public Plataforma {
  public:
    int MsgBox(const std::string& texto, int, const std::string&) override {
        dialogos.push_back(texto);
        return 1;
    }
    std::string InputBox(const std::string& mensaje, const std::string&,
                         const std::string&) override {
        dialogos.push_back(mensaje);
        return "";
    }
    void DoEvents() override { QCoreApplication::processEvents(); }
    void RepintarPendientes() override {}
    [[noreturn]] void Terminar(int codigo) override { std::exit(codigo); }
    std::optional<std::string> ElegirArchivo(const std::string&, const std::string&) override {
        return std::nullopt;
    }
    bool AbrirDocumento(const std::string&) override { return false; }
    long IniciarProceso(const std::string&, const std::vector<std::string>&) override { return 0; }
    std::string NombreMaquina() override { return "BANCO"; }
    std::string UsuarioSistema() override { return "banco"; }
    std::string RutaEjecutable() override { return ""; }
    void IndicadorOcupado(bool) override {}

    std::vector<std::string> dialogos;
};

void InsertarLineas(BaseDirecta& db, const std::string& nombre, int desde, int cantidad) {
    Preparada ins(db,
                  "INSERT INTO MA_MODELOS (NOMBRE, SECUENCIA, CUENTA, \"DEBE-HABER\", IMPORTE, "
                  "AlicIVA, tipo_reg) VALUES (?, ?, ?, ?, ?, 21, '    ')");
    for (int i = desde; i < desde + cantidad; ++i) {
        ins.Texto(1, nombre);
        ins.Texto(2, std::to_string(i - desde + 1));
        ins.Texto(3, "1.1.01.00" + std::to_string(1 + i % 6));
        ins.Texto(4, i % 2 ? "D" : "H");
        ins.Texto(5, std::to_string(i) + ".25");
        ins.Recorrer();
    }
}

struct Entorno {
    CarpetaTemporal carpeta{"bench_editor"};
    PlataformaBanco* escritorio = nullptr;
    std::unique_ptr<Plataforma> anterior;
    Contexto ctx;
    DB_Dll& db = ctx.db;
    std::unique_ptr<FrmMa_Modelo> frm;
    std::string digito;  // check digit of kCuenta

    Entorno() {
        CrearBaseDesdeScripts(Archivo(), ScriptsDelBanco(), true);
        {
            BaseDirecta directa(Archivo());
            directa.Exec("BEGIN");
            InsertarLineas(directa, "GRANDE", 1, kLineasGrande);
            InsertarLineas(directa, "VEINTE", 1, kLineasVeinte);
            // Other templates of 20 lines fill the table up to about kLineasTabla lines.
            for (int m = 0; m < (kLineasTabla - kLineasGrande - kLineasVeinte) / 20; ++m)
                InsertarLineas(directa, "RELLENO " + std::to_string(m), m * 20, 20);
            directa.Exec("COMMIT");
            directa.Exec("ANALYZE");
            sqlite3_stmt* st = nullptr;
            sqlite3_prepare_v2(directa.get(), "SELECT DV FROM MA_CUENTAS WHERE CODIGO = ?1", -1,
                               &st, nullptr);
            sqlite3_bind_text(st, 1, kCuenta, -1, SQLITE_STATIC);
            if (sqlite3_step(st) == SQLITE_ROW)
                digito = reinterpret_cast<const char*>(sqlite3_column_text(st, 0));
            sqlite3_finalize(st);
            if (digito.empty()) FallaDirecta("sin digito para la cuenta", nullptr);
        }
        auto p = std::make_unique<PlataformaBanco>();
        escritorio = p.get();
        anterior = InstalarPlataforma(std::move(p));
        const std::string cadena =
            "Provider=SQLOLEDB;Server=sqlite:" + carpeta.Ruta() + ";Database=BENCH;";
        db.gConnString = cadena;
        db.gCnn.Open(cadena);
        db.gOpenFlag = true;
        ctx.sesion.gUsuarioLogeado = "DEMO";
        frm = std::make_unique<FrmMa_Modelo>(ctx);
        frm->Form_Load("");
        frm->show();
        frm->activateWindow();
        if (!QTest::qWaitForWindowExposed(frm.get())) FallaDirecta("ventana no mostrada", nullptr);
        // The set-up's own notices (a skin file missing beside the benchmark) are not part of
        // any measured action.
        escritorio->dialogos.clear();
    }
    ~Entorno() {
        frm.reset();
        db.gCnn.Close();
        InstalarPlataforma(std::move(anterior));
    }
    std::string Archivo() const { return carpeta.Ruta() + "/BENCH.sqlite"; }

    /// Enter in the name field on `nombre`: validate, load, show.
    void CargarPorNombre(const char* nombre) {
        frm->Limpiar();
        frm->txtFields[0]->setText(nombre);
        frm->ConfirmarCampo(0, Vk(Qt::Key_Return));
    }
    /// The account kCuenta and its check digit typed on line 1 as a user types them (the first
    /// character opens the cell editor with it, the rest follow in the editor), each followed
    /// by Enter; true when the line holds the account and the cursor went on to the debit cell.
    /// `teclear(true)` is called before each typing and `teclear(false)` after it, so that a
    /// benchmark can time the Enter keys alone.
    template <class Teclear>
    bool EscribirCuentaYDigito(Teclear teclear) {
        teclear(true);
        frm->Matriz.Celda(1, 1);
        frm->EditarCelda(kCuenta[0]);
        frm->BrwTxt->setText(kCuenta);
        teclear(false);
        QTest::keyClick(frm->BrwTxt, Qt::Key_Return);
        if (frm->Matriz.Col() != 2) return false;
        teclear(true);
        frm->EditarCelda(digito[0]);
        frm->BrwTxt->setText(QString::fromStdString(digito));
        teclear(false);
        QTest::keyClick(frm->BrwTxt, Qt::Key_Return);
        return frm->Matriz.Col() == 4 && frm->Almacen.Lineas[1].Cuenta.Recortado() == kCuenta;
    }
};

Entorno* entorno = nullptr;

/// Built at first use; taken down while the application still exists (its windows cannot
/// outlive it).
Entorno& Base() {
    if (!entorno) {
        entorno = new Entorno;
        qAddPostRoutine([] {
            delete entorno;
            entorno = nullptr;
        });
    }
    return *entorno;
}

/// Fails the benchmark when the program showed a message box during the run.
void SinDialogos(benchmark::State& estado) {
    auto& d = Base().escritorio->dialogos;
    if (!d.empty()) estado.SkipWithError(("dialogo inesperado: " + d.front()).c_str());
    d.clear();
}

void CargarGrande(benchmark::State& estado) {
    Entorno& e = Base();
    for (auto _ : estado) {
        e.CargarPorNombre("GRANDE");
        // One empty element follows the last line.
        if (e.frm->Almacen.Lineas.Superior() != kLineasGrande + 1)
            estado.SkipWithError("carga incompleta");
    }
    SinDialogos(estado);
}

void CargarVeinte(benchmark::State& estado) {
    Entorno& e = Base();
    for (auto _ : estado) {
        e.CargarPorNombre("VEINTE");
        if (e.frm->Almacen.Lineas.Superior() != kLineasVeinte + 1)
            estado.SkipWithError("carga incompleta");
    }
    SinDialogos(estado);
}

/// Rows the template's own statement (the captured one holding "ORDER BY SECUENCIA") returns
/// on the bare API; -1 when the action sent no such statement.
long LineasDelModelo(const BaseDirecta& db, const std::vector<std::string>& sentencias) {
    for (const auto& s : sentencias)
        if (s.find("ORDER BY SECUENCIA") != std::string::npos) {
            Preparada p(db, AdaptarSentencia(s, Dialecto::Sqlite));
            return p.Recorrer();
        }
    return -1;
}

/// The statements `accion` sends, captured from one run and replayed on the bare API, on a
/// connection opened as the program's embedded engine opens its own (no engine lock per call,
/// which the program does not pay either). A replay must read at least `filasMinimas` rows
/// and, every time, as many as the first one; with `lineas` > 0 the template's own statement
/// must return exactly that many lines.
void Repetir(benchmark::State& estado, const std::function<void()>& accion, long filasMinimas,
             long lineas = 0) {
    Entorno& e = Base();
    const auto sentencias = Capturar(e.db.gCnn, accion);
    BaseDirecta db(e.Archivo(), BaseDirecta::kModoMotor);
    if (lineas > 0 && LineasDelModelo(db, sentencias) != lineas) {
        estado.SkipWithError("el modelo no tiene las lineas esperadas");
        return;
    }
    Repeticion repeticion(db, sentencias);
    const long filas = repeticion.Correr();  // untimed: what every timed replay must read
    if (filas < filasMinimas) {
        estado.SkipWithError("filas de menos");
        return;
    }
    for (auto _ : estado)
        if (repeticion.Correr() != filas) estado.SkipWithError("otra cantidad de filas");
    estado.counters["sentencias"] = static_cast<double>(repeticion.Cantidad());
}

void CargarGrandeDirecto(benchmark::State& estado) {
    Repetir(
        estado, [] { Base().CargarPorNombre("GRANDE"); }, kLineasGrande, kLineasGrande);
}
void CargarVeinteDirecto(benchmark::State& estado) {
    Repetir(
        estado, [] { Base().CargarPorNombre("VEINTE"); }, kLineasVeinte, kLineasVeinte);
}

/// Starts a new template so that the grid is open for editing on line 1.
void NuevoModelo(Entorno& e) {
    e.CargarPorNombre("NUEVO DE BANCO");
    e.escritorio->dialogos.clear();
}

/// The whole sequence timed: moving to the account cell, typing the account, Enter, typing the
/// check digit, Enter.
void CuentaYDigitoConTecleo(benchmark::State& estado) {
    Entorno& e = Base();
    NuevoModelo(e);
    for (auto _ : estado)
        if (!e.EscribirCuentaYDigito([](bool) {})) {
            estado.SkipWithError("la cuenta o su digito no se aceptaron");
            break;
        }
    SinDialogos(estado);
}

/// Only the two Enter keys are timed: the typing before each (moving to the account cell,
/// opening the editor with the first character, the rest of the text) is a user's keystrokes,
/// for which the bare side has no statement to replay.
void SoloEnterCuenta(benchmark::State& estado) {
    Entorno& e = Base();
    NuevoModelo(e);
    const auto teclear = [&](bool empieza) {
        if (empieza)
            estado.PauseTiming();
        else
            estado.ResumeTiming();
    };
    for (auto _ : estado)
        if (!e.EscribirCuentaYDigito(teclear)) {
            estado.SkipWithError("la cuenta o su digito no se aceptaron");
            break;
        }
    SinDialogos(estado);
}

void SoloEnterCuentaDirecto(benchmark::State& estado) {
    Entorno& e = Base();
    NuevoModelo(e);
    Repetir(
        estado,
        [&] {
            if (!e.EscribirCuentaYDigito([](bool) {}))
                FallaDirecta("la cuenta no se acepto", nullptr);
        },
        1);
}

void CalcularTotalesGrande(benchmark::State& estado) {
    Entorno& e = Base();
    e.CargarPorNombre("GRANDE");
    Moneda d, h;
    for (auto _ : estado) {
        e.frm->Grilla.CalcularTotales(d, h);
        benchmark::DoNotOptimize(d);
    }
    if (d.EsCero() || h.EsCero()) estado.SkipWithError("totales en cero");
}

/// Start-up inside the process: the editor window built, loaded with the launch parameters
/// (session start-up, connection, skin, grid) and shown until its events are done.
void Arranque(benchmark::State& estado) {
    Entorno& e = Base();
    const std::string parametros = "@Server=sqlite:" + e.carpeta.Ruta() +
                                   ";@DbName=BENCH;@Usuario=DEMO;@UsuarioLogeado=DEMO;@Menu=1;"
                                   "@Caja=1;";
    for (auto _ : estado) {
        Contexto arranque;
        FrmMa_Modelo frm(arranque);
        frm.Form_Load(parametros);
        frm.show();
        QApplication::processEvents();
        if (!arranque.db.gOpenFlag || !frm.isVisible()) {
            estado.SkipWithError("la ventana no quedo abierta");
            break;
        }
    }
    e.escritorio->dialogos.clear();  // the skin notice of every start-up here
}

/// A bare Qt window of the same size with a table of the grid's shape, shown until its events
/// are done.
void ArranqueQt(benchmark::State& estado) {
    const QSize tamano = Base().frm->size();
    for (auto _ : estado) {
        QWidget w;
        auto* caja = new QVBoxLayout(&w);
        auto* tabla = new QTableWidget(20, 7, &w);
        caja->addWidget(tabla);
        w.resize(tamano);
        w.show();
        QApplication::processEvents();
        if (!w.isVisible()) estado.SkipWithError("la ventana no quedo abierta");
    }
}

BENCHMARK(CargarGrande)
    ->Name("Cargar modelo de 1.000 lineas en la grilla@programa")
    ->Unit(benchmark::kMillisecond);
BENCHMARK(CargarGrandeDirecto)
    ->Name("Cargar modelo de 1.000 lineas en la grilla@motor")
    ->Unit(benchmark::kMillisecond);
BENCHMARK(CargarVeinte)
    ->Name("Cargar modelo de 20 lineas por nombre (tabla de 100.000)@programa")
    ->Unit(benchmark::kMillisecond);
BENCHMARK(CargarVeinteDirecto)
    ->Name("Cargar modelo de 20 lineas por nombre (tabla de 100.000)@motor")
    ->Unit(benchmark::kMillisecond);
BENCHMARK(SoloEnterCuenta)
    ->Name("Enter en una cuenta y en su digito verificador@programa")
    ->Unit(benchmark::kMicrosecond);
BENCHMARK(SoloEnterCuentaDirecto)
    ->Name("Enter en una cuenta y en su digito verificador@motor")
    ->Unit(benchmark::kMicrosecond);
BENCHMARK(CuentaYDigitoConTecleo)
    ->Name("Escribir una cuenta y su digito verificador, cada uno con su Enter (sin par)")
    ->Unit(benchmark::kMicrosecond);
BENCHMARK(Arranque)
    ->Name("Arranque hasta la ventana en reposo (dentro del proceso)@programa")
    ->Unit(benchmark::kMillisecond);
BENCHMARK(ArranqueQt)
    ->Name("Arranque hasta la ventana en reposo (dentro del proceso)@motor")
    ->Unit(benchmark::kMillisecond);
BENCHMARK(CalcularTotalesGrande)
    ->Name("Totales de un modelo de 1.000 lineas")
    ->Unit(benchmark::kMicrosecond);

}  // namespace
