#include "support/ScriptedPlatform.h"

#include <gtest/gtest.h>

#include <QFile>

namespace corvale::test {

ScriptedPlatform::ScriptedPlatform() {
    EXPECT_TRUE(folder_.isValid());
}

void ScriptedPlatform::ShowMessage(const QString& text) {
    messages_.push_back({Kind::Ok, text});
}

bool ScriptedPlatform::AskYesNo(const QString& text) {
    messages_.push_back({Kind::YesNo, text});
    if (answers_.empty()) {
        ADD_FAILURE() << "unexpected question: " << text.toStdString();
        return false;
    }
    const bool answer = answers_.front();
    answers_.pop_front();
    return answer;
}

QString ScriptedPlatform::ProgramFolder() const {
    return folder_.path();
}

void ScriptedPlatform::Answer(std::vector<bool> answers) {
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
    return (folder_.path() + "/").toStdString() + name;
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
