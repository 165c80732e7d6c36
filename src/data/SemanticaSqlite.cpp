#include "SemanticaSqlite.h"

// Built inside the loadable extension, every SQLite call goes through the routine table the
// host hands over; built into the program, the calls go to the linked library.
#ifdef SUITE_EXTENSION_SQLITE
#include <sqlite3ext.h>
SQLITE_EXTENSION_INIT3
#else
#include <sqlite3.h>
#endif

#include <cctype>
#include <cstdint>
#include <cstdlib>
#include <ctime>
#include <string>
#include <string_view>

#include "Texto.h"

using namespace helperlib;

namespace data {

namespace {

// ---------------------------------------------------------------------------------------------
// Collation

/// One UTF-8 character (stray bytes as Latin-1, as everywhere in the program).
inline char32_t LeerCaracter(const unsigned char*& p, const unsigned char* fin) {
    return texto::LeerCaracterUtf8(p, fin);
}

inline unsigned char MayusculaAscii(unsigned char c) {
    return (c >= 'a' && c <= 'z') ? static_cast<unsigned char>(c - 32) : c;
}

/// Sort weights of one character, as the suite's Spanish server orders text. The primary
/// weight ignores letter case and accents and puts Ñ between N and O (so "Área" sorts with the
/// A's and "Ñandú" after "Nube"); the secondary weight (the upper-case character itself) breaks
/// ties, so accented and plain letters stay different: "área" = "ÁREA", but "área" <> "area".
struct Pesos {
    uint32_t primario;
    uint32_t secundario;
};

Pesos PesosDe(char32_t c) {
    const char32_t m = texto::MayusculaDe(c);
    char32_t base = m;
    bool enie = false;
    if (m >= 0xC0 && m <= 0xDD) {
        static constexpr char kBase[] = "AAAAAAACEEEEIIIIDNOOOOO*OUUUUY";
        const char b = kBase[m - 0xC0];
        if (m == 0xD1) enie = true;
        if (b != '*') base = static_cast<char32_t>(b);
    } else if (m == 0x178) {
        base = U'Y';
    }
    return {static_cast<uint32_t>(base) * 2 + (enie ? 1 : 0), static_cast<uint32_t>(m)};
}

/// Compares as the suite's server does: letters without case, Spanish order (accents sort with
/// their letter, Ñ after N), and the shorter text taken as padded with blanks, so trailing
/// blanks never matter. Texts that differ only in accents order by the first such difference.
int CompararSuite(void*, int na, const void* va, int nb, const void* vb) {
    auto a = static_cast<const unsigned char*>(va);
    auto b = static_cast<const unsigned char*>(vb);
    while (na > 0 && a[na - 1] == ' ') --na;
    while (nb > 0 && b[nb - 1] == ' ') --nb;
    const unsigned char* fa = a + na;
    const unsigned char* fb = b + nb;
    int desempate = 0;  // first difference of secondary weight
    auto comparar = [&desempate](Pesos x, Pesos y) {
        if (x.primario != y.primario) return x.primario < y.primario ? -1 : 1;
        if (desempate == 0 && x.secundario != y.secundario)
            desempate = x.secundario < y.secundario ? -1 : 1;
        return 0;
    };
    while (a < fa && b < fb) {
        if (*a < 0x80 && *b < 0x80) {  // the common case: plain ASCII on both sides
            const unsigned char x = MayusculaAscii(*a++);
            const unsigned char y = MayusculaAscii(*b++);
            if (x != y) return x < y ? -1 : 1;
            continue;
        }
        if (const int r = comparar(PesosDe(LeerCaracter(a, fa)), PesosDe(LeerCaracter(b, fb))))
            return r;
    }
    // One side is exhausted: it compares as blanks against the rest of the other.
    const Pesos blanco = PesosDe(U' ');
    while (a < fa)
        if (const int r = comparar(PesosDe(LeerCaracter(a, fa)), blanco)) return r;
    while (b < fb)
        if (const int r = comparar(blanco, PesosDe(LeerCaracter(b, fb)))) return r;
    return desempate;
}

// ---------------------------------------------------------------------------------------------
// LIKE

std::u32string MayusculasU32(std::string_view s) {
    auto u = texto::AUtf32(s);
    for (auto& c : u) c = texto::MayusculaDe(c);
    return u;
}

/// '%' any run, '_' one character, `escape` makes the next pattern character literal.
/// Iterative with one backtrack point: linear for the patterns the program writes.
bool Coincide(const std::u32string& patron, const std::u32string& texto, char32_t escape) {
    size_t p = 0, t = 0;
    size_t pComodin = std::u32string::npos, tComodin = 0;
    while (t < texto.size()) {
        if (p < patron.size()) {
            char32_t c = patron[p];
            if (c == U'%' && c != escape) {
                pComodin = ++p;
                tComodin = t;
                continue;
            }
            bool literal = false;
            if (escape != 0 && c == escape && p + 1 < patron.size()) {
                c = patron[p + 1];
                literal = true;
            }
            if ((!literal && c == U'_') || c == texto[t]) {
                p += literal ? 2 : 1;
                ++t;
                continue;
            }
        }
        if (pComodin == std::u32string::npos) return false;
        p = pComodin;
        t = ++tComodin;
    }
    while (p < patron.size() && patron[p] == U'%') ++p;
    return p == patron.size();
}

std::string_view TextoDe(sqlite3_value* v) {
    auto p = reinterpret_cast<const char*>(sqlite3_value_text(v));
    return p ? std::string_view(p, static_cast<size_t>(sqlite3_value_bytes(v)))
             : std::string_view();
}

bool AlgunoNulo(int argc, sqlite3_value** argv) {
    for (int i = 0; i < argc; ++i)
        if (sqlite3_value_type(argv[i]) == SQLITE_NULL) return true;
    return false;
}

void ResultadoTexto(sqlite3_context* ctx, const std::string& s) {
    sqlite3_result_text(ctx, s.data(), static_cast<int>(s.size()), SQLITE_TRANSIENT);
}

// like(pattern, text[, escape]) — SQLite calls it with the pattern first.
void FuncionLike(sqlite3_context* ctx, int argc, sqlite3_value** argv) {
    if (AlgunoNulo(argc, argv)) return sqlite3_result_null(ctx);
    char32_t escape = 0;
    if (argc == 3) {
        const auto e = texto::AUtf32(TextoDe(argv[2]));
        if (e.size() != 1) {
            return sqlite3_result_error(ctx, "ESCAPE expression must be a single character", -1);
        }
        escape = texto::MayusculaDe(e[0]);
    }
    const bool si =
        Coincide(MayusculasU32(TextoDe(argv[0])), MayusculasU32(TextoDe(argv[1])), escape);
    sqlite3_result_int(ctx, si ? 1 : 0);
}

// ---------------------------------------------------------------------------------------------
// Server functions

void FuncionLen(sqlite3_context* ctx, int, sqlite3_value** argv) {
    if (sqlite3_value_type(argv[0]) == SQLITE_NULL) return sqlite3_result_null(ctx);
    sqlite3_result_int(ctx, texto::Largo(texto::RecortarDer(TextoDe(argv[0]))));
}

// LEFT / RIGHT (SQLite's grammar reserves these words: statements call them SUITE_LEFT /
// SUITE_RIGHT after adaptation).
void FuncionIzquierda(sqlite3_context* ctx, int argc, sqlite3_value** argv) {
    if (AlgunoNulo(argc, argv)) return sqlite3_result_null(ctx);
    const int n = sqlite3_value_int(argv[1]);
    if (n < 0)
        return sqlite3_result_error(ctx, "Invalid length parameter passed to the left function",
                                    -1);
    ResultadoTexto(ctx, texto::Izquierda(TextoDe(argv[0]), n));
}

void FuncionDerecha(sqlite3_context* ctx, int argc, sqlite3_value** argv) {
    if (AlgunoNulo(argc, argv)) return sqlite3_result_null(ctx);
    const int n = sqlite3_value_int(argv[1]);
    if (n < 0)
        return sqlite3_result_error(ctx, "Invalid length parameter passed to the right function",
                                    -1);
    ResultadoTexto(ctx, texto::Derecha(TextoDe(argv[0]), n));
}

void FuncionReplicate(sqlite3_context* ctx, int argc, sqlite3_value** argv) {
    if (AlgunoNulo(argc, argv)) return sqlite3_result_null(ctx);
    const int n = sqlite3_value_int(argv[1]);
    if (n < 0) return sqlite3_result_null(ctx);
    const auto s = TextoDe(argv[0]);
    if (s.size() * static_cast<size_t>(n) > 1000000) return sqlite3_result_error_toobig(ctx);
    std::string r;
    r.reserve(s.size() * static_cast<size_t>(n));
    for (int i = 0; i < n; ++i) r += s;
    ResultadoTexto(ctx, r);
}

// CHARINDEX(buscado, texto[, inicio]): 1-based, letters without case; 0 when absent.
void FuncionCharIndex(sqlite3_context* ctx, int argc, sqlite3_value** argv) {
    if (AlgunoNulo(argc, argv)) return sqlite3_result_null(ctx);
    const auto buscado = TextoDe(argv[0]);
    if (buscado.empty()) return sqlite3_result_int(ctx, 0);
    int desde = argc == 3 ? sqlite3_value_int(argv[2]) : 1;
    if (desde < 1) desde = 1;
    sqlite3_result_int(ctx, texto::PosicionSinCaso(TextoDe(argv[1]), buscado, desde));
}

void FuncionGetDate(sqlite3_context* ctx, int, sqlite3_value**) {
    const std::time_t ahora = std::time(nullptr);
    std::tm local{};
    localtime_r(&ahora, &local);
    char buf[32];
    std::strftime(buf, sizeof buf, "%Y-%m-%d %H:%M:%S", &local);
    sqlite3_result_text(ctx, buf, -1, SQLITE_TRANSIENT);
}

struct Fecha {
    int anio = 0, mes = 0, dia = 0;
};

int LeerEntero(std::string_view s, size_t& i, int maxDigitos) {
    int v = 0, n = 0;
    while (i < s.size() && n < maxDigitos && std::isdigit(static_cast<unsigned char>(s[i]))) {
        v = v * 10 + (s[i++] - '0');
        ++n;
    }
    return n == 0 ? -1 : v;
}

/// Reads "yyyy-mm-dd[...]" (how dates are stored) or "dd/mm/yyyy" (how they are typed).
bool LeerFecha(std::string_view s, Fecha& f) {
    const auto t = texto::Recortar(s);
    size_t i = 0;
    int a = LeerEntero(t, i, 4);
    if (a < 0 || i >= t.size()) return false;
    if (i == 4 && (t[i] == '-' || t[i] == '/')) {
        const char sep = t[i++];
        f.anio = a;
        f.mes = LeerEntero(t, i, 2);
        if (i >= t.size() || t[i++] != sep) return false;
        f.dia = LeerEntero(t, i, 2);
    } else if (t[i] == '/' || t[i] == '-') {
        const char sep = t[i++];
        f.dia = a;
        f.mes = LeerEntero(t, i, 2);
        if (i >= t.size() || t[i++] != sep) return false;
        f.anio = LeerEntero(t, i, 4);
        if (f.anio >= 0 && f.anio < 100) f.anio += f.anio < 50 ? 2000 : 1900;
    } else {
        return false;
    }
    if (i < t.size() && t[i] != ' ' && t[i] != 'T') return false;
    return f.anio > 0 && f.mes >= 1 && f.mes <= 12 && f.dia >= 1 && f.dia <= 31;
}

template <int Fecha::*Parte>
void FuncionParteFecha(sqlite3_context* ctx, int, sqlite3_value** argv) {
    if (sqlite3_value_type(argv[0]) == SQLITE_NULL) return sqlite3_result_null(ctx);
    Fecha f;
    if (!LeerFecha(TextoDe(argv[0]), f)) {
        return sqlite3_result_error(
            ctx, "Conversion failed when converting date from character string", -1);
    }
    sqlite3_result_int(ctx, f.*Parte);
}

// VAL: the number at the start of the text (blanks skipped); 0 when there is none.
void FuncionVal(sqlite3_context* ctx, int, sqlite3_value** argv) {
    if (sqlite3_value_type(argv[0]) == SQLITE_NULL) return sqlite3_result_null(ctx);
    const auto s = TextoDe(argv[0]);
    size_t i = 0;
    while (i < s.size() && s[i] == ' ') ++i;
    std::string num;
    if (i < s.size() && (s[i] == '-' || s[i] == '+')) num += s[i++];
    bool digitos = false, decimal = false;
    for (; i < s.size(); ++i) {
        const char c = s[i];
        if (std::isdigit(static_cast<unsigned char>(c))) {
            num += c;
            digitos = true;
        } else if (c == '.' && !decimal) {
            num += c;
            decimal = true;
        } else if (c != ' ') {
            break;
        }
    }
    if (!digitos) return sqlite3_result_int(ctx, 0);
    if (!decimal && num.size() < 19)
        return sqlite3_result_int64(ctx, std::strtoll(num.c_str(), nullptr, 10));
    sqlite3_result_double(ctx, std::strtod(num.c_str(), nullptr));
}

void FuncionUpper(sqlite3_context* ctx, int, sqlite3_value** argv) {
    if (sqlite3_value_type(argv[0]) == SQLITE_NULL) return sqlite3_result_null(ctx);
    ResultadoTexto(ctx, texto::Mayusculas(TextoDe(argv[0])));
}

void FuncionLower(sqlite3_context* ctx, int, sqlite3_value** argv) {
    if (sqlite3_value_type(argv[0]) == SQLITE_NULL) return sqlite3_result_null(ctx);
    ResultadoTexto(ctx, texto::Minusculas(TextoDe(argv[0])));
}

void FuncionSpace(sqlite3_context* ctx, int, sqlite3_value** argv) {
    if (sqlite3_value_type(argv[0]) == SQLITE_NULL) return sqlite3_result_null(ctx);
    const int n = sqlite3_value_int(argv[0]);
    if (n < 0) return sqlite3_result_null(ctx);  // the server answers Null for a negative count
    if (n > 8000) return sqlite3_result_error_toobig(ctx);
    ResultadoTexto(ctx, texto::Espacios(n));
}

struct Funcion {
    const char* nombre;
    int argumentos;
    bool determinista;
    void (*f)(sqlite3_context*, int, sqlite3_value**);
};

constexpr Funcion kFunciones[] = {
    {"like", 2, true, FuncionLike},
    {"like", 3, true, FuncionLike},
    {"len", 1, true, FuncionLen},
    {"suite_left", 2, true, FuncionIzquierda},
    {"suite_right", 2, true, FuncionDerecha},
    {"replicate", 2, true, FuncionReplicate},
    {"charindex", 2, true, FuncionCharIndex},
    {"charindex", 3, true, FuncionCharIndex},
    {"getdate", 0, false, FuncionGetDate},
    {"year", 1, true, FuncionParteFecha<&Fecha::anio>},
    {"month", 1, true, FuncionParteFecha<&Fecha::mes>},
    {"day", 1, true, FuncionParteFecha<&Fecha::dia>},
    {"val", 1, true, FuncionVal},
    {"upper", 1, true, FuncionUpper},
    {"lower", 1, true, FuncionLower},
    {"ucase", 1, true, FuncionUpper},
    {"lcase", 1, true, FuncionLower},
    {"space", 1, true, FuncionSpace},
};

}  // namespace

int RegistrarSemanticaSuite(sqlite3* db) {
    int rc = sqlite3_create_collation_v2(db, kColacionSuite, SQLITE_UTF8, nullptr, CompararSuite,
                                         nullptr);
    if (rc != SQLITE_OK) return rc;
    for (const auto& f : kFunciones) {
        const int banderas = SQLITE_UTF8 | (f.determinista ? SQLITE_DETERMINISTIC : 0);
        rc = sqlite3_create_function_v2(db, f.nombre, f.argumentos, banderas, nullptr, f.f, nullptr,
                                        nullptr, nullptr);
        if (rc != SQLITE_OK) return rc;
    }
    return SQLITE_OK;
}

}  // namespace data
