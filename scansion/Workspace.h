#pragma once

#include "platform/Platform.h"
#include "platform/TextCodec.h"
#include "scansion/Journal.h"
#include "scansion/LineWatcher.h"
#include "scansion/Store.h"
#include "scansion/TabScan.h"

#include <cstddef>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace corvale {

// The program's state apart from its widgets, with the procedures that move it between the
// files and memory: the memory file, the two passes over the scansion file, the meter file, and
// saving. The window holds one and hears of its changes through OnModifiedChanged. Nothing
// here includes a widget header.
class Workspace {
public:
    explicit Workspace(Platform& platform) : platform_(platform) {}
    Workspace(const Workspace&) = delete;
    Workspace& operator=(const Workspace&) = delete;

    Platform& GetPlatform() const { return platform_; }

    // Whether the working file may be left: not at all, with nothing lost, or giving up unsaved
    // corrections.
    enum class Leaving { Stay, Go, GoDiscarding };

    // Settings, read from and written to the memory file.
    std::string WorkingFileName;  // bytes, relative to the program's folder
    std::int32_t LastLineDone = 0;
    std::int32_t MaximumStress = 0;
    std::int32_t MinimumStress = 0;
    std::int32_t MaximumJuncture = 0;
    std::int32_t MinimumJuncture = 0;
    std::int32_t SpacingOfButtons = 0;  // twips

    // The store's sizes, set by the survey. MaximumNumberOfSyllables only grows in a run.
    std::int32_t NumberOfLines = 0;
    std::int32_t MaximumNumberOfSyllables = 0;

    // The store's texts (rows 0..NumberOfLines, positions 0..MaximumNumberOfSyllables).
    std::string_view LineText(std::int32_t j) const { return store_.LineText(j); }
    std::string_view Syllables(std::int32_t j, std::int32_t k) const;
    std::string_view Stresses(std::int32_t j, std::int32_t k) const;
    std::string_view Junctures(std::int32_t j, std::int32_t k) const;
    std::string_view Comments(std::int32_t j) const { return store_.Comment(j); }
    Store& GetStore() { return store_; }
    const Store& GetStore() const { return store_; }

    // The working copy of the line on screen, positions 0..MaximumNumberOfSyllables.
    std::vector<std::string> CurrentSyllables;
    std::vector<std::string> CurrentStresses;
    std::vector<std::string> CurrentJunctures;
    std::int32_t CurrentLine = 0;  // the store row on screen

    // The meter of the working file, read at start-up and at every switch.
    std::string MeterLine;
    std::int32_t NumberOfMeterSymbols = 0;

    // How the scansion file's bytes are shown and how typed text is stored back.
    Encoding TextEncoding = Encoding::Utf8;

    // Memory file "RememberEarlierRun.txt". Reading absorbs every failure; it returns whether
    // the file named a working file (an empty name included). Writing returns false when the
    // file could not be replaced; the old file is then untouched.
    bool ReadMemoryFile();
    bool WriteMemoryFile();
    // For a file opened by its name rather than through the memory file: WorkingFileName becomes
    // `name`, the memory file's settings apply as ReadMemoryFile applies them, and its name is
    // never checked. Returns the line the memory file remembers when it names `name`.
    std::optional<std::int32_t> ReadMemoryFileFor(const std::string& name);
    // The line the memory file remembers for `name`, when it names that file; changes nothing.
    std::optional<std::int32_t> RememberedLineOf(const std::string& name) const;
    // The memory file's fourteen rows, resuming at CurrentLine.
    std::string MemoryFileBytes() const;

    // Loading the scansion file named by WorkingFileName: the survey, sizing, the records.
    // A missing file, and one without a filled row, give an empty store of 0 verse lines. A
    // file that cannot be read or is malformed is reported through one of the two functions
    // below, before anything is written.
    void SurveyFile();
    void SizeStore();
    // Raises MaximumNumberOfSyllables to m, keeping every verse line's values and the working
    // copy; a smaller m changes nothing.
    void WidenLines(std::int32_t m);
    void LoadRecords();
    // The three in that order, as start-up and a file switch load a file. A loaded file holds
    // no unsaved corrections. False when the survey refused the file during a switch: then
    // nothing has changed.
    bool LoadScansionFile();
    // The loader's two ways of turning a file down. RefuseFile is for a file the survey
    // will not take (too large, too wide, unreadable, an impossible number of verse lines). It
    // is called before the survey has changed anything, and the survey returns right
    // after it, so NumberOfLines, MaximumNumberOfSyllables and the store stay as they were: at
    // start-up it shows the message and ends the program; during a switch it shows the message
    // and the user stays on the current file. EndOnBadFile is for a fault LoadRecords finds
    // in a record, when the store has already been remade: it shows the message and ends the
    // program, during a switch after the memory file names the file left behind again.
    void RefuseFile(const QString& message);
    void EndOnBadFile(const QString& message);

    // A switch to another scansion file, apart from the window. The memory file names the new
    // file and is read back, so its cautions and fallback apply as at start-up; the file is
    // loaded; corrections given up at the switch (`leaving`) leave the old file's journal; a
    // journal left for the new file is offered back. Returns the line to show, or nullopt when
    // the user stays on the current file, unchanged: the memory file could not be written, or
    // the new file was refused (the memory file then names the current file again).
    // `openAt`, when given, is the line the new file opens at and the memory file records,
    // instead of the line on screen in the file being left. The new file's meter (MeterFileFor)
    // replaces MeterLine and NumberOfMeterSymbols; a file without one is turned down like a
    // refused file, with a message.
    std::optional<std::int32_t> SwitchWorkingFile(const std::string& name, Leaving leaving,
                                                  std::optional<std::int32_t> openAt = {});

    // Where a file opened by its path lies: its folder (absolute and clean), how the title
    // names that folder, and the file's name there.
    struct FilePlace {
        QString folder;
        QString folderInTitle;
        std::string name;
    };
    // A switch to a file chosen by its path (Open..., Open Recent, a drop). It opens at the line
    // the folder's memory file remembers for it, else at `line`. A file in another folder than
    // the program's makes that folder the program's, as if the program had started there on
    // it: first the memory file of the folder left records the file and line left; then that
    // folder's memory file gives the bounds of the values (the spacing stays, unless there was
    // none). Otherwise it is SwitchWorkingFile. When the user stays, the folder and the
    // settings are as they were, and the other folder's memory file is as it was.
    std::optional<std::int32_t> OpenFileAt(const FilePlace& place, Leaving leaving,
                                           std::int32_t line);

    // The meter file that applies to a scansion file: its own (OwnMeterFileName) when that is
    // an ordinary file, "meter.txt" in the program's folder otherwise; nullopt when neither is.
    std::optional<std::string> MeterFileFor(std::string_view scansionFileName) const;
    // Asked about a scansion file that has no meter: true once the user has given one, which
    // the file's own meter file now holds; false when they gave none.
    using MeterQuestion = std::function<bool(const std::string& scansionFileName)>;
    void OnNoMeter(MeterQuestion ask) { askForMeter_ = std::move(ask); }
    // Reads the meter of WorkingFileName's meter file. Without a scansion file to open the meter
    // may be missing: it is then empty. A scansion file without one is asked about (OnNoMeter);
    // false when the user gave no meter. Without that question, or with a meter file that
    // cannot be read, the user is told and the program ends.
    bool ReadMeterFile();

    // A scansion file is loaded (it may hold no verse line): false in the window with no file.
    bool HasFile() const { return fileIdentity_.has_value(); }
    // No working file any more: an empty store and an empty meter, as a start-up whose file got
    // no meter leaves it.
    void CloseFile();

    // The whole store in the scansion file's format, rows ending in CR LF.
    std::string ScansionFileBytes() const;
    // Replaces the scansion file with ScansionFileBytes(); false on failure, old file intact.
    bool WriteScansionFile();

    // Unsaved corrections: the store is modified from the first commit that changes a verse
    // line until a save succeeds or a file is loaded.
    bool IsModified() const { return modified_; }
    // Verse line j was changed by a commit since the file was loaded or saved.
    bool IsLineChanged(std::int32_t j) const;
    std::int32_t ChangedLineCount() const { return changedLineCount_; }

    // One save: the scansion file and the memory file (resuming at CurrentLine), every byte of
    // both written before either is renamed into place. On success the store is no longer
    // modified and the journal is gone. On failure nothing changes and nothing is said.
    //
    // The scansion file is replaced only where its name holds what was loaded or last saved,
    // or nothing at all. Anything else there (a file changed or put there by something else, a
    // hidden file that was never loaded, a folder, a FIFO, a link to nothing) is left alone:
    // unsaved corrections then go to a new visible NAME.unsaved-corrections.txt beside it, the
    // user is told, and the save counts as not done (KeptAside). With nothing unsaved in such a
    // case, only the memory file is written; without a working file name, nothing is.
    enum class SaveResult { Saved, Failed, KeptAside };
    SaveResult SaveFiles();

    // The crash journal of the working file (scansion/Journal.h). While the store is modified,
    // every commit that changes it is appended there and synced to disk before the next line
    // is shown; a save, or an explicit No to saving, removes it. At a load, a journal left by a
    // crash is offered back (OfferJournal): the line to show when its corrections were restored.
    std::optional<std::int32_t> OfferJournal();
    // Removes the working file's journal: its corrections are saved or given up.
    void DeleteJournal();

    // Exit: asks "Save changes?"; Yes saves and ends the program; No ends it without writing; a
    // withdrawn question changes nothing. If saving fails, says so and returns with nothing
    // changed.
    void Exit();
    // Save, without leaving and without asking. A failure is reported; nothing changes then.
    void Save();
    // Whether the window may close now. With unsaved corrections the user is asked first: Yes
    // saves (a failed save is reported and keeps the window), No discards, a withdrawn question
    // keeps the window. Without unsaved corrections it may close at once, writing nothing.
    bool QueryClose();
    // What leaving the working file for another comes to. With unsaved corrections the user is
    // asked first: Yes saves (a failed save is reported, and the user stays), No discards them,
    // a withdrawn question stays.
    Leaving QuerySwitch();

    // Copies positions 1..MaximumNumberOfSyllables of the working copy and the given comment
    // bytes into store row CurrentLine. True when that changed a verse line (row 0 never counts):
    // the store is then modified, and the line is journaled with the line shown next (the
    // following line, or this one at the last).
    bool CommitWorkingCopy(std::string_view comment);

    // `call` is called whenever IsModified() turns true or false.
    void OnModifiedChanged(std::function<void()> call) { modifiedChanged_ = std::move(call); }
    // `watcher` hears of every commit and restore that changes a verse line, and of every load;
    // nullptr for none. It must stay until it is replaced or the workspace goes.
    void WatchLines(LineWatcher* watcher) { lineWatcher_ = watcher; }

private:
    // The scansion file as the survey read it, with what it learnt of it. LoadRecords in the
    // same load takes it rather than reading and scanning the file again, and lets it go.
    struct SurveyedFile {
        std::string name;
        std::string bytes;
        std::optional<TabIndex> index;  // none when nothing is held
        Encoding encoding = Encoding::Utf8;
        std::size_t textBytes = 0;  // about what the store will hold: bytes and texts
        std::size_t texts = 0;
    };

    // The row as the working copy and this comment would leave it differs from the store's.
    bool WorkingCopyDiffers(std::string_view comment) const;
    void SetModified(bool modified);
    // The scansion file's name holds what was loaded or last saved, or nothing at all.
    bool MaySaveOverWorkingFile() const;
    SaveResult KeepCorrectionsAside();
    void MarkLineChanged(std::int32_t j);
    Leaving AskBeforeLeaving(const char* failedSaveMessage);
    void ForgetChanges();

    // Where the working file's journal stands.
    struct JournalState {
        bool open = false;      // on disk, holding every correction since the load or save
        bool broken = false;    // a write failed: the next commit writes it afresh, whole
        bool disabled = false;  // a journal that could not be applied is still in its place
        bool warned = false;    // the user was told it cannot be kept
    };
    // A meter file's first row and its count of symbols.
    struct MeterRow {
        std::string line;
        std::int32_t symbols = 0;
    };
    // The meter of WorkingFileName; without one, declined when the user was asked and gave
    // none, otherwise after a message saying why there is none.
    struct MeterRead {
        std::optional<MeterRow> row;
        bool declined = false;
    };
    MeterRead ReadMeterOfWorkingFile();
    // The memory file's values in row order, as far as they could be read.
    struct Remembered {
        std::optional<std::string> name;     // trimmed of spaces
        std::int32_t lastLine = 1;           // 1 unless every value was read
        std::vector<std::int32_t> settings;  // MaximumStress... in row order, up to a failure
        bool whole = false;                  // every value was read
        // lastLine, when the memory file is whole and names `file`.
        std::optional<std::int32_t> LineOf(std::string_view file) const;
    };
    // nullopt when there is no memory file, or it cannot be read.
    std::optional<Remembered> ReadRemembered() const;
    void AdoptSettings(const std::vector<std::int32_t>& settings);
    // After a switch that did not happen, the memory file names the file that stayed; or, when
    // that was no file or lies in another folder, it is as it was before the switch.
    void PutBackMemoryFile();
    void JournalCommit(std::int32_t line, std::int32_t lineShownAfter);
    // The content a journal of this file's corrections applies to: the bytes last loaded or
    // saved, the empty content when there was no file.
    ContentIdentity JournaledIdentity() const;
    // The header and a record for every changed line, `last` (if changed) last of all.
    std::string WholeJournal(std::int32_t last, std::int32_t lineShownAfter) const;
    void WarnJournalLost();
    // Moves a journal that cannot be applied to a visible name beside the file, and says so.
    void KeepJournalAside(const std::string& journal);

    Platform& platform_;
    Store store_;
    SurveyedFile surveyed_;
    // The bytes last loaded or saved; none when there was no file to load.
    std::optional<ContentIdentity> fileIdentity_;
    JournalState journal_;
    // During a switch, the file and line the memory file named before it, and the memory
    // file's bytes when they are to be put back as they were (none: there was no memory file).
    struct SwitchOrigin {
        std::string name;
        std::int32_t line = 0;
        bool putBackBytes = false;
        std::optional<std::string> memoryBytes;
    };
    std::optional<SwitchOrigin> switchOrigin_;
    bool movingFolder_ = false;  // the switch runs in a folder the program moved to for it
    MeterQuestion askForMeter_;
    bool refused_ = false;  // the survey turned the file down during a switch
    bool modified_ = false;
    std::function<void()> modifiedChanged_;
    LineWatcher* lineWatcher_ = nullptr;
    std::vector<bool> changedLines_;  // by row, 0..NumberOfLines
    std::int32_t changedLineCount_ = 0;
};

// File names.
inline constexpr char kMemoryFileName[] = "RememberEarlierRun.txt";
inline constexpr char kMeterFileName[] = "meter.txt";
inline constexpr char kFallbackFileName[] = "in.txt";

}  // namespace corvale
