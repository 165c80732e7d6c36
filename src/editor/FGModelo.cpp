#include "FGModelo.h"

#include <QAbstractButton>
#include <QHeaderView>
#include <QKeyEvent>
#include <QPainter>
#include <QScrollBar>
#include <QStyleOptionHeader>
#include <QStyledItemDelegate>
#include <QTimer>

namespace editor {

ModeloFGModelo::ModeloFGModelo(MatrizGrilla& matriz, QObject* parent)
    : QAbstractTableModel(parent),
      matriz_(matriz),
      filas_(std::max(0, matriz.Rows() - 1)),
      columnas_(std::max(0, matriz.Cols() - 1)) {}

int ModeloFGModelo::rowCount(const QModelIndex& p) const { return p.isValid() ? 0 : filas_; }

int ModeloFGModelo::columnCount(const QModelIndex& p) const { return p.isValid() ? 0 : columnas_; }

QString EncabezadoQueCabe(QString texto, const QFontMetrics& letra, int ancho) {
    while (texto.endsWith(u' ') && letra.horizontalAdvance(texto) > ancho) texto.chop(1);
    return texto;
}

namespace {

/// The line-number column: its width is fixed by the grid's layout (AplicarAnchos), so the
/// size it would need for every number shown is never asked of it; measuring the numbers of a
/// long template on each layout of the table costs much and decides nothing.
class EncabezadoFilas final : public QHeaderView {
  public:
    explicit EncabezadoFilas(QWidget* parent) : QHeaderView(Qt::Vertical, parent) {
        // As the table's own vertical header is made.
        setSectionsClickable(true);
        setHighlightSections(true);
    }
    QSize sizeHint() const override { return {width(), defaultSectionSize()}; }

  protected:
    // The current cell is shown selected without being so (see DelegadoCeldas): the line
    // number of its row is highlighted as that of a row holding a selected cell. The header
    // repaints the sections of the rows the current cell leaves and enters.
    void initStyleOptionForIndex(QStyleOptionHeader* opcion, int seccion) const override {
        QHeaderView::initStyleOptionForIndex(opcion, seccion);
        const QItemSelectionModel* s = selectionModel();
        if (s && highlightSections() && sectionsClickable() &&
            !(opcion->state & QStyle::State_Sunken) && s->currentIndex().isValid() &&
            s->currentIndex().row() == seccion)
            opcion->state |= QStyle::State_On;
    }
};

/// Paints the grid's current cell as selected: the grid's only selected cell is its current
/// one, and a move of the current cell is told to the view alone (moving a selection with it
/// recomputed and repainted the selection's region in the table and both headers, and told
/// accessibility of it, at every move).
class DelegadoCeldas final : public QStyledItemDelegate {
  public:
    explicit DelegadoCeldas(QAbstractItemView* vista) : QStyledItemDelegate(vista), vista_(vista) {}

  protected:
    void initStyleOption(QStyleOptionViewItem* opcion, const QModelIndex& indice) const override {
        QStyledItemDelegate::initStyleOption(opcion, indice);
        if (indice == vista_->currentIndex()) opcion->state |= QStyle::State_Selected;
    }

  private:
    QAbstractItemView* vista_;
};

/// The header row: its height is measured from the header texts once and kept until a text,
/// the font or the style changes. The header's own measure is dropped whenever rows come or
/// go (the table is then laid out again) and would measure every header text each time.
class EncabezadoColumnas final : public QHeaderView {
  public:
    explicit EncabezadoColumnas(QWidget* parent) : QHeaderView(Qt::Horizontal, parent) {}
    QSize sizeHint() const override {
        if (!medida_.isValid()) medida_ = QHeaderView::sizeHint();
        return medida_;
    }
    /// The texts changed: measured again at the next layout.
    void Olvidar() {
        medida_ = QSize();
        updateGeometry();
    }

  protected:
    void changeEvent(QEvent* e) override {
        if (e->type() == QEvent::FontChange || e->type() == QEvent::StyleChange) medida_ = QSize();
        QHeaderView::changeEvent(e);
    }
    // A heading right-aligned with trailing blanks (to stand left of the column's amounts) that
    // does not fit its column loses blanks, never letters.
    void initStyleOptionForIndex(QStyleOptionHeader* opcion, int seccion) const override {
        QHeaderView::initStyleOptionForIndex(opcion, seccion);
        if (!(opcion->textAlignment & Qt::AlignRight) || !opcion->text.endsWith(u' ')) return;
        // The section's place is set on the option after this call: its label is measured here.
        QStyleOptionHeader seccionSola = *opcion;
        seccionSola.rect = QRect(0, 0, sectionSize(seccion), height());
        const QRect rotulo = style()->subElementRect(QStyle::SE_HeaderLabel, &seccionSola, this);
        opcion->text = EncabezadoQueCabe(opcion->text, opcion->fontMetrics, rotulo.width());
    }
    // A heading is measured in the font it is drawn in. Qt measures every heading in bold, so
    // that one shown highlighted fits; these are never highlighted, and measuring them in bold
    // would load the bold letters of every heading text for nothing (the height is the font's
    // either way; the widths are the columns' own).
    QSize sectionSizeFromContents(int seccion) const override {
        if (highlightSections() || !model() || isSortIndicatorShown())
            return QHeaderView::sectionSizeFromContents(seccion);
        ensurePolished();
        QStyleOptionHeader opcion;
        initStyleOption(&opcion);
        opcion.section = seccion;
        opcion.text = model()->headerData(seccion, orientation(), Qt::DisplayRole).toString();
        return style()->sizeFromContents(QStyle::CT_HeaderSection, &opcion, QSize(), this);
    }
    // A heading that does not highlight the current cell's column draws nothing that depends on
    // it: the current cell's moves do not repaint the headings.
    void currentChanged(const QModelIndex& actual, const QModelIndex& previo) override {
        if (highlightSections()) QHeaderView::currentChanged(actual, previo);
    }

  private:
    mutable QSize medida_;
};

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
    filas_ = std::max(0, matriz_.Rows() - 1);
    columnas_ = std::max(0, matriz_.Cols() - 1);
    endResetModel();
}

// Matrix row r is model row r - 1 (row 0 is the header).
void ModeloFGModelo::FilasAgregadas(int desde, int hasta) {
    beginInsertRows({}, desde - 1, hasta - 1);
    filas_ += hasta - desde + 1;
    endInsertRows();
}

void ModeloFGModelo::FilasQuitadas(int desde, int hasta) {
    beginRemoveRows({}, desde - 1, hasta - 1);
    filas_ -= hasta - desde + 1;
    endRemoveRows();
}

Qt::ItemFlags ModeloFGModelo::flags(const QModelIndex& i) const {
    return i.isValid() ? (Qt::ItemIsEnabled | Qt::ItemIsSelectable) : Qt::NoItemFlags;
}

FGModelo::FGModelo(MatrizGrilla& matriz, QWidget* parent)
    : QTableView(parent), matriz_(matriz), modelo_(new ModeloFGModelo(matriz, this)) {
    setObjectName("FGModelo");
    setVerticalHeader(new EncabezadoFilas(this));
    auto* columnas = new EncabezadoColumnas(this);
    // As the table's own horizontal header is made, but the column headings never show the
    // current cell's column (and so are measured in their own font from the first layout on).
    columnas->setSectionsClickable(true);
    columnas->setHighlightSections(false);
    setHorizontalHeader(columnas);
    setModel(modelo_);
    // One cell at a time: a click on a line number or a column heading selects nothing and
    // leaves the current cell where it is. The current cell is shown selected by the delegate;
    // the view selects a cell the user picks, the matrix's moves select nothing (SeguirMatriz).
    setSelectionMode(QAbstractItemView::SingleSelection);
    setSelectionBehavior(QAbstractItemView::SelectItems);
    setItemDelegate(new DelegadoCeldas(this));
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setTabKeyNavigation(false);
    setWordWrap(false);
    verticalHeader()->setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    verticalHeader()->setDefaultSectionSize(fontMetrics().height() + 6);

    auto& o = matriz_.Observador;
    o.CeldaCambiada = [this](int f, int c) {
        if (f == 0 && c == 0) {
            if (auto* esquina = findChild<QAbstractButton*>()) esquina->update();
        } else if (f == 0) {
            static_cast<EncabezadoColumnas*>(horizontalHeader())->Olvidar();
            emit modelo_->headerDataChanged(Qt::Horizontal, c - 1, c - 1);
        } else if (c == 0) {
            // A line number is only repainted: the column's width is fixed, and the model's
            // header notice would have the table and both headers laid out again.
            verticalHeader()->viewport()->update();
        } else {
            const QModelIndex i = modelo_->index(f - 1, c - 1);
            emit modelo_->dataChanged(i, i, {Qt::DisplayRole});
        }
    };
    // Texts changed in bulk (a grid rebuilt or a template shown): the views repaint them;
    // rows, widths and the header's measures stay as they are, unless the header texts moved.
    o.CeldasCambiadas = [this](bool encabezados) {
        const int filas = modelo_->rowCount(), columnas = modelo_->columnCount();
        if (filas > 0 && columnas > 0)
            emit modelo_->dataChanged(modelo_->index(0, 0), modelo_->index(filas - 1, columnas - 1),
                                      {Qt::DisplayRole});
        verticalHeader()->viewport()->update();  // the line numbers (see CeldaCambiada)
        if (encabezados) {
            static_cast<EncabezadoColumnas*>(horizontalHeader())->Olvidar();
            if (columnas > 0) emit modelo_->headerDataChanged(Qt::Horizontal, 0, columnas - 1);
            if (auto* esquina = findChild<QAbstractButton*>()) esquina->update();
        }
        SeguirMatriz(matriz_.Row(), matriz_.Col());  // a cell picked while the batch was open
    };
    o.Reiniciada = [this] {
        static_cast<EncabezadoColumnas*>(horizontalHeader())->Olvidar();
        modelo_->Reiniciar();
        AplicarAnchos();
        SeguirMatriz(matriz_.Row(), matriz_.Col());
    };
    // Rows added or removed keep the columns' widths; only the current cell is set again, as
    // the matrix has it (the view's own idea of where the current cell went is not followed).
    const auto cambioDeFilas = [this](void (ModeloFGModelo::*cambio)(int, int)) {
        return [this, cambio](int desde, int hasta) {
            const bool antes = sincronizando_;
            sincronizando_ = true;
            (modelo_->*cambio)(desde, hasta);
            SeguirMatriz(matriz_.Row(), matriz_.Col());
            sincronizando_ = antes;
        };
    };
    o.FilasAgregadas = cambioDeFilas(&ModeloFGModelo::FilasAgregadas);
    o.FilasQuitadas = cambioDeFilas(&ModeloFGModelo::FilasQuitadas);
    o.CeldaActual = [this](int f, int c) { SeguirMatriz(f, c); };
    connect(verticalScrollBar(), &QScrollBar::valueChanged, this, [this] {
        if (!sincronizando_) emit Desplazada();
    });
    // The corner above the line numbers is the grid's cell 0,0: it shows its text ("Linea")
    // like the other header cells, and selects nothing when clicked.
    setCornerButtonEnabled(false);
    if (auto* esquina = findChild<QAbstractButton*>()) esquina->installEventFilter(this);
    AplicarAnchos();
}

bool FGModelo::eventFilter(QObject* objeto, QEvent* evento) {
    auto* esquina = qobject_cast<QAbstractButton*>(objeto);
    if (!esquina || evento->type() != QEvent::Paint) return QTableView::eventFilter(objeto, evento);
    QPainter pintor(esquina);
    QStyleOptionHeader opcion;
    opcion.initFrom(esquina);
    opcion.rect = esquina->rect();
    opcion.text = QString::fromStdString(matriz_.TextMatrix(0, 0));
    opcion.textAlignment = Qt::AlignLeft | Qt::AlignVCenter;
    opcion.position = QStyleOptionHeader::OnlyOneSection;
    esquina->style()->drawControl(QStyle::CE_Header, &opcion, &pintor, esquina);
    return true;
}

void FGModelo::changeEvent(QEvent* e) {
    QTableView::changeEvent(e);
    if (e->type() == QEvent::FontChange || e->type() == QEvent::StyleChange) {
        medidas_.clear();
        if (e->type() == QEvent::FontChange) AplicarAnchos();
    }
}

FGModelo::~FGModelo() { matriz_.Observador = {}; }

int FGModelo::Pixeles(int twips) const { return twips * logicalDpiX() / 1440; }

int FGModelo::AnchoColumna(int col) const {
    const int twips = matriz_.ColWidth(col);
    if (twips <= 0) return 0;
    // The grid is laid out again at every reset with the same widths and headers: measuring
    // text in the font is done once for each of them.
    if (col >= static_cast<int>(medidas_.size())) medidas_.resize(static_cast<size_t>(col) + 1);
    Medida& m = medidas_[static_cast<size_t>(col)];
    if (m.twips == twips && m.encabezado == matriz_.TextMatrix(0, col)) return m.pixeles;
    m.twips = twips;
    m.encabezado = matriz_.TextMatrix(0, col);
    m.pixeles = MedirColumna(twips, m.encabezado);
    return m.pixeles;
}

int FGModelo::MedirColumna(int twips, const std::string& texto) const {
    const QFontMetrics letra(font());
    const int porLetras = twips * letra.averageCharWidth() / 100;
    const QString encabezado = QString::fromStdString(texto).trimmed();
    // Header text plus the margins a header section draws around it.
    const int margen = 2 * style()->pixelMetric(QStyle::PM_HeaderMargin, nullptr, this) + 4;
    return std::max(porLetras, letra.horizontalAdvance(encabezado) + margen);
}

void FGModelo::AplicarAnchos() {
    for (int c = 1; c < matriz_.Cols(); ++c) {
        const int ancho = AnchoColumna(c);
        setColumnHidden(c - 1, ancho <= 0);
        if (ancho > 0) setColumnWidth(c - 1, ancho);
    }
    verticalHeader()->setFixedWidth(AnchoColumna(0));
    verticalHeader()->setDefaultSectionSize(fontMetrics().height() + 6);
}

void FGModelo::MostrarCeldaActual() {
    if (currentIndex().isValid()) scrollTo(currentIndex());
}

void FGModelo::SeguirMatriz(int fila, int col) {
    sincronizando_ = true;
    if (fila >= 1 && col >= 1) {
        const QModelIndex i = modelo_->index(fila - 1, col - 1);
        // A shown view with nothing under way scrolls to a new current cell by itself; an
        // unchanged cell (the view may have been scrolled away from it) is scrolled to here.
        const bool seDesplaza = i != currentIndex() && isVisible() && hasAutoScroll() &&
                                state() == QAbstractItemView::NoState;
        // The current cell alone shows selected: a cell the user picked (the view selected it)
        // is no longer selected once the matrix moves on.
        if (selectionModel()->hasSelection()) selectionModel()->clearSelection();
        selectionModel()->setCurrentIndex(i, QItemSelectionModel::NoUpdate);
        if (!seDesplaza) scrollTo(i);
    } else {
        selectionModel()->clearCurrentIndex();
        selectionModel()->clearSelection();
    }
    sincronizando_ = false;
}

void FGModelo::currentChanged(const QModelIndex& actual, const QModelIndex& previo) {
    if (!actual.isValid() && previo.isValid()) {
        // The cursor leaves the cells for the heading row, as a reset of the grid puts it. The
        // view would find the cell it leaves by laying out at once the rows the reset has just
        // added or removed, and the template loaded next changes them again: the whole table is
        // repainted instead, and laid out once, when it is next painted or measured. The view
        // keeps no editor of its own on a cell to close.
        QTableView::currentChanged(actual, QModelIndex());
        viewport()->update();
        return;
    }
    QTableView::currentChanged(actual, previo);
    if (sincronizando_ || !actual.isValid()) return;
    // While the matrix changes in a batch (a template being loaded lets pending events run) the
    // view may still show rows the matrix no longer has: a cell picked there is not the
    // matrix's, and the view is put back on the matrix's current cell when the batch ends.
    if (actual.row() + 1 >= matriz_.Rows() || actual.column() + 1 >= matriz_.Cols()) return;
    sincronizando_ = true;
    matriz_.Celda(actual.row() + 1, actual.column() + 1);
    sincronizando_ = false;
}

bool FGModelo::edit(const QModelIndex& indice, EditTrigger disparo, QEvent* evento) {
    if (disparo == QAbstractItemView::CurrentChanged) return false;
    return QTableView::edit(indice, disparo, evento);
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
    // A click moves the current cell after the focus arrives: the cell editor is committed by
    // leaving its cell first, and the grid announces the focus once the click is done.
    if (e->reason() == Qt::MouseFocusReason) {
        focoPorClic_ = true;
        // A click outside the cells (a header, the scroll bar) brings no press to the view.
        QTimer::singleShot(0, this, [this] {
            if (!focoPorClic_) return;
            focoPorClic_ = false;
            emit RecibioFoco();
        });
        return;
    }
    emit RecibioFoco();
}

void FGModelo::mousePressEvent(QMouseEvent* e) {
    QTableView::mousePressEvent(e);
    if (focoPorClic_) {
        focoPorClic_ = false;
        emit RecibioFoco();
    }
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
