#include "startup/Start.h"

#include "startup/Files.h"

#include <QDir>

#include <algorithm>

namespace corvale::startup {

Started OpenAtStart(Workspace& work, const std::optional<StartFile>& file,
                    const RecentFiles& recent) {
    const QString folder = work.GetPlatform().ProgramFolder();
    Started started;
    if (file && !file->poem) {
        const std::optional<std::int32_t> remembered =
            work.ReadMemoryFileFor(EncodeFileName(file->name));
        work.LastLineDone =
            remembered.value_or(recent.LineOf(QDir(folder).filePath(file->name)).value_or(1));
    } else {
        if (file) {
            started.poem = QDir(folder).filePath(file->name);
        }
        if (!work.ReadMemoryFile()) {
            if (const std::optional<QString> newest = NewestScansionFile(folder)) {
                work.WorkingFileName = EncodeFileName(*newest);
            }
        }
    }
    work.LoadScansionFile();
    if (!work.ReadMeterFile()) {
        work.CloseFile();
    }
    // Corrections a crash left in the journal come back first, with the line they were at.
    const std::optional<std::int32_t> restored = work.OfferJournal();
    // A memory file may remember a line of a longer version of the file: show the last.
    started.line =
        restored.value_or(std::clamp(work.LastLineDone, 0, std::max(work.NumberOfLines, 0)));
    return started;
}

}  // namespace corvale::startup
