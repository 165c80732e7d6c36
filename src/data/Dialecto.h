#pragma once
// Statements are written in the suite server's dialect (brackets, TOP n, with(nolock),
// "DELETE table WHERE", LTRIM(RTRIM(..)) comparisons). This adapts a statement to the engine
// actually connected; for SQL Server it is the identity.
#include <string>

#include "Motor.h"

std::string AdaptarSentencia(const std::string& sql, Dialecto destino);
