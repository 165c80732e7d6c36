// Two processes saving the same template at the same time against one database file: every
// save is all-or-nothing, so the template always holds the lines of exactly one save, and a
// save that reports success has really written its rows.
#include <sqlite3.h>
#include <sys/wait.h>
#include <unistd.h>

#include <fstream>
#include <set>

#include "AlmacenPrueba.h"
#include "PlataformaGuionada.h"
#include "SemanticaSqlite.h"

using namespace data;

namespace {

constexpr int kGrabaciones = 200;
constexpr const char* kNombre = "CONCURRENTE";

/// Lines each process writes: process 1 three lines, process 2 five, every amount the save's
/// tag (process * 1000 + save number), so rows of two saves can never pass for one.
int LineasDe(int proceso) { return proceso == 1 ? 3 : 5; }

struct Estado {
    int filas = 0;
    std::set<std::string> etiquetas;
    std::set<std::string> secuencias;
};

Estado LeerEstado(sqlite3* db) {
    Estado e;
    sqlite3_stmt* st = nullptr;
    sqlite3_prepare_v2(db,
                       "SELECT SECUENCIA, CAST(IMPORTE AS INTEGER) FROM MA_MODELOS WHERE "
                       "NOMBRE = 'CONCURRENTE'",
                       -1, &st, nullptr);
    while (sqlite3_step(st) == SQLITE_ROW) {
        ++e.filas;
        e.secuencias.insert(reinterpret_cast<const char*>(sqlite3_column_text(st, 0)));
        e.etiquetas.insert(reinterpret_cast<const char*>(sqlite3_column_text(st, 1)));
    }
    sqlite3_finalize(st);
    return e;
}

/// True when the rows are exactly one save's: one tag, and as many rows as its process writes.
bool DeUnaSolaGrabacion(const Estado& e) {
    if (e.etiquetas.size() != 1) return false;
    const int proceso = std::stoi(*e.etiquetas.begin()) / 1000;
    return (proceso == 1 || proceso == 2) && e.filas == LineasDe(proceso) &&
           static_cast<int>(e.secuencias.size()) == e.filas;
}

/// Body of one writer process. Returns the exit code: 0 when every check held.
/// Pipes that hold both writers until both are connected, so that the race is between saves.
struct Largada {
    int listos[2];
    int salida[2];
};

int Escritor(const BaseTemporal& base, int proceso, const Largada& largada) {
    DB_Dll db;
    base.Conectar(db);
    db.gCnn.CommandTimeout = 2;  // a busy database fails the save after two seconds
    AlmacenModelos almacen(db);
    almacen.Generar(almacen.NombreTabla);
    sqlite3* lectura = nullptr;
    sqlite3_open_v2(base.Archivo().c_str(), &lectura, SQLITE_OPEN_READWRITE, nullptr);
    sqlite3_busy_timeout(lectura, 5000);
    RegistrarSemanticaSuite(lectura);
    char c = 'x';
    if (write(largada.listos[1], &c, 1) != 1 || read(largada.salida[0], &c, 1) != 1) return 5;
    int ultima = 0, fallidas = 0, codigo = 0;
    for (int n = 1; n <= kGrabaciones; ++n) {
        const int etiqueta = proceso * 1000 + n;
        almacen.TextoCampo("NOMBRE") = kNombre;
        almacen.ModeloExistente = true;
        almacen.ModoBorrar = false;
        almacen.Lineas.Reiniciar(LineasDe(proceso) + 2);
        for (int k = 1; k <= LineasDe(proceso); ++k) {
            almacen.Lineas[k].Cuenta = "1.1.01.00" + std::to_string(k);
            almacen.Lineas[k].Debe = std::to_string(etiqueta);
        }
        almacen.ActualizarDatos();
        if (almacen.ErrorValidacion) {
            ++fallidas;
            continue;
        }
        ultima = etiqueta;
        almacen.Generar(almacen.NombreTabla);
        // Right after a reported success the template holds this save or a later one of the
        // other process: never nothing, never a mix, never an older save of this process.
        const Estado e = LeerEstado(lectura);
        if (!DeUnaSolaGrabacion(e)) codigo = 2;
        const int vista = e.etiquetas.empty() ? 0 : std::stoi(*e.etiquetas.begin());
        if (vista / 1000 == proceso && vista != etiqueta) codigo = 3;
    }
    sqlite3_close_v2(lectura);
    std::ofstream(base.Carpeta() + "/resultado_" + std::to_string(proceso))
        << ultima << ' ' << fallidas << '\n';
    return codigo;
}

TEST(ConcurrenciaTest, DosProcesosGrabandoElMismoModeloNuncaLoMezclan) {
    // No connection may exist in this process before the fork.
    ConPlataformaGuionada plataforma;
    // Each writer replaces what the other saved since its own last save: it is asked, and says
    // yes, so that the race stays between saves. A save that waits past the time-out for the
    // other one is told so (counted and bounded below), and the operator takes the default
    // button. Any other dialog fails the writer.
    plataforma->responder = [](const DialogoMostrado& d) -> std::optional<int> {
        if (d.texto == editor::kPreguntaReemplazo) return respuesta::kSi;
        if (d.texto.find("bloqueada") != std::string::npos) return RespuestaPorDefecto(d.estilo);
        return std::nullopt;
    };
    BaseTemporal base;
    Largada largada;
    ASSERT_EQ(pipe(largada.listos), 0);
    ASSERT_EQ(pipe(largada.salida), 0);
    std::vector<pid_t> hijos;
    for (int proceso = 1; proceso <= 2; ++proceso) {
        const pid_t pid = fork();
        ASSERT_GE(pid, 0);
        if (pid == 0) {
            int codigo = 4;
            try {
                codigo = Escritor(base, proceso, largada);
                // A failure recorded in this process (an unexpected dialog) dies with it.
                if (::testing::Test::HasFailure()) codigo = 6;
            } catch (const std::exception& e) {
                std::fprintf(stderr, "proceso %d: %s\n", proceso, e.what());
            }
            _exit(codigo);
        }
        hijos.push_back(pid);
    }
    char c;
    for (int i = 0; i < 2; ++i) ASSERT_EQ(read(largada.listos[0], &c, 1), 1);
    ASSERT_EQ(write(largada.salida[1], "ab", 2), 2);
    for (pid_t pid : hijos) {
        int estado = 0;
        ASSERT_EQ(waitpid(pid, &estado, 0), pid);
        ASSERT_TRUE(WIFEXITED(estado));
        EXPECT_EQ(WEXITSTATUS(estado), 0) << "proceso " << pid;
    }
    int ultimas[3] = {0, 0, 0};
    int fallidas = 0;
    for (int proceso = 1; proceso <= 2; ++proceso) {
        std::ifstream f(base.Carpeta() + "/resultado_" + std::to_string(proceso));
        int fallo = 0;
        ASSERT_TRUE(f >> ultimas[proceso] >> fallo);
        fallidas += fallo;
    }
    const auto filas =
        base.Filas("SELECT CAST(IMPORTE AS INTEGER) FROM MA_MODELOS WHERE NOMBRE = 'CONCURRENTE'");
    ASSERT_FALSE(filas.empty());
    const std::string final = filas[0][0];
    for (const auto& f : filas) EXPECT_EQ(f[0], final);
    const int etiqueta = std::stoi(final);
    const int proceso = etiqueta / 1000;
    ASSERT_TRUE(proceso == 1 || proceso == 2) << final;
    EXPECT_EQ(static_cast<int>(filas.size()), LineasDe(proceso));
    // The template ends as the last successful save of one of the processes.
    EXPECT_EQ(etiqueta, ultimas[proceso]);
    // A save may fail when the other process holds the database past the wait; most must not.
    EXPECT_LE(fallidas, kGrabaciones) << "de " << 2 * kGrabaciones << " grabaciones";
    RecordProperty("grabaciones_fallidas", fallidas);
    std::printf("grabaciones fallidas por espera: %d de %d\n", fallidas, 2 * kGrabaciones);
}

}  // namespace
