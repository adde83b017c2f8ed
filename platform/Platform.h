#pragma once

#include <QString>
#include <QStringList>

#include <cstddef>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

class QIODevice;
class QLockFile;

namespace corvale {

// The answer to a Yes/No question. Withdrawn means the person pressed Esc or closed the box:
// the question is taken back, and nothing may follow from it.
enum class Answer { Yes, No, Withdrawn };

// Whether Esc and the box's close button withdraw a question, or do nothing, so that the box
// waits for Yes or No.
enum class Escape { Withdraws, Ignored };

// No file larger than this is ever read: a scansion file's offsets are counted in 32 bits, and
// no real text file of the program's comes near it.
inline constexpr std::int64_t kLargestReadableFile = std::int64_t{2} << 30;

// Thrown by Platform::EndProgram. Only the boundary of an event handler (or of start-up)
// catches it, so nothing after the call that ended the program runs.
struct ProgramEnded {};

// Everything the program takes from the outside world: message boxes, the program's folder,
// ending the program, and the text files in that folder. The window library supplies the real
// one; tests supply a scripted one. Files are plain bytes: rows end at CR LF or a lone LF on
// reading, and always with CR LF on writing.
class Platform {
public:
    // One file of a save: its name and its new bytes.
    struct FileBytes {
        std::string_view name;
        std::string_view bytes;
    };

    Platform();
    virtual ~Platform();

    // A modal box titled "Corvale", without icon, with an OK button only.
    virtual void ShowMessage(const QString& text) = 0;
    // A modal box titled "Corvale", without icon, with Yes and No (no Cancel button). Only a
    // click on No, Alt+N or N answers No.
    virtual Answer AskYesNo(const QString& text, Escape escape) = 0;
    // The program's folder, without a trailing separator: the working folder chosen at start.
    virtual QString ProgramFolder() const = 0;
    // A modal box titled "Corvale", without icon, with a button for each answer in order. The
    // last answer is the one that takes the question back: Esc and the close button give it.
    // Returns the index of the answer given; without a window (the default), the last.
    virtual std::size_t AskChoice(const QString& text, const std::vector<QString>& answers);
    // A modal box asking for one line of text, which starts as `initial`; nullopt when the
    // person cancelled, as happens without a window (the default).
    virtual std::optional<QString> AskText(const QString& text, const QString& initial);
    // Modal file dialogs. Each gives the path chosen, or an empty text when the person
    // cancelled; without a window to show them on (the default), every dialog is cancelled.
    // A file to read, from any folder; `filter` as Qt's file dialogs take it. The dialog opens
    // in `startFolder`, or where the last file was read (at first, the working folder) when that
    // is empty. Under the first filter, files whose names `firstFilterLeavesOut` gives true for
    // are not listed.
    using NameTest = std::function<bool(const QString& fileName)>;
    virtual QString ChooseFileToRead(const QString& caption, const QString& filter,
                                     const QString& startFolder = QString(),
                                     const NameTest& firstFilterLeavesOut = {});
    // A name for a new file, starting at the path `proposed`. The dialog does not ask about
    // replacing a file that exists: the caller decides what a taken name means.
    virtual QString ChooseFileToWrite(const QString& caption, const QString& proposed);
    // The same for a file in one of several formats, `formats` listing them as Qt's filters, one
    // each, and `proposed` the path proposed under each; the dialog starts with format `format`
    // chosen, and the name follows the format shown as NameForFormat says. Gives the path and
    // the index of the format chosen then.
    struct FileChoice {
        QString path;
        int format = 0;
    };
    virtual FileChoice ChooseFileToWriteAs(const QString& caption, const QStringList& proposed,
                                           const QStringList& formats, int format);
    // How the window's title names the program's folder; empty when it names none, because the
    // folder is the executable's own.
    virtual QString FolderInTitle() const { return {}; }
    // Makes `folder` (absolute, clean) the program's folder, named `folderInTitle` in the
    // title, as a file opened in another folder does. False where the platform keeps the
    // folder it started with (the default).
    virtual bool MoveToFolder(const QString& folder, const QString& folderInTitle);
    // The folder where Corvale keeps what belongs to the user rather than to a working folder
    // (the recent files); empty when nothing is kept (the default).
    virtual QString UserFolder() const { return {}; }

    // Ends the program at once: the window closes, nothing more is written.
    [[noreturn]] void EndProgram();
    bool HasEnded() const { return ended_; }

    // From now on no file is changed: each function below that would write, rename, create or
    // remove one does nothing and answers as if it had (a new name: the first free candidate),
    // so that a run that only checks start-up decides and reports all it would, and writes
    // nothing. What keeps its own files outside the folder (the recent list) asks WritesNothing.
    void WriteNothing() { writesNothing_ = true; }
    bool WritesNothing() const { return writesNothing_; }

    // Path of a file in the program's folder: folder, "/", name. The name is bytes as held
    // by the program (see DecodeFileName).
    QString PathOf(std::string_view name) const;
    // The same for a name the file functions below may touch; nullopt for an empty or
    // untestable name, and for one that leaves the program's folder.
    std::optional<QString> PathInFolder(std::string_view name) const;

    // The file functions below name files relative to the program's folder; subfolders are
    // allowed. A name that is absolute or has a ".." component names no file: it is never
    // tested, read, written or created, and reads as missing. So no name from the memory file
    // or the file-name box reaches a file outside the program's folder.

    // True for an existing ordinary, non-hidden file; folders, hidden files, FIFOs and devices
    // do not count. nullopt when the name cannot be tested at all (it holds a NUL byte).
    virtual std::optional<bool> IsOrdinaryFile(std::string_view name) const;
    // What stands under a name: nothing at all (not even a link to nothing), an ordinary file
    // (hidden or not, through links), or anything else (a folder, a FIFO, a device, a link to
    // nothing, a name that cannot be asked about).
    enum class Occupant { Nothing, OrdinaryFile, Other };
    virtual Occupant WhatIsAt(std::string_view name) const;
    // The size the file system gives for an ordinary file, without reading it; nullopt for
    // anything else. The file may still change before it is read.
    virtual std::optional<std::int64_t> FileSize(std::string_view name) const;
    // The whole ordinary file as bytes, or nullopt when it cannot be opened or read or holds
    // more than kLargestReadableFile bytes.
    virtual std::optional<std::string> ReadWholeFile(std::string_view name) const;
    // The same with another limit. The limit is checked against the file's size before
    // reading, and again while reading, so a file that grows meanwhile is not taken either.
    std::optional<std::string> ReadAtMost(std::string_view name, std::int64_t mostBytes) const;
    // Replaces the file with these bytes atomically: a temporary file in the same folder is
    // written completely and only then renamed over the old one. On failure the old file is
    // untouched, no temporary stays behind, and false is returned.
    bool ReplaceFile(std::string_view name, std::string_view bytes);
    // Replaces several files as one save: every temporary file is written completely before
    // any of them is renamed, and they are renamed in the order given. A failure while writing
    // leaves every old file untouched; a failed rename leaves the files before it replaced and
    // the rest untouched. No temporary stays behind. False on any failure.
    virtual bool ReplaceFiles(std::span<const FileBytes> files);
    // The same, for rows that each get CR LF appended.
    bool WriteRows(std::string_view name, const std::vector<std::string>& rows);

    // Files that must survive a crash. None of these syncs the folder: after creating a file or
    // renaming one into a folder, call SyncFolderOf so that its name survives a power cut too.
    //
    // Appends the bytes to the file, creating it when missing, and has them on disk (flushed
    // and fdatasync'ed) before returning. False on any failure, a partial write included; the
    // file is then cut back to its former length where that can be done, so that the next
    // append does not follow a torn one.
    virtual bool AppendToFile(std::string_view name, std::string_view bytes);
    // Has the folder that holds the named file write its entries to disk.
    virtual bool SyncFolderOf(std::string_view name);
    // Removes the file. True when no file of that name is left, also when there was none.
    virtual bool RemoveFile(std::string_view name);
    // Renames the file to the first of the candidates that is free, never replacing an existing
    // file (a dangling link counts as taken). The name used, or nullopt when the file is missing
    // or could not be renamed (a candidate failed for another reason than being taken, or all
    // were taken).
    virtual std::optional<std::string> RenameToFreeName(std::string_view name,
                                                        std::span<const std::string> candidates);
    // Creates a new file with these bytes under the first of the candidates that is free, never
    // opening an existing one, and has it on disk before returning. The name used, or nullopt;
    // after a failure no file of this call is left.
    virtual std::optional<std::string> CreateNewFile(std::span<const std::string> candidates,
                                                     std::string_view bytes);
    // Holds the named file as this run's own, until another is held (an empty name holds none)
    // or the run ends; a run that ends without clean-up leaves a hold the next run takes over.
    // False only when another running Corvale holds it; where no hold can be made, true.
    virtual bool Hold(std::string_view name);

protected:
    // Called once by EndProgram before it throws: close the window, leave the event loop.
    virtual void OnEnd() = 0;
    // Writes all the bytes to a file being saved; false when they could not all be written.
    virtual bool WriteAll(QIODevice& file, std::string_view bytes);

private:
    // The first candidate nothing stands under, for WriteNothing.
    std::optional<std::string> FirstFree(std::span<const std::string> candidates) const;

    bool ended_ = false;
    bool writesNothing_ = false;
    std::unique_ptr<QLockFile> held_;
};

// Splits file bytes into rows. A row ends at LF; a CR right before that LF belongs to the
// line end. A final row without a line end is still a row; an empty file has no rows.
class RowCursor {
public:
    explicit RowCursor(std::string_view bytes) : rest_(bytes) {}
    bool AtEnd() const { return rest_.empty(); }
    // The next row without its line end. Precondition: !AtEnd().
    std::string_view Next();

private:
    std::string_view rest_;
};

// Renames a file without ever replacing what stands at the new name, even a link to nothing.
// Qt's rename avoids replacing, but when the system's rename fails it falls back to copying,
// which writes through a link standing at the new name, or over a file that appeared meanwhile;
// the system's no-replace rename never does, and where a file system does not offer it, a hard
// link and an unlink do the same. Paths may lie anywhere. False when nothing was renamed.
bool RenameWithoutReplacing(const QString& from, const QString& to);

// File names are held as bytes; this gives the name the file system is asked for.
QString DecodeFileName(std::string_view name);
std::string EncodeFileName(const QString& name);

// The name a dialog of several formats shows once the format shown changes from `from` to `to`:
// while the name is still the one proposed for `from` (the file name, whatever its extension,
// which a dialog may already have changed), the one proposed for `to`; a name the person typed
// stays. So an export switched from syllables to verse lines is not left named ".syllables.csv".
QString NameForFormat(const QStringList& proposed, int from, int to, const QString& shownName);

}  // namespace corvale
