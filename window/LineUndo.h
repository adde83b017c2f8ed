#pragma once

// Undo and redo of single edits of the line on screen. Each step of a value, each merge, split
// and retyped syllable is one command on a QUndoStack, made by the handler once its edit is done. A
// command keeps the line as it was before and after its edit, so undo and redo put back exactly
// what was on screen, whatever the edit hid, re-aligned or overwrote. Showing a line empties the
// stack: it only ever holds edits of the line on screen.

#include "editor/EditRules.h"
#include "editor/WorkingLine.h"
#include "window/CellGrid.h"

#include <QString>
#include <QUndoStack>

#include <cstdint>
#include <string>
#include <vector>

namespace corvale {

class CellFocus;
class SyllableEditing;
class Document;

namespace editor {
class WorkingLine;
}

// What the line editor shows of a line: the working copy and, column by column, the texts of
// the three boxes, the syllable box's alignment and boldness, and which controls are hidden.
struct LineSnapshot {
    struct Column {
        QString syllable;
        QString stress;
        QString juncture;
        Qt::Alignment alignment;
        bool bold = false;
        std::uint8_t hidden = 0;  // one bit per control of the column

        bool operator==(const Column&) const = default;
    };
    editor::WorkingLine::Contents values;
    std::vector<Column> columns;  // column i at i - 1

    bool operator==(const LineSnapshot&) const = default;
};

// A value of the working copy and the text its box showed with it.
struct ShownValue {
    std::string value;
    QString text;
};

class LineUndo {
public:
    LineUndo(CellGrid& grid, editor::WorkingLine& line, const Document& document, CellFocus& focus,
             SyllableEditing& syllables)
        : grid_(grid), line_(line), document_(document), focus_(focus), syllables_(syllables) {}

    QUndoStack& Stack() { return stack_; }
    // The line on screen as it stands.
    LineSnapshot Snapshot() const;
    // Puts a line back on screen; the focus stays with the work.
    void Show(const LineSnapshot& line);

    // A step of the value of `column` in `block` is done; `before` is what was there.
    void Stepped(ValueBlock block, editor::StepDirection direction, std::int32_t column,
                 ShownValue before);
    // A value typed into the box of `column` in `block` is taken; `before` is what was there.
    void Typed(ValueBlock block, std::int32_t column, ShownValue before);
    // A merge of `column` with the next is done; `before` is the line as it was.
    void Merged(std::int32_t column, LineSnapshot before);
    // The syllable of `column` was retyped, or split in two; `before` is the line as it was.
    void Retyped(std::int32_t column, LineSnapshot before);
    void Split(std::int32_t column, LineSnapshot before);
    // The line was shown again as last committed, over changes on screen: `before` and
    // `commentBefore` are what was there, so that undo brings the changes back.
    void Reloaded(LineSnapshot before, QString commentBefore);
    void Clear() { stack_.clear(); }

private:
    void PushLine(LineSnapshot before, const QString& text);

    CellGrid& grid_;
    editor::WorkingLine& line_;
    const Document& document_;
    CellFocus& focus_;
    SyllableEditing& syllables_;
    QUndoStack stack_;
};

}  // namespace corvale
