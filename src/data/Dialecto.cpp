#include "Dialecto.h"

#include <set>
#include <string_view>
#include <vector>

#include "SemanticaSqlite.h"
#include "Texto.h"

namespace {

// ---------------------------------------------------------------------------------------------
// Tokens: enough of the server's lexical rules to rewrite statements without ever touching
// the inside of a literal, a quoted name or a comment.

enum class Tipo { Blanco, Comentario, Literal, Citado, Corchete, Nombre, Numero, Simbolo };

struct Token {
    Tipo tipo;
    std::string texto;
};

bool EsInicioNombre(unsigned char c) {
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || c == '_' || c == '@' || c == '#' ||
           c >= 0x80;
}
bool EsParteNombre(unsigned char c) {
    return EsInicioNombre(c) || (c >= '0' && c <= '9') || c == '$';
}
bool EsDigito(unsigned char c) { return c >= '0' && c <= '9'; }
bool EsBlanco(unsigned char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; }

/// Length of a delimited token starting at `i` (closing delimiter doubled inside it); an
/// unterminated one runs to the end of the text.
size_t LargoDelimitado(std::string_view s, size_t i, char cierre) {
    size_t j = i + 1;
    while (j < s.size()) {
        if (s[j] == cierre) {
            if (j + 1 < s.size() && s[j + 1] == cierre) {
                j += 2;
                continue;
            }
            return j + 1 - i;
        }
        ++j;
    }
    return s.size() - i;
}

std::vector<Token> Tokenizar(std::string_view s) {
    std::vector<Token> t;
    size_t i = 0;
    while (i < s.size()) {
        const auto c = static_cast<unsigned char>(s[i]);
        size_t n = 1;
        Tipo tipo = Tipo::Simbolo;
        if (EsBlanco(c)) {
            while (i + n < s.size() && EsBlanco(static_cast<unsigned char>(s[i + n]))) ++n;
            tipo = Tipo::Blanco;
        } else if (c == '-' && i + 1 < s.size() && s[i + 1] == '-') {
            const auto fin = s.find('\n', i);
            n = (fin == std::string_view::npos ? s.size() : fin) - i;
            tipo = Tipo::Comentario;
        } else if (c == '/' && i + 1 < s.size() && s[i + 1] == '*') {
            const auto fin = s.find("*/", i + 2);
            n = (fin == std::string_view::npos ? s.size() : fin + 2) - i;
            tipo = Tipo::Comentario;
        } else if (c == '\'') {
            n = LargoDelimitado(s, i, '\'');
            tipo = Tipo::Literal;
        } else if (c == '"') {
            n = LargoDelimitado(s, i, '"');
            tipo = Tipo::Citado;
        } else if (c == '[') {
            n = LargoDelimitado(s, i, ']');
            tipo = Tipo::Corchete;
        } else if (EsInicioNombre(c)) {
            while (i + n < s.size() && EsParteNombre(static_cast<unsigned char>(s[i + n]))) ++n;
            tipo = Tipo::Nombre;
        } else if (EsDigito(c)) {
            while (i + n < s.size() &&
                   (EsParteNombre(static_cast<unsigned char>(s[i + n])) || s[i + n] == '.'))
                ++n;
            tipo = Tipo::Numero;
        } else if ((c == '<' || c == '>' || c == '!' || c == '=') && i + 1 < s.size() &&
                   (s[i + 1] == '=' || (c == '<' && s[i + 1] == '>'))) {
            n = 2;
        }
        t.push_back({tipo, std::string(s.substr(i, n))});
        i += n;
    }
    return t;
}

bool Es(const Token& t, std::string_view palabra) {
    return t.tipo == Tipo::Nombre && texto::IgualesSinCaso(t.texto, palabra);
}
bool EsSimbolo(const Token& t, std::string_view s) {
    return t.tipo == Tipo::Simbolo && t.texto == s;
}
bool EsComparacion(const Token& t) {
    static const std::set<std::string> ops = {"=", "<>", "!=", "<", ">", "<=", ">="};
    return t.tipo == Tipo::Simbolo && ops.count(t.texto) > 0;
}

/// Index of the next token after `i` that is neither blank nor comment (size() when none).
size_t Siguiente(const std::vector<Token>& t, size_t i) {
    for (size_t j = i + 1; j < t.size(); ++j)
        if (t[j].tipo != Tipo::Blanco && t[j].tipo != Tipo::Comentario) return j;
    return t.size();
}

/// Index of the ")" that closes the "(" at `i` (size() when unbalanced).
size_t CierreDe(const std::vector<Token>& t, size_t i) {
    int nivel = 0;
    for (size_t j = i; j < t.size(); ++j) {
        if (EsSimbolo(t[j], "(")) ++nivel;
        if (EsSimbolo(t[j], ")") && --nivel == 0) return j;
    }
    return t.size();
}

bool EsPista(const Token& t) {
    static const char* const pistas[] = {
        "NOLOCK",          "ROWLOCK",       "UPDLOCK",      "HOLDLOCK",      "PAGLOCK",
        "TABLOCK",         "TABLOCKX",      "XLOCK",        "READPAST",      "NOWAIT",
        "READUNCOMMITTED", "READCOMMITTED", "SERIALIZABLE", "REPEATABLEREAD"};
    for (const char* p : pistas)
        if (Es(t, p)) return true;
    return false;
}

/// When `i` starts a table hint "WITH ( hint [, hint] )", the index of its ")"; else 0.
size_t FinDePistas(const std::vector<Token>& t, size_t i) {
    if (!Es(t[i], "WITH")) return 0;
    size_t j = Siguiente(t, i);
    if (j >= t.size() || !EsSimbolo(t[j], "(")) return 0;
    bool alguna = false;
    for (j = Siguiente(t, j); j < t.size(); j = Siguiente(t, j)) {
        if (EsSimbolo(t[j], ")")) return alguna ? j : 0;
        if (EsPista(t[j]))
            alguna = true;
        else if (!EsSimbolo(t[j], ","))
            return 0;
    }
    return 0;
}

/// The literal compared at `op` (a comparison operator), skipping an N prefix; size() when
/// the other side is not a literal.
size_t LiteralTras(const std::vector<Token>& t, size_t op) {
    size_t j = Siguiente(t, op);
    if (j < t.size() && Es(t[j], "N") && j + 1 < t.size() && t[j + 1].tipo == Tipo::Literal) ++j;
    return (j < t.size() && t[j].tipo == Tipo::Literal) ? j : t.size();
}

bool EsRecorte(const std::vector<Token>& t, size_t i) {
    if (!(Es(t[i], "LTRIM") || Es(t[i], "RTRIM"))) return false;
    const size_t j = Siguiente(t, i);
    return j < t.size() && EsSimbolo(t[j], "(");
}

/// Literals compared with an LTRIM(..)/RTRIM(..) call, on either side: SQLite drops a column's
/// collation through a function, so these comparisons must name the suite collation.
std::set<size_t> LiteralesAColacionar(const std::vector<Token>& t) {
    std::set<size_t> r;
    for (size_t i = 0; i < t.size(); ++i) {
        if (EsRecorte(t, i)) {
            const size_t cierre = CierreDe(t, Siguiente(t, i));
            const size_t op = Siguiente(t, cierre);
            if (op < t.size() && EsComparacion(t[op])) {
                const size_t lit = LiteralTras(t, op);
                if (lit < t.size()) r.insert(lit);
            }
        } else if (t[i].tipo == Tipo::Literal) {
            const size_t op = Siguiente(t, i);
            if (op >= t.size() || !EsComparacion(t[op])) continue;
            const size_t otro = Siguiente(t, op);
            if (otro < t.size() && EsRecorte(t, otro)) r.insert(i);
        }
    }
    // A literal that already names a collation keeps it.
    for (auto it = r.begin(); it != r.end();) {
        const size_t j = Siguiente(t, *it);
        it = (j < t.size() && Es(t[j], "COLLATE")) ? r.erase(it) : std::next(it);
    }
    return r;
}

std::string CitarNombre(std::string_view nombre) {
    return "\"" + texto::Reemplazar(nombre, "\"", "\"\"") + "\"";
}

/// The name inside [..] or ".." (delimiters removed, doubled closers undone).
std::string NombreSinDelimitar(const Token& t) {
    if (t.tipo == Tipo::Corchete) {
        const bool cerrado = t.texto.size() >= 2 && t.texto.back() == ']';
        return texto::Reemplazar(t.texto.substr(1, t.texto.size() - (cerrado ? 2 : 1)), "]]", "]");
    }
    if (t.tipo == Tipo::Citado) {
        const bool cerrado = t.texto.size() >= 2 && t.texto.back() == '"';
        return texto::Reemplazar(t.texto.substr(1, t.texto.size() - (cerrado ? 2 : 1)), "\"\"",
                                 "\"");
    }
    return t.texto;
}

bool EsNombreObjeto(const Token& t) {
    return t.tipo == Tipo::Nombre || t.tipo == Tipo::Corchete || t.tipo == Tipo::Citado;
}

bool EsDbo(const std::vector<Token>& t, size_t i) {
    const bool dbo =
        (t[i].tipo == Tipo::Nombre || t[i].tipo == Tipo::Corchete || t[i].tipo == Tipo::Citado) &&
        texto::IgualesSinCaso(NombreSinDelimitar(t[i]), "dbo");
    return dbo && i + 1 < t.size() && EsSimbolo(t[i + 1], ".");
}

/// "TOP n" or "TOP (n)" right after the SELECT at `i` (DISTINCT/ALL allowed between): sets
/// `top` to the index of TOP, `fin` to its last token, `n` to the count ("" for TOP 100
/// PERCENT, which limits nothing).
bool LeerTop(const std::vector<Token>& t, size_t i, size_t& top, size_t& fin, std::string& n) {
    top = Siguiente(t, i);
    if (top < t.size() && (Es(t[top], "DISTINCT") || Es(t[top], "ALL"))) top = Siguiente(t, top);
    if (top >= t.size() || !Es(t[top], "TOP")) return false;
    size_t j = Siguiente(t, top);
    if (j < t.size() && t[j].tipo == Tipo::Numero) {
        fin = j;
    } else if (j < t.size() && EsSimbolo(t[j], "(")) {
        const size_t num = Siguiente(t, j);
        fin = Siguiente(t, num);
        if (num >= t.size() || t[num].tipo != Tipo::Numero || fin >= t.size() ||
            !EsSimbolo(t[fin], ")"))
            return false;
        j = num;
    } else {
        return false;
    }
    const size_t despues = Siguiente(t, fin);
    if (despues < t.size() && Es(t[despues], "PERCENT")) {
        // TOP 100 PERCENT keeps every row (the server's way of allowing an ORDER BY in a
        // subquery or view): it goes with no limit. Other percentages are left alone.
        if (t[j].texto != "100") return false;
        fin = despues;
        n.clear();
        return true;
    }
    if (despues < t.size() && Es(t[despues], "WITH")) return false;
    n = t[j].texto;
    return true;
}

/// Server functions whose names are keywords of SQLite's grammar ("x ISNULL", LEFT JOIN):
/// called as functions, they go by the names registered on the connection.
const char* FuncionRenombrada(const std::vector<Token>& t, size_t i) {
    if (t[i].tipo != Tipo::Nombre) return nullptr;
    const size_t j = Siguiente(t, i);
    if (j >= t.size() || !EsSimbolo(t[j], "(")) return nullptr;
    if (Es(t[i], "ISNULL")) return "IFNULL";
    if (Es(t[i], "LEFT")) return "SUITE_LEFT";
    if (Es(t[i], "RIGHT")) return "SUITE_RIGHT";
    return nullptr;
}

class AdaptadorSqlite {
  public:
    explicit AdaptadorSqlite(std::vector<Token> t)
        : t_(std::move(t)), colacion_(LiteralesAColacionar(t_)) {}

    std::string Resultado() {
        limites_.push_back("");
        for (i_ = 0; i_ < t_.size(); ++i_) Paso();
        CerrarLimite(true);
        return out_;
    }

  private:
    void Paso() {
        const Token& tk = t_[i_];
        if (i_ == insertarFrom_) out_ += "FROM ";
        if (tk.tipo == Tipo::Nombre && tk.texto.size() == 1 && Es(tk, "N") && i_ + 1 < t_.size() &&
            t_[i_ + 1].tipo == Tipo::Literal)
            return;  // N'..': SQLite texts are Unicode already
        if (EsDbo(t_, i_)) {
            ++i_;  // the "." goes too
            return;
        }
        if (const size_t fin = FinDePistas(t_, i_)) {
            i_ = fin;
            return;
        }
        if (tk.tipo == Tipo::Corchete) {
            out_ += CitarNombre(NombreSinDelimitar(tk));
            return;
        }
        if (EsSimbolo(tk, "(")) {
            out_ += tk.texto;
            limites_.push_back("");
            return;
        }
        if (EsSimbolo(tk, ")")) {
            if (limites_.size() > 1) {
                CerrarLimite(false);
                limites_.pop_back();
            }
            out_ += tk.texto;
            return;
        }
        if (EsSimbolo(tk, ";")) {
            CerrarLimite(false);
            out_ += tk.texto;
            return;
        }
        if (Es(tk, "SELECT")) return Select();
        if (Es(tk, "DELETE")) {
            const size_t j = Siguiente(t_, i_);
            if (j < t_.size() && EsNombreObjeto(t_[j]) && !Es(t_[j], "FROM")) insertarFrom_ = j;
        }
        if (Es(tk, "BEGIN") || Es(tk, "COMMIT") || Es(tk, "ROLLBACK")) return Transaccion();
        if (EsSimbolo(tk, "+") && JuntaTextos()) {
            out_ += "||";
            return;
        }
        if (const char* otro = FuncionRenombrada(t_, i_)) {
            out_ += otro;
            return;
        }
        out_ += tk.texto;
        if (colacion_.count(i_)) out_ += std::string(" COLLATE ") + kColacionSuite;
    }

    /// The server joins texts with "+"; SQLite adds them as numbers. Without types at hand,
    /// a "+" next to a text literal is taken as a join ('A' + NOMBRE, CODIGO + '-').
    bool JuntaTextos() const {
        size_t antes = i_;
        while (antes > 0 &&
               (t_[antes - 1].tipo == Tipo::Blanco || t_[antes - 1].tipo == Tipo::Comentario))
            --antes;
        const size_t despues = Siguiente(t_, i_);
        return (antes > 0 && t_[antes - 1].tipo == Tipo::Literal) ||
               (despues < t_.size() && t_[despues].tipo == Tipo::Literal);
    }

    void Select() {
        out_ += t_[i_].texto;
        size_t top = 0, fin = 0;
        std::string n;
        if (!LeerTop(t_, i_, top, fin, n)) return;
        for (size_t j = i_ + 1; j < top; ++j) out_ += t_[j].texto;  // blanks, DISTINCT
        limites_.back() = n;
        i_ = fin;
        if (i_ + 1 < t_.size() && t_[i_ + 1].tipo == Tipo::Blanco) ++i_;  // one blank is kept
    }

    /// BEGIN TRAN[SACTION] takes the write lock at once, so that two processes saving the same
    /// data wait for each other instead of failing halfway; TRAN is spelled out.
    void Transaccion() {
        const size_t j = Siguiente(t_, i_);
        const bool tran = j < t_.size() && (Es(t_[j], "TRAN") || Es(t_[j], "TRANSACTION"));
        if (!tran) {
            out_ += t_[i_].texto;
            return;
        }
        out_ += Es(t_[i_], "BEGIN") ? "BEGIN IMMEDIATE TRANSACTION" : t_[i_].texto + " TRANSACTION";
        i_ = j;
    }

    void CerrarLimite(bool alFinal) {
        std::string& n = limites_.back();
        if (n.empty()) return;
        if (alFinal && !t_.empty() && t_.back().tipo == Tipo::Comentario &&
            t_.back().texto.rfind("--", 0) == 0)
            out_ += "\n";
        out_ += " LIMIT " + n;
        n.clear();
    }

    std::vector<Token> t_;
    std::set<size_t> colacion_;
    std::vector<std::string> limites_;  // pending LIMIT of the SELECT at each parenthesis level
    std::string out_;
    size_t i_ = 0;
    size_t insertarFrom_ = static_cast<size_t>(-1);
};

}  // namespace

std::string AdaptarSentencia(const std::string& sql, Dialecto destino) {
    if (destino != Dialecto::Sqlite) return sql;
    return AdaptadorSqlite(Tokenizar(sql)).Resultado();
}

std::string TablaDeConsulta(const std::string& sql) {
    const auto t = Tokenizar(sql);
    size_t i = Siguiente(t, static_cast<size_t>(-1));
    if (i >= t.size() || !Es(t[i], "SELECT")) return "";
    // FROM at the outer level.
    int nivel = 0;
    for (i = Siguiente(t, i); i < t.size(); i = Siguiente(t, i)) {
        if (EsSimbolo(t[i], "("))
            ++nivel;
        else if (EsSimbolo(t[i], ")"))
            --nivel;
        else if (nivel == 0 && Es(t[i], "FROM"))
            break;
    }
    i = Siguiente(t, i);
    if (i >= t.size() || !EsNombreObjeto(t[i])) return "";
    std::string tabla = NombreSinDelimitar(t[i]);
    for (size_t j = Siguiente(t, i); j < t.size() && EsSimbolo(t[j], ".");) {  // schema.table
        i = Siguiente(t, j);
        if (i >= t.size() || !EsNombreObjeto(t[i])) return "";
        tabla = NombreSinDelimitar(t[i]);
        j = Siguiente(t, i);
    }
    // What may follow a single table: an alias, hints, then the end or a clause keyword.
    i = Siguiente(t, i);
    if (i < t.size() && Es(t[i], "AS")) i = Siguiente(t, i);
    static const char* const clausulas[] = {"WHERE", "ORDER", "GROUP", "HAVING", "WITH", "LIMIT"};
    auto esClausula = [&](const Token& tk) {
        for (const char* c : clausulas)
            if (Es(tk, c)) return true;
        return false;
    };
    if (i < t.size() && EsNombreObjeto(t[i]) && !esClausula(t[i]) && !Es(t[i], "JOIN") &&
        !Es(t[i], "INNER") && !Es(t[i], "LEFT") && !Es(t[i], "RIGHT") && !Es(t[i], "CROSS") &&
        !Es(t[i], "FULL") && !Es(t[i], "UNION"))
        i = Siguiente(t, i);  // alias
    if (i < t.size()) {
        if (const size_t fin = FinDePistas(t, i)) i = Siguiente(t, fin);
    }
    if (i < t.size() && !EsSimbolo(t[i], ";") && !esClausula(t[i])) return "";
    for (nivel = 0; i < t.size(); i = Siguiente(t, i)) {  // no compound query after it
        if (EsSimbolo(t[i], "("))
            ++nivel;
        else if (EsSimbolo(t[i], ")"))
            --nivel;
        else if (nivel == 0 && (Es(t[i], "UNION") || Es(t[i], "EXCEPT") || Es(t[i], "INTERSECT")))
            return "";
    }
    return tabla;
}
