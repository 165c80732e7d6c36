#include "LexicoSql.h"

#include <algorithm>
#include <array>
#include <set>

#include "Texto.h"

using namespace helperlib;

namespace data {
namespace {

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
/// Whether a delimited token or a block comment runs to the end of the text without closing
/// ("'ab''" is still open: its last apostrophe is a doubled one).
bool Abierto(std::string_view tk, TipoToken tipo) {
    if (tipo == TipoToken::Comentario)
        return tk.rfind("/*", 0) == 0 && (tk.size() < 4 || tk.substr(tk.size() - 2) != "*/");
    if (tipo != TipoToken::Literal && tipo != TipoToken::Citado && tipo != TipoToken::Corchete)
        return false;
    const char cierre = tipo == TipoToken::Corchete ? ']' : tk[0];
    for (size_t k = 1; k < tk.size(); ++k) {
        if (tk[k] != cierre) continue;
        if (k + 1 < tk.size() && tk[k + 1] == cierre) {
            ++k;
            continue;
        }
        return k + 1 != tk.size();
    }
    return true;
}

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

}  // namespace

std::vector<Token> Tokenizar(std::string_view s) {
    std::vector<Token> t;
    size_t i = 0;
    while (i < s.size()) {
        const auto c = static_cast<unsigned char>(s[i]);
        size_t n = 1;
        TipoToken tipo = TipoToken::Simbolo;
        if (EsBlanco(c)) {
            while (i + n < s.size() && EsBlanco(static_cast<unsigned char>(s[i + n]))) ++n;
            tipo = TipoToken::Blanco;
        } else if (c == '-' && i + 1 < s.size() && s[i + 1] == '-') {
            const auto fin = s.find('\n', i);
            n = (fin == std::string_view::npos ? s.size() : fin) - i;
            tipo = TipoToken::Comentario;
        } else if (c == '/' && i + 1 < s.size() && s[i + 1] == '*') {
            const auto fin = s.find("*/", i + 2);
            n = (fin == std::string_view::npos ? s.size() : fin + 2) - i;
            tipo = TipoToken::Comentario;
        } else if (c == '\'') {
            n = LargoDelimitado(s, i, '\'');
            tipo = TipoToken::Literal;
        } else if (c == '"') {
            n = LargoDelimitado(s, i, '"');
            tipo = TipoToken::Citado;
        } else if (c == '[') {
            n = LargoDelimitado(s, i, ']');
            tipo = TipoToken::Corchete;
        } else if (EsInicioNombre(c)) {
            while (i + n < s.size() && EsParteNombre(static_cast<unsigned char>(s[i + n]))) ++n;
            tipo = TipoToken::Nombre;
        } else if (EsDigito(c)) {
            while (i + n < s.size() &&
                   (EsParteNombre(static_cast<unsigned char>(s[i + n])) || s[i + n] == '.'))
                ++n;
            tipo = TipoToken::Numero;
        } else if ((c == '<' || c == '>' || c == '!' || c == '=') && i + 1 < s.size() &&
                   (s[i + 1] == '=' || (c == '<' && s[i + 1] == '>'))) {
            n = 2;
        }
        t.push_back({tipo, std::string(s.substr(i, n)), Abierto(s.substr(i, n), tipo)});
        i += n;
    }
    return t;
}

bool Es(const Token& t, std::string_view palabra) {
    return t.tipo == TipoToken::Nombre && texto::IgualesSinCaso(t.texto, palabra);
}
bool EsSimbolo(const Token& t, std::string_view s) {
    return t.tipo == TipoToken::Simbolo && t.texto == s;
}
bool EsComparacion(const Token& t) {
    static const std::set<std::string> ops = {"=", "<>", "!=", "<", ">", "<=", ">="};
    return t.tipo == TipoToken::Simbolo && ops.count(t.texto) > 0;
}

/// Index of the next token after `i` that is neither blank nor comment (size() when none).
size_t Siguiente(const std::vector<Token>& t, size_t i) {
    for (size_t j = i + 1; j < t.size(); ++j)
        if (t[j].tipo != TipoToken::Blanco && t[j].tipo != TipoToken::Comentario) return j;
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

namespace {

bool EsPista(const Token& t) {
    static const char* const pistas[] = {
        "NOLOCK",          "ROWLOCK",       "UPDLOCK",      "HOLDLOCK",      "PAGLOCK",
        "TABLOCK",         "TABLOCKX",      "XLOCK",        "READPAST",      "NOWAIT",
        "READUNCOMMITTED", "READCOMMITTED", "SERIALIZABLE", "REPEATABLEREAD"};
    for (const char* p : pistas)
        if (Es(t, p)) return true;
    return false;
}

}  // namespace

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

std::string CitarNombre(std::string_view nombre) {
    return "\"" + texto::Reemplazar(nombre, "\"", "\"\"") + "\"";
}

/// The name inside [..] or ".." (delimiters removed, doubled closers undone).
std::string NombreSinDelimitar(const Token& t) {
    if (t.tipo == TipoToken::Corchete) {
        const bool cerrado = t.texto.size() >= 2 && t.texto.back() == ']';
        return texto::Reemplazar(t.texto.substr(1, t.texto.size() - (cerrado ? 2 : 1)), "]]", "]");
    }
    if (t.tipo == TipoToken::Citado) {
        const bool cerrado = t.texto.size() >= 2 && t.texto.back() == '"';
        return texto::Reemplazar(t.texto.substr(1, t.texto.size() - (cerrado ? 2 : 1)), "\"\"",
                                 "\"");
    }
    return t.texto;
}

bool EsNombreObjeto(const Token& t) {
    return t.tipo == TipoToken::Nombre || t.tipo == TipoToken::Corchete ||
           t.tipo == TipoToken::Citado;
}

bool EsDbo(const std::vector<Token>& t, size_t i) {
    const bool dbo = (t[i].tipo == TipoToken::Nombre || t[i].tipo == TipoToken::Corchete ||
                      t[i].tipo == TipoToken::Citado) &&
                     texto::IgualesSinCaso(NombreSinDelimitar(t[i]), "dbo");
    return dbo && i + 1 < t.size() && EsSimbolo(t[i + 1], ".");
}

/// "TOP n" or "TOP (n)" right after the SELECT at `i` (DISTINCT/ALL allowed between): sets
/// `top` to the index of TOP, `fin` to its last token, `n` to the count.
bool LeerTop(const std::vector<Token>& t, size_t i, size_t& top, size_t& fin, std::string& n) {
    top = Siguiente(t, i);
    if (top < t.size() && (Es(t[top], "DISTINCT") || Es(t[top], "ALL"))) top = Siguiente(t, top);
    if (top >= t.size() || !Es(t[top], "TOP")) return false;
    size_t j = Siguiente(t, top);
    if (j < t.size() && t[j].tipo == TipoToken::Numero) {
        fin = j;
    } else if (j < t.size() && EsSimbolo(t[j], "(")) {
        const size_t num = Siguiente(t, j);
        fin = Siguiente(t, num);
        if (num >= t.size() || t[num].tipo != TipoToken::Numero || fin >= t.size() ||
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

namespace {
/// The characters that may open a literal, a quoted name or a comment.
constexpr auto kAbreDelimitado = [] {
    std::array<bool, 256> t{};
    for (const unsigned char c : {'\'', '"', '[', '-', '/'}) t[c] = true;
    return t;
}();
}  // namespace

bool CortarLiterales(std::string_view sql, std::vector<std::string>& partes,
                     std::vector<std::string>& valores) {
    // The vectors' strings are emptied, not destroyed: a caller cutting text after text into
    // the same vectors reuses their buffers.
    size_t nPartes = 1, nValores = 0;
    const auto nuevaParte = [&]() -> std::string& {
        if (partes.size() < ++nPartes) partes.emplace_back();
        std::string& p = partes[nPartes - 1];
        p.clear();
        return p;
    };
    const auto nuevoValor = [&]() -> std::string& {
        if (valores.size() < ++nValores) valores.emplace_back();
        std::string& v = valores[nValores - 1];
        v.clear();
        return v;
    };
    if (partes.empty()) partes.emplace_back();
    partes[0].clear();
    const auto terminar = [&](bool cortada) {
        if (!cortada) {  // nothing cut: one empty part, no value
            nPartes = 1;
            nValores = 0;
            partes[0].clear();
        }
        partes.resize(nPartes);
        valores.resize(nValores);
        return cortada;
    };
    if (sql.find('\'') == std::string_view::npos || sql.find('\0') != std::string_view::npos)
        return terminar(false);
    const auto pegado = [](char c) { return EsParteNombre(static_cast<unsigned char>(c)); };
    size_t i = 0, desde = 0;  // the part being read starts at `desde`
    while (i < sql.size()) {
        // Runs of characters that start nothing delimited are passed over at once.
        while (i < sql.size() && !kAbreDelimitado[static_cast<unsigned char>(sql[i])]) ++i;
        if (i >= sql.size()) break;
        const char c = sql[i];
        if (c == '\'') {
            if (i > 0 && (pegado(sql[i - 1]) || sql[i - 1] == '\'')) return terminar(false);
            const size_t largo = LargoDelimitado(sql, i, '\'');
            const size_t fin = i + largo;  // after the closing apostrophe
            if (Abierto(sql.substr(i, largo), TipoToken::Literal)) return terminar(false);
            if (fin < sql.size() && (pegado(sql[fin]) || sql[fin] == '\'')) return terminar(false);
            partes[nPartes - 1].append(sql, desde, i - desde);
            nuevaParte();
            std::string& valor = nuevoValor();
            for (size_t k = i + 1; k + 1 < fin;) {  // inside, every apostrophe is doubled
                const size_t hasta = std::min(sql.find('\'', k), fin - 1);
                valor.append(sql, k, hasta - k);
                if (hasta == fin - 1) break;
                valor += '\'';
                k = hasta + 2;
            }
            i = desde = fin;
            continue;
        }
        size_t largo = 1;
        if (c == '"' || c == '[') {
            largo = LargoDelimitado(sql, i, c == '[' ? ']' : '"');
            if (Abierto(sql.substr(i, largo), c == '[' ? TipoToken::Corchete : TipoToken::Citado))
                return terminar(false);
        } else if (c == '-' && i + 1 < sql.size() && sql[i + 1] == '-') {
            largo = std::min(sql.find('\n', i), sql.size()) - i;
        } else if (c == '/' && i + 1 < sql.size() && sql[i + 1] == '*') {
            const size_t cierre = sql.find("*/", i + 2);
            if (cierre == std::string_view::npos) return terminar(false);
            largo = cierre + 2 - i;
        }
        i += largo;
    }
    partes[nPartes - 1].append(sql, desde, sql.size() - desde);
    return terminar(true);
}

void CoserLiterales(const std::vector<std::string>& partes, const std::vector<std::string>& valores,
                    std::string& sql) {
    // Sized once: the parts, the values and their apostrophes (a doubled one counts twice).
    size_t largo = partes[0].size();
    for (size_t k = 0; k < valores.size(); ++k) {
        largo += partes[k + 1].size() + valores[k].size() + 2;
        for (const char c : valores[k]) largo += c == '\'';
    }
    sql.reserve(largo);
    sql = partes[0];
    for (size_t k = 0; k < valores.size(); ++k) {
        sql += '\'';
        for (size_t i = 0; i < valores[k].size();) {  // runs without apostrophes at once
            const size_t hasta = std::min(valores[k].find('\'', i), valores[k].size());
            sql.append(valores[k], i, hasta - i);
            if (hasta == valores[k].size()) break;
            sql += "''";
            i = hasta + 1;
        }
        sql += '\'';
        sql += partes[k + 1];
    }
}

}  // namespace data
