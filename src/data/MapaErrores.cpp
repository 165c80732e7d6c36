#include "MapaErrores.h"

#include "ErrorEjecucion.h"

using namespace helperlib;

namespace data {

namespace {

struct Entrada {
    ClaseFalla clase;
    long numero;          // provider error number
    long nativo;          // the suite server's native error; 0 = keep the engine's own code
    const char* estado;   // SQL state used when the engine gave none
    const char* mensaje;  // what the user is told instead of the engine's text; null: its text
};

constexpr const char* kMsgOcupado =
    "La base de datos está bloqueada: otro usuario está grabando en ella. Espere unos "
    "instantes y vuelva a intentarlo.";
constexpr const char* kMsgDiscoLleno =
    "El disco donde está la base de datos está lleno. Libere espacio en ese disco (o pida al "
    "administrador que lo haga) y vuelva a intentarlo.";
constexpr const char* kMsgSoloLectura =
    "La base de datos es de solo lectura: no se puede escribir en su archivo o en su carpeta. "
    "Pida al administrador permiso de escritura sobre ambos y vuelva a abrir el programa.";
constexpr const char* kMsgArchivoPerdido =
    "El archivo de la base de datos ya no está en su lugar: fue borrado, movido o renombrado "
    "mientras el programa lo usaba. Vuelva a ponerlo en su carpeta (o restáurelo de una copia "
    "de seguridad) y abra el programa de nuevo.";
constexpr const char* kMsgDanada =
    "El archivo de la base de datos está dañado o no es una base de datos. Restáurelo desde una "
    "copia de seguridad o avise al administrador.";

// The one table. The recovery logic keys on these numbers: native 11 means a lost link,
// 8152 a truncated value, and the provider numbers tell syntax, missing tables and constraint
// violations apart. An operation on a closed or unusable connection reports 3709 (the
// connection cannot be used); 3704 is raised only by closing an object that is already closed,
// which never goes through an engine.
// The failures a user can do something about (wait, free disk space, ask for rights, restore
// a copy) are told in Spanish with what to do; the engine's own text goes to the error log.
// Their native numbers are the suite server's for the same failures, none of them 11, so that
// a full disk or a damaged file is never taken for a lost link and "recovered" by reconnecting.
constexpr Entrada kTabla[] = {
    {ClaseFalla::ConexionPerdida, errnum::kEFail, nativo::kRed, "08S01", nullptr},
    {ClaseFalla::Truncamiento, static_cast<long>(0x80040E57), nativo::kTruncamiento, "22001",
     nullptr},
    {ClaseFalla::TablaInexistente, errnum::kTablaInexistente, 208, "42S02", nullptr},
    {ClaseFalla::Sintaxis, errnum::kErroresEnComando, 102, "42000", nullptr},
    {ClaseFalla::Restriccion, errnum::kViolacionIntegridad, 2627, "23000", nullptr},
    {ClaseFalla::ObjetoCerrado, errnum::kConexionInvalida, 0, "08003", nullptr},
    {ClaseFalla::Ocupado, static_cast<long>(0x80040E31), 1222, "HYT00", kMsgOcupado},
    {ClaseFalla::Conversion, static_cast<long>(0x80040E07), 8114, "22018", nullptr},
    {ClaseFalla::DiscoLleno, errnum::kEFail, 1105, "HY000", kMsgDiscoLleno},
    {ClaseFalla::SoloLectura, errnum::kEFail, 3906, "25006", kMsgSoloLectura},
    {ClaseFalla::ArchivoPerdido, errnum::kEFail, 5120, "HY000", kMsgArchivoPerdido},
    {ClaseFalla::Danada, errnum::kEFail, 824, "HY000", kMsgDanada},
    {ClaseFalla::Otra, errnum::kEFail, 0, "HY000", nullptr},
};

const Entrada& EntradaDe(ClaseFalla c) {
    for (const auto& e : kTabla)
        if (e.clase == c) return e;
    return kTabla[sizeof kTabla / sizeof kTabla[0] - 1];
}

/// A state is more specific than the table's when the engine gave one that is not a generic
/// "general error" state.
bool EstadoEspecifico(const std::string& estado) {
    return !estado.empty() && estado != "HY000" && estado != "S1000" && estado != "01000";
}

}  // namespace

bool EnlacePerdido(const ColeccionErrores& errores) {
    if (errores.Vacia()) return false;
    const ErrorAdo& e = errores.Item(0);
    return e.Nativo == nativo::kRed || e.EstadoSql == "08S01" || e.EstadoSql == "08S02";
}

bool ValorTruncado(const ColeccionErrores& errores) {
    return !errores.Vacia() && errores.Item(0).Nativo == nativo::kTruncamiento;
}

ErrorAdo ErrorAdoDeFalla(const FallaMotor& f) {
    const Entrada& e = EntradaDe(f.Clase);
    ErrorAdo r;
    r.Numero = e.numero;
    r.Nativo = e.nativo != 0 ? e.nativo : f.NativoMotor;
    // Native 11 is what the recovery logic reads as a lost link; an engine whose own code
    // happens to be 11 (SQLite's "database disk image is malformed") must not take that path.
    if (f.Clase != ClaseFalla::ConexionPerdida && r.Nativo == nativo::kRed) r.Nativo = 0;
    r.EstadoSql = EstadoEspecifico(f.EstadoSql) ? f.EstadoSql : e.estado;
    r.Descripcion = e.mensaje ? e.mensaje : f.Descripcion;
    if (e.mensaje) r.TextoMotor = f.Descripcion;
    return r;
}

}  // namespace data
