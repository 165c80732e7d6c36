#pragma once
// Defined sizes of a list source's columns, asked of the database's catalogue (the result of a
// query carries names and types only). Used to size the list's columns.
#include <map>
#include <string>

namespace data {
class Conexion;
}

namespace lookup {

/// Declared length of each column of the table or view `fuente`, keyed by the column name in
/// capitals; columns declared without a length are missing. An empty map when the catalogue
/// cannot be read (failures are not reported: the widths then come from the types).
std::map<std::string, int> TamanosDefinidos(data::Conexion& cn, const std::string& fuente);

}  // namespace lookup
