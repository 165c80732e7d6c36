#pragma once
// "Crear Acceso Directo": a desktop entry (freedesktop .desktop file) that starts this program,
// written in the user's desktop folder. No Qt here.
#include <string>

namespace acceso {

/// The user's desktop folder: the environment variable XDG_DESKTOP_DIR when set, otherwise
/// "Desktop" in the home folder ("" when neither is known).
std::string CarpetaEscritorio();

/// The text of the desktop entry that starts `rutaPrograma`, named `nombre`; the program is
/// also its icon. The path is quoted and escaped as desktop entries require.
std::string ContenidoAccesoDirecto(const std::string& nombre, const std::string& rutaPrograma);

/// Writes "<desktop folder>/<executable name>.desktop" for the running program (an existing
/// file is replaced; a missing desktop folder is created) and returns its path.
/// Throws ErrorEjecucion(75) with a Spanish description when it cannot be written.
std::string CrearAccesoDirecto();

}  // namespace acceso
