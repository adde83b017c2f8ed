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
    const SwitchOrigin origin{WorkingFileName, CurrentLine};
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
    switchOrigin_ = origin;
    struct Done {
        std::optional<SwitchOrigin>& origin;
        ~Done() { origin.reset(); }
    } done{switchOrigin_};
    // The meter is read first: a file without one is turned down before the store changes.
    std::optional<MeterRow> meter = ReadMeterOfWorkingFile();
    if (!meter || !LoadScansionFile()) {
        WorkingFileName = origin.name;
        CurrentLine = origin.line;
        WriteMemoryFile();
        return std::nullopt;
    }
    MeterLine = std::move(meter->line);
    NumberOfMeterSymbols = meter->symbols;
    // The old store is gone now, and with it the corrections the journal held.
    if (dropJournal && !origin.name.empty()) {
        platform_.RemoveFile(JournalName(origin.name));
    }
    const std::optional<std::int32_t> restored = OfferJournal();
    // The line number comes from the file being left; a shorter file opens at its last line.
    return restored.value_or(std::clamp(LastLineDone, 0, std::max(NumberOfLines, 0)));
}

}  // namespace corvale
