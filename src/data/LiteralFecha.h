#pragma once
// A date placed in a statement so that every engine the program talks to reads the same day.
// The suite's old literal "#mm/dd/yyyy#" is understood by the desktop engine only; a quoted
// "yyyy-mm-dd hh:mm:ss" is read by SQL Server as year-day-month under a Spanish login.
#include <string>

#include "Fecha.h"
#include "Motor.h"

namespace data {

/// The literal of `f` for `destino`, with its quotes:
/// SQL Server '20250131 00:00:00' (the unseparated form does not depend on the login's date
/// order); SQLite '2025-01-31 00:00:00' (the stored text form, so that text comparison is date
/// comparison); Oracle TO_DATE('2025-01-31 00:00:00','YYYY-MM-DD HH24:MI:SS'). Never throws.
std::string LiteralFecha(const helperlib::Fecha& f, Dialecto destino);

}  // namespace data
