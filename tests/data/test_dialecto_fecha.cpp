// Date literals per engine: the same day read by every engine the program talks to.
#include <gtest/gtest.h>

#include "LiteralFecha.h"

using namespace helperlib;
using namespace data;

TEST(LiteralFecha, UnaFormaPorMotor) {
    const helperlib::Fecha f{2024, 1, 2, 23, 5, 9};
    EXPECT_EQ(data::LiteralFecha(f, Dialecto::SqlServer), "'20240102 23:05:09'");
    EXPECT_EQ(data::LiteralFecha(f, Dialecto::Sqlite), "'2024-01-02 23:05:09'");
    EXPECT_EQ(data::LiteralFecha(f, Dialecto::Oracle),
              "TO_DATE('2024-01-02 23:05:09','YYYY-MM-DD HH24:MI:SS')");
}
