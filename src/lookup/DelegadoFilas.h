#pragma once
// Draws the cells of the list. A plain cell (nothing but its panel and a one-line Latin-1 text
// that fits) is drawn directly: the panel asked of the style, the text's glyphs taken from a
// table made once per font and drawn as one run, without the general text layout, which was
// most of the cost of showing a list. Every other cell (selected, focused, checked, cut with
// "...", other scripts, a style sheet with rules for the items) is painted by the style as
// Qt paints any item, and the direct drawing gives the same pixels as that painting.
#include <QFont>
#include <QRawFont>
#include <QStyledItemDelegate>
#include <array>
#include <optional>
#include <vector>

namespace lookup {

/// Whether the style paints nothing of this cell but its panel (background, or what a style
/// sheet gives the item): no check box, no icon, no focus frame, not selected. The panel alone
/// is then asked for, without the style laying the whole item out.
bool PintaSoloElPanel(const QStyleOptionViewItem& opcion);

/// Whether the style sheets that reach `vista` (its own, its ancestors' and the
/// application's) may hold rules for the items of a view: any of them naming an item. Such
/// rules change the text's colour and place inside the style's own painting, so those cells
/// are left to it.
bool HojasConReglasDeItems(const QWidget* vista);

/// The glyphs of the printable Latin-1 characters of one font, with their advances, each read
/// from the font the first time a text holds it: a text made only of them is laid out by adding
/// advances, as the text layout does for a font drawn without shaping (no kerning, no
/// ligatures).
class GlifosLatin1 {
  public:
    explicit GlifosLatin1(const QFont& letra);
    const QFont& Letra() const { return letra_; }
    /// The glyphs of `texto` and where each starts (from 0 on the baseline), and the width
    /// of the whole text; false when a character is not drawn this way (then nothing is
    /// promised about the outputs).
    bool Colocar(const QString& texto, QList<quint32>& glifos, QList<QPointF>& posiciones,
                 qreal& ancho);
    const QRawFont& Cruda() const { return cruda_; }
    int Alto() const { return alto_; }
    int Ascenso() const { return ascenso_; }

  private:
    static constexpr quint32 kSinLeer = 0xFFFFFFFF;
    QFont letra_;
    QRawFont cruda_;
    std::array<quint32, 256> glifo_{};  // 0: not drawn this way; kSinLeer: not read yet
    std::array<qreal, 256> avance_{};
    int alto_ = 0;
    int ascenso_ = 0;
};

class DelegadoFilas : public QStyledItemDelegate {
  public:
    /// `padre`: the view whose cells it paints; its style changes are watched.
    explicit DelegadoFilas(QObject* padre = nullptr);
    void paint(QPainter* pintor, const QStyleOptionViewItem& opcion,
               const QModelIndex& indice) const override;

  protected:
    bool eventFilter(QObject* objeto, QEvent* evento) override;

  private:
    bool ReglasDeItems(const QWidget* vista) const;
    /// Draws the cell's text directly; false (nothing drawn) when it is not a plain text that
    /// fits.
    bool PintarTextoDirecto(QPainter* pintor, const QStyleOptionViewItem& o, QStyle* estilo,
                            const QWidget* vista) const;

    /// The style's text area of a plain cell, relative to the cell: the same for every cell of
    /// a column, so asked of the style once per column (until the style or the font changes).
    QRect CajaDeTexto(const QStyleOptionViewItem& o, QStyle* estilo, const QWidget* vista) const;

    struct CajaSabida {
        const QStyle* estilo;
        const QWidget* vista;
        QSize celda;
        QStyleOptionViewItem::ViewItemFeatures rasgos;
        QStyle::State estado;
        Qt::Alignment alineacion;
        QStyleOptionViewItem::Position posicion;
        QSize decoracion;
        QRect caja;  // relative to the cell's top left corner
    };

    mutable std::optional<GlifosLatin1> glifos_;  // of the last font painted
    mutable std::optional<bool> reglasDeItems_;   // for the watched view, until its style changes
    mutable std::vector<CajaSabida> cajas_;       // for the font of glifos_
};

}  // namespace lookup
