#pragma once
// Everything the database access dialog does that needs no widget: the registered connection
// looked up by name, a list entry copied into the boxes, the prompts of empty boxes, the
// "Conectar" hand-back, registering a connection (probe, typed credentials, append to the
// connection list, companion program) and running a command line until it ends. Probes use
// connections of their own; the program's connection is opened only by its caller, with the
// data the dialog hands back. The dialog
// keeps the boxes; this class works on a copy of their texts (CajasAcceso) and the data access
// object it was given.
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "ArchivoBases.h"
#include "UbicacionArchivos.h"

namespace data {
class DB_Dll;
}

namespace acceso {

/// The texts of the dialog's boxes and the platform list's index.
struct CajasAcceso {
    std::string TxtUserId;
    std::string TxtUserPassword;
    std::string TxtDbName;
    std::string TxtServidor;
    std::string TxtPuerto;
    int CboPlataformaDB = 0;  ///< 0 SQL Server, 1 ORACLE
};

/// How a registration ended.
enum class Registro {
    YaExiste,     ///< the name was in the list already; nothing written
    SinConexion,  ///< neither the probe nor the typed credentials reached the database
    Registrada,   ///< the line was appended
    Fallida       ///< a step failed and was reported; the list is to be reloaded anyway
};

/// Port used when the port box holds no number.
inline constexpr int kPuertoPorDefecto = 1433;

/// The prompt a box shows while empty: "Ingrese el usuario", "" (password),
/// "ingrese el nombre de la base de datos", "ingrese el nombre del servidor e instancia".
/// Box names are those of the dialog ("TxtUserId", ...); any other name gives "".
std::string PromptDeCaja(std::string_view nombreCaja);
/// True when the box must show its prompt: its text is blank or is the prompt itself.
bool MuestraPrompt(std::string_view textoCaja, std::string_view prompt);

/// True for a server value that names the embedded engine's folder ("sqlite:<folder>"): it has
/// no port part and its folder keeps its letter case.
bool EsServidorEmbebido(std::string_view servidor);
/// The server as it appears in a connection name: trimmed, in capitals, cut before its first
/// ":" ("srv1:1500" -> "SRV1"). An embedded-engine value is kept whole (in capitals).
std::string ServidorParaNombre(std::string_view servidor);
/// The connection name: database trimmed in capitals + " / " + ServidorParaNombre(server).
std::string NombreConexion(std::string_view base, std::string_view servidor);

class LogicaAcceso {
  public:
    /// `db` is the data access object registration probes and opens through; `usuarioSesion`
    /// is the session's logged-in user (the session values' copy, which the data access object
    /// reads too). Both must outlive this object. `rutaArchivo` empty: the program's BASES.TXT,
    /// read and written where UbicacionArchivos puts the program's files (its folder, or the
    /// user's data folder when the program may not write beside itself).
    LogicaAcceso(data::DB_Dll& db, std::string& usuarioSesion, std::string rutaArchivo = "");

    /// Values of the last connection looked up by DatosBase.
    std::string ServidorValor, BaseValor, UsuarioValor, ClaveValor;
    /// The port taken from the last server text that carried one (empty at first); set by a
    /// registration to the port box's number (1433 when 0).
    std::optional<std::string> Puerto;

    /// The connection list read now.
    std::string RutaArchivo() const;

    /// The names to list, in file order. A missing file gives an empty list. A failing step
    /// goes to AvisoOperador ("FormLoad"): retry repeats it, ignore goes on, anything else
    /// ends the filling with what was read so far.
    std::vector<std::string> llenarlist();
    /// Looks `Nombre` up (trimmed, exact case) and sets the four values; an unknown name leaves
    /// them as they were. A failure goes to AvisoOperador ("DatosBase") and ends the lookup.
    void DatosBase(std::string_view Nombre);
    /// Copies the entry `seleccion` into the boxes: server (port split off into Puerto),
    /// database, port; user and password emptied.
    void AsignarDatosBase(std::string_view seleccion, CajasAcceso& cajas);
    /// The "Conectar" hand-back: looks the typed name up, makes the typed user the session's
    /// logged-in user (a blank box or its prompt keeps the current one) and registers the
    /// connection when there is no connection list yet. Returns true when the list is to be
    /// reloaded (a registration ran).
    bool Conectar(CajasAcceso& cajas);
    /// Registers the typed connection ("Registrar"). Messages go through the platform. The
    /// boxes come back trimmed. The caller reloads the list unless the result is YaExiste or
    /// SinConexion.
    Registro CmdRegistrar(CajasAcceso& cajas);
    /// Runs CmdRegistrar when the connection list cannot be opened for reading; nullopt when
    /// the list exists.
    std::optional<Registro> RegistrarBases(CajasAcceso& cajas);
    /// True when a connection with these values opens. The probe uses a connection of its own
    /// (through the data access object's opening hook when one is set), closed again
    /// afterwards; the program's connection is not touched.
    bool ExisteBaseDeDatos(const std::string& Servidor, const std::string& Dbname,
                           const std::string& Usuario, const std::string& Password,
                           const std::string& Proveedor);
    /// Appends one line to the connection list ("#" appended to the server when EsOracle).
    /// Throws ErrorEjecucion (75, naming the file) when the file cannot be written.
    void AgregarConexion(const std::string& Nombre, const std::string& Base,
                         const std::string& Usuario, const std::string& Clave,
                         const std::string& Servidor, bool EsOracle);

  private:
    void EjecutarCompanero(const std::string& servidor, const std::string& base);

    /// The connection list a registration appends to (prepared for writing).
    std::string RutaEscritura() const;

    data::DB_Dll& db_;
    std::string& usuarioSesion_;
    std::string ruta_;
    std::optional<helperlib::UbicacionArchivos> ubicacion_;
};

/// Runs the command line `Archivo` (through the system shell) and waits for it to end, letting
/// the user interface run meanwhile. False, with "Error al ejecutar el comando" in ErrDevuelto,
/// when it could not be started (also when the shell reports the command as not found).
bool EjecutarCmdRegDB(const std::string& Archivo, std::string& ErrDevuelto);

}  // namespace acceso
