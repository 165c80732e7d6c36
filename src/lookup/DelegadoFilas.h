#pragma once
// Draws the cells of the list: the style paints background, selection, check box and focus;
// the text is drawn as one line (cut with "..." when it does not fit) without the general
// multi-line text layout, which was most of the cost of showing a list.
#include <QStyledItemDelegate>

namespace lookup {

/// Whether the style paints nothing of this cell but its panel (background, or what a style
/// sheet gives the item): no check box, no icon, no focus frame, not selected. The panel alone
/// is then asked for, without the style laying the whole item out.
bool PintaSoloElPanel(const QStyleOptionViewItem& opcion);

class DelegadoFilas : public QStyledItemDelegate {
  public:
    using QStyledItemDelegate::QStyledItemDelegate;
    void paint(QPainter* pintor, const QStyleOptionViewItem& opcion,
               const QModelIndex& indice) const override;
};

}  // namespace lookup
