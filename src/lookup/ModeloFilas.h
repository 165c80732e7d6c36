#pragma once
// The rows of the list window as a table model: one text per column, a check state and an
// optional colour per row. Built for tens of thousands of rows (no widget item per row): the
// texts are kept as read (UTF-8) in one shared buffer, without an allocation per row or cell,
// and turned into display strings only for the cells the view asks for.
#include <QAbstractTableModel>
#include <QColor>
#include <QStringList>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace lookup {

class ModeloFilas : public QAbstractTableModel {
    Q_OBJECT
  public:
    struct Fila {
        std::size_t Primera = 0;  ///< position of the row's first cell in the model's cells
        int Columnas = 0;         ///< number of cells of the row
        bool Marcada = false;
        std::optional<QColor> Color;  ///< stock colour: the row is bold and takes it
    };

    /// Rows being read, handed to Cargar in one piece: start each row with NuevaFila and add
    /// its texts in column order with Agregar.
    class Lote {
      public:
        void Reservar(std::size_t filas, std::size_t columnas);
        /// The new row (valid until the next NuevaFila).
        Fila& NuevaFila();
        void Agregar(std::string_view texto);
        std::size_t Filas() const { return filas_.size(); }

      private:
        friend class ModeloFilas;
        struct Celda {
            std::size_t Inicio = 0;
            std::size_t Largo = 0;
        };
        std::string textos_;
        std::vector<Celda> celdas_;
        std::vector<Fila> filas_;
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
