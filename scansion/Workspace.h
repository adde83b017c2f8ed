#pragma once

#include "platform/Platform.h"
#include "scansion/Document.h"
#include "scansion/MemorySettings.h"

#include <QString>

#include <cstdint>
#include <functional>
#include <optional>
#include <string>

namespace corvale {

// Ties the memory file's settings and the document together, with the line on screen: start-up
// loads what the memory file names, a switch moves to another file through the memory file,
// leaving asks about unsaved corrections, and every question goes through the Platform. The
// window holds one. Nothing here includes a widget header.
class Workspace {
public:
    explicit Workspace(Platform& platform)
        : platform_(platform), settings_(platform), document_(platform) {}
    Workspace(const Workspace&) = delete;
    Workspace& operator=(const Workspace&) = delete;

    Platform& GetPlatform() const { return platform_; }
    MemorySettings& Settings() { return settings_; }
    const MemorySettings& Settings() const { return settings_; }
    Document& Doc() { return document_; }
    const Document& Doc() const { return document_; }

    // The store row on screen: the line a commit goes to and the memory file resumes at.
    std::int32_t CurrentLine() const { return currentLine_; }
    void SetCurrentLine(std::int32_t line) { currentLine_ = line; }

    // Loads the file the settings name into the document. A missing file, and one without a
    // filled row, give a document of 0 verse lines. A file that cannot be read or is not taken
    // is reported before the document changes: at start-up the program then ends; during a
    // switch the user stays on the current file and false is returned. A bad record ends the
    // program, during a switch once the memory file names the file left behind again.
    bool LoadWorkingFile();

    // Asked about a scansion file that has no meter: true once the user has given one, which
    // the file's own meter file now holds; false when they gave none.
    using MeterQuestion = std::function<bool(const std::string& scansionFileName)>;
    void OnNoMeter(MeterQuestion ask) { askForMeter_ = std::move(ask); }
    // Reads the meter of the working file into the document (MeterFileFor, with the working
    // folder's meter.txt last). Without a scansion file to open the meter may be missing: it is
    // then empty. A scansion file without one is asked about (OnNoMeter); false when the user
    // gave no meter. Without that question, or with a meter file that cannot be read, the user
    // is told and the program ends.
    bool ReadMeterFile();
    // No working file any more: no verse lines, positions or meter, as a start-up whose file
    // got no meter leaves it.
    void CloseFile();

    // Whether the working file may be left: not at all, with nothing lost, or giving up unsaved
    // corrections.
    enum class Leaving { Stay, Go, GoDiscarding };

    // A switch to another scansion file. The memory file names the new file and is read back,
    // so its cautions and fallback apply as at start-up; the file is loaded; corrections given
    // up at the switch (`leaving`) leave the old file's journal; a journal left for the new file
    // is offered back. Returns the line to show, or nullopt when the user stays on the current
    // file, unchanged: the memory file could not be written, or the new file was refused (the
    // memory file then names the current file again). `openAt`, when given, is the line the new
    // file opens at and the memory file records, instead of the line on screen in the file
    // being left. A file without a meter is turned down like a refused file, with a message.
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

    // Commits these values and the comment's bytes into the line on screen
    // (Document::Commit); the line shown after it is the next one, or this one at the last.
    bool CommitLine(const LineValues& values, std::string_view comment);

    // The line on screen as the window holds it: whether it has changes its last commit does
    // not, and how to commit them while it stays on screen. Saving, and leaving with Yes, keep
    // them as a commit would, and leaving asks about them as about committed corrections: a
    // value or a comment on screen is never dropped without a question.
    struct LineOnScreen {
        std::function<bool()> changed;
        std::function<void()> commit;
    };
    void OnLineOnScreen(LineOnScreen line) { lineOnScreen_ = std::move(line); }

    // One save of the document with the memory file, resuming at the line on screen
    // (Document::Save).
    Document::SaveResult SaveFiles();
    // Exit: asks "Save changes?"; Yes saves, the line on screen too, and ends the program; No ends
    // it without writing; a withdrawn question changes nothing. If saving fails, says so and
    // returns with nothing changed. A save that kept the corrections aside (Document::Save) ends it
    // too: they are safe in that file, and the journal goes.
    void Exit();
    // Save, the line on screen too, without leaving and without asking. A failure is reported;
    // the line on screen is then committed, and the file as it was.
    Document::SaveResult Save();
    // Whether the window may close now. With unsaved corrections, committed or on screen, the
    // user is asked first: Yes saves (a failed save is reported and keeps the window;
    // corrections kept aside let it close, their journal gone), No discards, a withdrawn
    // question keeps the window. Without unsaved corrections it may close at once, writing
    // nothing.
    bool QueryClose();
    // What leaving the working file for another comes to. With unsaved corrections (committed
    // or on screen, as for QueryClose) the user is asked first: Yes saves (a failed save is
    // reported, and the user stays; corrections kept aside let the user go, as GoDiscarding),
    // No discards them, a withdrawn question stays.
    Leaving QuerySwitch();

private:
    // The meter of the working file; without one, declined when the user was asked and gave
    // none, otherwise after a message saying why there is none.
    struct MeterRead {
        std::optional<std::vector<MeterFileRow>> meters;
        bool declined = false;
    };
    MeterRead ReadMeterOfWorkingFile();
    // The name of the working file's meter file (MeterFileFor), when there is one.
    struct MeterFound {
        std::optional<std::string> name;
    };
    MeterFound FindMeter() const;
    // A file the loader will not take, before anything changed: at start-up the program ends;
    // during a switch the user stays.
    void RefuseFile(const QString& message);
    // A fault in a record: the program ends, during a switch once the memory file names the
    // file left behind again, so that the next start does not fail on this one.
    [[noreturn]] void EndOnBadFile(const QString& message);
    // After a switch that did not happen, the memory file names the file that stayed; or, when
    // that was no file or lies in another folder, it is as it was before the switch.
    void PutBackMemoryFile();
    Leaving AskBeforeLeaving(const char* failedSaveMessage);
    bool LineOnScreenChanged() const;
    // Commits the line on screen when it has changes, then saves.
    Document::SaveResult KeepLineAndSave();

    Platform& platform_;
    MemorySettings settings_;
    Document document_;
    std::int32_t currentLine_ = 0;
    // During a switch, the file and line the memory file named before it, and the memory
    // file's bytes when they are to be put back as they were (none: there was no memory file).
    struct SwitchOrigin {
        std::string name;
        std::int32_t line = 0;
        bool putBackBytes = false;
        std::optional<std::string> memoryBytes;
    };
    std::optional<SwitchOrigin> switchOrigin_;
    LineOnScreen lineOnScreen_;
    bool movingFolder_ = false;  // the switch runs in a folder the program moved to for it
    MeterQuestion askForMeter_;
};

}  // namespace corvale
