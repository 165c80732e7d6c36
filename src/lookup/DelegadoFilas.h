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
/// characters (`latin1EnFuente`: the font itself holds all of them, so no wider fallback glyph
/// can appear), no added spacing, and even the font's widest glyph for each character would fit.
bool CabeSinMedir(const QString& texto, const QFontMetrics& medida, const QFont& fuente,
                  bool latin1EnFuente, int ancho);

class DelegadoFilas : public QStyledItemDelegate {
  public:
    using QStyledItemDelegate::QStyledItemDelegate;
    void paint(QPainter* pintor, const QStyleOptionViewItem& opcion,
               const QModelIndex& indice) const override;

  private:
    // Whether the cells' font holds every printable Latin-1 character, asked once per font.
    mutable QFont fuenteVista_;
    mutable bool latin1EnFuente_ = false;
    mutable bool fuenteVistaValida_ = false;
};

}  // namespace lookup
