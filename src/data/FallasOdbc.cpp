#include "FallasOdbc.h"

#include "CadenaOdbc.h"

namespace data {

namespace {

// ---------------------------------------------------------------------------------------------
// Classification table.

struct ReglaEstado {
    const char* prefijo;  // SQL state or its class (first characters)
    ClaseFalla clase;
};

// Order matters: the first matching prefix wins.
constexpr ReglaEstado kPorEstado[] = {
    {"08S01", ClaseFalla::ConexionPerdida},
    {"08S02", ClaseFalla::ConexionPerdida},
    {"08003", ClaseFalla::ConexionPerdida},
    {"08007", ClaseFalla::ConexionPerdida},
    {"22001", ClaseFalla::Truncamiento},
    {"22", ClaseFalla::Conversion},
    {"42S02", ClaseFalla::TablaInexistente},
    {"23", ClaseFalla::Restriccion},
    {"HYT00", ClaseFalla::Ocupado},
    {"HYT01", ClaseFalla::Ocupado},
    {"42000", ClaseFalla::Sintaxis},
    {"37000", ClaseFalla::Sintaxis},
    {"42", ClaseFalla::Sintaxis},
};

struct ReglaNativo {
    long nativo;
    ClaseFalla clase;
};

// SQL Server native errors (FreeTDS and Microsoft's driver both pass them through).
constexpr ReglaNativo kSqlServer[] = {
    {1105, ClaseFalla::DiscoLleno},
    {9002, ClaseFalla::DiscoLleno},
    {3906, ClaseFalla::SoloLectura},
    {823, ClaseFalla::Danada},
    {824, ClaseFalla::Danada},
    {8152, ClaseFalla::Truncamiento},
    {2628, ClaseFalla::Truncamiento},
    {208, ClaseFalla::TablaInexistente},
    {102, ClaseFalla::Sintaxis},
    {156, ClaseFalla::Sintaxis},
    {170, ClaseFalla::Sintaxis},
    {2627, ClaseFalla::Restriccion},
    {2601, ClaseFalla::Restriccion},
    {547, ClaseFalla::Restriccion},
    {515, ClaseFalla::Restriccion},
    {1222, ClaseFalla::Ocupado},
    {10054, ClaseFalla::ConexionPerdida},
    {20006, ClaseFalla::ConexionPerdida},
    {20047, ClaseFalla::ConexionPerdida},
    {11, ClaseFalla::ConexionPerdida},
    {8114, ClaseFalla::Conversion},
    {8115, ClaseFalla::Conversion},
    {245, ClaseFalla::Conversion},
    {241, ClaseFalla::Conversion},
    {242, ClaseFalla::Conversion},
    {8134, ClaseFalla::Conversion},
};

// Oracle ORA- numbers.
constexpr ReglaNativo kOracle[] = {
    {12899, ClaseFalla::Truncamiento},   {1401, ClaseFalla::Truncamiento},
    {942, ClaseFalla::TablaInexistente}, {900, ClaseFalla::Sintaxis},
    {933, ClaseFalla::Sintaxis},         {936, ClaseFalla::Sintaxis},
    {1, ClaseFalla::Restriccion},        {2291, ClaseFalla::Restriccion},
    {2292, ClaseFalla::Restriccion},     {1400, ClaseFalla::Restriccion},
    {54, ClaseFalla::Ocupado},           {3113, ClaseFalla::ConexionPerdida},
    {3114, ClaseFalla::ConexionPerdida}, {3135, ClaseFalla::ConexionPerdida},
};

/// SQLite through its ODBC driver reports most failures as a general error; the SQLite
/// result code (native) and the message tell what happened.
ClaseFalla ClaseSqlite(long nativo, const std::string& mensaje) {
    switch (nativo & 0xff) {
        case 19:
            return ClaseFalla::Restriccion;  // SQLITE_CONSTRAINT
        case 5:                              // SQLITE_BUSY
        case 6:
            return ClaseFalla::Ocupado;  // SQLITE_LOCKED
        case 18:
            return ClaseFalla::Truncamiento;  // SQLITE_TOOBIG
        case 20:
            return ClaseFalla::Conversion;  // SQLITE_MISMATCH
        case 13:
            return ClaseFalla::DiscoLleno;  // SQLITE_FULL
        case 8:
            return ClaseFalla::SoloLectura;  // SQLITE_READONLY
        case 11:                             // SQLITE_CORRUPT
        case 26:
            return ClaseFalla::Danada;  // SQLITE_NOTADB
        default:
            break;
    }
    if (ContieneAscii(mensaje, "no such table")) return ClaseFalla::TablaInexistente;
    if (ContieneAscii(mensaje, "syntax error") || ContieneAscii(mensaje, "incomplete input") ||
        ContieneAscii(mensaje, "unrecognized token"))
        return ClaseFalla::Sintaxis;
    if (ContieneAscii(mensaje, "constraint failed")) return ClaseFalla::Restriccion;
    if (ContieneAscii(mensaje, "database is locked")) return ClaseFalla::Ocupado;
    if (ContieneAscii(mensaje, "integer overflow") || ContieneAscii(mensaje, "datatype mismatch"))
        return ClaseFalla::Conversion;
    return ClaseFalla::Otra;
}

}  // namespace

ClaseFalla ClasificarFallaOdbc(const std::string& estadoSql, long nativo,
                               const std::string& mensaje, Dialecto dialecto) {
    // Native codes first: they are exact where SQL states are shared by several failures.
    if (dialecto == Dialecto::Sqlite) {
        const ClaseFalla c = ClaseSqlite(nativo, mensaje);
        if (c != ClaseFalla::Otra) return c;
    } else {
        const auto& tabla =
            dialecto == Dialecto::Oracle ? std::begin(kOracle) : std::begin(kSqlServer);
        const auto& fin = dialecto == Dialecto::Oracle ? std::end(kOracle) : std::end(kSqlServer);
        for (auto r = tabla; r != fin; ++r)
            if (r->nativo == nativo) return r->clase;
    }
    for (const ReglaEstado& r : kPorEstado)
        if (estadoSql.rfind(r.prefijo, 0) == 0) return r.clase;
    return ClaseFalla::Otra;
}

}  // namespace data
