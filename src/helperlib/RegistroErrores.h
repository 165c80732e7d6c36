#pragma once
// The error log line shared by the operator error dialog and the data layer's error treatment:
// "<mm-dd-yyyy> <hh:mm:ss> Rutina: <- routine> Mensaje <message> Respondió : <answer word>".
#include <chrono>
#include <string>

namespace helperlib {

/// "Ha ocurrido el Siguiente Error (<numero>) <descripcion trimmed>"; the number is written as
/// a 32-bit signed number (0x80004005 -> -2147467259).
std::string MensajeDeError(long numero, const std::string& descripcion);

/// The answer word logged for a message-box answer: "Reintentar", "Ignorar", "Abortar",
/// "Cancelar", "Sí", "No", or "" for any other answer.
std::string PalabraRespuesta(int respuesta);

/// One log line (without line end) at local time `momento`; `rutina` may be empty.
std::string LineaRegistroErrores(std::chrono::system_clock::time_point momento,
                                 const std::string& rutina, const std::string& mensaje,
                                 int respuesta);

/// Appends `linea` + CR LF to `ruta` (created when absent). Throws ErrorEjecucion when the
/// file cannot be opened or written.
void AgregarLineaRegistro(const std::string& ruta, const std::string& linea);

}  // namespace helperlib
