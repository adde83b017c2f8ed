#include "window/LineUndo.h"

#include "scansion/Document.h"
#include "window/CellFocus.h"
#include "window/Placement.h"
#include "window/SyllableEditing.h"

#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QUndoCommand>

#include <algorithm>
#include <array>
#include <utility>

namespace corvale {

namespace {

using layout::CellArray;

constexpr std::size_t kControlsPerColumn = 8;

std::array<QWidget*, kControlsPerColumn> ControlsOf(const CellGrid& grid, std::int32_t i) {
    return {grid.syllableBoxes(i),       grid.stressBoxes(i),       grid.junctureBoxes(i),
            grid.stressUpButtons(i),     grid.stressDownButtons(i), grid.junctureUpButtons(i),
            grid.junctureDownButtons(i), grid.mergeButtons(i)};
}

// Columns that are both built and part of the file's lines.
std::int32_t ColumnsOfLine(const CellGrid& grid, const Document& document) {
    return std::max(0, std::min(document.Positions(), grid.Columns()));
}

ValueRow RowOf(ValueBlock block) {
    return block == ValueBlock::Stress ? ValueRow::Stresses : ValueRow::Junctures;
}

QLineEdit* BoxOf(const CellGrid& grid, ValueBlock block, std::int32_t i) {
    return block == ValueBlock::Stress ? grid.stressBoxes(i) : grid.junctureBoxes(i);
}

// Commands are made after their edit is done, so the redo that QUndoStack::push runs at once
// has nothing to do; later redos repeat the edit.
class DoneCommand : public QUndoCommand {
public:
    explicit DoneCommand(const QString& text) : QUndoCommand(text) {}
    void redo() final {
        if (pushed_) {
            Redo();
        }
        pushed_ = true;
    }

protected:
    virtual void Redo() = 0;

private:
    bool pushed_ = false;
};

class StepCommand : public DoneCommand {
public:
    StepCommand(CellGrid& grid, editor::WorkingLine& line, ValueBlock block, std::int32_t column,
                ShownValue before, ShownValue after, const QString& text)
        : DoneCommand(text),
          grid_(grid),
          line_(line),
          block_(block),
          column_(column),
          before_(std::move(before)),
          after_(std::move(after)) {}
    void undo() override { Show(before_); }

protected:
    void Redo() override { Show(after_); }

private:
    void Show(const ShownValue& shown) {
        QLineEdit* box = BoxOf(grid_, block_, column_);
        if (box == nullptr || column_ > line_.Width()) {
            return;
        }
        line_.Set(RowOf(block_), column_, shown.value);
        box->setText(shown.text);
    }

    CellGrid& grid_;
    editor::WorkingLine& line_;
    ValueBlock block_;
    std::int32_t column_;
    ShownValue before_;
    ShownValue after_;
};

class LineCommand : public DoneCommand {
public:
    LineCommand(LineUndo& undo, LineSnapshot before, LineSnapshot after, const QString& text)
        : DoneCommand(text), undo_(undo), before_(std::move(before)), after_(std::move(after)) {}
    void undo() override { undo_.Show(before_); }

protected:
    void Redo() override { undo_.Show(after_); }

private:
    LineUndo& undo_;
    LineSnapshot before_;
    LineSnapshot after_;
};

// A reload puts back the comment with the values, and so do its undo and redo.
class ReloadCommand : public LineCommand {
public:
    ReloadCommand(LineUndo& undo, QPlainTextEdit& comment, LineSnapshot before,
                  QString commentBefore, LineSnapshot after)
        : LineCommand(undo, std::move(before), std::move(after), QStringLiteral("Reload the line")),
          comment_(comment),
          commentBefore_(std::move(commentBefore)),
          commentAfter_(comment.toPlainText()) {}
    void undo() override {
        LineCommand::undo();
        comment_.setPlainText(commentBefore_);
    }

protected:
    void Redo() override {
        LineCommand::Redo();
        comment_.setPlainText(commentAfter_);
    }

private:
    QPlainTextEdit& comment_;
    QString commentBefore_;
    QString commentAfter_;
};

}  // namespace

LineSnapshot LineUndo::Snapshot() const {
    LineSnapshot line{line_.Copy(), {}};
    const std::int32_t m = ColumnsOfLine(grid_, document_);
    line.columns.reserve(static_cast<std::size_t>(m));
    for (std::int32_t i = 1; i <= m; ++i) {
        const QLineEdit* syllable = grid_.syllableBoxes(i);
        LineSnapshot::Column column{syllables_.DisplayText(i),      grid_.stressBoxes(i)->text(),
                                    grid_.junctureBoxes(i)->text(), syllable->alignment(),
                                    syllable->font().bold(),        0};
        const auto controls = ControlsOf(grid_, i);
        for (std::size_t bit = 0; bit < controls.size(); ++bit) {
            if (controls[bit]->isHidden()) {
                column.hidden |= static_cast<std::uint8_t>(1U << bit);
            }
        }
        line.columns.push_back(std::move(column));
    }
    return line;
}

// A merge or a split hides and shows controls, and so do their undo and redo. A line from
// before a split that grew the grid leaves the new last column empty and hidden.
void LineUndo::Show(const LineSnapshot& line) {
    const CellFocus::Keeper keeper = focus_.Keep();
    line_.Restore(line.values, document_.Positions());
    const auto m = static_cast<std::size_t>(ColumnsOfLine(grid_, document_));
    for (std::size_t at = 0; at < m; ++at) {
        const auto i = static_cast<std::int32_t>(at + 1);
        const LineSnapshot::Column column = at < line.columns.size()
                                                ? line.columns[at]
                                                : LineSnapshot::Column{{}, {}, {}, {}, false, 0xFF};
        QLineEdit* syllable = grid_.syllableBoxes(i);
        syllables_.ShowDisplayText(i, column.syllable);
        if (at < line.columns.size()) {
            syllable->setAlignment(column.alignment);
        }
        if (syllable->font().bold() != column.bold) {
            QFont font = syllable->font();
            font.setBold(column.bold);
            syllable->setFont(font);
        }
        grid_.stressBoxes(i)->setText(column.stress);
        grid_.junctureBoxes(i)->setText(column.juncture);
        const auto controls = ControlsOf(grid_, i);
        for (std::size_t bit = 0; bit < controls.size(); ++bit) {
            controls[bit]->setHidden((column.hidden >> bit) & 1U);
        }
    }
}

void LineUndo::Stepped(ValueBlock block, editor::StepDirection direction, std::int32_t column,
                       ShownValue before) {
    const bool up = direction == editor::StepDirection::Up;
    const CellArray button =
        block == ValueBlock::Stress
            ? (up ? CellArray::StressUpButtons : CellArray::StressDownButtons)
            : (up ? CellArray::JunctureUpButtons : CellArray::JunctureDownButtons);
    ShownValue after{std::string(line_.Value(RowOf(block), column)),
                     BoxOf(grid_, block, column)->text()};
    stack_.push(new StepCommand(grid_, line_, block, column, std::move(before), std::move(after),
                                placement::CellAccessibleName(button, column)));
}

void LineUndo::Typed(ValueBlock block, std::int32_t column, ShownValue before) {
    ShownValue after{std::string(line_.Value(RowOf(block), column)),
                     BoxOf(grid_, block, column)->text()};
    const QString text = QStringLiteral("Type %1 %2")
                             .arg(block == ValueBlock::Stress ? QStringLiteral("stress")
                                                              : QStringLiteral("juncture"))
                             .arg(column);
    stack_.push(
        new StepCommand(grid_, line_, block, column, std::move(before), std::move(after), text));
}

void LineUndo::Merged(std::int32_t column, LineSnapshot before) {
    PushLine(std::move(before), placement::CellAccessibleName(CellArray::MergeButtons, column));
}

void LineUndo::Retyped(std::int32_t column, LineSnapshot before) {
    PushLine(std::move(before), QStringLiteral("Retype syllable %1").arg(column));
}

void LineUndo::Split(std::int32_t column, LineSnapshot before) {
    PushLine(std::move(before), QStringLiteral("Split syllable %1").arg(column));
}

void LineUndo::PushLine(LineSnapshot before, const QString& text) {
    stack_.push(new LineCommand(*this, std::move(before), Snapshot(), text));
}

void LineUndo::Reloaded(LineSnapshot before, QString commentBefore) {
    stack_.push(new ReloadCommand(*this, *grid_.commentBox, std::move(before),
                                  std::move(commentBefore), Snapshot()));
}

}  // namespace corvale
