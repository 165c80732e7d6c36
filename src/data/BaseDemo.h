#pragma once
// Creation of an embedded database from the scripts of the db/ folder: the schema, and on
// request the demo data with a generated chart of accounts. Used by the crear-base-demo tool and
// by every test that needs a database of its own.
#include <string>

namespace data {

/// Accounts of the demo chart when no other figure is asked for.
inline constexpr int kCuentasDemo = 400;

/// Creates the SQLite database `archivo` (an existing file is replaced) from `carpetaDb`:
/// schema.sql always; with `conDemo` also demo.sql and the generated part of the chart of
/// accounts, `kCuentasDemo` accounts in all, each with its check digit. Everything runs in one
/// transaction on a connection with the suite's text semantics registered. Throws
/// std::runtime_error (naming the script or step and the engine's message) and leaves no file
/// behind when anything fails.
void CrearBaseDesdeScripts(const std::string& archivo, const std::string& carpetaDb, bool conDemo);

/// As above with a chart of exactly `cuentas` accounts when `conDemo` (headings included).
/// Throws std::invalid_argument when `cuentas` is below the named part of the chart or above
/// what the code layout can hold.
void CrearBaseDesdeScripts(const std::string& archivo, const std::string& carpetaDb, bool conDemo,
                           int cuentas);

/// The db/ folder for tests: the environment variable ASIENTOS_DB_DIR, which CTest sets.
/// Throws std::runtime_error when it is not set.
std::string CarpetaScriptsDb();

}  // namespace data
