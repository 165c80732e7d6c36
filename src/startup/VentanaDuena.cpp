#include "VentanaDuena.h"

#include <QApplication>
#include <QWidget>

namespace startup {

QWidget* VentanaDuena() {
    if (QWidget* modal = QApplication::activeModalWidget()) return modal;
    if (QWidget* activa = QApplication::activeWindow()) return activa;
    if (QWidget* foco = QApplication::focusWidget()) return foco->window();
    // Nothing active (a box just closed, or no window manager gives the focus back): the
    // program's main window, never a hidden helper window.
    for (QWidget* w : QApplication::topLevelWidgets())
        if (w->isVisible() && w->windowType() == Qt::Window) return w;
    return nullptr;
}

}  // namespace startup
