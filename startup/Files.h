#pragma once

// What kind of file a path holds, and which scansion file a folder without a memory file opens.
// A scansion file is told by its first four rows (BeginsWithRecord): a file of another kind is
// told at once, however large, and a bad record further on is the loader's to report.

#include <QString>

#include <optional>

namespace corvale::startup {

enum class FileKind {
    Scansion,    // its first rows are a record
    Other,       // a poem, as far as Corvale can tell
    Unreadable,  // it could not be read; opening it as a scansion file says why
};
FileKind KindOfFile(const QString& path);

// Among the folder's own "*.txt" files, the scansion file changed most recently; its name.
// Subfolders, hidden files, meter files ("meter.txt", "NAME.meter.txt") and kept corrections
// ("NAME.unsaved-corrections.txt", "...-2.txt") are passed over, and so is a file that cannot
// be read.
std::optional<QString> NewestScansionFile(const QString& folder);

}  // namespace corvale::startup
