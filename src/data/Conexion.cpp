#include "Conexion.h"

#include <filesystem>
#include <utility>

#include "Dialecto.h"
#include "ErrorEjecucion.h"
#include "LexicoSql.h"
#include "MapaErrores.h"
#include "MotorOdbc.h"
#include "MotorSqlite.h"
#include "Plataforma.h"
#include "Recordset.h"
#include "Sistema.h"
#include "Texto.h"

using namespace helperlib;

namespace data {

namespace {

constexpr const char* kOrigenAdo = "ADODB.Connection";
constexpr const char* kMsgCerrado =
    "No se permite realizar la operación si el objeto está cerrado.";
constexpr const char* kMsgAbierto =
    "No se permite realizar la operación si el objeto está abierto.";
constexpr const char* kMsgTransaccionCancelada =
    "La base de datos canceló la transacción antes de confirmarla: no se grabó nada.";
constexpr const char* kMsgInvalida =
    "No se puede usar la conexión para realizar esta operación. Está cerrada o no es válida en "
    "este contexto.";

/// The value of `clave` in a "key=value;key=value" text: keys without case and without edge
/// blanks ("Database =" is the program's own spelling), values without edge blanks.
std::string ValorDe(const std::string& cadena, std::string_view clave) {
    size_t i = 0;
    while (i <= cadena.size()) {
        size_t fin = cadena.find(';', i);
        if (fin == std::string::npos) fin = cadena.size();
        const std::string parte = cadena.substr(i, fin - i);
        const size_t igual = parte.find('=');
        if (igual != std::string::npos &&
            texto::IgualesSinCaso(texto::Recortar(parte.substr(0, igual)), clave))
            return texto::Recortar(parte.substr(igual + 1));
        i = fin + 1;
    }
    return "";
}

bool EmpiezaSinCaso(const std::string& s, std::string_view prefijo) {
    return s.size() >= prefijo.size() &&
           texto::IgualesSinCaso(s.substr(0, prefijo.size()), prefijo);
}

struct Destino {
    enum Tipo { Sqlite, Odbc } tipo;
    std::string ruta;    // SQLite file
    std::string origen;  // source name of its errors
};

/// Which engine a connection string asks for (see Conexion::Open).
Destino DestinoDe(const std::string& cadena) {
    const std::string servidor = ValorDe(cadena, "Server");
    if (EmpiezaSinCaso(servidor, "sqlite:")) {
        const std::string carpeta = texto::Recortar(servidor.substr(7));
        std::string base = ValorDe(cadena, "Database");
        if (base.empty()) base = ValorDe(cadena, "Initial Catalog");
        const auto dir = std::filesystem::path(carpeta.empty() ? CarpetaPrograma() : carpeta);
        return {Destino::Sqlite, (dir / (base + ".sqlite")).string(), "SQLite"};
    }
    const std::string proveedor = ValorDe(cadena, "Provider");
    if (texto::ContieneSinCaso(proveedor, "Jet")) {
        return {Destino::Sqlite, ValorDe(cadena, "Data Source"), "Microsoft JET Database Engine"};
    }
    const bool oracle =
        texto::ContieneSinCaso(proveedor, "Ora") || servidor.find('#') != std::string::npos;
    return {Destino::Odbc, "", oracle ? "OraOLEDB" : "Microsoft OLE DB Provider for SQL Server"};
}

}  // namespace

Conexion::Conexion() = default;

Conexion::~Conexion() {
    if (motor_ && enTransaccion_) {
        try {
            motor_->Revertir();
        } catch (...) {  // the engine's own close discards the transaction anyway
        }
    }
}

void Conexion::RegistrarFalla(const FallaMotor& f, const std::string& sentencia) {
    errores_.Clear();
    ErrorAdo e = ErrorAdoDeFalla(f);
    e.Origen = origen_;
    errores_.Agregar(e);
    throw ErrorEjecucion(e.Numero, e.Descripcion, e.Origen,
                         DetalleBaseDatos{e.EstadoSql, e.Nativo, sentencia, e.TextoMotor});
}

void Conexion::LanzarCerrada() {
    RegistrarFalla(FallaMotor(ClaseFalla::ObjetoCerrado, "08003", 0, kMsgInvalida));
    throw ErrorEjecucion(errnum::kConexionInvalida, kMsgInvalida, kOrigenAdo);  // not reached
}

const std::string& Conexion::Adaptada(const std::string& sql, Dialecto destino) {
    if (destino == Dialecto::SqlServer) return sql;  // the server takes the text as written
    if (auto it = adaptadas_.find(sql); it != adaptadas_.end()) return it->second;
    if (destino == Dialecto::Sqlite) {
        if (const auto forma = FormaAdaptada(sql, valores_)) {
            CoserLiterales(forma->Partes, valores_, adaptadaPorForma_);
            return adaptadaPorForma_;
        }
    }
    if (adaptadas_.size() >= kAdaptacionesGuardadas) adaptadas_.clear();
    return adaptadas_.emplace(sql, AdaptarSentencia(sql, destino)).first->second;
}

std::shared_ptr<const FormaConsulta> Conexion::FormaAdaptada(const std::string& sql,
                                                             std::vector<std::string>& valores) {
    // The cut and the key go to buffers kept from one statement to the next (nothing here
    // runs the engine, so no other statement can come in between).
    std::vector<std::string>& partes = partes_;
    if (!CortarLiterales(sql, partes, valores)) return nullptr;
    std::string& clave = clave_;  // the parts joined by NUL, which no statement text holds
    clave = partes[0];
    for (size_t k = 1; k < partes.size(); ++k) (clave += '\0') += partes[k];
    auto it = formas_.find(clave);
    if (it == formas_.end()) {
        // The SQLite adaptation never looks inside a literal, so a text of the same form is
        // adapted by setting its literals between the parts adapted once, provided this
        // adaptation kept every literal, in order. A form whose adaptation did not is
        // remembered as such: its texts are adapted whole.
        const std::string adaptada = AdaptarSentencia(sql, Dialecto::Sqlite);
        auto forma = std::make_shared<FormaConsulta>();
        std::vector<std::string> valoresAdaptados;
        std::shared_ptr<const FormaConsulta> hecha;
        if (CortarLiterales(adaptada, forma->Partes, valoresAdaptados) &&
            valoresAdaptados == valores) {
            forma->Consulta = forma->Partes[0];
            for (size_t k = 1; k < forma->Partes.size(); ++k)
                (forma->Consulta += '?') += forma->Partes[k];
            hecha = std::move(forma);
        }
        if (formas_.size() >= kAdaptacionesGuardadas) formas_.clear();
        it = formas_.emplace(clave, std::move(hecha)).first;
    }
    return it->second;
}

Motor& Conexion::MotorAbierto() {
    if (!motor_) LanzarCerrada();
    return *motor_;
}

void Conexion::Open(const std::string& cadena, const std::string& /*usuario*/,
                    const std::string& /*clave*/, long /*opciones*/) {
    if (motor_) throw ErrorEjecucion(errnum::kObjetoAbierto, kMsgAbierto, kOrigenAdo);
    errores_.Clear();
    const std::string usada = cadena.empty() ? ConnectionString : cadena;
    const Destino d = DestinoDe(usada);
    origen_ = d.origen;
    adaptadas_.clear();
    formas_.clear();
    Proteger([&] {
        if (d.tipo == Destino::Sqlite)
            motor_ = std::make_unique<MotorSqlite>(d.ruta);
        else
            motor_ = AbrirMotorOdbc(CadenaOdbcDesdeAdo(usada));
        return 0;
    });
    ConnectionString = usada;
    enTransaccion_ = false;
}

void Conexion::AbrirConMotor(std::unique_ptr<Motor> motor, const std::string& cadena) {
    if (motor_) throw ErrorEjecucion(errnum::kObjetoAbierto, kMsgAbierto, kOrigenAdo);
    errores_.Clear();
    adaptadas_.clear();
    formas_.clear();
    motor_ = std::move(motor);
    ConnectionString = cadena;
    enTransaccion_ = false;
}

void Conexion::Close() {
    if (!motor_) throw ErrorEjecucion(errnum::kObjetoCerrado, kMsgCerrado, kOrigenAdo);
    auto motor = std::move(motor_);
    adaptadas_.clear();
    formas_.clear();
    if (enTransaccion_) {
        enTransaccion_ = false;
        try {
            motor->Revertir();
        } catch (const FallaMotor&) {  // closing the engine discards the transaction anyway
        }
    }
}

int Conexion::State() const { return motor_ ? estado_objeto::kAbierto : estado_objeto::kCerrado; }

Motor& Conexion::PrepararMotor() {
    errores_.Clear();
    Motor& m = MotorAbierto();
    Proteger([&] {
        m.FijarTiempoEspera(CommandTimeout);
        return 0;
    });
    return m;
}

Recordset Conexion::Execute(const std::string& sql, long* afectadas, long /*opciones*/) {
    TablaResultado r = Leer(sql);
    if (afectadas) *afectadas = r.Afectadas;
    return Recordset::DesdeResultado(std::move(r), this, "");
}

TablaResultado Conexion::Leer(const std::string& sql) {
    if (Observador) Observador(sql);
    Motor& m = PrepararMotor();
    const Dialecto destino = m.DialectoSql();
    if (destino == Dialecto::Sqlite) {
        // A text with literals reaches the engine as its form's adapted parts and its own
        // values, cut once here. The values are this statement's own while the engine runs (a
        // lock wait may repaint, and a repaint may run a statement); their buffers come back
        // for the next statement afterwards. The form is held for the same reason.
        std::vector<std::string> valores = std::move(valores_);
        if (const auto forma = FormaAdaptada(sql, valores)) {
            TablaResultado r = Proteger([&] { return m.LeerForma(*forma, valores); }, sql);
            valores_ = std::move(valores);
            return r;
        }
        valores_ = std::move(valores);
    }
    const std::string adaptada = Adaptada(sql, destino);  // kept: see Adaptada
    return Proteger([&] { return m.Leer(adaptada); }, sql);
}

long Conexion::EjecutarConParametros(const std::string& sql,
                                     const std::vector<ValorSql>& parametros) {
    if (Observador) Observador(sql);
    Motor& m = PrepararMotor();
    const std::string adaptada = Adaptada(sql, m.DialectoSql());  // kept: see Adaptada
    return Proteger([&] { return m.EjecutarConParametros(adaptada, parametros); }, sql).Afectadas;
}

ResultadoSql Conexion::Consultar(const std::string& sql, const std::vector<ValorSql>& parametros) {
    if (Observador) Observador(sql);
    Motor& m = PrepararMotor();
    const std::string adaptada = Adaptada(sql, m.DialectoSql());  // kept: see Adaptada
    return Proteger([&] { return m.EjecutarConParametros(adaptada, parametros); });
}

void Conexion::BeginTrans() {
    Motor& m = PrepararMotor();
    Proteger([&] {
        m.Comenzar();
        return 0;
    });
    enTransaccion_ = true;
}

void Conexion::CommitTrans() {
    Motor& m = PrepararMotor();
    // An engine that cancelled the transaction by itself would otherwise "commit" whatever
    // ran after the cancellation, each statement on its own: that is a failure, never a commit.
    if (!m.EnTransaccion()) {
        enTransaccion_ = false;
        Proteger([&]() -> int {
            m.Revertir();
            throw FallaMotor(ClaseFalla::Otra, "25000", 0, kMsgTransaccionCancelada);
        });
    }
    Proteger([&] {
        m.Confirmar();
        return 0;
    });
    enTransaccion_ = false;
}

void Conexion::RollbackTrans() {
    Motor& m = PrepararMotor();
    enTransaccion_ = false;  // whatever the engine answers, no transaction is left open by us
    Proteger([&] {
        m.Revertir();
        return 0;
    });
}

bool Conexion::EnTransaccion() {
    if (enTransaccion_ && !(motor_ && motor_->EnTransaccion())) enTransaccion_ = false;
    return enTransaccion_;
}

bool Conexion::SoloLectura() const { return motor_ && motor_->SoloLectura(); }

std::string Conexion::DefaultDatabase() {
    errores_.Clear();
    Motor& m = MotorAbierto();
    return Proteger([&] { return m.BaseActual(); });
}

void Conexion::SetDefaultDatabase(const std::string& base) {
    errores_.Clear();
    Motor& m = MotorAbierto();
    Proteger([&] {
        m.FijarBaseActual(base);
        return 0;
    });
}

std::vector<std::string> Conexion::Tablas() {
    errores_.Clear();
    Motor& m = MotorAbierto();
    return Proteger([&] { return m.Tablas(); });
}

std::vector<std::string> Conexion::Columnas(const std::string& tabla) {
    errores_.Clear();
    Motor& m = MotorAbierto();
    return Proteger([&] { return m.Columnas(tabla); });
}

Dialecto Conexion::DialectoSql() const {
    return motor_ ? motor_->DialectoSql() : Dialecto::SqlServer;
}

// ---------------------------------------------------------------------------------------------

GuardaTransaccion::GuardaTransaccion(Conexion& cn) : cn_(cn) { cn_.BeginTrans(); }

GuardaTransaccion::~GuardaTransaccion() {
    if (!activa_) return;
    try {
        cn_.RollbackTrans();
    } catch (...) {  // the failure stays in cn_.Errors(); a destructor must not throw
    }
}

void GuardaTransaccion::Confirmar() {
    cn_.CommitTrans();
    activa_ = false;
}

void GuardaTransaccion::Revertir() {
    if (!activa_) return;
    activa_ = false;
    cn_.RollbackTrans();
}

}  // namespace data
