// Committing and navigation: the handlers that put the working copy into the store, move to
// another verse line, or load another scansion file. Each of them ends by showing a line with
// LoadANewLine, which drops whatever was not committed.

#include "navigation/GoTo.h"
#include "platform/TextCodec.h"
#include "window/CellFocus.h"
#include "window/ClickableLabel.h"
#include "window/Form1.h"
#include "window/Placement.h"

#include <QLineEdit>
#include <QPlainTextEdit>

#include <algorithm>
#include <string>

namespace corvale {

namespace {

constexpr char kRememberWriteFailed[] =
    "I couldn't write RememberEarlierRun.txt, so I have stayed with the file you are working "
    "on.  Perhaps the folder is read-only, or RememberEarlierRun.txt is open in another "
    "program.";

}  // namespace

void Form1::cmdOk_Click() {
    const QString typed = txtComment->toPlainText();
    CommitWorkingCopy(typed == shownComment_ ? std::string(Comments(CurrentLine))
                                             : Encode(typed, TextEncoding));
    ShowLineOrEnd();
}

void Form1::cmdAlsoSave_Click() {
    cmdOk_Click();
}

// After a commit: the next verse line, or, after the last one, the exit question. When saving
// fails there, the program stays on the committed line.
void Form1::ShowLineOrEnd() {
    if (CurrentLine >= NumberOfLines) {
        cmdQuit_Click();
        return;
    }
    ++CurrentLine;
    LoadANewLine();
}

void Form1::cmdUndo_Click() {
    LoadANewLine();
}

void Form1::cmdBackOne_Click() {
    if (CurrentLine > 1) {
        --CurrentLine;
        LoadANewLine();
    }
}

void Form1::cmdAheadOne_Click() {
    if (CurrentLine < NumberOfLines) {
        ++CurrentLine;
        LoadANewLine();
    }
}

void Form1::cmdGoTo_Click() {
    GoToNumberInBox();
}

// "go to #": false when the number in the box was refused, with a message.
bool Form1::GoToNumberInBox() {
    const navigation::GoToDecision decision =
        navigation::DecideGoTo(txtGoto->text().toStdString(), NumberOfLines);
    if (!decision.accepted) {
        GetPlatform().ShowMessage(QString::fromLatin1(navigation::kGoToMessage));
        return false;
    }
    txtGoto->setText(QString());
    GoToRow(decision.line);
    return true;
}

// Every go-to ends here, with a row the go-to decision accepted.
void Form1::GoToRow(std::int32_t row) {
    CurrentLine = row;
    LoadANewLine();
}

void Form1::mnuFirstLine_Click() {
    GoToRow(navigation::DecideGoTo("1", NumberOfLines).line);
}

void Form1::mnuLastLine_Click() {
    GoToRow(navigation::DecideGoTo(std::to_string(NumberOfLines), NumberOfLines).line);
}

// Ctrl+G: the go-to box takes the focus with its number selected, ready to be typed over.
void Form1::mnuGoToLine_Click() {
    cellFocus_->RememberBeforeGoTo();
    txtGoto->setFocus(Qt::ShortcutFocusReason);
    txtGoto->selectAll();
}

// Return in the go-to box goes there, and the work goes on where the focus was before Ctrl+G.
void Form1::txtGoto_ReturnPressed() {
    if (GoToNumberInBox()) {
        cellFocus_->ReturnAfterGoTo();
    }
}

// The new name goes through the memory file, so its existence check and fallback apply as at
// start-up. If that file cannot be written nothing else is touched: the old file and its
// uncommitted work stay on screen.
void Form1::mnuChangeFile_Click() {
    if (QuerySwitch() == Leaving::Stay) {
        return;
    }
    const std::string previousName = WorkingFileName;
    WorkingFileName = EncodeFileName(txtFileName->text());
    if (!UpdateRememberFile()) {
        WorkingFileName = previousName;
        GetPlatform().ShowMessage(QString::fromLatin1(kRememberWriteFailed));
        return;
    }
    ReadMemoryFile();
    LoadScansionFile();
    txtFileName->setText(DecodeFileName(WorkingFileName));
    if (MaximumNumberOfSyllables > NumberOfCellColumns()) {
        // A wider file than the grid was built for: add the missing columns the way start-up
        // builds them, in the block order now on screen.
        const bool junctureOnTop = placement::PlaceOf(Label3).top == layout::kUpperSlot.heading;
        if (SpacingOfButtons == 0) {
            SpacingOfButtons = layout::DefaultSpacing(MaximumNumberOfSyllables);
        }
        BuildCellColumns(NumberOfCellColumns() + 1, MaximumNumberOfSyllables);
        if (junctureOnTop) {
            Label3_Click();
        }
    }
    // The line number comes from the file being left; a shorter file opens at its last line.
    CurrentLine = std::min(std::max(LastLineDone, 0), std::max(NumberOfLines, 0));
    LoadANewLine();
}

}  // namespace corvale
