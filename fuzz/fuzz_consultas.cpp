// The saved-query file consultas.kxw: any bytes, whole records or a cut one, are read without
// failing, and every field comes back as valid UTF-8.
#include <cstddef>
#include <cstdint>
#include <sstream>
#include <string>

#include "ArchivoConsultas.h"
#include "Comun.h"

using namespace lookup;

namespace {

bool EsUtf8(const std::string& s) {
    size_t i = 0;
    while (i < s.size()) {
        const auto c = static_cast<unsigned char>(s[i]);
        const size_t n = c < 0x80         ? 1
                         : (c >> 5) == 6  ? 2
                         : (c >> 4) == 14 ? 3
                         : (c >> 3) == 30 ? 4
                                          : 0;
        if (n == 0 || i + n > s.size()) return false;
        for (size_t k = 1; k < n; ++k)
            if ((static_cast<unsigned char>(s[i + k]) >> 6) != 2) return false;
        i += n;
    }
    return true;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* datos, size_t largo) {
    const std::string bytes(reinterpret_cast<const char*>(datos), largo);
    fuzz::Exigir(EsUtf8(DeWindows1252(bytes)), "texto convertido que no es UTF-8");
    for (size_t i = 0; i < bytes.size(); i += kLargoRegistroConsulta) {
        const auto r = LeerRegistroConsulta(std::string_view(bytes).substr(i));
        if (!r) continue;
        fuzz::Exigir(EsUtf8(r->Nombre) && EsUtf8(r->Columnas) && EsUtf8(r->Filtro),
                     "campo de consulta que no es UTF-8");
    }
    // Looked up by a name taken from the input itself.
    std::istringstream entrada(bytes);
    const std::string nombre = bytes.substr(0, std::min<size_t>(bytes.size(), 12));
    (void)BuscarConsultaGuardada(entrada, nombre);
    return 0;
}
