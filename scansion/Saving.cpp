// Saving the store, and the three ways of leaving it: Exit, the close box and a switch to
// another file. Unsaved corrections are given up only on an explicit No.

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

bool Workspace::MaySaveOverWorkingFile() const {
    switch (platform_.WhatIsAt(WorkingFileName)) {
        case Platform::Occupant::Nothing:
            return true;
        case Platform::Occupant::OrdinaryFile:
            break;
        case Platform::Occupant::Other:
            return false;
    }
    const std::optional<std::string> bytes = platform_.ReadWholeFile(WorkingFileName);
    return bytes && fileIdentity_ && IdentityOf(*bytes) == *fileIdentity_;
}

Workspace::SaveResult Workspace::KeepCorrectionsAside() {
    const std::optional<std::string> kept = platform_.CreateNewFile(
        KeptNames(WorkingFileName, kKeptNameCount), WholeJournal(CurrentLine, CurrentLine));
    if (!kept) {
        return SaveResult::Failed;
    }
    platform_.SyncFolderOf(*kept);
    platform_.ShowMessage(QStringLiteral("Corvale did not save your corrections over %1, because "
                                         "what is there now is not the file Corvale opened.  "
                                         "They are kept in %2.")
                              .arg(DecodeFileName(WorkingFileName), DecodeFileName(*kept)));
    return SaveResult::KeptAside;
}

Workspace::SaveResult Workspace::SaveFiles() {
    // The window with no file has nothing to save, and a memory file naming no file would only
    // bring its cautions to the next start.
    if (WorkingFileName.empty()) {
        return SaveResult::Saved;
    }
    const std::string memory = MemoryFileBytes();
    const bool withScansionFile = MaySaveOverWorkingFile();
    if (!withScansionFile && IsModified()) {
        return KeepCorrectionsAside();
    }
    if (!withScansionFile) {
        // Nothing of this run's belongs in that file; only the place is kept.
        return platform_.ReplaceFile(kMemoryFileName, memory) ? SaveResult::Saved
                                                              : SaveResult::Failed;
    }
    const std::string scansion = ScansionFileBytes();
    const std::array<Platform::FileBytes, 2> files = {
        Platform::FileBytes{WorkingFileName, scansion},
        Platform::FileBytes{kMemoryFileName, memory}};
    if (!platform_.ReplaceFiles(files)) {
        return SaveResult::Failed;
    }
    fileIdentity_ = IdentityOf(scansion);
    // The journal goes only once the renames are on disk, so a crash in between leaves it
    // beside a file that already holds its corrections, which the next load recognises.
    platform_.SyncFolderOf(WorkingFileName);
    platform_.SyncFolderOf(kMemoryFileName);
    if (IsModified()) {
        DeleteJournal();
    }
    ForgetChanges();
    return SaveResult::Saved;
}

void Workspace::Exit() {
    const Answer answer = platform_.AskYesNo(QString::fromLatin1(kSaveQuestion), Escape::Withdraws);
    if (answer == Answer::Withdrawn) {
        return;
    }
    if (answer == Answer::No) {
        DeleteJournal();
        platform_.EndProgram();
    }
    switch (SaveFiles()) {
        case SaveResult::Saved:
            platform_.EndProgram();
        case SaveResult::Failed:
            platform_.ShowMessage(QString::fromLatin1(kExitFailed));
            break;
        case SaveResult::KeptAside:
            break;  // said already; the corrections stay unsaved here
    }
}

void Workspace::Save() {
    if (SaveFiles() == SaveResult::Failed) {
        platform_.ShowMessage(QString::fromLatin1(kSaveFailed));
    }
}

Workspace::Leaving Workspace::AskBeforeLeaving(const char* failedSaveMessage) {
    if (!IsModified()) {
        return Leaving::Go;
    }
    switch (platform_.AskYesNo(QString::fromLatin1(kSaveQuestion), Escape::Withdraws)) {
        case Answer::Yes:
            switch (SaveFiles()) {
                case SaveResult::Saved:
                    return Leaving::Go;
                case SaveResult::Failed:
                    platform_.ShowMessage(QString::fromLatin1(failedSaveMessage));
                    break;
                case SaveResult::KeptAside:
                    break;
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
        DeleteJournal();
    }
    return leaving != Leaving::Stay;
}

Workspace::Leaving Workspace::QuerySwitch() {
    return AskBeforeLeaving(kSaveFailed);
}

}  // namespace corvale
