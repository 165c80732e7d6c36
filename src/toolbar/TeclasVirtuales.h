#pragma once
// Translation of Qt key events into the Windows virtual-key codes and shift masks the
// program's key handlers are written against (F2 = 113, Esc = 27, Delete = 46 ...).
#include <Qt>

class QKeyEvent;

namespace teclas {

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
