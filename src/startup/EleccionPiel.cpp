#include "EleccionPiel.h"

#include <limits>

#include "ArchivoIni.h"
#include "ErrorEjecucion.h"
#include "Plataforma.h"
#include "Texto.h"
#include "Utilidades.h"

using namespace helperlib;

namespace startup {

std::string ValorEstiloUsuario() {
    const std::string usuario = texto::Mayusculas(plataforma().UsuarioSistema());
    return LeerIni("ld000pr.ini", usuario + "Styles", "Styles", "1");
}

std::int16_t NumeroDeEstilo(std::string_view valor) {
    std::int32_t numero = 0;
    try {
        numero = NumeroDeTexto(valor);
    } catch (const ErrorEjecucion&) {
        return 0;  // beyond 32 bits
    }
    if (numero < std::numeric_limits<std::int16_t>::min() ||
        numero > std::numeric_limits<std::int16_t>::max())
        return 0;
    return static_cast<std::int16_t>(numero);
}

ArchivoPiel ArchivoDePiel(int numero) {
    switch (numero) {
        case 1:
            return {"Styles\\Vista.cjstyles", ""};
        case 2:
            return {"Styles\\WinXP.Luna.cjstyles", ""};
        case 3:
            return {"Styles\\WinXP.Royale.cjstyles", ""};
        case 4:
            return {"Styles\\iTunes", "Normalitunes.ini"};
        default:
            return {"Styles\\Office2007.cjstyles", ""};
    }
}

std::string RutaEnPrograma(std::string_view carpetaPrograma, std::string_view relativa) {
    return std::string(carpetaPrograma) + texto::Reemplazar(std::string(relativa), "\\", "/");
}

}  // namespace startup
