#pragma once
// The program's common report of a run-time failure caught in an error handler: shows the error
// number and description with the buttons the caller chooses, appends one line to the error log
// KXERR.LOG in the user's temporary folder, and returns the operator's answer (4 retry,
// 5 ignore, anything else leaves the routine).
#include <string>

#include "ErrorEjecucion.h"

namespace startup {

/// Folder of the operator error log, ending with the path separator: the value of the
/// environment variable "tmp" when "temp" is set, otherwise a writable alternative folder.
std::string CarpetaRegistroOperador();

/// Full path of the operator error log (CarpetaRegistroOperador() + "KXERR.LOG").
std::string RutaRegistroOperador();

/// Shows `error` in a message box of style `botones` (title: source + " - " + routine when
/// given + " Aviso al operador!!! ") and logs the answer. Returns the answer code, or 0 for
/// error number 0 (nothing shown, nothing logged; the log file is still created).
/// Throws ErrorEjecucion when the log cannot be opened or written; the message box has been
/// shown by then whenever the error number is not 0.
int AvisoOperador(const helperlib::ErrorEjecucion& error, int botones = 18,
                  const std::string& rutina = "");

}  // namespace startup
