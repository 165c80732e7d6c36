// The failures a user can act on, met for real on the embedded engine: each reaches the user as
// a Spanish text that says what to do, while the engine's own words go to the error log; a
// transaction the engine cancels by itself is never committed.
#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <functional>
#include <sstream>

#include "Conexion.h"
#include "ErrorEjecucion.h"
#include "PlataformaGuionada.h"
#include "Recordset.h"
#include "TratamientoErrores.h"
#include "test_motor_base.h"

namespace {

constexpr const char* kEsquema = "CREATE TABLE T (ID INTEGER PRIMARY KEY, X TEXT);";

/// What a statement raised, with the collection entry it left.
struct Falla {
    bool hubo = false;
    ErrorEjecucion error{0, ""};
    ErrorAdo entrada;
};

Falla Capturar(Conexion& cn, const std::function<void()>& accion) {
    Falla f;
    try {
        accion();
    } catch (const ErrorEjecucion& e) {
        f.hubo = true;
        f.error = e;
        if (cn.Errors().Count() > 0) f.entrada = cn.Errors().Item(0);
    }
    return f;
}

std::string Leer(const std::string& ruta) {
    std::ifstream f(ruta, std::ios::binary);
    std::stringstream s;
    s << f.rdbuf();
    return s.str();
}

TEST(FallasDeArchivo, LlegaUnTextoEnCastellanoYElDelMotorQuedaEnElRegistro) {
    struct Caso {
        const char* nombre;
        /// Prepares the trouble and runs what fails on `cn` (opened on `base` unless the case
        /// opens it itself).
        std::function<void(BaseTemporal&, Conexion&)> provocar;
        const char* castellano;  // a fragment of what the user reads
        const char* motor;       // a fragment of the engine's own message
    };
    const Caso casos[] = {
        {"disco lleno",
         [](BaseTemporal&, Conexion& cn) {
             Recordset rs = cn.Execute("PRAGMA page_count");
             cn.Execute("PRAGMA max_page_count = " + rs.Fields(0).Texto());
             cn.Execute("INSERT INTO T (X) VALUES (printf('%.*c', 20000, 'x'))");
         },
         "disco donde está la base de datos está lleno", "database or disk is full"},
        {"bloqueada por otro",
         [](BaseTemporal& base, Conexion& cn) {
             sqlite3* otro = nullptr;
             sqlite3_open(base.Ruta().c_str(), &otro);
             sqlite3_exec(otro, "BEGIN IMMEDIATE", nullptr, nullptr, nullptr);
             cn.CommandTimeout = 1;
             struct Cerrar {
                 sqlite3* h;
                 ~Cerrar() { sqlite3_close_v2(h); }
             } cerrar{otro};
             cn.Execute("INSERT INTO T (X) VALUES ('a')");
         },
         "bloqueada", "database is locked"},
        {"archivo borrado",
         [](BaseTemporal& base, Conexion& cn) {
             std::filesystem::remove(base.Ruta());
             cn.Execute("INSERT INTO T (X) VALUES ('a')");
         },
         "ya no está en su lugar", "readonly database"},
        {"archivo danado",
         [](BaseTemporal& base, Conexion& cn) {
             cn.Close();
             std::ofstream(base.Ruta(), std::ios::binary | std::ios::trunc)
                 << std::string(8192, '\x5a');
             cn.Open(base.Cadena());
         },
         "está dañado o no es una base de datos", "file is not a database"},
    };
    for (const Caso& c : casos) {
        SCOPED_TRACE(c.nombre);
        ConPlataformaGuionada plataforma;
        BaseTemporal base{kEsquema};
        Conexion cn;
        cn.Open(base.Cadena());
        const Falla f = Capturar(cn, [&] { c.provocar(base, cn); });
        ASSERT_TRUE(f.hubo);
        EXPECT_NE(f.entrada.Descripcion.find(c.castellano), std::string::npos)
            << f.entrada.Descripcion;
        EXPECT_EQ(f.entrada.Descripcion.find(c.motor), std::string::npos);
        EXPECT_NE(f.entrada.TextoMotor.find(c.motor), std::string::npos) << f.entrada.TextoMotor;
        EXPECT_NE(f.entrada.Nativo, 11);  // never taken for a lost link
        EXPECT_EQ(f.error.Descripcion(), f.entrada.Descripcion);

        // Reported: the dialog shows the Spanish text, the log line keeps the engine's too.
        const std::string registro = (base.Carpeta() / "KXERR.LOG").string();
        plataforma->Esperar(c.castellano);
        TratarErrorDatos(f.error, 18, "Prueba", registro);
        ASSERT_EQ(plataforma->dialogos.size(), 1u);
        EXPECT_EQ(plataforma->dialogos[0].texto.find(c.motor), std::string::npos);
        const std::string linea = Leer(registro);
        EXPECT_NE(linea.find(c.castellano), std::string::npos);
        EXPECT_NE(linea.find(c.motor), std::string::npos) << linea;
    }
}

TEST(FallasDeArchivo, UnaTransaccionCanceladaPorElMotorNoSeConfirma) {
    BaseTemporal base{kEsquema};
    Conexion cn;
    cn.Open(base.Cadena());
    cn.Execute("INSERT INTO T (X) VALUES ('antes')");
    Recordset rs = cn.Execute("PRAGMA page_count");
    cn.Execute("PRAGMA max_page_count = " + rs.Fields(0).Texto());
    cn.BeginTrans();
    cn.Execute("DELETE FROM T");
    EXPECT_TRUE(Capturar(cn, [&] {
                    cn.Execute("INSERT INTO T (X) VALUES (printf('%.*c', 50000, 'x'))");
                }).hubo);
    // The engine gave the transaction up: it says so, and what runs next is not committed as
    // if it were part of it.
    EXPECT_FALSE(cn.EnTransaccion());
    const Falla alConfirmar = Capturar(cn, [&] { cn.CommitTrans(); });
    EXPECT_TRUE(alConfirmar.hubo);
    EXPECT_NE(alConfirmar.error.Descripcion().find("no se grabó nada"), std::string::npos);
    cn.RollbackTrans();  // nothing left to undo: no error
    EXPECT_EQ(cn.Errors().Count(), 0);
    Recordset filas = cn.Execute("SELECT X FROM T");
    ASSERT_FALSE(filas.EOF());
    EXPECT_EQ(filas.Fields(0).Texto(), "antes");
}

/// Runs `cuerpo` in a child process that cannot write the database's file and folder: as an
/// unprivileged user when the tests run as root (who writes anything), else after taking the
/// write bits away. Returns the child's exit code.
int SinPermisoDeEscritura(BaseTemporal& base, const std::function<int()>& cuerpo) {
    std::filesystem::permissions(base.Carpeta(), std::filesystem::perms(0555));
    std::filesystem::permissions(base.Ruta(), std::filesystem::perms(0444));
    const pid_t pid = fork();
    if (pid == 0) {
        int codigo = 90;
        if (getuid() != 0 || (setgid(65534) == 0 && setuid(65534) == 0)) {
            try {
                codigo = cuerpo();
            } catch (...) {
                codigo = 91;
            }
        }
        _exit(codigo);
    }
    int estado = 0;
    waitpid(pid, &estado, 0);
    std::filesystem::permissions(base.Carpeta(), std::filesystem::perms(0755));
    std::filesystem::permissions(base.Ruta(), std::filesystem::perms(0644));
    return WIFEXITED(estado) ? WEXITSTATUS(estado) : 99;
}

TEST(FallasDeArchivo, UnaBaseDeSoloLecturaSeDiceAlAbrirYAlEscribir) {
    BaseTemporal base{kEsquema};
    const int codigo = SinPermisoDeEscritura(base, [&] {
        Conexion cn;
        cn.Open(base.Cadena());
        if (!cn.SoloLectura()) return 1;
        const Falla f = Capturar(cn, [&] { cn.Execute("INSERT INTO T (X) VALUES ('a')"); });
        if (!f.hubo) return 2;
        if (f.entrada.Descripcion.find("solo lectura") == std::string::npos) return 3;
        if (f.entrada.TextoMotor.empty()) return 4;
        return 0;
    });
    EXPECT_EQ(codigo, 0);
    Conexion escribible;
    escribible.Open(base.Cadena());
    EXPECT_FALSE(escribible.SoloLectura());
}

}  // namespace
