// Saving, and the three ways of leaving the working file: Exit, the close box and a switch to
// another file. Unsaved corrections, the line on screen's among them, are given up only on an
// explicit No.

#include "scansion/FileNames.h"
#include "scansion/Workspace.h"

#include <array>
#include <optional>

namespace corvale {

namespace {

const char kSaveQuestion[] = "Save changes?";
const char kExitFailed[] =
    "I've hit a problem:  perhaps the file you are working on is open in another program.  If "
    "so, please close that program and try exiting again.  If you need to give up entirely, "
    "click the little X at the top right of the interface.";
const char kSaveFailed[] =
    "I've hit a problem:  perhaps the file you are working on is open in another program.  If "
    "so, please close that program and try saving again.";

}  // namespace

Document::SaveResult Workspace::SaveFiles() {
    const std::string memory = settings_.Bytes(currentLine_);
    return document_.Save(Platform::FileBytes{kMemoryFileName, memory}, currentLine_);
}

bool Workspace::LineOnScreenChanged() const {
    return lineOnScreen_.changed && lineOnScreen_.changed();
}

Document::SaveResult Workspace::KeepLineAndSave() {
    if (LineOnScreenChanged()) {
        lineOnScreen_.commit();
    }
    return SaveFiles();
}

void Workspace::Exit() {
    const Answer answer = platform_.AskYesNo(QString::fromLatin1(kSaveQuestion), Escape::Withdraws);
    if (answer == Answer::Withdrawn) {
        return;
    }
    if (answer == Answer::No) {
        document_.DeleteJournal();
        platform_.EndProgram();
    }
    switch (KeepLineAndSave()) {
        case Document::SaveResult::Saved:
            platform_.EndProgram();
        case Document::SaveResult::Failed:
            platform_.ShowMessage(QString::fromLatin1(kExitFailed));
            break;
        case Document::SaveResult::KeptAside:
            // Said already: the corrections are safe in the file kept aside, which holds what
            // the journal does.
            document_.DeleteJournal();
            platform_.EndProgram();
    }
}

Document::SaveResult Workspace::Save() {
    const Document::SaveResult result = KeepLineAndSave();
    if (result == Document::SaveResult::Failed) {
        platform_.ShowMessage(QString::fromLatin1(kSaveFailed));
    }
    return result;
}

Workspace::Leaving Workspace::AskBeforeLeaving(const char* failedSaveMessage) {
    if (!document_.IsModified() && !LineOnScreenChanged()) {
        return Leaving::Go;
    }
    switch (platform_.AskYesNo(QString::fromLatin1(kSaveQuestion), Escape::Withdraws)) {
        case Answer::Yes:
            switch (KeepLineAndSave()) {
                case Document::SaveResult::Saved:
                    return Leaving::Go;
                case Document::SaveResult::Failed:
                    platform_.ShowMessage(QString::fromLatin1(failedSaveMessage));
                    break;
                case Document::SaveResult::KeptAside:
                    return Leaving::GoDiscarding;  // kept aside, and said so
            }
            return Leaving::Stay;
        case Answer::No:
            return Leaving::GoDiscarding;
        case Answer::Withdrawn:
            break;
    }
    return Leaving::Stay;
}

bool Workspace::QueryClose() {
    // The exit message's advice still holds after a failed save: the close box asks again, and
    // No gives up.
    const Leaving leaving = AskBeforeLeaving(kExitFailed);
    if (leaving == Leaving::GoDiscarding) {
        document_.DeleteJournal();
    }
    return leaving != Leaving::Stay;
}

Workspace::Leaving Workspace::QuerySwitch() {
    return AskBeforeLeaving(kSaveFailed);
}

}  // namespace corvale
