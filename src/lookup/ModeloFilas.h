#pragma once
// The rows of the list window as a table model: one text per column, a check state and an
// optional colour per row. Built for tens of thousands of rows (no widget item per row): the
// texts stay where the query read them (the recordset's one buffer, taken over without a
// copy) and are turned into display strings only for the cells the view asks for.
#include <QAbstractTableModel>
#include <QColor>
#include <QStringList>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "FilasResultado.h"

namespace lookup {

class ModeloFilas : public QAbstractTableModel {
    Q_OBJECT
  public:
    struct Fila {
        std::size_t Primera = 0;  ///< position of the row's first cell in the rows' texts
        int Columnas = 0;         ///< number of cells of the row
        bool Marcada = false;
        std::optional<QColor> Color;  ///< stock colour: the row is bold and takes it
    };

    /// Rows handed to Cargar in one piece: either the rows of a query taken whole, or rows
    /// built text by text (start each row with NuevaFila and add its texts in column order
    /// with Agregar).
    class Lote {
      public:
        Lote() = default;
        /// The rows of a query as read, without a copy. `recortarPrimera`: the first column is
        /// shown without its edge blanks.
        Lote(data::FilasResultado filas, bool recortarPrimera);
        void Reservar(std::size_t filas, std::size_t columnas);
        /// The new row (valid until the next NuevaFila).
        Fila& NuevaFila();
        void Agregar(std::string_view texto);
        std::size_t Filas() const { return filas_.size(); }
        /// Row `fila` in the order read (for marks and colours set while loading).
        Fila& operator[](std::size_t fila) { return filas_[fila]; }

      private:
        friend class ModeloFilas;
        /// The text of the cell at `celda` (a position in the rows' texts).
        std::string_view Celda(std::size_t celda) const;
        data::FilasResultado textos_{1};  // one text per row when built text by text
        std::vector<Fila> filas_;
        std::unordered_map<std::size_t, std::string> editadas_;  // cell -> text set since
        bool recortarPrimera_ = false;
    };

    explicit ModeloFilas(QObject* padre = nullptr) : QAbstractTableModel(padre) {}

    /// Replaces columns and rows (one reset).
    void Cargar(QStringList encabezados, Lote filas);
    /// Adds one row of a single text at the end.
    void AgregarFila(std::string_view texto, bool marcada);
    void Vaciar();
    void FijarConMarcas(bool conMarcas);
    bool ConMarcas() const { return conMarcas_; }

    const QStringList& Encabezados() const { return encabezados_; }
    const std::vector<Fila>& Filas() const { return lote_.filas_; }
    /// Text of row `fila`, column `columna` ("" outside the table).
    std::string_view Texto(int fila, int columna) const;
    void FijarTexto(int fila, int columna, const std::string& t);
    void FijarMarca(int fila, bool marcada);
    /// Every row's check mark reversed.
    void InvertirMarcas();
    void LimpiarMarcas();

    int rowCount(const QModelIndex& padre = {}) const override;
    int columnCount(const QModelIndex& padre = {}) const override;
    QVariant data(const QModelIndex& i, int rol) const override;
    QVariant headerData(int seccion, Qt::Orientation o, int rol) const override;
    bool setData(const QModelIndex& i, const QVariant& v, int rol) override;
    Qt::ItemFlags flags(const QModelIndex& i) const override;
    /// Stable sort on one column's text, case ignored (each text converted once per sort).
    void sort(int columna, Qt::SortOrder orden = Qt::AscendingOrder) override;

  private:
    QStringList encabezados_;
    Lote lote_;
    bool conMarcas_ = false;
};

}  // namespace lookup
