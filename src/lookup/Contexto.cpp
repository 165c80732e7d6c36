#include "Contexto.h"

using namespace helperlib;
using namespace data;
using namespace startup;

namespace lookup {

Contexto::Contexto() { db.VincularUsuarioSesion(sesion.gUsuarioLogeado); }

Lib_ClsCons3& Contexto::Consultas() {
    if (!consultas_) consultas_.emplace(db, sesion.consultas);
    return *consultas_;
}

}  // namespace lookup
