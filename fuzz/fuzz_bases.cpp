// The connection list BASES.TXT: any line is read or skipped, never fatal; a connection that
// is accepted for writing reads back as the same five values.
#include <cstddef>
#include <cstdint>
#include <string>

#include "ArchivoBases.h"
#include "Comun.h"
#include "ErrorEjecucion.h"
#include "Texto.h"

using namespace helperlib;
using namespace acceso;

namespace {

/// A value as the list keeps it: without the spaces and tabs around it.
std::string SinBlancos(const std::string& s) {
    const size_t i = s.find_first_not_of(" \t");
    if (i == std::string::npos) return "";
    return s.substr(i, s.find_last_not_of(" \t") - i + 1);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* datos, size_t largo) {
    const std::string entrada(reinterpret_cast<const char*>(datos), largo);
    for (const std::string& linea : fuzz::Partes(entrada, '\n')) {
        (void)PartirCampos(linea);
        (void)LeerLineaBase(linea);
    }
    // The same text taken as five values to register (separated by a NUL byte).
    const auto v = fuzz::Partes(entrada, '\0');
    if (v.size() != 5) return 0;
    std::string linea;
    try {
        linea = ArmarLineaBase(v[0], v[1], v[2], v[3], v[4]);
    } catch (const ErrorEjecucion&) {
        return 0;  // refused: nothing would be written
    }
    const auto leida = LeerLineaBase(linea);
    if (texto::Recortar(SinBlancos(v[0])).empty()) {
        fuzz::Exigir(!leida, "una conexion sin nombre se lee");
        return 0;
    }
    fuzz::Exigir(leida.has_value(), "una conexion aceptada al registrar no se puede leer");
    fuzz::Exigir(leida->Nombre == SinBlancos(v[0]) && leida->Base == SinBlancos(v[1]) &&
                     leida->Usuario == SinBlancos(v[2]) && leida->Clave == texto::Recortar(v[3]) &&
                     leida->Servidor == SinBlancos(v[4]),
                 "una conexion registrada se lee distinta");
    return 0;
}
