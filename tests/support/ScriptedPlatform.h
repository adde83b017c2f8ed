#pragma once

#include "platform/Platform.h"

#include <QString>
#include <QTemporaryDir>

#include <cstddef>
#include <deque>
#include <optional>
#include <ostream>
#include <span>
#include <string>
#include <vector>

namespace corvale::test {

// A platform for tests: files live in a fresh temporary folder, every message is recorded,
// Yes/No questions are answered from a script, and ending the program is recorded (EndProgram
// then throws ProgramEnded, which the handler boundary catches). A scripted Withdrawn given to a
// question that cannot be withdrawn is recorded as a press of Esc that did nothing, and the box
// takes the next answer, as the real box waits.
class ScriptedPlatform : public Platform {
public:
    enum class Kind { Ok, YesNo, Choice, Text };
    struct Message {
        Kind kind;
        QString text;
        Escape escape = Escape::Withdraws;  // for questions
    };

    ScriptedPlatform();
    // The program's folder is then this subfolder of the temporary folder, so that a test can
    // put files just outside it and name them "../name".
    explicit ScriptedPlatform(const QString& programSubfolder);
    ~ScriptedPlatform() override { Hold({}); }  // the run's hold goes before its folder

    void ShowMessage(const QString& text) override;
    Answer AskYesNo(const QString& text, Escape escape) override;
    QString ProgramFolder() const override;

    // Answers for the next choices, as indices, and texts for the next text boxes (a null
    // QString cancels), in order. A box with nothing left fails the test (and is taken back).
    std::size_t AskChoice(const QString& text, const std::vector<QString>& answers) override;
    std::optional<QString> AskText(const QString& text, const QString& initial) override;
    void WillPick(std::vector<std::size_t> answers);
    void WillType(std::vector<QString> texts);

    // Moves as the running program does; the file helpers below then work in the new folder.
    bool MoveToFolder(const QString& folder, const QString& folderInTitle) override;
    QString FolderInTitle() const override { return folderInTitle_; }
    // A temporary folder of its own, apart from the program's.
    QString UserFolder() const override { return userFolder_.path(); }

    QString ChooseFileToRead(const QString& caption, const QString& filter,
                             const QString& startFolder,
                             const NameTest& firstFilterLeavesOut) override;
    QString ChooseFileToWrite(const QString& caption, const QString& proposed) override;
    // The format stays the one the dialog starts with.
    FileChoice ChooseFileToWriteAs(const QString& caption, const QStringList& proposed,
                                   const QStringList& formats, int format) override;
    // Paths for the next file dialogs, in order; an empty text cancels. A dialog with no path
    // left fails the test (and is cancelled).
    void WillChoose(std::vector<QString> paths);
    // The filter the next dialog of formats ends on; without one, the one it started on.
    void WillShowFormat(const QString& filter) { formats_.push_back(filter); }
    // Every file dialog shown: its caption and the path it started from (for reading, the
    // folder asked for, or ""), its filters and, for reading, the names its first filter leaves
    // out.
    struct Dialog {
        QString caption;
        QString proposed;
        QString filter;
        NameTest leavesOut;
    };
    const std::vector<Dialog>& Dialogs() const { return dialogs_; }

    // Answers for the next questions, in order. A question with no answer left fails the test
    // (and is withdrawn).
    void WillAnswer(std::vector<Answer> answers);
    int IgnoredEscapes() const { return ignoredEscapes_; }

    // The text each text box started with, in order.
    const std::vector<QString>& TextInitials() const { return textInitials_; }
    const std::vector<Message>& Messages() const { return messages_; }
    // Just the texts, for comparisons.
    std::vector<QString> MessageTexts() const;
    bool Ended() const { return HasEnded(); }
    int EndCount() const { return endCount_; }

    // Files in the program's folder, as bytes. The name is joined to the folder's path as it
    // stands, so "../name" reaches out of the folder.
    void WriteFile(const std::string& name, const std::string& bytes) const;
    std::string ReadFile(const std::string& name) const;
    bool Exists(const std::string& name) const;
    // Every file in the folder, hidden ones included, sorted.
    std::vector<std::string> FileNames() const;
    std::string FilePath(const std::string& name) const;

    // Makes the next saves fail before anything is written (as a file held by another program
    // would).
    void FailWrites(bool fail) { failWrites_ = fail; }
    // Makes the next saves fail once this many bytes have been written in a save, as a full
    // disk or a failing device would; nullopt writes everything.
    void FailWritesAfter(std::optional<std::size_t> bytes) { writeBudget_ = bytes; }
    bool ReplaceFiles(std::span<const FileBytes> files) override;
    // Number of files that saves were asked to replace.
    int WriteCount() const { return writeCount_; }

    // The crash-safe file functions, each of which can be made to fail (as on a full disk or in
    // a read-only folder) without touching any file; each call is counted either way.
    struct Failures {
        bool appends = false;
        bool folderSyncs = false;
        bool removals = false;
        bool renames = false;
        bool creations = false;
    };
    struct Calls {
        int appends = 0;
        int folderSyncs = 0;
        int removals = 0;
        int renames = 0;
        int creations = 0;
    };
    void Fail(const Failures& failures) { failures_ = failures; }
    const Calls& FileCalls() const { return calls_; }
    bool AppendToFile(std::string_view name, std::string_view bytes) override;
    bool SyncFolderOf(std::string_view name) override;
    bool RemoveFile(std::string_view name) override;
    std::optional<std::string> RenameToFreeName(std::string_view name,
                                                std::span<const std::string> candidates) override;
    std::optional<std::string> CreateNewFile(std::span<const std::string> candidates,
                                             std::string_view bytes) override;

protected:
    void OnEnd() override { ++endCount_; }
    bool WriteAll(QIODevice& file, std::string_view bytes) override;

private:
    QTemporaryDir folder_;
    std::vector<QString> textInitials_;
    QTemporaryDir userFolder_;
    QString programFolder_;
    QString folderInTitle_;
    std::vector<Message> messages_;
    std::deque<Answer> answers_;
    std::deque<std::size_t> picks_;
    std::deque<QString> texts_;
    std::deque<QString> choices_;
    std::deque<QString> formats_;
    std::vector<Dialog> dialogs_;
    int ignoredEscapes_ = 0;
    int endCount_ = 0;
    int writeCount_ = 0;
    bool failWrites_ = false;
    std::optional<std::size_t> writeBudget_;
    std::size_t writtenInSave_ = 0;
    Failures failures_;
    Calls calls_;
};

// Runs a step of the program; true when it ended the program (ProgramEnded escaped it).
template <typename F>
bool EndsTheProgram(F&& step) {
    try {
        step();
        return false;
    } catch (const ProgramEnded&) {
        return true;
    }
}

}  // namespace corvale::test

// Test failures show a QString as its text rather than as raw bytes.
inline void PrintTo(const QString& text, std::ostream* out) {
    *out << '"' << text.toStdString() << '"';
}
