#include "FGModelo.h"

#include <QHeaderView>
#include <QKeyEvent>
#include <QScrollBar>

namespace editor {

ModeloFGModelo::ModeloFGModelo(MatrizGrilla& matriz, QObject* parent)
    : QAbstractTableModel(parent), matriz_(matriz) {}

int ModeloFGModelo::rowCount(const QModelIndex& p) const {
    return p.isValid() ? 0 : std::max(0, matriz_.Rows() - 1);
}

int ModeloFGModelo::columnCount(const QModelIndex& p) const {
    return p.isValid() ? 0 : std::max(0, matriz_.Cols() - 1);
}

namespace {
Qt::Alignment Alineacion(int codigo) {
    return codigo == alineacion::kDerechaAbajo ? (Qt::AlignRight | Qt::AlignBottom)
                                               : (Qt::AlignLeft | Qt::AlignVCenter);
}
}  // namespace

QVariant ModeloFGModelo::data(const QModelIndex& i, int rol) const {
    if (!i.isValid()) return {};
    const int fila = i.row() + 1, col = i.column() + 1;
    if (rol == Qt::DisplayRole) return QString::fromStdString(matriz_.TextMatrix(fila, col));
    if (rol == Qt::TextAlignmentRole)
        return QVariant::fromValue(Alineacion(matriz_.ColAlignment(col)));
    return {};
}

QVariant ModeloFGModelo::headerData(int s, Qt::Orientation o, int rol) const {
    if (rol == Qt::DisplayRole)
        return QString::fromStdString(o == Qt::Horizontal ? matriz_.TextMatrix(0, s + 1)
                                                          : matriz_.TextMatrix(s + 1, 0));
    if (rol == Qt::TextAlignmentRole && o == Qt::Horizontal)
        return QVariant::fromValue(Alineacion(matriz_.ColAlignment(s + 1)));
    return {};
}

void ModeloFGModelo::Reiniciar() {
    beginResetModel();
    endResetModel();
}

Qt::ItemFlags ModeloFGModelo::flags(const QModelIndex& i) const {
    return i.isValid() ? (Qt::ItemIsEnabled | Qt::ItemIsSelectable) : Qt::NoItemFlags;
}

FGModelo::FGModelo(MatrizGrilla& matriz, QWidget* parent)
    : QTableView(parent), matriz_(matriz), modelo_(new ModeloFGModelo(matriz, this)) {
    setObjectName("FGModelo");
    setModel(modelo_);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setSelectionBehavior(QAbstractItemView::SelectItems);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setTabKeyNavigation(false);
    setWordWrap(false);
    verticalHeader()->setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    verticalHeader()->setDefaultSectionSize(fontMetrics().height() + 6);
    horizontalHeader()->setHighlightSections(false);

    auto& o = matriz_.Observador;
    o.CeldaCambiada = [this](int f, int c) {
        if (f == 0) {
            emit modelo_->headerDataChanged(Qt::Horizontal, c - 1, c - 1);
        } else if (c == 0) {
            emit modelo_->headerDataChanged(Qt::Vertical, f - 1, f - 1);
        } else {
            const QModelIndex i = modelo_->index(f - 1, c - 1);
            emit modelo_->dataChanged(i, i, {Qt::DisplayRole});
        }
    };
    auto reiniciar = [this] {
        modelo_->Reiniciar();
        AplicarAnchos();
        SeguirMatriz(matriz_.Row(), matriz_.Col());
    };
    o.Reiniciada = reiniciar;
    o.FilaInsertada = [reiniciar](int) { reiniciar(); };
    o.FilaQuitada = [reiniciar](int) { reiniciar(); };
    o.CeldaActual = [this](int f, int c) { SeguirMatriz(f, c); };
    connect(verticalScrollBar(), &QScrollBar::valueChanged, this, [this] {
        if (!sincronizando_) emit Desplazada();
    });
    AplicarAnchos();
}

FGModelo::~FGModelo() { matriz_.Observador = {}; }

int FGModelo::Pixeles(int twips) const { return twips * logicalDpiX() / 1440; }

void FGModelo::AplicarAnchos() {
    for (int c = 1; c < matriz_.Cols(); ++c) {
        const int ancho = matriz_.ColWidth(c);
        setColumnHidden(c - 1, ancho <= 0);
        if (ancho > 0) setColumnWidth(c - 1, Pixeles(ancho));
    }
    verticalHeader()->setFixedWidth(Pixeles(matriz_.ColWidth(0)));
}

void FGModelo::SeguirMatriz(int fila, int col) {
    sincronizando_ = true;
    if (fila >= 1 && col >= 1) {
        const QModelIndex i = modelo_->index(fila - 1, col - 1);
        selectionModel()->setCurrentIndex(i, QItemSelectionModel::ClearAndSelect);
        scrollTo(i);
    } else {
        selectionModel()->clearCurrentIndex();
        selectionModel()->clearSelection();
    }
    sincronizando_ = false;
}

void FGModelo::currentChanged(const QModelIndex& actual, const QModelIndex& previo) {
    QTableView::currentChanged(actual, previo);
    if (sincronizando_ || !actual.isValid()) return;
    sincronizando_ = true;
    matriz_.Celda(actual.row() + 1, actual.column() + 1);
    sincronizando_ = false;
}

QRect FGModelo::RectanguloCelda(int fila, int col) const {
    if (fila < 1 || col < 1) return {};
    return visualRect(modelo_->index(fila - 1, col - 1));
}

void FGModelo::keyPressEvent(QKeyEvent* e) {
    if (e->key() == Qt::Key_Return || e->key() == Qt::Key_Enter) {
        emit Enter();
        return;
    }
    const QString t = e->text();
    if (t.size() == 1 && t.at(0).isPrint() && !(e->modifiers() & Qt::ControlModifier)) {
        emit TeclaImprimible(t.at(0).unicode());
        return;
    }
    QTableView::keyPressEvent(e);
}

void FGModelo::focusInEvent(QFocusEvent* e) {
    QTableView::focusInEvent(e);
    emit RecibioFoco();
}

void FGModelo::mouseDoubleClickEvent(QMouseEvent* e) {
    QTableView::mouseDoubleClickEvent(e);
    emit DobleClic();
}

void FGModelo::mouseReleaseEvent(QMouseEvent* e) {
    QTableView::mouseReleaseEvent(e);
    emit Clic();
}

}  // namespace editor
