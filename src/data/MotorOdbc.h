#pragma once
// The ODBC engine: any database reached through the driver manager (unixODBC) — the suite's
// SQL Server through FreeTDS or Microsoft's driver, Oracle through its driver, and SQLite
// through the SQLite ODBC driver. The dialect is taken from the DBMS name the driver reports.
//
// Over ODBC to SQLite no function or collation can be registered on the connection (the
// sqlite3 handle is out of reach): statements that use the suite's text collation or the
// functions the embedded engine registers fail with "no such collation sequence" / "no such
// function" unless the database file does not need them, or unless ASIENTOS_SQLITE_EXT names a
// loadable extension that provides them (it is passed to the driver as "LoadExt=<path>").
#include <memory>
#include <string>

#include "Motor.h"

/// Connects with `cadenaOdbc` through SQLDriverConnect (never prompts) and returns the engine,
/// which owns the environment, connection and statement handles. The login waits at most
/// 15 seconds. Throws FallaMotor with the driver's SQL state, native error and message when
/// the connection cannot be made.
std::unique_ptr<Motor> AbrirMotorOdbc(const std::string& cadenaOdbc);

/// Turns one of the program's ADO connection strings into an ODBC one:
///  - SQL Server ("PROVIDER=SQLOLEDB;Server=..;Database =..;UId=..;Pwd=..;<extra>") gives
///    "DRIVER={<ASIENTOS_ODBC_DRIVER, default FreeTDS>};SERVER=..;DATABASE=..;UID=..;PWD=..;"
///    plus the extra keys (a few OLE DB names translated); a server "host:port" becomes
///    "SERVER=host;Port=port;", "host\instance" and "host,port" pass as they are;
///  - Oracle ("Provider=OraOLEDB.Oracle.1;Data Source=..;User Id=..;Password=..;") gives
///    "DRIVER={<ASIENTOS_ODBC_DRIVER_ORACLE, default Oracle>};DBQ=..;UID=..;PWD=..;";
///  - a text starting with "DRIVER=" or "DSN=" is already ODBC and is returned unchanged.
///  - the SQL Server form with a "#" in the server gives the Oracle form (DBQ=<database>);
/// Keys are compared without case; values holding ";", "{" or "}" or edge blanks are braced.
/// Throws FallaMotor (ClaseFalla::Otra) for a Jet string or one without a server.
std::string CadenaOdbcDesdeAdo(const std::string& cadenaAdo);

/// The one classification of ODBC diagnostics: the driver's SQL state, its native error
/// (SQL Server, Oracle or SQLite codes depending on `dialecto`) and message give the failure
/// class the program's recovery logic keys on. Never throws.
ClaseFalla ClasificarFallaOdbc(const std::string& estadoSql, long nativo,
                               const std::string& mensaje, Dialecto dialecto);
