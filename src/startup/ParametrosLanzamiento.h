#pragma once
// The launch parameter string the suite's menu passes to its programs: entries
// "@Key=value;" one after another, each closed by ";", keys in any letter case.
#include <string>
#include <string_view>

namespace startup {

/// The launch parameter string of a process: its command-line arguments after the program
/// name, joined with one blank ("" when there are none).
std::string LineaDeParametros(int argc, const char* const* argv);

/// The value of `clave` (for example "@Server") in `parametros`: the text after the first
/// occurrence of the key (found ignoring case, as a plain substring, so "@Usuario" also finds
/// "@UsuarioLogeado") up to the next ";", with every "=" removed and the outer blanks trimmed.
/// Returns "" when the key is absent. Throws ErrorEjecucion 5 when no ";" closes the entry, and
/// 6 when the entry is longer than a 16-bit count allows, with a description for the user that
/// names the key; both with the source kOrigenParametros.
std::string LeerParametro(std::string_view parametros, std::string_view clave);

/// Source of the errors LeerParametro raises.
inline constexpr const char* kOrigenParametros = "LeerParametro";
}  // namespace startup
