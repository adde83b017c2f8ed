#pragma once

// Every command of the window is one QAction, made once with its text, keys, tooltip and object
// name; the menu item, the keys and any button that does the same all run its one handler.
// KeyMap lists them in menu order, each with the place its keys work, so the shortcuts window
// and the check that no two commands share a key always see every command there is.

#include <QKeySequence>
#include <QString>
#include <QStringView>

#include <vector>

class QAction;
class QKeyEvent;

namespace corvale {

// Where the keys of an action work.
enum class KeyScope {
    Window,      // anywhere in the main window (the menu commands)
    CellBoxes,   // in the syllable, stress and juncture boxes of the grid
    ValueBoxes,  // in the stress and juncture boxes
};

class KeyMap {
public:
    struct Entry {
        QAction* action;
        KeyScope scope;
        QString where;  // as the shortcuts window says it, e.g. "Line menu"
    };

    void Add(QAction* action, KeyScope scope, QString where);
    const std::vector<Entry>& Entries() const { return entries_; }
    // The action with this object name, or nullptr.
    QAction* Find(QStringView objectName) const;
    // The window command that has this key, enabled or not, or nullptr.
    QAction* WindowCommandFor(const QKeyEvent& key) const;

private:
    std::vector<Entry> entries_;
};

// A key press as action keys are written: the keypad's Enter is Enter.
QKeySequence KeyOf(const QKeyEvent& key);
// True when the key press is one of the action's keys.
bool IsKeyOf(const QAction& action, const QKeyEvent& key);
// The action's keys in the platform's words, e.g. "Ctrl+Return or Ctrl+Enter".
QString KeyText(const QAction& action);
// A tooltip: what a control does, then the keys of the action that does the same, e.g.
// "Back one line (PgUp)".
QString WithKeys(const QString& description, const QAction& action);

}  // namespace corvale
