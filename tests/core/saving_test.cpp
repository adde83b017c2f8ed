// Unsaved corrections: which commits make the store modified, and saving it without leaving.

#include "scansion/Workspace.h"
#include "support/ScriptedPlatform.h"
#include "support/TestFolder.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <sys/stat.h>

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

    ASSERT_EQ(workspace.SaveFiles(), Workspace::SaveResult::Saved);
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
    // No temporary file was left behind by any of the failures, and the journal still holds
    // the correction.
    EXPECT_EQ(platform.FileNames(),
              (std::vector<std::string>{".poem.txt.corvale-journal", "RememberEarlierRun.txt",
                                        "poem.txt"}));
    platform.FailWritesAfter(total);
    workspace.mnuSave_Click();
    EXPECT_EQ(platform.Messages().size(), total);
    EXPECT_FALSE(workspace.IsModified());
    EXPECT_NE(platform.ReadFile("poem.txt"), kPoem);
    EXPECT_EQ(platform.FileNames(),
              (std::vector<std::string>{"RememberEarlierRun.txt", "poem.txt"}));
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

// ---- what a save may write over ------------------------------------------------------------

struct TargetCase {
    const char* name;
    std::function<void(ScriptedPlatform&)> beforeLoad;  // the file opened is "poem.txt"
    std::function<void(ScriptedPlatform&)> beforeSave;
    bool replaced;         // the save wrote poem.txt
    std::string keptName;  // where the corrections went instead
};

void PrintTo(const TargetCase& c, std::ostream* out) {
    *out << c.name;
}

const auto kNothing = [](ScriptedPlatform&) {};

class SaveTarget : public testing::TestWithParam<TargetCase> {
protected:
    void Load() {
        workspace.ReadMemoryFile();
        ASSERT_FALSE(EndsTheProgram([&] { workspace.LoadScansionFile(); }));
    }
    const std::string kPoem = ScansionFile({{"a b", {"a", "b"}, {"1", "2"}, {"3", "4"}, ""}});
    ScriptedPlatform platform;
    Workspace workspace{platform};
};

TEST_P(SaveTarget, ReplacesOnlyWhatWasLoadedOrNothing) {
    const TargetCase& c = GetParam();
    platform.WriteFile("poem.txt", kPoem);
    platform.WriteFile("RememberEarlierRun.txt", MemoryFile("poem.txt", "1"));
    c.beforeLoad(platform);
    Load();
    workspace.CurrentLine = 1;
    workspace.CurrentSyllables = {"", "A", "b"};
    workspace.CurrentStresses = {"", "1", "2"};
    workspace.CurrentJunctures = {"", "3", "4"};
    ASSERT_TRUE(workspace.CommitWorkingCopy(""));
    c.beforeSave(platform);
    const QFileInfo before(platform.PathOf("poem.txt"));
    const std::string held = before.isFile() ? platform.ReadFile("poem.txt") : std::string();

    const Workspace::SaveResult result = workspace.SaveFiles();

    EXPECT_EQ(result, c.replaced ? Workspace::SaveResult::Saved : Workspace::SaveResult::KeptAside);
    EXPECT_EQ(workspace.IsModified(), !c.replaced);
    if (c.replaced) {
        EXPECT_EQ(platform.ReadFile("poem.txt"),
                  ScansionFile({{"a b", {"A", "b"}, {"1", "2"}, {"3", "4"}, ""}}));
        EXPECT_TRUE(platform.Messages().empty());
        return;
    }
    // Whatever stood there stands as it was; the corrections wait in a visible file of their
    // own, and the memory file is not touched by a save that did not happen.
    const QFileInfo after(platform.PathOf("poem.txt"));
    EXPECT_EQ(after.isDir(), before.isDir());
    EXPECT_EQ(after.isSymLink(), before.isSymLink());
    if (before.isFile()) {
        EXPECT_EQ(platform.ReadFile("poem.txt"), held);
    }
    EXPECT_EQ(platform.ReadFile("RememberEarlierRun.txt"), MemoryFile("poem.txt", "1"));
    EXPECT_EQ(platform.MessageTexts(),
              std::vector<QString>{QString::fromStdString(
                  "Corvale did not save your corrections over poem.txt, because what is there "
                  "now is not the file Corvale opened.  They are kept in " +
                  c.keptName + ".")});
    const std::string keptBytes = platform.ReadFile(c.keptName);
    const corvale::JournalContents kept = corvale::ReadJournal(keptBytes);
    ASSERT_EQ(kept.records.size(), 1u);
    EXPECT_EQ(kept.records[0].syllables, (std::vector<std::string_view>{"A", "b"}));
}

INSTANTIATE_TEST_SUITE_P(
    Saving, SaveTarget,
    testing::Values(
        TargetCase{"TheLoadedFile", kNothing, kNothing, true, ""},
        TargetCase{"NothingThereAnyMore", kNothing,
                   [](ScriptedPlatform& p) { QFile::remove(p.PathOf("poem.txt")); }, true, ""},
        TargetCase{"ALinkToTheLoadedFileIsSavedThrough",
                   [](ScriptedPlatform& p) {
                       QFile::rename(p.PathOf("poem.txt"), p.PathOf("real.txt"));
                       QFile::link("real.txt", p.PathOf("poem.txt"));
                   },
                   kNothing, true, ""},
        TargetCase{"ChangedByAnotherProgram", kNothing,
                   [](ScriptedPlatform& p) { p.WriteFile("poem.txt", "someone else's"); }, false,
                   "poem.txt.unsaved-corrections.txt"},
        TargetCase{"SameSizeOtherBytes", kNothing,
                   [](ScriptedPlatform& p) {
                       std::string bytes = p.ReadFile("poem.txt");
                       bytes[bytes.size() - 3] = 'x';
                       p.WriteFile("poem.txt", bytes);
                   },
                   false, "poem.txt.unsaved-corrections.txt"},
        TargetCase{"AFolder", kNothing,
                   [](ScriptedPlatform& p) {
                       QFile::remove(p.PathOf("poem.txt"));
                       QDir(p.ProgramFolder()).mkdir("poem.txt");
                   },
                   false, "poem.txt.unsaved-corrections.txt"},
        TargetCase{"AFifoNeverBlocks", kNothing,
                   [](ScriptedPlatform& p) {
                       QFile::remove(p.PathOf("poem.txt"));
                       ASSERT_EQ(mkfifo(p.FilePath("poem.txt").c_str(), 0600), 0);
                   },
                   false, "poem.txt.unsaved-corrections.txt"},
        TargetCase{"ALinkToNothing", kNothing,
                   [](ScriptedPlatform& p) {
                       QFile::remove(p.PathOf("poem.txt"));
                       QFile::link("gone.txt", p.PathOf("poem.txt"));
                   },
                   false, "poem.txt.unsaved-corrections.txt"},
        TargetCase{"AKeptFileIsNeverOverwritten", kNothing,
                   [](ScriptedPlatform& p) {
                       p.WriteFile("poem.txt", "changed");
                       p.WriteFile("poem.txt.unsaved-corrections.txt", "older");
                   },
                   false, "poem.txt.unsaved-corrections-2.txt"}),
    [](const testing::TestParamInfo<TargetCase>& info) { return info.param.name; });

// A hidden file is never loaded, so nothing of this session may go into it.
TEST_F(SavingTest, HiddenFileThatWasNotLoadedIsLeftAlone) {
    platform.WriteFile(".poem.txt", kPoem);
    platform.WriteFile("RememberEarlierRun.txt", MemoryFile(".poem.txt", "1"));
    workspace.ReadMemoryFile();
    ASSERT_FALSE(EndsTheProgram([&] { workspace.LoadScansionFile(); }));
    ASSERT_EQ(workspace.NumberOfLines, 0);
    platform.WillAnswer({Answer::Yes});
    EXPECT_TRUE(EndsTheProgram([&] { workspace.cmdQuit_Click(); }));
    EXPECT_EQ(platform.ReadFile(".poem.txt"), kPoem);
}

}  // namespace
