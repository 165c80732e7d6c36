#include "MotorOdbc.h"

#include <sql.h>
#include <sqlext.h>

#include <algorithm>
#include <cctype>
#include <cstdlib>
#include <cstring>
#include <map>
#include <utility>

#include "Texto.h"

using namespace helperlib;

namespace data {

namespace {

// ---------------------------------------------------------------------------------------------
// Diagnostics.

struct Diagnostico {
    std::string estado;
    long nativo = 0;
    std::string mensaje;
};

std::vector<Diagnostico> LeerDiagnosticos(SQLSMALLINT tipo, SQLHANDLE h) {
    std::vector<Diagnostico> r;
    if (!h) return r;
    for (SQLSMALLINT n = 1;; ++n) {
        SQLCHAR estado[6] = {};
        SQLINTEGER nativo = 0;
        SQLSMALLINT largo = 0;
        std::vector<SQLCHAR> mensaje(1024);
        SQLRETURN rc = SQLGetDiagRec(tipo, h, n, estado, &nativo, mensaje.data(),
                                     static_cast<SQLSMALLINT>(mensaje.size()), &largo);
        if (rc == SQL_SUCCESS_WITH_INFO && largo >= static_cast<SQLSMALLINT>(mensaje.size())) {
            mensaje.resize(static_cast<size_t>(largo) + 1);
            rc = SQLGetDiagRec(tipo, h, n, estado, &nativo, mensaje.data(),
                               static_cast<SQLSMALLINT>(mensaje.size()), &largo);
        }
        if (!SQL_SUCCEEDED(rc)) break;
        r.push_back({reinterpret_cast<char*>(estado), static_cast<long>(nativo),
                     reinterpret_cast<char*>(mensaje.data())});
    }
    return r;
}

/// The failure for the diagnostics of `h`: the first record that is not a warning ("01xxx")
/// gives state, native code and class; the messages of every record make the description.
FallaMotor FallaDe(SQLSMALLINT tipo, SQLHANDLE h, SQLRETURN rc, Dialecto dialecto,
                   const char* operacion) {
    const std::vector<Diagnostico> diags = LeerDiagnosticos(tipo, h);
    if (diags.empty())
        return FallaMotor(ClaseFalla::Otra, "", rc,
                          std::string("El controlador ODBC no informó el error de ") + operacion +
                              " (código " + std::to_string(rc) + ")");
    auto principal = std::find_if(diags.begin(), diags.end(), [](const Diagnostico& d) {
        return d.estado.rfind("01", 0) != 0;
    });
    if (principal == diags.end()) principal = diags.begin();
    std::string descripcion = principal->mensaje;
    for (const Diagnostico& d : diags)
        if (&d != &*principal && d.mensaje != principal->mensaje) descripcion += "\n" + d.mensaje;
    return FallaMotor(
        ClasificarFallaOdbc(principal->estado, principal->nativo, principal->mensaje, dialecto),
        principal->estado, principal->nativo, descripcion);
}

// ---------------------------------------------------------------------------------------------
// Handles.

/// Owns one ODBC handle; frees it in the destructor.
class ManijaOdbc {
  public:
    ManijaOdbc(SQLSMALLINT tipo, SQLSMALLINT tipoPadre, SQLHANDLE padre, Dialecto dialecto)
        : tipo_(tipo) {
        const SQLRETURN rc = SQLAllocHandle(tipo, padre, &h_);
        if (!SQL_SUCCEEDED(rc)) {
            h_ = SQL_NULL_HANDLE;
            if (padre) throw FallaDe(tipoPadre, padre, rc, dialecto, "reserva de manejador");
            throw FallaMotor(ClaseFalla::Otra, "", rc,
                             "No se pudo crear el entorno ODBC (¿falta unixODBC?)");
        }
    }
    ~ManijaOdbc() noexcept {
        if (h_) SQLFreeHandle(tipo_, h_);
    }
    ManijaOdbc(ManijaOdbc&& otra) noexcept
        : tipo_(otra.tipo_), h_(std::exchange(otra.h_, nullptr)) {}
    ManijaOdbc(const ManijaOdbc&) = delete;
    ManijaOdbc& operator=(const ManijaOdbc&) = delete;
    ManijaOdbc& operator=(ManijaOdbc&&) = delete;
    SQLHANDLE get() const noexcept { return h_; }
    SQLSMALLINT tipo() const noexcept { return tipo_; }

  private:
    SQLSMALLINT tipo_;
    SQLHANDLE h_ = nullptr;
};

/// The connection handle plus its link: disconnects (rolling back an open transaction first,
/// so nothing half-done is committed by the disconnection) before the handle is freed.
class EnlaceOdbc {
  public:
    explicit EnlaceOdbc(const ManijaOdbc& entorno)
        : dbc_(SQL_HANDLE_DBC, SQL_HANDLE_ENV, entorno.get(), Dialecto::SqlServer) {}
    ~EnlaceOdbc() noexcept {
        if (!conectado_) return;
        if (enTransaccion_) SQLEndTran(SQL_HANDLE_DBC, dbc_.get(), SQL_ROLLBACK);
        SQLDisconnect(dbc_.get());
    }
    EnlaceOdbc(const EnlaceOdbc&) = delete;
    EnlaceOdbc& operator=(const EnlaceOdbc&) = delete;
    SQLHDBC get() const noexcept { return dbc_.get(); }
    bool conectado_ = false;
    bool enTransaccion_ = false;

  private:
    ManijaOdbc dbc_;
};

int TipoAdoDe(SQLSMALLINT tipoSql) {
    switch (tipoSql) {
        case SQL_CHAR:
            return 129;
        case SQL_VARCHAR:
            return 200;
        case SQL_LONGVARCHAR:
            return 201;
        case SQL_WCHAR:
            return 130;
        case SQL_WVARCHAR:
            return 202;
        case SQL_WLONGVARCHAR:
            return 203;
        case SQL_INTEGER:
            return 3;
        case SQL_SMALLINT:
            return 2;
        case SQL_TINYINT:
            return 17;
        case SQL_BIGINT:
            return 20;
        case SQL_DECIMAL:
        case SQL_NUMERIC:
            return 131;
        case SQL_TYPE_TIMESTAMP:
        case SQL_TIMESTAMP:
            return 135;
        case SQL_TYPE_DATE:
        case SQL_DATE:
            return 133;
        case SQL_TYPE_TIME:
        case SQL_TIME:
            return 134;
        case SQL_BIT:
            return 11;
        case SQL_DOUBLE:
        case SQL_FLOAT:
        case SQL_REAL:
            return 5;
        case SQL_BINARY:
            return 128;
        case SQL_VARBINARY:
            return 204;
        case SQL_LONGVARBINARY:
            return 205;
        case SQL_GUID:
            return 72;
        default:
            return 200;
    }
}

// ---------------------------------------------------------------------------------------------
// The engine.

class MotorOdbc final : public Motor {
  public:
    explicit MotorOdbc(const std::string& cadena)
        : entorno_(SQL_HANDLE_ENV, 0, SQL_NULL_HANDLE, Dialecto::SqlServer), cadena_(cadena) {
        // Without ODBC 3 behaviour the SQL states differ, and without the login time-out a
        // server that does not answer would hold the program: both are required.
        const SQLRETURN version = SQLSetEnvAttr(entorno_.get(), SQL_ATTR_ODBC_VERSION,
                                                reinterpret_cast<SQLPOINTER>(SQL_OV_ODBC3), 0);
        if (!SQL_SUCCEEDED(version))
            throw FallaDe(SQL_HANDLE_ENV, entorno_.get(), version, Dialecto::SqlServer,
                          "preparación del entorno ODBC");
        enlace_ = std::make_unique<EnlaceOdbc>(entorno_);
        const SQLRETURN espera =
            SQLSetConnectAttr(enlace_->get(), SQL_ATTR_LOGIN_TIMEOUT,
                              reinterpret_cast<SQLPOINTER>(kSegundosConexion), 0);
        if (!SQL_SUCCEEDED(espera))
            throw FallaDe(SQL_HANDLE_DBC, enlace_->get(), espera, Dialecto::SqlServer,
                          "tiempo de espera de la conexión");
        std::vector<SQLCHAR> entrada(cadena.begin(), cadena.end());
        entrada.push_back(0);
        SQLCHAR salida[2048] = {};
        SQLSMALLINT largoSalida = 0;
        const SQLRETURN rc =
            SQLDriverConnect(enlace_->get(), nullptr, entrada.data(), SQL_NTS, salida,
                             sizeof salida, &largoSalida, SQL_DRIVER_NOPROMPT);
        if (!SQL_SUCCEEDED(rc)) {
            FallaMotor f =
                FallaDe(SQL_HANDLE_DBC, enlace_->get(), rc, Dialecto::SqlServer, "conexión");
            // A failed login is not a lost link: the caller shows the driver's own values.
            throw FallaMotor(ClaseFalla::Otra, f.EstadoSql, f.NativoMotor, f.Descripcion);
        }
        enlace_->conectado_ = true;
        dialecto_ = DetectarDialecto();
    }

    ~MotorOdbc() override = default;

    Dialecto DialectoSql() const override { return dialecto_; }

    ResultadoSql Ejecutar(const std::string& sql) override {
        ManijaOdbc st = NuevaSentencia();
        return Resultados<ResultadoSql>(st, Directa(st, sql), "ejecución");
    }

    /// Fetches the rows straight into one buffer.
    data::TablaResultado Leer(const std::string& sql) override {
        ManijaOdbc st = NuevaSentencia();
        return Resultados<data::TablaResultado>(st, Directa(st, sql), "ejecución");
    }

    ResultadoSql EjecutarConParametros(const std::string& sql,
                                       const std::vector<ValorSql>& parametros) override {
        ManijaOdbc st = NuevaSentencia();
        std::vector<SQLCHAR> texto(sql.begin(), sql.end());
        texto.push_back(0);
        Comprobar(st, SQLPrepare(st.get(), texto.data(), SQL_NTS), "preparación");
        // The bound buffers must outlive SQLExecute: they live in these vectors.
        std::vector<std::string> valores(parametros.size());
        std::vector<SQLLEN> indicadores(parametros.size());
        for (size_t i = 0; i < parametros.size(); ++i) {
            const bool nulo = !parametros[i].has_value();
            valores[i] = nulo ? std::string() : *parametros[i];
            indicadores[i] = nulo ? SQL_NULL_DATA : static_cast<SQLLEN>(valores[i].size());
            const SQLULEN largo = std::max<SQLULEN>(valores[i].size(), 1);
            const SQLSMALLINT tipo = largo > 8000 ? SQL_LONGVARCHAR : SQL_VARCHAR;
            Comprobar(st,
                      SQLBindParameter(st.get(), static_cast<SQLUSMALLINT>(i + 1), SQL_PARAM_INPUT,
                                       SQL_C_CHAR, tipo, largo, 0, valores[i].data(),
                                       static_cast<SQLLEN>(valores[i].size()), &indicadores[i]),
                      "asociación de parámetros");
        }
        return Resultados<ResultadoSql>(st, SQLExecute(st.get()), "ejecución");
    }

    void Comenzar() override {
        if (enlace_->enTransaccion_) throw SinTransaccionValida("Ya hay una transacción abierta");
        ComprobarEnlace(SQLSetConnectAttr(enlace_->get(), SQL_ATTR_AUTOCOMMIT,
                                          reinterpret_cast<SQLPOINTER>(SQL_AUTOCOMMIT_OFF), 0),
                        "inicio de transacción");
        enlace_->enTransaccion_ = true;
    }

    void Confirmar() override { Terminar(SQL_COMMIT, "confirmación de transacción"); }
    void Revertir() override {
        if (!enlace_->enTransaccion_) return;  // nothing begun here is left to undo
        Terminar(SQL_ROLLBACK, "reversión de transacción");
    }

    /// SQL Server is asked (@@TRANCOUNT): it cancels a transaction by itself after some
    /// failures (a deadlock, a full log) while the driver stays in manual-commit mode, where
    /// the next statement would open a new transaction of its own. Other drivers keep the
    /// transaction as long as the link lives.
    bool EnTransaccion() override {
        if (!enlace_->enTransaccion_ || !Viva()) return false;
        if (dialecto_ != Dialecto::SqlServer) return true;
        try {
            const ResultadoSql r = Ejecutar("SELECT @@TRANCOUNT");
            return !r.Filas.empty() && !r.Filas[0].empty() && r.Filas[0][0] &&
                   std::atol(r.Filas[0][0]->c_str()) > 0;
        } catch (const FallaMotor&) {
            return false;
        }
    }

    /// Applied as the statement time-out of every later statement. The SQLite driver does not
    /// honour it: there lock waits follow the "Timeout=<ms>" value of the connection string
    /// (100 s when absent), which cannot change once connected.
    void FijarTiempoEspera(int segundos) override { tiempoEspera_ = std::max(segundos, 0); }

    std::string BaseActual() override {
        if (dialecto_ == Dialecto::Sqlite) return BaseSqlite();
        SQLCHAR nombre[512] = {};
        SQLINTEGER largo = 0;
        ComprobarEnlace(SQLGetConnectAttr(enlace_->get(), SQL_ATTR_CURRENT_CATALOG, nombre,
                                          sizeof nombre, &largo),
                        "lectura de la base actual");
        return reinterpret_cast<char*>(nombre);
    }

    void FijarBaseActual(const std::string& base) override {
        if (dialecto_ == Dialecto::Sqlite) {
            // One file, one database: only its own name is accepted.
            if (MinusculasAscii(std::string(texto::SinEspacios(base))) !=
                MinusculasAscii(BaseSqlite()))
                throw FallaMotor(ClaseFalla::Otra, "3D000", 0,
                                 "La base de datos '" + base + "' no existe en esta conexión");
            return;
        }
        std::vector<SQLCHAR> nombre(base.begin(), base.end());
        nombre.push_back(0);
        ComprobarEnlace(
            SQLSetConnectAttr(enlace_->get(), SQL_ATTR_CURRENT_CATALOG, nombre.data(), SQL_NTS),
            "cambio de base");
    }

    std::vector<std::string> Tablas() override {
        ManijaOdbc st = NuevaSentencia();
        SQLCHAR tipos[] = "TABLE,VIEW";
        Comprobar(st, SQLTables(st.get(), nullptr, 0, nullptr, 0, nullptr, 0, tipos, SQL_NTS),
                  "lectura del catálogo");
        std::vector<std::string> r;
        for (const auto& fila : Filas(st, 5)) r.push_back(fila[2].value_or(""));
        return r;
    }

    std::vector<std::string> Columnas(const std::string& tabla) override {
        ManijaOdbc st = NuevaSentencia();
        // The table argument is a search pattern ("_" matches any character): escape it when
        // the driver has an escape character, and keep only rows of exactly that table.
        std::string patron = EscaparPatron(tabla);
        std::vector<SQLCHAR> nombre(patron.begin(), patron.end());
        nombre.push_back(0);
        Comprobar(st,
                  SQLColumns(st.get(), nullptr, 0, nullptr, 0, nombre.data(), SQL_NTS, nullptr, 0),
                  "lectura del catálogo");
        const std::string buscada = MinusculasAscii(tabla);
        std::map<std::string, std::vector<std::pair<long, std::string>>> porEsquema;
        std::vector<std::string> ordenEsquemas;
        for (const auto& fila : Filas(st, 17)) {
            if (MinusculasAscii(fila[2].value_or("")) != buscada) continue;
            const std::string esquema = fila[1].value_or("");
            if (!porEsquema.count(esquema)) ordenEsquemas.push_back(esquema);
            const long posicion = fila[16] ? std::atol(fila[16]->c_str()) : 0;
            porEsquema[esquema].emplace_back(posicion, fila[3].value_or(""));
        }
        if (ordenEsquemas.empty()) return {};
        // The same table name in several schemas: the default schema wins, else the first.
        std::string elegido = ordenEsquemas.front();
        for (const std::string& e : ordenEsquemas)
            if (MinusculasAscii(e) == "dbo") elegido = e;
        auto& cols = porEsquema[elegido];
        std::stable_sort(cols.begin(), cols.end(),
                         [](const auto& a, const auto& b) { return a.first < b.first; });
        std::vector<std::string> r;
        for (auto& c : cols) r.push_back(std::move(c.second));
        return r;
    }

    bool Viva() override {
        if (!vivo_) return false;
        SQLUINTEGER muerta = SQL_CD_FALSE;
        const SQLRETURN rc =
            SQLGetConnectAttr(enlace_->get(), SQL_ATTR_CONNECTION_DEAD, &muerta, 0, nullptr);
        if (SQL_SUCCEEDED(rc) && muerta == SQL_CD_TRUE) vivo_ = false;
        return vivo_;
    }

  private:
    static constexpr SQLULEN kSegundosConexion = 15;

    Dialecto DetectarDialecto() {
        SQLCHAR nombre[256] = {};
        SQLSMALLINT largo = 0;
        if (!SQL_SUCCEEDED(
                SQLGetInfo(enlace_->get(), SQL_DBMS_NAME, nombre, sizeof nombre, &largo)))
            return Dialecto::SqlServer;
        const std::string dbms = reinterpret_cast<char*>(nombre);
        if (ContieneAscii(dbms, "sqlite")) return Dialecto::Sqlite;
        if (ContieneAscii(dbms, "oracle")) return Dialecto::Oracle;
        return Dialecto::SqlServer;
    }

    ManijaOdbc NuevaSentencia() {
        ManijaOdbc st(SQL_HANDLE_STMT, SQL_HANDLE_DBC, enlace_->get(), dialecto_);
        // Drivers that cannot time statements answer with an error or "option value changed";
        // the statement then waits as the driver decides, which is not a failure of its own.
        SQLSetStmtAttr(st.get(), SQL_ATTR_QUERY_TIMEOUT,
                       reinterpret_cast<SQLPOINTER>(static_cast<SQLULEN>(tiempoEspera_)), 0);
        return st;
    }

    [[noreturn]] void Fallar(SQLSMALLINT tipo, SQLHANDLE h, SQLRETURN rc, const char* operacion) {
        FallaMotor f = FallaDe(tipo, h, rc, dialecto_, operacion);
        if (f.Clase == ClaseFalla::ConexionPerdida) vivo_ = false;
        if (f.Clase != ClaseFalla::ConexionPerdida && !Viva())
            throw FallaMotor(ClaseFalla::ConexionPerdida, f.EstadoSql, f.NativoMotor,
                             f.Descripcion);
        throw f;
    }

    void Comprobar(const ManijaOdbc& st, SQLRETURN rc, const char* operacion) {
        if (!SQL_SUCCEEDED(rc)) Fallar(SQL_HANDLE_STMT, st.get(), rc, operacion);
    }

    void ComprobarEnlace(SQLRETURN rc, const char* operacion) {
        if (!SQL_SUCCEEDED(rc)) Fallar(SQL_HANDLE_DBC, enlace_->get(), rc, operacion);
    }

    FallaMotor SinTransaccionValida(const char* texto) const {
        return FallaMotor(ClaseFalla::Otra, "25000", 0, texto);
    }

    /// Ends the open transaction. Autocommit comes back only after the commit or rollback
    /// succeeded: turning it on with work pending would commit that work, so after a failed
    /// rollback the transaction stays open and the caller may try again.
    void Terminar(SQLSMALLINT como, const char* operacion) {
        if (!enlace_->enTransaccion_) throw SinTransaccionValida("No hay una transacción abierta");
        ComprobarEnlace(SQLEndTran(SQL_HANDLE_DBC, enlace_->get(), como), operacion);
        enlace_->enTransaccion_ = false;
        ComprobarEnlace(SQLSetConnectAttr(enlace_->get(), SQL_ATTR_AUTOCOMMIT,
                                          reinterpret_cast<SQLPOINTER>(SQL_AUTOCOMMIT_ON), 0),
                        operacion);
    }

    SQLRETURN Directa(const ManijaOdbc& st, const std::string& sql) {
        std::vector<SQLCHAR> texto(sql.begin(), sql.end());
        texto.push_back(0);
        return SQLExecDirect(st.get(), texto.data(), SQL_NTS);
    }

    /// Reads the outcome of an executed statement: the first result set with its rows, or the
    /// count of rows changed (0 when a searched UPDATE/DELETE touched nothing). `Resultado`
    /// is a ResultadoSql or a data::TablaResultado.
    template <class Resultado>
    Resultado Resultados(const ManijaOdbc& st, SQLRETURN rc, const char* operacion) {
        Resultado r;
        if (rc == SQL_NO_DATA) {
            r.Afectadas = 0;
            return r;
        }
        Comprobar(st, rc, operacion);
        for (;;) {
            SQLSMALLINT columnas = 0;
            Comprobar(st, SQLNumResultCols(st.get(), &columnas), operacion);
            if (columnas > 0) {
                PonerColumnas(r, DescribirColumnas(st, columnas));
                LeerFilas(st, columnas, r.Filas);
                r.Afectadas = -1;
                return r;
            }
            SQLLEN cuenta = -1;
            if (SQL_SUCCEEDED(SQLRowCount(st.get(), &cuenta)) && cuenta >= 0) r.Afectadas = cuenta;
            const SQLRETURN mas = SQLMoreResults(st.get());
            if (mas == SQL_NO_DATA) return r;
            Comprobar(st, mas, operacion);
        }
    }

    std::vector<ColumnaResultado> DescribirColumnas(const ManijaOdbc& st, SQLSMALLINT n) {
        std::vector<ColumnaResultado> cols;
        for (SQLUSMALLINT i = 1; i <= static_cast<SQLUSMALLINT>(n); ++i) {
            SQLCHAR nombre[512] = {};
            SQLSMALLINT largo = 0, tipo = 0, decimales = 0, nulos = 0;
            SQLULEN tam = 0;
            Comprobar(st,
                      SQLDescribeCol(st.get(), i, nombre, sizeof nombre, &largo, &tipo, &tam,
                                     &decimales, &nulos),
                      "descripción de columnas");
            cols.push_back({reinterpret_cast<char*>(nombre), TipoAdoDe(tipo)});
        }
        return cols;
    }

    void LeerFilas(const ManijaOdbc& st, SQLSMALLINT columnas,
                   std::vector<std::vector<ValorSql>>& filas) {
        filas = Filas(st, columnas);
    }

    void LeerFilas(const ManijaOdbc& st, SQLSMALLINT columnas, data::FilasResultado& filas) {
        filas = data::FilasResultado(static_cast<size_t>(columnas));
        std::string valor;  // one buffer for every value read
        for (;;) {
            const SQLRETURN rc = SQLFetch(st.get());
            if (rc == SQL_NO_DATA) break;
            Comprobar(st, rc, "lectura de filas");
            for (SQLUSMALLINT c = 1; c <= static_cast<SQLUSMALLINT>(columnas); ++c) {
                if (LeerCelda(st, c, valor))
                    filas.Agregar(std::string_view(valor));
                else
                    filas.AgregarNulo();
            }
        }
    }

    std::vector<std::vector<ValorSql>> Filas(const ManijaOdbc& st, SQLSMALLINT columnas) {
        std::vector<std::vector<ValorSql>> filas;
        for (;;) {
            const SQLRETURN rc = SQLFetch(st.get());
            if (rc == SQL_NO_DATA) break;
            Comprobar(st, rc, "lectura de filas");
            std::vector<ValorSql> fila;
            fila.reserve(static_cast<size_t>(columnas));
            for (SQLUSMALLINT c = 1; c <= static_cast<SQLUSMALLINT>(columnas); ++c)
                fila.push_back(LeerCelda(st, c));
            filas.push_back(std::move(fila));
        }
        return filas;
    }

    /// One value as text, however long (read in pieces), or Null.
    ValorSql LeerCelda(const ManijaOdbc& st, SQLUSMALLINT columna) {
        std::string valor;
        if (!LeerCelda(st, columna, valor)) return std::nullopt;
        return valor;
    }

    /// One value as text into `valor`; false (and `valor` empty) for Null.
    bool LeerCelda(const ManijaOdbc& st, SQLUSMALLINT columna, std::string& valor) {
        valor.clear();
        char trozo[4096];
        for (;;) {
            SQLLEN indicador = 0;
            const SQLRETURN rc =
                SQLGetData(st.get(), columna, SQL_C_CHAR, trozo, sizeof trozo, &indicador);
            if (rc == SQL_NO_DATA) break;  // every piece already read
            Comprobar(st, rc, "lectura de valores");
            if (indicador == SQL_NULL_DATA) return false;
            const bool incompleto =
                indicador == SQL_NO_TOTAL || indicador >= static_cast<SQLLEN>(sizeof trozo);
            valor.append(trozo, incompleto ? sizeof trozo - 1 : static_cast<size_t>(indicador));
            if (rc == SQL_SUCCESS || !incompleto) break;
        }
        return true;
    }

    std::string EscaparPatron(const std::string& nombre) {
        SQLCHAR escape[8] = {};
        SQLSMALLINT largo = 0;
        if (!SQL_SUCCEEDED(SQLGetInfo(enlace_->get(), SQL_SEARCH_PATTERN_ESCAPE, escape,
                                      sizeof escape, &largo)) ||
            escape[0] == 0)
            return nombre;  // no escape: the exact-name filter keeps only the right rows
        const char e = static_cast<char>(escape[0]);
        std::string r;
        for (char c : nombre) {
            if (c == '_' || c == '%' || c == e) r += e;
            r += c;
        }
        return r;
    }

    /// SQLite has one database per file: its name is the file's stem.
    std::string BaseSqlite() {
        std::string ruta = ValorDe(PartirCadena(cadena_), {"database", "dbq"});
        const size_t barra = ruta.find_last_of("/\\");
        if (barra != std::string::npos) ruta.erase(0, barra + 1);
        const size_t punto = ruta.rfind('.');
        if (punto != std::string::npos && punto > 0) ruta.erase(punto);
        return ruta;
    }

    ManijaOdbc entorno_;
    std::unique_ptr<EnlaceOdbc> enlace_;  // destroyed before the environment
    std::string cadena_;
    Dialecto dialecto_ = Dialecto::SqlServer;
    int tiempoEspera_ = 0;
    bool vivo_ = true;
};

}  // namespace

std::unique_ptr<Motor> AbrirMotorOdbc(const std::string& cadenaOdbc) {
    return std::make_unique<MotorOdbc>(ConExtensionSqlite(cadenaOdbc));
}

}  // namespace data
