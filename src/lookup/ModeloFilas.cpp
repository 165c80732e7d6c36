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

namespace {
const std::string kVacio;
}

const std::string& ModeloFilas::Texto(int fila, int columna) const {
    if (fila < 0 || fila >= static_cast<int>(filas_.size()) || columna < 0) return kVacio;
    const auto& t = filas_[static_cast<std::size_t>(fila)].Textos;
    return static_cast<std::size_t>(columna) < t.size() ? t[static_cast<std::size_t>(columna)]
                                                        : kVacio;
}

void ModeloFilas::FijarTexto(int fila, int columna, const std::string& t) {
    if (fila < 0 || fila >= static_cast<int>(filas_.size()) || columna < 0) return;
    auto& textos = filas_[static_cast<std::size_t>(fila)].Textos;
    if (textos.size() <= static_cast<std::size_t>(columna))
        textos.resize(static_cast<std::size_t>(columna) + 1);
    textos[static_cast<std::size_t>(columna)] = t;
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
        case Qt::DisplayRole: {
            const std::string& t = Texto(i.row(), i.column());
            return QString::fromUtf8(t.data(), static_cast<qsizetype>(t.size()));
        }
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
    // One display string per row for the compared column, then a stable sort of positions.
    std::vector<QString> claves;
    claves.reserve(filas_.size());
    for (std::size_t f = 0; f < filas_.size(); ++f) {
        const std::string& t = Texto(static_cast<int>(f), columna);
        claves.push_back(QString::fromUtf8(t.data(), static_cast<qsizetype>(t.size())));
    }
    std::vector<std::size_t> orden_filas(filas_.size());
    for (std::size_t f = 0; f < orden_filas.size(); ++f) orden_filas[f] = f;
    std::stable_sort(orden_filas.begin(), orden_filas.end(), [&](std::size_t a, std::size_t b) {
        const int c = QString::compare(claves[a], claves[b], Qt::CaseInsensitive);
        return orden == Qt::AscendingOrder ? c < 0 : c > 0;
    });
    std::vector<Fila> ordenadas;
    ordenadas.reserve(filas_.size());
    for (std::size_t f : orden_filas) ordenadas.push_back(std::move(filas_[f]));
    filas_ = std::move(ordenadas);
    emit layoutChanged();
}
