#include "DelegadoFilas.h"

#include <QApplication>
#include <QEvent>
#include <QFontMetrics>
#include <QGlyphRun>
#include <QPainter>
#include <QWidget>

namespace lookup {

bool PintaSoloElPanel(const QStyleOptionViewItem& opcion) {
    constexpr auto kOtrasPartes =
        QStyleOptionViewItem::HasCheckIndicator | QStyleOptionViewItem::HasDecoration;
    return !(opcion.features & kOtrasPartes) &&
           !(opcion.state & (QStyle::State_Selected | QStyle::State_HasFocus));
}

bool HojasConReglasDeItems(const QWidget* vista) {
    if (!vista || !vista->style()->inherits("QStyleSheetStyle")) return false;
    const auto nombraItems = [](const QString& hoja) {
        return hoja.contains(QLatin1String("item"), Qt::CaseInsensitive);
    };
    if (qApp && nombraItems(qApp->styleSheet())) return true;
    for (const QWidget* w = vista; w; w = w->parentWidget())
        if (nombraItems(w->styleSheet())) return true;
    return false;
}

GlifosLatin1::GlifosLatin1(const QFont& letra) : letra_(letra), cruda_(QRawFont::fromFont(letra)) {
    const QFontMetrics medida(letra);
    alto_ = medida.height();
    ascenso_ = medida.ascent();
    // Printable characters only: controls, the soft hyphen and the no-break space are treated
    // apart by the text layout. Reading a glyph's advance loads the glyph, so each is read
    // when first needed, not all of them when the list is first painted.
    glifo_.fill(cruda_.isValid() ? kSinLeer : 0);
    for (char16_t c = 0; c < 0x20; ++c) glifo_[c] = 0;
    for (char16_t c = 0x7F; c <= 0xA0; ++c) glifo_[c] = 0;
    glifo_[0xAD] = 0;
}

bool GlifosLatin1::Colocar(const QString& texto, QList<quint32>& glifos, QList<QPointF>& posiciones,
                           qreal& ancho) {
    const qsizetype n = texto.size();
    glifos.resize(n);
    posiciones.resize(n);
    const QChar* c = texto.constData();
    qreal x = 0;
    for (qsizetype i = 0; i < n; ++i) {
        const char16_t u = c[i].unicode();
        if (u > 0xFF) return false;
        if (glifo_[u] == kSinLeer) {
            // A glyph the font lacks (index 0) comes from another font: left to the layout.
            quint32 indice = 0;
            int cuantos = 1;
            QPointF avance;
            if (!cruda_.glyphIndexesForChars(&c[i], 1, &indice, &cuantos) || cuantos != 1 ||
                !cruda_.advancesForGlyphIndexes(&indice, &avance, 1))
                indice = 0;
            glifo_[u] = indice;
            avance_[u] = avance.x();
        }
        if (glifo_[u] == 0) return false;
        glifos[i] = glifo_[u];
        // The layout adds the glyphs' own advances: a font drawn without shaping is not kerned.
        posiciones[i] = QPointF(x, 0);
        x += avance_[u];
    }
    ancho = x;
    return true;
}

DelegadoFilas::DelegadoFilas(QObject* padre) : QStyledItemDelegate(padre) {
    if (padre && padre->isWidgetType()) padre->installEventFilter(this);
}

bool DelegadoFilas::eventFilter(QObject* objeto, QEvent* evento) {
    // A style sheet set on the view, one of its owners or the application reaches the view
    // as a change of style.
    if (objeto == parent() && evento->type() == QEvent::StyleChange) {
        reglasDeItems_.reset();
        cajas_.clear();
    }
    return QStyledItemDelegate::eventFilter(objeto, evento);
}

bool DelegadoFilas::ReglasDeItems(const QWidget* vista) const {
    if (!vista || vista != parent()) return HojasConReglasDeItems(vista);
    if (!reglasDeItems_) reglasDeItems_ = HojasConReglasDeItems(vista);
    return *reglasDeItems_;
}

QRect DelegadoFilas::CajaDeTexto(const QStyleOptionViewItem& o, QStyle* estilo,
                                 const QWidget* vista) const {
    // Kept only for the watched view: another view's style changes are not seen here.
    const bool guardar = vista && vista == parent();
    for (const CajaSabida& c : cajas_)
        if (guardar && c.estilo == estilo && c.vista == vista && c.celda == o.rect.size() &&
            c.rasgos == o.features && c.estado == o.state && c.alineacion == o.displayAlignment &&
            c.posicion == o.decorationPosition && c.decoracion == o.decorationSize)
            return c.caja.translated(o.rect.topLeft());
    QStyleOptionViewItem sinTexto = o;
    sinTexto.text.clear();  // the same area, without the style measuring the text for it
    const QRect caja = estilo->subElementRect(QStyle::SE_ItemViewItemText, &sinTexto, vista);
    if (!guardar) return caja;
    if (cajas_.size() >= 64) cajas_.clear();  // columns come and go with the searches
    cajas_.push_back({estilo, vista, o.rect.size(), o.features, o.state, o.displayAlignment,
                      o.decorationPosition, o.decorationSize, caja.translated(-o.rect.topLeft())});
    return caja;
}

bool DelegadoFilas::PintarTextoDirecto(QPainter* pintor, const QStyleOptionViewItem& o,
                                       QStyle* estilo, const QWidget* vista) const {
    // One left-aligned, vertically centred line from left to right, as the list shows it.
    // A font the layout shapes (kerning, ligatures) is left to the layout.
    constexpr auto kAlineacion = Qt::AlignHorizontal_Mask | Qt::AlignVertical_Mask;
    if (!(o.font.styleStrategy() & QFont::PreferNoShaping) || o.direction != Qt::LeftToRight ||
        (o.state & QStyle::State_Editing) ||
        (o.displayAlignment & kAlineacion) != (Qt::AlignLeft | Qt::AlignVCenter))
        return false;
    if (!glifos_ || glifos_->Letra() != o.font) {
        glifos_.emplace(o.font);
        cajas_.clear();
    }
    QList<quint32> glifos;
    QList<QPointF> posiciones;
    qreal ancho = 0;
    if (!glifos_->Colocar(o.text, glifos, posiciones, ancho)) return false;

    // The text area the style gives the item, less the margins its own painting leaves; the
    // text is drawn only where it fits whole (otherwise the style cuts it with "...").
    QRect caja = CajaDeTexto(o, estilo, vista);
    const int margen = estilo->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, vista) + 1;
    caja.adjust(margen, 0, -margen, 0);
    if (ancho > caja.width()) return false;

    QPalette::ColorGroup grupo =
        (o.state & QStyle::State_Enabled) ? QPalette::Normal : QPalette::Disabled;
    if (grupo == QPalette::Normal && !(o.state & QStyle::State_Active)) grupo = QPalette::Inactive;
    QGlyphRun corrida;
    corrida.setRawFont(glifos_->Cruda());
    corrida.setGlyphIndexes(glifos);
    corrida.setPositions(posiciones);
    const int base = caja.top() + (caja.height() - glifos_->Alto()) / 2 + glifos_->Ascenso();
    // As the style paints an item: clipped to the cell, the panel under the text.
    pintor->save();
    pintor->setClipRect(o.rect, Qt::IntersectClip);
    estilo->drawPrimitive(QStyle::PE_PanelItemViewItem, &o, pintor, vista);
    pintor->setPen(o.palette.color(grupo, QPalette::Text));
    pintor->drawGlyphRun(QPointF(caja.left(), base), corrida);
    pintor->restore();
    return true;
}

void DelegadoFilas::paint(QPainter* pintor, const QStyleOptionViewItem& opcion,
                          const QModelIndex& indice) const {
    QStyleOptionViewItem o = opcion;
    initStyleOption(&o, indice);
    const QWidget* vista = o.widget;
    QStyle* estilo = vista ? vista->style() : QApplication::style();
    const bool sencilla = PintaSoloElPanel(o) && !ReglasDeItems(vista);
    if (sencilla && o.text.isEmpty()) {
        estilo->drawPrimitive(QStyle::PE_PanelItemViewItem, &o, pintor, vista);
        return;
    }
    if (sencilla && PintarTextoDirecto(pintor, o, estilo, vista)) return;
    estilo->drawControl(QStyle::CE_ItemViewItem, &o, pintor, vista);
}

}  // namespace lookup
