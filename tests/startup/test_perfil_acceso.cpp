// The user profile and the access check against the demo database's real tables.
#include <gtest/gtest.h>

#include <regex>

#include "PerfilUsuario.h"
#include "test_sesion_base.h"

using namespace startup;

namespace {

class Perfil : public ConBaseDemo {
  protected:
    void SetUp() override {
        ConBaseDemo::SetUp();
        Abrir(db);
    }
    void Config(const std::string& clave, const std::string& valor) {
        Sql(db, "DELETE FROM TA_CONFIGURACION WHERE CLAVE = '" + clave + "'");
        Sql(db, "INSERT INTO TA_CONFIGURACION (CLAVE, VALOR) VALUES ('" + clave + "', '" + valor +
                    "')");
    }
    void SinClave(const std::string& clave) {
        Sql(db, "DELETE FROM TA_CONFIGURACION WHERE CLAVE = '" + clave + "'");
    }
    DB_Dll db;
};

TEST_F(Perfil, ValoresDeLaBaseDemo) {
    sesion.gUsuarioLogeado = "JPEREZ";
    IniContable(db, sesion);
    const ValoresSesion& s = sesion;
    EXPECT_TRUE(s.gEscribeSoloMayusculas);
    EXPECT_FALSE(s.gBloqueoActivo);
    EXPECT_EQ(s.gPeriodo, "2025");
    EXPECT_EQ(s.gUNegocio, "   1");
    EXPECT_FALSE(s.gConfidencialidad);
    EXPECT_EQ(s.gColorFondo, 16776960);
    EXPECT_EQ(s.gColorLetra, 0);
    EXPECT_TRUE(p->dialogos.empty());
}

TEST_F(Perfil, ClavesAusentesYSiEnMinusculas) {
    for (const char* k : {"ESCRIBE_SOLO_MAYUSCULAS", "PERIODO", "CFondo", "CLetra"}) SinClave(k);
    Config("SS_BloqueoActivo", "si");
    Config("SS_CONFIDENCIALIDAD", "Si ");  // the whole text must be "SI"
    IniContable(db, sesion);
    const ValoresSesion& s = sesion;
    EXPECT_FALSE(s.gEscribeSoloMayusculas);
    EXPECT_TRUE(s.gBloqueoActivo);
    EXPECT_FALSE(s.gConfidencialidad);
    EXPECT_EQ(s.gPeriodo, " ");
    EXPECT_EQ(s.gColorFondo, 0xFFFF00);
    EXPECT_EQ(s.gColorLetra, 0);
}

TEST_F(Perfil, ColoresCeroValorYRedondeo) {
    Config("CFondo", "0");
    Config("CLetra", "12.6");
    IniContable(db, sesion);
    EXPECT_EQ(sesion.gColorFondo, 0xFFFF00);
    EXPECT_EQ(sesion.gColorLetra, 13);
    Config("CFondo", "255");
    Config("CLetra", "texto");
    IniContable(db, sesion);
    EXPECT_EQ(sesion.gColorFondo, 255);
    EXPECT_EQ(sesion.gColorLetra, 0);
}

TEST_F(Perfil, UnidadDeNegocio) {
    Sql(db, "INSERT INTO ta_usuarios (nombre, UNegocio) VALUES ('SINUNIDAD', NULL)");
    Sql(db, "INSERT INTO ta_usuarios (nombre, UNegocio) VALUES ('CORTA', '7')");
    Sql(db, "INSERT INTO ta_usuarios (nombre, UNegocio) VALUES ('O''BRIEN', '  22')");
    const struct {
        const char* usuario;
        const char* unidad;
    } casos[] = {{"NADIE", "   1"},      // no row
                 {"SINUNIDAD", "   1"},  // Null
                 {"CORTA", "7   "},      // brought to width 4
                 {"O'BRIEN", "  22"},    // an apostrophe in the name
                 {"", "   1"}};
    for (const auto& c : casos) {
        sesion = ValoresSesion{};
        sesion.gUsuarioLogeado = c.usuario;
        IniContable(db, sesion);
        EXPECT_EQ(sesion.gUNegocio, c.unidad) << c.usuario;
    }
    EXPECT_TRUE(p->dialogos.empty());
}

TEST_F(Perfil, PasoFallidoIgnorarSigueOtraRespuestaDejaLoQueSigue) {
    Config("CFondo", "99999999999");  // beyond 32 bits: the step fails
    Config("CLetra", "5");

    p->Esperar("(6) Desbordamiento", respuesta::kIgnorar);
    IniContable(db, sesion);
    ASSERT_EQ(p->dialogos.size(), 1u);
    EXPECT_NE(p->dialogos[0].titulo.find("IniContable"), std::string::npos);
    EXPECT_EQ(sesion.gColorLetra, 5);
    EXPECT_EQ(sesion.gColorFondo, 0xFFFF00);  // step 9 still ran

    sesion = ValoresSesion{};
    p->dialogos.clear();
    p->Esperar("(6) Desbordamiento", respuesta::kReintentar);
    p->Esperar("(6) Desbordamiento", respuesta::kAbortar);
    IniContable(db, sesion);
    EXPECT_EQ(p->dialogos.size(), 2u);           // retried once, then left
    EXPECT_TRUE(sesion.gEscribeSoloMayusculas);  // earlier steps kept
    EXPECT_EQ(sesion.gUNegocio, "   1");
    EXPECT_EQ(sesion.gColorLetra, 0);  // later steps not run
    EXPECT_EQ(sesion.gColorFondo, 0);
}

class Acceso : public Perfil {
  protected:
    struct Fila {
        std::string id, maquina, usuario, formulario, tarea, ingreso, nombreUsuario;
    };
    int Filas() { return std::stoi(Valor(db, "SELECT COUNT(*) FROM Control_Acceso")); }
    Fila Ultima() {
        Recordset rs = db.gCnn.Execute(
            "SELECT ID, Maquina, Usuario, Formulario, Tarea, Ingreso, NombreUsuario FROM "
            "Control_Acceso ORDER BY ID DESC");
        if (rs.State() == 0 || rs.EOF()) return {};
        auto t = [&](int i) { return TextoDeValor(rs.Fields(i)); };
        return {t(0), t(1), t(2), t(3), t(4), t(5), t(6)};
    }
};

TEST_F(Acceso, DerechoEncontradoSeRegistraLaTarea) {
    sesion.gUsuarioLogeado = "DEMO";
    ControlAcceso(db, sesion);
    ASSERT_EQ(Filas(), 1);
    const Fila f = Ultima();
    EXPECT_EQ(f.maquina, "PUESTO01");
    EXPECT_EQ(f.usuario, "OPERADOR");
    EXPECT_EQ(f.formulario, "ASIENTOS-MODELO");
    EXPECT_EQ(f.tarea, "ASIENTOS MODELO DE REGISTRACIONES DIRECTAS");
    EXPECT_EQ(f.nombreUsuario, "DEMO");
    EXPECT_TRUE(std::regex_match(f.ingreso, std::regex(R"(\d\d/\d\d/\d\d \d\d:\d\d)")))
        << f.ingreso;
    EXPECT_EQ(sesion.gIdControlAcceso, f.id);
    EXPECT_FALSE(f.id.empty());
    EXPECT_TRUE(p->dialogos.empty());

    // A second start gets its own row and its own ID.
    const std::string primero = f.id;
    ControlAcceso(db, sesion);
    EXPECT_EQ(Filas(), 2);
    EXPECT_EQ(sesion.gIdControlAcceso, Ultima().id);
    EXPECT_NE(sesion.gIdControlAcceso, primero);
}

TEST_F(Acceso, ProcesoQueContieneElProgramaDentroDeUnaLineaMasLarga) {
    Sql(db,
        "INSERT INTO TA_MENU (MENU, TITULO, CLAVE, NOMBRE, PROCESO) VALUES ('OMNI', 'D95', "
        "'X1', 'Modelos de Tarjeta', 'shell:asientos-modelo @ParametroAdicional=SOLOTARJETA')");
    Sql(db, "INSERT INTO TA_TAREAS (USUARIO, SISTEMA, TAREA) VALUES ('jperez', 'LD000PR', 'X1')");
    sesion.gUsuarioLogeado = "JPEREZ";
    ControlAcceso(db, sesion, true);
    EXPECT_EQ(Ultima().tarea, "MODELOS DE TARJETA");
    EXPECT_TRUE(p->dialogos.empty());
}

TEST_F(Acceso, UsuarioConApostrofeTambienSeControlaYRegistra) {
    Sql(db,
        "INSERT INTO TA_TAREAS (USUARIO, SISTEMA, TAREA) VALUES ('O''BRIEN', 'LD000PR', "
        "'D9540')");
    sesion.gUsuarioLogeado = "O'BRIEN";
    ControlAcceso(db, sesion, true);  // would refuse if the right were not found
    ASSERT_EQ(Filas(), 1);
    EXPECT_EQ(Ultima().nombreUsuario, "O'BRIEN");
    EXPECT_EQ(Ultima().tarea, "ASIENTOS MODELO DE REGISTRACIONES DIRECTAS");
    EXPECT_TRUE(p->dialogos.empty());
    EXPECT_EQ(SentenciaControlAcceso("O'BRIEN", "asientos-modelo"),
              "SELECT TA_TAREAS.USUARIO, TA_MENU.Proceso, TA_MENU.Clave , TA_MENU.Nombre  FROM "
              "TA_TAREAS INNER JOIN TA_MENU ON TA_TAREAS.TAREA = TA_MENU.Clave  WHERE "
              "(TA_TAREAS.USUARIO = 'O''BRIEN ') AND (TA_MENU.Proceso LIKE '%asientos-modelo%')");
}

TEST_F(Acceso, SinDerechoSinRechazoSeRegistraConTareaVacia) {
    sesion.gUsuarioLogeado = "JPEREZ";  // holds no right on this program
    ControlAcceso(db, sesion, false);
    ASSERT_EQ(Filas(), 1);
    EXPECT_EQ(Ultima().tarea, "");
    EXPECT_EQ(Ultima().nombreUsuario, "JPEREZ");
    EXPECT_TRUE(p->dialogos.empty());
}

TEST_F(Acceso, SinDerechoConRechazoTerminaSinRegistrar) {
    sesion.gUsuarioLogeado = "JPEREZ";
    p->Esperar("NO TIENE ACCESO A ESTE PROCESO, UTILICE EL MENU CORRESPONDIENTE!!!");
    try {
        ControlAcceso(db, sesion, true);
        FAIL() << "no terminó";
    } catch (const ProgramaTerminado& fin) {
        EXPECT_EQ(fin.codigo, kFinSinAcceso);
    }
    ASSERT_EQ(p->dialogos.size(), 1u);
    EXPECT_EQ(p->dialogos[0].titulo, "ATENCION!");
    EXPECT_EQ(p->dialogos[0].estilo, estilo::kCritico);
    EXPECT_EQ(Filas(), 0);
}

TEST_F(Acceso, MenuPrincipalNoNecesitaDerecho) {
    p->rutaEjecutable = (carpeta / "ld000pr.exe").string();
    sesion.gUsuarioLogeado = "JPEREZ";
    ControlAcceso(db, sesion, true);
    EXPECT_EQ(Ultima().tarea, "MENU PRINCIPAL");
    EXPECT_EQ(Ultima().formulario, "LD000PR");
    EXPECT_TRUE(p->dialogos.empty());
}

TEST_F(Acceso, SinUsuarioSeUsaElLogin) {
    db.gUsuario = "EMPRESA";
    ControlAcceso(db, sesion);
    EXPECT_EQ(sesion.gUsuarioLogeado, "EMPRESA");
    EXPECT_EQ(Ultima().nombreUsuario, "EMPRESA");
}

TEST_F(Acceso, SinTablaDeRegistroSigueEnSilencio) {
    Sql(db, "DROP TABLE Control_Acceso");
    sesion.gUsuarioLogeado = "DEMO";
    EXPECT_NO_THROW(ControlAcceso(db, sesion, true));
    EXPECT_TRUE(p->dialogos.empty());
    EXPECT_EQ(sesion.gIdControlAcceso, "");
}

TEST_F(Acceso, ConsultaFallidaNoRechazaNiDetiene) {
    // The rights query fails (its tables are gone): the data layer reports it, the operator
    // ignores, and the check neither refuses nor stops; the start is still logged.
    Sql(db, "DROP TABLE TA_TAREAS");
    sesion.gUsuarioLogeado = "DEMO";
    p->Esperar("no such table: TA_TAREAS", respuesta::kIgnorar);
    EXPECT_NO_THROW(ControlAcceso(db, sesion, true));
    EXPECT_EQ(Filas(), 1);
    EXPECT_EQ(Ultima().tarea, "");
}

}  // namespace
