#pragma once
// Which window a dialog belongs to. A dialog owned by a window is centred over it and stays
// above it; one without an owner goes to the middle of the screen and can fall behind.
class QWidget;

namespace startup {

/// The window a new dialog should belong to: the modal dialog in front, else the active
/// window, else the window of the widget with the focus, else the program's visible main
/// window (the first visible top-level window that is not a dialog). nullptr when the program
/// shows no window at all.
QWidget* VentanaDuena();

}  // namespace startup
