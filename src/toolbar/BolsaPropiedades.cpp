#include "BolsaPropiedades.h"

namespace toolbar {

void BolsaPropiedadesMemoria::Escribir(std::string_view clave, bool valor, bool defecto) {
    if (omitirDefectos_ && valor == defecto) return;
    escritos_.emplace_back(std::string(clave), valor);
}

bool BolsaPropiedadesMemoria::Leer(std::string_view clave, bool defecto) const {
    leidos_.emplace_back(clave);
    for (auto it = escritos_.rbegin(); it != escritos_.rend(); ++it)
        if (it->first == clave) return it->second;
    return defecto;
}

}  // namespace toolbar
