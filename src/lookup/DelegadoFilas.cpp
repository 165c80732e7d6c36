#include "DelegadoFilas.h"

#include <QApplication>
#include <QPainter>

namespace lookup {

bool PintaSoloElPanel(const QStyleOptionViewItem& opcion) {
    constexpr auto kOtrasPartes =
        QStyleOptionViewItem::HasCheckIndicator | QStyleOptionViewItem::HasDecoration;
    return !(opcion.features & kOtrasPartes) &&
           !(opcion.state & (QStyle::State_Selected | QStyle::State_HasFocus));
}

void DelegadoFilas::paint(QPainter* pintor, const QStyleOptionViewItem& opcion,
                          const QModelIndex& indice) const {
    QStyleOptionViewItem o = opcion;
    initStyleOption(&o, indice);
    const QWidget* vista = o.widget;
    QStyle* estilo = vista ? vista->style() : QApplication::style();
    const QString texto = o.text;
    // Without its text the item still gets the whole text area from the style (what is left
    // after the check box), and the style does not measure the text for nothing.
    o.text.clear();
    QRect caja = estilo->subElementRect(QStyle::SE_ItemViewItemText, &o, vista);
    if (PintaSoloElPanel(o))
        estilo->drawPrimitive(QStyle::PE_PanelItemViewItem, &o, pintor, vista);
    else
        estilo->drawControl(QStyle::CE_ItemViewItem, &o, pintor, vista);
    if (texto.isEmpty()) return;

    const int margen = estilo->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, vista) + 1;
    caja.adjust(margen, 0, -margen, 0);
    if (caja.width() <= 0) return;
    QPalette::ColorGroup grupo =
        (o.state & QStyle::State_Enabled) ? QPalette::Normal : QPalette::Disabled;
    if (grupo == QPalette::Normal && !(o.state & QStyle::State_Active)) grupo = QPalette::Inactive;
    const QPalette::ColorRole rol =
        (o.state & QStyle::State_Selected) ? QPalette::HighlightedText : QPalette::Text;
    const QFontMetrics medida(o.font);
    const QString visible = medida.horizontalAdvance(texto) <= caja.width()
                                ? texto
                                : medida.elidedText(texto, o.textElideMode, caja.width());
    pintor->save();
    pintor->setFont(o.font);
    pintor->setPen(o.palette.color(grupo, rol));
    pintor->setClipRect(caja, Qt::IntersectClip);
    const int base = caja.top() + (caja.height() - medida.height()) / 2 + medida.ascent();
    pintor->drawText(QPoint(caja.left(), base), visible);
    pintor->restore();
}

}  // namespace lookup
