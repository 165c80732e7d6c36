#pragma once
// Statements are written in the suite server's dialect (brackets, TOP n, with(nolock),
// "DELETE table WHERE", LTRIM(RTRIM(..)) comparisons). This adapts a statement to the engine
// actually connected; for SQL Server it is the identity.
#include <string>
#include <string_view>

#include "Motor.h"

namespace data {

/// The statement rewritten for `destino`. For SQLite: "TOP n" becomes a trailing "LIMIT n"
/// (of its own SELECT, also inside parentheses), table hints such as with(nolock) and "dbo."
/// prefixes go, "DELETE t WHERE" gains FROM, [bracket names] become "quoted names", N'..'
/// literals lose the N, a "+" next to a text literal becomes "||", ISNULL/LEFT/RIGHT calls take the
/// registered names, "BEGIN TRAN" becomes "BEGIN IMMEDIATE TRANSACTION", and a comparison of
/// LTRIM(..)/RTRIM(..) with a literal names the suite collation so that it ignores case and
/// trailing blanks as the server does, as does a text column added by ALTER TABLE .. ADD.
/// Text inside literals is never touched.
/// Oracle: the Oracle rewriting (DialectoOracle.h). SQL Server: the statement as given. Never
/// throws for any input.
std::string AdaptarSentencia(const std::string& sql, Dialecto destino);

/// The table of a single-table query "SELECT ... FROM <table> [hints] [WHERE ...]", without
/// brackets, quotes or "dbo."; "" when the statement is not such a query (joins, several
/// tables, a sub-query as source).
std::string TablaDeConsulta(const std::string& sql);

/// The statement with every `marca` (letter case ignored) removed outside text literals: what
/// stands between apostrophes never changes, so a value that happens to hold the marker keeps
/// it; a token that was only the marker leaves a blank, so that its neighbours stay apart.
/// Never throws.
std::string QuitarMarcaFueraDeLiterales(const std::string& sql, std::string_view marca);
/// Whether `marca` (letter case ignored) occurs outside text literals.
bool ContieneFueraDeLiterales(const std::string& sql, std::string_view marca);
}  // namespace data
