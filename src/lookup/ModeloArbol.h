#pragma once
// The item model through which the tree window's view shows an ArbolCodigos: one column, the
// node texts, and check boxes when the window is in check mode. Checking a node through the
// view marks the nodes below it as the tree's rule says and repaints them.
#include <QAbstractItemModel>
#include <functional>

#include "ArbolCodigos.h"

namespace lookup {

class ModeloArbol : public QAbstractItemModel {
    Q_OBJECT
  public:
    /// `arbol` is not owned and must outlive the model.
    explicit ModeloArbol(ArbolCodigos& arbol, QObject* padre = nullptr);

    /// Check boxes on every node, or none.
    void FijarConMarcas(bool conMarcas);
    bool ConMarcas() const { return conMarcas_; }
    /// Runs `cambio` (which may rebuild the tree) as one reset of the model.
    void Reconstruir(const std::function<void()>& cambio);

    QModelIndex IndiceDe(int nodo) const;
    /// The node of an index; -1 for an invalid index.
    int NodoDe(const QModelIndex& indice) const;

    QModelIndex index(int fila, int columna, const QModelIndex& padre = {}) const override;
    QModelIndex parent(const QModelIndex& hijo) const override;
    int rowCount(const QModelIndex& padre = {}) const override;
    int columnCount(const QModelIndex& padre = {}) const override;
    QVariant data(const QModelIndex& indice, int rol = Qt::DisplayRole) const override;
    bool setData(const QModelIndex& indice, const QVariant& valor, int rol) override;
    Qt::ItemFlags flags(const QModelIndex& indice) const override;

  private:
    ArbolCodigos& arbol_;
    bool conMarcas_ = false;
};

}  // namespace lookup
