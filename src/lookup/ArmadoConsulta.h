#pragma once
// How the lookup driver turns what a caller asks for (a table or view name, or a statement)
// into the one statement the list window runs. Everything here is text work; reading the
// saved-query file and the table's fields happens in the driver, which passes the results in.
#include <optional>
#include <string>
#include <vector>

#include "ArchivoConsultas.h"

namespace lookup {

namespace armado {

/// The caller's extra condition as the driver uses it: longer than one character (trimmed) and
/// not starting with "(" gives " (" + where + ") "; anything else is returned unchanged.
std::string EnvolverWhere(const std::string& where);

/// Row limit of generated statements from the text of "TopConsArt": its numeric value, or 1000
/// when that is 0 (also for "", blanks and text that is not a number).
int LimiteFilas(const std::string& valorConfiguracion);

/// True when `sql` is a statement of the caller's own (contains "SELECT", any case).
bool EsSentencia(const std::string& sql);

/// A caller's statement: "V_MA_ARTICULOS" renamed "VT_MA_ARTICULOS" (any case) and a
/// non-blank `where` appended, preceded by " WHERE " unless it already holds "WHERE".
std::string SentenciaDelLlamador(const std::string& sql, const std::string& where);

/// The statement of a saved query. `campoBusqueda` is filled with the first column when empty;
/// nullopt when it had to be chosen and the column list holds only one name (the lookup is
/// not configured: the caller shows the message and opens no window).
std::optional<std::string> SentenciaGuardada(const RegistroConsulta& registro, int limite,
                                             const std::string& where, std::string& campoBusqueda);

/// Columns and search column of the three built-in lists; false for other names.
bool ColumnasIncorporadas(const std::string& nombre, std::string& columnas,
                          std::string& campoBusqueda);

/// Columns of a generated list from the table's fields in their order: ID and the two
/// timestamps are skipped (except for the sources that key on them), DESCRIPCION, NOMBRE and
/// DETALLE become the search column, otherwise the first field taken does; each field taken
/// goes in front of the others. Blank gives " * ".
std::string ColumnasGeneradas(const std::string& nombre, const std::vector<std::string>& campos,
                              std::string& campoBusqueda);

/// "SELECT TOP n <columnas> FROM <nombre>[ WHERE  <where>] ORDER BY <campoBusqueda>". A blank
/// search column leaves the ORDER BY out, since the statement could not run with it.
std::string SentenciaGenerada(const std::string& nombre, const std::string& columnas, int limite,
                              const std::string& where, const std::string& campoBusqueda);

/// The text of the configuration message shown for a saved query with a single column.
inline constexpr const char* kMensajeSinConfigurar = "Debe configurar la consulta para esta tabla";

}  // namespace armado

}  // namespace lookup
