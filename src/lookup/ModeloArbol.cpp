#include "ModeloArbol.h"

using namespace helperlib;

namespace lookup {

ModeloArbol::ModeloArbol(ArbolCodigos& arbol, QObject* padre)
    : QAbstractItemModel(padre), arbol_(arbol) {}

void ModeloArbol::FijarConMarcas(bool conMarcas) {
    if (conMarcas == conMarcas_) return;
    beginResetModel();
    conMarcas_ = conMarcas;
    endResetModel();
}

void ModeloArbol::Reconstruir(const std::function<void()>& cambio) {
    beginResetModel();
    try {
        cambio();
    } catch (...) {
        endResetModel();
        throw;
    }
    endResetModel();
}

QModelIndex ModeloArbol::IndiceDe(int nodo) const {
    if (nodo < 0 || nodo >= arbol_.Cantidad()) return {};
    return createIndex(arbol_[nodo].fila, 0, static_cast<quintptr>(nodo));
}

int ModeloArbol::NodoDe(const QModelIndex& indice) const {
    return indice.isValid() ? static_cast<int>(indice.internalId()) : -1;
}

QModelIndex ModeloArbol::index(int fila, int columna, const QModelIndex& padre) const {
    if (columna != 0 || fila < 0) return {};
    if (!padre.isValid()) return fila == 0 ? IndiceDe(ArbolCodigos::kRaiz) : QModelIndex();
    const auto& hijos = arbol_[NodoDe(padre)].hijos;
    if (fila >= static_cast<int>(hijos.size())) return {};
    return createIndex(fila, 0, static_cast<quintptr>(hijos[static_cast<std::size_t>(fila)]));
}

QModelIndex ModeloArbol::parent(const QModelIndex& hijo) const {
    const int nodo = NodoDe(hijo);
    return nodo < 0 ? QModelIndex() : IndiceDe(arbol_[nodo].padre);
}

int ModeloArbol::rowCount(const QModelIndex& padre) const {
    if (!padre.isValid()) return 1;  // the root
    if (padre.column() != 0) return 0;
    return static_cast<int>(arbol_[NodoDe(padre)].hijos.size());
}

int ModeloArbol::columnCount(const QModelIndex&) const { return 1; }

QVariant ModeloArbol::data(const QModelIndex& indice, int rol) const {
    const int nodo = NodoDe(indice);
    if (nodo < 0) return {};
    if (rol == Qt::DisplayRole) return QString::fromStdString(arbol_[nodo].texto);
    if (rol == Qt::CheckStateRole && conMarcas_)
        return arbol_[nodo].marcado ? Qt::Checked : Qt::Unchecked;
    return {};
}

bool ModeloArbol::setData(const QModelIndex& indice, const QVariant& valor, int rol) {
    const int nodo = NodoDe(indice);
    if (nodo < 0 || rol != Qt::CheckStateRole || !conMarcas_) return false;
    const bool marcado = valor.toInt() == Qt::Checked;
    const auto padres = arbol_.Marcar(nodo, marcado);
    emit dataChanged(indice, indice, {Qt::CheckStateRole});
    for (int p : padres) {
        const auto& hijos = arbol_[p].hijos;
        emit dataChanged(IndiceDe(hijos.front()), IndiceDe(hijos.back()), {Qt::CheckStateRole});
    }
    return true;
}

Qt::ItemFlags ModeloArbol::flags(const QModelIndex& indice) const {
    if (!indice.isValid()) return Qt::NoItemFlags;
    Qt::ItemFlags f = Qt::ItemIsEnabled | Qt::ItemIsSelectable;
    if (conMarcas_) f |= Qt::ItemIsUserCheckable;
    return f;
}

}  // namespace lookup
