#include "startup/Start.h"

#include "startup/Files.h"

#include <QDir>

#include <algorithm>

namespace corvale::startup {

Started OpenAtStart(Workspace& work, const std::optional<StartFile>& file,
                    const RecentFiles& recent) {
    const QString folder = work.GetPlatform().ProgramFolder();
    Started started;
    MemorySettings& settings = work.Settings();
    if (file && !file->poem) {
        const std::optional<std::int32_t> remembered = settings.ReadFor(EncodeFileName(file->name));
        settings.SetLastLineDone(
            remembered.value_or(recent.LineOf(QDir(folder).filePath(file->name)).value_or(1)));
    } else {
        if (file) {
            started.poem = QDir(folder).filePath(file->name);
        }
        if (!settings.Read()) {
            if (const std::optional<QString> newest = NewestScansionFile(folder)) {
                settings.SetWorkingFileName(EncodeFileName(*newest));
            }
        }
    }
    work.LoadWorkingFile();
    if (!work.ReadMeterFile()) {
        work.CloseFile();
    }
    // Corrections a crash left in the journal come back first, with the line they were at.
    const std::optional<std::int32_t> restored = work.Doc().OfferJournal();
    // A memory file may remember a line of a longer version of the file: show the last.
    started.line = restored.value_or(
        std::clamp(settings.LastLineDone(), 0, std::max(work.Doc().NumberOfLines(), 0)));
    return started;
}

}  // namespace corvale::startup
