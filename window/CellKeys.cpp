#include "window/CellKeys.h"

#include "editor/EditRules.h"
#include "window/CellGrid.h"

#include <QAction>
#include <QFocusEvent>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>

namespace corvale {

namespace {

QKeySequence Key(QKeyCombination key) {
    return QKeySequence(key);
}

// Window commands whose keys a text box keeps for its own text.
const QList<QKeySequence>& UndoKeys() {
    static const QList<QKeySequence> keys = {
        Key(Qt::CTRL | Qt::Key_Z),
        Key(Qt::CTRL | Qt::SHIFT | Qt::Key_Z),
        Key(Qt::CTRL | Qt::Key_Y),
    };
    return keys;
}

const QList<QKeySequence>& EndKeys() {
    static const QList<QKeySequence> keys = {Key(Qt::CTRL | Qt::Key_Home),
                                             Key(Qt::CTRL | Qt::Key_End)};
    return keys;
}

const QList<QKeySequence>& PageKeys() {
    static const QList<QKeySequence> keys = {Key(Qt::Key_PageUp), Key(Qt::Key_PageDown)};
    return keys;
}

// A whole selection counts as both ends, so a box entered by Tab is left by one arrow.
bool AtStart(const QLineEdit& box) {
    return box.text().isEmpty() || box.selectedText() == box.text() ||
           (!box.hasSelectedText() && box.cursorPosition() == 0);
}

bool AtEnd(const QLineEdit& box) {
    return box.text().isEmpty() || box.selectedText() == box.text() ||
           (!box.hasSelectedText() && box.cursorPosition() == box.text().size());
}

bool WithAlt(const QKeyEvent& key) {
    return key.modifiers().testFlag(Qt::AltModifier);
}

// A value is a number of a digit or two, typed whole, never edited inside: in its box plain Left
// and Right always go to the next column. In a syllable box they move the caret until an end.
bool MovesColumn(const QKeyEvent& key, CellKind kind) {
    return WithAlt(key) || kind != CellKind::Syllable;
}

// Alt and a letter is a menu's key, or a slip of the finger; never text. Qt's boxes would take
// the letter where no menu does, and a syllable or a comment would change by a key meant as a
// command. Ctrl+Alt stays text: AltGr is Ctrl+Alt on some systems.
bool IsStrayAltLetter(const QKeyEvent& key) {
    return WithAlt(key) && !key.modifiers().testFlag(Qt::ControlModifier) &&
           !key.text().isEmpty() && key.text().front().isPrint();
}

// Moving left lands at the start of a syllable box and moving right at its end, so the next
// arrow moves on again; a value box has its whole value selected, ready to be typed over.
void MoveTo(QLineEdit* box, int step, CellKind kind) {
    if (box == nullptr) {
        return;
    }
    box->setFocus(Qt::OtherFocusReason);
    if (kind == CellKind::Syllable) {
        box->setCursorPosition(step < 0 ? 0 : static_cast<int>(box->text().size()));
    }
}

}  // namespace

CellKeys::CellKeys(CellGrid& grid, CellFocus& focus, Host& host, KeyMap& keys, const QAction& undo)
    : grid_(grid), focus_(focus), host_(host), keys_(keys), undo_(undo) {
    MakeCommands();
}

void CellKeys::MakeCommands() {
    struct Row {
        KeyScope scope;
        const char* name;
        QString text;
        QList<QKeySequence> keys;
        Handler handler;
    };
    const Row rows[] = {
        {KeyScope::ValueBoxes,
         "stepUpAction",
         QStringLiteral("Raise the value by one step"),
         {Key(Qt::Key_Up)},
         &CellKeys::StepUp},
        {KeyScope::ValueBoxes,
         "stepDownAction",
         QStringLiteral("Lower the value by one step"),
         {Key(Qt::Key_Down)},
         &CellKeys::StepDown},
        {KeyScope::CellBoxes,
         "previousColumnAction",
         QStringLiteral("Move to the same box in the previous column (in a syllable box, Left "
                        "only at the start of its text)"),
         {Key(Qt::Key_Left), Key(Qt::ALT | Qt::Key_Left)},
         &CellKeys::PreviousColumn},
        {KeyScope::CellBoxes,
         "nextColumnAction",
         QStringLiteral("Move to the same box in the next column (in a syllable box, Right only "
                        "at the end of its text)"),
         {Key(Qt::Key_Right), Key(Qt::ALT | Qt::Key_Right)},
         &CellKeys::NextColumn},
        {KeyScope::CellBoxes,
         "boxAboveAction",
         QStringLiteral("Move to the box above in the column"),
         {Key(Qt::CTRL | Qt::Key_Up)},
         &CellKeys::BoxAbove},
        {KeyScope::CellBoxes,
         "boxBelowAction",
         QStringLiteral("Move to the box below in the column"),
         {Key(Qt::CTRL | Qt::Key_Down)},
         &CellKeys::BoxBelow},
    };
    for (const Row& row : rows) {
        // Owned by the window, as its other commands are.
        auto* action = new QAction(row.text, grid_.area->window());
        action->setObjectName(QLatin1String(row.name));
        action->setShortcuts(row.keys);
        action->setToolTip(row.text);
        keys_.Add(action, row.scope,
                  row.scope == KeyScope::ValueBoxes
                      ? QStringLiteral("In a stress or juncture box")
                      : QStringLiteral("In a syllable, stress or juncture box"));
        commands_.push_back({action, row.scope, row.handler});
    }
}

void CellKeys::AddColumn(std::int32_t i) {
    focus_.AddColumn(i);
    for (QLineEdit* box : {grid_.syllableBoxes(i), grid_.stressBoxes(i), grid_.junctureBoxes(i)}) {
        box->installEventFilter(this);
    }
    const QAction& up = *keys_.Find(u"stepUpAction");
    const QAction& down = *keys_.Find(u"stepDownAction");
    const QAction& merge = *keys_.Find(u"mergeAction");
    const auto button = [](QPushButton* control, const QString& tip) {
        control->setFocusPolicy(Qt::ClickFocus);
        control->setToolTip(tip);
    };
    button(grid_.stressUpButtons(i), WithKeys(QStringLiteral("Raise the stress"), up));
    button(grid_.stressDownButtons(i), WithKeys(QStringLiteral("Lower the stress"), down));
    button(grid_.junctureUpButtons(i), WithKeys(QStringLiteral("Raise the juncture"), up));
    button(grid_.junctureDownButtons(i), WithKeys(QStringLiteral("Lower the juncture"), down));
    button(grid_.mergeButtons(i),
           WithKeys(QStringLiteral("Merge this syllable with the next"), merge));
    grid_.stressBoxes(i)->setAccessibleDescription(
        QStringLiteral("%1 raises and %2 lowers the stress").arg(KeyText(up), KeyText(down)));
    grid_.junctureBoxes(i)->setAccessibleDescription(
        QStringLiteral("%1 raises and %2 lowers the juncture").arg(KeyText(up), KeyText(down)));
}

void CellKeys::KeepEditingKeys(QWidget* box, bool pages) {
    Keep(box, pages ? Kept::TextAndPages : Kept::Text);
}

void CellKeys::KeepListKeys(QWidget* list) {
    Keep(list, Kept::List);
}

void CellKeys::Keep(QWidget* widget, Kept kept) {
    textBoxes_[widget] = kept;
    widget->installEventFilter(this);
    // A list may go before the window does (the overview closes).
    connect(widget, &QObject::destroyed, this, [this](QObject* gone) { textBoxes_.erase(gone); });
}

bool CellKeys::Keeps(Kept kept, const QKeySequence& key) {
    return EndKeys().contains(key) || (kept != Kept::List && UndoKeys().contains(key)) ||
           (kept != Kept::Text && PageKeys().contains(key));
}

bool CellKeys::eventFilter(QObject* watched, QEvent* event) {
    if (const std::optional<CellPlace> place = focus_.PlaceOf(watched)) {
        return CellBoxEvent(*place, event);
    }
    return TextBoxEvent(watched, event);
}

// A window command's key is let through to the command (ShortcutOverride not accepted), and
// when the command cannot run (undo with nothing to undo) the box does not get it either.
bool CellKeys::CellBoxEvent(CellPlace place, QEvent* event) {
    if (event->type() != QEvent::ShortcutOverride && event->type() != QEvent::KeyPress) {
        return false;
    }
    auto* key = static_cast<QKeyEvent*>(event);
    if (host_.HasPendingTyping() && IsKeyOf(undo_, *key)) {
        if (event->type() == QEvent::ShortcutOverride) {
            key->accept();
        } else {
            host_.RevertTyping();
        }
        return true;
    }
    const bool windowCommand = keys_.WindowCommandFor(*key) != nullptr;
    if (event->type() == QEvent::ShortcutOverride) {
        if (windowCommand) {
            key->ignore();
        }
        return windowCommand;
    }
    for (const Command& command : commands_) {
        const bool inScope =
            command.scope == KeyScope::CellBoxes || place.kind != CellKind::Syllable;
        if (inScope && IsKeyOf(*command.action, *key)) {
            return (this->*command.handler)(place, *key);
        }
    }
    return windowCommand || IsStrayAltLetter(*key);
}

bool CellKeys::TextBoxEvent(QObject* box, QEvent* event) {
    const auto found = textBoxes_.find(box);
    if (found == textBoxes_.end()) {
        return false;
    }
    if (event->type() == QEvent::ShortcutOverride) {
        auto* key = static_cast<QKeyEvent*>(event);
        if (Keeps(found->second, KeyOf(*key))) {
            key->accept();
            return true;
        }
    } else if (event->type() == QEvent::KeyPress) {
        return IsStrayAltLetter(*static_cast<QKeyEvent*>(event));
    } else if (event->type() == QEvent::FocusOut && box == grid_.goToBox) {
        // Leaving the go-to box other than for a message box or another window ends the
        // errand that Ctrl+G started.
        const Qt::FocusReason reason = static_cast<QFocusEvent*>(event)->reason();
        if (reason != Qt::ActiveWindowFocusReason && reason != Qt::PopupFocusReason) {
            focus_.ForgetGoTo();
        }
    }
    return false;
}

bool CellKeys::StepUp(CellPlace place, const QKeyEvent&) {
    host_.StepCell(place, editor::StepDirection::Up);
    return true;
}

bool CellKeys::StepDown(CellPlace place, const QKeyEvent&) {
    host_.StepCell(place, editor::StepDirection::Down);
    return true;
}

bool CellKeys::PreviousColumn(CellPlace place, const QKeyEvent& key) {
    if (!MovesColumn(key, place.kind) && !AtStart(*focus_.BoxAt(place))) {
        return false;
    }
    MoveTo(focus_.ShownNeighbour(place, -1), -1, place.kind);
    return true;
}

bool CellKeys::NextColumn(CellPlace place, const QKeyEvent& key) {
    if (!MovesColumn(key, place.kind) && !AtEnd(*focus_.BoxAt(place))) {
        return false;
    }
    MoveTo(focus_.ShownNeighbour(place, +1), +1, place.kind);
    return true;
}

bool CellKeys::BoxAbove(CellPlace place, const QKeyEvent&) {
    if (QLineEdit* box = focus_.ShownAboveOrBelow(place, -1)) {
        box->setFocus(Qt::OtherFocusReason);
    }
    return true;
}

bool CellKeys::BoxBelow(CellPlace place, const QKeyEvent&) {
    if (QLineEdit* box = focus_.ShownAboveOrBelow(place, +1)) {
        box->setFocus(Qt::OtherFocusReason);
    }
    return true;
}

}  // namespace corvale
