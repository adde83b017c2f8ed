#pragma once

// The stress and juncture boxes as editors of their values. A box selects its text as it takes
// the focus, so one digit typed replaces the value. What was typed is read when the box loses
// the focus to another control of the window and before every command (the window's Run): a
// whole number within the bounds becomes the value, as a step would, and anything else is
// refused, the box showing its value again and the line status saying why (editor's
// TakeTypedValue). A menu or a dialog taking the focus leaves the box as it is.

#include "editor/EditRules.h"
#include "window/CellGrid.h"

#include <QObject>
#include <QString>

#include <cstdint>
#include <optional>
#include <string>

class QLineEdit;

namespace corvale {

class CellFocus;
class Document;
class MemorySettings;

namespace editor {
class WorkingLine;
}

class ValueEditing : public QObject {
    Q_OBJECT

public:
    // What the edits of the boxes ask of the window.
    class Host {
    public:
        // Says why a typed value was refused, where the line's status stands.
        virtual void ShowLineStatus(const QString& text) = 0;
        // A typed value of `column` in `block` is in the working copy and its box; `before` is
        // the value that was there.
        virtual void ValueTyped(ValueBlock block, std::int32_t column, std::string before) = 0;

    protected:
        ~Host() = default;
    };

    ValueEditing(CellGrid& grid, editor::WorkingLine& line, const Document& document,
                 const MemorySettings& settings, const CellFocus& focus, Host& host);

    // Column i's stress and juncture boxes take part.
    void AddColumn(std::int32_t i);
    // Text typed into the focused box and not yet taken.
    bool HasPendingTyping() const;
    // Puts back the value of the focused box over what was typed; false when nothing was.
    bool RevertTyping();
    // Takes typed text into the working copy. False when it was refused: the box shows its value
    // again and the line status says why.
    bool Take();
    // The focused box, whose value a command may just have changed (a merge, an undo), is ready
    // to be typed over again, as when it took the focus.
    void ReadyToRetype();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // A box shows its value of the working copy; anything else in it was typed.
    struct Editing {
        ValueBlock block;
        std::int32_t column;
    };
    QLineEdit* BoxOf(const Editing& editing) const;
    QString ValueText(const Editing& editing) const;
    void Begin(QLineEdit* box, Qt::FocusReason reason);

    CellGrid& grid_;
    editor::WorkingLine& line_;
    const Document& document_;
    const MemorySettings& settings_;
    const CellFocus& focus_;
    Host& host_;
    std::optional<Editing> editing_;
};

}  // namespace corvale
