#pragma once
// The rules of the line grid, without widgets: the seven columns and which of their cells may
// be edited on a line, the display of a line, the validation of a committed cell against the
// chart of accounts, the repeated-account warning, the two totals in exact currency, the
// removal and insertion of lines, and where Enter, Up and Down move the current cell. It works
// on the store's working copy of lines (AlmacenModelos::Lineas) and a MatrizGrilla; the
// window supplies the floating editor's text and shows what these operations decide.
#include <array>
#include <cstdint>
#include <functional>
#include <string>

#include "Moneda.h"

namespace data {
class DB_Dll;
}

namespace editor {

class AlmacenModelos;
class MatrizGrilla;

/// One column of the grid.
struct ColumnaGrilla {
    std::string Encabezado;    ///< header text (blanks included)
    std::string Campo;         ///< data field the floating editor gets
    std::string Tabla;         ///< lookup table (the editor's tag)
    int16_t Ancho = 0;         ///< width in characters; the editor's maximum length
    bool Habilitada = false;   ///< the cell may be edited in the current row
    bool Obligatoria = false;  ///< Enter on an empty cell opens the editor instead of moving
};

/// What the floating editor takes from a column.
struct PropiedadesEditor {
    std::string Campo;
    bool Enabled = false;
    int MaxLength = 0;
    std::string Tag;
};

/// Column indices.
namespace columna {
inline constexpr int kLinea = 0;
inline constexpr int kCuenta = 1;
inline constexpr int kDv = 2;
inline constexpr int kDescripcion = 3;
inline constexpr int kDebe = 4;
inline constexpr int kHaber = 5;
inline constexpr int kAlicIva = 6;
inline constexpr int kCantidad = 7;
}  // namespace columna

/// Validation messages of the grid.
namespace mensaje_grilla {
inline constexpr const char* kNoImputable = "La cuenta ingresada no es imputable ";
inline constexpr const char* kRepetida = "La cuenta ya fue informada en la linea ";
inline constexpr const char* kDigito =
    "El digito verificador no es correcto, verifíquelo , por favor";
inline constexpr const char* kSinImporte = "Debe informar un valor al Debe o al Haber";
inline constexpr const char* kImporteInvalido = "El importe ingresado no es un número válido";
inline constexpr const char* kImporteFueraDeRango =
    "El importe ingresado excede el máximo permitido";
inline constexpr const char* kImporteNoExacto =
    "El importe ingresado tiene más de 15 cifras significativas y la base de datos no lo "
    "guarda exacto: ingrese un importe con menos cifras";
inline constexpr const char* kAlicuotaInvalida =
    "La alícuota de IVA ingresada no es un número válido";
inline constexpr const char* kTitulo = "Aviso al Operador";
}  // namespace mensaje_grilla

class LogicaGrilla {
  public:
    /// `almacen`, `db` and `grilla` must outlive the object.
    LogicaGrilla(AlmacenModelos& almacen, data::DB_Dll& db, MatrizGrilla& grilla);

    std::array<ColumnaGrilla, columna::kCantidad> Columnas;
    int16_t FilaActual = 0;  ///< grid row of the line being edited
    /// The setting "USADIGITOVERIFICADOR" as last read by MsFlex_Inicializa.
    std::string ValorDigito;
    /// The two totals as shown ("########0.00"); empty until first computed.
    std::string TotalDebe, TotalHaber;

    /// Reads the check-digit setting. Default: Cfg on the data access object.
    std::function<std::string()> LeerDigito;

    bool UsaDigito() const;   ///< the setting is "SI"
    bool DigitoEsNo() const;  ///< the setting is "NO"

    /// Builds the grid: seven columns with their headers, widths in twips and alignments,
    /// 20 rows numbered from 1, current cell (0, 0). The check-digit setting is read first,
    /// unless `releerDigito` is false and it was read before (ValorDigito is then kept).
    void MsFlex_Inicializa(bool releerDigito = true);
    /// The editor's properties for column `columna` (0..6). Throws ErrorEjecucion 9 otherwise.
    PropiedadesEditor Brw_Propiedades(double columna) const;
    /// Shows element `fila` of Lineas in grid row `fila` and decides which of its cells may be
    /// edited. Nothing for row 0 or a row beyond Lineas (the account column stays editable).
    void MostrarLinea(int fila);

    /// Validates the committed text of the cell being edited (row FilaActual) for the editor's
    /// data field `campo` and stores it in the line. `texto` is the editor's text; an
    /// alternative account code is replaced in it by the main code. With `mostrar` the full
    /// checks run and messages are shown ("Aviso al Operador", exclamation). Returns false on
    /// a validation error (AlmacenModelos::ErrorValidacion is then true). A refused value is
    /// not kept in the line: the line keeps what it held before.
    bool ValidarCampo(std::string& texto, const std::string& campo, bool mostrar);

    /// True when at least two lines hold `cuenta` (trimmed, letter case ignored); `linea`
    /// receives the first.
    bool CuentaRepetida(const std::string& cuenta, int& linea) const;
    /// Sums the lines' amounts exactly; a line with an amount on one side gets "0" on the
    /// other. Sets TotalDebe / TotalHaber. Throws ErrorEjecucion 6 on overflow of the sum.
    void CalcularTotales(helperlib::Moneda& totalDebe, helperlib::Moneda& totalHaber);
    /// CalcularTotales for the display; `mensaje` is emptied (or receives an overflow's text).
    void RecalcularTotales(std::string& mensaje);

    /// Removes line FilaActual and its grid row; the following lines move up. Does nothing
    /// when row 1 has no account or FilaActual is not a line of Lineas.
    void BorrarLinea();
    /// Inserts an empty line (and grid row) below FilaActual.
    void InsertarLinea();

    /// Cell moves of the grid keys. Enter: to the next editable column or the next row's
    /// account cell. Up: one row up (not into the header row). Down / next row: one row
    /// down, adding an empty row at the bottom when on the last one.
    void MoverEnter();
    void MoverArriba();
    void SiguienteFila();

    /// The text a committed cell shows: amounts of columns 4 and 5 in "#########0.00"
    /// (empty for zero when `vaciarCero`); anything else, and text that is no number, as is.
    static std::string TextoDeCelda(int col, const std::string& texto, bool vaciarCero);
    /// Called when the current cell moved: FilaActual follows it; both rows are redisplayed.
    void EntrarCelda();

  private:
    /// The matrix as the last rebuild left it: its change count and the check-digit layout.
    bool reconstruida_ = false;
    unsigned long long cambiosAlReconstruir_ = 0;
    bool dvAlReconstruir_ = false;

    void QuitarLinea(int fila);
    void MostrarDesde(int desde, int hasta);
    bool ValidarCuenta(std::string& texto, bool mostrar, std::string& mensaje);
    bool ValidarImporte(const std::string& texto, bool esDebe, bool mostrar, std::string& mensaje);

    AlmacenModelos& almacen_;
    data::DB_Dll& db_;
    MatrizGrilla& grilla_;
};

}  // namespace editor
