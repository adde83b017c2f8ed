#pragma once

// Window tests driven by the keyboard alone: the window is activated, as it is for a person,
// since no shortcut fires in an inactive window, and every key goes to the focused widget.

#include "gui/LineEditorFixture.h"

#include <QApplication>
#include <QTest>
#include <QWidget>

#include <functional>
#include <string>

namespace corvale::test {

// A key pressed on its own, for tables of key presses.
inline QKeyCombination Plain(Qt::Key key) {
    return QKeyCombination(key);
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
    static void Type(const QString& text) {
        QWidget* focused = QApplication::focusWidget();
        ASSERT_NE(focused, nullptr) << "nothing has the focus";
        QTest::keyClicks(focused, text);
    }
    // The object name of the widget that has the focus, e.g. "txtStress(3)".
    static std::string Focused() {
        const QWidget* focused = QApplication::focusWidget();
        return focused == nullptr ? std::string("<none>") : focused->objectName().toStdString();
    }
    // The texts of the shown boxes of a row of the grid, left to right, "|" between them.
    std::string ShownTexts(const char* array) const {
        std::string texts;
        for (int i = 1; i <= form->NumberOfCellColumns(); ++i) {
            const QWidget* box = Find(Cell(array, i));
            if (box != nullptr && !box->isHidden()) {
                texts += (texts.empty() ? "" : "|") + CellText(array, i);
            }
        }
        return texts;
    }
    // A store row of verse line `line`, positions 1..M, "|" between them.
    template <typename Row>
    std::string Stored(Row row, int line) const {
        std::string texts;
        for (int i = 1; i <= form->MaximumNumberOfSyllables; ++i) {
            texts += std::string(i == 1 ? "" : "|") + std::string(std::invoke(row, *form, line, i));
        }
        return texts;
    }
};

}  // namespace corvale::test
