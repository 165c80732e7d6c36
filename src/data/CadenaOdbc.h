#pragma once
// Connection strings for the ODBC engine: the ADO form the program builds translated into the
// ODBC form, and the reading of "key=value;" pairs that the engine needs too.
#include <initializer_list>
#include <string>
#include <string_view>
#include <vector>

namespace data {

/// One "key=value" pair of a connection string.
struct ParClave {
    std::string clave;  // trimmed, as written
    std::string valor;
};

/// The pairs of `s` in order: a value may be braced ({..}, "}}" for "}") or quoted ("..",
/// '..', the quote doubled inside), otherwise it runs to the next ";" and is trimmed. A
/// fragment without "=" is dropped.
std::vector<ParClave> PartirCadena(std::string_view s);
/// The value of the first pair whose key, in ASCII lower case, is one of `claves`; "" when
/// there is none.
std::string ValorDe(const std::vector<ParClave>& pares, std::initializer_list<const char*> claves);
/// `s` in ASCII lower case (the keys of connection strings are ASCII).
std::string MinusculasAscii(std::string s);
/// True when `s` contains `parte`, ASCII letter case ignored.
bool ContieneAscii(const std::string& s, const char* parte);

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

/// `cadena` with "LoadExt=<path>" added when ASIENTOS_SQLITE_EXT names the suite's SQLite
/// extension and the driver is the SQLite ODBC driver (which loads it): the suite's functions
/// and collation then reach an ODBC-to-SQLite connection. Otherwise `cadena` unchanged.
std::string ConExtensionSqlite(const std::string& cadena);

}  // namespace data
