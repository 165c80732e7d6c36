#pragma once
// The one table that turns an engine failure class into what the program's recovery logic
// keys on: the provider error number and the suite server's native error; the native errors
// themselves and the questions asked of a failure live here too.
#include "ErrorAdo.h"
#include "Motor.h"

namespace data {

/// The suite server's native errors the recovery logic keys on.
namespace nativo {
inline constexpr long kRed = 11;             ///< general network error: the link is gone
inline constexpr long kTruncamiento = 8152;  ///< string or binary data would be truncated
}  // namespace nativo

/// True when the first error of `errores` says the link to the server was lost (native 11).
bool EnlacePerdido(const ColeccionErrores& errores);
/// True when the first error of `errores` says a value would be truncated (native 8152).
bool ValorTruncado(const ColeccionErrores& errores);

/// The collection entry for a failure (SQL state kept from the engine when it gave a specific
/// one; the description is the engine's message; Origen is left for the connection to fill).
/// ConexionPerdida -> 0x80004005 / native 11 / 08S01; Truncamiento -> 0x80040E57 / 8152 /
/// 22001; TablaInexistente -> 0x80040E37 / 208 / 42S02; Sintaxis -> 0x80040E14 / 102 / 42000;
/// Restriccion -> 0x80040E2F / 2627 / 23000; ObjetoCerrado -> 3709 (the connection cannot be
/// used: only statements on a closed connection get here; closing a closed object raises 3704
/// directly) / 08003; Ocupado -> 0x80040E31 / 1222 / HYT00; Conversion -> 0x80040E07 / 8114 /
/// 22018; DiscoLleno, SoloLectura, ArchivoPerdido, Danada -> 0x80004005 with native 1105, 3906,
/// 5120, 824; Otra -> 0x80004005 with the engine's native code. Only ConexionPerdida carries
/// the native code 11 (an engine code of 11 of any other class becomes 0).
ErrorAdo ErrorAdoDeFalla(const FallaMotor& f);

}  // namespace data
