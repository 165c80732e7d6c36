#pragma once
// The lexical rules of the suite server's dialect, shared by the rewrites of statements for
// other engines: enough to change a statement without ever touching the inside of a literal,
// a quoted name or a comment.
#include <string>
#include <string_view>
#include <vector>

namespace data {

enum class TipoToken { Blanco, Comentario, Literal, Citado, Corchete, Nombre, Numero, Simbolo };

struct Token {
    TipoToken tipo;
    std::string texto;
    bool abierto = false;  ///< a literal, quoted name or comment the text ends before closing
};

/// The statement cut into tokens; joining their texts gives the statement back exactly. An
/// unterminated literal or quoted name runs to the end of the text.
std::vector<Token> Tokenizar(std::string_view s);

/// A name token equal to `palabra` (case ignored).
bool Es(const Token& t, std::string_view palabra);
bool EsSimbolo(const Token& t, std::string_view s);
/// =, <>, !=, <, >, <=, >=.
bool EsComparacion(const Token& t);
/// Index of the next token after `i` that is neither blank nor comment (size() when none).
size_t Siguiente(const std::vector<Token>& t, size_t i);
/// Index of the ")" that closes the "(" at `i` (size() when unbalanced).
size_t CierreDe(const std::vector<Token>& t, size_t i);
/// When `i` starts a table hint "WITH ( hint [, hint] )", the index of its ")"; else 0.
size_t FinDePistas(const std::vector<Token>& t, size_t i);
/// `nombre` between double quotes (inner double quotes doubled).
std::string CitarNombre(std::string_view nombre);
/// The name inside [..] or ".." (delimiters removed, doubled closers undone); other tokens as
/// they are.
std::string NombreSinDelimitar(const Token& t);
bool EsNombreObjeto(const Token& t);
/// A "dbo" owner followed by "." at `i`.
bool EsDbo(const std::vector<Token>& t, size_t i);
/// "TOP n" or "TOP (n)" right after the SELECT at `i` (DISTINCT/ALL allowed between): sets
/// `top` to the index of TOP, `fin` to its last token, `n` to the count ("" for TOP 100
/// PERCENT, which limits nothing).
bool LeerTop(const std::vector<Token>& t, size_t i, size_t& top, size_t& fin, std::string& n);

/// A statement cut at its text literals: `partes` are the texts between them (one more than
/// the literals), `valores` the literals' values (doubled apostrophes undone), in order. What
/// is not a literal (names in quotes or brackets, comments) stays in the parts as it is, so the
/// parts are the same for two statements that differ only in their literals' values. False
/// when there is no literal or the cut would not be exact: a literal glued to a name (N'..',
/// x'..') or to another literal, something left unterminated, a NUL character.
bool CortarLiterales(std::string_view sql, std::vector<std::string>& partes,
                     std::vector<std::string>& valores);

/// The reverse of CortarLiterales: `partes` with `valores` set between them as text literals
/// (apostrophes doubled), into `sql`. `partes` holds one more element than `valores`.
void CoserLiterales(const std::vector<std::string>& partes, const std::vector<std::string>& valores,
                    std::string& sql);

}  // namespace data
