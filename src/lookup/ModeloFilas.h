#pragma once
// The rows of the list window as a table model: one text per column, a check state and an
// optional colour per row. Built for tens of thousands of rows (no widget item per row): the
// texts are kept as read (UTF-8) and turned into display strings only for the cells the view
// asks for.
#include <QAbstractTableModel>
#include <QColor>
#include <QStringList>
#include <optional>
#include <string>
#include <vector>

class ModeloFilas : public QAbstractTableModel {
    Q_OBJECT
  public:
    struct Fila {
        std::vector<std::string> Textos;  ///< UTF-8, one per column
        bool Marcada = false;
        std::optional<QColor> Color;  ///< stock colour: the row is bold and takes it
    };

    explicit ModeloFilas(QObject* padre = nullptr) : QAbstractTableModel(padre) {}

    /// Replaces columns and rows (one reset).
    void Cargar(QStringList encabezados, std::vector<Fila> filas);
    void Vaciar();
    void FijarConMarcas(bool conMarcas);
    bool ConMarcas() const { return conMarcas_; }

    const QStringList& Encabezados() const { return encabezados_; }
    const std::vector<Fila>& Filas() const { return filas_; }
    /// Text of row `fila`, column `columna` ("" outside the table).
    const std::string& Texto(int fila, int columna) const;
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
    std::vector<Fila> filas_;
    bool conMarcas_ = false;
};
