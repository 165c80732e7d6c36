// The schema against the program's statements: every statement the program sends must find
// its tables and columns, trimmed comparisons must use their indexes, and a text longer than
// its column must fail with the length check the engine maps to truncation.
#include <map>
#include <regex>
#include <set>

#include "Dialecto.h"
#include "DialectoOracle.h"
#include "Sinonimos.h"
#include "test_esquema_base.h"

using namespace esquema_prueba;

namespace {

/// A statement as the program sends it to the embedded engine: the session's name
/// translation (an administrator's by default) and the dialect adaptation, both the program's.
std::string Adaptar(const std::string& s) { return AdaptarSentencia(s, Dialecto::Sqlite); }
std::string ComoAdministrador(const std::string& s) { return TraducirSinonimos(s, true, false); }

/// Statements as the program writes them, with sample values in place of the variable parts.
const char* const kSentencias[] = {
    // Access check, access log, profile, configuration, administrator test.
    "SELECT TA_TAREAS.USUARIO, TA_MENU.Proceso, TA_MENU.Clave , TA_MENU.Nombre  FROM TA_TAREAS "
    "INNER JOIN TA_MENU ON TA_TAREAS.TAREA = TA_MENU.Clave  WHERE (TA_TAREAS.USUARIO = 'DEMO ') "
    "AND (TA_MENU.Proceso LIKE '%asientos-modelo%')",
    "Select top 1 * from Control_Acceso",
    "INSERT INTO Control_Acceso (Maquina, Usuario, Formulario, Tarea, Ingreso, NombreUsuario) "
    "VALUES ('PC1', 'OPERADOR', 'ASIENTOS-MODELO', '', '2025-03-01 10:00:00', 'DEMO')",
    "SELECT VALOR, valoraux FROM TA_CONFIGURACION WHERE CLAVE = 'PERIODO'",
    "SELECT TOP 1 * FROM ta_usuarios with(nolock)  WHERE LTRIM(RTRIM(nombre)) ='DEMO' ",
    "SELECT TOP 1 * FROM TA_USUARIOS with(nolock)  WHERE LTRIM(RTRIM(nombre)) ='ADMIN' ",
    // Template store, header fields, grid, sheet.
    "SELECT top 1 * FROM MA_MODELOS",
    "SELECT * FROM MA_MODELOS WHERE LTRIM(RTRIM(NOMBRE)) = 'SUELDOS' ORDER BY SECUENCIA",
    "SELECT TOP 1  * FROM MA_MODELOS with(nolock)  WHERE LTRIM(RTRIM(NOMBRE)) = 'SUELDOS'",
    "DELETE MA_MODELOS WHERE LTRIM(RTRIM(NOMBRE)) = 'SUELDOS'",
    "DELETE  MA_MODELOS WHERE LTRIM(NOMBRE) = 'SUELDOS'",
    "INSERT INTO MA_MODELOS (NOMBRE, CUENTA, SECUENCIA, AlicIVA, [DEBE-HABER], IMPORTE, "
    "fechahora_modificacion, fechahora_grabacion, tipo_reg, tcdefault, IdMotivo, MODIFICATC, "
    "MODIFICACTAS, AGREGACTAS, Anclarenmenu, allibrodeiva, esliqtarjetas, DETALLE) VALUES "
    "('PRUEBA', '1.1.01.001', 1, 0, 'D', 10, NULL, '2025-03-01 10:00:00', '    ', 'FC', '01', "
    "0, 0, 0, 0, 0, 0, NULL)",
    "SELECT NOMBRE FROM MA_MODELOS  GROUP BY NOMBRE",
    "SELECT TOP 1 * FROM V_TA_CPTE with(nolock)  WHERE CODIGO ='FC' ",
    "SELECT TOP 1  * FROM V_TA_CPTE with(nolock)  WHERE LTRIM(RTRIM(CODIGO)) ='FC'",
    "SELECT TOP 1  * FROM V_TA_MotivoCpra with(nolock)  WHERE LTRIM(RTRIM(IdMotivoCpra)) ='01'",
    "SELECT TOP 1 * FROM MA_CUENTAS with(nolock)  WHERE CODIGO ='1.1.01.001      ' ",
    "SELECT TOP 1 * FROM MA_CUENTAS with(nolock)  WHERE LTRIM(RTRIM(CODIGO)) ='1.1.01.001' ",
    "SELECT MA_MODELOS.NOMBRE,MA_MODELOS.CUENTA, MA_CUENTAS.DESCRIPCION, MA_CUENTAS.DV,"
    "MA_MODELOS.[DEBE-HABER],MA_MODELOS.DETALLE,MA_MODELOS.IMPORTE FROM MA_MODELOS,MA_CUENTAS "
    "WHERE LTRIM(RTRIM(MA_MODELOS.CUENTA)) = LTRIM(RTRIM(MA_CUENTAS.CODIGO)) AND "
    "(LTRIM(RTRIM(MA_MODELOS.TIPO_REG)) = '' OR MA_MODELOS.TIPO_REG = NULL) ORDER BY "
    "MA_MODELOS.NOMBRE,MA_MODELOS.SECUENCIA",
    // Menu anchoring.
    "SELECT * FROM TA_MENU WHERE TITULO =  'D9541' OR CLAVE ='D95' ORDER BY CLAVE",
    "SELECT * FROM TA_MENU WHERE TITULO = 'D9541' AND NOMBRE = 'ALQUILERES'",
    "INSERT INTO TA_MENU (MENU,TITULO,CLAVE,NOMBRE,IMAGEN,PROCESO,HABILITADO)  VALUES('OMNI',"
    "'D9541','D954102','SUELDOS','Utilidades','shell:Mv_asientos @PARAMETROADICIONAL= "
    "MODELO_SUELDOS',1)",
    "UPDATE @Admin_TA_MENU SET PROCESO = 'x' WHERE CLAVE = 'D954101'",
    "SELECT TOP 1 * FROM TA_TAREAS with(nolock)  WHERE USUARIO = 'DEMO' AND SISTEMA = 'LD000PR' "
    "AND TAREA = 'D954101'",
    "INSERT INTO TA_TAREAS (USUARIO,SISTEMA,TAREA) VALUES ('DEMO','LD000PR','D954102')",
    "SELECT TOP 1 * FROM TA_MENU with(nolock)  WHERE LTRIM(RTRIM(TITULO)) ='D9541'  AND  "
    "TITULO = 'D9541' AND NOMBRE = 'ALQUILERES'",
    "DELETE TA_MENU WHERE TITULO = 'D9541' AND NOMBRE = 'ALQUILERES'",
    "DELETE TA_TAREAS WHERE TAREA = 'D954101'",
    "DELETE TA_MENU WHERE CLAVE = 'D9541'",
    // Lookups: generated statements, built-in lists, saved-query defaults, trees, shortages.
    "select top 1 * from MA_CUENTAS",
    "SELECT TOP 1000 DESCRIPCION, CODIGO FROM MA_CUENTAS ORDER BY DESCRIPCION",
    "SELECT TOP 1000 Descripcion, IdUnidad FROM V_TA_Unidad ORDER BY IdUnidad",
    "SELECT TOP 1000 Descripcion, Unidad, IdDeposito FROM V_TA_DEPOSITO ORDER BY IdDeposito",
    "SELECT TOP 1000 Descripcion, Tipo, CodigoEstado FROM V_TA_STATUS ORDER BY CodigoEstado",
    "SELECT TOP 1000 Codigo, RazonSocial FROM VT_CLIENTES  with(nolock)  WHERE Dada_De_Baja = 0 "
    "ORDER BY Codigo",
    "SELECT TOP 1000 Codigo, RazonSocial FROM VT_PROVEEDORES  with(nolock)  WHERE "
    "Dada_De_Baja = 0 ORDER BY Codigo",
    "SELECT TOP 1000 idarticulo, Descripcion, PUNTOPEDIDO, Stock, PRECIO1, PRECIO2, PRECIO3, "
    "PRECIO4, PRECIO5, PRECIO6, PRECIO7, PRECIO8 FROM VT_MA_ARTICULOS  with(nolock)  WHERE "
    "SUSPENDIDO = 0 ORDER BY idarticulo",
    "SELECT * FROM STK_MA_ARTICULOS WHERE stk_ma_articulos.Descripcion like 'AGUA%' ",
    "SELECT MAX(idarticulo) AS MAYOR FROM V_MA_ARTICULOS WHERE "
    "substring(ltrim(idarticulo),1,1)<>'0'",
    "INSERT INTO V_MV_FALTANTES (FechaHora,IdArticulo,Descripcion,Usuario) values('2025-03-01 "
    "10:00:00','1001                     ','Agua Mineral 2 L','DEMO')",
    "SELECT TOP 1 * FROM V_TA_FAMILIAS with(nolock)  WHERE LTRIM(RTRIM(IDFAMILIA)) ='11'",
    "SELECT TOP 1 * FROM MA_POSICIONES with(nolock)  WHERE LTRIM(RTRIM(IDPOSICION)) ='2202'",
    "SELECT TOP 1 * FROM TA_CCOSTO with(nolock)  WHERE LTRIM(RTRIM(CODIGO)) ='0101'",
    // Account checks.
    "SELECT * FROM MA_CUENTAS WHERE CODIGO ='1.1.01.001' AND DADA_DE_BAJA=0 AND BLOQUEO = 0",
    "SELECT * FROM MA_CUENTAS WHERE Codigo = '1.1.01.001'",
    "SELECT * FROM MA_CUENTAS WHERE Codigo =  '1.1.01.001'",
    "SELECT * FROM MA_CUENTAS WHERE CodigoOpcional =  'CAJA'",
    "SELECT Titulo, Descripcion, BIENES, Ajuste, DV FROM MA_CUENTAS WHERE Codigo = '1'",
    // Entry numbering, vouchers, fiscal years, subledgers.
    "SELECT MAX([NUMERO ASIENTO]) AS [NRO_ASIENTO] FROM @ADMIN_MV_ASIENTOS WHERE MES_OPERATIVO "
    "= 1 AND PERIODO = '2025' AND TIPO_REG = 'VEN' ",
    "SELECT * FROM V_TA_CPTE WHERE CODIGO = 'FC  ' AND UNEGOCIO = '   1' ORDER BY TALONARIO ASC",
    "SELECT CODIGO, UNEGOCIO, TALONARIO, A_SUC_DEFAULT, A_ULTIMO_NRO, B_SUC_DEFAULT, "
    "B_ULTIMO_NRO, C_SUC_DEFAULT, C_ULTIMO_NRO, X_SUC_DEFAULT, X_ULTIMO_NRO, E_SUC_DEFAULT, "
    "E_ULTIMO_NRO, M_SUC_DEFAULT, M_ULTIMO_NRO, R_SUC_DEFAULT, R_ULTIMO_NRO FROM V_TA_CPTE",
    "SELECT * FROM TA_COMPROBANTES WHERE CODIGO = 'FCC '",
    "SELECT Letras, ModificaNumeracion, A_ULTIMO_NRO, A_NRO_DESDE, A_NRO_HASTA, R_ULTIMO_NRO, "
    "R_NRO_DESDE, R_NRO_HASTA FROM TA_COMPROBANTES",
    "SELECT TOP 1 * FROM MA_SUBDIARIOSCOMPROBANTES with(nolock)  WHERE TC ='FC' ",
    "SELECT TOP 1 *  FROM MV_ASIENTOS WHERE TIPO_REG = 'VEN' AND  TC = 'FC  ' AND SUCURSAL = "
    "'0001' AND NUMERO = '00001523' AND LETRA = 'A' and Fecha = '2025-01-10 00:00:00' AND "
    "CUENTA = '1.1.03.001'",
    "SELECT Mes_Operativo, [NUMERO ASIENTO], PERIODO, Tipo_Reg FROM MV_ASIENTOS",
    "SELECT * FROM MV_EJERCICIOS ORDER BY PERIODO",
    "SELECT * FROM MV_EJERCICIOS WHERE PERIODO = 2025",
    "SELECT * FROM MV_EJERCICIOS WHERE PERIODO < 2025 ORDER BY PERIODO",
    "SELECT [Fecha Desde], [fecha hasta], Cerrado, Cancelacion, Cierre FROM MV_EJERCICIOS",
    "SELECT * FROM MV_ASIENTOS WHERE PERIODO = 2025 AND (FECHA <= '2025-01-01 00:00:00' OR "
    "FECHA >= '2025-12-31 00:00:00' )",
    "SELECT top 1  * FROM MV_ASIENTOS WHERE PERIODO = 2025 AND EsAjuste = 1",
    "SELECT fecha, Ajuste_Hasta, [numero asiento] FROM MV_ASIENTOS",
    "SELECT * FROM MV_CONTROL_AS_RES WHERE RTRIM(LTRIM(SUBDIARIO)) = 'VEN' AND PERIODO = 2025",
    "SELECT Fecha_Desde, Fecha_Hasta, Anulado FROM MV_CONTROL_AS_RES",
    "SELECT * FROM MA_SUBDIARIOSCOMPROBANTES WHERE RTRIM(LTRIM(SUBDIARIO)) = 'VEN'",
    "SELECT TC FROM MA_SUBDIARIOSCOMPROBANTES WHERE TC='FC'",
    // Subledger generation and the smaller lookups on journal lines.
    "DELETE AUX_SUBDIARIOS WHERE RTRIM(LTRIM(USUARIO)) = 'DEMO'",
    "SELECT DISTINCT Periodo,[MES_OPERATIVO],[NUMERO ASIENTO] FROM MV_ASIENTOS WHERE "
    "RTRIM(LTRIM(TIPO_REG)) = 'VEN' AND FECHA >= '2025-01-01' AND FECHA <= '2025-12-31' ORDER BY "
    "[MES_OPERATIVO],[NUMERO ASIENTO]",
    "SELECT * FROM AUX_SUBDIARIOS",
    "INSERT INTO AUX_SUBDIARIOS (Usuario, Periodo, Mes_Operativo, [numero asiento], fecha, TC, "
    "Sucursal, Numero, letra, Cabimporte, cuenta_D, descripcion_D, importe_D, Concepto, "
    "cuenta_H, descripcion_H, importe_H) VALUES ('DEMO', 2025, 1, 1, '2025-01-10 00:00:00', "
    "'FC', '0001', '00001523', 'A', 121000, '1.1.03.001', 'Deudores por Ventas', 121000, "
    "'Venta', '4.1.01.001', 'Ventas de Mercaderías', 100000)",
    "SELECT * FROM MV_ASIENTOS WHERE RTRIM(LTRIM(TIPO_REG)) = 'VEN' AND [NUMERO ASIENTO] = 1 AND "
    "MES_OPERATIVO = 1 AND RTRIM(LTRIM(PERIODO)) = 2025 AND [DEBE-HABER] = 'D' ORDER BY CUENTA",
    "SELECT TIPO_REG, FECHA, Periodo, MES_OPERATIVO, [NUMERO ASIENTO], [DEBE-HABER], Cuenta, "
    "Importe, Detalle, TC, Sucursal, Numero, letra, Cabimporte FROM MV_ASIENTOS",
    "SELECT * FROM MV_CONTROL_AS_RES WHERE SUBDIARIO='VEN' AND ID=1 AND MONTH(FECHA_DESDE) = 1 "
    "AND PERIODO = 2025",
    "SELECT * FROM MV_ASIENTOS WITH(NOLOCK) WHERE TC = 'FC' AND SUCURSAL = '0001' AND NUMERO = "
    "'00001523' AND LETRA = 'A' AND CABCUENTA = '1.1.03.001'",
    "SELECT * FROM MV_ASIENTOS  WITH(NOLOCK) WHERE TC = 'FC' AND SUCURSAL = '0001' AND NUMERO = "
    "'00001523' AND LETRA = 'A' AND [NUMERO ASIENTO] = 1  AND MES_OPERATIVO = 1 AND (ESRESUMEN "
    "= 0)",
    "SELECT * FROM MA_CUENTASADIC WHERE Codigo = '1.1.01.010'",
    "SELECT MAX(CODIGO) AS [ELCODIGO] FROM MA_BIENES",
    "SELECT MAX(ID) AS [ELID] FROM MA_BIENES_novedades WHERE CODIGO = 1",
    // Restricted views a non-administrator's statements are redirected to.
    "SELECT * FROM SS_MA_CUENTAS WHERE CODIGO ='1.1.01.001' AND DADA_DE_BAJA=0 AND BLOQUEO = 0",
    "SELECT MAX([NUMERO ASIENTO]) FROM SS_MV_ASIENTOS WHERE MES_OPERATIVO = 1",
    "SELECT * FROM SS_V_TA_DEPOSITO",
    "SELECT * FROM SS_V_TA_FAMILIAS",
};

/// Runs every statement of the program, as `forma` gives it, on the demo database inside a
/// transaction that is rolled back, so that the writing statements are executed too (which also
/// checks their constraints) without changing the demo data.
void EjecutarTodas(const ConexionDirecta& con, std::string (*forma)(const std::string&)) {
    ASSERT_EQ(con.Ejecutar("BEGIN"), "");
    for (const char* original : kSentencias) {
        const std::string sql = Adaptar(forma(original));
        sqlite3_stmt* st = nullptr;
        const int rc = sqlite3_prepare_v2(con.get(), sql.c_str(), -1, &st, nullptr);
        EXPECT_EQ(rc, SQLITE_OK) << original << "\n" << sql << "\n" << sqlite3_errmsg(con.get());
        if (rc == SQLITE_OK) {
            int paso;
            while ((paso = sqlite3_step(st)) == SQLITE_ROW) {
            }
            EXPECT_EQ(paso, SQLITE_DONE) << original << "\n" << sqlite3_errmsg(con.get());
        }
        sqlite3_finalize(st);
    }
    EXPECT_EQ(con.Ejecutar("ROLLBACK"), "");
}

TEST_F(BaseDemoPrueba, CadaSentenciaDelProgramaEncuentraSusTablasYColumnas) {
    EjecutarTodas(con(), ComoAdministrador);
}

/// A restricted user with confidentiality on reads the protected tables through their views:
/// the same statements must run there.
TEST_F(BaseDemoPrueba, LasSentenciasDeUnUsuarioRestringidoTambien) {
    EjecutarTodas(con(), [](const std::string& s) {
        // The sheet of all templates reads through a connection of its own, untranslated.
        const bool planilla = s.rfind("SELECT MA_MODELOS.NOMBRE,", 0) == 0;
        return planilla ? s : data::TraducirSinonimos(s, false, true);
    });
}

/// On an Oracle connection every statement of the program goes through the Oracle rewriting:
/// none may keep a construction of the suite server's own dialect outside its literals.
TEST(SentenciasEnOracle, NingunaConservaLoPropioDelServidor) {
    const std::regex propio(
        R"((\bTOP\s)|[\[\]]|(with\s*\(\s*nolock)|(\bLEN\s*\()|(\bISNULL\s*\()|(\bGETDATE\s*\(\s*\)))",
        std::regex::icase);
    const std::regex literal("'([^']|'')*'");
    for (const char* original : kSentencias) {
        const std::string oracle = data::TraducirOracle(original);
        const std::string sinTextos = std::regex_replace(oracle, literal, "''");
        EXPECT_FALSE(std::regex_search(sinTextos, propio)) << original << "\n" << oracle;
    }
    // The check itself sees each construction.
    for (const char* servidor :
         {"SELECT TOP 1 * FROM T", "SELECT [A] FROM T", "SELECT A FROM T WITH (NOLOCK)",
          "SELECT LEN (A) FROM T", "SELECT isnull(A, 0) FROM T", "SELECT GETDATE() FROM T"})
        EXPECT_TRUE(std::regex_search(servidor, propio)) << servidor;
}

/// Columns (and their order where the pick lists depend on it) of the tables the program
/// reads through "SELECT *" and recordset fields.
TEST_F(BaseDemoPrueba, LasTablasTienenLasColumnasQueElProgramaLee) {
    const std::vector<std::pair<std::string, std::vector<std::string>>> esperadas = {
        {"MA_MODELOS",
         {"ID", "NOMBRE", "SECUENCIA", "CUENTA", "DEBE-HABER", "IMPORTE", "AlicIVA", "DETALLE",
          "tcdefault", "IdMotivo", "MODIFICATC", "MODIFICACTAS", "AGREGACTAS", "Anclarenmenu",
          "allibrodeiva", "esliqtarjetas", "fechahora_grabacion", "fechahora_modificacion",
          "tipo_reg"}},
        {"MA_CUENTAS",
         {"ID", "Nivel", "BIENES", "Ajuste", "BLOQUEO", "DADA_DE_BAJA", "Titulo", "CodigoOpcional",
          "DV", "CODIGO", "DESCRIPCION"}},
        {"SS_MA_CUENTAS",
         {"ID", "Nivel", "BIENES", "Ajuste", "BLOQUEO", "DADA_DE_BAJA", "Titulo", "CodigoOpcional",
          "DV", "CODIGO", "DESCRIPCION"}},
        {"TA_MENU", {"MENU", "TITULO", "CLAVE", "NOMBRE", "IMAGEN", "PROCESO", "HABILITADO"}},
        {"TA_TAREAS", {"USUARIO", "SISTEMA", "TAREA"}},
        {"TA_CONFIGURACION", {"CLAVE", "VALOR", "valoraux"}},
        {"Control_Acceso",
         {"ID", "Maquina", "Usuario", "Formulario", "Tarea", "Ingreso", "NombreUsuario"}},
        {"V_MV_FALTANTES", {"ID", "FechaHora", "IdArticulo", "Descripcion", "Usuario"}},
    };
    for (const auto& [tabla, columnas] : esperadas) {
        std::vector<std::string> reales;
        for (const auto& f : con().Filas("SELECT name FROM pragma_table_info('" + tabla + "')"))
            reales.push_back(f[0]);
        EXPECT_EQ(reales, columnas) << tabla;
    }
    // The generic pick list shows the fields in reverse order: the chart of accounts must start
    // with its description and code.
    EXPECT_EQ(con().Valor("SELECT name FROM pragma_table_info('MA_CUENTAS') ORDER BY cid DESC"),
              "DESCRIPCION");
}

/// Declared types decide how values travel: text columns carry the suite collation, amounts
/// are MONEY, flags SMALLINT, dates DATETIME.
TEST_F(BaseDemoPrueba, TiposYColacionDeLasColumnas) {
    const auto tipo = [&](const std::string& t, const std::string& c) {
        return con().Valor("SELECT type FROM pragma_table_info('" + t + "') WHERE name = '" + c +
                           "'");
    };
    EXPECT_EQ(tipo("MA_MODELOS", "IMPORTE"), "MONEY");
    EXPECT_EQ(tipo("MA_MODELOS", "AlicIVA"), "MONEY");
    EXPECT_EQ(tipo("MA_MODELOS", "SECUENCIA"), "SMALLINT");
    EXPECT_EQ(tipo("MA_MODELOS", "esliqtarjetas"), "SMALLINT");
    EXPECT_EQ(tipo("MA_MODELOS", "fechahora_grabacion"), "DATETIME");
    EXPECT_EQ(tipo("MA_MODELOS", "NOMBRE"), "VARCHAR(50)");
    EXPECT_EQ(tipo("MA_CUENTAS", "CODIGO"), "VARCHAR(15)");
    // Every text column of every table declares the suite collation.
    const auto textos = con().Filas(
        "SELECT m.name, p.name FROM sqlite_master m, pragma_table_info(m.name) p "
        "WHERE m.type = 'table' AND m.name NOT LIKE 'sqlite%' AND p.type LIKE 'VARCHAR%'");
    EXPECT_GT(textos.size(), 90u);
    for (const auto& f : textos) {
        const char* colacion = nullptr;
        ASSERT_EQ(sqlite3_table_column_metadata(con().get(), nullptr, f[0].c_str(), f[1].c_str(),
                                                nullptr, &colacion, nullptr, nullptr, nullptr),
                  SQLITE_OK);
        EXPECT_STREQ(colacion, kColacionSuite) << f[0] << "." << f[1];
    }
    // The comparison really follows the collation: case (also of Ñ and accented letters) and
    // trailing blanks are ignored.
    EXPECT_EQ(con().Numero("SELECT COUNT(*) FROM MA_MODELOS WHERE NOMBRE = 'servicios públicos  '"),
              4);
    EXPECT_EQ(
        con().Numero("SELECT COUNT(*) FROM VT_CLIENTES WHERE RazonSocial = 'KIOSCO EL ÑANDÚ'"), 1);
}

/// The plan of a query as one text.
std::string Plan(const ConexionDirecta& c, const std::string& sql) {
    std::string r;
    for (const auto& f : c.Filas("EXPLAIN QUERY PLAN " + sql)) r += f.back() + "\n";
    return r;
}

TEST_F(BaseDemoPrueba, LasComparacionesRecortadasUsanSusIndices) {
    // The statements as the program writes them, translated and adapted as the program does.
    const auto restringido = [](const std::string& x) { return TraducirSinonimos(x, false, true); };
    const struct {
        std::string sentencia;
        const char* indice;
    } casos[] = {
        {ComoAdministrador("SELECT TOP 1 * FROM MA_CUENTAS with(nolock)  WHERE "
                           "LTRIM(RTRIM(CODIGO)) ='1.1.01.001' "),
         "ix_ma_cuentas_codigo_trim"},
        // Through the restricted view as well (a non-administrator's statements go there).
        {restringido("SELECT TOP 1 * FROM MA_CUENTAS with(nolock)  WHERE "
                     "LTRIM(RTRIM(CODIGO)) ='1.1.01.001' "),
         "ix_ma_cuentas_codigo_trim"},
        // Loading a template: the index also gives the line order, no sorting step.
        {ComoAdministrador(
             "SELECT * FROM MA_MODELOS WHERE LTRIM(RTRIM(NOMBRE)) = 'SUELDOS' ORDER BY SECUENCIA"),
         "ix_ma_modelos_nombre_trim"},
        {ComoAdministrador("SELECT * FROM MA_CUENTAS WHERE CodigoOpcional =  'CAJA'"),
         "ix_ma_cuentas_codigoopcional"},
        {ComoAdministrador(
             "SELECT TOP 1 * FROM MA_CUENTAS with(nolock)  WHERE CODIGO ='1.1.01.001      ' "),
         "ix_ma_cuentas_codigo"},
        {ComoAdministrador(
             "SELECT TOP 1  * FROM V_TA_CPTE with(nolock)  WHERE LTRIM(RTRIM(CODIGO)) ='fc'"),
         "ix_v_ta_cpte_codigo_trim"},
    };
    for (const auto& c : casos) {
        const std::string plan = Plan(con(), Adaptar(c.sentencia));
        EXPECT_NE(plan.find(std::string("USING INDEX ") + c.indice), std::string::npos)
            << c.sentencia << "\n"
            << plan;
        EXPECT_EQ(plan.find("TEMP B-TREE"), std::string::npos) << c.sentencia << "\n" << plan;
    }

    // And the indexed lookups find the rows the collation says are equal.
    EXPECT_EQ(con().Valor("SELECT DESCRIPCION FROM MA_CUENTAS WHERE LTRIM(RTRIM(CODIGO)) = "
                          "'1.1.01.001' COLLATE SUITE_CI"),
              "Caja Moneda Nacional");
    EXPECT_EQ(con().Valor("SELECT DESCRIPCION FROM V_TA_CPTE WHERE LTRIM(RTRIM(CODIGO)) = 'fcc' "
                          "COLLATE SUITE_CI"),
              "Factura de Compra");
    EXPECT_EQ(con().Valor("SELECT CODIGO FROM MA_CUENTAS WHERE CODIGO = '1.1.01.001      '"),
              "1.1.01.001");
    EXPECT_EQ(con().Valor("SELECT CODIGO FROM MA_CUENTAS WHERE CodigoOpcional = 'caja'"),
              "1.1.01.001");
}

TEST_F(BaseDemoPrueba, UnTextoMasLargoQueSuColumnaFallaConLaRestriccionDeLargo) {
    const auto insertar = [&](const std::string& nombre, const std::string& cuenta,
                              const std::string& lado) {
        return con().Ejecutar(
            "INSERT INTO MA_MODELOS (NOMBRE, SECUENCIA, CUENTA, \"DEBE-HABER\", IMPORTE) VALUES "
            "('" +
            nombre + "', 1, '" + cuenta + "', '" + lado + "', 0)");
    };
    const std::string cincuenta(50, 'N');
    EXPECT_EQ(insertar(cincuenta, "1.1.01.001", "D"), "");
    const std::string error = insertar(cincuenta + "X", "1.1.01.001", "D");
    EXPECT_NE(error.find("largo_MA_MODELOS_NOMBRE"), std::string::npos) << error;
    // The length counts characters, not bytes: fifty Ñ fit.
    std::string enies;
    for (int i = 0; i < 50; ++i) enies += "Ñ";
    EXPECT_EQ(insertar(enies, "1.1.01.001", "H"), "");
    EXPECT_NE(insertar(enies + "Ñ", "1.1.01.001", "H").find("largo_MA_MODELOS_NOMBRE"),
              std::string::npos);
    EXPECT_NE(insertar("X", "1.1.01.001.00001", "D").find("largo_MA_MODELOS_CUENTA"),
              std::string::npos);
    EXPECT_NE(insertar("X", "1.1.01.001", "DH").find("largo_MA_MODELOS_DEBE_HABER"),
              std::string::npos);
    EXPECT_NE(con()
                  .Ejecutar("UPDATE MA_MODELOS SET tcdefault = 'FACTU' WHERE NOMBRE = 'SUELDOS'")
                  .find("largo_MA_MODELOS_tcdefault"),
              std::string::npos);
    EXPECT_NE(con()
                  .Ejecutar("UPDATE MA_MODELOS SET IdMotivo = '12345' WHERE NOMBRE = 'SUELDOS'")
                  .find("largo_MA_MODELOS_IdMotivo"),
              std::string::npos);
    EXPECT_NE(con()
                  .Ejecutar("UPDATE MA_MODELOS SET tipo_reg = '     ' WHERE NOMBRE = 'SUELDOS'")
                  .find("largo_MA_MODELOS_tipo_reg"),
              std::string::npos);
    // The rejected rows were not stored.
    EXPECT_EQ(con().Numero("SELECT COUNT(*) FROM MA_MODELOS WHERE length(NOMBRE) > 50"), 0);
}

/// Loops of a statement's plan that read MA_CUENTAS or MA_MODELOS whole once per row of another
/// loop: a scan that is not the first loop at its level, or a scan in a correlated subquery.
std::vector<std::string> BarridosPorFila(const ConexionDirecta& c, const std::string& sql) {
    std::vector<std::string> r;
    std::map<std::string, int> lazos;       // loops seen under each parent
    std::set<std::string> correlacionadas;  // ids of correlated subqueries
    for (const auto& f : c.Filas("EXPLAIN QUERY PLAN " + sql)) {
        const std::string &id = f[0], &padre = f[1], &detalle = f[3];
        if (detalle.find("CORRELATED") != std::string::npos) correlacionadas.insert(id);
        const bool barrido = detalle.rfind("SCAN ", 0) == 0 && detalle != "SCAN CONSTANT ROW";
        if (!barrido && detalle.rfind("SEARCH ", 0) != 0) continue;
        const bool porFila = lazos[padre]++ > 0 || correlacionadas.count(padre) > 0;
        const bool grande = detalle.find("MA_CUENTAS") != std::string::npos ||
                            detalle.find("MA_MODELOS") != std::string::npos;
        if (barrido && porFila && grande) r.push_back(detalle);
    }
    return r;
}

/// No statement of the program, adapted by the program, reads the chart of accounts or the
/// templates whole for each row of another table; for an administrator and for a restricted
/// user alike.
TEST_F(BaseDemoPrueba, NingunaSentenciaRecorreCuentasOModelosPorCadaFila) {
    for (const bool administrador : {true, false})
        for (const char* original : kSentencias) {
            // The sheet reads through a connection of its own, untranslated.
            const bool planilla = std::string(original).rfind("SELECT MA_MODELOS.NOMBRE,", 0) == 0;
            const std::string s =
                planilla ? original
                         : data::TraducirSinonimos(original, administrador, !administrador);
            const std::string sql = AdaptarSentencia(s, Dialecto::Sqlite);
            EXPECT_EQ(BarridosPorFila(con(), sql), std::vector<std::string>()) << original << "\n"
                                                                               << sql;
        }
    // The check sees the fault: the sheet's join compared without the suite collation.
    const std::string sinColacion =
        "SELECT MA_MODELOS.NOMBRE, MA_CUENTAS.DESCRIPCION FROM MA_MODELOS, MA_CUENTAS WHERE "
        "LTRIM(RTRIM(MA_MODELOS.CUENTA)) = LTRIM(RTRIM(MA_CUENTAS.CODIGO))";
    EXPECT_FALSE(BarridosPorFila(con(), sinColacion).empty());
}

}  // namespace
