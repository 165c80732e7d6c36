// The schema as the program reads it: the columns and their order where the program depends on
// them, the declared types and the suite collation of every text column, and the length check
// a text longer than its column meets.
#include "test_esquema_base.h"

using namespace esquema_prueba;

namespace {

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
    // The indexed lookups find the rows the collation says are equal.
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

}  // namespace
