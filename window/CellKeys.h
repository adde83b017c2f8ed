#pragma once

// The keys of the grid's boxes and of the text boxes. In a syllable, stress or juncture box the
// arrows step values and move between boxes, each key running the handler its button runs;
// there the window's commands also win over the box's own keys, except that Ctrl+Z in a box
// being typed in puts back what the typing replaced. The comment, go-to and file boxes keep the
// editing keys they own (undo and redo of their text, Ctrl+Home and Ctrl+End, and in the comment
// box Page Up and Page Down), so a key meant for the text never changes the line.

#include "window/Actions.h"
#include "window/CellFocus.h"

#include <QObject>

#include <cstdint>
#include <unordered_map>
#include <vector>

class QAction;
class QKeyEvent;

namespace corvale {

namespace editor {
enum class StepDirection;
}

struct CellGrid;

class CellKeys : public QObject {
    Q_OBJECT

public:
    // The window's handlers the keys run, each through the window's handler boundary.
    class Host {
    public:
        // The handler of the step button of the stress or juncture box at `place`.
        virtual void StepCell(CellPlace place, editor::StepDirection direction) = 0;
        // Whether the focused cell box holds typing not yet taken, and putting back what it
        // replaced.
        virtual bool HasPendingTyping() const = 0;
        virtual void RevertTyping() = 0;

    protected:
        ~Host() = default;
    };

    // Makes the cell commands (listed in `keys`). `undo` is the window's undo command, whose
    // key a syllable box being typed in takes for itself.
    CellKeys(CellGrid& grid, CellFocus& focus, Host& host, KeyMap& keys, const QAction& undo);

    // Column i's boxes take the cell keys; its small buttons leave the tab order, and their
    // tooltips name their keys.
    void AddColumn(std::int32_t i);
    // A text box that keeps undo and redo, Ctrl+Home and Ctrl+End for itself, and with
    // `pages` Page Up and Page Down too, rather than leaving them to the window's commands.
    void KeepEditingKeys(QWidget* box, bool pages);
    // A list that keeps Page Up and Page Down, Ctrl+Home and Ctrl+End to move through it; undo
    // and redo stay with the line on screen.
    void KeepListKeys(QWidget* list);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    using Handler = bool (CellKeys::*)(CellPlace, const QKeyEvent&);
    struct Command {
        QAction* action;
        KeyScope scope;
        Handler handler;
    };

    // Which of the window's keys a text box or list keeps for itself.
    enum class Kept { Text, TextAndPages, List };
    void Keep(QWidget* widget, Kept kept);
    static bool Keeps(Kept kept, const QKeySequence& key);

    void MakeCommands();
    bool CellBoxEvent(CellPlace place, QEvent* event);
    bool TextBoxEvent(QObject* box, QEvent* event);

    // Each returns false when the key is left to the box.
    bool StepUp(CellPlace place, const QKeyEvent& key);
    bool StepDown(CellPlace place, const QKeyEvent& key);
    bool PreviousColumn(CellPlace place, const QKeyEvent& key);
    bool NextColumn(CellPlace place, const QKeyEvent& key);
    bool BoxAbove(CellPlace place, const QKeyEvent& key);
    bool BoxBelow(CellPlace place, const QKeyEvent& key);

    CellGrid& grid_;
    CellFocus& focus_;
    Host& host_;
    KeyMap& keys_;
    const QAction& undo_;
    std::vector<Command> commands_;
    std::unordered_map<const QObject*, Kept> textBoxes_;
};

}  // namespace corvale
