#pragma once
// The auxiliary subledger generation run from the command line: the program starts the
// session on the launch parameters as the editor does, fills AUX_SUBDIARIOS for the session's
// user with the progress notice on screen, says what it wrote and ends.
#include <optional>
#include <string>
#include <vector>

namespace data {
class DB_Dll;
}  // namespace data
namespace startup {
struct ValoresSesion;
}  // namespace startup

namespace app {

/// "--subdiarios DESDE HASTA TIPO" and, optionally, "--archivo-legal".
struct PedidoSubdiarios {
    std::string desde;  // first date ("dd/mm/yyyy"; blank: 01/01/1990)
    std::string hasta;  // last date
    std::string tipo;   // register type (TIPO_REG)
    bool archivoLegal = false;
};

/// Takes the generation's options out of `argumentos` (the others stay, in order). nullopt
/// when they are not there; throws std::invalid_argument when "--subdiarios" lacks its three
/// values.
std::optional<PedidoSubdiarios> LeerPedidoSubdiarios(std::vector<const char*>& argumentos);

/// Starts the session on `parametros` with `db` (a failed connection ends the program as the
/// editor's start does), runs the generation and writes the number of rows of the user to the
/// standard output. Failing steps are asked about in the operator error dialog. Returns the
/// exit status: 0.
int GenerarSubdiarios(const PedidoSubdiarios& pedido, const std::string& parametros,
                      data::DB_Dll& db, startup::ValoresSesion& sesion);

}  // namespace app
