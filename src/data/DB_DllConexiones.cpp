// Opening the process's connection: building the connection string, asking for connection
// data, the interactive and silent failure paths, local database files and reconnection.
#include <filesystem>

#include "DB_Dll.h"
#include "Pasos.h"
#include "Plataforma.h"
#include "Sistema.h"
#include "Texto.h"
#include "Utilidades.h"

using namespace helperlib;

namespace data {

namespace {

constexpr const char* kProveedorOracle = "OraOLEDB.Oracle.1";
constexpr int kIntentosClave = 3;

bool EsCodigoArchivoInaccesible(const std::string& estado) {
    return estado == "3024" || estado == "3044" || estado == "3051";
}

}  // namespace

DB_Dll::DB_Dll() = default;
DB_Dll::~DB_Dll() = default;

std::string MensajeErrorConexion(const ErrorAdo& e, const std::string& proceso,
                                 const std::string& servidor, const std::string& usuario) {
    const std::string cr = "\r";
    const std::string crlf = "\r\n";
    return " Estado de Sql: " + e.EstadoSql + cr +
           "Numero de Error: " + std::to_string(static_cast<int32_t>(e.Numero)) + cr +
           "Descripcion: " + e.Descripcion + cr + "Codigo Nativo: " + std::to_string(e.Nativo) +
           cr + crlf + "Nombre de Proceso: " + proceso + cr + crlf + crlf +
           "1. Verifique el Usuario, contraseña y base de datos" + crlf +
           "2. Verifique el nombre del servidor, quizas necesite agregarle el nombre de la "
           "instancia, por ejemplo : " +
           servidor + "\\OMNISRV" + crlf + "3. Verifique si el inicio de sesion para el usuario " +
           usuario + " existe" + crlf + crlf + crlf + " - Desea Intentarlo Nuevamente??? ";
}

std::string DB_Dll::TituloPrograma() const { return NombreEjecutable(); }

void DB_Dll::Abrir(Conexion& cn, const std::string& cadena, const std::string& usuario,
                   const std::string& clave) {
    if (AbrirConexion)
        AbrirConexion(cn, cadena, usuario, clave);
    else
        cn.Open(cadena, usuario, clave, -1);
}

std::string DB_Dll::ArmarCadenaConexion() {
    if (texto::Posicion(gServidor, "#") > 0) {
        gConnString = std::string("Provider=") + kProveedorOracle + ";Data Source=" + gDBName +
                      ";User Id=" + gUsuario + ";Password=" + gUserPassWord + ";";
    } else {
        gConnString = std::string("PROVIDER=") + pSQLOLEDB + ";" + "Server=" + gServidor + ";" +
                      "Database =" + gDBName + ";" + "UId=" + gUsuario + ";" +
                      "Pwd=" + gUserPassWord + ";" + gExtended;
    }
    return gConnString;
}

void DB_Dll::PedirDatosConexion() {
    DatosAcceso datos;
    datos.Base = gDBName;
    datos.Servidor = gServidor;
    datos.Usuario = UsuarioSesion();
    datos.Clave = gUsuarioClave;
    datos.Plataforma = 0;
    const DatosAcceso r = DialogoAcceso ? DialogoAcceso(datos) : DatosAcceso{};
    if (!r.Aceptado) {
        gOpenFlag = false;
        return;
    }
    gOpenFlag = true;
    gDBName = r.Base;
    gServidor = r.Servidor;
    // The suite's login convention: the login and its password are the database name.
    gUsuario = r.Base;
    gUserPassWord = r.Base;
    if (r.Plataforma > 0) {
        gProveedor = kProveedorOracle;
        if (texto::Posicion(gServidor, "#") == 0) gServidor += "#";
    } else {
        gProveedor = pSQLOLEDB;
    }
}

void DB_Dll::ComprobarAdministrador(bool MuestraError) {
    if (texto::Recortar(gDBName).empty()) return;
    gCnn.SetDefaultDatabase(gDBName);
    if (!ExisteTablaDB("TA_USUARIOS")) return;
    if (!MuestraError) {
        gEsAdmin = true;
        return;
    }
    const auto valor = DatosTabla("ta_usuarios", UsuarioSesion(), "Administrador", "nombre",
                                  tipodato::kTexto, "", true, false);
    gEsAdmin = ValorNumerico(valor.value_or(std::string())) == Moneda::DesdeEntero(1);
}

void DB_Dll::OpenServerADODB(bool PideParametrosSQL, long lCursor, const std::string& ConnString,
                             bool ValidaAdmin, bool MuestraError) {
    bool yaReintentado = false;
    bool terminar = false;
    gOpenFlag = true;

    // A connection left open by an earlier attempt is closed once and the open repeated.
    auto cerrarYReintentar = [&](const ErrorEjecucion& e) {
        if (e.Numero() != errnum::kObjetoAbierto || yaReintentado) return false;
        yaReintentado = true;
        try {
            gCnn.Close();
        } catch (const ErrorEjecucion&) {
        }
        return true;
    };

    const Reportero reportero = [&](const ErrorEjecucion& e) -> int {
        if (!MuestraError) {
            if (cerrarYReintentar(e)) return respuesta::kReintentar;
            gOpenFlag = false;
            return respuesta::kAbortar;
        }
        if (!gCnn.Errors().Vacia()) {
            const std::string texto = MensajeErrorConexion(gCnn.Errors().Item(0),
                                                           NombreEjecutable(), gServidor, gUsuario);
            const int r = plataforma().MsgBox(texto, estilo::kSiNo | estilo::kCritico,
                                              " Error de Conexion a Base de Datos");
            if (r != respuesta::kSi) {
                gOpenFlag = false;
                return respuesta::kAbortar;
            }
            gCnn.Errors().Clear();
            PedirDatosConexion();
            if (!gOpenFlag) return respuesta::kAbortar;
            ArmarCadenaConexion();
            return respuesta::kReintentar;
        }
        if (cerrarYReintentar(e)) return respuesta::kReintentar;
        plataforma().MsgBox(e.Descripcion(), estilo::kSoloOk, TituloPrograma());
        gOpenFlag = false;
        return respuesta::kAbortar;
    };

    const std::vector<std::function<void()>> pasos = {
        [&] {
            if (gProveedor.empty()) gProveedor = pSQLOLEDB;
        },
        [&] {
            if (texto::Recortar(ConnString).empty())
                ArmarCadenaConexion();
            else
                gConnString = ConnString;
        },
        [&] {
            if (!PideParametrosSQL) return;
            PedirDatosConexion();
            if (!gOpenFlag) {
                terminar = true;
                return;
            }
            ArmarCadenaConexion();
        },
        [&] { gCnn.CursorLocation = static_cast<int>(lCursor); },
        [&] { Abrir(gCnn, gConnString, "", ""); },
        [&] {
            if (ValidaAdmin) return;
            gEsAdmin = true;
            terminar = true;
        },
        [&] { ComprobarAdministrador(MuestraError); },
    };
    for (const auto& paso : pasos) {
        if (!EjecutarPaso(paso, reportero) || terminar) return;
    }
}

bool DB_Dll::BuscarBase() {
    CmdDlg.Titulo = "Buscar Base de Datos";
    CmdDlg.Filtro = "Base de Datos de Microsoft Access |*.MDB";
    if (!CmdDlg.MostrarAbrir()) return false;
    gDBName = CmdDlg.ArchivoElegido();
    return true;
}

void DB_Dll::OpenLocalADODB(const std::string& ConnString, const std::string& CadenaID,
                            const std::string& CadenaPWD) {
    std::string claveBase;  // "Jet OLEDB:Database Password=...;" once a password was needed
    int intentosClave = 0;

    const auto abrir = [&] {
        if (texto::Recortar(gDBName).empty() && !BuscarBase()) return;
        const std::string cadena =
            (!ConnString.empty()
                 ? ConnString
                 : "PROVIDER=" + gProveedor + ";" + "Data Source =" + gDBName + ";" + CadenaID +
                       "=" + gUsuario + ";" + CadenaPWD + "=" + gUserPassWord + ";" + gExtended) +
            claveBase;
        Abrir(gCnn, cadena, "", "");
        gConnString = cadena;
    };

    const Reportero reportero = [&](const ErrorEjecucion& e) -> int {
        if (!gCnn.Errors().Vacia()) {
            const std::string estado = gCnn.Errors().Item(0).EstadoSql;
            if (EsCodigoArchivoInaccesible(estado)) {
                return BuscarBase() ? respuesta::kReintentar : respuesta::kAbortar;
            }
            // A wrong stored password must not loop for ever: a bounded number of attempts.
            if (estado == "3031" && intentosClave < kIntentosClave) {
                ++intentosClave;
                const std::string clave =
                    gIgnoraPassWord.has_value()
                        ? plataforma().InputBox("ingrese el password:", "Password Access", "")
                        : gUserPassWord;
                claveBase = "Jet OLEDB:Database Password=" + clave + ";";
                gCnn.Errors().Clear();
                return respuesta::kReintentar;
            }
        }
        plataforma().MsgBox(
            std::to_string(static_cast<int32_t>(e.Numero())) + "  " + e.Descripcion(),
            estilo::kCritico, TituloPrograma());
        return respuesta::kAbortar;
    };
    EjecutarPaso(abrir, reportero);
}

void DB_Dll::ReintentaConectar() {
    const std::string cadena = gCnn.ConnectionString.empty() ? gConnString : gCnn.ConnectionString;
    const Reportero reportero = [&](const ErrorEjecucion& e) -> int {
        if (e.Numero() == errnum::kObjetoCerrado) return respuesta::kIgnorar;
        gOpenFlag = false;
        if (e.Numero() == errnum::kEFail) return respuesta::kAbortar;
        return TratamientoErrores(e, 18, "AbrirRecordset");
    };
    EjecutarPasos({
                      [&] { gOpenFlag = false; },
                      [&] { gCnn.CommandTimeout = 90; },
                      [&] { gCnn.Close(); },
                      [&] { Abrir(gCnn, cadena, gUsuario, gUserPassWord); },
                      // Only a connection that is really open counts as reopened (an ignored
                      // failure of the open above must not be reported as success).
                      [&] { gOpenFlag = gCnn.State() == estado_objeto::kAbierto; },
                  },
                  reportero);
}

}  // namespace data
