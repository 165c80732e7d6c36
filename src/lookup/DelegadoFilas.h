#pragma once
// Draws the cells of the list: the style paints background, selection, check box and focus;
// the text is drawn as one line (cut with "..." when it does not fit) without the general
// multi-line text layout, which was most of the cost of showing a list.
#include <QStyledItemDelegate>

namespace lookup {

class DelegadoFilas : public QStyledItemDelegate {
  public:
    using QStyledItemDelegate::QStyledItemDelegate;
    void paint(QPainter* pintor, const QStyleOptionViewItem& opcion,
               const QModelIndex& indice) const override;
};

}  // namespace lookup
