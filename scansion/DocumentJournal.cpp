// Keeping a document's journal: appending each correction as it is committed, and offering a
// journal left by a crash back at the next load.

#include "scansion/Document.h"
#include "scansion/RecordFormat.h"

#include <algorithm>
#include <map>

namespace corvale {

ContentIdentity Document::JournaledIdentity() const {
    return identity_.value_or(IdentityOf({}));
}

std::string Document::WholeJournal(std::int32_t last, std::int32_t lineShownAfter) const {
    std::vector<std::int32_t> lines;
    for (std::int32_t j = 1; j <= NumberOfLines(); ++j) {
        if (j != last && IsLineChanged(j)) {
            lines.push_back(j);
        }
    }
    if (IsLineChanged(last)) {
        lines.push_back(last);
    }
    // Every record but the last names its own line as the one shown after it; restoring shows
    // the line the last one names.
    std::string bytes = JournalHeader(JournaledIdentity());
    for (std::size_t i = 0; i < lines.size(); ++i) {
        const std::int32_t shown = i + 1 == lines.size() ? lineShownAfter : lines[i];
        AppendJournalRecord(bytes, store_, lines[i], positions_, shown);
    }
    return bytes;
}

void Document::JournalCommit(std::int32_t line, std::int32_t lineShownAfter) {
    JournalLines(std::span(&line, 1), lineShownAfter);
}

void Document::JournalLines(std::span<const std::int32_t> lines, std::int32_t lineShownAfter) {
    if (lines.empty()) {
        return;
    }
    if (name_.empty() || journal_.disabled) {
        WarnJournalLost();
        return;
    }
    const std::string name = JournalName(name_);
    bool written = false;
    if (journal_.open && !journal_.broken) {
        // Every record but the last names its own line as the one shown after it, as a whole
        // journal does.
        std::string records;
        for (std::size_t i = 0; i < lines.size(); ++i) {
            const std::int32_t shown = i + 1 == lines.size() ? lineShownAfter : lines[i];
            AppendJournalRecord(records, store_, lines[i], positions_, shown);
        }
        written = platform_.AppendToFile(name, records);
    } else {
        // A fresh journal is written whole and renamed into place, so it never holds a header
        // alone, nor follows whatever a file of that name held before.
        written = platform_.ReplaceFile(name, WholeJournal(lines.back(), lineShownAfter)) &&
                  platform_.SyncFolderOf(name);
    }
    journal_.open = journal_.open || written;
    journal_.broken = !written;
    if (!written) {
        WarnJournalLost();
    }
}

void Document::WarnJournalLost() {
    if (journal_.warned) {
        return;
    }
    journal_.warned = true;
    platform_.ShowMessage(QStringLiteral("Corvale cannot keep a safety copy of your corrections "
                                         "to %1.  They are safe only once you save.")
                              .arg(DecodeFileName(name_)));
}

void Document::DeleteJournal() {
    if (!name_.empty() && !journal_.disabled) {
        platform_.RemoveFile(JournalName(name_));
    }
    journal_.open = false;
    journal_.broken = false;
}

void Document::KeepJournalAside(const std::string& journal) {
    const std::optional<std::string> kept =
        platform_.RenameToFreeName(journal, KeptNames(name_, kKeptNameCount));
    if (kept) {
        platform_.SyncFolderOf(*kept);
    } else {
        // It stays where it is; nothing may write over it while this file is open.
        journal_.disabled = true;
    }
    platform_.ShowMessage(QStringLiteral("Corvale found corrections to %1 that were never saved, "
                                         "but the file has changed since.  They were not "
                                         "applied; they are kept in %2.")
                              .arg(DecodeFileName(name_), DecodeFileName(kept.value_or(journal))));
}

std::optional<std::int32_t> Document::OfferJournal() {
    journal_ = JournalState();
    // The journal is held by one run at a time: another Corvale with the file open keeps its
    // own unsaved corrections there, which this run must neither restore nor write over.
    const bool held = platform_.Hold(name_.empty() ? std::string() : JournalName(name_) + ".lock");
    if (name_.empty()) {
        return std::nullopt;
    }
    if (!held) {
        journal_.disabled = true;
        journal_.warned = true;  // said here, once
        platform_.ShowMessage(
            QStringLiteral("%1 is open in another Corvale as well.  Corvale keeps no safety copy "
                           "of the corrections made here, and whichever saves second keeps its "
                           "corrections aside rather than overwrite the other's.  Close one of "
                           "them if you can.")
                .arg(DecodeFileName(name_)));
        return std::nullopt;
    }
    const std::string name = JournalName(name_);
    const std::optional<std::string> bytes = platform_.ReadWholeFile(name);
    if (!bytes) {
        switch (platform_.WhatIsAt(name)) {
            case Platform::Occupant::Nothing:
                break;
            case Platform::Occupant::OrdinaryFile:
                KeepJournalAside(name);  // unreadable here, but it may hold corrections
                break;
            case Platform::Occupant::Other:
                journal_.disabled = true;  // a folder or the like: no journal can go there
                break;
        }
        return std::nullopt;
    }
    const JournalContents contents = ReadJournal(*bytes);
    if (!contents.headerReadable) {
        KeepJournalAside(name);
        return std::nullopt;
    }
    // A journal whose corrections the file already holds (a crash between a save and the
    // journal's removal) has nothing to offer.
    if (contents.records.empty() || JournalMatchesStore(contents.records, store_)) {
        platform_.RemoveFile(name);
        return std::nullopt;
    }
    const std::int32_t positions = MostPositions(contents.records);
    if (contents.identity != JournaledIdentity() || positions > kMostPositions) {
        KeepJournalAside(name);
        return std::nullopt;
    }
    // Later records of a verse line win; lines beyond the file are not restored.
    std::map<std::int32_t, const JournalRecord*> lastOfLine;
    for (const JournalRecord& record : contents.records) {
        if (record.line >= 1 && record.line <= NumberOfLines()) {
            lastOfLine[record.line] = &record;
        }
    }
    std::vector<const JournalRecord*> corrections;
    for (const auto& [line, record] : lastOfLine) {
        if (!RecordMatchesStore(*record, store_)) {
            corrections.push_back(record);
        }
    }
    const auto count = static_cast<std::int32_t>(corrections.size());
    const QString lines =
        count == 1 ? QStringLiteral("1 verse line") : QStringLiteral("%1 verse lines").arg(count);
    const Answer answer = platform_.AskYesNo(
        QStringLiteral("Corvale ended last time without saving your corrections to %1 of %2.  "
                       "Restore them?")
            .arg(lines, DecodeFileName(name_)),
        Escape::Ignored);
    if (answer != Answer::Yes) {
        platform_.RemoveFile(name);
        return std::nullopt;
    }
    // A line split past the file's width made its records wider: the file widens with them.
    Widen(positions);
    for (const JournalRecord* record : corrections) {
        const std::int32_t j = record->line;
        Tell([&](DocumentWatcher& watcher) { watcher.LineChanging(store_, j); });
        RestoreRecord(store_, *record);
        Tell([&](DocumentWatcher& watcher) { watcher.LineChanged(store_, j); });
        MarkLineChanged(j);
    }
    const std::int32_t shown =
        std::clamp(contents.records.back().lineShownAfter, 0, NumberOfLines());
    // The journal stays and takes the next commits. Whatever damage followed its good records
    // would hide them, so then it is written afresh.
    journal_.open = !contents.damaged;
    journal_.broken = contents.damaged;
    if (contents.damaged) {
        JournalCommit(corrections.back()->line, shown);
    }
    return shown;
}

}  // namespace corvale
