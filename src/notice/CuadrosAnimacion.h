#pragma once
// The notice's animation: a ring of twelve dots with a bright head that moves one dot per
// frame and a fading tail, over a small ledger sheet (the work is on the books).
#include <QPixmap>
#include <QSize>
#include <vector>

namespace notice {

/// `cuadros` frames of `tamano` pixels; frame i has the head on dot i (clockwise from the top).
std::vector<QPixmap> DibujarCuadrosAnimacion(QSize tamano, int cuadros);

}  // namespace notice
