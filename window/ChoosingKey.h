#pragma once

// The key that chooses the current row of a list in a dock (the overview's lines, the profile's
// places): Return or Enter with no modifier but the keypad's.

#include <QKeyEvent>

namespace corvale {

inline bool IsChoosingKey(const QKeyEvent& event) {
    return (event.key() == Qt::Key_Return || event.key() == Qt::Key_Enter) &&
           (event.modifiers() & ~Qt::KeypadModifier) == Qt::NoModifier;
}

}  // namespace corvale
