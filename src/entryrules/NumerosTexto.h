#pragma once
// Numbers read from texts where the rules need a real number (a period, a month, an entry
// number): a text that is not one is a conversion error, never a silent 0.
#include <cstdint>
#include <string>
#include <string_view>

namespace entryrules {

/// The whole number a text holds (blanks around it allowed, decimals rounded half away from
/// zero). Throws ErrorEjecucion 13 naming `queEs` and the text when it is not a number, 6 when
/// it does not fit in 32 bits.
int32_t EnteroDeTexto(std::string_view texto, std::string_view queEs);
/// The same for a 16-bit number (6 beyond -32768..32767).
int16_t EnteroCortoDeTexto(std::string_view texto, std::string_view queEs);
/// `n` when it fits in 16 bits; throws ErrorEjecucion 6 naming `queEs` otherwise.
int16_t EnteroCorto(int64_t n, std::string_view queEs);
/// `n` with at least `digitos` digits, zeros on the left, the sign before them ("-0000045").
std::string ConCeros(int64_t n, int digitos);

}  // namespace entryrules
