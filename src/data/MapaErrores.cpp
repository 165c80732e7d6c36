#include "MapaErrores.h"

#include "ErrorEjecucion.h"

using namespace helperlib;

namespace data {

namespace {

struct Entrada {
    ClaseFalla clase;
    long numero;         // provider error number
    long nativo;         // the suite server's native error; 0 = keep the engine's own code
    const char* estado;  // SQL state used when the engine gave none
};

// The one table. The recovery logic keys on these numbers: native 11 means a lost link,
// 8152 a truncated value, and the provider numbers tell syntax, missing tables and constraint
// violations apart. An operation on a closed or unusable connection reports 3709 (the
// connection cannot be used); 3704 is raised only by closing an object that is already closed,
// which never goes through an engine.
constexpr Entrada kTabla[] = {
    {ClaseFalla::ConexionPerdida, errnum::kEFail, nativo::kRed, "08S01"},
    {ClaseFalla::Truncamiento, static_cast<long>(0x80040E57), nativo::kTruncamiento, "22001"},
    {ClaseFalla::TablaInexistente, errnum::kTablaInexistente, 208, "42S02"},
    {ClaseFalla::Sintaxis, errnum::kErroresEnComando, 102, "42000"},
    {ClaseFalla::Restriccion, errnum::kViolacionIntegridad, 2627, "23000"},
    {ClaseFalla::ObjetoCerrado, errnum::kConexionInvalida, 0, "08003"},
    {ClaseFalla::Ocupado, static_cast<long>(0x80040E31), 1222, "HYT00"},
    {ClaseFalla::Conversion, static_cast<long>(0x80040E07), 8114, "22018"},
    {ClaseFalla::Otra, errnum::kEFail, 0, "HY000"},
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
    r.Descripcion = f.Descripcion;
    return r;
}

}  // namespace data
