// Saving the store, and the three ways of leaving it: Exit, the close box and a switch to
// another file. Unsaved corrections are given up only on an explicit No.

#include "scansion/Workspace.h"

#include <array>

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

bool Workspace::SaveFiles() {
    const std::string memory = MemoryFileBytes();
    if (WorkingFileName.empty()) {
        // Nothing was loaded and there is no file to write it to; only the place is kept.
        if (!platform_.ReplaceFile(kMemoryFileName, memory)) {
            return false;
        }
    } else {
        const std::string scansion = ScansionFileBytes();
        const std::array<Platform::FileBytes, 2> files = {
            Platform::FileBytes{WorkingFileName, scansion},
            Platform::FileBytes{kMemoryFileName, memory}};
        if (!platform_.ReplaceFiles(files)) {
            return false;
        }
    }
    ForgetChanges();
    return true;
}

void Workspace::cmdQuit_Click() {
    const Answer answer = platform_.AskYesNo(QString::fromLatin1(kSaveQuestion), Escape::Withdraws);
    if (answer == Answer::Withdrawn) {
        return;
    }
    if (answer == Answer::Yes && !SaveFiles()) {
        platform_.ShowMessage(QString::fromLatin1(kExitFailed));
        return;
    }
    platform_.EndProgram();
}

void Workspace::mnuSave_Click() {
    if (!SaveFiles()) {
        platform_.ShowMessage(QString::fromLatin1(kSaveFailed));
    }
}

Workspace::Leaving Workspace::AskBeforeLeaving(const char* failedSaveMessage) {
    if (!IsModified()) {
        return Leaving::Go;
    }
    switch (platform_.AskYesNo(QString::fromLatin1(kSaveQuestion), Escape::Withdraws)) {
        case Answer::Yes:
            if (SaveFiles()) {
                return Leaving::Go;
            }
            platform_.ShowMessage(QString::fromLatin1(failedSaveMessage));
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
    return AskBeforeLeaving(kExitFailed) != Leaving::Stay;
}

Workspace::Leaving Workspace::QuerySwitch() {
    return AskBeforeLeaving(kSaveFailed);
}

}  // namespace corvale
