// The session start-up end to end on a demo database reached through a "sqlite:<folder>"
// server value, with the scripted platform answering the dialogs.
#include <gtest/gtest.h>
#include <sys/wait.h>

#include "InicioSesion.h"
#include "test_sesion_base.h"

using namespace helperlib;
using namespace startup;

namespace {

class Inicio : public ConBaseDemo {
  protected:
    int FilasAcceso(DB_Dll& db) {
        return std::stoi(Valor(db, "SELECT COUNT(*) FROM Control_Acceso"));
    }
};

struct CasoInicio {
    const char* nombre;
    std::string extra;  // entries added after the connection entries
    const char* adicional;
    const char* menu;
    const char* usuarioLogeado;
    const char* caja;
};

TEST_F(Inicio, ParametrosAValoresDeSesionYConexionAbierta) {
    const CasoInicio casos[] = {
        {"ejemplo de la suite",
         "@Menu=1;@Usuario=OPERADOR1;@Password=secreta;@UsuarioLogeado=DEMO;@Caja=1;"
         "@ParametroAdicional=SOLOTARJETA;",
         "SOLOTARJETA", "1", "DEMO", "1"},
        {"solo @Usuario", "@Usuario=USUARIO1;", "", "", "USUARIO1", ""},
        {"@UsuarioLogeado manda", "@Usuario=USUARIO1;@UsuarioLogeado=USUARIO2;", "", "", "USUARIO2",
         ""},
        {"@UsuarioLogeado antes de @Usuario", "@UsuarioLogeado=USUARIO2;@Usuario=USUARIO1;", "", "",
         "USUARIO2", ""},
        // An empty @UsuarioLogeado falls back to @Usuario, whose search finds the longer key
        // first: the suite's substring rule gives "Logeado".
        {"@UsuarioLogeado vacio", "@UsuarioLogeado=;@Usuario=USUARIO1;", "", "", "Logeado", ""},
        {"claves en minusculas y blancos", "@menu=7;@caja=  caja 1 ;@usuariologeado= ana ;", "",
         "7", "ana", "caja 1"},
        // No user at all: the access check takes the login.
        {"ultima entrada sin ;", "@Menu=2;@Caja=5", "", "2", "EMPRESA", ""},
    };
    for (const auto& c : casos) {
        SCOPED_TRACE(c.nombre);
        sesion = ValoresSesion{};
        DB_Dll db;
        IniciarSesion(Conexion() + c.extra, db, sesion);
        const ValoresSesion& s = sesion;
        ASSERT_TRUE(db.gOpenFlag);
        EXPECT_EQ(s.gParametroAdicional, c.adicional);
        EXPECT_EQ(s.gMenu, c.menu);
        EXPECT_EQ(s.gUsuarioLogeado, c.usuarioLogeado);
        EXPECT_EQ(s.gCaja, c.caja);
        // Login and password are the database name whatever @Usuario and @Password say.
        EXPECT_EQ(db.gServidor, "sqlite:" + carpeta.string());
        EXPECT_EQ(db.gDBName, "EMPRESA");
        EXPECT_EQ(db.gUsuario, "EMPRESA");
        EXPECT_EQ(db.gUserPassWord, "EMPRESA");
        EXPECT_NE(db.gConnString.find("UId=EMPRESA;Pwd=EMPRESA;"), std::string::npos)
            << db.gConnString;
        EXPECT_EQ(db.gCnn.CommandTimeout, 360);
        EXPECT_EQ(db.gCnn.CursorLocation, 3);
        // Profile and access check ran.
        EXPECT_EQ(s.gUNegocio, "   1");
        EXPECT_EQ(s.gColorFondo, 0xFFFF00);
        EXPECT_FALSE(s.gIdControlAcceso.empty());
        EXPECT_EQ(
            Valor(db, "SELECT NombreUsuario FROM Control_Acceso WHERE ID = " + s.gIdControlAcceso),
            s.gUsuarioLogeado);
        EXPECT_TRUE(p->dialogos.empty());
    }
}

TEST_F(Inicio, UnValorDemasiadoLargoSeDiceYNoSeToma) {
    DB_Dll db;
    ValoresSesion s;
    // The user learns which value was wrong; the rest of the start-up goes on.
    p->Esperar("El valor de @Caja en los parámetros de inicio del programa es demasiado largo");
    IniciarSesion(Conexion() + "@Caja=" + std::string(40000, '9') + ";@Menu=3;", db, s);
    EXPECT_TRUE(db.gOpenFlag);
    EXPECT_EQ(s.gCaja, "");
    EXPECT_EQ(s.gMenu, "3");
    EXPECT_FALSE(s.gIdControlAcceso.empty());
}

TEST_F(Inicio, UnaBaseDeSoloLecturaSeDiceAlIniciar) {
    // Who may not write: an unprivileged user when the tests run as root, else nobody once the
    // write bits are gone.
    std::filesystem::permissions(carpeta / "EMPRESA.sqlite", std::filesystem::perms(0444));
    std::filesystem::permissions(carpeta, std::filesystem::perms(0555));
    const pid_t pid = fork();
    if (pid == 0) {
        int codigo = 90;
        if (getuid() != 0 || (setgid(65534) == 0 && setuid(65534) == 0)) {
            try {
                DB_Dll db;
                ValoresSesion s;
                p->Esperar(MensajeBaseSoloLectura("EMPRESA"));
                IniciarSesion(Conexion(), db, s);
                // What this process found wrong is not seen by the test's own: tell it by code.
                codigo = p->respuestas.empty() && !::testing::Test::HasFailure() ? 0 : 1;
            } catch (...) {
                codigo = 91;
            }
        }
        _exit(codigo);
    }
    int estado = 0;
    waitpid(pid, &estado, 0);
    std::filesystem::permissions(carpeta, std::filesystem::perms(0755));
    std::filesystem::permissions(carpeta / "EMPRESA.sqlite", std::filesystem::perms(0644));
    ASSERT_TRUE(WIFEXITED(estado));
    EXPECT_EQ(WEXITSTATUS(estado), 0);

    // A writable database says nothing of the kind.
    DB_Dll db;
    ValoresSesion s;
    IniciarSesion(Conexion(), db, s);
    for (const auto& d : p->dialogos) EXPECT_NE(d.texto, MensajeBaseSoloLectura("EMPRESA"));
}

TEST_F(Inicio, AdministradorYDriverDeConsultas) {
    DB_Dll db;
    IniciarSesion(Conexion() + "@UsuarioLogeado=ADMIN;", db, sesion);
    EXPECT_TRUE(db.gEsAdmin);  // the administrator test used the session user
    const PreparacionConsultas& recibido = sesion.consultas;
    EXPECT_EQ(recibido.gConnString, db.gConnString);
    EXPECT_TRUE(recibido.gUsarMascarasConsultas);
    EXPECT_EQ(recibido.gRutaMascaraConsultas, carpeta.string() + "/consultas.kxw");
    EXPECT_EQ(sesion.gCarpetaSesion, carpeta.string() + "/");
}

TEST_F(Inicio, SeccionIniYBarrasPlanas) {
    {
        DB_Dll db;
        IniciarSesion(Conexion(), db, sesion);
        EXPECT_EQ(sesion.gSeccionIni, "PUESTO01|OPERADOR");
        EXPECT_TRUE(sesion.gFlatToolbars);  // key missing: default "1"
    }
    const struct {
        const char* valor;
        bool plano;
    } casos[] = {{"0", false}, {"1", true}, {"2", true}, {"abc", false}, {"", false}};
    for (const auto& c : casos) {
        std::ofstream(carpeta / "LD000p.INI")
            << "[OTRO|OPERADOR]\nFlatToolbars=1\n[PUESTO01|OPERADOR]\nFlatToolbars=" << c.valor
            << "\n";
        sesion = ValoresSesion{};
        DB_Dll db;
        IniciarSesion(Conexion(), db, sesion);
        EXPECT_EQ(sesion.gFlatToolbars, c.plano) << "'" << c.valor << "'";
    }
}

TEST_F(Inicio, ConexionYaAbiertaNoLeeParametros) {
    DB_Dll db;
    Abrir(db);
    IniciarSesion(Conexion() + "@Caja=9;@UsuarioLogeado=DEMO;", db, sesion);
    EXPECT_EQ(sesion.gCaja, "");
    EXPECT_EQ(sesion.gUsuarioLogeado, "EMPRESA");  // the access check took the login
    EXPECT_EQ(sesion.gPeriodo, "2025");
    EXPECT_EQ(sesion.consultas.gConnString, db.gConnString);
    EXPECT_EQ(FilasAcceso(db), 1);
}

TEST_F(Inicio, SinConexionRespondiendoNoTermina) {
    const std::string lineas[] = {"", "@Server=sqlite:/nonexistent;@DbName=NOPE;",
                                  "@Server=sqlite:" + carpeta.string() + ";@DbName=NOPE;"};
    for (const auto& linea : lineas) {
        SCOPED_TRACE(linea);
        sesion = ValoresSesion{};
        p->dialogos.clear();
        p->respuestas = {respuesta::kNo};
        DB_Dll db;
        try {
            IniciarSesion(linea, db, sesion);
            FAIL() << "la sesión siguió sin conexión";
        } catch (const ProgramaTerminado& fin) {
            EXPECT_EQ(fin.codigo, kFinSinConexion);
        }
        EXPECT_FALSE(db.gOpenFlag);
        ASSERT_EQ(p->dialogos.size(), 1u);
        EXPECT_EQ(p->dialogos[0].titulo, " Error de Conexion a Base de Datos");
        EXPECT_EQ(p->dialogos[0].estilo, 20);
        EXPECT_EQ(sesion.gUNegocio, "");  // the profile never loaded
    }
}

TEST_F(Inicio, ReintentoConDialogoCanceladoTambienTermina) {
    // Retry; the access dialog is then cancelled.
    p->Esperar("Desea Intentarlo Nuevamente", respuesta::kSi);
    DB_Dll db;
    EXPECT_THROW(IniciarSesion("@Server=sqlite:/nonexistent;@DbName=NOPE;", db, sesion),
                 ProgramaTerminado);
    EXPECT_FALSE(db.gOpenFlag);
}

TEST_F(Inicio, ConexionInservibleDetieneEnSilencio) {
    // The data access object reports itself open but its connection cannot be used: the probe
    // fails with an empty error collection and the start-up stops there, silently, before the
    // lookup driver, the profile and the access check.
    DB_Dll db;
    db.gOpenFlag = true;
    sesion.gCarpetaSesion = "/antes/";
    try {
        IniciarSesion(Conexion() + "@Caja=3;", db, sesion);
    } catch (const std::exception& e) {
        FAIL() << e.what();
    } catch (const ProgramaTerminado& e) {
        FAIL() << "terminado " << e.codigo;
    }
    EXPECT_EQ(sesion.gSeccionIni, "PUESTO01|OPERADOR");  // the steps before the probe ran
    EXPECT_EQ(sesion.gCaja, "");                         // parameters skipped: already open
    EXPECT_EQ(sesion.gCarpetaSesion, "/antes/");
    EXPECT_EQ(sesion.consultas.gRutaMascaraConsultas, "");
    EXPECT_EQ(sesion.gUNegocio, "");
    EXPECT_EQ(sesion.gIdControlAcceso, "");
    EXPECT_TRUE(p->dialogos.empty());
}

TEST(ReglaErroresInicio, CincoSigueColeccionLlenaDetiene3265VaciaSigue) {
    DB_Dll db;
    const Reportero regla = ReglaErroresInicio(db);
    EXPECT_EQ(regla(ErrorEjecucion(5, "x")), respuesta::kIgnorar);
    EXPECT_EQ(regla(ErrorEjecucion(3265, "x")), respuesta::kIgnorar);
    EXPECT_EQ(regla(ErrorEjecucion(3704, "x")), respuesta::kAbortar);
    EXPECT_EQ(regla(ErrorEjecucion(13, "x")), respuesta::kAbortar);
    db.gCnn.Errors().Agregar(ErrorAdo{"08001", 11, errnum::kEFail, "sin servidor", "x", ""});
    EXPECT_EQ(regla(ErrorEjecucion(5, "x")), respuesta::kIgnorar);
    EXPECT_EQ(regla(ErrorEjecucion(3265, "x")), respuesta::kAbortar);
    EXPECT_EQ(regla(ErrorEjecucion(3704, "x")), respuesta::kAbortar);
}

}  // namespace
