// The one writer of files outside the working folder: what stands at an output's name when it is
// put in place, and a system without the descriptor folder.

#include "platform/OutputFile.h"
#include "support/ScriptedPlatform.h"

#include <gtest/gtest.h>

#include <QFile>
#include <QFileInfo>

#include <functional>
#include <string>

namespace corvale {
namespace {

using test::ScriptedPlatform;

struct PlaceCase {
    const char* name;
    std::function<void(const ScriptedPlatform&)> setUp;
    bool replace;
    const char* failure;
    const char* atName;  // the bytes the name holds afterwards
};

class OutputFilePlacing : public testing::TestWithParam<PlaceCase> {};

TEST_P(OutputFilePlacing, ReplacesTheNameOnlyWhenAsked) {
    ScriptedPlatform folder;
    folder.WriteFile("mine.txt", "mine");
    GetParam().setUp(folder);
    const QString out = QString::fromStdString(folder.FilePath("out.csv"));
    EXPECT_EQ(WriteOutputFile(out, "new", GetParam().replace), GetParam().failure);
    EXPECT_EQ(folder.ReadFile("out.csv"), GetParam().atName);
    EXPECT_EQ(folder.ReadFile("mine.txt"), "mine");
    EXPECT_FALSE(folder.Exists("theirs.txt"));
}

INSTANTIATE_TEST_SUITE_P(
    Cases, OutputFilePlacing,
    testing::Values(
        // The name is checked when the file is put in place: one that appeared meanwhile stays.
        PlaceCase{"NeverOverAFileThatAppeared",
                  [](const ScriptedPlatform& f) { f.WriteFile("out.csv", "old"); }, false,
                  "it exists", "old"},
        // In a shared folder, another user's link must not make the write land elsewhere.
        PlaceCase{"ALinkIsReplacedNotWrittenThrough",
                  [](const ScriptedPlatform& f) {
                      ASSERT_TRUE(QFile::link(QString::fromStdString(f.FilePath("mine.txt")),
                                              QString::fromStdString(f.FilePath("out.csv"))));
                  },
                  true, "", "new"},
        // Nor may a link to nothing make the write create a file where it points.
        PlaceCase{"ALinkToNothingIsReplacedAndNothingCreated",
                  [](const ScriptedPlatform& f) {
                      ASSERT_TRUE(QFile::link(QString::fromStdString(f.FilePath("theirs.txt")),
                                              QString::fromStdString(f.FilePath("out.csv"))));
                  },
                  true, "", "new"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(OutputFileTest, FailureSaysWhatTheSystemSaid) {
    ScriptedPlatform folder;
    EXPECT_EQ(
        WriteOutputFile(QString::fromStdString(folder.FilePath("missing/out.csv")), "x", true),
        "No such file or directory");
}

// Without /proc the unnamed file could never take its name: the hidden one does, by the same
// rules.
TEST(OutputFileTest, WithoutTheDescriptorFolderAHiddenNameIsUsed) {
    ScriptedPlatform folder;
    folder.WriteFile("taken.txt", "old");
    const std::string missing = folder.FilePath("no-proc");
    for (const auto& [name, replace, result] :
         {std::tuple{"free.txt", false, 0}, {"taken.txt", false, EEXIST}, {"taken.txt", true, 0}}) {
        OutputFile file(QString::fromStdString(folder.FilePath(name)), missing);
        ASSERT_EQ(file.Append("new"), 0);
        EXPECT_EQ(file.Place(replace), result) << name << replace;
        EXPECT_EQ(folder.ReadFile(name), result == 0 ? "new" : "old") << name << replace;
    }
    EXPECT_EQ(folder.FileNames(), (std::vector<std::string>{"free.txt", "taken.txt"}));
}

}  // namespace
}  // namespace corvale
