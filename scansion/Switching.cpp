// Switching to another scansion file, apart from the window: through the memory file, as
// start-up reads it, with a way back when the new file is turned down.

#include "scansion/Workspace.h"

#include "scansion/FileNames.h"

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
    SwitchOrigin origin{settings_.WorkingFileName(),
                        currentLine_,
                        movingFolder_ || settings_.WorkingFileName().empty(),
                        {}};
    if (origin.putBackBytes && platform_.IsOrdinaryFile(kMemoryFileName).value_or(false)) {
        origin.memoryBytes = platform_.ReadWholeFile(kMemoryFileName);
    }
    // Only a journal of this run's own goes with the corrections given up.
    const bool dropJournal = leaving == Leaving::GoDiscarding && document_.OwnsJournal();
    settings_.SetWorkingFileName(name);
    currentLine_ = openAt.value_or(currentLine_);
    if (!settings_.Write(currentLine_)) {
        settings_.SetWorkingFileName(origin.name);
        currentLine_ = origin.line;
        platform_.ShowMessage(QString::fromLatin1(kRememberWriteFailed));
        return std::nullopt;
    }
    settings_.Read();
    switchOrigin_ = std::move(origin);
    struct Done {
        std::optional<SwitchOrigin>& origin;
        ~Done() { origin.reset(); }
    } done{switchOrigin_};
    // The meter is read first: a file without one is turned down before the store changes.
    std::optional<std::vector<MeterFileRow>> meters = ReadMeterOfWorkingFile().meters;
    if (!meters || !LoadWorkingFile()) {
        PutBackMemoryFile();
        return std::nullopt;
    }
    document_.SetMeters(std::move(*meters));
    // The old store is gone now, and with it the corrections the journal held.
    if (dropJournal && !switchOrigin_->name.empty()) {
        platform_.RemoveFile(JournalName(switchOrigin_->name));
    }
    const std::optional<std::int32_t> restored = document_.OfferJournal();
    // The line number comes from the file being left; a shorter file opens at its last line.
    return restored.value_or(
        std::clamp(settings_.LastLineDone(), 0, std::max(document_.NumberOfLines(), 0)));
}

void Workspace::PutBackMemoryFile() {
    settings_.SetWorkingFileName(switchOrigin_->name);
    currentLine_ = switchOrigin_->line;
    if (!switchOrigin_->putBackBytes) {
        settings_.Write(currentLine_);
    } else if (switchOrigin_->memoryBytes) {
        platform_.ReplaceFile(kMemoryFileName, *switchOrigin_->memoryBytes);
    } else {
        platform_.RemoveFile(kMemoryFileName);
    }
}

std::optional<std::int32_t> Workspace::OpenFileAt(const FilePlace& place, Leaving leaving,
                                                  std::int32_t line) {
    if (place.folder == platform_.ProgramFolder()) {
        return SwitchWorkingFile(place.name, leaving,
                                 settings_.RememberedLineOf(place.name).value_or(line));
    }
    // The folder left remembers where its work stood, as a switch there would.
    if (!settings_.WorkingFileName().empty() && !settings_.Write(currentLine_)) {
        platform_.ShowMessage(QString::fromLatin1(kRememberWriteFailed));
        return std::nullopt;
    }
    const QString leftFolder = platform_.ProgramFolder();
    const QString leftTitle = platform_.FolderInTitle();
    const std::string leftName = settings_.WorkingFileName();
    const ValueBounds leftBounds = settings_.Bounds();
    const std::int32_t leftSpacing = settings_.Spacing();
    const bool dropJournal =
        leaving == Leaving::GoDiscarding && document_.OwnsJournal() && !leftName.empty();
    if (!platform_.MoveToFolder(place.folder, place.folderInTitle)) {
        return std::nullopt;
    }
    const std::optional<std::int32_t> openAt = settings_.AdoptValuesOf(place.name);
    // The columns on screen keep their spacing.
    if (leftSpacing != 0) {
        settings_.SetSpacing(leftSpacing);
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
        settings_.SetBounds(leftBounds);
        settings_.SetSpacing(leftSpacing);
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
