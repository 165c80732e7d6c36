#pragma once
// Where the scripts an embedded database is made from (schema.sql, demo.sql) are found next to
// a program that was built or installed: in the program's own folder under "db", or in the
// shared data folder of the installation ("share/asientos-modelo/db" one or two levels above
// the program's folder, for a program in "bin" or in "lib/asientos-modelo").
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace data {

/// The folders looked at for the scripts of a program whose folder is `carpetaPrograma`, in
/// the order they are tried.
std::vector<std::string> CarpetasScriptsCandidatas(std::string_view carpetaPrograma);

/// The first candidate folder that holds "schema.sql", ending with "/"; nothing when none does
/// (or when `carpetaPrograma` is empty).
std::optional<std::string> UbicarScriptsDb(std::string_view carpetaPrograma);

}  // namespace data
