// Saving a document, and keeping its corrections aside where the file was changed meanwhile.

#include "scansion/Document.h"
#include "scansion/RecordFormat.h"

#include <algorithm>
#include <array>

namespace corvale {

std::string Document::ScansionFileBytes() const {
    return corvale::ScansionFileBytes(store_, positions_);
}

bool Document::MaySaveOver() const {
    switch (platform_.WhatIsAt(name_)) {
        case Platform::Occupant::Nothing:
            return true;
        case Platform::Occupant::OrdinaryFile:
            break;
        case Platform::Occupant::Other:
            return false;
    }
    const std::optional<std::string> bytes = platform_.ReadWholeFile(name_);
    return bytes && identity_ && IdentityOf(*bytes) == *identity_;
}

// Corrections kept aside once are not kept again until there is more to keep.
Document::SaveResult Document::KeepCorrectionsAside(std::int32_t currentLine) {
    if (!keptIn_) {
        keptIn_ = platform_.CreateNewFile(KeptNames(name_, kKeptNameCount),
                                          WholeJournal(currentLine, currentLine));
        if (!keptIn_) {
            return SaveResult::Failed;
        }
        platform_.SyncFolderOf(*keptIn_);
    }
    const std::string& kept = *keptIn_;
    platform_.ShowMessage(QStringLiteral("Corvale did not save your corrections over %1, because "
                                         "what is there now is not the file Corvale opened.  "
                                         "They are kept in %2.")
                              .arg(DecodeFileName(name_), DecodeFileName(kept)));
    return SaveResult::KeptAside;
}

Document::SaveResult Document::Save(const Platform::FileBytes& alongside,
                                    std::int32_t currentLine) {
    // The window with no file has nothing to save, and a memory file naming no file would only
    // bring its cautions to the next start.
    if (name_.empty()) {
        return SaveResult::Saved;
    }
    const bool withScansionFile = MaySaveOver();
    if (!withScansionFile && IsModified()) {
        return KeepCorrectionsAside(currentLine);
    }
    if (!withScansionFile) {
        // Nothing of this run's belongs in that file; only the place is kept.
        return platform_.ReplaceFile(alongside.name, alongside.bytes) ? SaveResult::Saved
                                                                      : SaveResult::Failed;
    }
    const std::string scansion = ScansionFileBytes();
    const std::array<Platform::FileBytes, 2> files = {Platform::FileBytes{name_, scansion},
                                                      alongside};
    if (!platform_.ReplaceFiles(files)) {
        return SaveResult::Failed;
    }
    identity_ = IdentityOf(scansion);
    // The journal goes only once the renames are on disk, so a crash in between leaves it
    // beside a file that already holds its corrections, which the next load recognises.
    platform_.SyncFolderOf(name_);
    platform_.SyncFolderOf(alongside.name);
    if (IsModified()) {
        DeleteJournal();
    }
    ForgetChanges();
    return SaveResult::Saved;
}

}  // namespace corvale
