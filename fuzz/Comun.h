#pragma once
// What every fuzz target shares: a check that stops the run with a message (an invariant that
// does not hold is a finding, like a crash), and a way to cut the input into parts.
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>
#include <vector>

namespace fuzz {

/// Aborts (libFuzzer saves the input) when `condicion` does not hold.
inline void Exigir(bool condicion, const char* que) {
    if (condicion) return;
    std::fprintf(stderr, "invariante rota: %s\n", que);
    std::abort();
}

/// The input split at every byte `separador` (the parts without it).
inline std::vector<std::string> Partes(std::string_view datos, char separador) {
    std::vector<std::string> r;
    size_t i = 0;
    for (;;) {
        const size_t j = datos.find(separador, i);
        r.emplace_back(
            datos.substr(i, j == std::string_view::npos ? std::string_view::npos : j - i));
        if (j == std::string_view::npos) return r;
        i = j + 1;
    }
}

}  // namespace fuzz
