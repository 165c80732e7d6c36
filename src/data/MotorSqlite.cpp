#include "MotorSqlite.h"

#include <sqlite3.h>
#include <unistd.h>

#include <algorithm>
#include <charconv>
#include <chrono>
#include <climits>
#include <cstring>
#include <filesystem>

#include "LexicoSql.h"
#include "Plataforma.h"
#include "SemanticaSqlite.h"
#include "Texto.h"

using namespace helperlib;

namespace data {

namespace {

// ---------------------------------------------------------------------------------------------
// The one table that classifies SQLite failures. Rows are tried in order: a row matches when
// the primary result code is equal and, if it gives a message fragment, the engine's message
// contains it (ignoring case).

struct Clasificacion {
    int codigo;             // primary result code, or an extended one (compared whole)
    const char* fragmento;  // nullptr: any message
    ClaseFalla clase;
};

constexpr Clasificacion kClasificacion[] = {
    // Deleting the file of an open database makes every write fail as "readonly".
    {SQLITE_READONLY_DBMOVED, nullptr, ClaseFalla::ArchivoPerdido},
    {SQLITE_READONLY, nullptr, ClaseFalla::SoloLectura},
    {SQLITE_FULL, nullptr, ClaseFalla::DiscoLleno},
    {SQLITE_ERROR, "no such table", ClaseFalla::TablaInexistente},
    {SQLITE_ERROR, "no such view", ClaseFalla::TablaInexistente},
    {SQLITE_ERROR, "syntax error", ClaseFalla::Sintaxis},
    {SQLITE_ERROR, "incomplete input", ClaseFalla::Sintaxis},
    {SQLITE_ERROR, "unrecognized token", ClaseFalla::Sintaxis},
    {SQLITE_ERROR, "no such column", ClaseFalla::Sintaxis},
    {SQLITE_ERROR, "no such function", ClaseFalla::Sintaxis},
    {SQLITE_ERROR, "wrong number of arguments", ClaseFalla::Sintaxis},
    {SQLITE_ERROR, "ambiguous column", ClaseFalla::Sintaxis},
    // A value out of its type's range or of the wrong type: a data error, not a lost link.
    {SQLITE_ERROR, "integer overflow", ClaseFalla::Conversion},
    {SQLITE_MISMATCH, nullptr, ClaseFalla::Conversion},
    // A CHECK named largo_<column> states a column's width: its failure is a truncation.
    {SQLITE_CONSTRAINT, "CHECK constraint failed: largo_", ClaseFalla::Truncamiento},
    {SQLITE_CONSTRAINT, nullptr, ClaseFalla::Restriccion},
    {SQLITE_TOOBIG, nullptr, ClaseFalla::Truncamiento},
    {SQLITE_BUSY, nullptr, ClaseFalla::Ocupado},
    {SQLITE_LOCKED, nullptr, ClaseFalla::Ocupado},
    {SQLITE_MISUSE, nullptr, ClaseFalla::ObjetoCerrado},
    {SQLITE_CANTOPEN, nullptr, ClaseFalla::ConexionPerdida},
    {SQLITE_IOERR, nullptr, ClaseFalla::ConexionPerdida},
    {SQLITE_NOTADB, nullptr, ClaseFalla::Danada},
    {SQLITE_CORRUPT, nullptr, ClaseFalla::Danada},
};

ClaseFalla Clasificar(int codigoExtendido, const std::string& mensaje) {
    const int primario = codigoExtendido & 0xFF;
    for (const auto& c : kClasificacion) {
        if (c.codigo > 0xFF ? c.codigo != codigoExtendido : c.codigo != primario) continue;
        if (c.fragmento == nullptr || texto::ContieneSinCaso(mensaje, c.fragmento)) return c.clase;
    }
    return ClaseFalla::Otra;
}

/// True when nothing but blanks and semicolons is left: the text was one whole statement.
bool SoloBlancos(const char* p, const char* fin) {
    for (; p < fin; ++p)
        if (*p != ' ' && *p != '\t' && *p != '\r' && *p != '\n' && *p != ';') return false;
    return true;
}

bool Contiene(std::string_view s, std::string_view palabra) {
    return s.find(palabra) != std::string::npos;
}

/// Whether a statement prepared with its literals as "?" gives what the text with the literals
/// gives: one read-only query, parameters only where the literals were, and no literal among
/// the result columns (a column's name would show "?" instead of the literal).
bool FormaAdmisible(sqlite3_stmt* st, size_t literales) {
    if (!sqlite3_stmt_readonly(st) || sqlite3_stmt_isexplain(st) != 0) return false;
    const int columnas = sqlite3_column_count(st);
    if (columnas == 0 || sqlite3_bind_parameter_count(st) != static_cast<int>(literales))
        return false;
    for (int k = 1; k <= static_cast<int>(literales); ++k)
        if (sqlite3_bind_parameter_name(st, k) != nullptr) return false;
    for (int c = 0; c < columnas; ++c) {
        const char* nombre = sqlite3_column_name(st, c);
        if (nombre == nullptr || std::strchr(nombre, '?') != nullptr) return false;
    }
    return true;
}

/// Pause between two looks at a lock held by another process.
constexpr int kPausaEsperaMs = 25;

/// Runs a call on the platform from inside the engine's C callback, which nothing may leave
/// by an exception: a failure there only costs the repaint or the cursor.
template <class F>
void AvisarPlataforma(F&& f) noexcept {
    try {
        f();
    } catch (...) {
    }
}

}  // namespace

int TipoAdoDeDeclarado(const char* declarado, int tipoValor) {
    if (declarado == nullptr || *declarado == '\0') {
        switch (tipoValor) {
            case SQLITE_INTEGER:
                return 3;
            case SQLITE_FLOAT:
                return 5;
            case SQLITE_BLOB:
                return 205;
            default:
                return 200;
        }
    }
    // The type names looked for are ASCII: only ASCII letters need their capitals.
    std::string d = declarado;
    for (char& c : d)
        if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
    if (d.rfind("CHAR", 0) == 0 || d.rfind("NCHAR", 0) == 0) return 129;
    if (Contiene(d, "CHAR") || Contiene(d, "TEXT") || Contiene(d, "CLOB")) return 200;
    if (Contiene(d, "BIGINT")) return 20;
    if (Contiene(d, "SMALLINT")) return 2;
    if (Contiene(d, "TINYINT")) return 17;
    if (Contiene(d, "INT")) return 3;
    if (Contiene(d, "MONEY")) return 6;
    if (Contiene(d, "DEC") || Contiene(d, "NUMERIC")) return 131;
    if (Contiene(d, "DATE") || Contiene(d, "TIME")) return 135;
    if (Contiene(d, "BIT") || Contiene(d, "BOOL")) return 11;
    if (Contiene(d, "REAL") || Contiene(d, "FLOA") || Contiene(d, "DOUB")) return 5;
    if (Contiene(d, "BLOB") || Contiene(d, "BINARY") || Contiene(d, "IMAGE")) return 205;
    return 200;
}

void MotorSqlite::CerrarBase::operator()(sqlite3* db) const noexcept { sqlite3_close_v2(db); }

MotorSqlite::MotorSqlite(const std::string& ruta) : ruta_(ruta) {
    std::error_code ec;
    if (!std::filesystem::is_regular_file(ruta, ec)) {
        throw FallaMotor(ClaseFalla::ConexionPerdida, "08001", SQLITE_CANTOPEN,
                         "No se encuentra la base de datos \"" + ruta + "\"");
    }
    sqlite3* db = nullptr;
    // One thread uses a connection: the engine's own locking of every call (a mutex taken and
    // released for each value read) is not needed.
    const int rc =
        sqlite3_open_v2(ruta.c_str(), &db, SQLITE_OPEN_READWRITE | SQLITE_OPEN_NOMUTEX, nullptr);
    db_.reset(db);  // owned even when the open failed, so that it is released
    if (rc != SQLITE_OK) Fallar(rc);
    // The lock wait applies from the first statement on: the catalogue read below must wait for
    // another process's commit instead of failing at once as locked. While it waits, the
    // windows keep painting.
    sqlite3_busy_handler(db, &MotorSqlite::AlEsperar, this);
    FijarTiempoEspera(kEsperaInicialSegundos);
    sqlite3_extended_result_codes(db, 1);
    if (RegistrarSemanticaSuite(db) != SQLITE_OK) Fallar(sqlite3_errcode(db));
    // Reading the catalogue tells a database from any other file now rather than at the first
    // statement; the suite's server checks its foreign keys, so this engine does too.
    Ejecutar("SELECT count(*) FROM sqlite_master");
    Ejecutar("PRAGMA foreign_keys = ON");
}

MotorSqlite::~MotorSqlite() { guardadas_.clear(); }  // statements go before the database

void MotorSqlite::Finalizar::operator()(sqlite3_stmt* st) const noexcept { sqlite3_finalize(st); }

sqlite3* MotorSqlite::Manejador() const { return db_.get(); }

void MotorSqlite::Fallar(int codigo) const {
    std::string mensaje = db_ ? sqlite3_errmsg(db_.get()) : sqlite3_errstr(codigo);
    const int extendido = db_ ? sqlite3_extended_errcode(db_.get()) : codigo;
    // When the handle holds no error of its own (e.g. a misuse), the code tells what happened.
    if ((extendido & 0xFF) != (codigo & 0xFF)) mensaje = sqlite3_errstr(codigo);
    const int usado = (extendido & 0xFF) == (codigo & 0xFF) ? extendido : codigo;
    throw FallaMotor(ClasificarEnArchivo(usado, mensaje), "", usado, mensaje);
}

ClaseFalla MotorSqlite::ClasificarEnArchivo(int codigo, const std::string& mensaje) const {
    const ClaseFalla clase = Clasificar(codigo, mensaje);
    const int primario = codigo & 0xFF;
    const bool deArchivo =
        primario == SQLITE_READONLY || primario == SQLITE_IOERR || primario == SQLITE_CANTOPEN;
    if (!deArchivo || ruta_.empty()) return clase;
    // The engine names these after what it tried; the file and its folder tell why.
    std::error_code ec;
    if (!std::filesystem::exists(ruta_, ec)) return ClaseFalla::ArchivoPerdido;
    if (primario == SQLITE_CANTOPEN && !SeAdmiteEscritura(ruta_)) return ClaseFalla::SoloLectura;
    return clase;
}

bool MotorSqlite::SeAdmiteEscritura(const std::string& ruta) {
    const std::filesystem::path p(ruta);
    const std::filesystem::path carpeta = p.has_parent_path() ? p.parent_path() : ".";
    // The folder must take the journal written beside the file during every write.
    return access(ruta.c_str(), W_OK) == 0 && access(carpeta.c_str(), W_OK | X_OK) == 0;
}

bool MotorSqlite::SoloLectura() {
    if (!db_) return false;
    return sqlite3_db_readonly(db_.get(), "main") == 1 || !SeAdmiteEscritura(ruta_);
}

bool MotorSqlite::EnTransaccion() { return db_ && sqlite3_get_autocommit(db_.get()) == 0; }

int MotorSqlite::AlEsperar(void* motor, int veces) noexcept {
    auto& m = *static_cast<MotorSqlite*>(motor);
    const auto ahora = std::chrono::steady_clock::now();
    if (veces == 0) {
        m.inicioEspera_ = ahora;
        if (!m.esperando_) {
            m.esperando_ = true;
            AvisarPlataforma([] { plataforma().IndicadorOcupado(true); });
        }
    }
    const auto transcurrido =
        std::chrono::duration_cast<std::chrono::milliseconds>(ahora - m.inicioEspera_).count();
    if (transcurrido >= m.esperaMs_) return 0;  // the statement fails as busy
    const long long resta = m.esperaMs_ - transcurrido;
    sqlite3_sleep(static_cast<int>(std::min<long long>(kPausaEsperaMs, resta)));
    AvisarPlataforma([] { plataforma().RepintarPendientes(); });
    return 1;
}

void MotorSqlite::TerminarEspera() noexcept {
    if (!esperando_) return;
    esperando_ = false;
    AvisarPlataforma([] { plataforma().IndicadorOcupado(false); });
}

ResultadoSql MotorSqlite::Ejecutar(const std::string& sql) {
    ResultadoSql r;
    Correr(sql, nullptr, r);
    return r;
}

ResultadoSql MotorSqlite::EjecutarConParametros(const std::string& sql,
                                                const std::vector<ValorSql>& parametros) {
    ResultadoSql r;
    Correr(sql, &parametros, r);
    return r;
}

data::TablaResultado MotorSqlite::Leer(const std::string& sql) {
    data::TablaResultado r;
    Correr(sql, nullptr, r);
    return r;
}

MotorSqlite::Guardada MotorSqlite::Tomar(const std::string& sql, bool forma) {
    for (auto it = guardadas_.begin(); it != guardadas_.end(); ++it) {
        if (it->forma != forma || it->sql != sql) continue;
        Guardada g = std::move(*it);
        guardadas_.erase(it);
        return g;
    }
    return {};
}

void MotorSqlite::Guardar(Guardada g) {
    // Reset ends the statement's read of the database (a finished SELECT would otherwise keep
    // its lock); the values bound without copy must not outlive this call.
    sqlite3_reset(g.st.get());
    sqlite3_clear_bindings(g.st.get());
    if (guardadas_.size() >= kSentenciasGuardadas) guardadas_.erase(guardadas_.begin());
    guardadas_.push_back(std::move(g));
}

namespace {

// Rows as vectors of values (ResultadoSql) or in one buffer (data::TablaResultado): the same
// stepping fills either.
void Empezar(std::vector<std::vector<ValorSql>>& filas, int) { filas.clear(); }
void Empezar(data::FilasResultado& filas, int columnas) {
    filas = data::FilasResultado(static_cast<size_t>(columnas));
}
void NuevaFila(std::vector<std::vector<ValorSql>>& filas, int columnas) {
    filas.emplace_back().reserve(static_cast<size_t>(columnas));
}
void NuevaFila(data::FilasResultado&, int) {}
void Valor(std::vector<std::vector<ValorSql>>& filas, const char* p, size_t n) {
    filas.back().emplace_back(std::in_place, p, n);
}
void Valor(data::FilasResultado& filas, const char* p, size_t n) {
    filas.Agregar(std::string_view(p, n));
}
void Nulo(std::vector<std::vector<ValorSql>>& filas) { filas.back().emplace_back(std::nullopt); }
void Nulo(data::FilasResultado& filas) { filas.AgregarNulo(); }
/// Before the first row is stored: the buffer takes the texts and cell bounds of that row,
/// whose values are already read, in one allocation each (a result of one row, the usual
/// look-up, then grows no further).
void PrimeraFila(std::vector<std::vector<ValorSql>>&, size_t) {}
void PrimeraFila(data::FilasResultado& filas, size_t bytes) { filas.Reservar(1, bytes); }
size_t Cantidad(const std::vector<std::vector<ValorSql>>& filas) { return filas.size(); }
size_t Cantidad(const data::FilasResultado& filas) { return filas.Filas(); }

}  // namespace

template <class Resultado>
void MotorSqlite::Correr(const std::string& sql, const std::vector<ValorSql>* parametros,
                         Resultado& r) {
    struct FinEspera {  // the busy cursor of a lock wait ends with the statement
        MotorSqlite& m;
        ~FinEspera() { m.TerminarEspera(); }
    } finEspera{*this};
    if (!db_) {
        throw FallaMotor(ClaseFalla::ObjetoCerrado, "08003", SQLITE_MISUSE,
                         "La conexion con la base de datos esta cerrada");
    }
    // A query that differs from an earlier one only in its text literals runs the statement
    // prepared for the earlier one with the literals bound as values.
    if (!parametros && CorrerConLiterales(sql, r)) return;
    // A text run before as one whole statement reuses its prepared statement. A statement
    // whose run fails is finalized, never kept; SQLite prepares a kept one again by itself when
    // the schema changed since.
    if (Guardada g = Tomar(sql, false); g.st) {
        Paso(g.st.get(), parametros, r, g.columnas);
        Guardar(std::move(g));
        return;
    }
    const char* resto = sql.c_str();
    const char* fin = resto + sql.size();
    bool primera = true;
    while (resto < fin) {
        sqlite3_stmt* crudo = nullptr;
        const int rcPrep =
            sqlite3_prepare_v2(db_.get(), resto, static_cast<int>(fin - resto), &crudo, &resto);
        Guardada g{sql, Sentencia(crudo), false, {}};
        if (rcPrep != SQLITE_OK) Fallar(rcPrep);
        if (!g.st) break;  // only blanks or comments were left
        Paso(g.st.get(), primera ? parametros : nullptr, r, g.columnas);
        if (primera && SoloBlancos(resto, fin)) {
            Guardar(std::move(g));
            break;
        }
        primera = false;
    }
}

template <class Resultado>
bool MotorSqlite::CorrerConLiterales(const std::string& sql, Resultado& r) {
    // The cut goes to buffers kept from one statement to the next; the form and the values are
    // this run's own, since a lock wait (also while preparing) may repaint and a repaint may
    // run a statement.
    std::vector<std::string>& partes = partesForma_;
    std::vector<std::string>& literales = literalesForma_;
    if (!CortarLiterales(sql, partes, literales)) return false;
    std::string forma = partes[0];
    for (size_t k = 1; k < partes.size(); ++k) (forma += '?') += partes[k];
    const std::vector<std::string> valores = literales;
    return CorrerForma(forma, valores, r);
}

template <class Resultado>
bool MotorSqlite::CorrerForma(const std::string& forma, const std::vector<std::string>& valores,
                              Resultado& r) {
    Guardada g = Tomar(forma, true);
    if (g.st && sqlite3_bind_parameter_count(g.st.get()) != static_cast<int>(valores.size())) {
        // The text has a "?" of its own where the kept one had a literal.
        Guardar(std::move(g));
        return false;
    }
    if (!g.st) {
        if (std::find(rechazadas_.begin(), rechazadas_.end(), forma) != rechazadas_.end())
            return false;
        sqlite3_stmt* crudo = nullptr;
        const char* resto = nullptr;
        const int rc = sqlite3_prepare_v2(db_.get(), forma.c_str(), static_cast<int>(forma.size()),
                                          &crudo, &resto);
        g = Guardada{forma, Sentencia(crudo), true, {}};
        // A database locked past the wait fails now: the text itself would wait all over again.
        if ((rc & 0xFF) == SQLITE_BUSY || (rc & 0xFF) == SQLITE_LOCKED) Fallar(rc);
        if (rc != SQLITE_OK || !g.st || !SoloBlancos(resto, forma.c_str() + forma.size()) ||
            !FormaAdmisible(g.st.get(), valores.size())) {
            if (rechazadas_.size() >= kSentenciasGuardadas) rechazadas_.clear();
            rechazadas_.push_back(forma);
            return false;
        }
    }
    Paso(g.st.get(), &valores, r, g.columnas);
    Guardar(std::move(g));
    return true;
}

data::TablaResultado MotorSqlite::LeerForma(const FormaConsulta& forma,
                                            const std::vector<std::string>& valores) {
    data::TablaResultado r;
    struct FinEspera {  // the busy cursor of a lock wait ends with the statement
        MotorSqlite& m;
        ~FinEspera() { m.TerminarEspera(); }
    } finEspera{*this};
    if (db_ && CorrerForma(forma.Consulta, valores, r)) return r;
    // A form the engine cannot take with its literals as values runs as the whole text.
    std::string sql;
    CoserLiterales(forma.Partes, valores, sql);
    Correr(sql, static_cast<const std::vector<ValorSql>*>(nullptr), r);
    return r;
}

namespace {
/// The columns read for a statement given to a result: shared by a TablaResultado, copied into
/// a ResultadoSql.
void CompartirColumnas(ResultadoSql& r, const ColumnasCompartidas& c) { r.Columnas = *c; }
void CompartirColumnas(data::TablaResultado& r, const ColumnasCompartidas& c) { r.Columnas = c; }

/// Binds a value without a copy (the caller's values outlive the run, and Guardar clears the
/// bindings before returning).
int Vincular(sqlite3_stmt* st, int k, const ValorSql& v) {
    return v ? sqlite3_bind_text(st, k, v->data(), static_cast<int>(v->size()), SQLITE_STATIC)
             : sqlite3_bind_null(st, k);
}
int Vincular(sqlite3_stmt* st, int k, const std::string& v) {
    return sqlite3_bind_text(st, k, v.data(), static_cast<int>(v.size()), SQLITE_STATIC);
}
}  // namespace

template <class Resultado, class Valores>
void MotorSqlite::Paso(sqlite3_stmt* st, const Valores* parametros, Resultado& r,
                       ColumnasLeidas& leidas) {
    sqlite3* db = db_.get();
    if (parametros) {
        const int esperados = sqlite3_bind_parameter_count(st);
        if (esperados != static_cast<int>(parametros->size())) {
            throw FallaMotor(ClaseFalla::Otra, "07002", SQLITE_RANGE,
                             "El numero de parametros no coincide con la sentencia");
        }
        for (int k = 0; k < esperados; ++k) {
            const int rc = Vincular(st, k + 1, (*parametros)[static_cast<size_t>(k)]);
            if (rc != SQLITE_OK) Fallar(rc);
        }
    }
    decltype(r.Filas) filas;
    // The first step prepares a kept statement again when the schema changed since its last
    // run, so its shape (SELECT * after a new column) is read after it.
    int rc = sqlite3_step(st);
    const int ncol = sqlite3_column_count(st);
    // Column types: declared, else the first value's (text when there is no row).
    const auto columnas = [&](bool conFila) {
        const int preparaciones = sqlite3_stmt_status(st, SQLITE_STMTSTATUS_REPREPARE, 0);
        if (leidas.preparaciones != preparaciones || !leidas.columnas ||
            leidas.columnas->size() != static_cast<size_t>(ncol)) {
            // Made anew, never changed in place: earlier results may still share them.
            std::vector<ColumnaResultado> nuevas;
            nuevas.reserve(static_cast<size_t>(ncol));
            leidas.segunValor.assign(static_cast<size_t>(ncol), 0);
            leidas.algunaSegunValor = false;
            for (int c = 0; c < ncol; ++c) {
                const char* declarado = sqlite3_column_decltype(st, c);
                const bool segunValor = declarado == nullptr || *declarado == '\0';
                leidas.segunValor[static_cast<size_t>(c)] = segunValor;
                leidas.algunaSegunValor = leidas.algunaSegunValor || segunValor;
                nuevas.push_back({sqlite3_column_name(st, c),
                                  segunValor ? 0 : TipoAdoDeDeclarado(declarado, SQLITE_TEXT)});
            }
            leidas.columnas =
                std::make_shared<const std::vector<ColumnaResultado>>(std::move(nuevas));
            leidas.preparaciones = preparaciones;
        }
        if (!leidas.algunaSegunValor) return CompartirColumnas(r, leidas.columnas);
        std::vector<ColumnaResultado> propias = *leidas.columnas;
        for (int c = 0; c < ncol; ++c)
            if (leidas.segunValor[static_cast<size_t>(c)])
                propias[static_cast<size_t>(c)].TipoAdo =
                    TipoAdoDeDeclarado(nullptr, conFila ? sqlite3_column_type(st, c) : SQLITE_TEXT);
        PonerColumnas(r, std::move(propias));
    };
    // A value's text and length, through one look-up of the column in the statement (the
    // connection is used by one thread, so the value may be read outside the statement's
    // lock). The text is null only for Null, or when the engine ran out of memory making it.
    // An integer is written out here, in plain decimal as the engine writes it, into its
    // column's slot: made by the engine, its text would be allocated, written and measured
    // inside the statement (most of an account list's columns are integers).
    enterosFila_.resize(static_cast<size_t>(ncol));
    const auto leer = [&](int c) -> std::string_view {
        sqlite3_value* v = sqlite3_column_value(st, c);
        if (sqlite3_value_type(v) == SQLITE_INTEGER) {
            auto& hueco = enterosFila_[static_cast<size_t>(c)];
            const auto fin =
                std::to_chars(hueco.data(), hueco.data() + hueco.size(), sqlite3_value_int64(v))
                    .ptr;
            return {hueco.data(), static_cast<size_t>(fin - hueco.data())};
        }
        const auto* p = reinterpret_cast<const char*>(sqlite3_value_text(v));
        if (p != nullptr) return {p, static_cast<size_t>(sqlite3_value_bytes(v))};
        if (sqlite3_value_type(v) != SQLITE_NULL) Fallar(SQLITE_NOMEM);
        return {};
    };
    const auto guardar = [&](std::string_view valor) {
        if (valor.data() != nullptr)
            Valor(filas, valor.data(), valor.size());
        else
            Nulo(filas);
    };
    Empezar(filas, ncol);
    for (bool primera = true; rc == SQLITE_ROW; rc = sqlite3_step(st), primera = false) {
        NuevaFila(filas, ncol);
        if (!primera) {
            for (int c = 0; c < ncol; ++c) guardar(leer(c));
            continue;
        }
        // The first row: its values are read once, to size the buffer and then to store them.
        columnas(true);
        std::vector<std::string_view>& vistas = vistasPrimeraFila_;
        vistas.clear();
        size_t bytes = 0;
        for (int c = 0; c < ncol; ++c) bytes += vistas.emplace_back(leer(c)).size();
        PrimeraFila(filas, bytes);
        for (const std::string_view v : vistas) guardar(v);
    }
    if (rc != SQLITE_DONE) Fallar(rc);
    if (ncol > 0) {
        if (Cantidad(filas) == 0) columnas(false);
        r.Filas = std::move(filas);
    } else if (!sqlite3_stmt_readonly(st)) {
        r.Afectadas = static_cast<long>(sqlite3_changes64(db));
    }
}

void MotorSqlite::Comenzar() { Ejecutar("BEGIN IMMEDIATE"); }
void MotorSqlite::Confirmar() { Ejecutar("COMMIT"); }
void MotorSqlite::Revertir() {
    if (!EnTransaccion()) return;  // cancelled by the engine already: nothing to undo
    Ejecutar("ROLLBACK");
}

void MotorSqlite::FijarTiempoEspera(int segundos) {
    const long long ms = segundos <= 0 ? INT_MAX : static_cast<long long>(segundos) * 1000;
    esperaMs_ = static_cast<int>(ms > INT_MAX ? INT_MAX : ms);
}

std::string MotorSqlite::BaseActual() { return std::filesystem::path(ruta_).stem().string(); }

void MotorSqlite::FijarBaseActual(const std::string& base) {
    if (texto::IgualesSinCaso(texto::Recortar(base), BaseActual())) return;
    throw FallaMotor(ClaseFalla::Otra, "42000", 911,
                     "No existe la base de datos \"" + base + "\" en esta conexion");
}

std::vector<std::string> MotorSqlite::Tablas() {
    const auto r = Ejecutar(
        "SELECT name FROM sqlite_master WHERE type IN ('table','view') "
        "AND substr(name,1,7) <> 'sqlite_' ORDER BY name");
    std::vector<std::string> nombres;
    for (const auto& f : r.Filas) nombres.push_back(f[0].value_or(""));
    return nombres;
}

std::vector<std::string> MotorSqlite::Columnas(const std::string& tabla) {
    const auto r =
        Ejecutar("PRAGMA table_info(\"" + texto::Reemplazar(tabla, "\"", "\"\"") + "\")");
    std::vector<std::string> nombres;
    for (const auto& f : r.Filas) nombres.push_back(f[1].value_or(""));
    return nombres;
}

}  // namespace data
