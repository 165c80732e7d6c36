#pragma once
// Small services shared by every window: the date and time display formats, the printed form
// of a voucher number, the capitals-only key filter and the file-exists test.
#include <chrono>
#include <cstdint>
#include <string>
#include <string_view>

namespace startup {

/// "dd/mm/yy": the date display format of every window.
std::string FormatoFecha();
/// "hh:mm": the time display format.
std::string FormatoHora();
/// `momento` in local time as FormatoFecha() + " " + FormatoHora() ("31/12/24 23:59").
std::string TextoFechaHora(std::chrono::system_clock::time_point momento);

/// Printed voucher number: the leading numeric part of `sucursal` with at least four digits,
/// "-", the leading numeric part of `numero` with at least eight digits, then `letra` brought
/// to exactly one character. Non-numeric parts count as 0; longer numbers appear in full.
/// Example: ("1", "123", "A") -> "0001-00000123A".
std::string ArmarNroComprobante(std::string_view sucursal, std::string_view numero,
                                std::string_view letra);

/// The key code to use instead of the typed `codigoTecla` (Windows-1252 code): when the user
/// profile asks for capitals only (`soloMayusculas`, the session's gEscribeSoloMayusculas) and
/// the character is a digit, the period or a letter (Ñ included), its capital; otherwise the
/// code unchanged.
int16_t FiltroMayusculas(bool soloMayusculas, int16_t codigoTecla);

/// True when `ruta` names a file that can be opened for reading. Never throws.
bool ExisteArchivo(const std::string& ruta);

}  // namespace startup
