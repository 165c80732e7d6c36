// The demo database through the SQLite ODBC driver: its columns name the suite collation, which
// only the loadable extension (suite_sqlite.so, named by ASIENTOS_SQLITE_EXT) brings to a
// connection the program does not open itself.
#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <random>
#include <string>

#include "BaseDemo.h"
#include "Conexion.h"
#include "ErrorEjecucion.h"
#include "MotorOdbc.h"
#include "Prerrequisitos.h"
#include "Recordset.h"
#include "VariableEntorno.h"

using namespace helperlib;
using namespace data;

namespace fs = std::filesystem;

// Shared by the ODBC test files (test_odbc_sqlite.cpp).
std::string DriverOdbc(const std::string& nombre, const std::string& archivo);

namespace {

/// The extension built beside the tests: <build>/lib/suite_sqlite.so for <build>/bin/<test>.
std::string RutaExtension() {
    char buf[4096];
    const ssize_t n = readlink("/proc/self/exe", buf, sizeof buf - 1);
    if (n <= 0) return "";
    return (fs::path(std::string(buf, static_cast<size_t>(n))).parent_path().parent_path() / "lib" /
            "suite_sqlite.so")
        .string();
}

class OdbcExtension : public ::testing::Test {
  protected:
    void SetUp() override {
        driver_ = DriverOdbc("SQLite3", "libsqlite3odbc.so");
        SALTAR_SI_FALTA(driver_.empty(), "SQLite ODBC driver not installed (libsqliteodbc)");
        std::random_device rd;
        dir_ = fs::temp_directory_path() / ("odbc_ext_" + std::to_string(rd()));
        fs::create_directories(dir_);
        CrearBaseDesdeScripts(Archivo(), CarpetaScriptsDb(), true);
    }
    void TearDown() override {
        std::error_code ec;
        if (!dir_.empty()) fs::remove_all(dir_, ec);
    }
    std::string Archivo() const { return (dir_ / "DEMO.sqlite").string(); }
    std::string CadenaOdbc() const { return "DRIVER=" + driver_ + ";Database=" + Archivo() + ";"; }

    /// The rows of `sql` as "a|b;c|d;" (Null as "-").
    static std::string Filas(Conexion& cn, const std::string& sql) {
        Recordset rs;
        rs.Open(sql, cn);
        std::string r;
        for (; !rs.EOF(); rs.MoveNext()) {
            for (int c = 0; c < rs.FieldCount(); ++c)
                r += (c ? "|" : "") + rs.Fields(c).Value().value_or("-");
            r += ";";
        }
        return r;
    }

    std::string driver_;
    fs::path dir_;
};

// Statements as the program writes them: trimmed comparisons with a literal, which the layer
// adapts to name the suite collation, and a grouping on a column declared with it.
const char* const kConsultas[] = {
    "SELECT TOP 1 CODIGO, DESCRIPCION FROM MA_CUENTAS with(nolock)  WHERE "
    "LTRIM(RTRIM(CODIGO)) ='1.1.01.001 '",
    "SELECT CODIGO FROM MA_CUENTAS WHERE LTRIM(RTRIM(DESCRIPCION)) = 'caja moneda NACIONAL'",
    "SELECT count(*) FROM MA_CUENTAS WHERE DESCRIPCION = 'ACTIVO CORRIENTE   '",
    "SELECT count(*) FROM MA_CUENTAS WHERE DESCRIPCION IN ('caja y bancos', 'Activo ')",
};

TEST_F(OdbcExtension, SinExtensionLaColacionDeLaSuiteFalta) {
    unsetenv("ASIENTOS_SQLITE_EXT");
    Conexion cn;
    cn.AbrirConMotor(AbrirMotorOdbc(CadenaOdbc()), CadenaOdbc());
    ASSERT_EQ(cn.DialectoSql(), Dialecto::Sqlite);
    try {
        Filas(cn, kConsultas[1]);
        FAIL() << "la comparacion recortada corrio sin la colacion";
    } catch (const ErrorEjecucion&) {
        ASSERT_GT(cn.Errors().Count(), 0);
        EXPECT_NE(cn.Errors().Item(0).Descripcion.find("SUITE_CI"), std::string::npos)
            << cn.Errors().Item(0).Descripcion;
    }
}

TEST_F(OdbcExtension, ConExtensionLasComparacionesRecortadasDanLoMismoQueElMotorPropio) {
    const std::string ext = RutaExtension();
    ASSERT_TRUE(fs::exists(ext)) << ext << " (build the suite_sqlite target)";
    VariableEntorno var("ASIENTOS_SQLITE_EXT", ext);
    Conexion odbc;
    odbc.AbrirConMotor(AbrirMotorOdbc(CadenaOdbc()), CadenaOdbc());
    Conexion propia;
    propia.Open("Provider=Microsoft.Jet.OLEDB.4.0;Data Source=" + Archivo());
    const std::string esperadas[] = {
        "1.1.01.001|Caja Moneda Nacional;",
        "1.1.01.001;",
        "1;",
        "2;",
    };
    for (size_t i = 0; i < std::size(kConsultas); ++i) {
        SCOPED_TRACE(kConsultas[i]);
        std::string porOdbc;
        try {
            porOdbc = Filas(odbc, kConsultas[i]);
        } catch (const ErrorEjecucion& e) {
            ADD_FAILURE() << "ODBC: " << e.what();
            continue;
        }
        EXPECT_EQ(porOdbc, Filas(propia, kConsultas[i]));
        EXPECT_EQ(porOdbc, esperadas[i]);
    }
}

}  // namespace
