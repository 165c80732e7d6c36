#include "Dialecto.h"

#include <set>
#include <string_view>
#include <vector>

#include "DialectoOracle.h"
#include "LexicoSql.h"
#include "SemanticaSqlite.h"
#include "Texto.h"

using namespace helperlib;

namespace data {

namespace {

using namespace data;
using Tipo = data::TipoToken;

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

/// Literals compared with an LTRIM(..)/RTRIM(..) call, on either side, and the second call of
/// two such calls compared with each other: SQLite drops a column's collation through a
/// function, so these comparisons must name the suite collation.
std::set<size_t> LiteralesAColacionar(const std::vector<Token>& t) {
    std::set<size_t> r;
    for (size_t i = 0; i < t.size(); ++i) {
        if (EsRecorte(t, i)) {
            const size_t cierre = CierreDe(t, Siguiente(t, i));
            const size_t op = Siguiente(t, cierre);
            if (op < t.size() && EsComparacion(t[op])) {
                const size_t lit = LiteralTras(t, op);
                const size_t otra = Siguiente(t, op);
                if (lit < t.size()) {
                    r.insert(lit);
                } else if (otra < t.size() && EsRecorte(t, otra)) {
                    // Two trimmed columns compared: the collation goes after the second call,
                    // so the comparison follows the suite's rules and can use an index on
                    // either trimmed expression.
                    const size_t fin = CierreDe(t, Siguiente(t, otra));
                    if (fin < t.size()) r.insert(fin);
                }
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

/// In "ALTER TABLE t ADD [COLUMN] c <text type>[(n)] ...", the last token of the text type: a
/// text column added to the schema compares like the others, with the suite collation. size()
/// when the statement is not such an addition.
size_t FinTipoTextoAgregado(const std::vector<Token>& t) {
    const size_t alter = Siguiente(t, static_cast<size_t>(-1));
    if (alter >= t.size() || !Es(t[alter], "ALTER")) return t.size();
    size_t i = Siguiente(t, alter);
    if (i >= t.size() || !Es(t[i], "TABLE")) return t.size();
    while (i < t.size() && !Es(t[i], "ADD")) i = Siguiente(t, i);
    i = Siguiente(t, i);
    if (i < t.size() && Es(t[i], "COLUMN")) i = Siguiente(t, i);
    const size_t tipo = Siguiente(t, i);  // after the column's name
    if (tipo >= t.size()) return t.size();
    bool texto = false;
    for (const char* x : {"VARCHAR", "NVARCHAR", "CHAR", "NCHAR", "TEXT", "NTEXT"})
        texto = texto || Es(t[tipo], x);
    if (!texto) return t.size();
    const size_t abre = Siguiente(t, tipo);
    if (abre < t.size() && EsSimbolo(t[abre], "(")) {
        const size_t cierre = CierreDe(t, abre);
        return cierre < t.size() ? cierre : t.size();
    }
    return tipo;
}

class AdaptadorSqlite {
  public:
    explicit AdaptadorSqlite(std::vector<Token> t)
        : t_(std::move(t)), colacion_(LiteralesAColacionar(t_)) {
        if (const size_t fin = FinTipoTextoAgregado(t_); fin < t_.size()) colacion_.insert(fin);
    }

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
            t_[i_ + 1].tipo == Tipo::Literal) {
            // N'..': SQLite texts are Unicode already. Right after another text the N leaves a
            // blank, so that the two texts do not fuse into one ('a'N'b' is not 'a''b').
            if (i_ > 0 && t_[i_ - 1].tipo == Tipo::Literal) out_ += " ";
            return;
        }
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
            if (colacion_.count(i_)) out_ += std::string(" COLLATE ") + kColacionSuite;
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
        // Never inside a text the statement leaves open (the engine reports it as it is).
        if (colacion_.count(i_) && !tk.abierto) out_ += std::string(" COLLATE ") + kColacionSuite;
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
        // A statement that ends inside an open text or comment gets nothing appended: it
        // would land inside it. The engine reports the statement as it stands.
        if (alFinal && !t_.empty() && t_.back().abierto) {
            n.clear();
            return;
        }
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
    if (destino == Dialecto::Oracle) return data::TraducirOracle(sql);
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

std::string QuitarMarcaFueraDeLiterales(const std::string& sql, std::string_view marca) {
    if (marca.empty() || !texto::ContieneSinCaso(sql, marca)) return sql;
    std::string r;
    r.reserve(sql.size());
    for (const Token& t : Tokenizar(sql)) {
        if (t.tipo == Tipo::Literal) {
            r += t.texto;
            continue;
        }
        const std::string sin = texto::ReemplazarSinCaso(t.texto, marca, "");
        // A token that was only the marker leaves a blank: its neighbours must not fuse into
        // one token ('a'@Admin_'b' is two texts, not the text a'b).
        r += sin.empty() && !t.texto.empty() ? " " : sin;
    }
    return r;
}

bool ContieneFueraDeLiterales(const std::string& sql, std::string_view marca) {
    if (marca.empty() || !texto::ContieneSinCaso(sql, marca)) return false;
    for (const Token& t : Tokenizar(sql))
        if (t.tipo != Tipo::Literal && texto::ContieneSinCaso(t.texto, marca)) return true;
    return false;
}
}  // namespace data
