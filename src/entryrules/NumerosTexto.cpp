#include "NumerosTexto.h"

#include "ErrorEjecucion.h"
#include "Moneda.h"
#include "Utilidades.h"

using namespace helperlib;

namespace entryrules {

int32_t EnteroDeTexto(std::string_view texto, std::string_view queEs) {
    if (!Moneda::Leer(texto))
        throw ErrorEjecucion(errnum::kTiposNoCoinciden,
                             "No coinciden los tipos: " + std::string(queEs) + " '" +
                                 std::string(texto) + "' no es un número");
    return NumeroDeTexto(texto);
}

int16_t EnteroCortoDeTexto(std::string_view texto, std::string_view queEs) {
    return EnteroCorto(EnteroDeTexto(texto, queEs), queEs);
}

int16_t EnteroCorto(int64_t n, std::string_view queEs) {
    if (n < INT16_MIN || n > INT16_MAX)
        throw ErrorEjecucion(errnum::kDesbordamiento, "Desbordamiento: " + std::string(queEs) +
                                                          " " + std::to_string(n) +
                                                          " no cabe en 16 bits");
    return static_cast<int16_t>(n);
}

std::string ConCeros(int64_t n, int digitos) {
    std::string d = std::to_string(n < 0 ? -static_cast<uint64_t>(n) : static_cast<uint64_t>(n));
    if (static_cast<int>(d.size()) < digitos) d.insert(0, digitos - d.size(), '0');
    return n < 0 ? "-" + d : d;
}

}  // namespace entryrules
