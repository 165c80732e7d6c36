#pragma once
// Reading one value of the suite's configuration table TA_CONFIGURACION.
#include <string>
#include <string_view>

namespace data {
class DB_Dll;
}

namespace startup {

/// The VALOR of the row whose CLAVE is `clave` (trimmed), as text: "" when it is Null, a single
/// blank " " when there is no such row. `valorAux`, when given, receives the row's valoraux
/// ("" for Null or no row). A failure is shown in the helper library's error dialog ("Cfg"):
/// ignore goes on with the next step, any other answer ends the reading with "" and leaves
/// `valorAux` as it was. Flags are tested by comparing the whole result with "SI" ignoring case.
std::string Cfg(data::DB_Dll& db, std::string_view clave, std::string* valorAux = nullptr);

/// True when `valor` is "SI" in any letter case (the whole text).
bool EsSi(std::string_view valor);

}  // namespace startup
