// Adaptation of the program's statements to the embedded engine, text for text.
#include <gtest/gtest.h>

#include "Dialecto.h"
#include "LexicoSql.h"

using namespace data;

namespace {

std::string Sqlite(const std::string& sql) { return AdaptarSentencia(sql, Dialecto::Sqlite); }

TEST(Dialecto, LiteralesCortadosDeLaSentencia) {
    struct Caso {
        const char* sql;
        bool cortada;
        std::vector<std::string> partes, valores;
    };
    const Caso casos[] = {
        {"SELECT * FROM T WHERE A = 'x' AND B='it''s'",
         true,
         {"SELECT * FROM T WHERE A = ", " AND B=", ""},
         {"x", "it's"}},
        {"SELECT '' -- 'no'\nFROM T", true, {"SELECT ", " -- 'no'\nFROM T"}, {""}},
        {"SELECT \"it's\", [o'k], 'v' /* 'c' */",
         true,
         {"SELECT \"it's\", [o'k], ", " /* 'c' */"},
         {"v"}},
        {"SELECT * FROM T", false, {}, {}},
        {"SELECT N'x'", false, {}, {}},      // the N belongs to the literal
        {"SELECT x'41'", false, {}, {}},     // a blob
        {"SELECT 'a'b", false, {}, {}},      // glued to a name
        {"SELECT 'abc", false, {}, {}},      // never closes
        {"SELECT 'a' /* x", false, {}, {}},  // nor does the comment
        {"SELECT [a'", false, {}, {}},
    };
    // The same vectors take every cut, twice over: nothing of an earlier cut may remain.
    std::vector<std::string> partes, valores;
    for (int vuelta = 0; vuelta < 2; ++vuelta)
        for (const auto& c : casos) {
            EXPECT_EQ(CortarLiterales(c.sql, partes, valores), c.cortada) << c.sql;
            if (!c.cortada) continue;
            EXPECT_EQ(partes, c.partes) << c.sql;
            EXPECT_EQ(valores, c.valores) << c.sql;
        }
}

TEST(Dialecto, ServidorRecibeLaSentenciaTalCual) {
    const std::string sql =
        "SELECT TOP 1  * FROM dbo.[MA CUENTAS] with(nolock)  WHERE LTRIM(RTRIM(X)) ='a'";
    EXPECT_EQ(AdaptarSentencia(sql, Dialecto::SqlServer), sql);
}

TEST(Dialecto, TopPasaAlFinalComoLimit) {
    // The lookup's own statement: double blank after TOP 1, hint, trimmed comparison.
    EXPECT_EQ(
        Sqlite("SELECT TOP 1  * FROM MA_CUENTAS with(nolock)  WHERE LTRIM(RTRIM(CODIGO)) ='1101'"),
        "SELECT * FROM MA_CUENTAS   WHERE LTRIM(RTRIM(CODIGO)) ='1101' COLLATE SUITE_CI LIMIT 1");
    EXPECT_EQ(Sqlite("select top 1 * from T order by A desc"),
              "select * from T order by A desc LIMIT 1");
    EXPECT_EQ(Sqlite("SELECT TOP    10 A FROM T"), "SELECT A FROM T LIMIT 10");
    EXPECT_EQ(Sqlite("SELECT TOP (5) A FROM T;"), "SELECT A FROM T LIMIT 5;");
    EXPECT_EQ(Sqlite("SELECT DISTINCT TOP 3 A FROM T"), "SELECT DISTINCT A FROM T LIMIT 3");
    // A sub-query keeps its own limit inside its parentheses; calls in between do not count.
    EXPECT_EQ(
        Sqlite("SELECT A FROM T WHERE B IN (SELECT TOP 2 LTRIM(B) FROM U ORDER BY C) ORDER BY A"),
        "SELECT A FROM T WHERE B IN (SELECT LTRIM(B) FROM U ORDER BY C LIMIT 2) ORDER BY A");
    // A trailing line comment must not swallow the limit.
    EXPECT_EQ(Sqlite("SELECT TOP 1 A FROM T -- nota"), "SELECT A FROM T -- nota\n LIMIT 1");
    // A column called TOP and TOP n PERCENT are left alone; TOP 100 PERCENT limits nothing.
    EXPECT_EQ(Sqlite("SELECT TOP FROM T"), "SELECT TOP FROM T");
    EXPECT_EQ(Sqlite("SELECT TOP 5 PERCENT A FROM T"), "SELECT TOP 5 PERCENT A FROM T");
    EXPECT_EQ(Sqlite("SELECT     TOP 100 PERCENT A FROM T ORDER BY A"),
              "SELECT     A FROM T ORDER BY A");
}

TEST(Dialecto, PistasDeBloqueoYDboDesaparecen) {
    EXPECT_EQ(Sqlite("SELECT * FROM T WITH ( NoLock ) where x=1"), "SELECT * FROM T  where x=1");
    EXPECT_EQ(Sqlite("SELECT * FROM T with (nolock, rowlock)"), "SELECT * FROM T ");
    EXPECT_EQ(Sqlite("SELECT * FROM dbo.T JOIN [dbo].U ON 1=1"), "SELECT * FROM T JOIN U ON 1=1");
    // A common table expression is not a hint.
    EXPECT_EQ(Sqlite("WITH x AS (SELECT 1) SELECT * FROM x"),
              "WITH x AS (SELECT 1) SELECT * FROM x");
}

TEST(Dialecto, DeleteSinFromLoGana) {
    EXPECT_EQ(Sqlite("DELETE MA_MODELOS WHERE NOMBRE='A'"),
              "DELETE FROM MA_MODELOS WHERE NOMBRE='A'");
    EXPECT_EQ(Sqlite("DELETE  MA_MODELOS WHERE X=1"), "DELETE  FROM MA_MODELOS WHERE X=1");
    EXPECT_EQ(Sqlite("delete dbo.T where X=1"), "delete FROM T where X=1");
    EXPECT_EQ(Sqlite("DELETE FROM T WHERE X=1"), "DELETE FROM T WHERE X=1");
}

TEST(Dialecto, CorchetesPasanANombresCitados) {
    EXPECT_EQ(Sqlite("SELECT [DEBE-HABER], [a]]b], [x\"y] FROM [MA MODELOS]"),
              "SELECT \"DEBE-HABER\", \"a]b\", \"x\"\"y\" FROM \"MA MODELOS\"");
}

TEST(Dialecto, ComparacionRecortadaNombraLaColacion) {
    EXPECT_EQ(Sqlite("SELECT * FROM T WHERE LTRIM(NOMBRE) = 'x'"),
              "SELECT * FROM T WHERE LTRIM(NOMBRE) = 'x' COLLATE SUITE_CI");
    EXPECT_EQ(Sqlite("SELECT * FROM T WHERE 'x'<>rtrim(A) AND B='y'"),
              "SELECT * FROM T WHERE 'x' COLLATE SUITE_CI<>rtrim(A) AND B='y'");
    EXPECT_EQ(Sqlite("SELECT * FROM T WHERE LTRIM(RTRIM(A)) = N'ñ'"),
              "SELECT * FROM T WHERE LTRIM(RTRIM(A)) = 'ñ' COLLATE SUITE_CI");
    EXPECT_EQ(Sqlite("SELECT * FROM T WHERE LTRIM(A) = 'x' COLLATE BINARY"),
              "SELECT * FROM T WHERE LTRIM(A) = 'x' COLLATE BINARY");
    // Two trimmed columns: the collation follows the second call (a plain column keeps its own).
    EXPECT_EQ(Sqlite("SELECT * FROM M, C WHERE LTRIM(RTRIM(M.A)) = LTRIM(RTRIM(C.B)) AND X=1"),
              "SELECT * FROM M, C WHERE LTRIM(RTRIM(M.A)) = LTRIM(RTRIM(C.B)) COLLATE SUITE_CI "
              "AND X=1");
    EXPECT_EQ(Sqlite("SELECT * FROM M, C WHERE rtrim(M.A)<>ltrim(C.B) COLLATE BINARY"),
              "SELECT * FROM M, C WHERE rtrim(M.A)<>ltrim(C.B) COLLATE BINARY");
    EXPECT_EQ(Sqlite("SELECT LTRIM(A) FROM T WHERE LTRIM(A) = B"),
              "SELECT LTRIM(A) FROM T WHERE LTRIM(A) = B");
}

TEST(Dialecto, LiteralesYComentariosNoSeTocan) {
    const std::string sql =
        "INSERT INTO T VALUES ('SELECT TOP 1 [x] FROM dbo.y with(nolock) DELETE z WHERE ''q''', "
        "'O''Brien', \"dbo\", '')";
    EXPECT_EQ(Sqlite(sql), sql);
    EXPECT_EQ(Sqlite("SELECT 'a''', [b] FROM T /* [c] TOP 1 */"),
              "SELECT 'a''', \"b\" FROM T /* [c] TOP 1 */");
    // Unterminated texts are passed on (the engine reports them) without overrunning.
    EXPECT_EQ(Sqlite("SELECT 'abc"), "SELECT 'abc");
    EXPECT_EQ(Sqlite("SELECT [abc"), "SELECT \"abc\"");
    EXPECT_EQ(Sqlite(""), "");
}

TEST(Dialecto, FuncionesConNombreReservado) {
    EXPECT_EQ(Sqlite("SELECT ISNULL(A, '') , LEFT(B, 2), right (C,1) FROM T LEFT JOIN U ON 1=1 "
                     "WHERE A ISNULL"),
              "SELECT IFNULL(A, '') , SUITE_LEFT(B, 2), SUITE_RIGHT (C,1) FROM T LEFT JOIN U ON "
              "1=1 WHERE A ISNULL");
}

TEST(Dialecto, SumaJuntoATextoEsConcatenacion) {
    EXPECT_EQ(Sqlite("SELECT 'a' + B + 'c', B + 1, 'x'+'y' FROM T"),
              "SELECT 'a' || B || 'c', B + 1, 'x'||'y' FROM T");
}

TEST(Dialecto, TransaccionesDelServidor) {
    EXPECT_EQ(Sqlite("BEGIN TRAN"), "BEGIN IMMEDIATE TRANSACTION");
    EXPECT_EQ(Sqlite("begin transaction"), "BEGIN IMMEDIATE TRANSACTION");
    EXPECT_EQ(Sqlite("COMMIT TRAN"), "COMMIT TRANSACTION");
    EXPECT_EQ(Sqlite("ROLLBACK TRANSACTION"), "ROLLBACK TRANSACTION");
}

TEST(Dialecto, ColumnaDeTextoAgregadaLlevaLaColacion) {
    EXPECT_EQ(
        Sqlite("ALTER TABLE dbo.T ADD C varchar(10) Not Null  CONSTRAINT DF_T_C DEFAULT ('')"),
        "ALTER TABLE T ADD C varchar(10) COLLATE SUITE_CI Not Null  CONSTRAINT DF_T_C "
        "DEFAULT ('')");
    EXPECT_EQ(Sqlite("ALTER TABLE T ADD COLUMN C NTEXT Null "),
              "ALTER TABLE T ADD COLUMN C NTEXT COLLATE SUITE_CI Null ");
    EXPECT_EQ(Sqlite("ALTER TABLE T ADD N int Null "), "ALTER TABLE T ADD N int Null ");
}

TEST(Dialecto, TablaDeUnaConsultaSimple) {
    EXPECT_EQ(TablaDeConsulta("SELECT * FROM MA_MODELOS WHERE 1=0"), "MA_MODELOS");
    EXPECT_EQ(TablaDeConsulta("select a, (select 1 from x) from [dbo].[DEBE-HABER] with(nolock)"),
              "DEBE-HABER");
    EXPECT_EQ(TablaDeConsulta("SELECT TOP 1 * FROM dbo.T t ORDER BY A"), "T");
    EXPECT_EQ(TablaDeConsulta("SELECT * FROM \"MA MODELOS\""), "MA MODELOS");
    EXPECT_EQ(TablaDeConsulta("SELECT * FROM A, B"), "");
    EXPECT_EQ(TablaDeConsulta("SELECT * FROM A JOIN B ON 1=1"), "");
    EXPECT_EQ(TablaDeConsulta("SELECT * FROM A INNER JOIN B ON 1=1"), "");
    EXPECT_EQ(TablaDeConsulta("SELECT * FROM (SELECT 1) q"), "");
    EXPECT_EQ(TablaDeConsulta("SELECT * FROM A UNION SELECT * FROM B"), "");
    EXPECT_EQ(TablaDeConsulta("UPDATE A SET X=1"), "");
}

}  // namespace

namespace {

TEST(Dialecto, LaMarcaDeTablaSeQuitaSoloFueraDeLosLiterales) {
    struct Caso {
        const char* sql;
        const char* sinMarca;
        bool tieneMarca;  // outside the literals
    };
    const Caso casos[] = {
        {"UPDATE @Admin_TA_MENU SET X = 1", "UPDATE TA_MENU SET X = 1", true},
        {"select * from @ADMIN_ma_modelos", "select * from ma_modelos", true},
        {"SELECT * FROM MA_MODELOS WHERE NOMBRE = '@admin_sueldos'",
         "SELECT * FROM MA_MODELOS WHERE NOMBRE = '@admin_sueldos'", false},
        {"DELETE @Admin_MA_MODELOS WHERE NOMBRE = 'x@Admin_y''@admin_'",
         "DELETE MA_MODELOS WHERE NOMBRE = 'x@Admin_y''@admin_'", true},
        {"SELECT [@Admin_T].A FROM [@Admin_T]", "SELECT [T].A FROM [T]", true},
        {"SELECT '@Admin_", "SELECT '@Admin_", false},     // an unclosed literal runs to the end
        {"SELECT 'a'@Admin_'b'", "SELECT 'a' 'b'", true},  // two texts stay two
        {"SELECT 1 -@Admin_-1", "SELECT 1 - -1", true},    // no comment appears
        {"", "", false},
    };
    for (const Caso& c : casos) {
        SCOPED_TRACE(c.sql);
        EXPECT_EQ(QuitarMarcaFueraDeLiterales(c.sql, "@Admin_"), c.sinMarca);
        EXPECT_EQ(ContieneFueraDeLiterales(c.sql, "@ADMIN_"), c.tieneMarca);
    }
}

}  // namespace

namespace {

TEST(Dialecto, NadaSeAgregaDentroDeUnTextoSinCerrar) {
    // What the adapter appends (a row limit, a collation) would land inside the open text.
    EXPECT_EQ(Sqlite("SELECT TOP 1 X FROM T WHERE A = 'abc"), "SELECT X FROM T WHERE A = 'abc");
    EXPECT_EQ(Sqlite("SELECT TOP 1 X FROM T /* nota"), "SELECT X FROM T /* nota");
    EXPECT_EQ(Sqlite("SELECT X FROM T WHERE LTRIM(A) = 'ab''"),
              "SELECT X FROM T WHERE LTRIM(A) = 'ab''");
    EXPECT_EQ(Sqlite("SELECT TOP 2 X FROM T WHERE A = 'ab'"),
              "SELECT X FROM T WHERE A = 'ab' LIMIT 2");
    // Dropping an N prefix never joins two texts into one.
    EXPECT_EQ(Sqlite("SELECT 'a'N'b'"), "SELECT 'a' 'b'");
}

}  // namespace
