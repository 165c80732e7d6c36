#include "BaseDemo.h"

#include <sqlite3.h>

#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>
#include <sstream>
#include <stdexcept>
#include <string_view>
#include <utility>
#include <vector>

#include "SemanticaSqlite.h"

namespace data {

namespace {

// ---- handles ----------------------------------------------------------------------------------

class BaseAbierta {
  public:
    explicit BaseAbierta(const std::string& archivo) {
        const int rc = sqlite3_open_v2(archivo.c_str(), &db_,
                                       SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE, nullptr);
        if (rc != SQLITE_OK) {
            const std::string msg = db_ ? sqlite3_errmsg(db_) : sqlite3_errstr(rc);
            throw std::runtime_error("No se pudo crear la base " + archivo + ": " + msg);
        }
        if (RegistrarSemanticaSuite(db_) != SQLITE_OK)
            throw std::runtime_error("No se pudo registrar la semántica de textos en " + archivo +
                                     ": " + sqlite3_errmsg(db_));
    }
    ~BaseAbierta() noexcept { sqlite3_close_v2(db_); }
    BaseAbierta(const BaseAbierta&) = delete;
    BaseAbierta& operator=(const BaseAbierta&) = delete;

    sqlite3* get() const noexcept { return db_; }

    /// Runs every statement of `sql`; `origen` names it in the error.
    void Ejecutar(const std::string& sql, const std::string& origen) {
        char* error = nullptr;
        if (sqlite3_exec(db_, sql.c_str(), nullptr, nullptr, &error) != SQLITE_OK) {
            std::string msg = error ? error : sqlite3_errmsg(db_);
            sqlite3_free(error);
            throw std::runtime_error(origen + ": " + msg);
        }
    }

  private:
    sqlite3* db_ = nullptr;
};

class Sentencia {
  public:
    Sentencia(sqlite3* db, const char* sql) : db_(db) {
        if (sqlite3_prepare_v2(db, sql, -1, &st_, nullptr) != SQLITE_OK)
            throw std::runtime_error(std::string("Plan de cuentas: ") + sqlite3_errmsg(db));
    }
    ~Sentencia() noexcept { sqlite3_finalize(st_); }
    Sentencia(const Sentencia&) = delete;
    Sentencia& operator=(const Sentencia&) = delete;

    void Texto(int i, const std::string& v) {
        sqlite3_bind_text(st_, i, v.c_str(), static_cast<int>(v.size()), SQLITE_TRANSIENT);
    }
    void TextoONulo(int i, const std::string& v) {
        if (v.empty())
            sqlite3_bind_null(st_, i);
        else
            Texto(i, v);
    }
    void Entero(int i, long long v) { sqlite3_bind_int64(st_, i, v); }
    /// Steps once; true while a row is available.
    bool Paso() {
        const int rc = sqlite3_step(st_);
        if (rc == SQLITE_ROW) return true;
        if (rc != SQLITE_DONE)
            throw std::runtime_error(std::string("Plan de cuentas: ") + sqlite3_errmsg(db_));
        return false;
    }
    void Reiniciar() {
        sqlite3_reset(st_);
        sqlite3_clear_bindings(st_);
    }
    long long ColumnaEntero(int i) const { return sqlite3_column_int64(st_, i); }
    std::string ColumnaTexto(int i) const {
        const auto* p = sqlite3_column_text(st_, i);
        return p ? reinterpret_cast<const char*>(p) : std::string();
    }

  private:
    sqlite3* db_;
    sqlite3_stmt* st_ = nullptr;
};

/// Rolls the creation back unless it was committed.
class TransaccionCreacion {
  public:
    explicit TransaccionCreacion(BaseAbierta& b) : b_(b) { b_.Ejecutar("BEGIN", "BEGIN"); }
    ~TransaccionCreacion() noexcept {
        if (!confirmada_) sqlite3_exec(b_.get(), "ROLLBACK", nullptr, nullptr, nullptr);
    }
    TransaccionCreacion(const TransaccionCreacion&) = delete;
    TransaccionCreacion& operator=(const TransaccionCreacion&) = delete;
    void Confirmar() {
        b_.Ejecutar("COMMIT", "COMMIT");
        confirmada_ = true;
    }

  private:
    BaseAbierta& b_;
    bool confirmada_ = false;
};

std::string LeerArchivo(const std::filesystem::path& ruta) {
    std::ifstream f(ruta, std::ios::binary);
    if (!f) throw std::runtime_error("No se encuentra el guion " + ruta.string());
    std::ostringstream s;
    s << f.rdbuf();
    return s.str();
}

void BorrarBase(const std::string& archivo) noexcept {
    std::error_code ec;
    for (const char* sufijo : {"", "-journal", "-wal", "-shm"})
        std::filesystem::remove(archivo + sufijo, ec);
}

// ---- check digit ------------------------------------------------------------------------------

/// The account check digit: digits weighted 9, 7, 5, 3, 1, 9, ... from the left (any other
/// character counts 0 but takes its weight), summed in 16 bits, then divided by ten while the
/// sum is above 99.
int DigitoVerificador(std::string_view codigo) {
    std::int16_t suma = 0;
    int peso = 9;
    for (const char c : codigo) {
        if (peso == -1) peso = 9;
        const int d = (c >= '0' && c <= '9') ? c - '0' : 0;
        const int nueva = peso * d + suma;
        if (nueva > INT16_MAX) throw std::overflow_error("Desbordamiento en el digito verificador");
        suma = static_cast<std::int16_t>(nueva);
        peso -= 2;
    }
    while (suma > 99) suma = static_cast<std::int16_t>(suma / 10);
    return suma;
}

// ---- generated part of the chart --------------------------------------------------------------

constexpr const char* kPrefijos[] = {
    "Distribuidora", "Comercial",    "Transportes", "Agropecuaria", "Metalúrgica", "Estudio",
    "Ferretería",    "Autoservicio", "Laboratorio", "Constructora", "Textil",      "Panificadora",
    "Frigorífico",   "Librería",     "Farmacia",    "Maderera",     "Vidriería",   "Imprenta",
    "Bodega",        "Cooperativa",  "Servicios",   "Logística",    "Molinos",     "Lácteos"};
constexpr const char* kNucleos[] = {
    "del Sur",   "Pampa",   "Los Andes", "San Martín", "Rivadavia", "Belgrano",  "Paraná",
    "Patagonia", "Cuyo",    "Mitre",     "Sarmiento",  "Litoral",   "La Plata",  "Córdoba",
    "Santa Fe",  "Mendoza", "Tucumán",   "Gómez",      "Fernández", "Rodríguez", "López",
    "Martínez",  "García",  "Pérez",     "Sánchez",    "Romero",    "Álvarez",   "Benítez",
    "Acosta",    "Núñez",   "Muñoz",     "Ibáñez",     "Peña",      "Castaño",   "Ñandubay"};
constexpr const char* kSufijos[] = {"S.A.", "S.R.L.", "S.A.S.", "y Cía.", "Hnos.", "S.C."};
constexpr const char* kSucursales[] = {
    "Casa Central", "Rosario",      "Córdoba",    "Mendoza", "Mar del Plata", "Neuquén",
    "Salta",        "Bahía Blanca", "Tucumán",    "Paraná",  "San Juan",      "Posadas",
    "Santa Rosa",   "Río Gallegos", "Corrientes", "La Rioja"};
constexpr const char* kGastosSucursal[] = {"Alquiler",
                                           "Sueldos",
                                           "Cargas Sociales",
                                           "Energía Eléctrica",
                                           "Gas",
                                           "Agua",
                                           "Teléfono e Internet",
                                           "Limpieza",
                                           "Vigilancia",
                                           "Mantenimiento",
                                           "Fletes",
                                           "Movilidad",
                                           "Papelería",
                                           "Seguros",
                                           "Publicidad Local",
                                           "Tasas Municipales",
                                           "Gastos Bancarios",
                                           "Gastos Varios"};

constexpr int kPrimerGrupoTerceros = 10;  // groups 01..09 of 1.1 and 2.1 belong to the named chart
constexpr int kUltimoGrupo = 99;
constexpr int kCuentasPorGrupo = 999;

/// `n` in decimal, zero-padded on the left to `ancho` digits.
std::string Relleno(int n, std::size_t ancho) {
    std::string s = std::to_string(n);
    if (s.size() < ancho) s.insert(0, ancho - s.size(), '0');
    return s;
}

class GeneradorPlan {
  public:
    GeneradorPlan(sqlite3* db)
        : insertar_(db,
                    "INSERT INTO MA_CUENTAS (CODIGO, DESCRIPCION, Titulo, Nivel, DV, "
                    "CodigoOpcional, DADA_DE_BAJA, BLOQUEO) VALUES (?, ?, ?, ?, ?, ?, ?, ?)"),
          azar_(20250101u) {}

    /// Adds accounts until the chart holds `total`.
    void Completar(int existentes, int total) {
        cuenta_ = existentes;
        while (cuenta_ < total) {
            const unsigned r = azar_() % 100;
            if (r < 50 && Cliente(total)) continue;
            if (r < 85 && Proveedor(total)) continue;
            if (GastoSucursal()) continue;
            if (Cliente(total) || Proveedor(total)) continue;
            throw std::invalid_argument("El plan de cuentas no admite tantas cuentas");
        }
    }

  private:
    struct Serie {
        std::string rubro;   // code of the second-level heading the groups hang from
        std::string titulo;  // caption of each group heading
        char letra;          // first letter of the alternative codes
        int grupo = 0;       // current group, 0 before the first
        int numero = kCuentasPorGrupo;
        int opcionales = 0;
    };

    bool Cliente(int total) { return Tercero(clientes_, total); }
    bool Proveedor(int total) { return Tercero(proveedores_, total); }

    bool Tercero(Serie& s, int total) {
        if (s.numero >= kCuentasPorGrupo) {
            const int siguiente = s.grupo == 0 ? kPrimerGrupoTerceros : s.grupo + 1;
            if (siguiente > kUltimoGrupo) return false;
            s.grupo = siguiente;
            s.numero = 0;
            Agregar(s.rubro + "." + Relleno(s.grupo, 2),
                    s.titulo + " " + std::to_string(s.grupo - kPrimerGrupoTerceros + 1), true, "");
            if (cuenta_ >= total) return true;
        }
        ++s.numero;
        std::string opcional;
        if (azar_() % 100 < 30) opcional = s.letra + Relleno(++s.opcionales, 5);
        Agregar(s.rubro + "." + Relleno(s.grupo, 2) + "." + Relleno(s.numero, 3), RazonSocial(),
                false, opcional);
        return true;
    }

    /// Branch expenses: the heading 5.6, then per branch a group heading and its expenses.
    bool GastoSucursal() {
        constexpr int nGastos = static_cast<int>(std::size(kGastosSucursal));
        constexpr int porSucursal = 1 + nGastos;
        constexpr int capacidad = 1 + static_cast<int>(std::size(kSucursales)) * porSucursal;
        if (gastos_ >= capacidad) return false;
        const int k = gastos_++;
        if (k == 0) {
            Agregar("5.6", "GASTOS DE SUCURSALES", true, "");
            return true;
        }
        const int sucursal = (k - 1) / porSucursal;
        const int j = (k - 1) % porSucursal;
        const std::string grupo = "5.6." + Relleno(sucursal + 1, 2);
        if (j == 0)
            Agregar(grupo, std::string("GASTOS SUCURSAL ") + kSucursales[sucursal], true, "");
        else
            Agregar(grupo + "." + Relleno(j, 3),
                    std::string(kGastosSucursal[j - 1]) + " - " + kSucursales[sucursal], false, "");
        return true;
    }

    std::string RazonSocial() {
        std::string s = kPrefijos[azar_() % std::size(kPrefijos)];
        s += ' ';
        s += kNucleos[azar_() % std::size(kNucleos)];
        s += ' ';
        s += kSufijos[azar_() % std::size(kSufijos)];
        return s;
    }

    void Agregar(const std::string& codigo, const std::string& descripcion, bool titulo,
                 const std::string& opcional) {
        int nivel = 1;
        for (char c : codigo) nivel += c == '.';
        const bool baja = !titulo && azar_() % 100 < 3;
        const bool bloqueo = !titulo && !baja && azar_() % 100 < 2;
        insertar_.Texto(1, codigo);
        insertar_.Texto(2, descripcion);
        insertar_.Entero(3, titulo ? 1 : 0);
        insertar_.Entero(4, nivel);
        insertar_.Entero(5, DigitoVerificador(codigo));
        insertar_.TextoONulo(6, opcional);
        insertar_.Entero(7, baja ? 1 : 0);
        insertar_.Entero(8, bloqueo ? 1 : 0);
        insertar_.Paso();
        insertar_.Reiniciar();
        ++cuenta_;
    }

    Sentencia insertar_;
    std::mt19937 azar_;  // fixed seed: the same chart on every run and every machine
    int cuenta_ = 0;
    Serie clientes_{"1.1", "DEUDORES POR VENTAS - CLIENTES", 'C'};
    Serie proveedores_{"2.1", "PROVEEDORES - CUENTAS INDIVIDUALES", 'P'};
    int gastos_ = 0;  // branch-expense items added so far
};

/// Fills the check digit and level of the accounts the demo script inserted without them.
void CompletarCuentasNombradas(sqlite3* db) {
    std::vector<std::pair<long long, std::string>> pendientes;
    {
        Sentencia leer(db, "SELECT ID, CODIGO FROM MA_CUENTAS WHERE DV IS NULL OR Nivel IS NULL");
        while (leer.Paso()) pendientes.emplace_back(leer.ColumnaEntero(0), leer.ColumnaTexto(1));
    }
    Sentencia fijar(db, "UPDATE MA_CUENTAS SET DV = ?, Nivel = ? WHERE ID = ?");
    for (const auto& [id, codigo] : pendientes) {
        int nivel = 1;
        for (char c : codigo) nivel += c == '.';
        fijar.Entero(1, DigitoVerificador(codigo));
        fijar.Entero(2, nivel);
        fijar.Entero(3, id);
        fijar.Paso();
        fijar.Reiniciar();
    }
}

int ContarCuentas(sqlite3* db) {
    Sentencia contar(db, "SELECT COUNT(*) FROM MA_CUENTAS");
    contar.Paso();
    return static_cast<int>(contar.ColumnaEntero(0));
}

void Crear(const std::string& archivo, const std::filesystem::path& carpeta, bool conDemo,
           int cuentas) {
    const std::string esquema = LeerArchivo(carpeta / "schema.sql");
    const std::string demo = conDemo ? LeerArchivo(carpeta / "demo.sql") : std::string();
    BaseAbierta base(archivo);
    TransaccionCreacion tx(base);
    base.Ejecutar(esquema, "schema.sql");
    if (conDemo) {
        base.Ejecutar(demo, "demo.sql");
        CompletarCuentasNombradas(base.get());
        const int nombradas = ContarCuentas(base.get());
        if (cuentas < nombradas)
            throw std::invalid_argument("El plan de cuentas necesita al menos " +
                                        std::to_string(nombradas) + " cuentas");
        GeneradorPlan(base.get()).Completar(nombradas, cuentas);
    }
    tx.Confirmar();
}

}  // namespace

void CrearBaseDesdeScripts(const std::string& archivo, const std::string& carpetaDb, bool conDemo) {
    CrearBaseDesdeScripts(archivo, carpetaDb, conDemo, kCuentasDemo);
}

void CrearBaseDesdeScripts(const std::string& archivo, const std::string& carpetaDb, bool conDemo,
                           int cuentas) {
    BorrarBase(archivo);
    try {
        Crear(archivo, carpetaDb, conDemo, cuentas);
    } catch (...) {
        BorrarBase(archivo);
        throw;
    }
}

std::string CarpetaScriptsDb() {
    const char* v = std::getenv("ASIENTOS_DB_DIR");
    if (!v || !*v) throw std::runtime_error("ASIENTOS_DB_DIR no está definida");
    return v;
}

}  // namespace data
