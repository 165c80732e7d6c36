// Turning the program's ADO connection strings into ODBC ones, the classification of driver
// diagnostics, and the real failure of a FreeTDS connection to a closed local port.
#include <arpa/inet.h>
#include <gtest/gtest.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <optional>
#include <string>

#include "MapaErrores.h"
#include "MotorOdbc.h"
#include "Prerrequisitos.h"
#include "VariableEntorno.h"

using namespace data;

std::string DriverOdbc(const std::string& nombre, const std::string& archivo);  // test_odbc_sqlite

namespace {

TEST(CadenaOdbc, FormaSqlServerDelProgramaConDriverPorDefecto) {
    VariableEntorno d("ASIENTOS_ODBC_DRIVER", std::nullopt);
    EXPECT_EQ(
        CadenaOdbcDesdeAdo("PROVIDER=SQLOLEDB;Server=SRV01\\INST;Database =EMP;UId=EMP;Pwd=EMP;"),
        "DRIVER={FreeTDS};SERVER=SRV01\\INST;DATABASE=EMP;UID=EMP;PWD=EMP;ClientCharset=UTF-8;");
    // Keys without case, blanks around "=", "host,port" passed as it is.
    EXPECT_EQ(CadenaOdbcDesdeAdo(" provider = sqloledb ; SERVER = srv,1433 ; DATABASE = Emp ;"
                                 " uid = u ; PWD = p ;"),
              "DRIVER={FreeTDS};SERVER=srv,1433;DATABASE=Emp;UID=u;PWD=p;ClientCharset=UTF-8;");
}

TEST(CadenaOdbc, PuertoConDosPuntosVaAPortYExtrasSiguen) {
    VariableEntorno d("ASIENTOS_ODBC_DRIVER", std::nullopt);
    EXPECT_EQ(CadenaOdbcDesdeAdo("PROVIDER=SQLOLEDB;Server=srv1:1500;Database =EMP;UId=EMP;Pwd=EMP;"
                                 "Application Name=Asientos;Persist Security Info=False;"
                                 "Packet Size=4096;"),
              "DRIVER={FreeTDS};SERVER=srv1;Port=1500;DATABASE=EMP;UID=EMP;PWD=EMP;"
              "ClientCharset=UTF-8;APP=Asientos;Packet Size=4096;");
    // A colon not followed by a port number is part of the name.
    EXPECT_NE(CadenaOdbcDesdeAdo("PROVIDER=SQLOLEDB;Server=a:b;Database =x;UId=x;Pwd=x;")
                  .find("SERVER=a:b;"),
              std::string::npos);
}

TEST(CadenaOdbc, ValoresConPuntoYComaOLlavesVanEntreLlaves) {
    VariableEntorno d("ASIENTOS_ODBC_DRIVER", "ODBC Driver 18 for SQL Server");
    // A quoted ADO value keeps its ";"; in ODBC it is braced, "}" doubled.
    EXPECT_EQ(CadenaOdbcDesdeAdo("PROVIDER=SQLOLEDB;Server=s;Database =d;UId=u;"
                                 "Pwd=\"a;b}c\";"),
              "DRIVER={ODBC Driver 18 for SQL Server};SERVER=s;DATABASE=d;UID=u;PWD={a;b}}c};");
    EXPECT_EQ(CadenaOdbcDesdeAdo("PROVIDER=SQLOLEDB;Server=s;Database =d;UId=u;Pwd='it''s';"),
              "DRIVER={ODBC Driver 18 for SQL Server};SERVER=s;DATABASE=d;UID=u;PWD=it's;");
}

TEST(CadenaOdbc, DriverPuedeSerRutaYOracleTieneElSuyo) {
    VariableEntorno d("ASIENTOS_ODBC_DRIVER", "/usr/lib/x86_64-linux-gnu/odbc/libtdsodbc.so");
    VariableEntorno o("ASIENTOS_ODBC_DRIVER_ORACLE", std::nullopt);
    EXPECT_EQ(CadenaOdbcDesdeAdo("PROVIDER=SQLOLEDB;Server=s;Database =d;UId=d;Pwd=d;"),
              "DRIVER={/usr/lib/x86_64-linux-gnu/odbc/libtdsodbc.so};SERVER=s;DATABASE=d;UID=d;"
              "PWD=d;ClientCharset=UTF-8;");
    EXPECT_EQ(
        CadenaOdbcDesdeAdo("Provider=OraOLEDB.Oracle.1;Data Source=ORCL;User Id=EMP;Password=EMP;"),
        "DRIVER={Oracle};DBQ=ORCL;UID=EMP;PWD=EMP;");
    // The server's "#" marks Oracle in the SQL Server form too; the database is the source.
    EXPECT_EQ(CadenaOdbcDesdeAdo("PROVIDER=SQLOLEDB;Server=ora#;Database =ORCL;UId=E;Pwd=E;x=1;"),
              "DRIVER={Oracle};DBQ=ORCL;UID=E;PWD=E;");
    VariableEntorno o2("ASIENTOS_ODBC_DRIVER_ORACLE", "Oracle 19 ODBC driver");
    EXPECT_EQ(
        CadenaOdbcDesdeAdo("Provider=OraOLEDB.Oracle.1;Data Source=ORCL;User Id=EMP;Password=EMP;"),
        "DRIVER={Oracle 19 ODBC driver};DBQ=ORCL;UID=EMP;PWD=EMP;");
}

TEST(CadenaOdbc, CadenasOdbcPasanYLasQueNoSirvenFallan) {
    for (const char* c :
         {"DRIVER=SQLite3;Database=/tmp/x.db;", "dsn=Suite;UID=a;", " Driver ={x};"})
        EXPECT_EQ(CadenaOdbcDesdeAdo(c), c);
    // A server named like a key is not mistaken for an ODBC string.
    EXPECT_NE(CadenaOdbcDesdeAdo("PROVIDER=SQLOLEDB;Server=DSNSRV;Database =d;UId=d;Pwd=d;")
                  .find("SERVER=DSNSRV;"),
              std::string::npos);
    EXPECT_THROW(CadenaOdbcDesdeAdo("PROVIDER=Microsoft.Jet.OLEDB.4.0;Data Source =c:\\a.mdb;"),
                 FallaMotor);
    EXPECT_THROW(CadenaOdbcDesdeAdo("PROVIDER=SQLOLEDB;Database =d;UId=d;Pwd=d;"), FallaMotor);
}

TEST(ClasificacionOdbc, EstadosYCodigosNativosDelServidor) {
    struct Caso {
        const char* estado;
        long nativo;
        ClaseFalla clase;
    };
    const Caso casos[] = {
        {"08S01", 0, ClaseFalla::ConexionPerdida},
        {"08S02", 0, ClaseFalla::ConexionPerdida},
        {"08003", 0, ClaseFalla::ConexionPerdida},
        {"08007", 0, ClaseFalla::ConexionPerdida},
        {"22001", 8152, ClaseFalla::Truncamiento},
        {"HY000", 8152, ClaseFalla::Truncamiento},
        {"22001", 0, ClaseFalla::Truncamiento},
        {"42S02", 208, ClaseFalla::TablaInexistente},
        {"42S02", 0, ClaseFalla::TablaInexistente},
        {"42000", 208, ClaseFalla::TablaInexistente},
        {"42000", 102, ClaseFalla::Sintaxis},
        {"37000", 156, ClaseFalla::Sintaxis},
        {"23000", 2627, ClaseFalla::Restriccion},
        {"23000", 547, ClaseFalla::Restriccion},
        {"HYT00", 0, ClaseFalla::Ocupado},
        {"HYT01", 0, ClaseFalla::Ocupado},
        {"22018", 245, ClaseFalla::Conversion},
        {"22003", 8115, ClaseFalla::Conversion},
        {"22007", 0, ClaseFalla::Conversion},
        {"HY000", 11, ClaseFalla::ConexionPerdida},
        {"08001", 0, ClaseFalla::Otra},
        {"28000", 18456, ClaseFalla::Otra},
        {"HY000", 0, ClaseFalla::Otra},
        {"", 0, ClaseFalla::Otra},
    };
    for (const Caso& c : casos)
        EXPECT_EQ(ClasificarFallaOdbc(c.estado, c.nativo, "m", Dialecto::SqlServer), c.clase)
            << c.estado << " " << c.nativo;
    // Oracle numbers are not read as SQL Server ones (ORA-00001 is a unique key, 208 nothing).
    EXPECT_EQ(ClasificarFallaOdbc("23000", 1, "ORA-00001", Dialecto::Oracle),
              ClaseFalla::Restriccion);
    EXPECT_EQ(ClasificarFallaOdbc("42S02", 942, "ORA-00942", Dialecto::Oracle),
              ClaseFalla::TablaInexistente);
    EXPECT_EQ(ClasificarFallaOdbc("HY000", 12899, "ORA-12899", Dialecto::Oracle),
              ClaseFalla::Truncamiento);
    EXPECT_EQ(ClasificarFallaOdbc("HY000", 208, "x", Dialecto::Oracle), ClaseFalla::Otra);
    // SQLite through its driver: general state, result code and message decide.
    EXPECT_EQ(ClasificarFallaOdbc("HY000", 1, "no such table: X (1)", Dialecto::Sqlite),
              ClaseFalla::TablaInexistente);
    EXPECT_EQ(ClasificarFallaOdbc("HY000", 1, "near \"X\": syntax error (1)", Dialecto::Sqlite),
              ClaseFalla::Sintaxis);
    EXPECT_EQ(ClasificarFallaOdbc("HY000", 2067, "UNIQUE constraint failed", Dialecto::Sqlite),
              ClaseFalla::Restriccion);
    EXPECT_EQ(ClasificarFallaOdbc("HY000", 5, "database is locked", Dialecto::Sqlite),
              ClaseFalla::Ocupado);
    EXPECT_EQ(ClasificarFallaOdbc("HY000", 1, "integer overflow (1)", Dialecto::Sqlite),
              ClaseFalla::Conversion);
    // SQLite's code 11 is a damaged file, not a lost link: it never reaches the recovery.
    EXPECT_EQ(
        ClasificarFallaOdbc("HY000", 11, "database disk image is malformed", Dialecto::Sqlite),
        ClaseFalla::Danada);
    EXPECT_NE(ErrorAdoDeFalla(FallaMotor(ClaseFalla::Danada, "HY000", 11, "malformed")).Nativo, 11);
    EXPECT_EQ(ErrorAdoDeFalla(FallaMotor(ClaseFalla::Otra, "HY000", 11, "malformed")).Nativo, 0);
    EXPECT_EQ(ErrorAdoDeFalla(FallaMotor(ClaseFalla::ConexionPerdida, "", 0, "red")).Nativo, 11);
    EXPECT_EQ(ClasificarFallaOdbc("HY000", 1, "no such function: LEN", Dialecto::Sqlite),
              ClaseFalla::Otra);
}

/// A local TCP port with nothing listening: bound, read back and closed again.
int PuertoLibre() {
    const int s = socket(AF_INET, SOCK_STREAM, 0);
    if (s < 0) return 0;
    sockaddr_in dir{};
    dir.sin_family = AF_INET;
    dir.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    dir.sin_port = 0;
    socklen_t largo = sizeof dir;
    int puerto = 0;
    if (bind(s, reinterpret_cast<sockaddr*>(&dir), sizeof dir) == 0 &&
        getsockname(s, reinterpret_cast<sockaddr*>(&dir), &largo) == 0)
        puerto = ntohs(dir.sin_port);
    close(s);
    return puerto;
}

TEST(FreeTdsOdbc, PuertoCerradoFallaRapidoConEstadoYMensajeDelDriver) {
    const std::string driver = DriverOdbc("FreeTDS", "libtdsodbc.so");
    SALTAR_SI_FALTA(driver.empty(), "FreeTDS ODBC driver not installed (tdsodbc)");
    const int puerto = PuertoLibre();
    ASSERT_GT(puerto, 0);
    VariableEntorno d("ASIENTOS_ODBC_DRIVER", driver);
    const std::string cadena =
        CadenaOdbcDesdeAdo("PROVIDER=SQLOLEDB;Server=127.0.0.1:" + std::to_string(puerto) +
                           ";Database =EMP;UId=EMP;Pwd=Secreta;");
    ASSERT_NE(cadena.find("SERVER=127.0.0.1;Port=" + std::to_string(puerto) + ";"),
              std::string::npos);
    const auto inicio = std::chrono::steady_clock::now();
    try {
        AbrirMotorOdbc(cadena);
        FAIL() << "connected to a closed port";
    } catch (const FallaMotor& f) {
        EXPECT_EQ(f.Clase, ClaseFalla::Otra);  // a failed login is not a lost link
        EXPECT_EQ(f.EstadoSql.size(), 5u) << f.EstadoSql;
        EXPECT_EQ(f.EstadoSql.substr(0, 2), "08") << f.EstadoSql;
        EXPECT_NE(f.Descripcion.find("FreeTDS"), std::string::npos) << f.Descripcion;
        EXPECT_EQ(f.Descripcion.find("Secreta"), std::string::npos) << "password in the message";
    }
    EXPECT_LT(std::chrono::steady_clock::now() - inicio, std::chrono::seconds(20));
}

}  // namespace
