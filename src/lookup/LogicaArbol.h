#pragma once
// The tree window's rules that need the database but no widget: the family statement and the
// choice of builder, the statement of a new database search (F5), reading a source's rows, and
// the values Aceptar returns for a picked or checked code.
#include <optional>
#include <string>
#include <vector>

#include "ArbolCodigos.h"

namespace data {
class DB_Dll;
class Recordset;
}  // namespace data

namespace lookup {

/// The statement of the family tree: each family with its parent code in the column
/// `relative` (the greatest code that sorts before it and is shorter), ordered by code.
extern const std::string kSentenciaFamilias;

/// True when the window's statement names the family view ("v_ta_familias", any case): the
/// tree is then built from kSentenciaFamilias with parents from the database.
bool EsArbolFamilias(const std::string& sql);

/// The statement of a new database search with the text of the search box: the condition
/// "Descripcion like '%<text>%' " joined with " and " when the statement has "where" (any
/// case), else with " where ", and placed before its "order by" (or "group by") when it has
/// one. Apostrophes in the text are doubled, so a typed value never breaks the statement.
std::string SentenciaBusquedaArbol(const std::string& sql, const std::string& textoCaja);

/// The rows of an open result, from its current row to the end: code = first column,
/// description = second (Null gives ""), and with `conPariente` the column "relative".
/// Throws ErrorEjecucion when the result has fewer columns.
std::vector<FilaArbol> LeerFilasArbol(data::Recordset& rs, bool conPariente);

/// What Aceptar returns for the picked code by `campoDevuelto` (case ignored): "IDFAMILIA"
/// looks the code up in "@admin_V_TA_FAMILIAS", "IDPOSICION" in "MA_POSICIONES", "CODIGO" in
/// "TA_CCOSTO" and then in "MA_CUENTAS"; the found row's value of that field as text, or ""
/// when the code is in none. nullopt (nothing returned) for any other field name.
std::optional<std::string> ValorDeCodigo(data::DB_Dll& db, const std::string& campoDevuelto,
                                         const std::string& codigo);

/// What Aceptar adds to Valores for a checked code: the trimmed code for "IDFAMILIA" and
/// "CODIGO", the IDPOSICION of the matching "MA_POSICIONES" row for "IDPOSICION"; nullopt
/// (nothing added) when that row does not exist and for any other field name.
std::optional<std::string> ValorDeMarcado(data::DB_Dll& db, const std::string& campoDevuelto,
                                          const std::string& codigo);

}  // namespace lookup
