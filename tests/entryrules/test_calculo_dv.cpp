// Check digit of account codes: weights 9 7 5 3 1 repeating from the left, non-digits weigh a
// zero digit, the sum is divided by ten while above 99, and a 16-bit overflow is an error.
#include <gtest/gtest.h>

#include <string>

#include "ErrorEjecucion.h"
#include "Lbc_Asiento.h"

using namespace helperlib;
using namespace data;
using namespace entryrules;

namespace {

struct CasoDV {
    const char* cuenta;
    int dv;
};

class CalculoDVTest : public ::testing::TestWithParam<CasoDV> {};

TEST_P(CalculoDVTest, DaElDigitoEsperado) {
    EXPECT_EQ(Lbc_Asiento::CalculoDV(GetParam().cuenta), GetParam().dv) << GetParam().cuenta;
}

INSTANTIATE_TEST_SUITE_P(
    Ejemplos, CalculoDVTest,
    ::testing::Values(CasoDV{"4321", 70},       // 36 + 21 + 10 + 3
                      CasoDV{"999999", 30},     // 306 reduced once
                      CasoDV{"1101", 19},       // 9 + 7 + 0 + 3
                      CasoDV{"", 0},            // nothing to add
                      CasoDV{"1.1.01", 23},     // points take weights too
                      CasoDV{"921", 10},        // exactly 100 -> 10
                      CasoDV{"92011", 99},      // exactly 99 stays
                      CasoDV{"00001", 1},       // fifth weight is 1
                      CasoDV{"000001", 9},      // sixth weight starts again at 9
                      CasoDV{"0000000001", 1},  // tenth weight is 1 again
                      CasoDV{"A1", 7},          // a letter weighs zero
                      CasoDV{"1 1-1", 15},      // 9 + 5 + 1 (blank and dash weigh zero)
                      CasoDV{"7", 63},          // a single digit
                      CasoDV{"9999999999999999999999999999999999999999", 18}));  // 1800->180->18

TEST(CalculoDV, CuentaLosCaracteresNoLosBytes) {
    // "ñ" is one character (two bytes): the digit after it weighs 7, not 5.
    EXPECT_EQ(Lbc_Asiento::CalculoDV("ñ1"), 7);
    EXPECT_EQ(Lbc_Asiento::CalculoDV("Ñ.ñ1"), 3);
}

TEST(CalculoDV, ElDesbordeDeLaSumaEsUnErrorNuncaUnDigito) {
    // 145 groups of five nines sum 32625; one more nine (weight 9) gives 32706, still within
    // 16 bits; the next one (weight 7) would give 32769.
    const std::string limite(726, '9');
    EXPECT_EQ(Lbc_Asiento::CalculoDV(limite), 32);
    try {
        Lbc_Asiento::CalculoDV(limite + "9");
        FAIL() << "se esperaba desbordamiento";
    } catch (const ErrorEjecucion& e) {
        EXPECT_EQ(e.Numero(), errnum::kDesbordamiento);
    }
    EXPECT_THROW(Lbc_Asiento::CalculoDV(std::string(5000, '9')), ErrorEjecucion);
    // A very long code of zeros never overflows.
    EXPECT_EQ(Lbc_Asiento::CalculoDV(std::string(5000, '0') + "4321"), 70);
}

}  // namespace
