#include "CadenaOdbc.h"

#include <algorithm>
#include <cctype>
#include <cstdlib>

#include "Motor.h"
#include "Texto.h"

using namespace helperlib;

namespace data {

namespace {

std::string Entorno(const char* nombre, const char* porDefecto) {
    const char* v = std::getenv(nombre);
    return (v && *v) ? std::string(v) : std::string(porDefecto);
}

// ---------------------------------------------------------------------------------------------
// Connection strings: "key=value;" pairs; a value may be braced ({..}, "}}" for "}") or quoted
// ("..", '..', the quote doubled inside), otherwise it runs to the next ";" and is trimmed.

std::string LeerValor(std::string_view s, size_t& i) {
    while (i < s.size() && s[i] == ' ') ++i;
    if (i < s.size() && (s[i] == '{' || s[i] == '"' || s[i] == '\'')) {
        const char cierre = s[i] == '{' ? '}' : s[i];
        std::string v;
        for (++i; i < s.size(); ++i) {
            if (s[i] != cierre) {
                v += s[i];
            } else if (i + 1 < s.size() && s[i + 1] == cierre) {
                v += cierre;
                ++i;
            } else {
                ++i;
                break;
            }
        }
        while (i < s.size() && s[i] != ';') ++i;  // anything after the closing mark is ignored
        return v;
    }
    const size_t fin = std::min(s.find(';', i), s.size());
    std::string v(texto::SinEspacios(s.substr(i, fin - i)));
    i = fin;
    return v;
}

const ParClave* Buscar(const std::vector<ParClave>& pares,
                       std::initializer_list<const char*> claves) {
    for (const ParClave& p : pares) {
        const std::string k = MinusculasAscii(p.clave);
        for (const char* c : claves)
            if (k == c) return &p;
    }
    return nullptr;
}

/// A value ready for an ODBC string: braced (with "}" doubled) when it would otherwise be cut
/// or trimmed by the driver manager.
std::string ValorOdbc(const std::string& v) {
    const bool llaves = v.find_first_of(";{}") != std::string::npos ||
                        (!v.empty() && (v.front() == ' ' || v.back() == ' '));
    if (!llaves) return v;
    std::string r = "{";
    for (char c : v) {
        r += c;
        if (c == '}') r += '}';
    }
    return r + "}";
}

std::string Par(const std::string& clave, const std::string& valor) {
    return clave + "=" + ValorOdbc(valor) + ";";
}

bool EsNumero(const std::string& s) {
    return !s.empty() &&
           std::all_of(s.begin(), s.end(), [](unsigned char c) { return std::isdigit(c); });
}

/// Keys of the SQL Server form that are rebuilt, and OLE DB-only keys that mean nothing to an
/// ODBC driver; every other extra key passes through.
bool ClaveConsumida(const std::string& k) {
    static const char* const kClaves[] = {"provider",
                                          "server",
                                          "data source",
                                          "address",
                                          "addr",
                                          "network address",
                                          "database",
                                          "initial catalog",
                                          "uid",
                                          "user id",
                                          "user",
                                          "pwd",
                                          "password",
                                          "persist security info",
                                          "application name",
                                          "workstation id",
                                          "integrated security"};
    return std::any_of(std::begin(kClaves), std::end(kClaves),
                       [&](const char* c) { return k == c; });
}

std::string CadenaSqlServer(const std::vector<ParClave>& pares) {
    std::string servidor =
        ValorDe(pares, {"server", "data source", "address", "addr", "network address"});
    if (servidor.empty())
        throw FallaMotor(ClaseFalla::Otra, "", 0,
                         "La cadena de conexión no indica el servidor de la base de datos");
    std::string puerto;
    const size_t dosPuntos = servidor.rfind(':');
    if (dosPuntos != std::string::npos && EsNumero(servidor.substr(dosPuntos + 1))) {
        puerto = servidor.substr(dosPuntos + 1);
        servidor.erase(dosPuntos);
    }
    const std::string driver = Entorno("ASIENTOS_ODBC_DRIVER", "FreeTDS");
    std::string r = "DRIVER=" + std::string("{") + driver + "};";
    r += Par("SERVER", servidor);
    if (!puerto.empty()) r += Par("Port", puerto);
    r += Par("DATABASE", ValorDe(pares, {"database", "initial catalog"}));
    r += Par("UID", ValorDe(pares, {"uid", "user id", "user"}));
    r += Par("PWD", ValorDe(pares, {"pwd", "password"}));
    // FreeTDS speaks the client's character set only when told; the program works in UTF-8.
    if (ContieneAscii(driver, "tds") && !Buscar(pares, {"clientcharset"}))
        r += "ClientCharset=UTF-8;";
    if (const ParClave* p = Buscar(pares, {"application name"})) r += Par("APP", p->valor);
    if (const ParClave* p = Buscar(pares, {"workstation id"})) r += Par("WSID", p->valor);
    if (const ParClave* p = Buscar(pares, {"integrated security"}))
        if (MinusculasAscii(p->valor) == "sspi" || MinusculasAscii(p->valor) == "true")
            r += "Trusted_Connection=Yes;";
    for (const ParClave& p : pares)
        if (!ClaveConsumida(MinusculasAscii(p.clave))) r += Par(p.clave, p.valor);
    return r;
}

std::string CadenaOracle(const std::vector<ParClave>& pares) {
    std::string r = "DRIVER={" + Entorno("ASIENTOS_ODBC_DRIVER_ORACLE", "Oracle") + "};";
    r += Par("DBQ", ValorDe(pares, {"data source"}));
    r += Par("UID", ValorDe(pares, {"user id", "uid", "user"}));
    r += Par("PWD", ValorDe(pares, {"password", "pwd"}));
    return r;
}

bool EmpiezaCon(const std::string& s, const char* prefijo) {
    const std::string t = MinusculasAscii(std::string(texto::SinEspacios(s)));
    const std::string p = MinusculasAscii(prefijo);
    if (t.compare(0, p.size(), p) != 0) return false;
    // "DRIVER =x" counts as well: after the word only blanks may come before "=".
    const size_t igual = t.find('=');
    return igual != std::string::npos &&
           texto::SinEspacios(std::string_view(t).substr(0, igual)) == p;
}

}  // namespace

std::string MinusculasAscii(std::string s) {
    for (char& c : s) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return s;
}

bool ContieneAscii(const std::string& s, const char* parte) {
    return MinusculasAscii(s).find(MinusculasAscii(parte)) != std::string::npos;
}

std::vector<ParClave> PartirCadena(std::string_view s) {
    std::vector<ParClave> pares;
    size_t i = 0;
    while (i < s.size()) {
        if (s[i] == ';' || s[i] == ' ') {
            ++i;
            continue;
        }
        const size_t igual = s.find('=', i);
        const size_t pc = s.find(';', i);
        if (igual == std::string_view::npos || (pc != std::string_view::npos && pc < igual)) {
            i = pc == std::string_view::npos ? s.size()
                                             : pc + 1;  // a fragment with no "=": dropped
            continue;
        }
        ParClave par;
        par.clave = texto::SinEspacios(s.substr(i, igual - i));
        i = igual + 1;
        par.valor = LeerValor(s, i);
        pares.push_back(std::move(par));
    }
    return pares;
}

std::string ValorDe(const std::vector<ParClave>& pares, std::initializer_list<const char*> claves) {
    const ParClave* p = Buscar(pares, claves);
    return p ? p->valor : std::string();
}

/// The sqliteodbc driver loads extensions named by "LoadExt=": the suite's functions and
/// collation reach an ODBC-to-SQLite connection that way when ASIENTOS_SQLITE_EXT is set.
std::string ConExtensionSqlite(const std::string& cadena) {
    const char* ext = std::getenv("ASIENTOS_SQLITE_EXT");
    if (!ext || !*ext) return cadena;
    const auto pares = PartirCadena(cadena);
    if (!ContieneAscii(ValorDe(pares, {"driver"}), "sqlite") || Buscar(pares, {"loadext"}))
        return cadena;
    std::string r = cadena;
    if (!r.empty() && r.back() != ';') r += ';';
    return r + Par("LoadExt", ext);
}

std::string CadenaOdbcDesdeAdo(const std::string& cadenaAdo) {
    if (EmpiezaCon(cadenaAdo, "driver") || EmpiezaCon(cadenaAdo, "dsn")) return cadenaAdo;
    const std::vector<ParClave> pares = PartirCadena(cadenaAdo);
    const std::string proveedor = MinusculasAscii(ValorDe(pares, {"provider"}));
    if (proveedor.find("jet") != std::string::npos)
        throw FallaMotor(ClaseFalla::Otra, "", 0,
                         "Una base de Access (" + proveedor + ") no se abre por ODBC");
    if (proveedor.find("oraoledb") != std::string::npos ||
        proveedor.find("msdaora") != std::string::npos)
        return CadenaOracle(pares);
    // A "#" in the server marks an Oracle connection even in the SQL Server form: the database
    // value is then the Oracle data source.
    if (ValorDe(pares, {"server", "data source"}).find('#') != std::string::npos) {
        std::vector<ParClave> oracle = {
            {"Data Source", ValorDe(pares, {"database", "initial catalog"})},
            {"User Id", ValorDe(pares, {"uid", "user id", "user"})},
            {"Password", ValorDe(pares, {"pwd", "password"})}};
        return CadenaOracle(oracle);
    }
    return CadenaSqlServer(pares);
}

}  // namespace data
