#pragma once

// Window tests driven by the keyboard alone: the window is activated, as it is for a person,
// since no shortcut fires in an inactive window, and every key goes to the focused widget.

#include "gui/LineEditorFixture.h"

#include <QApplication>
#include <QTest>
#include <QWidget>

#include <string>
#include <vector>

namespace corvale::test {

// Keys for tables of key presses.
// A key pressed on its own, for tables of key presses.
inline QKeyCombination Plain(Qt::Key key) {
    return QKeyCombination(key);
}

namespace key {
inline constexpr QKeyCombination Up{Qt::Key_Up};
inline constexpr QKeyCombination Down{Qt::Key_Down};
inline constexpr QKeyCombination Left{Qt::Key_Left};
inline constexpr QKeyCombination Right{Qt::Key_Right};
inline constexpr QKeyCombination Home{Qt::Key_Home};
inline constexpr QKeyCombination Return{Qt::Key_Return};
inline constexpr QKeyCombination Tab{Qt::Key_Tab};
inline constexpr QKeyCombination PgDn{Qt::Key_PageDown};
inline constexpr QKeyCombination F5{Qt::Key_F5};
inline constexpr QKeyCombination F6{Qt::Key_F6};
inline constexpr QKeyCombination CtrlDown = Qt::CTRL | Qt::Key_Down;
inline constexpr QKeyCombination Commit = Qt::CTRL | Qt::Key_Return;
inline constexpr QKeyCombination GoTo = Qt::CTRL | Qt::Key_G;
inline constexpr QKeyCombination OpenNamed = Qt::CTRL | Qt::Key_L;
inline constexpr QKeyCombination Merge = Qt::CTRL | Qt::Key_M;
inline constexpr QKeyCombination Undo = Qt::CTRL | Qt::Key_Z;
inline constexpr QKeyCombination Redo = Qt::CTRL | Qt::SHIFT | Qt::Key_Z;
// The key of a digit or a capital letter; a letter types in lower case.
inline constexpr QKeyCombination Char(char c) {
    return QKeyCombination(static_cast<Qt::Key>(c));
}
}  // namespace key

// A verse of these syllables, each with stress 1 and juncture 2.
inline Verse Letters(const std::string& text, const std::vector<std::string>& syllables) {
    return {text, syllables, std::vector<std::string>(syllables.size(), "1"),
            std::vector<std::string>(syllables.size(), "2"), ""};
}

class KeyboardFixture : public LineEditorFixture {
protected:
    // Brings the window to the front with the keyboard focus in it.
    void Activate() const {
        form->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(form.get()));
    }
    // One press of a key, with its modifiers, on the widget that has the focus.
    static void Press(QKeyCombination key) {
        QWidget* focused = QApplication::focusWidget();
        ASSERT_NE(focused, nullptr) << "nothing has the focus";
        QTest::keyClick(focused, key.key(), key.keyboardModifiers());
    }
    // The object name of the widget that has the focus, e.g. "stressBoxes(3)".
    static std::string Focused() {
        const QWidget* focused = QApplication::focusWidget();
        return focused == nullptr ? std::string("<none>") : focused->objectName().toStdString();
    }
};

}  // namespace corvale::test
