#include "InicioSesion.h"

#include <functional>
#include <vector>

#include "ArchivoIni.h"
#include "DB_Dll.h"
#include "Lanzador.h"
#include "ParametrosLanzamiento.h"
#include "Pasos.h"
#include "PerfilUsuario.h"
#include "Plataforma.h"
#include "Sistema.h"
#include "Texto.h"
#include "Utilidades.h"
#include "ValoresSesion.h"

using namespace helperlib;
using namespace data;

namespace startup {

namespace {
constexpr const char* kTituloAviso = "Aviso al Operador";
}  // namespace

std::string MensajeBaseSoloLectura(const std::string& base) {
    return "La base de datos " + base +
           " es de solo lectura: no se puede escribir en su archivo o en su carpeta. Podrá "
           "consultar los modelos, pero no grabarlos ni borrarlos. Pida al administrador "
           "permiso de escritura sobre ambos y vuelva a abrir el programa.";
}

Reportero ReglaErroresInicio(DB_Dll& db) {
    return [&db](const ErrorEjecucion& e) {
        if (e.Numero() == errnum::kArgumentoInvalido) return respuesta::kIgnorar;
        if (e.Numero() == errnum::kDesbordamiento && e.Origen() == kOrigenParametros) {
            // A launch value too long to take: the user learns which one, and it is left out
            // as an entry without its ";" is.
            plataforma().MsgBox(e.Descripcion(), estilo::kExclamacion, kTituloAviso);
            return respuesta::kIgnorar;
        }
        if (db.gCnn.Errors().Count() > 0) return respuesta::kAbortar;
        if (e.Numero() == errnum::kElementoNoEncontrado) return respuesta::kIgnorar;
        return respuesta::kAbortar;
    };
}

void IniciarSesion(const std::string& parametrosRecibidos, DB_Dll& db, ValoresSesion& s) {
    const Reportero regla = ReglaErroresInicio(db);
    std::string carpeta, parametros;
    std::string servidor, base, usuario, clave;  // live only during the start-up

    const std::vector<std::function<void()>> entorno = {
        [&] { carpeta = CarpetaPrograma(); },
        [&] { parametros = parametrosRecibidos; },
        [&] {
            s.gSeccionIni =
                texto::Mayusculas(NombreMaquina()) + "|" + texto::Mayusculas(UsuarioSistema());
        },
        [&] {
            s.gFlatToolbars =
                !ValorNumerico(LeerIni("LD000p.INI", s.gSeccionIni, "FlatToolbars", "1")).EsCero();
        },
    };
    const std::vector<std::function<void()>> conexion = {
        [&] { s.gParametroAdicional = LeerParametro(parametros, "@ParametroAdicional"); },
        [&] { s.gMenu = LeerParametro(parametros, "@Menu"); },
        [&] { servidor = LeerParametro(parametros, "@Server"); },
        [&] { base = LeerParametro(parametros, "@DbName"); },
        [&] { usuario = LeerParametro(parametros, "@Usuario"); },
        [&] { clave = LeerParametro(parametros, "@Password"); },  // read, never used
        [&] { s.gUsuarioLogeado = LeerParametro(parametros, "@UsuarioLogeado"); },
        [&] {
            if (s.gUsuarioLogeado.empty()) s.gUsuarioLogeado = usuario;
        },
        [&] { s.gCaja = LeerParametro(parametros, "@Caja"); },
        [&] {
            // The suite's login convention: login and password are the database name.
            db.gUsuario = base;
            db.gDBName = base;
            db.gUserPassWord = base;
            db.gServidor = servidor;
            db.VincularUsuarioSesion(s.gUsuarioLogeado);
        },
        [&] { db.OpenServerADODB(false, 3, "", true, true); },
        [&] {
            if (!db.gOpenFlag) plataforma().Terminar(kFinSinConexion);
        },
        [&] { db.gCnn.CommandTimeout = 360; },
        [&] { db.gCnn.SetDefaultDatabase(db.gDBName); },
    };
    const std::vector<std::function<void()>> sesionAbierta = {
        [&] { (void)db.gCnn.DefaultDatabase(); },  // probe: an unusable connection fails here
        [&] {
            // Said now rather than discovered at the first save.
            if (db.gCnn.SoloLectura())
                plataforma().MsgBox(MensajeBaseSoloLectura(db.gDBName), estilo::kExclamacion,
                                    kTituloAviso);
        },
        [&] { s.gCarpetaSesion = NormalizarCarpeta(carpeta); },
        [&] {
            s.consultas.gConnString = db.gConnString;
            s.consultas.gUsarMascarasConsultas = true;
            s.consultas.gRutaMascaraConsultas = carpeta + "consultas.kxw";
        },
        [&] { IniContable(db, s); },
        [&] { ControlAcceso(db, s, false); },
    };

    if (EjecutarPasos(entorno, regla) == Desenlace::Abandonado) return;
    if (!db.gOpenFlag && EjecutarPasos(conexion, regla) == Desenlace::Abandonado) return;
    EjecutarPasos(sesionAbierta, regla);
}

}  // namespace startup
