#include "ModeloFilas.h"

#include <QFont>
#include <algorithm>

void ModeloFilas::Cargar(QStringList encabezados, std::vector<Fila> filas) {
    beginResetModel();
    encabezados_ = std::move(encabezados);
    filas_ = std::move(filas);
    endResetModel();
}

void ModeloFilas::Vaciar() {
    beginResetModel();
    filas_.clear();
    endResetModel();
}

void ModeloFilas::FijarConMarcas(bool conMarcas) {
    beginResetModel();
    conMarcas_ = conMarcas;
    endResetModel();
}

QString ModeloFilas::Texto(int fila, int columna) const {
    if (fila < 0 || fila >= static_cast<int>(filas_.size())) return {};
    const auto& t = filas_[static_cast<std::size_t>(fila)].Textos;
    return columna >= 0 && columna < t.size() ? t[columna] : QString();
}

void ModeloFilas::FijarTexto(int fila, int columna, const QString& t) {
    if (fila < 0 || fila >= static_cast<int>(filas_.size()) || columna < 0) return;
    auto& textos = filas_[static_cast<std::size_t>(fila)].Textos;
    while (textos.size() <= columna) textos.append(QString());
    textos[columna] = t;
    emit dataChanged(index(fila, columna), index(fila, columna));
}

void ModeloFilas::FijarMarca(int fila, bool marcada) {
    if (fila < 0 || fila >= static_cast<int>(filas_.size())) return;
    filas_[static_cast<std::size_t>(fila)].Marcada = marcada;
    emit dataChanged(index(fila, 0), index(fila, 0), {Qt::CheckStateRole});
}

void ModeloFilas::InvertirMarcas() {
    for (auto& f : filas_) f.Marcada = !f.Marcada;
    if (!filas_.empty()) emit dataChanged(index(0, 0), index(rowCount() - 1, 0));
}

void ModeloFilas::LimpiarMarcas() {
    for (auto& f : filas_) f.Marcada = false;
    if (!filas_.empty()) emit dataChanged(index(0, 0), index(rowCount() - 1, 0));
}

int ModeloFilas::rowCount(const QModelIndex& padre) const {
    return padre.isValid() ? 0 : static_cast<int>(filas_.size());
}

int ModeloFilas::columnCount(const QModelIndex& padre) const {
    return padre.isValid() ? 0 : static_cast<int>(encabezados_.size());
}

QVariant ModeloFilas::data(const QModelIndex& i, int rol) const {
    if (!i.isValid()) return {};
    const auto& f = filas_[static_cast<std::size_t>(i.row())];
    switch (rol) {
        case Qt::DisplayRole:
            return i.column() < f.Textos.size() ? f.Textos[i.column()] : QString();
        case Qt::CheckStateRole:
            if (conMarcas_ && i.column() == 0) return f.Marcada ? Qt::Checked : Qt::Unchecked;
            return {};
        case Qt::ForegroundRole:
            if (f.Color) return *f.Color;
            return {};
        default:
            return {};
    }
}

QVariant ModeloFilas::headerData(int seccion, Qt::Orientation o, int rol) const {
    if (o == Qt::Horizontal && rol == Qt::DisplayRole && seccion >= 0 &&
        seccion < encabezados_.size())
        return encabezados_[seccion];
    return {};
}

bool ModeloFilas::setData(const QModelIndex& i, const QVariant& v, int rol) {
    if (!i.isValid() || rol != Qt::CheckStateRole || !conMarcas_ || i.column() != 0) return false;
    FijarMarca(i.row(), v.toInt() == Qt::Checked);
    return true;
}

Qt::ItemFlags ModeloFilas::flags(const QModelIndex& i) const {
    if (!i.isValid()) return Qt::NoItemFlags;
    Qt::ItemFlags f = Qt::ItemIsEnabled | Qt::ItemIsSelectable;
    if (conMarcas_ && i.column() == 0) f |= Qt::ItemIsUserCheckable;
    return f;
}

void ModeloFilas::sort(int columna, Qt::SortOrder orden) {
    emit layoutAboutToBeChanged();
    std::stable_sort(filas_.begin(), filas_.end(), [&](const Fila& a, const Fila& b) {
        const QString ta = columna < a.Textos.size() ? a.Textos[columna] : QString();
        const QString tb = columna < b.Textos.size() ? b.Textos[columna] : QString();
        const int c = QString::compare(ta, tb, Qt::CaseInsensitive);
        return orden == Qt::AscendingOrder ? c < 0 : c > 0;
    });
    emit layoutChanged();
}
