// Committing and navigation: the handlers that put the working copy into the store, move to
// another verse line, or load another scansion file. Each of them ends by showing a line with
// ShowCurrentLine, which drops whatever was not committed.

#include "navigation/GoTo.h"
#include "platform/TextCodec.h"
#include "startup/WorkingFolder.h"
#include "window/CellFocus.h"
#include "window/ClickableLabel.h"
#include "window/LineUndo.h"
#include "window/MainWindow.h"
#include "window/Overview.h"
#include "window/Placement.h"
#include "window/ProfileDock.h"

#include <QDir>
#include <QLineEdit>
#include <QPlainTextEdit>

#include <algorithm>
#include <string>

namespace corvale {

void MainWindow::CommitLine() {
    CommitWorkingLine();
    ShowLineOrEnd();
}

void MainWindow::CommitWorkingLine() {
    const QString typed = grid_.commentBox->toPlainText();
    const std::int32_t line = work_.CurrentLine();
    const bool changed = work_.CommitLine(
        line_.Values(), typed == shownComment_ ? std::string(work_.Doc().Comment(line))
                                               : Encode(typed, work_.Doc().TextEncoding()));
    shownComment_ = typed;  // what the line now holds
    if (changed && OverviewDock() != nullptr) {
        OverviewDock()->Model().LineCommitted(line);
    }
    if (changed && ProfileView() != nullptr) {
        ProfileView()->Redraw(MeterStrictness());
    }
    EnableUndoTheRescan();  // a commit ends the rescan's undo
}

// After a commit: the next verse line, or, after the last one, the exit question. When saving
// fails there, the program stays on the committed line.
void MainWindow::ShowLineOrEnd() {
    if (work_.CurrentLine() >= work_.Doc().NumberOfLines()) {
        work_.Exit();
        return;
    }
    work_.SetCurrentLine(work_.CurrentLine() + 1);
    ShowCurrentLine();
}

void MainWindow::SaveWork() {
    if (work_.Save() == Document::SaveResult::Saved && work_.Doc().HasFile()) {
        PrefixLineStatus(
            QStringLiteral("saved in %1").arg(DecodeFileName(work_.Settings().WorkingFileName())));
    }
}

// The line as last committed; what it drops is offered back at once.
void MainWindow::ReloadLine() {
    droppedChanges_ = ChangesOnScreen();
    ShowCurrentLine();
}

void MainWindow::BackOneLine() {
    if (work_.CurrentLine() > 1) {
        GoToRow(work_.CurrentLine() - 1);
    }
}

void MainWindow::AheadOneLine() {
    if (work_.CurrentLine() < work_.Doc().NumberOfLines()) {
        GoToRow(work_.CurrentLine() + 1);
    }
}

void MainWindow::GoToTypedLine() {
    GoToNumberInBox();
}

// "go to #": false when the number in the box was refused, with a message.
bool MainWindow::GoToNumberInBox() {
    const navigation::GoToDecision decision =
        navigation::DecideGoTo(grid_.goToBox->text().toStdString(), work_.Doc().NumberOfLines());
    if (!decision.accepted) {
        work_.GetPlatform().ShowMessage(QString::fromLatin1(navigation::kGoToMessage));
        return false;
    }
    grid_.goToBox->setText(QString());
    GoToRow(decision.line);
    if (decision.pastTheEnd) {
        PrefixLineStatus(QStringLiteral("the file ends at line %1").arg(decision.line));
    }
    return true;
}

// Every go-to ends here, with a row the go-to decision accepted.
void MainWindow::GoToRow(std::int32_t row) {
    const std::int32_t left = work_.CurrentLine();
    std::optional<DroppedChanges> dropped = ChangesOnScreen();
    work_.SetCurrentLine(row);
    ShowCurrentLine();
    if (dropped) {
        droppedChanges_ = std::move(dropped);
        OfferDroppedChangesBack();  // a go-to of the line on screen drops them where they were
        PrefixLineStatus(QStringLiteral("line %1's changes were dropped (never saved with %2)")
                             .arg(left)
                             .arg(CommitKey()));
    }
}

std::optional<MainWindow::DroppedChanges> MainWindow::ChangesOnScreen() const {
    if (!HasUncommittedChanges()) {
        return std::nullopt;
    }
    return DroppedChanges{work_.CurrentLine(), lineUndo_->Snapshot(),
                          grid_.commentBox->toPlainText()};
}

void MainWindow::OfferDroppedChangesBack() {
    if (!droppedChanges_ || droppedChanges_->line != work_.CurrentLine()) {
        return;
    }
    DroppedChanges changes = std::move(*droppedChanges_);
    droppedChanges_.reset();
    lineUndo_->Reloaded(std::move(changes.snapshot), std::move(changes.comment));
    PrefixLineStatus(QStringLiteral("%1 brings back the changes dropped here")
                         .arg(undoAction->shortcut().toString(QKeySequence::NativeText)));
}

QString MainWindow::CommitKey() const {
    return keyMap_.Find(u"commitLineAction")->shortcut().toString(QKeySequence::NativeText);
}

bool MainWindow::HasUncommittedChanges() const {
    const std::int32_t line = work_.CurrentLine();
    if (line < 1 || line > work_.Doc().NumberOfLines()) {
        return false;
    }
    editor::WorkingLine committed;
    committed.Load(work_.Doc().GetStore(), line, work_.Doc().Positions());
    return committed.Copy() != line_.Copy() || grid_.commentBox->toPlainText() != shownComment_;
}

void MainWindow::GoToFirstLine() {
    GoToRow(navigation::DecideGoTo("1", work_.Doc().NumberOfLines()).line);
}

void MainWindow::GoToLastLine() {
    GoToRow(navigation::DecideGoTo(std::to_string(work_.Doc().NumberOfLines()),
                                   work_.Doc().NumberOfLines())
                .line);
}

// Ctrl+G: the go-to box takes the focus with its number selected, ready to be typed over.
void MainWindow::FocusGoToBox() {
    cellFocus_->RememberBeforeGoTo();
    grid_.goToBox->setFocus(Qt::ShortcutFocusReason);
    grid_.goToBox->selectAll();
}

// The caret goes after what the comment holds, so that typing adds to it.
void MainWindow::FocusComment() {
    grid_.commentBox->setFocus(Qt::ShortcutFocusReason);
    grid_.commentBox->moveCursor(QTextCursor::End);
}

// Return in the go-to box goes there, and the work goes on where the focus was before Ctrl+G.
void MainWindow::GoToTypedLineAndResume() {
    if (GoToNumberInBox()) {
        cellFocus_->ReturnAfterGoTo();
    }
}

// A wider file than the grid was built for, or a line split past the grid's width: the missing
// columns are added the way start-up builds them, in the block order now on screen.
void MainWindow::WidenGrid() {
    if (work_.Doc().Positions() <= grid_.Columns()) {
        return;
    }
    const bool junctureOnTop =
        placement::PlaceOf(grid_.junctureHeading).top == layout::kUpperSlot.heading;
    if (work_.Settings().Spacing() == 0) {
        work_.Settings().SetSpacing(layout::DefaultSpacing(work_.Doc().Positions()));
    }
    BuildCellColumns(grid_.Columns() + 1, work_.Doc().Positions());
    if (junctureOnTop) {
        PutJunctureOnTop();
    }
}

// The switch itself is the workspace's; the window shows the name actually in use, widens the
// grid for a wider file, and shows the line. A switch that does not happen leaves the typed
// name in the box. A path out of the working folder typed there is opened as Open... opens one:
// the box names only that folder's files.
void MainWindow::OpenNamedFile() {
    const QString folder = work_.GetPlatform().ProgramFolder();
    const QString typed = fileNameBox->text();
    if (typed.contains(u'/') && !startup::NameInFolder(folder, typed)) {
        OpenPath(QDir::cleanPath(QDir(folder).absoluteFilePath(typed)));
        return;
    }
    const std::optional<Workspace::Leaving> leaving = LeaveFile();
    if (!leaving) {
        return;
    }
    const std::optional<std::int32_t> line =
        work_.SwitchWorkingFile(EncodeFileName(fileNameBox->text()), *leaving);
    if (line) {
        ShowSwitchedFile(*line);
    }
}

void MainWindow::ShowSwitchedFile(std::int32_t line) {
    fileNameBox->setText(DecodeFileName(work_.Settings().WorkingFileName()));
    UseTheMeter();
    WidenGrid();
    if (OverviewDock() != nullptr) {
        OverviewDock()->Model().Judge(TheMeters(), MeterStrictness());
    }
    RecountProfile();
    work_.SetCurrentLine(line);
    ShowCurrentLine();
    EnableLineCommands();
    NoteRecent();
    // The work on another file starts where the keyboard work does, unless a cell box has the
    // focus already.
    if (!cellFocus_->FocusedCell()) {
        cellFocus_->FocusFirstCell();
    }
}

}  // namespace corvale
