#pragma once

#include "platform/Platform.h"

#include <QString>

class QWidget;

namespace corvale {

// The platform of the running program: Qt message boxes, the working folder chosen at start as
// the program's folder, and an end that closes the window and leaves the event loop.
class QtPlatform : public Platform {
public:
    // `folder`: absolute, without a trailing separator. `folderInTitle`: how the title names it,
    // empty for the executable's own folder. `userFolder`: where the user's recent files are
    // kept; empty keeps none.
    QtPlatform(QString folder, QString folderInTitle, QString userFolder = QString());

    void ShowMessage(const QString& text) override;
    Answer AskYesNo(const QString& text, Escape escape) override;
    std::size_t AskChoice(const QString& text, const std::vector<QString>& answers) override;
    std::optional<QString> AskText(const QString& text, const QString& initial) override;
    QString ChooseFileToRead(const QString& caption, const QString& filter,
                             const QString& startFolder,
                             const NameTest& firstFilterLeavesOut) override;
    QString ChooseFileToWrite(const QString& caption, const QString& proposed) override;
    FileChoice ChooseFileToWriteAs(const QString& caption, const QStringList& proposed,
                                   const QStringList& formats, int format) override;
    QString ProgramFolder() const override { return folder_; }
    QString FolderInTitle() const override { return folderInTitle_; }
    bool MoveToFolder(const QString& folder, const QString& folderInTitle) override;
    QString UserFolder() const override { return userFolder_; }

    // For a check that start-up goes through, with nobody to answer: every message goes to
    // standard error instead of a box, and a question ends the program unanswered, so that
    // nothing is decided or written for the user.
    void SpeakOnStandardError() { unattended_ = true; }
    // Whether any message or question came up.
    bool HasSpoken() const { return spoken_; }

    // The window message boxes belong to (may be null before it exists).
    void SetWindow(QWidget* window) { window_ = window; }

protected:
    void OnEnd() override;

private:
    // A question nobody can answer ends the program, unanswered.
    [[noreturn]] void EndUnanswered(const QString& text);

    QString folder_;
    QString folderInTitle_;
    QString userFolder_;
    QWidget* window_ = nullptr;
    QString lastReadFolder_;  // where the next file to read is looked for first, kept for the user
    bool unattended_ = false;
    bool spoken_ = false;
};

}  // namespace corvale
