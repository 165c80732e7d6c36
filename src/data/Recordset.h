#pragma once
// A query's rows with the surface of the classic ADO Recordset: BOF/EOF, moving, fields by
// name, and AddNew/Update on recordsets opened updatable (lock type 2 or 3) on a single table,
// which insert the new row through a parameterised statement.
#include <cstdio>  // included here so that its EOF macro can be withdrawn for good
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "Motor.h"

// The classic object's EOF property keeps its name; the C library's EOF macro (-1) would turn
// every `rs.EOF()` into a syntax error. <cstdio> is guarded, so it never comes back.
#undef EOF

namespace data {

class Conexion;

namespace cursor {
inline constexpr int kSoloAvance = 0;
inline constexpr int kKeyset = 1;
inline constexpr int kDinamico = 2;
inline constexpr int kEstatico = 3;
}  // namespace cursor
namespace bloqueo {
inline constexpr int kSoloLectura = 1;
inline constexpr int kPesimista = 2;
inline constexpr int kOptimista = 3;
}  // namespace bloqueo

/// A field of a recordset's row: a view of the value kept in the recordset (valid while the
/// recordset stays open and is not moved); the column's name and type are kept once per
/// recordset.
class Campo {
  public:
    const std::string& Name() const { return columna_->Nombre; }
    int Type() const { return columna_->TipoAdo; }
    /// A copy of the value (Null as nullopt).
    ValorSql Value() const { return EsNulo() ? ValorSql() : ValorSql(std::string(Vista())); }
    bool EsNulo() const {
        return pendiente_ ? !pendiente_->has_value() : filas_->EsNulo(fila_, columna());
    }
    /// The value as text; "" for Null.
    std::string Texto() const { return std::string(Vista()); }
    /// The value as text without a copy ("" for Null).
    std::string_view Vista() const {
        if (pendiente_)
            return pendiente_->has_value() ? std::string_view(**pendiente_) : std::string_view();
        return filas_->Texto(fila_, columna());
    }

  private:
    friend class Recordset;
    Campo(const ColumnaResultado& columna, size_t indice, const data::FilasResultado* filas,
          size_t fila, const ValorSql* pendiente)
        : columna_(&columna), indice_(indice), filas_(filas), fila_(fila), pendiente_(pendiente) {}
    size_t columna() const { return indice_; }
    const ColumnaResultado* columna_;
    size_t indice_;
    const data::FilasResultado* filas_;
    size_t fila_;
    const ValorSql* pendiente_;  // the value of a pending new row, else null
};

class Recordset {
  public:
    Recordset() = default;

    int CursorType = cursor::kSoloAvance;
    int LockType = bloqueo::kSoloLectura;

    /// Opens on `sql` (suite dialect) through `cn` (Conexion::Execute: same errors). Closes
    /// first when open, discarding a pending new row. All rows are read at once; an open
    /// recordset is positioned on its first row (BOF and EOF both true when it has none). A
    /// statement that returns no rows leaves it closed, as the classic object does.
    void Open(const std::string& sql, Conexion& cn, int tipoCursor = cursor::kSoloAvance,
              int tipoBloqueo = bloqueo::kSoloLectura, long opciones = -1);
    /// Throws ErrorEjecucion 3704 when already closed; 3219 when an AddNew is pending.
    void Close();
    int State() const { return abierto_ ? 1 : 0; }

    bool BOF() const;
    bool EOF() const;
    void MoveFirst();
    void MoveNext();
    void MovePrevious();
    void MoveLast();
    long RecordCount() const;

    int FieldCount() const;
    /// The field of the current row (or of the pending new row); name ignores case.
    /// Throws 3265 when no such field, 3021 when there is no current row.
    Campo Fields(const std::string& nombre) const;
    Campo Fields(int indice) const;
    std::vector<std::string> NombresCampos() const;

    /// Starts a new row (all Null); set its fields with Poner and write it with Update.
    void AddNew();
    void Poner(const std::string& campo, ValorSql valor);
    /// AddNew throws 3251 unless the recordset was opened with lock type 2 or 3 on a
    /// single-table query, 3219 when a new row is already pending. Poner throws 3219 without
    /// a pending row, 3265 for an unknown field.
    /// Update inserts the pending row into the recordset's table with a parameterised INSERT of
    /// the fields given a value (the others take the table's defaults; the row kept here shows
    /// them as Null); the row joins the recordset as its current row. Without a pending row it
    /// does nothing. On failure it throws like Conexion::Execute and the row stays pending.
    void Update();
    void CancelUpdate();
    bool EdicionPendiente() const { return nueva_.has_value(); }

    /// Table the recordset was opened on (for AddNew), "" when not a single-table query.
    const std::string& Tabla() const;

    /// Used by Conexion::Execute to hand over a result.
    static Recordset DesdeResultado(data::TablaResultado r, Conexion* cn, const std::string& tabla);

    /// The rows as read (and added by Update), and their columns, for readers that go through
    /// every row without moving (the sheet, the list window).
    const data::FilasResultado& Filas() const { return filas_; }
    /// Hands the rows over, without a copy, to a reader that keeps them (the list window); the
    /// recordset stays open with no rows.
    data::FilasResultado TomarFilas();
    const std::vector<ColumnaResultado>& Columnas() const {
        return columnas_ ? *columnas_ : kSinColumnas;
    }

  private:
    void ExigirAbierto() const;
    int IndiceDe(const std::string& nombre) const;

    Conexion* conexion_ = nullptr;
    bool abierto_ = false;
    mutable std::string tabla_;
    mutable std::string consultaTabla_;  // statement whose table is still to be found, if any
    ColumnasCompartidas columnas_;       // null when closed
    static inline const std::vector<ColumnaResultado> kSinColumnas;
    data::FilasResultado filas_;
    long pos_ = 0;  // 0-based current row; -1 = BOF, size = EOF
    std::optional<std::vector<ValorSql>> nueva_;
    std::vector<bool> puestos_;  // fields of the pending row given a value with Poner
    // The last INSERT written by Update and the fields it names: rows that set the same fields
    // send the same text.
    std::string insercion_;
    std::vector<bool> puestosInsercion_;
};

}  // namespace data
