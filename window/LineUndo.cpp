#include "window/LineUndo.h"

#include "window/CellFocus.h"
#include "window/Placement.h"
#include "window/SyllableEditing.h"

#include <QLineEdit>
#include <QPushButton>
#include <QUndoCommand>

#include <algorithm>
#include <array>
#include <utility>

namespace corvale {

namespace {

using layout::CellArray;

constexpr std::size_t kControlsPerColumn = 8;

std::array<QWidget*, kControlsPerColumn> ControlsOf(const MainWindow& form, std::int32_t i) {
    return {form.txtSyllables(i),    form.txtStress(i),     form.txtJuncture(i),
            form.cmdStressUp(i),     form.cmdStressDown(i), form.cmdJunctureUp(i),
            form.cmdJunctureDown(i), form.cmdMerge(i)};
}

// Columns that are both built and part of the file's lines.
std::int32_t ColumnsOfLine(const MainWindow& form) {
    return std::max(0, std::min(form.Work().MaximumNumberOfSyllables, form.NumberOfCellColumns()));
}

std::vector<std::string>& ValuesOf(MainWindow& form, ValueBlock block) {
    return block == ValueBlock::Stress ? form.Work().CurrentStresses : form.Work().CurrentJunctures;
}

QLineEdit* BoxOf(const MainWindow& form, ValueBlock block, std::int32_t i) {
    return block == ValueBlock::Stress ? form.txtStress(i) : form.txtJuncture(i);
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
    StepCommand(MainWindow& form, ValueBlock block, std::int32_t column, ShownValue before,
                ShownValue after, const QString& text)
        : DoneCommand(text),
          form_(form),
          block_(block),
          column_(column),
          before_(std::move(before)),
          after_(std::move(after)) {}
    void undo() override { Show(before_); }

protected:
    void Redo() override { Show(after_); }

private:
    void Show(const ShownValue& shown) {
        std::vector<std::string>& values = ValuesOf(form_, block_);
        QLineEdit* box = BoxOf(form_, block_, column_);
        if (box == nullptr || static_cast<std::size_t>(column_) >= values.size()) {
            return;
        }
        values[static_cast<std::size_t>(column_)] = shown.value;
        box->setText(shown.text);
    }

    MainWindow& form_;
    ValueBlock block_;
    std::int32_t column_;
    ShownValue before_;
    ShownValue after_;
};

class LineCommand : public DoneCommand {
public:
    LineCommand(MainWindow& form, LineSnapshot before, LineSnapshot after, const QString& text)
        : DoneCommand(text), form_(form), before_(std::move(before)), after_(std::move(after)) {}
    void undo() override { Show(before_); }

protected:
    void Redo() override { Show(after_); }

private:
    // A merge or a split hides and shows controls, and so do their undo and redo; the focus
    // stays with the work.
    void Show(const LineSnapshot& line) {
        const CellFocus::Keeper keeper = form_.Focus().Keep();
        line.ShowOn(form_);
    }

    MainWindow& form_;
    LineSnapshot before_;
    LineSnapshot after_;
};

}  // namespace

LineSnapshot LineSnapshot::Of(const MainWindow& form) {
    LineSnapshot line{form.Work().CurrentSyllables,
                      form.Work().CurrentStresses,
                      form.Work().CurrentJunctures,
                      {}};
    const std::int32_t m = ColumnsOfLine(form);
    line.columns.reserve(static_cast<std::size_t>(m));
    for (std::int32_t i = 1; i <= m; ++i) {
        const QLineEdit* syllable = form.txtSyllables(i);
        Column column{form.SyllableBoxes().DisplayText(i),
                      form.txtStress(i)->text(),
                      form.txtJuncture(i)->text(),
                      syllable->alignment(),
                      syllable->font().bold(),
                      0};
        const auto controls = ControlsOf(form, i);
        for (std::size_t bit = 0; bit < controls.size(); ++bit) {
            if (controls[bit]->isHidden()) {
                column.hidden |= static_cast<std::uint8_t>(1U << bit);
            }
        }
        line.columns.push_back(std::move(column));
    }
    return line;
}

// A line from before a split that grew the grid leaves the new last column empty and hidden.
void LineSnapshot::ShowOn(MainWindow& form) const {
    form.Work().CurrentSyllables = syllables;
    form.Work().CurrentStresses = stresses;
    form.Work().CurrentJunctures = junctures;
    const auto positions =
        static_cast<std::size_t>(std::max(form.Work().MaximumNumberOfSyllables, 0)) + 1;
    for (std::vector<std::string>* copy :
         {&form.Work().CurrentSyllables, &form.Work().CurrentStresses,
          &form.Work().CurrentJunctures}) {
        copy->resize(std::max(copy->size(), positions));
    }
    const auto m = static_cast<std::size_t>(ColumnsOfLine(form));
    for (std::size_t at = 0; at < m; ++at) {
        const auto i = static_cast<std::int32_t>(at + 1);
        const Column column =
            at < columns.size() ? columns[at] : Column{{}, {}, {}, {}, false, 0xFF};
        QLineEdit* syllable = form.txtSyllables(i);
        form.SyllableBoxes().ShowDisplayText(i, column.syllable);
        if (at < columns.size()) {
            syllable->setAlignment(column.alignment);
        }
        if (syllable->font().bold() != column.bold) {
            QFont font = syllable->font();
            font.setBold(column.bold);
            syllable->setFont(font);
        }
        form.txtStress(i)->setText(column.stress);
        form.txtJuncture(i)->setText(column.juncture);
        const auto controls = ControlsOf(form, i);
        for (std::size_t bit = 0; bit < controls.size(); ++bit) {
            controls[bit]->setHidden((column.hidden >> bit) & 1U);
        }
    }
}

void LineUndo::Stepped(ValueBlock block, editor::StepDirection direction, std::int32_t column,
                       ShownValue before) {
    const bool up = direction == editor::StepDirection::Up;
    const CellArray button = block == ValueBlock::Stress
                                 ? (up ? CellArray::cmdStressUp : CellArray::cmdStressDown)
                                 : (up ? CellArray::cmdJunctureUp : CellArray::cmdJunctureDown);
    ShownValue after{ValuesOf(form_, block)[static_cast<std::size_t>(column)],
                     BoxOf(form_, block, column)->text()};
    stack_.push(new StepCommand(form_, block, column, std::move(before), std::move(after),
                                placement::CellAccessibleName(button, column)));
}

void LineUndo::Merged(std::int32_t column, LineSnapshot before) {
    PushLine(std::move(before), placement::CellAccessibleName(CellArray::cmdMerge, column));
}

void LineUndo::Retyped(std::int32_t column, LineSnapshot before) {
    PushLine(std::move(before), QStringLiteral("Retype syllable %1").arg(column));
}

void LineUndo::Split(std::int32_t column, LineSnapshot before) {
    PushLine(std::move(before), QStringLiteral("Split syllable %1").arg(column));
}

void LineUndo::PushLine(LineSnapshot before, const QString& text) {
    stack_.push(new LineCommand(form_, std::move(before), LineSnapshot::Of(form_), text));
}

}  // namespace corvale
