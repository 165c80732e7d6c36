#include "ParametrosLanzamiento.h"

#include <cstdint>
#include <limits>

#include "ErrorEjecucion.h"
#include "Texto.h"

using namespace helperlib;

namespace startup {

std::string LineaDeParametros(int argc, const char* const* argv) {
    std::string linea;
    for (int i = 1; i < argc; ++i) {
        if (i > 1) linea += ' ';
        linea += argv[i];
    }
    return linea;
}

std::string LeerParametro(std::string_view parametros, std::string_view clave) {
    const int p = texto::PosicionSinCaso(parametros, clave);
    if (p == 0) return {};
    const int q = texto::Posicion(parametros, ";", p);
    const long largo = static_cast<long>(q) - texto::Largo(clave) - p;
    if (largo > std::numeric_limits<int16_t>::max() || largo < std::numeric_limits<int16_t>::min())
        throw ErrorEjecucion(errnum::kDesbordamiento,
                             "El valor de " + std::string(clave) +
                                 " en los parámetros de inicio del programa es demasiado largo (" +
                                 std::to_string(largo) + " caracteres; admite hasta " +
                                 std::to_string(std::numeric_limits<int16_t>::max()) +
                                 "). No se tomó en cuenta: revise el acceso del menú que abrió "
                                 "el programa.",
                             kOrigenParametros);
    if (largo < 0)
        throw ErrorEjecucion(errnum::kArgumentoInvalido,
                             "Llamada a procedimiento o argumento no válido", kOrigenParametros);
    const std::string crudo =
        texto::Medio(parametros, p + texto::Largo(clave), static_cast<int>(largo));
    return texto::Recortar(texto::Reemplazar(crudo, "=", ""));
}

}  // namespace startup
