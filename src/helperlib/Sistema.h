#pragma once
// Facts about the machine and the user, and opening documents, through the platform.
// Preparing a window (the suite's PrepararVentana) needs widgets and lives in the widget layer.
#include <string>
#include <string_view>

namespace helperlib {

/// The computer's name, as the platform reports it ("" when unknown).
std::string NombreMaquina();
/// The operating-system user's name, as the platform reports it ("" when unknown).
std::string UsuarioSistema();

/// The running program's folder (the folder of plataforma().RutaEjecutable()), ending with "/";
/// "" (the current folder, so paths built on it stay relative) when the platform does not know
/// the executable or its path has no folder part. The one place the program's folder is derived.
std::string CarpetaPrograma();
/// The running program's file name without folder and extension ("asientos-modelo"); "" when
/// unknown.
std::string NombreEjecutable();

/// A folder where the program may write, ending with "/": the user's cache folder for the
/// program ($XDG_CACHE_HOME/asientos-modelo/ or $HOME/.cache/asientos-modelo/), created when
/// missing; when that cannot be created or written, a folder of the user's own inside the
/// system's temporary folder (asientos-modelo-<uid>/, mode 0700), never the shared temporary
/// folder itself. Never throws.
std::string CarpetaAlternativa();

/// Opens `documento` with the program associated to its type. `mostrar` is the classic window
/// state (normal, minimised...); the desktop chooses how the program's window appears on this
/// platform, so it is accepted and not used. Returns false when nothing opened the document.
bool AbrirConAsociacion(std::string_view documento, int mostrar = 1);

}  // namespace helperlib
