#pragma once
// Reading flag and number columns the way the suite's programs read them: a Null or blank
// value is "not set", a number is true when it is not zero, and the words True/False count too.
#include "Motor.h"

namespace entryrules {

/// True for a non-zero number or the word "true"/"verdadero" (case ignored); false for Null,
/// blanks, zero, "false" and any other text.
bool ValorBooleano(const data::ValorSql& valor);

/// True when the value is Null or only blanks.
bool ValorVacio(const data::ValorSql& valor);

}  // namespace entryrules
