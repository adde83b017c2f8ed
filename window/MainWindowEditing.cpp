// The line editor's handlers: stepping values, the order of the two value blocks, merging,
// splitting and retyping syllables. They change only the working copy and the boxes that show
// it; the store changes on commit. Each edit that changes something is recorded for undo,
// whether a button, a key or a menu ran it.

#include "editor/EditRules.h"
#include "platform/TextCodec.h"
#include "window/BoundsDialog.h"
#include "window/CellFocus.h"
#include "window/ClickableLabel.h"
#include "window/LineUndo.h"
#include "window/MainWindow.h"
#include "window/Placement.h"
#include "window/SyllableEditing.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include <algorithm>
#include <cstddef>
#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace corvale {

namespace {

// Moves a control vertically, keeping its left edge, size and the twips it is placed by.
void SetTop(QWidget* control, double top, int zoom) {
    if (control == nullptr) {
        return;
    }
    layout::Rect place = placement::PlaceOf(control);
    place.top = top;
    placement::Place(control, place, zoom);
}

// Rewriting a box costs a layout of its text; many boxes of a shifted line keep theirs.
void SetTextIfNew(QLineEdit* box, const QString& text) {
    if (box->text() != text) {
        box->setText(text);
    }
}

void HideAll(const std::vector<QWidget*>& controls) {
    for (QWidget* control : controls) {
        if (control != nullptr) {
            control->hide();
        }
    }
}

}  // namespace

void MainWindow::RaiseStress(std::int16_t index) {
    Step(index, ValueBlock::Stress, editor::StepDirection::Up);
}

void MainWindow::LowerStress(std::int16_t index) {
    Step(index, ValueBlock::Stress, editor::StepDirection::Down);
}

void MainWindow::RaiseJuncture(std::int16_t index) {
    Step(index, ValueBlock::Juncture, editor::StepDirection::Up);
}

void MainWindow::LowerJuncture(std::int16_t index) {
    Step(index, ValueBlock::Juncture, editor::StepDirection::Down);
}

void MainWindow::StepCell(CellPlace place, editor::StepDirection direction) {
    const auto i = static_cast<std::int16_t>(place.column);
    const ValueBlock block =
        place.kind == CellKind::Stress ? ValueBlock::Stress : ValueBlock::Juncture;
    Run([&] { Step(i, block, direction); });
}

// Only where the column's merge button is shown, as only there can it be clicked.
void MainWindow::MergeFocusedSyllable() {
    const std::optional<CellPlace> cell = cellFocus_->FocusedCell();
    const QPushButton* button = cell ? grid_.mergeButtons(cell->column) : nullptr;
    if (button == nullptr || button->isHidden()) {
        ShowLineStatus(QString::fromLatin1(editor::kMergeWhereMessage));
        return;
    }
    MergeWithNext(static_cast<std::int16_t>(cell->column));
}

// One step of one value. A step the bounds refuse because they leave no room at all says so.
void MainWindow::Step(std::int16_t index, ValueBlock block, editor::StepDirection direction) {
    const std::int32_t i = index;
    const bool stress = block == ValueBlock::Stress;
    const ValueRow row = stress ? ValueRow::Stresses : ValueRow::Junctures;
    QLineEdit* box = stress ? grid_.stressBoxes(i) : grid_.junctureBoxes(i);
    if (i < 1 || i > work_.Doc().Positions() || box == nullptr) {
        return;
    }
    const ValueBounds& bounds = work_.Settings().Bounds();
    const editor::RowBounds room = editor::BoundsOf(row, bounds);
    const std::int32_t bound = direction == editor::StepDirection::Up ? room.maximum : room.minimum;
    ShownValue before{std::string(line_.Value(row, i)), box->text()};
    if (!line_.Step(row, i, direction, bound)) {
        if (const std::string stuck = editor::StuckBoundsMessage(row, direction, bounds);
            !stuck.empty()) {
            ShowLineStatus(QString::fromStdString(stuck));
        }
        return;
    }
    box->setText(Decode(line_.Value(row, i), work_.Doc().TextEncoding()));
    lineUndo_->Stepped(block, direction, i, std::move(before));
}

void MainWindow::ValueTyped(ValueBlock block, std::int32_t column, std::string before) {
    QString shown = Decode(before, work_.Doc().TextEncoding());
    lineUndo_->Typed(block, column, ShownValue{std::move(before), std::move(shown)});
}

void MainWindow::ChooseValueBounds() {
    auto* dialog = new BoundsDialog(work_.Settings().Bounds(), this);
    dialog->setAttribute(Qt::WA_DeleteOnClose);
    connect(dialog, &QDialog::accepted, this, [this, dialog] {
        const ValueBounds bounds = dialog->Bounds();
        Run([this, &bounds] { SetValueBounds(bounds); });
    });
    dialog->open();
}

// The memory file is replaced whole, as every write of it is; when that fails the bounds hold
// for this run, and the user is told.
void MainWindow::SetValueBounds(const ValueBounds& bounds) {
    work_.Settings().SetBounds(bounds);
    if (!work_.Settings().Write(work_.CurrentLine())) {
        work_.GetPlatform().ShowMessage(QStringLiteral(
            "I couldn't write RememberEarlierRun.txt, so the new bounds hold until Corvale "
            "ends.  Perhaps the folder is read-only, or RememberEarlierRun.txt is open in "
            "another program."));
    }
}

void MainWindow::PutStressOnTop() {
    PlaceValueBlocks(layout::kUpperSlot, layout::kLowerSlot);
}

void MainWindow::PutJunctureOnTop() {
    PlaceValueBlocks(layout::kLowerSlot, layout::kUpperSlot);
}

// F6: the block below comes up, as a click on its heading brings it.
void MainWindow::SwapBlocks() {
    if (placement::PlaceOf(grid_.stressHeading).top >
        placement::PlaceOf(grid_.junctureHeading).top) {
        PutStressOnTop();
    } else {
        PutJunctureOnTop();
    }
}

void MainWindow::BackToTheLine() {
    cellFocus_->FocusLastCell();
}

// Hidden columns move too, so a column a later line shows is already in place. Element 0 is
// the pattern and stays where it was designed.
void MainWindow::PlaceValueBlocks(const layout::BlockTops& stress,
                                  const layout::BlockTops& juncture) {
    const int zoom = grid_.zoom;
    SetTop(grid_.junctureHeading, juncture.heading, zoom);
    SetTop(grid_.stressHeading, stress.heading, zoom);
    const std::int32_t last = std::min(work_.Doc().Positions(), grid_.Columns());
    for (std::int32_t i = 1; i <= last; ++i) {
        SetTop(grid_.stressBoxes(i), stress.box, zoom);
        SetTop(grid_.stressUpButtons(i), stress.up, zoom);
        SetTop(grid_.stressDownButtons(i), stress.down, zoom);
        SetTop(grid_.junctureBoxes(i), juncture.box, zoom);
        SetTop(grid_.junctureUpButtons(i), juncture.up, zoom);
        SetTop(grid_.junctureDownButtons(i), juncture.down, zoom);
    }
    OrderTabs();
}

// Merges syllable k + 1 into k. The boxes of columns k..M are redrawn from the working copy,
// the controls of emptied positions are hidden (a merge never shows anything), and the syllable
// boxes are aligned afresh.
void MainWindow::MergeWithNext(std::int16_t index) {
    const std::int32_t k = index;
    const std::int32_t m = work_.Doc().Positions();
    if (k < 1 || k >= m || m > grid_.Columns()) {
        return;
    }
    LineSnapshot before = lineUndo_->Snapshot();
    const editor::MergeEffects effects = line_.Merge(k);
    if (effects.hiddenSyllableBoxes.empty()) {
        return;  // the working line was not sized for this grid; nothing was merged
    }
    const Encoding encoding = work_.Doc().TextEncoding();
    for (std::int32_t i = k; i <= m; ++i) {
        syllableEditing_->ShowDisplayText(i, Decode(line_.Syllable(i), encoding));
        grid_.stressBoxes(i)->setText(Decode(line_.Stress(i), encoding));
        grid_.junctureBoxes(i)->setText(Decode(line_.Juncture(i), encoding));
    }
    for (const std::int32_t i : effects.hiddenSyllableBoxes) {
        HideAll({grid_.syllableBoxes(i)});
    }
    for (const std::int32_t i : effects.hiddenStressColumns) {
        HideAll({grid_.stressBoxes(i), grid_.stressUpButtons(i), grid_.stressDownButtons(i)});
    }
    for (const std::int32_t i : effects.hiddenJunctureColumns) {
        HideAll({grid_.junctureBoxes(i), grid_.junctureUpButtons(i), grid_.junctureDownButtons(i)});
    }
    for (const std::int32_t i : effects.hiddenMergeButtons) {
        HideAll({grid_.mergeButtons(i)});
    }
    AlignCellContents();
    lineUndo_->Merged(k, std::move(before));
}

// A command may have changed the value in the focused box (a merge, an undo); typing replaces it.
void MainWindow::AfterCommand() {
    if (valueEditing_ != nullptr) {
        valueEditing_->ReadyToRetype();
    }
}

void MainWindow::ShowLineStatus(const QString& text) {
    placement::SetCaption(lineStatusLabel, text);
    // Where the line cuts the text short, pointing at it shows it whole.
    lineStatusLabel->setToolTip(text);
}

// A note on what just happened, before what the status says of the line.
void MainWindow::PrefixLineStatus(const QString& note) {
    ShowLineStatus(note + QStringLiteral(": ") + lineStatusLabel->text());
}

bool MainWindow::HasPendingTyping() const {
    return syllableEditing_->HasPendingTyping() || valueEditing_->HasPendingTyping();
}

void MainWindow::RevertTyping() {
    if (!syllableEditing_->RevertTyping()) {
        valueEditing_->RevertTyping();
    }
}

bool MainWindow::TakeTyping() {
    return (syllableEditing_ == nullptr || syllableEditing_->Take()) &&
           (valueEditing_ == nullptr || valueEditing_->Take());
}

void MainWindow::Retype(std::int32_t column, const std::function<void()>& retype) {
    LineSnapshot before = lineUndo_->Snapshot();
    retype();
    lineUndo_->Retyped(column, std::move(before));
}

// The cut falls at the caret of the focused syllable box, at the character boundary at or
// before it. A split on a full line adds a position to every verse line and a column to the
// grid, for the rest of the run.
void MainWindow::SplitSyllable() {
    const std::optional<CellPlace> cell = cellFocus_->FocusedCell();
    const std::int32_t m = work_.Doc().Positions();
    const bool inSyllable = cell && cell->kind == CellKind::Syllable && cell->column <= m &&
                            m <= line_.Width() && m <= grid_.Columns();
    const std::int32_t k = inSyllable ? cell->column : 0;
    const std::optional<std::size_t> cut =
        inSyllable && !grid_.syllableBoxes(k)->hasSelectedText()
            ? editor::CutAtCaret(line_.Syllable(k), work_.Doc().TextEncoding(),
                                 syllableEditing_->PlainCaret(k))
            : std::nullopt;
    if (!cut) {
        ShowLineStatus(QString::fromLatin1(editor::kSplitWhereMessage));
        return;
    }
    LineSnapshot before = lineUndo_->Snapshot();
    const editor::SplitOutcome outcome = line_.Split(k, *cut);
    if (outcome == editor::SplitOutcome::LineTooLong ||
        outcome == editor::SplitOutcome::NothingToSplit) {
        ShowLineStatus(QString::fromLatin1(outcome == editor::SplitOutcome::LineTooLong
                                               ? editor::kLineTooLongMessage
                                               : editor::kSplitWhereMessage));
        return;
    }
    if (outcome == editor::SplitOutcome::SplitAndGrew) {
        work_.Doc().Widen(m + 1);
        WidenGrid();
    }
    const Encoding encoding = work_.Doc().TextEncoding();
    for (std::int32_t i = k; i <= work_.Doc().Positions(); ++i) {
        SetTextIfNew(grid_.stressBoxes(i), Decode(line_.Stress(i), encoding));
        SetTextIfNew(grid_.junctureBoxes(i), Decode(line_.Juncture(i), encoding));
    }
    AlignCellContents();
    DecideCellVisibility();
    QLineEdit* box = grid_.syllableBoxes(k);
    box->setFocus(Qt::OtherFocusReason);
    box->setCursorPosition(static_cast<int>(box->text().size()));
    lineUndo_->Split(k, std::move(before));
}

}  // namespace corvale
