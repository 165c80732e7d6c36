// The ODBC driver manager (unixODBC, libodbc.so.2) is not linked into the program: it is
// loaded the first time one of its functions is called, that is when an ODBC connection is
// first opened. A session on the embedded engine never maps it nor resolves its symbols.
//
// Each function the ODBC engine uses is defined here with the driver manager's own
// signature and hands its arguments to the driver manager's function of the same name. The
// definitions are hidden: they bind the program's own calls and are never exported, so they
// cannot stand in for the driver manager's or a driver's functions of the same names.
//
// When the driver manager cannot be loaded every function answers SQL_ERROR (SQL_INVALID_HANDLE
// for the calls that free or read a handle), and the first step of a connection, reserving the
// ODBC environment, fails with the engine's own message about unixODBC.
#include "OdbcDiferido.h"

#include <dlfcn.h>
#include <sql.h>
#include <sqlext.h>

namespace data {
namespace {

constexpr const char* kBibliotecaOdbc = "libodbc.so.2";

/// The driver manager, loaded at the first call. It stays loaded for the life of the process,
/// as a linked library would: ODBC handles may be freed by objects destroyed during the
/// process's exit, after any static owner of the library would have unloaded it.
void* Biblioteca() {
    static void* const manija = dlopen(kBibliotecaOdbc, RTLD_NOW | RTLD_GLOBAL);
    return manija;
}

/// Calls the driver manager's function `nombre`, whose type is that of `Propia` (this file's
/// definition of the same name); `sinBiblioteca` when the driver manager or the function is
/// missing. The address is looked up once per function.
template <auto Propia, typename... Args>
SQLRETURN Llamar(const char* nombre, SQLRETURN sinBiblioteca, Args... args) {
    using Funcion = decltype(Propia);
    static const auto real =
        reinterpret_cast<Funcion>(Biblioteca() ? dlsym(Biblioteca(), nombre) : nullptr);
    return real ? real(args...) : sinBiblioteca;
}

}  // namespace

bool OdbcCargado() {
    // A handle obtained without loading still counts as a reference: it is given back at once.
    void* manija = dlopen(kBibliotecaOdbc, RTLD_NOW | RTLD_NOLOAD);
    if (manija) dlclose(manija);
    return manija != nullptr;
}

}  // namespace data

#define ODBC_DIFERIDO(nombre, sinBiblioteca, ...) \
    return data::Llamar<&nombre>(#nombre, sinBiblioteca, __VA_ARGS__)

#pragma GCC visibility push(hidden)
extern "C" {

SQLRETURN SQL_API SQLAllocHandle(SQLSMALLINT tipo, SQLHANDLE padre, SQLHANDLE* manija) {
    ODBC_DIFERIDO(SQLAllocHandle, SQL_ERROR, tipo, padre, manija);
}

SQLRETURN SQL_API SQLFreeHandle(SQLSMALLINT tipo, SQLHANDLE manija) {
    ODBC_DIFERIDO(SQLFreeHandle, SQL_INVALID_HANDLE, tipo, manija);
}

SQLRETURN SQL_API SQLSetEnvAttr(SQLHENV env, SQLINTEGER atributo, SQLPOINTER valor,
                                SQLINTEGER largo) {
    ODBC_DIFERIDO(SQLSetEnvAttr, SQL_ERROR, env, atributo, valor, largo);
}

SQLRETURN SQL_API SQLSetConnectAttr(SQLHDBC dbc, SQLINTEGER atributo, SQLPOINTER valor,
                                    SQLINTEGER largo) {
    ODBC_DIFERIDO(SQLSetConnectAttr, SQL_ERROR, dbc, atributo, valor, largo);
}

SQLRETURN SQL_API SQLGetConnectAttr(SQLHDBC dbc, SQLINTEGER atributo, SQLPOINTER valor,
                                    SQLINTEGER largo, SQLINTEGER* largoValor) {
    ODBC_DIFERIDO(SQLGetConnectAttr, SQL_ERROR, dbc, atributo, valor, largo, largoValor);
}

SQLRETURN SQL_API SQLSetStmtAttr(SQLHSTMT stmt, SQLINTEGER atributo, SQLPOINTER valor,
                                 SQLINTEGER largo) {
    ODBC_DIFERIDO(SQLSetStmtAttr, SQL_ERROR, stmt, atributo, valor, largo);
}

SQLRETURN SQL_API SQLDriverConnect(SQLHDBC dbc, SQLHWND ventana, SQLCHAR* cadena,
                                   SQLSMALLINT largoCadena, SQLCHAR* completa,
                                   SQLSMALLINT largoCompleta, SQLSMALLINT* largoCompletaDevuelta,
                                   SQLUSMALLINT pedido) {
    ODBC_DIFERIDO(SQLDriverConnect, SQL_ERROR, dbc, ventana, cadena, largoCadena, completa,
                  largoCompleta, largoCompletaDevuelta, pedido);
}

SQLRETURN SQL_API SQLDisconnect(SQLHDBC dbc) {
    ODBC_DIFERIDO(SQLDisconnect, SQL_INVALID_HANDLE, dbc);
}

SQLRETURN SQL_API SQLGetInfo(SQLHDBC dbc, SQLUSMALLINT tipo, SQLPOINTER valor, SQLSMALLINT largo,
                             SQLSMALLINT* largoValor) {
    ODBC_DIFERIDO(SQLGetInfo, SQL_ERROR, dbc, tipo, valor, largo, largoValor);
}

SQLRETURN SQL_API SQLGetDiagRec(SQLSMALLINT tipo, SQLHANDLE manija, SQLSMALLINT registro,
                                SQLCHAR* estado, SQLINTEGER* nativo, SQLCHAR* mensaje,
                                SQLSMALLINT largo, SQLSMALLINT* largoMensaje) {
    ODBC_DIFERIDO(SQLGetDiagRec, SQL_INVALID_HANDLE, tipo, manija, registro, estado, nativo,
                  mensaje, largo, largoMensaje);
}

SQLRETURN SQL_API SQLEndTran(SQLSMALLINT tipo, SQLHANDLE manija, SQLSMALLINT final) {
    ODBC_DIFERIDO(SQLEndTran, SQL_ERROR, tipo, manija, final);
}

SQLRETURN SQL_API SQLExecDirect(SQLHSTMT stmt, SQLCHAR* texto, SQLINTEGER largo) {
    ODBC_DIFERIDO(SQLExecDirect, SQL_ERROR, stmt, texto, largo);
}

SQLRETURN SQL_API SQLPrepare(SQLHSTMT stmt, SQLCHAR* texto, SQLINTEGER largo) {
    ODBC_DIFERIDO(SQLPrepare, SQL_ERROR, stmt, texto, largo);
}

SQLRETURN SQL_API SQLExecute(SQLHSTMT stmt) { ODBC_DIFERIDO(SQLExecute, SQL_ERROR, stmt); }

SQLRETURN SQL_API SQLBindParameter(SQLHSTMT stmt, SQLUSMALLINT numero, SQLSMALLINT sentido,
                                   SQLSMALLINT tipoC, SQLSMALLINT tipoSql, SQLULEN tamano,
                                   SQLSMALLINT decimales, SQLPOINTER valor, SQLLEN largo,
                                   SQLLEN* indicador) {
    ODBC_DIFERIDO(SQLBindParameter, SQL_ERROR, stmt, numero, sentido, tipoC, tipoSql, tamano,
                  decimales, valor, largo, indicador);
}

SQLRETURN SQL_API SQLNumResultCols(SQLHSTMT stmt, SQLSMALLINT* columnas) {
    ODBC_DIFERIDO(SQLNumResultCols, SQL_ERROR, stmt, columnas);
}

SQLRETURN SQL_API SQLDescribeCol(SQLHSTMT stmt, SQLUSMALLINT columna, SQLCHAR* nombre,
                                 SQLSMALLINT largo, SQLSMALLINT* largoNombre, SQLSMALLINT* tipo,
                                 SQLULEN* tamano, SQLSMALLINT* decimales, SQLSMALLINT* nulos) {
    ODBC_DIFERIDO(SQLDescribeCol, SQL_ERROR, stmt, columna, nombre, largo, largoNombre, tipo,
                  tamano, decimales, nulos);
}

SQLRETURN SQL_API SQLFetch(SQLHSTMT stmt) { ODBC_DIFERIDO(SQLFetch, SQL_ERROR, stmt); }

SQLRETURN SQL_API SQLGetData(SQLHSTMT stmt, SQLUSMALLINT columna, SQLSMALLINT tipoC,
                             SQLPOINTER valor, SQLLEN largo, SQLLEN* indicador) {
    ODBC_DIFERIDO(SQLGetData, SQL_ERROR, stmt, columna, tipoC, valor, largo, indicador);
}

SQLRETURN SQL_API SQLRowCount(SQLHSTMT stmt, SQLLEN* filas) {
    ODBC_DIFERIDO(SQLRowCount, SQL_ERROR, stmt, filas);
}

SQLRETURN SQL_API SQLMoreResults(SQLHSTMT stmt) { ODBC_DIFERIDO(SQLMoreResults, SQL_ERROR, stmt); }

SQLRETURN SQL_API SQLTables(SQLHSTMT stmt, SQLCHAR* catalogo, SQLSMALLINT largoCatalogo,
                            SQLCHAR* esquema, SQLSMALLINT largoEsquema, SQLCHAR* tabla,
                            SQLSMALLINT largoTabla, SQLCHAR* tipos, SQLSMALLINT largoTipos) {
    ODBC_DIFERIDO(SQLTables, SQL_ERROR, stmt, catalogo, largoCatalogo, esquema, largoEsquema, tabla,
                  largoTabla, tipos, largoTipos);
}

SQLRETURN SQL_API SQLColumns(SQLHSTMT stmt, SQLCHAR* catalogo, SQLSMALLINT largoCatalogo,
                             SQLCHAR* esquema, SQLSMALLINT largoEsquema, SQLCHAR* tabla,
                             SQLSMALLINT largoTabla, SQLCHAR* columna, SQLSMALLINT largoColumna) {
    ODBC_DIFERIDO(SQLColumns, SQL_ERROR, stmt, catalogo, largoCatalogo, esquema, largoEsquema,
                  tabla, largoTabla, columna, largoColumna);
}

}  // extern "C"
#pragma GCC visibility pop
