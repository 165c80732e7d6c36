#include "ValorCampo.h"

#include "Texto.h"
#include "Utilidades.h"

using namespace helperlib;
using namespace data;

namespace entryrules {

bool ValorVacio(const ValorSql& valor) { return !valor || EsTextoVacio(*valor); }

bool ValorBooleano(const ValorSql& valor) {
    if (ValorVacio(valor)) return false;
    const std::string t = texto::Recortar(*valor);
    if (texto::IgualesSinCaso(t, "true") || texto::IgualesSinCaso(t, "verdadero")) return true;
    return !ValorNumerico(t).EsCero();
}

}  // namespace entryrules
