#pragma once
// The data layer's own error reporter: shows a run-time failure, appends it to the error log
// and returns the operator's answer (3 abort, 4 retry, 5 ignore, ...). A log that cannot be
// written never hides the dialog and never raises to the caller.
#include <string>

#include "ErrorEjecucion.h"

namespace data {

/// Log file used when no override is set: "KXERR.LOG" where the program's files are written
/// (its folder, or the user's data folder when it may not write beside itself; see
/// UbicacionArchivos). Throws ErrorEjecucion when that folder cannot be made.
std::string RutaRegistroPrograma();

/// Shows `error` with style `botones` (title: source + " - " + routine when given +
/// " Aviso al operador!!! - 5 "), then appends the log line to `rutaRegistro` (the program's
/// log when empty). Returns the answer, or 0 without showing or writing for error number 0.
/// Never throws because of the log.
int TratarErrorDatos(const helperlib::ErrorEjecucion& error, int botones, const std::string& rutina,
                     const std::string& rutaRegistro);

/// The message of the error's log line: "Ha ocurrido el Siguiente Error (<n>) <description>",
/// followed by " [<engine text>]" when the description is the program's explanation of an
/// engine failure, so that the engine's own words stay on record.
std::string MensajeRegistroDatos(const helperlib::ErrorEjecucion& error);

/// Appends the log line of `error`, answered with `respuesta`, to `rutaRegistro` (the program's
/// log when empty), without showing anything. Never throws: the log is a record, not a
/// condition of going on.
void RegistrarErrorDatos(const helperlib::ErrorEjecucion& error, const std::string& rutina,
                         int respuesta, const std::string& rutaRegistro);
}  // namespace data
