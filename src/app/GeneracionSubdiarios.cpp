#include "GeneracionSubdiarios.h"

#include <cstring>
#include <iostream>
#include <stdexcept>

#include "AvisoOperador.h"
#include "Configuracion.h"
#include "DB_Dll.h"
#include "Dll_Display.h"
#include "Formatos.h"
#include "InicioSesion.h"
#include "Lbc_Asiento.h"
#include "Subdiarios.h"
#include "Texto.h"
#include "ValoresSesion.h"

using namespace helperlib;
using namespace data;
using namespace startup;
using namespace entryrules;

namespace app {

std::optional<PedidoSubdiarios> LeerPedidoSubdiarios(std::vector<const char*>& argumentos) {
    std::optional<PedidoSubdiarios> pedido;
    bool legal = false;
    std::vector<const char*> resto;
    for (size_t i = 0; i < argumentos.size(); ++i) {
        const char* a = argumentos[i];
        if (std::strcmp(a, "--archivo-legal") == 0) {
            legal = true;
        } else if (std::strcmp(a, "--subdiarios") == 0) {
            if (i + 3 >= argumentos.size())
                throw std::invalid_argument("--subdiarios DESDE HASTA TIPO");
            pedido = PedidoSubdiarios{argumentos[i + 1], argumentos[i + 2], argumentos[i + 3]};
            i += 3;
        } else {
            resto.push_back(a);
        }
    }
    if (!pedido) return std::nullopt;
    pedido->archivoLegal = legal;
    argumentos = std::move(resto);
    return pedido;
}

int GenerarSubdiarios(const PedidoSubdiarios& pedido, const std::string& parametros, DB_Dll& db,
                      startup::ValoresSesion& sesion) {
    IniciarSesion(parametros, db, sesion);
    const std::string usuario = sesion.gUsuarioLogeado;
    notice::Dll_Display aviso;
    const entryrules::ServiciosSesion servicios{
        [&db](std::string_view clave) { return Cfg(db, clave); },
        [](std::string_view sucursal, std::string_view numero, std::string_view letra) {
            return ArmarNroComprobante(sucursal, numero, letra);
        }};
    Lbc_Asiento reglas(db, servicios, [](const ErrorEjecucion& e, const std::string& rutina) {
        return AvisoOperador(e, 18, rutina);
    });
    std::string desde = pedido.desde;
    reglas.GeneraAuxiliarSubdiarios(entryrules::EntornoSubdiarios{usuario, aviso}, desde,
                                    pedido.hasta, pedido.tipo, pedido.archivoLegal);
    const Recordset filas = db.gCnn.Execute(
        "SELECT COUNT(*) AS FILAS FROM AUX_SUBDIARIOS WHERE RTRIM(LTRIM(USUARIO)) = " +
        DB_Dll::SQLValue(texto::Recortar(usuario), "'"));
    std::cout << "AUX_SUBDIARIOS: " << filas.Fields("FILAS").Texto() << " filas de "
              << texto::Recortar(usuario) << " (tipo " << texto::Recortar(pedido.tipo) << ", "
              << desde << " a " << pedido.hasta << ")" << std::endl;
    return 0;
}

}  // namespace app
