#pragma once
// Icons of the command toolbar: the eight images cut from an icon strip bitmap, or the
// control's own drawn set when no strip is available.
#include <QIcon>
#include <QImage>
#include <QString>
#include <array>
#include <optional>

class QPainter;

#include "EstadoUtilPanel.h"

namespace toolbar {

namespace utilpanel {

/// Full path of `nombre` in `carpeta`: the exact name when it exists, else the first file
/// whose name matches ignoring letter case (the strips are named for a case-blind file
/// system). Empty when there is none.
QString BuscarArchivoEnCarpeta(const QString& carpeta, const QString& nombre);

/// The strip cut into eight images of equal width (the strip's width divided by eight),
/// left to right. Nothing when the image is null or narrower than eight pixels.
std::optional<std::array<QImage, kCantidadBotones>> CortarTira(const QImage& tira);

/// The control's own icon for `comando`, drawn at `lado` pixels; needs a GUI application.
QIcon IconoPropio(Comando comando, int lado = 32);

/// Draws the pictogram of `comando` on `p`, whose coordinates span a 32 x 32 square.
void DibujarPictograma(QPainter& p, Comando comando);

}  // namespace utilpanel

}  // namespace toolbar
