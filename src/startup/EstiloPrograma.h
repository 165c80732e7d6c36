#pragma once
// The style the program paints with: the skin's Qt style, with the skin's look over it (the
// command bar and its buttons, group boxes, headings and grid lines; see PinturaPiel.h), and
// under it the pictures of the scroll bars it has painted. Painting the skin's look here, not
// with a style sheet, spares every window the sheet's matching of rules for each widget it
// polishes and each thing it paints: a sheet of twenty rules cost the account list a thirteenth
// of its work each time it was shown, and start-up five million instructions.
//
// A scroll bar is the costliest thing on a list or grid to paint, for how little changes on
// it: Qt's raster engine hands every run of 96 or more spans to its thread pool and waits for
// it, and a scroll bar's one-pixel border lines (one span per pixel along their length) and
// gradients are such runs. The account list's two bars cost some fifty hand-offs each time
// the list was shown, more than the painting they shared on a two-core machine, and a quarter
// of the time to a shown list. So a bar is painted once into a picture, kept under what its
// look depends on (its size, state, palette, range, position and parts pressed or under the
// pointer), and later paints of the same bar put that picture on the painter as a block of
// pixels. Only a widget painting itself as a bar (a scroll bar does) is served so: a bar whose
// painting leaves any pixel not fully opaque, a painter whose state could make the block
// differ from painting in place, and any other painting of a bar are painted in place.
#include <QCache>
#include <QImage>
#include <QPalette>
#include <QProxyStyle>
#include <QString>
#include <optional>

#include "PinturaPiel.h"

class QStyleOptionSlider;

namespace startup {

/// The object name of the program's command bar, whose surface and buttons wear the skin's bar.
inline constexpr char kBarraDeComandos[] = "Standard";

class EstiloPrograma : public QProxyStyle {
    Q_OBJECT

  public:
    /// Over `base` (taken over); with none, over the style the application would have by
    /// default (the desktop's, or the one given with -style). With the skin's `pintura` and,
    /// when given, its `paleta` as the palette the style gives the application.
    explicit EstiloPrograma(QStyle* base = nullptr, PinturaPiel pintura = {},
                            std::optional<QPalette> paleta = std::nullopt);

    const PinturaPiel& Pintura() const { return pintura_; }
    const std::optional<QPalette>& Paleta() const { return paleta_; }

    void drawPrimitive(PrimitiveElement elemento, const QStyleOption* opcion, QPainter* pintor,
                       const QWidget* widget = nullptr) const override;
    void drawControl(ControlElement elemento, const QStyleOption* opcion, QPainter* pintor,
                     const QWidget* widget = nullptr) const override;
    void drawComplexControl(ComplexControl control, const QStyleOptionComplex* opcion,
                            QPainter* pintor, const QWidget* widget = nullptr) const override;
    int styleHint(StyleHint pista, const QStyleOption* opcion = nullptr,
                  const QWidget* widget = nullptr,
                  QStyleHintReturn* devuelto = nullptr) const override;
    using QProxyStyle::polish;
    void polish(QWidget* widget) override;
    /// The application's palette, made from the style's: the skin's when it has one. Given so,
    /// not set on the application, every widget shares the application's palette itself instead
    /// of a copy resolved for it, and what is kept by palette (the bars' pictures here, the Qt
    /// style's own pictures of frames) serves every window, not only the one it was made for.
    void polish(QPalette& paleta) override;

  private:
    /// Fusion's plain frame, as the four one-pixel lines it paints; false, with nothing
    /// painted, where only Fusion's own painting is sure to give its pixels.
    bool PintarMarcoLiso(const QStyleOption& opcion, QPainter& pintor, const QWidget* widget) const;

    /// True when the style under this one (through any other proxies) is Fusion.
    bool SobreFusion() const;

    /// True when Fusion would paint nothing under a list's row or cell (`elemento` is
    /// PE_PanelItemViewRow or PE_PanelItemViewItem).
    bool FondoVacio(PrimitiveElement elemento, const QStyleOption& opcion) const;

    /// Fusion's frame of a text box, as Fusion paints it; false, with nothing painted, where
    /// only Fusion's own painting is sure to give its pixels.
    bool PintarMarcoDeTexto(const QStyleOption& opcion, QPainter& pintor) const;

    /// Puts the kept picture of the bar on the painter (painting and keeping it first when
    /// there is none); false, with nothing painted, when the bar must be painted in place.
    bool PintarGuardada(const QStyleOptionSlider& barra, QPainter& pintor,
                        const QWidget* widget) const;

    /// The pictures by what the bar's look depends on; a null picture marks a bar that must be
    /// painted in place. Bounded in bytes: a user scrolling makes a new picture per position.
    mutable QCache<QByteArray, QImage> barras_;
    mutable const QStyle* baseVista_ = nullptr;  // the base style sobreFusion_ was found for
    mutable bool sobreFusion_ = false;
    const PinturaPiel pintura_;
    const std::optional<QPalette> paleta_;
};

/// The name of the Qt style `estilo` paints as ("Fusion", "Windows"...): for the program's
/// style (or any style laid over another), the name of the style at the bottom.
QString NombreDelEstilo(const QStyle& estilo);

/// Makes the application paint with the Qt style `nombre` (letter case ignored) under the
/// program's style with the look `pintura` and the palette `paleta` (see polish), unless it
/// already does. False, with nothing changed, when there is no Qt style of that name. Call it
/// while the application has no style sheet: a sheet set afterwards wraps the style set here.
bool UsarEstilo(const QString& nombre, const PinturaPiel& pintura = {},
                const std::optional<QPalette>& paleta = std::nullopt);

/// Gives the application its look before any window is made: the program's style over the
/// desktop's (or the one given with -style), and the application's font laid out without
/// kerning or ligatures, as the suite's classic windows draw their text. Every window takes
/// that font, so the program loads one set of glyphs for its text and spares a shaping pass for
/// every text it measures or paints. Scripts that cannot be read unshaped are still shaped.
void PrepararAplicacion();

}  // namespace startup
