// The demo database: a chart of accounts whose check digits follow the account rule, templates
// that load in line order and post to real accounts, users and menu rights that let DEMO run
// the program, and a generator that is deterministic and honours the requested size.
#include <fstream>
#include <map>
#include <set>

#include "test_esquema_base.h"

using namespace esquema_prueba;

namespace {

/// The account check digit written again here, independently of the generator: weights
/// 9, 7, 5, 3, 1 repeating from the left, non-digits count 0, the sum is divided by ten while
/// it is above 99.
int DigitoEsperado(const std::string& codigo) {
    static const int pesos[] = {9, 7, 5, 3, 1};
    int suma = 0;
    for (std::size_t i = 0; i < codigo.size(); ++i)
        if (codigo[i] >= '0' && codigo[i] <= '9') suma += pesos[i % 5] * (codigo[i] - '0');
    while (suma > 99) suma /= 10;
    return suma;
}

/// Structural checks of a chart: unique codes that fit the grid's account cell, a heading
/// above every account, every stored check digit right.
void RevisarPlan(const ConexionDirecta& c) {
    std::map<std::string, bool> titulos;  // code -> is heading
    for (const auto& f : c.Filas("SELECT CODIGO, Titulo FROM MA_CUENTAS"))
        titulos[f[0]] = f[1] == "1";
    EXPECT_EQ(static_cast<long long>(titulos.size()), c.Numero("SELECT COUNT(*) FROM MA_CUENTAS"))
        << "códigos repetidos";
    for (const auto& f : c.Filas("SELECT CODIGO, DV, Nivel, DESCRIPCION FROM MA_CUENTAS")) {
        const std::string& codigo = f[0];
        EXPECT_LE(codigo.size(), 13u) << codigo;  // the grid's account cell takes 13 characters
        EXPECT_EQ(f[1], std::to_string(DigitoEsperado(codigo))) << codigo;
        const auto punto = codigo.rfind('.');
        const int nivel = 1 + static_cast<int>(std::count(codigo.begin(), codigo.end(), '.'));
        EXPECT_EQ(f[2], std::to_string(nivel)) << codigo;
        EXPECT_NE(f[3], "<NULL>") << codigo;
        if (punto == std::string::npos) continue;
        const auto padre = titulos.find(codigo.substr(0, punto));
        if (padre == titulos.end())
            ADD_FAILURE() << codigo << " no tiene título superior";
        else
            EXPECT_TRUE(padre->second) << codigo << " cuelga de una cuenta imputable";
    }
    // Alternative codes never repeat and never look like a main code.
    EXPECT_EQ(c.Numero("SELECT COUNT(CodigoOpcional) - COUNT(DISTINCT CodigoOpcional) FROM "
                       "MA_CUENTAS"),
              0);
    EXPECT_EQ(c.Numero("SELECT COUNT(*) FROM MA_CUENTAS a JOIN MA_CUENTAS b ON a.CodigoOpcional "
                       "= b.CODIGO"),
              0);
}

TEST(DigitoDePrueba, CoincideConLosEjemplosDeLaRegla) {
    EXPECT_EQ(DigitoEsperado("4321"), 70);
    EXPECT_EQ(DigitoEsperado("999999"), 30);
    EXPECT_EQ(DigitoEsperado("1101"), 19);
    EXPECT_EQ(DigitoEsperado("1.1.01"), 23);
    EXPECT_EQ(DigitoEsperado(""), 0);
}

TEST_F(BaseDemoPrueba, PlanDeCuentasConTitulosBajasBloqueosYCodigosAlternativos) {
    EXPECT_EQ(con().Numero("SELECT COUNT(*) FROM MA_CUENTAS"), kCuentasDemo);
    EXPECT_GE(kCuentasDemo, 300);
    EXPECT_GE(con().Numero("SELECT COUNT(*) FROM MA_CUENTAS WHERE Titulo = 1"), 40);
    EXPECT_GE(con().Numero("SELECT COUNT(*) FROM MA_CUENTAS WHERE Titulo = 0 AND DADA_DE_BAJA = 0 "
                           "AND BLOQUEO = 0"),
              250);
    EXPECT_GE(con().Numero("SELECT COUNT(*) FROM MA_CUENTAS WHERE DADA_DE_BAJA = 1"), 3);
    EXPECT_GE(con().Numero("SELECT COUNT(*) FROM MA_CUENTAS WHERE BLOQUEO = 1"), 3);
    EXPECT_GE(con().Numero("SELECT COUNT(*) FROM MA_CUENTAS WHERE CodigoOpcional IS NOT NULL"), 10);
    RevisarPlan(con());
}

TEST_F(BaseDemoPrueba, DigitosVerificadoresCalculadosAMano) {
    // code -> digit, worked out by hand with the weights 9 7 5 3 1 9 7 5 3 1
    const std::pair<const char*, const char*> casos[] = {
        {"1", "9"},            // 1x9
        {"1.1.01.001", "24"},  // 9 + 5 + 9 + 1
        {"1.2.01.013", "34"},  // 9 + 10 + 9 + 3 + 3
        {"5.3.02.003", "81"},  // 45 + 15 + 18 + 3
        {"2.1.04.001", "60"},  // 18 + 5 + 36 + 1
        {"5.3.04.003", "99"},  // 45 + 15 + 36 + 3 = 99, kept
        {"5.3.04.004", "10"},  // exactly 100, reduced to 10
        {"5.3.04.005", "10"},  // 45 + 15 + 36 + 5 = 101, reduced to 10
    };
    for (const auto& [codigo, dv] : casos)
        EXPECT_EQ(
            con().Valor(std::string("SELECT DV FROM MA_CUENTAS WHERE CODIGO = '") + codigo + "'"),
            dv)
            << codigo;
}

TEST_F(BaseDemoPrueba, LasPlantillasCarganOrdenadasYUsanCuentasImputables) {
    const auto sueldos = con().Filas(
        "SELECT SECUENCIA, CUENTA, \"DEBE-HABER\" FROM MA_MODELOS WHERE LTRIM(RTRIM(NOMBRE)) = "
        "'sueldos' COLLATE SUITE_CI ORDER BY SECUENCIA");
    ASSERT_EQ(sueldos.size(), 5u);
    const std::vector<std::string> secuencias = {"1", "2", "3", "5", "6"};
    for (std::size_t i = 0; i < sueldos.size(); ++i) EXPECT_EQ(sueldos[i][0], secuencias[i]);
    EXPECT_EQ(sueldos[0][1], "5.3.01.001");
    EXPECT_EQ(sueldos[0][2], "D");

    const auto plantillas = con().Filas("SELECT NOMBRE, COUNT(*) FROM MA_MODELOS GROUP BY NOMBRE");
    ASSERT_GE(plantillas.size(), 3u);
    for (const auto& p : plantillas) {
        EXPECT_GE(std::stoi(p[1]), 3) << p[0];
        EXPECT_LE(std::stoi(p[1]), 6) << p[0];
    }
    // Every line posts to an open, unblocked, postable account; debits equal credits.
    EXPECT_EQ(con().Numero("SELECT COUNT(*) FROM MA_MODELOS m LEFT JOIN MA_CUENTAS c ON "
                           "c.CODIGO = m.CUENTA AND c.Titulo = 0 AND c.DADA_DE_BAJA = 0 AND "
                           "c.BLOQUEO = 0 WHERE c.ID IS NULL"),
              0);
    EXPECT_EQ(con().Numero("SELECT COUNT(*) FROM (SELECT NOMBRE FROM MA_MODELOS GROUP BY NOMBRE "
                           "HAVING SUM(CASE WHEN \"DEBE-HABER\" = 'D' THEN IMPORTE ELSE -IMPORTE "
                           "END) <> 0)"),
              0);
    // Header values point at existing voucher types and reasons.
    EXPECT_EQ(con().Numero("SELECT COUNT(*) FROM MA_MODELOS m WHERE NOT EXISTS (SELECT 1 FROM "
                           "V_TA_CPTE v WHERE v.CODIGO = m.tcdefault)"),
              0);
    EXPECT_EQ(con().Numero("SELECT COUNT(*) FROM MA_MODELOS m WHERE m.IdMotivo <> '' AND NOT "
                           "EXISTS (SELECT 1 FROM V_TA_MotivoCpra v WHERE v.IdMotivoCpra = "
                           "m.IdMotivo)"),
              0);
    // The sheet lists every line of every template (all have a blank register type).
    EXPECT_EQ(con()
                  .Filas("SELECT MA_MODELOS.NOMBRE FROM MA_MODELOS,MA_CUENTAS WHERE "
                         "LTRIM(RTRIM(MA_MODELOS.CUENTA)) = LTRIM(RTRIM(MA_CUENTAS.CODIGO)) "
                         "COLLATE SUITE_CI AND (LTRIM(RTRIM(MA_MODELOS.TIPO_REG)) = '' COLLATE "
                         "SUITE_CI OR MA_MODELOS.TIPO_REG = NULL)")
                  .size(),
              static_cast<std::size_t>(con().Numero("SELECT COUNT(*) FROM MA_MODELOS")));
}

TEST_F(BaseDemoPrueba, UsuariosDerechosYConfiguracion) {
    EXPECT_EQ(con().Valor("SELECT nombre FROM ta_usuarios WHERE Administrador = 1"), "ADMIN");
    EXPECT_EQ(con().Numero("SELECT COUNT(*) FROM ta_usuarios WHERE Administrador = 1"), 1);
    EXPECT_EQ(con().Valor("SELECT UNegocio FROM ta_usuarios WHERE nombre = 'demo'"), "   1");
    // The access check's statement finds DEMO's right to this program, not JPEREZ's.
    const auto derecho = [&](const std::string& usuario) {
        return con().Filas(
            "SELECT TA_MENU.Nombre FROM TA_TAREAS INNER JOIN TA_MENU ON TA_TAREAS.TAREA = "
            "TA_MENU.Clave WHERE (TA_TAREAS.USUARIO = '" +
            usuario + " ') AND (TA_MENU.Proceso LIKE '%ASIENTOS-MODELO%')");
    };
    EXPECT_EQ(derecho("DEMO").size(), 1u);
    EXPECT_EQ(derecho("ADMIN").size(), 1u);
    EXPECT_TRUE(derecho("JPEREZ").empty());
    // Anchored templates have their menu entry under the parent, and only they do.
    EXPECT_EQ(con().Valor("SELECT PROCESO FROM TA_MENU WHERE TITULO = 'D9541' AND NOMBRE = "
                          "'ALQUILERES'"),
              "shell:Mv_asientos @PARAMETROADICIONAL= MODELO_ALQUILERES");
    EXPECT_EQ(con().Numero("SELECT COUNT(DISTINCT NOMBRE) FROM MA_MODELOS WHERE Anclarenmenu = 1"),
              con().Numero("SELECT COUNT(*) FROM TA_MENU WHERE TITULO = 'D9541'"));
    // The keys start-up, grid and lookups read are present; keys compare ignoring case.
    for (const char* clave :
         {"ESCRIBE_SOLO_MAYUSCULAS", "SS_BloqueoActivo", "PERIODO", "SS_CONFIDENCIALIDAD", "CFondo",
          "CLetra", "TopConsArt", "MostrarStockenConsultas", "UsaConsultaLike", "FECHAOPERDESDE",
          "FECHAOPERHASTA", "CONDIVA", "NOM_PCLASE1", "NOM_PCLASE8", "Stk_Nivel1", "Stk_Nivel4"})
        EXPECT_EQ(
            con().Numero(std::string("SELECT COUNT(*) FROM TA_CONFIGURACION WHERE CLAVE = '") +
                         clave + "'"),
            1)
            << clave;
    EXPECT_EQ(
        con().Valor("SELECT VALOR FROM TA_CONFIGURACION WHERE CLAVE = 'usadigitoverificador'"),
        "SI");
    EXPECT_EQ(con().Valor("SELECT VALOR FROM TA_CONFIGURACION WHERE CLAVE = 'PERIODO'"),
              con().Valor("SELECT PERIODO FROM MV_EJERCICIOS WHERE Cerrado = 0"));
}

TEST_F(BaseDemoPrueba, LasFamiliasFormanElArbolPorSusCodigos) {
    // The family tree's parent column: the greatest shorter code that sorts before each code.
    const auto filas = con().Filas(
        "SELECT IdFamilia, (SELECT idfamilia FROM V_TA_FAMILIAS a WHERE a.IdFamilia < b.IdFamilia "
        "AND (LEN(LTRIM(RTRIM(a.IdFamilia))) < LEN(LTRIM(RTRIM(b.IdFamilia)))) ORDER BY idfamilia "
        "DESC LIMIT 1) AS relative FROM V_TA_FAMILIAS b WHERE IdFamilia <> '' ORDER BY IdFamilia");
    std::map<std::string, std::string> padre;
    for (const auto& f : filas) padre[f[0]] = f[1];
    EXPECT_EQ(padre["1"], "<NULL>");
    EXPECT_EQ(padre["11"], "1");
    EXPECT_EQ(padre["111"], "11");
    EXPECT_EQ(padre["2"], "<NULL>");
    EXPECT_EQ(padre["21"], "2");
}

// ---- the generator ----------------------------------------------------------------------------

std::vector<std::vector<std::string>> Plan(const fs::path& archivo) {
    ConexionDirecta c(archivo);
    return c.Filas(
        "SELECT CODIGO, DESCRIPCION, Titulo, DV, CodigoOpcional, DADA_DE_BAJA, BLOQUEO FROM "
        "MA_CUENTAS ORDER BY CODIGO");
}

TEST(GeneradorDePlan, MismoPlanEnCadaCorridaYDelTamanoPedido) {
    CarpetaTemporal carpeta;
    const fs::path a = carpeta.ruta() / "A.sqlite";
    const fs::path b = carpeta.ruta() / "B.sqlite";
    CrearBaseDesdeScripts(a.string(), CarpetaScriptsDb(), true, 3000);
    CrearBaseDesdeScripts(b.string(), CarpetaScriptsDb(), true, 3000);
    const auto planA = Plan(a);
    EXPECT_EQ(planA.size(), 3000u);
    EXPECT_EQ(planA, Plan(b));
    // Enough customers to fill more than one group of 999 accounts.
    ConexionDirecta c(a);
    EXPECT_GE(c.Numero("SELECT COUNT(*) FROM MA_CUENTAS WHERE CODIGO LIKE '1.1.11.%'"), 1);
    RevisarPlan(c);
}

TEST(GeneradorDePlan, RechazaUnTamanoMenorQueLaParteNombradaSinDejarArchivo) {
    CarpetaTemporal carpeta;
    const fs::path a = carpeta.ruta() / "A.sqlite";
    EXPECT_THROW(CrearBaseDesdeScripts(a.string(), CarpetaScriptsDb(), true, 10),
                 std::invalid_argument);
    EXPECT_FALSE(fs::exists(a));
}

TEST(CreacionDeBase, ReemplazaUnArchivoExistenteYSoloEsquemaQuedaVacia) {
    CarpetaTemporal carpeta;
    const fs::path a = carpeta.ruta() / "A.sqlite";
    std::ofstream(a) << "esto no es una base";
    CrearBaseDesdeScripts(a.string(), CarpetaScriptsDb(), false);
    ConexionDirecta c(a);
    EXPECT_EQ(c.Numero("SELECT COUNT(*) FROM MA_CUENTAS"), 0);
    EXPECT_EQ(c.Numero("SELECT COUNT(*) FROM MA_MODELOS"), 0);
    EXPECT_EQ(c.Numero("SELECT COUNT(*) FROM sqlite_master WHERE name = 'SS_MA_CUENTAS'"), 1);
}

TEST(CreacionDeBase, UnGuionQueFallaNoDejaArchivo) {
    CarpetaTemporal carpeta;
    const fs::path guiones = carpeta.ruta() / "db";
    fs::create_directories(guiones);
    fs::copy_file(fs::path(CarpetaScriptsDb()) / "schema.sql", guiones / "schema.sql");
    std::ofstream(guiones / "demo.sql") << "INSERT INTO TABLA_QUE_NO_EXISTE VALUES (1);";
    const fs::path a = carpeta.ruta() / "A.sqlite";
    try {
        CrearBaseDesdeScripts(a.string(), guiones.string(), true);
        ADD_FAILURE() << "debía fallar";
    } catch (const std::runtime_error& e) {
        EXPECT_NE(std::string(e.what()).find("demo.sql"), std::string::npos) << e.what();
    }
    EXPECT_FALSE(fs::exists(a));
    EXPECT_THROW(CrearBaseDesdeScripts(a.string(), (carpeta.ruta() / "no").string(), false),
                 std::runtime_error);
    EXPECT_FALSE(fs::exists(a));
}

}  // namespace
