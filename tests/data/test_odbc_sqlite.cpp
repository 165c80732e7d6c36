// The ODBC engine against a real driver: unixODBC with the SQLite ODBC driver, each test on
// its own database file in a fresh temporary folder.
#include <gtest/gtest.h>
#include <sql.h>
#include <sqlext.h>

#include <chrono>
#include <filesystem>
#include <random>
#include <string>
#include <vector>

#include "Conexion.h"
#include "ErrorEjecucion.h"
#include "MotorOdbc.h"
#include "Prerrequisitos.h"
#include "Recordset.h"

using namespace helperlib;
using namespace data;

namespace fs = std::filesystem;

namespace {}  // namespace

/// Names of the drivers registered with the driver manager (what "odbcinst -q -d" lists).
std::vector<std::string> DriversRegistrados() {
    std::vector<std::string> r;
    SQLHENV env = nullptr;
    if (!SQL_SUCCEEDED(SQLAllocHandle(SQL_HANDLE_ENV, SQL_NULL_HANDLE, &env))) return r;
    SQLSetEnvAttr(env, SQL_ATTR_ODBC_VERSION, reinterpret_cast<SQLPOINTER>(SQL_OV_ODBC3), 0);
    SQLCHAR nombre[256], atributos[1024];
    SQLSMALLINT ln = 0, la = 0;
    for (SQLUSMALLINT dir = SQL_FETCH_FIRST; SQL_SUCCEEDED(
             SQLDrivers(env, dir, nombre, sizeof nombre, &ln, atributos, sizeof atributos, &la));
         dir = SQL_FETCH_NEXT)
        r.emplace_back(reinterpret_cast<char*>(nombre));
    SQLFreeHandle(SQL_HANDLE_ENV, env);
    return r;
}

/// `nombre` when registered with the driver manager, else the path of its library file `archivo`
/// (installed but not registered), else "". Shared by the ODBC test files.
std::string DriverOdbc(const std::string& nombre, const std::string& archivo) {
    const auto registrados = DriversRegistrados();
    if (std::find(registrados.begin(), registrados.end(), nombre) != registrados.end())
        return nombre;
    for (const char* dir : {"/usr/lib/x86_64-linux-gnu/odbc", "/usr/lib/aarch64-linux-gnu/odbc",
                            "/usr/lib/odbc", "/usr/local/lib", "/usr/lib64", "/usr/lib"}) {
        const fs::path p = fs::path(dir) / archivo;
        if (fs::exists(p)) return p.string();
    }
    return "";
}

namespace {

class OdbcSqlite : public ::testing::Test {
  protected:
    void SetUp() override {
        driver_ = DriverOdbc("SQLite3", "libsqlite3odbc.so");
        SALTAR_SI_FALTA(driver_.empty(), "SQLite ODBC driver not installed (libsqliteodbc)");
        std::random_device rd;
        dir_ = fs::temp_directory_path() / ("odbc_" + std::to_string(rd()) + std::to_string(rd()));
        fs::create_directories(dir_);
    }
    void TearDown() override {
        std::error_code ec;
        if (!dir_.empty()) fs::remove_all(dir_, ec);
    }
    std::string Cadena(const std::string& base = "Empresa.db") const {
        return "DRIVER=" + driver_ + ";Database=" + (dir_ / base).string() + ";";
    }
    std::unique_ptr<Motor> Abrir() { return AbrirMotorOdbc(Cadena()); }

    std::unique_ptr<Motor> AbrirConTabla() {
        auto m = Abrir();
        m->Ejecutar(
            "CREATE TABLE MA_MODELOS (NOMBRE VARCHAR(50) NOT NULL, SECUENCIA INTEGER NOT NULL, "
            "CUENTA VARCHAR(15), IMPORTE DECIMAL(18,4), FECHA DATETIME, "
            "PRIMARY KEY (NOMBRE, SECUENCIA))");
        return m;
    }

    static long Contar(Motor& m, const std::string& tabla) {
        return std::stol(*m.Ejecutar("SELECT COUNT(*) FROM " + tabla).Filas.at(0).at(0));
    }

    std::string driver_;
    fs::path dir_;
};

TEST(OdbcDrivers, ElDriverSqliteEstaRegistradoOInstalado) {
    EXPECT_FALSE(DriverOdbc("SQLite3", "libsqlite3odbc.so").empty())
        << "install libsqliteodbc to run the ODBC tests";
}

TEST_F(OdbcSqlite, DetectaDialectoYBaseDelArchivo) {
    auto m = Abrir();
    EXPECT_EQ(m->DialectoSql(), Dialecto::Sqlite);
    EXPECT_EQ(m->BaseActual(), "Empresa");
    EXPECT_NO_THROW(m->FijarBaseActual("EMPRESA"));
    try {
        m->FijarBaseActual("Otra");
        FAIL() << "a database other than the file was accepted";
    } catch (const FallaMotor& f) {
        EXPECT_EQ(f.Clase, ClaseFalla::Otra);
    }
    EXPECT_TRUE(m->Viva());
}

TEST_F(OdbcSqlite, ParametrosConApostrofesNulosYTextoLargoVuelvenExactos) {
    auto m = AbrirConTabla();
    const std::string largo(10000, 'x');  // longer than one read piece
    const std::string ataque = "x'); DROP TABLE MA_MODELOS; --";
    const std::vector<std::vector<ValorSql>> filas = {
        {"D'Angelo", "1", "1.1.01", "1234.56", "2024-03-05 10:11:12"},
        {"Ñandú", "2", std::nullopt, "-0.01", std::nullopt},
        {ataque, "3", largo, std::nullopt, std::nullopt},
        {"Vacio", "4", "", "0.1", std::nullopt},  // an empty text is not a NULL
    };
    for (const auto& f : filas) {
        const ResultadoSql r = m->EjecutarConParametros(
            "INSERT INTO MA_MODELOS (NOMBRE, SECUENCIA, CUENTA, IMPORTE, FECHA) VALUES (?,?,?,?,?)",
            f);
        EXPECT_EQ(r.Afectadas, 1);
        EXPECT_TRUE(r.Columnas.empty());
    }
    const ResultadoSql r = m->Ejecutar(
        "SELECT NOMBRE, SECUENCIA, CUENTA, IMPORTE, FECHA FROM MA_MODELOS ORDER BY SECUENCIA");
    ASSERT_EQ(r.Columnas.size(), 5u);
    EXPECT_EQ(r.Columnas[0].Nombre, "NOMBRE");
    EXPECT_EQ(r.Columnas[0].TipoAdo, 200);
    EXPECT_EQ(r.Columnas[1].TipoAdo, 3);
    EXPECT_EQ(r.Columnas[4].TipoAdo, 135);
    EXPECT_EQ(r.Afectadas, -1);
    ASSERT_EQ(r.Filas.size(), 4u);
    EXPECT_EQ(r.Filas[0][0], "D'Angelo");
    EXPECT_EQ(r.Filas[0][3], "1234.56");
    EXPECT_EQ(r.Filas[0][4], "2024-03-05 10:11:12");
    EXPECT_EQ(r.Filas[1][0], "Ñandú");
    EXPECT_FALSE(r.Filas[1][2].has_value());
    EXPECT_EQ(r.Filas[1][3], "-0.01");
    EXPECT_EQ(r.Filas[2][0], ataque);
    EXPECT_EQ(r.Filas[2][2], largo);
    EXPECT_FALSE(r.Filas[2][3].has_value());
    EXPECT_EQ(r.Filas[3][2], ValorSql(""));
    EXPECT_EQ(r.Filas[3][3], "0.1");
    // A NULL parameter is a real NULL, not an empty text.
    EXPECT_EQ(Contar(*m, "MA_MODELOS WHERE CUENTA IS NULL"), 1);
    // Texts with "?" placeholders bound from parameters also work in queries.
    const ResultadoSql q = m->EjecutarConParametros(
        "SELECT SECUENCIA FROM MA_MODELOS WHERE NOMBRE = ?", {ValorSql("D'Angelo")});
    ASSERT_EQ(q.Filas.size(), 1u);
    EXPECT_EQ(q.Filas[0][0], "1");
}

TEST_F(OdbcSqlite, CuentaFilasCambiadasYBorrarNadaNoEsError) {
    auto m = AbrirConTabla();
    m->Ejecutar("INSERT INTO MA_MODELOS (NOMBRE, SECUENCIA) VALUES ('A', 1)");
    m->Ejecutar("INSERT INTO MA_MODELOS (NOMBRE, SECUENCIA) VALUES ('A', 2)");
    m->Ejecutar("INSERT INTO MA_MODELOS (NOMBRE, SECUENCIA) VALUES ('B', 1)");
    EXPECT_EQ(m->Ejecutar("UPDATE MA_MODELOS SET CUENTA = '1' WHERE NOMBRE = 'A'").Afectadas, 2);
    EXPECT_EQ(m->Ejecutar("DELETE FROM MA_MODELOS WHERE NOMBRE = 'Z'").Afectadas, 0);
    EXPECT_EQ(m->Ejecutar("UPDATE MA_MODELOS SET CUENTA = '2' WHERE NOMBRE = 'Z'").Afectadas, 0);
    EXPECT_EQ(m->Ejecutar("DELETE FROM MA_MODELOS WHERE NOMBRE = 'B'").Afectadas, 1);
    const ResultadoSql vacio = m->Ejecutar("SELECT NOMBRE FROM MA_MODELOS WHERE 1 = 0");
    EXPECT_EQ(vacio.Columnas.size(), 1u);
    EXPECT_TRUE(vacio.Filas.empty());
}

TEST_F(OdbcSqlite, TransaccionConfirmadaPerduraYRevertidaNoDejaRastro) {
    auto m = AbrirConTabla();
    m->Comenzar();
    m->Ejecutar("INSERT INTO MA_MODELOS (NOMBRE, SECUENCIA) VALUES ('Conf', 1)");
    m->Confirmar();

    m->Comenzar();
    m->Ejecutar("DELETE FROM MA_MODELOS WHERE NOMBRE = 'Conf'");
    m->Ejecutar("INSERT INTO MA_MODELOS (NOMBRE, SECUENCIA) VALUES ('Rev', 1)");
    EXPECT_EQ(Contar(*m, "MA_MODELOS WHERE NOMBRE = 'Rev'"), 1);  // visible inside
    m->Revertir();

    // Autocommit is back: a statement after the transaction persists on its own.
    m->Ejecutar("INSERT INTO MA_MODELOS (NOMBRE, SECUENCIA) VALUES ('Suelto', 1)");

    auto otra = Abrir();  // a second connection sees only committed work
    EXPECT_EQ(Contar(*otra, "MA_MODELOS WHERE NOMBRE = 'Conf'"), 1);
    EXPECT_EQ(Contar(*otra, "MA_MODELOS WHERE NOMBRE = 'Rev'"), 0);
    EXPECT_EQ(Contar(*otra, "MA_MODELOS WHERE NOMBRE = 'Suelto'"), 1);
}

TEST_F(OdbcSqlite, TransaccionAbiertaAlCerrarSeRevierteYUsoFueraDeOrdenFalla) {
    {
        auto m = AbrirConTabla();
        EXPECT_THROW(m->Confirmar(), FallaMotor);
        EXPECT_NO_THROW(m->Revertir());  // nothing begun: nothing to undo
        EXPECT_FALSE(m->EnTransaccion());
        m->Comenzar();
        EXPECT_TRUE(m->EnTransaccion());
        EXPECT_THROW(m->Comenzar(), FallaMotor);
        m->Ejecutar("INSERT INTO MA_MODELOS (NOMBRE, SECUENCIA) VALUES ('Perdido', 1)");
    }  // engine dropped with the transaction open
    auto m = Abrir();
    EXPECT_EQ(Contar(*m, "MA_MODELOS"), 0);
}

TEST_F(OdbcSqlite, FallasSeClasificanConservandoEstadoDelDriver) {
    auto m = AbrirConTabla();
    try {
        m->Ejecutar("SELEC * FROM MA_MODELOS");
        FAIL() << "syntax error not reported";
    } catch (const FallaMotor& f) {
        EXPECT_EQ(f.Clase, ClaseFalla::Sintaxis);
        EXPECT_EQ(f.EstadoSql, "HY000");  // the driver's own state, not an invented one
        EXPECT_EQ(f.NativoMotor, 1);
        EXPECT_NE(f.Descripcion.find("syntax error"), std::string::npos) << f.Descripcion;
    }
    try {
        m->Ejecutar("SELECT * FROM NO_EXISTE");
        FAIL() << "missing table not reported";
    } catch (const FallaMotor& f) {
        EXPECT_EQ(f.Clase, ClaseFalla::TablaInexistente);
        EXPECT_EQ(f.EstadoSql, "HY000");
        EXPECT_NE(f.Descripcion.find("NO_EXISTE"), std::string::npos) << f.Descripcion;
    }
    m->Ejecutar("INSERT INTO MA_MODELOS (NOMBRE, SECUENCIA) VALUES ('A', 1)");
    try {
        m->EjecutarConParametros("INSERT INTO MA_MODELOS (NOMBRE, SECUENCIA) VALUES (?, ?)",
                                 {ValorSql("A"), ValorSql("1")});
        FAIL() << "duplicate key not reported";
    } catch (const FallaMotor& f) {
        EXPECT_EQ(f.Clase, ClaseFalla::Restriccion);
        EXPECT_EQ(f.NativoMotor, 19);
    }
    EXPECT_THROW(m->EjecutarConParametros("SELECT * FROM FALTA WHERE X = ?", {ValorSql("1")}),
                 FallaMotor);
    // Failures of statements leave the link usable.
    EXPECT_TRUE(m->Viva());
    EXPECT_EQ(Contar(*m, "MA_MODELOS"), 1);
}

TEST_F(OdbcSqlite, CatalogoDaTablasVistasYColumnasDeEsaTablaSola) {
    auto m = AbrirConTabla();
    // "_" in a name is a wildcard for the catalogue functions: MAXMODELOS must not leak in.
    m->Ejecutar("CREATE TABLE MAXMODELOS (OTRA VARCHAR(5), COSA INTEGER)");
    m->Ejecutar("CREATE VIEW V_MODELOS AS SELECT NOMBRE FROM MA_MODELOS");
    const auto tablas = m->Tablas();
    for (const char* t : {"MA_MODELOS", "MAXMODELOS", "V_MODELOS"})
        EXPECT_NE(std::find(tablas.begin(), tablas.end(), t), tablas.end()) << t;
    EXPECT_EQ(m->Columnas("MA_MODELOS"),
              (std::vector<std::string>{"NOMBRE", "SECUENCIA", "CUENTA", "IMPORTE", "FECHA"}));
    EXPECT_EQ(m->Columnas("ma_modelos").size(), 5u);
    EXPECT_TRUE(m->Columnas("NADA").empty());
}

TEST_F(OdbcSqlite, BloqueoRetenidoTerminaComoOcupado) {
    auto a = AbrirConTabla();
    // The SQLite driver waits on locks as its own "Timeout" (milliseconds) says.
    auto b = AbrirMotorOdbc(Cadena() + "Timeout=500;");
    a->Comenzar();
    a->Ejecutar("INSERT INTO MA_MODELOS (NOMBRE, SECUENCIA) VALUES ('Bloquea', 1)");
    b->FijarTiempoEspera(1);
    const auto inicio = std::chrono::steady_clock::now();
    try {
        b->Ejecutar("INSERT INTO MA_MODELOS (NOMBRE, SECUENCIA) VALUES ('Espera', 1)");
        FAIL() << "the write went through a held lock";
    } catch (const FallaMotor& f) {
        EXPECT_EQ(f.Clase, ClaseFalla::Ocupado) << f.EstadoSql << " " << f.Descripcion;
    }
    EXPECT_LT(std::chrono::steady_clock::now() - inicio, std::chrono::seconds(10));
    a->Revertir();
    EXPECT_NO_THROW(b->Ejecutar("INSERT INTO MA_MODELOS (NOMBRE, SECUENCIA) VALUES ('Libre', 1)"));
}

TEST_F(OdbcSqlite, ArchivoInaccesibleEsFallaDeConexionConEstado) {
    try {
        AbrirMotorOdbc("DRIVER=" + driver_ + ";Database=" + (dir_ / "no/hay/carpeta.db").string() +
                       ";");
        FAIL() << "opened a database in a folder that does not exist";
    } catch (const FallaMotor& f) {
        EXPECT_EQ(f.Clase, ClaseFalla::Otra);
        EXPECT_FALSE(f.EstadoSql.empty());
        EXPECT_FALSE(f.Descripcion.empty());
    }
}

}  // namespace

namespace {

// The whole chain: the program's connection over ODBC adapts the suite-dialect statements to
// the dialect the driver reports and turns driver failures into its error collection.
TEST_F(OdbcSqlite, ConexionDelProgramaPorOdbcAdaptaYRegistraErrores) {
    Conexion cn;
    cn.Open(Cadena());
    EXPECT_EQ(cn.DialectoSql(), Dialecto::Sqlite);
    cn.Execute("CREATE TABLE MA_MODELOS (NOMBRE VARCHAR(50), SECUENCIA INTEGER)");
    cn.EjecutarConParametros("INSERT INTO MA_MODELOS VALUES (?, ?)",
                             {ValorSql("B"), ValorSql("2")});
    cn.EjecutarConParametros("INSERT INTO MA_MODELOS VALUES (?, ?)",
                             {ValorSql("A"), ValorSql("1")});
    Recordset rs;
    rs.Open("SELECT TOP 1 NOMBRE FROM dbo.MA_MODELOS with(nolock) ORDER BY SECUENCIA", cn);
    ASSERT_FALSE(rs.EOF());
    EXPECT_EQ(rs.Fields("NOMBRE").Texto(), "A");
    EXPECT_EQ(rs.RecordCount(), 1);
    try {
        cn.Execute("SELECT * FROM NO_EXISTE");
        FAIL() << "missing table not reported";
    } catch (const ErrorEjecucion& e) {
        EXPECT_EQ(e.Numero(), errnum::kTablaInexistente);
        ASSERT_EQ(cn.Errors().Count(), 1);
        EXPECT_NE(cn.Errors().Item(0).Descripcion.find("no such table"), std::string::npos);
    }
}

}  // namespace
