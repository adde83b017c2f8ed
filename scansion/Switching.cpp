// Switching to another scansion file, apart from the window: through the memory file, as
// start-up reads it, with a way back when the new file is turned down.

#include "scansion/Workspace.h"

#include <algorithm>

namespace corvale {

namespace {

const char kRememberWriteFailed[] =
    "I couldn't write RememberEarlierRun.txt, so I have stayed with the file you are working "
    "on.  Perhaps the folder is read-only, or RememberEarlierRun.txt is open in another "
    "program.";

}  // namespace

std::optional<std::int32_t> Workspace::SwitchWorkingFile(const std::string& name, Leaving leaving,
                                                         std::optional<std::int32_t> openAt) {
    SwitchOrigin origin{WorkingFileName, CurrentLine, movingFolder_ || WorkingFileName.empty(), {}};
    if (origin.putBackBytes && platform_.IsOrdinaryFile(kMemoryFileName).value_or(false)) {
        origin.memoryBytes = platform_.ReadWholeFile(kMemoryFileName);
    }
    // Only a journal of this run's own goes with the corrections given up.
    const bool dropJournal = leaving == Leaving::GoDiscarding && !journal_.disabled;
    WorkingFileName = name;
    CurrentLine = openAt.value_or(CurrentLine);
    if (!WriteMemoryFile()) {
        WorkingFileName = origin.name;
        CurrentLine = origin.line;
        platform_.ShowMessage(QString::fromLatin1(kRememberWriteFailed));
        return std::nullopt;
    }
    ReadMemoryFile();
    switchOrigin_ = std::move(origin);
    struct Done {
        std::optional<SwitchOrigin>& origin;
        ~Done() { origin.reset(); }
    } done{switchOrigin_};
    // The meter is read first: a file without one is turned down before the store changes.
    std::optional<MeterRow> meter = ReadMeterOfWorkingFile().row;
    if (!meter || !LoadScansionFile()) {
        PutBackMemoryFile();
        return std::nullopt;
    }
    MeterLine = std::move(meter->line);
    NumberOfMeterSymbols = meter->symbols;
    // The old store is gone now, and with it the corrections the journal held.
    if (dropJournal && !switchOrigin_->name.empty()) {
        platform_.RemoveFile(JournalName(switchOrigin_->name));
    }
    const std::optional<std::int32_t> restored = OfferJournal();
    // The line number comes from the file being left; a shorter file opens at its last line.
    return restored.value_or(std::clamp(LastLineDone, 0, std::max(NumberOfLines, 0)));
}

void Workspace::PutBackMemoryFile() {
    WorkingFileName = switchOrigin_->name;
    CurrentLine = switchOrigin_->line;
    if (!switchOrigin_->putBackBytes) {
        WriteMemoryFile();
    } else if (switchOrigin_->memoryBytes) {
        platform_.ReplaceFile(kMemoryFileName, *switchOrigin_->memoryBytes);
    } else {
        platform_.RemoveFile(kMemoryFileName);
    }
}

std::optional<std::int32_t> Workspace::OpenFileAt(const FilePlace& place, Leaving leaving,
                                                  std::int32_t line) {
    if (place.folder == platform_.ProgramFolder()) {
        return SwitchWorkingFile(place.name, leaving, RememberedLineOf(place.name).value_or(line));
    }
    // The folder left remembers where its work stood, as a switch there would.
    if (!WorkingFileName.empty() && !WriteMemoryFile()) {
        platform_.ShowMessage(QString::fromLatin1(kRememberWriteFailed));
        return std::nullopt;
    }
    const QString leftFolder = platform_.ProgramFolder();
    const QString leftTitle = platform_.FolderInTitle();
    const std::string leftName = WorkingFileName;
    const std::vector<std::int32_t> leftSettings = {MaximumStress, MinimumStress, MaximumJuncture,
                                                    MinimumJuncture, SpacingOfButtons};
    const bool dropJournal =
        leaving == Leaving::GoDiscarding && !journal_.disabled && !leftName.empty();
    if (!platform_.MoveToFolder(place.folder, place.folderInTitle)) {
        return std::nullopt;
    }
    std::optional<std::int32_t> openAt;
    if (const std::optional<Remembered> memory = ReadRemembered()) {
        AdoptSettings(memory->settings);
        openAt = memory->LineOf(place.name);
    }
    // The columns on screen keep their spacing.
    if (leftSettings.back() != 0) {
        SpacingOfButtons = leftSettings.back();
    }
    movingFolder_ = true;
    std::optional<std::int32_t> opened;
    try {
        opened = SwitchWorkingFile(place.name, Leaving::Go, openAt.value_or(line));
    } catch (const ProgramEnded&) {
        // The program ends on the file it had open, in its folder.
        movingFolder_ = false;
        platform_.MoveToFolder(leftFolder, leftTitle);
        throw;
    }
    movingFolder_ = false;
    if (!opened) {
        platform_.MoveToFolder(leftFolder, leftTitle);
        AdoptSettings(leftSettings);
        return std::nullopt;
    }
    if (dropJournal) {
        platform_.MoveToFolder(leftFolder, leftTitle);
        platform_.RemoveFile(JournalName(leftName));
        platform_.MoveToFolder(place.folder, place.folderInTitle);
    }
    return opened;
}

}  // namespace corvale
