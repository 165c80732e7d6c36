#include <gtest/gtest.h>

#include <chrono>
#include <thread>

#include "PlataformaGuionada.h"
#include "test_dbdll_comun.h"

using namespace prueba;

namespace {

long ContarFilas(DB_Dll& db, const std::string& tabla) {
    Recordset rs;
    rs.Open("SELECT COUNT(*) AS N FROM " + tabla, db.gCnn);
    return std::stol(rs.Fields("N").Texto());
}

}  // namespace

class Sentencias : public ::testing::Test {
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

TEST_F(Sentencias, QuitaLaMarcaSinMirarMayusculasYReescribeLaVariable) {
    std::string sql =
        "UPDATE @Admin_MA_CUENTAS SET DESCRIPCION = 'Caja chica' WHERE CODIGO = '1101'";
    long afectadas = -1;
    EXPECT_TRUE(db.EjecutaConsultaSQL(sql, afectadas));
    EXPECT_EQ(sql, "UPDATE MA_CUENTAS SET DESCRIPCION = 'Caja chica' WHERE CODIGO = '1101'");
    ASSERT_EQ(vistas.size(), 1u);
    EXPECT_EQ(vistas[0], sql);
    EXPECT_EQ(afectadas, 1);
    std::string otra = "update @ADMIN_ma_cuentas set IMPORTE = 1 where 1 = 0";
    EXPECT_TRUE(db.EjecutaConsultaSQL(otra, afectadas));
    EXPECT_EQ(otra, "update ma_cuentas set IMPORTE = 1 where 1 = 0");
    EXPECT_EQ(afectadas, 0);
}

TEST_F(Sentencias, CrearYBorrarConservanLaSentenciaSalvoLaMarca) {
    long n = 0;
    std::string conBorrado = "CREATE TABLE T1 (A int) DROP TABLE T1 DELETE @x";
    db.EjecutaConsultaSQL(conBorrado, n);
    EXPECT_EQ(conBorrado, "CREATE TABLE T1 (A int) DROP TABLE T1 DELETE @x");
    std::string conMarca = "CREATE TABLE @Admin_T2 (A int) DROP";
    db.EjecutaConsultaSQL(conMarca, n);
    EXPECT_EQ(conMarca, "CREATE TABLE T2 (A int) DROP");
}

TEST_F(Sentencias, ComandoConFilasLasDevuelveEnElRecordset) {
    Recordset rs;
    long n = 0;
    std::string sql = "SELECT DESCRIPCION FROM MA_CUENTAS WHERE CODIGO = '1101'";
    EXPECT_TRUE(db.EjecutaConsultaSQL(sql, n, &rs));
    ASSERT_EQ(rs.State(), estado_objeto::kAbierto);
    ASSERT_FALSE(rs.EOF());
    EXPECT_EQ(rs.Fields("DESCRIPCION").Texto(), "Caja");
}

TEST_F(Sentencias, ComandoFallidoDejaLosErroresYNoMuestraNada) {
    long n = 0;
    std::string sql = "INSERT INTO NOEXISTE VALUES (1)";
    EXPECT_FALSE(db.EjecutaConsultaSQL(sql, n));
    ASSERT_EQ(db.gCnn.Errors().Count(), 1);
    EXPECT_EQ(db.gCnn.Errors().Item(0).Numero, errnum::kTablaInexistente);
    std::string sintaxis = "INSERT MAL FORMADA (";
    EXPECT_FALSE(db.EjecutaConsultaSQL(sintaxis, n));
    EXPECT_EQ(db.gCnn.Errors().Item(0).Numero, errnum::kErroresEnComando);
    EXPECT_TRUE(p->dialogos.empty());
}

TEST_F(Sentencias, ComandoSobreConexionCerradaSeVeEnLosErrores) {
    db.gCnn.Close();
    long n = 0;
    std::string sql = "BEGIN TRANSACTION";  // never inspected, but the failure must show
    EXPECT_FALSE(db.EjecutaConsultaSQL(sql, n));
    EXPECT_GT(db.gCnn.Errors().Count(), 0);
}

TEST_F(Sentencias, TransaccionRevertidaNoDejaRastro) {
    const long antes = ContarFilas(db, "MA_CUENTAS");
    {
        GuardaTransaccion t(db.gCnn);
        long n = 0;
        std::string a = "INSERT INTO MA_CUENTAS (CODIGO) VALUES ('9999')";
        std::string b = "DELETE MA_CUENTAS WHERE CODIGO = '1101'";
        ASSERT_TRUE(db.EjecutaConsultaSQL(a, n));
        ASSERT_TRUE(db.EjecutaConsultaSQL(b, n));
        EXPECT_EQ(ContarFilas(db, "MA_CUENTAS"), antes);
    }  // not confirmed: rolled back
    EXPECT_EQ(ContarFilas(db, "MA_CUENTAS"), antes);
    EXPECT_FALSE(db.ExisteEnTabla("MA_CUENTAS", "9999", "CODIGO"));
    EXPECT_TRUE(db.ExisteEnTabla("MA_CUENTAS", "1101", "CODIGO"));
}

TEST_F(Sentencias, SentenciaCompatibleVaciaLasDelServidor) {
    std::string a = "set nocount on";
    EXPECT_EQ(db.SentenciaCompatible(a), "");
    EXPECT_EQ(a, "");
    std::string b = "if not exists (select 1) create table x (a int)";
    EXPECT_EQ(db.SentenciaCompatible(b), "");
    std::string c = "INSERT INTO T VALUES (1)";
    EXPECT_EQ(db.SentenciaCompatible(c), "INSERT INTO T VALUES (1)");
    EXPECT_EQ(c, "INSERT INTO T VALUES (1)");
}

TEST_F(Sentencias, ConsultaRMuestraSoloLoInesperado) {
    long n = 0;
    std::string tabla = "SELECT * FROM NOEXISTE";
    EXPECT_FALSE(db.EjecutaConsultaRSQL(tabla, n));
    std::string sintaxis = "SELEC MAL";
    EXPECT_FALSE(db.EjecutaConsultaRSQL(sintaxis, n));
    EXPECT_TRUE(p->dialogos.empty());
    db.gCnn.Close();
    std::string cerrada = "SELECT 1";
    p->respuestas = {respuesta::kOk};
    EXPECT_FALSE(db.EjecutaConsultaRSQL(cerrada, n));
    ASSERT_EQ(p->dialogos.size(), 1u);
    EXPECT_EQ(p->dialogos[0].estilo, 16);
    EXPECT_EQ(p->dialogos[0].titulo, "Aviso al operador!!!");
    EXPECT_EQ(p->dialogos[0].texto, db.gCnn.Errors().Item(0).Descripcion);
    std::string trans = "COMMIT TRANSACTION";
    EXPECT_FALSE(db.EjecutaConsultaRSQL(trans, n));
    EXPECT_EQ(p->dialogos.size(), 1u);
}

TEST_F(Sentencias, AbrirRecordsetTraduceYAbre) {
    Recordset rs;
    std::string sql = "SELECT TOP 1 * FROM @Admin_MA_CUENTAS with(nolock) ORDER BY CODIGO";
    db.AbrirRecordset(sql, rs);
    EXPECT_EQ(sql, "SELECT TOP 1 * FROM MA_CUENTAS with(nolock) ORDER BY CODIGO");
    ASSERT_EQ(rs.State(), estado_objeto::kAbierto);
    EXPECT_EQ(rs.RecordCount(), 1);
    EXPECT_GE(p->eventosProcesados, 1);
    // Opening again on the same recordset closes it first.
    std::string otra = "SELECT CODIGO FROM CODIGOS ORDER BY CODIGO";
    db.AbrirRecordset(otra, rs);
    EXPECT_EQ(rs.Fields("CODIGO").Texto(), "00045");
    EXPECT_TRUE(p->dialogos.empty());
}

TEST_F(Sentencias, UnaRafagaDeAperturasNoCorreLosEventosTrasCadaUna) {
    Recordset rs;
    std::string sql;
    const int antes = p->eventosProcesados;
    for (int i = 0; i < 50; ++i) db.AbrirRecordset(sql = "SELECT CODIGO FROM CODIGOS", rs);
    const int rafaga = p->eventosProcesados - antes;
    EXPECT_GE(rafaga, 1);
    EXPECT_LE(rafaga, 25) << "fifty quick opens, events at most every interval";
    std::this_thread::sleep_for(DB_Dll::kIntervaloEventos + std::chrono::milliseconds(5));
    db.AbrirRecordset(sql = "SELECT CODIGO FROM CODIGOS", rs);
    EXPECT_EQ(p->eventosProcesados, antes + rafaga + 1) << "after a pause they run again";
}

TEST_F(Sentencias, AbrirRecordsetFallidoPreguntaYReintentaOIgnora) {
    Recordset rs;
    std::string sql = "SELECT * FROM NOEXISTE";
    p->Esperar("no such table: NOEXISTE", respuesta::kReintentar);
    p->Esperar("no such table: NOEXISTE", respuesta::kIgnorar);
    db.AbrirRecordset(sql, rs);
    ASSERT_EQ(p->dialogos.size(), 2u);
    EXPECT_EQ(p->dialogos[0].estilo, 18);
    EXPECT_EQ(p->dialogos[0].titulo, "SQLite - AbrirRecordset Aviso al operador!!! - 5 ");
    EXPECT_EQ(std::count(vistas.begin(), vistas.end(), sql), 2);
    EXPECT_EQ(rs.State(), estado_objeto::kCerrado);
    EXPECT_TRUE(std::filesystem::exists(db.gLogErr));
}

TEST_F(Sentencias, CierraRecordsetCancelaLaFilaPendiente) {
    Recordset rs;
    std::string sql = "SELECT * FROM MA_CUENTAS";
    db.AbrirRecordset(sql, rs, nullptr, cursor::kKeyset, bloqueo::kOptimista);
    ASSERT_EQ(rs.State(), estado_objeto::kAbierto);
    rs.AddNew();
    rs.Poner("CODIGO", std::string("7777"));
    db.CierraRecordset(rs);
    EXPECT_EQ(rs.State(), estado_objeto::kCerrado);
    db.CierraRecordset(rs);  // already closed: nothing happens
    EXPECT_TRUE(p->dialogos.empty());
    EXPECT_FALSE(db.ExisteEnTabla("MA_CUENTAS", "7777", "CODIGO"));
}

// ---- A dropped connection ----------------------------------------------------------------

class ConexionPerdida : public ::testing::Test {
  protected:
    void SetUp() override {
        Preparar(db, carpeta, "EMP");
        db.gLogErr = carpeta.Ruta() + "/errores.log";
        InstalarMotorFallon(db, carpeta.Base("EMP"), guion);
        db.OpenServerADODB(false, 2, "", false, false);
        ASSERT_TRUE(db.gOpenFlag);
        guion.aperturas = 0;
    }
    long Insertar(std::string sql = "INSERT INTO CODIGOS VALUES ('00999')") {
        long n = 0;
        ok = db.EjecutaConsultaSQL(sql, n);
        return n;
    }
    ConPlataformaGuionada p;
    CarpetaTemporal carpeta;
    DB_Dll db;
    Guion guion;
    bool ok = false;
};

TEST_F(ConexionPerdida, ComandoSeRepiteTrasReconectar) {
    guion.fallasRed = 2;
    EXPECT_EQ(Insertar(), 1);
    EXPECT_TRUE(ok);
    EXPECT_EQ(guion.aperturas, 2);
    EXPECT_EQ(guion.sentencias.size(), 3u);
    EXPECT_TRUE(db.gOpenFlag);
    EXPECT_TRUE(p->dialogos.empty());
    EXPECT_EQ(db.BuscaMaximo("CODIGOS", "CODIGO"), "00999");
}

TEST_F(ConexionPerdida, ComandoSeRepiteDosVecesComoMaximo) {
    guion.fallasRed = 5;
    Insertar();
    EXPECT_FALSE(ok);
    EXPECT_EQ(guion.sentencias.size(), 3u);  // the first run and two repeats
    EXPECT_EQ(guion.aperturas, 3);
    ASSERT_EQ(db.gCnn.Errors().Count(), 1);
    EXPECT_EQ(db.gCnn.Errors().Item(0).Nativo, 11);
    EXPECT_TRUE(p->dialogos.empty());
}

TEST_F(ConexionPerdida, SinReconexionPreguntaYSiReintenta) {
    guion.fallasRed = 1;
    guion.aperturasFallidas = 4;  // the first reconnection and three more attempts
    p->respuestas.push_back(respuesta::kSi);
    db.gServidor = "SRV01";
    EXPECT_EQ(Insertar(), 1);
    EXPECT_TRUE(ok);
    EXPECT_EQ(guion.aperturas, 5);
    ASSERT_EQ(p->dialogos.size(), 1u);
    EXPECT_EQ(p->dialogos[0].texto,
              "\r\n\r\n\r\nSe perdio la conexion con la base de datos EMP\r\n Servidor SRV01"
              "\r\n\r\nElija SI para reintentar conectarse\r\nElija NO para cerrar la aplicacion"
              "\r\n\r\n\r\n");
    EXPECT_EQ(p->dialogos[0].titulo, "AVISO AL OPERADOR");
    EXPECT_EQ(p->dialogos[0].estilo, 20);
}

TEST_F(ConexionPerdida, SiSinExitoVuelveAPreguntarYNoTerminaElPrograma) {
    guion.fallasRed = 1;
    guion.aperturasFallidas = 100;
    p->Esperar("Se perdio la conexion con la base de datos EMP", respuesta::kSi);
    p->Esperar("Se perdio la conexion con la base de datos EMP", respuesta::kNo);
    EXPECT_THROW(Insertar(), ProgramaTerminado);
    EXPECT_EQ(p->dialogos.size(), 2u);
    EXPECT_TRUE(p->codigoFin.has_value());
    EXPECT_EQ(guion.aperturas, 5);  // 1 + 3 before the question, 1 after the "Yes"
}

TEST_F(ConexionPerdida, TransaccionNuncaMiraLaColeccion) {
    guion.fallasRed = 1;
    std::string sql = "BEGIN TRANSACTION";
    long n = 0;
    EXPECT_FALSE(db.EjecutaConsultaSQL(sql, n));
    EXPECT_EQ(guion.aperturas, 0);
    EXPECT_EQ(db.gCnn.Errors().Item(0).Nativo, 11);
}

TEST_F(ConexionPerdida, TruncamientoFallidoQuedaEnLaColeccion) {
    guion.fallasTruncamiento = 1;
    Insertar();
    EXPECT_FALSE(ok);
    ASSERT_EQ(db.gCnn.Errors().Count(), 1);  // the row was not written: the caller must know
    EXPECT_EQ(db.gCnn.Errors().Item(0).Nativo, 8152);
    EXPECT_EQ(db.BuscaMaximo("CODIGOS", "CODIGO"), "00123");
    EXPECT_TRUE(p->dialogos.empty());
}

TEST_F(ConexionPerdida, AbrirRecordsetNoRepiteTrasLaPrimeraReconexion) {
    guion.fallasRed = 1;
    p->respuestas.push_back(respuesta::kReintentar);
    Recordset rs;
    std::string sql = "SELECT * FROM CODIGOS";
    db.AbrirRecordset(sql, rs);
    EXPECT_EQ(guion.aperturas, 1);
    ASSERT_EQ(p->dialogos.size(), 1u);  // the error dialog, where the operator chose retry
    EXPECT_NE(p->dialogos[0].titulo.find("AbrirRecordset"), std::string::npos);
    EXPECT_EQ(rs.State(), estado_objeto::kAbierto);
    EXPECT_EQ(guion.sentencias.size(), 2u);
}

TEST_F(ConexionPerdida, AbrirRecordsetSinReconexionUnIntentoMasYLaPregunta) {
    guion.fallasRed = 1;
    guion.aperturasFallidas = 2;
    p->respuestas.push_back(respuesta::kSi);
    Recordset rs;
    std::string sql = "SELECT * FROM CODIGOS";
    db.AbrirRecordset(sql, rs);
    EXPECT_EQ(guion.aperturas, 3);
    ASSERT_EQ(p->dialogos.size(), 1u);
    EXPECT_EQ(p->dialogos[0].titulo, "AVISO AL OPERADOR");
    EXPECT_EQ(rs.State(), estado_objeto::kAbierto);
}

TEST_F(ConexionPerdida, BusquedaReconectaYRepite) {
    // DatosTabla opens its rows as every recordset is opened: reconnected, then the operator's
    // Retry repeats the statement.
    guion.fallasRed = 1;
    p->respuestas.push_back(respuesta::kReintentar);
    EXPECT_EQ(db.DatosTabla("MA_CUENTAS", "1101", "DESCRIPCION", "CODIGO"), "Caja");
    EXPECT_EQ(guion.aperturas, 1);
    ASSERT_EQ(p->dialogos.size(), 1u);
    EXPECT_NE(p->dialogos[0].titulo.find("AbrirRecordset"), std::string::npos);
    // The existence test reconnects and repeats without asking.
    guion.fallasRed = 1;
    EXPECT_TRUE(db.ExisteEnTabla("MA_CUENTAS", "1101", "CODIGO"));
    EXPECT_EQ(guion.aperturas, 2);
    EXPECT_EQ(p->dialogos.size(), 1u);
}
