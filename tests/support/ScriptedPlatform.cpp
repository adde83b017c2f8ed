#include "support/ScriptedPlatform.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>

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

bool ScriptedPlatform::Exists(const std::string& name) const {
    return QFile::exists(QString::fromStdString(FilePath(name)));
}

bool ScriptedPlatform::ReplaceFile(std::string_view name, std::string_view bytes) {
    ++writeCount_;
    if (failWrites_) {
        return false;
    }
    return Platform::ReplaceFile(name, bytes);
}

}  // namespace corvale::test
