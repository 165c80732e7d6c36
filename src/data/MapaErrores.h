#pragma once
// The one table that turns an engine failure class into what the program's recovery logic
// keys on: the provider error number and the suite server's native error.
#include "ErrorAdo.h"
#include "Motor.h"

/// The collection entry for a failure (SQL state kept from the engine when it gave one).
ErrorAdo ErrorAdoDeFalla(const FallaMotor& f);
