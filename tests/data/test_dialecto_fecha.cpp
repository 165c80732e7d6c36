// Date literals per engine: the same day read by every engine the program talks to.
#include <gtest/gtest.h>

#include "LiteralFecha.h"

namespace {

TEST(LiteralFecha, UnaFormaPorMotor) {
    const helperlib::Fecha dia{2025, 1, 2};
    const helperlib::Fecha conHora{2024, 12, 31, 23, 5, 9};
    struct Caso {
        helperlib::Fecha fecha;
        Dialecto destino;
        const char* literal;
    };
    const Caso casos[] = {
        {dia, Dialecto::SqlServer, "'20250102 00:00:00'"},
        {dia, Dialecto::Sqlite, "'2025-01-02 00:00:00'"},
        {dia, Dialecto::Oracle, "TO_DATE('2025-01-02 00:00:00','YYYY-MM-DD HH24:MI:SS')"},
        {conHora, Dialecto::SqlServer, "'20241231 23:05:09'"},
        {conHora, Dialecto::Sqlite, "'2024-12-31 23:05:09'"},
    };
    for (const Caso& c : casos) EXPECT_EQ(data::LiteralFecha(c.fecha, c.destino), c.literal);
}

}  // namespace
