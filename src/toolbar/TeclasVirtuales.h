#pragma once
// Translation of Qt key events into the Windows virtual-key codes and shift masks the
// program's key handlers are written against (F2 = 113, Esc = 27, Delete = 46 ...).
#include <Qt>

class QKeyEvent;

namespace toolbar {

namespace teclas {

/// The one table from Qt's key names to the virtual-key codes: Vk(Qt::Key_Escape) == 27.
/// Letters, digits (the main row) and F1-F24 follow their ranges; any other key without a code
/// gives 0. Usable in constants, so handlers name keys instead of writing numbers.
constexpr int Vk(int k) {
    if (k >= Qt::Key_A && k <= Qt::Key_Z) return 65 + (k - Qt::Key_A);
    if (k >= Qt::Key_0 && k <= Qt::Key_9) return 48 + (k - Qt::Key_0);
    if (k >= Qt::Key_F1 && k <= Qt::Key_F24) return 112 + (k - Qt::Key_F1);
    switch (k) {
        case Qt::Key_Escape:
            return 27;
        case Qt::Key_Return:
        case Qt::Key_Enter:
            return 13;
        case Qt::Key_Tab:
        case Qt::Key_Backtab:
            return 9;
        case Qt::Key_Backspace:
            return 8;
        case Qt::Key_Space:
            return 32;
        case Qt::Key_PageUp:
            return 33;
        case Qt::Key_PageDown:
            return 34;
        case Qt::Key_End:
            return 35;
        case Qt::Key_Home:
            return 36;
        case Qt::Key_Left:
            return 37;
        case Qt::Key_Up:
            return 38;
        case Qt::Key_Right:
            return 39;
        case Qt::Key_Down:
            return 40;
        case Qt::Key_Insert:
            return 45;
        case Qt::Key_Delete:
            return 46;
        case Qt::Key_Shift:
            return 16;
        case Qt::Key_Control:
            return 17;
        case Qt::Key_Alt:
            return 18;
        default:
            return 0;
    }
}

/// Virtual-key code of a Qt key (letters 65-90, digits 48-57, keypad digits 96-105 when
/// `modificadores` has the keypad flag, F1-F24 112-135, Esc 27, Enter 13, Tab 9,
/// Backspace 8, Space 32, PageUp/PageDown 33/34, End 35, Home 36, arrows 37-40,
/// Insert 45, Delete 46, Shift 16, Control 17, Alt 18). Returns 0 for any other key.
int CodigoVirtual(int teclaQt, Qt::KeyboardModifiers modificadores = Qt::NoModifier);
/// The classic shift mask: 1 Shift, 2 Control, 4 Alt, added together.
int MascaraShift(Qt::KeyboardModifiers modificadores);
/// Both at once from a key event.
int CodigoVirtual(const QKeyEvent& evento);
int MascaraShift(const QKeyEvent& evento);

}  // namespace teclas

}  // namespace toolbar
