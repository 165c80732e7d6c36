#pragma once
// The flex grid the line editor is written against, without any widget: a matrix of cell
// texts whose row 0 holds the column headers and column 0 the line numbers, the current cell
// (Row, Col), the first visible row (TopRow), column widths in twips and alignments. Moving
// the current cell raises LeaveCell before and EnterCell after the move, as the flex grid
// does; a widget that shows the matrix registers an observer to follow its changes.
#include <functional>
#include <string>
#include <vector>

namespace editor {

/// Alignment codes of the flex grid that the editor uses.
namespace alineacion {
inline constexpr int kIzquierdaCentro = 1;
inline constexpr int kDerechaAbajo = 8;
}  // namespace alineacion

/// What a view of the matrix is told.
struct ObservadorMatriz {
    std::function<void(int fila, int col)> CeldaCambiada;
    /// Rows `desde`..`hasta` (both included, numbered as they are after the change) were
    /// added; the rows that were there from `desde` on moved down.
    std::function<void(int desde, int hasta)> FilasAgregadas;
    /// Rows `desde`..`hasta` (numbered as they were before the change) were removed.
    std::function<void(int desde, int hasta)> FilasQuitadas;
    /// Anything else changed (columns, widths, alignments): lay out and redraw everything.
    std::function<void()> Reiniciada;
    /// Any cell's text may have changed, the shape did not: redraw the cells and line numbers,
    /// and the header row when `encabezados` (its texts differ from before).
    std::function<void(bool encabezados)> CeldasCambiadas;
    /// The current cell moved.
    std::function<void(int fila, int col)> CeldaActual;
};

class MatrizGrilla {
  public:
    MatrizGrilla();

    int Rows() const { return static_cast<int>(celdas_.size()); }
    /// Sets the number of rows (at least the one fixed row); new rows are empty.
    void Rows(int filas);
    int Cols() const { return cols_; }
    /// Sets the number of columns (at least 1); cells of new columns are empty.
    void Cols(int columnas);

    /// Text of a cell; "" outside the matrix.
    const std::string& TextMatrix(int fila, int col) const;
    /// Sets a cell's text; a cell outside the matrix raises ErrorEjecucion 381 (invalid row or
    /// column value), as the flex grid does.
    void TextMatrix(int fila, int col, const std::string& texto);

    int Row() const { return fila_; }
    int Col() const { return col_; }
    /// Moves the current cell (LeaveCell, move, EnterCell). A value outside the matrix raises
    /// ErrorEjecucion 381 and leaves the cell where it was.
    void Row(int fila);
    void Col(int col);
    /// Moves both at once with one LeaveCell / EnterCell pair.
    void Celda(int fila, int col);

    int TopRow() const { return filaSuperior_; }
    void TopRow(int fila);

    int ColWidth(int col) const;
    void ColWidth(int col, int twips);
    int ColAlignment(int col) const;
    void ColAlignment(int col, int codigo);

    /// Inserts one empty row at `fila` (1..Rows); the rows from there move down.
    void AddItem(int fila);
    /// Removes row `fila`. The fixed row and the only remaining non-fixed row cannot be
    /// removed (ErrorEjecucion 30015, as the flex grid refuses it).
    void RemoveItem(int fila);
    /// Empties every cell (sizes and widths stay).
    void Clear();

    /// Counts the changes made to the matrix (texts, sizes, widths, alignments, current cell,
    /// first visible row): equal counts mean the matrix is as it was.
    unsigned long long Cambios() const { return cambios_; }

    /// While a Lote is open the observer hears nothing; when the outermost one closes it is
    /// told once of what the batch changed, if anything: Reiniciada when the columns, a width
    /// or an alignment changed; otherwise the rows added or removed (as one change at the end
    /// of the matrix), then CeldasCambiadas, then the current cell when it moved. Setting a
    /// size, width or alignment a column already has changes nothing. Moves of the current
    /// cell still raise LeaveCell and EnterCell as they happen.
    class Lote {
      public:
        explicit Lote(MatrizGrilla& m) : m_(m) { m_.AbrirLote(); }
        ~Lote() { m_.CerrarLote(); }
        Lote(const Lote&) = delete;
        Lote& operator=(const Lote&) = delete;

      private:
        MatrizGrilla& m_;
    };

    /// Raised around every move of the current cell.
    std::function<void()> LeaveCell;
    std::function<void()> EnterCell;
    ObservadorMatriz Observador;

  private:
    void Mover(int fila, int col);
    void ComprobarCelda(int fila, int col) const;

    /// What the open batch changed; the rows and header texts it started with.
    struct CambiosLote {
        bool forma = false;
        bool celdas = false;
        bool actual = false;
        int filas = 0;
        std::vector<std::string> encabezados;
    };
    void AbrirLote();
    void CerrarLote();
    void AnotarCelda();
    void AvisarForma();

    unsigned long long cambios_ = 0;
    int lotes_ = 0;
    CambiosLote lote_;

    std::vector<std::vector<std::string>> celdas_;
    int cols_ = 2;
    int fila_ = 0;
    int col_ = 0;
    int filaSuperior_ = 1;
    std::vector<int> anchos_;
    std::vector<int> alineaciones_;
};

}  // namespace editor
