#pragma once

// The scansion file being worked on: its verse lines as committed, how its bytes are shown, its
// meter, the lines changed since it was loaded or saved, saving it, and its crash journal. Any
// number of watchers hear what changes (scansion/DocumentWatcher.h). Nothing here includes a
// widget header.

#include "platform/Platform.h"
#include "platform/TextCodec.h"
#include "scansion/DocumentWatcher.h"
#include "scansion/Journal.h"
#include "scansion/MeterFile.h"
#include "scansion/ScansionFile.h"
#include "scansion/Store.h"

#include <algorithm>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace corvale {

// The values of one verse line, positions 1..n of each kind.
struct LineValues {
    std::span<const std::string> syllables;
    std::span<const std::string> stresses;
    std::span<const std::string> junctures;
};

class Document {
public:
    explicit Document(Platform& platform) : platform_(platform) {}
    Document(const Document&) = delete;
    Document& operator=(const Document&) = delete;

    // The file's name, as bytes relative to the working folder; it may name no file yet.
    const std::string& FileName() const { return name_; }
    // A scansion file is loaded (it may hold no verse line): false with no file.
    bool HasFile() const { return identity_.has_value(); }
    Encoding TextEncoding() const { return encoding_; }
    // The main meter's row; empty, of no symbols, while there is none.
    const MeterFileRow& Meter() const { return meters_.front(); }
    // Every meter of the file, the main meter first (MeterFileRows): never none.
    const std::vector<MeterFileRow>& Meters() const { return meters_; }
    void SetMeters(std::vector<MeterFileRow> meters);

    // Verse lines 1..NumberOfLines(), positions 1..Positions(); row 0 holds no verse line.
    std::int32_t NumberOfLines() const { return store_.NumberOfLines(); }
    // The most syllable positions a line may hold; it only grows in a run.
    std::int32_t Positions() const { return positions_; }
    std::string_view LineText(std::int32_t j) const { return store_.LineText(j); }
    std::string_view Syllable(std::int32_t j, std::int32_t k) const;
    std::string_view Stress(std::int32_t j, std::int32_t k) const;
    std::string_view Juncture(std::int32_t j, std::int32_t k) const;
    std::string_view Comment(std::int32_t j) const { return store_.Comment(j); }
    const Store& GetStore() const { return store_; }

    // A loaded file takes the place of what was held, under `name`, with no unsaved
    // corrections; its store is at least Positions() wide. Watchers hear of the load.
    void Take(std::string name, LoadedScansion&& file);
    // No file at `name` (or no name at all): no verse line, as a missing file is read.
    void TakeNoFile(std::string name);
    // No file and no meter, and no positions either.
    void Close();
    // Raises Positions() to m, keeping every verse line's values; a smaller m changes nothing.
    void Widen(std::int32_t m);

    // Unsaved corrections: the document is modified from the first commit that changes a
    // verse line until a save succeeds or a file is loaded.
    bool IsModified() const { return modified_; }
    // Verse line j was changed by a commit since the file was loaded or saved.
    bool IsLineChanged(std::int32_t j) const;
    std::int32_t ChangedLineCount() const { return changedLineCount_; }

    // Copies these values, up to Positions() of each kind, and the comment's bytes into row j.
    // True when that changed a verse line (row 0 never counts): the document is then modified,
    // and the line is journaled with the line shown after it.
    bool Commit(std::int32_t j, const LineValues& values, std::string_view comment,
                std::int32_t lineShownAfter);

    // Verse line j was committed by hand since the file was loaded, whether that changed it or
    // not: the metrist has read it and let it stand.
    bool IsLineCommittedByHand(std::int32_t j) const;

    // A verse line's values and comment, bytes as the store holds them, positions 1..n.
    struct LineRecord {
        std::int32_t line = 0;
        std::vector<std::string> syllables;
        std::vector<std::string> stresses;
        std::vector<std::string> junctures;
        std::string comment;
        bool operator==(const LineRecord&) const = default;
    };
    // Replaces these verse lines outright, not as commits of the metrist's: the first pass's
    // rescan of lines nobody touched. The document widens to the widest; lines outside the file
    // and lines it would not change are passed over. The lines changed go to the journal as one
    // step, in one write, each recorded as a commit records it, so that a crash loses none and
    // a restore replays them; the last names `lineShownAfter`. What they held is kept for
    // UndoReplacement until the next commit or load. Returns how many lines changed.
    std::int32_t Replace(std::span<const LineRecord> lines, std::int32_t lineShownAfter);
    // A replacement is there to undo: none since, no commit or load came after it.
    bool CanUndoReplacement() const { return !replaced_.empty(); }
    // Puts every line of the last replacement back as it was, byte for byte, as one step of
    // the journal again. Returns how many lines that changed.
    std::int32_t UndoReplacement(std::int32_t lineShownAfter);

    // The whole store in the scansion file's format, rows ending in CR LF.
    std::string ScansionFileBytes() const;
    // One save: the scansion file, and `alongside` (the memory file), every byte of both
    // written before either is renamed into place. On success the document is no longer
    // modified and the journal is gone. On failure nothing changes and nothing is said.
    //
    // The scansion file is replaced only where its name holds what was loaded or last saved,
    // or nothing at all. Anything else there (a file changed or put there by something else, a
    // hidden file that was never loaded, a folder, a FIFO, a link to nothing) is left alone:
    // unsaved corrections then go to a new visible NAME.unsaved-corrections.txt beside it, the
    // user is told, and the save counts as not done (KeptAside); a save with nothing corrected
    // since names the same file again and makes no other. With nothing unsaved in such a
    // case, only `alongside` is written; without a file name, nothing is. `currentLine` is the
    // line on screen, which kept corrections name last.
    enum class SaveResult { Saved, Failed, KeptAside };
    SaveResult Save(const Platform::FileBytes& alongside, std::int32_t currentLine);

    // The crash journal (scansion/Journal.h). While the document is modified, every commit
    // that changes it is appended there and synced to disk before the next line is shown; a
    // save, or an explicit No to saving, removes it. At a load, a journal left by a crash is
    // offered back (OfferJournal): the line to show when its corrections were restored.
    std::optional<std::int32_t> OfferJournal();
    // Removes the journal: its corrections are saved or given up.
    void DeleteJournal();
    // The journal of this file is this run's own, so giving up its corrections may remove it;
    // false while a journal that could not be applied stands in its place.
    bool OwnsJournal() const { return !journal_.disabled; }

    // `watcher` hears of every change until it is removed; it must be removed before it goes.
    void AddWatcher(DocumentWatcher* watcher);
    void RemoveWatcher(DocumentWatcher* watcher);

private:
    // A watcher may remove itself, or another, while it hears.
    template <typename Call>
    void Tell(Call call) {
        const std::vector<DocumentWatcher*> watchers = watchers_;
        for (DocumentWatcher* watcher : watchers) {
            if (std::find(watchers_.begin(), watchers_.end(), watcher) != watchers_.end()) {
                call(*watcher);
            }
        }
    }
    void Loaded();
    bool Differs(std::int32_t j, const LineValues& values, std::string_view comment) const;
    void SetModified(bool modified);
    void ForgetChanges();
    void MarkLineChanged(std::int32_t j);
    bool MaySaveOver() const;
    SaveResult KeepCorrectionsAside(std::int32_t currentLine);

    // Where the journal stands.
    struct JournalState {
        bool open = false;      // on disk, holding every correction since the load or save
        bool broken = false;    // a write failed: the next commit writes it afresh, whole
        bool disabled = false;  // a journal that could not be applied is still in its place
        bool warned = false;    // the user was told it cannot be kept
    };
    void JournalCommit(std::int32_t line, std::int32_t lineShownAfter);
    // The lines as one step: appended in one write, or the whole journal written afresh.
    void JournalLines(std::span<const std::int32_t> lines, std::int32_t lineShownAfter);
    std::int32_t Put(std::span<const LineRecord> lines, std::int32_t lineShownAfter);
    LineRecord RecordOf(std::int32_t j) const;
    // The content a journal of this file's corrections applies to: the bytes last loaded or
    // saved, the empty content when there was no file.
    ContentIdentity JournaledIdentity() const;
    // The header and a record for every changed line, `last` (if changed) last of all.
    std::string WholeJournal(std::int32_t last, std::int32_t lineShownAfter) const;
    void WarnJournalLost();
    // Moves a journal that cannot be applied to a visible name beside the file, and says so.
    void KeepJournalAside(const std::string& journal);

    Platform& platform_;
    std::string name_;
    Store store_;
    std::int32_t positions_ = 0;
    Encoding encoding_ = Encoding::Utf8;
    std::vector<MeterFileRow> meters_{1};
    // The bytes last loaded or saved; none when there was no file to load.
    std::optional<ContentIdentity> identity_;
    JournalState journal_;
    bool modified_ = false;
    std::vector<bool> changedLines_;  // by row, 0..NumberOfLines
    std::int32_t changedLineCount_ = 0;
    std::vector<bool> committedLines_;  // by row: IsLineCommittedByHand
    std::vector<LineRecord> replaced_;  // what the last replacement changed, as it was
    // Of the last replacement's lines, those no commit had changed before it.
    std::vector<std::int32_t> unchangedBeforeReplacing_;
    // Where every unsaved correction was last kept aside, until the next change or save.
    std::optional<std::string> keptIn_;
    std::vector<DocumentWatcher*> watchers_;
};

}  // namespace corvale
