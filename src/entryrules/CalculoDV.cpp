// The check digit of an account code: a weighted sum of its digits, reduced by dividing by ten.
#include <cstdint>
#include <limits>

#include "ErrorEjecucion.h"
#include "Lbc_Asiento.h"
#include "Texto.h"

using namespace helperlib;
using namespace data;

namespace entryrules {

namespace {

/// Sum in 16-bit signed arithmetic, as the chart of accounts defines it: a result beyond
/// 32767 is an overflow, never a wrapped value.
int16_t SumarConControl(int32_t a, int32_t b) {
    const int32_t r = a + b;
    if (r > std::numeric_limits<int16_t>::max() || r < std::numeric_limits<int16_t>::min())
        throw ErrorEjecucion(errnum::kDesbordamiento, "Desbordamiento", "CalculoDV");
    return static_cast<int16_t>(r);
}

/// The value of one character taken alone: a digit gives 0..9, anything else 0.
int ValorDeCaracter(char32_t c) { return (c >= U'0' && c <= U'9') ? int(c - U'0') : 0; }

}  // namespace

int16_t Lbc_Asiento::CalculoDV(std::string_view cuenta) {
    // A code of more characters than a 16-bit count holds overflows, whatever its digits.
    const auto desbordamiento = [] {
        return ErrorEjecucion(errnum::kDesbordamiento, "Desbordamiento", "CalculoDV");
    };
    if (cuenta.size() > static_cast<size_t>(std::numeric_limits<int16_t>::max()) &&
        texto::Largo(cuenta) > std::numeric_limits<int16_t>::max())
        throw desbordamiento();
    int16_t suma = 0;
    int peso = 9;
    // The characters are read one by one from the text (a multi-byte character is one
    // character, worth 0).
    auto p = reinterpret_cast<const unsigned char*>(cuenta.data());
    const auto fin = p + cuenta.size();
    while (p < fin) {
        const char32_t c = texto::LeerCaracterUtf8(p, fin);
        if (peso == -1) peso = 9;  // weights 9, 7, 5, 3, 1 and again from 9
        suma = SumarConControl(peso * ValorDeCaracter(c), suma);
        peso -= 2;
    }
    while (suma > 99) suma = static_cast<int16_t>(suma / 10);
    return suma;
}

}  // namespace entryrules
