#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

#include "ImporteExacto.h"
#include "PlataformaGuionada.h"
#include "test_dbdll_comun.h"

using namespace prueba;

class Busquedas : public ::testing::Test {
  protected:
    void SetUp() override {
        Preparar(db, carpeta, "EMP");
        db.gLogErr = carpeta.Ruta() + "/errores.log";
        db.OpenServerADODB(false, 2, "", false, false);
        ASSERT_TRUE(db.gOpenFlag);
        db.gCnn.Observador = [this](const std::string& s) { vistas.push_back(s); };
    }
    std::string Ultima() const { return vistas.empty() ? std::string() : vistas.back(); }
    ConPlataformaGuionada p;
    CarpetaTemporal carpeta;
    DB_Dll db;
    std::vector<std::string> vistas;
};

TEST_F(Busquedas, ExisteEnTablaTextoRecortado) {
    EXPECT_TRUE(db.ExisteEnTabla("MA_CUENTAS", " 1101 ", "CODIGO"));
    EXPECT_EQ(Ultima(),
              "SELECT TOP 1  * FROM MA_CUENTAS with(nolock)  WHERE LTRIM(RTRIM(CODIGO)) ='1101'");
    EXPECT_TRUE(db.ExisteEnTabla("MA_CUENTAS", "2101", "CODIGO"));  // stored with blanks
    EXPECT_FALSE(db.ExisteEnTabla("MA_CUENTAS", "3101", "CODIGO"));
    EXPECT_FALSE(db.ExisteEnTabla("@Admin_MA_CUENTAS", "3101", "CODIGO"));
    EXPECT_EQ(Ultima(),
              "SELECT TOP 1  * FROM MA_CUENTAS with(nolock)  WHERE LTRIM(RTRIM(CODIGO)) ='3101'");
    EXPECT_TRUE(p->dialogos.empty());
}

TEST_F(Busquedas, ExisteEnTablaNumeroFechaYCondicion) {
    EXPECT_TRUE(db.ExisteEnTabla("MA_CUENTAS", " 150,50 ", "IMPORTE", nullptr, tipodato::kReal));
    EXPECT_EQ(Ultima(), "SELECT TOP 1 * FROM MA_CUENTAS with(nolock)  WHERE IMPORTE = 150.5 ");
    EXPECT_FALSE(db.ExisteEnTabla("MA_CUENTAS", "7", "IMPORTE", nullptr, tipodato::kEntero));
    db.ExisteEnTabla("MA_CUENTAS", " 20240315 ", "IMPORTE", nullptr, tipodato::kFecha);
    EXPECT_EQ(Ultima(), "SELECT TOP 1 * FROM MA_CUENTAS with(nolock)  WHERE IMPORTE = 20240315 ");
    EXPECT_TRUE(db.ExisteEnTabla("MA_CUENTAS", "", "", nullptr, 8, "CODIGO = 'NULA'"));
    EXPECT_EQ(Ultima(), "SELECT TOP 1 * FROM MA_CUENTAS with(nolock)  WHERE CODIGO = 'NULA'");
    EXPECT_TRUE(db.ExisteEnTabla("MA_CUENTAS", "", "", nullptr, 8, " WHERE CODIGO = 'NULA'"));
    EXPECT_EQ(Ultima(), "SELECT TOP 1 * FROM MA_CUENTAS with(nolock)   WHERE CODIGO = 'NULA'");
    EXPECT_TRUE(p->dialogos.empty());
}

TEST_F(Busquedas, ExisteEnTablaDejaLaFilaEnElRecordset) {
    Recordset rs;
    rs.CursorType = cursor::kKeyset;
    rs.LockType = bloqueo::kOptimista;
    EXPECT_TRUE(db.ExisteEnTabla("MA_CUENTAS", "1101", "CODIGO", &rs));
    ASSERT_EQ(rs.State(), estado_objeto::kAbierto);
    EXPECT_EQ(rs.Fields("DESCRIPCION").Texto(), "Caja");
    EXPECT_EQ(rs.LockType, bloqueo::kOptimista);  // the recordset's own types when not read-only
    EXPECT_FALSE(db.ExisteEnTabla("MA_CUENTAS", "0000", "CODIGO", &rs, 8, "", true));
    EXPECT_EQ(rs.State(), estado_objeto::kAbierto);
    EXPECT_EQ(rs.LockType, bloqueo::kSoloLectura);
}

TEST_F(Busquedas, ApostrofesDelValorSeDuplican) {
    EXPECT_TRUE(db.ExisteEnTabla("MA_CUENTAS", "O'HARA", "CODIGO"));
    EXPECT_EQ(
        Ultima(),
        "SELECT TOP 1  * FROM MA_CUENTAS with(nolock)  WHERE LTRIM(RTRIM(CODIGO)) ='O''HARA'");
    EXPECT_TRUE(db.ExisteEnTablaST("MA_CUENTAS", "O'HARA", "CODIGO"));
    EXPECT_EQ(Ultima(), "SELECT * FROM MA_CUENTAS with(nolock)   WHERE CODIGO ='O''HARA'");
    EXPECT_EQ(db.DatosTabla("MA_CUENTAS", "O'HARA", "DESCRIPCION", "CODIGO"), "Cliente O'Hara");
    EXPECT_EQ(db.DatosTabla("MA_CUENTAS", " O'HARA ", "DESCRIPCION", "CODIGO", 8, "", true),
              "Cliente O'Hara");
    const std::string ataque = "x'; DROP TABLE MA_CUENTAS; --";
    EXPECT_FALSE(db.ExisteEnTabla("MA_CUENTAS", ataque, "CODIGO"));
    EXPECT_FALSE(db.ExisteEnTablaST("MA_CUENTAS", ataque, "CODIGO"));
    EXPECT_EQ(db.DatosTabla("MA_CUENTAS", ataque, "DESCRIPCION", "CODIGO"), "");
    EXPECT_TRUE(p->dialogos.empty());
    EXPECT_TRUE(db.ExisteTablaDB("MA_CUENTAS"));
    EXPECT_TRUE(db.ExisteEnTabla("MA_CUENTAS", "1101", "CODIGO"));
}

TEST_F(Busquedas, ExisteEnTablaSTNoRecortaNiTraduce) {
    EXPECT_FALSE(db.ExisteEnTablaST("MA_CUENTAS", "2101", "CODIGO"));
    EXPECT_TRUE(db.ExisteEnTablaST("MA_CUENTAS", "1101", "CODIGO"));
    EXPECT_EQ(Ultima(), "SELECT * FROM MA_CUENTAS with(nolock)   WHERE CODIGO ='1101'");
    EXPECT_TRUE(db.ExisteEnTablaST("MA_CUENTAS", "", "", nullptr, 8, "CODIGO = '1101'"));
    EXPECT_EQ(Ultima(), "SELECT * FROM MA_CUENTAS with(nolock)   WHERE CODIGO = '1101'");
}

TEST_F(Busquedas, DatosTablaEncontradoNoEncontradoYNulo) {
    EXPECT_EQ(db.DatosTabla("MA_CUENTAS", "1101", "DESCRIPCION", "CODIGO"), "Caja");
    EXPECT_EQ(Ultima(), "SELECT TOP 1 * FROM MA_CUENTAS with(nolock)  WHERE CODIGO ='1101' ");
    const auto falta = db.DatosTabla("MA_CUENTAS", "4444", "DESCRIPCION", "CODIGO");
    ASSERT_TRUE(falta.has_value());  // "" and not Empty
    EXPECT_EQ(*falta, "");
    EXPECT_EQ(db.DatosTabla("MA_CUENTAS", "NULA", "DESCRIPCION", "CODIGO"), "");
    EXPECT_EQ(db.DatosTabla("MA_CUENTAS", " 2101 ", "descripcion", "CODIGO", '\'', "", true),
              "Proveedores");
    EXPECT_EQ(Ultima(),
              "SELECT TOP 1 * FROM MA_CUENTAS with(nolock)  WHERE "
              "LTRIM(RTRIM(CODIGO)) ='2101' ");
    EXPECT_EQ(db.DatosTabla("MA_CUENTAS", "10", "CODIGO", "IMPORTE", tipodato::kLargo,
                            "DESCRIPCION IS NOT NULL"),
              "O'HARA");
    EXPECT_EQ(Ultima(),
              "SELECT TOP 1 * FROM MA_CUENTAS with(nolock)  WHERE IMPORTE = 10 AND "
              "DESCRIPCION IS NOT NULL");
    EXPECT_EQ(db.DatosTabla("MA_CUENTAS", "1101", "DESCRIPCION", "CODIGO", 8, "   "), "Caja");
    EXPECT_EQ(Ultima(), "SELECT TOP 1 * FROM MA_CUENTAS with(nolock)  WHERE CODIGO ='1101'    ");
    EXPECT_TRUE(p->dialogos.empty());
}

// The statement of a look-up for each kind of key: texts between apostrophes (doubled inside,
// trimmed when asked), dates between hashes, numbers in their shortest form, anything else as
// given; a condition joined with AND unless blank. Failures are ignored: only the text counts.
TEST_F(Busquedas, DatosTablaEscribeLaSentenciaDeCadaTipoDeClave) {
    struct Caso {
        int tipo;
        const char* valor;
        const char* condicion;
        bool recortar;
        const char* donde;  // what follows "WHERE "
    } casos[] = {
        {tipodato::kTexto, "O'Hara ", "", false, "CODIGO ='O''Hara ' "},
        {tipodato::kApostrofe, "''", "", false, "CODIGO ='''''' "},
        {tipodato::kTexto, "  O'Hara ", "NIVEL = 1", true,
         "LTRIM(RTRIM(CODIGO)) ='O''Hara'  AND NIVEL = 1"},
        {tipodato::kTexto, "   ", "", true, "LTRIM(RTRIM(CODIGO)) ='' "},
        {tipodato::kFecha, " 2024-03-15 ", "", false, "CODIGO = #2024-03-15# "},
        {tipodato::kReal, " 12.50", "NIVEL = 2", false, "CODIGO = 12.5 AND NIVEL = 2"},
        {tipodato::kEntero, "7", "  ", false, "CODIGO = 7  "},
        {11, " x ", "", false, "CODIGO =  x "},
    };
    for (const Caso& c : casos) {
        db.DatosTabla("MA_CUENTAS", c.valor, "DESCRIPCION", "CODIGO", c.tipo, c.condicion,
                      c.recortar, true);
        EXPECT_EQ(Ultima(),
                  std::string("SELECT TOP 1 * FROM MA_CUENTAS with(nolock)  WHERE ") + c.donde)
            << c.valor;
    }
    EXPECT_TRUE(p->dialogos.empty());
}

TEST_F(Busquedas, DatosTablaFallidaPreguntaOIgnoraEnSilencio) {
    const auto ignorado = db.DatosTabla("NOEXISTE", "1", "A", "B", 8, "", false, true);
    ASSERT_TRUE(ignorado.has_value());
    EXPECT_EQ(*ignorado, "");
    EXPECT_TRUE(p->dialogos.empty());

    // The statement is opened as every recordset is: the data layer's error dialog, one log
    // line per answer, Retry repeating the statement; no second dialog after Abort.
    p->Esperar("no such table: NOEXISTE", respuesta::kReintentar);
    p->Esperar("no such table: NOEXISTE", respuesta::kAbortar);
    const auto abortado = db.DatosTabla("NOEXISTE", "1", "A", "B");
    EXPECT_FALSE(abortado.has_value());
    ASSERT_EQ(p->dialogos.size(), 2u);
    EXPECT_EQ(p->dialogos[0].estilo, 18);
    EXPECT_NE(p->dialogos[0].titulo.find(" - AbrirRecordset Aviso al operador!!! - 5 "),
              std::string::npos);
    std::stringstream log;
    log << std::ifstream(db.gLogErr).rdbuf();
    EXPECT_NE(log.str().find("Respondió : Reintentar\r\n"), std::string::npos) << log.str();
    EXPECT_NE(log.str().find("Respondió : Abortar\r\n"), std::string::npos) << log.str();

    p->Esperar("no such table: NOEXISTE", respuesta::kAbortar);
    EXPECT_FALSE(db.ExisteEnTabla("NOEXISTE", "1", "A"));
    EXPECT_EQ(p->dialogos.size(), 3u);
}

TEST_F(Busquedas, DatosTablaSinConexionUsableDaVacio) {
    db.gOpenFlag = false;
    EXPECT_FALSE(db.DatosTabla("MA_CUENTAS", "1101", "DESCRIPCION", "CODIGO").has_value());
}

TEST_F(Busquedas, MaximosYMinimos) {
    EXPECT_EQ(db.BuscaUltimoCodigo("CODIGOS", "CODIGO")->TextoCorto(), "123");
    EXPECT_EQ(Ultima(), "SELECT MAX(CODIGO) AS MAYOR FROM CODIGOS");
    EXPECT_EQ(db.BuscaUltimoCodigo("CODIGOS", "CODIGO", 0, "CODIGO < '001'")->TextoCorto(), "45");
    EXPECT_EQ(Ultima(), "SELECT MAX(CODIGO) AS MAYOR FROM CODIGOS WHERE CODIGO < '001'");
    EXPECT_FALSE(db.BuscaUltimoCodigo("VACIA", "CODIGO").has_value());
    EXPECT_EQ(db.BuscaMaximo("CODIGOS", "CODIGO"), "00123");
    EXPECT_EQ(db.BuscaMaximo("CODIGOS", "CODIGO", 3), "123");
    EXPECT_EQ(db.BuscaMinimo("CODIGOS", "CODIGO", std::nullopt, " CODIGO > '0' ")->TextoCorto(),
              "45");
    EXPECT_EQ(Ultima(),
              "SELECT MIN(CODIGO) AS MENOR FROM CODIGOS  with(nolock)  WHERE CODIGO > '0'");
    EXPECT_THROW(db.BuscaUltimoCodigo("NOEXISTE", "X"), ErrorEjecucion);
}

TEST_F(Busquedas, CatalogoDeTablasYColumnas) {
    EXPECT_TRUE(db.ExisteTablaDB(" ma_cuentas "));
    EXPECT_FALSE(db.ExisteTablaDB("MA_CUENTA"));
    EXPECT_TRUE(db.ExisteCampoDB("MA_CUENTAS", " descripcion "));
    EXPECT_FALSE(db.ExisteCampoDB("MA_CUENTAS", "NOMBRE"));
    db.gProveedor = "OraOLEDB.Oracle.1";
    EXPECT_TRUE(db.ExisteCampoDB("MA_CUENTAS", "NOMBRE"));
}

// Ordinary data errors of a statement run inside a transaction are reported as what they are
// (the operator's dialog), never taken for a lost link: the connection is not reopened, so
// the transaction and what it already wrote survive to the commit.
TEST_F(Busquedas, ErrorDeDatosEnTransaccionNoReconecta) {
    const std::pair<const char*, long> casos[] = {
        {"SELECT abs(-9223372036854775808) AS X", static_cast<long>(0x80040E07)},  // overflow
        {"SELECT json('no es json') AS X", errnum::kEFail}};
    long n = 0;
    std::string antes = "INSERT INTO VACIA (CODIGO) VALUES ('ANTES')";
    db.gCnn.BeginTrans();
    ASSERT_TRUE(db.EjecutaConsultaSQL(antes, n));
    for (const auto& [sentencia, numero] : casos) {
        p->respuestas = {respuesta::kAbortar};
        Recordset rs;
        std::string sql = sentencia;
        db.AbrirRecordset(sql, rs);
        ASSERT_FALSE(db.gCnn.Errors().Vacia()) << sql;
        EXPECT_EQ(db.gCnn.Errors().Item(0).Numero, numero) << sql;
        EXPECT_NE(db.gCnn.Errors().Item(0).Nativo, 11) << sql;
    }
    EXPECT_EQ(p->dialogos.size(), 2u);  // each reported to the operator
    EXPECT_NO_THROW(db.gCnn.CommitTrans());
    EXPECT_EQ(db.DatosTabla("VACIA", "ANTES", "CODIGO", "CODIGO"), "ANTES");
}

// The rule by which amounts are refused on the embedded engine agrees with the engine: what it
// calls exact comes back unchanged from a MONEY column, what it refuses comes back changed.
TEST_F(Busquedas, ImportesExactosSegunElMotorEmbebido) {
    for (const char* t :
         {"0.01", "1234567890123.45", "899999999999999", "12345678901.2345", "-9876543210987.65",
          "1234567890123.456", "12345678901234.56", "-98765432109876.54", "1000000000000.0001"}) {
        const Moneda m = *Moneda::Leer(t);
        long n = 0;
        std::string sql =
            "UPDATE MA_CUENTAS SET IMPORTE = '" + m.Formato(4) + "' WHERE CODIGO = '1101'";
        ASSERT_TRUE(db.EjecutaConsultaSQL(sql, n)) << t;
        const std::string leido =
            db.DatosTabla("MA_CUENTAS", "1101", "IMPORTE", "CODIGO").value_or("");
        const auto vuelta = Moneda::Leer(leido);  // 15 digits never leave the currency's range
        EXPECT_EQ(data::ImporteExactoEnMotor(m, Dialecto::Sqlite), vuelta && *vuelta == m)
            << t << " vuelve como " << leido;
    }
}
