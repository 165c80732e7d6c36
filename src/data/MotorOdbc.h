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

#include "CadenaOdbc.h"
#include "FallasOdbc.h"
#include "Motor.h"

namespace data {

/// Connects with `cadenaOdbc` through SQLDriverConnect (never prompts) and returns the engine,
/// which owns the environment, connection and statement handles. The login waits at most
/// 15 seconds. Throws FallaMotor with the driver's SQL state, native error and message when
/// the connection cannot be made.
std::unique_ptr<Motor> AbrirMotorOdbc(const std::string& cadenaOdbc);

}  // namespace data
