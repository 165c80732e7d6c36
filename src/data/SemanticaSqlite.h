#pragma once
// The suite server's text semantics on the embedded engine: a collation that ignores letter
// case (accented letters and Ñ included) and trailing blanks, a LIKE that ignores case the same
// way, and the server functions the program's statements use (LEN, CHARINDEX, GETDATE, MONTH,
// YEAR, DAY, VAL, SPACE, REPLICATE, UPPER/LOWER with Spanish letters, and LEFT/RIGHT under the
// names SUITE_LEFT/SUITE_RIGHT; ISNULL is SQLite's IFNULL, see Dialecto.h). Registered on every
// connection the program opens, and by the loadable extension so that the sqlite3 shell can work on
// the same databases.
struct sqlite3;

namespace data {

/// Name of the collation every text column of the schema declares.
inline constexpr const char* kColacionSuite = "SUITE_CI";

/// Registers the collation and the functions on `db`. Returns an SQLite result code.
int RegistrarSemanticaSuite(sqlite3* db);

}  // namespace data
