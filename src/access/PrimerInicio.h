#pragma once
// A user's first start without launch parameters (as from the desktop's menu) ends somewhere
// useful: the program then shows the connection error and, on "Sí", the database access
// dialog; before that, a demo database is made in the user's data folder and registered in
// the connection list, so the dialog offers it and "Conectar" opens the editor on it.
// No Qt here.
#include <optional>
#include <string>

#include "UbicacionArchivos.h"

namespace acceso {

/// The demo database's name (the file is "<name>.sqlite"); the suite's login convention makes
/// it the login and the password too.
inline constexpr const char* kBaseDemostracion = "DEMO";

/// The server value that reaches databases in the user's data folder of `ubicacion`.
std::string ServidorDemostracion(const helperlib::UbicacionArchivos& ubicacion);

/// On a user's first start: when the user's data folder holds no demo database and the
/// connection list (read and written where `ubicacion` says) has no connection to it, creates
/// the database there from the scripts in `carpetaScripts` and appends its connection to the
/// list. Returns the registered connection's name; nullopt when it was not a first start.
/// Throws (std::exception: ErrorEjecucion for the folders and the list, std::runtime_error for
/// the database or when there are no scripts) when a step fails; a database made before a
/// failure to register it is removed again.
std::optional<std::string> PrepararPrimerInicio(const helperlib::UbicacionArchivos& ubicacion,
                                                const std::optional<std::string>& carpetaScripts);

}  // namespace acceso
