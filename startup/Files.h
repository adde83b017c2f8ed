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

// What opening a file by its path comes to (Open..., Open Recent, a drop, `corvale FILE`). A
// scansion file is opened, and so is the scansion file whose own meter file "NAME.meter.txt" is
// (NAME.txt, else another NAME.EXT); a file that cannot be read is opened too, so that the
// loader says why it cannot be. Any other of Corvale's own files (CorvalesOwnFile, the test
// corvale-scan passes them over by) is told for what it is, and never offered to Scan a poem;
// everything else is, as a poem.
struct Opening {
    enum class Action { OpenScansion, OfferScan, Tell };
    Action action = Action::OfferScan;
    QString path;     // the file to open or to scan
    QString message;  // Tell: what the file is, for a message box
};
Opening DecideOpening(const QString& path);
// Why a file of Corvale's own other than a scansion file is no poem to scan, for Scan a poem;
// nullopt for a scansion file (the first pass says it is one) and for any other file.
std::optional<QString> OwnFileNotAPoem(const QString& path);

// Among the folder's own "*.txt" files, the scansion file changed most recently; its name.
// Subfolders, hidden files, meter files ("meter.txt", "NAME.meter.txt") and kept corrections
// ("NAME.unsaved-corrections.txt", "...-2.txt") are passed over, and so are a name with a line
// break in it (the memory file could not hold it) and a file that cannot be read.
std::optional<QString> NewestScansionFile(const QString& folder);

}  // namespace corvale::startup
