// Name translation for restricted users, scripts on Oracle connections (against an engine that
// records what it is asked to run) and adding missing columns.
#include <gtest/gtest.h>

#include "DialectoOracle.h"
#include "PlataformaGuionada.h"
#include "Sinonimos.h"
#include "Texto.h"
#include "test_dbdll_comun.h"

using namespace prueba;

namespace {

struct CasoSinonimo {
    const char* regla;
    bool admin;
    bool confidencialidad;
    const char* sql;
    const char* esperado;
};

TEST(Sinonimos, UnaReglaPorFila) {
    const CasoSinonimo casos[] = {
        {"administrador: sin cambios", true, true, "SELECT * FROM MA_CUENTAS WHERE A = 1",
         "SELECT * FROM MA_CUENTAS WHERE A = 1"},
        {"administrador: la marca se va", true, false, "UPDATE @Admin_TA_MENU SET A = 1",
         "UPDATE TA_MENU SET A = 1"},
        {"plan de cuentas a su vista", false, false, "SELECT * FROM MA_CUENTAS WHERE A = 1",
         "SELECT * FROM SS_MA_CUENTAS WHERE A = 1"},
        {"contextos reconocidos, sin mirar mayúsculas", false, false,
         "SELECT ma_cuentas.A FROM (ma_cuentas ) WHERE (MA_CUENTAS.B=1) AND X IN (1,MA_CUENTAS.C) "
         "AND {MA_CUENTAS.D}",
         "SELECT SS_MA_CUENTAS.A FROM (SS_MA_CUENTAS ) WHERE (SS_MA_CUENTAS.B=1) AND X IN "
         "(1,SS_MA_CUENTAS.C) AND {SS_MA_CUENTAS.D}"},
        {"al principio, ante una coma o al final no se reconoce", false, false,
         "MA_CUENTAS X FROM MA_CUENTAS, T JOIN MA_CUENTAS",
         "MA_CUENTAS X FROM MA_CUENTAS, T JOIN MA_CUENTAS"},
        {"diario sin confidencialidad: nada se redirige", false, false,
         "SELECT * FROM MV_ASIENTOS A INNER JOIN MA_CUENTAS C ON A.CUENTA = C.CODIGO",
         "SELECT * FROM MV_ASIENTOS A INNER JOIN MA_CUENTAS C ON A.CUENTA = C.CODIGO"},
        {"diario con confidencialidad: diario y plan", false, true,
         "SELECT * FROM MV_ASIENTOS A INNER JOIN MA_CUENTAS C ON A.CUENTA = C.CODIGO",
         "SELECT * FROM SS_MV_ASIENTOS A INNER JOIN SS_MA_CUENTAS C ON A.CUENTA = C.CODIGO"},
        {"la marca en el plan lo conserva en toda la sentencia", false, false,
         "SELECT * FROM @Admin_MA_CUENTAS A INNER JOIN MA_CUENTAS B ON A.X = B.X",
         "SELECT * FROM MA_CUENTAS A INNER JOIN MA_CUENTAS B ON A.X = B.X"},
        {"la marca en el diario lo conserva", false, true,
         "SELECT MAX(N) FROM @ADMIN_MV_ASIENTOS WHERE P = 1",
         "SELECT MAX(N) FROM MV_ASIENTOS WHERE P = 1"},
        {"los demás objetos protegidos", false, false,
         "SELECT * FROM V_TA_DEPOSITO , V_TA_FAMILIAS , V_TA_CAJAS , AC_CUENTASDIARIO , "
         "AC_CUENTASDIARIO_CCOSTO WHERE 1 = 1",
         "SELECT * FROM SS_V_TA_DEPOSITO , SS_V_TA_FAMILIAS , SS_V_TA_CAJAS , SS_AC_CUENTASDIARIO "
         ", SS_AC_CUENTAS_DIARIO_CCOSTO WHERE 1 = 1"},
        {"la llave solo vale para el plan", false, false, "SELECT {V_TA_CAJAS.A}",
         "SELECT {V_TA_CAJAS.A}"},
        {"un nombre dentro de un texto no se toca", false, false,
         "UPDATE T SET D = ' MA_CUENTAS ' WHERE C IN (SELECT CODIGO FROM MA_CUENTAS )",
         "UPDATE T SET D = ' MA_CUENTAS ' WHERE C IN (SELECT CODIGO FROM SS_MA_CUENTAS )"},
        {"un apóstrofo en un nombre o un comentario no abre un texto", false, false,
         "SELECT [it's], \"o'k\" FROM T -- it's\nWHERE A = ' MA_CUENTAS ' AND B IN (SELECT X "
         "FROM MA_CUENTAS )",
         "SELECT [it's], \"o'k\" FROM T -- it's\nWHERE A = ' MA_CUENTAS ' AND B IN (SELECT X "
         "FROM SS_MA_CUENTAS )"},
        {"nombre repetido a continuación", false, false,
         "SELECT * FROM MA_CUENTAS MA_CUENTAS WHERE",
         "SELECT * FROM SS_MA_CUENTAS SS_MA_CUENTAS WHERE"},
    };
    for (const CasoSinonimo& c : casos)
        EXPECT_EQ(data::TraducirSinonimos(c.sql, c.admin, c.confidencialidad), c.esperado)
            << c.regla;
}

// Every answer of the remembering translator is the translation's own, whatever was asked
// before: the same text under other session flags, texts of one form with other literals, and
// literals that decide the translation (a journal name) or that a form must not stand for.
TEST(Sinonimos, LoRecordadoRespondeComoLaTraduccion) {
    struct Pedido {
        const char* sql;
        bool admin;
        bool confidencialidad;
    };
    const Pedido pedidos[] = {
        {"SELECT * FROM MA_CUENTAS WHERE CODIGO = 'A'", false, false},
        {"SELECT * FROM MA_CUENTAS WHERE CODIGO = 'A'", true, false},
        {"SELECT * FROM MA_CUENTAS WHERE CODIGO = 'B''C'", true, false},
        {"SELECT * FROM MA_CUENTAS WHERE CODIGO = 'B''C'", false, false},
        {"SELECT * FROM MA_CUENTAS WHERE CODIGO = ' MA_CUENTAS '", false, false},
        {"SELECT * FROM MA_CUENTAS WHERE CODIGO = 'MV_ASIENTOS'", false, false},
        {"SELECT * FROM MA_CUENTAS WHERE CODIGO = 'mv_asientos'", false, true},
        {"SELECT * FROM MA_CUENTAS WHERE CODIGO = '@Admin_x'", false, false},
        {"SELECT * FROM @Admin_MA_CUENTAS A, MA_CUENTAS B WHERE A.X = 'q'", false, false},
        {"SELECT * FROM MV_ASIENTOS A INNER JOIN MA_CUENTAS C ON C.CODIGO = 'z'", false, false},
        {"SELECT * FROM MV_ASIENTOS A INNER JOIN MA_CUENTAS C ON C.CODIGO = 'z'", false, true},
        {"SELECT [it's] FROM T WHERE A = ' MA_CUENTAS ' AND B = 'x'", false, false},
        {"SELECT * FROM T -- it's\nWHERE A = ' MA_CUENTAS ' AND B = 'c'", false, false},
        {"SELECT N'x' FROM MA_CUENTAS WHERE CODIGO = 'd'", false, false},
        {"SELECT * FROM MA_CUENTAS WHERE CODIGO = 'abierto", false, false},
    };
    // The translation in place goes through one text, whose buffers it trades with its own.
    data::TraductorSinonimos traductor;
    std::string enSuLugar;
    for (int vuelta = 0; vuelta < 2; ++vuelta)
        for (const Pedido& p : pedidos) {
            const std::string esperada =
                data::TraducirSinonimos(p.sql, p.admin, p.confidencialidad);
            EXPECT_EQ(traductor.Traducir(p.sql, p.admin, p.confidencialidad), esperada)
                << p.sql << " admin " << p.admin << " conf " << p.confidencialidad << " vuelta "
                << vuelta;
            enSuLugar = p.sql;
            traductor.TraducirEn(enSuLugar, p.admin, p.confidencialidad);
            EXPECT_EQ(enSuLugar, esperada) << p.sql << " en su lugar, vuelta " << vuelta;
        }
}

// Whether statements go through the Oracle translation follows the connection string as it is
// at each call, also when it changes between two statements.
TEST(Sinonimos, LaTraduccionOracleSigueALaCadenaDeCadaMomento) {
    const std::string sql = "SELECT TOP 1 A FROM T WHERE B = 'x'";
    const char* cadenas[] = {
        "Provider=OraOLEDB.Oracle.1;Data Source=ORCL;", "Provider=SQLOLEDB;Server=S;Database=ORCL;",
        "Provider=SQLOLEDB;Server=S;Database=oracle;",  "",
        "Provider=OraOLEDB.Oracle.1;Data Source=ORCL;",
    };
    DB_Dll db;
    for (const char* cadena : cadenas) {
        db.gConnString = cadena;
        const bool oracle = texto::ContieneSinCaso(cadena, "ORACLE");
        EXPECT_EQ(db.ORACLE_Dicc(sql), oracle ? data::TraducirOracle(sql) : sql) << cadena;
    }
}

/// An Oracle engine that records the statements and transaction calls it receives. A
/// statement naming FALLA fails as a syntax error; commands report one affected row.
class MotorOracleGrabado final : public Motor {
  public:
    explicit MotorOracleGrabado(std::vector<std::string>& registro) : registro_(registro) {}
    Dialecto DialectoSql() const override { return Dialecto::Oracle; }
    ResultadoSql Ejecutar(const std::string& sql) override {
        registro_.push_back(sql);
        if (sql.find("FALLA") != std::string::npos)
            throw FallaMotor(ClaseFalla::Sintaxis, "42000", 900, "ORA-00900: invalid SQL");
        ResultadoSql r;
        if (sql.rfind("SELECT", 0) == 0)
            r.Columnas.push_back({"A", 200});
        else
            r.Afectadas = 1;
        return r;
    }
    ResultadoSql EjecutarConParametros(const std::string& sql,
                                       const std::vector<ValorSql>&) override {
        return Ejecutar(sql);
    }
    void Comenzar() override {
        registro_.push_back("<comenzar>");
        abierta_ = true;
    }
    void Confirmar() override {
        registro_.push_back("<confirmar>");
        abierta_ = false;
    }
    void Revertir() override {
        registro_.push_back("<revertir>");
        abierta_ = false;
    }
    bool EnTransaccion() override { return abierta_; }
    void FijarTiempoEspera(int) override {}
    std::string BaseActual() override { return "ORCL"; }
    void FijarBaseActual(const std::string&) override {}
    std::vector<std::string> Tablas() override { return {}; }
    std::vector<std::string> Columnas(const std::string&) override { return {}; }
    bool Viva() override { return true; }

  private:
    std::vector<std::string>& registro_;
    bool abierta_ = false;
};

class ConexionOracle : public ::testing::Test {
  protected:
    void SetUp() override {
        const std::string cadena =
            "Provider=OraOLEDB.Oracle.1;Data Source=ORCL;User Id=EMP;Password=EMP;";
        db.gCnn.AbrirConMotor(std::make_unique<MotorOracleGrabado>(registro), cadena);
        db.gConnString = cadena;
        db.gOpenFlag = true;
    }
    ConPlataformaGuionada p;
    DB_Dll db;
    std::vector<std::string> registro;
};

TEST_F(ConexionOracle, ComandoComoGuionSentenciaPorSentencia) {
    std::string sql =
        "SET NOCOUNT ON\r\nBEGIN TRANSACTION\r\nINSERT INTO [MA_MODELOS] (NOMBRE) VALUES ('A')\r\n"
        "GO\r\nUPDATE MA_MODELOS SET fechahora_modificacion = GETDATE() WHERE LEN(NOMBRE) = 1\r\n"
        "IF NOT EXISTS (SELECT 1 FROM T)\r\nCOMMIT TRANSACTION";
    long afectadas = -1;
    EXPECT_TRUE(db.EjecutaConsultaSQL(sql, afectadas));
    const std::vector<std::string> esperado = {
        "<comenzar>", "INSERT INTO \"MA_MODELOS\" (NOMBRE) VALUES ('A')",
        "UPDATE MA_MODELOS SET fechahora_modificacion = SYSDATE WHERE LENGTH(NOMBRE) = 1",
        "<confirmar>"};
    EXPECT_EQ(registro, esperado);
    EXPECT_EQ(afectadas, 2);
    EXPECT_TRUE(db.gCnn.Errors().Vacia());
    EXPECT_TRUE(p->dialogos.empty());
}

TEST_F(ConexionOracle, GuionFallidoDeshaceSuTransaccionYDejaElError) {
    std::string sql =
        "BEGIN TRANSACTION INSERT INTO T VALUES (1) INSERT INTO FALLA VALUES (2) INSERT INTO T "
        "VALUES (3) COMMIT TRANSACTION";
    long afectadas = 0;
    EXPECT_FALSE(db.EjecutaConsultaSQL(sql, afectadas));
    const std::vector<std::string> esperado = {"<comenzar>", "INSERT INTO T VALUES (1)",
                                               "INSERT INTO FALLA VALUES (2)", "<revertir>"};
    EXPECT_EQ(registro, esperado);
    EXPECT_FALSE(db.gCnn.EnTransaccion());
    ASSERT_EQ(db.gCnn.Errors().Count(), 1);
    EXPECT_NE(db.gCnn.Errors().Item(0).Descripcion.find("ORA-00900"), std::string::npos);
}

TEST_F(ConexionOracle, ConsultaDeUnUsuarioRestringidoLlegaTraducida) {
    db.gEsAdmin = false;
    db.gConfidencialidad = true;
    std::string sql =
        "SELECT TOP 1 * FROM MV_ASIENTOS with(nolock)  WHERE LTRIM(RTRIM(CUENTA)) ='1101' AND "
        "FECHA = '2025-01-10 00:00:00'";
    Recordset rs;
    db.AbrirRecordset(sql, rs);
    EXPECT_EQ(rs.State(), estado_objeto::kAbierto);
    ASSERT_EQ(registro.size(), 1u);
    EXPECT_EQ(registro[0],
              "SELECT * FROM SS_MV_ASIENTOS   WHERE LTRIM(RTRIM(CUENTA)) ='1101' AND "
              "TO_DATE(TO_CHAR(FECHA,'DD/MM/YYYY'),'DD/MM/YYYY') = "
              "TO_DATE('10/01/2025','DD/MM/YYYY') AND ROWNUM <= 1");
    // The lookups' own statements too.
    registro.clear();
    db.gEsAdmin = true;
    EXPECT_EQ(db.DatosTabla("MA_CUENTAS", "1101", "A", "CODIGO", tipodato::kTexto, "", true), "");
    ASSERT_EQ(registro.size(), 1u);
    EXPECT_EQ(registro[0],
              "SELECT * FROM MA_CUENTAS   WHERE LTRIM(RTRIM(CODIGO)) ='1101' AND ROWNUM <= 1 ");
}

class Campos : public ::testing::Test {
  protected:
    void SetUp() override {
        Preparar(db, carpeta, "EMP");
        db.gLogErr = carpeta.Ruta() + "/errores.log";
        db.OpenServerADODB(false, 2, "", false, false);
        ASSERT_TRUE(db.gOpenFlag);
        db.gCnn.Observador = [this](const std::string& s) { vistas.push_back(s); };
    }
    ConPlataformaGuionada p;
    CarpetaTemporal carpeta;
    DB_Dll db;
    std::vector<std::string> vistas;
};

TEST_F(Campos, VerCampoAgregaSoloLoQueFalta) {
    EXPECT_TRUE(db.VerCampoDB("MA_CUENTAS", "NOTA", true, "varchar(10)", false, "''"));
    ASSERT_EQ(vistas.size(), 1u);
    EXPECT_EQ(vistas[0],
              "ALTER TABLE dbo.MA_CUENTAS ADD NOTA varchar(10) Not Null  CONSTRAINT "
              "DF_MA_CUENTAS_NOTA DEFAULT ('')");
    EXPECT_TRUE(db.ExisteCampoDB("MA_CUENTAS", "nota"));
    EXPECT_EQ(db.DatosTabla("MA_CUENTAS", "1101", "NOTA", "CODIGO"), "");
    // The added text column compares like the server's: case and trailing blanks ignored.
    std::string nota = "UPDATE MA_CUENTAS SET NOTA = 'Abc' WHERE CODIGO = '1101'";
    long n = 0;
    ASSERT_TRUE(db.EjecutaConsultaSQL(nota, n));
    EXPECT_EQ(db.DatosTabla("MA_CUENTAS", "aBC  ", "CODIGO", "NOTA"), "1101");
    // Present column, missing table, or no addition asked for: nothing is sent.
    EXPECT_TRUE(db.VerCampoDB("MA_CUENTAS", " nota ", true, "int", true));
    EXPECT_TRUE(db.VerCampoDB("NO_EXISTE", "NOTA", true, "int", true));
    EXPECT_TRUE(db.VerCampoDB("MA_CUENTAS", "OTRA", false, "int", true));
    EXPECT_EQ(vistas.size(), 4u);  // the lookups and the update above
    EXPECT_FALSE(db.ExisteCampoDB("MA_CUENTAS", "OTRA"));
    db.AddField("MA_CUENTAS", "OTRA", "int", true);
    EXPECT_EQ(vistas.back(), "ALTER TABLE dbo.MA_CUENTAS ADD OTRA int Null ");
    EXPECT_TRUE(db.ExisteCampoDB("MA_CUENTAS", "OTRA"));
    EXPECT_TRUE(p->dialogos.empty());
}

TEST_F(Campos, AgregadoFallidoSePreguntaYSeReintenta) {
    // A column that may not be Null needs a default on a table with rows.
    p->respuestas = {respuesta::kReintentar, respuesta::kAbortar};
    EXPECT_FALSE(db.VerCampoDB("MA_CUENTAS", "OBLIGADA", true, "int", false));
    EXPECT_EQ(vistas.size(), 2u);
    ASSERT_EQ(p->dialogos.size(), 2u);
    EXPECT_NE(p->dialogos[0].titulo.find("errAddField"), std::string::npos);
    EXPECT_FALSE(db.ExisteCampoDB("MA_CUENTAS", "OBLIGADA"));
}

}  // namespace
