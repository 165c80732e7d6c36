// The rewriting of the server's statements for Oracle and the cutting of scripts, as text:
// no Oracle server is reachable from the tests.
#include <gtest/gtest.h>

#include "Dialecto.h"
#include "DialectoOracle.h"

using namespace data;

using data::PartirGuionOracle;
using data::TraducirOracle;

namespace {

struct Caso {
    const char* regla;
    const char* sql;
    const char* oracle;
};

const Caso kReglas[] = {
    // Nothing is appended inside a text the statement leaves open.
    {"TOP con texto sin cerrar", "SELECT TOP 1 X FROM T WHERE A = 'abc",
     "SELECT X FROM T WHERE A = 'abc"},
    {"TOP sin WHERE", "SELECT TOP 1 * FROM MA_MODELOS",
     "SELECT * FROM MA_MODELOS WHERE ROWNUM <= 1"},
    {"TOP con WHERE", "SELECT TOP 1  * FROM T with(nolock)  WHERE A = 1",
     "SELECT * FROM T   WHERE A = 1 AND ROWNUM <= 1"},
    {"TOP con OR en la condición", "SELECT TOP 1 * FROM T WHERE A = 1 OR B = 2",
     "SELECT * FROM T WHERE (A = 1 OR B = 2) AND ROWNUM <= 1"},
    {"TOP con ORDER BY cuenta las filas ordenadas",
     "SELECT TOP 1000 DESCRIPCION, CODIGO FROM MA_CUENTAS ORDER BY DESCRIPCION",
     "SELECT * FROM (SELECT DESCRIPCION, CODIGO FROM MA_CUENTAS ORDER BY DESCRIPCION) WHERE "
     "ROWNUM <= 1000"},
    {"TOP con DISTINCT", "SELECT DISTINCT TOP 5 A FROM T",
     "SELECT * FROM (SELECT DISTINCT A FROM T) WHERE ROWNUM <= 5"},
    {"TOP 100 PERCENT no limita", "SELECT * FROM (SELECT TOP 100 PERCENT A FROM T ORDER BY A) V",
     "SELECT * FROM (SELECT A FROM T ORDER BY A) V"},
    {"TOP en una subconsulta", "SELECT A FROM T WHERE B IN (SELECT TOP (5) B FROM U) AND C = 1",
     "SELECT A FROM T WHERE B IN (SELECT B FROM U WHERE ROWNUM <= 5) AND C = 1"},
    {"LEN", "SELECT LEN(CODIGO), X FROM T WHERE LEN    (X) > 0",
     "SELECT LENGTH(CODIGO), X FROM T WHERE LENGTH    (X) > 0"},
    {"corchetes", "SELECT [NUMERO ASIENTO], [DEBE-HABER] FROM T",
     "SELECT \"NUMERO ASIENTO\", \"DEBE-HABER\" FROM T"},
    {"pistas de bloqueo y dueño", "SELECT * FROM dbo.T WITH (NOLOCK, READPAST) WHERE A = 1",
     "SELECT * FROM T  WHERE A = 1"},
    {"GETDATE", "UPDATE T SET A = GETDATE() WHERE B = 1", "UPDATE T SET A = SYSDATE WHERE B = 1"},
    {"ISNULL y SUBSTRING", "SELECT ISNULL(A, 0), SUBSTRING(B, 1, 2) FROM T",
     "SELECT NVL(A, 0), SUBSTR(B, 1, 2) FROM T"},
    {"CHARINDEX busca en el segundo argumento", "SELECT CHARINDEX('-', CODIGO, 2) FROM T",
     "SELECT INSTR(CODIGO, '-', 2) FROM T"},
    {"CONVERT a texto con estilo 103 y a número",
     "SELECT CONVERT(NVARCHAR, FECHA, 103), CONVERT(INT, NUMERO) FROM T",
     "SELECT TO_CHAR(FECHA,'DD/MM/YYYY'), TO_NUMBER(NUMERO) FROM T"},
    {"+ junto a un texto", "SELECT 'A' + NOMBRE, X + 1 FROM T",
     "SELECT 'A' || NOMBRE, X + 1 FROM T"},
    {"fecha comparada con un texto de fecha",
     "SELECT * FROM MV_ASIENTOS WHERE FECHA >= '2025-01-01 00:00:00'",
     "SELECT * FROM MV_ASIENTOS WHERE TO_DATE(TO_CHAR(FECHA,'DD/MM/YYYY'),'DD/MM/YYYY') >= "
     "TO_DATE('01/01/2025','DD/MM/YYYY')"},
    {"fecha calificada a la derecha", "SELECT * FROM C WHERE '31/12/25' >= C.FECHA_HASTA",
     "SELECT * FROM C WHERE TO_DATE('31/12/2025','DD/MM/YYYY') >= "
     "TO_DATE(TO_CHAR(C.FECHA_HASTA,'DD/MM/YYYY'),'DD/MM/YYYY')"},
    {"columna entre comillas y BETWEEN",
     "SELECT * FROM E WHERE [Fecha Desde] BETWEEN '2025-01-01' AND '2025-12-31'",
     "SELECT * FROM E WHERE TO_DATE(TO_CHAR(\"Fecha Desde\",'DD/MM/YYYY'),'DD/MM/YYYY') BETWEEN "
     "TO_DATE('01/01/2025','DD/MM/YYYY') AND TO_DATE('31/12/2025','DD/MM/YYYY')"},
    {"texto de fecha en una columna que no es fecha",
     "SELECT * FROM TA_CONFIGURACION WHERE VALOR = '01/01/2025'",
     "SELECT * FROM TA_CONFIGURACION WHERE VALOR = '01/01/2025'"},
    {"fecha imposible", "SELECT * FROM T WHERE FECHA = '31/02/2025'",
     "SELECT * FROM T WHERE TO_DATE(TO_CHAR(FECHA,'DD/MM/YYYY'),'DD/MM/YYYY') = '31/02/2025'"},
    {"fecha insertada conserva la hora",
     "INSERT INTO Control_Acceso (Maquina, Ingreso) VALUES ('PC1', '2025-03-01 10:00:05')",
     "INSERT INTO Control_Acceso (Maquina, Ingreso) VALUES ('PC1', TO_DATE('01/03/2025 "
     "10:00:05','DD/MM/YYYY HH24:MI:SS'))"},
    {"fecha asignada en UPDATE",
     "UPDATE MA_MODELOS SET fechahora_modificacion = '2025-03-01 10:00:00' WHERE NOMBRE = 'X'",
     "UPDATE MA_MODELOS SET fechahora_modificacion = TO_DATE('01/03/2025 "
     "10:00:00','DD/MM/YYYY HH24:MI:SS') WHERE NOMBRE = 'X'"},
    {"texto vacío tras WHERE", "UPDATE T SET A = '' WHERE B = '' AND C<>''",
     "UPDATE T SET A = '' WHERE B IS NULL AND C IS NOT NULL"},
    {"literales intactos", "SELECT * FROM T WHERE A = 'TOP 5 [x] LEN(y) with(nolock) + ISNULL('",
     "SELECT * FROM T WHERE A = 'TOP 5 [x] LEN(y) with(nolock) + ISNULL('"},
    {"una sola palabra: solo LEN", "LEN([X])", "LENGTH([X])"},
};

TEST(TraduccionOracle, UnaReglaPorFila) {
    for (const Caso& c : kReglas) {
        const std::string r = TraducirOracle(c.sql);
        EXPECT_EQ(r, c.oracle) << c.regla;
        EXPECT_EQ(TraducirOracle(r), r) << c.regla << ": traducir otra vez cambia el texto";
    }
}

TEST(TraduccionOracle, CasosCombinados) {
    const Caso casos[] = {
        {"TOP con WHERE, GROUP BY y ORDER BY, fecha y ISNULL",
         "SELECT TOP 10 CUENTA, SUM(IMPORTE) AS TOTAL FROM MV_ASIENTOS with(nolock) WHERE FECHA >= "
         "'01/01/2025' AND ISNULL(DETALLE, '') = '' GROUP BY CUENTA ORDER BY CUENTA",
         "SELECT * FROM (SELECT CUENTA, SUM(IMPORTE) AS TOTAL FROM MV_ASIENTOS  WHERE "
         "TO_DATE(TO_CHAR(FECHA,'DD/MM/YYYY'),'DD/MM/YYYY') >= TO_DATE('01/01/2025','DD/MM/YYYY') "
         "AND NVL(DETALLE, '') IS NULL GROUP BY CUENTA ORDER BY CUENTA) WHERE ROWNUM <= 10"},
        {"búsqueda de una fila por una columna de fecha y una cuenta",
         "SELECT TOP 1 *  FROM MV_ASIENTOS WHERE TIPO_REG = 'VEN' AND [NUMERO ASIENTO] = 1 and "
         "Fecha = '2025-01-10 00:00:00'",
         "SELECT *  FROM MV_ASIENTOS WHERE TIPO_REG = 'VEN' AND \"NUMERO ASIENTO\" = 1 and "
         "TO_DATE(TO_CHAR(Fecha,'DD/MM/YYYY'),'DD/MM/YYYY') = TO_DATE('10/01/2025','DD/MM/YYYY') "
         "AND ROWNUM <= 1"},
        {"funciones anidadas",
         "SELECT CHARINDEX(ISNULL([A B], ''), CONVERT(NVARCHAR, LEN(C))) FROM T",
         "SELECT INSTR(TO_CHAR(LENGTH(C)), NVL(\"A B\", '')) FROM T"},
    };
    for (const Caso& c : casos) {
        const std::string r = TraducirOracle(c.sql);
        EXPECT_EQ(r, c.oracle) << c.regla;
        EXPECT_EQ(TraducirOracle(r), r) << c.regla;
    }
}

TEST(TraduccionOracle, LaAdaptacionAOracleEsEstaTraduccion) {
    const std::string sql = "SELECT TOP 1 * FROM [T] with(nolock)";
    EXPECT_EQ(AdaptarSentencia(sql, Dialecto::Oracle), "SELECT * FROM \"T\" WHERE ROWNUM <= 1 ");
}

struct CasoGuion {
    const char* regla;
    const char* guion;
    std::vector<std::string> sentencias;
};

TEST(GuionOracle, NormalizaYParteEnSentencias) {
    const CasoGuion casos[] = {
        {"NOCOUNT, GO y saltos",
         "SET NOCOUNT ON\r\nINSERT INTO T\r\nVALUES (1)\r\nGO\r\nDELETE T WHERE A = 1\nGO\n"
         "SET NOCOUNT OFF",
         {"INSERT INTO T VALUES (1)", "DELETE T WHERE A = 1"}},
        {"transacciones",
         "BEGIN TRANSACTION UPDATE T SET A = 1 COMMIT TRANSACTION BEGIN TRAN DROP TABLE X "
         "ROLLBACK TRANS",
         {"SET TRANSACTION", "UPDATE T SET A = 1", "COMMIT", "SET TRANSACTION", "DROP TABLE X",
          "ROLLBACK"}},
        {"palabras dentro de un texto",
         "INSERT INTO T VALUES ('DELETE FROM X;\r\nGO\r\nUPDATE ')",
         {"INSERT INTO T VALUES ('DELETE FROM X;\r\nGO\r\nUPDATE ')"}},
        {"palabras que siguen una cláusula",
         "CREATE TABLE T (A INT REFERENCES U ON DELETE CASCADE ON UPDATE CASCADE) ALTER TABLE T "
         "DROP COLUMN B",
         {"CREATE TABLE T (A INT REFERENCES U ON DELETE CASCADE ON UPDATE CASCADE)",
          "ALTER TABLE T DROP COLUMN B"}},
        {"IF EXIST y GRANT",
         "IF NOT EXISTS (SELECT 1 FROM T) CREATE TABLE T (A INT) GRANT SELECT ON T TO PUBLIC",
         {"IF NOT EXISTS (SELECT 1 FROM T)", "CREATE TABLE T (A INT)",
          "GRANT SELECT ON T TO PUBLIC"}},
        {"punto y coma final y texto antes de la primera palabra",
         "SELECT 1 FROM DUAL; INSERT INTO T VALUES (1); insert into T values (2);",
         {"SELECT 1 FROM DUAL", "INSERT INTO T VALUES (1)", "insert into T values (2)"}},
        {"COMMIT solo como palabra entera",
         "SET TRANSACTION ISOLATION LEVEL READ COMMITTED",
         {"SET TRANSACTION ISOLATION LEVEL READ COMMITTED"}},
    };
    for (const CasoGuion& c : casos) EXPECT_EQ(PartirGuionOracle(c.guion), c.sentencias) << c.regla;
}

}  // namespace
