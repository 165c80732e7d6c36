// The launch parameter string the suite's menu passes: every key is read from any text; a
// value read never holds "=" nor outer blanks, and only the two documented errors come out.
#include <cstddef>
#include <cstdint>
#include <string>

#include "Comun.h"
#include "ErrorEjecucion.h"
#include "ParametrosLanzamiento.h"

using namespace helperlib;
using namespace startup;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* datos, size_t largo) {
    const std::string parametros(reinterpret_cast<const char*>(datos), largo);
    static const char* const kClaves[] = {
        "@ParametroAdicional", "@Menu",           "@Server", "@DbName", "@Usuario",
        "@Password",           "@UsuarioLogeado", "@Caja"};
    for (const char* clave : kClaves) {
        try {
            const std::string v = LeerParametro(parametros, clave);
            fuzz::Exigir(v.find('=') == std::string::npos, "un valor conserva '='");
            fuzz::Exigir(v.empty() || (v.front() != ' ' && v.back() != ' '),
                         "un valor conserva blancos exteriores");
        } catch (const ErrorEjecucion& e) {
            fuzz::Exigir(
                e.Numero() == errnum::kArgumentoInvalido || e.Numero() == errnum::kDesbordamiento,
                "un error no documentado");
        }
    }
    return 0;
}
