#pragma once
// The line grid on screen: a table view over a MatrizGrilla whose row 0 is shown as the fixed
// header row and column 0 as the fixed line-number column. Widths come from the matrix in
// twips; a column 0 twips wide is hidden. The view's current cell and the matrix's Row/Col
// follow each other. Keys and clicks that the editor window handles are passed on as signals.
#include <QAbstractTableModel>
#include <QFontMetrics>
#include <QTableView>
#include <string>
#include <vector>

#include "MatrizGrilla.h"

namespace editor {

/// A heading as shown in a column `ancho` pixels wide: trailing blanks are dropped, one at a
/// time, while the text is wider than that (a right-aligned heading would otherwise be cut on
/// its left, letters first); a heading that fits, or has no trailing blank, is left whole.
QString EncabezadoQueCabe(QString texto, const QFontMetrics& letra, int ancho);

class ModeloFGModelo : public QAbstractTableModel {
    Q_OBJECT
  public:
    explicit ModeloFGModelo(MatrizGrilla& matriz, QObject* parent = nullptr);
    int rowCount(const QModelIndex& = {}) const override;
    int columnCount(const QModelIndex& = {}) const override;
    QVariant data(const QModelIndex& indice, int rol) const override;
    QVariant headerData(int seccion, Qt::Orientation o, int rol) const override;
    Qt::ItemFlags flags(const QModelIndex& indice) const override;
    /// The matrix changed in shape: every view redraws.
    void Reiniciar();
    /// Matrix rows `desde`..`hasta` were added / removed (see ObservadorMatriz).
    void FilasAgregadas(int desde, int hasta);
    void FilasQuitadas(int desde, int hasta);

  private:
    MatrizGrilla& matriz_;
    // The shape the views were last told of: a view asks for it between the matrix's change
    // and the notice of it, and must get what it was told until then.
    int filas_ = 0;
    int columnas_ = 0;
};

class FGModelo : public QTableView {
    Q_OBJECT
  public:
    /// `matriz` must outlive the widget; the widget registers itself as its observer.
    explicit FGModelo(MatrizGrilla& matriz, QWidget* parent = nullptr);
    ~FGModelo() override;

    MatrizGrilla& Matriz() { return matriz_; }
    /// Rectangle of a cell of the matrix in viewport coordinates (empty when not visible).
    QRect RectanguloCelda(int fila, int col) const;
    /// Twips to pixels on this screen.
    int Pixeles(int twips) const;
    /// Width in pixels of a column `twips` wide, in this widget's font: the width is read as
    /// characters of 100 twips each (as the column layout counts them) measured in the font,
    /// and never narrower than the column's header text.
    int AnchoColumna(int col) const;
    /// Scrolls the current cell into view.
    void MostrarCeldaActual();

  signals:
    /// A printable character typed on the grid (its Unicode code).
    void TeclaImprimible(int codigo);
    /// Enter pressed on the grid.
    void Enter();
    void DobleClic();
    void Clic();
    void RecibioFoco();
    void Desplazada();

  protected:
    void keyPressEvent(QKeyEvent* e) override;
    void focusInEvent(QFocusEvent* e) override;
    void mousePressEvent(QMouseEvent* e) override;
    bool eventFilter(QObject* objeto, QEvent* evento) override;
    void changeEvent(QEvent* e) override;
    void mouseDoubleClickEvent(QMouseEvent* e) override;
    void mouseReleaseEvent(QMouseEvent* e) override;
    void currentChanged(const QModelIndex& actual, const QModelIndex& previo) override;
    using QTableView::edit;
    /// The cells are never edited in place (the editor window lays its own editor over them):
    /// a move of the current cell asks nothing of the delegate.
    bool edit(const QModelIndex& indice, EditTrigger disparo, QEvent* evento) override;

  private:
    /// The width in pixels of a column `twips` wide headed `texto` (see AnchoColumna).
    int MedirColumna(int twips, const std::string& texto) const;
    void AplicarAnchos();
    void SeguirMatriz(int fila, int col);

    /// A column's width as last measured, for the same width in twips and header text.
    struct Medida {
        int twips = -1;
        std::string encabezado;
        int pixeles = 0;
    };

    MatrizGrilla& matriz_;
    ModeloFGModelo* modelo_;
    mutable std::vector<Medida> medidas_;  // per column; emptied when the font or style change
    bool sincronizando_ = false;
    bool focoPorClic_ = false;  // the focus came with a click: RecibioFoco after the click
};

}  // namespace editor
