#include "Recordset.h"

#include "Conexion.h"
#include "Dialecto.h"
#include "ErrorEjecucion.h"
#include "Texto.h"

using namespace helperlib;

namespace data {

namespace {

constexpr const char* kOrigen = "ADODB.Recordset";
constexpr long kSinRegistroActual = 3021;
constexpr long kNoActualizable = 3251;

[[noreturn]] void Lanzar(long numero) {
    switch (numero) {
        case errnum::kObjetoCerrado:
            throw ErrorEjecucion(
                numero, "No se permite realizar la operación si el objeto está cerrado.", kOrigen);
        case kSinRegistroActual:
            throw ErrorEjecucion(numero,
                                 "BOF o EOF es True, o el registro actual se eliminó. La operación "
                                 "solicitada requiere un registro actual.",
                                 kOrigen);
        case errnum::kElementoNoEncontrado:
            throw ErrorEjecucion(
                numero,
                "No se encontró el elemento en la colección que corresponde con el "
                "nombre o el ordinal pedido.",
                kOrigen);
        case kNoActualizable:
            throw ErrorEjecucion(
                numero,
                "El conjunto de registros actual no admite actualizaciones. Puede "
                "que se trate de una limitación del proveedor o del tipo de bloqueo "
                "seleccionado.",
                kOrigen);
        case errnum::kConexionInvalida:
            throw ErrorEjecucion(numero,
                                 "No se puede usar la conexión para realizar esta operación. Está "
                                 "cerrada o no es válida en este contexto.",
                                 kOrigen);
        default:
            throw ErrorEjecucion(numero, "No se permite la operación en este contexto.", kOrigen);
    }
}

std::string Citar(const std::string& nombre) {
    return "\"" + texto::Reemplazar(nombre, "\"", "\"\"") + "\"";
}

}  // namespace

Recordset Recordset::DesdeResultado(data::TablaResultado r, Conexion* cn,
                                    const std::string& tabla) {
    Recordset rs;
    rs.conexion_ = cn;
    rs.tabla_ = tabla;
    rs.abierto_ = r.Columnas && !r.Columnas->empty();
    rs.columnas_ = std::move(r.Columnas);
    rs.filas_ = std::move(r.Filas);
    rs.pos_ = 0;
    return rs;
}

void Recordset::Open(const std::string& sql, Conexion& cn, int tipoCursor, int tipoBloqueo,
                     long opciones) {
    nueva_.reset();
    abierto_ = false;
    Recordset r = cn.Execute(sql, nullptr, opciones);
    const bool actualizable =
        tipoBloqueo == bloqueo::kPesimista || tipoBloqueo == bloqueo::kOptimista;
    *this = std::move(r);
    CursorType = tipoCursor;
    LockType = tipoBloqueo;
    // The table an updatable recordset adds rows to is found in the statement when first
    // needed: most are never added to.
    tabla_.clear();
    consultaTabla_ = actualizable ? sql : std::string();
}

void Recordset::Close() {
    ExigirAbierto();
    if (nueva_) Lanzar(errnum::kOperacionNoPermitida);
    abierto_ = false;
    filas_ = data::FilasResultado();
    columnas_.reset();
    tabla_.clear();
    consultaTabla_.clear();
    insercion_.clear();
    puestosInsercion_.clear();
    pos_ = 0;
}

void Recordset::ExigirAbierto() const {
    if (!abierto_) Lanzar(errnum::kObjetoCerrado);
}

bool Recordset::BOF() const {
    ExigirAbierto();
    return filas_.Filas() == 0 || pos_ < 0;
}

bool Recordset::EOF() const {
    ExigirAbierto();
    return filas_.Filas() == 0 || pos_ >= static_cast<long>(filas_.Filas());
}

void Recordset::MoveFirst() {
    ExigirAbierto();
    if (filas_.Filas() == 0) Lanzar(kSinRegistroActual);
    pos_ = 0;
}

void Recordset::MoveLast() {
    ExigirAbierto();
    if (filas_.Filas() == 0) Lanzar(kSinRegistroActual);
    pos_ = static_cast<long>(filas_.Filas()) - 1;
}

void Recordset::MoveNext() {
    if (EOF()) Lanzar(kSinRegistroActual);
    ++pos_;
}

void Recordset::MovePrevious() {
    if (BOF()) Lanzar(kSinRegistroActual);
    --pos_;
}

long Recordset::RecordCount() const {
    ExigirAbierto();
    return static_cast<long>(filas_.Filas());
}

int Recordset::FieldCount() const {
    ExigirAbierto();
    return static_cast<int>(Columnas().size());
}

std::vector<std::string> Recordset::NombresCampos() const {
    ExigirAbierto();
    std::vector<std::string> n;
    n.reserve(Columnas().size());
    for (const auto& c : Columnas()) n.push_back(c.Nombre);
    return n;
}

int Recordset::IndiceDe(const std::string& nombre) const {
    // Compared in place: a recordset opened for one look-up must not fold the case of all its
    // column names first.
    for (size_t i = 0; i < Columnas().size(); ++i)
        if (texto::IgualesSinCaso(Columnas()[i].Nombre, nombre)) return static_cast<int>(i);
    return -1;
}

Campo Recordset::Fields(int indice) const {
    ExigirAbierto();
    if (indice < 0 || indice >= static_cast<int>(Columnas().size()))
        Lanzar(errnum::kElementoNoEncontrado);
    const auto i = static_cast<size_t>(indice);
    if (nueva_) return Campo(Columnas()[i], i, &filas_, 0, &(*nueva_)[i]);
    if (BOF() || EOF()) Lanzar(kSinRegistroActual);
    return Campo(Columnas()[i], i, &filas_, static_cast<size_t>(pos_), nullptr);
}

Campo Recordset::Fields(const std::string& nombre) const {
    ExigirAbierto();
    return Fields(IndiceDe(nombre));
}

void Recordset::AddNew() {
    ExigirAbierto();
    if (Tabla().empty()) Lanzar(kNoActualizable);
    if (nueva_) Lanzar(errnum::kOperacionNoPermitida);
    nueva_ = std::vector<ValorSql>(Columnas().size());
    puestos_.assign(Columnas().size(), false);
}

void Recordset::Poner(const std::string& campo, ValorSql valor) {
    ExigirAbierto();
    if (!nueva_) Lanzar(errnum::kOperacionNoPermitida);
    const int i = IndiceDe(campo);
    if (i < 0) Lanzar(errnum::kElementoNoEncontrado);
    (*nueva_)[static_cast<size_t>(i)] = std::move(valor);
    puestos_[static_cast<size_t>(i)] = true;
}

void Recordset::Update() {
    ExigirAbierto();
    if (!nueva_) return;  // nothing pending: nothing to write
    std::vector<ValorSql> valores;
    for (size_t i = 0; i < Columnas().size(); ++i)
        if (puestos_[i]) valores.push_back((*nueva_)[i]);
    if (insercion_.empty() || puestos_ != puestosInsercion_) {
        std::string nombres, marcas;
        for (size_t i = 0; i < Columnas().size(); ++i) {
            if (!puestos_[i]) continue;
            nombres += (marcas.empty() ? "" : ",") + Citar(Columnas()[i].Nombre);
            marcas += marcas.empty() ? "?" : ",?";
        }
        insercion_ = marcas.empty() ? "INSERT INTO " + Citar(tabla_) + " DEFAULT VALUES"
                                    : "INSERT INTO " + Citar(tabla_) + " (" + nombres +
                                          ") VALUES (" + marcas + ")";
        puestosInsercion_ = puestos_;
    }
    if (conexion_ == nullptr) Lanzar(errnum::kConexionInvalida);
    conexion_->EjecutarConParametros(insercion_, valores);  // on failure the edit stays pending
    if (filas_.Vacia()) filas_ = data::FilasResultado(Columnas().size());
    for (const auto& v : *nueva_) filas_.Agregar(v);
    nueva_.reset();
    pos_ = static_cast<long>(filas_.Filas()) - 1;  // the new row is the current one
}

const std::string& Recordset::Tabla() const {
    if (!consultaTabla_.empty()) {
        tabla_ = TablaDeConsulta(consultaTabla_);
        consultaTabla_.clear();
    }
    return tabla_;
}

data::FilasResultado Recordset::TomarFilas() {
    ExigirAbierto();
    data::FilasResultado filas = std::move(filas_);
    filas_ = data::FilasResultado(Columnas().size());
    pos_ = 0;
    return filas;
}

void Recordset::CancelUpdate() {
    ExigirAbierto();
    nueva_.reset();
}

}  // namespace data
