#pragma once
// Draws the cells of the list: the style paints background, selection, check box and focus;
// the text is drawn as one line (cut with "..." when it does not fit) without the general
// multi-line text layout, which was most of the cost of showing a list.
#include <QFont>
#include <QStyledItemDelegate>

class QFontMetrics;

namespace lookup {

/// Whether the style paints nothing of this cell but its panel (background, or what a style
/// sheet gives the item): no check box, no icon, no focus frame, not selected. The panel alone
/// is then asked for, without the style laying the whole item out.
bool PintaSoloElPanel(const QStyleOptionViewItem& opcion);

/// Whether `texto` surely fits in `ancho` pixels without measuring it: printable Latin-1
/// characters only, no added spacing, and even the widest of them (`anchoLatin1`: the widest
/// advance of a printable Latin-1 character in `fuente`, which must hold all of them so that no
/// fallback glyph appears; -1 when it does not) would fit for each.
bool CabeSinMedir(const QString& texto, const QFont& fuente, int anchoLatin1, int ancho);

/// The widest advance of a printable Latin-1 character in the font of `medida`; -1 when the
/// font lacks one of them.
int AnchoLatin1(const QFontMetrics& medida);

class DelegadoFilas : public QStyledItemDelegate {
  public:
    using QStyledItemDelegate::QStyledItemDelegate;
    void paint(QPainter* pintor, const QStyleOptionViewItem& opcion,
               const QModelIndex& indice) const override;

  private:
    // AnchoLatin1 of the cells' font, worked out once per font.
    mutable QFont fuenteVista_;
    mutable int anchoLatin1_ = -1;
    mutable bool fuenteVistaValida_ = false;
};

}  // namespace lookup
