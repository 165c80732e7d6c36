// Running statements on the shared connection: statement preparation, recordsets, commands,
// the lost-connection procedure, name translation and the schema checks.
#include "DB_Dll.h"
#include "Dialecto.h"
#include "DialectoOracle.h"
#include "MapaErrores.h"
#include "Pasos.h"
#include "Plataforma.h"
#include "Sinonimos.h"
#include "Texto.h"

using namespace helperlib;

namespace data {

namespace {

constexpr int kLimiteReintentos = 3;
constexpr long kNativoAvisoOracle = 265929;  // the provider's notice after a script runs

/// The marker goes from object names only: a literal (a template named "@admin_x") keeps it.
std::string QuitarMarcaAdmin(const std::string& sql) {
    return QuitarMarcaFueraDeLiterales(sql, "@Admin_");
}

ErrorAdo ErrorAdoDe(const ErrorEjecucion& e) {
    ErrorAdo a;
    a.Numero = e.Numero();
    a.Descripcion = e.Descripcion();
    a.Origen = e.Origen();
    return a;
}

/// A failure as the collection showed it when it happened (the error itself when the failure
/// came from outside the engine and left the collection empty).
struct Falla {
    ColeccionErrores errores;
    void Anotar(const Conexion& cn, const ErrorEjecucion& e) {
        errores = cn.Errors();
        if (errores.Vacia()) errores.Agregar(ErrorAdoDe(e));
    }
};

/// A failed command must be visible to callers that read the collection: when a reconnection
/// in between emptied it, the errors of the failure are put back.
void AnotarFalla(Conexion& cn, const Falla& falla) {
    if (cn.Errors().Vacia()) cn.Errors() = falla.errores;
}

/// Truncation warnings (one or two entries) left by a command that did run are not failures
/// of the command. A command that failed keeps its errors: its rows were not written.
void QuitarAvisoTruncamiento(Conexion& cn, bool trans) {
    const int n = cn.Errors().Count();
    if (!trans && (n == 1 || n == 2) && ValorTruncado(cn.Errors())) cn.Errors().Clear();
}

void EjecutarComando(Conexion& cn, const std::string& sql, long& afectadas, Recordset* Lrcs) {
    Recordset filas = cn.Execute(sql, &afectadas, -1);
    if (Lrcs) *Lrcs = std::move(filas);
}

}  // namespace

std::string MensajeConexionPerdida(const std::string& base, const std::string& servidor) {
    const std::string crlf = "\r\n";
    return crlf + crlf + crlf + "Se perdio la conexion con la base de datos " + base + crlf +
           " Servidor " + servidor + crlf + crlf + "Elija SI para reintentar conectarse" + crlf +
           "Elija NO para cerrar la aplicacion" + crlf + crlf + crlf;
}

bool DB_Dll::RecuperarConexion(int& cuenta) {
    const auto abierta = [&] { return gOpenFlag && gCnn.State() == estado_objeto::kAbierto; };
    ReintentaConectar();
    if (abierta()) return ++cuenta < kLimiteReintentos;
    while (cuenta < kLimiteReintentos) {
        ReintentaConectar();
        if (abierta()) return true;
        ++cuenta;
    }
    for (;;) {
        const int r = plataforma().MsgBox(MensajeConexionPerdida(gDBName, gServidor),
                                          estilo::kSiNo | estilo::kCritico, "AVISO AL OPERADOR");
        if (r != respuesta::kSi) plataforma().Terminar(0);
        ReintentaConectar();
        if (abierta()) return true;
    }
}

std::string DB_Dll::PrepararSentencia(const std::string& sql) {
    const bool crea = texto::ContieneSinCaso(sql, "CREATE");
    const bool borra = texto::ContieneSinCaso(sql, "DROP");
    if (!(crea && borra)) return QuitarMarcaAdmin(sql);
    const bool marca = ContieneFueraDeLiterales(sql, "@ADMIN_");
    if (texto::ContieneSinCaso(sql, "DELETE")) return marca ? QuitarMarcaAdmin(sql) : sql;
    return marca ? QuitarMarcaAdmin(sql) : SS_TSinonimos(sql);
}

std::string DB_Dll::SentenciaCompatible(std::string& sentencia) {
    if (texto::ContieneSinCaso(sentencia, "SET NOCOUNT") ||
        texto::ContieneSinCaso(sentencia, "IF NOT EXIST")) {
        sentencia.clear();
        return {};
    }
    return sentencia;
}

void DB_Dll::AbrirTraducido(const std::string& sql, Recordset& rs, Conexion& cn, int tipoCursor,
                            int tipoBloqueo, long opciones, bool convOracle) {
    if (convOracle && Oracle(cn.ConnectionString).posicion > 1)
        rs.Open(ORACLE_Dicc(sql), cn, tipoCursor, tipoBloqueo, opciones);
    else
        rs.Open(sql, cn, tipoCursor, tipoBloqueo, opciones);
}

void DB_Dll::AbrirRecordset(std::string& SentenciaSQL, Recordset& Lrcs, Conexion* Conexionactiva,
                            int CursorType, int LockType, long Options, bool ConvOracle) {
    Conexion& cn = Conexionactiva ? *Conexionactiva : gCnn;
    struct Recuperacion {
        Conexion& cn;
        // Reconnecting ends a transaction in course: the caller's work would go on outside it.
        const bool enTransaccion;
        int cuenta = 2;  // a first successful reconnection does not repeat the open
    } recuperacion{cn, cn.TransaccionIniciada()};
    // The reporter holds two references, so that making it allocates nothing.
    const Reportero reportero = [this, &recuperacion](const ErrorEjecucion& e) -> int {
        // Only a lost link or a dead connection is recovered: reconnecting after an ordinary
        // data error would drop the open transaction for nothing, and inside a transaction
        // nothing is recovered at all (the caller's work would go on outside it).
        Conexion& cn = recuperacion.cn;
        const bool enlace =
            !cn.Errors().Vacia() && (e.Numero() == errnum::kConexionInvalida ||
                                     (e.Numero() == errnum::kEFail && EnlacePerdido(cn.Errors())));
        if (enlace && !recuperacion.enTransaccion && RecuperarConexion(recuperacion.cuenta))
            return respuesta::kReintentar;
        return TratamientoErrores(e, 18, "AbrirRecordset");
    };
    EjecutarPasos({
                      [&] { CierraRecordset(Lrcs); },
                      [&] { sinonimos_.TraducirEn(SentenciaSQL, gEsAdmin, gConfidencialidad); },
                      [&] {
                          AbrirTraducido(SentenciaSQL, Lrcs, cn, CursorType, LockType, Options,
                                         ConvOracle);
                      },
                      [&] { EventosPendientes(); },
                  },
                  reportero);
}

void DB_Dll::EventosPendientes() {
    const auto ahora = std::chrono::steady_clock::now();
    if (ultimosEventos_ != std::chrono::steady_clock::time_point{} &&
        ahora - ultimosEventos_ < kIntervaloEventos)
        return;
    plataforma().DoEvents();
    ultimosEventos_ = std::chrono::steady_clock::now();
}

void DB_Dll::CierraRecordset(Recordset& LrcsTemp) {
    const Reportero reportero = [&](const ErrorEjecucion& e) -> int {
        if (e.Numero() != errnum::kOperacionNoPermitida)
            return TratamientoErrores(e, 18, "CierraRecordset");
        // A pending new row: cancel it and close, whatever else goes wrong.
        try {
            LrcsTemp.CancelUpdate();
            if (LrcsTemp.State() != estado_objeto::kCerrado) LrcsTemp.Close();
        } catch (const std::exception&) {
        }
        return respuesta::kAbortar;
    };
    EjecutarPaso(
        [&] {
            if (LrcsTemp.State() == estado_objeto::kCerrado) return;
            LrcsTemp.Close();
        },
        reportero);
}

bool DB_Dll::EjecutarPreparada(std::string& SentenciaSQL, long& RecordsAffected, Recordset* Lrcs,
                               const DecisionFalla& decidir) {
    SentenciaSQL = PrepararSentencia(SentenciaSQL);
    const bool trans = texto::ContieneSinCaso(SentenciaSQL, "TRANS");
    // On Oracle the text may be a server style script: it runs statement by statement.
    const bool oracle = Oracle(gCnn.ConnectionString).contiene;
    bool ejecutada = false;
    Falla falla;
    EjecutarPaso(
        [&] {
            if (oracle) {
                RecordsAffected = 0;
                EjecutarGuionOracle(SentenciaSQL, RecordsAffected, Lrcs);
            } else {
                EjecutarComando(gCnn, SentenciaSQL, RecordsAffected, Lrcs);
            }
            ejecutada = true;
        },
        [&](const ErrorEjecucion& e) {
            falla.Anotar(gCnn, e);
            return trans ? respuesta::kAbortar : decidir(e);
        });
    if (!ejecutada) {
        AnotarFalla(gCnn, falla);
        return false;
    }
    QuitarAvisoTruncamiento(gCnn, trans);
    return true;
}

bool DB_Dll::EjecutaConsultaSQL(std::string& SentenciaSQL, long& RecordsAffected, Recordset* Lrcs) {
    int cuenta = 0;
    // A lost link is recovered and the command repeated; every other failure returns quietly
    // with the collection filled. Inside a transaction nothing is recovered: reconnecting would
    // drop the transaction and the repeated command would run on its own, outside it.
    const bool enTransaccion = gCnn.TransaccionIniciada();
    return EjecutarPreparada(SentenciaSQL, RecordsAffected, Lrcs, [&](const ErrorEjecucion&) {
        if (gCnn.Errors().Vacia()) return respuesta::kAbortar;
        if (!enTransaccion && EnlacePerdido(gCnn.Errors()) && RecuperarConexion(cuenta))
            return respuesta::kReintentar;
        return respuesta::kAbortar;
    });
}

void DB_Dll::EjecutaConsultaComprobada(std::string SentenciaSQL) {
    gCnn.Errors().Clear();
    long afectadas = 0;
    const bool ok = EjecutaConsultaSQL(SentenciaSQL, afectadas);
    if (gCnn.Errors().Count() > 0) {
        const ErrorAdo& e = gCnn.Errors().Item(0);
        throw ErrorEjecucion(e.Numero, e.Descripcion, e.Origen,
                             DetalleBaseDatos{e.EstadoSql, e.Nativo, SentenciaSQL, e.TextoMotor});
    }
    if (!ok)
        throw ErrorEjecucion(errnum::kEFail, "No se pudo ejecutar la sentencia: " + SentenciaSQL);
}

bool DB_Dll::EjecutaConsultaRSQL(std::string& SentenciaSQL, long& RecordsAffected,
                                 Recordset* Lrcs) {
    // No reconnection; failures other than the expected SQL ones are shown to the operator.
    return EjecutarPreparada(SentenciaSQL, RecordsAffected, Lrcs, [&](const ErrorEjecucion& e) {
        if (ValorTruncado(gCnn.Errors())) return respuesta::kAbortar;
        const long n = e.Numero();
        if (n != errnum::kEFail && n != errnum::kErroresEnComando &&
            n != errnum::kTablaInexistente && n != errnum::kViolacionIntegridad)
            plataforma().MsgBox(e.Descripcion(), estilo::kCritico, "Aviso al operador!!!");
        return respuesta::kAbortar;
    });
}

std::string DB_Dll::SS_TSinonimos(const std::string& sql) {
    return sinonimos_.Traducir(sql, gEsAdmin, gConfidencialidad);
}

const DB_Dll::MencionOracle& DB_Dll::Oracle(const std::string& cadena) {
    if (!oracleSabido_ || cadena != cadenaOracle_) {
        oracle_.posicion = texto::PosicionSinCaso(cadena, "ORACLE");
        oracle_.contiene = texto::ContieneSinCaso(cadena, "ORACLE");
        cadenaOracle_ = cadena;
        oracleSabido_ = true;
    }
    return oracle_;
}

std::string DB_Dll::ORACLE_Dicc(const std::string& Valor) {
    if (!Oracle(gConnString).contiene) return Valor;
    return data::TraducirOracle(Valor);
}

std::string DB_Dll::EjecutarGuionOracle(const std::string& script, long& RecordsAffected,
                                        Recordset* filas) {
    const auto empieza = [](const std::string& s, std::string_view palabra) {
        return texto::IgualesSinCaso(texto::Izquierda(s, static_cast<int>(palabra.size())),
                                     palabra);
    };
    bool comenzada = false;  // a transaction this script began and has not ended
    try {
        for (std::string sentencia : data::PartirGuionOracle(script)) {
            if (empieza(sentencia, "SET TRANSACTION")) {
                gCnn.BeginTrans();
                comenzada = true;
            } else if (empieza(sentencia, "COMMIT")) {
                gCnn.CommitTrans();
                comenzada = false;
            } else if (empieza(sentencia, "ROLLBACK")) {
                gCnn.RollbackTrans();
                comenzada = false;
            } else {
                std::string traducida = ORACLE_Dicc(sentencia);
                if (SentenciaCompatible(traducida).empty()) continue;
                long afectadas = -1;
                Recordset rs = gCnn.Execute(traducida, &afectadas, -1);
                if (afectadas > 0) RecordsAffected += afectadas;
                if (filas) *filas = std::move(rs);
            }
        }
    } catch (const ErrorEjecucion&) {
        // The statements already run in the script's own transaction must not stay pending:
        // undone, with the failure's errors kept for the caller.
        if (comenzada && gCnn.EnTransaccion()) {
            const ColeccionErrores errores = gCnn.Errors();
            try {
                gCnn.RollbackTrans();
            } catch (const ErrorEjecucion&) {
            }
            gCnn.Errors() = errores;
        }
        throw;
    }
    if (gCnn.Errors().Count() == 1 && gCnn.Errors().Item(0).Nativo == kNativoAvisoOracle)
        gCnn.Errors().Clear();
    return {};
}

bool DB_Dll::ExisteTablaDB(const std::string& Tabla) {
    bool hallada = false;
    const std::string buscada = texto::Recortar(Tabla);
    EjecutarPaso(
        [&] {
            for (const auto& t : gCnn.Tablas())
                if (texto::IgualesSinCaso(texto::Recortar(t), buscada)) {
                    hallada = true;
                    return;
                }
        },
        [&](const ErrorEjecucion& e) { return TratamientoErrores(e, 18, "VerificaCampos"); });
    return hallada;
}

bool DB_Dll::ExisteCampoDB(const std::string& Tabla, const std::string& Campo) {
    if (texto::ContieneSinCaso(gProveedor, "ORACLE")) return true;
    bool hallado = false;
    const std::string buscado = texto::Recortar(Campo);
    EjecutarPaso(
        [&] {
            for (const auto& c : gCnn.Columnas(texto::Recortar(Tabla)))
                if (texto::IgualesSinCaso(texto::Recortar(c), buscado)) {
                    hallado = true;
                    return;
                }
        },
        [&](const ErrorEjecucion& e) { return TratamientoErrores(e, 18, "VerificaCampos"); });
    return hallado;
}

std::string DB_Dll::SentenciaAddField(const std::string& Tabla, const std::string& Campo,
                                      const std::string& Tipo, bool PermiteNulos,
                                      const std::optional<std::string>& ValorDefault) {
    std::string sql = "ALTER TABLE dbo." + Tabla + " ADD " + Campo + " " + Tipo +
                      (PermiteNulos ? " Null " : " Not Null ");
    if (ValorDefault)
        sql += " CONSTRAINT DF_" + texto::Recortar(Tabla) + "_" + texto::Recortar(Campo) +
               " DEFAULT (" + *ValorDefault + ")";
    return sql;
}

bool DB_Dll::AgregarCampo(const std::string& Tabla, const std::string& Campo,
                          const std::string& Tipo, bool PermiteNulos,
                          const std::optional<std::string>& ValorDefault) {
    // The command runner leaves a failure in the error collection: it is reported here.
    return EjecutarPaso(
        [&] {
            std::string sql = SentenciaAddField(Tabla, Campo, Tipo, PermiteNulos, ValorDefault);
            long afectadas = 0;
            if (EjecutaConsultaSQL(sql, afectadas)) return;
            const ErrorAdo e = gCnn.Errors().Vacia() ? ErrorAdo{} : gCnn.Errors().Item(0);
            throw ErrorEjecucion(e.Numero ? e.Numero : errnum::kEFail,
                                 e.Descripcion.empty() ? "No se pudo agregar el campo " + Campo +
                                                             " a la tabla " + Tabla
                                                       : e.Descripcion,
                                 e.Origen);
        },
        [&](const ErrorEjecucion& e) {
            const int r = TratamientoErrores(e, 18, "errAddField");
            return r == respuesta::kReintentar ? r : respuesta::kAbortar;
        });
}

void DB_Dll::AddField(const std::string& Tabla, const std::string& Campo, const std::string& Tipo,
                      bool PermiteNulos, const std::optional<std::string>& ValorDefault) {
    AgregarCampo(Tabla, Campo, Tipo, PermiteNulos, ValorDefault);
}

bool DB_Dll::VerCampoDB(const std::string& Tabla, const std::string& Campo, bool Agregar,
                        const std::string& Tipo, bool PermiteNulos,
                        const std::optional<std::string>& ValorDefault) {
    if (ExisteTablaDB(Tabla) && !ExisteCampoDB(Tabla, Campo) && Agregar)
        return AgregarCampo(Tabla, Campo, Tipo, PermiteNulos, ValorDefault);
    return true;
}

}  // namespace data
