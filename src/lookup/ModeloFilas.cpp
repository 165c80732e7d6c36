#include "ModeloFilas.h"

#include <QFont>
#include <algorithm>

namespace lookup {

ModeloFilas::Lote::Lote(data::FilasResultado filas, bool recortarPrimera)
    : textos_(std::move(filas)), recortarPrimera_(recortarPrimera) {
    const std::size_t columnas = textos_.Columnas();
    filas_.resize(textos_.Filas());
    for (std::size_t f = 0; f < filas_.size(); ++f) {
        filas_[f].Primera = f * columnas;
        filas_[f].Columnas = static_cast<int>(columnas);
    }
}

void ModeloFilas::Lote::Reservar(std::size_t filas, std::size_t columnas) {
    filas_.reserve(filas);
    textos_.Reservar(filas * columnas, filas * columnas * 8);
}

ModeloFilas::Fila& ModeloFilas::Lote::NuevaFila() {
    // A cell's position is the number of texts before it.
    Fila& f = filas_.emplace_back();
    f.Primera = textos_.Celdas();
    return f;
}

void ModeloFilas::Lote::Agregar(std::string_view texto) {
    textos_.Agregar(texto);
    ++filas_.back().Columnas;
}

std::string_view ModeloFilas::Lote::Celda(std::size_t celda) const {
    if (!editadas_.empty()) {
        if (auto it = editadas_.find(celda); it != editadas_.end()) return it->second;
    }
    const std::size_t columnas = textos_.Columnas();
    if (columnas == 0) return {};
    const std::size_t columna = celda % columnas;
    std::string_view t = textos_.Texto(celda / columnas, columna);
    if (recortarPrimera_ && columna == 0) {  // blanks only, as texto::Recortar
        while (!t.empty() && t.front() == ' ') t.remove_prefix(1);
        while (!t.empty() && t.back() == ' ') t.remove_suffix(1);
    }
    return t;
}

void ModeloFilas::Cargar(QStringList encabezados, Lote filas) {
    beginResetModel();
    encabezados_ = std::move(encabezados);
    lote_ = std::move(filas);
    endResetModel();
}

void ModeloFilas::AgregarFila(std::string_view texto, bool marcada) {
    const int fila = rowCount();
    beginInsertRows({}, fila, fila);
    lote_.NuevaFila().Marcada = marcada;
    lote_.Agregar(texto);
    endInsertRows();
}

void ModeloFilas::Vaciar() {
    beginResetModel();
    lote_ = Lote();
    endResetModel();
}

void ModeloFilas::FijarConMarcas(bool conMarcas) {
    if (conMarcas == conMarcas_) return;
    beginResetModel();
    conMarcas_ = conMarcas;
    endResetModel();
}

std::string_view ModeloFilas::Texto(int fila, int columna) const {
    if (fila < 0 || fila >= rowCount() || columna < 0) return {};
    const Fila& f = lote_.filas_[static_cast<std::size_t>(fila)];
    if (columna >= f.Columnas) return {};
    return lote_.Celda(f.Primera + static_cast<std::size_t>(columna));
}

void ModeloFilas::FijarTexto(int fila, int columna, const std::string& t) {
    if (fila < 0 || fila >= rowCount() || columna < 0) return;
    const Fila& f = lote_.filas_[static_cast<std::size_t>(fila)];
    if (columna >= f.Columnas) return;  // every row carries all the columns it was read with
    lote_.editadas_[f.Primera + static_cast<std::size_t>(columna)] = t;
    emit dataChanged(index(fila, columna), index(fila, columna));
}

void ModeloFilas::FijarMarca(int fila, bool marcada) {
    if (fila < 0 || fila >= static_cast<int>(lote_.filas_.size())) return;
    lote_.filas_[static_cast<std::size_t>(fila)].Marcada = marcada;
    emit dataChanged(index(fila, 0), index(fila, 0), {Qt::CheckStateRole});
}

void ModeloFilas::InvertirMarcas() {
    for (auto& f : lote_.filas_) f.Marcada = !f.Marcada;
    if (!lote_.filas_.empty()) emit dataChanged(index(0, 0), index(rowCount() - 1, 0));
}

void ModeloFilas::LimpiarMarcas() {
    for (auto& f : lote_.filas_) f.Marcada = false;
    if (!lote_.filas_.empty()) emit dataChanged(index(0, 0), index(rowCount() - 1, 0));
}

int ModeloFilas::rowCount(const QModelIndex& padre) const {
    return padre.isValid() ? 0 : static_cast<int>(lote_.filas_.size());
}

int ModeloFilas::columnCount(const QModelIndex& padre) const {
    return padre.isValid() ? 0 : static_cast<int>(encabezados_.size());
}

QVariant ModeloFilas::data(const QModelIndex& i, int rol) const {
    if (!i.isValid()) return {};
    const auto& f = lote_.filas_[static_cast<std::size_t>(i.row())];
    switch (rol) {
        case Qt::DisplayRole: {
            const std::string_view t = Texto(i.row(), i.column());
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
    // A flat list: the view need not ask each row whether it has children when laying out.
    Qt::ItemFlags f = Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemNeverHasChildren;
    if (conMarcas_ && i.column() == 0) f |= Qt::ItemIsUserCheckable;
    return f;
}

void ModeloFilas::sort(int columna, Qt::SortOrder orden) {
    emit layoutAboutToBeChanged();
    // One display string per row for the compared column, then a stable sort of positions.
    std::vector<QString> claves;
    claves.reserve(lote_.filas_.size());
    for (std::size_t f = 0; f < lote_.filas_.size(); ++f) {
        const std::string_view t = Texto(static_cast<int>(f), columna);
        claves.push_back(QString::fromUtf8(t.data(), static_cast<qsizetype>(t.size())));
    }
    std::vector<std::size_t> orden_filas(lote_.filas_.size());
    for (std::size_t f = 0; f < orden_filas.size(); ++f) orden_filas[f] = f;
    std::stable_sort(orden_filas.begin(), orden_filas.end(), [&](std::size_t a, std::size_t b) {
        const int c = QString::compare(claves[a], claves[b], Qt::CaseInsensitive);
        return orden == Qt::AscendingOrder ? c < 0 : c > 0;
    });
    std::vector<Fila> ordenadas;
    ordenadas.reserve(lote_.filas_.size());
    for (std::size_t f : orden_filas) ordenadas.push_back(std::move(lote_.filas_[f]));
    lote_.filas_ = std::move(ordenadas);
    // Selections and the current row follow their rows to the new places.
    std::vector<int> nueva(orden_filas.size());
    for (std::size_t i = 0; i < orden_filas.size(); ++i)
        nueva[orden_filas[i]] = static_cast<int>(i);
    const QModelIndexList antes = persistentIndexList();
    QModelIndexList despues;
    despues.reserve(antes.size());
    for (const QModelIndex& i : antes)
        despues.push_back(index(nueva[static_cast<std::size_t>(i.row())], i.column()));
    changePersistentIndexList(antes, despues);
    emit layoutChanged();
}

}  // namespace lookup
