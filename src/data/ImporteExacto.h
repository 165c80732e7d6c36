#pragma once
// Whether an amount survives the embedded engine unchanged. SQLite keeps a decimal value of a
// MONEY (numeric) column as a binary floating-point number and gives it back with 15
// significant digits: an amount with more digits comes back as a different amount.
#include "Moneda.h"
#include "Motor.h"

namespace data {

/// Significant digits SQLite keeps of a decimal value.
inline constexpr int kCifrasExactasSqlite = 15;

/// Significant digits of `importe` (leading and trailing zeros not counted; 0 has none).
int CifrasSignificativas(const helperlib::Moneda& importe);

/// True when `importe` is stored and read back exactly by an engine of dialect `dialecto`:
/// always for SQL Server and Oracle (exact decimal columns), for SQLite up to 15 digits.
bool ImporteExactoEnMotor(const helperlib::Moneda& importe, Dialecto dialecto);

}  // namespace data
