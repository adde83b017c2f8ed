#include "support/ScriptedPlatform.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>

#include <algorithm>

namespace corvale::test {

ScriptedPlatform::ScriptedPlatform() : programFolder_(folder_.path()) {
    EXPECT_TRUE(folder_.isValid());
}

ScriptedPlatform::ScriptedPlatform(const QString& programSubfolder)
    : programFolder_(folder_.path() + "/" + programSubfolder) {
    EXPECT_TRUE(folder_.isValid());
    EXPECT_TRUE(QDir(folder_.path()).mkpath(programSubfolder));
}

void ScriptedPlatform::ShowMessage(const QString& text) {
    messages_.push_back({Kind::Ok, text});
}

Answer ScriptedPlatform::AskYesNo(const QString& text, Escape escape) {
    messages_.push_back({Kind::YesNo, text, escape});
    while (!answers_.empty()) {
        const Answer answer = answers_.front();
        answers_.pop_front();
        if (answer != Answer::Withdrawn || escape == Escape::Withdraws) {
            return answer;
        }
        ++ignoredEscapes_;
    }
    ADD_FAILURE() << "unexpected question: " << text.toStdString();
    return Answer::Withdrawn;
}

QString ScriptedPlatform::ProgramFolder() const {
    return programFolder_;
}

namespace {

// The next scripted answer; none left fails the test.
template <typename T>
T Next(std::deque<T>& script, const char* box, const QString& text, T none) {
    if (script.empty()) {
        ADD_FAILURE() << "unexpected " << box << ": " << text.toStdString();
        return none;
    }
    T next = std::move(script.front());
    script.pop_front();
    return next;
}

}  // namespace

QString ScriptedPlatform::ChooseFileToRead(const QString& caption, const QString& filter,
                                           const QString& startFolder,
                                           const NameTest& firstFilterLeavesOut) {
    dialogs_.push_back({caption, startFolder, filter, firstFilterLeavesOut});
    return Next(choices_, "file dialog", caption, QString());
}

std::size_t ScriptedPlatform::AskChoice(const QString& text, const std::vector<QString>& answers) {
    messages_.push_back({Kind::Choice, text});
    return Next(picks_, "choice", text, answers.size() - 1);
}

std::optional<QString> ScriptedPlatform::AskText(const QString& text, const QString& initial) {
    messages_.push_back({Kind::Text, text});
    textInitials_.push_back(initial);
    QString typed = Next(texts_, "text box", text, QString());
    return typed.isNull() ? std::nullopt : std::optional<QString>(typed);
}

void ScriptedPlatform::WillPick(std::vector<std::size_t> answers) {
    picks_.insert(picks_.end(), answers.begin(), answers.end());
}

void ScriptedPlatform::WillType(std::vector<QString> texts) {
    texts_.insert(texts_.end(), texts.begin(), texts.end());
}

bool ScriptedPlatform::MoveToFolder(const QString& folder, const QString& folderInTitle) {
    programFolder_ = folder;
    folderInTitle_ = folderInTitle;
    return true;
}

QString ScriptedPlatform::ChooseFileToWrite(const QString& caption, const QString& proposed) {
    dialogs_.push_back({caption, proposed, {}, {}});
    return Next(choices_, "file dialog", caption, QString());
}

Platform::FileChoice ScriptedPlatform::ChooseFileToWriteAs(const QString& caption,
                                                           const QStringList& proposed,
                                                           const QStringList& formats, int format) {
    const QString path = ChooseFileToWrite(caption, proposed.value(format));
    if (!formats_.empty()) {
        format = static_cast<int>(formats.indexOf(formats_.front()));
        formats_.pop_front();
    }
    return {path, format};
}

void ScriptedPlatform::WillChoose(std::vector<QString> paths) {
    choices_.insert(choices_.end(), paths.begin(), paths.end());
}

void ScriptedPlatform::WillAnswer(std::vector<Answer> answers) {
    answers_.insert(answers_.end(), answers.begin(), answers.end());
}

std::vector<QString> ScriptedPlatform::MessageTexts() const {
    std::vector<QString> texts;
    for (const auto& m : messages_) {
        texts.push_back(m.text);
    }
    return texts;
}

std::string ScriptedPlatform::FilePath(const std::string& name) const {
    return (programFolder_ + "/").toStdString() + name;
}

void ScriptedPlatform::WriteFile(const std::string& name, const std::string& bytes) const {
    QFile file(QString::fromStdString(FilePath(name)));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    ASSERT_EQ(file.write(bytes.data(), static_cast<qint64>(bytes.size())),
              static_cast<qint64>(bytes.size()));
}

std::string ScriptedPlatform::ReadFile(const std::string& name) const {
    QFile file(QString::fromStdString(FilePath(name)));
    if (!file.open(QIODevice::ReadOnly)) {
        ADD_FAILURE() << "cannot read " << name;
        return {};
    }
    return file.readAll().toStdString();
}

std::vector<std::string> ScriptedPlatform::FileNames() const {
    std::vector<std::string> names;
    for (const QString& name :
         QDir(folder_.path()).entryList(QDir::Files | QDir::Hidden | QDir::System)) {
        // A run's hold on its journal is there only while the run lasts.
        if (!name.endsWith(QLatin1String(".corvale-journal.lock"))) {
            names.push_back(name.toStdString());
        }
    }
    std::sort(names.begin(), names.end());
    return names;
}

bool ScriptedPlatform::Exists(const std::string& name) const {
    return QFile::exists(QString::fromStdString(FilePath(name)));
}

bool ScriptedPlatform::ReplaceFiles(std::span<const FileBytes> files) {
    writeCount_ += static_cast<int>(files.size());
    if (failWrites_) {
        return false;
    }
    writtenInSave_ = 0;
    return Platform::ReplaceFiles(files);
}

bool ScriptedPlatform::WriteAll(QIODevice& file, std::string_view bytes) {
    if (!writeBudget_) {
        return Platform::WriteAll(file, bytes);
    }
    const std::size_t room = *writeBudget_ - std::min(*writeBudget_, writtenInSave_);
    const std::size_t written = std::min(room, bytes.size());
    writtenInSave_ += written;
    // The bytes that fit are really written (and flushed), so a failure leaves a partial
    // temporary file behind it, as a device failing mid-write does.
    if (!Platform::WriteAll(file, bytes.substr(0, written))) {
        return false;
    }
    return written == bytes.size();
}

bool ScriptedPlatform::AppendToFile(std::string_view name, std::string_view bytes) {
    ++calls_.appends;
    return !failures_.appends && Platform::AppendToFile(name, bytes);
}

bool ScriptedPlatform::SyncFolderOf(std::string_view name) {
    ++calls_.folderSyncs;
    return !failures_.folderSyncs && Platform::SyncFolderOf(name);
}

bool ScriptedPlatform::RemoveFile(std::string_view name) {
    ++calls_.removals;
    return !failures_.removals && Platform::RemoveFile(name);
}

std::optional<std::string> ScriptedPlatform::RenameToFreeName(
    std::string_view name, std::span<const std::string> candidates) {
    ++calls_.renames;
    if (failures_.renames) {
        return std::nullopt;
    }
    return Platform::RenameToFreeName(name, candidates);
}

std::optional<std::string> ScriptedPlatform::CreateNewFile(std::span<const std::string> candidates,
                                                           std::string_view bytes) {
    ++calls_.creations;
    if (failures_.creations) {
        return std::nullopt;
    }
    return Platform::CreateNewFile(candidates, bytes);
}

}  // namespace corvale::test
