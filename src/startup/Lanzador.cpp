#include "Lanzador.h"

#include <filesystem>

#include "DB_Dll.h"
#include "Plataforma.h"
#include "Sistema.h"
#include "Texto.h"
#include "Utilidades.h"

using namespace helperlib;
using namespace data;

namespace startup {

std::string ParametrosParaPrograma(const DB_Dll& db, std::string_view parametroAdicional) {
    return " ; @server=" + db.gServidor + "; @dbname=" + db.gDBName + "; @usuario=" + db.gUsuario +
           "; @Password=" + db.gUserPassWord +
           "; @ParametroAdicional=" + std::string(parametroAdicional) + "; omni@ ;";
}

void EjecutarPrograma(DB_Dll& db, std::string_view lineaMenu, std::string_view parametroAdicional,
                      long& idProceso) {
    const std::string parametros = ParametrosParaPrograma(db, parametroAdicional);
    const std::string programa = CarpetaPrograma() + texto::Medio(lineaMenu, 7);
    // The program file and its parameter text are handed over apart, so a folder or a value
    // with blanks stays whole. The text goes as one argument, without the blank that separates
    // it from the program on a command line; the launched program joins its arguments again.
    idProceso = 0;
    idProceso = plataforma().IniciarProceso(programa, {parametros.substr(1)});
    if (idProceso == 0)
        plataforma().MsgBox("Opcion no Implementada!\rComuniquese con su proveedor de sistemas",
                            estilo::kCritico, "Atención");
}

void AbrirDocumento(std::string_view ruta, bool mostrar) {
    // The document reaches the desktop's handler as one value, so a path with blanks needs no
    // quoting to stay whole (quotes added here would become part of the file name).
    AbrirConAsociacion(ruta, mostrar ? 6 : 0);
}

}  // namespace startup
