#pragma once
// The suite's INI settings files ("LD000p.INI", "ld000pr.ini"): classic sections and
// "key=value" lines. Section and key names are matched without letter case; section names may
// contain "|" (the per-workstation section is "MACHINE|USER").
#include <optional>
#include <string>
#include <string_view>

namespace helperlib {

/// The user's configuration folder for this program, ending with "/":
/// $XDG_CONFIG_HOME/asientos-modelo/ when that variable holds an absolute path, otherwise
/// $HOME/.config/asientos-modelo/. "" when neither variable is usable.
std::string CarpetaConfiguracion();

/// Where a settings file lies. A bare file name is looked for first in the program's folder
/// (the folder of plataforma().RutaEjecutable()), then in CarpetaConfiguracion(); a path with a
/// folder is looked for in that folder ("\" is taken as "/"). In each folder the exact name is
/// preferred, then a file whose name differs only in letter case (the suite writes these names
/// in varying case). nullopt when no such file exists.
std::optional<std::string> UbicarIni(std::string_view archivo);

/// The value of `clave` in section `seccion` of the settings file `archivo` (located as
/// UbicarIni says), trimmed of blanks and tabs, and without one pair of enclosing double quotes.
/// Lines starting with ";" are comments. When the file, the section or the key is missing (or
/// the file cannot be read) the result is `defecto`. When a section or key appears more than
/// once, the first occurrence counts. Bytes that are not UTF-8 are read as Latin-1 (files
/// written by Windows programs). Never throws for a missing or unreadable file.
std::string LeerIni(std::string_view archivo, std::string_view seccion, std::string_view clave,
                    std::string_view defecto);

/// Sets `clave`=`valor` in section `seccion`, keeping every other line as it was: an existing
/// key line is replaced, a missing key is added at the end of its section, a missing section is
/// added at the end of the file. The file is the one UbicarIni finds; when there is none, a bare
/// name is created in CarpetaConfiguracion() (folders created) and a path is created as given.
/// Throws ErrorEjecucion(5) for a value or name with a line break, ErrorEjecucion(76) when no
/// folder can be determined, ErrorEjecucion(70) when the file cannot be written.
void EscribirIni(std::string_view archivo, std::string_view seccion, std::string_view clave,
                 std::string_view valor);

}  // namespace helperlib
