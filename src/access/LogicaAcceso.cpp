#include "LogicaAcceso.h"

#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <filesystem>
#include <thread>

#include "AvisoOperador.h"
#include "DB_Dll.h"
#include "Lanzador.h"
#include "Pasos.h"
#include "Plataforma.h"
#include "Sistema.h"
#include "Texto.h"
#include "Utilidades.h"

extern char** environ;

using namespace helperlib;
using namespace data;
using namespace startup;

namespace acceso {

namespace {

constexpr const char* kYaExiste = "La conexion que intenta registrar ya existe ";
constexpr int kSalidaNoEncontrado = 127;  // the shell's exit code for "command not found"

/// Errors a registration passes over: operation on a closed object, service already running
/// (0x80070420 and 1056), 440 and 20480.
bool EsErrorIgnorable(long numero) {
    const auto n = static_cast<int32_t>(numero);
    return n == 3704 || n == static_cast<int32_t>(0x80070420) || n == 1056 || n == 440 ||
           n == 20480;
}

/// A number as the classic Str() writes it: a leading blank when not negative.
std::string TextoComoStr(long numero) {
    const auto n = static_cast<int32_t>(numero);
    return (n >= 0 ? " " : "") + std::to_string(n);
}

void MostrarFallaRegistro(const ErrorEjecucion& e) {
    plataforma().MsgBox("SQL Server start failed.  \rSQL-DMO error:  " + TextoComoStr(e.Numero()) +
                            " " + e.Descripcion(),
                        estilo::kSoloOk, NombreEjecutable());
}

/// Cuts a server value at its first ":" (not for the embedded engine's folder value).
/// Returns the position (1-based) of that ":", 0 when there is no port part.
int PosicionPuerto(std::string_view servidor) {
    if (EsServidorEmbebido(texto::Recortar(servidor))) return 0;
    return texto::Posicion(servidor, ":");
}

}  // namespace

std::string PromptDeCaja(std::string_view nombreCaja) {
    if (nombreCaja == "TxtUserId") return "Ingrese el usuario";
    if (nombreCaja == "TxtDbName") return "ingrese el nombre de la base de datos";
    if (nombreCaja == "TxtServidor") return "ingrese el nombre del servidor e instancia";
    return "";
}

bool MuestraPrompt(std::string_view textoCaja, std::string_view prompt) {
    return texto::Recortar(textoCaja).empty() || textoCaja == prompt;
}

bool EsServidorEmbebido(std::string_view servidor) {
    return texto::Largo(servidor) >= 7 &&
           texto::IgualesSinCaso(texto::Izquierda(servidor, 7), "sqlite:");
}

std::string ServidorParaNombre(std::string_view servidor) {
    std::string s = texto::Mayusculas(texto::Recortar(servidor));
    const int pos = PosicionPuerto(s);
    if (pos > 0) s = texto::Izquierda(s, pos - 1);
    return s;
}

std::string NombreConexion(std::string_view base, std::string_view servidor) {
    return texto::Mayusculas(texto::Recortar(base)) + " / " + ServidorParaNombre(servidor);
}

LogicaAcceso::LogicaAcceso(DB_Dll& db, std::string& usuarioSesion, std::string rutaArchivo)
    : db_(db), usuarioSesion_(usuarioSesion), ruta_(std::move(rutaArchivo)) {
    if (ruta_.empty()) ubicacion_ = UbicacionArchivos::Para(CarpetaPrograma());
}

std::string LogicaAcceso::RutaArchivo() const {
    return ubicacion_ ? ubicacion_->ParaLeer(kArchivoBases) : ruta_;
}

std::string LogicaAcceso::RutaEscritura() const {
    return ubicacion_ ? ubicacion_->ParaEscribir(kArchivoBases) : ruta_;
}

std::vector<std::string> LogicaAcceso::llenarlist() {
    std::vector<std::string> nombres;
    std::vector<ConexionRegistrada> conexiones;
    const ArchivoBases archivo(RutaArchivo());
    if (!archivo.Existe()) return nombres;
    const Reportero reportero = [](const ErrorEjecucion& e) {
        return AvisoOperador(e, 18, "FormLoad");
    };
    EjecutarPasos({[&] { conexiones = archivo.Leer(); },
                   [&] {
                       for (const auto& c : conexiones) nombres.push_back(c.Nombre);
                   }},
                  reportero);
    return nombres;
}

void LogicaAcceso::DatosBase(std::string_view Nombre) {
    try {
        const auto c = ArchivoBases(RutaArchivo()).Buscar(Nombre);
        if (!c) return;
        ServidorValor = c->Servidor;
        BaseValor = c->Base;
        UsuarioValor = c->Usuario;
        ClaveValor = c->Clave;
    } catch (const ErrorEjecucion& e) {
        AvisoOperador(e, 18, "DatosBase");
    }
}

void LogicaAcceso::AsignarDatosBase(std::string_view seleccion, CajasAcceso& cajas) {
    DatosBase(texto::Recortar(seleccion));
    const int pos = PosicionPuerto(ServidorValor);
    if (pos > 0) {
        Puerto = texto::Medio(ServidorValor, pos + 1);
        ServidorValor = texto::Izquierda(texto::Mayusculas(ServidorValor), pos - 1);
        ServidorValor = texto::Recortar(ServidorValor);
    }
    cajas.TxtServidor = ServidorValor;
    cajas.TxtUserId.clear();
    cajas.TxtUserPassword.clear();
    cajas.TxtDbName = BaseValor;
    cajas.TxtPuerto = Puerto.value_or("");
}

bool LogicaAcceso::Conectar(CajasAcceso& cajas) {
    ServidorValor.clear();
    DatosBase(NombreConexion(cajas.TxtDbName, cajas.TxtServidor));
    // The user typed becomes the session's user; an emptied box (a list entry was chosen) or
    // its prompt is no user and must not wipe the identity the session started with.
    if (!MuestraPrompt(cajas.TxtUserId, PromptDeCaja("TxtUserId")))
        usuarioSesion_ = cajas.TxtUserId;
    const auto r = RegistrarBases(cajas);
    return r.has_value() && *r != Registro::YaExiste && *r != Registro::SinConexion;
}

std::optional<Registro> LogicaAcceso::RegistrarBases(CajasAcceso& cajas) {
    if (ArchivoBases(RutaArchivo()).Existe()) return std::nullopt;
    return CmdRegistrar(cajas);
}

Registro LogicaAcceso::CmdRegistrar(CajasAcceso& cajas) {
    std::optional<Registro> fin;  // set by a step that ends the registration
    std::string nombre;
    bool agregando = false;
    bool conFallas = false;

    const Reportero reportero = [&](const ErrorEjecucion& e) -> int {
        if (EsErrorIgnorable(e.Numero())) return respuesta::kIgnorar;
        conFallas = true;
        if (agregando)
            plataforma().MsgBox("No se pudo registrar la conexion.\r" + e.Descripcion(),
                                estilo::kCritico, "AVISO AL OPERADOR");
        else
            MostrarFallaRegistro(e);
        return respuesta::kAbortar;
    };

    bool conecta = false;
    bool conTecleadas = false;  // reached with the typed credentials instead of the convention
    const std::vector<std::function<void()>> pasos = {
        [&] { nombre = NombreConexion(cajas.TxtDbName, cajas.TxtServidor); },
        [&] {
            ServidorValor.clear();
            DatosBase(nombre);
            if (!ServidorValor.empty()) {
                plataforma().MsgBox(kYaExiste, estilo::kInformacion, "Atencion");
                fin = Registro::YaExiste;
            }
        },
        [&] {
            const Moneda puerto = ValorNumerico(cajas.TxtPuerto);
            Puerto = puerto.EsCero() ? std::to_string(kPuertoPorDefecto) : TextoDeValor(puerto);
        },
        [&] {
            cajas.TxtServidor = texto::Recortar(cajas.TxtServidor);
            cajas.TxtUserId = texto::Recortar(cajas.TxtUserId);
            cajas.TxtUserPassword = texto::Recortar(cajas.TxtUserPassword);
            cajas.TxtDbName = texto::Recortar(cajas.TxtDbName);
        },
        [&] {
            const std::string base = texto::Mayusculas(cajas.TxtDbName);
            conecta = ExisteBaseDeDatos(cajas.TxtServidor, base, base, base, DB_Dll::pSQLOLEDB);
        },
        [&] {
            // The typed credentials are tried on a connection of the registration's own: the
            // program's connection may be the one being opened right now.
            if (conecta) return;
            conTecleadas = ExisteBaseDeDatos(cajas.TxtServidor, cajas.TxtDbName, cajas.TxtUserId,
                                             cajas.TxtUserPassword, DB_Dll::pSQLOLEDB);
            if (conTecleadas) return;
            plataforma().MsgBox("NO SE PUDO CONECTAR AL SERVIDOR " + cajas.TxtServidor +
                                    " VERIFIQUE EL NOMBRE DE USUARIO Y PASSWORD INGRESADO",
                                estilo::kInformacion, "AVISO AL OPERADOR");
            fin = Registro::SinConexion;
        },
        [&] {
            agregando = true;
            AgregarConexion(nombre, cajas.TxtDbName, cajas.TxtDbName, cajas.TxtDbName,
                            cajas.TxtServidor, false);
            agregando = false;
        },
    };
    for (const auto& paso : pasos) {
        if (!EjecutarPaso(paso, reportero)) break;
        if (fin) return *fin;
    }

    // Whatever happened above (short of the two early ends), the companion program, the
    // closing of the connection and the list reload still run. A failure here is shown and
    // the next step runs, so a failing step cannot bring the handling round again.
    const Reportero reporteroFinal = [&](const ErrorEjecucion& e) -> int {
        if (EsErrorIgnorable(e.Numero())) return respuesta::kIgnorar;
        conFallas = true;
        MostrarFallaRegistro(e);
        return respuesta::kIgnorar;
    };
    // The companion gets the database the program works on, or the one just reached with the
    // typed credentials.
    const std::string base = conTecleadas ? cajas.TxtDbName : db_.gDBName;
    EjecutarPasos({[&] { EjecutarCompanero(cajas.TxtServidor, base); }}, reporteroFinal);
    return conFallas ? Registro::Fallida : Registro::Registrada;
}

void LogicaAcceso::EjecutarCompanero(const std::string& servidor, const std::string& base) {
    const std::string carpeta = CarpetaPrograma();
    if (!std::filesystem::is_regular_file(carpeta + "ODBC.exe")) return;
    plataforma().IniciarProceso(carpeta + "ODBC.exe", {"Server=" + servidor + ";DB=" + base + ";"});
}

bool LogicaAcceso::ExisteBaseDeDatos(const std::string& Servidor, const std::string& Dbname,
                                     const std::string& Usuario, const std::string& Password,
                                     const std::string& Proveedor) {
    // A connection of its own: the program's connection is never closed or reopened here.
    Conexion sonda;
    bool todoBien = true;
    const auto paso = [&](const std::function<void()>& f) {
        try {
            f();
        } catch (const ErrorEjecucion&) {
            todoBien = false;
        }
    };
    const std::string cadena = "PROVIDER=" + Proveedor + ";" + "Server=" + Servidor + ";" +
                               "Database =" + Dbname + ";" + "UId=" + Usuario + ";" +
                               "Pwd=" + Password + ";";
    paso([&] {
        if (db_.AbrirConexion)
            db_.AbrirConexion(sonda, cadena, "", "");
        else
            sonda.Open(cadena, "", "", -1);
    });
    if (todoBien) paso([&] { sonda.Close(); });
    return todoBien;
}

void LogicaAcceso::AgregarConexion(const std::string& Nombre, const std::string& Base,
                                   const std::string& Usuario, const std::string& Clave,
                                   const std::string& Servidor, bool EsOracle) {
    const std::string servidor = EsOracle ? Servidor + "#" : Servidor;
    ArchivoBases(RutaEscritura()).Agregar(Nombre, Base, Usuario, Clave, servidor);
}

bool EjecutarCmdRegDB(const std::string& Archivo, std::string& ErrDevuelto) {
    const char* argv[] = {"/bin/sh", "-c", Archivo.c_str(), nullptr};
    pid_t pid = 0;
    if (posix_spawn(&pid, "/bin/sh", nullptr, nullptr, const_cast<char**>(argv), environ) != 0) {
        ErrDevuelto = "Error al ejecutar el comando";
        return false;
    }
    int estado = 0;
    while (true) {
        const pid_t r = waitpid(pid, &estado, WNOHANG);
        if (r == pid) break;
        if (r < 0) {
            ErrDevuelto = "Error al ejecutar el comando";
            return false;
        }
        plataforma().DoEvents();
        // A short pause keeps the wait from taking a whole processor.
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    if (WIFEXITED(estado) && WEXITSTATUS(estado) == kSalidaNoEncontrado) {
        ErrDevuelto = "Error al ejecutar el comando";
        return false;
    }
    return true;
}

}  // namespace acceso
