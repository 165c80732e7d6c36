#pragma once
// The ODBC driver manager is loaded by the program the first time an ODBC function is called
// (see OdbcDiferido.cpp), never at start-up.

namespace data {

/// Whether the driver manager (libodbc.so.2) is mapped in this process now. Loads nothing.
bool OdbcCargado();

}  // namespace data
