#include "TeclasVirtuales.h"

#include <QKeyEvent>

namespace toolbar {

namespace teclas {

int CodigoVirtual(int k, Qt::KeyboardModifiers modificadores) {
    // Keypad digits have codes of their own.
    if (k >= Qt::Key_0 && k <= Qt::Key_9 && (modificadores & Qt::KeypadModifier))
        return 96 + (k - Qt::Key_0);
    return Vk(k);
}

int MascaraShift(Qt::KeyboardModifiers modificadores) {
    int mascara = 0;
    if (modificadores & Qt::ShiftModifier) mascara |= 1;
    if (modificadores & Qt::ControlModifier) mascara |= 2;
    if (modificadores & Qt::AltModifier) mascara |= 4;
    return mascara;
}

int CodigoVirtual(const QKeyEvent& evento) {
    return CodigoVirtual(evento.key(), evento.modifiers());
}

int MascaraShift(const QKeyEvent& evento) { return MascaraShift(evento.modifiers()); }

}  // namespace teclas

}  // namespace toolbar
