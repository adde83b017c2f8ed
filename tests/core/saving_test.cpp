// Unsaved corrections: which commits make the store modified, and saving it without leaving.

#include "scansion/Workspace.h"
#include "support/ScriptedPlatform.h"
#include "support/TestFolder.h"

#include <gtest/gtest.h>

#include <QDir>

#include <functional>
#include <string>
#include <vector>

namespace {

using corvale::Answer;
using corvale::Workspace;
using corvale::test::EndsTheProgram;
using corvale::test::MemoryFile;
using corvale::test::ScansionFile;
using corvale::test::ScriptedPlatform;

const QString kSaveFailed =
    "I've hit a problem:  perhaps the file you are working on is open in another program.  If "
    "so, please close that program and try saving again.";

class SavingTest : public testing::Test {
protected:
    void SetUp() override {
        platform.WriteFile("poem.txt", kPoem);
        platform.WriteFile("RememberEarlierRun.txt", kMemory);
        workspace.ReadMemoryFile();
        ASSERT_FALSE(EndsTheProgram([&] { workspace.LoadScansionFile(); }));
        workspace.CurrentLine = 1;
        ShowLine();
    }
    // Fills the working copy from the store, as showing the line does.
    void ShowLine() {
        for (std::int32_t k = 1; k <= workspace.MaximumNumberOfSyllables; ++k) {
            const auto i = static_cast<std::size_t>(k);
            workspace.CurrentSyllables[i] = workspace.Syllables(workspace.CurrentLine, k);
            workspace.CurrentStresses[i] = workspace.Stresses(workspace.CurrentLine, k);
            workspace.CurrentJunctures[i] = workspace.Junctures(workspace.CurrentLine, k);
        }
    }
    bool Commit() { return workspace.CommitWorkingCopy(workspace.Comments(workspace.CurrentLine)); }
    void ExpectFilesUntouched() {
        EXPECT_EQ(platform.ReadFile("poem.txt"), kPoem);
        EXPECT_EQ(platform.ReadFile("RememberEarlierRun.txt"), kMemory);
    }

    const std::string kPoem = ScansionFile(
        {{"a b", {"a", "b"}, {"1", "2"}, {"3", "4"}, "note"}, {"c", {"c"}, {"1"}, {"1"}, ""}});
    const std::string kMemory = MemoryFile("poem.txt", "1");
    ScriptedPlatform platform;
    Workspace workspace{platform};
};

// ---- which commits leave unsaved corrections ----------------------------------------------

struct CommitCase {
    const char* name;
    std::int32_t line;
    std::function<void(Workspace&)> edit;
    std::string comment;  // "=" commits the stored comment
    bool modifies;
};

void PrintTo(const CommitCase& c, std::ostream* out) {
    *out << c.name;
}

class CommitModifies : public SavingTest, public testing::WithParamInterface<CommitCase> {};

TEST_P(CommitModifies, OnlyARealChangeToAVerseLine) {
    const CommitCase& c = GetParam();
    workspace.CurrentLine = c.line;
    ShowLine();
    c.edit(workspace);
    const std::string comment =
        c.comment == "=" ? std::string(workspace.Comments(c.line)) : c.comment;
    EXPECT_EQ(workspace.CommitWorkingCopy(comment), c.modifies);
    EXPECT_EQ(workspace.IsModified(), c.modifies);
    EXPECT_EQ(workspace.IsLineChanged(c.line), c.modifies);
    EXPECT_EQ(workspace.ChangedLineCount(), c.modifies ? 1 : 0);
}

INSTANTIATE_TEST_SUITE_P(
    Saving, CommitModifies,
    testing::Values(
        CommitCase{"UnchangedLine", 1, [](Workspace&) {}, "=", false},
        CommitCase{"Syllable", 1, [](Workspace& w) { w.CurrentSyllables[2] = "B"; }, "=", true},
        CommitCase{"Stress", 1, [](Workspace& w) { w.CurrentStresses[1] = "2"; }, "=", true},
        CommitCase{"Juncture", 2, [](Workspace& w) { w.CurrentJunctures[1] = "2"; }, "=", true},
        CommitCase{"Comment", 2, [](Workspace&) {}, "new", true},
        CommitCase{"CommentCleared", 1, [](Workspace&) {}, "", true},
        CommitCase{"EmptiedPositionAfterAMerge", 1,
                   [](Workspace& w) {
                       w.CurrentSyllables = {"", "a b", ""};
                       w.CurrentStresses = {"", "2", ""};
                       w.CurrentJunctures = {"", "4", ""};
                   },
                   "=", true},
        CommitCase{"SteppedBackToTheSameValue", 1, [](Workspace& w) { w.CurrentStresses[1] = "1"; },
                   "=", false},
        CommitCase{"RowZeroIsNeverSaved", 0, [](Workspace& w) { w.CurrentSyllables[1] = "x"; },
                   "typed", false}),
    [](const testing::TestParamInfo<CommitCase>& info) { return info.param.name; });

TEST_F(SavingTest, ChangedLinesAreCountedOnceAndForgottenOnSaveAndLoad) {
    workspace.CurrentStresses[1] = "2";
    ASSERT_TRUE(Commit());
    workspace.CurrentStresses[1] = "3";
    ASSERT_TRUE(Commit());
    workspace.CurrentLine = 2;
    ShowLine();
    workspace.CurrentSyllables[1] = "C";
    ASSERT_TRUE(Commit());
    EXPECT_EQ(workspace.ChangedLineCount(), 2);

    ASSERT_TRUE(workspace.SaveFiles());
    EXPECT_FALSE(workspace.IsModified());
    EXPECT_EQ(workspace.ChangedLineCount(), 0);
    EXPECT_FALSE(workspace.IsLineChanged(1));

    workspace.CurrentSyllables[1] = "D";
    ASSERT_TRUE(Commit());
    ASSERT_FALSE(EndsTheProgram([&] { workspace.LoadScansionFile(); }));
    EXPECT_FALSE(workspace.IsModified());
    EXPECT_EQ(workspace.ChangedLineCount(), 0);
}

// ---- Save ----------------------------------------------------------------------------------

TEST_F(SavingTest, SaveWritesBothFilesAsksNothingAndKeepsRunning) {
    workspace.CurrentStresses[1] = "2";
    ASSERT_TRUE(Commit());
    workspace.CurrentLine = 2;
    workspace.mnuSave_Click();
    EXPECT_TRUE(platform.Messages().empty());
    EXPECT_FALSE(platform.Ended());
    EXPECT_FALSE(workspace.IsModified());
    EXPECT_EQ(platform.ReadFile("poem.txt"),
              ScansionFile({{"a b", {"a", "b"}, {"2", "2"}, {"3", "4"}, "note"},
                            {"c", {"c"}, {"1"}, {"1"}, ""}}));
    EXPECT_EQ(platform.ReadFile("RememberEarlierRun.txt"),
              MemoryFile("poem.txt", "2", "4", "1", "4", "1", "0"));
}

TEST_F(SavingTest, FailedSaveSaysSoAndKeepsTheCorrectionsUnsaved) {
    workspace.CurrentStresses[1] = "2";
    ASSERT_TRUE(Commit());
    platform.FailWrites(true);
    workspace.mnuSave_Click();
    EXPECT_EQ(platform.MessageTexts(), std::vector<QString>{kSaveFailed});
    EXPECT_EQ(platform.Messages()[0].kind, ScriptedPlatform::Kind::Ok);
    EXPECT_TRUE(workspace.IsModified());
    EXPECT_EQ(workspace.Stresses(1, 1), "2");
    ExpectFilesUntouched();
}

// A device that fails after any number of bytes: both old files stay byte for byte, the
// failure is reported, and the corrections stay unsaved for the next try.
TEST_F(SavingTest, FailureAtEveryByteOfASaveLeavesBothOldFiles) {
    workspace.CurrentSyllables[1] = "A";
    workspace.CurrentLine = 2;
    ASSERT_TRUE(workspace.CommitWorkingCopy("changed"));
    const std::size_t total =
        workspace.ScansionFileBytes().size() + workspace.MemoryFileBytes().size();
    for (std::size_t offset = 0; offset < total; ++offset) {
        platform.FailWritesAfter(offset);
        workspace.mnuSave_Click();
        ASSERT_EQ(platform.Messages().size(), offset + 1) << "at byte " << offset;
        ASSERT_EQ(platform.Messages().back().text, kSaveFailed) << "at byte " << offset;
        ASSERT_EQ(platform.ReadFile("poem.txt"), kPoem) << "at byte " << offset;
        ASSERT_EQ(platform.ReadFile("RememberEarlierRun.txt"), kMemory) << "at byte " << offset;
        ASSERT_TRUE(workspace.IsModified());
    }
    // No temporary file was left behind by any of the failures.
    QStringList files = QDir(platform.ProgramFolder()).entryList(QDir::Files | QDir::Hidden);
    files.sort();
    EXPECT_EQ(files, (QStringList{"RememberEarlierRun.txt", "poem.txt"}));
    platform.FailWritesAfter(total);
    workspace.mnuSave_Click();
    EXPECT_EQ(platform.Messages().size(), total);
    EXPECT_FALSE(workspace.IsModified());
    EXPECT_NE(platform.ReadFile("poem.txt"), kPoem);
}

TEST_F(SavingTest, WithoutAWorkingFileOnlyTheMemoryFileIsWritten) {
    workspace.WorkingFileName.clear();
    workspace.mnuSave_Click();
    EXPECT_TRUE(platform.Messages().empty());
    EXPECT_EQ(platform.WriteCount(), 1);
    EXPECT_EQ(platform.ReadFile("RememberEarlierRun.txt"),
              MemoryFile("", "1", "4", "1", "4", "1", "0"));
    EXPECT_EQ(platform.ReadFile("poem.txt"), kPoem);

    platform.WillAnswer({Answer::Yes});
    EXPECT_TRUE(EndsTheProgram([&] { workspace.cmdQuit_Click(); }));
    EXPECT_EQ(platform.MessageTexts(), std::vector<QString>{"Save changes?"});
}

}  // namespace
