#pragma once
// The one table that turns an engine failure class into what the program's recovery logic
// keys on: the provider error number and the suite server's native error.
#include "ErrorAdo.h"
#include "Motor.h"

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

/// The native error the recovery logic reads as a lost link ("general network error").
inline constexpr long kNativoEnlacePerdido = 11;

/// True when the collection's first error is a lost link: native 11 (what ConexionPerdida
/// maps to) or the SQL states 08S01 / 08S02.
bool EsEnlacePerdido(const ErrorAdo& e);
