#pragma once
// Statements of the suite server's dialect rewritten for Oracle, and the splitting of a server
// style script into the statements that run one by one on Oracle. Pure text work.
#include <array>
#include <string>
#include <string_view>
#include <vector>

namespace data {

/// Columns whose values the Oracle rewriting treats as dates, in the suite's list order (86
/// entries; FECHAENTREGA appears twice, and two names are written with their double quotes).
extern const std::array<std::string_view, 86> kColumnasFechaOracle;

/// The words that start a statement of a script, in the order they are looked for.
inline constexpr std::array<std::string_view, 12> kPalabrasGuionOracle = {
    "INSERT ",         "DELETE ", "UPDATE ",  "CREATE ",      "DROP ",    "ALTER ",
    "SET TRANSACTION", "COMMIT",  "ROLLBACK", "IF NOT EXIST", "IF EXIST", "GRANT "};

/// The statement in Oracle dialect. Rewrites, never inside literals, quoted names or comments:
///  - "TOP n" leaves the select list: a query without GROUP BY, ORDER BY or DISTINCT gains
///    " WHERE ROWNUM <= n" (" AND ROWNUM <= n" after its own condition, which is put between
///    parentheses when it has an OR of its own); one with any of them is read as an inline
///    view, "SELECT * FROM (...) WHERE ROWNUM <= n", so that the limit counts the sorted or
///    grouped rows as the server's TOP does;
///    "TOP 100 PERCENT" just goes;
///  - LEN, ISNULL, SUBSTRING, GETDATE() become LENGTH, NVL, SUBSTR, SYSDATE;
///    CHARINDEX(a, b[, n]) becomes INSTR(b, a[, n]) (Oracle takes the searched text first);
///    CONVERT(<text type>, x[, 103]) becomes TO_CHAR(x[, 'DD/MM/YYYY']) and CONVERT(<number
///    type>, x) TO_NUMBER(x);
///  - [names] become "names"; lock hints such as with(nolock) and the "dbo." owner go; a "+"
///    next to a text literal becomes "||";
///  - a comparison (or BETWEEN) on a column of kColumnasFechaOracle compares
///    TO_DATE(TO_CHAR(col,'DD/MM/YYYY'),'DD/MM/YYYY') with TO_DATE('dd/mm/yyyy','DD/MM/YYYY')
///    for a quoted text that is a valid date; a valid date written into such a column (INSERT
///    values, UPDATE SET) becomes TO_DATE with its time of day kept;
///  - after WHERE, "= ''" becomes " IS NULL " and "<> ''" " IS NOT NULL " (Oracle stores an
///    empty text as Null).
/// A statement of fewer than two words only has LEN turned into LENGTH. Translating a
/// translated statement changes nothing. Never throws for any input.
std::string TraducirOracle(const std::string& sql);

/// A server style script prepared for Oracle: "SET NOCOUNT ON/OFF" removed; "GO" separators
/// and line breaks become blanks; BEGIN/COMMIT/ROLLBACK TRAN[S[ACTION]] become "SET
/// TRANSACTION", "COMMIT" and "ROLLBACK". Literals are left as written.
std::string NormalizarGuionOracle(const std::string& guion);

/// The normalised script cut into its statements, in order, trimmed and without a closing
/// ";". A statement starts at each word of kPalabrasGuionOracle found outside literals, unless
/// that word continues a clause of the statement before it (ON DELETE, ON UPDATE, FOR UPDATE,
/// ALTER TABLE .. DROP ..); text before the first such word is a statement of its own.
std::vector<std::string> PartirGuionOracle(const std::string& guion);

}  // namespace data
