// The connection and its recordsets over the embedded engine, with statements written in the
// suite server's dialect as the program writes them.
#include <gtest/gtest.h>

#include <chrono>
#include <future>
#include <optional>
#include <thread>

#include "Conexion.h"
#include "Dialecto.h"
#include "ErrorEjecucion.h"
#include "MapaErrores.h"
#include "MotorSqlite.h"
#include "PlataformaGuionada.h"
#include "Recordset.h"
#include "test_motor_base.h"

using namespace helperlib;
using namespace data;

namespace {

/// Runs `accion`, expecting an ErrorEjecucion; returns its number (0 when none was thrown).
template <class F>
long NumeroDeError(F&& accion) {
    try {
        accion();
    } catch (const ErrorEjecucion& e) {
        return e.Numero();
    }
    return 0;
}

class ConexionPrueba : public ::testing::Test {
  protected:
    void SetUp() override { cn.Open(base.Cadena()); }
    long Contar(const std::string& sql) {
        Recordset rs;
        rs.Open(sql, cn);
        return std::stol(rs.Fields(0).Texto());
    }

    BaseTemporal base{kEsquemaPrueba};
    Conexion cn;
};

TEST(ConexionApertura, ArchivoFaltanteLlenaErroresYLanza) {
    BaseTemporal base{kEsquemaPrueba, "OTRA"};
    Conexion cn;
    const std::string cadena = "PROVIDER=SQLOLEDB;Server=sqlite:" + base.Carpeta().string() +
                               ";Database =NO_EXISTE;UId=NO_EXISTE;Pwd=NO_EXISTE;";
    try {
        cn.Open(cadena);
        FAIL() << "abrio una base inexistente";
    } catch (const ErrorEjecucion& e) {
        EXPECT_EQ(e.Numero(), errnum::kEFail);
    }
    ASSERT_EQ(cn.Errors().Count(), 1);
    EXPECT_EQ(cn.Errors().Item(0).Numero, errnum::kEFail);
    EXPECT_EQ(cn.Errors().Item(0).Nativo, 11);
    EXPECT_EQ(cn.Errors().Item(0).EstadoSql, "08001");
    EXPECT_NE(cn.Errors().Item(0).Descripcion.find("NO_EXISTE.sqlite"), std::string::npos);
    EXPECT_EQ(cn.State(), estado_objeto::kCerrado);
    // The failed attempt leaves the connection usable for the next one.
    cn.Open(base.Cadena());
    EXPECT_TRUE(cn.Errors().Vacia());
    EXPECT_EQ(cn.DefaultDatabase(), "OTRA");
}

TEST(ConexionApertura, ServidorSqliteVacioEsLaCarpetaDelPrograma) {
    BaseTemporal base{kEsquemaPrueba};
    ConPlataformaGuionada p;
    p->rutaEjecutable = (base.Carpeta() / "asientos-modelo").string();
    Conexion cn;
    cn.Open("PROVIDER=SQLOLEDB;SERVER=SQLite:;database=EMPRESA;UId=EMPRESA;Pwd=EMPRESA;Extra=1");
    EXPECT_EQ(cn.State(), estado_objeto::kAbierto);
    EXPECT_EQ(cn.DialectoSql(), Dialecto::Sqlite);
    EXPECT_NO_THROW(cn.SetDefaultDatabase("Empresa"));
    EXPECT_EQ(NumeroDeError([&] { cn.SetDefaultDatabase("OTRA"); }), errnum::kEFail);
    EXPECT_EQ(cn.Errors().Item(0).Nativo, 911);
}

TEST(ConexionApertura, JetAbreElArchivoDeDataSource) {
    BaseTemporal base{kEsquemaPrueba};
    Conexion cn;
    cn.Open("PROVIDER=Microsoft.Jet.OLEDB.4.0;Data Source =" + base.Ruta() +
            ";User ID=a;Password=b;");
    EXPECT_EQ(cn.Tablas().size(), 2u);
}

TEST(ConexionApertura, AbrirMientrasOtroConfirmaEsperaSinFallar) {
    BaseTemporal base{kEsquemaPrueba};
    // Another connection holds the exclusive lock a commit takes (readers are shut out) for
    // about 300 ms, then commits its row.
    // The open must end after the commit began: an order, not a duration, so a loaded machine
    // cannot make it fail.
    std::promise<void> bloqueada;
    std::chrono::steady_clock::time_point confirmando;
    std::thread otro([&] {
        MotorSqlite m(base.Ruta());
        m.Ejecutar("BEGIN EXCLUSIVE");
        m.Ejecutar("INSERT INTO MA_CUENTAS (CODIGO) VALUES ('X')");
        bloqueada.set_value();
        std::this_thread::sleep_for(std::chrono::milliseconds(300));
        confirmando = std::chrono::steady_clock::now();
        m.Confirmar();
    });
    bloqueada.get_future().wait();
    const auto t0 = std::chrono::steady_clock::now();
    Conexion cn;
    long numero = 0;
    try {
        cn.Open(base.Cadena());
    } catch (const ErrorEjecucion& e) {
        numero = e.Numero();
    }
    const auto abierta = std::chrono::steady_clock::now();
    otro.join();
    ASSERT_EQ(numero, 0) << "la apertura no espero al otro proceso";
    EXPECT_EQ(cn.State(), estado_objeto::kAbierto);
    EXPECT_GE(abierta, confirmando);  // it did wait for the lock
    EXPECT_LT(std::chrono::duration<double>(abierta - t0).count(), 10.0);
    Recordset rs;
    rs.Open("SELECT count(*) FROM MA_CUENTAS", cn);
    EXPECT_EQ(rs.Fields(0).Texto(), "1");  // the other one's commit is seen
}

TEST(ConexionApertura, EstadosAbiertoYCerrado) {
    BaseTemporal base{kEsquemaPrueba};
    Conexion cn;
    EXPECT_EQ(NumeroDeError([&] { cn.Close(); }), errnum::kObjetoCerrado);
    EXPECT_EQ(NumeroDeError([&] { cn.Execute("SELECT 1"); }), errnum::kConexionInvalida);
    ASSERT_EQ(cn.Errors().Count(), 1);
    EXPECT_EQ(cn.Errors().Item(0).Numero, errnum::kConexionInvalida);
    EXPECT_EQ(NumeroDeError([&] { cn.BeginTrans(); }), errnum::kConexionInvalida);
    cn.Open(base.Cadena());
    EXPECT_EQ(NumeroDeError([&] { cn.Open(base.Cadena()); }), errnum::kObjetoAbierto);
    EXPECT_EQ(cn.ConnectionString, base.Cadena());
    cn.Close();
    EXPECT_EQ(cn.State(), estado_objeto::kCerrado);
}

TEST_F(ConexionPrueba, ComparacionesRecortadasIgnoranCasoYBlancos) {
    cn.Execute(
        "INSERT INTO MA_CUENTAS (CODIGO, NOMBRE) VALUES ('  1101 ', 'Pagos'), ('1102', 'ÑANDÚ')");
    Recordset rs;
    rs.Open("SELECT TOP 1  * FROM MA_CUENTAS with(nolock)  WHERE LTRIM(RTRIM(NOMBRE)) ='PAGOS  '",
            cn);
    ASSERT_FALSE(rs.EOF());
    EXPECT_EQ(rs.Fields("codigo").Texto(), "  1101 ");
    rs.Open("SELECT TOP 1  * FROM MA_CUENTAS with(nolock)  WHERE LTRIM(RTRIM(NOMBRE)) ='ñandú'",
            cn);
    ASSERT_FALSE(rs.EOF());
    EXPECT_EQ(rs.Fields("CODIGO").Texto(), "1102");
    rs.Open("SELECT * FROM MA_CUENTAS WHERE LTRIM(CODIGO) = '1101'", cn);
    EXPECT_FALSE(rs.EOF());
    EXPECT_EQ(Contar("SELECT count(*) FROM MA_CUENTAS WHERE NOMBRE LIKE 'ñ%'"), 1);
    // The trimmed lookup of a code uses the schema's expression index.
    Recordset plan;
    plan.Open(
        "EXPLAIN QUERY PLAN SELECT TOP 1  * FROM MA_CUENTAS with(nolock)  WHERE "
        "LTRIM(RTRIM(CODIGO)) ='1101'",
        cn);
    EXPECT_NE(plan.Fields("detail").Texto().find("ix_cuentas_codigo_trim"), std::string::npos)
        << plan.Fields("detail").Texto();
}

TEST_F(ConexionPrueba, SentenciasDelServidorSeEjecutan) {
    std::vector<std::string> vistas;
    cn.Observador = [&](const std::string& s) { vistas.push_back(s); };
    long n = 0;
    cn.Execute(
        "INSERT INTO dbo.MA_MODELOS (NOMBRE, SECUENCIA, [DEBE-HABER]) VALUES ('A', 1, 'D'), "
        "('A', 2, 'H'), ('B', 1, 'D')",
        &n);
    EXPECT_EQ(n, 3);
    Recordset f = cn.Execute(
        "SELECT ISNULL(CUENTA, 'sin') + '', LEFT(NOMBRE, 1) FROM MA_MODELOS WHERE SECUENCIA = 2");
    EXPECT_EQ(f.Fields(0).Texto(), "sin");  // ISNULL and LEFT as the server has them
    EXPECT_EQ(f.Fields(1).Texto(), "A");
    Recordset rs = cn.Execute(
        "SELECT TOP 1 [DEBE-HABER] FROM MA_MODELOS with (NOLOCK) ORDER BY SECUENCIA DESC");
    ASSERT_EQ(rs.RecordCount(), 1);
    EXPECT_EQ(rs.Fields("debe-haber").Texto(), "H");
    cn.Execute("DELETE  MA_MODELOS WHERE NOMBRE = 'a'", &n);
    EXPECT_EQ(n, 2);
    EXPECT_EQ(Contar("SELECT count(*) FROM MA_MODELOS"), 1);
    // The observer sees the texts as the program wrote them.
    ASSERT_GE(vistas.size(), 3u);
    EXPECT_EQ(vistas[3], "DELETE  MA_MODELOS WHERE NOMBRE = 'a'");
    // A statement without rows gives a closed recordset.
    EXPECT_EQ(cn.Execute("UPDATE MA_MODELOS SET SECUENCIA = 5").State(), estado_objeto::kCerrado);
}

TEST_F(ConexionPrueba, LiteralesConApostrofesLleganIntactos) {
    const std::string valor = "O''Brien with(nolock) [x] dbo.y TOP 1";
    cn.Execute("INSERT INTO MA_MODELOS (NOMBRE, SECUENCIA, CUENTA) VALUES ('" + valor +
               "', 1, '')");
    Recordset rs;
    rs.Open("SELECT NOMBRE FROM MA_MODELOS WHERE LTRIM(RTRIM(NOMBRE)) = '" + valor + "'", cn);
    ASSERT_FALSE(rs.EOF());
    EXPECT_EQ(rs.Fields("NOMBRE").Texto(), "O'Brien with(nolock) [x] dbo.y TOP 1");
}

TEST_F(ConexionPrueba, AltaDeFilasConParametros) {
    Recordset rs;
    rs.Open("SELECT * FROM [MA_MODELOS] with(nolock) WHERE 1 = 0", cn, cursor::kKeyset,
            bloqueo::kOptimista);
    EXPECT_EQ(rs.Tabla(), "MA_MODELOS");
    EXPECT_TRUE(rs.BOF() && rs.EOF());
    rs.AddNew();
    EXPECT_TRUE(rs.EdicionPendiente());
    rs.Poner("nombre", std::string("D'Alessandro'); DROP TABLE MA_MODELOS;--"));
    rs.Poner("SECUENCIA", std::string("1"));
    rs.Poner("Debe-Haber", std::string("D"));
    rs.Poner("CUENTA", std::nullopt);
    EXPECT_EQ(NumeroDeError([&] { rs.Poner("NO_HAY", std::string("x")); }),
              errnum::kElementoNoEncontrado);
    EXPECT_EQ(NumeroDeError([&] { rs.Close(); }), errnum::kOperacionNoPermitida);
    rs.Update();
    EXPECT_FALSE(rs.EdicionPendiente());
    EXPECT_EQ(rs.RecordCount(), 1);
    EXPECT_EQ(rs.Fields("DEBE-HABER").Texto(), "D");  // the new row is the current one
    // A failing insert (same key) keeps the row pending and fills the error collection.
    rs.AddNew();
    rs.Poner("NOMBRE", std::string("D'Alessandro'); DROP TABLE MA_MODELOS;--"));
    rs.Poner("SECUENCIA", std::string("1"));
    EXPECT_EQ(NumeroDeError([&] { rs.Update(); }), errnum::kViolacionIntegridad);
    EXPECT_TRUE(rs.EdicionPendiente());
    EXPECT_EQ(cn.Errors().Count(), 1);
    rs.CancelUpdate();
    rs.Close();

    Recordset leido;
    leido.Open("SELECT * FROM MA_MODELOS", cn);
    ASSERT_EQ(leido.RecordCount(), 1);
    EXPECT_EQ(leido.Fields("NOMBRE").Texto(), "D'Alessandro'); DROP TABLE MA_MODELOS;--");
    EXPECT_TRUE(leido.Fields("CUENTA").EsNulo());
    EXPECT_TRUE(leido.Fields("IMPORTE").EsNulo());
    // Read-only recordsets and joins do not take new rows.
    EXPECT_EQ(NumeroDeError([&] { leido.AddNew(); }), 3251);
}

// The table an updatable recordset adds rows to is that of the statement it was last opened
// on, whether or not anyone asked for it before the recordset was opened again.
TEST_F(ConexionPrueba, LaTablaDeAltasEsLaDeLaUltimaApertura) {
    struct Caso {
        const char* sql;
        int bloqueo;
        bool preguntar;     // asked for, and a row added, before the next opening
        const char* tabla;  // "" when the recordset takes no new rows
    } casos[] = {
        {"SELECT * FROM MA_MODELOS WHERE 1 = 0", bloqueo::kOptimista, true, "MA_MODELOS"},
        {"SELECT * FROM [MA_CUENTAS] WHERE 1 = 0", bloqueo::kPesimista, true, "MA_CUENTAS"},
        {"SELECT * FROM MA_MODELOS WHERE 1 = 0", bloqueo::kOptimista, false, "MA_MODELOS"},
        {"SELECT * FROM MA_CUENTAS", bloqueo::kSoloLectura, true, ""},
        {"SELECT * FROM MA_MODELOS WHERE 1 = 0", bloqueo::kOptimista, false, "MA_MODELOS"},
        {"SELECT A.* FROM MA_CUENTAS A, MA_MODELOS B", bloqueo::kOptimista, true, ""},
        {"SELECT * FROM MA_MODELOS WHERE 1 = 0", bloqueo::kOptimista, true, "MA_MODELOS"},
        {"SELECT * FROM MA_CUENTAS WHERE 1 = 0", bloqueo::kOptimista, false, "MA_CUENTAS"},
    };
    Recordset rs;
    for (const Caso& c : casos) {
        rs.Open(c.sql, cn, cursor::kKeyset, c.bloqueo);
        if (!c.preguntar) continue;
        EXPECT_EQ(rs.Tabla(), c.tabla) << c.sql;
        const long error = NumeroDeError([&] { rs.AddNew(); });
        EXPECT_EQ(error, *c.tabla ? 0 : 3251) << c.sql;
        if (error == 0) rs.CancelUpdate();
    }
    rs.Close();
    EXPECT_EQ(rs.Tabla(), "");
}

TEST_F(ConexionPrueba, AltasSucesivasConCamposDistintos) {
    Recordset rs;
    rs.Open("SELECT * FROM MA_MODELOS WHERE 1 = 0", cn, cursor::kKeyset, bloqueo::kOptimista);
    auto alta = [&](const std::string& secuencia, const char* campo, const char* valor) {
        rs.AddNew();
        rs.Poner("NOMBRE", std::string("M"));
        rs.Poner("secuencia", secuencia);
        if (campo) rs.Poner(campo, std::string(valor));
        rs.Update();
    };
    alta("1", "IMPORTE", "10.5000");
    alta("2", nullptr, nullptr);    // fewer fields than the row before
    alta("3", "Cuenta", "1.1.01");  // as many fields, another one
    alta("4", "importe", "7.0000");
    Recordset leido;
    leido.Open("SELECT SECUENCIA, CUENTA, IMPORTE FROM MA_MODELOS ORDER BY SECUENCIA", cn);
    std::string filas;
    for (; !leido.EOF(); leido.MoveNext())
        filas += leido.Fields(0).Texto() + ":" + leido.Fields(1).Value().value_or("-") + ":" +
                 leido.Fields(2).Value().value_or("-") + " ";
    EXPECT_EQ(filas, "1:-:10.5000 2:-:- 3:1.1.01:- 4:-:7.0000 ");
}

TEST_F(ConexionPrueba, CamposPorNombreSinCasoConLetrasEspanolas) {
    cn.Execute("CREATE TABLE PERIODOS (\"Año\" int, \"MES\" int, \"año2\" int)");
    cn.Execute("INSERT INTO PERIODOS VALUES (2024, 5, 7)");
    Recordset rs;
    rs.Open("SELECT * FROM PERIODOS", cn);
    EXPECT_EQ(rs.Fields("AÑO").Texto(), "2024");
    EXPECT_EQ(rs.Fields("año").Texto(), "2024");
    EXPECT_EQ(rs.Fields("mes").Texto(), "5");
    EXPECT_EQ(rs.Fields("AÑO2").Texto(), "7");
    EXPECT_EQ(NumeroDeError([&] { rs.Fields("ANO"); }), errnum::kElementoNoEncontrado);
    rs.Close();
    rs.Open("SELECT MES AS año FROM PERIODOS", cn);  // the names of the new statement count
    EXPECT_EQ(rs.Fields("AÑO").Texto(), "5");
    EXPECT_EQ(NumeroDeError([&] { rs.Fields("MES"); }), errnum::kElementoNoEncontrado);
}

/// An engine of another dialect that records the texts it receives.
class MotorEscucha final : public Motor {
  public:
    explicit MotorEscucha(std::vector<std::string>& recibidas,
                          Dialecto dialecto = Dialecto::SqlServer)
        : recibidas_(recibidas), dialecto_(dialecto) {}
    Dialecto DialectoSql() const override { return dialecto_; }
    ResultadoSql Ejecutar(const std::string& sql) override {
        recibidas_.push_back(sql);
        return {};
    }
    ResultadoSql EjecutarConParametros(const std::string& sql,
                                       const std::vector<ValorSql>&) override {
        return Ejecutar(sql);
    }
    void Comenzar() override {}
    void Confirmar() override {}
    void Revertir() override {}
    bool EnTransaccion() override { return false; }
    void FijarTiempoEspera(int) override {}
    std::string BaseActual() override { return "X"; }
    void FijarBaseActual(const std::string&) override {}
    std::vector<std::string> Tablas() override { return {}; }
    std::vector<std::string> Columnas(const std::string&) override { return {}; }
    bool Viva() override { return true; }

  private:
    std::vector<std::string>& recibidas_;
    Dialecto dialecto_;
};

TEST_F(ConexionPrueba, OtroMotorRecibeElTextoParaSuDialecto) {
    const std::string sql = "UPDATE [MA_CUENTAS] SET NIVEL = 1 WHERE CODIGO = 'A' + 'B'";
    cn.Execute(sql);
    cn.Execute(sql);  // adapted for SQLite, now from what was kept
    cn.Close();
    std::vector<std::string> recibidas;
    cn.AbrirConMotor(std::make_unique<MotorEscucha>(recibidas), "Server=otro");
    cn.Execute(sql);
    cn.EjecutarConParametros(sql, {});
    EXPECT_EQ(recibidas, (std::vector<std::string>{sql, sql}));
}

TEST_F(ConexionPrueba, TextosDeUnaMismaFormaSeAdaptanComoCadaUno) {
    // Texts that differ only in their literals reuse one adaptation: each must still reach the
    // engine exactly as its own adaptation, whatever its literals hold.
    const std::vector<std::string> textos = {
        "SELECT TOP 1 * FROM MA_CUENTAS with(nolock) WHERE LTRIM(RTRIM(CODIGO)) ='1101'",
        "SELECT TOP 1 * FROM MA_CUENTAS with(nolock) WHERE LTRIM(RTRIM(CODIGO)) ='O''Brien'",
        "SELECT TOP 1 * FROM MA_CUENTAS with(nolock) WHERE LTRIM(RTRIM(CODIGO)) ='TOP 5 -- x'",
        "SELECT TOP 1 * FROM MA_CUENTAS with(nolock) WHERE LTRIM(RTRIM(CODIGO)) =''",
        "SELECT 'a' + NOMBRE FROM [MA_CUENTAS] WHERE CODIGO = 'ñandú' /* 'c' */",
        "SELECT 'b' + NOMBRE FROM [MA_CUENTAS] WHERE CODIGO = '[x]' /* 'c' */",
        "SELECT N'a' + NOMBRE FROM [MA_CUENTAS] WHERE CODIGO = 'x'",
        "SELECT N'b' + NOMBRE FROM [MA_CUENTAS] WHERE CODIGO = 'x'",
        "UPDATE MA_CUENTAS SET NOMBRE = 'uno' WHERE CODIGO = ? AND NIVEL = 'dos'",
        "UPDATE MA_CUENTAS SET NOMBRE = ? WHERE CODIGO = 'uno' AND NIVEL = ?",
    };
    cn.Close();
    std::vector<std::string> recibidas;
    cn.AbrirConMotor(std::make_unique<MotorEscucha>(recibidas, Dialecto::Sqlite), "Server=otro");
    for (int vuelta = 0; vuelta < 2; ++vuelta)
        for (const auto& t : textos) cn.Execute(t);
    ASSERT_EQ(recibidas.size(), 2 * textos.size());
    for (size_t i = 0; i < recibidas.size(); ++i) {
        const std::string& t = textos[i % textos.size()];
        EXPECT_EQ(recibidas[i], AdaptarSentencia(t, Dialecto::Sqlite)) << t;
    }
}

TEST_F(ConexionPrueba, MovimientosBofEofYCampos) {
    cn.Execute("INSERT INTO MA_CUENTAS (CODIGO, NIVEL) VALUES ('1', 1), ('2', NULL), ('3', 3)");
    Recordset vacio;
    vacio.Open("SELECT * FROM MA_CUENTAS WHERE CODIGO = 'x'", cn);
    EXPECT_TRUE(vacio.BOF());
    EXPECT_TRUE(vacio.EOF());
    EXPECT_EQ(NumeroDeError([&] { vacio.Fields("CODIGO"); }), 3021);
    EXPECT_EQ(NumeroDeError([&] { vacio.MoveNext(); }), 3021);
    EXPECT_EQ(NumeroDeError([&] { vacio.Fields("NO_HAY"); }), errnum::kElementoNoEncontrado);

    Recordset rs;
    rs.Open("SELECT CODIGO, NIVEL FROM MA_CUENTAS ORDER BY CODIGO", cn);
    EXPECT_FALSE(rs.BOF());
    EXPECT_EQ(rs.Fields(0).Texto(), "1");
    rs.MoveNext();
    EXPECT_TRUE(rs.Fields("nivel").EsNulo());
    rs.MoveNext();
    rs.MoveNext();
    EXPECT_TRUE(rs.EOF());
    EXPECT_EQ(NumeroDeError([&] { rs.Fields("CODIGO"); }), 3021);
    rs.MoveLast();
    EXPECT_EQ(rs.Fields("CODIGO").Texto(), "3");
    rs.MoveFirst();
    rs.MovePrevious();
    EXPECT_TRUE(rs.BOF());
    EXPECT_FALSE(rs.EOF());
    EXPECT_EQ(NumeroDeError([&] { rs.MovePrevious(); }), 3021);
    EXPECT_EQ(rs.NombresCampos(), (std::vector<std::string>{"CODIGO", "NIVEL"}));
    rs.Close();
    EXPECT_EQ(NumeroDeError([&] { rs.Close(); }), errnum::kObjetoCerrado);
    EXPECT_EQ(NumeroDeError([&] { rs.EOF(); }), errnum::kObjetoCerrado);
}

TEST_F(ConexionPrueba, ErroresMapeadosALosNumerosDelServidor) {
    struct Caso {
        std::string sql;
        long numero, nativo;
        std::string estado;
    } casos[] = {
        {"SELECT * FROM NO_EXISTE", errnum::kTablaInexistente, 208, "42S02"},
        {"SELECT * FROM MA_CUENTAS WHERE", errnum::kErroresEnComando, 102, "42000"},
        {"INSERT INTO MA_CUENTAS (CODIGO) VALUES ('1'),('1')", errnum::kViolacionIntegridad, 2627,
         "23000"},
        {"INSERT INTO MA_CUENTAS (CODIGO, NOMBRE) VALUES ('9', 'DEMASIADO LARGO')", 0x80040E57,
         8152, "22001"},
    };
    for (const auto& c : casos) {
        std::optional<ErrorEjecucion> error;
        try {
            cn.Execute(c.sql);
        } catch (const ErrorEjecucion& e) {
            error = e;
        }
        ASSERT_TRUE(error) << c.sql;
        EXPECT_EQ(error->Numero(), c.numero) << c.sql;
        ASSERT_EQ(cn.Errors().Count(), 1) << c.sql;
        EXPECT_EQ(cn.Errors().Item(0).Nativo, c.nativo) << c.sql;
        EXPECT_EQ(cn.Errors().Item(0).EstadoSql, c.estado) << c.sql;
        EXPECT_FALSE(cn.Errors().Item(0).Descripcion.empty());
        // The error itself carries what the collection holds, and the failed statement.
        ASSERT_TRUE(error->Detalle()) << c.sql;
        EXPECT_EQ(error->Detalle()->Nativo, c.nativo) << c.sql;
        EXPECT_EQ(error->Detalle()->EstadoSql, c.estado) << c.sql;
        EXPECT_EQ(error->Detalle()->Sentencia, c.sql);
        EXPECT_EQ(ValorTruncado(cn.Errors()), c.nativo == nativo::kTruncamiento) << c.sql;
        EXPECT_FALSE(EnlacePerdido(cn.Errors())) << c.sql;
    }
    // The next successful statement starts with an empty collection.
    cn.Execute("SELECT 1");
    EXPECT_TRUE(cn.Errors().Vacia());
    EXPECT_EQ(Contar("SELECT count(*) FROM MA_CUENTAS"), 0);  // nothing half-inserted
}

TEST_F(ConexionPrueba, RevertirNoDejaRastro) {
    cn.BeginTrans();
    EXPECT_TRUE(cn.EnTransaccion());
    cn.Execute("INSERT INTO MA_CUENTAS (CODIGO) VALUES ('1')");
    cn.RollbackTrans();
    EXPECT_FALSE(cn.EnTransaccion());
    EXPECT_EQ(Contar("SELECT count(*) FROM MA_CUENTAS"), 0);
    {
        GuardaTransaccion g(cn);
        cn.Execute("INSERT INTO MA_CUENTAS (CODIGO) VALUES ('2')");
    }  // left without confirming: rolled back
    EXPECT_EQ(Contar("SELECT count(*) FROM MA_CUENTAS"), 0);
    {
        GuardaTransaccion g(cn);
        cn.Execute("INSERT INTO MA_CUENTAS (CODIGO) VALUES ('3')");
        g.Confirmar();
    }
    EXPECT_EQ(Contar("SELECT count(*) FROM MA_CUENTAS"), 1);
    {
        GuardaTransaccion g(cn);
        cn.Execute("INSERT INTO MA_CUENTAS (CODIGO) VALUES ('5')");
        g.Revertir();  // at once, not at the end of the scope
        EXPECT_FALSE(cn.EnTransaccion());
        cn.Execute("INSERT INTO MA_CUENTAS (CODIGO) VALUES ('6')");  // outside any transaction
    }
    EXPECT_EQ(Contar("SELECT count(*) FROM MA_CUENTAS"), 2);  // '6' kept: the guard is spent
    cn.Execute("DELETE FROM MA_CUENTAS WHERE CODIGO = '6'");
    // Closing with a transaction open discards it.
    cn.BeginTrans();
    cn.Execute("INSERT INTO MA_CUENTAS (CODIGO) VALUES ('4')");
    cn.Close();
    cn.Open(base.Cadena());
    EXPECT_EQ(Contar("SELECT count(*) FROM MA_CUENTAS"), 1);
}

TEST_F(ConexionPrueba, OtraConexionEscribiendoDaOcupadoSinColgarse) {
    Conexion otra;
    otra.Open(base.Cadena());
    otra.BeginTrans();
    otra.Execute("INSERT INTO MA_CUENTAS (CODIGO) VALUES ('1')");
    cn.CommandTimeout = 1;
    const auto t0 = std::chrono::steady_clock::now();
    EXPECT_EQ(NumeroDeError([&] { cn.BeginTrans(); }), static_cast<long>(0x80040E31));
    ASSERT_EQ(cn.Errors().Count(), 1);
    EXPECT_EQ(cn.Errors().Item(0).Nativo, 1222);
    EXPECT_FALSE(cn.EnTransaccion());
    EXPECT_EQ(NumeroDeError([&] { cn.Execute("UPDATE MA_CUENTAS SET NIVEL = 1"); }),
              static_cast<long>(0x80040E31));
    EXPECT_LT(std::chrono::duration<double>(std::chrono::steady_clock::now() - t0).count(), 6.0);
    otra.CommitTrans();
    cn.BeginTrans();
    cn.Execute("UPDATE MA_CUENTAS SET NIVEL = 1");
    cn.CommitTrans();
}

}  // namespace
