#pragma once
// The suite's INI settings files ("LD000p.INI", "ld000pr.ini"): classic sections and
// "key=value" lines. Section and key names are matched without letter case; section names may
// contain "|" (the per-workstation section is "MACHINE|USER").
#include <optional>
#include <string>
#include <string_view>
#include <vector>

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

/// A settings file read once for several values: Valor gives what LeerIni gives for the file as
/// it was when read, without locating and reading it again for every key.
class IniLeido {
  public:
    /// Locates `archivo` as UbicarIni says and reads it. Never throws for a missing or unreadable
    /// file: it then holds no key, and every value is its default.
    explicit IniLeido(std::string_view archivo);

    /// The file that was read; nullopt when it was missing or could not be read.
    const std::optional<std::string>& Ruta() const { return ruta_; }

    /// The value of `clave` in section `seccion`, with LeerIni's rules.
    std::string Valor(std::string_view seccion, std::string_view clave,
                      std::string_view defecto) const;

  private:
    struct Entrada {
        bool seccion = false;  // a section header; otherwise a key line
        std::string nombre;    // trimmed
        std::string valor;     // key value, trimmed, enclosing quotes removed
    };
    std::optional<std::string> ruta_;
    std::vector<Entrada> entradas_;  // the file's section and key lines, in order
};

/// Sets `clave`=`valor` in section `seccion`, keeping every other line as it was: an existing
/// key line is replaced, a missing key is added at the end of its section, a missing section is
/// added at the end of the file. The file is the one UbicarIni finds; when there is none, a bare
/// name is created in CarpetaConfiguracion() (folders created) and a path is created as given.
/// Throws ErrorEjecucion(5) for a value or name with a line break, ErrorEjecucion(76) when no
/// folder can be determined, ErrorEjecucion(70) when the file cannot be written.
void EscribirIni(std::string_view archivo, std::string_view seccion, std::string_view clave,
                 std::string_view valor);

}  // namespace helperlib
