#include "DialectoOracle.h"

#include <optional>
#include <regex>
#include <set>

#include "LexicoSql.h"
#include "Texto.h"
#include "Utilidades.h"

using namespace helperlib;

namespace data {

const std::array<std::string_view, 86> kColumnasFechaOracle = {
    "FECHA",
    "FECHAD",
    "FECHAH",
    "VENCIMIENTO",
    "FECHASUBDIARIO",
    "FECHAENTREGA",
    "FECHA_A_VENCER",
    "FECHA_DMR",
    "INGRESO",
    "EGRESO",
    "FECHAHORA_GRABACION",
    "FECHAHORA_MODIFICACION",
    "FECHA_COMPRA",
    "FECHA_REVALUACION",
    "VENCIMIENTO_REGISTRO",
    "VENCIMIENTO_SEGURO",
    "VTO_VTV",
    "VTO_C_VERDE",
    "VTO_SEGURO",
    "FECHAAVISO",
    "FECHAALARMA",
    "FECHALEIDO",
    "FECHAPRESENTACION",
    "FECHAVTOPRESENTACION",
    "FECHA_CIERRE",
    "FECHAMOV",
    "FECHA_DESDE",
    "FECHA_HASTA",
    "FECHA_ALTA",
    "FECHA_MODIFICACION",
    "\"FECHA DESDE\"",
    "\"FECHA HASTA\"",
    "FECHA_INICIO",
    "FECHA_FINALIZACION",
    "FECHA_RENDICION",
    "ACARGODESDE",
    "FECHACASAMIENTO",
    "FECHAINGRESO",
    "FECHANACIMIENTO",
    "FECHAINGRESOANTERIOR",
    "FECHAEGRESO",
    "VENCECONTRATO",
    "FECHAALTA",
    "PDESDE",
    "PHASTA",
    "FECHAPROCESO",
    "FECHAHORAENTREVISTA",
    "FECHAOPERATIVA",
    "FECHAPAGO",
    "FECHAHORA",
    "FECHASOLICITUD",
    "FECHACARGA",
    "FECHACOMPROMETIDO",
    "FECHAORDENCPRA",
    "VENCEM",
    "VENCER",
    "FECHA_GRABACION",
    "FHOFERTADESDE",
    "FHOFERTAHASTA",
    "FHOPERATIVA",
    "FHALTA",
    "FHCIERRE",
    "COT_FECHA",
    "FECHAESTINCIO",
    "FECHAESTFIN",
    "FECHAFINALIZACION",
    "FECHAENTREGA",
    "FECHAENCPTE",
    "FECHAINCIO",
    "FECHAFIN",
    "FECHAREALINICIO",
    "FECHAREALFIN",
    "FECHAINVIADO",
    "FECHARECIBIDO",
    "ACTUALIZADO",
    "FECHA_ANULACION",
    "DIAMOLIENDA",
    "DIAMEZCLA",
    "FECHAEMISION",
    "FINALIZADO",
    "SINCRONIZADO",
    "VENCEA",
    "VENCEB",
    "VENCEC",
    "VENCEE",
    "VENCEX",
};

namespace {

using Tokens = std::vector<Token>;

bool EsHueco(const Token& t) {
    return t.tipo == TipoToken::Blanco || t.tipo == TipoToken::Comentario;
}

/// Texts of tokens [desde, hasta).
std::string Unir(const Tokens& t, size_t desde, size_t hasta) {
    std::string r;
    for (size_t i = desde; i < hasta && i < t.size(); ++i) r += t[i].texto;
    return r;
}

/// Index of the token before `i` that is neither blank nor comment (size() when none).
size_t Anterior(const Tokens& t, size_t i) {
    while (i > 0) {
        --i;
        if (!EsHueco(t[i])) return i;
    }
    return t.size();
}

/// Token ranges [desde, hasta) of the comma-separated parts between the parentheses at
/// `abre` and `cierra`.
std::vector<std::pair<size_t, size_t>> Partes(const Tokens& t, size_t abre, size_t cierra) {
    std::vector<std::pair<size_t, size_t>> r;
    size_t desde = abre + 1;
    int nivel = 0;
    for (size_t i = abre + 1; i < cierra; ++i) {
        if (EsSimbolo(t[i], "(")) ++nivel;
        if (EsSimbolo(t[i], ")")) --nivel;
        if (nivel == 0 && EsSimbolo(t[i], ",")) {
            r.emplace_back(desde, i);
            desde = i + 1;
        }
    }
    r.emplace_back(desde, cierra);
    return r;
}

std::string SinBlancosExtremos(std::string s) {
    const auto blanco = [](char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; };
    while (!s.empty() && blanco(s.back())) s.pop_back();
    size_t i = 0;
    while (i < s.size() && blanco(s[i])) ++i;
    return s.substr(i);
}

// ---- Names, functions, hints, brackets --------------------------------------------------------

/// A "+" next to a text literal joins texts.
bool JuntaTextos(const Tokens& t, size_t i) {
    const size_t antes = Anterior(t, i);
    const size_t despues = Siguiente(t, i);
    return (antes < t.size() && t[antes].tipo == TipoToken::Literal) ||
           (despues < t.size() && t[despues].tipo == TipoToken::Literal);
}

bool EsTipoTexto(const std::string& tipo) {
    static const char* const tipos[] = {"NVARCHAR", "VARCHAR", "NCHAR", "CHAR", "NTEXT", "TEXT"};
    for (const char* x : tipos)
        if (texto::IgualesAsciiSinCaso(tipo, x)) return true;
    return false;
}

bool EsTipoNumero(const std::string& tipo) {
    static const char* const tipos[] = {"INT",     "INTEGER", "BIGINT", "SMALLINT", "TINYINT",
                                        "NUMERIC", "DECIMAL", "MONEY",  "FLOAT",    "REAL"};
    for (const char* x : tipos)
        if (texto::IgualesAsciiSinCaso(tipo, x)) return true;
    return false;
}

/// The Oracle format of a server date style, "" for a style without one.
std::string FormatoDeEstilo(const std::string& estilo) {
    if (estilo == "103") return "'DD/MM/YYYY'";
    if (estilo == "3") return "'DD/MM/YY'";
    if (estilo == "112") return "'YYYYMMDD'";
    if (estilo == "108") return "'HH24:MI:SS'";
    if (estilo == "120") return "'YYYY-MM-DD HH24:MI:SS'";
    return "";
}

std::string PasoNombres(const std::string& sql);

std::string ParteTraducida(const Tokens& t, std::pair<size_t, size_t> p) {
    return SinBlancosExtremos(PasoNombres(Unir(t, p.first, p.second)));
}

/// CHARINDEX and CONVERT calls rewritten, "" when the call has another shape.
std::string Llamada(const Tokens& t, size_t nombre, size_t abre, size_t cierra) {
    const auto partes = Partes(t, abre, cierra);
    if (Es(t[nombre], "CHARINDEX") && (partes.size() == 2 || partes.size() == 3)) {
        std::string r =
            "INSTR(" + ParteTraducida(t, partes[1]) + ", " + ParteTraducida(t, partes[0]);
        if (partes.size() == 3) r += ", " + ParteTraducida(t, partes[2]);
        return r + ")";
    }
    if (Es(t[nombre], "CONVERT") && (partes.size() == 2 || partes.size() == 3)) {
        // The type, without its length: NVARCHAR(20) -> NVARCHAR.
        const size_t tipo = Siguiente(t, partes[0].first - 1);
        if (tipo >= partes[0].second || t[tipo].tipo != TipoToken::Nombre) return "";
        const std::string valor = ParteTraducida(t, partes[1]);
        if (EsTipoTexto(t[tipo].texto)) {
            if (partes.size() == 2) return "TO_CHAR(" + valor + ")";
            const std::string formato =
                FormatoDeEstilo(SinBlancosExtremos(Unir(t, partes[2].first, partes[2].second)));
            return formato.empty() ? "" : "TO_CHAR(" + valor + "," + formato + ")";
        }
        if (EsTipoNumero(t[tipo].texto) && partes.size() == 2) return "TO_NUMBER(" + valor + ")";
    }
    return "";
}

std::string PasoNombres(const std::string& sql) {
    const Tokens t = Tokenizar(sql);
    std::string out;
    for (size_t i = 0; i < t.size(); ++i) {
        const Token& tk = t[i];
        if (EsDbo(t, i)) {
            ++i;  // the "." goes too
            continue;
        }
        if (const size_t fin = FinDePistas(t, i)) {
            i = fin;
            continue;
        }
        if (tk.tipo == TipoToken::Corchete) {
            out += CitarNombre(NombreSinDelimitar(tk));
            continue;
        }
        if (EsSimbolo(tk, "+") && JuntaTextos(t, i)) {
            out += "||";
            continue;
        }
        const size_t abre = Siguiente(t, i);
        if (tk.tipo == TipoToken::Nombre && abre < t.size() && EsSimbolo(t[abre], "(")) {
            if (Es(tk, "LEN")) {
                out += "LENGTH";
                continue;
            }
            if (Es(tk, "ISNULL")) {
                out += "NVL";
                continue;
            }
            if (Es(tk, "SUBSTRING")) {
                out += "SUBSTR";
                continue;
            }
            const size_t cierra = CierreDe(t, abre);
            if (cierra < t.size()) {
                if (Es(tk, "GETDATE") && Siguiente(t, abre) == cierra) {
                    out += "SYSDATE";
                    i = cierra;
                    continue;
                }
                if (const std::string otra = Llamada(t, i, abre, cierra); !otra.empty()) {
                    out += otra;
                    i = cierra;
                    continue;
                }
            }
        }
        out += tk.texto;
    }
    return out;
}

// ---- Row limit --------------------------------------------------------------------------------

/// The SELECT at `sel` with its TOP (tokens `top`..`fin`) turned into a ROWNUM condition.
std::string LimitarFilas(const Tokens& t, size_t sel, size_t top, size_t fin,
                         const std::string& n) {
    bool distinto = false;
    for (size_t j = sel + 1; j < top; ++j) distinto = distinto || Es(t[j], "DISTINCT");
    size_t resto = fin + 1;
    if (resto < t.size() && t[resto].tipo == TipoToken::Blanco) ++resto;  // one blank goes too
    if (n.empty()) return Unir(t, 0, top) + Unir(t, resto, t.size());     // TOP 100 PERCENT
    // Where the query ends at its own level, its WHERE and whether it sorts or groups.
    size_t final = t.size(), donde = t.size();
    bool ordena = false;
    int nivel = 0;
    for (size_t j = resto; j < t.size() && final == t.size(); ++j) {
        if (EsSimbolo(t[j], "(")) {
            ++nivel;
        } else if (EsSimbolo(t[j], ")")) {
            if (nivel-- == 0) final = j;
        } else if (nivel == 0) {
            if (EsSimbolo(t[j], ";") || Es(t[j], "UNION") || Es(t[j], "EXCEPT") ||
                Es(t[j], "INTERSECT") || Es(t[j], "MINUS"))
                final = j;
            else if (Es(t[j], "WHERE") && donde == t.size())
                donde = j;
            else if (Es(t[j], "ORDER") || Es(t[j], "GROUP") || Es(t[j], "HAVING"))
                ordena = true;
        }
    }
    size_t cuerpo = final;  // trailing blanks stay after the condition
    while (cuerpo > resto && t[cuerpo - 1].tipo == TipoToken::Blanco) --cuerpo;
    // A query that ends inside an open text or comment gets no condition: it would land inside
    // it. The TOP goes and the server reports the statement as it stands.
    if (cuerpo > resto && t[cuerpo - 1].abierto) return Unir(t, 0, top) + Unir(t, resto, t.size());
    const bool comentarioFinal = cuerpo > resto && t[cuerpo - 1].tipo == TipoToken::Comentario &&
                                 t[cuerpo - 1].texto.rfind("--", 0) == 0;
    const std::string salto = comentarioFinal ? "\n" : "";
    const std::string antes = Unir(t, 0, sel);
    const std::string despues = Unir(t, cuerpo, t.size());
    const std::string inicio = Unir(t, sel, top);  // SELECT [DISTINCT]
    const std::string limite = "ROWNUM <= " + n;
    if (distinto || ordena)
        return antes + "SELECT * FROM (" + inicio + Unir(t, resto, cuerpo) + salto + ") WHERE " +
               limite + despues;
    if (donde == t.size())
        return antes + inicio + Unir(t, resto, cuerpo) + salto + " WHERE " + limite + despues;
    bool conO = false;
    nivel = 0;
    for (size_t j = donde + 1; j < cuerpo; ++j) {
        if (EsSimbolo(t[j], "(")) ++nivel;
        if (EsSimbolo(t[j], ")")) --nivel;
        conO = conO || (nivel == 0 && Es(t[j], "OR"));
    }
    if (!conO) return antes + inicio + Unir(t, resto, cuerpo) + salto + " AND " + limite + despues;
    return antes + inicio + Unir(t, resto, donde + 1) + " (" +
           SinBlancosExtremos(Unir(t, donde + 1, cuerpo)) + salto + ") AND " + limite + despues;
}

std::string PasoLimite(std::string sql) {
    for (;;) {  // one TOP per round; every round removes one
        const Tokens t = Tokenizar(sql);
        bool cambio = false;
        for (size_t i = 0; i < t.size() && !cambio; ++i) {
            size_t top = 0, fin = 0;
            std::string n;
            if (Es(t[i], "SELECT") && LeerTop(t, i, top, fin, n)) {
                sql = LimitarFilas(t, i, top, fin, n);
                cambio = true;
            }
        }
        if (!cambio) return sql;
    }
}

// ---- Dates ------------------------------------------------------------------------------------

struct Fecha {
    int dia, mes, anio, hora = 0, minuto = 0, segundo = 0;
};

bool FechaValida(const Fecha& f) {
    static const int dias[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    if (f.mes < 1 || f.mes > 12 || f.dia < 1 || f.anio < 100 || f.anio > 9999) return false;
    const bool bisiesto = (f.anio % 4 == 0 && f.anio % 100 != 0) || f.anio % 400 == 0;
    const int maximo = dias[f.mes - 1] + (f.mes == 2 && bisiesto ? 1 : 0);
    return f.dia <= maximo && f.hora < 24 && f.minuto < 60 && f.segundo < 60;
}

/// The date a literal's text holds: yyyy-mm-dd or dd/mm/yyyy (also dd-mm-yyyy, dd.mm.yyyy and
/// two-digit years), optionally followed by hh:mm[:ss[.fff]].
std::optional<Fecha> LeerFecha(const std::string& s) {
    static const std::regex iso(
        R"(\s*(\d{4})-(\d{1,2})-(\d{1,2})(?:[ T](\d{1,2}):(\d{2})(?::(\d{2})(?:\.\d+)?)?)?\s*)");
    static const std::regex local(
        R"(\s*(\d{1,2})([/.-])(\d{1,2})\2(\d{4}|\d{2})(?: (\d{1,2}):(\d{2})(?::(\d{2}))?)?\s*)");
    std::smatch m;
    const auto num = [&](int k) { return m[k].matched ? std::stoi(m[k].str()) : 0; };
    Fecha f{};
    if (std::regex_match(s, m, iso)) {
        f = {num(3), num(2), num(1), num(4), num(5), num(6)};
    } else if (std::regex_match(s, m, local)) {
        int anio = num(4);
        if (m[4].length() == 2) anio += anio < 30 ? 2000 : 1900;
        f = {num(1), num(3), anio, num(5), num(6), num(7)};
    } else {
        return std::nullopt;
    }
    if (!FechaValida(f)) return std::nullopt;
    return f;
}

std::string DosCifras(int n) { return (n < 10 ? "0" : "") + std::to_string(n); }

/// TO_DATE of a literal that holds a valid date ("" otherwise); with `conHora` a time of day
/// other than midnight is kept.
std::string FechaOracle(const Token& literal, bool conHora) {
    if (literal.tipo != TipoToken::Literal || literal.texto.size() < 2) return "";
    const auto f = LeerFecha(literal.texto.substr(1, literal.texto.size() - 2));
    if (!f) return "";
    const std::string dia =
        DosCifras(f->dia) + "/" + DosCifras(f->mes) + "/" + std::to_string(f->anio);
    if (conHora && (f->hora || f->minuto || f->segundo))
        return "TO_DATE('" + dia + " " + DosCifras(f->hora) + ":" + DosCifras(f->minuto) + ":" +
               DosCifras(f->segundo) + "','DD/MM/YYYY HH24:MI:SS')";
    return "TO_DATE('" + dia + "','DD/MM/YYYY')";
}

bool EsColumnaFecha(const Token& t) {
    if (t.tipo != TipoToken::Nombre && t.tipo != TipoToken::Citado) return false;
    for (std::string_view c : kColumnasFechaOracle)
        if (texto::IgualesAsciiSinCaso(t.texto, c) ||
            (t.tipo == TipoToken::Citado && texto::IgualesAsciiSinCaso(NombreSinDelimitar(t), c)))
            return true;
    return false;
}

bool EsParteNombre(const Token& t) {
    return t.tipo == TipoToken::Nombre || t.tipo == TipoToken::Citado;
}

/// First token of the (possibly qualified) column name that ends at `fin`.
size_t InicioDeColumna(const Tokens& t, size_t fin) {
    size_t i = fin;
    while (i >= 2 && EsSimbolo(t[i - 1], ".") && EsParteNombre(t[i - 2])) i -= 2;
    return i;
}

/// Last token of the (possibly qualified) column name that starts at `inicio`.
size_t FinDeColumna(const Tokens& t, size_t inicio) {
    size_t i = inicio;
    while (i + 2 < t.size() && EsSimbolo(t[i + 1], ".") && EsParteNombre(t[i + 2])) i += 2;
    return i;
}

struct Cambio {
    size_t desde, hasta;  // tokens [desde, hasta] replaced
    std::string texto;
};

std::string Aplicar(const Tokens& t, std::vector<Cambio> cambios) {
    std::sort(cambios.begin(), cambios.end(),
              [](const Cambio& a, const Cambio& b) { return a.desde < b.desde; });
    std::string out;
    size_t i = 0;
    for (const Cambio& c : cambios) {
        if (c.desde < i) continue;  // overlapping: the first one wins
        out += Unir(t, i, c.desde) + c.texto;
        i = c.hasta + 1;
    }
    return out + Unir(t, i, t.size());
}

std::string ColumnaComoFecha(const Tokens& t, size_t desde, size_t hasta) {
    return "TO_DATE(TO_CHAR(" + Unir(t, desde, hasta + 1) + ",'DD/MM/YYYY'),'DD/MM/YYYY')";
}

/// INSERT INTO t (columns) VALUES (values): valid dates written into date columns.
void FechasInsertadas(const Tokens& t, std::vector<Cambio>& cambios) {
    for (size_t i = 0; i < t.size(); ++i) {
        if (!Es(t[i], "INSERT")) continue;
        size_t j = Siguiente(t, i);
        if (j < t.size() && Es(t[j], "INTO")) j = Siguiente(t, j);
        if (j >= t.size()) return;
        j = FinDeColumna(t, j);
        const size_t abreColumnas = Siguiente(t, j);
        if (abreColumnas >= t.size() || !EsSimbolo(t[abreColumnas], "(")) continue;
        const size_t cierraColumnas = CierreDe(t, abreColumnas);
        const size_t valores = Siguiente(t, cierraColumnas);
        if (valores >= t.size() || !Es(t[valores], "VALUES")) continue;
        const size_t abreValores = Siguiente(t, valores);
        if (abreValores >= t.size() || !EsSimbolo(t[abreValores], "(")) continue;
        const auto columnas = Partes(t, abreColumnas, cierraColumnas);
        const auto datos = Partes(t, abreValores, CierreDe(t, abreValores));
        for (size_t k = 0; k < columnas.size() && k < datos.size(); ++k) {
            const size_t col = Anterior(t, columnas[k].second);
            const size_t val = Siguiente(t, datos[k].first - 1);
            if (col >= t.size() || val >= datos[k].second || Siguiente(t, val) < datos[k].second)
                continue;  // the value is not a lone literal
            if (!EsColumnaFecha(t[col])) continue;
            if (std::string f = FechaOracle(t[val], true); !f.empty())
                cambios.push_back({val, val, f});
        }
    }
}

std::string PasoFechas(const std::string& sql) {
    const Tokens t = Tokenizar(sql);
    std::vector<Cambio> cambios;
    std::set<size_t> envueltas;
    const auto envolver = [&](size_t desde, size_t hasta) {
        if (envueltas.insert(desde).second)
            cambios.push_back({desde, hasta, ColumnaComoFecha(t, desde, hasta)});
    };
    const auto fecha = [&](size_t lit, bool conHora) {
        if (lit >= t.size()) return;
        if (std::string f = FechaOracle(t[lit], conHora); !f.empty())
            cambios.push_back({lit, lit, f});
    };
    bool asignando = false;  // between UPDATE's SET and its WHERE, "=" assigns
    for (size_t i = 0; i < t.size(); ++i) {
        if (Es(t[i], "SET")) asignando = true;
        if (Es(t[i], "WHERE")) asignando = false;
        const bool entre = Es(t[i], "BETWEEN");
        if (!EsComparacion(t[i]) && !entre) continue;
        const size_t izq = Anterior(t, i);
        const size_t der = Siguiente(t, i);
        if (izq >= t.size() || der >= t.size()) continue;
        const bool izqFecha = EsColumnaFecha(t[izq]);
        if (asignando && EsSimbolo(t[i], "=")) {
            if (izqFecha) fecha(der, true);
            continue;
        }
        if (izqFecha) {
            envolver(InicioDeColumna(t, izq), izq);
            fecha(der, false);
            if (entre) {
                const size_t y = Siguiente(t, der);
                if (y < t.size() && Es(t[y], "AND")) fecha(Siguiente(t, y), false);
            }
        } else if (!entre && EsParteNombre(t[der])) {
            const size_t fin = FinDeColumna(t, der);
            if (!EsColumnaFecha(t[fin])) continue;
            envolver(der, fin);
            fecha(izq, false);
        }
    }
    FechasInsertadas(t, cambios);
    return Aplicar(t, std::move(cambios));
}

// ---- Empty texts ------------------------------------------------------------------------------

std::string PasoVacios(const std::string& sql) {
    const Tokens t = Tokenizar(sql);
    std::vector<Cambio> cambios;
    bool trasWhere = false;
    for (size_t i = 0; i < t.size(); ++i) {
        trasWhere = trasWhere || Es(t[i], "WHERE");
        if (!trasWhere || !EsComparacion(t[i])) continue;
        const bool igual = t[i].texto == "=";
        if (!igual && t[i].texto != "<>" && t[i].texto != "!=") continue;
        const size_t lit = Siguiente(t, i);
        if (lit >= t.size() || t[lit].tipo != TipoToken::Literal || t[lit].texto != "''") continue;
        std::string r = igual ? "IS NULL" : "IS NOT NULL";
        if (i == 0 || t[i - 1].tipo != TipoToken::Blanco) r = " " + r;
        if (lit + 1 < t.size() && t[lit + 1].tipo != TipoToken::Blanco) r += " ";
        cambios.push_back({i, lit, r});
    }
    return Aplicar(t, std::move(cambios));
}

/// LEN(..) calls as LENGTH(..), nothing else.
std::string SoloLargo(const std::string& sql) {
    const Tokens t = Tokenizar(sql);
    std::string out;
    for (size_t i = 0; i < t.size(); ++i) {
        const size_t abre = Siguiente(t, i);
        out +=
            Es(t[i], "LEN") && abre < t.size() && EsSimbolo(t[abre], "(") ? "LENGTH" : t[i].texto;
    }
    return out;
}

// ---- Scripts ----------------------------------------------------------------------------------

/// Applies `f` to the parts of `s` outside apostrophe literals.
template <class F>
std::string FueraDeLiterales(const std::string& s, F f) {
    // `f` sees each whole part between literals (a "GO" line spans several tokens).
    std::string out, parte;
    for (const Token& tk : Tokenizar(s)) {
        if (tk.tipo == TipoToken::Literal) {
            out += f(parte) + tk.texto;
            parte.clear();
        } else {
            parte += tk.texto;
        }
    }
    return out + f(parte);
}

bool EsLetraNombre(char c) {
    const auto u = static_cast<unsigned char>(c);
    return (u >= 'a' && u <= 'z') || (u >= 'A' && u <= 'Z') || (u >= '0' && u <= '9') || u == '_' ||
           u == '@' || u == '#' || u == '$' || u >= 0x80;
}

/// The word of `s` that ends right before `fin` (blanks skipped), upper case ASCII.
std::string PalabraAnterior(const std::string& s, size_t fin) {
    size_t i = fin;
    while (i > 0 && s[i - 1] == ' ') --i;
    size_t j = i;
    while (j > 0 && EsLetraNombre(s[j - 1])) --j;
    std::string w = s.substr(j, i - j);
    for (char& c : w)
        if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 32);
    return w;
}

/// Whether a script word starts a statement at `p` of the masked script `m`; `actual` is
/// where the statement in progress starts (npos before the first one).
bool EmpiezaSentencia(const std::string& m, size_t p, size_t actual) {
    if (p > 0 && EsLetraNombre(m[p - 1])) return false;
    for (std::string_view k : kPalabrasGuionOracle) {
        if (p + k.size() > m.size() ||
            !texto::IgualesAsciiSinCaso(std::string_view(m).substr(p, k.size()), k))
            continue;
        // Words without a trailing blank must end there (COMMIT, not COMMITTED), except the
        // EXIST prefixes, which stand for EXISTS.
        const bool prefijo = k.substr(0, 3) == "IF ";
        if (k.back() != ' ' && !prefijo && p + k.size() < m.size() &&
            EsLetraNombre(m[p + k.size()]))
            continue;
        const std::string previa = PalabraAnterior(m, p);
        if (previa == "ON" || previa == "FOR" || previa == "OF" || previa == "AFTER" ||
            previa == "BEFORE")
            return false;  // ON DELETE CASCADE, FOR UPDATE, AFTER INSERT ...
        if (k == "DROP " && actual != std::string::npos &&
            texto::IgualesAsciiSinCaso(std::string_view(m).substr(actual, 6), "ALTER "))
            return false;  // ALTER TABLE t DROP COLUMN c
        return true;
    }
    return false;
}

std::string SentenciaLimpia(std::string s) {
    s = SinBlancosExtremos(s);
    while (!s.empty() && s.back() == ';') s = SinBlancosExtremos(s.substr(0, s.size() - 1));
    return s;
}

}  // namespace

std::string TraducirOracle(const std::string& sql) {
    if (ContarPalabras(sql) < 2) return SoloLargo(sql);
    return PasoVacios(PasoFechas(PasoLimite(PasoNombres(sql))));
}

std::string NormalizarGuionOracle(const std::string& guion) {
    const auto icase = std::regex::icase;
    static const std::regex nocount(R"(\bSET\s+NOCOUNT\s+(ON|OFF)\b)", icase);
    static const std::regex lineaGo(R"((^|\r?\n|\r)[ \t]*GO[ \t]*(?=\r?\n|\r|$))", icase);
    static const std::regex go(R"( GO )", icase);
    static const std::regex saltos(R"(\r\n|\r|\n)");
    static const std::regex comenzar(R"(\bBEGIN\s+TRAN(SACTION|S)?\b)", icase);
    static const std::regex confirmar(R"(\bCOMMIT\s+TRAN(SACTION|S)?\b)", icase);
    static const std::regex revertir(R"(\bROLLBACK\s+TRAN(SACTION|S)?\b)", icase);
    return FueraDeLiterales(guion, [&](std::string s) {
        s = std::regex_replace(s, nocount, "");
        s = std::regex_replace(s, lineaGo, " ");
        s = std::regex_replace(s, go, " ");
        s = std::regex_replace(s, saltos, " ");
        s = std::regex_replace(s, comenzar, "SET TRANSACTION");
        s = std::regex_replace(s, confirmar, "COMMIT");
        return std::regex_replace(s, revertir, "ROLLBACK");
    });
}

std::vector<std::string> PartirGuionOracle(const std::string& guion) {
    const std::string s = NormalizarGuionOracle(guion);
    // The script with the inside of its literals masked, so that positions match and no word
    // inside a value is taken for a statement.
    std::string m;
    for (const Token& tk : Tokenizar(s))
        m += tk.tipo == TipoToken::Literal ? std::string(tk.texto.size(), '\'') : tk.texto;
    std::vector<std::string> r;
    size_t actual = std::string::npos, desde = 0;
    for (size_t p = 0; p < m.size(); ++p) {
        if (!EmpiezaSentencia(m, p, actual)) continue;
        if (std::string previa = SentenciaLimpia(s.substr(desde, p - desde)); !previa.empty())
            r.push_back(std::move(previa));
        actual = desde = p;
    }
    if (std::string ultima = SentenciaLimpia(s.substr(desde)); !ultima.empty())
        r.push_back(std::move(ultima));
    return r;
}

}  // namespace data
