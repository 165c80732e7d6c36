// A process killed (SIGKILL) at a random moment while it saves a template over and over: when
// the next process opens the database, the template holds exactly one save's rows and the file
// passes the engine's integrity check.
#include <signal.h>
#include <sqlite3.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <random>
#include <set>
#include <thread>

#include "AlmacenPrueba.h"
#include "SemanticaSqlite.h"

namespace {

constexpr int kMuertes = 40;
constexpr const char* kNombre = "MATAR";

/// Lines written by save number n: between 3 and 42, so that two saves never look alike.
int LineasDe(int n) { return 3 + n % 40; }

/// The body of the saving process; never returns.
[[noreturn]] void Grabador(const BaseTemporal& base, int primera) {
    DB_Dll db;
    base.Conectar(db);
    db.gCnn.CommandTimeout = 5;
    AlmacenModelos almacen(db);
    almacen.Generar(almacen.NombreTabla);
    for (int n = primera;; ++n) {
        almacen.TextoCampo("NOMBRE") = kNombre;
        almacen.ModeloExistente = true;
        almacen.ModoBorrar = false;
        almacen.Lineas.Reiniciar(LineasDe(n) + 2);
        for (int k = 1; k <= LineasDe(n); ++k) {
            almacen.Lineas[k].Cuenta = "1.1.01.00" + std::to_string(1 + k % 3);
            almacen.Lineas[k].Debe = std::to_string(n);
        }
        almacen.ActualizarDatos();
    }
}

struct Estado {
    std::string integridad;
    int filas = 0;
    std::set<std::string> etiquetas;
    std::set<std::string> secuencias;
};

/// Opens the database as the next user would (a hot journal is rolled back here) and reads
/// the template; the handle is closed again before the next fork.
Estado Revisar(const std::string& archivo) {
    Estado e;
    sqlite3* db = nullptr;
    sqlite3_open_v2(archivo.c_str(), &db, SQLITE_OPEN_READWRITE, nullptr);
    RegistrarSemanticaSuite(db);  // the schema's indexes name the suite's collation
    sqlite3_busy_timeout(db, 5000);
    sqlite3_stmt* st = nullptr;
    sqlite3_prepare_v2(db, "PRAGMA integrity_check", -1, &st, nullptr);
    if (sqlite3_step(st) == SQLITE_ROW)
        e.integridad = reinterpret_cast<const char*>(sqlite3_column_text(st, 0));
    sqlite3_finalize(st);
    sqlite3_prepare_v2(db,
                       "SELECT SECUENCIA, CAST(IMPORTE AS INTEGER) FROM MA_MODELOS WHERE "
                       "NOMBRE = 'MATAR'",
                       -1, &st, nullptr);
    while (sqlite3_step(st) == SQLITE_ROW) {
        ++e.filas;
        e.secuencias.insert(reinterpret_cast<const char*>(sqlite3_column_text(st, 0)));
        e.etiquetas.insert(reinterpret_cast<const char*>(sqlite3_column_text(st, 1)));
    }
    sqlite3_finalize(st);
    sqlite3_close_v2(db);
    return e;
}

TEST(MuerteDuranteLaGrabacion, ElModeloQuedaDeUnaSolaGrabacionYLaBaseSana) {
    // No connection may exist in this process at a fork: Revisar closes its own each time.
    ConPlataformaGuionada plataforma;
    plataforma->responder = [](const DialogoMostrado& d) -> std::optional<int> {
        if (d.texto == editor::kPreguntaReemplazo) return respuesta::kSi;
        return std::nullopt;
    };
    BaseTemporal base;
    {
        // The template exists from the start (save 0, three lines): no rows is a lost template.
        sqlite3* db = nullptr;
        sqlite3_open_v2(base.Archivo().c_str(), &db, SQLITE_OPEN_READWRITE, nullptr);
        RegistrarSemanticaSuite(db);
        sqlite3_exec(
            db,
            "INSERT INTO MA_MODELOS (NOMBRE, SECUENCIA, CUENTA, \"DEBE-HABER\", IMPORTE) "
            "VALUES ('MATAR', 1, '1.1.01.001', 'D', 0), ('MATAR', 2, '1.1.01.002', 'D', 0),"
            " ('MATAR', 3, '1.1.01.003', 'D', 0)",
            nullptr, nullptr, nullptr);
        sqlite3_close_v2(db);
    }
    const std::string journal = base.Archivo() + "-journal";
    std::mt19937 azar(20241209);
    std::uniform_int_distribution<int> espera(5, 60);
    int aMitad = 0;  // kills that left a transaction to roll back
    int ultima = 0;  // the save seen last, so that the next process starts past it
    for (int i = 0; i < kMuertes; ++i) {
        const int primera = ultima + 1000;
        const pid_t pid = fork();
        ASSERT_GE(pid, 0);
        if (pid == 0) {
            try {
                Grabador(base, primera);
            } catch (...) {
            }
            _exit(3);
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(espera(azar)));
        kill(pid, SIGKILL);
        int estado = 0;
        ASSERT_EQ(waitpid(pid, &estado, 0), pid);
        ASSERT_TRUE(WIFSIGNALED(estado)) << "the saving process ended by itself";
        std::error_code ec;
        if (std::filesystem::file_size(journal, ec) > 0 && !ec) ++aMitad;

        const Estado e = Revisar(base.Archivo());
        ASSERT_EQ(e.integridad, "ok") << "muerte " << i;
        ASSERT_EQ(e.etiquetas.size(), 1u) << "muerte " << i << ": no rows or several saves' lines";
        const int n = std::stoi(*e.etiquetas.begin());
        ASSERT_EQ(e.filas, LineasDe(n)) << "muerte " << i << ": part of a save";
        ASSERT_EQ(static_cast<int>(e.secuencias.size()), e.filas) << "muerte " << i;
        ultima = std::max(ultima, n);
    }
    RecordProperty("muertes", kMuertes);
    RecordProperty("muertes_a_mitad_de_transaccion", aMitad);
    std::printf("muertes: %d, a mitad de una transaccion: %d\n", kMuertes, aMitad);
    EXPECT_GT(aMitad, 0) << "no kill landed inside a save: the check proved nothing";
}

}  // namespace
