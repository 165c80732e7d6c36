// The column-width file CONSULTASLEN.KXW: any line is read or skipped; widths written for a
// source read back equal.
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "AnchosColumnas.h"
#include "Comun.h"

using namespace lookup;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* datos, size_t largo) {
    const std::string entrada(reinterpret_cast<const char*>(datos), largo);
    for (const std::string& linea : fuzz::Partes(entrada, '\n')) {
        if (const auto l = anchos::LeerLinea(linea)) (void)anchos::LeerAnchos(l->Anchos);
        (void)anchos::LeerAnchos(linea);
    }
    // A source name without quotes or line ends, and widths from the input's bytes.
    std::string fuente;
    std::vector<int> anchos;
    for (const char c : entrada) {
        if (c != '"' && c != '\n' && c != '\r' && fuente.size() < 40) fuente += c;
        anchos.push_back(static_cast<unsigned char>(c) * 37);
    }
    const auto leida = anchos::LeerLinea(anchos::ArmarLinea(fuente, anchos));
    fuzz::Exigir(leida.has_value(), "una linea armada no se puede leer");
    fuzz::Exigir(leida->Fuente == anchos::NombreGuardado(fuente), "la fuente se lee distinta");
    fuzz::Exigir(anchos::LeerAnchos(leida->Anchos) == anchos, "los anchos se leen distintos");
    return 0;
}
