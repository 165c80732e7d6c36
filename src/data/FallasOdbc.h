#pragma once
// Failure classification of the ODBC engine: one table per kind of server.
#include <string>

#include "Motor.h"

namespace data {

/// The one classification of ODBC diagnostics: the driver's SQL state, its native error
/// (SQL Server, Oracle or SQLite codes depending on `dialecto`) and message give the failure
/// class the program's recovery logic keys on. Never throws.
ClaseFalla ClasificarFallaOdbc(const std::string& estadoSql, long nativo,
                               const std::string& mensaje, Dialecto dialecto);

}  // namespace data
