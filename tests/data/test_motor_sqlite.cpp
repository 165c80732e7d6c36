// The embedded engine on its own: the suite's text semantics, values and types, failure
// classes, lock waits, and the loadable extension.
#include <gtest/gtest.h>
#include <sqlite3.h>
#include <unistd.h>

#include <chrono>
#include <fstream>
#include <regex>

#include "MotorSqlite.h"
#include "SemanticaSqlite.h"
#include "Texto.h"
#include "test_motor_base.h"

using namespace helperlib;
using namespace data;

namespace {

class MotorSqlitePrueba : public ::testing::Test {
  protected:
    BaseTemporal base{kEsquemaPrueba};
    MotorSqlite motor{base.Ruta()};

    /// The single value of a one-row, one-column query (nullopt for Null).
    ValorSql Valor(const std::string& sql) {
        const auto r = motor.Ejecutar(sql);
        EXPECT_EQ(r.Filas.size(), 1u) << sql;
        return r.Filas.empty() ? ValorSql{} : r.Filas[0][0];
    }
    std::string Texto(const std::string& sql) { return Valor(sql).value_or("<Null>"); }

    ClaseFalla ClaseDe(const std::string& sql) {
        try {
            motor.Ejecutar(sql);
        } catch (const FallaMotor& f) {
            return f.Clase;
        }
        ADD_FAILURE() << "no fallo: " << sql;
        return ClaseFalla::Otra;
    }
};

TEST_F(MotorSqlitePrueba, CadaValorSeLeeConElTextoQueLeDaElMotor) {
    // Every value next to the engine's own text of it (the CAST makes the text inside the
    // engine); the first row and the next ones are read apart, so there are three.
    motor.Ejecutar("CREATE TABLE N (I INTEGER, R REAL, T TEXT, S SMALLINT, V)");
    motor.Ejecutar(
        "INSERT INTO N VALUES (-9223372036854775808, 5, '007', 12, 7),"
        " (9223372036854775807, 1e20, 42, -3, 'x'), (0, -0.5, NULL, NULL, 2.5)");
    const std::string sql =
        "SELECT I, CAST(I AS TEXT), R, CAST(R AS TEXT), T, CAST(T AS TEXT), S, CAST(S AS TEXT),"
        " V, CAST(V AS TEXT), I - 1, CAST(I - 1 AS TEXT), -S, CAST(-S AS TEXT) FROM N ORDER BY "
        "rowid";
    const auto r = motor.Ejecutar(sql);
    const auto t = motor.Leer(sql);
    ASSERT_EQ(r.Filas.size(), 3u);
    ASSERT_EQ(t.Filas.Filas(), 3u);
    for (size_t f = 0; f < 3; ++f)
        for (size_t c = 0; c < r.Filas[f].size(); c += 2) {
            EXPECT_EQ(r.Filas[f][c], r.Filas[f][c + 1]) << "fila " << f << ", columna " << c;
            EXPECT_EQ(t.Filas.Valor(f, c), t.Filas.Valor(f, c + 1))
                << "fila " << f << ", columna " << c;
        }
    EXPECT_EQ(r.Filas[0][0], "-9223372036854775808");
    EXPECT_EQ(r.Filas[1][0], "9223372036854775807");
    EXPECT_EQ(r.Filas[0][2], "5.0");  // a real stays a real, however whole
}

TEST_F(MotorSqlitePrueba, ColacionIgnoraCasoYBlancosFinales) {
    EXPECT_EQ(Texto("SELECT 'Pagos' = 'PAGOS  ' COLLATE SUITE_CI"), "1");
    EXPECT_EQ(Texto("SELECT 'ÑANDÚ' = 'ñandú' COLLATE SUITE_CI"), "1");
    EXPECT_EQ(Texto("SELECT 'camión' = 'CAMION' COLLATE SUITE_CI"), "0");  // accents still count
    EXPECT_EQ(Texto("SELECT '  a' = 'a' COLLATE SUITE_CI"), "0");          // leading blanks count
    // Order: letters without case; a shorter text compares as blank-padded.
    EXPECT_EQ(Texto("SELECT 'b' > 'A' COLLATE SUITE_CI"), "1");
    EXPECT_EQ(
        Texto("SELECT 'ab' < 'ab!' COLLATE SUITE_CI AND 'ab' > ('ab' || char(9)) COLLATE SUITE_CI"),
        "1");
    // Stray bytes (not UTF-8) compare without crashing and equal themselves.
    EXPECT_EQ(Texto("SELECT CAST(x'41FF' AS TEXT) = CAST(x'61FF20' AS TEXT) COLLATE SUITE_CI"),
              "1");
}

TEST_F(MotorSqlitePrueba, OrdenYAgrupacionPorColumnaConColacion) {
    motor.Ejecutar(
        "INSERT INTO MA_CUENTAS (CODIGO, NOMBRE) VALUES ('1','banco'),('2','Ñandu'),('3','BANCO  "
        "'),"
        "('4','caja'),('5','Abono'),('6','ñandu')");
    const auto r =
        motor.Ejecutar("SELECT NOMBRE, count(*) FROM MA_CUENTAS GROUP BY NOMBRE ORDER BY NOMBRE");
    ASSERT_EQ(r.Filas.size(), 4u);
    EXPECT_EQ(texto::Mayusculas(texto::Recortar(*r.Filas[0][0])), "ABONO");
    EXPECT_EQ(*r.Filas[1][1], "2");  // banco + BANCO
    EXPECT_EQ(texto::Mayusculas(*r.Filas[2][0]), "CAJA");
    EXPECT_EQ(*r.Filas[3][1], "2");  // Ñandu + ñandu, after C
}

TEST_F(MotorSqlitePrueba, OrdenEspanolAcentosConSuLetraYEnieTrasLaN) {
    motor.Ejecutar(
        "INSERT INTO MA_CUENTAS (CODIGO, NOMBRE) VALUES ('1','Zapato'),('2','Área'),('3','ñandú'),"
        "('4','Nube'),('5','oso'),('6','abeja'),('7','Arbol'),('8','Ómnibus'),('9','área')");
    const auto r = motor.Ejecutar("SELECT CODIGO FROM MA_CUENTAS ORDER BY NOMBRE, CODIGO");
    std::string orden;
    for (const auto& f : r.Filas) orden += *f[0];
    // abeja, Arbol, Área/área (accent sorts with A, after the plain letters' run), Nube, ñandú,
    // Ómnibus/oso (Ó sorts with O; "MN" < "SO"), Zapato.
    EXPECT_EQ(orden,
              "67294385"
              "1");
    // Accents still count for equality; case does not.
    EXPECT_EQ(Texto("SELECT 'área' = 'ÁREA' COLLATE SUITE_CI"), "1");
    EXPECT_EQ(Texto("SELECT 'área' = 'area' COLLATE SUITE_CI"), "0");
    EXPECT_EQ(Texto("SELECT 'Ñ' < 'O' COLLATE SUITE_CI"), "1");
    EXPECT_EQ(Texto("SELECT 'Ñ' > 'NZ' COLLATE SUITE_CI"), "1");
    EXPECT_EQ(Texto("SELECT 'ÁRBOL  ' < 'b' COLLATE SUITE_CI"), "1");
}

TEST_F(MotorSqlitePrueba, LikeIgnoraCasoConLetrasEspanolas) {
    EXPECT_EQ(Texto("SELECT 'Ñandu' LIKE 'ñ%'"), "1");
    EXPECT_EQ(Texto("SELECT 'ÁRBOL' LIKE 'arbol'"), "0");  // Á is not A
    EXPECT_EQ(Texto("SELECT 'árbol' LIKE '_RBOL'"), "1");
    EXPECT_EQ(Texto("SELECT 'abc' LIKE 'a%c%'"), "1");
    EXPECT_EQ(Texto("SELECT 'abcd' LIKE 'a%c'"), "0");
    EXPECT_EQ(Texto("SELECT '10%' LIKE '10!%' ESCAPE '!'"), "1");
    EXPECT_EQ(Texto("SELECT '105' LIKE '10!%' ESCAPE '!'"), "0");
    EXPECT_EQ(Texto("SELECT NULL LIKE 'a'"), "<Null>");
}

TEST_F(MotorSqlitePrueba, FuncionesDelServidor) {
    EXPECT_EQ(Texto("SELECT LEN('ab  ')"), "2");
    EXPECT_EQ(Texto("SELECT LEN('ñú')"), "2");
    EXPECT_EQ(Texto("SELECT LEN(NULL)"), "<Null>");
    EXPECT_EQ(
        Texto("SELECT SUITE_LEFT('ñandú', 2) || SUITE_RIGHT('ñandú', 2) || SUITE_LEFT('a', 5)"),
        "ñadúa");
    EXPECT_EQ(Texto("SELECT REPLICATE('0', 3) || REPLICATE('x', -1) IS NULL"), "1");
    EXPECT_EQ(Texto("SELECT CHARINDEX('B', 'abcb')"), "2");
    EXPECT_EQ(Texto("SELECT CHARINDEX('b', 'abcb', 3)"), "4");
    EXPECT_EQ(Texto("SELECT CHARINDEX('z', 'abc')"), "0");
    EXPECT_EQ(Texto("SELECT CHARINDEX('ú', 'ÑANDÚ')"), "5");
    EXPECT_EQ(Texto("SELECT YEAR('2024-03-15 10:20:30') || '/' || MONTH('2024-03-15') || '/' || "
                    "DAY('2024-03-15')"),
              "2024/3/15");
    EXPECT_EQ(Texto("SELECT MONTH('15/03/2024')"), "3");
    EXPECT_EQ(ClaseDe("SELECT MONTH('marzo')"), ClaseFalla::Otra);
    EXPECT_EQ(Texto("SELECT VAL('  12.5abc')"), "12.5");
    EXPECT_EQ(Texto("SELECT VAL('00123')"), "123");
    EXPECT_EQ(Texto("SELECT VAL('-4 5')"), "-45");  // blanks inside the number are skipped
    EXPECT_EQ(Texto("SELECT VAL('abc')"), "0");
    EXPECT_EQ(Texto("SELECT UPPER('ñandú') || LOWER('ÑANDÚ')"), "ÑANDÚñandú");
    EXPECT_EQ(Texto("SELECT '[' || SPACE(3) || ']'"), "[   ]");
    EXPECT_EQ(Texto("SELECT '[' || LTRIM('  a  ') || '|' || RTRIM('  a  ') || ']'"), "[a  |  a]");
    EXPECT_EQ(Texto("SELECT length(LTRIM(char(9) || 'a'))"), "2");  // blanks only, not tabs
    EXPECT_EQ(Texto("SELECT SUBSTRING('abcdef', 2, 3)"), "bcd");
    EXPECT_TRUE(std::regex_match(Texto("SELECT GETDATE()"),
                                 std::regex(R"(\d{4}-\d\d-\d\d \d\d:\d\d:\d\d)")));
}

TEST_F(MotorSqlitePrueba, ValoresComoTextoYTiposAdo) {
    motor.Ejecutar(
        "INSERT INTO MA_CUENTAS VALUES ('1101', 'Caja', 1234.5, 3, '2024-01-31 00:00:00', 1)");
    motor.Ejecutar("INSERT INTO MA_MODELOS VALUES ('M', 1, NULL, 'D', '12345678901234.5678')");
    const auto r = motor.Ejecutar("SELECT * FROM MA_CUENTAS");
    ASSERT_EQ(r.Columnas.size(), 6u);
    const int esperados[] = {200, 200, 6, 3, 135, 11};
    for (size_t i = 0; i < 6; ++i)
        EXPECT_EQ(r.Columnas[i].TipoAdo, esperados[i]) << r.Columnas[i].Nombre;
    EXPECT_EQ(*r.Filas[0][2], "1234.5");
    const auto m =
        motor.Ejecutar("SELECT CUENTA, \"DEBE-HABER\", IMPORTE, SECUENCIA FROM MA_MODELOS");
    EXPECT_FALSE(m.Filas[0][0].has_value());
    EXPECT_EQ(m.Columnas[1].TipoAdo, 129);
    EXPECT_EQ(*m.Filas[0][2], "12345678901234.5678");  // a text amount comes back digit for digit
    EXPECT_EQ(m.Columnas[3].TipoAdo, 2);
    // Expressions have no declared type: the value decides.
    const auto e = motor.Ejecutar("SELECT 1, 2.5, 'x'");
    EXPECT_EQ(e.Columnas[0].TipoAdo, 3);
    EXPECT_EQ(e.Columnas[1].TipoAdo, 5);
    EXPECT_EQ(e.Columnas[2].TipoAdo, 200);
    EXPECT_EQ(TipoAdoDeDeclarado("DECIMAL(18,4)", SQLITE_TEXT), 131);
    EXPECT_EQ(TipoAdoDeDeclarado("float", SQLITE_TEXT), 5);
}

TEST_F(MotorSqlitePrueba, ParametrosConApostrofesYNulos) {
    const auto r = motor.EjecutarConParametros(
        "INSERT INTO MA_CUENTAS (CODIGO, NOMBRE, SALDO) VALUES (?, ?, ?)",
        {std::string("O'Brien"), std::string("it's');--"), std::nullopt});
    EXPECT_EQ(r.Afectadas, 1);
    const auto l = motor.EjecutarConParametros(
        "SELECT NOMBRE, SALDO FROM MA_CUENTAS WHERE CODIGO = ?", {std::string("o'brien ")});
    ASSERT_EQ(l.Filas.size(), 1u);
    EXPECT_EQ(*l.Filas[0][0], "it's');--");
    EXPECT_FALSE(l.Filas[0][1].has_value());
    EXPECT_THROW(motor.EjecutarConParametros("SELECT ?", {}), FallaMotor);
}

TEST_F(MotorSqlitePrueba, FallasClasificadas) {
    EXPECT_EQ(ClaseDe("SELECT * FROM NO_EXISTE"), ClaseFalla::TablaInexistente);
    EXPECT_EQ(ClaseDe("SELEC * FROM MA_CUENTAS"), ClaseFalla::Sintaxis);
    EXPECT_EQ(ClaseDe("SELECT NO_HAY FROM MA_CUENTAS"), ClaseFalla::Sintaxis);
    motor.Ejecutar("INSERT INTO MA_CUENTAS (CODIGO) VALUES ('1')");
    EXPECT_EQ(ClaseDe("INSERT INTO MA_CUENTAS (CODIGO) VALUES ('1 ')"), ClaseFalla::Restriccion);
    EXPECT_EQ(ClaseDe("INSERT INTO MA_CUENTAS (CODIGO) VALUES (NULL)"), ClaseFalla::Restriccion);
    EXPECT_EQ(ClaseDe("INSERT INTO MA_CUENTAS (CODIGO, NOMBRE) VALUES ('2', 'ABCDEFGHIJK')"),
              ClaseFalla::Truncamiento);
    EXPECT_EQ(ClaseDe("COMMIT"), ClaseFalla::Otra);
}

TEST_F(MotorSqlitePrueba, VariasSentenciasYFilasAfectadas) {
    const auto r = motor.Ejecutar(
        "INSERT INTO MA_CUENTAS (CODIGO) VALUES ('1'); INSERT INTO MA_CUENTAS (CODIGO) VALUES "
        "('2');"
        "UPDATE MA_CUENTAS SET NIVEL = 1;");
    EXPECT_EQ(r.Afectadas, 2);
    EXPECT_TRUE(r.Columnas.empty());
    const auto vacia = motor.Ejecutar("SELECT CODIGO FROM MA_CUENTAS WHERE 1 = 0");
    ASSERT_EQ(vacia.Columnas.size(), 1u);  // a query without rows still describes its columns
    EXPECT_TRUE(vacia.Filas.empty());
    EXPECT_EQ(vacia.Afectadas, -1);
}

// Texts run again reuse their prepared statement; a reused one must behave as a fresh one.
TEST_F(MotorSqlitePrueba, SentenciaRepetidaNoArrastraValoresAnteriores) {
    const std::string alta = "INSERT INTO MA_CUENTAS (CODIGO, NOMBRE) VALUES (?, ?)";
    for (int i = 1; i <= 3; ++i)
        motor.EjecutarConParametros(alta, {std::to_string(i), "n" + std::to_string(i)});
    motor.EjecutarConParametros(alta, {std::string("4"), std::nullopt});
    EXPECT_EQ(Texto("SELECT group_concat(CODIGO || '=' || ifnull(NOMBRE, 'nulo'), ' ') FROM "
                    "(SELECT * FROM MA_CUENTAS ORDER BY CODIGO)"),
              "1=n1 2=n2 3=n3 4=nulo");
    // Run without values, a placeholder is Null again, not the value of the previous run.
    const std::string cambio = "UPDATE MA_CUENTAS SET NOMBRE = ? WHERE CODIGO = '1'";
    motor.EjecutarConParametros(cambio, {std::string("otro")});
    EXPECT_EQ(Texto("SELECT NOMBRE FROM MA_CUENTAS WHERE CODIGO = '1'"), "otro");
    EXPECT_EQ(motor.Ejecutar(cambio).Afectadas, 1);
    EXPECT_EQ(Texto("SELECT NOMBRE FROM MA_CUENTAS WHERE CODIGO = '1'"), "<Null>");
    // A wrong number of values still fails on a kept statement, and the text works after it.
    EXPECT_THROW(motor.EjecutarConParametros(cambio, {}), FallaMotor);
    EXPECT_EQ(motor.EjecutarConParametros(cambio, {std::string("x")}).Afectadas, 1);
}

TEST_F(MotorSqlitePrueba, SentenciaRepetidaFallaIgualYSigueElEsquema) {
    const std::string alta = "INSERT INTO MA_CUENTAS (CODIGO) VALUES (?)";
    motor.EjecutarConParametros(alta, {std::string("1")});
    for (int vez = 0; vez < 2; ++vez) {
        try {
            motor.EjecutarConParametros(alta, {std::string("1")});
            ADD_FAILURE() << "clave repetida aceptada, vez " << vez;
        } catch (const FallaMotor& f) {
            EXPECT_EQ(f.Clase, ClaseFalla::Restriccion);
        }
    }
    EXPECT_EQ(motor.EjecutarConParametros(alta, {std::string("2")}).Afectadas, 1);

    const std::string todo = "SELECT * FROM T";
    motor.Ejecutar("CREATE TABLE T (A int); INSERT INTO T VALUES (1)");
    EXPECT_EQ(motor.Ejecutar(todo).Columnas.size(), 1u);
    motor.Ejecutar("ALTER TABLE T ADD COLUMN B varchar(5)");
    const auto ampliada = motor.Ejecutar(todo);
    ASSERT_EQ(ampliada.Columnas.size(), 2u);
    EXPECT_EQ(ampliada.Columnas[1].Nombre, "B");
    EXPECT_EQ(ampliada.Columnas[1].TipoAdo, 200);
    motor.Ejecutar("DROP TABLE T");
    EXPECT_EQ(ClaseDe(todo), ClaseFalla::TablaInexistente);
    motor.Ejecutar("CREATE TABLE T (Z money)");
    const auto nueva = motor.Ejecutar(todo);
    ASSERT_EQ(nueva.Columnas.size(), 1u);
    EXPECT_EQ(nueva.Columnas[0].TipoAdo, 6);
}

// The columns of a statement run again (the same text, or a text of the same form with other
// literals) follow the schema and, where no type is declared, each run's first value.
TEST_F(MotorSqlitePrueba, ColumnasDeUnaSentenciaRepetidaSiguenAlEsquemaYAlPrimerValor) {
    motor.Ejecutar(
        "CREATE TABLE U (K varchar(5), V); INSERT INTO U VALUES ('e', 1); "
        "INSERT INTO U VALUES ('r', 1.5); INSERT INTO U VALUES ('t', 'x'); "
        "INSERT INTO U VALUES ('n', NULL)");
    struct Paso {
        const char* antes;  // a schema change first, or nullptr
        const char* sql;
        size_t columnas;
        int tipoV;  // type of the column V
        int tipoW;  // type of the column W, when there is one
    };
    const Paso pasos[] = {
        {nullptr, "SELECT * FROM U WHERE K = 'e'", 2, 3, 0},
        {nullptr, "SELECT * FROM U WHERE K = 'r'", 2, 5, 0},
        {nullptr, "SELECT * FROM U WHERE K = 't'", 2, 200, 0},
        {nullptr, "SELECT * FROM U WHERE K = 'e'", 2, 3, 0},
        {nullptr, "SELECT * FROM U WHERE K = 'ninguna'", 2, 200, 0},
        {"ALTER TABLE U ADD COLUMN W money", "SELECT * FROM U WHERE K = 'r'", 3, 5, 6},
        {nullptr, "SELECT * FROM U", 3, 3, 6},
        {"UPDATE U SET V = 2.5 WHERE K = 'e'", "SELECT * FROM U", 3, 5, 6},
        {"DROP TABLE U; CREATE TABLE U (K varchar(5), V int, W varchar(9)); "
         "INSERT INTO U VALUES ('e', 'x', 'y')",
         "SELECT * FROM U WHERE K = 'e'", 3, 3, 200},
    };
    const auto comprobar = [](const std::vector<ColumnaResultado>& c, const Paso& p) {
        ASSERT_EQ(c.size(), p.columnas) << p.sql;
        EXPECT_EQ(c[1].Nombre, "V") << p.sql;
        EXPECT_EQ(c[1].TipoAdo, p.tipoV) << p.sql;
        if (p.columnas == 3) {
            EXPECT_EQ(c[2].TipoAdo, p.tipoW) << p.sql;
        }
    };
    // Results in one buffer may share their columns with later runs: every one kept must still
    // show its own after the schema changed under the statement.
    std::vector<std::pair<TablaResultado, const Paso*>> guardados;
    for (const Paso& p : pasos) {
        if (p.antes) motor.Ejecutar(p.antes);
        for (const auto& r : {motor.Ejecutar(p.sql), motor.Ejecutar(p.sql)})
            comprobar(r.Columnas, p);
        for (int vez = 0; vez < 2; ++vez) {
            guardados.emplace_back(motor.Leer(p.sql), &p);
            ASSERT_TRUE(guardados.back().first.Columnas) << p.sql;
            comprobar(*guardados.back().first.Columnas, p);
        }
    }
    for (const auto& [r, p] : guardados) comprobar(*r.Columnas, *p);
}

TEST_F(MotorSqlitePrueba, VariasSentenciasCorrenTodasCadaVezYLasGuardadasTienenTope) {
    const std::string dos =
        "INSERT INTO MA_CUENTAS (CODIGO) VALUES (?); "
        "UPDATE MA_CUENTAS SET NIVEL = coalesce(NIVEL, 0) + 1";
    motor.EjecutarConParametros(dos, {std::string("1")});
    motor.EjecutarConParametros(dos, {std::string("2")});
    EXPECT_EQ(Texto("SELECT group_concat(NIVEL, ',') FROM "
                    "(SELECT NIVEL FROM MA_CUENTAS ORDER BY CODIGO)"),
              "2,1");
    for (int i = 0; i < 40; ++i) motor.Ejecutar("SELECT " + std::to_string(i));
    EXPECT_EQ(motor.SentenciasGuardadas(), MotorSqlite::kSentenciasGuardadas);
    EXPECT_EQ(Texto("SELECT 39"), "39");
}

/// A query's column names and values, one text per row ("<Null>" for Null), as given by the
/// bare engine on a connection of its own.
std::vector<std::string> Directo(const std::string& ruta, const std::string& sql) {
    sqlite3* db = nullptr;
    sqlite3_open_v2(ruta.c_str(), &db, SQLITE_OPEN_READONLY, nullptr);
    RegistrarSemanticaSuite(db);
    sqlite3_stmt* st = nullptr;
    std::vector<std::string> r;
    if (sqlite3_prepare_v2(db, sql.c_str(), -1, &st, nullptr) == SQLITE_OK) {
        std::string nombres;
        for (int c = 0; c < sqlite3_column_count(st); ++c)
            nombres += std::string(sqlite3_column_name(st, c)) + "|";
        r.push_back(nombres);
        while (sqlite3_step(st) == SQLITE_ROW) {
            std::string fila;
            for (int c = 0; c < sqlite3_column_count(st); ++c) {
                const auto* t = sqlite3_column_text(st, c);
                fila += (t ? reinterpret_cast<const char*>(t) : "<Null>") + std::string("|");
            }
            r.push_back(fila);
        }
    }
    sqlite3_finalize(st);
    sqlite3_close(db);
    return r;
}

std::vector<std::string> Filas(const ResultadoSql& r) {
    std::vector<std::string> v(1);
    for (const auto& c : r.Columnas) v[0] += c.Nombre + "|";
    for (const auto& f : r.Filas) {
        std::string fila;
        for (const auto& x : f) fila += x.value_or("<Null>") + "|";
        v.push_back(fila);
    }
    return v;
}

TEST_F(MotorSqlitePrueba, ConsultasQueSoloCambianSusLiteralesDanLoDeCadaTexto) {
    motor.Ejecutar(
        "INSERT INTO MA_CUENTAS (CODIGO, NOMBRE) VALUES ('A', 'uno'), ('B', 'O''Brien'), "
        "('ñ', 'ñandú'), (' C ', NULL)");
    // In this order: each text after the first of its form may reuse the prepared query.
    const char* const consultas[] = {
        "SELECT CODIGO, NOMBRE FROM MA_CUENTAS WHERE CODIGO = 'A'",
        "SELECT CODIGO, NOMBRE FROM MA_CUENTAS WHERE CODIGO = 'B'",
        "SELECT CODIGO, NOMBRE FROM MA_CUENTAS WHERE NOMBRE = 'O''Brien'",
        "SELECT CODIGO, NOMBRE FROM MA_CUENTAS WHERE NOMBRE = 'ñandú'",
        "SELECT 'x' AS K, CODIGO FROM MA_CUENTAS WHERE CODIGO = 'A'",
        "SELECT 'y' AS K, CODIGO FROM MA_CUENTAS WHERE CODIGO = 'B'",
        "SELECT 'x', CODIGO || '-' FROM MA_CUENTAS WHERE CODIGO = 'A'",
        "SELECT 'y', CODIGO || '+' FROM MA_CUENTAS WHERE CODIGO = 'B'",
        "SELECT CODIGO FROM MA_CUENTAS WHERE CODIGO = 'A' OR CODIGO = 'B' ORDER BY 1",
        "SELECT CODIGO FROM MA_CUENTAS WHERE CODIGO = 'A' OR CODIGO = ? ORDER BY 1",
        "SELECT CODIGO FROM MA_CUENTAS WHERE CODIGO = ? OR CODIGO = 'B' ORDER BY 1",
        "SELECT CODIGO FROM MA_CUENTAS WHERE LTRIM(RTRIM(CODIGO)) = 'c' COLLATE SUITE_CI",
        "SELECT CODIGO FROM MA_CUENTAS WHERE LTRIM(RTRIM(CODIGO)) = 'Ñ' COLLATE SUITE_CI",
        "SELECT count(*) AS N FROM MA_CUENTAS WHERE NOMBRE LIKE 'o%'",
        "SELECT count(*) AS N FROM MA_CUENTAS WHERE NOMBRE LIKE '%o%'",
        "SELECT CODIGO AS \"it's\" FROM MA_CUENTAS WHERE NOMBRE = 'uno' -- 'y'",
        "SELECT CODIGO AS \"it's\" FROM MA_CUENTAS WHERE NOMBRE = 'ñandú' -- 'y'",
    };
    for (int vuelta = 0; vuelta < 2; ++vuelta)
        for (const char* sql : consultas)
            EXPECT_EQ(Filas(motor.Ejecutar(sql)), Directo(base.Ruta(), sql)) << sql;
    // A change made through a text of one form is seen by the next query of another.
    EXPECT_EQ(motor.Ejecutar("UPDATE MA_CUENTAS SET NOMBRE = 'dos' WHERE CODIGO = 'A'").Afectadas,
              1);
    EXPECT_EQ(motor.Ejecutar("UPDATE MA_CUENTAS SET NOMBRE = 'tres' WHERE CODIGO = 'B'").Afectadas,
              1);
    EXPECT_EQ(Texto("SELECT NOMBRE FROM MA_CUENTAS WHERE CODIGO = 'A'"), "dos");
    const auto tabla = motor.Leer("SELECT NOMBRE FROM MA_CUENTAS WHERE CODIGO = 'B'");
    ASSERT_EQ(tabla.Filas.Filas(), 1u);
    EXPECT_EQ(tabla.Filas.Texto(0, 0), "tres");
}

TEST_F(MotorSqlitePrueba, CatalogoYNombreDeBase) {
    EXPECT_EQ(motor.Tablas(), (std::vector<std::string>{"MA_CUENTAS", "MA_MODELOS"}));
    EXPECT_EQ(motor.Columnas("MA_MODELOS"),
              (std::vector<std::string>{"NOMBRE", "SECUENCIA", "CUENTA", "DEBE-HABER", "IMPORTE"}));
    EXPECT_TRUE(motor.Columnas("NO_EXISTE").empty());
    EXPECT_EQ(motor.BaseActual(), "EMPRESA");
    EXPECT_NO_THROW(motor.FijarBaseActual("empresa"));
    EXPECT_THROW(motor.FijarBaseActual("OTRA"), FallaMotor);
}

TEST(MotorSqliteApertura, ArchivoFaltanteOAjenoEsUnaFalla) {
    BaseTemporal base{"CREATE TABLE T (A int);"};
    try {
        MotorSqlite m((base.Carpeta() / "NO_ESTA.sqlite").string());
        FAIL() << "abrio un archivo inexistente";
    } catch (const FallaMotor& f) {
        EXPECT_EQ(f.Clase, ClaseFalla::ConexionPerdida);
    }
    EXPECT_FALSE(std::filesystem::exists(base.Carpeta() / "NO_ESTA.sqlite"));  // nothing created
    const auto ajeno = base.Carpeta() / "texto.sqlite";
    std::ofstream(ajeno) << "esto no es una base de datos, aunque lo parezca por su nombre....";
    EXPECT_THROW(MotorSqlite{ajeno.string()}, FallaMotor);
}

TEST(MotorSqliteBloqueo, OtroProcesoEscribiendoAgotaElTiempoComoOcupado) {
    BaseTemporal base{kEsquemaPrueba};
    MotorSqlite otro(base.Ruta());
    MotorSqlite yo(base.Ruta());
    otro.Comenzar();
    otro.Ejecutar("INSERT INTO MA_CUENTAS (CODIGO) VALUES ('X')");
    yo.FijarTiempoEspera(1);
    const auto t0 = std::chrono::steady_clock::now();
    try {
        yo.Comenzar();
        FAIL() << "la transaccion no espero al otro proceso";
    } catch (const FallaMotor& f) {
        EXPECT_EQ(f.Clase, ClaseFalla::Ocupado);
    }
    const auto segundos =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - t0).count();
    EXPECT_GE(segundos, 0.9);
    EXPECT_LT(segundos, 5.0);
    otro.Confirmar();
    // Once the other one is done, the lock is there for the taking.
    yo.Comenzar();
    yo.Ejecutar("INSERT INTO MA_CUENTAS (CODIGO) VALUES ('Y')");
    yo.Confirmar();
    EXPECT_EQ(yo.Ejecutar("SELECT count(*) FROM MA_CUENTAS").Filas[0][0], "2");
}

std::string RutaExtension() {
    char buf[4096];
    const ssize_t n = readlink("/proc/self/exe", buf, sizeof buf - 1);
    if (n <= 0) return "";
    return (std::filesystem::path(std::string(buf, static_cast<size_t>(n)))
                .parent_path()
                .parent_path() /
            "lib" / "suite_sqlite.so")
        .string();
}

TEST(ExtensionSqlite, UnaConexionComunCargaLaSemantica) {
    BaseTemporal base{"CREATE TABLE T (A varchar(10));"};
    const std::string ruta = RutaExtension();
    ASSERT_TRUE(std::filesystem::exists(ruta)) << ruta << " (build the suite_sqlite target)";
    sqlite3* db = nullptr;
    ASSERT_EQ(sqlite3_open_v2(base.Ruta().c_str(), &db, SQLITE_OPEN_READWRITE, nullptr), SQLITE_OK);
    std::unique_ptr<sqlite3, int (*)(sqlite3*)> dueno(db, sqlite3_close);
    ASSERT_EQ(sqlite3_exec(db, "SELECT 'a' = 'A' COLLATE SUITE_CI", nullptr, nullptr, nullptr),
              SQLITE_ERROR);
    ASSERT_EQ(sqlite3_enable_load_extension(db, 1), SQLITE_OK);
    char* error = nullptr;
    ASSERT_EQ(sqlite3_load_extension(db, ruta.c_str(), nullptr, &error), SQLITE_OK)
        << (error ? error : "");
    sqlite3_stmt* st = nullptr;
    ASSERT_EQ(sqlite3_prepare_v2(
                  db, "SELECT 'ÑANDÚ  ' = 'ñandú' COLLATE SUITE_CI, 'Ñandu' LIKE 'ñ%', LEN('ab  ')",
                  -1, &st, nullptr),
              SQLITE_OK);
    ASSERT_EQ(sqlite3_step(st), SQLITE_ROW);
    EXPECT_EQ(sqlite3_column_int(st, 0), 1);
    EXPECT_EQ(sqlite3_column_int(st, 1), 1);
    EXPECT_EQ(sqlite3_column_int(st, 2), 2);
    sqlite3_finalize(st);
}

}  // namespace
